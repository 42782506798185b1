// Interaction with the graph: the mouse, the wheel, the keys, the two view requests, and the
// paint event that serves them and draws the rubber band and the read-out over the cached
// image.

#include "core/graphwidget.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace
{

// No screen reaches this far. Holding mouse positions within it keeps every difference of
// two positions, and its sum with a layout coordinate, within an int.
const double Position_Limit = 1 << 28;

double Bounded(double Value)
{
    // A position that is not a number goes to the limit as well.
    if (!(Value >= -Position_Limit))
        return -Position_Limit;
    return std::min(Value, Position_Limit);
}

QPointF BoundedPoint(const QPointF& Point)
{
    return QPointF(Bounded(Point.x()), Bounded(Point.y()));
}

// The event's position in fractions of a pixel (Qt 6 renamed it).
QPointF ExactPosition(const QMouseEvent* Event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return Event->position();
#else
    return Event->localPos();
#endif
}

// The event's whole-pixel position, as QMouseEvent::pos rounds it.
QPoint Position(const QMouseEvent* Event)
{
    return BoundedPoint(ExactPosition(Event)).toPoint();
}

// One notch of the wheel, or one press of + or -, narrows or widens the view by this factor.
const double Zoom_Step = 1.25;
// The wheel reports an eighth of a degree; a notch is fifteen degrees.
const double Notch = 120.0;
// The wheel stops at twice the narrowest view, clear of the widening of a narrower one, which
// would move the data under the mouse.
const double Narrowest_Wheel_Span = 2e-5;

// Scales [Low, High] by Factor about Anchor, its width held within [Narrowest, Widest]. An
// axis without a scale (a plot one pixel wide) stays as it is.
void ScaleAbout(double& Low, double& High, double Anchor, double Factor, double Narrowest,
                double Widest)
{
    const double Span = High - Low;
    if (!(Span > 0.0))
        return;
    const double Scale = std::min(std::max(Factor, Narrowest / Span), Widest / Span);
    Low = Anchor - (Anchor - Low) * Scale;
    High = Anchor + (High - Anchor) * Scale;
}

} // namespace

// The read-out under the mouse: x first, three blanks after the comma.
QString TGraphWidget::CoordinatesText(double X, double Y)
{
    return QString::asprintf("%.5lf,   %.5lf", X, Y);
}

void TGraphWidget::ZoomOut()
{
    d_ZoomOutPending = true;
    update();
}

void TGraphWidget::ScaleToFit()
{
    d_ScaleToFitPending = true;
    update();
}

void TGraphWidget::paintEvent(QPaintEvent* Event)
{
    QPainter Painter(this);
    // A new view is shown by the repaint that its rendering asks for.
    if (ServePendingRequest())
        return;
    FollowPixelRatio();
    CopyImage(Painter, Event->region());
    if (d_ZoomRectVisible)
        DrawZoomRect(Painter);
    if (d_ShowCoordinates)
        DrawCoordinates(Painter);
}

// Renders the view of one pending request, the refit first; false when none is pending.
bool TGraphWidget::ServePendingRequest()
{
    if (d_ScaleToFitPending)
    {
        d_ScaleToFitPending = false;
        RenderFitted();
    }
    else if (d_ZoomOutPending)
    {
        d_ZoomOutPending = false;
        RenderZoomed(ZoomOutRect());
    }
    else
        return false;
    update(d_WidgetRect);
    return true;
}

// Twice the plot's width and height about its centre, so the view doubles both ways. Layout
// coordinates stay within a widget's size, far from the limits of an int.
QRect TGraphWidget::ZoomOutRect() const
{
    const int Width = d_PlotRect.right() - d_PlotRect.left() + 1;
    const int Height = d_PlotRect.bottom() - d_PlotRect.top() + 1;
    const int Left = (d_PlotRect.left() + d_PlotRect.right()) / 2 - (2 * Width - 1) / 2;
    const int Top = (d_PlotRect.top() + d_PlotRect.bottom()) / 2 - (2 * Height - 1) / 2;
    return QRect(QPoint(Left, Top), QPoint(Left + 2 * Width - 1, Top + 2 * Height - 1));
}

