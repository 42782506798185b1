#ifndef VANTREL_TESTS_GRAPHPROBE_H
#define VANTREL_TESTS_GRAPHPROBE_H

#include "core/graphwidget.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

// Gives the tests a view of the graph's private state and its scaling steps.
class TGraphWidgetProbe
{
public:
    explicit TGraphWidgetProbe(TGraphWidget& Graph) : d_Graph(Graph) {}

    void SetPlotRect(const QRect& Rect) { d_Graph.d_PlotRect = Rect; }
    void FitToData() { d_Graph.FitToData(); }
    void ZoomToRect(const QRect& Rect) { d_Graph.ZoomToRect(Rect); }
    void RenderZoomed(const QRect& Rect) { d_Graph.RenderZoomed(Rect); }
    void SetLayout(const TGraphLayout& Layout) { d_Graph.SetLayout(Layout); }
    void SetTransform(const TGraphTransform& Transform) { d_Graph.d_Transform = Transform; }
    void SetHorizontalLabelWidth(int Width) { d_Graph.d_HorizontalLabelWidth = Width; }
    void SetFontHeight(int Height) { d_Graph.d_FontHeight = Height; }
    void UpdateLabelFormats(QPainter& Painter) { d_Graph.UpdateLabelFormats(Painter); }
    void DrawAxes(QPainter& Painter) { d_Graph.DrawAxes(Painter); }
    void DrawDataSets(QPainter& Painter) { d_Graph.DrawDataSets(Painter); }

    // A refit or zoom-out waits for the next paint.
    bool Pending() const { return d_Graph.d_ScaleToFitPending || d_Graph.d_ZoomOutPending; }
    QImage Image() const { return d_Graph.d_Pixmap.toImage(); }
    // Changes whenever the cached image is drawn anew.
    qint64 ImageKey() const { return d_Graph.d_Pixmap.cacheKey(); }
    QString Formats() const { return d_Graph.d_HorizontalFormat + ", " + d_Graph.d_VerticalFormat; }
    int FontHeight() const { return d_Graph.d_FontHeight; }

    const TGraphTransform& Transform() const { return d_Graph.d_Transform; }
    QRect PlotRect() const { return d_Graph.d_PlotRect; }
    double XSpan() const { return d_Graph.d_XSpan; }
    double YSpan() const { return d_Graph.d_YSpan; }
    int DataSetCount() const { return static_cast<int>(d_Graph.d_DataSets.size()); }
    const TGraphDataSet& DataSet(int Set) const { return d_Graph.d_DataSets.at(Set); }
    QString Title() const { return d_Graph.d_Title; }
    QString HorizontalTitle() const { return d_Graph.d_HorizontalTitle; }
    QString VerticalTitle() const { return d_Graph.d_VerticalTitle; }
    QString Coordinates() const { return d_Graph.d_Coordinates; }

    // The data range that the plot rectangle's edges show now.
    double Left() const { return Transform().InverseX(PlotRect().left()); }
    double Right() const { return Transform().InverseX(PlotRect().right()); }
    double Top() const { return Transform().InverseY(PlotRect().top()); }
    double Bottom() const { return Transform().InverseY(PlotRect().bottom()); }

private:
    TGraphWidget& d_Graph;
};

// A mouse event at a point of the graph, sent as the platform sends it.
inline void Send(TGraphWidget& graph, QEvent::Type type, QPoint at, Qt::MouseButton button,
                 Qt::MouseButtons held)
{
    QMouseEvent event(type, at, graph.mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(&graph, &event);
}

#endif
