// Arbitrary bytes as each of the six kinds of laser file, then every read the main window
// makes of the model, and on success its report and exports.

#include "fuzz/fuzzload.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray content = Fuzz_Bytes(data, size);
    // One model for all loads, cleared before each, as the window keeps it.
    TLaserFile file;
    for (const TFuzzKind& kind : Fuzz_Kinds)
        Fuzz_Read(file, Fuzz_Load(file, kind, content));
    return 0;
}
