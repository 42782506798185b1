#include "core/graphwidget.h"
#include "graphprobe.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <vector>

using TPointLists = std::vector<std::vector<TVector2>>;
Q_DECLARE_METATYPE(TPointLists)

namespace
{

// A plot rectangle 711 by 501 pixels: corner differences 710 and 500.
const QRect Plot(QPoint(70, 20), QPoint(780, 520));

void Fill(TGraphWidget& graph, const TPointLists& sets)
{
    for (const std::vector<TVector2>& points : sets)
    {
        const int set = graph.AddDataSet(Qt::red, 0);
        for (const TVector2& point : points)
            graph.AddPoint(set, point);
    }
}

// Equal within a millionth of the range's own width.
bool Near(double value, double expected, double width)
{
    return std::abs(value - expected) <= 1e-6 * std::abs(width);
}

QByteArray Range(const TGraphWidgetProbe& probe)
{
    return QString("x %1 .. %2, y %3 .. %4")
        .arg(probe.Left(), 0, 'g', 12)
        .arg(probe.Right(), 0, 'g', 12)
        .arg(probe.Bottom(), 0, 'g', 12)
        .arg(probe.Top(), 0, 'g', 12)
        .toLatin1();
}

} // namespace

class TGraphScaleTest : public QObject
{
    Q_OBJECT

private slots:
    void dataSets();
    void pointOperations();
    void options();
    void palette_data();
    void palette();
    void fit_data();
    void fit();
    void updateBeforeFirstResize();
    void zoom_data();
    void zoom();
    void zoomOutLimitKeepsCentre_data();
    void zoomOutLimitKeepsCentre();
    void repeatedZoomOutKeepsDataInView();
};

void TGraphScaleTest::dataSets()
{
    TGraphWidget graph;
    TGraphWidgetProbe probe(graph);
    QCOMPARE(probe.DataSetCount(), 0);
    QCOMPARE(graph.AddDataSet(Qt::red, 0), 0);
    QCOMPARE(graph.AddDataSet(Qt::blue, 3), 1);
    QCOMPARE(graph.AddDataSet(Qt::green, 2), 2);
    QCOMPARE(probe.DataSet(1).Color, QColor(Qt::blue));
    QCOMPARE(probe.DataSet(1).Style, 3);
    QVERIFY(probe.DataSet(1).Points.empty());

    QVERIFY(graph.RemoveDataSet(0));
    QCOMPARE(probe.DataSetCount(), 2);
    QCOMPARE(probe.DataSet(0).Color, QColor(Qt::blue));
    QCOMPARE(probe.DataSet(1).Color, QColor(Qt::green));
    QCOMPARE(graph.AddDataSet(Qt::black, 1), 2);

    graph.ClearDataSets();
    QCOMPARE(probe.DataSetCount(), 0);
    QCOMPARE(graph.AddDataSet(Qt::red, 0), 0);
}

void TGraphScaleTest::pointOperations()
{
    TGraphWidget graph;
    const int set = graph.AddDataSet(Qt::red, 0);
    QCOMPARE(graph.PointCount(set), 0);
    QVERIFY(graph.AddPoint(set, TVector2(1, 10)));
    QVERIFY(graph.AddPoint(set, TVector2(2, 20)));
    QVERIFY(graph.AddPoint(set, TVector2(3, 30)));
    QCOMPARE(graph.PointCount(set), 3);
    QCOMPARE(graph.GetPoint(set, 1).y, 20.0);

    QVERIFY(graph.SetPoint(set, 1, TVector2(2.5, -5)));
    QCOMPARE(graph.GetPoint(set, 1).x, 2.5);
    QCOMPARE(graph.GetPoint(set, 1).y, -5.0);

    QVERIFY(graph.RemovePoint(set, 0));
    QCOMPARE(graph.PointCount(set), 2);
    QCOMPARE(graph.GetPoint(set, 0).x, 2.5);
    QCOMPARE(graph.GetPoint(set, 1).x, 3.0);
}

