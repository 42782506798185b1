#include "src/evaluation/evaluations.h"
#include "src/laserfile.h"
#include "src/output/evaluationtext.h"
#include "src/output/export.h"
#include "src/output/report.h"
#include "testlocale.h"

#include <QtTest>

namespace
{

// The counts and figures of the text (the second field of its lines 2 to 17), then after
// '|' the positions of its targets.
QString Summary(const QString& csv)
{
    const QStringList lines = csv.split('\n');
    QStringList figures, positions;
    for (int k = 1; k < 17; ++k)
        figures << lines.value(k).section(',', 1);
    for (int k = 19; k < lines.size() - 1; ++k)
        positions << lines[k].section(',', 1, 1);
    return figures.join(',') + '|' + positions.join(',');
}

// The text of `--iso230-2`.
QString Iso_Text(const TLaserFile& file)
{
    return Csv_Text(Iso_Csv_Lines(Evaluation_Named("iso230-2")->Evaluate(file, 0, {})));
}

} // namespace

// The report, the copies and tables, and the ISO 230-2 evaluation of a model.
class TOutputTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Pin_German_Locale(); }
    void report();
    void copies();
    void targets_data();
    void targets();
    void isoHandComputed();
    void iso_data();
    void iso();
};

// The mean of the section's runs: rounded half up, wider than the field when it must, no digit
// grouping. An environment reading that is no finite number is shown as Qt prints it, not
// refused; the rest of the environment block is checked on the example files.
void TOutputTest::report()
{
    TLaserFile file;
    file.d_file_name = "/data/cal/x axis.str";
    file.d_file_type = API_XD_STR;
    const TLaserRun run = {{-1500.25, -0.00001}, {0.00005, 12.34567}, {1e8, -98765432109876.5}};
    file.d_data_section_2 = {run, run};
    const QString rule = QString(38, '-');
    QCOMPARE(Report_Lines(file, 1).join('\n'),
             "Vantrel\n" + QString(38, '=') +
                 "\n\nInput File Name: /data/cal/x axis.str\nInput File Description: API XD "
                 "straightness data (STR).\nActive Section: YY\n\nMeasurement Data\n" +
                 rule + "\n\nNumber of Measurements: 2\n\n    Target           Mean Deviation\n" +
                 rule +
                 "\n -1500.2500            -0.0000\n     0.0001            12.3457\n"
                 "100000000.0000 -98765432109876.5000");
    file.d_file_type = API_XD_POS;
    file.d_has_environment = true;
    file.d_air_pressure = qQNaN();
    file.d_material_temperature = -qInf();
    const QStringList lines = Report_Lines(file, 0);
    QVERIFY(lines.contains("Air Pressure   : nan kPa") &&
            lines.contains(QString::fromUtf8("Mat Temperature: -inf \u02DAC")));
}

// Deviations: five decimals, sign applied; only a dot in the file's own name starts its
// extension. All data: one row per position, every run keeps its own column and a missing point
// leaves an empty cell. Runs at ever new positions (one-point passes here) make no table.
void TOutputTest::copies()
{
    const TLaserRun mean = {{10, 0.001234}, {20, -0.5}, {0, 0.000005}, {1, -1e-9}};
    QCOMPARE(Deviation_Text(mean, 1.0), QString("0.00123\n-0.50000\n0.00001\n-0.00000\n"));
    QCOMPARE(Deviation_Text(mean, -1.0), QString("-0.00123\n0.50000\n-0.00001\n0.00000\n"));
    QCOMPARE(Suggested_Csv_Name("a/axis.run2.rtl", "L1"), QString("a/axis.run2 - L1.csv"));
    QCOMPARE(Suggested_Csv_Name("/v1.2/axis", "S1."), QString("/v1.2/axis - S1..csv"));
    TLaserFile file;
    file.d_data_section_3 = {
        {{0, 1}, {10, 2}, {20, 3}}, {{0, 4}}, {{0, 6}, {11, 7}, {21, -8}, {31, 9}}};
    QStringList lines = QString("0.00000,1.00000,4.00000,6.00000|10.00000,2.00000,,|11.00000,,,"
                                "7.00000|20.00000,3.00000,,|21.00000,,,-8.00000|31.00000,,,9.00000")
                            .split('|');
    QCOMPARE(All_Data_Table(file, 2, QLatin1Char(',')), lines);
    QCOMPARE(All_Data_Table(file, 2, QLatin1Char('\t')), lines.replaceInStrings(",", "\t"));
    QByteArray zigzag = "Units: mm\nPosition Laser Error AirTemp MatTemp\n";
    for (int k = 0; k < 4000; ++k)
        zigzag += QByteArray::number(k % 2 ? k : 9999 - k) + " 0 1\n";
    QVERIFY(file.Load_Content("a.pos", zigzag));
    QCOMPARE(All_Data_Refusal(file, 0),
             "ERR:  The table of all runs would be too large: 4000 targets by 4000 runs.");
    QVERIFY(All_Data_Table(file, 0, QLatin1Char(',')).isEmpty());
}