// The default pen outlines the band one pixel beyond its right and bottom edges.
void TGraphWidget::DrawZoomRect(QPainter& Painter)
{
    Painter.drawRect(Normalised(d_ZoomRect));
}

// Right-aligned in the plot's top right corner.
void TGraphWidget::DrawCoordinates(QPainter& Painter)
{
    const QPen Pen = Painter.pen();
    Painter.setPen(Qt::lightGray);
    const QRect Bounds = Painter.boundingRect(QRect(), 0, d_Coordinates);
    Painter.drawText(
        QPoint(d_PlotRect.right() - Bounds.width(), d_PlotRect.top() + Bounds.height()),
        d_Coordinates);
    Painter.setPen(Pen);
}

void TGraphWidget::mousePressEvent(QMouseEvent* Event)
{
    const QPoint At = Position(Event);
    if (Event->button() == Qt::LeftButton)
    {
        // A band begun outside the plot starts at the plot's top-left corner.
        const QPoint Anchor = d_PlotRect.contains(At) ? At : d_PlotRect.topLeft();
        d_ZoomRect = QRect(Anchor, Anchor);
        d_LeftPressed = true;
        d_Zooming = false;
    }
    else if (Event->button() == Qt::RightButton)
    {
        d_ZoomRect = QRect(At, At);
        d_Panned = false;
        d_RightPressed = true;
    }
}

void TGraphWidget::mouseMoveEvent(QMouseEvent* Event)
{
    const QPoint At = Position(Event);
    if (Event->buttons() & Qt::LeftButton)
    {
        if (d_LeftPressed)
            DragZoomRect(At);
    }
    else if (Event->buttons() & Qt::RightButton)
        Pan(At);
    else if (d_ShowCoordinates && d_PlotRect.contains(At))
        ShowCoordinatesAt(At);
}

void TGraphWidget::mouseReleaseEvent(QMouseEvent* Event)
{
    if (Event->button() == Qt::LeftButton)
    {
        if (d_Zooming)
        {
            d_ZoomRectVisible = false;
            UpdateZoomRectArea();
            RenderZoomed(d_ZoomRect);
            update(d_WidgetRect);
            d_Zooming = false;
        }
        d_LeftPressed = false;
    }
    else if (Event->button() == Qt::RightButton)
    {
        // A click without a drag zooms out.
        if (!d_Panned)
            ZoomOut();
        d_Panned = false;
        d_RightPressed = false;
    }
}

// Only the band's outline is repainted while it moves; the image stays as it is.
void TGraphWidget::DragZoomRect(const QPoint& At)
{
    if (d_Zooming)
        UpdateZoomRectArea();
    else
        d_Zooming = d_ZoomRectVisible = true;
    d_ZoomRect.setBottomRight(At);
    UpdateZoomRectArea();
}

// A left double-click refits; others press as a single click does.
void TGraphWidget::mouseDoubleClickEvent(QMouseEvent* Event)
{
    if (Event->button() == Qt::LeftButton)
        ScaleToFit();
    else
        mousePressEvent(Event);
}

// The data under the mouse stay there. Fractions of a notch, as a touchpad sends them, zoom by
// that fraction of a step, so that many small ones add up to the notches they make.
void TGraphWidget::wheelEvent(QWheelEvent* Event)
{
    const QPointF At = BoundedPoint(Event->position());
    const int Delta = Event->angleDelta().y();
    if (Delta == 0 || !d_PlotRect.contains(At.toPoint()))
    {
        Event->ignore();
        return;
    }
    ZoomAbout(At, std::pow(Zoom_Step, -Delta / Notch));
}

