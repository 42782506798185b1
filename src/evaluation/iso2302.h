#ifndef VANTREL_SRC_EVALUATION_ISO2302_H
#define VANTREL_SRC_EVALUATION_ISO2302_H

#include "src/laserfile.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The positioning figures of ISO 230-2:2014 (coverage factor 2) for section 1 of a linear
// positioning file, in the section's own deviation unit. A value the standard's formula
// cannot give (no run in a direction, fewer than two for a standard deviation, or a result
// that is no finite number) is empty.
using TIsoValue = std::optional<double>;

// The statistics at one target i, over the evaluated runs.
struct TIsoTarget
{
    double Position = 0.0;
    TIsoValue Mean_Up;   // the mean of the up deviations
    TIsoValue Mean_Down; // the mean of the down deviations
    TIsoValue S_Up;      // their standard deviations, with n - 1
    TIsoValue S_Down;
    TIsoValue Reversal; // B = mean up - mean down
    TIsoValue R_Up;     // 4 s up
    TIsoValue R_Down;   // 4 s down
    TIsoValue R;        // max(2 s up + 2 s down + |B|, R up, R down)
    TIsoValue Mean;     // (mean up + mean down) / 2
};

// One figure of the axis. A figure taken as a largest value names its target in High_Target;
// one taken as a range names the targets of its largest and smallest terms. Targets count
// from 1; 0 names none.
struct TIsoFigure
{
    QString Name;
    TIsoValue Value;
    int High_Target = 0;
    int Low_Target = 0;
};

struct TIsoEvaluation
{
    int Runs_Up = 0;
    int Runs_Down = 0;
    int Runs_Left_Out = 0; // shorter than the longest run of the section
    std::vector<TIsoTarget> Targets;
    // A, A up, A down, B, B mean, E, E up, E down, M, R, R up, R down.
    std::vector<TIsoFigure> Figures;
};

// The standard asks for this many runs in each direction.
constexpr int Iso_Runs_Asked = 5;

// Empty when the file is of a kind the evaluation is for; else the error line that says why
// it is not. (Without a run in section 1 the evaluation holds no target and no figure.)
QString Iso_Refusal(const TLaserFile& file);

// The evaluation of section 1 of the file; meant for files Iso_Refusal accepts.
TIsoEvaluation Evaluate_Iso_230_2(const TLaserFile& file);

// The evaluation as comma-separated lines in the C locale: the figures, an empty line, then
// one line per target. The window's copy, its file and the command line all use these.
QStringList Iso_Csv_Lines(const TIsoEvaluation& evaluation);
// The lines, each ended by a line feed.
QString Iso_Csv_Text(const TIsoEvaluation& evaluation);
// A value as the lines give it: 12 significant digits, empty when undefined.
QString Iso_Number(const TIsoValue& value);

// The column titles of the lines per target, and the cells of target `index` (from 0) in
// that order: its number (from 1), its position and its values.
QStringList Iso_Target_Columns();
QStringList Iso_Target_Cells(const TIsoEvaluation& evaluation, std::size_t index);
// An edge of the band of two standard deviations about a mean: mean + sign * 2s.
TIsoValue Iso_Band_Edge(const TIsoValue& mean, const TIsoValue& s, double sign);

#endif
