#include "src/evaluation/vdi3441.h"

#include "src/evaluation/directionstatistics.h"

namespace
{

struct TVdiSeries
{
    TSeries Mean, U, Ps, Low, High;
};

TVdiSeries Series_Of(const TPositioningStatistics& statistics)
{
    const TDirectionStatistics& up = statistics.Up;
    const TDirectionStatistics& down = statistics.Down;
    TVdiSeries t;
    for (std::size_t j = 0; j < up.Mean.size(); ++j)
    {
        const TValue mean = Scaled(0.5, Sum(up.Mean[j], down.Mean[j]));
        const TValue u = Magnitude(Difference(up.Mean[j], down.Mean[j]));
        const TValue ps = Scaled(6.0, Scaled(0.5, Sum(up.S[j], down.S[j])));
        t.Mean.push_back(mean);
        t.U.push_back(u);
        t.Ps.push_back(ps);
        t.Low.push_back(Difference(Difference(mean, Scaled(0.5, u)), Scaled(0.5, ps)));
        t.High.push_back(Sum(Sum(mean, Scaled(0.5, u)), Scaled(0.5, ps)));
    }
    return t;
}

} // namespace

TEvaluation Evaluate_Vdi_3441(const TLaserFile& file, int section, const TEvaluationOptions&)
{
    const TPositioningStatistics statistics = Positioning_Statistics(file, section);
    const TVdiSeries t = Series_Of(statistics);
    TEvaluation evaluation = Evaluation_Of(file, section, "vdi3441", "VDI/DGQ 3441");
    evaluation.Counts = Positioning_Counts(statistics.Runs);
    evaluation.Positions = statistics.Runs.Positions;
    const std::vector<double>& x = evaluation.Positions;
    const TQuantity d = TQuantity::Deviation;
    evaluation.Figures = {
        Range_Figure("p", d, x, {&t.High}, {&t.Low}),
        Range_Figure("pa", d, x, {&t.Mean}, {&t.Mean}),
        Mean_Figure("u mean", d, t.U),
        Largest_Figure("u max", d, x, {&t.U}),
        Largest_Figure("ps max", d, x, {&t.Ps}),
        Mean_Figure("ps mean", d, t.Ps),
    };
    Add_Column(evaluation, "mean up", d, statistics.Up.Mean);
    Add_Column(evaluation, "mean down", d, statistics.Down.Mean);
    Add_Column(evaluation, "s up", d, statistics.Up.S);
    Add_Column(evaluation, "s down", d, statistics.Down.S);
    Add_Column(evaluation, "mean", d, t.Mean);
    Add_Column(evaluation, "u", d, t.U);
    Add_Column(evaluation, "ps", d, t.Ps);
    Add_Column(evaluation, "low", d, t.Low);
    Add_Column(evaluation, "high", d, t.High);
    Add_Curve(evaluation, TCurveRole::Band, "low", t.Low);
    Add_Curve(evaluation, TCurveRole::Band, "high", t.High);
    Add_Curve(evaluation, TCurveRole::Mean, "mean", t.Mean);
    return evaluation;
}
