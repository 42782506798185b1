#ifndef VANTREL_SRC_FORMATS_TEXTDECODER_H
#define VANTREL_SRC_FORMATS_TEXTDECODER_H

#include <QString>
#include <QtGlobal>

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
#include <QStringDecoder>
#else
#include <QTextCodec>
#endif

// Decodes a file's bytes piece by piece as a text stream opened on them does: in the encoding
// that a byte order mark at the start names (UTF-8, UTF-16 or UTF-32, either byte order;
// the mark itself is dropped), else in the system's, which is the locale's on Linux. A
// character cut between two pieces comes out whole with the second.
class TTextDecoder
{
public:
    // `start` holds the first bytes of the content, where a byte order mark is looked for.
    TTextDecoder(const char* start, int size);

    QString Decode(const char* data, int size);

    // Whether every ASCII byte decodes to the character of its code, whatever comes before
    // it: so that ASCII text can be taken as it is, without decoding.
    bool Keeps_Ascii() const;

private:
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    QStringConverter::Encoding d_encoding;
    QStringDecoder d_decoder;
#else
    QTextCodec* d_codec;
    QTextCodec::ConverterState d_state;
#endif
};

#endif
