#include "src/evaluation/angular.h"

#include "src/evaluation/referenceline.h"
#include "src/evaluation/targetfigures.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{

// The smallest and the largest value a run has at each target; undefined where one is no
// finite number.
struct TRunRanges
{
    std::vector<double> Lowest;
    std::vector<double> Highest;
    std::vector<bool> Finite;

    explicit TRunRanges(std::size_t targets)
        : Lowest(targets, std::numeric_limits<double>::infinity()),
          Highest(targets, -std::numeric_limits<double>::infinity()), Finite(targets, true)
    {
    }

    void Add(std::size_t target, double value)
    {
        Lowest[target] = std::min(Lowest[target], value);
        Highest[target] = std::max(Highest[target], value);
        Finite[target] = Finite[target] && std::isfinite(value);
    }

    TSeries Series(const std::vector<double>& values) const
    {
        TSeries series(values.size());
        for (std::size_t t = 0; t < values.size(); ++t)
            if (Finite[t])
                series[t] = values[t];
        return series;
    }
};

// Runs that share their positions are read straight through, point k at target k; others as
// the model matches their points to targets.
TRunRanges Run_Ranges(const TLaserFile& file, int section, std::size_t targets)
{
    const TLaserSection& runs = file.Runs(section);
    TRunRanges ranges(targets);
    if (file.Shares_Positions(section))
    {
        for (const TLaserRun& run : runs)
            for (std::size_t t = 0; t < targets; ++t)
                ranges.Add(t, run[t].y);
        return ranges;
    }
    const TTargetMatch match = file.Match_Targets(section);
    for (std::size_t t = 0; t < targets; ++t)
        for (std::size_t at = match.First[t]; at < match.First[t + 1]; ++at)
        {
            const TTargetMatch::TRunPoint& point = match.Points[at];
            ranges.Add(
                t,
                runs[static_cast<std::size_t>(point.Run)][static_cast<std::size_t>(point.Point)].y);
        }
    return ranges;
}

TFigure Arc_Seconds_Figure(const TFigure& angle, TDeviationUnit unit)
{
    TFigure figure = angle;
    figure.Name = QStringLiteral("angular deviation arcsec");
    figure.Quantity = TQuantity::Arc_Seconds;
    figure.Value = angle.Value ? In_Arc_Seconds(*angle.Value, unit) : std::nullopt;
    if (figure.Value)
        figure.Value = Finite(*figure.Value);
    return figure;
}

} // namespace

TEvaluation Evaluate_Angular(const TLaserFile& file, int section, const TEvaluationOptions&)
{
    const TLaserRun mean = file.Section_Data(section, -1);
    TEvaluation evaluation =
        Evaluation_Of(file, section, "angular", "Angular deviation (ISO 230-1:2012)");
    evaluation.Counts = {{QStringLiteral("targets"), static_cast<qint64>(mean.size())},
                         {QStringLiteral("runs"), file.Run_Count(section)}};
    TSeries values;
    for (const TVector2& point : mean)
    {
        evaluation.Positions.push_back(point.x);
        values.push_back(Finite(point.y));
    }
    const TRunRanges ranges = Run_Ranges(file, section, mean.size());
    const TSeries lowest = ranges.Series(ranges.Lowest);
    const TSeries highest = ranges.Series(ranges.Highest);
    const std::vector<double>& x = evaluation.Positions;
    const TFigure angle =
        Range_Figure("angular deviation", TQuantity::Deviation, x, {&values}, {&values});
    evaluation.Figures = {angle, Arc_Seconds_Figure(angle, evaluation.Deviation_Unit),
                          Highest_Run_Figure("highest run angular deviation", file.Runs(section),
                                             [](const TLaserRun& run) {
                                                 return run.empty() ? std::nullopt
                                                                    : std::optional<TLine>(TLine());
                                             })};
    Set_Table(evaluation, {{"mean", values}, {"run min", lowest}, {"run max", highest}});
    Add_Curve(evaluation, TCurveRole::Run_Range, "run min", lowest);
    Add_Curve(evaluation, TCurveRole::Run_Range, "run max", highest);
    Add_Curve(evaluation, TCurveRole::Mean, "mean", values);
    return evaluation;
}
