#include "src/laserfile.h"
#include "testlocale.h"

#include <QtTest>

namespace
{

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A minimal Renishaw linear file with one run of one target, padded to exactly `size` bytes
// by a last line that no reader looks at.
QByteArray Renishaw(int size)
{
    const QByteArray content = "TARGET DATA::\nTarget-count : 1\nTargets :\n0\n"
                               "DEVIATIONS::\nRun Target Data\n1 1 0.5\nEOF::\n";
    return content + QByteArray(size - content.size() - 1, '#') + '\n';
}

// The example file cut off `keep` bytes into the first place that holds `text`.
QByteArray Cut(const QString& example, const QByteArray& text, int keep)
{
    const QByteArray content = Read(QFINDTESTDATA("../examples/" + example));
    return content.left(content.indexOf(text) + keep);
}

// Numbers beyond the ends of the doubles and ints; 1e400 does not convert and ends the records.
const QByteArray Gigantic_Renishaw =
    "TARGET DATA::\nTarget-count : 3\nTargets :\n-1e308 1e308 99999999999999999999\nEOF::\n"
    "DEVIATIONS::\nRun Target Data\n1 1 1e308\n1 2 -1e308\n1 3 99999999999999999999\n"
    "2 1 1e308\n2 2 -1e308\n2 3 1e308\n3 1 1e400\n3 2 1\n3 3 1\nEOF::\n";

// What the window shows of a load: the kind's number and the run lengths of the three
// sections apart by '|', or the error line.
QString Outcome(const TLaserFile& file, bool loaded)
{
    QStringList sections;
    for (int section = 0; section < 3; ++section)
    {
        QStringList runs;
        for (int run = 0; run < file.Run_Count(section); ++run)
            runs << QString::number(file.Section_Data(section, run).size());
        sections << runs.join(' ');
    }
    return loaded ? QString::number(file.d_file_type) + ": " + sections.join('|')
                  : "ERR:  " + file.d_error_message;
}

} // namespace

class TLoadTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Pin_German_Locale(); }
    void load_data();
    void load();
};

void TLoadTest::load_data()
{
    // A file written in a new folder, or the path itself when absolute; what the load gives.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("outcome");
    const auto row =
        [](const char* tag, const QString& name, const QByteArray& content, const QString& outcome)
    { QTest::newRow(tag) << name << content << outcome; };
    const QString Unknown =
        "ERR:  Input file '{path}' doesn't appear to be a known laser file type.";
    const QString Cannot_Open = "ERR:  Cannot open file '{path}' for reading.";
    const QByteArray image = Read(QFINDTESTDATA("../images/vantrel.png"));

    // The size is tested before the kind; the kind is named by what follows the last dot.
    row("RTL", "axis.RTL", Renishaw(100), "1: 1||");
    row("99 bytes, unknown kind", "axis.txt", Renishaw(99),
        "ERR:  Input file '{path}' is too small to be a laser file.");
    row("100 bytes, unknown kind", "axis.txt", Renishaw(100), Unknown);
    row("rtlx", "axis.rtlx", Renishaw(100), Unknown);
    row("st", "axis.st", Renishaw(100), "3: 1||");
    row("STR2, not ST", "axis.STR2", Renishaw(100), "5: ||");
    row("posx", "axis.posx", Renishaw(100), "4: ||");
    row("angle", "axis.angle", Renishaw(100), "6: ||");
    row("no dot", "axis", Renishaw(100), Unknown);
    row("ending in a dot", "axis.", Renishaw(100), Unknown);
    row("earlier dots", "axis.run2.rtl", Renishaw(100), "1: 1||");
    row("dot in a folder", "run.2/axis", Renishaw(100), Unknown);
    row("dot in a folder, then st", "old.stuff/axis", Renishaw(100), "3: 1||");
    // A sparse file: its size is known before it is read.
    row("too large", "huge.rtl", "", "ERR:  Input file '{path}' is too large to be a laser file.");
    row("folder", QDir::tempPath(), "", Cannot_Open);
    // A device that streams without end must not hang the program.
    row("endless device", "/dev/zero", "", Cannot_Open);
    row("null device", "/dev/null", "", Cannot_Open);
    // Whatever the content, a load gives data or one line of error.
    row("image named rtl", "axis.rtl", image,
        "ERR:  Parameter 'Target-count' not found in file.  Cannot process data.");
    row("image named pos", "axis.pos", image, "4: ||");
    // A run cut short is incomplete and dropped; so is everything after it.
    row("linear cut in a run", "axis.rtl", Cut("x-axis-linear.rtl", "3\t3\t2.9329", 7),
        "1: 11 11||");
    row("angular cut in a line", "axis.ang", Cut("y-axis-angular.ang", "350.000  1.09", 18),
        "6: 11 11 7|11 11 7|11 11 7");
    row("gigantic numbers", "axis.rtl", Gigantic_Renishaw, "1: 3 3||");
}

// A failed load leaves the model unloaded.
void TLoadTest::load()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, outcome);

    QTemporaryDir folder;
    const QString path = QDir::isAbsolutePath(name) ? name : folder.filePath(name);
    QFile written(path);
    QVERIFY(QDir::isAbsolutePath(name) ||
            (QDir().mkpath(QFileInfo(path).path()) && written.open(QIODevice::WriteOnly) &&
             written.write(content) == content.size()));
    QVERIFY(name != "huge.rtl" || written.resize(512 * 1024 * 1024 + 1));
    written.close();
    TLaserFile file;
    const bool loaded = file.Load(path);
    QCOMPARE(Outcome(file, loaded),
             QString(outcome).replace("{path}", QDir::toNativeSeparators(path)));
    QCOMPARE(file.d_file_name, loaded ? path : QString());
    QCOMPARE(file.d_file_type == Unknown_Type, !loaded);
}

QTEST_GUILESS_MAIN(TLoadTest)
#include "tst_load.moc"
