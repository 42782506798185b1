#ifndef VANTREL_SRC_FORMATS_WHOLEFILE_H
#define VANTREL_SRC_FORMATS_WHOLEFILE_H

#include <QByteArray>

#include <cstddef>
#include <vector>

class QFile;

// What QIODevice::readAll gives for a file opened for reading. A large file is read into
// memory backed by huge pages where the system offers them for the asking: a page fault
// for every 4 KiB of it would cost more than reading it.
QByteArray Read_Whole_File(QFile& file);

// Asks for huge pages under the whole huge pages that a buffer not yet written spans. A
// hint only: the buffer is the same whether it is taken or not.
void Prefer_Huge_Pages(void* data, std::size_t size);

// Memory of at least `size` bytes that starts on a huge page and takes whole huge pages, so
// that every page of it is one fault where the system offers huge pages; null where it
// cannot be had. Released with Unmap_Huge_Pages.
struct THuge_Pages
{
    void* Data;
    std::size_t Size;
};
THuge_Pages Map_Huge_Pages(std::size_t size);
void Unmap_Huge_Pages(const THuge_Pages& pages);

// A bound of the number of records of three numbers that the content can hold: each line
// but the last ends with a line feed, and none is shorter than "0 0 0".
std::size_t Most_Records(const QByteArray& content);

// Room for as many records as the content can hold, so that they never move, in memory
// that faults a huge page at a time where the system offers it.
template <typename TRecord>
void Reserve_Records(std::vector<TRecord>& records, const QByteArray& content)
{
    records.reserve(Most_Records(content));
    Prefer_Huge_Pages(records.data(), records.capacity() * sizeof(TRecord));
}

#endif
