#include "graphprobe.h"

#include <QtTest>

#include <array>
#include <cmath>
#include <limits>
#include <vector>

// A data range to show (left, right, bottom, top), or a fit to the data when left is NaN.
using TView = std::array<double, 4>;
// The pixel of a data point x, y, how the curve covers it, and its move by dx, dy pixels.
using TMark = std::array<double, 5>;
using TPoints = std::vector<TVector2>;
using TMarks = std::vector<TMark>;
using TPointLists = std::vector<TPoints>;
Q_DECLARE_METATYPE(TView)
Q_DECLARE_METATYPE(TPoints)
Q_DECLARE_METATYPE(TMarks)
Q_DECLARE_METATYPE(TPointLists)

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

// Steps at positions from the plot's top-left: press l(eft) or r(ight), m(ove), u(p), move from
// the b(ottom-right), p(aint), w(ait) for repaints, z ZoomOut, s ScaleToFit, h(ide) the read-out,
// d(ouble-click), wheel n(otches) of 120 (third number), k(ey) named, t(ype) text.
void Run(TGraphWidget& graph, const QString& steps)
{
    const QRect plot = TGraphWidgetProbe(graph).PlotRect();
    Qt::MouseButton button = Qt::NoButton;
    for (const QString& step : steps.split(' ', Qt::SkipEmptyParts))
    {
        const QStringList xy = (step.mid(1) + ",0,0").split(',');
        const QPoint at = (step[0] == 'b' ? plot.bottomRight() : plot.topLeft()) +
                          QPoint(xy[0].toInt(), xy[1].toInt());
        if (step[0] == 'l' || step[0] == 'r')
        {
            button = step[0] == 'l' ? Qt::LeftButton : Qt::RightButton;
            Send(graph, QEvent::MouseButtonPress, at, button, button);
        }
        else if (step[0] == 'm' || step[0] == 'b')
            Send(graph, QEvent::MouseMove, at, Qt::NoButton, button);
        else if (step[0] == 'u')
            Send(graph, QEvent::MouseButtonRelease, at, std::exchange(button, Qt::NoButton),
                 Qt::NoButton);
        else if (step[0] == 'p')
            graph.repaint();
        else if (step[0] == 'w')
            QTRY_VERIFY(!TGraphWidgetProbe(graph).Pending());
        else if (step[0] == 'h')
            graph.SetShowCoordinates(false);
        else if (step[0] == 'd')
            Send(graph, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
        else if (step[0] == 'n')
        {
            QWheelEvent wheel(at, graph.mapToGlobal(at), QPoint(), QPoint(0, xy[2].toInt()),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(&graph, &wheel);
        }
        else if (step[0] == 'k')
            QTest::keySequence(&graph, QKeySequence::fromString(step.mid(1)));
        else if (step[0] == 't')
            QTest::keyClicks(&graph, step.mid(1));
        else
            QVERIFY(QMetaObject::invokeMethod(&graph, step[0] == 'z' ? "ZoomOut" : "ScaleToFit"));
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
    void palette();
    void fit_data();
    void fit();
    void widgetAndRender();
    void ticks();
    void curves_data();
    void curves();
    void verticalTitle();
    void view_data();
    void view();
    void zoomOutRepaints();
    void refitRepaints();
    void drawnAndExtremes();
    void steer_data();
    void steer();
};

// Six hues in sixteen intensities; green is always halved; black at 96, none beyond.
void TGraphTest::palette()
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
}

void TGraphTest::fit_data()
{
    QTest::addColumn<TPointLists>("sets");
    QTest::addColumn<double>("halfRange");
    QTest::addColumn<bool>("equalScale");
    QTest::addColumn<QRect>("zoom");
    QTest::addColumn<QString>("view");
    const auto row = [](const char* tag, const TPointLists& sets, const char* view,
                        double half_range = NaN, bool equal_scale = false, QRect zoom = {})
    { QTest::newRow(tag) << sets << half_range << equal_scale << zoom << QString(view); };

    // Ranges and spans. No points: +-5e-6; 2 % margins; y reaches zero; one x widens to 1e-5.
    row("no data sets", {}, "x -5.2e-06 5.2e-06 y -5.2e-06 5.2e-06 spans 1e-05 1e-05");
    row("single point", {{{10, 0.5}}},
        "x 9.999995 10.00001 y -0.0100051 0.5100001 spans 1e-05 0.500005");
    row("all negative", {{{0, -2}, {10, -1}}}, "x -0.2 10.2 y -2.04 0.0400051 spans 10 2.000005");
    row("all positive, first set empty", {{}, {{0, 1}}, {{10, 3}}},
        "x -0.2 10.2 y -0.0600051 3.06 spans 10 3.000005");
    row("minimum half range", {{{0, 0.1}, {10, 0.2}}}, "x -0.2 10.2 y -1.04 1.04 spans 10 2", 1);
    // A half range not positive falls back to 5e-5, not to the default.
    row("half range 0", {{{0, 0}, {10, 0}}}, "x -0.2 10.2 y -5.2e-05 5.2e-05 spans 10 0.0001", 0);
    // x becomes y's range times 710/500 about its centre.
    row("equal scale", {{{0, -1}, {10, 1}}}, "x 3.5232 6.4768 y -1.04 1.04 spans 2.84 2", NaN,
        true);
    row("points that are not finite", {{{Inf, 5}, {0, 1}, {NaN, 2}, {10, -Inf}, {10, 2}}},
        "x -0.2 10.2 y -0.0400051 2.04 spans 10 2.000005");
    // Zooming out stops at fifty spans, about the band's own centre: data far from zero stay.
    row("zoom-out limit", {{{1000, -1}, {1010, 1}}},
        "x 754.9927 1254.993 y -49.99792 50.00208 spans 10 2", NaN, false,
        QRect(QPoint(425, 270) - QPoint(35500, 25000), QSize(71000, 50000)));
}

// In a plot rectangle 711 by 501 pixels: corner differences 710 and 500.
void TGraphTest::fit()
{
    QFETCH(TPointLists, sets);
    QFETCH(double, halfRange);
    QFETCH(bool, equalScale);
    QFETCH(QRect, zoom);
    TGraphWidget graph;
    TGraphWidgetProbe probe(graph);
    for (const std::vector<TVector2>& points : sets)
    {
        const int set = graph.AddDataSet(Qt::red, 0);
        for (const TVector2& point : points)
            graph.AddPoint(set, point);
    }
    if (!std::isnan(halfRange))
        graph.SetMinimumHalfRange(halfRange);
    graph.SetEqualScale(equalScale);
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
    graph.SetShowCoordinates(false);
    graph.UpdateGraph();
    const QImage image = probe.Image();
    const TGraphTransform map = probe.Transform();
    QCOMPARE(graph.grab().toImage().convertToFormat(image.format()), image.copy(0, 0, 400, 300));
    // The curve's ends, the zero lines, the plot's frame and the widget's.
    const QPoint zero = PixelOf(map, 0, 0);
    QVERIFY(image.pixelColor(PixelOf(map, -5, 1)) == Qt::red &&
            image.pixelColor(PixelOf(map, 10, -1)) == Qt::red);
    QVERIFY(image.pixelColor(zero.x(), plot.top() + 1) == Qt::lightGray &&
            image.pixelColor(plot.left() + 1, zero.y()) == Qt::lightGray);
    for (const QPoint& edge : {QPoint(plot.left(), 100), QPoint(plot.right(), 100),
                               QPoint(200, plot.top()), QPoint(200, plot.bottom()), QPoint(0, 150),
                               QPoint(399, 150), QPoint(200, 0), QPoint(200, 299)})
        QCOMPARE(image.pixelColor(edge), QColor(Qt::darkGray));

    graph.AddPoint(0, TVector2(20, 0));
    QImage framed(640, 480, QImage::Format_RGB32), bare(framed.size(), framed.format());
    framed.fill(Qt::white);
    bare.fill(Qt::white);
    {
        QPainter painter(&framed);
        painter.setFont(QFont("DejaVu Sans", 20));
        QVERIFY(graph.Render(&painter, framed.rect(), true));
    }
    QPainter painter(&bare);
    QVERIFY(graph.RenderWithoutTitles(&painter, bare.rect(), false));
    // The frame's right edge is the area's right less one; without titles the plot's top is 6.
    QVERIFY(framed.pixelColor(638, 240) == Qt::darkGray && bare.pixelColor(638, 240) == Qt::white);
    QCOMPARE(bare.pixelColor(320, 6), QColor(Qt::darkGray));
    QVERIFY(Red(framed, framed.rect()) > 0 && Red(bare, bare.rect()) > 0);
    QVERIFY(probe.Transform().m11 == map.m11 && probe.Transform().dy == map.dy);
    QVERIFY(probe.PlotRect() == plot && probe.XSpan() == 15 && probe.FontHeight() == f);
    QCOMPARE(TGraphLayout::ForArea(QRect(0, 0, 640, 480), 10).Plot, QRect(60, 20, 571, 421));
    QCOMPARE(TGraphLayout::ForAreaWithoutTitles(QRect(0, 0, 640, 480), 10).Plot,
             QRect(46, 6, 585, 449));
}

// Ticks labels of the width and lines of the height apart; the last one pixel beyond the plot.
void TGraphTest::ticks()
{
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
    row("bars, zero below view", {{2, 2}, {8, -1}}, 2, {-1, 11, 1.5, 3},
        {{2, 2, On}, {2, 1.5, On}, {2, 1.5, Off, 0, 2}, {8, 1.5, Off}}, -1);
    // A point that is not a finite number breaks the line on both sides.
    row("gaps", {{0, 1}, {1, Inf}, {2, 2}, {3, NaN}, {4, 3}, {5, 4}}, 1, Fitted,
        {{0, 1, Off}, {2, 2, Off}, {4, 3, On}, {5, 4, On}}, -1);
    for (int style : {1, 2, 3})
        row(qPrintable(QString("only inf and nan, style %1").arg(style)),
            {{1, NaN}, {2, Inf}, {-Inf, 1}, {NaN, -Inf}}, style, {-1, 3, -2, 2}, {}, 0);
    // Lines with ends ten billion pixels off, or whose difference overflows, keep their slope.
    row("deep zoom, both ends far", {{0, 0}, {1000, 1}}, 1, Deep,
        {{500 - 4e-6, 0.5 - 4e-9, Near}, {500, 0.5, Near}, {500 + 4e-6, 0.5 + 4e-9, Near}}, -1);
    row("deep zoom, one end far", {{1e15, 1e12}, {500, 0.5}}, 1, Deep,
        {{500 - 2e-6, 0.5 - 2e-9, Off}, {500 + 4e-6, 0.5 + 4e-9, Near}}, -1);
    row("overflowing difference", {{-1.7e308, 0}, {1.7e308, 0}}, 1, {-1, 1, -1, 1},
        {{-0.9, 0, Near}, {0.9, 0, Near}}, -1);
    row("deep zoom, bars", {{500, 0.5}}, 2, Deep, {{500, 0.5, On}}, -1);
    row("deep zoom, crosses far off", {{0, 0}, {1000, 1}}, 3, Deep, {}, 0);
    row("1e300 and -1e300", {{0, 0}, {1, 1e300}, {2, -1e300}}, 1, Fitted,
        {{1, 1e300, On}, {2, -1e300, On}}, -1);
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
        QVERIFY2((Red(image, QRect(at - near, at + near)) > 0) == (mark[2] != Off),
                 qPrintable(QString("%1, %2").arg(mark[0]).arg(mark[1])));
    }
    if (count >= 0)
        QCOMPARE(Red(image, image.rect()), count);
    if (!formats.isEmpty())
        QCOMPARE(probe.HorizontalFormat() + ", " + probe.VerticalFormat(), formats);
}

// The vertical title reads upward: its first letter, the only one with much ink, lies low.
void TGraphTest::verticalTitle()
{
    TShownGraph graph;
    QVERIFY(QTest::qWaitForWindowExposed(&graph));
    graph.SetVerticalTitle("W.........");
    graph.UpdateGraph();
    const QImage image = TGraphWidgetProbe(graph).Image();
    const int f = TGraphWidgetProbe(graph).FontHeight(), ratio = int(image.devicePixelRatio());
    // The title's columns: the first run of inked ones from the left; the labels follow a gap.
    QRect ink;
    int low = 0, high = 0;
    for (int x = ratio; x < 2 * f * ratio; ++x)
    {
        QRect column;
        for (int y = 2 * f * ratio; y < (graph.height() - 4 * f) * ratio; ++y)
            if (qGray(image.pixel(x, y)) < 100)
            {
                column |= QRect(x, y, 1, 1);
                ++(y * 2 > (graph.height() - 2 * f) * ratio ? low : high);
            }
        if (column.isNull() && !ink.isNull())
            break;
        ink |= column;
    }
    QVERIFY(ink.height() > 2 * ink.width() && low > 2 * high);
}

void TGraphTest::view_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QList<int>>("band");
    QTest::addColumn<QPoint>("shift");
    QTest::addColumn<int>("zoomOuts");
    QTest::addColumn<QString>("readOut");
    // The band of the fitted view shown (none: all), pixels moved, zoom-outs, read-out.
    const auto row = [](const char* tag, const QString& steps, QList<int> band = {},
                        QPoint shift = QPoint(), int zoomOuts = 0,
                        const char* readOut = "0.00000,   0.00000")
    { QTest::newRow(tag) << steps << band << shift << zoomOuts << QString(readOut); };

    row("band", "l50,40 m150,100 m250,200 u", {50, 40, 250, 200});
    row("band from outside", "l-30,-20 m250,200 u", {0, 0, 250, 200});
    row("zero-width band", "l100,40 m100,200 u", {100, 40, 100, 200});
    row("press and release", "l50,40 u p");
    // A right click zooms out about the centre at the next paint, once however often asked.
    row("right click, no paint", "r100,100 u");
    row("right click", "r100,100 u p", {}, {}, 1);
    row("two clicks, one paint", "r100,100 u r100,100 u p", {}, {}, 1);
    // A refit goes first, and a zoom-out asked for with it follows.
    row("refit wins", "l50,40 m250,200 u z s p");
    row("zoom-out follows", "l50,40 m250,200 u z s w", {}, {}, 1);
    row("right drag in steps", "r100,100 m97,104 m110,93 u p", {}, {10, -7});
    row("read-out, top left", "m0,0", {}, {}, 0, "999.80000,   1.04000");
    row("read-out, bottom right", "b0,0", {}, {}, 0, "1010.20000,   -1.04000");
    row("outside, read-out stays", "m0,0 m-1,0 m0,-1 b1,0 b0,1", {}, {}, 0, "999.80000,   1.04000");
    row("read-out hidden", "h m0,0");
    row("button held, no read-out", "l0,0 m10,10");
}

