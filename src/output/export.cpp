#include "src/output/export.h"

#include "src/output/outputfile.h"

#include <QDir>

#include <algorithm>

namespace
{

QString Number(double value)
{
    return QString::number(value, 'f', 5);
}

// The position of row `index`: from the first run that reaches that far.
QString Position_Of_Row(const TLaserSection& runs, std::size_t index)
{
    for (const TLaserRun& run : runs)
        if (index < run.size())
            return Number(run[index].x);
    return QString();
}

// Each line in Latin-1 and ended by a line feed, which a device opened as text writes as the
// platform's line end.
QByteArray Csv_Bytes(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + '\n';
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
    TLaserSection runs;
    for (int k = 0; k < file.Run_Count(section); ++k)
        runs.push_back(file.Section_Data(section, k));
    std::size_t rows = 0;
    for (const TLaserRun& run : runs)
        rows = std::max(rows, run.size());

    QStringList lines;
    lines.reserve(static_cast<int>(rows));
    for (std::size_t i = 0; i < rows; ++i)
    {
        QString line = Position_Of_Row(runs, i);
        for (const TLaserRun& run : runs)
        {
            line += separator;
            if (i < run.size())
                line += Number(run[i].y);
        }
        lines += line;
    }
    return lines;
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
