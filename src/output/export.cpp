#include "src/output/export.h"

#include "src/output/outputfile.h"

#include <QDir>

#include <cstdint>

namespace
{

QString Number(double value)
{
    return QString::number(value, 'f', 5);
}

// A table with more empty cells than this is refused: each takes a separator at least.
constexpr std::uint64_t Most_Empty_Cells = 10000000;

std::uint64_t Empty_Cells(const TTargetMatch& match, int runs)
{
    return static_cast<std::uint64_t>(match.Positions.size()) * static_cast<std::uint64_t>(runs) -
           match.Points.size();
}

QString Refusal(const TTargetMatch& match, int runs)
{
    if (Empty_Cells(match, runs) <= Most_Empty_Cells)
        return QString();
    return QStringLiteral("ERR:  The table of all runs would be too large: %1 targets by %2 runs.")
        .arg(match.Positions.size())
        .arg(runs);
}

// Each line in UTF-8 and ended by a line feed, which a device opened as text writes as the
// platform's line end. (Numbers are ASCII; a path in an evaluation's text may not be.)
QByteArray Csv_Bytes(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + '\n';
    return bytes;
}

} // namespace

QString Deviation_Text(const TLaserRun& mean, double sign)
{
    QString text;
    for (const TVector2& point : mean)
        text += Number(sign * point.y) + QLatin1Char('\n');
    return text;
}

QStringList All_Data_Table(const TLaserFile& file, int section, QChar separator)
{
    const TTargetMatch match = file.Match_Targets(section);
    const int run_count = file.Run_Count(section);
    if (!Refusal(match, run_count).isEmpty())
        return QStringList();
    TLaserSection runs;
    for (int k = 0; k < run_count; ++k)
        runs.push_back(file.Section_Data(section, k));

    QStringList lines;
    lines.reserve(static_cast<int>(match.Positions.size()));
    for (std::size_t t = 0; t < match.Positions.size(); ++t)
    {
        QString line = Number(match.Positions[t]);
        // The target's points are in run order: the next one is in the column of its run.
        std::size_t at = match.First[t];
        for (int k = 0; k < run_count; ++k)
        {
            line += separator;
            if (at < match.First[t + 1] && match.Points[at].Run == k)
                line += Number(runs[static_cast<std::size_t>(k)]
                                   [static_cast<std::size_t>(match.Points[at++].Point)]
                                       .y);
        }
        lines += line;
    }
    return lines;
}

QString All_Data_Refusal(const TLaserFile& file, int section)
{
    return Refusal(file.Match_Targets(section), file.Run_Count(section));
}

QString Suggested_Name(const QString& file_name, const QString& label, const QString& extension)
{
    // Only a dot within the file's own name starts its extension, not one in a folder name.
    const int name_start = file_name.lastIndexOf(QLatin1Char('/')) + 1;
    const int dot = file_name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot >= name_start ? file_name.left(dot) : file_name;
    return QStringLiteral("%1 - %2.%3").arg(stem, label, extension);
}

QString Suggested_Csv_Name(const QString& file_name, const QString& label)
{
    return Suggested_Name(file_name, label, QStringLiteral("csv"));
}

bool Write_Csv(const QString& path, const QStringList& lines)
{
    return Write_Output_File(path, Csv_Bytes(lines), QIODevice::Text);
}

bool Write_Csv_Lines(QIODevice& device, const QStringList& lines)
{
    const QByteArray bytes = Csv_Bytes(lines);
    return device.write(bytes) == bytes.size();
}

QString Cannot_Write_Line(const QString& path)
{
    return QStringLiteral("ERR:  Cannot write output file '%1'")
        .arg(QDir::toNativeSeparators(path));
}