void TGraphScaleTest::options()
{
    TGraphWidget graph;
    TGraphWidgetProbe probe(graph);
    QCOMPARE(probe.Title(), QString("Sample Graph"));
    QCOMPARE(probe.HorizontalTitle(), QString("H Title"));
    QCOMPARE(probe.VerticalTitle(), QString("V Title"));
    QCOMPARE(probe.Coordinates(), QString("0.00000,   0.00000"));
    QCOMPARE(probe.MinimumHalfRange(), 5e-6);
    QVERIFY(graph.hasMouseTracking());
    QCOMPARE(graph.sizePolicy().horizontalPolicy(), QSizePolicy::MinimumExpanding);
    QCOMPARE(graph.sizePolicy().verticalPolicy(), QSizePolicy::MinimumExpanding);

    graph.SetTitle("axis.rtl");
    graph.SetHorizontalTitle("Position");
    graph.SetVerticalTitle("Deviation");
    QCOMPARE(probe.Title(), QString("axis.rtl"));
    QCOMPARE(probe.HorizontalTitle(), QString("Position"));
    QCOMPARE(probe.VerticalTitle(), QString("Deviation"));

    graph.SetMinimumHalfRange(0.25);
    QCOMPARE(probe.MinimumHalfRange(), 0.25);
    // A range that is not positive falls back to 5e-5, not to the construction default.
    graph.SetMinimumHalfRange(0.0);
    QCOMPARE(probe.MinimumHalfRange(), 5e-5);
    graph.SetMinimumHalfRange(-1.0);
    QCOMPARE(probe.MinimumHalfRange(), 5e-5);

    graph.SetEqualScale(true);
    QVERIFY(probe.EqualScale());
    graph.SetShowCoordinates(false);
    QVERIFY(!probe.ShowCoordinates());
}

void TGraphScaleTest::palette_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("result");
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");

    QTest::newRow("0 red") << 0 << true << 255 << 0 << 0;
    QTest::newRow("1 green, halved") << 1 << true << 0 << 127 << 0;
    QTest::newRow("2 blue") << 2 << true << 0 << 0 << 255;
    QTest::newRow("3 yellow") << 3 << true << 255 << 127 << 0;
    QTest::newRow("4 cyan") << 4 << true << 0 << 127 << 255;
    QTest::newRow("5 magenta") << 5 << true << 255 << 0 << 255;
    QTest::newRow("6 dark red") << 6 << true << 128 << 0 << 0;
    QTest::newRow("7 green 128") << 7 << true << 0 << 64 << 0;
    QTest::newRow("13 green 192") << 13 << true << 0 << 96 << 0;
    QTest::newRow("20 blue 64") << 20 << true << 0 << 0 << 64;
    QTest::newRow("39 yellow 96") << 39 << true << 96 << 48 << 0;
    QTest::newRow("44 blue 32") << 44 << true << 0 << 0 << 32;
    QTest::newRow("90 red 16") << 90 << true << 16 << 0 << 0;
    QTest::newRow("91 green 16") << 91 << true << 0 << 8 << 0;
    QTest::newRow("95 magenta 16") << 95 << true << 16 << 0 << 16;
    QTest::newRow("96 black") << 96 << true << 0 << 0 << 0;
    QTest::newRow("97 beyond") << 97 << false << 0 << 0 << 0;
    QTest::newRow("1000 beyond") << 1000 << false << 0 << 0 << 0;
    QTest::newRow("-1 negative") << -1 << false << 0 << 0 << 0;
}

void TGraphScaleTest::palette()
{
    QFETCH(int, index);
    QFETCH(bool, result);
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);

    int r = -1, g = -1, b = -1;
    QCOMPARE(TGraphWidget::GetIndexedColor(index, r, g, b), result);
    QCOMPARE(r, red);
    QCOMPARE(g, green);
    QCOMPARE(b, blue);
}

