#include "src/output/pngencoder.h"

#include "core/check.h"
#include "src/output/deflatestream.h"

#include <QtEndian>

#include <array>
#include <cstring>

namespace
{

const char Signature[] = "\x89PNG\r\n\x1a\n";
// The IHDR fields after the size: 8-bit RGB, deflate compression, PNG's one filter method, no
// interlace.
const char Header_Fields[] = {8, 2, 0, 0, 0};
const char Per_Metre = 1;
const quint8 No_Filter = 0;

// The CRC-32 of a byte followed by k zero bytes, in table k: eight bytes are taken at a time.
using TCrc_Tables = std::array<std::array<quint32, 256>, 8>;
constexpr TCrc_Tables Crc_Tables = []
{
    TCrc_Tables tables{};
    for (quint32 n = 0; n < 256; ++n)
    {
        quint32 value = n;
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1) ? 0xEDB88320u ^ (value >> 1) : value >> 1;
        tables[0][n] = value;
    }
    for (std::size_t k = 1; k < tables.size(); ++k)
        for (std::size_t n = 0; n < 256; ++n)
            tables[k][n] = (tables[k - 1][n] >> 8) ^ tables[0][tables[k - 1][n] & 0xFF];
    return tables;
}();

// The CRC-32 that ends each chunk.
quint32 Crc(const char* data, int size)
{
    quint32 value = 0xFFFFFFFFu;
    const char* const words_end = data + size / 8 * 8;
    for (; data != words_end; data += 8)
    {
        const quint32 low = value ^ qFromLittleEndian<quint32>(data);
        const quint32 high = qFromLittleEndian<quint32>(data + 4);
        value = Crc_Tables[7][low & 0xFF] ^ Crc_Tables[6][(low >> 8) & 0xFF] ^
                Crc_Tables[5][(low >> 16) & 0xFF] ^ Crc_Tables[4][low >> 24] ^
                Crc_Tables[3][high & 0xFF] ^ Crc_Tables[2][(high >> 8) & 0xFF] ^
                Crc_Tables[1][(high >> 16) & 0xFF] ^ Crc_Tables[0][high >> 24];
    }
    for (const char* end = data + size % 8; data != end; ++data)
        value = Crc_Tables[0][(value ^ quint8(*data)) & 0xFF] ^ (value >> 8);
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

// How many pixels from `pixels` on, at most `most`, equal those from `model` on. Blocks that
// are the same are passed over as a whole; two pixels are compared at a time within the
// block that differs. The alpha byte of an opaque image is always 255, so whole pixels are
// compared.
int Same_Pixels(const QRgb* pixels, const QRgb* model, int most)
{
    constexpr int Block = 32;
    int count = 0;
    while (count + Block <= most &&
           std::memcmp(pixels + count, model + count, Block * sizeof(QRgb)) == 0)
        count += Block;
    for (; count + 2 <= most; count += 2)
    {
        quint64 pair;
        quint64 model_pair;
        std::memcpy(&pair, pixels + count, sizeof pair);
        std::memcpy(&model_pair, model + count, sizeof model_pair);
        if (pair != model_pair)
            break;
    }
    while (count < most && pixels[count] == model[count])
        ++count;
    return count;
}

// How many pixels from `pixels` on, at most `most`, have the colour `colour`.
int Same_Colour(const QRgb* pixels, QRgb colour, int most)
{
    const quint64 pair = quint64(colour) << 32 | colour;
    int count = 0;
    for (; count + 2 <= most; count += 2)
    {
        quint64 pixel_pair;
        std::memcpy(&pixel_pair, pixels + count, sizeof pixel_pair);
        if (pixel_pair != pair)
            break;
    }
    while (count < most && pixels[count] == colour)
        ++count;
    return count;
}

// What a row's bytes add to Adler-32: their sum, and their sum weighted by the row's length
// for its first byte down to 1 for its last.
struct TRow_Sums
{
    qint64 Sum = 0;
    qint64 Weighted = 0;
};

// The rows as the PNG stores them unfiltered: the filter type, then the red, green and blue
// bytes of each pixel. A run of pixels that repeats the pixels above it, or the pixel to its
// left, is a copy of them, whichever run is longer; other pixels are literal bytes. A graph is
// mostly such runs, so that no search for repetitions is needed.
//
// A row mostly repeats the one above, and so do its sums: they are the sums of the row above
// and what the pixels that differ from it change, so that each row's checksum costs as many
// steps as it has pixels that are not copied from above.
class TRow_Coder
{
public:
    TRow_Coder(TDeflate_Stream& stream, int width)
        : d_stream(stream), d_width(width), d_row_size(1 + 3 * std::size_t(width))
    {
    }

    void Add_Row(const QRgb* pixels, const QRgb* above)
    {
        d_stream.Literal(No_Filter);
        const int up_distance = int(d_row_size);
        const bool up = above != nullptr && up_distance <= TDeflate_Stream::Farthest_Copy;
        for (int x = 0; x < d_width;)
        {
            const int up_run = up ? Same_Pixels(pixels + x, above + x, d_width - x) : 0;
            // A long run from above is taken as it is: the one to the left is hardly longer.
            const int left_run = x > 0 && up_run < Long_Run
                                     ? Same_Colour(pixels + x, pixels[x - 1], d_width - x)
                                     : 0;
            if (up_run == 0 && left_run == 0)
            {
                Add_Literal(pixels[x]);
                Change_Sums(pixels, above, x, x + 1);
                ++x;
            }
            else if (left_run > up_run)
            {
                d_stream.Copy(3 * left_run, 3);
                Change_Sums(pixels, above, x, x + left_run);
                x += left_run;
            }
            else
            {
                d_stream.Copy(3 * up_run, up_distance);
                x += up_run;
            }
        }
        d_stream.Add_Sums_To_Checksum(d_row_size, quint64(d_sums.Sum), quint64(d_sums.Weighted));
    }

private:
    static constexpr int Long_Run = 8;

    void Add_Literal(QRgb pixel)
    {
        d_stream.Literal(quint8(qRed(pixel)));
        d_stream.Literal(quint8(qGreen(pixel)));
        d_stream.Literal(quint8(qBlue(pixel)));
    }

    // What the pixel at x adds to the row's sums: its bytes start 1 + 3x bytes into the row.
    TRow_Sums Pixel_Sums(QRgb pixel, int x) const
    {
        const qint64 sum = qRed(pixel) + qGreen(pixel) + qBlue(pixel);
        return {sum, 3 * qint64(d_width - x) * sum - qGreen(pixel) - 2 * qBlue(pixel)};
    }

    // The pixels from `first` up to `last` replace those above them (none: all zero) in the
    // sums.
    void Change_Sums(const QRgb* pixels, const QRgb* above, int first, int last)
    {
        for (int x = first; x < last; ++x)
        {
            const TRow_Sums added = Pixel_Sums(pixels[x], x);
            d_sums.Sum += added.Sum;
            d_sums.Weighted += added.Weighted;
            if (above == nullptr)
                continue;
            const TRow_Sums removed = Pixel_Sums(above[x], x);
            d_sums.Sum -= removed.Sum;
            d_sums.Weighted -= removed.Weighted;
        }
    }

    TDeflate_Stream& d_stream;
    const int d_width;
    const std::size_t d_row_size;
    // The sums of the row coded last.
    TRow_Sums d_sums;
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
