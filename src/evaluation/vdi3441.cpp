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
    const std::size_t targets = up.Mean.size();
    TVdiSeries t{TSeries(targets), TSeries(targets), TSeries(targets), TSeries(targets),
                 TSeries(targets)};
    for (std::size_t j = 0; j < targets; ++j)
    {
        t.Mean[j] = Scaled(0.5, Sum(up.Mean[j], down.Mean[j]));
        t.U[j] = Magnitude(Difference(up.Mean[j], down.Mean[j]));
        t.Ps[j] = Scaled(6.0, Scaled(0.5, Sum(up.S[j], down.S[j])));
        const TValue half_u = Scaled(0.5, t.U[j]);
        const TValue half_ps = Scaled(0.5, t.Ps[j]);
        t.Low[j] = Difference(Difference(t.Mean[j], half_u), half_ps);
        t.High[j] = Sum(Sum(t.Mean[j], half_u), half_ps);
    }
    return t;
}

} // namespace

TEvaluation Evaluate_Vdi_3441(const TLaserFile& file, int section, const TEvaluationOptions&)
{
    const TPositioningStatistics statistics = Positioning_Statistics(file, section);
    const TVdiSeries t = Series_Of(statistics);
    TEvaluation evaluation =
        Positioning_Evaluation(file, section, "vdi3441", "VDI/DGQ 3441", statistics.Runs);
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
    Set_Table(evaluation, {{"mean up", statistics.Up.Mean},
                           {"mean down", statistics.Down.Mean},
                           {"s up", statistics.Up.S},
                           {"s down", statistics.Down.S},
                           {"mean", t.Mean},
                           {"u", t.U},
                           {"ps", t.Ps},
                           {"low", t.Low},
                           {"high", t.High}});
    Add_Curve(evaluation, TCurveRole::Band, "low", t.Low);
    Add_Curve(evaluation, TCurveRole::Band, "high", t.High);
    Add_Curve(evaluation, TCurveRole::Mean, "mean", t.Mean);
    return evaluation;
}
