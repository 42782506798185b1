#include "src/output/report.h"

#include "src/laserfile.h"

#include <QDir>

namespace
{

const QString Rule_Equals(38, QLatin1Char('='));
const QString Rule_Hyphens(38, QLatin1Char('-'));

// Temperatures carry the ring above (U+02DA) directly before the C.
QStringList Environment_Lines(const TLaserFile& file)
{
    return {
        QStringLiteral("Environmental Data"),
        Rule_Hyphens,
        QString(),
        QStringLiteral("Air Temperature: %1 \u02DAC").arg(file.d_air_temperature, 0, 'f', 2),
        QStringLiteral("Air Pressure   : %1 kPa").arg(file.d_air_pressure, 0, 'f', 3),
        QStringLiteral("Air Humidity   : %1 %").arg(file.d_air_humidity, 0, 'f', 1),
        QStringLiteral("Mat Temperature: %1 \u02DAC").arg(file.d_material_temperature, 0, 'f', 2),
        QString()};
}

QString Row(const TVector2& point)
{
    return QStringLiteral("%1 %2").arg(point.x, 11, 'f', 4).arg(point.y, 18, 'f', 4);
}

} // namespace

QStringList Report_Lines(const TLaserFile& file, int section)
{
    QStringList lines = {
        QStringLiteral("Vantrel"),
        Rule_Equals,
        QString(),
        QStringLiteral("Input File Name: %1").arg(QDir::toNativeSeparators(file.d_file_name)),
        QStringLiteral("Input File Description: %1").arg(file.Type_Description()),
        QStringLiteral("Active Section: %1").arg(file.Section_Label(section)),
        QString()};
    if (file.d_has_environment)
        lines += Environment_Lines(file);
    lines += {QStringLiteral("Measurement Data"),
              Rule_Hyphens,
              QString(),
              QStringLiteral("Number of Measurements: %1").arg(file.Run_Count(section)),
              QString(),
              QStringLiteral("    Target           Mean Deviation"),
              Rule_Hyphens};
    const TLaserRun mean = file.Section_Data(section, -1);
    lines.reserve(lines.size() + static_cast<int>(mean.size()));
    for (const TVector2& point : mean)
        lines += Row(point);
    return lines;
}

QString Load_Error_Line(const TLaserFile& file)
{
    return QStringLiteral("ERR:  %1").arg(file.d_error_message);
}
