#ifndef VANTREL_SRC_FORMATS_TEXTLINES_H
#define VANTREL_SRC_FORMATS_TEXTLINES_H

#include "src/formats/textdecoder.h"

#include <QByteArray>
#include <QString>

// The lines of a file's content, each simplified (white space trimmed at both ends and every
// inner run of it made one blank). The lines are those that a QTextStream opened read-only on
// the content gives, decoded the same way (see TTextDecoder) and fed the same pieces of the
// content. Faster than the stream for long files, since
// a line is simplified straight out of the decoded text, or out of the content itself where
// it is ASCII and the encoding keeps ASCII as it is.
class TTextLines
{
public:
    explicit TTextLines(const QByteArray& content);

    // The next line, simplified into `line`; false when the content is used up.
    bool Next(QString& line);

private:
    bool Next_Ascii(QString& line);
    bool Next_Decoded(QString& line);
    bool Decode_More();

    const QByteArray& d_content;
    int d_read = 0; // bytes of the content taken or decoded so far
    TTextDecoder d_decoder;
    const bool d_ascii; // the content is taken as it is
    QString d_text;     // decoded text not yet taken as lines
    int d_position = 0; // where the next line begins in d_text
};

// What a reader does after one line.
enum class TLineOutcome
{
    Next_Line,
    Stop_Reading, // what was read so far stands
    Failed
};

// Hands the lines of the content to `handle` one by one until it stops the reading or a
// line fails; false when one failed.
template <typename THandler>
bool Read_Lines(const QByteArray& content, THandler&& handle)
{
    TTextLines lines(content);
    QString line;
    while (lines.Next(line))
    {
        const TLineOutcome outcome = handle(line);
        if (outcome != TLineOutcome::Next_Line)
            return outcome == TLineOutcome::Stop_Reading;
    }
    return true;
}

#endif
