#include "filesizelimit.h"
#include "testlocale.h"
#include "windowdriver.h"

#include <QClipboard>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace
{

// Renishaw linear text for targets 10 and 20 and the given runs of two deviations each.
QByteArray Renishaw_File(const QList<QPair<double, double>>& runs)
{
    QByteArray text = "Example linear file written for the export tests\n"
                      "TARGET DATA::\nTarget-count : 2\nTargets :\n10 20\nEOF::\n"
                      "DEVIATIONS::\nRun Target Data\n";
    for (int run = 0; run < runs.size(); ++run)
        text += QString("%1 1 %2\n%1 2 %3\n")
                    .arg(run + 1)
                    .arg(runs[run].first, 0, 'g', 17)
                    .arg(runs[run].second, 0, 'g', 17)
                    .toLatin1();
    return text + "EOF::\n";
}

QString Write(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return QString();
    return path;
}

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QString Clipboard()
{
    return QGuiApplication::clipboard()->text(QClipboard::Clipboard);
}

} // namespace

// The copy buttons and "Save As..." of the real window, read back from the real clipboard
// and real files.
class TExportWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Pin_German_Locale(); }
    void init();
    void cleanup();
    void copies_data();
    void copies();
    void copiesFollowTheActiveSection();
    void saveAs();
    void saveAsCancelled();
    void saveAsFailure_data();
    void saveAsFailure();

private:
    bool Load(const QString& name, const QByteArray& content);

    std::unique_ptr<TWindowDriver> d_driver;
    std::unique_ptr<QTemporaryDir> d_folder;
};

void TExportWindowTest::init()
{
    d_folder.reset(new QTemporaryDir);
    d_driver.reset(new TWindowDriver);
    QVERIFY(d_driver->Exposed());
    QGuiApplication::clipboard()->setText("before");
}

void TExportWindowTest::cleanup()
{
    d_driver.reset();
    d_folder.reset();
}

bool TExportWindowTest::Load(const QString& name, const QByteArray& content)
{
    const QString path = Write(d_folder->filePath(name), content);
    return !path.isEmpty() && d_driver->Import(path) && !d_driver->Report().startsWith("ERR:");
}

void TExportWindowTest::copies_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("normal");
    QTest::addColumn<QString>("inverted");
    QTest::addColumn<QString>("all");

    QTest::newRow("one run") << Renishaw_File({{0.001234, -0.5}}) << "0.00123\n-0.50000\n"
                             << "-0.00123\n0.50000\n"
                             << "10.00000\t0.00123\n20.00000\t-0.50000\n";
    QTest::newRow("two runs") << Renishaw_File({{0.1, 0.2}, {0.3, 0.4}}) << "0.20000\n0.30000\n"
                              << "-0.20000\n-0.30000\n"
                              << "10.00000\t0.10000\t0.30000\n20.00000\t0.20000\t0.40000\n";
    // A valid file whose runs were all dropped: the copies are empty.
    QTest::newRow("no runs") << Renishaw_File({{0.0, 0.0}}) << QString() << QString() << QString();
}

void TExportWindowTest::copies()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, normal);
    QFETCH(QString, inverted);
    QFETCH(QString, all);

    QVERIFY(Load("axis.rtl", content));
    const QString report = d_driver->Report();
    d_driver->Click("Dev. Normal");
    QCOMPARE(Clipboard(), normal);
    d_driver->Click("Dev. Inverted");
    QCOMPARE(Clipboard(), inverted);
    d_driver->Click("All Data");
    QCOMPARE(Clipboard(), all);
    QCOMPARE(d_driver->Report(), report);
}

