#ifndef VANTREL_SRC_EVALUATION_MINIMUMZONE_H
#define VANTREL_SRC_EVALUATION_MINIMUMZONE_H

#include "src/evaluation/line.h"

// The minimum-zone line of the points: of all lines, the one whose largest vertical distance
// to a point is smallest (the minimax, or Chebyshev, fit), midway in the narrowest band
// of two parallel lines that holds every point. Unique when the positions are distinct; with
// points that share a position one of the lines of the narrowest band. Nothing for fewer than
// two distinct positions or a point that is no finite number.
//
// The search begins from the three points of `start` when it names three at rising positions,
// and leaves there the three the line was found from: runs of one measurement mostly share
// theirs.
std::optional<TLine> Minimum_Zone_Line(const TLaserRun& points, TZoneReference* start = nullptr);

#endif
