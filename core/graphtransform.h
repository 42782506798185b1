#ifndef VANTREL_CORE_GRAPHTRANSFORM_H
#define VANTREL_CORE_GRAPHTRANSFORM_H

#include <QRect>

// The affine map from data coordinates to widget pixels. The axes are never rotated or
// sheared, so m12 and m21 stay 0; m22 is negative because pixel rows grow downward.
// Pixel values stay doubles here: they may be far outside any int range when zoomed deep.
struct TGraphTransform
{
    // The widest data range a map shows: its span and the axis margins stay finite.
    // Data beyond it lie outside the view.
    static constexpr double RangeLimit = 1e306;

    double m11 = 1.0;
    double m12 = 0.0;
    double m21 = 0.0;
    double m22 = -1.0;
    double dx = 0.0;
    double dy = 0.0;

    double MapX(double X) const { return m11 * X + dx; }
    double MapY(double Y) const { return m22 * Y + dy; }
    double InverseX(double PixelX) const { return (PixelX - dx) / m11; }
    double InverseY(double PixelY) const { return (PixelY - dy) / m22; }

    // The map that puts XMin on the rectangle's left edge, XMax on its right, YMin on its
    // bottom and YMax on its top. The divisors are corner differences, not widths.
    static TGraphTransform Fitting(const QRect& Rect, double XMin, double XMax, double YMin,
                                   double YMax);

    // Brings both ends within [-RangeLimit, RangeLimit].
    static void LimitToRange(double& Low, double& High);
    // Brings [Low, High] within what a map can show with a finite, non-zero scale.
    static void MakeRepresentable(double& Low, double& High);
};

#endif
