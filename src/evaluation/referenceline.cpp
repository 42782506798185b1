#include "src/evaluation/referenceline.h"

#include "src/evaluation/minimumzone.h"
#include "src/evaluation/targetfigures.h"

#include <QLatin1String>

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

std::optional<TLine> Reference_Line(TReferenceLine kind, const TLaserRun& points,
                                    TZoneReference* start)
{
    switch (kind)
    {
    case TReferenceLine::Least_Squares:
        return Least_Squares_Line(points);
    case TReferenceLine::End_Points:
        return End_Points_Line(points);
    case TReferenceLine::Minimum_Zone:
        return Minimum_Zone_Line(points, start);
    }
    return std::nullopt;
}

// About the points' centre, so that large positions cost no precision. A coordinate that is
// no finite number makes a sum, and so the line, no finite number.
std::optional<TLine> Least_Squares_Line(const TLaserRun& points)
{
    if (points.empty())
        return std::nullopt;
    const double count = static_cast<double>(points.size());
    double x_sum = 0.0;
    double y_sum = 0.0;
    for (const TVector2& point : points)
    {
        x_sum += point.x;
        y_sum += point.y;
    }
    const double x_mean = x_sum / count;
    const double y_mean = y_sum / count;
    double xx = 0.0;
    double xy = 0.0;
    for (const TVector2& point : points)
    {
        const double dx = point.x - x_mean;
        xx += dx * dx;
        xy += dx * (point.y - y_mean);
    }
    if (!(xx > 0.0))
        return std::nullopt;
    const double slope = xy / xx;
    return Finite_Line(y_mean - slope * x_mean, slope);
}

std::optional<TLine> End_Points_Line(const TLaserRun& points)
{
    if (points.empty() || !All_Finite(points))
        return std::nullopt;
    const auto by_position = [](const TVector2& a, const TVector2& b) { return a.x < b.x; };
    // minmax_element gives the last of equal largest ones; the first is wanted.
    const TVector2 first = *std::min_element(points.begin(), points.end(), by_position);
    const TVector2 last = *std::max_element(points.begin(), points.end(), by_position);
    if (!(last.x > first.x))
        return std::nullopt;
    const double slope = (last.y - first.y) / (last.x - first.x);
    return Finite_Line(first.y - slope * first.x, slope);
}

TResidualRange Residual_Range(const TLaserRun& points, const TLine& line)
{
    if (points.empty())
        return TResidualRange();
    double high = points.front().y - line.At(points.front().x);
    double low = high;
    std::size_t high_at = 0;
    std::size_t low_at = 0;
    for (std::size_t i = 0; i < points.size(); ++i)
    {
        const double residual = points[i].y - line.At(points[i].x);
        if (!std::isfinite(residual))
            return TResidualRange();
        if (residual > high)
            std::tie(high, high_at) = std::make_pair(residual, i);
        if (residual < low)
            std::tie(low, low_at) = std::make_pair(residual, i);
    }
    const TValue range = Finite(high - low);
    if (!range)
        return TResidualRange();
    return {range, Finite(points[high_at].x), Finite(points[low_at].x)};
}

TFigure Highest_Run_Figure(const char* name, const TLaserSection& runs,
                           const std::function<std::optional<TLine>(const TLaserRun&)>& line_of)
{
    TFigure highest;
    highest.Name = QLatin1String(name);
    const TFigure unknown = highest;
    for (std::size_t k = 0; k < runs.size(); ++k)
    {
        const std::optional<TLine> line = line_of(runs[k]);
        if (!line && !All_Finite(runs[k]))
            return unknown;
        if (!line)
            continue;
        const TResidualRange range = Residual_Range(runs[k], *line);
        if (!range.Range)
            return unknown;
        if (highest.Value && *range.Range <= *highest.Value)
            continue;
        highest.Value = range.Range;
        highest.High_Position = range.High_Position;
        highest.Low_Position = range.Low_Position;
        highest.Run = static_cast<int>(k) + 1;
    }
    return highest;
}

std::vector<TFigure> Line_Figures(const std::optional<TLine>& line)
{
    std::vector<TFigure> figures(3);
    figures[0].Name = QStringLiteral("slope");
    figures[0].Quantity = TQuantity::Slope;
    figures[1].Name = QStringLiteral("intercept");
    figures[2].Name = QStringLiteral("slope per metre");
    figures[2].Quantity = TQuantity::Slope_Per_Metre;
    if (line)
    {
        figures[0].Value = line->Slope;
        figures[1].Value = line->Intercept;
        figures[2].Value = Finite(1000.0 * line->Slope);
    }
    return figures;
}

void Add_Line_Curve(TEvaluation& evaluation, TCurveRole role, const char* name, const TLine& line,
                    double offset)
{
    double first = std::numeric_limits<double>::infinity();
    double last = -first;
    for (const double x : evaluation.Positions)
        if (std::isfinite(x))
        {
            first = std::min(first, x);
            last = std::max(last, x);
        }
    const TValue at_first = Finite(line.At(first) + offset);
    const TValue at_last = Finite(line.At(last) + offset);
    if (last > first && at_first && at_last)
        evaluation.Curves.push_back(
            {role, QLatin1String(name), {{first, *at_first}, {last, *at_last}}});
}
