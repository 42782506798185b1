#include "filesizelimit.h"
#include "graphprobe.h"
#include "src/cli/batch.h"
#include "src/cli/commandline.h"
#include "src/evaluation/evaluations.h"
#include "src/laserfile.h"
#include "src/output/evaluationchart.h"
#include "src/output/evaluationtext.h"
#include "src/output/export.h"
#include "src/output/graphexport.h"
#include "src/output/graphfeed.h"
#include "src/output/report.h"
#include "src/window/certificatedialog.h"
#include "src/window/evaluationdialog.h"
#include "testlocale.h"
#include "windowdriver.h"

#include <QBoxLayout>
#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QTableWidget>
#include <QtTest>

namespace
{

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The example file of that kind (the last by name: the linear one), as a file dialog gives it.
QString Example(const QString& extension)
{
    const QDir examples(QFINDTESTDATA("../examples"));
    const QStringList names = examples.entryList({"*." + extension}, QDir::Files, QDir::Reversed);
    return examples.canonicalPath() + '/' + names.value(0);
}

// Buttons by text, groups by title with their items, "spacer"; " - " apart when horizontal.
QString Items(QLayout* layout)
{
    QStringList items;
    for (int i = 0; i < layout->count(); ++i)
    {
        QWidget* widget = layout->itemAt(i)->widget();
        const auto* group = qobject_cast<QGroupBox*>(widget);
        items << (group    ? group->title() + " (" + Items(group->layout()) + ')'
                  : widget ? qobject_cast<QAbstractButton*>(widget)->text()
                           : "spacer");
    }
    return items.join(qobject_cast<QHBoxLayout*>(layout) ? " - " : ", ");
}

// One step: "import <kind>" of an example or "import <name>" of a file written here (one run
// in every section, or a failing one), "cancel <kind>" (the dialog starts at that example,
// loaded before), "click <button>", "drop <kinds or URLs>" or "drag <text>" (refused). Sets
// the path of the file loaded.
void Run_Step(TWindowDriver& window, const QString& step, const QTemporaryDir& folder,
              QString& path)
{
    QStringList words = step.split(' ');
    const QString verb = words.takeFirst(), word = words.value(0);
    const QByteArray one = word == "one.str" ? "Units: mm\nPosition XX YY\n10 0.1 1\n20 0.2 2\n"
                           : word == "one.ang"
                               ? "Units: mm mm/m\nPosition AngA AngB AngC\n0 1 2 3\n5 4 5 6\n"
                               : "";
    const QString named =
        !word.contains('.') ? Example(word)
                            : Write(folder.filePath(word),
                                    one + QByteArray(150 - one.size(), one.isEmpty() ? 'x' : '\n'));
    QMimeData data;
    if (verb == "import")
        QVERIFY(window.Import(path = named));
    else if (verb == "cancel")
        QCOMPARE(window.Answer_Dialog("Import", QString()),
                 "Select Laser File to Load | "
                 "Laser Files (*.rtl *.pos *.stx *.sty *.stz *.str *.rta *.ang) | " +
                     named);
    else if (verb == "click")
        window.Click_Section(word.toInt());
    else
    {
        QList<QUrl> urls;
        for (const QString& url : words)
            urls << (url.contains(':') ? QUrl(url) : QUrl::fromLocalFile(Example(url)));
        verb == "drop" ? data.setUrls(urls) : data.setText(words.join(' '));
        QCOMPARE(window.Drop(data), verb == "drop");
        path = verb == "drop" && words.size() == 1 ? named : path;
    }
}

// One curve per run of the section, in palette colours, drawn in the plot and fitted to them;
// compared, first the reference's runs dashed in a grey lighter than the axes but not the zero
// lines', their deviations times `scale`, hidden under the file's own when it is the reference
// (but for the joins of its dashed lines).
void Compare_Graph_With(TWindowDriver& window, const QString& path, int section,
                        const QString& compared = QString(), double scale = 1.0)
{
    TLaserFile file, reference;
    QVERIFY(file.Load(path));
    reference.Load(compared); // none that loads: no comparison
    TGraphWidgetProbe probe(window.Graph());
    QVERIFY(probe.Title().startsWith(file.File_Name()));
    const int grey = reference.Run_Count(section);
    QCOMPARE(probe.DataSetCount(), grey + file.Run_Count(section));
    const QImage plot = window.Graph().grab().toImage().copy(probe.PlotRect());
    for (int k = 0; k < probe.DataSetCount(); ++k)
    {
        int red, green, blue, drawn = 0;
        TGraphWidget::GetIndexedColor(k - grey, red, green, blue);
        const TGraphDataSet& set = probe.DataSet(k);
        const bool light_grey = set.Color.hsvSaturation() == 0 && set.Color.value() > 128;
        QVERIFY(k < grey ? set.Style == TGraphWidget::DashedStyle && light_grey &&
                               set.Color != Qt::lightGray
                         : set.Color == QColor(red, green, blue) && set.Style == 0);
        const TLaserRun run =
            k < grey ? reference.Section_Data(section, k) : file.Section_Data(section, k - grey);
        QVERIFY(std::equal(run.begin(), run.end(), set.Points.begin(), set.Points.end(),
                           [f = k < grey ? scale : 1.0](TVector2 a, TVector2 b)
                           { return a.x == b.x && a.y * f == b.y; }));
        for (int pixel = 0; pixel < plot.width() * plot.height(); ++pixel)
            drawn += plot.pixelColor(pixel % plot.width(), pixel / plot.width()) == set.Color;
        // Compared with itself, the grey may show only where a dashed polyline joins its
        // segments on other pixels than the file's separate lines: a pixel a point at most.
        QVERIFY2(k < grey && path == compared ? drawn <= grey * static_cast<int>(run.size())
                                              : drawn > 0,
                 qPrintable(QString("curve %1").arg(k)));
    }
    const auto view = [&probe]
    { return QRectF(QPointF(probe.Left(), probe.Top()), QPointF(probe.Right(), probe.Bottom())); };
    const QRectF shown = view();
    probe.FitToData();
    QCOMPARE(view(), shown);
}

// The linear example (four runs, 0 to 500) loaded, and zoomed in twice about its centre.
void Load_And_Zoom(TWindowDriver& window, const QString& folder)
{
    QVERIFY(window.Import(Write(folder + "/x-axis-linear.rtl", Read(Example("rtl")))));
    QTest::keyClicks(&window.Graph(), "++");
}

// A written file as Qt, rsvg-convert or pdftoppm draws it, a PDF at the 96 dpi of its image.
QImage Raster(const QString& path, const QString& reader)
{
    if (reader == "qt")
        return QImage(path);
    QProcess::execute(reader, reader == "pdftoppm"
                                  ? QStringList{"-r", "96", "-png", "-singlefile", path, path}
                                  : QStringList{path, "-o", path + ".png"});
    return QImage(path + ".png");
}

// Whether many pixels have the colour's hue, pure or blended with white by smoothing.
bool Shows(const QImage& image, const QColor& colour)
{
    int count = 0;
    for (int k = 0; k < image.width() * image.height(); ++k)
    {
        const QColor pixel = image.pixelColor(k % image.width(), k / image.width());
        count += pixel.hsvSaturation() > 80 && qAbs(pixel.hsvHue() - colour.hsvHue()) < 8;
    }
    return count > 50;
}

// The rows of a table, their cells apart by " | ".
QStringList Rows(const QTableWidget& table)
{
    QStringList rows;
    for (int row = 0; row < table.rowCount(); ++row)
    {
        QStringList cells;
        for (int column = 0; column < table.columnCount(); ++column)
            cells << table.item(row, column)->text();
        rows << cells.join(" | ");
    }
    return rows;
}

struct TBatchResult
{
    int Status;
    QByteArray Out, Err;
};

// `vantrel ARGUMENTS` run on buffers instead of the streams (braces run it before reading them).
TBatchResult Run_Line(const QStringList& arguments)
{
    QBuffer out, err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    TBatchStreams streams = {out, err};
    const TCommandLine line = Parse_Command_Line(QStringList{"vantrel"} + arguments);
    return {line.Mode == TCommandLine::Batch ? Run_Batch(line, streams) : -1, out.data(),
            err.data()};
}

} // namespace

