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
void Run_Ranges(const TLaserFile& file, int section, TSeries& lowest, TSeries& highest)
{
    const TTargetMatch match = file.Match_Targets(section);
    const TLaserSection& runs = file.Runs(section);
    lowest.assign(match.Positions.size(), std::nullopt);
    highest.assign(match.Positions.size(), std::nullopt);
    for (std::size_t t = 0; t < match.Positions.size(); ++t)
    {
        double low = std::numeric_limits<double>::infinity();
        double high = -low;
        bool finite = true;
        for (std::size_t at = match.First[t]; at < match.First[t + 1]; ++at)
        {
            const TTargetMatch::TRunPoint& point = match.Points[at];
            const double value =
                runs[static_cast<std::size_t>(point.Run)][static_cast<std::size_t>(point.Point)].y;
            finite = finite && std::isfinite(value);
            low = std::min(low, value);
            high = std::max(high, value);
        }
        if (finite)
        {
            lowest[t] = low;
            highest[t] = high;
        }
    }
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
    TSeries lowest, highest;
    Run_Ranges(file, section, lowest, highest);
    const std::vector<double>& x = evaluation.Positions;
    const TFigure angle =
        Range_Figure("angular deviation", TQuantity::Deviation, x, {&values}, {&values});
    evaluation.Figures = {angle, Arc_Seconds_Figure(angle, evaluation.Deviation_Unit),
                          Highest_Run_Figure("highest run angular deviation", file.Runs(section),
                                             [](const TLaserRun&)
                                             { return std::optional<TLine>(TLine()); })};
    Add_Column(evaluation, "mean", TQuantity::Deviation, values);
    Add_Column(evaluation, "run min", TQuantity::Deviation, lowest);
    Add_Column(evaluation, "run max", TQuantity::Deviation, highest);
    Add_Curve(evaluation, TCurveRole::Run_Range, "run min", lowest);
    Add_Curve(evaluation, TCurveRole::Run_Range, "run max", highest);
    Add_Curve(evaluation, TCurveRole::Mean, "mean", values);
    return evaluation;
}
