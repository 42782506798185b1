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
const QByteArray Head = File("Target-count: 3\nTargets :\n0.0 50.0 100.0\nEOF::", "");
const QString Points_1 = "0:0.001 50:0.002 100:0.003";

void Row(const char* tag, const QByteArray& content, const QString& expected = Points_1)
{
    QTest::newRow(tag) << content << expected;
}

QByteArray Environment(const QByteArray& lines)
{
    return Head + Run_1 + "EOF::\nENVIRONMENT::\n" + lines;
}

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
    void initTestCase();
    void read_data();
    void read();
    void targetCount_data();
    void targetCount();
};

void TRenishawReaderTest::initTestCase()
{
    Pin_German_Locale();
}

void TRenishawReaderTest::read_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    const QString Untouched = "-1:-1 | ";
    const QString No_Count =
        Untouched + "Parameter 'Target-count' not found in file.  Cannot process data.";

    // Arranging records into runs.
    Row("rising run, EOF:: ends the records", Head + Run_1 + "EOF::\n2 1 9\n2 2 9\n2 3 9");
    Row("order 1 3 2 gives 2 1 3", Head + "1 1 0.001\n1 3 0.003\n1 2 0.002",
        "0:0.002 50:0.001 100:0.003");
    Row("runs in file order, falling 3 2 1 rises", Head + Run_1 + "2 3 -0.3\n2 2 -0.2\n2 1 -0.1",
        Points_1 + "; 0:-0.1 50:-0.2 100:-0.3");
    Row("run number seen twice",
        Head + "1 1 0.001\n1 2 0.002\n2 1 0.1\n2 2 0.2\n2 3 0.3\n1 3 0.003",
        "0:0.1 50:0.2 100:0.3");
    Row("short, long and all-zero runs dropped",
        Head + "2 1 0.1\n2 2 0.2\n3 1 1\n3 2 1\n3 3 1\n3 4 1\n4 1 0\n4 2 1e-7\n4 3 -1e-7\n" +
            Run_1);
    Row("one deviation above 1e-7", Head + "1 1 0\n1 2 -1.5e-7\n1 3 0", "0:0 50:-1.5e-07 100:0");
    Row("no records", Head, "");
    Row("short lines skipped, extra fields ignored",
        Head + "Run 1\n1 1 0.001 20.1 C\n1 2 0.002 20.1 C\n1 3 0.003 20.2 C");
    // A record that does not convert ends reading but is no failure.
    Row("caption stops reading",
        Head + Run_1 + "Mean of runs\n" + "2 1 0.1\n2 2 0.2\n2 3 0.3\nENVIRONMENT::\n");
    Row("second Run Target Data stops reading",
        Head + Run_1 + "Run Target Data\n2 1 0.1\n2 2 0.2\n2 3 0.3");
    Row("run number beyond int", Head + Run_1 + "2147483648 1 1\n");
    Row("deviation beyond double", Head + Run_1 + "2 1 1e999\n");

    // Target lists.
    Row("list over lines", File("Target-count: 3\nTargets :\n0.0\n50.0 100.0", Run_1));
    Row("numbers on the Targets line", File("Target-count: 3\nTargets : 7 8 9\n0 50 100", Run_1));
    Row("list ends at a word",
        File("Target-count: 3\nTargets :\n0 50 end 100\n200", "2 1 0.1\n2 2 0.2\n" + Run_1),
        "0:0.1 50:0.2");
    Row("count after the numbers", File("Targets :\n0 50 100\nTarget-count: 3\n7 8 9", Run_1));
    Row("more positions than count",
        File("Target-count: 2\nTargets :\n0 50 100", Run_1 + "2 1 0.1\n2 2 0.2"), "0:0.1 50:0.2");
    Row("fewer positions than count", File("Target-count: 4\nTargets :\n0 50 100", Run_1));
    Row("later count replaces",
        File("Target-count: 2\nTarget-count: 3\nTargets :\n0 50 100", Run_1));
    Row("no Targets line", File("Target-count: 3", Run_1), "");
    Row("keywords outside any section",
        "Target-count = 3\nTargets:\n0 50 100\nEOF::\nRun Target Data\n" + Run_1);
    Row("Run Target Data right after the numbers",
        "TARGET DATA::\nTarget-count: 3\nTargets :\n0 50 100\nRun Target Data\n" + Run_1, "");

    // Environment.
    Row("means, later lines, other lines",
        Environment("Air temp: 20.0 20.4 C\nAir press: 101.2 101.4\nAir press: 99 100\n"
                    "Air humid: 45 47\nLaser: XL-80: 1\nMat temp 4: x"),
        Points_1 + " | env 20.2 99.5 46 20");
    Row("header alone", Environment(""), Points_1 + " | env 20 100 50 20");
    Row("Final Data", Environment("Air temp: 20 21\nFinal Data\nAir temp: 30 31"),
        Points_1 + " | env 20.5 100 50 20");
    Row("sensors 1 and 3", Environment("Mat temp 1: 20 20\nMat temp 2: 0 0\nMat temp 3: 21 21"),
        Points_1 + " | env 20 100 50 20.5");
    Row("three sensors", Environment("Mat temp 1: 20 20\nMat temp 2: 21 21\nMat temp 3: 22.5 22.5"),
        Points_1 + " | env 20 100 50 21.1667");
    Row("sensor at zero keeps earlier",
        Environment("Mat temp 2: 19 20\nMat temp 2: 0 0\nMat temp 2: -1 -2"),
        Points_1 + " | env 20 100 50 19.5");

    // Failures: reading stops, the sections stay, earlier environment values stay.
    const QString Bad_Environment =
        Untouched + "env %1 100 50 20 | Unexpected text in ENVIRONMENT:: section: '%2'";
    Row("key without colon",
        Environment("Air temp: 20 21\nAir press 101.2 101.4\nAir humid: 40 40"),
        Bad_Environment.arg("20.5", "Air press 101.2 101.4"));
    Row("key with two colons", Environment("Air temp: 20: 21"),
        Bad_Environment.arg("20", "Air temp: 20: 21"));
    Row("one reading", Environment("Air temp: 20.0"), Bad_Environment.arg("20", " 20.0"));
    Row("bad reading", Environment("Air humid: 40 n/a"), Bad_Environment.arg("20", " 40 n/a"));
    Row("nothing after colon", Environment("Mat temp 1:"), Bad_Environment.arg("20", ""));
    Row("bad count after environment",
        "ENVIRONMENT::\nAir temp: 22 22\nFinal Data\nTarget-count: 0.6\n" + Head,
        Untouched +
            "env 22 100 50 20 | Unexpected text in TARGET DATA:: section: 'Target-count: 0.6'");
    Row("no count", File("Targets :\n0 50 100", Run_1), No_Count);
    Row("count in deviations",
        "DEVIATIONS::\nTarget-count: 3\n" + File("Targets :\n0 50 100", Run_1), No_Count);

    // Letter case, white space and junk.
    Row("lower case",
        "target data::\ntarget-count: 3\ntargets:\n0 50 100\neof::\n"
        "deviations::\nrun target data\n" +
            Run_1 + "environment::\nair temp: 21 21\nfinal data\n",
        Points_1 + " | env 21 100 50 20");
    Row("tabs, CRLF, blank lines",
        QByteArray("TARGET DATA::\r\n\r\nTarget-count:\t3\r\nTargets\t:\r\n0\t50 \t100\r\n"
                   "  \t\r\nDEVIATIONS::\r\nRun\tTarget  Data\r\n1\t1\t0.001\r\n1 2 0.002\r\n"
                   "\t1 3 0.003 \r\n"));
    // A lone CR ends no line: the whole file is its first line.
    Row("lone CR", QByteArray(Head + Run_1).replace('\n', '\r'), No_Count);
    Row("empty", QByteArray(), No_Count);
    Row("binary junk", QByteArray("\0\xff\xfe\r\n\x80TARGET DATA::\0\n\x01", 22), No_Count);
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
    QVERIFY(file.d_data_section_2.empty());
    QCOMPARE(file.d_file_type, Unknown_Type);
}

