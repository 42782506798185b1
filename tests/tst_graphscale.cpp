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

// The visible range, its widths and the fitted spans, to seven significant digits.
QString View(const TGraphWidgetProbe& probe)
{
    const auto number = [](double value) { return QString::number(value, 'g', 7); };
    return QString("x %1 %2 y %3 %4 widths %5 %6 spans %7 %8")
        .arg(number(probe.Left()), number(probe.Right()), number(probe.Bottom()),
             number(probe.Top()), number(probe.Right() - probe.Left()),
             number(probe.Top() - probe.Bottom()), number(probe.XSpan()), number(probe.YSpan()));
}

} // namespace

class TGraphScaleTest : public QObject
{
    Q_OBJECT

private slots:
    void dataSetsAndPoints();
    void options();
    void palette_data();
    void palette();
    void fit_data();
    void fit();
    void zoom_data();
    void zoom();
    void repeatedZoomOutKeepsDataInView();
};

void TGraphScaleTest::dataSetsAndPoints()
{
    TGraphWidget graph;
    TGraphWidgetProbe probe(graph);
    QCOMPARE(graph.AddDataSet(Qt::red, 0), 0);
    QCOMPARE(graph.AddDataSet(Qt::blue, 3), 1);
    QCOMPARE(graph.AddDataSet(Qt::green, 2), 2);
    QVERIFY(graph.RemoveDataSet(0));
    QCOMPARE(probe.DataSetCount(), 2);
    QCOMPARE(probe.DataSet(0).Color, QColor(Qt::blue));
    QCOMPARE(probe.DataSet(0).Style, 3);

    for (double x : {1.0, 2.0, 3.0})
        QVERIFY(graph.AddPoint(1, TVector2(x, 10 * x)));
    QVERIFY(graph.SetPoint(1, 1, TVector2(2.5, -5)));
    QVERIFY(graph.RemovePoint(1, 0));
    QCOMPARE(graph.PointCount(1), 2);
    QCOMPARE(graph.GetPoint(1, 0).y, -5.0);
    QCOMPARE(graph.GetPoint(1, 1).x, 3.0);
    QCOMPARE(graph.PointCount(0), 0);

    graph.ClearDataSets();
    QCOMPARE(graph.AddDataSet(Qt::red, 0), 0);
}

void TGraphScaleTest::options()
{
    TGraphWidget graph;
    TGraphWidgetProbe probe(graph);
    QCOMPARE(QStringList({probe.Title(), probe.HorizontalTitle(), probe.VerticalTitle()}),
             QStringList({"Sample Graph", "H Title", "V Title"}));
    QCOMPARE(probe.Coordinates(), QString("0.00000,   0.00000"));
    QCOMPARE(probe.MinimumHalfRange(), 5e-6);
    QVERIFY(graph.hasMouseTracking());
    QCOMPARE(graph.sizePolicy().verticalPolicy(), QSizePolicy::MinimumExpanding);

    graph.SetMinimumHalfRange(0.25);
    QCOMPARE(probe.MinimumHalfRange(), 0.25);
    // A range that is not positive falls back to 5e-5, not to the construction default.
    graph.SetMinimumHalfRange(0.0);
    QCOMPARE(probe.MinimumHalfRange(), 5e-5);
    graph.SetMinimumHalfRange(-1.0);
    QCOMPARE(probe.MinimumHalfRange(), 5e-5);
}

void TGraphScaleTest::palette_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("colour");

    // Six hues in sixteen intensities; green is always halved; black at 96, none beyond.
    const QList<QPair<int, const char*>> rows = {
        {0, "255 0 0"},     {1, "0 127 0"},  {2, "0 0 255"},  {3, "255 127 0"}, {4, "0 127 255"},
        {5, "255 0 255"},   {6, "128 0 0"},  {13, "0 96 0"},  {20, "0 0 64"},   {39, "96 48 0"},
        {44, "0 0 32"},     {91, "0 8 0"},   {95, "16 0 16"}, {96, "0 0 0"},    {97, "0 0 0 no"},
        {1000, "0 0 0 no"}, {-1, "0 0 0 no"}};
    for (const auto& row : rows)
        QTest::addRow("%d", row.first) << row.first << QString(row.second);
}

void TGraphScaleTest::palette()
{
    QFETCH(int, index);
    QFETCH(QString, colour);

    int r = -1, g = -1, b = -1;
    const bool known = TGraphWidget::GetIndexedColor(index, r, g, b);
    QCOMPARE(QString("%1 %2 %3%4").arg(r).arg(g).arg(b).arg(known ? "" : " no"), colour);
}

