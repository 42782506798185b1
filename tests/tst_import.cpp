#include "graphprobe.h"
#include "src/laserfile.h"
#include "testlocale.h"
#include "windowdriver.h"

#include <QtTest>

namespace
{

// The example file of that kind, in its plain form as a file dialog gives it.
QString Example(const QString& extension)
{
    const QDir examples(QFINDTESTDATA("../examples"));
    return examples.canonicalPath() + '/' + examples.entryList({"*." + extension}).value(0);
}

// One step of a script: "import <kind>" of an example or "import broken", "cancel <kind>"
// (the dialog starts at that example, loaded before), "click <button>", "drop <kinds or
// URLs>" (none: an empty list) or "drag <text>", plain text that must be refused.
void Run_Step(TWindowDriver& window, const QString& step)
{
    QStringList words = step.split(' ');
    const QString verb = words.takeFirst();
    QTemporaryDir folder;
    QMimeData data;
    if (verb == "import")
        QVERIFY(window.Import(words[0] == "broken"
                                  ? Write(folder.filePath("broken.rtl"), QByteArray(150, 'x'))
                                  : Example(words[0])));
    else if (verb == "cancel")
        QCOMPARE(window.Answer_Dialog("Import", QString()),
                 "Select Laser File to Load | "
                 "Laser Files (*.rtl *.pos *.stx *.sty *.stz *.str *.rta *.ang) | " +
                     Example(words[0]));
    else if (verb == "click")
        window.Click_Section(words[0].toInt());
    else
    {
        QList<QUrl> urls;
        for (const QString& word : words)
            urls << (word.contains(':') ? QUrl(word) : QUrl::fromLocalFile(Example(word)));
        verb == "drop" ? data.setUrls(urls) : data.setText(words.join(' '));
        QCOMPARE(window.Drop(data), verb == "drop");
    }
}

// The graph holds one curve per run of the section, in palette colours.
void Compare_Graph_With(TWindowDriver& window, const QString& path, int section)
{
    TLaserFile file;
    QVERIFY(file.Load(path));
    TGraphWidgetProbe probe(window.Graph());
    QCOMPARE(probe.Title(), file.File_Name());
    QCOMPARE(probe.DataSetCount(), file.Run_Count(section));
    for (int k = 0; k < file.Run_Count(section); ++k)
    {
        int red, green, blue;
        TGraphWidget::GetIndexedColor(k, red, green, blue);
        QCOMPARE(probe.DataSet(k).Color, QColor(red, green, blue));
        QCOMPARE(probe.DataSet(k).Style, 0);
        const TLaserRun run = file.Section_Data(section, k), points = probe.DataSet(k).Points;
        QVERIFY(std::equal(run.begin(), run.end(), points.begin(), points.end(),
                           [](TVector2 a, TVector2 b) { return a.x == b.x && a.y == b.y; }));
    }
}

} // namespace

// Drives the real window: the Import button and its file dialog, drops, section buttons.
class TImportTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Pin_German_Locale(); }
    void scripts_data();
    void scripts();
};

void TImportTest::scripts_data()
{
    // Steps, then the buttons, the report (the example and the section whose
    // hand-checked report it must match, or the error line that is all of it) and the number
    // of curves in the graph.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("states");
    QTest::addColumn<QString>("report");
    QTest::addColumn<int>("curves");
    const auto row = [](const char* tag, const QStringList& steps, const char* states,
                        const char* report, int curves)
    { QTest::newRow(tag) << steps << QString(states) << QString(report) << curves; };
    const char* No_Count =
        "ERR:  Parameter 'Target-count' not found in file.  Cannot process data.";
    const char* Not_One = "ERR:  Only one input file is expected.";

    row("rta", {"import rta"}, "A1* [X] [X] on", "rta 1", 2);
    row("stz", {"import stz"}, "S1.* [X] [X] on", "stz 1", 3);
    row("pos dropped", {"drop pos"}, "L1* [X] [X] on", "pos 1", 4);
    // Clicking the checked button moves on to the next enabled one, 1, 2, 3, 1.
    row("ang: 2 3 1", {"import ang", "click 2", "click 3", "click 1"}, "RA* RB RC on", "ang 1", 3);
    row("ang: 1", {"import ang", "click 1"}, "RA RB* RC on", "ang 2", 3);
    row("ang: 2 2", {"import ang", "click 2", "click 2"}, "RA RB RC* on", "ang 3", 3);
    row("str: 2 2 skips 3", {"import str", "click 2", "click 2"}, "XX* YY [X] on", "str 1", 2);
    row("rtl: 1 1 stays", {"import rtl", "click 1", "click 1"}, "L1* [X] [X] on", "rtl 1", 4);
    // A new file whose runs do not reach the selected section moves the selection.
    row("ang 3, then str", {"import ang", "click 3", "import str"}, "XX* YY [X] on", "str 1", 2);
    row("str 2, then rtl", {"import str", "click 2", "import rtl"}, "L1* [X] [X] on", "rtl 1", 4);
    row("ang 2, then str", {"import ang", "click 2", "import str"}, "XX YY* [X] on", "str 2", 2);
    // A failure disables a checked button 2 but leaves it checked. Whichever is checked, the
    // graph is emptied.
    row("str 2, then broken", {"import str", "click 2", "import broken"}, "[X] [X*] [X] off",
        No_Count, 0);
    row("rtl, then broken", {"import rtl", "import broken"}, "[X*] [X] [X] off", No_Count, 0);
    row("cancel", {"import ang", "click 2", "cancel ang"}, "RA RB* RC on", "ang 2", 3);
    // Other than one URL: an error, no curves, the buttons and the model as they were. A failed
    // load disables the exports.
    row("two files dropped", {"import str", "click 2", "drop rtl rta"}, "XX YY* [X] on", Not_One,
        0);
    row("no file dropped", {"import str", "drop"}, "XX* YY [X] on", Not_One, 0);
    row("model kept", {"import str", "drop rtl rta", "click 2"}, "XX YY* [X] on", "str 2", 2);
    row("remote URL", {"drop http://example.com/axis.rtl"}, "[X*] [X] [X] off",
        "ERR:  Cannot open file '' for reading.", 0);
    row("plain text dragged", {"import str", "drag /data/axis.rtl"}, "XX* YY [X] on", "str 1", 2);
}

void TImportTest::scripts()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, states);
    QFETCH(QString, report);
    QFETCH(int, curves);

    TWindowDriver window;
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (const QString& step : steps)
        Run_Step(window, step);
    QCOMPARE(window.States(), states);
    QCOMPARE(TGraphWidgetProbe(window.Graph()).DataSetCount(), curves);
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
    const QString path = Example(report.section(' ', 0, 0));
    QFile expected(QFINDTESTDATA(
        QString("data/%1.section%2.txt").arg(QFileInfo(path).fileName(), report.section(' ', 1))));
    QVERIFY(expected.open(QIODevice::ReadOnly));
    QCOMPARE(window.Report(), QString::fromUtf8(expected.readAll())
                                  .chopped(1)
                                  .replace("{path}", QDir::toNativeSeparators(path)));
    // The report is shown from its top.
    const QTextCursor cursor = window.Report_Pane().textCursor();
    QVERIFY(cursor.position() == 0 && !cursor.hasSelection());
    Compare_Graph_With(window, path, report.section(' ', 1).toInt() - 1);
}

QTEST_MAIN(TImportTest)
#include "tst_import.moc"
