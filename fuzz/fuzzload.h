#ifndef VANTREL_FUZZ_FUZZLOAD_H
#define VANTREL_FUZZ_FUZZLOAD_H

#include "src/laserfile.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>

// What the fuzz targets share: arbitrary bytes loaded as every kind of laser file, and the
// reads the main window makes of the model that results.

// One kind of file, by the extension that selects it.
struct TFuzzKind
{
    const char* Extension;
    TLaserFileType Type;
};

constexpr std::size_t Fuzz_Kind_Count = 6;
extern const std::array<TFuzzKind, Fuzz_Kind_Count> Fuzz_Kinds;

// Loads the bytes as one kind of file into a cleared model, as an import does. Content that
// Load reads goes through Load on a file of that kind; content that it refuses as too small
// goes through Load_Content, the part of Load after its size checks, so that the readers
// meet short inputs too. Returns whether the model now holds the file.
bool Fuzz_Load(TLaserFile& file, const TFuzzKind& kind, const QByteArray& content);

// Everything the window reads of the model after a load, and on success the report and
// the exports of every section. Stops the process when a result breaks what the window
// relies on, so that the fuzzer reports it.
void Fuzz_Read(const TLaserFile& file, bool loaded);

// Aborts, naming the broken expectation, when `holds` is false.
void Fuzz_Expect(bool holds, const char* what);

inline QByteArray Fuzz_Bytes(const std::uint8_t* data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<int>(size));
}

#endif