void TGraphTest::view()
{
    QFETCH(QString, steps);
    QFETCH(QList<int>, band);
    QFETCH(QPoint, shift);
    QFETCH(int, zoomOuts);
    TShownGraph graph;
    QVERIFY(QTest::qWaitForWindowExposed(&graph));
    TGraphWidgetProbe probe(graph);
    const TGraphTransform fit = probe.Transform();
    const QRect plot = probe.PlotRect();
    Run(graph, steps);
    QTEST(probe.Coordinates(), "readOut");

    // The band's part of the fitted view, at least 1e-5 wide, moved, doubled per zoom-out.
    const QList<int> c = band << 0 << 0 << plot.width() - 1 << plot.height() - 1;
    const QRect shown =
        QRect(QPoint(c[0], c[1]), QPoint(c[2], c[3])).translated(plot.topLeft() - shift);
    const double left = fit.InverseX(shown.left()), right = fit.InverseX(shown.right());
    const double top = fit.InverseY(shown.top()), bottom = fit.InverseY(shown.bottom());
    double width = std::max(right - left, 1e-5), height = std::max(top - bottom, 1e-5);
    for (int zoomOut = 0; zoomOut < zoomOuts; ++zoomOut)
    {
        width *= (2.0 * plot.width() - 1) / (plot.width() - 1);
        height *= (2.0 * plot.height() - 1) / (plot.height() - 1);
    }
    // Each zoom-out may move the centre by half a pixel.
    const double slack = 1e-6 + 0.5 * zoomOuts / plot.width();
    QVERIFY(std::abs(probe.Right() - probe.Left() - width) <= 1e-6 * width);
    QVERIFY(std::abs(probe.Top() - probe.Bottom() - height) <= 1e-6 * height);
    QVERIFY(std::abs(probe.Left() + probe.Right() - left - right) / 2 <= slack * width);
    QVERIFY(std::abs(probe.Top() + probe.Bottom() - top - bottom) / 2 <= slack * height);
}

