#include "core/graphclip.h"

#include <algorithm>
#include <limits>

namespace
{

enum class TEdge
{
    None,
    XMin,
    XMax,
    YMin,
    YMax
};

// Where along the segment (0 at its start, 1 at its end) it crosses an edge, and which.
struct TCut
{
    double T;
    TEdge Edge;
};

// One edge of the Liang-Barsky clip: the segment's point at T is inside the edge when
// Direction·T <= Distance. Narrows [Enter, Leave] accordingly; false when it empties.
bool NarrowToEdge(double Direction, double Distance, TEdge Edge, TCut& Enter, TCut& Leave)
{
    if (Direction == 0.0)
        return Distance >= 0.0;
    const double Crossing = Distance / Direction;
    if (Direction < 0.0)
    {
        if (Crossing > Leave.T)
            return false;
        if (Crossing > Enter.T)
            Enter = {Crossing, Edge};
    }
    else
    {
        if (Crossing < Enter.T)
            return false;
        if (Crossing < Leave.T)
            Leave = {Crossing, Edge};
    }
    return true;
}

// The segment's point where it crosses the edge of a cut: on the edge exactly, the other
// coordinate reckoned from the segment's nearer end. A far end's magnitude would swamp the
// cut, and so would the parameter of a segment many times longer than the box.
TVector2 CutPoint(const TCut& Cut, const TVector2& HalfFrom, const TVector2& HalfTo,
                  const TVector2& HalfStep, const TClipBox& Box)
{
    const TVector2& Near = Cut.T <= 0.5 ? HalfFrom : HalfTo;
    // The edge lies between the ends, so the fraction is at most 1 and nothing overflows.
    if (Cut.Edge == TEdge::XMin || Cut.Edge == TEdge::XMax)
    {
        const double Edge = Cut.Edge == TEdge::XMin ? Box.XMin : Box.XMax;
        return TVector2(Edge, 2.0 * (Near.y + (Edge * 0.5 - Near.x) / HalfStep.x * HalfStep.y));
    }
    const double Edge = Cut.Edge == TEdge::YMin ? Box.YMin : Box.YMax;
    return TVector2(2.0 * (Near.x + (Edge * 0.5 - Near.y) / HalfStep.y * HalfStep.x), Edge);
}

// How far the box reaches beyond the plot on every side, and where it ends in any case.
const int Box_Margin = 4096;
const int Box_Limit = 16384;

double BoxEdge(int Pixel)
{
    return std::clamp(Pixel, -Box_Limit, Box_Limit);
}

// The data interval [Min, Max] that Pixel = Scale * Data + Offset maps into [Low, High];
// all of the axis when the scale is 0, since every value then maps to the same pixel.
void InverseRange(double Scale, double Offset, double Low, double High, double& Min, double& Max)
{
    if (Scale == 0.0)
    {
        Min = -std::numeric_limits<double>::infinity();
        Max = std::numeric_limits<double>::infinity();
        return;
    }
    Min = (Low - Offset) / Scale;
    Max = (High - Offset) / Scale;
    if (Min > Max)
        std::swap(Min, Max);
}

} // namespace

bool ClipSegment(TVector2& From, TVector2& To, const TClipBox& Box)
{
    // Everything is worked in halves: a difference of two halved finite doubles cannot
    // overflow, and halving is exact.
    const TVector2 HalfFrom(From.x * 0.5, From.y * 0.5);
    const TVector2 HalfTo(To.x * 0.5, To.y * 0.5);
    const TVector2 HalfStep = HalfTo - HalfFrom;
    TCut Enter{0.0, TEdge::None};
    TCut Leave{1.0, TEdge::None};
    if (!NarrowToEdge(-HalfStep.x, HalfFrom.x - Box.XMin * 0.5, TEdge::XMin, Enter, Leave) ||
        !NarrowToEdge(HalfStep.x, Box.XMax * 0.5 - HalfFrom.x, TEdge::XMax, Enter, Leave) ||
        !NarrowToEdge(-HalfStep.y, HalfFrom.y - Box.YMin * 0.5, TEdge::YMin, Enter, Leave) ||
        !NarrowToEdge(HalfStep.y, Box.YMax * 0.5 - HalfFrom.y, TEdge::YMax, Enter, Leave))
        return false;
    if (Leave.Edge != TEdge::None)
        To = CutPoint(Leave, HalfFrom, HalfTo, HalfStep, Box);
    if (Enter.Edge != TEdge::None)
        From = CutPoint(Enter, HalfFrom, HalfTo, HalfStep, Box);
    return true;
}

TPixelMap::TPixelMap(const TGraphTransform& Transform, const QRect& Plot) : d_Transform(Transform)
{
    // An inverted plot (a widget smaller than its margins) still gets a box about it.
    const QRect Around =
        Plot.normalized().adjusted(-Box_Margin, -Box_Margin, Box_Margin, Box_Margin);
    d_Pixels.XMin = BoxEdge(Around.left());
    d_Pixels.XMax = BoxEdge(Around.right());
    d_Pixels.YMin = BoxEdge(Around.top());
    d_Pixels.YMax = BoxEdge(Around.bottom());
    InverseRange(Transform.m11, Transform.dx, d_Pixels.XMin, d_Pixels.XMax, d_Data.XMin,
                 d_Data.XMax);
    InverseRange(Transform.m22, Transform.dy, d_Pixels.YMin, d_Pixels.YMax, d_Data.YMin,
                 d_Data.YMax);
}

bool TPixelMap::Segment(TVector2 From, TVector2 To, QLine& Line) const
{
    if (!std::isfinite(From.x) || !std::isfinite(From.y) || !std::isfinite(To.x) ||
        !std::isfinite(To.y))
        return false;
    if (!ClipSegment(From, To, d_Data))
        return false;
    Line = QLine(Pixel(d_Transform.MapX(From.x), d_Transform.MapY(From.y)),
                 Pixel(d_Transform.MapX(To.x), d_Transform.MapY(To.y)));
    return true;
}
