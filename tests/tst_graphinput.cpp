#include "core/graphwidget.h"
#include "graphprobe.h"

#include <QScreen>
#include <QtTest>

#include <cmath>

namespace
{

// One case a line: name | steps | the part of the fitted view shown after them, in pixels
// from the plot's top-left corner (- for the whole plot) | pixels the data moved | zoom-outs
// | read-out (- for the initial one). Steps, at positions from the plot's top-left corner:
// press the l(eft) or r(ight) button, m(ove) with it held, u(p), move without a button
// from the plot's b(ottom-right) corner, p(aint), w(ait) for the repaints asked for,
// z ZoomOut, s ScaleToFit, h(ide) the read-out.
const char* const Cases = R"(
band                     | l50,40 m150,100 m250,200 u     | 50,40,250,200  | 0,0   | 0 | -
band dragged backwards   | l250,200 m50,40 u              | 50,40,250,200  | 0,0   | 0 | -
band from outside        | l-30,-20 m250,200 u            | 0,0,250,200    | 0,0   | 0 | -
zero-width band          | l100,40 m100,200 u             | 100,40,100,200 | 0,0   | 0 | -
band one pixel backwards | l100,40 m99,200 u              | 99,40,100,200  | 0,0   | 0 | -
press and release        | l50,40 u p                     | -              | 0,0   | 0 | -
right click, no paint    | r100,100 u                     | -              | 0,0   | 0 | -
right click              | r100,100 u p                   | -              | 0,0   | 1 | -
two clicks, two paints   | r100,100 u p r100,100 u p      | -              | 0,0   | 2 | -
two clicks, one paint    | r100,100 u r100,100 u p        | -              | 0,0   | 1 | -
ScaleToFit after a zoom  | l50,40 m250,200 u s p          | -              | 0,0   | 0 | -
refit wins               | l50,40 m250,200 u z s p        | -              | 0,0   | 0 | -
zoom-out follows         | l50,40 m250,200 u z s w        | -              | 0,0   | 1 | -
10-pixel right drag      | r100,100 m110,100 u p          | -              | 10,0  | 0 | -
right drag in steps      | r100,100 m97,104 m110,93 u p   | -              | 10,-7 | 0 | -
right drag there, back   | r100,100 m120,100 m100,100 u p | -              | 0,0   | 0 | -
read-out, top left       | m0,0                           | -              | 0,0   | 0 | 999.80000,   1.04000
read-out, bottom right   | b0,0                           | -              | 0,0   | 0 | 1010.20000,   -1.04000
outside, read-out stays  | m0,0 m-1,0 m0,-1 b1,0 b0,1     | -              | 0,0   | 0 | 999.80000,   1.04000
read-out hidden          | h m0,0                         | -              | 0,0   | 0 | -
button held, no read-out | l0,0 m10,10                    | -              | 0,0   | 0 | -
)";

const QString Untouched = "0.00000,   0.00000";

QList<int> Numbers(const QString& text)
{
    QList<int> numbers;
    for (const QString& number : text.split(',', Qt::SkipEmptyParts))
        numbers << number.toInt();
    return numbers;
}

// A shown graph of one curve from (1000, -1) to (1010, 1), fitted: x 999.8..1010.2 and
// y -1.04..1.04.
void Show(TGraphWidget& graph)
{
    graph.resize(640, 480);
    graph.show();
    QVERIFY(QTest::qWaitForWindowExposed(&graph));
    graph.AddPoint(graph.AddDataSet(Qt::red, 0), TVector2(1000, -1));
    graph.AddPoint(0, TVector2(1010, 1));
    graph.UpdateGraph();
    QApplication::processEvents();
}

