#ifndef VANTREL_SRC_FORMATS_XDFORMAT_H
#define VANTREL_SRC_FORMATS_XDFORMAT_H

#include "src/laserfile.h"

#include <QLatin1String>
#include <QStringMatcher>
#include <QStringView>

#include <array>
#include <vector>

// The two texts a units failure can give. The formats do not agree on which goes where.
enum class TXdUnitsMessage
{
    Unexpected_Text,
    Unknown_Units
};

// One measured value of a data line: its field (counted from 1), the member of the point it
// goes to, and whether it is an angle (else a length).
struct TXdValue
{
    int Field;
    double TXdPoint::*Member;
    bool Is_Angle;
};

// What sets one API XD format apart; the reading itself is shared by all three.
struct TXdFormat
{
    QLatin1String Prefix; // begins every message
    // A data line begins with fields one blank apart, each an optional minus and 1 to this
    // many digits or points; the last field is cut at its width, the rest of the line is
    // not looked at. The pattern "^([-]?[0-9.]{1,12})[ ]([-]?[0-9.]{1,16})" has the widths
    // 12 and 16.
    std::vector<int> Field_Widths;
    std::vector<QStringMatcher> Header_Words; // a data header holds all, letter case ignored
    Qt::CaseSensitivity Initial_Position_Case;
    bool Mismatch_Ends_Reading; // else it only ends the data block
    bool Has_Environment;
    bool Has_Angle_Unit;
    TXdUnitsMessage Units_Split_Message; // a units line that is not two parts at ':'
    TXdUnitsMessage Length_Unit_Message; // a unit text that names no length unit
    std::vector<TXdValue> Values;        // in section order
    void (TLaserFile::*Store)(const std::vector<TXdPoint>& points);
};

const TXdFormat& Xd_Scale_Format();
const TXdFormat& Xd_Straightness_Format();
const TXdFormat& Xd_Angular_Format();

constexpr int Most_Xd_Fields = 4;
// The text of a data line's match (0) and of its fields (from 1), as a pattern captures them.
using TXdFields = std::array<QStringView, Most_Xd_Fields + 1>;

// Whether a simplified line begins as a data line of the format, and where its fields are.
bool Match_Data_Line(const TXdFormat& format, const QString& line, TXdFields& fields);
// The number a field holds, read as QString::toDouble reads it; 0 when it is none (a field
// with two points, say).
double Xd_Field_Value(QStringView field);

#endif
