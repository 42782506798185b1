#include "src/formats/textlines.h"

#include <QtAlgorithms>

#include <algorithm>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

bool Is_Space(char character)
{
    return character == ' ' || static_cast<unsigned char>(character) - 0x09u < 5u;
}

bool Is_Above_Blank(char character)
{
    const auto code = static_cast<unsigned char>(character);
    return code > 0x20u;
}

bool Is_Ascii(const QByteArray& content)
{
    const char* at = content.constData();
    const char* const end = at + content.size();
    constexpr std::uint64_t High_Bits = 0x8080808080808080u;
    std::uint64_t seen = 0;
    for (; end - at >= 8; at += 8)
    {
        std::uint64_t word;
        std::memcpy(&word, at, sizeof word);
        seen |= word;
    }
    for (; at < end; ++at)
        seen |= static_cast<unsigned char>(*at);
    return (seen & High_Bits) == 0;
}

// Copies a word of decoded text into the line, up to the next white space or `end`; returns
// where it ends.
const QChar* Copy_Word(const QChar* in, const QChar* end, char16_t*& out)
{
    const QChar* const word = in;
    while (in < end && !Is_Space(*in))
        ++in;
    std::memcpy(out, word, static_cast<std::size_t>(in - word) * sizeof(char16_t));
    out += in - word;
    return in;
}

// Copies the bytes above a blank's code into the line, up to `end` or the first other byte,
// and returns where they end. Where the processor has SSE2, sixteen go at a time, so the line
// needs room for sixteen characters past them.
const char* Copy_Above_Blank(const char* in, const char* end, char16_t*& out)
{
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128(), above_blank = _mm_set1_epi8(0x21);
    for (; end - in >= 16; in += 16, out += 16)
    {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(bytes, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 8), _mm_unpackhi_epi8(bytes, zero));
        // ASCII bytes compare alike signed and unsigned.
        const auto below =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmplt_epi8(bytes, above_blank)));
        if (below != 0)
        {
            const int taken = static_cast<int>(qCountTrailingZeroBits(below));
            out += taken;
            return in + taken;
        }
    }
#endif
    while (in < end && Is_Above_Blank(*in))
        *out++ = static_cast<unsigned char>(*in++);
    return in;
}

// Copies a word of ASCII bytes into the line, each the character of its code, up to the next
// white space or `end`; returns where it ends.
const char* Copy_Word(const char* in, const char* end, char16_t*& out)
{
    for (;;)
    {
        in = Copy_Above_Blank(in, end, out);
        if (in == end || Is_Space(*in))
            return in;
        // A control character is part of the word.
        *out++ = static_cast<unsigned char>(*in++);
    }
}

// The text from `begin` up to `end`, simplified as QString::simplified does, into `line`, a
// word at a time. The line gets room for the sixteen characters that a word copy may write
// past its word.
template <typename TChar>
void Simplify(const TChar* begin, const TChar* end, QString& line)
{
    constexpr int Room = 16;
    while (begin < end && Is_Space(*begin))
        ++begin;
    while (end > begin && Is_Space(end[-1]))
        --end;
    line.resize(static_cast<int>(end - begin) + Room);
    char16_t* const first = reinterpret_cast<char16_t*>(line.data());
    char16_t* out = first;
    for (const TChar* in = begin;;)
    {
        in = Copy_Word(in, end, out);
        if (in == end)
            break;
        // The line ends in other than white space, so every run of it stops within the line.
        *out++ = u' ';
        while (Is_Space(*in))
            ++in;
    }
    line.resize(static_cast<int>(out - first));
}

} // namespace

TTextLines::TTextLines(const QByteArray& content)
    : d_content(content),
      d_decoder(content.constData(), std::min(static_cast<int>(content.size()), Piece_Size)),
      d_ascii(d_decoder.Keeps_Ascii() && Is_Ascii(content))
{
}

bool TTextLines::Next(QString& line)
{
    return d_ascii ? Next_Ascii(line) : Next_Decoded(line);
}

bool TTextLines::Next_Ascii(QString& line)
{
    const char* const begin = d_content.constData() + d_read;
    const char* const end = d_content.constData() + d_content.size();
    if (begin == end)
        return false;
    const void* const feed = std::memchr(begin, '\n', static_cast<std::size_t>(end - begin));
    const char* const line_end = feed != nullptr ? static_cast<const char*>(feed) : end;
    Simplify(begin, line_end, line);
    d_read = static_cast<int>(line_end - d_content.constData()) + (feed != nullptr ? 1 : 0);
    return true;
}

bool TTextLines::Next_Decoded(QString& line)
{
    int search_from = d_position;
    for (;;)
    {
        const int end = d_text.indexOf(QLatin1Char('\n'), search_from);
        if (end >= 0)
        {
            Simplify(d_text.constData() + d_position, d_text.constData() + end, line);
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
    Simplify(d_text.constData() + d_position, d_text.constData() + d_text.size(), line);
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
