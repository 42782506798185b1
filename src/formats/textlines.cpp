#include "src/formats/textlines.h"

#include <algorithm>

namespace
{

// The stream decodes its device in pieces of this size.
constexpr int Piece_Size = 16384;

// White space as QChar::isSpace tells it, the printable ASCII characters settled first.
bool Is_Space(QChar character)
{
    if (character.unicode() - 0x21u < 0x5Fu)
        return false;
    return character.isSpace();
}

} // namespace

TTextLines::TTextLines(const QByteArray& content)
    : d_content(content),
      d_decoder(content.constData(), std::min(static_cast<int>(content.size()), Piece_Size))
{
}

bool TTextLines::Next(QString& line)
{
    int search_from = d_position;
    for (;;)
    {
        const int end = d_text.indexOf(QLatin1Char('\n'), search_from);
        if (end >= 0)
        {
            Take_Line(end, line);
            d_position = end + 1;
            return true;
        }
        search_from = d_text.size();
        if (!Decode_More())
            break;
        // Decode_More drops the text already taken; the search goes on where it stopped.
        search_from -= d_position;
        d_position = 0;
    }
    // The last line has no line feed; an empty rest is no line.
    if (d_position >= d_text.size())
        return false;
    Take_Line(d_text.size(), line);
    d_position = d_text.size();
    return true;
}

bool TTextLines::Decode_More()
{
    if (d_read >= d_content.size())
        return false;
    const int size = std::min(static_cast<int>(d_content.size()) - d_read, Piece_Size);
    d_text.remove(0, d_position);
    d_text += d_decoder.Decode(d_content.constData() + d_read, size);
    d_read += size;
    return true;
}

// The text from d_position up to `end`, simplified as QString::simplified does.
void TTextLines::Take_Line(int end, QString& line)
{
    const QChar* const text = d_text.constData();
    int begin = d_position;
    while (begin < end && Is_Space(text[begin]))
        ++begin;
    while (end > begin && Is_Space(text[end - 1]))
        --end;
    line.resize(end - begin);
    QChar* out = line.data();
    const QChar* in = text + begin;
    const QChar* const stop = text + end;
    for (;;)
    {
        const QChar* const word = in;
        while (in < stop && !Is_Space(*in))
            ++in;
        out = std::copy(word, in, out);
        if (in == stop)
            break;
        // The line ends in other than white space, so every run of it stops within the line.
        *out++ = QLatin1Char(' ');
        while (Is_Space(*in))
            ++in;
    }
    line.resize(static_cast<int>(out - line.constData()));
}
