// Drawing of the graph: the cached image, the axes with their ticks, labels and titles,
// and the curves.

#include "core/check.h"
#include "core/graphclip.h"
#include "core/graphwidget.h"

#include <QFontMetrics>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>
#include <array>
#include <cmath>

namespace
{

// A tick label's printf width and number of decimals.
struct TLabelFormat
{
    int Width;
    int Decimals;
};

// The fewer decimals the wider the axis spans, the more digits the larger its values.
// Big is the largest magnitude on the axis, Span its extent.
TLabelFormat LabelFormatFor(double Big, double Span)
{
    // A magnitude that is not a number (an axis of scale 0) takes this branch too.
    if (!(Big > 1.0))
        return {6, 5};
    // The span is at least 1, so there are at most five decimals; a span that is not a
    // number gets none.
    double Decimals = 5.0 - std::trunc(std::log(std::max(Span, 1.0)));
    if (!(Decimals >= 0.0))
        Decimals = 0.0;
    // No double has more than 309 digits before the point; infinity gets as many.
    const double Digits = std::min(std::trunc(std::log10(Big)), 308.0);
    return {static_cast<int>(Decimals + Digits + 1.0), static_cast<int>(Decimals)};
}

// The larger magnitude of two ends of an axis.
double Biggest(double First, double Second)
{
    return std::abs(First) > std::abs(Second) ? std::abs(First) : std::abs(Second);
}

// Ticks that fit along an extent at the given spacing; none without a spacing.
int TickCount(int Extent, int Spacing)
{
    return Spacing > 0 ? Extent / Spacing : 0;
}

// The offset of tick Index of Count from the start of the extent: the first at the start,
// the last one past its end.
int TickOffset(int Index, int Count, int Extent)
{
    if (Count < 2)
        return 0;
    const double Step = static_cast<double>(Extent) / (Count - 1);
    return static_cast<int>(std::trunc(Index * Step));
}

QString Label(const QString& Format, double Value)
{
    return QString::asprintf(Format.toLatin1().constData(), Value);
}

// The outline whose pixels lie on the rectangle's corners.
void DrawOutline(QPainter& Painter, const QRect& Corners)
{
    Painter.drawRect(Corners.left(), Corners.top(), Corners.right() - Corners.left(),
                     Corners.bottom() - Corners.top());
}

// Lines collected and drawn a batch at a time, so that a curve needs no allocation.
class TLineBatch
{
public:
    explicit TLineBatch(QPainter& Painter) : d_Painter(Painter) {}

    void Add(const QPoint& From, const QPoint& To)
    {
        if (d_Count == d_Lines.size())
            Flush();
        d_Lines[d_Count++] = QLine(From, To);
    }