// The real main window driven as a user does, read back from the real clipboard and files.
class TWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Pin_German_Locale(); }
    // Settings of the test's own, fresh for each test, never the user's.
    void init()
    {
        d_settings = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, d_settings->path());
    }
    void batch_data();
    void batch();
    void lifeOfTheWindow();
    void scripts_data();
    void scripts();
    void evaluationDialog();
    void evaluations_data();
    void evaluations();
    void comparison();
    void units();
    void folderWalk();
    void compare_data();
    void compare();
    void graphSameAsShown();
    void graphPng_data();
    void graphPng();
    void saves_data();
    void saves();
    void certificate_data();
    void certificate();

private:
    std::unique_ptr<QTemporaryDir> d_settings;
};

void TWindowTest::lifeOfTheWindow()
{
    TWindowDriver window;
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QString("Vantrel - 1.1"));
    QVERIFY(window.acceptDrops());
    QCOMPARE(TVantrel().size(), QSize(801, 601));
    // Checking button 1 while building ran no slot, which would have written the report.
    QCOMPARE(window.States(), QString("[1*] [2] [3] off"));
    QTest::keyClicks(&window.Report_Pane(), "typed");
    QVERIFY(window.Report().isEmpty());

    QDockWidget* dock = window.findChild<QDockWidget*>();
    QVERIFY(dock->features() ==
                (QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable) &&
            dock->allowedAreas() == (Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea) &&
            window.dockWidgetArea(dock) == Qt::LeftDockWidgetArea);
    // The buttons scroll on a screen too low for them all (Qt 5's offscreen screen is 600
    // pixels high), so that the window fits it.
    QVERIFY(window.minimumSizeHint().height() <= window.screen()->availableGeometry().height());
    QCOMPARE(Items(dock->findChild<QScrollArea*>()->widget()->layout()),
             QString("File (Import, Save As..., Certificate...), Display Section (1 - 2 - 3), "
                     "Copy to Clipboard (Dev. Normal, Dev. Inverted, All Data), "
                     "Graph (Copy Graph, Save Graph..., Print...), Evaluate (ISO 230-2..., VDI/DGQ "
                     "3441..., Slope..., Straightness..., Angular..., Units...), "
                     "Compare (Compare With... - Clear Comparison), spacer, Close"));
    // Where Tab stops, from "Import" on.
    QStringList chain;
    QWidget* widget = window.Button("Import");
    do
    {
        const auto* button = qobject_cast<QAbstractButton*>(widget);
        if (widget->focusPolicy() & Qt::TabFocus)
            chain << (button ? button->text() : widget->metaObject()->className());
        widget = widget->nextInFocusChain();
    } while (widget != window.Button("Import") && chain.size() < 30);
    QCOMPARE(chain.join(", "),
             "Import, Save As..., Certificate..., 1, 2, 3, Dev. Normal, Dev. Inverted, All Data, "
             "Copy Graph, Save Graph..., Print..., ISO 230-2..., VDI/DGQ 3441..., Slope..., "
             "Straightness..., Angular..., Units..., Compare With..., Clear Comparison, "
             "QPlainTextEdit, Close");
    // Open, Save and Print on buttons, so that they act only when those are enabled.
    QCOMPARE(QList<QKeySequence>({window.Button("Import")->shortcut(),
                                  window.Button("Save As...")->shortcut(),
                                  window.Button("Print...")->shortcut()}),
             QList<QKeySequence>({QKeySequence::Open, QKeySequence::Save, QKeySequence::Print}));
    TGraphWidgetProbe probe(window.Graph());
    QCOMPARE(QStringList({QString::number(probe.DataSetCount()), probe.Title(),
                          probe.HorizontalTitle(), probe.VerticalTitle()}),
             QStringList({"0", "", "Position", "Deviation"}));
    // The report above the graph, as high as it.
    const QRect report = window.Report_Pane().geometry(), graph = window.Graph().geometry();
    QVERIFY(report.bottom() < graph.top() && qAbs(report.height() - graph.height()) <= 1);

    // "Close" ends the event loop with 0. The guard dies with the window: left running, its
    // exit() would make every later dialog's exec() return at once.
    QTimer::singleShot(0, &window, [&window] { window.Click("Close"); });
    QTimer::singleShot(10000, &window, [] { QApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!window.isVisible());
}

