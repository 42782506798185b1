#include "filesizelimit.h"
#include "graphprobe.h"
#include "windowdriver.h"

#include "src/graphexport.h"

#include <QClipboard>
#include <QPrintDialog>
#include <QPrinter>
#include <QSvgRenderer>
#include <QtTest>

namespace
{

QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished() ? process.readAllStandardOutput() : "<failed>";
}

// The image of a written file: read by Qt, or drawn by rsvg-convert or pdftoppm.
QImage Raster(const QString& path, const QString& tool)
{
    if (tool == "pdftoppm" || tool == "rsvg-convert")
    {
        const QStringList arguments = tool == "pdftoppm"
                                          ? QStringList{"-png", "-singlefile", path, path}
                                          : QStringList{path, "-o", path + ".png"};
        Run(tool, arguments);
        return QImage(path + ".png");
    }
    if (!path.endsWith(".svg"))
        return QImage(path);
    QSvgRenderer svg(path);
    QImage image(svg.viewBox().size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    svg.render(&painter);
    return image;
}

// Whether many pixels have the colour's hue, blended with white by smoothing or not.
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

// The window with the linear example (four runs) loaded from a folder of its own and its
// graph zoomed by a rubber band dragged over the middle of the plot.
void Load_And_Zoom(TWindowDriver& window, const QString& folder)
{
    QFile example(QFINDTESTDATA("../examples/x-axis-linear.rtl"));
    QVERIFY(example.open(QIODevice::ReadOnly));
    QVERIFY(window.Import(Write(folder + "/x-axis-linear.rtl", example.readAll())));
    TGraphWidget& graph = window.Graph();
    const QRect plot = TGraphWidgetProbe(graph).PlotRect();
    const QPoint from = plot.topLeft() + QPoint(plot.width() / 3, 10);
    const QPoint to = plot.bottomRight() - QPoint(plot.width() / 3, 10);
    QMouseEvent press(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, {});
    QMouseEvent move(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, {});
    QMouseEvent release(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton, {});
    for (QMouseEvent* event : {&press, &move, &release})
        QApplication::sendEvent(&graph, event);
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
    void clipboardAndKeys_data();
    void clipboardAndKeys();
    void batch();
};

// At the widget's size the export is the widget's image, zoomed as it is; twice as large,
// the plot keeps margins of the text's size and so takes a larger share.
void TGraphExportTest::sameAsShown()
{
    QTemporaryDir folder;
    TWindowDriver window;
    Load_And_Zoom(window, folder.path());
    TGraphWidget& graph = window.Graph();
    const QSize size = graph.size();
    QCOMPARE(Graph_Image(graph, size, false), TGraphWidgetProbe(graph).Image().copy(graph.rect()));

    const QRect plot = TGraphWidgetProbe(graph).PlotRect();
    const QImage large = Graph_Image(graph, size * 2, false);
    QCOMPARE(large.pixelColor(plot.topLeft()), QColor(Qt::darkGray));
    QCOMPARE(large.pixelColor(plot.bottomRight() + QPoint(size.width(), size.height())),
             QColor(Qt::darkGray));
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

// Every run in its colour; a PDF's text holds the titles and only labels of the zoomed view.
void TGraphExportTest::files()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QFETCH(QString, reader);
    if (reader != "qt" && QStandardPaths::findExecutable(reader).isEmpty())
        QSKIP("the reader is not installed; tools/setup.sh test installs it");
    QTemporaryDir folder;
    TWindowDriver window;
    Load_And_Zoom(window, folder.path());
    const QString path = folder.filePath(written);
    if (typed.isEmpty())
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(path);
        QVERIFY(Print_Graph(window.Graph(), printer));
    }
    else
        QCOMPARE(
            window.Answer_Dialog("Save Graph...", folder.filePath(typed)),
            "Select file to write | PNG Images (*.png);SVG Images (*.svg);PDF Documents "
            "(*.pdf) | " +
                folder.filePath("x-axis-linear - " + window.Section_Button(1)->text() + ".png"));

    const QImage image = Raster(path, reader);
    if (reader == "qt")
        QCOMPARE(image.size(), window.Graph().size() * 2);
    for (const QColor& colour :
         {QColor(255, 0, 0), QColor(0, 128, 0), QColor(0, 0, 255), QColor(255, 127, 0)})
        QVERIFY2(Shows(image, colour), qPrintable(colour.name()));
    if (!path.endsWith(".pdf"))
        return;
    const QStringList words =
        Run("pdftotext", {path, "-"}).split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
    QVERIFY(words.contains("x-axis-linear.rtl") && words.contains("Position") &&
            words.contains("Deviation"));
    const TGraphWidgetProbe probe(window.Graph());
    const double x = (probe.Right() - probe.Left()) / 100, y = (probe.Top() - probe.Bottom()) / 100;
    int labels = 0;
    for (const QString& word : words)
    {
        bool number = false;
        const double value = word.toDouble(&number);
        if (!number)
            continue;
        ++labels;
        QVERIFY2((value > probe.Left() - x && value < probe.Right() + x) ||
                     (value > probe.Bottom() - y && value < probe.Top() + y),
                 qPrintable(word));
    }
    QVERIFY(labels > 10);
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

// An error line as the CSV export gives; an existing file stays as it was, no temporary
// file stays behind.
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
        QVERIFY(limit < 0 || size_limit.Active());
        window.Answer_Dialog("Save Graph...", path);
    }
    QCOMPARE(window.Report(),
             report + "\nERR:  Cannot write output file '" + QDir::toNativeSeparators(path) + "'");
    QFile old(path);
    QCOMPARE(old.open(QIODevice::ReadOnly) ? old.readAll() : "<missing>",
             limit < 0 ? "<missing>" : "old content");
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), limit < 0 ? 1 : 2);
}

