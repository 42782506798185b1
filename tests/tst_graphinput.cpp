#include "graphprobe.h"

#include <QtTest>

#include <cmath>

namespace
{

// Steps, at positions from the plot's top-left corner: press the l(eft) or r(ight) button,
// m(ove) with it held, u(p), move from the plot's b(ottom-right) corner, p(aint), w(ait) for
// the repaints asked for, z ZoomOut, s ScaleToFit, h(ide) the read-out, d(ouble-click) the
// left button, turn the wheel by n(otches) of 120 (third number), press the k(ey) named,
// t(ype) the text.
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
// y -1.04..1.04. It records the regions it paints.
struct TShownGraph : TGraphWidget
{
    QRegion Painted;

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
        TGraphWidget::paintEvent(event);
    }
};

} // namespace

class TGraphInputTest : public QObject
{
    Q_OBJECT

private slots:
    void view_data();
    void view();
    void drawnAndExtremes();
    void steer_data();
    void steer();
};

void TGraphInputTest::view_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QList<int>>("band");
    QTest::addColumn<QPoint>("shift");
    QTest::addColumn<int>("zoomOuts");
    QTest::addColumn<QString>("readOut");
    // After the steps: the corners of the band in the fitted view that is shown (none for all
    // of it), the pixels the data moved, the zoom-outs, and the read-out.
    const auto row = [](const char* tag, const QString& steps, QList<int> band = {},
                        QPoint shift = QPoint(), int zoomOuts = 0,
                        const char* readOut = "0.00000,   0.00000")
    { QTest::newRow(tag) << steps << band << shift << zoomOuts << QString(readOut); };

    row("band", "l50,40 m150,100 m250,200 u", {50, 40, 250, 200});
    row("band dragged backwards", "l250,200 m50,40 u", {50, 40, 250, 200});
    row("band from outside", "l-30,-20 m250,200 u", {0, 0, 250, 200});
    row("zero-width band", "l100,40 m100,200 u", {100, 40, 100, 200});
    row("band one pixel backwards", "l100,40 m99,200 u", {99, 40, 100, 200});
    row("press and release", "l50,40 u p");
    // A right click zooms out about the plot's centre at the next paint, once however often it
    // was asked for.
    row("right click, no paint", "r100,100 u");
    row("right click", "r100,100 u p", {}, {}, 1);
    row("two clicks, two paints", "r100,100 u p r100,100 u p", {}, {}, 2);
    row("two clicks, one paint", "r100,100 u r100,100 u p", {}, {}, 1);
    row("ScaleToFit after a zoom", "l50,40 m250,200 u s p");
    // A refit goes first, and a zoom-out asked for with it follows.
    row("refit wins", "l50,40 m250,200 u z s p");
    row("zoom-out follows", "l50,40 m250,200 u z s w", {}, {}, 1);
    row("10-pixel right drag", "r100,100 m110,100 u p", {}, {10, 0});
    row("right drag in steps", "r100,100 m97,104 m110,93 u p", {}, {10, -7});
    row("read-out, top left", "m0,0", {}, {}, 0, "999.80000,   1.04000");
    row("read-out, bottom right", "b0,0", {}, {}, 0, "1010.20000,   -1.04000");
    row("outside, read-out stays", "m0,0 m-1,0 m0,-1 b1,0 b0,1", {}, {}, 0, "999.80000,   1.04000");
    row("read-out hidden", "h m0,0");
    row("button held, no read-out", "l0,0 m10,10");
}

void TGraphInputTest::view()
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

    // The band's part of the fitted view, at least 1e-5 wide, moved against the data, then
    // doubled per zoom-out.
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

void TGraphInputTest::drawnAndExtremes()
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
    // Only the outlines of the band as it was and as it is are repainted, from the image.
    QVERIFY(graph.Painted.xored(Outline(band) + Outline(band.adjusted(0, 0, 100, 100))).isEmpty());
    QCOMPARE(probe.ImageKey(), fitted);

    // Drawn: the image, the band as it is now, and the read-out right-aligned in the plot's
    // top right corner, its baseline one text height below the plot's top. The image holds
    // the screen's pixels (tst_graphinput_ratio2 runs at a ratio of 2), where a line along
    // a pixel's edge covers the device pixels on both sides of that edge.
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

    // Positions far beyond any screen neither overflow nor break the view.
    const TGraphTransform& map = probe.Transform();
    Run(graph, "r-2000000000,-9 m2000000000,9 u l9,2000000000 m-9,-2000000000 u r0,0 u p");
    QVERIFY(std::isfinite(map.dx) && std::isfinite(map.dy) && map.m11 > 0 && map.m22 < 0);

    // A plot one pixel wide has no horizontal scale: its labels take the format of a scale of
    // 0, its read-out is not a number, and a zoom into all of it still shows the curve there.
    graph.resize(8 * probe.FontHeight(), 300);
    const QRect narrow = probe.PlotRect();
    QCOMPARE(narrow.width(), 1);
    QCOMPARE(probe.HorizontalFormat(), QString("% 6.5lf"));
    Run(graph, "r0,10 m0,20 u r0,0 u p l0,0 b0,0 u m0,0");
    QVERIFY(probe.Coordinates().startsWith("nan,   "));
    QVERIFY(std::isfinite(map.dx) && std::isfinite(map.m22));
    // The curve is the only thing in colour.
    QVERIFY(!probe.Image().copy(QRect(narrow.topLeft() * ratio, narrow.size() * ratio)).allGray());
}

void TGraphInputTest::steer_data()
{
    // After the steps the data at the anchor (from the plot's top-left corner; none: its centre)
    // moved by a fraction of the plot, and the view is the factor times as wide as the fitted
    // one; a factor of 0: exactly the fitted view.
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
    // Thirty notches out stop where right clicks do: at fifty times the data, whose fitted view
    // has a fiftieth more on either side.
    row("wheel to the limit", "n100,80,-3600", {100, 80}, {}, 50 / 1.04);
    row("Home", "n100,80,120 kHome w", {}, {}, 0.0);
    row("double-click", "n100,80,120 l50,50 u d50,50 u w", {}, {}, 0.0);
    row("right arrow", "kRight", {}, {-0.1, 0}, 1.0);
    row("up arrow", "kUp", {}, {0, 0.1}, 1.0);
    row("plus", "t+", {}, {}, 0.8);
    row("minus", "t-", {}, {}, 1.25);
}

void TGraphInputTest::steer()
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
    // The mouse rests on the plot, and the read-out follows the view.
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

QTEST_MAIN(TGraphInputTest)
#include "tst_graphinput.moc"
