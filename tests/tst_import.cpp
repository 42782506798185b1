#include "graphprobe.h"
#include "src/laserfile.h"
#include "testlocale.h"
#include "windowdriver.h"

#include <QScrollBar>
#include <QtTest>

#include <memory>

namespace
{

// The example's path in its plain form, as a file dialog gives it.
QString Example(const QString& name)
{
    return QFileInfo(QFINDTESTDATA("../examples/" + name)).canonicalFilePath();
}

} // namespace

// Drives the real window: the Import button and its file dialog, drops, section buttons.
class TImportTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Pin_German_Locale(); }
    void init();
    void cleanup() { d_driver.reset(); }
    void reportOfEveryExample_data();
    void reportOfEveryExample();
    void scripts_data();
    void scripts();
    void dialogCaptionFilterAndStart();
    void dragOfPlainTextIsRefused();
    void sectionChangeScrollsToTop();

private:
    void Run_Step(const QString& step);
    QString Section_States();
    void Compare_Graph_With(const QString& path, int section);

    std::unique_ptr<TWindowDriver> d_driver;
    QTemporaryDir d_folder;
};

void TImportTest::init()
{
    d_driver.reset(new TWindowDriver);
    QVERIFY(d_driver->Exposed());
}

// One step of a script: "import <example>", "import broken", "cancel", "click <button>",
// "drop <example or URL> ..." (no names: an empty list of URLs).
void TImportTest::Run_Step(const QString& step)
{
    QStringList words = step.split(' ');
    const QString verb = words.takeFirst();
    if (verb == "import" && words[0] == "broken")
    {
        QFile broken(d_folder.filePath("broken.rtl"));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write(QByteArray(150, 'x'));
        broken.close();
        QVERIFY(d_driver->Import(broken.fileName()));
    }
    else if (verb == "import")
        QVERIFY(d_driver->Import(Example(words[0])));
    else if (verb == "cancel")
        QVERIFY(d_driver->Import(QString()));
    else if (verb == "click")
        d_driver->Click_Section(words[0].toInt());
    else if (verb == "drop")
    {
        QList<QUrl> urls;
        for (const QString& word : words)
            urls << (word.contains(':') ? QUrl(word) : QUrl::fromLocalFile(Example(word)));
        QVERIFY(d_driver->Drop(urls));
    }
    else
        QFAIL(qPrintable("unknown step " + step));
}

// Each section button as its label, "checked" or "-", and "on" or "off".
QString TImportTest::Section_States()
{
    QStringList states;
    for (int button = 1; button <= 3; ++button)
    {
        const QToolButton* tool = d_driver->Section_Button(button);
        states << tool->text() + (tool->isChecked() ? " checked" : " -") +
                      (tool->isEnabled() ? " on" : " off");
    }
    return states.join(", ");
}

// The graph holds one curve per run of the section, in palette colours.
void TImportTest::Compare_Graph_With(const QString& path, int section)
{
    TLaserFile file;
    QVERIFY(file.Load(path));
    TGraphWidgetProbe probe(d_driver->Graph());
    QCOMPARE(probe.Title(), file.File_Name());
    QCOMPARE(probe.DataSetCount(), file.Run_Count(section));
    for (int k = 0; k < file.Run_Count(section); ++k)
    {
        int red, green, blue;
        TGraphWidget::GetIndexedColor(k, red, green, blue);
        QCOMPARE(probe.DataSet(k).Color, QColor(red, green, blue));
        QCOMPARE(probe.DataSet(k).Style, 0);
        const TLaserRun run = file.Section_Data(section, k);
        QCOMPARE(probe.DataSet(k).Points.size(), run.size());
        for (std::size_t j = 0; j < run.size(); ++j)
            QVERIFY(probe.DataSet(k).Points[j].x == run[j].x &&
                    probe.DataSet(k).Points[j].y == run[j].y);
    }
}

