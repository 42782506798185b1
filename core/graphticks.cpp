#include "core/graphticks.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace
{

const int Most_Labels = 1000;
// The powers of ten of a step stay among the normal doubles.
const double Least_Exponent = -307.0;
const double Most_Exponent = 308.0;
// A tick this many steps beyond an end still counts: 0.3 / 0.1 falls just short of 3.
const double Tolerance = 1e-9;
// And this many times the larger end's magnitude, where that is more: the ends and the
// multiples are rounded to it.
const double Rounding = 4.0 * std::numeric_limits<double>::epsilon();
// From a step at most the range's share of a label, three or four steps up always put few
// enough ticks in it; beyond this many the range is given up.
const int Most_Tries = 12;
const std::array<double, 3> Mantissas = {1.0, 2.0, 5.0};

// A step, its labels' decimals, and how far beyond the range a multiple of it still counts.
struct TStep
{
    double Size;
    int Decimals;
    double Slack;
};

// The step Try places up the sequence 1, 2, 5, 10, ... from 10^Exponent, for a range whose
// larger end has the given magnitude. Beyond the largest double it is the largest double,
// which leaves zero as the only round tick.
TStep StepOf(int Try, int Exponent, double Magnitude)
{
    const int Power = Exponent + Try / 3;
    double Size = Mantissas[Try % 3] * std::pow(10.0, Power);
    if (!std::isfinite(Size))
        Size = std::numeric_limits<double>::max();
    return {Size, std::max(0, -Power), std::max(Tolerance * Size, Rounding * Magnitude)};
}

// The indices of the first and the last multiple of the step within [Low, High], give or
// take its slack. A quotient may round to just past a whole number: the neighbour is tried.
struct TSpan
{
    double First;
    double Last;
    double Count() const { return Last - First + 1.0; }
};

TSpan MultiplesIn(double Low, double High, const TStep& Step)
{
    TSpan Span{std::ceil(Low / Step.Size), std::floor(High / Step.Size)};
    if ((Span.First - 1.0) * Step.Size >= Low - Step.Slack)
        Span.First -= 1.0;
    if ((Span.Last + 1.0) * Step.Size <= High + Step.Slack)
        Span.Last += 1.0;
    return Span;
}

// At most Most multiples of the step from the first in the range. Where the step is near
// the precision of the values, neighbours may round to the same double or label: those
// are left out, as are values that rounding moved out of the range.
TAxisTicks TicksAt(const TSpan& Span, const TStep& Step, int Most, double Low, double High)
{
    TAxisTicks Ticks;
    Ticks.Decimals = Step.Decimals;
    const int Count = static_cast<int>(std::clamp(Span.Count(), 0.0, static_cast<double>(Most)));
    for (int Index = 0; Index < Count; ++Index)
    {
        // Adding zero turns a negative zero into zero.
        const double Value = (Span.First + Index) * Step.Size + 0.0;
        if (Value < Low - Step.Slack || Value > High + Step.Slack ||
            (!Ticks.Values.empty() && Value <= Ticks.Values.back()))
            continue;
        const QString Label = TickLabel(Value, Step.Decimals);
        if (!Ticks.Labels.isEmpty() && Label == Ticks.Labels.back())
            continue;
        Ticks.Values.push_back(Value);
        Ticks.Labels << Label;
    }
    return Ticks;
}

// A range of one value: that value to six significant digits, without trailing zeros.
TAxisTicks SingleTick(double Value)
{
    const double Magnitude = std::floor(std::log10(std::abs(Value)));
    TAxisTicks Ticks;
    Ticks.Decimals = static_cast<int>(std::clamp(5.0 - Magnitude, 0.0, 5.0 - Least_Exponent));
    QString Label = TickLabel(Value, Ticks.Decimals);
    for (; Ticks.Decimals > 0 && Label.endsWith(QLatin1Char('0')); --Ticks.Decimals)
        Label.chop(1);
    if (Label.endsWith(QLatin1Char('.')))
        Label.chop(1);
    Ticks.Values.push_back(Value);
    Ticks.Labels << Label;
    return Ticks;
}

} // namespace

TAxisTicks RoundTicks(double Low, double High, int MaxLabels)
{
    if (!std::isfinite(Low) || !std::isfinite(High) || MaxLabels < 1)
        return {};
    if (Low > High)
        std::swap(Low, High);
    if (Low == High)
        return SingleTick(Low);
    const int Most = std::min(MaxLabels, Most_Labels);
    // Halves: the span of two finite doubles may overflow, half of it cannot. A span too
    // small to halve starts at the smallest step.
    const double HalfSpan = High * 0.5 - Low * 0.5;
    const double Exponent = std::floor(std::log10(HalfSpan) + std::log10(2.0 / Most));
    const int First = static_cast<int>(std::clamp(Exponent, Least_Exponent, Most_Exponent));
    const double Magnitude = std::max(std::abs(Low), std::abs(High));
    for (int Try = 0; Try < Most_Tries; ++Try)
    {
        const TStep Step = StepOf(Try, First, Magnitude);
        const TSpan Span = MultiplesIn(Low, High, Step);
        if (Span.Count() > Most)
            continue;
        // A single label may find no round value under a larger step (0.2 to 0.4 has none
        // at 0.5): the first of the smaller step's then.
        if (Span.Count() < 1.0 && Try > 0)
        {
            const TStep Smaller = StepOf(Try - 1, First, Magnitude);
            return TicksAt(MultiplesIn(Low, High, Smaller), Smaller, Most, Low, High);
        }
        return TicksAt(Span, Step, Most, Low, High);
    }
    return {};
}

QString TickLabel(double Value, int Decimals)
{
    QString Label = QString::number(Value, 'f', Decimals);
    const bool Zero = std::none_of(
        Label.cbegin(), Label.cend(),
        [](QChar Digit) { return Digit >= QLatin1Char('1') && Digit <= QLatin1Char('9'); });
    if (Zero && Label.startsWith(QLatin1Char('-')))
        Label.remove(0, 1);
    return Label;
}
