#include "src/laserfile.h"
#include "testlocale.h"

#include <QtTest>

namespace
{

// A linear file: the target data section, then the deviations of the runs.
QByteArray File(const QByteArray& target_data, const QByteArray& records)
{
    return "Renishaw XL-80 linear data\nTARGET DATA::\n" + target_data +
           "\nDEVIATIONS::\nRun Target Data\n" + records;
}

const QByteArray Run_1 = "1 1 0.001\n1 2 0.002\n1 3 0.003\n";
const QByteArray Run_2 = "2 1 0.1\n2 2 0.2\n2 3 0.3\n";
const QByteArray Head = File("Target-count: 3\nTargets :\n0.0 50.0 100.0\nEOF::", "");
const QByteArray Environment = Head + Run_1 + "EOF::\nENVIRONMENT::\n";
const QString Points_1 = "0:0.001 50:0.002 100:0.003";

// Section 1 as "x:y" points, runs apart by ';', then the environment when the file had one,
// then the message of a failure.
QString Summary(const TLaserFile& file, bool read)
{
    QStringList runs;
    for (const TLaserRun& run : file.d_data_section_1)
    {
        QStringList points;
        for (const TVector2& point : run)
            points << QString("%1:%2").arg(point.x).arg(point.y);
        runs << points.join(' ');
    }
    QString text = runs.join("; ");
    if (file.d_has_environment)
        text += QString(" | env %1 %2 %3 %4")
                    .arg(QString::number(file.d_air_temperature),
                         QString::number(file.d_air_pressure), QString::number(file.d_air_humidity),
                         QString::number(file.d_material_temperature));
    return read ? text : text + " | " + file.d_error_message;
}

} // namespace

class TRenishawReaderTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Pin_German_Locale(); }
    void read_data();
    void read();
};

