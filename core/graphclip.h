#ifndef VANTREL_CORE_GRAPHCLIP_H
#define VANTREL_CORE_GRAPHCLIP_H

#include "core/graphtransform.h"
#include "core/vector2.h"

#include <QLine>
#include <QPoint>
#include <QRect>

#include <cmath>

// An axis-parallel box. Its edges may be infinite (a box unbounded on that side), but they
// are never NaN and the minimum never exceeds the maximum.
struct TClipBox
{
    double XMin = 0.0;
    double XMax = 0.0;
    double YMin = 0.0;
    double YMax = 0.0;

    bool Contains(double X, double Y) const
    {
        return X >= XMin && X <= XMax && Y >= YMin && Y <= YMax;
    }
};

// Cuts the segment From-To down to its part inside Box, in place, keeping its direction.
// Returns false when no part of it lies inside. Any finite coordinates are fine, even
// ones whose difference would overflow a double.
bool ClipSegment(TVector2& From, TVector2& To, const TClipBox& Box);

// Maps data to whole pixels without ever converting a double that does not fit an int.
// Within a box reaching far around the plot a point lands where the transform puts it,
// trunc(m11·x + dx), trunc(m22·y + dy); a segment reaching beyond the box is first cut to
// it in data units, so that it keeps its slope. The box stays well within the ±32767
// pixels that the raster engine draws correctly.
class TPixelMap
{
public:
    TPixelMap(const TGraphTransform& Transform, const QRect& Plot);

    // The point's pixel position before truncation; true when it lies in the box (and so
    // is finite).
    bool Map(const TVector2& Point, double& X, double& Y) const
    {
        X = d_Transform.MapX(Point.x);
        Y = d_Transform.MapY(Point.y);
        return d_Pixels.Contains(X, Y);
    }

    // The whole pixel of a position, which is moved into the box first.
    QPoint Pixel(double X, double Y) const
    {
        return QPoint(static_cast<int>(Bounded(X, d_Pixels.XMin, d_Pixels.XMax)),
                      static_cast<int>(Bounded(Y, d_Pixels.YMin, d_Pixels.YMax)));
    }

    // The pixels of the part of a segment that lies in the box; false when none does or
    // when an end is not a finite number.
    bool Segment(TVector2 From, TVector2 To, QLine& Line) const;

private:
    // Truncated toward zero within [Min, Max]; a value that is not a number goes to Min.
    static double Bounded(double Value, double Min, double Max)
    {
        if (!(Value >= Min))
            return Min;
        return Value > Max ? Max : std::trunc(Value);
    }

    TGraphTransform d_Transform;
    TClipBox d_Pixels;
    TClipBox d_Data;
};

#endif
