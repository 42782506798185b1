#ifndef VANTREL_CORE_GRAPHWIDGET_H
#define VANTREL_CORE_GRAPHWIDGET_H

#include "core/graphlayout.h"
#include "core/graphtransform.h"
#include "core/vector2.h"

#include <QColor>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <QWidget>

#include <vector>

// One curve of the graph.
struct TGraphDataSet
{
    std::vector<TVector2> Points;
    QColor Color;
    // 0 = the graph's default style, 1 = lines, 2 = vertical bars, 3 = crosses,
    // 5 = dashed lines; any other value is not drawn (but still counts in the fit).
    int Style = 0;
    // Shown in the legend of the presentation style; a set without one is not listed.
    QString Name;
};

// A reusable 2-D line graph: data sets on linear axes fitted to the data, drawn once into
// a cached image. A left-button drag zooms into a rubber band, a right-button drag pans, a
// right click zooms out, the wheel zooms about the mouse, a double-click refits, and the data
// coordinates under the mouse are shown. With focus, Home refits, the arrow keys pan and
// + and - zoom about the centre.
class TGraphWidget : public QWidget
{
    Q_OBJECT

public:
    explicit TGraphWidget(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    ~TGraphWidget() override;

    int AddDataSet(const QColor& Color, int Style);
    int AddDataSet(const QColor& Color, int Style, const QString& Name);
    bool SetDataSetName(int Set, const QString& Name);
    bool AddPoint(int Set, const TVector2& Point);
    void ClearDataSets();
    bool RemoveDataSet(int Offset);
    int DataSetCount() const;
    int PointCount(int Set) const;
    TVector2 GetPoint(int Set, int Offset) const;
    bool SetPoint(int Set, int Offset, const TVector2& Point);
    bool RemovePoint(int Set, int Offset);

    void SetTitle(const QString& Title);
    void SetHorizontalTitle(const QString& Title);
    void SetVerticalTitle(const QString& Title);
    void SetMinimumHalfRange(double Value);
    void SetEqualScale(bool Equal);
    void SetShowCoordinates(bool Show);
    // The style for a page rather than the screen: ticks at round values with labels of
    // equal decimals, a light grid and a legend of the named data sets beside the plot.
    // Off by default; like the other settings it is drawn from the next render on.
    void SetPresentation(bool Presentation);
    bool Presentation() const;
    void UpdateGraph();

    // Draws a freshly fitted graph onto another painter; the widget keeps its own view.
    bool Render(QPainter* Device, const QRect& Area, bool Frame);
    bool RenderWithoutTitles(QPainter* Device, const QRect& Area, bool Frame);
    // Draws the graph as the widget shows it, without the read-out and the rubber band, on
    // white and laid out afresh for a drawing of the given size: the present view, or a
    // fresh fit when Fitted or before the widget has a layout of its own.
    void RenderView(QPainter* Device, const QSize& Size, bool Fitted);

    // The palette of the curves: 96 distinct colours, black beyond.
    static bool GetIndexedColor(int Index, int& Red, int& Green, int& Blue);

    // The data-set style of dashed lines.
    static constexpr int DashedStyle = 5;

public slots:
    // Both take effect at the next paint; a refit goes first when both are asked for.
    void ZoomOut();
    void ScaleToFit();

protected:
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void wheelEvent(QWheelEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;

private:
    friend class TGraphWidgetProbe;

    void FitToData();
    void ZoomToRect(const QRect& Rect);
    void ZoomToRange(double Left, double Right, double Bottom, double Top);
    static QRect Normalised(const QRect& Rect);
    static QString CoordinatesText(double X, double Y);

    TGraphLayout Layout() const;
    void SetLayout(const TGraphLayout& Layout);
    void LayOut();
    TGraphLayout Arranged(TGraphLayout Layout, const QFont& Font) const;
    std::vector<const TGraphDataSet*> LegendSets() const;
    void RenderFitted();
    void NewImage();
    void FollowPixelRatio();
    void RenderZoomed(const QRect& Rect);
    void RenderRange(double Left, double Right, double Bottom, double Top);
    void DrawImage();
    void DrawGraph(QPainter& Painter);
    void RenderOnto(QPainter& Device, const TGraphLayout& Layout, bool Frame, int FontHeight,
                    bool Fitted);
    void KeepView(const QRect& OwnPlot);
    void CopyImage(QPainter& Painter, const QRegion& Region);
    void UpdateLabelFormats(QPainter& Painter);
    void DrawAxes(QPainter& Painter);
    void DrawHorizontalTicks(QPainter& Painter, int FontHeight);
    void DrawVerticalTicks(QPainter& Painter, int FontHeight);
    void DrawZeroLines(QPainter& Painter);
    void DrawRoundTicks(QPainter& Painter, int FontHeight);
    void DrawTitles(QPainter& Painter);
    void DrawDataSets(QPainter& Painter);
    void DrawLegend(QPainter& Painter);
    void DrawSwatch(QPainter& Painter, const TGraphDataSet& Set, const QRect& Box) const;

    bool ServePendingRequest();
    QRect ZoomOutRect() const;
    void DrawZoomRect(QPainter& Painter);
    void DrawCoordinates(QPainter& Painter);
    void DragZoomRect(const QPoint& At);
    void Pan(const QPoint& At);
    void ShowCoordinatesAt(const QPoint& At);
    void FollowMouse();
    void ZoomAbout(const QPointF& At, double Factor);
    void PanBy(int Columns, int Rows);
    void UpdateZoomRectArea();

    // A view spans at most this many times the fitted data on each axis.
    static constexpr double ZoomOutLimit = 50.0;

    TGraphTransform d_Transform;
    std::vector<TGraphDataSet> d_DataSets;
    QRect d_PlotRect;
    QRect d_VerticalLabelRect;
    QRect d_VerticalTitleRect;
    QRect d_HorizontalLabelRect;
    QRect d_HorizontalTitleRect;
    QRect d_TitleRect;
    QRect d_WidgetRect;
    QRect d_LegendRect;
    QString d_VerticalTitle;
    QString d_HorizontalTitle;
    QString d_Title;
    QString d_VerticalFormat;
    QString d_HorizontalFormat;
    int d_VerticalLabelWidth = -1;
    int d_VerticalLabelHeight = -1;
    int d_HorizontalLabelWidth = -1;
    int d_HorizontalLabelHeight = -1;
    int d_FontHeight;
    int d_DefaultStyle = 1;
    double d_XSpan = 1.0;
    double d_YSpan = 1.0;
    QPixmap d_Pixmap;
    QString d_Coordinates;
    QRect d_ZoomRect;
    bool d_ZoomRectVisible = false;
    bool d_LeftPressed = false;
    bool d_Zooming = false;
    bool d_RightPressed = false;
    bool d_Panned = false;
    bool d_ShowCoordinates = true;
    bool d_DrawFrame = true;
    bool d_ScaleToFitPending = false;
    bool d_ZoomOutPending = false;
    int d_HorizontalLabelMode = 1;
    int d_VerticalLabelMode = 1;
    double d_MinimumHalfRange = 5e-6;
    bool d_EqualScale = false;
    bool d_Presentation = false;
};

#endif