void TGraphScaleTest::fit_data()
{
    QTest::addColumn<TPointLists>("sets");
    QTest::addColumn<double>("halfRange");
    QTest::addColumn<bool>("equalScale");
    QTest::addColumn<QString>("view");

    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const auto row = [](const char* tag, const TPointLists& sets, double half_range,
                        bool equal_scale, const char* view)
    { QTest::newRow(tag) << sets << half_range << equal_scale << QString(view); };

    // Without points the fit shows +-5e-6, widened by the 2 % margins.
    row("no data sets", {}, 0, false,
        "x -5.2e-06 5.2e-06 y -5.2e-06 5.2e-06 widths 1.04e-05 1.04e-05 spans 1e-05 1e-05");
    row("only empty sets", {{}, {}}, 0, false,
        "x -5.2e-06 5.2e-06 y -5.2e-06 5.2e-06 widths 1.04e-05 1.04e-05 spans 1e-05 1e-05");
    // One point: x is widened to 1e-5 around it; y always reaches down to zero.
    row("single point", {{{10, 0.5}}}, 0, false,
        "x 9.999995 10.00001 y -0.0100051 0.5100001 widths 1.04e-05 0.5200052 spans 1e-05 "
        "0.500005");
    row("all negative", {{{0, -2}, {10, -1}}}, 0, false,
        "x -0.2 10.2 y -2.04 0.0400051 widths 10.4 2.080005 spans 10 2.000005");
    row("all positive, two sets", {{{0, 1}}, {{10, 3}}}, 0, false,
        "x -0.2 10.2 y -0.0600051 3.06 widths 10.4 3.120005 spans 10 3.000005");
    row("first set empty", {{}, {{-4, 1}, {4, -1}}}, 0, false,
        "x -4.16 4.16 y -1.04 1.04 widths 8.32 2.08 spans 8 2");
    row("minimum half range", {{{0, 0.1}, {10, 0.2}}}, 1, false,
        "x -0.2 10.2 y -1.04 1.04 widths 10.4 2.08 spans 10 2");
    // Equal scale: the x range becomes the y range times 710/500 about the x centre.
    row("equal scale", {{{0, -1}, {10, 1}}}, 0, true,
        "x 3.5232 6.4768 y -1.04 1.04 widths 2.9536 2.08 spans 2.84 2");
    row("points that are not finite", {{{inf, 5}, {0, 1}, {nan, 2}, {10, -inf}, {10, 2}}}, 0, false,
        "x -0.2 10.2 y -0.0400051 2.04 widths 10.4 2.080005 spans 10 2.000005");
}

void TGraphScaleTest::fit()
{
    QFETCH(TPointLists, sets);
    QFETCH(double, halfRange);
    QFETCH(bool, equalScale);
    QFETCH(QString, view);

    TGraphWidget graph;
    TGraphWidgetProbe probe(graph);
    Fill(graph, sets);
    if (halfRange > 0.0)
        graph.SetMinimumHalfRange(halfRange);
    graph.SetEqualScale(equalScale);
    probe.SetPlotRect(Plot);
    probe.FitToData();
    QCOMPARE(View(probe), view);
}

void TGraphScaleTest::zoom_data()
{
    // Pixel rectangles against the fit of x 1000..1010, y -1..1, which shows
    // x 999.8..1010.2 on pixels 70..780 and y -1.04..1.04 on pixels 520..20.
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QString>("view");

    QTest::newRow("inside") << QRect(QPoint(141, 70), QPoint(425, 270))
                            << "x 1000.84 1005 y 0 0.832 widths 4.16 0.832 spans 10 2";
    QTest::newRow("dragged backwards") << QRect(QPoint(425, 270), QPoint(141, 70))
                                       << "x 1000.84 1005 y 0 0.832 widths 4.16 0.832 spans 10 2";
    QTest::newRow("the plot itself")
        << Plot << "x 999.8 1010.2 y -1.04 1.04 widths 10.4 2.08 spans 10 2";
    // A band of one pixel column becomes 1e-5 wide about its position.
    QTest::newRow("zero width") << QRect(QPoint(300, 70), QPoint(300, 270))
                                << "x 1003.169 1003.169 y 0 0.832 widths 1e-05 0.832 spans 10 2";
    // Zooming out stops at fifty fitted spans, narrowed about the band's own centre.
    QTest::newRow("a hundred plots wide")
        << QRect(Plot.center() - QPoint(35500, 25000), QSize(71000, 50000))
        << "x 754.9927 1254.993 y -49.99792 50.00208 widths 500 100 spans 10 2";
}

void TGraphScaleTest::zoom()
{
    QFETCH(QRect, rect);
    QFETCH(QString, view);

    TGraphWidget graph;
    TGraphWidgetProbe probe(graph);
    Fill(graph, {{{1000, -1}, {1005, 0.5}, {1010, 1}}});
    probe.SetPlotRect(Plot);
    probe.FitToData();
    probe.ZoomToRect(rect);
    QCOMPARE(View(probe), view);
}

// Right clicks double the view about the plot's centre: data far from zero stay in view.
void TGraphScaleTest::repeatedZoomOutKeepsDataInView()
{
    TGraphWidget graph;
    TGraphWidgetProbe probe(graph);
    Fill(graph, {{{1000, -0.01}, {1010, 0.01}}});
    probe.SetPlotRect(Plot);
    probe.FitToData();
    const int w = Plot.width(), h = Plot.height();
    const QPoint c = Plot.center();
    for (int click = 0; click < 12; ++click)
    {
        probe.ZoomToRect(
            QRect(QPoint(c.x() - (2 * w - 1) / 2, c.y() - (2 * h - 1) / 2), QSize(2 * w, 2 * h)));
        QVERIFY2(probe.Left() < 1000 && probe.Right() > 1010, qPrintable(View(probe)));
        QVERIFY2(probe.Bottom() < -0.01 && probe.Top() > 0.01, qPrintable(View(probe)));
    }
    QVERIFY2(View(probe).contains(" widths 500 "), qPrintable(View(probe)));
}

QTEST_MAIN(TGraphScaleTest)
#include "tst_graphscale.moc"