void TWindowTest::scripts_data()
{
    // Steps; buttons; report (example and section of a checked one, an error line, or none).
    // The graph then shows the runs of the section, or is as at start-up after an error.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("states");
    QTest::addColumn<QString>("report");
    const auto row =
        [](const char* tag, const QStringList& steps, const char* states, const char* report)
    { QTest::newRow(tag) << steps << QString(states) << QString(report); };
    const char* Not_One = "ERR:  Only one input file is expected.";

    row("rta", {"import rta"}, "A1* [X] [X] on", "rta 1");
    row("stz", {"import stz"}, "S1.* [X] [X] on", "stz 1");
    row("pos dropped", {"drop pos"}, "L1* [X] [X] on", "pos 1");
    // Clicking the checked button moves on to the next enabled one, 1, 2, 3, 1; another selects.
    row("ang: 1", {"import ang", "click 1"}, "RA RB* RC on", "ang 2");
    row("ang: 2 2", {"import ang", "click 2", "click 2"}, "RA RB RC* on", "ang 3");
    row("str: 2 2 skips 3", {"import str", "click 2", "click 2"}, "XX* YY [X] on", "str 1");
    row("rtl: 1 1 stays", {"import rtl", "click 1", "click 1"}, "L1* [X] [X] on", "rtl 1");
    // One run is enough to enable a section's button.
    row("one run, str", {"import one.str", "click 2"}, "XX YY* [X] on", "");
    row("one run, ang", {"import one.ang", "click 2", "click 3"}, "RA RB RC* on", "");
    // A new file whose runs do not reach the selected section moves the selection.
    row("ang 3, then str", {"import ang", "click 3", "import str"}, "XX* YY [X] on", "str 1");
    row("ang 2, then str", {"import ang", "click 2", "import str"}, "XX YY* [X] on", "str 2");
    // A failure disables a checked button but leaves it checked; the graph is emptied.
    row("str 2, then broken", {"import str", "click 2", "import broken.rtl"}, "[X] [X*] [X] off",
        "ERR:  Parameter 'Target-count' not found in file.  Cannot process data.");
    row("cancel", {"import ang", "click 2", "cancel ang"}, "RA RB* RC on", "ang 2");
    // Other than one URL: an error, no curves, buttons and model as they were.
    row("two files dropped", {"import str", "click 2", "drop rtl rta"}, "XX YY* [X] on", Not_One);
    row("no file dropped", {"import str", "drop"}, "XX* YY [X] on", Not_One);
    row("model kept", {"import str", "drop rtl rta", "click 2"}, "XX YY* [X] on", "str 2");
    row("remote URL", {"drop http://example.com/axis.rtl"}, "[X*] [X] [X] off",
        "ERR:  Cannot open file '' for reading.");
    row("plain text dragged", {"import str", "drag /data/axis.rtl"}, "XX* YY [X] on", "str 1");
}

void TWindowTest::scripts()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, report);
    QTemporaryDir folder;
    TWindowDriver window;
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QString path;
    for (const QString& step : steps)
        Run_Step(window, step, folder, path);
    QTEST(window.States(), "states");
    if (report.startsWith("ERR:"))
    {
        QCOMPARE(window.Report(), report);
        // In view beside a graph drawn as at start-up.
        QVERIFY(window.Last_Line_Shown());
        TWindowDriver fresh;
        QVERIFY(QTest::qWaitForWindowExposed(&fresh));
        QCOMPARE(window.Graph().grab().toImage(), fresh.Graph().grab().toImage());
        return;
    }
    const int section =
        window.Section_Button(2)->isChecked() + 2 * window.Section_Button(3)->isChecked();
    Compare_Graph_With(window, path, section);
    if (report.isEmpty())
        return;
    const QByteArray expected = Read(QFINDTESTDATA(
        QString("data/%1.section%2.txt").arg(QFileInfo(path).fileName(), report.section(' ', 1))));
    QCOMPARE(window.Report(), QString::fromUtf8(expected).chopped(1).replace(
                                  "{path}", QDir::toNativeSeparators(path)));
    // The report is shown from its top.
    const QTextCursor cursor = window.Report_Pane().textCursor();
    QVERIFY(cursor.position() == 0 && !cursor.hasSelection());
}

// "ISO 230-2..." and its dialog: its figures, its warning, its copy and its file.
void TWindowTest::evaluationDialog()
{
    QTemporaryDir folder;
    TWindowDriver window;
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QByteArray content = Read(QFINDTESTDATA("data/iso-hand.rtl"));
    // Five runs up are enough, one down is not.
    QByteArray five = content.left(content.indexOf("Data\n") + 5);
    for (const QByteArray run : {"1", "3", "5", "7", "9"})
        five += run + " 1 1\n" + run + " 2 2\n" + run + " 3 4\n";
    QVERIFY(window.Import(Write(folder.filePath("five.rtl"), five + "2 3 2\n2 2 -1\n2 1 0\n")));
    window.Click("ISO 230-2...");
    QPointer<TEvaluationDialog> dialog = window.findChild<TEvaluationDialog*>();
    const auto labels = [&dialog]
    {
        QStringList texts;
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            texts << (label->isVisible() ? label->text() : QString());
        return texts;
    };
    QVERIFY(labels().contains("Fewer runs than ISO 230-2 asks for: 5 up and 1 down, where it "
                              "asks for 5 in each direction."));
    // Another file loaded closes the evaluation.
    QVERIFY(window.Import(Write(folder.filePath("axis.rtl"), content)));
    QTRY_VERIFY(!dialog);

    window.Click("ISO 230-2...");
    dialog = window.findChild<TEvaluationDialog*>();
    QVERIFY(dialog && dialog->isVisible());
    // The hand case of tst_output: A from the up top at 20 mm to the down bottom at 10 mm.
    const QStringList rows = Rows(*dialog->findChild<QTableWidget*>());
    QCOMPARE(QStringList({rows[0], rows[3]}),
             QStringList(
                 {"A | 9.657 | µm | max 20.000, min 10.000 mm", "B | 2.000 | µm | at 10.000 mm"}));

    // "Copy" gives what `vantrel --evaluate` prints; "Save As..." writes it, or says why not.
    const TBatchResult line = Run_Line({"--evaluate", "iso230-2", folder.filePath("axis.rtl")});
    QVERIFY(line.Status == Batch_Done && line.Out.startsWith("quantity,value\n"));
    QTest::mouseClick(TWindowDriver::Button(dialog, "Copy"), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text().toUtf8(), line.Out);
    const QString csv = folder.filePath("axis - ISO 230-2.csv");
    QCOMPARE(TWindowDriver::Answer_Dialog(TWindowDriver::Button(dialog, "Save As..."), csv),
             "Select file to write | CSV Files (*.csv) | " + csv);
    QCOMPARE(Read(csv), line.Out);
    QVERIFY(labels().filter("ERR:").isEmpty());
    TWindowDriver::Answer_Dialog(TWindowDriver::Button(dialog, "Save As..."), "/proc/v.csv");
    QCOMPARE(labels().filter("ERR:"), QStringList("ERR:  Cannot write output file '/proc/v.csv'"));
    const QString loaded = folder.filePath("axis.rtl");
    TWindowDriver::Answer_Dialog(TWindowDriver::Button(dialog, "Save As..."), loaded);
    QCOMPARE(labels().filter("ERR:"),
             QStringList("ERR:  The output file is the input file: '" + loaded + "'"));
    QCOMPARE(Read(loaded), content);
}