void TImportTest::reportOfEveryExample_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("dropped");

    QTest::newRow("rtl") << "x-axis-linear.rtl" << 1 << false;
    QTest::newRow("rta") << "y-axis-pitch.rta" << 1 << false;
    QTest::newRow("stz") << "z-axis-straightness.stz" << 1 << false;
    QTest::newRow("pos, dropped") << "u-axis-scale.pos" << 1 << true;
    QTest::newRow("str XX") << "w-axis-straightness.str" << 1 << false;
    QTest::newRow("str YY") << "w-axis-straightness.str" << 2 << false;
    QTest::newRow("ang RA, dropped") << "y-axis-angular.ang" << 1 << true;
    QTest::newRow("ang RB") << "y-axis-angular.ang" << 2 << false;
    QTest::newRow("ang RC") << "y-axis-angular.ang" << 3 << false;
}

// Each report matches a hand-checked text character for character.
void TImportTest::reportOfEveryExample()
{
    QFETCH(QString, name);
    QFETCH(int, button);
    QFETCH(bool, dropped);

    const QString path = Example(name);
    Run_Step((dropped ? "drop " : "import ") + name);
    if (button != 1)
        d_driver->Click_Section(button);

    QFile expected_file(QFINDTESTDATA(QString("data/%1.section%2.txt").arg(name).arg(button)));
    QVERIFY(expected_file.open(QIODevice::ReadOnly));
    QString expected = QString::fromUtf8(expected_file.readAll()).chopped(1);
    QCOMPARE(d_driver->Report(), expected.replace("{path}", QDir::toNativeSeparators(path)));
    Compare_Graph_With(path, button - 1);
    for (const char* text : {"Save As...", "Dev. Normal", "Dev. Inverted", "All Data"})
        QVERIFY2(d_driver->Button(text)->isEnabled(), text);
}

void TImportTest::scripts_data()
{
    // Steps, then the section buttons, the report (its active section, or the error line
    // that is all of it) and the number of curves in the graph.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("states");
    QTest::addColumn<QString>("report");
    QTest::addColumn<int>("curves");

    const QString ang = "import y-axis-angular.ang", str = "import w-axis-straightness.str";
    const QString rtl = "import x-axis-linear.rtl";
    const auto row = [](const char* tag, const QStringList& steps, const char* states,
                        const char* report, int curves)
    { QTest::newRow(tag) << steps << QString(states) << QString(report) << curves; };

    // Clicking the checked button moves on to the next enabled one, 1, 2, 3, 1.
    row("ang: 2 3 1", {ang, "click 2", "click 3", "click 1"}, "RA checked on, RB - on, RC - on",
        "RA", 3);
    row("ang: 1 moves on to 2", {ang, "click 1"}, "RA - on, RB checked on, RC - on", "RB", 3);
    row("ang: 2 2", {ang, "click 2", "click 2"}, "RA - on, RB - on, RC checked on", "RC", 3);
    row("ang: 3 3", {ang, "click 3", "click 3"}, "RA checked on, RB - on, RC - on", "RA", 3);
    row("str: 2 2 skips the disabled 3", {str, "click 2", "click 2"},
        "XX checked on, YY - on, X - off", "XX", 2);
    row("rtl: the only section stays", {rtl, "click 1", "click 1"},
        "L1 checked on, X - off, X - off", "L1", 4);
    // A new file whose runs do not reach the selected section moves the selection.
    row("ang 3, then str", {ang, "click 3", str}, "XX checked on, YY - on, X - off", "XX", 2);
    row("str 2, then rtl", {str, "click 2", rtl}, "L1 checked on, X - off, X - off", "L1", 4);
    row("ang 2, then str", {ang, "click 2", str}, "XX - on, YY checked on, X - off", "YY", 2);
    // A failure disables a checked button 2 but leaves it checked; the report it set off
    // emptied the graph. With button 1 checked the old curves stay.
    row("str 2, then a broken file", {str, "click 2", "import broken"},
        "X - off, X checked off, X - off",
        "ERR:  Parameter 'Target-count' not found in file.  Cannot process data.", 0);
    row("rtl, then a broken file", {rtl, "import broken"}, "X checked off, X - off, X - off",
        "ERR:  Parameter 'Target-count' not found in file.  Cannot process data.", 4);
    row("cancel", {ang, "click 2", "cancel"}, "RA - on, RB checked on, RC - on", "RB", 3);
    // Other than one URL: an error, no curves, the buttons and the model as they were.
    row("two files dropped", {str, "click 2", "drop x-axis-linear.rtl y-axis-pitch.rta"},
        "XX - on, YY checked on, X - off", "ERR:  Only one input file is expected.", 0);
    row("no file dropped", {str, "drop"}, "XX checked on, YY - on, X - off",
        "ERR:  Only one input file is expected.", 0);
    row("the model stays after two files",
        {str, "drop x-axis-linear.rtl y-axis-pitch.rta", "click 2"},
        "XX - on, YY checked on, X - off", "YY", 2);
    row("remote URL", {"drop http://example.com/axis.rtl"}, "X checked off, X - off, X - off",
        "ERR:  Cannot open file '' for reading.", 0);
}

