#include "filesizelimit.h"
#include "graphprobe.h"
#include "windowdriver.h"

#include "src/graphexport.h"

#include <QClipboard>
#include <QPrinter>
#include <QSvgRenderer>
#include <QtTest>

namespace
{

// A written file as Qt, rsvg-convert or pdftoppm draws it.
QImage Raster(const QString& path, const QString& reader)
{
    if (reader != "qt")
    {
        QProcess::execute(reader, reader == "pdftoppm"
                                      ? QStringList{"-png", "-singlefile", path, path}
                                      : QStringList{path, "-o", path + ".png"});
        return QImage(path + ".png");
    }
    QSvgRenderer svg(path);
    if (!svg.isValid())
        return QImage(path);
    QImage image(svg.viewBox().size(), QImage::Format_RGB32);
    QPainter painter(&image);
    svg.render(&painter);
    return image;
}

// Whether many pixels have the colour's hue, pure or blended with white by smoothing.
bool Shows(const QImage& image, const QColor& colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
        {
            const QColor pixel = image.pixelColor(x, y);
            count += pixel.hsvSaturation() > 80 && qAbs(pixel.hsvHue() - colour.hsvHue()) < 8;
        }
    return count > 50;
}

// The linear example (four runs, positions 0 to 500) loaded from the folder, its graph
// zoomed by a rubber band over the middle third of the plot.
void Load_And_Zoom(TWindowDriver& window, const QString& folder)
{
    QFile example(QFINDTESTDATA("../examples/x-axis-linear.rtl"));
    QVERIFY(example.open(QIODevice::ReadOnly));
    QVERIFY(window.Import(Write(folder + "/x-axis-linear.rtl", example.readAll())));
    const QRect plot = TGraphWidgetProbe(window.Graph()).PlotRect();
    const QPoint from = plot.topLeft() + QPoint(plot.width() / 3, 10);
    const QPoint to = plot.bottomRight() - QPoint(plot.width() / 3, 10);
    Send(window.Graph(), QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    Send(window.Graph(), QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    Send(window.Graph(), QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

} // namespace

// The graph copied, saved, printed and written by the batch, read back by other programs.
class TGraphExportTest : public QObject
{
    Q_OBJECT

private slots:
    void sameAsShown();
    void files_data();
    void files();
    void failures_data();
    void failures();
    void keys_data();
    void keys();
};

// At the widget's size an export is the widget's image: zoomed as shown, or fitted for the
// batch. Twice as large, as copied, the plot keeps margins of the text's size.
void TGraphExportTest::sameAsShown()
{
    QTemporaryDir folder;
    TWindowDriver window;
    Load_And_Zoom(window, folder.path());
    TGraphWidget& graph = window.Graph();
    const QSize size = graph.size();
    const QRect plot = TGraphWidgetProbe(graph).PlotRect();
    QCOMPARE(Graph_Image(graph, size, false), TGraphWidgetProbe(graph).Image().copy(graph.rect()));
    window.Click("Copy Graph");
    const QImage large = QGuiApplication::clipboard()->image();
    QCOMPARE(large.size(), size * 2);
    QCOMPARE(large.pixelColor(plot.topLeft()), QColor(Qt::darkGray));
    QCOMPARE(large.pixelColor(plot.bottomRight() + QPoint(size.width(), size.height())),
             QColor(Qt::darkGray));

    TLaserFile file;
    QString error;
    QVERIFY(file.Load(folder.filePath("x-axis-linear.rtl")));
    QVERIFY(Write_Graph_File(file, 0, folder.filePath("batch.png"), size, &error));
    QVERIFY(!Write_Graph_File(file, 1, folder.filePath("batch.png"), size, &error));
    QCOMPARE(error, "Data section not active.");
    graph.UpdateGraph();
    QCOMPARE(QImage(folder.filePath("batch.png")).convertToFormat(QImage::Format_RGB32),
             TGraphWidgetProbe(graph).Image().copy(graph.rect()));
}

void TGraphExportTest::files_data()
{
    // The name typed into the file dialog (none: printed to a PDF file), the file written,
    // and what reads it back.
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("reader");
    QTest::newRow("png") << "graph.png"
                         << "graph.png"
                         << "qt";
    QTest::newRow("no extension: the filter's") << "graph"
                                                << "graph.png"
                                                << "qt";
    QTest::newRow("svg") << "graph.svg"
                         << "graph.svg"
                         << "qt";
    QTest::newRow("svg in capitals, rsvg") << "graph.SVG"
                                           << "graph.SVG"
                                           << "rsvg-convert";
    QTest::newRow("pdf") << "graph.pdf"
                         << "graph.pdf"
                         << "pdftoppm";
    QTest::newRow("printed") << ""
                             << "printed.pdf"
                             << "pdftoppm";
}

// Every run in its colour; a PDF's text holds the titles, and not the fitted view's ends.
void TGraphExportTest::files()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QFETCH(QString, reader);
    QTemporaryDir folder;
    TWindowDriver window;
    Load_And_Zoom(window, folder.path());
    const QString path = folder.filePath(written);
    QPrinter printer;
    printer.setOutputFileName(path);
    if (typed.isEmpty())
        QVERIFY(Print_Graph(window.Graph(), printer));
    else
        QCOMPARE(window.Answer_Dialog("Save Graph...", folder.filePath(typed)),
                 "Select file to write | PNG Images (*.png);SVG Images (*.svg);PDF Documents "
                 "(*.pdf) | " +
                     folder.filePath("x-axis-linear - L1.png"));

    const QImage image = Raster(path, reader);
    QVERIFY(reader != "qt" || image.size() == window.Graph().size() * 2);
    for (const QColor& colour :
         {QColor(Qt::red), QColor(Qt::darkGreen), QColor(Qt::blue), QColor(255, 127, 0)})
        QVERIFY2(Shows(image, colour), qPrintable(colour.name()));
    if (reader != "pdftoppm")
        return;
    QProcess text;
    text.start("pdftotext", {path, "-"});
    QVERIFY(text.waitForFinished());
    const QStringList words = QString(text.readAll()).split(QRegularExpression("\\s+"));
    for (const char* title : {"x-axis-linear.rtl", "Position", "Deviation"})
        QVERIFY2(words.contains(title), title);
    QVERIFY(!words.contains("-10") && !words.contains("510"));
}

void TGraphExportTest::failures_data()
{
    // The file chosen and the bytes the system lets the program write (-1: no limit).
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("limit");
    QTest::newRow("png cut short") << "old.png" << 1000;
    QTest::newRow("svg cut short") << "old.svg" << 1000;
    QTest::newRow("pdf cut short") << "old.pdf" << 1000;
    // Not even root may create files there.
    QTest::newRow("cannot be created") << "/proc/vantrel-graph.png" << -1;
}

// The error line of the CSV export; an existing file stays as it was, and no temporary one.
void TGraphExportTest::failures()
{
    QFETCH(QString, file);
    QFETCH(int, limit);
    QTemporaryDir folder;
    TWindowDriver window;
    Load_And_Zoom(window, folder.path());
    const QString path = QDir(folder.path()).absoluteFilePath(file);
    QVERIFY(limit < 0 || !Write(path, "old content").isEmpty());
    const QString report = window.Report();
    {
        TFileSizeLimit size_limit(limit >= 0 ? static_cast<rlim_t>(limit) : RLIM_INFINITY);
        window.Answer_Dialog("Save Graph...", path);
    }
    QCOMPARE(window.Report(),
             report + "\nERR:  Cannot write output file '" + QDir::toNativeSeparators(path) + "'");
    QFile old(path);
    QCOMPARE(old.open(QIODevice::ReadOnly) ? old.readAll() : "<missing>",
             limit < 0 ? "<missing>" : "old content");
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), limit < 0 ? 1 : 2);
}

void TGraphExportTest::keys_data()
{
    // A key pressed in the report pane and the dialog it opens.
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<QString>("dialog");
    QTest::newRow("open") << QKeySequence(QKeySequence::Open) << "Select Laser File to Load";
    QTest::newRow("save") << QKeySequence(QKeySequence::Save) << "Select file to write";
    QTest::newRow("print") << QKeySequence(QKeySequence::Print) << "QPrintDialog";
}

// The window's keys; the copy key still copies the report's text.
void TGraphExportTest::keys()
{
    QFETCH(QKeySequence, key);
    QFETCH(QString, dialog);
    QTemporaryDir folder;
    TWindowDriver window;
    Load_And_Zoom(window, folder.path());
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.Report_Pane().selectAll();
    QTest::keySequence(&window.Report_Pane(), QKeySequence::Copy);
    QCOMPARE(QGuiApplication::clipboard()->text(), window.Report());

    QString shown;
    QTimer timer;
    QObject::connect(
        &timer, &QTimer::timeout,
        [&]
        {
            if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            {
                shown = qobject_cast<QFileDialog*>(modal) ? modal->windowTitle()
                                                          : modal->metaObject()->className();
                modal->reject();
            }
        });
    timer.start(10);
    QTest::keySequence(&window.Report_Pane(), key);
    QTRY_COMPARE(shown, dialog);
}

QTEST_MAIN(TGraphExportTest)
#include "tst_graphexport.moc"