    void Flush()
    {
        if (d_Count > 0)
            d_Painter.drawLines(d_Lines.data(), static_cast<int>(d_Count));
        d_Count = 0;
    }

private:
    QPainter& d_Painter;
    std::array<QLine, 1024> d_Lines;
    std::size_t d_Count = 0;
};

// What a curve is drawn with besides its points.
struct TCurveFrame
{
    const TPixelMap& Map;
    const TGraphTransform& Transform;
    int PlotWidth;
    QColor Color;
};

// The segment from each point to the next as the plot shows it: in pixels where both ends lie in
// the box, cut to the box where it leaves it, left out where an end is not a finite number.
template <typename TSink>
void ForEachSegment(const std::vector<TVector2>& Points, const TPixelMap& Map, TSink& Sink)
{
    double X = 0.0, Y = 0.0;
    bool Inside = Map.Map(Points[0], X, Y);
    QPoint Pixel = Map.Pixel(X, Y);
    for (std::size_t Index = 1; Index < Points.size(); ++Index)
    {
        const bool WasInside = Inside;
        const QPoint Previous = Pixel;
        Inside = Map.Map(Points[Index], X, Y);
        Pixel = Map.Pixel(X, Y);
        QLine Line;
        if (WasInside && Inside)
            Sink.Add(Previous, Pixel);
        else if (Map.Segment(Points[Index - 1], Points[Index], Line))
            Sink.Add(Line.p1(), Line.p2());
    }
}

// Each segment its own line: a polyline would join them with other pixels.
void DrawLines(QPainter& Painter, const std::vector<TVector2>& Points, const TCurveFrame& Frame)
{
    TLineBatch Batch(Painter);
    ForEachSegment(Points, Frame.Map, Batch);
    Batch.Flush();
}

// A bar from each value's row toward the row of zero; a bar reaching beyond the box is
// cut to it, which leaves its part within the plot as it was.
void DrawBars(QPainter& Painter, const std::vector<TVector2>& Points, const TCurveFrame& Frame)
{
    const TPixelMap& Map = Frame.Map;
    const TGraphTransform& Transform = Frame.Transform;
    const long long Count = static_cast<long long>(Points.size());
    const double HalfWidth = static_cast<double>(std::max(Frame.PlotWidth / (2 * Count) - 1, 1LL));
    const double ZeroRow = std::trunc(Transform.MapY(0.0));
    for (const TVector2& Point : Points)
    {
        // A finite value may still map to an infinite row: its bar fills the plot's height.
        if (!std::isfinite(Point.x) || !std::isfinite(Point.y))
            continue;
        const double X = std::trunc(Transform.MapX(Point.x));
        const double Y = std::trunc(Transform.MapY(Point.y));
        // Below zero the top lies under the bottom; the rectangle is passed on so.
        Painter.fillRect(
            QRect(Map.Pixel(X - HalfWidth, Y), Map.Pixel(X + HalfWidth - 1, ZeroRow - 1)),
            Frame.Color);
    }
}

// A diagonal cross seven pixels wide at each point. A cross centred outside the box lies
// far outside the plot.
void DrawCrosses(QPainter& Painter, const std::vector<TVector2>& Points, const TCurveFrame& Frame)
{
    const TPixelMap& Map = Frame.Map;
    TLineBatch Batch(Painter);
    for (const TVector2& Point : Points)
    {
        double X = 0.0, Y = 0.0;
        if (!Map.Map(Point, X, Y))
            continue;
        const QPoint Pixel = Map.Pixel(X, Y);
        Batch.Add(Pixel + QPoint(-3, -3), Pixel + QPoint(3, 3));
        Batch.Add(Pixel + QPoint(-3, 3), Pixel + QPoint(3, -3));
    }
    Batch.Flush();
}

// Connected segments gathered into one polyline, so that a dash pattern runs on along a
// curve of many short segments instead of starting afresh at every point.
class TPolyline
{
public:
    explicit TPolyline(QPainter& Painter) : d_Painter(Painter) {}

    void Add(const QPoint& From, const QPoint& To)
    {
        // A full polyline goes out and the next one starts where it ended.
        if (d_Points.empty() || d_Points.back() != From || d_Points.size() == Most_Points)
        {
            Flush();
            d_Points.push_back(From);
        }
        // A segment within one pixel adds nothing to the line but a point of length zero.
        if (To != d_Points.back() || d_Points.size() == 1)
            d_Points.push_back(To);
    }

    void Flush()
    {
        if (d_Points.size() > 1)
            d_Painter.drawPolyline(d_Points.data(), static_cast<int>(d_Points.size()));
        d_Points.clear();
    }

private:
    // Far within the count of points that drawPolyline takes.
    static constexpr std::size_t Most_Points = 1 << 20;

    QPainter& d_Painter;
    std::vector<QPoint> d_Points;
};

// The lines of DrawLines as polylines, broken where a segment is cut or left out.
void DrawDashedLines(QPainter& Painter, const std::vector<TVector2>& Points,
                     const TCurveFrame& Frame)
{
    TPolyline Polyline(Painter);
    ForEachSegment(Points, Frame.Map, Polyline);
    Polyline.Flush();
}

// The swatches of the legend: a short line, a bar or a cross in the middle of the box.
void LineSwatch(QPainter& Painter, const QRect& Box, const QColor&)
{
    const int Y = Box.center().y();
    Painter.drawLine(Box.left(), Y, Box.right(), Y);
}

void BarSwatch(QPainter& Painter, const QRect& Box, const QColor& Color)
{
    const int Side = std::max(Box.height() / 2, 1);
    Painter.fillRect(QRect(Box.center() - QPoint(Side / 2, Side / 2), QSize(Side, Side)), Color);
}

void CrossSwatch(QPainter& Painter, const QRect& Box, const QColor&)
{
    const QPoint Centre = Box.center();
    Painter.drawLine(Centre + QPoint(-3, -3), Centre + QPoint(3, 3));
    Painter.drawLine(Centre + QPoint(-3, 3), Centre + QPoint(3, -3));
}

// How each drawn style draws its curves and its swatch, and with which pen.
struct TStyleDrawing
{
    int Style;
    bool Dashed;
    void (*Curve)(QPainter&, const std::vector<TVector2>&, const TCurveFrame&);
    void (*Swatch)(QPainter&, const QRect&, const QColor&);
};

const std::array<TStyleDrawing, 4> Style_Drawings = {{
    {1, false, DrawLines, LineSwatch},
    {2, false, DrawBars, BarSwatch},
    {3, false, DrawCrosses, CrossSwatch},
    {TGraphWidget::DashedStyle, true, DrawDashedLines, LineSwatch},
}};

// The drawing of a set's effective style; none for a style that is not drawn.
const TStyleDrawing* DrawingOf(const TGraphDataSet& Set, int DefaultStyle)
{
    const int Style = Set.Style == 0 ? DefaultStyle : Set.Style;
    const auto Found =
        std::find_if(Style_Drawings.begin(), Style_Drawings.end(),
                     [Style](const TStyleDrawing& Drawing) { return Drawing.Style == Style; });
    return Found == Style_Drawings.end() ? nullptr : &*Found;
}

// Dashes long enough to see at a glance, gaps that leave the line a line.
QPen PenOf(const TStyleDrawing& Drawing, const QColor& Color)
{
    QPen Pen(Color);
    if (Drawing.Dashed)
        Pen.setDashPattern({5.0, 3.0});
    return Pen;
}

} // namespace