void TImportTest::scripts()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, states);
    QFETCH(QString, report);
    QFETCH(int, curves);

    for (const QString& step : steps)
        Run_Step(step);
    QCOMPARE(Section_States(), states);
    if (report.startsWith("ERR:"))
        QCOMPARE(d_driver->Report(), report);
    else
        QVERIFY(d_driver->Report().contains("\nActive Section: " + report + "\n"));
    QCOMPARE(TGraphWidgetProbe(d_driver->Graph()).DataSetCount(), curves);
    // A failed load disables the exports; a refused drop changes nothing.
    const bool load_failed = report.startsWith("ERR:") && !report.contains("one input");
    QCOMPARE(d_driver->Button("Save As...")->isEnabled(), !load_failed);
}

void TImportTest::dialogCaptionFilterAndStart()
{
    QString caption, folder;
    QStringList filters;
    const auto inspect = [&](QFileDialog* dialog)
    {
        caption = dialog->windowTitle();
        filters = dialog->nameFilters();
        folder = dialog->directory().absolutePath();
    };
    QVERIFY(d_driver->Answer_Dialog("Import", Example("y-axis-pitch.rta"), inspect));
    QCOMPARE(caption, QString("Select Laser File to Load"));
    QCOMPARE(filters, QStringList{"Laser Files (*.rtl *.pos *.stx *.sty *.stz *.str *.rta *.ang)"});

    // The next dialog opens in the folder of the file now loaded.
    QDir::setCurrent(QDir::tempPath());
    QVERIFY(d_driver->Answer_Dialog("Import", QString(), inspect));
    QCOMPARE(folder, QFileInfo(Example("y-axis-pitch.rta")).absolutePath());
}

void TImportTest::dragOfPlainTextIsRefused()
{
    QMimeData data;
    data.setText("/data/axis.rtl");
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QApplication::sendEvent(&d_driver->Window(), &enter);
    QVERIFY(!enter.isAccepted());
}

void TImportTest::sectionChangeScrollsToTop()
{
    d_driver->Window().resize(801, 400);
    Run_Step("import y-axis-angular.ang");
    QPlainTextEdit& report = d_driver->Report_Pane();
    QTRY_VERIFY(report.verticalScrollBar()->maximum() > 0);
    report.verticalScrollBar()->setValue(report.verticalScrollBar()->maximum());
    d_driver->Click_Section(2);
    QCOMPARE(report.verticalScrollBar()->value(), 0);
    QCOMPARE(report.textCursor().position(), 0);
    QVERIFY(!report.textCursor().hasSelection());
}

QTEST_MAIN(TImportTest)
#include "tst_import.moc"
