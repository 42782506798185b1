#include "src/output/deflatestream.h"

#include "core/check.h"

#include <QtEndian>

#include <algorithm>
#include <functional>
#include <queue>
#include <utility>

namespace
{

// A Huffman code as the stream takes it, its first bit lowest.
struct TCode
{
    quint32 Bits = 0;
    int Length = 0;
};

const int End_Of_Block = 256;
const int Longest_Copy = 258;
const int Shortest_Copy = 3;
// Longest codes: of literals, lengths and distances, and of the code lengths.
const int Longest_Code = 15;
const int Longest_Length_Code = 7;
// The tokens of one block: a bound on the memory they take.
const std::size_t Block_Tokens = std::size_t(1) << 16;
const quint32 Copy_Flag = 0x80000000u;
const int Distance_Shift = 9;
// The bits of a block's header: its type, the counts, the code of the code lengths and the
// lengths of both codes, each length given as it is.
const int Most_Header_Bits = 3 + 5 + 5 + 4 + 19 * 3 + (286 + 30) * Longest_Length_Code;
// A copy's length code, its extra bits, its distance code and their extra bits.
const int Most_Token_Bits = Longest_Code + 5 + Longest_Code + 13;

// The first length of each length symbol from 257 on, and its extra bits.
constexpr std::array<int, 29> Length_Bases = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                              15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                              67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> Length_Extra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                              2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> Distance_Bases = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> Distance_Extra = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which a block's header gives the lengths of the code of the code lengths.
constexpr std::array<int, 19> Length_Code_Order = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                   11, 4,  12, 3, 13, 2, 14, 1, 15};

// For each value first + step * k, the index of the last base at or below it.
template <std::size_t Values, std::size_t Count>
constexpr std::array<quint8, Values> Base_Indices(const std::array<int, Count>& bases, int first,
                                                  int step)
{
    std::array<quint8, Values> indices{};
    std::size_t index = 0;
    for (std::size_t k = 0; k < Values; ++k)
    {
        while (index + 1 < Count && bases[index + 1] <= first + step * int(k))
            ++index;
        indices[k] = quint8(index);
    }
    return indices;
}

constexpr auto Length_Indices = Base_Indices<Longest_Copy + 1>(Length_Bases, 0, 1);
// Beyond 256 every base is one more than a multiple of 128: one index serves 128 distances.
constexpr auto Near_Distance_Indices = Base_Indices<257>(Distance_Bases, 0, 1);
constexpr auto Far_Distance_Indices = Base_Indices<256>(Distance_Bases, 1, 128);

int Length_Index(int length)
{
    return Length_Indices[std::size_t(length)];
}

int Distance_Index(int distance)
{
    return distance <= 256 ? Near_Distance_Indices[std::size_t(distance)]
                           : Far_Distance_Indices[std::size_t(distance - 1) >> 7];
}

// The length of each symbol's code in a Huffman code for the counts (0: the symbol has none).
std::vector<int> Huffman_Lengths(const std::vector<quint32>& counts)
{
    using TWeighted = std::pair<quint64, int>; // count, node
    std::priority_queue<TWeighted, std::vector<TWeighted>, std::greater<TWeighted>> queue;
    std::vector<int> parents(counts.size(), -1);
    for (std::size_t symbol = 0; symbol < counts.size(); ++symbol)
        if (counts[symbol] > 0)
            queue.push({counts[symbol], int(symbol)});
    while (queue.size() > 1)
    {
        const TWeighted first = queue.top();
        queue.pop();
        const TWeighted second = queue.top();
        queue.pop();
        const int node = int(parents.size());
        parents.push_back(-1);
        parents[std::size_t(first.second)] = node;
        parents[std::size_t(second.second)] = node;
        queue.push({first.first + second.first, node});
    }
    std::vector<int> lengths(counts.size(), 0);
    for (std::size_t symbol = 0; symbol < counts.size(); ++symbol)
        for (int node = parents[symbol]; node >= 0; node = parents[std::size_t(node)])
            ++lengths[symbol];
    return lengths;
}