void TExportWindowTest::copiesFollowTheActiveSection()
{
    // Two passes of different length: rising 10, 20, 30 and falling 20, 10.
    const QByteArray text = "Units: mm\nPosition XX YY\n"
                            "10 0.1 1.0\n20 0.2 2.0\n30 0.3 3.0\n20 0.4 4.0\n10 0.5 5.0\n";
    QVERIFY(Load("axis.str", text + QByteArray(100, '\n')));
    d_driver->Click_Section(2);
    d_driver->Click("All Data");
    QCOMPARE(Clipboard(), QString("10.00000\t1.00000\t5.00000\n20.00000\t2.00000\t4.00000\n"
                                  "30.00000\t3.00000\t\n"));
    // The third target was reached by one pass only.
    d_driver->Click("Dev. Normal");
    QCOMPARE(Clipboard(), QString("3.00000\n3.00000\n3.00000\n"));
    d_driver->Click_Section(1);
    d_driver->Click("Dev. Inverted");
    QCOMPARE(Clipboard(), QString("-0.30000\n-0.30000\n-0.30000\n"));
}

void TExportWindowTest::saveAs()
{
    // This path loads as a straightness file; the suggestion keeps the dot in the folder.
    QVERIFY(Load("old.stuff/axis", Renishaw_File({{0.1, 0.2}, {0.3, 0.4}})));
    const QString report = d_driver->Report();
    const QString csv = d_folder->filePath("chosen.csv");

    QString caption;
    QStringList filters, suggested;
    QVERIFY(d_driver->Answer_Dialog("Save As...", csv,
                                    [&](QFileDialog* dialog)
                                    {
                                        caption = dialog->windowTitle();
                                        filters = dialog->nameFilters();
                                        suggested = dialog->selectedFiles();
                                    }));
    QCOMPARE(caption, QString("Select file to write"));
    QCOMPARE(filters, QStringList{"CSV Files (*.csv)"});
    QCOMPARE(suggested, QStringList{d_folder->filePath("old.stuff/axis - S1..csv")});
    QCOMPARE(Read(csv), QByteArray("10.00000,0.10000,0.30000\n20.00000,0.20000,0.40000\n"));
    // Success is not reported.
    QCOMPARE(d_driver->Report(), report);
}

void TExportWindowTest::saveAsCancelled()
{
    QVERIFY(Load("axis.rtl", Renishaw_File({{0.1, 0.2}})));
    const QString report = d_driver->Report();
    QVERIFY(d_driver->Answer_Dialog("Save As...", QString()));
    QCOMPARE(d_driver->Report(), report);
    QCOMPARE(QDir(d_folder->path()).entryList(QDir::Files), QStringList{"axis.rtl"});
}

void TExportWindowTest::saveAsFailure_data()
{
    // The file chosen and the number of bytes the system lets the program write (-1: no
    // limit); the table is 50 bytes.
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("limit");

    // Not even root may create files there.
    QTest::newRow("cannot be created") << "/proc/vantrel-test.csv" << -1;
    QTest::newRow("cut to 10 bytes") << "axis - L1.csv" << 10;
    QTest::newRow("nothing written") << "axis - L1.csv" << 0;
    QTest::newRow("cut at the last byte") << "axis - L1.csv" << 49;
}

// A failed write appends an error line and leaves an existing file as it was.
void TExportWindowTest::saveAsFailure()
{
    QFETCH(QString, file);
    QFETCH(int, limit);

    QVERIFY(Load("axis.rtl", Renishaw_File({{0.1, 0.2}, {0.3, 0.4}})));
    const QString report = d_driver->Report();
    const QString csv = QDir(d_folder->path()).absoluteFilePath(file);
    if (limit >= 0)
        QVERIFY(!Write(csv, "old,content\n").isEmpty());
    {
        TFileSizeLimit size_limit(limit >= 0 ? static_cast<rlim_t>(limit) : RLIM_INFINITY);
        QVERIFY(limit < 0 || size_limit.Active());
        QVERIFY(d_driver->Answer_Dialog("Save As...", csv));
    }
    QCOMPARE(d_driver->Report(),
             report + "\nERR:  Cannot write output file '" + QDir::toNativeSeparators(csv) + "'");
    QCOMPARE(Read(csv), QByteArray(limit >= 0 ? "old,content\n" : "<missing>"));
    QCOMPARE(QDir(d_folder->path()).entryList(QDir::Files).size(), limit >= 0 ? 2 : 1);
}

QTEST_MAIN(TExportWindowTest)
#include "tst_exportwindow.moc"
