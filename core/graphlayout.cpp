#include "core/graphlayout.h"

namespace
{

// Rectangles here are corner pairs: right and bottom are inclusive.
QRect Corners(int Left, int Top, int Right, int Bottom)
{
    return QRect(QPoint(Left, Top), QPoint(Right, Bottom));
}

} // namespace

TGraphLayout TGraphLayout::ForWidget(int Width, int Height, int FontHeight)
{
    // The right and bottom edges are the size itself, not the last pixel.
    const int W = Width, H = Height, f = FontHeight;
    TGraphLayout Layout;
    Layout.Plot = Corners(7 * f, 2 * f, W - f, H - 4 * f);
    Layout.VerticalLabel = Corners(2 * f, 0, 6 * f, H - 2 * f);
    Layout.VerticalTitle = Corners(0, 2 * f, 2 * f, H - 4 * f);
    Layout.HorizontalLabel = Corners(6 * f, H - 4 * f, W, H - 2 * f);
    Layout.HorizontalTitle = Corners(7 * f, H - 2 * f, W - f, H);
    Layout.Title = Corners(7 * f, 0, W, 2 * f);
    Layout.Widget = Corners(0, 0, W, H);
    return Layout;
}

TGraphLayout TGraphLayout::ForArea(const QRect& Area, int FontHeight)
{
    const int w = Area.width(), h = Area.height(), f = FontHeight;
    TGraphLayout Layout;
    Layout.Plot = Corners(6 * f, 2 * f, w - f, h - 4 * f);
    Layout.VerticalLabel = Corners(2 * f, 0, 6 * f, h - 2 * f);
    Layout.VerticalTitle = Corners(0, 2 * f, 2 * f, h - 4 * f);
    Layout.HorizontalLabel = Corners(6 * f, h - 4 * f, w, h - 2 * f);
    Layout.HorizontalTitle = Corners(6 * f, h - 2 * f, w - f, h);
    Layout.Title = Corners(7 * f, 0, w, 2 * f);
    Layout.Widget = Area;
    return Layout;
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