void TGraphWidget::resizeEvent(QResizeEvent* Event)
{
    SetLayout(TGraphLayout::ForWidget(Event->size().width(), Event->size().height(), d_FontHeight));
    RenderFitted();
}

// The widget's own layout for its size, with room for a legend in the presentation style
// measured in the font that the image is drawn with.
void TGraphWidget::LayOut()
{
    const QFont Font = d_Pixmap.isNull() ? font() : QFont(QFont(), &d_Pixmap);
    SetLayout(Arranged(
        TGraphLayout::ForWidget(d_WidgetRect.right(), d_WidgetRect.bottom(), d_FontHeight), Font));
}

// Repaints only copy from the cached image, whose pixels are the device's.
void TGraphWidget::CopyImage(QPainter& Painter, const QRegion& Region)
{
    const qreal Ratio = d_Pixmap.devicePixelRatio();
    for (const QRect& Rect : Region)
        Painter.drawPixmap(QRectF(Rect), d_Pixmap,
                           QRectF(QPointF(Rect.topLeft()) * Ratio, QSizeF(Rect.size()) * Ratio));
}

TGraphLayout TGraphWidget::Layout() const
{
    TGraphLayout Layout;
    Layout.Plot = d_PlotRect;
    Layout.VerticalLabel = d_VerticalLabelRect;
    Layout.VerticalTitle = d_VerticalTitleRect;
    Layout.HorizontalLabel = d_HorizontalLabelRect;
    Layout.HorizontalTitle = d_HorizontalTitleRect;
    Layout.Title = d_TitleRect;
    Layout.Widget = d_WidgetRect;
    Layout.Legend = d_LegendRect;
    return Layout;
}

void TGraphWidget::SetLayout(const TGraphLayout& Layout)
{
    d_PlotRect = Layout.Plot;
    d_VerticalLabelRect = Layout.VerticalLabel;
    d_VerticalTitleRect = Layout.VerticalTitle;
    d_HorizontalLabelRect = Layout.HorizontalLabel;
    d_HorizontalTitleRect = Layout.HorizontalTitle;
    d_TitleRect = Layout.Title;
    d_WidgetRect = Layout.Widget;
    d_LegendRect = Layout.Legend;
}

void TGraphWidget::RenderFitted()
{
    if (!d_WidgetRect.isValid())
        return;
    NewImage();
    // The style or the names of the legend may have changed the room for the plot.
    LayOut();
    FitToData();
    DrawImage();
    FollowMouse();
}

// An image of the widget's size in the screen's own pixels, so that curves and text are as
// sharp as the screen can show them.
void TGraphWidget::NewImage()
{
    const qreal Ratio = devicePixelRatioF();
    d_Pixmap = QPixmap(QSize(d_WidgetRect.width(), d_WidgetRect.height()) * Ratio);
    d_Pixmap.setDevicePixelRatio(Ratio);
}

// On a screen of another pixel ratio the same view is drawn anew.
void TGraphWidget::FollowPixelRatio()
{
    if (!d_Pixmap.isNull() && d_Pixmap.devicePixelRatio() != devicePixelRatioF())
    {
        NewImage();
        DrawImage();
    }
}

