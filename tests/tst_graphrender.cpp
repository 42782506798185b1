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

// Draws one red data set in a plot 700 pixels wide and 501 high that shows the view, with a
// painter that maps one to one, so that pixels are where the transform says. A label width or
// line height given overrides the measured one.
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

} // namespace

class TGraphRenderTest : public QObject
{
    Q_OBJECT

private slots:
    void widgetAndRender();
    void ticks();
    void curves_data();
    void curves();
};

// The widget's image maps one to one onto it, and a repaint without the read-out copies it.
// Render draws a fresh fit of all data elsewhere and leaves the widget's own as it was.
void TGraphRenderTest::widgetAndRender()
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
    // The curve's ends, the zero lines inside the plot, its frame and the widget's.
    const QPoint zero = PixelOf(map, 0, 0);
    for (const QPoint& pixel : {PixelOf(map, -5, 1), PixelOf(map, 10, -1)})
        QCOMPARE(image.pixelColor(pixel), QColor(Qt::red));
    for (const QPoint& pixel :
         {QPoint(zero.x(), plot.top() + 1), QPoint(plot.left() + 1, zero.y())})
        QCOMPARE(image.pixelColor(pixel), QColor(Qt::lightGray));
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
    QCOMPARE(framed.pixelColor(638, 240), QColor(Qt::darkGray));
    QCOMPARE(bare.pixelColor(638, 240), QColor(Qt::white));
    QCOMPARE(bare.pixelColor(320, 6), QColor(Qt::darkGray));
    QVERIFY(Red(framed, framed.rect()) > 0 && Red(bare, bare.rect()) > 0);
    QVERIFY(probe.Transform().m11 == map.m11 && probe.Transform().dy == map.dy);
    QVERIFY(probe.PlotRect() == plot && probe.XSpan() == 15 && probe.DrawFrame());
    QVERIFY(probe.FontHeight() == f && probe.VerticalTitle() == "V Title");
    QCOMPARE(TGraphLayout::ForArea(QRect(0, 0, 640, 480), 10).Plot, QRect(60, 20, 571, 421));
    QCOMPARE(TGraphLayout::ForAreaWithoutTitles(QRect(0, 0, 640, 480), 10).Plot,
             QRect(46, 6, 585, 449));
}

// The columns and rows of the ticks below and left of a plot 700 pixels wide and 501 high,
// labels of the width and lines of the height given apart; the last tick stands one pixel
// beyond the plot.
void TGraphRenderTest::ticks()
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

void TGraphRenderTest::curves_data()
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
    // Lines whose ends lie some ten billion pixels off, far beyond any int, or so far apart
    // that their difference overflows, keep their slope.
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
    // Fewer decimals the wider an axis spans (a span below 1 counts as 1), more digits the
    // larger its values, default ones up to 1; the view stops at +-1e306, whatever the data.
    row("wide, and at most 1", {}, 0, {0, 2e6, -1, 0.25}, {}, -1, "% 7.0lf, % 6.5lf");
    row("span below 1", {}, 0, {100, 100.5, 1500, 1500.001}, {}, -1, "% 8.5lf, % 9.5lf");
    row("beyond any range", {{-1.7e308, -Inf}, {1.7e308, 1e307}}, 0, Fitted, {}, 0,
        "% 307.0lf, % 307.0lf");
}

void TGraphRenderTest::curves()
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

QTEST_MAIN(TGraphRenderTest)
#include "tst_graphrender.moc"