// A zoom-out asks for its own repaint: unforced, the widget's paints show all its new image.
void TGraphTest::zoomOutRepaints()
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
}

// New data, refitted, are shown without anything else asking for a paint.
void TGraphTest::refitRepaints()
{
    TShownGraph graph;
    QVERIFY(QTest::qWaitForWindowExposed(&graph));
    QTRY_VERIFY(!graph.Painted.isEmpty());
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
    const qint64 fitted = probe.ImageKey();
    const QRect plot = probe.PlotRect();
    const QRect band(plot.topLeft() + QPoint(50, 40), plot.topLeft() + QPoint(150, 100));
    Run(graph, "m0,0 l50,40 m250,200");
    QApplication::processEvents();
    graph.Painted = QRegion();
    Send(graph, QEvent::MouseMove, band.bottomRight(), Qt::NoButton, Qt::LeftButton);
    QApplication::processEvents();
    // Only the band's old and new outlines are repainted, from the image.
    QVERIFY(graph.Painted.xored(Outline(band) + Outline(band.adjusted(0, 0, 100, 100))).isEmpty());
    QCOMPARE(probe.ImageKey(), fitted);

    // Drawn: the image, the band, and the read-out right-aligned at the plot's top right, its
    // baseline a text height down. At a ratio of 2 (tst_graph_ratio2) an edge covers both sides.
    const QImage image = probe.Image();
    const int ratio = std::max(qEnvironmentVariableIntValue("QT_SCALE_FACTOR"), 1);
    QCOMPARE(graph.devicePixelRatioF(), qreal(ratio));
    QCOMPARE(image.devicePixelRatio(), qreal(ratio));
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

    Send(graph, QEvent::MouseButtonRelease, band.bottomRight(), Qt::LeftButton, Qt::NoButton);
    QVERIFY(probe.ImageKey() != fitted);

    // Positions far beyond any screen do not break the view.
    const TGraphTransform& map = probe.Transform();
    Run(graph, "r-2000000000,-9 m2000000000,9 u l9,2000000000 m-9,-2000000000 u r0,0 u p");
    QVERIFY(std::isfinite(map.dx) && std::isfinite(map.dy) && map.m11 > 0 && map.m22 < 0);

    // A plot one pixel wide: labels as for a scale of 0, read-out nan, the curve still shown.
    graph.resize(8 * probe.FontHeight(), 300);
    const QRect narrow = probe.PlotRect();
    QCOMPARE(narrow.width(), 1);
    QCOMPARE(probe.HorizontalFormat(), QString("% 6.5lf"));
    Run(graph, "r0,10 m0,20 u r0,0 u p l0,0 b0,0 u m0,0");
    QVERIFY(probe.Coordinates().startsWith("nan,   "));
    QVERIFY(std::isfinite(map.dx) && std::isfinite(map.m22));
    QVERIFY(!probe.Image().copy(QRect(narrow.topLeft() * ratio, narrow.size() * ratio)).allGray());
}

