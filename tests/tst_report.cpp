#include "src/laserfile.h"
#include "src/report.h"
#include "testlocale.h"

#include <QtTest>

class TReportTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Pin_German_Locale(); }
    void wholeReportWithoutEnvironment();
    void environmentBlock();
    void rows_data();
    void rows();
    void sectionWithoutRuns();
};

void TReportTest::wholeReportWithoutEnvironment()
{
    TLaserFile file;
    file.d_file_name = "/data/cal/x axis.rtl";
    file.d_file_type = Renishaw_RTL;
    file.d_data_section_1 = {{{0, 1.5}, {100, -0.0123}}, {{0, 2.5}, {100, -0.0125}}};

    const QStringList expected = {
        "Vantrel",
        "======================================",
        "",
        "Input File Name: /data/cal/x axis.rtl",
        "Input File Description: Renishaw ML10/XL80 linear data (RTL).",
        "Active Section: L1",
        "",
        "Measurement Data",
        "--------------------------------------",
        "",
        "Number of Measurements: 2",
        "",
        "    Target           Mean Deviation",
        "--------------------------------------",
        "     0.0000             2.0000",
        "   100.0000            -0.0124",
    };
    QCOMPARE(Report_Lines(file, 0), expected);
}

void TReportTest::environmentBlock()
{
    TLaserFile file;
    file.d_file_type = API_XD_POS;
    file.d_has_environment = true;
    file.d_air_temperature = 20.5;
    file.d_air_pressure = 101.325;
    file.d_air_humidity = 45;
    file.d_material_temperature = 20;

    const QStringList lines = Report_Lines(file, 0);
    const int start = lines.indexOf("Environmental Data");
    QCOMPARE(start, 7);
    const QStringList block = lines.mid(start, 9);
    const QStringList expected = {
        "Environmental Data",
        "--------------------------------------",
        "",
        QString::fromUtf8("Air Temperature: 20.50 \xCB\x9A"
                          "C"),
        "Air Pressure   : 101.325 kPa",
        "Air Humidity   : 45.0 %",
        QString::fromUtf8("Mat Temperature: 20.00 \xCB\x9A"
                          "C"),
        "",
        "Measurement Data",
    };
    QCOMPARE(block, expected);
    QCOMPARE(lines.at(start + 3).at(23), QChar(0x02DA));
}

void TReportTest::rows_data()
{
    QTest::addColumn<double>("position");
    QTest::addColumn<double>("deviation");
    QTest::addColumn<QString>("row");

    const auto row = [](const char* tag, double position, double deviation, const char* text)
    { QTest::newRow(tag) << position << deviation << QString(text); };
    row("zero", 0.0, 0.0, "     0.0000             0.0000");
    row("negative deviation", 100.0, -0.0123, "   100.0000            -0.0123");
    row("negative position", -1500.25, 12.34567, " -1500.2500            12.3457");
    row("rounded half up", 0.00005, 1.23456, "     0.0001             1.2346");
    row("wider than the field", 123456789.0, -98765432109876.5,
        "123456789.0000 -98765432109876.5000");
    row("tiny negative", 1.0, -0.00001, "     1.0000            -0.0000");
    row("no digit grouping", 12345.5, 1234567.0, " 12345.5000       1234567.0000");
}

void TReportTest::rows()
{
    QFETCH(double, position);
    QFETCH(double, deviation);
    QFETCH(QString, row);

    TLaserFile file;
    file.d_data_section_2 = {{{position, deviation}}};
    const QStringList lines = Report_Lines(file, 1);
    QCOMPARE(lines.last(), row);
}

void TReportTest::sectionWithoutRuns()
{
    TLaserFile file;
    file.d_file_type = API_XD_STR;
    file.d_data_section_1 = {{{0, 1}}};
    const QStringList lines = Report_Lines(file, 2);
    QCOMPARE(lines.at(5), QString("Active Section: X"));
    QCOMPARE(lines.at(10), QString("Number of Measurements: 0"));
    QCOMPARE(lines.last(), QString("--------------------------------------"));
    QCOMPARE(lines.size(), 14);
}

QTEST_GUILESS_MAIN(TReportTest)
#include "tst_report.moc"