void Send(TGraphWidget& graph, QEvent::Type type, QPoint at, Qt::MouseButton button,
          Qt::MouseButtons held)
{
    QMouseEvent event(type, at, graph.mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(&graph, &event);
}

void Run(TGraphWidget& graph, const QString& steps)
{
    const QRect plot = TGraphWidgetProbe(graph).PlotRect();
    Qt::MouseButton button = Qt::NoButton;
    for (const QString& step : steps.split(' ', Qt::SkipEmptyParts))
    {
        const QList<int> xy = Numbers(step.mid(1)) << 0 << 0;
        const QPoint at =
            (step[0] == 'b' ? plot.bottomRight() : plot.topLeft()) + QPoint(xy[0], xy[1]);
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
            QTest::qWait(20);
        else if (step[0] == 'h')
            graph.SetShowCoordinates(false);
        else
            QVERIFY(QMetaObject::invokeMethod(&graph, step[0] == 'z' ? "ZoomOut" : "ScaleToFit"));
    }
}

// The pixels of a band's outline: its top and left edges, and one beyond its others.
QRegion Outline(const QRect& band)
{
    return QRegion(band.adjusted(0, 0, 1, 1)) - QRegion(band.adjusted(1, 1, 0, 0));
}

class TPaintRecorder : public QObject
{
public:
    QRegion Painted;

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            Painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

} // namespace

class TGraphInputTest : public QObject
{
    Q_OBJECT

private slots:
    void view_data();
    void view();
    void bandAndReadOutOnScreen_data();
    void bandAndReadOutOnScreen();
    void extremes();
};

void TGraphInputTest::view_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QRect>("band");
    QTest::addColumn<QPoint>("shift");
    QTest::addColumn<int>("zoomOuts");
    QTest::addColumn<QString>("readOut");
    for (const QString& line : QString(Cases).trimmed().split('\n'))
    {
        const QStringList field = line.split('|');
        const QList<int> band = Numbers(field[2]), shift = Numbers(field[3]);
        QTest::newRow(qPrintable(field[0].trimmed()))
            << field[1]
            << (band.size() == 4 ? QRect(QPoint(band[0], band[1]), QPoint(band[2], band[3]))
                                 : QRect())
            << QPoint(shift[0], shift[1]) << field[4].toInt()
            << (field[5].trimmed() == "-" ? Untouched : field[5].trimmed());
    }
    // Data far from zero stay in view, however often the view is doubled.
    QTest::newRow("twelve right clicks")
        << QString("r100,100 u p ").repeated(12) << QRect() << QPoint() << 12 << Untouched;
}

void TGraphInputTest::view()
{
    QFETCH(QString, steps);
    QFETCH(QRect, band);
    QFETCH(QPoint, shift);
    QFETCH(int, zoomOuts);
    TGraphWidget graph;
    TGraphWidgetProbe probe(graph);
    Show(graph);
    const TGraphTransform fit = probe.Transform();
    const QRect plot = probe.PlotRect();
    Run(graph, steps);
    QTEST(probe.Coordinates(), "readOut");

    // The band's part of the fitted view, at least 1e-5 wide, moved against the data, then
    // doubled per zoom-out up to fifty times the data's span.
    const QRect shown = (band.isNull() ? plot : band.translated(plot.topLeft())).translated(-shift);
    const double x = (fit.InverseX(shown.left()) + fit.InverseX(shown.right())) / 2;
    const double y = (fit.InverseY(shown.top()) + fit.InverseY(shown.bottom())) / 2;
    double width = std::max(fit.InverseX(shown.right()) - fit.InverseX(shown.left()), 1e-5);
    double height = std::max(fit.InverseY(shown.top()) - fit.InverseY(shown.bottom()), 1e-5);
    for (int zoomOut = 0; zoomOut < zoomOuts; ++zoomOut)
    {
        width = std::min(width * (2 * plot.width() - 1) / (plot.width() - 1), 50 * probe.XSpan());
        height =
            std::min(height * (2 * plot.height() - 1) / (plot.height() - 1), 50 * probe.YSpan());
    }
    // Each zoom-out may move the centre by half a pixel.
    const double slack = 1e-6 + 0.5 * zoomOuts / plot.width();
    QVERIFY(std::abs(probe.Right() - probe.Left() - width) <= 1e-6 * width);
    QVERIFY(std::abs(probe.Top() - probe.Bottom() - height) <= 1e-6 * height);
    QVERIFY(std::abs((probe.Left() + probe.Right()) / 2 - x) <= slack * width);
    QVERIFY(std::abs((probe.Top() + probe.Bottom()) / 2 - y) <= slack * height);
    QVERIFY(zoomOuts == 0 || (probe.Left() < 1000 && probe.Right() > 1010 && probe.Bottom() < -1 &&
                              probe.Top() > 1));
}

