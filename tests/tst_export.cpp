#include "src/export.h"
#include "testlocale.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class TExportTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Pin_German_Locale(); }
    void deviationTextAndName();
    void allDataTable();
    void writeCsv();
};

// Five decimals, sign applied; only a dot in the file's own name starts its extension.
void TExportTest::deviationTextAndName()
{
    const TLaserRun mean = {{10, 0.001234}, {20, -0.5}, {0, 0.000005}, {1, -1e-9}};
    QCOMPARE(Deviation_Text(mean, 1.0), QString("0.00123\n-0.50000\n0.00001\n-0.00000\n"));
    QCOMPARE(Deviation_Text(mean, -1.0), QString("-0.00123\n0.50000\n-0.00001\n0.00000\n"));
    QCOMPARE(Suggested_Csv_Name("a/axis.run2.rtl", "L1"), QString("a/axis.run2 - L1.csv"));
    QCOMPARE(Suggested_Csv_Name("/v1.2/axis", "S1."), QString("/v1.2/axis - S1..csv"));
}

// Every run keeps its own column and a missing point leaves an empty cell; a row beyond the
// first run takes its position from the first run that reaches it.
void TExportTest::allDataTable()
{
    TLaserFile file;
    file.d_data_section_3 = {
        {{0, 1}, {10, 2}, {20, 3}}, {{0, 4}}, {{0, 6}, {11, 7}, {21, -8}, {31, 9}}};
    QStringList lines = {"0.00000,1.00000,4.00000,6.00000", "10.00000,2.00000,,7.00000",
                         "20.00000,3.00000,,-8.00000", "31.00000,,,9.00000"};
    QCOMPARE(All_Data_Table(file, 2, QLatin1Char(',')), lines);
    QCOMPARE(All_Data_Table(file, 2, QLatin1Char('\t')), lines.replaceInStrings(",", "\t"));
}

// An existing file is replaced as a whole, and no temporary file stays behind.
void TExportTest::writeCsv()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("axis - L1.csv");
    QVERIFY(Write_Csv(path, {"10.00000,0.10000", "20.00000,0.20000", "30.00000,0.30000"}));
    QVERIFY(Write_Csv(path, {"1.00000,2.00000", "3.00000,4.00000"}));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("1.00000,2.00000\n3.00000,4.00000\n"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"axis - L1.csv"});
}

QTEST_GUILESS_MAIN(TExportTest)
#include "tst_export.moc"
