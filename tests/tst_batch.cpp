#include "src/batch.h"
#include "src/commandline.h"
#include "testlocale.h"
#include "windowdriver.h"

#include <QBuffer>
#include <QClipboard>
#include <QtTest>

namespace
{

struct TBatchResult
{
    int Status;
    QByteArray Out;
    QByteArray Err;
};

// The command line run as `vantrel ARGUMENTS` runs it, on buffers instead of the streams.
TBatchResult Run(const QStringList& arguments)
{
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    TBatchStreams streams = {out, err};
    const TCommandLine line = Parse_Command_Line(QStringList{"vantrel"} + arguments);
    const int status = line.Mode == TCommandLine::Batch ? Run_Batch(line, streams) : -1;
    return {status, out.data(), err.data()};
}

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

// Every batch output against what the window shows, copies and saves for the same file.
class TBatchTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Pin_German_Locale(); }
    void same_as_window_data();
    void same_as_window();
};

void TBatchTest::same_as_window_data()
{
    QTest::addColumn<QString>("file");
    const QDir examples(QFINDTESTDATA("../examples"));
    for (const QString& name : examples.entryList(QDir::Files))
        QTest::newRow(qPrintable(name)) << examples.absoluteFilePath(name);
    QTest::newRow("broken") << QString();
    QTest::newRow("not a laser file") << QDir::cleanPath(QFINDTESTDATA("../README.md"));
}

void TBatchTest::same_as_window()
{
    QFETCH(QString, file);
    QTemporaryDir folder;
    if (file.isEmpty())
        file = Write(folder.filePath("broken.rtl"), QByteArray(150, 'x'));
    TWindowDriver window;
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.Import(file));
    // `vantrel FILE` loads as "Import" does.
    TWindowDriver opened;
    opened.Open_File(file);
    QCOMPARE(opened.Report(), window.Report());
    QCOMPARE(opened.States(), window.States());

    if (window.Report().startsWith("ERR:  "))
    {
        const TBatchResult result = Run({"--report", file});
        QCOMPARE(result.Status, int(Batch_Failed));
        QCOMPARE(result.Out, QByteArray());
        QCOMPARE(result.Err, window.Report().toUtf8() + '\n');
        return;
    }
    for (int section = 1; section <= 3; ++section)
    {
        const QString n = QString::number(section);
        if (!window.Section_Button(section)->isEnabled())
        {
            QCOMPARE(Run({"--report", file, "--section", n}).Status, int(Batch_Usage_Error));
            continue;
        }
        if (!window.Section_Button(section)->isChecked())
            window.Click_Section(section);
        QCOMPARE(Run({"--report", file, "--section", n}).Out, window.Report().toUtf8() + '\n');
        const QString saved = folder.filePath("window" + n + ".csv");
        window.Answer_Dialog("Save As...", saved);
        QCOMPARE(Run({"--csv", file, "--section", n}).Out, Read(saved));
        const QString output = folder.filePath("batch" + n + ".csv");
        QCOMPARE(Run({"--csv", file, "--section", n, "--output", output}).Out, QByteArray());
        QCOMPARE(Read(output), Read(saved));
        for (const char* button : {"Dev. Normal", "Dev. Inverted"})
        {
            window.Click(button);
            const QString option =
                button == QLatin1String("Dev. Normal") ? "--deviations" : "--inverted";
            QCOMPARE(Run({option, file, "--section", n}).Out,
                     QGuiApplication::clipboard()->text().toUtf8());
        }
    }
}

QTEST_MAIN(TBatchTest)
#include "tst_batch.moc"
