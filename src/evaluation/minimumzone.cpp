#include "src/evaluation/minimumzone.h"

#include <algorithm>
#include <limits>

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

// From points in rising position, each run of one position taken as its lowest and highest.
template <typename TIterator>
THulls Hulls_Of(TIterator begin, TIterator end)
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
        hulls.Add(lowest, highest);
    }
    return hulls;
}

// The points are read in the order of their positions; runs are mostly stored rising or
// falling, and only others are sorted.
THulls Hulls_Of(const TLaserRun& points)
{
    const auto rising = [](const TVector2& a, const TVector2& b) { return a.x < b.x; };
    const auto falling = [](const TVector2& a, const TVector2& b) { return a.x > b.x; };
    if (std::is_sorted(points.begin(), points.end(), rising))
        return Hulls_Of(points.begin(), points.end());
    if (std::is_sorted(points.begin(), points.end(), falling))
        return Hulls_Of(points.rbegin(), points.rend());
    TLaserRun sorted = points;
    std::sort(sorted.begin(), sorted.end(), rising);
    return Hulls_Of(sorted.begin(), sorted.end());
}

double Slope(const TVector2& a, const TVector2& b)
{
    return (b.y - a.y) / (b.x - a.x);
}

} // namespace

// The band's height at slope b is the highest y - b x less the lowest, a convex function of b
// whose corners are the slopes of hull edges. As b rises past those slopes in turn, the
// highest point steps left along the upper hull and the lowest right along the lower one; the
// height stops falling at the first slope where the lowest point is no longer left of the
// highest.
std::optional<TLine> Minimum_Zone_Line(const TLaserRun& points)
{
    if (!All_Finite(points))
        return std::nullopt;
    const THulls hulls = Hulls_Of(points);
    const std::vector<TVector2>& lower = hulls.Lower;
    const std::vector<TVector2>& upper = hulls.Upper;
    if (lower.size() < 2)
        return std::nullopt;
    constexpr double none = std::numeric_limits<double>::infinity();
    std::size_t high = upper.size() - 1;
    std::size_t low = 0;
    double slope = 0.0;
    // While the lowest point is left of the highest, one of them can still step.
    while (lower[low].x < upper[high].x)
    {
        const bool up_steps = high > 0;
        const bool low_steps = low + 1 < lower.size();
        const double up_next = up_steps ? Slope(upper[high - 1], upper[high]) : none;
        const double low_next = low_steps ? Slope(lower[low], lower[low + 1]) : none;
        if (up_steps && (!low_steps || up_next <= low_next))
        {
            slope = up_next;
            --high;
        }
        else
        {
            slope = low_next;
            ++low;
        }
    }
    const double top = upper[high].y - slope * upper[high].x;
    const double bottom = lower[low].y - slope * lower[low].x;
    return Finite_Line((top + bottom) / 2.0, slope);
}
