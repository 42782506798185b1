#ifndef VANTREL_SRC_EVALUATION_TARGETFIGURES_H
#define VANTREL_SRC_EVALUATION_TARGETFIGURES_H

#include "src/evaluation/evaluation.h"

#include <initializer_list>
#include <vector>

// Arithmetic on values that may be undefined, and the figures of an axis taken over its
// targets: an undefined term, or a result that is no finite number, makes the result empty.

TValue Finite(double value);
TValue Sum(const TValue& a, const TValue& b);
TValue Difference(const TValue& a, const TValue& b);
TValue Scaled(double factor, const TValue& a);
TValue Magnitude(const TValue& a);

// One value per target, in the order of the targets.
using TSeries = std::vector<TValue>;

// The largest value of the `high` series less the smallest of the `low` ones, at the positions
// (one per target) of the first target where each occurs. Empty when there is no target or any
// value is undefined.
TFigure Range_Figure(const char* name, TQuantity quantity, const std::vector<double>& positions,
                     std::initializer_list<const TSeries*> high,
                     std::initializer_list<const TSeries*> low);
// The largest value of the series, at the position of the first target where it occurs.
TFigure Largest_Figure(const char* name, TQuantity quantity, const std::vector<double>& positions,
                       std::initializer_list<const TSeries*> series);
// The mean of the series over the targets.
TFigure Mean_Figure(const char* name, TQuantity quantity, const TSeries& series);

// The evaluation's table per target, of deviations: each column one value per target of its
// positions.
struct TSeriesColumn
{
    const char* Title;
    const TSeries& Values;
};
void Set_Table(TEvaluation& evaluation, std::initializer_list<TSeriesColumn> columns);
// A curve of its chart through the values where they are defined; none when they never are.
void Add_Curve(TEvaluation& evaluation, TCurveRole role, const char* name, const TSeries& values);

#endif
