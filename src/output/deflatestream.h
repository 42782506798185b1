#ifndef VANTREL_SRC_OUTPUT_DEFLATESTREAM_H
#define VANTREL_SRC_OUTPUT_DEFLATESTREAM_H

#include <QByteArray>

#include <array>
#include <cstddef>
#include <vector>

// A zlib stream (RFC 1950) of deflate blocks (RFC 1951) whose Huffman codes are made for
// each block's own symbols, written onto the end of a byte array. The caller finds the
// repetitions: it says which bytes come as they are and which copy bytes written before, and
// gives the sums of every part of the data, in order, to the checksum.
class TDeflate_Stream
{
public:
    // Writes the stream's header.
    explicit TDeflate_Stream(QByteArray& out);

    // `size` bytes of the data: their sum, and their sum weighted `size` for the first byte
    // down to 1 for the last.
    void Add_Sums_To_Checksum(std::size_t size, quint64 sum, quint64 weighted);
    void Literal(quint8 byte);
    // `length` bytes (at least 3) that repeat those `distance` bytes back (1 to 32768); the
    // copy may overlap the bytes it makes.
    void Copy(int length, int distance);

    // Writes the last block and the checksum.
    void Finish();

    static constexpr int Farthest_Copy = 32768;

private:
    // Room for `bytes` bytes more in the output, into which Put writes; the bytes written.
    void Make_Room(int bytes);
    int Written() const;
    void Put(quint32 bits, int count);
    void Write_Block(bool last);
    void Write_Code_Lengths(const std::vector<int>& literal_lengths,
                            const std::vector<int>& distance_lengths);

    QByteArray& d_out;
    // The end of the bytes written: bits go out a word at a time, into room made beforehand.
    static constexpr int Word_Bytes = 4;
    char* d_at = nullptr;
    // Bits not yet written, the first lowest.
    quint64 d_bits = 0;
    int d_bit_count = 0;
    // The block so far: literals as their byte, copies with Copy_Flag, their length and their
    // distance; and how often each literal or length symbol and each distance symbol comes.
    std::vector<quint32> d_tokens;
    std::array<quint32, 286> d_literal_counts{};
    std::array<quint32, 30> d_distance_counts{};
    quint32 d_adler_low = 1;
    quint32 d_adler_high = 0;
};

#endif
