#ifndef VANTREL_SRC_UNITS_H
#define VANTREL_SRC_UNITS_H

#include <QString>

#include <optional>

// The units a section's deviations can be in: lengths for linear and straightness data,
// angles for angular data.
enum class TDeviationUnit
{
    Nanometre,
    Micrometre,
    Millimetre,
    Inch,
    Micrometre_Per_Metre,
    Millimetre_Per_Metre,
    Arc_Second
};

struct TUnitInfo
{
    TDeviationUnit Unit;
    const char* Name;   // as the command line and the CSV texts write it, ASCII: "um/m"
    const char* Symbol; // as the window and documents show it: "µm/m" (UTF-8)
    bool Is_Angle;
    int Decimals; // shown in fixed notation: about a nanometre's (or a milli-arc-second's) worth
    double Arc_Second; // one arc second in this unit; 0 for a length
    double Millimetre; // one millimetre in this unit; 0 for an angle
};

const TUnitInfo& Unit_Info(TDeviationUnit unit);
// The unit of a name as Unit_Info gives it; nothing for any other text.
std::optional<TDeviationUnit> Unit_Named(const QString& name);
// The names of the length or the angle units, apart by ", ", for messages and help.
QString Unit_Names(bool angles);
QString Unit_Symbol(TDeviationUnit unit);
// What a value in `from` is multiplied by to be in `to`, two units of one dimension.
double Unit_Factor(TDeviationUnit from, TDeviationUnit to);

// Positions are always stored in millimetres.
const char* const Position_Unit_Name = "mm";

// One arc second in millimetres per metre (tan of 1/3600 degree times 1000), as the API XD
// readers convert arc seconds.
constexpr double Arc_Second_In_Millimetres_Per_Metre = 0.0048481368110764;

// An angular value in arc seconds; nothing for a length unit.
std::optional<double> In_Arc_Seconds(double value, TDeviationUnit unit);

#endif
