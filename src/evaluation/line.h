#ifndef VANTREL_SRC_EVALUATION_LINE_H
#define VANTREL_SRC_EVALUATION_LINE_H

#include "src/laserfile.h"

#include <array>
#include <optional>

// A straight line through measured points: x the position in mm, y the deviation.
struct TLine
{
    double Intercept = 0.0; // a, in the deviation unit
    double Slope = 0.0;     // b, in the deviation unit per millimetre
    double At(double position) const { return Intercept + Slope * position; }
};

// Three points, by their place in a run, at rising positions.
using TZoneReference = std::array<std::size_t, 3>;

// Whether every coordinate of the points is a finite number.
bool All_Finite(const TLaserRun& points);
// The line if both its numbers are finite, else nothing.
std::optional<TLine> Finite_Line(double intercept, double slope);

#endif