// Code lengths of at most `longest` bits for the counts, with at least two codes, so that
// every code is complete. Counts are halved until the code is short enough: rare symbols
// then weigh more, which shortens the longest codes.
std::vector<int> Code_Lengths(std::vector<quint32> counts, int longest)
{
    auto coded =
        std::count_if(counts.begin(), counts.end(), [](quint32 count) { return count > 0; });
    for (std::size_t symbol = 0; coded < 2; ++symbol)
        if (counts[symbol] == 0)
        {
            counts[symbol] = 1;
            ++coded;
        }
    for (;;)
    {
        const std::vector<int> lengths = Huffman_Lengths(counts);
        if (*std::max_element(lengths.begin(), lengths.end()) <= longest)
            return lengths;
        for (quint32& count : counts)
            count = (count + 1) / 2;
    }
}

quint32 Reversed(quint32 code, int length)
{
    quint32 reversed = 0;
    for (int bit = 0; bit < length; ++bit)
        reversed |= ((code >> bit) & 1) << (length - 1 - bit);
    return reversed;
}

// The canonical codes of the lengths: shorter codes first, and in the order of the symbols
// among codes of one length.
std::vector<TCode> Canonical_Codes(const std::vector<int>& lengths)
{
    std::array<quint32, Longest_Code + 1> per_length{};
    for (const int length : lengths)
        if (length > 0)
            ++per_length[std::size_t(length)];
    std::array<quint32, Longest_Code + 1> next{};
    for (std::size_t length = 1; length <= Longest_Code; ++length)
        next[length] = (next[length - 1] + per_length[length - 1]) << 1;
    std::vector<TCode> codes(lengths.size());
    for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol)
        if (lengths[symbol] > 0)
            codes[symbol] = {Reversed(next[std::size_t(lengths[symbol])]++, lengths[symbol]),
                             lengths[symbol]};
    return codes;
}

// The number of symbols up to the last with a code, at least `fewest`.
int Used_Symbols(const std::vector<int>& lengths, int fewest)
{
    int used = int(lengths.size());
    while (used > fewest && lengths[std::size_t(used - 1)] == 0)
        --used;
    return used;
}

} // namespace

TDeflate_Stream::TDeflate_Stream(QByteArray& out) : d_out(out)
{
    // Deflate with a 32 KiB window, no preset dictionary.
    d_out.append("\x78\x01", 2);
    d_at = d_out.data() + d_out.size();
    d_tokens.reserve(Block_Tokens);
}

void TDeflate_Stream::Add_Sums_To_Checksum(std::size_t size, quint64 sum, quint64 weighted)
{
    constexpr quint64 Modulus = 65521;
    // Each of the bytes adds the low sum so far to the high one.
    d_adler_high =
        quint32((d_adler_high + quint64(size % Modulus) * d_adler_low + weighted) % Modulus);
    d_adler_low = quint32((d_adler_low + sum) % Modulus);
}

void TDeflate_Stream::Literal(quint8 byte)
{
    d_tokens.push_back(byte);
    ++d_literal_counts[byte];
    if (d_tokens.size() == Block_Tokens)
        Write_Block(false);
}

void TDeflate_Stream::Copy(int length, int distance)
{
    VANTREL_CHECK(length >= Shortest_Copy && distance >= 1 && distance <= Farthest_Copy);
    while (length > 0)
    {
        // Pieces of at most the longest copy, none shorter than the shortest.
        const int piece = length <= Longest_Copy                  ? length
                          : length - Longest_Copy < Shortest_Copy ? length - Shortest_Copy
                                                                  : Longest_Copy;
        length -= piece;
        d_tokens.push_back(Copy_Flag | quint32(distance - 1) << Distance_Shift | quint32(piece));
        ++d_literal_counts[std::size_t(End_Of_Block + 1 + Length_Index(piece))];
        ++d_distance_counts[std::size_t(Distance_Index(distance))];
        if (d_tokens.size() == Block_Tokens)
            Write_Block(false);
    }
}

void TDeflate_Stream::Finish()
{
    Write_Block(true);
    // To the next whole byte, then the checksum, high byte first: with the bits not yet
    // written, at most 31 + 7 + 32 bits.
    Make_Room(2 * Word_Bytes + 1);
    Put(0, (8 - d_bit_count % 8) % 8);
    for (int shift = 24; shift >= 0; shift -= 8)
        Put(((d_adler_high << 16 | d_adler_low) >> shift) & 0xFF, 8);
    for (; d_bit_count > 0; d_bit_count -= 8, d_bits >>= 8)
        *d_at++ = char(d_bits & 0xFF);
    d_out.resize(Written());
}

void TDeflate_Stream::Make_Room(int bytes)
{
    const int written = Written();
    d_out.resize(written + bytes);
    d_at = d_out.data() + written;
}

