#ifndef VANTREL_SRC_XDFORMAT_H
#define VANTREL_SRC_XDFORMAT_H

#include "src/laserfile.h"

#include <QLatin1String>
#include <QRegularExpression>
#include <QStringMatcher>

#include <vector>

// The two texts a units failure can give. The formats do not agree on which goes where.
enum class TXdUnitsMessage
{
    Unexpected_Text,
    Unknown_Units
};

// One measured value of a data line: its field of the data-line pattern, the member of the
// point it goes to, and whether it is an angle (else a length).
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
    QRegularExpression Data_Line;
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

// The format's data-line pattern applied to a simplified line.
QRegularExpressionMatch Match_Data_Line(const TXdFormat& format, const QString& line);

#endif