void TGraphTest::steer_data()
{
    // The data at the anchor (none: the centre) moved by a fraction of the plot, and the view
    // is the factor times as wide as fitted; 0: exactly the fitted view.
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QPoint>("anchor");
    QTest::addColumn<QPointF>("moved");
    QTest::addColumn<double>("factor");
    const auto row =
        [](const char* tag, const char* steps, QPoint anchor, QPointF moved, double factor)
    { QTest::newRow(tag) << steps << anchor << moved << factor; };
    row("wheel in", "n100,80,120", {100, 80}, {}, 0.8);
    row("wheel out", "n300,200,-120", {300, 200}, {}, 1.25);
    row("touchpad thirds", "n100,80,40 n100,80,40 n100,80,40", {100, 80}, {}, 0.8);
    // Thirty notches out stop as right clicks do: fifty times the data, fitted 1.04 wide.
    row("wheel to the limit", "n100,80,-3600", {100, 80}, {}, 50 / 1.04);
    row("Home", "n100,80,120 kHome w", {}, {}, 0.0);
    row("double-click", "n100,80,120 l50,50 u d50,50 u w", {}, {}, 0.0);
    row("right arrow", "kRight", {}, {-0.1, 0}, 1.0);
    row("up arrow", "kUp", {}, {0, 0.1}, 1.0);
    row("plus", "t+", {}, {}, 0.8);
    row("minus", "t-", {}, {}, 1.25);
}

