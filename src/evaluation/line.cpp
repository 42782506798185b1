#include "src/evaluation/line.h"

#include <algorithm>
#include <cmath>

bool All_Finite(const TLaserRun& points)
{
    return std::all_of(points.begin(), points.end(),
                       [](const TVector2& point)
                       { return std::isfinite(point.x) && std::isfinite(point.y); });
}

std::optional<TLine> Finite_Line(double intercept, double slope)
{
    if (!std::isfinite(intercept) || !std::isfinite(slope))
        return std::nullopt;
    return TLine{intercept, slope};
}