void TRenishawReaderTest::read_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char* tag, const QByteArray& text, const QString& summary = Points_1)
    { QTest::newRow(tag) << text << summary; };
    const QString Untouched = "-1:-1 | ";
    const QString Bad_Count = Untouched + "Unexpected text in TARGET DATA:: section: '%1'";
    const QString Bad_Env =
        Untouched + "env %1 100 50 20 | Unexpected text in ENVIRONMENT:: section: '%2'";

    // Target-count forms, rounded half up; 0: the line fails (no int conversion beyond 2^31,
    // of inf or of nan). Runs of 3, 2 and 1 records follow: the count decides the one kept.
    const std::pair<const char*, int> Counts[] = {
        {"Target-count: 3", 3},      {"Target-count : 3", 3},
        {"Target-count = 3", 3},     {"Target-count=3", 3},
        {"Target-count: 2.5", 3},    {"Target-count: 2.4", 2},
        {"Target-count: 1.4", 1},    {"Target-count: 2147483647.4", 3},
        {"Target-count: 0.6", 0},    {"Target-count:", 0},
        {"Target-count 3", 0},       {"Target-count: 3: 2", 0},
        {"Target-count = 3 = 2", 0}, {"Target-count: three", 0},
        {"Target-count: 2,5", 0},    {"Target-count: inf", 0},
        {"Target-count = nan", 0},   {"Target-count: 2147483647.5", 0}};
    const QString Kept[] = {QString(), "0:1", "0:0.1 50:0.2", Points_1};
    for (const auto& [line, count] : Counts)
        row(line,
            File(QByteArray(line) + "\nTargets :\n0 50 100", Run_1 + "2 1 0.1\n2 2 0.2\n3 1 1"),
            count > 0 ? Kept[count] : Bad_Count.arg(line));

    // Runs in file order, a record below the last one goes to the front, EOF:: ends them.
    row("order", Head + Run_1 + "2 3 -0.3\n2 1 -0.1\n2 2 -0.2\nEOF::\n" + Run_2,
        Points_1 + "; 0:-0.2 50:-0.1 100:-0.3");
    row("run number seen twice", Head + "1 1 0.001\n1 2 0.002\n" + Run_2 + "1 3 0.003",
        "0:0.1 50:0.2 100:0.3");
    // A run is kept with one record per position and a deviation further than 1e-7 from 0.
    row("short, long and all-zero runs dropped",
        Head + "2 1 0.1\n2 2 0.2\n3 1 1\n3 2 1\n3 3 1\n3 4 1\n4 1 0\n4 2 1e-7\n4 3 -1e-7\n" +
            Run_1 + "5 1 0\n5 2 -1.5e-7\n5 3 0",
        Points_1 + "; 0:0 50:-1.5e-07 100:0");
    // Short lines are skipped; a record that does not convert ends reading but is no failure.
    row("extra fields, short lines, caption",
        Head + "Run 1\n1 1 0.001 20.1 C\n1 2 0.002 C\n1 3 0.003\nMean of runs\n" + Run_2 +
            "ENVIRONMENT::\n");
    row("run number beyond int", Head + Run_1 + "2147483648 1 1\n" + Run_2);

    // The target list runs over lines and ends at a word, the "Targets" line holds none; a
    // later count replaces an earlier one; outside any section the keywords open theirs.
    row("list ends at a word, later count",
        File("Target-count: 1\nTargets : 7 8 9\n0\n50 end 100\n200\nTarget-count: 3",
             "2 1 0.1\n2 2 0.2\n" + Run_1),
        "0:0.1 50:0.2");
    row("keywords outside any section",
        "Target-count = 3\nTargets:\n0 50 100\nEOF::\nRun Target Data\n" + Run_1);

    // Environment: the mean of the first two readings; a material sensor at 0 or below was
    // not fitted. A failure keeps the values read before it.
    row("means, later lines, other lines, Final Data",
        Environment + "Air temp: 20.0 20.4 C\nAir press: 101.2 101.4\nAir press: 99 100\n" +
            "Air humid: 45 47\nLaser: XL-80: 1\nMat temp 4: x\nFinal Data\nAir temp: 30 31",
        Points_1 + " | env 20.2 99.5 46 20");
    row("sensors not fitted",
        Environment + "Mat temp 1: 20 20\nMat temp 2: 0 0\nMat temp 3: 21 22\nMat temp 3: -1 -2",
        Points_1 + " | env 20 100 50 20.75");
    row("key without colon", Environment + "Air temp: 20 21\nAir press 101.2\nAir humid: 40 40",
        Bad_Env.arg("20.5", "Air press 101.2"));
    row("one reading", Environment + "Air temp: 20.0", Bad_Env.arg("20", " 20.0"));
    row("bad reading", Environment + "Air humid: 40 n/a", Bad_Env.arg("20", " 40 n/a"));
    row("count only in deviations",
        "DEVIATIONS::\nTarget-count: 3\n" + File("Targets :\n0 50 100", Run_1),
        Untouched + "Parameter 'Target-count' not found in file.  Cannot process data.");

    // Letter case and white space do not matter.
    row("lower case, tabs, CRLF, blank lines",
        "target data::\r\n\r\ntarget-count:\t3\r\ntargets\t:\r\n0\t50 \t100\r\n  \t\r\neof::\r\n"
        "deviations::\r\nrun\ttarget  data\r\n1\t1\t0.001\r\n1 2 0.002\r\n\t1 3 0.003 \r\n"
        "environment::\r\nair temp: 21\t21\r\nfinal data\r\n",
        Points_1 + " | env 21 100 50 20");
}

void TRenishawReaderTest::read()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);

    TLaserFile file;
    file.d_data_section_1 = {{{-1, -1}}};
    file.d_data_section_3 = {{{-1, -1}}};
    file.d_has_environment = true;
    const bool read = file.Read_Renishaw_File(content);
    QCOMPARE(Summary(file, read), expected);
    QCOMPARE(file.d_data_section_3.empty(), read);
}

QTEST_GUILESS_MAIN(TRenishawReaderTest)
#include "tst_renishawreader.moc"
