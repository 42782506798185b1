#ifndef VANTREL_CORE_GRAPHTICKS_H
#define VANTREL_CORE_GRAPHTICKS_H

#include <QString>
#include <QStringList>

#include <vector>

// The ticks of an axis at a round step, each with its label.
struct TAxisTicks
{
    // Ascending, within the range.
    std::vector<double> Values;
    // One for each value, all with the same number of decimals.
    QStringList Labels;
    int Decimals = 0;
};

// The ticks of [Low, High] (the ends in either order) at the smallest step of 1, 2 or 5 times
// a power of ten that puts at most MaxLabels (at most 1000) of them in the range, with
// decimals enough to tell neighbours apart. A range of one value gets that value alone;
// an end that is not a finite number, or MaxLabels below 1, gets none.
TAxisTicks RoundTicks(double Low, double High, int MaxLabels);

// Fixed notation with the given decimals and a full stop; a value that rounds to zero has
// no minus sign.
QString TickLabel(double Value, int Decimals);

#endif
