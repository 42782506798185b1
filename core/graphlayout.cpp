#include "core/graphlayout.h"

namespace
{

// Rectangles here are corner pairs: right and bottom are inclusive.
QRect Corners(int Left, int Top, int Right, int Bottom)
{
    return QRect(QPoint(Left, Top), QPoint(Right, Bottom));
}

// Room for all titles in a drawing w by h; the plot and the horizontal title start at
// PlotLeft.
TGraphLayout WithTitles(int w, int h, int f, int PlotLeft, const QRect& Widget)
{
    TGraphLayout Layout;
    Layout.Plot = Corners(PlotLeft, 2 * f, w - f, h - 4 * f);
    Layout.VerticalLabel = Corners(2 * f, 0, 6 * f, h - 2 * f);
    Layout.VerticalTitle = Corners(0, 2 * f, 2 * f, h - 4 * f);
    Layout.HorizontalLabel = Corners(6 * f, h - 4 * f, w, h - 2 * f);
    Layout.HorizontalTitle = Corners(PlotLeft, h - 2 * f, w - f, h);
    Layout.Title = Corners(7 * f, 0, w, 2 * f);
    Layout.Widget = Widget;
    return Layout;
}

} // namespace

TGraphLayout TGraphLayout::ForWidget(int Width, int Height, int FontHeight)
{
    // The right and bottom edges are the size itself, not the last pixel.
    return WithTitles(Width, Height, FontHeight, 7 * FontHeight, Corners(0, 0, Width, Height));
}

TGraphLayout TGraphLayout::ForArea(const QRect& Area, int FontHeight)
{
    return WithTitles(Area.width(), Area.height(), FontHeight, 6 * FontHeight, Area);
}

TGraphLayout TGraphLayout::ForAreaWithoutTitles(const QRect& Area, int FontHeight)
{
    const int w = Area.width(), h = Area.height(), f = FontHeight;
    TGraphLayout Layout;
    Layout.Plot = Corners(6 + 4 * f, 6, w - f, h - 6 - 2 * f);
    Layout.VerticalLabel = Corners(6, 0, 6 + 4 * f, h - 6);
    Layout.VerticalTitle = Corners(0, 6, 6, h - 6 - 2 * f);
    Layout.HorizontalLabel = Corners(6 + 4 * f, h - 6 - 2 * f, w, h - 6);
    Layout.HorizontalTitle = Corners(6 + 4 * f, h - 6, w - f, h);
    Layout.Title = Corners(12, 0, w, 6);
    Layout.Widget = Area;
    return Layout;
}

TGraphLayout TGraphLayout::WithLegend(TGraphLayout Layout, int Width, int Gap)
{
    const QRect Plot = Layout.Plot;
    Layout.Plot.setRight(Plot.right() - Width - Gap);
    Layout.HorizontalTitle.setRight(Layout.Plot.right());
    Layout.Legend = Corners(Layout.Plot.right() + Gap + 1, Plot.top(), Plot.right(), Plot.bottom());
    return Layout;
}