void TGraphScaleTest::fit_data()
{
    QTest::addColumn<TPointLists>("sets");
    QTest::addColumn<double>("minimumHalfRange");
    QTest::addColumn<bool>("equalScale");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("right");
    QTest::addColumn<double>("bottom");
    QTest::addColumn<double>("top");
    QTest::addColumn<double>("xSpan");
    QTest::addColumn<double>("ySpan");

    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();

    // Without points the fit shows +-5e-6, widened by the 2 % margins.
    QTest::newRow("no data sets") << TPointLists() << 0.0 << false << -5.2e-6 << 5.2e-6 << -5.2e-6
                                  << 5.2e-6 << 1e-5 << 1e-5;
    QTest::newRow("only empty sets") << TPointLists{{}, {}} << 0.0 << false << -5.2e-6 << 5.2e-6
                                     << -5.2e-6 << 5.2e-6 << 1e-5 << 1e-5;
    // One point: x is widened to 1e-5 around it, y always reaches down to zero.
    QTest::newRow("single point") << TPointLists{{{10, 0.5}}} << 0.0 << false << 10 - 5.2e-6
                                  << 10 + 5.2e-6 << -5e-6 - 0.0100001 << 0.5100001 << 1e-5
                                  << 0.500005;
    QTest::newRow("all negative") << TPointLists{{{0, -2}, {10, -1}}} << 0.0 << false << -0.2
                                  << 10.2 << -2.0400001 << 5e-6 + 0.0400001 << 10.0 << 2.000005;
    QTest::newRow("all positive") << TPointLists{{{0, 1}}, {{10, 3}}} << 0.0 << false << -0.2
                                  << 10.2 << -5e-6 - 0.0600001 << 3.0600001 << 10.0 << 3.000005;
    QTest::newRow("first set empty") << TPointLists{{}, {{-4, 1}, {4, -1}}} << 0.0 << false << -4.16
                                     << 4.16 << -1.04 << 1.04 << 8.0 << 2.0;
    QTest::newRow("minimum half range") << TPointLists{{{0, 0.1}, {10, 0.2}}} << 1.0 << false
                                        << -0.2 << 10.2 << -1.04 << 1.04 << 10.0 << 2.0;
    // Equal scale: the x range becomes the y range times 710/500 about the x centre.
    QTest::newRow("equal scale") << TPointLists{{{0, -1}, {10, 1}}} << 0.0 << true << 3.5232
                                 << 6.4768 << -1.04 << 1.04 << 2.84 << 2.0;
    QTest::newRow("points that are not finite")
        << TPointLists{{{inf, 5}, {0, 1}, {nan, 2}, {10, -inf}, {10, 2}, {-inf, nan}}} << 0.0
        << false << -0.2 << 10.2 << -5e-6 - 0.0400001 << 2.0400001 << 10.0 << 2.000005;
}

void TGraphScaleTest::fit()
{
    QFETCH(TPointLists, sets);
    QFETCH(double, minimumHalfRange);
    QFETCH(bool, equalScale);
    QFETCH(double, left);
    QFETCH(double, right);
    QFETCH(double, bottom);
    QFETCH(double, top);
    QFETCH(double, xSpan);
    QFETCH(double, ySpan);

    TGraphWidget graph;
    TGraphWidgetProbe probe(graph);
    Fill(graph, sets);
    if (minimumHalfRange > 0.0)
        graph.SetMinimumHalfRange(minimumHalfRange);
    graph.SetEqualScale(equalScale);
    probe.SetPlotRect(Plot);
    probe.FitToData();

    QVERIFY2(Near(probe.Left(), left, xSpan), Range(probe));
    QVERIFY2(Near(probe.Right(), right, xSpan), Range(probe));
    QVERIFY2(Near(probe.Bottom(), bottom, ySpan), Range(probe));
    QVERIFY2(Near(probe.Top(), top, ySpan), Range(probe));
    QVERIFY(Near(probe.XSpan(), xSpan, xSpan));
    QVERIFY(Near(probe.YSpan(), ySpan, ySpan));
    QCOMPARE(probe.Transform().m12, 0.0);
    QCOMPARE(probe.Transform().m21, 0.0);
    QVERIFY(probe.Transform().m22 < 0.0);
}

void TGraphScaleTest::updateBeforeFirstResize()
{
    TGraphWidget graph;
    TGraphWidgetProbe probe(graph);
    Fill(graph, {{{0, 1}, {10, 2}}});
    probe.SetPlotRect(Plot);
    const TGraphTransform before = probe.Transform();
    graph.UpdateGraph();
    QCOMPARE(probe.Transform().m11, before.m11);
    QCOMPARE(probe.Transform().dx, before.dx);
}

void TGraphScaleTest::zoom_data()
{
    // Pixel rectangles against the fit of x 1000..1010, y -1..1, which maps
    // x 999.8..1010.2 onto pixels 70..780 and y -1.04..1.04 onto pixels 520..20.
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("right");
    QTest::addColumn<double>("bottom");
    QTest::addColumn<double>("top");

    const auto x = [](int pixel) { return 999.8 + (pixel - 70) * 10.4 / 710; };
    const auto y = [](int pixel) { return 1.04 - (pixel - 20) * 2.08 / 500; };

    QTest::newRow("inside") << QRect(QPoint(141, 70), QPoint(425, 270)) << x(141) << x(425)
                            << y(270) << y(70);
    QTest::newRow("dragged backwards")
        << QRect(QPoint(425, 270), QPoint(141, 70)) << x(141) << x(425) << y(270) << y(70);
    QTest::newRow("the plot itself") << Plot << 999.8 << 1010.2 << -1.04 << 1.04;
    // A band of one pixel column has no width: it becomes 1e-5 wide about its position.
    QTest::newRow("zero width") << QRect(QPoint(300, 70), QPoint(300, 270)) << x(300) - 5e-6
                                << x(300) + 5e-6 << y(270) << y(70);
    QTest::newRow("zero height") << QRect(QPoint(141, 200), QPoint(425, 200)) << x(141) << x(425)
                                 << y(200) - 5e-6 << y(200) + 5e-6;
}