void TWindowTest::evaluations_data()
{
    // An example, the section shown, the evaluation asked for and the reference line then
    // chosen; the evaluations offered for that section, and the unit of its deviations.
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("section");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("offered");
    QTest::addColumn<QString>("unit");
    const auto row = [](const char* tag, const char* kind, int section, const char* button,
                        const char* line, const char* offered, const char* unit)
    {
        QTest::newRow(tag) << QString(kind) << section << QString(button) << QString(line)
                           << QString(offered) << QString(unit);
    };
    const char* linear = "ISO 230-2..., VDI/DGQ 3441..., Slope...";
    row("iso, rtl", "rtl", 1, "ISO 230-2...", "", linear, "µm");
    row("vdi, pos", "pos", 1, "VDI/DGQ 3441...", "", linear, "mm");
    row("slope, rtl", "rtl", 1, "Slope...", "", linear, "µm");
    row("straightness, stz", "stz", 1, "Straightness...", "", "Straightness...", "µm");
    row("straightness, str 2, end points", "str", 2, "Straightness...", "end points",
        "Straightness...", "mm");
    row("straightness, str 1, minimum zone", "str", 1, "Straightness...", "minimum zone",
        "Straightness...", "mm");
    row("angular, rta", "rta", 1, "Angular...", "", "Angular...", "µm/m");
    row("angular, ang 3", "ang", 3, "Angular...", "", "Angular...", "mm/m");
}

// Each evaluation through its button on an example: its copy is the command line's, its figures
// are in fixed notation with their units, its chart names its units, and it fits the screen.
void TWindowTest::evaluations()
{
    QFETCH(QString, kind);
    QFETCH(int, section);
    QFETCH(QString, button);
    QFETCH(QString, line);
    QFETCH(QString, unit);
    TWindowDriver window;
    QVERIFY(window.Import(Example(kind)));
    if (!window.Section_Button(section)->isChecked())
        window.Click_Section(section);
    QStringList offered;
    for (const TEvaluationKind& evaluation : Evaluation_Kinds())
        if (window.Button(evaluation.Button)->isEnabled())
            offered << evaluation.Button;
    QTEST(offered.join(", "), "offered");
    window.Click(button);
    auto* dialog = window.findChild<TEvaluationDialog*>();
    QVERIFY(dialog && dialog->isVisible());
    if (QComboBox* choice = dialog->findChild<QComboBox*>())
        choice->setCurrentIndex(choice->findText(line));

    QStringList arguments = {"--evaluate", "", Example(kind), "--section",
                             QString::number(section)};
    for (const TEvaluationKind& evaluation : Evaluation_Kinds())
        arguments[1] += evaluation.Button == button ? evaluation.Name : "";
    if (!line.isEmpty())
        arguments << "--reference-line" << line.replace(' ', '-');
    QTest::mouseClick(TWindowDriver::Button(dialog, "Copy"), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text().toUtf8(), Run_Line(arguments).Out);
    const QRegularExpression fixed("^(-?\\d+\\.\\d+)?$");
    for (const QString& row : Rows(*dialog->findChild<QTableWidget*>()))
        QVERIFY2(fixed.match(row.section(" | ", 1, 1)).hasMatch() &&
                     !row.section(" | ", 2, 2).isEmpty(),
                 qPrintable(row));
    TGraphWidgetProbe chart(*dialog->findChild<TGraphWidget*>());
    QCOMPARE(chart.HorizontalTitle() + ", " + chart.VerticalTitle(),
             "Position (mm), Deviation (" + unit + ")");
    QVERIFY(dialog->screen()->availableGeometry().contains(dialog->frameGeometry()));
    for (const QPushButton* shown : dialog->findChildren<QPushButton*>())
        QVERIFY(dialog->rect().contains(QRect(shown->mapTo(dialog, QPoint()), shown->size())));
}

