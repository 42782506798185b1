#include "src/laserfile.h"
#include "testlocale.h"

#include <QtTest>

Q_DECLARE_METATYPE(TLaserSection)

namespace
{

QString Text(const TLaserRun& run)
{
    QStringList points;
    for (const TVector2& point : run)
        points << QString("(%1, %2)").arg(point.x).arg(point.y);
    return points.join(' ');
}

} // namespace

class TLaserFileTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Pin_German_Locale(); }
    void clear();
    void outOfRange();
    void mean_data();
    void mean();
};

// Clear leaves the environment flag and the message alone: every reader sets the flag
// afresh and every failing load sets the message.
void TLaserFileTest::clear()
{
    TLaserFile file;
    file.d_air_temperature = file.d_air_pressure = file.d_air_humidity = 1.0;
    file.d_material_temperature = 1.0;
    file.d_data_section_1 = file.d_data_section_2 = file.d_data_section_3 = {{{1, 2}}};
    file.d_file_name = "C:/data/axis.ang";
    QCOMPARE(file.File_Name(), QString("axis.ang"));
    file.d_file_type = API_XD_ANG;
    file.d_has_environment = true;
    file.d_error_message = "earlier failure";
    file.Clear();
    QCOMPARE(QVector<double>({file.d_air_temperature, file.d_air_pressure, file.d_air_humidity,
                              file.d_material_temperature}),
             QVector<double>({20.0, 100.0, 50.0, 20.0}));
    QCOMPARE(file.Run_Count(0) + file.Run_Count(1) + file.Run_Count(2), 0);
    QCOMPARE(file.Type_Description(), QString("Unknown file type or file not loaded."));
    QVERIFY(file.d_file_name.isEmpty() && file.d_has_environment);
    QCOMPARE(file.d_error_message, QString("earlier failure"));
}

// A kind outside the enumeration has no description and no labels; a section outside 0 to 2
// is "X" and has no data.
void TLaserFileTest::outOfRange()
{
    TLaserFile file;
    file.d_data_section_1 = {{{1, 1}}};
    file.d_file_type = static_cast<TLaserFileType>(7);
    QCOMPARE(file.Type_Description() + file.Section_Label(0), QString());
    file.d_file_type = static_cast<TLaserFileType>(-1);
    QCOMPARE(file.Type_Description() + file.Section_Label(2) + file.Section_Label(-1) +
                 file.Section_Label(3),
             QString("XX"));
    QCOMPARE(file.Run_Count(-1) + file.Run_Count(3), 0);
    QVERIFY(file.Section_Data(-1, -1).empty() && file.Section_Data(3, 0).empty());
}

void TLaserFileTest::mean_data()
{
    QTest::addColumn<TLaserSection>("runs");
    QTest::addColumn<QString>("mean");
    const auto row = [](const char* tag, const TLaserSection& runs, const char* mean)
    { QTest::newRow(tag) << runs << QString(mean); };
    row("no runs", TLaserSection(), "");
    // A point is divided by the runs that reached it, not by all runs.
    row("later run shorter", {{{1, 1}, {2, 2}, {3, 3}}, {{3, 3}, {4, 4}}}, "(2, 2) (3, 3) (3, 3)");
    row("middle run shorter, later run longer",
        {{{1, 1}, {2, 2}}, {{1, 3}}, {{1, 5}, {2, 4}, {3, 9}}}, "(1, 3) (2, 3)");
    // Finite values whose sum overflows still have a finite mean.
    row("sums beyond the largest double", {{{1e308, 1.7e308}, {1, 1}}, {{1e308, 1.7e308}, {1, 3}}},
        "(1e+308, 1.7e+308) (1, 2)");
    row("infinity stays", {{{0, qInf()}}, {{1e308, 1e308}}}, "(5e+307, inf)");
}

void TLaserFileTest::mean()
{
    QFETCH(TLaserSection, runs);
    QFETCH(QString, mean);

    TLaserFile file;
    file.d_data_section_2 = runs;
    QCOMPARE(Text(file.Section_Data(1, -1)), mean);
    QCOMPARE(Text(file.Section_Data(1, -7)), mean);
}

QTEST_GUILESS_MAIN(TLaserFileTest)
#include "tst_laserfile.moc"