void TGraphScaleTest::zoom()
{
    QFETCH(QRect, rect);
    QFETCH(double, left);
    QFETCH(double, right);
    QFETCH(double, bottom);
    QFETCH(double, top);

    TGraphWidget graph;
    TGraphWidgetProbe probe(graph);
    Fill(graph, {{{1000, -1}, {1005, 0.5}, {1010, 1}}});
    probe.SetPlotRect(Plot);
    probe.FitToData();
    probe.ZoomToRect(rect);

    QVERIFY2(Near(probe.Left(), left, 10.0), Range(probe));
    QVERIFY2(Near(probe.Right(), right, 10.0), Range(probe));
    QVERIFY2(Near(probe.Bottom(), bottom, 2.0), Range(probe));
    QVERIFY2(Near(probe.Top(), top, 2.0), Range(probe));
    // A zoom keeps the spans of the last fit, which limit zooming out.
    QCOMPARE(probe.XSpan(), 10.0);
}

void TGraphScaleTest::zoomOutLimitKeepsCentre_data()
{
    QTest::addColumn<double>("xCentre");
    QTest::addColumn<double>("yCentre");

    QTest::newRow("data about zero") << 0.0 << 0.0;
    QTest::newRow("data far from zero") << 1005.0 << 0.0;
    QTest::newRow("data far below zero") << -2.0e6 << 0.0;
    QTest::newRow("y far from zero") << 5.0 << 500.0;
}

void TGraphScaleTest::zoomOutLimitKeepsCentre()
{
    QFETCH(double, xCentre);
    QFETCH(double, yCentre);

    TGraphWidget graph;
    TGraphWidgetProbe probe(graph);
    Fill(graph, {{{xCentre - 5, yCentre - 1}, {xCentre + 5, yCentre + 1}}});
    probe.SetPlotRect(Plot);
    probe.FitToData();
    const double x_span = probe.XSpan();
    const double y_span = probe.YSpan();
    const double x_middle = (probe.Left() + probe.Right()) / 2;
    const double y_middle = (probe.Bottom() + probe.Top()) / 2;

    // A band a hundred plots wide and high, centred on the plot.
    const QPoint centre = Plot.center();
    probe.ZoomToRect(QRect(centre - QPoint(71000 / 2, 50000 / 2), QSize(71000, 50000)));

    // The range is narrowed to fifty spans about its own centre, not about zero.
    QVERIFY2(Near(probe.Right() - probe.Left(), 50 * x_span, x_span), Range(probe));
    QVERIFY2(Near(probe.Top() - probe.Bottom(), 50 * y_span, y_span), Range(probe));
    QVERIFY2(std::abs((probe.Left() + probe.Right()) / 2 - x_middle) < 0.1 * x_span, Range(probe));
    QVERIFY2(std::abs((probe.Bottom() + probe.Top()) / 2 - y_middle) < 0.1 * y_span, Range(probe));
}

void TGraphScaleTest::repeatedZoomOutKeepsDataInView()
{
    TGraphWidget graph;
    TGraphWidgetProbe probe(graph);
    Fill(graph, {{{1000, -0.01}, {1010, 0.01}}});
    probe.SetPlotRect(Plot);
    probe.FitToData();

    // Right clicks double the view about the plot's centre, again and again.
    const int w = Plot.width(), h = Plot.height();
    const QPoint c = Plot.center();
    for (int click = 0; click < 12; ++click)
    {
        probe.ZoomToRect(
            QRect(QPoint(c.x() - (2 * w - 1) / 2, c.y() - (2 * h - 1) / 2), QSize(2 * w, 2 * h)));
        QVERIFY2(probe.Left() < 1000 && probe.Right() > 1010, Range(probe));
        QVERIFY2(probe.Bottom() < -0.01 && probe.Top() > 0.01, Range(probe));
    }
    QVERIFY2(Near(probe.Right() - probe.Left(), 50 * probe.XSpan(), probe.XSpan()), Range(probe));
}

QTEST_MAIN(TGraphScaleTest)
#include "tst_graphscale.moc"
