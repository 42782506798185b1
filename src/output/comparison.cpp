#include "src/output/comparison.h"

#include "src/laserfile.h"
#include "src/output/report.h"

namespace
{

// The kind's description inside a sentence, without its closing full stop.
QString Kind_In_Sentence(const TLaserFile& file)
{
    const QString description = file.Type_Description();
    return description.endsWith(QLatin1Char('.')) ? description.chopped(1) : description;
}

} // namespace

QString Comparison_Refusal(const TLaserFile& reference, const TLaserFile& file)
{
    if (Measurement_Family(reference.d_file_type) == Measurement_Family(file.d_file_type))
        return QString();
    return QStringLiteral("ERR:  A %1 file cannot be compared with a %2 file.")
        .arg(Kind_In_Sentence(reference), Kind_In_Sentence(file));
}

QString Load_Reference(TLaserFile& reference, const QString& path, const TLaserFile& file)
{
    reference.Clear();
    if (!reference.Load(path))
        return Load_Error_Line(reference);
    return Comparison_Refusal(reference, file);
}

double Reference_Factor(const TLaserFile& reference, const TLaserFile& file)
{
    return Unit_Factor(reference.Deviation_Unit(), file.Deviation_Unit());
}