void TGraphInputTest::bandAndReadOutOnScreen_data()
{
    QTest::addColumn<bool>("readOut");
    QTest::newRow("read-out shown") << true;
    QTest::newRow("read-out hidden") << false;
}

void TGraphInputTest::bandAndReadOutOnScreen()
{
    QFETCH(bool, readOut);
    TGraphWidget graph;
    TGraphWidgetProbe probe(graph);
    graph.SetShowCoordinates(readOut);
    Show(graph);
    const qint64 fitted = probe.ImageKey();
    const QRect plot = probe.PlotRect();
    const QRect band(plot.topLeft() + QPoint(50, 40), plot.topLeft() + QPoint(150, 100));
    Run(graph, "m0,0 l50,40 m250,200");
    QApplication::processEvents();
    TPaintRecorder recorder;
    graph.installEventFilter(&recorder);
    Send(graph, QEvent::MouseMove, band.bottomRight(), Qt::NoButton, Qt::LeftButton);
    QApplication::processEvents();
    // Only the outlines of the band as it was and as it is are repainted, from the image.
    QVERIFY(
        recorder.Painted.xored(Outline(band) + Outline(band.adjusted(0, 0, 100, 100))).isEmpty());
    QCOMPARE(probe.ImageKey(), fitted);

    // On screen: the image, the band as it is now, and the read-out right-aligned in the
    // plot's top right corner, its baseline one text height below the plot's top.
    const QImage image = probe.Image();
    const QImage screen =
        graph.screen()->grabWindow(graph.winId()).toImage().convertToFormat(image.format());
    QRegion differs;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x)
            if (screen.pixel(x, y) != image.pixel(x, y))
                differs += QRect(x, y, 1, 1);
    const QFontMetrics metrics(graph.font());
    const QRect text = metrics.boundingRect(QRect(), 0, probe.Coordinates());
    const QRect box(
        QPoint(plot.right() - text.width(), plot.top() + text.height() - metrics.ascent()),
        QPoint(plot.right(), plot.top() + text.height() + metrics.descent()));
    QVERIFY((differs - box).xored(Outline(band)).isEmpty());
    QCOMPARE((differs & box).boundingRect().right() >= box.right() - 3, readOut);

    Send(graph, QEvent::MouseButtonRelease, band.bottomRight(), Qt::LeftButton, Qt::NoButton);
    QVERIFY(probe.ImageKey() != fitted);
}

void TGraphInputTest::extremes()
{
    TGraphWidget graph;
    TGraphWidgetProbe probe(graph);
    Show(graph);
    // Positions far beyond any screen neither overflow nor break the view.
    Run(graph, "r-2000000000,-9 m2000000000,9 u l9,2000000000 m-9,-2000000000 u r0,0 u p");
    const TGraphTransform& map = probe.Transform();
    QVERIFY(std::isfinite(map.dx) && std::isfinite(map.dy) && map.m11 > 0 && map.m22 < 0);

    // A plot one pixel wide has no horizontal scale: its read-out is not a number.
    graph.resize(8 * probe.FontHeight(), 300);
    QCOMPARE(probe.PlotRect().width(), 1);
    Run(graph, "r0,10 m0,20 u r0,0 u p l0,0 m0,30 u m0,0");
    QVERIFY(probe.Coordinates().startsWith("nan,   "));
}

QTEST_MAIN(TGraphInputTest)
#include "tst_graphinput.moc"
