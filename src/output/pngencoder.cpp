#include "src/output/pngencoder.h"

#include "core/check.h"
#include "src/output/deflatestream.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <vector>

namespace
{

const char Signature[] = "\x89PNG\r\n\x1a\n";
// The IHDR fields after the size: 8-bit RGB, deflate compression, PNG's one filter method, no
// interlace.
const char Header_Fields[] = {8, 2, 0, 0, 0};
const char Per_Metre = 1;
const quint8 No_Filter = 0;

constexpr std::array<quint32, 256> Crc_Table = []
{
    std::array<quint32, 256> table{};
    for (quint32 n = 0; n < 256; ++n)
    {
        quint32 value = n;
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1) ? 0xEDB88320u ^ (value >> 1) : value >> 1;
        table[n] = value;
    }
    return table;
}();

// The CRC-32 that ends each chunk.
quint32 Crc(const char* data, int size)
{
    quint32 value = 0xFFFFFFFFu;
    for (const char* end = data + size; data != end; ++data)
        value = Crc_Table[(value ^ quint8(*data)) & 0xFF] ^ (value >> 8);
    return value ^ 0xFFFFFFFFu;
}

void Append_Word(QByteArray& png, quint32 word)
{
    const quint32 stored = qToBigEndian(word);
    png.append(reinterpret_cast<const char*>(&stored), sizeof stored);
}

// A chunk's length comes before its type: it is filled in when the data are written.
int Begin_Chunk(QByteArray& png, const char* type)
{
    Append_Word(png, 0);
    const int start = png.size();
    png.append(type, 4);
    return start;
}

void End_Chunk(QByteArray& png, int start)
{
    qToBigEndian(quint32(png.size() - start - 4), png.data() + start - 4);
    Append_Word(png, Crc(png.constData() + start, png.size() - start));
}

void Append_Header(QByteArray& png, QSize size)
{
    const int start = Begin_Chunk(png, "IHDR");
    Append_Word(png, quint32(size.width()));
    Append_Word(png, quint32(size.height()));
    png.append(Header_Fields, sizeof Header_Fields);
    End_Chunk(png, start);
}

void Append_Resolution(QByteArray& png, const QImage& image)
{
    if (image.dotsPerMeterX() <= 0 || image.dotsPerMeterY() <= 0)
        return;
    const int start = Begin_Chunk(png, "pHYs");
    Append_Word(png, quint32(image.dotsPerMeterX()));
    Append_Word(png, quint32(image.dotsPerMeterY()));
    png.append(Per_Metre);
    End_Chunk(png, start);
}

// How many pixels from `pixels` on, at most `most`, equal those from `model` on, which steps
// by `step` (0: the same pixel each time). The alpha byte of an opaque image is always 255,
// so whole pixels are compared.
int Same_Run(const QRgb* pixels, const QRgb* model, int step, int most)
{
    int count = 0;
    while (count < most && pixels[count] == *model)
    {
        ++count;
        model += step;
    }
    return count;
}

// The rows as the PNG stores them unfiltered: the filter type, then the red, green and blue
// bytes of each pixel. A run of pixels that repeats the pixel to its left, or the pixels
// above it, is a copy of them, whichever run is longer; other pixels are literal bytes. A
// graph is mostly such runs, so that no search for repetitions is needed.
class TRow_Coder
{
public:
    TRow_Coder(TDeflate_Stream& stream, int width)
        : d_stream(stream), d_width(width), d_row_size(1 + 3 * std::size_t(width)),
          d_row(d_row_size + 1)
    {
    }

    void Add_Row(const QRgb* pixels, const QRgb* above)
    {
        Fill_Row(pixels);
        d_stream.Add_To_Checksum(d_row.data(), d_row_size);
        d_stream.Literal(No_Filter);
        const int up_distance = int(d_row_size);
        const bool up = above != nullptr && up_distance <= TDeflate_Stream::Farthest_Copy;
        for (int x = 0; x < d_width;)
        {
            const int left_run = x > 0 ? Same_Run(pixels + x, pixels + x - 1, 0, d_width - x) : 0;
            const int up_run = up ? Same_Run(pixels + x, above + x, 1, d_width - x) : 0;
            if (left_run == 0 && up_run == 0)
            {
                for (std::size_t k = 1 + 3 * std::size_t(x); k < 4 + 3 * std::size_t(x); ++k)
                    d_stream.Literal(d_row[k]);
                ++x;
                continue;
            }
            const int run = std::max(left_run, up_run);
            d_stream.Copy(3 * run, left_run >= up_run ? 3 : up_distance);
            x += run;
        }
    }

private:
    // Each pixel's colour bytes, red first, go in as one word: the next pixel's overwrites
    // the fourth byte, and the last pixel's falls into the spare byte at the end.
    void Fill_Row(const QRgb* pixels)
    {
        d_row[0] = No_Filter;
        for (std::size_t at = 1; at < d_row_size; at += 3, ++pixels)
            qToBigEndian(quint32(*pixels << 8), d_row.data() + at);
    }

    TDeflate_Stream& d_stream;
    const int d_width;
    const std::size_t d_row_size;
    std::vector<quint8> d_row;
};

void Append_Pixels(QByteArray& png, const QImage& image, QSize size)
{
    const int start = Begin_Chunk(png, "IDAT");
    TDeflate_Stream stream(png);
    TRow_Coder rows(stream, size.width());
    for (int y = 0; y < size.height(); ++y)
        rows.Add_Row(reinterpret_cast<const QRgb*>(image.constScanLine(y)),
                     y > 0 ? reinterpret_cast<const QRgb*>(image.constScanLine(y - 1)) : nullptr);
    stream.Finish();
    End_Chunk(png, start);
}

} // namespace

QByteArray Encode_Png(const QImage& image, QSize size)
{
    VANTREL_CHECK(image.format() == QImage::Format_RGB32 && !size.isEmpty() &&
                  image.width() >= size.width() && image.height() >= size.height());
    QByteArray png(Signature, sizeof Signature - 1);
    Append_Header(png, size);
    Append_Resolution(png, image);
    Append_Pixels(png, image, size);
    End_Chunk(png, Begin_Chunk(png, "IEND"));
    return png;
}
