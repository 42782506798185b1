#include "src/evaluation/minimumzone.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>

namespace
{

// Whether c lies on the left of the line from a to b (or on it).
bool Turns_Left(const TVector2& a, const TVector2& b, const TVector2& c)
{
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x) >= 0.0;
}

// The lower and the upper convex hull, each from left to right. Only the lowest and the
// highest point at a position can touch the band, and only hull corners can.
struct THulls
{
    std::vector<TVector2> Lower;
    std::vector<TVector2> Upper;

    void Add(const TVector2& lowest, const TVector2& highest)
    {
        while (Lower.size() >= 2 && !Turns_Left(Lower[Lower.size() - 2], Lower.back(), lowest))
            Lower.pop_back();
        Lower.push_back(lowest);
        while (Upper.size() >= 2 && Turns_Left(Upper[Upper.size() - 2], Upper.back(), highest))
            Upper.pop_back();
        Upper.push_back(highest);
    }
};

// From points in rising position, each run of one position taken as its lowest and highest;
// nothing when they do not rise.
template <typename TIterator>
std::optional<THulls> Rising_Hulls(TIterator begin, TIterator end)
{
    THulls hulls;
    for (TIterator at = begin; at != end;)
    {
        TVector2 lowest = *at;
        TVector2 highest = *at;
        for (++at; at != end && at->x == lowest.x; ++at)
        {
            lowest.y = std::min(lowest.y, at->y);
            highest.y = std::max(highest.y, at->y);
        }
        if (at != end && at->x < lowest.x)
            return std::nullopt;
        hulls.Add(lowest, highest);
    }
    return hulls;
}

// Runs are mostly stored rising or falling, and are read as they are; others are sorted.
THulls Hulls_Of(const TLaserRun& points)
{
    if (std::optional<THulls> hulls = Rising_Hulls(points.begin(), points.end()))
        return *hulls;
    if (std::optional<THulls> hulls = Rising_Hulls(points.rbegin(), points.rend()))
        return *hulls;
    TLaserRun sorted = points;
    std::sort(sorted.begin(), sorted.end(),
              [](const TVector2& a, const TVector2& b) { return a.x < b.x; });
    return *Rising_Hulls(sorted.begin(), sorted.end());
}

// Whether the edge from a to b is no steeper than the one from c to d (both rise in x): the
// slopes compared without dividing.
bool No_Steeper(const TVector2& a, const TVector2& b, const TVector2& c, const TVector2& d)
{
    return (b.y - a.y) * (d.x - c.x) <= (d.y - c.y) * (b.x - a.x);
}

// Beyond this many exchanges the hull walk decides.
constexpr int Most_Exchanges = 8;

// The line about which three points at rising positions lie alternately above and below by
// one height h (the outer two above when h > 0), and h.
struct TAlternation
{
    TLine Line;
    double Height;
};

std::optional<TAlternation> Alternation_Of(const TLaserRun& points, const TZoneReference& at)
{
    const TVector2& a = points[at[0]];
    const TVector2& m = points[at[1]];
    const TVector2& c = points[at[2]];
    if (!(a.x < m.x && m.x < c.x))
        return std::nullopt;
    const double slope = (c.y - a.y) / (c.x - a.x);
    const double height = (a.y + slope * (m.x - a.x) - m.y) / 2.0;
    return TAlternation{{a.y - slope * a.x - height, slope}, height};
}

// The point farther from the line than the three takes the place of the one beside it on its
// side of the line, so that the sides still alternate; outside them, of the outer one, or the
// three move over.
void Exchange(const TLaserRun& points, TZoneReference& at, std::size_t point, bool above,
              bool outer_above)
{
    const double x = points[point].x;
    if (x < points[at[0]].x)
        at = above == outer_above ? TZoneReference{point, at[1], at[2]}
                                  : TZoneReference{point, at[0], at[1]};
    else if (x > points[at[2]].x)
        at = above == outer_above ? TZoneReference{at[0], at[1], point}
                                  : TZoneReference{at[1], at[2], point};
    else
    {
        const std::size_t left = x < points[at[1]].x ? 0 : 1;
        const bool left_above = left == 0 ? outer_above : !outer_above;
        at[above == left_above ? left : left + 1] = point;
    }
}

