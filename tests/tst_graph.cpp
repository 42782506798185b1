#include "graphprobe.h"

#include "core/graphticks.h"

#include <QtTest>

#include <array>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

// A data range to show (left, right, bottom, top), or a fit to the data when left is NaN.
using TView = std::array<double, 4>;
// The pixel of a data point x, y, how the curve covers it, and its move by dx, dy pixels.
using TMark = std::array<double, 5>;
using TPoints = std::vector<TVector2>;
using TMarks = std::vector<TMark>;
Q_DECLARE_METATYPE(TView)
Q_DECLARE_METATYPE(TPoints)
Q_DECLARE_METATYPE(TMarks)

namespace
{

const double Inf = std::numeric_limits<double>::infinity();
const double NaN = std::numeric_limits<double>::quiet_NaN();
const TView Fitted{NaN, NaN, NaN, NaN};
const TView Deep{500 - 5e-6, 500 + 5e-6, 0.5 - 1e-8, 0.5 + 1e-8};
// A pixel that is not red, red, or red or next to red above or below.
const int Off = 0, On = 1, Near = 2;

// One red data set drawn one to one in a plot 700 by 501 pixels showing the view; a label
// width or line height given overrides the measured one.
QImage Draw(TGraphWidget& graph, const TPoints& points, int style, const TView& view,
            int labelWidth = 0, int lineHeight = 0)
{
    TGraphWidgetProbe probe(graph);
    const int set = graph.AddDataSet(Qt::red, style);
    for (const TVector2& point : points)
        graph.AddPoint(set, point);
    const int f = probe.FontHeight();
    probe.SetLayout(TGraphLayout::ForWidget(699 + 8 * f, 500 + 6 * f, f));
    if (std::isnan(view[0]))
        probe.FitToData();
    else
        probe.SetTransform(
            TGraphTransform::Fitting(probe.PlotRect(), view[0], view[1], view[2], view[3]));
    QImage image(1200, 900, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    probe.UpdateLabelFormats(painter);
    if (labelWidth > 0)
        probe.SetHorizontalLabelWidth(labelWidth);
    if (lineHeight > 0)
        probe.SetFontHeight(lineHeight);
    probe.DrawAxes(painter);
    probe.DrawDataSets(painter);
    return image;
}

int Red(const QImage& image, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixelColor(x, y) == Qt::red;
    return count;
}

QPoint PixelOf(const TGraphTransform& map, double x, double y)
{
    return QPoint(int(std::trunc(map.MapX(x))), int(std::trunc(map.MapY(y))));
}

// Steps at positions from the plot's top-left: press l(eft) or r(ight), d(ouble-click), m(ove),
// u(p), move from the b(ottom-right), w(ait) for repaints, n(otches) of 120 (third), k(ey).
void Run(TGraphWidget& graph, const QString& steps)
{
    const QRect plot = TGraphWidgetProbe(graph).PlotRect();
    Qt::MouseButton button = Qt::NoButton;
    for (const QString& step : steps.split(' ', Qt::SkipEmptyParts))
    {
        const QStringList xy = (step.mid(1) + ",0,0").split(',');
        const QPoint at = (step[0] == 'b' ? plot.bottomRight() : plot.topLeft()) +
                          QPoint(xy[0].toInt(), xy[1].toInt());
        if (step[0] == 'l' || step[0] == 'r' || step[0] == 'd')
        {
            button = step[0] == 'r' ? Qt::RightButton : Qt::LeftButton;
            Send(graph, step[0] == 'd' ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress, at,
                 button, button);
        }
        else if (step[0] == 'm' || step[0] == 'b')
            Send(graph, QEvent::MouseMove, at, Qt::NoButton, button);
        else if (step[0] == 'u')
            Send(graph, QEvent::MouseButtonRelease, at, std::exchange(button, Qt::NoButton),
                 Qt::NoButton);
        else if (step[0] == 'w')
            QTRY_VERIFY(!TGraphWidgetProbe(graph).Pending());
        else if (step[0] == 'n')
        {
            QWheelEvent wheel(at, graph.mapToGlobal(at), QPoint(), QPoint(0, xy[2].toInt()),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(&graph, &wheel);
        }
        else if (step[0] == 'k')
            QTest::keySequence(&graph, QKeySequence::fromString(step.mid(1)));
    }
}

// The pixels of a band's outline: its top and left edges, and one beyond its others.
QRegion Outline(const QRect& band)
{
    return QRegion(band.adjusted(0, 0, 1, 1)) - QRegion(band.adjusted(1, 1, 0, 0));
}

// A shown graph of one curve from (1000, -1) to (1010, 1), fitted: x 999.8..1010.2 and
// y -1.04..1.04. Records all regions painted, and those since the image was last drawn anew.
struct TShownGraph : TGraphWidget
{
    QRegion Painted, Copied;

    TShownGraph()
    {
        resize(640, 480);
        show();
        AddPoint(AddDataSet(Qt::red, 0), TVector2(1000, -1));
        AddPoint(0, TVector2(1010, 1));
        UpdateGraph();
    }
    void paintEvent(QPaintEvent* event) override
    {
        Painted += event->region();
        const bool serving = TGraphWidgetProbe(*this).Pending();
        TGraphWidget::paintEvent(event);
        Copied = serving ? QRegion() : Copied + event->region();
    }
};

} // namespace

class TGraphTest : public QObject
{
    Q_OBJECT

private slots:
    void fit_data();
    void fit();
    void widgetAndRender();
    void look();
    void curves_data();
    void curves();
    void view_data();
    void view();
    void repaints();
    void drawnAndExtremes();
    void ticks_data();
    void ticks();
    void ticksGenerated();
    void presentation();
    void dashes();
};

void TGraphTest::fit_data()
{
    QTest::addColumn<TPoints>("points");
    QTest::addColumn<QRect>("zoom");
    QTest::addColumn<QString>("view");
    const auto row = [](const char* tag, const TPoints& points, const char* view, QRect zoom = {})
    { QTest::newRow(tag) << points << zoom << QString(view); };

    // 2 % margins; y reaches beyond zero; one x widens to 1e-5; points that are not finite
    // numbers have no place on the axes.
    row("single point", {{10, 0.5}},
        "x 9.999995 10.00001 y -0.0100051 0.5100001 spans 1e-05 0.500005");
    row("all negative", {{0, -2}, {10, -1}}, "x -0.2 10.2 y -2.04 0.0400051 spans 10 2.000005");
    row("none below zero, some not finite", {{Inf, 5}, {0, 0}, {NaN, 2}, {10, -Inf}, {10, 3}},
        "x -0.2 10.2 y -0.0600051 3.06 spans 10 3.000005");
    // A zoom is at least 1e-5 wide; zooming out stops at fifty spans, about the band's own
    // centre: data far from zero stay.
    row("zero-width zoom", {{0, -1}, {10, 1}}, "x 4.999995 5.000005 y -1.04 1.04 spans 10 2",
        QRect(QPoint(425, 20), QPoint(425, 520)));
    row("zoom-out limit", {{1000, -1}, {1010, 1}},
        "x 754.9927 1254.993 y -49.99792 50.00208 spans 10 2", QRect(-35075, -24730, 71000, 50000));
}

// In a plot rectangle 711 by 501 pixels: corner differences 710 and 500.
void TGraphTest::fit()
{
    QFETCH(TPoints, points);
    QFETCH(QRect, zoom);
    TGraphWidget graph;
    TGraphWidgetProbe probe(graph);
    const int set = graph.AddDataSet(Qt::red, 0);
    for (const TVector2& point : points)
        graph.AddPoint(set, point);
    probe.SetPlotRect(QRect(QPoint(70, 20), QPoint(780, 520)));
    probe.FitToData();
    if (!zoom.isNull())
        probe.ZoomToRect(zoom);
    const auto number = [](double value) { return QString::number(value, 'g', 7); };
    QTEST(QString("x %1 %2 y %3 %4 spans %5 %6")
              .arg(number(probe.Left()), number(probe.Right()), number(probe.Bottom()),
                   number(probe.Top()), number(probe.XSpan()), number(probe.YSpan())),
          "view");
}

// The image maps one to one; Render fits all data afresh elsewhere, the widget's view stays.
void TGraphTest::widgetAndRender()
{
    TGraphWidget graph;
    TGraphWidgetProbe probe(graph);
    graph.resize(400, 300);
    graph.show();
    QVERIFY(QTest::qWaitForWindowExposed(&graph));
    const int f = probe.FontHeight();
    const QRect plot = probe.PlotRect();
    QCOMPARE(plot, QRect(QPoint(7 * f, 2 * f), QPoint(400 - f, 300 - 4 * f)));
    graph.AddPoint(graph.AddDataSet(Qt::red, 0), TVector2(-5, 1));
    graph.AddPoint(0, TVector2(10, -1));
    graph.UpdateGraph();
    const QImage image = probe.Image();
    const TGraphTransform map = probe.Transform();
    // The curve's ends, the zero lines, the far edges of the plot's frame and the widget's.
    const QPoint zero = PixelOf(map, 0, 0);
    QVERIFY(image.pixelColor(PixelOf(map, -5, 1)) == Qt::red &&
            image.pixelColor(PixelOf(map, 10, -1)) == Qt::red);
    QVERIFY(image.pixelColor(zero.x(), plot.top() + 1) == Qt::lightGray &&
            image.pixelColor(plot.left() + 1, zero.y()) == Qt::lightGray);
    for (const QPoint& edge : {QPoint(plot.right(), 100), QPoint(200, plot.bottom()),
                               QPoint(399, 150), QPoint(200, 299)})
        QCOMPARE(image.pixelColor(edge), QColor(Qt::darkGray));

    // Drawn elsewhere in the painter's font, fitted afresh; the frame's right edge at 638.
    graph.AddPoint(0, TVector2(20, 0));
    QImage framed(640, 480, QImage::Format_RGB32);
    framed.fill(Qt::white);
    QPainter painter(&framed);
    painter.setFont(QFont("DejaVu Sans", 20));
    QVERIFY(graph.Render(&painter, framed.rect(), true));
    QVERIFY(framed.pixelColor(638, 240) == Qt::darkGray && Red(framed, framed.rect()) > 0);
    QVERIFY(probe.Transform().m11 == map.m11 && probe.Transform().dy == map.dy);
    QVERIFY(probe.PlotRect() == plot && probe.XSpan() == 15 && probe.FontHeight() == f);
}

// Six hues in sixteen intensities; green is always halved; black at 96, none beyond. Ticks
// labels of the width and lines of the height apart; the last one pixel beyond the plot. The
// vertical title reads upward: its first letter, the only one with much ink, lies low.
void TGraphTest::look()
{
    QStringList colours;
    for (int index : {0, 1, 2, 3, 4, 5, 6, 13, 20, 39, 44, 91, 95, 96, 97, -1})
    {
        int r = -1, g = -1, b = -1;
        const bool known = TGraphWidget::GetIndexedColor(index, r, g, b);
        colours << QString("%1 %2 %3%4").arg(r).arg(g).arg(b).arg(known ? "" : " no");
    }
    QCOMPARE(colours.join(", "), "255 0 0, 0 127 0, 0 0 255, 255 127 0, 0 127 255, 255 0 255, "
                                 "128 0 0, 0 96 0, 0 0 64, 96 48 0, 0 0 32, 0 8 0, 16 0 16, "
                                 "0 0 0, 0 0 0 no, 0 0 0 no");
    const auto ticks = [](int labelWidth, int lineHeight)
    {
        TGraphWidget graph;
        const QImage image = Draw(graph, TPoints(), 0, Fitted, labelWidth, lineHeight);
        const QRect plot = TGraphWidgetProbe(graph).PlotRect();
        QVector<QList<int>> offsets(2);
        for (int offset = 0; offset < 750; ++offset)
        {
            if (image.pixelColor(plot.bottomLeft() + QPoint(offset, 2)) == Qt::lightGray)
                offsets[0] << offset;
            if (image.pixelColor(plot.topLeft() + QPoint(-2, offset)) == Qt::lightGray)
                offsets[1] << offset;
        }
        return offsets;
    };
    QCOMPARE(ticks(80, 100), (QVector<QList<int>>{{0, 100, 200, 300, 400, 500, 600, 700},
                                                  {0, 125, 250, 375, 501}}));
    QCOMPARE(ticks(400, 501), (QVector<QList<int>>{{0}, {0}}));

    TShownGraph graph;
    QVERIFY(QTest::qWaitForWindowExposed(&graph));
    graph.SetVerticalTitle("W.........");
    graph.UpdateGraph();
    const QImage image = TGraphWidgetProbe(graph).Image();
    const int f = TGraphWidgetProbe(graph).FontHeight(), ratio = int(image.devicePixelRatio());
    // The left half of the title's strip, where the letters lie when they read upward.
    int low = 0, high = 0;
    for (int x = 0; x < f * ratio; ++x)
        for (int y = 2 * f * ratio; y < (graph.height() - 4 * f) * ratio; ++y)
            if (qGray(image.pixel(x, y)) < 100)
                ++(y * 2 > (graph.height() - 2 * f) * ratio ? low : high);
    QVERIFY(low > 2 * high);
}

void TGraphTest::curves_data()
{
    QTest::addColumn<TPoints>("points");
    QTest::addColumn<int>("style");
    QTest::addColumn<TView>("view");
    QTest::addColumn<TMarks>("marks");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("formats");
    const auto row = [](const char* tag, const TPoints& points, int style, const TView& view,
                        const TMarks& marks, int count, const char* formats = "")
    { QTest::newRow(tag) << points << style << view << marks << count << QString(formats); };

    // Not drawn, yet its points set the view and so the label formats.
    row("style 4", {{0, 1}, {5, -2}, {10, 3}}, 4, Fitted, {}, 0, "% 5.3lf, % 5.4lf");
    row("one point, cross", {{5, 0.5}}, 3, Fitted, {{5, 0.5, On, -3, -3}, {5, 0.5, On, 3, -3}}, 13);
    // Bars reach from the value's row to the row above zero; below zero they start at it.
    row("bar above zero", {{2, 2}}, 2, {-1, 11, -2, 3},
        {{2, 2, On}, {2, 2, Off, 0, -1}, {2, 0, On, 0, -1}, {2, 0, Off}}, -1);
    row("bar below zero", {{8, -1}}, 2, {-1, 11, -2, 3},
        {{8, 0, On}, {8, -1, On, 0, -1}, {8, -1, Off}}, -1);
    // Two bars in a plot 700 pixels wide: each 2 * (700 / 4 - 1) wide and here 250 high.
    row("bar width", {{1, 1}, {3, 1}}, 2, {0, 4, 0, 2}, {}, 2 * 348 * 250);
    // A point that is not a finite number breaks the line on both sides.
    row("gaps", {{0, 1}, {1, Inf}, {2, 2}, {3, NaN}, {4, 3}, {5, 4}}, 1, Fitted,
        {{0, 1, Off}, {2, 2, Off}, {4, 3, On}, {5, 4, On}}, -1);
    for (int style : {1, 2, 3})
        row(qPrintable(QString("only inf and nan, style %1").arg(style)),
            {{1, NaN}, {2, Inf}, {-Inf, 1}, {NaN, -Inf}}, style, {-1, 3, -2, 2}, {}, 0);
    // Lines with ends ten billion pixels off, or whose difference overflows, keep their slope;
    // a bar that far off is cut.
    row("deep zoom, both ends far", {{0, 0}, {1000, 1}}, 1, Deep,
        {{500 - 4e-6, 0.5 - 4e-9, Near}, {500, 0.5, Near}, {500 + 4e-6, 0.5 + 4e-9, Near}}, -1);
    row("deep zoom, one end far", {{1e15, 1e12}, {500, 0.5}}, 1, Deep,
        {{500 - 2e-6, 0.5 - 2e-9, Off}, {500 + 4e-6, 0.5 + 4e-9, Near}}, -1);
    row("overflowing difference", {{-1.7e308, 0}, {1.7e308, 0}}, 1, {-1, 1, -1, 1},
        {{-0.9, 0, Near}, {0.9, 0, Near}}, -1);
    row("bar beyond any pixel", {{1, 1.7e308}}, 2, {0.5, 1.5, 0, 1}, {{1, 0.5, On}}, -1);
    row("collapsed at 1e12", {{1e12, 5}, {1e12, 6}}, 1, Fitted, {{1e12, 5.5, On}}, -1);
    // Fewer decimals the wider the span (at least 1), more digits the larger; view <= 1e306.
    row("wide, and at most 1", {}, 0, {0, 2e6, -1, 0.25}, {}, -1, "% 7.0lf, % 6.5lf");
    row("span below 1", {}, 0, {100, 100.5, 1500, 1500.001}, {}, -1, "% 8.5lf, % 9.5lf");
    row("beyond any range", {{-1.7e308, -Inf}, {1.7e308, 1e307}}, 0, Fitted, {}, 0,
        "% 307.0lf, % 307.0lf");
}

void TGraphTest::curves()
{
    QFETCH(TPoints, points);
    QFETCH(int, style);
    QFETCH(TView, view);
    QFETCH(TMarks, marks);
    QFETCH(int, count);
    QFETCH(QString, formats);
    TGraphWidget graph;
    TGraphWidgetProbe probe(graph);
    const QImage image = Draw(graph, points, style, view);
    const TGraphTransform& map = probe.Transform();
    QVERIFY(std::isfinite(map.dx) && std::isfinite(map.dy) && map.m11 > 0 && map.m22 < 0);
    for (const TMark& mark : marks)
    {
        const QPoint at = PixelOf(map, mark[0], mark[1]) + QPoint(int(mark[3]), int(mark[4]));
        const QPoint near(0, mark[2] == Near);
        QVERIFY((Red(image, QRect(at - near, at + near)) > 0) == (mark[2] != Off));
    }
    if (count >= 0)
        QCOMPARE(Red(image, image.rect()), count);
    if (!formats.isEmpty())
        QCOMPARE(probe.Formats(), formats);
}

void TGraphTest::view_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QLineF>("fractions");
    QTest::addColumn<QLineF>("pixels");
    QTest::addColumn<QString>("readOut");
    // The view's corners in the fitted one: fractions of the plot's corner differences plus
    // pixels. No read-out given: the data under the resting mouse.
    const auto row = [](const char* tag, const char* steps, QLineF fractions = {0, 0, 1, 1},
                        QLineF pixels = {}, const char* readOut = "")
    { QTest::newRow(tag) << QString(steps) << fractions << pixels << QString(readOut); };
    row("band", "l50,40 m150,100 m250,200 u", {}, {50, 40, 250, 200});
    row("band from outside", "l-30,-20 m250,200 u", {}, {0, 0, 250, 200});
    row("band to the top left", "l250,200 m150,100 m50,40 u", {}, {50, 40, 250, 200});
    // A left click, a band held (no read-out) and right clicks before a paint keep the view;
    // then one zoom-out about the centre follows, and after a refit asked for with it.
    row("clicks, band held, no paint", "l50,40 u r100,100 u l0,0 m10,10");
    row("two right clicks", "r100,100 u r100,100 u w", {-0.5, -0.5, 1.5, 1.5});
    row("zoom-out after refit", "l50,40 m250,200 u r9,9 u kHome w", {-0.5, -0.5, 1.5, 1.5});
    // A right drag carries the data with the mouse, here from corner to corner.
    row("right drag in steps", "r0,0 m9,4 b-20,-7 b0,0 u", {-1, -1, 0, 0});
    row("read-out, outside it stays", "m0,0 b0,0 m-1,0 m0,-1 b1,0 b0,1", {0, 0, 1, 1}, {},
        "1010.20000,   -1.04000");
    // The data under the wheel stay; a notch, or three thirds of one, zooms by 1.25, out to at
    // most fifty times the data, fitted 1.04 wide.
    row("touchpad thirds", "n100,80,40 n100,80,40 n100,80,40", {0, 0, 0.8, 0.8}, {20, 16, 20, 16});
    const double limit = 50 / 1.04, x = 300 * (1 - limit), y = 200 * (1 - limit);
    row("wheel to the limit", "n300,200,-3600", {0, 0, limit, limit}, {x, y, x, y});
    row("Home", "n100,80,120 kHome w");
    row("double-click", "n100,80,120 l50,50 u d50,50 u w");
    // The arrows move the view a tenth of the plot; + and - zoom about the centre.
    row("arrows", "kRight kUp", {0.1, -0.1, 1.1, 0.9});
    row("plus and minus", "k+ k+ k-", {0.1, 0.1, 0.9, 0.9});
}

void TGraphTest::view()
{
    QFETCH(QString, steps);
    QFETCH(QLineF, fractions);
    QFETCH(QLineF, pixels);
    QFETCH(QString, readOut);
    TShownGraph graph;
    QVERIFY(QTest::qWaitForWindowExposed(&graph));
    TGraphWidgetProbe probe(graph);
    const TGraphTransform fit = probe.Transform();
    const QRect plot = probe.PlotRect();
    const QPoint mouse = plot.topLeft() + QPoint(50, 40);
    QTest::mouseMove(&graph, QPoint()); // enters, so that the read-out follows the view
    QTest::mouseMove(&graph, mouse);
    Run(graph, "m50,40 " + steps);
    const TGraphTransform& map = probe.Transform();
    const QString under =
        QString::asprintf("%.5lf,   %.5lf", map.InverseX(mouse.x()), map.InverseY(mouse.y()));
    QCOMPARE(probe.Coordinates(), readOut.isEmpty() ? under : readOut);
    // The pixel now showing the data of a pixel of the fitted view; expected at the corners.
    const QPointF size = plot.bottomRight() - plot.topLeft();
    const auto now = [&](const QPointF& fraction, const QPointF& pixel)
    {
        const QPointF at =
            plot.topLeft() + pixel + QPointF(fraction.x() * size.x(), fraction.y() * size.y());
        return QPointF(map.MapX(fit.InverseX(at.x())), map.MapY(fit.InverseY(at.y())));
    };
    QVERIFY((now(fractions.p1(), pixels.p1()) - plot.topLeft()).manhattanLength() <= 1.5);
    QVERIFY((now(fractions.p2(), pixels.p2()) - plot.bottomRight()).manhattanLength() <= 1.5);
}

// A zoom-out and a refit each ask for their own repaint: unforced, the widget's paints show
// all of the new image.
void TGraphTest::repaints()
{
    TShownGraph graph;
    QVERIFY(QTest::qWaitForWindowExposed(&graph));
    TGraphWidgetProbe probe(graph);
    const double width = probe.Right() - probe.Left();
    const qint64 fitted = probe.ImageKey();
    Run(graph, "r100,100 u");
    QTRY_VERIFY(probe.Right() - probe.Left() > 1.9 * width);
    QVERIFY(probe.ImageKey() != fitted);
    QTRY_COMPARE(graph.Copied, QRegion(graph.rect()));

    graph.Painted = QRegion();
    graph.AddPoint(0, TVector2(2000, 5));
    graph.UpdateGraph();
    QTRY_VERIFY(QRegion(graph.rect()).subtracted(graph.Painted).isEmpty());
}

void TGraphTest::drawnAndExtremes()
{
    TShownGraph graph;
    QVERIFY(QTest::qWaitForWindowExposed(&graph));
    TGraphWidgetProbe probe(graph);
    const QRect plot = probe.PlotRect();
    const QRect band(plot.topLeft() + QPoint(50, 40), plot.topLeft() + QPoint(150, 100));
    Run(graph, "m0,0 l50,40 m250,200");
    QApplication::processEvents();
    graph.Painted = QRegion();
    Send(graph, QEvent::MouseMove, band.bottomRight(), Qt::NoButton, Qt::LeftButton);
    QApplication::processEvents();
    // Only the band's old and new outlines are repainted, from the image.
    QVERIFY(graph.Painted.xored(Outline(band) + Outline(band.adjusted(0, 0, 100, 100))).isEmpty());

    // Drawn: the image, the band, and the read-out right-aligned at the plot's top right, its
    // baseline a text height down. At a ratio of 2 (tst_graph_ratio2) an edge covers both sides.
    const QImage image = probe.Image();
    const int ratio = std::max(qEnvironmentVariableIntValue("QT_SCALE_FACTOR"), 1);
    QVERIFY(graph.devicePixelRatioF() == ratio && image.devicePixelRatio() == ratio);
    const QImage drawn = graph.grab().toImage().convertToFormat(image.format());
    QRegion differs;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            if (drawn.pixel(x, y) != image.pixel(x, y))
                differs += QRect((x + ratio - 1) / ratio, (y + ratio - 1) / ratio, 1, 1);
    const QFontMetrics metrics(graph.font());
    const QRect text = metrics.boundingRect(QRect(), 0, probe.Coordinates());
    const QRect box(
        QPoint(plot.right() - text.width(), plot.top() + text.height() - metrics.ascent()),
        QPoint(plot.right(), plot.top() + text.height() + metrics.descent()));
    QVERIFY((differs - box).xored(Outline(band)).isEmpty());
    QVERIFY((differs & box).boundingRect().right() >= box.right() - 3);

    // Positions far beyond any screen do not break the view.
    Send(graph, QEvent::MouseButtonRelease, band.bottomRight(), Qt::LeftButton, Qt::NoButton);
    const TGraphTransform& map = probe.Transform();
    Run(graph, "r-2000000000,-9 m2000000000,9 u l9,2000000000 m-9,-2000000000 u r0,0 u w");
    QVERIFY(std::isfinite(map.dx) && std::isfinite(map.dy) && map.m11 > 0 && map.m22 < 0);

    // A plot one pixel wide: labels as for a scale of 0, read-out nan, the curve still shown.
    graph.resize(8 * probe.FontHeight(), 300);
    const QRect narrow = probe.PlotRect();
    QVERIFY(narrow.width() == 1 && probe.Formats().startsWith("% 6.5lf, "));
    Run(graph, "r0,10 m0,20 u r0,0 u w l0,0 b0,0 u m0,0");
    QVERIFY(probe.Coordinates().startsWith("nan,   ") && std::isfinite(map.dx) &&
            std::isfinite(map.m22));
    QVERIFY(!probe.Image().copy(QRect(narrow.topLeft() * ratio, narrow.size() * ratio)).allGray());
}

void TGraphTest::ticks_data()
{
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::addColumn<int>("most");
    QTest::addColumn<QString>("labels");
    const auto row = [](const char* tag, double low, double high, int most, const char* labels)
    { QTest::newRow(tag) << low << high << most << QString(labels); };
    row("screen's range", 6.5223, 6.6866, 10, "6.54 6.56 6.58 6.60 6.62 6.64 6.66 6.68");
    row("span of 1e-5", 0, 1e-5, 10, "0.000000 0.000002 0.000004 0.000006 0.000008 0.000010");
    row("1e-5 far from zero", 1000, 1000.00001, 5, "1000.000000 1000.000005 1000.000010");
    row("negative only", -3.7, -1.2, 10, "-3.5 -3.0 -2.5 -2.0 -1.5");
    row("across zero, reversed", 1.04, -1.04, 10, "-1.0 -0.5 0.0 0.5 1.0");
    row("no negative zero", -5.2e-6, 5.2e-6, 10, "-0.000004 -0.000002 0.000000 0.000002 0.000004");
    row("ends on steps", 0, 0.3, 10, "0.00 0.05 0.10 0.15 0.20 0.25 0.30");
    row("three at most", -1.04, 1.04, 3, "-1 0 1");
    row("one, none at the larger step", 0.2, 0.4, 1, "0.2");
    row("single value", 6.6866, 6.6866, 10, "6.6866");
    row("single negative zero", -0.0, -0.0, 10, "0");
    // Labels longer than 24 characters are shown as length:value.
    row("huge", -1.7e308, 1.7e308, 3, "310:-1e+308 0 309:1e+308");
    row("huge, one label", -1.7e308, 1.7e308, 1, "0");
    row("not a number", NaN, 1, 10, "");
    row("infinite", 0, Inf, 10, "");
    row("no labels asked for", 1, 2, 0, "");
}

void TGraphTest::ticks()
{
    QFETCH(double, low);
    QFETCH(double, high);
    QFETCH(int, most);
    QStringList labels;
    for (const QString& label : RoundTicks(low, high, most).Labels)
        labels << (label.size() > 24 ? QString("%1:%2").arg(label.size()).arg(label.toDouble())
                                     : label);
    QTEST(labels.join(' '), "labels");
}

// Ranges of every size and place: at least one and at most the labels asked for, ascending
// within the range, each its value with the step's decimals; the step 1, 2 or 5 times a power
// of ten, and the next smaller one would give at least as many.
void TGraphTest::ticksGenerated()
{
    std::mt19937_64 random(28);
    std::uniform_real_distribution<double> unit(-1.0, 1.0), share(0.1, 1.0);
    for (int run = 0; run < 4000; ++run)
    {
        const double scale = std::pow(10.0, int(random() % 580) - 290);
        const double low = unit(random) * scale;
        const double high = low + share(random) * scale * std::pow(10.0, -int(random() % 10));
        const int most = 1 + int(random() % 12);
        const TAxisTicks ticks = RoundTicks(low, high, most);
        const int count = int(ticks.Values.size());
        QVERIFY(count >= 1 && count <= most && ticks.Labels.size() == count);
        const double step = count > 1 ? ticks.Values[1] - ticks.Values[0] : 0.0;
        const double power = std::pow(10.0, std::floor(std::log10(step) + 1e-3));
        const double mantissa = std::round(step / power);
        const double smaller = step / (mantissa == 5 ? 2.5 : 2.0);
        QVERIFY(count == 1 || (std::abs(step / power - mantissa) < 1e-3 &&
                               (mantissa == 1 || mantissa == 2 || mantissa == 5) &&
                               ticks.Decimals == std::max(0, -int(std::round(std::log10(power)))) &&
                               std::floor(high / smaller) - std::ceil(low / smaller) + 2 > most));
        const double slack = step * 1e-6 + std::max(std::abs(low), std::abs(high)) * 1e-15;
        const QRegularExpression form(QRegularExpression::anchoredPattern(
            ticks.Decimals ? QString("-?\\d+\\.\\d{%1}").arg(ticks.Decimals) : QString("-?\\d+")));
        for (int index = 0; index < count; ++index)
        {
            const double value = ticks.Values[index];
            const QString label = ticks.Labels[index];
            QVERIFY(value >= low - slack && value <= high + slack &&
                    (index == 0 || value > ticks.Values[index - 1]) &&
                    form.match(label).hasMatch() &&
                    !(label.startsWith('-') && label.toDouble() == 0) &&
                    std::abs(label.toDouble() - value) <=
                        std::pow(10.0, -ticks.Decimals) / 2 + std::abs(value) * 1e-15);
        }
    }
}

// A light grid across the plot and a legend of the named sets right of it, drawn alike on
// the screen and by RenderView; the default style has neither.
void TGraphTest::presentation()
{
    TShownGraph graph;
    QVERIFY(QTest::qWaitForWindowExposed(&graph));
    TGraphWidgetProbe probe(graph);
    const QColor grid(224, 224, 224);
    const QRect plain = probe.PlotRect();
    graph.SetDataSetName(0, "red run");
    graph.AddPoint(graph.AddDataSet(Qt::blue, 3, "blue run"), TVector2(1005, 0));
    graph.AddPoint(graph.AddDataSet(Qt::green, 3), TVector2(1005, 0));
    graph.SetPresentation(true);
    graph.UpdateGraph();
    const QImage image = probe.Image().copy(graph.rect()).convertToFormat(QImage::Format_RGB32);
    const QRect plot = probe.PlotRect();
    QImage view(graph.size(), QImage::Format_RGB32);
    QPainter painter(&view);
    graph.RenderView(&painter, graph.size(), true);
    QCOMPARE(view, image);
    QSet<QRgb> legend;
    for (int y = plot.top(); y <= plot.bottom(); ++y)
        for (int x = plot.right() + 2; x < graph.width() - 1; ++x)
            legend << image.pixel(x, y);
    QVERIFY(legend.contains(qRgb(255, 0, 0)) && legend.contains(qRgb(0, 0, 255)) &&
            !legend.contains(qRgb(0, 255, 0)));
    int columns = 0, rows = 0;
    for (int x = plot.left() + 1; x < plot.right(); ++x)
        columns += image.pixelColor(x, plot.top() + 2) == grid;
    for (int y = plot.top() + 1; y < plot.bottom(); ++y)
        rows += image.pixelColor(plot.left() + 2, y) == grid;
    QVERIFY(columns >= 3 && rows >= 3 && plot.right() < plain.right());
    // Twenty long names take at most a quarter of the width.
    for (int set = 0; set < 20; ++set)
        graph.AddPoint(graph.AddDataSet(Qt::blue, 1, QString(80, 'W')), TVector2(1005, 0));
    graph.UpdateGraph();
    QVERIFY(probe.PlotRect().right() >= plain.right() - graph.width() / 4 - 2 * probe.FontHeight());

    graph.SetPresentation(false);
    graph.UpdateGraph();
    const QImage drawn = probe.Image();
    int plainGrid = 0;
    for (int y = plain.top() + 1; y < plain.bottom(); ++y)
        for (int x = plain.left() + 1; x < plain.right(); ++x)
            plainGrid += drawn.pixelColor(x, y) == grid;
    QVERIFY(probe.PlotRect() == plain && plainGrid == 0);
}

// Dashes leave gaps in a dense straight line, lines none.
void TGraphTest::dashes()
{
    TPoints line;
    for (int index = 0; index <= 2000; ++index)
        line.push_back({index / 200.0, 0.5});
    for (int style : {1, TGraphWidget::DashedStyle})
    {
        TGraphWidget dense;
        const QImage drawn = Draw(dense, line, style, {0, 10, 0, 1});
        const int y = PixelOf(TGraphWidgetProbe(dense).Transform(), 0, 0.5).y();
        const QRect row = TGraphWidgetProbe(dense).PlotRect();
        int on = 0, gaps = 0;
        for (int x = row.left(); x <= row.right(); ++x)
        {
            const bool red = drawn.pixelColor(x, y) == Qt::red;
            gaps += !red && drawn.pixelColor(x - 1, y) == Qt::red;
            on += red;
        }
        QVERIFY(style == 1 ? on == row.width() && gaps == 0
                           : gaps > 50 && on < row.width() * 3 / 4);
    }
}

QTEST_MAIN(TGraphTest)
#include "tst_graph.moc"
