#include "filesizelimit.h"
#include "testlocale.h"
#include "windowdriver.h"

#include <QClipboard>
#include <QScrollBar>
#include <QtTest>

namespace
{

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

// The copy buttons and "Save As..." of the real window, read back from the real clipboard
// and real files.
class TExportWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Pin_German_Locale(); }
    void exports_data();
    void exports();
};

void TExportWindowTest::exports_data()
{
    // The file chosen (none: cancelled), the number of bytes the system lets the program write
    // (-1: no limit; the table is 68 bytes), what the file then holds, and whether the write
    // failed. A failure appends an error line and leaves an existing file as it was.
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<bool>("failed");
    const auto row =
        [](const char* tag, const QString& file, int limit, const char* written, bool failed)
    { QTest::newRow(tag) << file << limit << QByteArray(written) << failed; };

    row("written", "chosen.csv", -1,
        "10.00000,1.00000,5.00000\n20.00000,2.00000,4.00000\n30.00000,3.00000,\n", false);
    row("cancelled", "", -1, "<missing>", false);
    // Not even root may create files there.
    row("cannot be created", "/proc/vantrel-test.csv", -1, "<missing>", true);
    row("cut at the last byte", "axis - YY.csv", 67, "old,content\n", true);
}

void TExportWindowTest::exports()
{
    QFETCH(QString, file);
    QFETCH(int, limit);
    QFETCH(QByteArray, written);
    QFETCH(bool, failed);

    // Two passes of different length, rising 10, 20, 30 and falling 20, 10: the third target
    // was reached by one pass only. The path loads as a straightness file.
    QTemporaryDir folder;
    TWindowDriver window;
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // A pane shorter than the report, whatever size the platform's default font has.
    window.Report_Pane().setFixedHeight(120);
    QVERIFY(window.Import(Write(folder.filePath("old.str/axis"),
                                "Units: mm\nPosition XX YY\n10 0.1 1.0\n20 0.2 2.0\n30 0.3 3.0\n"
                                "20 0.4 4.0\n10 0.5 5.0\n" +
                                    QByteArray(100, '\n'))));
    window.Click_Section(2);
    const QString report = window.Report();
    QGuiApplication::clipboard()->setText("before");
    QStringList copies;
    for (const char* button : {"Dev. Normal", "Dev. Inverted", "All Data"})
    {
        window.Click(button);
        copies << QGuiApplication::clipboard()->text(QClipboard::Clipboard);
    }
    // The mean divides by the passes that reached a target; the short pass leaves a cell empty.
    QCOMPARE(copies, (QStringList{"3.00000\n3.00000\n3.00000\n", "-3.00000\n-3.00000\n-3.00000\n",
                                  "10.00000\t1.00000\t5.00000\n20.00000\t2.00000\t4.00000\n"
                                  "30.00000\t3.00000\t\n"}));

    const QString csv = file.isEmpty() ? file : QDir(folder.path()).absoluteFilePath(file);
    QVERIFY(limit < 0 || !Write(csv, "old,content\n").isEmpty());
    QString shown;
    {
        TFileSizeLimit size_limit(limit >= 0 ? static_cast<rlim_t>(limit) : RLIM_INFINITY);
        QVERIFY(limit < 0 || size_limit.Active());
        shown = window.Answer_Dialog("Save As...", csv);
    }
    // The extension is cut only within the file's own name, not at the dot in the folder.
    QCOMPARE(shown, "Select file to write | CSV Files (*.csv) | " +
                        folder.filePath("old.str/axis - YY.csv"));
    QCOMPARE(Read(csv), written);
    // Neither the copies nor a success are reported. No temporary file stays behind.
    QCOMPARE(window.Report(), report + (failed ? "\nERR:  Cannot write output file '" +
                                                     QDir::toNativeSeparators(csv) + "'"
                                               : ""));
    // An error line under the long report is scrolled into view; the report alone is shown from
    // its top.
    QVERIFY(window.Report_Pane().verticalScrollBar()->maximum() > 0);
    QCOMPARE(window.Last_Line_Shown(), failed);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files),
             written == "<missing>" ? QStringList() : QStringList{file});
}

QTEST_MAIN(TExportWindowTest)
#include "tst_exportwindow.moc"