void TGraphWidget::keyPressEvent(QKeyEvent* Event)
{
    const QPointF Centre((d_PlotRect.left() + d_PlotRect.right()) / 2.0,
                         (d_PlotRect.top() + d_PlotRect.bottom()) / 2.0);
    // A tenth of the plot, the view moving the way the arrow points.
    const int Column = qRound(d_PlotRect.width() / 10.0);
    const int Row = qRound(d_PlotRect.height() / 10.0);
    switch (Event->key())
    {
    case Qt::Key_Home:
        ScaleToFit();
        break;
    case Qt::Key_Plus:
        ZoomAbout(Centre, 1.0 / Zoom_Step);
        break;
    case Qt::Key_Minus:
        ZoomAbout(Centre, Zoom_Step);
        break;
    case Qt::Key_Left:
        PanBy(-Column, 0);
        break;
    case Qt::Key_Right:
        PanBy(Column, 0);
        break;
    case Qt::Key_Up:
        PanBy(0, -Row);
        break;
    case Qt::Key_Down:
        PanBy(0, Row);
        break;
    default:
        QWidget::keyPressEvent(Event);
    }
}

// Factor scales the view's width and height; the data at At stay there. Neither axis goes
// beyond the zoom-out limit.
void TGraphWidget::ZoomAbout(const QPointF& At, double Factor)
{
    const double X = d_Transform.InverseX(At.x()), Y = d_Transform.InverseY(At.y());
    double Left = d_Transform.InverseX(d_PlotRect.left());
    double Right = d_Transform.InverseX(d_PlotRect.right());
    double Bottom = d_Transform.InverseY(d_PlotRect.bottom());
    double Top = d_Transform.InverseY(d_PlotRect.top());
    ScaleAbout(Left, Right, X, Factor, Narrowest_Wheel_Span, ZoomOutLimit * d_XSpan);
    ScaleAbout(Bottom, Top, Y, Factor, Narrowest_Wheel_Span, ZoomOutLimit * d_YSpan);
    RenderRange(Left, Right, Bottom, Top);
    update(d_WidgetRect);
}

// Moves the view by whole pixels, as a right-button drag does.
void TGraphWidget::PanBy(int Columns, int Rows)
{
    RenderZoomed(d_PlotRect.translated(Columns, Rows));
    update(d_WidgetRect);
}

// The view moves against the mouse, so the data under the anchor follow it.
void TGraphWidget::Pan(const QPoint& At)
{
    if (d_RightPressed)
    {
        d_ZoomRect.setBottomRight(At);
        RenderZoomed(d_PlotRect.translated(d_ZoomRect.topLeft() - At));
        repaint();
        d_ZoomRect.setTopLeft(At);
    }
    d_Panned = true;
}

// The data under the mouse. A plot of no width or height has no scale on that axis: the
// value is then infinite or not a number, and printed as such.
void TGraphWidget::ShowCoordinatesAt(const QPoint& At)
{
    d_Coordinates = CoordinatesText(d_Transform.InverseX(At.x()), d_Transform.InverseY(At.y()));
    repaint();
}

// After the view changed under a mouse resting on the plot, the read-out shows the data now
// under it; the caller repaints. Only then is the pointer's place asked for.
void TGraphWidget::FollowMouse()
{
    if (!d_ShowCoordinates || !underMouse())
        return;
    const QPoint At = mapFromGlobal(QCursor::pos());
    if (d_PlotRect.contains(At))
        d_Coordinates = CoordinatesText(d_Transform.InverseX(At.x()), d_Transform.InverseY(At.y()));
}

// The outline that DrawZoomRect draws: its top and left edges on the band, its bottom and
// right edges one pixel beyond, and the corner where these two meet.
void TGraphWidget::UpdateZoomRectArea()
{
    const QRect Band = Normalised(d_ZoomRect);
    const int Left = Band.left(), Top = Band.top(), Right = Band.right(), Bottom = Band.bottom();
    update(QRect(QPoint(Left, Top), QPoint(Right, Top)));
    update(QRect(QPoint(Left, Top), QPoint(Left, Bottom)));
    update(QRect(QPoint(Left, Bottom + 1), QPoint(Right, Bottom + 1)));
    update(QRect(QPoint(Right + 1, Top), QPoint(Right + 1, Bottom + 1)));
}
