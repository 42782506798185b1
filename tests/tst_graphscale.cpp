#include "graphprobe.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <vector>

using TPointLists = std::vector<std::vector<TVector2>>;
Q_DECLARE_METATYPE(TPointLists)

namespace
{

const double Inf = std::numeric_limits<double>::infinity();
const double NaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

class TGraphScaleTest : public QObject
{
    Q_OBJECT

private slots:
    void dataSets();
    void palette();
    void fit_data();
    void fit();
};

// Sets and points are numbered in order, and renumbered when one is removed.
void TGraphScaleTest::dataSets()
{
    TGraphWidget graph;
    for (double x : {1.0, 2.0, 3.0})
        QVERIFY(graph.AddPoint(graph.AddDataSet(Qt::red, 0), TVector2(x, 10 * x)));
    QVERIFY(graph.RemoveDataSet(0) && graph.AddPoint(0, TVector2(4, 40)));
    QVERIFY(graph.SetPoint(0, 0, TVector2(2.5, -5)) && graph.RemovePoint(1, 0));
    QVERIFY(graph.PointCount(0) == 2 && graph.PointCount(1) == 0);
    QVERIFY(graph.GetPoint(0, 0).y == -5.0 && graph.GetPoint(0, 1).x == 4.0);
    graph.ClearDataSets();
    QCOMPARE(graph.AddDataSet(Qt::red, 0), 0);
}

// Six hues in sixteen intensities; green is always halved; black at 96, none beyond.
void TGraphScaleTest::palette()
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

void TGraphScaleTest::fit_data()
{
    QTest::addColumn<TPointLists>("sets");
    QTest::addColumn<double>("halfRange");
    QTest::addColumn<bool>("equalScale");
    QTest::addColumn<QRect>("zoom");
    QTest::addColumn<QString>("view");
    const auto row = [](const char* tag, const TPointLists& sets, const char* view,
                        double half_range = NaN, bool equal_scale = false, QRect zoom = {})
    { QTest::newRow(tag) << sets << half_range << equal_scale << zoom << QString(view); };

    // The visible x and y ranges and the fitted spans. Without points the fit shows +-5e-6;
    // 2 % margins widen every span; y always reaches to zero; one x is widened to 1e-5.
    row("no data sets", {}, "x -5.2e-06 5.2e-06 y -5.2e-06 5.2e-06 spans 1e-05 1e-05");
    row("single point", {{{10, 0.5}}},
        "x 9.999995 10.00001 y -0.0100051 0.5100001 spans 1e-05 0.500005");
    row("all negative", {{{0, -2}, {10, -1}}}, "x -0.2 10.2 y -2.04 0.0400051 spans 10 2.000005");
    row("all positive, first set empty", {{}, {{0, 1}}, {{10, 3}}},
        "x -0.2 10.2 y -0.0600051 3.06 spans 10 3.000005");
    row("minimum half range", {{{0, 0.1}, {10, 0.2}}}, "x -0.2 10.2 y -1.04 1.04 spans 10 2", 1);
    // A half range that is not positive falls back to 5e-5, not to the default.
    row("half range 0", {{{0, 0}, {10, 0}}}, "x -0.2 10.2 y -5.2e-05 5.2e-05 spans 10 0.0001", 0);
    // The x range becomes the y range times 710/500 about the x centre.
    row("equal scale", {{{0, -1}, {10, 1}}}, "x 3.5232 6.4768 y -1.04 1.04 spans 2.84 2", NaN,
        true);
    row("points that are not finite", {{{Inf, 5}, {0, 1}, {NaN, 2}, {10, -Inf}, {10, 2}}},
        "x -0.2 10.2 y -0.0400051 2.04 spans 10 2.000005");
    // Zooming out stops at fifty fitted spans, narrowed about the band's own centre: data far
    // from zero stay in view.
    row("zoom-out limit", {{{1000, -1}, {1010, 1}}},
        "x 754.9927 1254.993 y -49.99792 50.00208 spans 10 2", NaN, false,
        QRect(QPoint(425, 270) - QPoint(35500, 25000), QSize(71000, 50000)));
}

// In a plot rectangle 711 by 501 pixels: corner differences 710 and 500.
void TGraphScaleTest::fit()
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

QTEST_MAIN(TGraphScaleTest)
#include "tst_graphscale.moc"
