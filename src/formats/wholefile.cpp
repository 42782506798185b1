#include "src/formats/wholefile.h"

#include <QFile>

#include <algorithm>
#include <climits>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#endif

namespace
{

// The size of a huge page on the systems that have them.
constexpr quintptr Huge_Page = quintptr(2) << 20;

// Counted in blocks whose count fits one byte, which the compiler turns into vector
// instructions: a general count with a wide counter takes several times as long.
std::size_t Count_Line_Feeds(const char* data, std::size_t size)
{
    constexpr std::size_t Block = 255;
    std::size_t count = 0;
    for (std::size_t begin = 0; begin < size; begin += Block)
    {
        const std::size_t end = std::min(size, begin + Block);
        unsigned char in_block = 0;
        for (std::size_t k = begin; k < end; ++k)
            in_block += data[k] == '\n' ? 1 : 0;
        count += in_block;
    }
    return count;
}

} // namespace

QByteArray Read_Whole_File(QFile& file)
{
    const qint64 size = file.size();
    if (file.isSequential() || size < qint64(2 * Huge_Page) || size >= qint64(INT_MAX))
        return file.readAll();
    QByteArray content;
    // Grown without filling, so that no page is touched before the hint.
    content.resize(static_cast<int>(size));
    Prefer_Huge_Pages(content.data(), static_cast<std::size_t>(size));
    const qint64 read = file.read(content.data(), size);
    content.resize(static_cast<int>(std::max(read, qint64(0))));
    // Whatever the file grew by since its size was taken.
    const QByteArray rest = file.readAll();
    if (!rest.isEmpty())
        content += rest;
    return content;
}

void Prefer_Huge_Pages(void* data, std::size_t size)
{
#ifdef Q_OS_LINUX
    const quintptr begin = (reinterpret_cast<quintptr>(data) + Huge_Page - 1) & ~(Huge_Page - 1);
    const quintptr end = (reinterpret_cast<quintptr>(data) + size) & ~(Huge_Page - 1);
    if (end > begin)
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#else
    Q_UNUSED(data);
    Q_UNUSED(size);
#endif
}

THuge_Pages Map_Huge_Pages(std::size_t size)
{
#ifdef Q_OS_LINUX
    const std::size_t whole = (size + Huge_Page - 1) & ~(Huge_Page - 1);
    // Mapped a huge page longer, then cut to start on one.
    void* const mapped = mmap(nullptr, whole + Huge_Page, PROT_READ | PROT_WRITE,
                              MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        return {nullptr, 0};
    const quintptr start = reinterpret_cast<quintptr>(mapped);
    const quintptr begin = (start + Huge_Page - 1) & ~(Huge_Page - 1);
    const quintptr end = begin + whole;
    if (begin > start)
        munmap(mapped, begin - start);
    if (start + whole + Huge_Page > end)
        munmap(reinterpret_cast<void*>(end), start + whole + Huge_Page - end);
    madvise(reinterpret_cast<void*>(begin), whole, MADV_HUGEPAGE);
    return {reinterpret_cast<void*>(begin), whole};
#else
    Q_UNUSED(size);
    return {nullptr, 0};
#endif
}

void Unmap_Huge_Pages(const THuge_Pages& pages)
{
#ifdef Q_OS_LINUX
    if (pages.Data != nullptr)
        munmap(pages.Data, pages.Size);
#else
    Q_UNUSED(pages);
#endif
}

std::size_t Most_Records(const QByteArray& content)
{
    constexpr std::size_t Shortest_Record_Line = 6;
    const std::size_t line_feeds =
        Count_Line_Feeds(content.constData(), static_cast<std::size_t>(content.size()));
    return std::min(line_feeds, static_cast<std::size_t>(content.size()) / Shortest_Record_Line) +
           1;
}