// Files whose passes do not share their positions: the report's rows, "Dev. Normal" and the
// table, each line after '|'. Every target is a position; a run missing one leaves it out.
void TOutputTest::targets_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("section");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("normal");
    QTest::addColumn<QString>("table");
    // Passes at 0, 10, 20 and 30 mm, the last one falling from 30 to 20 only: at 0
    // (1 + 8 + 2) / 3, at 10 (2 + 7 + 3) / 3, at 20 (3 + 6 + 4 + 8) / 4, at 30 (4 + 5 + 5 + 9) / 4.
    QTest::newRow("aborted last pass")
        << "xd-aborted-last-pass.pos" << 0
        << "0.0000 3.6667|10.0000 4.0000|20.0000 5.2500|30.0000 5.7500"
        << "3.66667|4.00000|5.25000|5.75000"
        << "0.00000,1.00000,8.00000,2.00000,|10.00000,2.00000,7.00000,3.00000,|"
           "20.00000,3.00000,6.00000,4.00000,8.00000|30.00000,4.00000,5.00000,5.00000,9.00000";
    // A first pass falls from 30 to 10: the point at 30 is a run of its own (the file's first
    // point starts rising), (20, 10) the next; then 0 to 30 up and down. XX at 0 (4 + 11) / 2,
    // at 10 (3 + 5 + 10) / 3, at 20 (2 + 6 + 9) / 3, at 30 (1 + 7 + 8) / 3; YY is -XX.
    const QString first_table = "0.00000,,,~4.00000,~11.00000|10.00000,,~3.00000,~5.00000,"
                                "~10.00000|20.00000,,~2.00000,~6.00000,~9.00000|30.00000,"
                                "~1.00000,,~7.00000,~8.00000";
    for (const QString sign : {"", "-"})
        QTest::addRow("aborted first pass, section %d", int(sign.size()) + 1)
            << "xd-aborted-first-pass.str" << int(sign.size())
            << QString("0.0000 ~7.5000|10.0000 ~6.0000|20.0000 ~5.6667|30.0000 ~5.3333")
                   .replace('~', sign)
            << QString("~7.50000|~6.00000|~5.66667|~5.33333").replace('~', sign)
            << QString(first_table).replace('~', sign);
}

void TOutputTest::targets()
{
    QFETCH(QString, file);
    QFETCH(int, section);
    TLaserFile loaded;
    QVERIFY(loaded.Load(QFINDTESTDATA("data/" + file)));
    QTEST(Report_Lines(loaded, section).mid(14).join('|').simplified().replace("| ", "|"), "rows");
    QTEST(Deviation_Text(loaded.Section_Data(section, -1), 1.0).replace('\n', '|').chopped(1),
          "normal");
    QTEST(All_Data_Table(loaded, section, QLatin1Char(',')).join('|'), "table");
}