// The exchange search: no point lies farther from the line of three alternating points than
// they do (but for rounding) when it is the minimum zone's; else the farthest point is
// exchanged into the three, which widens their band. Mostly a pass or two over the points;
// nothing when it does not end soon or meets shared positions.
std::optional<TLine> Exchange_Search(const TLaserRun& points, TZoneReference& at)
{
    for (int exchange = 0; exchange < Most_Exchanges; ++exchange)
    {
        const std::optional<TAlternation> alternation = Alternation_Of(points, at);
        if (!alternation)
            return std::nullopt;
        std::size_t farthest = 0;
        double distance = -1.0;
        for (std::size_t i = 0; i < points.size(); ++i)
        {
            const double residual = std::fabs(points[i].y - alternation->Line.At(points[i].x));
            if (residual > distance)
                std::tie(farthest, distance) = std::make_pair(i, residual);
        }
        if (distance <= std::fabs(alternation->Height) * (1.0 + 1e-12))
            return Finite_Line(alternation->Line.Intercept, alternation->Line.Slope);
        Exchange(points, at, farthest,
                 points[farthest].y > alternation->Line.At(points[farthest].x),
                 alternation->Height > 0.0);
    }
    return std::nullopt;
}

// The first, middle and last point, in order of position.
TZoneReference Spread_Reference(const TLaserRun& points)
{
    TZoneReference at = {0, points.size() / 2, points.size() - 1};
    std::sort(at.begin(), at.end(),
              [&points](std::size_t a, std::size_t b) { return points[a].x < points[b].x; });
    return at;
}

// The band's height at slope b is the highest y - b x less the lowest, a convex function of b
// whose corners are the slopes of hull edges. As b rises past those slopes in turn, the
// highest point steps left along the upper hull and the lowest right along the lower one; the
// height stops falling at the first slope where the lowest point is no longer left of the
// highest: the slope of the last edge stepped along.
std::optional<TLine> Hull_Walk_Line(const TLaserRun& points)
{
    const THulls hulls = Hulls_Of(points);
    const std::vector<TVector2>& lower = hulls.Lower;
    const std::vector<TVector2>& upper = hulls.Upper;
    if (lower.size() < 2)
        return std::nullopt;
    std::size_t high = upper.size() - 1;
    std::size_t low = 0;
    TVector2 from, to; // the last edge
    // While the lowest point is left of the highest, one of them can still step.
    while (lower[low].x < upper[high].x)
    {
        const bool up_steps = high > 0;
        const bool low_steps = low + 1 < lower.size();
        if (up_steps &&
            (!low_steps || No_Steeper(upper[high - 1], upper[high], lower[low], lower[low + 1])))
        {
            from = upper[high - 1];
            to = upper[high];
            --high;
        }
        else
        {
            from = lower[low];
            to = lower[low + 1];
            ++low;
        }
    }
    const double slope = (to.y - from.y) / (to.x - from.x);
    const double top = upper[high].y - slope * upper[high].x;
    const double bottom = lower[low].y - slope * lower[low].x;
    return Finite_Line((top + bottom) / 2.0, slope);
}

} // namespace

std::optional<TLine> Minimum_Zone_Line(const TLaserRun& points, TZoneReference* start)
{
    if (!All_Finite(points))
        return std::nullopt;
    if (points.size() < 3)
        return Hull_Walk_Line(points);
    const auto rising_three = [&points](const TZoneReference& at)
    {
        return std::max({at[0], at[1], at[2]}) < points.size() &&
               points[at[0]].x < points[at[1]].x && points[at[1]].x < points[at[2]].x;
    };
    TZoneReference at = start && rising_three(*start) ? *start : Spread_Reference(points);
    if (const std::optional<TLine> line = Exchange_Search(points, at))
    {
        if (start)
            *start = at;
        return line;
    }
    return Hull_Walk_Line(points);
}