void TGraphExportTest::clipboardAndKeys_data()
{
    // The key pressed in the report pane and the dialog it opens.
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<QString>("dialog");
    QTest::newRow("open") << QKeySequence(QKeySequence::Open) << "Select Laser File to Load";
    QTest::newRow("save") << QKeySequence(QKeySequence::Save) << "Select file to write";
    QTest::newRow("print") << QKeySequence(QKeySequence::Print) << "QPrintDialog";
}

// "Copy Graph" copies an image twice the graph's size; the copy key still copies the
// report's text.
void TGraphExportTest::clipboardAndKeys()
{
    QFETCH(QKeySequence, key);
    QFETCH(QString, dialog);
    QTemporaryDir folder;
    TWindowDriver window;
    Load_And_Zoom(window, folder.path());
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.Click("Copy Graph");
    QCOMPARE(QGuiApplication::clipboard()->image().size(), window.Graph().size() * 2);
    QPlainTextEdit& report = window.Report_Pane();
    report.setFocus();
    report.selectAll();
    QTest::keySequence(&report, QKeySequence::Copy);
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
    QTest::keySequence(&report, key);
    QTRY_COMPARE(shown, dialog);
}

// The batch's graph is the fitted graph, drawn as the window draws it.
void TGraphExportTest::batch()
{
    QTemporaryDir folder;
    TWindowDriver window;
    Load_And_Zoom(window, folder.path());
    TGraphWidget& graph = window.Graph();
    TLaserFile file;
    QVERIFY(file.Load(folder.filePath("x-axis-linear.rtl")));
    QString error;
    QVERIFY(Write_Graph_File(file, 0, folder.filePath("b.png"), graph.size(), &error));
    graph.UpdateGraph();
    QCOMPARE(QImage(folder.filePath("b.png")).convertToFormat(QImage::Format_RGB32),
             TGraphWidgetProbe(graph).Image().copy(graph.rect()));
    QVERIFY(!Write_Graph_File(file, 1, folder.filePath("b.png"), graph.size(), &error));
    QCOMPARE(error, "Data section not active.");
}

QTEST_MAIN(TGraphExportTest)
#include "tst_graphexport.moc"