// The as-left example against the as-found one, every deviation halved: each figure's change
// is half the reference's size towards zero (-50 % of a positive one); against a scale file,
// stored in mm, the reference stands in the file's µm. The copy is what --evaluate --compare
// prints; the chart draws the reference first, in grey.
void TWindowTest::comparison()
{
    const QString left = Example("rtl").replace("linear", "as-left");
    TWindowDriver window;
    QVERIFY(window.Import(left));
    for (const QString& found : {QString(left).replace("left", "found"), Example("pos")})
    {
        window.Answer_Dialog("Compare With...", found);
        TLaserFile reference;
        QVERIFY(reference.Load(found));
        for (const char* name : {"iso230-2", "vdi3441", "slope"})
        {
            const TEvaluationKind& kind = *Evaluation_Named(name);
            window.Click(kind.Button);
            // The newest: one it replaced is deleted later.
            auto* dialog = window.findChildren<TEvaluationDialog*>().last();
            QVERIFY(dialog->isVisible());
            const TEvaluation evaluation = kind.Evaluate(reference, 0, {});
            const double factor = found.endsWith("pos") ? 1000.0 : 1.0;
            const QStringList rows = Rows(*dialog->findChild<QTableWidget*>());
            for (std::size_t k = 0; k < evaluation.Figures.size(); ++k)
            {
                const TFigure& figure = evaluation.Figures[k];
                const QString row = rows[static_cast<int>(k)];
                const double ratio = figure.Quantity == TQuantity::Position ? 1.0 : factor;
                const TValue shown = figure.Value ? TValue(*figure.Value * ratio) : figure.Value;
                QVERIFY2(row.section(" | ", 2, 2) ==
                             Shown_Number(shown, figure.Quantity, TDeviationUnit::Micrometre),
                         qPrintable(row));
                // Halved: the change is half the reference's size, towards zero.
                const QString half = figure.Value && *figure.Value < 0 ? "50.0" : "-50.0";
                QVERIFY2(factor != 1.0 || row.section(" | ", 4, 4) == half, qPrintable(row));
            }
            QTest::mouseClick(TWindowDriver::Button(dialog, "Copy"), Qt::LeftButton);
            QCOMPARE(QGuiApplication::clipboard()->text().toUtf8(),
                     Run_Line({"--evaluate", name, left, "--compare", found}).Out);
            TGraphWidgetProbe chart(*dialog->findChild<TGraphWidget*>());
            QVERIFY(chart.DataSet(0).Color == Reference_Curve_Colour &&
                    chart.DataSet(chart.DataSetCount() - 1).Color != Reference_Curve_Colour);
        }
    }
}

// "Units..." offers each kind's units and remembers the one chosen; it labels the file loaded,
// its open evaluation and every file loaded later. The report stays as it was.
void TWindowTest::units()
{
    TWindowDriver window;
    QVERIFY(window.Import(Example("rtl")));
    window.Click("ISO 230-2...");
    const QString report = window.Report();
    QStringList offered;
    QTimer::singleShot(
        0, &window,
        [&offered]
        {
            QWidget* units = QApplication::activeModalWidget();
            const auto choices = units->findChildren<QComboBox*>();
            for (const QComboBox* choice : choices)
            {
                QStringList texts;
                for (int item = 0; item < choice->count(); ++item)
                    texts << choice->itemText(item);
                offered << texts.join(' ');
            }
            choices[0]->setCurrentIndex(choices[0]->findText("nm"));
            units->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
    window.Click("Units...");
    QCOMPARE(offered.join(" | "), "nm µm mm in | µm/m mm/m arcsec | nm µm mm in");
    QCOMPARE(window.Report(), report);
    const QByteArray nm =
        Run_Line({"--evaluate", "iso230-2", Example("rtl"), "--deviation-unit", "nm"}).Out;
    QVERIFY(nm.contains("\ndeviation unit,nm\n"));
    TWindowDriver later;
    QVERIFY(later.Import(Example("rtl")));
    later.Click("ISO 230-2...");
    for (TWindowDriver* shown : {&window, &later})
    {
        QTest::mouseClick(TWindowDriver::Button(shown->findChild<TEvaluationDialog*>(), "Copy"),
                          Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text().toUtf8(), nm);
    }
}

// F5, Ctrl+PgDown and Ctrl+PgUp over a folder of mixed files; the copy key in the report.
void TWindowTest::folderWalk()
{
    // Straightness files, the first target at the value given.
    const QByteArray head = "Units: mm\nPosition XX YY\n10 ",
                     tail = " 1\n20 2 2\n" + QByteArray(99, '\n');
    QTemporaryDir folder;
    for (const char* name : {"axis 2.str", "axis 10.str", "Axis 11.STR", "axis 3.txt",
                             "axis 4.str.bak", ".axis 5.str", "axis 6.str/inner.rtl"})
        QVERIFY(!Write(folder.filePath(name), head + "0.1" + tail).isEmpty());
    // Of a kind read but failing: visited, and the walk goes on from it.
    QVERIFY(!Write(folder.filePath("axis 9.rtl"), QByteArray(150, 'x')).isEmpty());
    TWindowDriver window;
    QVERIFY(window.Import(folder.filePath("axis 2.str")));
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // A key (before F5 the first file is written anew), then the graph's title and first value.
    for (const QString& step : QString("Ctrl+PgUp=axis 2.str 0.1|Ctrl+PgDown=|Ctrl+PgDown=axis "
                                       "10.str 0.1|Ctrl+PgDown=Axis 11.STR 0.1|Ctrl+PgDown=Axis "
                                       "11.STR 0.1|Ctrl+PgUp=axis 10.str 0.1|Ctrl+PgUp=|Ctrl+PgUp="
                                       "axis 2.str 0.1|F5=axis 2.str 0.7")
                                   .split('|'))
    {
        if (step.startsWith("F5"))
            Write(folder.filePath("axis 2.str"), head + "0.7" + tail);
        QTest::keySequence(&window, QKeySequence(step.section('=', 0, 0)));
        TGraphWidgetProbe graph(window.Graph());
        const QString first =
            graph.DataSetCount() ? QString::number(graph.DataSet(0).Points[0].y) : "";
        QCOMPARE((graph.Title() + ' ' + first).trimmed(), step.section('=', 1));
    }
    // The copy key still copies the report's text, not the graph.
    window.Report_Pane().selectAll();
    QTest::keySequence(&window.Report_Pane(), QKeySequence::Copy);
    QCOMPARE(QGuiApplication::clipboard()->text(), window.Report());
}

void TWindowTest::compare_data()
{
    // Steps after comparing the pair, in a folder {f} with the scale, pitch and a broken file:
    // button=name for its dialog, "rewrite=NAME=AS", a key. Then the graph's title, compare buttons
    // enabled and error lines under the report; the factor of the reference's values.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<double>("scale");
    const auto row =
        [](const char* tag, const char* steps, const QString& outcome, double scale = 1.0)
    { QTest::newRow(tag) << QString(steps).split(',', Qt::SkipEmptyParts) << outcome << scale; };
    const QString left = "x-axis-as-left.rtl on off|",
                  both = "x-axis-as-left.rtl vs x-axis-as-found.rtl on on|";
    const char* broken = "ERR:  Parameter 'Target-count' not found in file.  Cannot process data.";
    const QString other = "ERR:  A Renishaw ML10/XL80 angular data (RTA) file cannot be compared "
                          "with a Renishaw ML10/XL80 linear data (RTL) file.\n";
    row("the reference refused as an output", "Save As...={f}x-axis-as-found.rtl",
        both + "ERR:  The output file is the input file: '{f}x-axis-as-found.rtl'");
    row("refused, kept", "Compare With...=y-axis-pitch.rta,Compare With...=broken.rtl",
        both + other + broken);
    row("cleared", "Clear Comparison", left);
    row("in mm", "Ctrl+PgUp,Ctrl+PgUp", "u-axis-scale.pos vs x-axis-as-found.rtl on on|", 0.001);
    row("import of another family", "Import={f}y-axis-pitch.rta", "y-axis-pitch.rta on off|");
    row("failed import keeps it", "Import={f}broken.rtl", QString(" off on|") + broken);
    row("walked onto itself", "Ctrl+PgUp", "x-axis-as-found.rtl vs x-axis-as-found.rtl on on|");
    row("F5 reloads both", "rewrite=x-axis-as-found.rtl=y-axis-pitch.rta,F5", both);
    row("F5, reference broken", "rewrite=x-axis-as-found.rtl=broken.rtl,F5", left + broken);
}

// The report stays the loaded file's; error lines follow it.
void TWindowTest::compare()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, outcome);
    QTemporaryDir dir;
    const QString folder = QDir(dir.path()).canonicalPath() + '/';
    for (const QString name :
         {"u-axis-scale.pos", "y-axis-pitch.rta", "x-axis-as-found.rtl", "x-axis-as-left.rtl"})
        QVERIFY(QFile::copy(QFINDTESTDATA("../examples/" + name), folder + name));
    Write(folder + "broken.rtl", QByteArray(150, 'x'));
    TWindowDriver window;
    for (const QString& step :
         QStringList{"Import={f}x-axis-as-left.rtl", "Compare With...=x-axis-as-found.rtl"} + steps)
    {
        const QString verb = step.section('=', 0, 0), name = step.section('=', 1, 1);
        QApplication::setActiveWindow(&window); // for the keys
        if (verb == "rewrite")
            Write(folder + name, Read(folder + step.section('=', 2)));
        else if (!window.Button(verb))
            QTest::keySequence(&window, QKeySequence(step));
        // The comparison's dialog starts in the loaded file's folder: a bare name is found there.
        else if (window.Answer_Dialog(verb, QString(name).replace("{f}", folder)) !=
                 "Select Reference File to Compare With | Laser Files (*.rtl *.pos *.stx *.sty "
                 "*.stz *.str *.rta *.ang) | ")
            QVERIFY(verb != "Compare With...");
    }
    TLaserFile file;
    const QString loaded = folder + outcome.section(' ', 0, 0), report = window.Report();
    const QString own = file.Load(loaded) ? Report_Lines(file, 0).join('\n') : QString();
    const auto on = [&window](const char* button)
    { return window.Button(button)->isEnabled() ? " on" : " off"; };
    QCOMPARE(TGraphWidgetProbe(window.Graph()).Title() + on("Compare With...") +
                 on("Clear Comparison") + '|' + report.mid(own.size()).trimmed(),
             outcome.replace("{f}", folder));
    QFETCH(double, scale);
    if (!own.isEmpty())
        Compare_Graph_With(window, loaded, 0,
                           folder + outcome.section(" vs ", 1).section(' ', 0, 0), scale);
}

