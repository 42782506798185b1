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

TTextDecoder::TTextDecoder(const char* start, int size)
    : d_encoding(Encoding_Of(start, size)), d_decoder(d_encoding)
{
}

// The system's encoding is UTF-8 on every system but Windows.
bool TTextDecoder::Keeps_Ascii() const
{
#ifdef Q_OS_WIN
    return d_encoding == QStringConverter::Utf8;
#else
    return d_encoding == QStringConverter::Utf8 || d_encoding == QStringConverter::System;
#endif
}

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

// The codecs that a locale names most often; any other is decoded.
bool TTextDecoder::Keeps_Ascii() const
{
    constexpr int Ascii = 3, Latin_1 = 4, Utf_8 = 106;
    const int mib = d_codec->mibEnum();
    return mib == Ascii || mib == Latin_1 || mib == Utf_8;
}

#endif
