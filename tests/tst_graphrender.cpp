#include "core/graphwidget.h"
#include "graphprobe.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <vector>

// A data range to show, or a fit to the data when Left is NaN.
struct TView
{
    double Left, Right, Bottom, Top;
};
// The pixel of a data point, moved by a few pixels, and whether the curve covers it.
struct TMark
{
    double X, Y;
    int DX, DY;
    bool Covered;
};
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

// One red data set in a plot of the given width and 501 pixels high, showing the view.
void Show(TGraphWidget& graph, const TPoints& points, int style, const TView& view, int width = 700)
{
    TGraphWidgetProbe probe(graph);
    const int set = graph.AddDataSet(Qt::red, style);
    for (const TVector2& point : points)
        graph.AddPoint(set, point);
    const int f = probe.FontHeight();
    probe.SetLayout(TGraphLayout::ForWidget(width - 1 + 8 * f, 500 + 6 * f, f));
    if (std::isnan(view.Left))
        probe.FitToData();
    else
        probe.SetTransform(TGraphTransform::Fitting(probe.PlotRect(), view.Left, view.Right,
                                                    view.Bottom, view.Top));
}

// Draws with a painter that maps one to one, so that pixels are where the transform says.
// A label width or line height given overrides the measured one.
QImage Draw(TGraphWidgetProbe& probe, int labelWidth = 0, int lineHeight = 0)
{
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

int Count(const QImage& image, const QColor& color, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixelColor(x, y) == color;
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
    void resizeAndUpdate();
    void labelFormats_data();
    void labelFormats();
    void ticks_data();
    void ticks();
    void curves_data();
    void curves();
    void linesKeepTheirSlope_data();
    void linesKeepTheirSlope();
    void zeroWidthPlot();
    void renderKeepsTheWidgetsState();
};

void TGraphRenderTest::resizeAndUpdate()
{
    TGraphWidget graph;
    TGraphWidgetProbe probe(graph);
    graph.resize(400, 300);
    graph.show();
    QVERIFY(QTest::qWaitForWindowExposed(&graph));
    const int f = probe.FontHeight();
    const QRect plot = probe.PlotRect();
    QCOMPARE(plot, QRect(QPoint(7 * f, 2 * f), QPoint(400 - f, 300 - 4 * f)));
    QCOMPARE(probe.Layout().Widget, QRect(0, 0, 401, 301));
    graph.AddPoint(graph.AddDataSet(Qt::red, 0), TVector2(-5, 1));
    graph.AddPoint(0, TVector2(10, -1));
    QCOMPARE(Count(probe.Image(), Qt::red, probe.Image().rect()), 0);

    graph.SetShowCoordinates(false);
    graph.UpdateGraph();
    // The image maps one to one onto the widget, and a repaint without the read-out copies it.
    const QImage image = probe.Image();
    const TGraphTransform& map = probe.Transform();
    QCOMPARE(image.size(), QSize(401, 301));
    QCOMPARE(image.pixelColor(PixelOf(map, -5, 1)), QColor(Qt::red));
    QCOMPARE(image.pixelColor(PixelOf(map, 10, -1)), QColor(Qt::red));
    QCOMPARE(graph.grab().toImage().convertToFormat(image.format()), image.copy(0, 0, 400, 300));
    // Zero lines inside the plot, its frame and the widget's.
    const QPoint zero = PixelOf(map, 0, 0);
    for (const QPoint& pixel :
         {QPoint(zero.x(), plot.top() + 1), QPoint(plot.left() + 1, zero.y())})
        QCOMPARE(image.pixelColor(pixel), QColor(Qt::lightGray));
    for (const QPoint& edge : {QPoint(plot.left(), 100), QPoint(plot.right(), 100),
                               QPoint(200, plot.top()), QPoint(200, plot.bottom()), QPoint(0, 150),
                               QPoint(399, 150), QPoint(200, 0), QPoint(200, 299)})
        QCOMPARE(image.pixelColor(edge), QColor(Qt::darkGray));
}

void TGraphRenderTest::labelFormats_data()
{
    QTest::addColumn<TPoints>("points");
    QTest::addColumn<TView>("view");
    QTest::addColumn<QString>("horizontal");
    QTest::addColumn<QString>("vertical");

    // Fitted, x shows -20..1020 and y -0.01..0.51.
    QTest::newRow("0..1000 fitted") << TPoints{{0, 0}, {1000, 0.5}} << Fitted << "% 4.0lf"
                                    << "% 6.5lf";
    QTest::newRow("span 10, magnitude 105") << TPoints() << TView{95, 105, -1, 0.25} << "% 6.3lf"
                                            << "% 6.5lf";
    QTest::newRow("span below 1 counts as 1")
        << TPoints() << TView{100, 100.5, 1500, 1500.001} << "% 8.5lf"
        << "% 9.5lf";
    QTest::newRow("wide and narrow") << TPoints() << TView{0, 2e6, -1, 2} << "% 7.0lf"
                                     << "% 5.4lf";
    QTest::newRow("huge") << TPoints() << TView{-3e300, 3e300, -5e305, 5e305} << "% 301.0lf"
                          << "% 306.0lf";
    // The view stops at +-1e306, whatever the data.
    QTest::newRow("beyond any range")
        << TPoints{{-1.7e308, -Inf}, {1.7e308, 1e307}} << Fitted << "% 307.0lf"
        << "% 307.0lf";
}

void TGraphRenderTest::labelFormats()
{
    QFETCH(TPoints, points);
    QFETCH(TView, view);
    TGraphWidget graph;
    TGraphWidgetProbe probe(graph);
    Show(graph, points, 0, view);
    Draw(probe);
    QTEST(probe.HorizontalFormat(), "horizontal");
    QTEST(probe.VerticalFormat(), "vertical");
}

void TGraphRenderTest::ticks_data()
{
    QTest::addColumn<int>("labelWidth");
    QTest::addColumn<int>("lineHeight");
    QTest::addColumn<QList<int>>("columns");
    QTest::addColumn<QList<int>>("rows");

    // The plot is 700 pixels wide and 501 high; the last tick stands one pixel beyond it.
    QTest::newRow("8 and 5 ticks") << 80 << 100 << QList<int>{0, 100, 200, 300, 400, 500, 600, 700}
                                   << QList<int>{0, 125, 250, 375, 501};
    QTest::newRow("2 ticks each") << 350 << 250 << QList<int>{0, 700} << QList<int>{0, 501};
    QTest::newRow("one tick each") << 400 << 501 << QList<int>{0} << QList<int>{0};
    QTest::newRow("none") << 701 << 502 << QList<int>() << QList<int>();
}

void TGraphRenderTest::ticks()
{
    QFETCH(int, labelWidth);
    QFETCH(int, lineHeight);
    TGraphWidget graph;
    TGraphWidgetProbe probe(graph);
    Show(graph, TPoints(), 0, Fitted);
    const QRect plot = probe.PlotRect();
    QCOMPARE(plot.size(), QSize(700, 501));

    const QImage image = Draw(probe, labelWidth, lineHeight);
    QList<int> columns, rows;
    for (int offset = 0; offset < 750; ++offset)
    {
        if (image.pixelColor(plot.bottomLeft() + QPoint(offset, 2)) == Qt::lightGray)
            columns << offset;
        if (image.pixelColor(plot.topLeft() + QPoint(-2, offset)) == Qt::lightGray)
            rows << offset;
    }
    QTEST(columns, "columns");
    QTEST(rows, "rows");
}

void TGraphRenderTest::curves_data()
{
    QTest::addColumn<TPoints>("points");
    QTest::addColumn<int>("style");
    QTest::addColumn<TView>("view");
    QTest::addColumn<TMarks>("marks");
    QTest::addColumn<int>("count");

    const TPoints zigzag{{0, 1}, {5, -2}, {10, 3}};
    QTest::newRow("style 4") << zigzag << 4 << Fitted << TMarks() << 0;
    QTest::newRow("one point, line") << TPoints{{5, 0.5}} << 1 << Fitted << TMarks() << 0;
    QTest::newRow("one point, cross") << TPoints{{5, 0.5}} << 3 << Fitted
                                      << TMarks{{5, 0.5, -3, -3, true},
                                                {5, 0.5, 3, 3, true},
                                                {5, 0.5, -3, 3, true},
                                                {5, 0.5, 3, -3, true},
                                                {5, 0.5, 1, 0, false}}
                                      << 13;
    // Bars reach from the value's row to the row above zero; below zero they start at it.
    QTest::newRow("bars") << TPoints{{2, 2}, {8, -1}} << 2 << TView{-1, 11, -2, 3}
                          << TMarks{{2, 2, 0, 0, true},  {2, 2, 0, -1, false}, {2, 0, 0, -1, true},
                                    {2, 0, 0, 0, false}, {8, 0, 0, 0, true},   {8, -1, 0, -1, true},
                                    {8, -1, 0, 0, false}}
                          << -1;
    // Two bars in a plot 700 pixels wide: each 2 * (700 / 4 - 1) wide and here 250 high.
    QTest::newRow("bar width") << TPoints{{1, 1}, {3, 1}} << 2 << TView{0, 4, 0, 2} << TMarks()
                               << 2 * 348 * 250;
    QTest::newRow("bars, zero below view") << TPoints{{2, 2}, {8, -1}} << 2 << TView{-1, 11, 1.5, 3}
                                           << TMarks{{2, 2, 0, 0, true},
                                                     {2, 1.5, 0, 0, true},
                                                     {2, 1.5, 0, 2, false},
                                                     {8, 1.5, 0, 0, false}}
                                           << -1;
    // A point that is not a finite number breaks the line on both sides.
    QTest::newRow("gaps")
        << TPoints{{0, 1}, {1, Inf}, {2, 2}, {3, NaN}, {4, 3}, {5, 4}} << 1 << Fitted
        << TMarks{{0, 1, 0, 0, false}, {2, 2, 0, 0, false}, {4, 3, 0, 0, true}, {5, 4, 0, 0, true}}
        << -1;
    for (int style : {1, 2, 3})
        QTest::addRow("only inf and nan, style %d", style)
            << TPoints{{Inf, 1}, {2, NaN}, {-Inf, -Inf}} << style << Fitted << TMarks() << 0;
    QTest::newRow("deep zoom, bars")
        << TPoints{{500, 0.5}} << 2 << Deep << TMarks{{500, 0.5, 0, 0, true}} << -1;
    QTest::newRow("deep zoom, crosses far off")
        << TPoints{{0, 0}, {1000, 1}} << 3 << Deep << TMarks() << 0;
    QTest::newRow("1e300 and -1e300")
        << TPoints{{0, 0}, {1, 1e300}, {2, -1e300}} << 1 << Fitted
        << TMarks{{1, 1e300, 0, 0, true}, {2, -1e300, 0, 0, true}} << -1;
    QTest::newRow("bar beyond any pixel") << TPoints{{1, 1.7e308}} << 2 << TView{0.5, 1.5, 0, 1}
                                          << TMarks{{1, 0.5, 0, 0, true}} << -1;
    QTest::newRow("collapsed at 1e12")
        << TPoints{{1e12, 5}, {1e12, 6}} << 1 << Fitted << TMarks{{1e12, 5.5, 0, 0, true}} << -1;
}

void TGraphRenderTest::curves()
{
    QFETCH(TPoints, points);
    QFETCH(int, style);
    QFETCH(TView, view);
    QFETCH(TMarks, marks);
    QFETCH(int, count);

    TGraphWidget graph;
    TGraphWidgetProbe probe(graph);
    Show(graph, points, style, view);
    const TGraphTransform& map = probe.Transform();
    QVERIFY(std::isfinite(map.dx) && std::isfinite(map.dy) && map.m11 > 0 && map.m22 < 0);
    // Drawn or not, every finite point counts in the fit.
    for (const TVector2& point : points)
        if (std::isnan(view.Left) && std::isfinite(point.x) && std::isfinite(point.y))
            QVERIFY(probe.Left() <= point.x && point.x <= probe.Right());
    const QImage image = Draw(probe);
    for (const TMark& mark : marks)
        QVERIFY2((image.pixelColor(PixelOf(map, mark.X, mark.Y) + QPoint(mark.DX, mark.DY)) ==
                  QColor(Qt::red)) == mark.Covered,
                 qPrintable(QString("%1, %2").arg(mark.X).arg(mark.Y)));
    if (count >= 0)
        QCOMPARE(Count(image, Qt::red, image.rect()), count);
}

void TGraphRenderTest::linesKeepTheirSlope_data()
{
    QTest::addColumn<TPoints>("points");
    QTest::addColumn<TView>("view");

    // Ends some ten billion pixels outside the view, far beyond any int, or beyond what
    // their difference can hold.
    QTest::newRow("both ends far") << TPoints{{0, 0}, {1000, 1}} << Deep;
    QTest::newRow("one end far") << TPoints{{1e15, 1e12}, {500, 0.5}} << Deep;
    QTest::newRow("overflowing difference")
        << TPoints{{-1.7e308, 0}, {1.7e308, 0}} << TView{-1, 1, -1, 1};
}

void TGraphRenderTest::linesKeepTheirSlope()
{
    QFETCH(TPoints, points);
    QFETCH(TView, view);
    TGraphWidget graph;
    TGraphWidgetProbe probe(graph);
    Show(graph, points, 0, view);
    const QImage image = Draw(probe);
    const TGraphTransform& map = probe.Transform();
    // Along the line, reckoned from its end nearer to the view.
    const TVector2 from = points[0], to = points[1];
    const double slope = (to.y - from.y) / (to.x / 2 - from.x / 2) / 2;
    const QRect plot = probe.PlotRect();
    const double first = std::min(map.MapX(from.x), map.MapX(to.x));
    const double last = std::max(map.MapX(from.x), map.MapX(to.x));
    const int start = first > plot.left() ? int(first) : plot.left();
    const int end = last < plot.right() ? int(last) : plot.right();
    QVERIFY(end - start > 300);
    for (int x = start + 5; x < end - 5; x += 23)
    {
        const double y = map.MapY(to.y + (map.InverseX(x) - to.x) * slope);
        QVERIFY2(Count(image, Qt::red, QRect(x, int(y) - 1, 1, 3)) > 0,
                 qPrintable(QString::number(x)));
    }
}

void TGraphRenderTest::zeroWidthPlot()
{
    TGraphWidget graph;
    TGraphWidgetProbe probe(graph);
    // A widget just as wide as its margins: the plot's right equals its left, scale 0.
    Show(graph, TPoints{{0, 0}, {10, 1}}, 0, Fitted, 1);
    QCOMPARE(probe.PlotRect().width(), 1);
    Draw(probe);
    QCOMPARE(probe.HorizontalFormat(), QString("% 6.5lf"));
    probe.ZoomToRect(probe.PlotRect());
    QVERIFY(std::isfinite(probe.Transform().dx) && std::isfinite(probe.Transform().m22));
    QVERIFY(Count(Draw(probe), Qt::red, probe.PlotRect()) > 0);
}

void TGraphRenderTest::renderKeepsTheWidgetsState()
{
    TGraphWidget graph;
    TGraphWidgetProbe probe(graph);
    Show(graph, TPoints{{0, 1}, {10, -1}}, 0, TView{2, 4, 0, 1});
    const TGraphTransform map = probe.Transform();
    const QRect plot = probe.PlotRect();

    QImage framed(640, 480, QImage::Format_RGB32), bare(framed.size(), framed.format());
    framed.fill(Qt::white);
    bare.fill(Qt::white);
    const int fontHeight = probe.FontHeight();
    {
        QPainter painter(&framed);
        painter.setFont(QFont("DejaVu Sans", 20));
        QVERIFY(graph.Render(&painter, framed.rect(), true));
    }
    QPainter painter(&bare);
    QVERIFY(graph.RenderWithoutTitles(&painter, bare.rect(), false));
    // The frame's right edge is the area's right less one.
    QCOMPARE(framed.pixelColor(638, 240), QColor(Qt::darkGray));
    QCOMPARE(bare.pixelColor(638, 240), QColor(Qt::white));
    QVERIFY(Count(framed, Qt::red, framed.rect()) > 0 && Count(bare, Qt::red, bare.rect()) > 0);

    QVERIFY(probe.Transform().m11 == map.m11 && probe.Transform().dy == map.dy);
    QVERIFY(probe.PlotRect() == plot && probe.XSpan() == 1.0 && probe.DrawFrame());
    QCOMPARE(probe.FontHeight(), fontHeight);
    QCOMPARE(probe.VerticalTitle(), QString("V Title"));
    QCOMPARE(TGraphLayout::ForArea(QRect(0, 0, 640, 480), 10).Plot, QRect(60, 20, 571, 421));
    QCOMPARE(TGraphLayout::ForAreaWithoutTitles(QRect(0, 0, 640, 480), 10).Plot,
             QRect(46, 6, 585, 449));
}

QTEST_MAIN(TGraphRenderTest)
#include "tst_graphrender.moc"