// At the widget's size an export is its image, zoomed as shown or fitted in batch. Copied twice
// as large, the plot keeps margins of the text's size.
void TWindowTest::graphSameAsShown()
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
    QVERIFY(file.Load(folder.filePath("x-axis-linear.rtl")));
    QVERIFY(Write_Graph_File(file, 0, folder.filePath("batch.png"), size));
    graph.UpdateGraph();
    QCOMPARE(QImage(folder.filePath("batch.png")).convertToFormat(QImage::Format_RGB32),
             TGraphWidgetProbe(graph).Image().copy(graph.rect()));
}

// The batch's PNG file of each example reads back as the picture the graph draws.
void TWindowTest::graphPng_data()
{
    QTest::addColumn<QString>("kind");
    for (const char* kind : {"rtl", "rta", "stz", "pos", "str", "ang"})
        QTest::newRow(kind) << kind;
}

void TWindowTest::graphPng()
{
    QFETCH(QString, kind);
    QTemporaryDir folder;
    const QSize size(1600, 900);
    TLaserFile file;
    QVERIFY(file.Load(Example(kind)));
    QVERIFY(Write_Graph_File(file, 0, folder.filePath("graph.png"), size));
    TGraphWidget graph;
    Feed_Graph(graph, file, 0);
    QCOMPARE(QImage(folder.filePath("graph.png")).convertToFormat(QImage::Format_RGB32),
             Graph_Image(graph, size, true));
}

void TWindowTest::saves_data()
{
    // The button, the name typed, the bytes the program may then write (-1: no limit), and
    // what reads the file back ("cancelled": the dialog is; "input": the file loaded, which is
    // refused; none: the write fails).
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("reader");
    const auto row =
        [](const char* tag, const char* button, const char* typed, int limit, const char* reader)
    { QTest::newRow(tag) << QString(button) << QString(typed) << limit << QString(reader); };
    row("csv cancelled", "Save As...", "old.csv", -1, "cancelled");
    row("csv cannot be created", "Save As...", "/proc/v.csv", -1, "");
    row("csv cut short", "Save As...", "old.csv", 100, "");
    row("csv onto the file loaded", "Save As...", "x-axis-linear.rtl", -1, "input");
    row("no extension: png", "Save Graph...", "graph", -1, "qt");
    row("svg in capitals", "Save Graph...", "graph.SVG", -1, "rsvg-convert");
    row("pdf", "Save Graph...", "graph.pdf", -1, "pdftoppm");
    row("pdf in the presentation style", "Save Graph...", "page.pdf", -1, "pdftoppm");
    row("printed", "Print...", "printed.pdf", -1, "pdftoppm");
    row("png cut short", "Save Graph...", "old.png", 1000, "");
    row("pdf cut short", "Save Graph...", "old.pdf", 1000, "");
    row("graph cannot be created", "Save Graph...", "/proc/v.png", -1, "");
    row("graph onto the file loaded, linked", "Save Graph...", "link.png", -1, "input");
}

