#include "src/window/folderwalk.h"

#include "src/laserfile.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace
{

// The file manager's order, made total: names that differ only in case follow their code
// points, so that every file has one place and a walk visits each once.
class TNameOrder
{
public:
    TNameOrder()
    {
        d_collator.setNumericMode(true);
        d_collator.setCaseSensitivity(Qt::CaseInsensitive);
    }

    bool operator()(const QString& first, const QString& second) const
    {
        const int order = d_collator.compare(first, second);
        return order != 0 ? order < 0 : first < second;
    }

private:
    QCollator d_collator;
};

// The names of the folder's files (no hidden ones, as a file manager shows them) that the
// loader takes for a kind it reads, judged on the whole path as a load judges it.
QStringList Readable_Names(const QDir& folder)
{
    const TLaserFile loader;
    QStringList names;
    for (const QString& name : folder.entryList(QDir::Files, QDir::NoSort))
        if (loader.Detect_File_Type(folder.filePath(name), QByteArray()) != Unknown_Type)
            names << name;
    return names;
}

} // namespace

QString Neighbour_File(const QString& path, int step)
{
    if (path.isEmpty())
        return QString();
    const QFileInfo current(path);
    const QDir folder = current.absoluteDir();
    QStringList names = Readable_Names(folder);
    const TNameOrder order;
    std::sort(names.begin(), names.end(), order);
    const QString name = current.fileName();
    if (step > 0)
    {
        const auto next = std::upper_bound(names.cbegin(), names.cend(), name, order);
        return next == names.cend() ? QString() : folder.filePath(*next);
    }
    const auto at = std::lower_bound(names.cbegin(), names.cend(), name, order);
    return at == names.cbegin() ? QString() : folder.filePath(*(at - 1));
}
