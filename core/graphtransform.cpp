#include "core/graphtransform.h"

#include <algorithm>
#include <cmath>

void TGraphTransform::LimitToRange(double& Low, double& High)
{
    // A bound that is not a number (the inverse of a scale of 0) opens to the limit.
    if (!(Low >= -RangeLimit))
        Low = -RangeLimit;
    Low = std::min(Low, RangeLimit);
    if (!(High <= RangeLimit))
        High = RangeLimit;
    High = std::max(High, -RangeLimit);
}

void TGraphTransform::MakeRepresentable(double& Low, double& High)
{
    LimitToRange(Low, High);

    // Adding 5e-6 to 1e12 leaves it unchanged, so a widened range can still be empty. A
    // range is kept at least a trillionth of its magnitude wide (and never below 1e-100),
    // which leaves many doubles between neighbouring pixels.
    const double Magnitude = std::max(std::abs(Low), std::abs(High));
    const double MinimumSpan = std::max(Magnitude * 1e-12, 1e-100);
    if (!(std::abs(High - Low) >= MinimumSpan))
    {
        const double Centre = Low * 0.5 + High * 0.5;
        Low = Centre - MinimumSpan * 0.5;
        High = Centre + MinimumSpan * 0.5;
    }
}

TGraphTransform TGraphTransform::Fitting(const QRect& Rect, double XMin, double XMax, double YMin,
                                         double YMax)
{
    MakeRepresentable(XMin, XMax);
    MakeRepresentable(YMin, YMax);
    TGraphTransform Result;
    Result.m11 = (double(Rect.right()) - Rect.left()) / (XMax - XMin);
    Result.m22 = (double(Rect.top()) - Rect.bottom()) / (YMax - YMin);
    Result.dx = Rect.left() - Result.m11 * XMin;
    Result.dy = Rect.bottom() - Result.m22 * YMin;
    return Result;
}