// A graph file at twice the widget's size, every run in its colour; a PDF's text holds the
// titles, and not the fitted view's ends. A failure is an error line scrolled into view, and
// an existing file stays as it was, with no temporary one beside it.
void TWindowTest::saves()
{
    QFETCH(QString, button);
    QFETCH(QString, typed);
    QFETCH(int, limit);
    QFETCH(QString, reader);
    QTemporaryDir folder;
    TWindowDriver window;
    window.Report_Pane().setFixedHeight(120); // shorter than the report, whatever the font
    Load_And_Zoom(window, folder.path());
    const QString report = window.Report();
    const QString path = QDir(folder.path()).filePath(typed.contains('.') ? typed : typed + ".png");
    const bool csv = button == "Save As...", here = path.startsWith(folder.path());
    const bool input = reader == "input", failed = reader.isEmpty() || input;
    const QString loaded = folder.filePath("x-axis-linear.rtl");
    QVERIFY(!input || path == loaded || QFile::link(loaded, path));
    QVERIFY(!here || !Write(path, "old content").isEmpty());
    const bool page = typed.startsWith("page");
    // Drawn afresh, as the window draws it next.
    const auto drawn = [&window]
    { return Graph_Image(window.Graph(), window.Graph().size(), false); };
    const QImage screen = drawn();
    QString shown;
    {
        TFileSizeLimit size_limit(limit >= 0 ? static_cast<rlim_t>(limit) : RLIM_INFINITY);
        QPrinter printer;
        printer.setOutputFileName(path);
        TLaserFile file;
        if (button == "Print...")
            QVERIFY(file.Load(loaded) && Print_Graph(window.Graph(), printer, file, 0));
        else
            shown = window.Answer_Dialog(button, reader == "cancelled" ? QString() : path,
                                         page ? "Presentation style" : "");
    }
    QCOMPARE(drawn(), screen);
    QCOMPARE(shown,
             button == "Print..."
                 ? QString()
                 : "Select file to write | " +
                       QString(csv ? "CSV Files (*.csv)"
                                   : "PNG Images (*.png);SVG Images (*.svg);PDF "
                                     "Documents (*.pdf)") +
                       " | " +
                       folder.filePath(csv ? "x-axis-linear - L1.csv" : "x-axis-linear - L1.png"));
    const QString error =
        input ? "The output file is the input file: '" : "Cannot write output file '";
    QCOMPARE(window.Report(),
             report + (failed ? "\nERR:  " + error + QDir::toNativeSeparators(path) + "'" : ""));
    QCOMPARE(window.Last_Line_Shown(), failed);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::NoSymLinks).size(),
             here && !input ? 2 : 1);
    if (failed || reader == "cancelled")
    {
        QCOMPARE(Read(path), here ? "old content" : "<missing>");
        return;
    }
    const QImage image = Raster(path, reader);
    // Vector pages hold whole points or millimetres: within a pixel.
    const QSize off = image.size() - window.Graph().size() * 2;
    QVERIFY(button == "Print..." || (qAbs(off.width()) <= 1 && qAbs(off.height()) <= 1));
    for (const QColor& colour :
         {QColor(Qt::red), QColor(Qt::darkGreen), QColor(Qt::blue), QColor(255, 127, 0)})
        QVERIFY2(Shows(image, colour), qPrintable(colour.name()));
    if (reader != "pdftoppm")
        return;
    QProcess text;
    text.start("pdftotext", {"-raw", path, "-"});
    QVERIFY(text.waitForFinished());
    const QStringList words = QString(text.readAll()).split(QRegularExpression("\\s+"));
    const QString joined = words.join(' ');
    for (const char* title : {"x-axis-linear.rtl", "Position", "Deviation"})
        QVERIFY2(joined.contains(title), title);
    QVERIFY(!words.contains("-10") && !words.contains("510"));
    // A page names the runs and the units, at round ticks (halves at this zoom); the screen's
    // ticks fall where they may.
    QCOMPARE(joined.contains("Run 1 (up) Run 2 (down) Run 3 (up) Run 4 (down)") &&
                 joined.contains("section L1 Position (mm) Deviation (µm)"),
             page);
    bool round = true;
    for (const QString& word : words.filter(QRegularExpression("^-?[0-9.]+$")))
        round = round && std::fmod(word.toDouble() * 2, 1.0) == 0.0;
    QCOMPARE(round, page);
    if (button != "Print...")
        return;
    // A4 in landscape, under the line that names the file, the section and the date.
    text.start("pdfinfo", {path});
    QVERIFY(text.waitForFinished());
    QVERIFY(QString(text.readAll()).contains(QRegularExpression("\nPage size: +842 x 595 ")));
    QVERIFY(joined.startsWith(QString("File: %1 Section: L1 Date: %2 ")
                                  .arg(loaded, QDate::currentDate().toString(Qt::ISODate))));
}

void TWindowTest::certificate_data()
{
    // An example; the evaluations its certificate offers, all ticked.
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("offered");
    QTest::newRow("linear") << QString("rtl") << QString("ISO 230-2, VDI/DGQ 3441, Slope");
    QTest::newRow("straightness") << QString("str") << QString("Straightness");
    QTest::newRow("angular") << QString("rta") << QString("Angular");
}

