#include "src/units.h"

#include "core/check.h"

#include <QStringList>

#include <array>

namespace
{

const std::array<TUnitInfo, 7> Units = {{
    {TDeviationUnit::Nanometre, "nm", "nm", false, 1, 0.0, 1e6},
    {TDeviationUnit::Micrometre, "um", "\u00b5m", false, 3, 0.0, 1e3},
    {TDeviationUnit::Millimetre, "mm", "mm", false, 6, 0.0, 1.0},
    {TDeviationUnit::Inch, "in", "in", false, 7, 0.0, 1.0 / 25.4},
    {TDeviationUnit::Micrometre_Per_Metre, "um/m", "\u00b5m/m", true, 3,
     1000.0 * Arc_Second_In_Millimetres_Per_Metre, 0.0},
    {TDeviationUnit::Millimetre_Per_Metre, "mm/m", "mm/m", true, 6,
     Arc_Second_In_Millimetres_Per_Metre, 0.0},
    {TDeviationUnit::Arc_Second, "arcsec", "arcsec", true, 3, 1.0, 0.0},
}};

} // namespace

const TUnitInfo& Unit_Info(TDeviationUnit unit)
{
    const std::size_t index = static_cast<std::size_t>(unit);
    VANTREL_CHECK(index < Units.size() && Units[index].Unit == unit);
    return Units[index];
}

std::optional<TDeviationUnit> Unit_Named(const QString& name)
{
    for (const TUnitInfo& info : Units)
        if (name == QLatin1String(info.Name))
            return info.Unit;
    return std::nullopt;
}

QString Unit_Names(bool angles)
{
    QStringList names;
    for (const TUnitInfo& info : Units)
        if (info.Is_Angle == angles)
            names << QLatin1String(info.Name);
    return names.join(QStringLiteral(", "));
}

QString Unit_Symbol(TDeviationUnit unit)
{
    return QString::fromUtf8(Unit_Info(unit).Symbol);
}

double Unit_Factor(TDeviationUnit from, TDeviationUnit to)
{
    const TUnitInfo& source = Unit_Info(from);
    const TUnitInfo& target = Unit_Info(to);
    VANTREL_CHECK(source.Is_Angle == target.Is_Angle);
    return source.Is_Angle ? target.Arc_Second / source.Arc_Second
                           : target.Millimetre / source.Millimetre;
}

std::optional<double> In_Arc_Seconds(double value, TDeviationUnit unit)
{
    const TUnitInfo& info = Unit_Info(unit);
    if (!info.Is_Angle)
        return std::nullopt;
    return value / info.Arc_Second;
}
