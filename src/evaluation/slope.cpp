#include "src/evaluation/slope.h"

#include "src/evaluation/directionstatistics.h"
#include "src/evaluation/referenceline.h"
#include "src/evaluation/targetfigures.h"

namespace
{

// The mean of both directions, or of the one measured.
TSeries Mean_Deviations(const TPositioningStatistics& statistics)
{
    TSeries mean;
    for (std::size_t j = 0; j < statistics.Up.Mean.size(); ++j)
    {
        const TValue& up = statistics.Up.Mean[j];
        const TValue& down = statistics.Down.Mean[j];
        mean.push_back(up && down ? Scaled(0.5, Sum(up, down)) : up ? up : down);
    }
    return mean;
}

// The line through every target's mean; none when one is undefined.
std::optional<TLine> Line_Through(const std::vector<double>& positions, const TSeries& mean)
{
    TLaserRun points;
    for (std::size_t j = 0; j < mean.size(); ++j)
    {
        if (!mean[j])
            return std::nullopt;
        points.emplace_back(positions[j], *mean[j]);
    }
    return Least_Squares_Line(points);
}

} // namespace

TEvaluation Evaluate_Slope(const TLaserFile& file, int section, const TEvaluationOptions&)
{
    const TPositioningStatistics statistics = Positioning_Statistics(file, section);
    TEvaluation evaluation =
        Positioning_Evaluation(file, section, "slope", "Slope (scale error)", statistics.Runs);
    const std::vector<double>& x = evaluation.Positions;
    const TSeries mean = Mean_Deviations(statistics);
    const std::optional<TLine> line = Line_Through(x, mean);
    TSeries fitted(x.size());
    TSeries residual(x.size());
    for (std::size_t j = 0; line && j < x.size(); ++j)
    {
        fitted[j] = Finite(line->At(x[j]));
        residual[j] = Difference(mean[j], fitted[j]);
    }
    evaluation.Figures = Line_Figures(line);
    evaluation.Figures.push_back(
        Range_Figure("residual range", TQuantity::Deviation, x, {&residual}, {&residual}));
    Set_Table(evaluation, {{"mean", mean}, {"line", fitted}, {"residual", residual}});
    Add_Curve(evaluation, TCurveRole::Mean, "mean", mean);
    if (line)
        Add_Line_Curve(evaluation, TCurveRole::Line, "least-squares line", *line, 0.0);
    return evaluation;
}