// "Certificate..." of a file compared with its copy: each field typed (its label and " X") is
// in the PDF after its label, the operator its author, the reference and the evaluations
// ticked are in it and the one unticked is not. The next one starts with the fields but the
// number and the notes, dated today. The file, the reference (both through links) and a file
// that cannot be written are refused.
void TWindowTest::certificate()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString loaded = dir.filePath("axis." + kind), found = dir.filePath("found." + kind);
    QVERIFY(QFile::copy(Example(kind), loaded) && QFile::copy(Example(kind), found));
    TWindowDriver window;
    QVERIFY(window.Import(loaded));
    window.Answer_Dialog("Compare With...", found);
    QStringList fields, offered;
    // Once the dialog is up: its fields (typing, each gets its label and " X" and the first
    // evaluation is unticked) and evaluations, then the button.
    const auto answer = [&](bool typing, const char* button)
    {
        auto* timer = new QTimer(&window);
        connect(timer, &QTimer::timeout,
                [&, timer, typing, button]
                {
                    auto* dialog =
                        qobject_cast<TCertificateDialog*>(QApplication::activeModalWidget());
                    if (!dialog)
                        return;
                    timer->deleteLater();
                    timer->stop();
                    fields.clear();
                    offered.clear();
                    const auto* form = dialog->findChild<QFormLayout*>();
                    for (int row = 0; row < form->rowCount(); ++row)
                    {
                        QWidget* editor = form->itemAt(row, QFormLayout::FieldRole)->widget();
                        const QString label =
                            form->labelForField(editor)->property("text").toString().chopped(1);
                        if (typing && !editor->inherits("QDateEdit"))
                            QTest::keyClicks(editor, label + " X");
                        fields << label + ' ' +
                                      editor->metaObject()->userProperty().read(editor).toString();
                    }
                    for (QCheckBox* box : dialog->findChildren<QCheckBox*>())
                        offered << box->text() + (box->isChecked() ? "" : " (off)");
                    if (typing)
                        QTest::mouseClick(dialog->findChild<QCheckBox*>(), Qt::LeftButton);
                    QTest::mouseClick(TWindowDriver::Button(dialog, button), Qt::LeftButton);
                });
        timer->start(10);
    };
    answer(true, "Save...");
    const QString suggested =
        dir.filePath("axis - Certificate " + window.Section_Button(1)->text() + ".pdf");
    QCOMPARE(window.Answer_Dialog("Certificate...", suggested),
             "Select file to write | PDF Documents (*.pdf) | " + suggested);
    QTEST(offered.join(", "), "offered");
    QProcess read;
    read.start("pdftotext", {"-raw", suggested, "-"});
    QVERIFY(read.waitForFinished());
    const QString text = QString::fromUtf8(read.readAll()).simplified();
    for (const QString& shown : fields + offered.mid(1) + QStringList("found." + kind))
        QVERIFY2(text.contains(shown), qPrintable(shown));
    QVERIFY(!text.contains(offered[0]));
    read.start("pdfinfo", {suggested});
    QVERIFY(read.waitForFinished());
    QVERIFY(QString(read.readAll()).contains(QRegularExpression("\nAuthor: +Operator X\n")));

    const QStringList typed = fields;
    answer(false, "Cancel");
    window.Click("Certificate...");
    QCOMPARE(fields, QStringList(typed.mid(0, 6))
                         << "Certificate number "
                         << "Date " + QDate::currentDate().toString(Qt::ISODate) << "Notes ");
    const QString same = "ERR:  The output file is the input file: '" + dir.path();
    QVERIFY(QFile::link(loaded, dir.filePath("l.pdf")) &&
            QFile::link(found, dir.filePath("f.pdf")));
    for (const QString& refused :
         {same + "/l.pdf'", same + "/f.pdf'", Cannot_Write_Line("/proc/v.pdf")})
    {
        answer(false, "Save...");
        window.Answer_Dialog("Certificate...", refused.section('\'', 1, 1));
        QCOMPARE(window.Report().section('\n', -1), refused);
    }
}

void TWindowTest::batch_data()
{
    QTest::addColumn<QString>("file");
    const QDir examples(QFINDTESTDATA("../examples"));
    for (const QString& name : examples.entryList(QDir::Files))
        QTest::newRow(qPrintable(name)) << examples.absoluteFilePath(name);
    for (const char* name : {"xd-aborted-first-pass.str", "xd-aborted-last-pass.pos"})
        QTest::newRow(name) << QFINDTESTDATA(QString("data/") + name);
    QTest::newRow("not a laser file") << QDir::cleanPath(QFINDTESTDATA("../README.md"));
    QTest::newRow("no run in section 1") << QFINDTESTDATA("data/decimal-comma.pos");
}

// Every batch output against what the window shows, copies and saves for the same file.
void TWindowTest::batch()
{
    QFETCH(QString, file);
    QTemporaryDir folder;
    TWindowDriver window;
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.Import(file));
    TWindowDriver opened; // `vantrel FILE` loads as "Import" does
    opened.Open_File(file);
    QCOMPARE(opened.Report() + opened.States(), window.Report() + window.States());
    if (window.Report().startsWith("ERR:  "))
    {
        const TBatchResult result = Run_Line({"--report", file});
        QVERIFY(result.Status == Batch_Failed && result.Out.isEmpty());
        QCOMPARE(result.Err, window.Report().toUtf8() + '\n');
        return;
    }
    for (int section = 1; section <= 3; ++section)
    {
        const QString n = QString::number(section);
        if (!window.Section_Button(section)->isEnabled() && section > 1)
        {
            QCOMPARE(Run_Line({"--report", file, "--section", n}).Status, int(Batch_Usage_Error));
            continue;
        }
        if (!window.Section_Button(section)->isChecked())
            window.Click_Section(section);
        QCOMPARE(Run_Line({"--report", file, "--section", n}).Out, window.Report().toUtf8() + '\n');
        // An older, longer file is replaced as a whole; by a section without a run, not at all.
        const QString saved = Write(folder.filePath("window" + n + ".csv"), QByteArray(9999, 'o'));
        window.Answer_Dialog("Save As...", saved);
        const TBatchResult csv = Run_Line({"--csv", file, "--section", n});
        const bool refused = csv.Status != Batch_Done;
        QCOMPARE(Read(saved), refused ? QByteArray(9999, 'o') : csv.Out);
        QCOMPARE(csv.Err, refused ? window.Report().section('\n', -1).toUtf8() + '\n' : "");
        for (const auto& [button, option] :
             {std::pair{"Dev. Normal", "--deviations"}, std::pair{"Dev. Inverted", "--inverted"}})
        {
            window.Click(button);
            QCOMPARE(Run_Line({option, file, "--section", n}).Out,
                     QGuiApplication::clipboard()->text().toUtf8());
        }
    }
}

QTEST_MAIN(TWindowTest)
#include "tst_window.moc"