void TGraphTest::steer()
{
    QFETCH(QString, steps);
    QFETCH(QPoint, anchor);
    QFETCH(QPointF, moved);
    QFETCH(double, factor);
    TShownGraph graph;
    QVERIFY(QTest::qWaitForWindowExposed(&graph));
    TGraphWidgetProbe probe(graph);
    const TGraphTransform fit = probe.Transform();
    const QRect plot = probe.PlotRect();
    const QPointF at = anchor.isNull() ? QRectF(plot).center() : plot.topLeft() + anchor;
    const double x = fit.InverseX(at.x()), y = fit.InverseY(at.y()),
                 width = probe.Right() - probe.Left();
    // The read-out follows the view under a resting mouse.
    const QPoint mouse = plot.topLeft() + QPoint(50, 40);
    QTest::mouseMove(&graph, QPoint());
    QTest::mouseMove(&graph, mouse);
    Run(graph, steps);
    const TGraphTransform& map = probe.Transform();
    QCOMPARE(probe.Coordinates(),
             QString::asprintf("%.5lf,   %.5lf", map.InverseX(mouse.x()), map.InverseY(mouse.y())));
    if (factor == 0.0)
    {
        QVERIFY(map.m11 == fit.m11 && map.m22 == fit.m22 && map.dx == fit.dx && map.dy == fit.dy);
        return;
    }
    QVERIFY(std::abs(map.MapX(x) - at.x() - moved.x() * plot.width()) <= 1.0);
    QVERIFY(std::abs(map.MapY(y) - at.y() - moved.y() * plot.height()) <= 1.0);
    QVERIFY(std::abs((probe.Right() - probe.Left()) / width - factor) < 1e-9);
}

QTEST_MAIN(TGraphTest)
#include "tst_graph.moc"
