#include "src/laserfile.h"
#include "testlocale.h"

#include <QtTest>

#include <limits>

Q_DECLARE_METATYPE(TLaserSection)

namespace
{

// The points as text, to compare runs in one step.
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
    void kinds_data();
    void kinds();
    void runsAndSections();
    void mean_data();
    void mean();
    void fileName_data();
    void fileName();
};

void TLaserFileTest::clear()
{
    TLaserFile file;
    QCOMPARE(file.d_has_environment, false);
    QVERIFY(file.d_error_message.isEmpty());
    file.d_air_temperature = file.d_air_pressure = file.d_air_humidity = 1.0;
    file.d_material_temperature = 1.0;
    file.d_data_section_1 = file.d_data_section_2 = file.d_data_section_3 = {{{1, 2}}};
    file.d_file_name = "C:/data/axis.ang";
    file.d_file_type = API_XD_ANG;
    file.d_has_environment = true;
    file.d_error_message = "earlier failure";

    file.Clear();
    QCOMPARE(QVector<double>({file.d_air_temperature, file.d_air_pressure, file.d_air_humidity,
                              file.d_material_temperature}),
             QVector<double>({20.0, 100.0, 50.0, 20.0}));
    QCOMPARE(file.Run_Count(0) + file.Run_Count(1) + file.Run_Count(2), 0);
    QVERIFY(file.d_file_name.isEmpty());
    QCOMPARE(file.d_file_type, Unknown_Type);
    // Every reader sets the flag afresh and every failing load sets the message.
    QCOMPARE(file.d_has_environment, true);
    QCOMPARE(file.d_error_message, QString("earlier failure"));
}

void TLaserFileTest::kinds_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("labels");

    QTest::newRow("unknown") << 0 << "Unknown file type or file not loaded."
                             << "X X X";
    QTest::newRow("RTL") << 1 << "Renishaw ML10/XL80 linear data (RTL)."
                         << "L1 X X";
    QTest::newRow("RTA") << 2 << "Renishaw ML10/XL80 angular data (RTA)."
                         << "A1 X X";
    QTest::newRow("STx") << 3 << "Renishaw ML10/XL80 straightness data (STx)."
                         << "S1. X X";
    QTest::newRow("POS") << 4 << "API XD scale data (POS)."
                         << "L1 X X";
    QTest::newRow("STR") << 5 << "API XD straightness data (STR)."
                         << "XX YY X";
    QTest::newRow("ANG") << 6 << "API XD angular data (ANG)."
                         << "RA RB RC";
    // A value outside the enumeration has no description and no labels of its own.
    QTest::newRow("beyond the last kind") << 7 << ""
                                          << "  ";
    QTest::newRow("negative kind") << -1 << ""
                                   << "  ";
}

void TLaserFileTest::kinds()
{
    QFETCH(int, type);
    QFETCH(QString, description);
    QFETCH(QString, labels);

    TLaserFile file;
    file.d_file_type = static_cast<TLaserFileType>(type);
    QCOMPARE(file.Type_Description(), description);
    QCOMPARE(QStringList({file.Section_Label(0), file.Section_Label(1), file.Section_Label(2)})
                 .join(' '),
             labels);
    // Sections outside 0 to 2 are "X" whatever the kind.
    QCOMPARE(file.Section_Label(-1) + file.Section_Label(3), QString("XX"));
}

void TLaserFileTest::runsAndSections()
{
    TLaserFile file;
    file.d_data_section_1 = {{{1, 1}}, {{1, 2}}, {{1, 3}}};
    file.d_data_section_3 = {{{1, 1}, {2, 2}}, {{1, -3}, {2, -4}}};
    QCOMPARE(QVector<int>({file.Run_Count(0), file.Run_Count(1), file.Run_Count(2)}),
             QVector<int>({3, 0, 2}));
    QCOMPARE(Text(file.Section_Data(2, 1)), QString("(1, -3) (2, -4)"));
    // An empty section has an empty mean; sections outside 0 to 2 have nothing.
    QVERIFY(file.Section_Data(1, -1).empty());
    for (int section : {-1, 3, 30})
    {
        QCOMPARE(file.Run_Count(section), 0);
        QVERIFY(file.Section_Data(section, -1).empty());
        QVERIFY(file.Section_Data(section, 5).empty());
    }
}

void TLaserFileTest::mean_data()
{
    QTest::addColumn<TLaserSection>("runs");
    QTest::addColumn<QString>("mean");

    QTest::newRow("no runs") << TLaserSection() << "";
    QTest::newRow("one run") << TLaserSection{{{0, 0.5}, {10, -0.25}}} << "(0, 0.5) (10, -0.25)";
    QTest::newRow("equal runs") << TLaserSection{{{1, 2}, {2, 4}}, {{1, 4}, {2, 8}}}
                                << "(1, 3) (2, 6)";
    QTest::newRow("positions averaged too")
        << TLaserSection{{{0, 1}, {10, 1}}, {{0.5, 2}, {11, 1}}, {{1, 3}, {12, 1}}}
        << "(0.5, 2) (11, 1)";
    // A point is divided by the runs that reached it, not by all runs.
    QTest::newRow("later run shorter")
        << TLaserSection{{{1, 1}, {2, 2}, {3, 3}}, {{1, 3}, {2, 4}}} << "(1, 2) (2, 3) (3, 3)";
    QTest::newRow("middle run shorter")
        << TLaserSection{{{1, 3}, {2, 3}}, {{1, 6}}, {{1, 0}, {2, 9}}} << "(1, 3) (2, 6)";
    QTest::newRow("later run longer")
        << TLaserSection{{{1, 1}, {2, 2}}, {{1, 3}, {2, 4}, {3, 9}}} << "(1, 2) (2, 3)";
    QTest::newRow("empty later run") << TLaserSection{{{1, 1}, {2, 2}}, {}} << "(1, 1) (2, 2)";
    QTest::newRow("empty first run") << TLaserSection{{}, {{1, 1}}} << "";
    // Finite values whose sum overflows still have a finite mean.
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("sums beyond the largest double")
        << TLaserSection{{{1e308, 1.7e308}, {1, 1}}, {{1e308, 1.7e308}, {1, 3}}}
        << "(1e+308, 1.7e+308) (1, 2)";
    QTest::newRow("largest negative doubles")
        << TLaserSection{{{-1.7e308, -1e308}}, {{-1.7e308, -1.5e308}}, {{0, 0}}}
        << "(-1.13333e+308, -8.33333e+307)";
    QTest::newRow("infinity stays")
        << TLaserSection{{{0, inf}}, {{1e308, 1e308}}} << "(5e+307, inf)";
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

void TLaserFileTest::fileName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");

    QTest::newRow("drive path") << QString("C:/data/axis.rtl") << QString("axis.rtl");
    QTest::newRow("bare name") << QString("axis.rtl") << QString("axis.rtl");
    QTest::newRow("folder only") << QString("/home/me/") << QString("");
    // Only '/' separates; a model path always has Qt's separators.
    QTest::newRow("backslashes") << QString("C:\\data\\axis.rtl") << QString("C:\\data\\axis.rtl");
    QTest::newRow("nothing loaded") << QString("") << QString("");
}

void TLaserFileTest::fileName()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    TLaserFile file;
    file.d_file_name = path;
    QCOMPARE(file.File_Name(), name);
}

QTEST_GUILESS_MAIN(TLaserFileTest)
#include "tst_laserfile.moc"