int TDeflate_Stream::Written() const
{
    return int(d_at - d_out.constData());
}

inline void TDeflate_Stream::Put(quint32 bits, int count)
{
    d_bits |= quint64(bits) << d_bit_count;
    d_bit_count += count;
    if (d_bit_count >= 8 * Word_Bytes)
    {
        qToLittleEndian(quint32(d_bits), d_at);
        d_at += Word_Bytes;
        d_bits >>= 8 * Word_Bytes;
        d_bit_count -= 8 * Word_Bytes;
    }
}

void TDeflate_Stream::Write_Block(bool last)
{
    d_literal_counts[End_Of_Block] = 1;
    const std::vector<int> literal_lengths = Code_Lengths(
        std::vector<quint32>(d_literal_counts.begin(), d_literal_counts.end()), Longest_Code);
    const std::vector<int> distance_lengths = Code_Lengths(
        std::vector<quint32>(d_distance_counts.begin(), d_distance_counts.end()), Longest_Code);
    Make_Room((Most_Header_Bits + Most_Token_Bits * int(d_tokens.size()) + Longest_Code) / 8 +
              2 * Word_Bytes);
    // A block of dynamic codes, and whether it is the last.
    Put(last ? 1 : 0, 1);
    Put(2, 2);
    Write_Code_Lengths(literal_lengths, distance_lengths);
    const std::vector<TCode> literal_codes = Canonical_Codes(literal_lengths);
    const std::vector<TCode> distance_codes = Canonical_Codes(distance_lengths);
    for (const quint32 token : d_tokens)
    {
        if ((token & Copy_Flag) == 0)
        {
            Put(literal_codes[token].Bits, literal_codes[token].Length);
            continue;
        }
        const int length = int(token & ((1u << Distance_Shift) - 1));
        const int distance = int((token & ~Copy_Flag) >> Distance_Shift) + 1;
        const int length_index = Length_Index(length);
        const TCode& length_code = literal_codes[std::size_t(End_Of_Block + 1 + length_index)];
        Put(length_code.Bits, length_code.Length);
        Put(quint32(length - Length_Bases[std::size_t(length_index)]),
            Length_Extra[std::size_t(length_index)]);
        const int distance_index = Distance_Index(distance);
        const TCode& distance_code = distance_codes[std::size_t(distance_index)];
        Put(distance_code.Bits, distance_code.Length);
        Put(quint32(distance - Distance_Bases[std::size_t(distance_index)]),
            Distance_Extra[std::size_t(distance_index)]);
    }
    Put(literal_codes[End_Of_Block].Bits, literal_codes[End_Of_Block].Length);
    VANTREL_CHECK(Written() <= d_out.size());
    d_tokens.clear();
    d_literal_counts.fill(0);
    d_distance_counts.fill(0);
}

// The header's counts, the code of the code lengths, then the code lengths of both codes,
// each length as it is: no runs of lengths.
void TDeflate_Stream::Write_Code_Lengths(const std::vector<int>& literal_lengths,
                                         const std::vector<int>& distance_lengths)
{
    const int literals = Used_Symbols(literal_lengths, End_Of_Block + 1);
    const int distances = Used_Symbols(distance_lengths, 1);
    std::vector<int> lengths(literal_lengths.begin(), literal_lengths.begin() + literals);
    lengths.insert(lengths.end(), distance_lengths.begin(), distance_lengths.begin() + distances);
    std::vector<quint32> length_counts(Length_Code_Order.size(), 0);
    for (const int length : lengths)
        ++length_counts[std::size_t(length)];
    const std::vector<int> length_lengths = Code_Lengths(length_counts, Longest_Length_Code);
    std::vector<int> ordered;
    for (const int symbol : Length_Code_Order)
        ordered.push_back(length_lengths[std::size_t(symbol)]);
    const int ordered_used = Used_Symbols(ordered, 4);
    Put(quint32(literals - (End_Of_Block + 1)), 5);
    Put(quint32(distances - 1), 5);
    Put(quint32(ordered_used - 4), 4);
    for (int k = 0; k < ordered_used; ++k)
        Put(quint32(ordered[std::size_t(k)]), 3);
    const std::vector<TCode> length_codes = Canonical_Codes(length_lengths);
    for (const int length : lengths)
        Put(length_codes[std::size_t(length)].Bits, length_codes[std::size_t(length)].Length);
}