void TGraphWidget::RenderZoomed(const QRect& Rect)
{
    if (d_Pixmap.width() < 1 || d_Pixmap.height() < 1)
        return;
    ZoomToRect(Rect);
    DrawImage();
    FollowMouse();
}

void TGraphWidget::RenderRange(double Left, double Right, double Bottom, double Top)
{
    if (d_Pixmap.width() < 1 || d_Pixmap.height() < 1)
        return;
    ZoomToRange(Left, Right, Bottom, Top);
    DrawImage();
    FollowMouse();
}

// Draws the graph into the cached image with the present view.
void TGraphWidget::DrawImage()
{
    // An image too large to allocate stays blank.
    if (d_Pixmap.isNull())
        return;
    d_Pixmap.fill(Qt::white);
    // One unit of the painter is one pixel of the widget (the device pixel ratio's worth of
    // the image's): the mouse's position maps back to data through the same transform that
    // placed the curves.
    QPainter Painter(&d_Pixmap);
    DrawGraph(Painter);
}

// Labels sized for the present view, then the axes, then the curves over them, and in the
// presentation style the legend beside them.
void TGraphWidget::DrawGraph(QPainter& Painter)
{
    UpdateLabelFormats(Painter);
    DrawAxes(Painter);
    DrawDataSets(Painter);
    if (d_Presentation)
        DrawLegend(Painter);
}

bool TGraphWidget::Render(QPainter* Device, const QRect& Area, bool Frame)
{
    VANTREL_CHECK(Device);
    const int FontHeight = QFontMetrics(Device->font()).height();
    RenderOnto(*Device, TGraphLayout::ForArea(Area, FontHeight), Frame, FontHeight, true);
    return true;
}

bool TGraphWidget::RenderWithoutTitles(QPainter* Device, const QRect& Area, bool Frame)
{
    VANTREL_CHECK(Device);
    const QString Title = d_Title, HorizontalTitle = d_HorizontalTitle,
                  VerticalTitle = d_VerticalTitle;
    d_Title.clear();
    d_HorizontalTitle.clear();
    d_VerticalTitle.clear();
    const int FontHeight = QFontMetrics(Device->font()).height();
    RenderOnto(*Device, TGraphLayout::ForAreaWithoutTitles(Area, FontHeight), Frame, FontHeight,
               true);
    d_Title = Title;
    d_HorizontalTitle = HorizontalTitle;
    d_VerticalTitle = VerticalTitle;
    return true;
}

void TGraphWidget::RenderView(QPainter* Device, const QSize& Size, bool Fitted)
{
    VANTREL_CHECK(Device);
    Device->fillRect(QRect(QPoint(0, 0), Size), Qt::white);
    // Laid out in the widget's line height, as the widget itself is.
    RenderOnto(*Device, TGraphLayout::ForWidget(Size.width(), Size.height(), d_FontHeight),
               d_DrawFrame, d_FontHeight, Fitted || !d_WidgetRect.isValid());
}

// Draws onto another device, a fresh fit or the present view; the widget keeps its own
// layout and view, and with the spans of its own fit also its limit of zooming out.
void TGraphWidget::RenderOnto(QPainter& Device, const TGraphLayout& Layout, bool Frame,
                              int FontHeight, bool Fitted)
{
    const TGraphLayout OwnLayout = this->Layout();
    const TGraphTransform OwnTransform = d_Transform;
    const double OwnXSpan = d_XSpan, OwnYSpan = d_YSpan;
    const int OwnFontHeight = d_FontHeight;
    const bool OwnDrawFrame = d_DrawFrame;

    d_DrawFrame = Frame;
    d_FontHeight = FontHeight;
    SetLayout(Arranged(Layout, Device.font()));
    if (Fitted)
        FitToData();
    else
        KeepView(OwnLayout.Plot);
    DrawGraph(Device);

    SetLayout(OwnLayout);
    d_Transform = OwnTransform;
    d_XSpan = OwnXSpan;
    d_YSpan = OwnYSpan;
    d_FontHeight = OwnFontHeight;
    d_DrawFrame = OwnDrawFrame;
}

// Shows the data range that the widget's own plot shows in the present plot. An unchanged
// plot keeps the very transform: a round trip through data could move a curve by a pixel.
void TGraphWidget::KeepView(const QRect& OwnPlot)
{
    if (d_PlotRect == OwnPlot)
        return;
    d_Transform = TGraphTransform::Fitting(
        d_PlotRect, d_Transform.InverseX(OwnPlot.left()), d_Transform.InverseX(OwnPlot.right()),
        d_Transform.InverseY(OwnPlot.bottom()), d_Transform.InverseY(OwnPlot.top()));
}

