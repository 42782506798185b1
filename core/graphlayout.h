#ifndef VANTREL_CORE_GRAPHLAYOUT_H
#define VANTREL_CORE_GRAPHLAYOUT_H

#include <QRect>

// Where the parts of a graph go: the plot, the bands of tick labels and titles, and the
// whole drawing area. All sizes follow the height of one line of text.
struct TGraphLayout
{
    QRect Plot;
    QRect VerticalLabel;
    QRect VerticalTitle;
    QRect HorizontalLabel;
    QRect HorizontalTitle;
    QRect Title;
    QRect Widget;
    // The legend beside the plot; none in these layouts.
    QRect Legend;

    // The widget of the given size on screen, the vertical labels seven lines wide.
    static TGraphLayout ForWidget(int Width, int Height, int FontHeight);
    // A drawing onto another device, the vertical labels six lines wide.
    static TGraphLayout ForArea(const QRect& Area, int FontHeight);
    // The same without titles: their bands shrink to six-pixel margins.
    static TGraphLayout ForAreaWithoutTitles(const QRect& Area, int FontHeight);
    // The same layout with a column Width wide right of the plot, Gap from it, for the
    // legend; the plot and its horizontal title narrow by both.
    static TGraphLayout WithLegend(TGraphLayout Layout, int Width, int Gap);
};

#endif