// The evaluation of a file worked out by hand (the derivation heads it), and of the same runs
// as the passes of a scale file: a step back of less than 0.5 turns a pass.
void TOutputTest::isoHandComputed()
{
    QFile expected(QFINDTESTDATA("data/iso-hand.csv"));
    TLaserFile file, passes;
    QVERIFY(expected.open(QIODevice::ReadOnly) && file.Load(QFINDTESTDATA("data/iso-hand.rtl")));
    QVERIFY(passes.Load_Content("a.pos", "Units: mm\nPosition Laser Error AirTemp MatTemp\n"
                                         "0 0 1\n10 0 2\n20 0 3\n20 0 2\n10 0 -1\n0 0 0\n"
                                         "0 0 3\n10 0 2\n20 0 5\n20 0 2\n10 0 1\n0 0 2\n"));
    const QString csv = QString::fromUtf8(expected.readAll());
    QCOMPARE(Iso_Text(file), csv);
    QCOMPARE(Iso_Text(passes), csv);
}

// The figures of the evaluation, or why it is refused.
void TOutputTest::iso_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("outcome");
    const auto row = [](const char* tag, const char* path, const QByteArray& content,
                        const char* outcome) { QTest::newRow(tag) << path << content << outcome; };
    const QByteArray rtl = "TARGET DATA::\nTarget-count: 3\nTargets :\n0 10 20\nEOF::\n"
                           "DEVIATIONS::\nRun Target Data\n";
    const QByteArray up_1 = "1 1 1\n1 2 2\n1 3 3\n", up_2 = "3 1 3\n3 2 2\n3 3 5\n";
    const QByteArray down_1 = "2 3 2\n2 2 -1\n2 1 0\n", down_2 = "4 3 2\n4 2 1\n4 1 2\n";
    const QByteArray pos = "Units: mm\nPosition Laser Error AirTemp MatTemp\n";

    // A down = (1 + 2r) - (0 - 2r), E down = 2 - 0, R down = 4r, as in the hand case.
    row("down only", "a.rtl", rtl + down_1 + down_2,
        "3,0,2,0,,,6.65685424949,,,,,2,,,,5.65685424949|0,10,20");
    // Down (0, -1, 2) alone has no s: B_i (2, 3, 2), B mean 7/3, E = 4 - (-1), E down = 2 - (-1),
    // mean (1, 0.5, 3) so M = 2.5; the up figures of the hand case.
    row("one run down", "a.rtl", rtl + up_1 + down_1 + up_2,
        "3,2,1,0,,7.65685424949,,3,2.33333333333,5,2,3,2.5,,5.65685424949,|0,10,20");
    // Passes (0, 10) up, left out; (9.6, 4, 1) down and (1.2, 4, 9.6) up: the positions are
    // those of the first run evaluated. B_i = 2 - 1, E = 2 - 1, M = 1.5 - 1.5.
    row("runs left out", "a.pos",
        pos + "0 0 5\n10 0 5\n9.6 0 1\n4 0 1\n1 0 1\n1.2 0 2\n4 0 2\n9.6 0 2\n",
        "3,1,1,1,,,,1,1,1,0,0,0,,,|1,4,9.6");
    // Targets written from 20 down to 0: runs 1 and 3 move down, 2 and 4 up. The hand case
    // with the directions swapped: B_i = up - down = (-1, -2, -2), A up = 1 + 4r, A down = 2 + 4r.
    row("falling target list", "a.rtl",
        QByteArray(rtl).replace("0 10 20", "20 10 0") + up_1 + down_1 + up_2 + down_2,
        "3,2,2,0,9.65685424949,6.65685424949,7.65685424949,2,-1.66666666667,4,2,2,2,"
        "6.65685424949,5.65685424949,5.65685424949|20,10,0");
    row("angular", "a.rta", rtl + up_1,
        "ERR:  ISO 230-2 evaluation needs a linear positioning file (RTL or POS).");
    row("no run", "a.rtl", rtl, "0,0,0,0,,,,,,,,,,,,|");
}

void TOutputTest::iso()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, content);
    TLaserFile file;
    QVERIFY(file.Load_Content(path, content));
    const QString refusal = Evaluation_Refusal(*Evaluation_Named("iso230-2"), file);
    QTEST(refusal.isEmpty() ? Summary(Iso_Text(file)) : refusal, "outcome");
}

QTEST_GUILESS_MAIN(TOutputTest)
#include "tst_output.moc"