void TGraphWidget::UpdateLabelFormats(QPainter& Painter)
{
    const double Left = d_Transform.InverseX(d_PlotRect.left());
    const double Right = d_Transform.InverseX(d_PlotRect.right());
    const double Top = d_Transform.InverseY(d_PlotRect.top());
    const double Bottom = d_Transform.InverseY(d_PlotRect.bottom());
    const TLabelFormat Horizontal = LabelFormatFor(Biggest(Right, Left), Right - Left);
    const TLabelFormat Vertical = LabelFormatFor(Biggest(Top, Bottom), Top - Bottom);
    d_HorizontalFormat = QString::asprintf("%% %d.%dlf", Horizontal.Width, Horizontal.Decimals);
    d_VerticalFormat = QString::asprintf("%% %d.%dlf", Vertical.Width, Vertical.Decimals);

    // Sample labels of zero padded to the full width, with room to spare.
    const QString HorizontalSample =
        Label(QString::asprintf("%%0%d.%dlf  ", Horizontal.Width, Horizontal.Decimals), 0.0);
    const QString VerticalSample =
        Label(QString::asprintf("%%0%d.%dlf    ", Vertical.Width, Vertical.Decimals), 0.0);
    const QRect HorizontalBox = Painter.boundingRect(QRect(), 0, HorizontalSample);
    const QRect VerticalBox = Painter.boundingRect(QRect(), 0, VerticalSample);
    d_HorizontalLabelWidth = std::max(HorizontalBox.width(), 1);
    d_HorizontalLabelHeight = std::max(HorizontalBox.height(), 1);
    d_VerticalLabelWidth = std::max(VerticalBox.width(), 1);
    d_VerticalLabelHeight = std::max(VerticalBox.height(), 1);
}

void TGraphWidget::DrawAxes(QPainter& Painter)
{
    const int FontHeight = QFontMetrics(Painter.font()).height();
    const QPen Pen = Painter.pen();
    const QFont Font = Painter.font();

    if (d_Presentation)
        DrawRoundTicks(Painter, FontHeight);
    else
    {
        DrawHorizontalTicks(Painter, FontHeight);
        DrawVerticalTicks(Painter, FontHeight);
    }
    DrawZeroLines(Painter);
    Painter.setPen(Qt::darkGray);
    if (d_DrawFrame)
        DrawOutline(Painter,
                    QRect(QPoint(0, 0), QPoint(d_WidgetRect.right() - d_WidgetRect.left() - 1,
                                               d_WidgetRect.bottom() - d_WidgetRect.top() - 1)));
    DrawOutline(Painter, d_PlotRect);

    Painter.setPen(Pen);
    DrawTitles(Painter);
    Painter.setFont(Font);
}

// Tick marks below the plot, spread over its width as far as the labels leave room.
void TGraphWidget::DrawHorizontalTicks(QPainter& Painter, int FontHeight)
{
    const int Width = d_PlotRect.right() - d_PlotRect.left() + 1;
    const int Count = TickCount(Width, d_HorizontalLabelWidth);
    const int Baseline = d_HorizontalLabelRect.top() + FontHeight + d_HorizontalLabelHeight -
                         d_HorizontalLabelHeight / 2;
    for (int Index = 0; Index < Count; ++Index)
    {
        const int X = d_PlotRect.left() + TickOffset(Index, Count, Width);
        Painter.setPen(Qt::lightGray);
        Painter.drawLine(X, d_PlotRect.bottom(), X, d_PlotRect.bottom() + FontHeight / 3);
        Painter.setPen(Qt::black);
        Painter.drawText(QPoint(X - d_HorizontalLabelWidth / 2, Baseline),
                         Label(d_HorizontalFormat, d_Transform.InverseX(X)));
    }
}

// Tick marks left of the plot, one line of text apart.
void TGraphWidget::DrawVerticalTicks(QPainter& Painter, int FontHeight)
{
    const int Height = d_PlotRect.bottom() - d_PlotRect.top() + 1;
    const int Count = TickCount(Height, d_FontHeight);
    const int LabelLeft = d_VerticalLabelRect.right() - d_VerticalLabelWidth;
    for (int Index = 0; Index < Count; ++Index)
    {
        const int Y = d_PlotRect.top() + TickOffset(Index, Count, Height);
        Painter.setPen(Qt::lightGray);
        Painter.drawLine(d_PlotRect.left() - FontHeight / 2, Y, d_PlotRect.left(), Y);
        Painter.setPen(Qt::black);
        Painter.drawText(QPoint(LabelLeft, Y + d_VerticalLabelHeight / 2 - 1),
                         Label(d_VerticalFormat, d_Transform.InverseY(Y)));
    }
}

