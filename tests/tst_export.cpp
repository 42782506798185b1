#include "src/export.h"
#include "testlocale.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(TLaserRun)
Q_DECLARE_METATYPE(TLaserSection)

class TExportTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Pin_German_Locale(); }
    void deviationText_data();
    void deviationText();
    void allDataTable_data();
    void allDataTable();
    void suggestedName_data();
    void suggestedName();
    void writeCsv();
};

void TExportTest::deviationText_data()
{
    QTest::addColumn<TLaserRun>("mean");
    QTest::addColumn<double>("sign");
    QTest::addColumn<QString>("text");

    const TLaserRun mean = {{10, 0.001234}, {20, -0.5}};
    QTest::newRow("normal") << mean << 1.0 << "0.00123\n-0.50000\n";
    QTest::newRow("inverted") << mean << -1.0 << "-0.00123\n0.50000\n";
    QTest::newRow("empty") << TLaserRun() << 1.0 << "";
    QTest::newRow("rounding and large")
        << TLaserRun{{0, 0.000005}, {1, 12345678.123456}, {2, -1e-9}} << 1.0
        << "0.00001\n12345678.12346\n-0.00000\n";
}

void TExportTest::deviationText()
{
    QFETCH(TLaserRun, mean);
    QFETCH(double, sign);
    QFETCH(QString, text);
    QCOMPARE(Deviation_Text(mean, sign), text);
}

void TExportTest::allDataTable_data()
{
    QTest::addColumn<TLaserSection>("runs");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("two equal runs")
        << TLaserSection{{{10, 0.1}, {20, 0.2}}, {{10, 0.3}, {20, 0.4}}}
        << QStringList{"10.00000,0.10000,0.30000", "20.00000,0.20000,0.40000"};
    QTest::newRow("one run") << TLaserSection{{{-5.5, -1e-3}}} << QStringList{"-5.50000,-0.00100"};
    QTest::newRow("no runs") << TLaserSection() << QStringList();
    // Every run keeps its own column; a missing point leaves an empty cell.
    QTest::newRow("later run shorter")
        << TLaserSection{{{0, 1}, {10, 2}, {20, 3}}, {{0, 4}, {10, 5}}, {{0, 6}, {10, 7}, {20, 8}}}
        << QStringList{"0.00000,1.00000,4.00000,6.00000", "10.00000,2.00000,5.00000,7.00000",
                       "20.00000,3.00000,,8.00000"};
    // Rows beyond the first run take their position from the first run that reaches them.
    QTest::newRow("later run longer")
        << TLaserSection{{{0, 1}}, {{0, 2}, {10, 3}}, {{0, 4}, {11, 5}, {21, 6}}}
        << QStringList{"0.00000,1.00000,2.00000,4.00000", "10.00000,,3.00000,5.00000",
                       "21.00000,,,6.00000"};
    QTest::newRow("empty run between")
        << TLaserSection{{{0, 1}}, {}, {{0, 2}}} << QStringList{"0.00000,1.00000,,2.00000"};
}

void TExportTest::allDataTable()
{
    QFETCH(TLaserSection, runs);
    QFETCH(QStringList, lines);

    TLaserFile file;
    file.d_data_section_3 = runs;
    QCOMPARE(All_Data_Table(file, 2, QLatin1Char(',')), lines);
    QCOMPARE(All_Data_Table(file, 2, QLatin1Char('\t')).join('\n'),
             QString(lines.join('\n')).replace(',', '\t'));
}

void TExportTest::suggestedName_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("name");

    const auto row = [](const char* file, const char* label, const char* name)
    { QTest::newRow(file) << QString(file) << QString(label) << QString(name); };
    row("C:/data/axis.rtl", "L1", "C:/data/axis - L1.csv");
    row("C:/data/axis.run2.rtl", "L1", "C:/data/axis.run2 - L1.csv");
    // A dot in a folder name is not the start of an extension.
    row("C:/old.stuff/axis", "S1.", "C:/old.stuff/axis - S1..csv");
    row("/home/me/v1.2/axis.ang", "RB", "/home/me/v1.2/axis - RB.csv");
    row("axis.str", "YY", "axis - YY.csv");
}

void TExportTest::suggestedName()
{
    QFETCH(QString, file);
    QFETCH(QString, label);
    QFETCH(QString, name);
    QCOMPARE(Suggested_Csv_Name(file, label), name);
}

void TExportTest::writeCsv()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("axis - L1.csv");
    QVERIFY(Write_Csv(path, {"10.00000,0.10000", "20.00000,0.20000"}));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("10.00000,0.10000\n20.00000,0.20000\n"));
    file.close();

    // An existing file is replaced as a whole, and no temporary file stays behind.
    QVERIFY(Write_Csv(path, {"1.00000,2.00000"}));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("1.00000,2.00000\n"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"axis - L1.csv"});
}

QTEST_GUILESS_MAIN(TExportTest)
#include "tst_export.moc"
