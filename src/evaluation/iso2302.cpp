#include "src/evaluation/iso2302.h"

#include "src/evaluation/directionstatistics.h"

#include <QLatin1String>

#include <algorithm>

namespace
{

TValue Largest(std::initializer_list<TValue> values)
{
    TValue largest;
    for (const TValue& value : values)
    {
        if (!value)
            return std::nullopt;
        largest = largest ? std::max(*largest, *value) : *value;
    }
    return largest;
}

// An edge of the band of two standard deviations about a mean: mean + sign * 2s.
TValue Band_Edge(const TValue& mean, const TValue& s, double sign)
{
    return Sum(mean, Scaled(sign * 2.0, s));
}

// The values per target, in the order of the table's columns, then the terms of the figures.
struct TIsoSeries
{
    TSeries Mean_Up, Mean_Down, S_Up, S_Down, B, R_Up, R_Down, R, Mean;
    TSeries Up_High, Up_Low, Down_High, Down_Low, B_Size;
};

TIsoSeries Series_Of(const TPositioningStatistics& statistics)
{
    TIsoSeries t;
    t.Mean_Up = statistics.Up.Mean;
    t.Mean_Down = statistics.Down.Mean;
    t.S_Up = statistics.Up.S;
    t.S_Down = statistics.Down.S;
    const std::size_t targets = t.Mean_Up.size();
    for (TSeries* series : {&t.B, &t.R_Up, &t.R_Down, &t.R, &t.Mean, &t.Up_High, &t.Up_Low,
                            &t.Down_High, &t.Down_Low, &t.B_Size})
        series->resize(targets);
    for (std::size_t i = 0; i < targets; ++i)
    {
        const TValue reversal = Difference(t.Mean_Up[i], t.Mean_Down[i]);
        const TValue spread =
            Sum(Sum(Scaled(2.0, t.S_Up[i]), Scaled(2.0, t.S_Down[i])), Magnitude(reversal));
        t.B[i] = reversal;
        t.R_Up[i] = Scaled(4.0, t.S_Up[i]);
        t.R_Down[i] = Scaled(4.0, t.S_Down[i]);
        t.R[i] = Largest({spread, t.R_Up[i], t.R_Down[i]});
        t.Mean[i] = Scaled(0.5, Sum(t.Mean_Up[i], t.Mean_Down[i]));
        t.Up_High[i] = Band_Edge(t.Mean_Up[i], t.S_Up[i], 1.0);
        t.Up_Low[i] = Band_Edge(t.Mean_Up[i], t.S_Up[i], -1.0);
        t.Down_High[i] = Band_Edge(t.Mean_Down[i], t.S_Down[i], 1.0);
        t.Down_Low[i] = Band_Edge(t.Mean_Down[i], t.S_Down[i], -1.0);
        t.B_Size[i] = Magnitude(reversal);
    }
    return t;
}

std::vector<TFigure> Figures_Of(const TIsoSeries& t, const std::vector<double>& x)
{
    const TQuantity d = TQuantity::Deviation;
    return {
        Range_Figure("A", d, x, {&t.Up_High, &t.Down_High}, {&t.Up_Low, &t.Down_Low}),
        Range_Figure("A up", d, x, {&t.Up_High}, {&t.Up_Low}),
        Range_Figure("A down", d, x, {&t.Down_High}, {&t.Down_Low}),
        Largest_Figure("B", d, x, {&t.B_Size}),
        Mean_Figure("B mean", d, t.B),
        Range_Figure("E", d, x, {&t.Mean_Up, &t.Mean_Down}, {&t.Mean_Up, &t.Mean_Down}),
        Range_Figure("E up", d, x, {&t.Mean_Up}, {&t.Mean_Up}),
        Range_Figure("E down", d, x, {&t.Mean_Down}, {&t.Mean_Down}),
        Range_Figure("M", d, x, {&t.Mean}, {&t.Mean}),
        Largest_Figure("R", d, x, {&t.R}),
        Largest_Figure("R up", d, x, {&t.R_Up}),
        Largest_Figure("R down", d, x, {&t.R_Down}),
    };
}

void Add_Table(TEvaluation& evaluation, const TIsoSeries& t)
{
    Set_Table(evaluation, {{"mean up", t.Mean_Up},
                           {"mean down", t.Mean_Down},
                           {"s up", t.S_Up},
                           {"s down", t.S_Down},
                           {"B", t.B},
                           {"R up", t.R_Up},
                           {"R down", t.R_Down},
                           {"R", t.R},
                           {"mean", t.Mean}});
}

// The standard's chart: each direction's mean with its band of two standard deviations
// either side, the bands drawn first.
void Add_Curves(TEvaluation& evaluation, const TIsoSeries& t)
{
    Add_Curve(evaluation, TCurveRole::Band_Up, "mean up - 2s", t.Up_Low);
    Add_Curve(evaluation, TCurveRole::Band_Down, "mean down - 2s", t.Down_Low);
    Add_Curve(evaluation, TCurveRole::Band_Up, "mean up + 2s", t.Up_High);
    Add_Curve(evaluation, TCurveRole::Band_Down, "mean down + 2s", t.Down_High);
    Add_Curve(evaluation, TCurveRole::Mean_Up, "mean up", t.Mean_Up);
    Add_Curve(evaluation, TCurveRole::Mean_Down, "mean down", t.Mean_Down);
}

QString Runs_Warning(const TDirectionRuns& runs)
{
    const std::size_t up = runs.Up.size();
    const std::size_t down = runs.Down.size();
    if (up >= Iso_Runs_Asked && down >= Iso_Runs_Asked)
        return QString();
    return QStringLiteral("Fewer runs than ISO 230-2 asks for: %1 up and %2 down, where it asks "
                          "for %3 in each direction.")
        .arg(up)
        .arg(down)
        .arg(Iso_Runs_Asked);
}

} // namespace

TEvaluation Evaluate_Iso_230_2(const TLaserFile& file, int section, const TEvaluationOptions&)
{
    const TPositioningStatistics statistics = Positioning_Statistics(file, section);
    const TIsoSeries series = Series_Of(statistics);
    TEvaluation evaluation =
        Positioning_Evaluation(file, section, "iso230-2", "ISO 230-2:2014", statistics.Runs);
    evaluation.Figures = Figures_Of(series, evaluation.Positions);
    Add_Table(evaluation, series);
    Add_Curves(evaluation, series);
    evaluation.Warning = Runs_Warning(statistics.Runs);
    return evaluation;
}
