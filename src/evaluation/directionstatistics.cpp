#include "src/evaluation/directionstatistics.h"

#include <QString>

#include <algorithm>
#include <cmath>

namespace
{

TDirectionRuns Runs_By_Direction(const TLaserFile& file, int section)
{
    const TLaserSection& runs = file.Runs(section);
    std::size_t targets = 0;
    for (const TLaserRun& run : runs)
        targets = std::max(targets, run.size());
    TDirectionRuns split;
    for (std::size_t k = 0; k < runs.size(); ++k)
    {
        if (runs[k].size() < targets)
        {
            ++split.Left_Out;
            continue;
        }
        const bool falling =
            file.Run_Direction(section, static_cast<int>(k)) == TRunDirection::Down;
        (falling ? split.Down : split.Up).push_back(&runs[k]);
        if (split.Positions.empty())
            for (const TVector2& point : runs[k])
                split.Positions.push_back(point.x);
    }
    return split;
}

// Run by run rather than target by target, so that each run is read straight through.
TDirectionStatistics Statistics_Of(const std::vector<const TLaserRun*>& runs, std::size_t targets)
{
    TDirectionStatistics statistics{TSeries(targets), TSeries(targets)};
    if (runs.empty())
        return statistics;
    const double count = static_cast<double>(runs.size());
    std::vector<double> means(targets, 0.0);
    for (const TLaserRun* run : runs)
        for (std::size_t i = 0; i < targets; ++i)
            means[i] += (*run)[i].y;
    for (std::size_t i = 0; i < targets; ++i)
    {
        means[i] /= count;
        statistics.Mean[i] = Finite(means[i]);
    }
    if (runs.size() < 2)
        return statistics;
    std::vector<double> squares(targets, 0.0);
    for (const TLaserRun* run : runs)
        for (std::size_t i = 0; i < targets; ++i)
        {
            const double deviation = (*run)[i].y - means[i];
            squares[i] += deviation * deviation;
        }
    for (std::size_t i = 0; i < targets; ++i)
        statistics.S[i] = Finite(std::sqrt(squares[i] / (count - 1.0)));
    return statistics;
}

} // namespace

TPositioningStatistics Positioning_Statistics(const TLaserFile& file, int section)
{
    TPositioningStatistics statistics;
    statistics.Runs = Runs_By_Direction(file, section);
    const std::size_t targets = statistics.Runs.Positions.size();
    statistics.Up = Statistics_Of(statistics.Runs.Up, targets);
    statistics.Down = Statistics_Of(statistics.Runs.Down, targets);
    return statistics;
}

TEvaluation Positioning_Evaluation(const TLaserFile& file, int section, const char* name,
                                   const char* title, const TDirectionRuns& runs)
{
    TEvaluation evaluation = Evaluation_Of(file, section, name, title);
    evaluation.Counts = {{QStringLiteral("targets"), static_cast<qint64>(runs.Positions.size())},
                         {QStringLiteral("runs up"), static_cast<qint64>(runs.Up.size())},
                         {QStringLiteral("runs down"), static_cast<qint64>(runs.Down.size())},
                         {QStringLiteral("runs left out"), runs.Left_Out}};
    evaluation.Positions = runs.Positions;
    return evaluation;
}
