#include "src/evaluation/straightness.h"

#include "src/evaluation/referenceline.h"
#include "src/evaluation/targetfigures.h"

#include <algorithm>

TEvaluation Evaluate_Straightness(const TLaserFile& file, int section,
                                  const TEvaluationOptions& options)
{
    const TReferenceLine kind = options.Reference_Line;
    const TLaserRun mean = file.Section_Data(section, -1);
    // Where the mean's minimum zone was found, each run's is sought first.
    TZoneReference start = {0, 0, 0};
    const std::optional<TLine> line = Reference_Line(kind, mean, &start);
    TEvaluation evaluation =
        Evaluation_Of(file, section, "straightness", "Straightness (ISO 230-1:2012)");
    evaluation.Counts = {{QStringLiteral("targets"), static_cast<qint64>(mean.size())},
                         {QStringLiteral("runs"), file.Run_Count(section)}};
    evaluation.Settings = {{QStringLiteral("reference line"), Reference_Line_Name(kind)}};
    TSeries values, fitted(mean.size()), residual(mean.size());
    for (std::size_t j = 0; j < mean.size(); ++j)
    {
        evaluation.Positions.push_back(mean[j].x);
        values.push_back(Finite(mean[j].y));
        if (line)
            fitted[j] = Finite(line->At(mean[j].x));
        residual[j] = Difference(values[j], fitted[j]);
    }
    const std::vector<double>& x = evaluation.Positions;
    const TFigure straightness =
        Range_Figure("straightness", TQuantity::Deviation, x, {&residual}, {&residual});
    evaluation.Figures = {straightness};
    for (const TFigure& figure : Line_Figures(line))
        evaluation.Figures.push_back(figure);
    evaluation.Figures.push_back(Highest_Run_Figure("highest run straightness", file.Runs(section),
                                                    [kind, &start](const TLaserRun& run)
                                                    { return Reference_Line(kind, run, &start); }));
    Set_Table(evaluation, {{"mean", values}, {"line", fitted}, {"residual", residual}});
    Add_Curve(evaluation, TCurveRole::Mean, "mean", values);
    // The zone: parallel to the line through the highest and the lowest residual.
    if (line && straightness.Value)
    {
        const auto ends = std::minmax_element(residual.begin(), residual.end());
        Add_Line_Curve(evaluation, TCurveRole::Line, "reference line", *line, 0.0);
        Add_Line_Curve(evaluation, TCurveRole::Zone, "zone low", *line, **ends.first);
        Add_Line_Curve(evaluation, TCurveRole::Zone, "zone high", *line, **ends.second);
    }
    return evaluation;
}
