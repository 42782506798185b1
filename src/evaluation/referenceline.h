#ifndef VANTREL_SRC_EVALUATION_REFERENCELINE_H
#define VANTREL_SRC_EVALUATION_REFERENCELINE_H

#include "src/evaluation/evaluations.h"
#include "src/evaluation/line.h"

#include <functional>
#include <optional>

// Straight lines through measured points (x the position in mm, y the deviation), about which
// a straightness is measured or a slope read.

// The line of that kind through the points. Nothing when they hold fewer than two distinct
// positions, or a point or the line is no finite number. `start` is the minimum zone's (see
// Minimum_Zone_Line).
std::optional<TLine> Reference_Line(TReferenceLine kind, const TLaserRun& points,
                                    TZoneReference* start = nullptr);

// Ordinary least squares of the deviation on the position.
std::optional<TLine> Least_Squares_Line(const TLaserRun& points);
// Through the first point at the smallest position and the first at the largest.
std::optional<TLine> End_Points_Line(const TLaserRun& points);

// The residuals of the points about a line (the deviation less the line): their largest less
// their smallest, at the positions of the first points where each occurs. Empty without a
// point, or when a residual is no finite number.
struct TResidualRange
{
    TValue Range;
    TValue High_Position;
    TValue Low_Position;
};
TResidualRange Residual_Range(const TLaserRun& points, const TLine& line);

// The largest residual range of a single run about its own line, which `line_of` gives (or
// none), with the run (from 1) and the positions where it occurs. A run without a line is
// passed over; a point or a residual that is no finite number makes the figure empty.
TFigure Highest_Run_Figure(const char* name, const TLaserSection& runs,
                           const std::function<std::optional<TLine>(const TLaserRun&)>& line_of);

// The figures of a line: "slope" (per millimetre), "intercept" and "slope per metre"; empty
// without a line.
std::vector<TFigure> Line_Figures(const std::optional<TLine>& line);

// The line moved up by `offset` as a curve of a chart, from the smallest to the largest of the
// finite positions; none without two of them.
void Add_Line_Curve(TEvaluation& evaluation, TCurveRole role, const char* name, const TLine& line,
                    double offset);

#endif
