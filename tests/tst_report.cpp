#include "src/laserfile.h"
#include "src/report.h"
#include "testlocale.h"

#include <QtTest>

#include <limits>

class TReportTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Pin_German_Locale(); }
    void wholeReport();
    void oddEnvironment();
};

// The rows of the mean of the section's runs: rounded half up, wider than the field when they
// must, with no digit grouping. The environment block is checked on the example files.
void TReportTest::wholeReport()
{
    TLaserFile file;
    file.d_file_name = "/data/cal/x axis.str";
    file.d_file_type = API_XD_STR;
    const TLaserRun run = {{-1500.25, 12.34567},
                           {0.00005, 1.23456},
                           {1, -0.00001},
                           {12345.5, 1234567.0},
                           {123456789.0, -98765432109876.5}};
    file.d_data_section_2 = {run, run};
    const QStringList expected = {
        "Vantrel",
        "======================================",
        "",
        "Input File Name: /data/cal/x axis.str",
        "Input File Description: API XD straightness data (STR).",
        "Active Section: YY",
        "",
        "Measurement Data",
        "--------------------------------------",
        "",
        "Number of Measurements: 2",
        "",
        "    Target           Mean Deviation",
        "--------------------------------------",
        " -1500.2500            12.3457",
        "     0.0001             1.2346",
        "     1.0000            -0.0000",
        " 12345.5000       1234567.0000",
        "123456789.0000 -98765432109876.5000",
    };
    QCOMPARE(Report_Lines(file, 1), expected);
}

// A reading that is no finite number is shown as Qt prints it, not refused.
void TReportTest::oddEnvironment()
{
    TLaserFile file;
    file.d_file_type = API_XD_POS;
    file.d_has_environment = true;
    file.d_air_pressure = std::numeric_limits<double>::quiet_NaN();
    file.d_material_temperature = -std::numeric_limits<double>::infinity();
    const QStringList lines = Report_Lines(file, 0);
    QVERIFY(lines.contains("Air Pressure   : nan kPa"));
    QVERIFY(lines.contains(QString::fromUtf8("Mat Temperature: -inf \u02DAC")));
}

QTEST_GUILESS_MAIN(TReportTest)
#include "tst_report.moc"
