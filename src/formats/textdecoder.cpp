#include "src/formats/textdecoder.h"

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)

namespace
{

QStringConverter::Encoding Encoding_Of(const char* start, int size)
{
    const std::optional<QStringConverter::Encoding> marked =
        QStringConverter::encodingForData(QByteArrayView(start, size));
    return marked ? *marked : QStringConverter::System;
}

} // namespace

TTextDecoder::TTextDecoder(const char* start, int size) : d_decoder(Encoding_Of(start, size)) {}

QString TTextDecoder::Decode(const char* data, int size)
{
    return d_decoder.decode(QByteArrayView(data, size));
}

#else

TTextDecoder::TTextDecoder(const char* start, int size)
    : d_codec(QTextCodec::codecForUtfText(QByteArray::fromRawData(start, size),
                                          QTextCodec::codecForLocale()))
{
}

QString TTextDecoder::Decode(const char* data, int size)
{
    return d_codec->toUnicode(data, size, &d_state);
}

#endif