// The axes through data zero, where they cross the plot's inside.
void TGraphWidget::DrawZeroLines(QPainter& Painter)
{
    // Compared as doubles first: zero may lie far beyond any int when zoomed deep.
    const double ZeroColumn = std::trunc(d_Transform.MapX(0.0));
    const double ZeroRow = std::trunc(d_Transform.MapY(0.0));
    Painter.setPen(Qt::lightGray);
    if (d_PlotRect.left() < ZeroColumn && ZeroColumn < d_PlotRect.right())
    {
        const int X = static_cast<int>(ZeroColumn);
        Painter.drawLine(X, d_PlotRect.top(), X, d_PlotRect.bottom());
    }
    if (d_PlotRect.top() < ZeroRow && ZeroRow < d_PlotRect.bottom())
    {
        const int Y = static_cast<int>(ZeroRow);
        Painter.drawLine(d_PlotRect.left(), Y, d_PlotRect.right(), Y);
    }
}

// The bold title above, the axis titles below and left, the left one reading upward.
void TGraphWidget::DrawTitles(QPainter& Painter)
{
    QFont TitleFont;
    TitleFont.setPointSize(12);
    TitleFont.setWeight(QFont::Bold);
    Painter.setFont(TitleFont);
    Painter.drawText(d_TitleRect, Qt::AlignHCenter | Qt::AlignVCenter, d_Title);

    TitleFont.setPointSize(10);
    Painter.setFont(TitleFont);
    Painter.drawText(d_HorizontalTitleRect, Qt::AlignHCenter | Qt::AlignVCenter, d_HorizontalTitle);

    const QRect Bounds = Painter.boundingRect(QRect(), Qt::AlignLeft, d_VerticalTitle);
    const int TitleWidth = std::max(Bounds.right(), Bounds.left()) - Bounds.left() + 1;
    Painter.save();
    Painter.translate((d_VerticalTitleRect.left() + d_VerticalTitleRect.right()) / 2,
                      (d_VerticalTitleRect.top() + d_VerticalTitleRect.bottom()) / 2);
    Painter.rotate(-90.0);
    Painter.drawText(QPointF(-(TitleWidth / 2), 0.0), d_VerticalTitle);
    Painter.restore();
}

// Curves over the axes, later sets over earlier ones, all cut at the plot's edges.
void TGraphWidget::DrawDataSets(QPainter& Painter)
{
    const QPen Pen = Painter.pen();
    const bool Clipped = !d_DataSets.empty();
    if (Clipped)
        Painter.setClipRect(d_PlotRect, Qt::ReplaceClip);
    const TPixelMap Map(d_Transform, d_PlotRect);
    const int PlotWidth = d_PlotRect.right() - d_PlotRect.left() + 1;
    for (const TGraphDataSet& Set : d_DataSets)
    {
        const TStyleDrawing* Drawing = DrawingOf(Set, d_DefaultStyle);
        if (Set.Points.empty() || Drawing == nullptr)
            continue;
        Painter.setPen(PenOf(*Drawing, Set.Color));
        Drawing->Curve(Painter, Set.Points, {Map, d_Transform, PlotWidth, Set.Color});
    }
    if (Clipped)
        Painter.setClipping(false);
    Painter.setPen(Pen);
}

// The sets that the legend lists: named ones of a style that is drawn.
std::vector<const TGraphDataSet*> TGraphWidget::LegendSets() const
{
    std::vector<const TGraphDataSet*> Sets;
    for (const TGraphDataSet& Set : d_DataSets)
        if (!Set.Name.isEmpty() && DrawingOf(Set, d_DefaultStyle) != nullptr)
            Sets.push_back(&Set);
    return Sets;
}

void TGraphWidget::DrawSwatch(QPainter& Painter, const TGraphDataSet& Set, const QRect& Box) const
{
    const TStyleDrawing* Drawing = DrawingOf(Set, d_DefaultStyle);
    if (Drawing == nullptr)
        return;
    Painter.setPen(PenOf(*Drawing, Set.Color));
    Drawing->Swatch(Painter, Box, Set.Color);
}