void TRenishawReaderTest::targetCount_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("count"); // 0: the line fails

    const std::pair<const char*, int> Rows[] = {
        {"Target-count: 11", 11},      {"Target-count : 11", 11},
        {"Target-count = 11", 11},     {"Target-count=11", 11},
        {"Target-count: 10.5", 11},    {"Target-count: 10.4", 10},
        {"Target-count: 1.4", 1},      {"Target-count: 2147483647.4", 2147483647},
        {"Target-count: 0.6", 0},      {"Target-count:", 0},
        {"Target-count 11", 0},        {"Target-count: 11: 12", 0},
        {"Target-count = 11 = 12", 0}, {"Target-count: eleven", 0},
        {"Target-count: 10,5", 0},     {"Target-count: inf", 0},
        {"Target-count: -inf", 0},     {"Target-count = nan", 0},
        {"Target-count: 1e12", 0},     {"Target-count: 2147483647.5", 0}};
    for (const auto& row : Rows)
        QTest::newRow(row.first) << QString(row.first) << row.second;
}

// Twelve positions and twelve runs of 1 to 12 records: the count decides the one run kept.
void TRenishawReaderTest::targetCount()
{
    QFETCH(QString, line);
    QFETCH(int, count);

    QByteArray records;
    for (int run = 1; run <= 12; ++run)
        for (int target = 1; target <= run; ++target)
            records += QByteArray::number(run) + ' ' + QByteArray::number(target) + " 0.5\n";
    TLaserFile file;
    const bool read = file.Read_Renishaw_File(
        File(line.toLatin1() + "\nTargets :\n0 1 2 3 4 5 6 7 8 9 10 11", records));
    QCOMPARE(read, count > 0);
    if (read)
    {
        QCOMPARE(file.Run_Count(0), 1);
        QCOMPARE(file.d_data_section_1[0].size(), static_cast<std::size_t>(std::min(count, 12)));
    }
    else
        QCOMPARE(file.d_error_message,
                 QString("Unexpected text in TARGET DATA:: section: '%1'").arg(line));
}

QTEST_GUILESS_MAIN(TRenishawReaderTest)
#include "tst_renishawreader.moc"
