#include "src/laserfile.h"
#include "testlocale.h"

#include <QtTest>

#include <limits>

Q_DECLARE_METATYPE(TLaserRun)
Q_DECLARE_METATYPE(TLaserSection)

namespace
{

QByteArray Text(const TLaserRun& run)
{
    QByteArray text;
    for (const TVector2& point : run)
        text += "(" + QByteArray::number(point.x, 'g', 17) + ", " +
                QByteArray::number(point.y, 'g', 17) + ") ";
    return text;
}

const double Inf = std::numeric_limits<double>::infinity();

TLaserRun Run(std::initializer_list<TVector2> points)
{
    return TLaserRun(points);
}

} // namespace

class TLaserFileTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void newFileIsCleared();
    void clearKeepsFlagAndMessage();
    void kinds_data();
    void kinds();
    void runCounts();
    void outOfRangeSections_data();
    void outOfRangeSections();
    void copyOfRun();
    void mean_data();
    void mean();
    void fileName_data();
    void fileName();
};

void TLaserFileTest::initTestCase()
{
    Pin_German_Locale();
}

void TLaserFileTest::newFileIsCleared()
{
    const TLaserFile file;
    QCOMPARE(file.d_air_temperature, 20.0);
    QCOMPARE(file.d_air_pressure, 100.0);
    QCOMPARE(file.d_air_humidity, 50.0);
    QCOMPARE(file.d_material_temperature, 20.0);
    QVERIFY(file.d_data_section_1.empty());
    QVERIFY(file.d_data_section_2.empty());
    QVERIFY(file.d_data_section_3.empty());
    QVERIFY(file.d_file_name.isEmpty());
    QCOMPARE(file.d_file_type, Unknown_Type);
    QCOMPARE(file.d_has_environment, false);
    QVERIFY(file.d_error_message.isEmpty());
    QCOMPARE(file.Type_Description(), QString("Unknown file type or file not loaded."));
    QCOMPARE(file.File_Name(), QString());
}

void TLaserFileTest::clearKeepsFlagAndMessage()
{
    TLaserFile file;
    file.d_air_temperature = 21.5;
    file.d_air_pressure = 99.1;
    file.d_air_humidity = 30.0;
    file.d_material_temperature = 19.0;
    file.d_data_section_1.push_back(Run({{1, 2}}));
    file.d_data_section_2.push_back(Run({{1, 2}}));
    file.d_data_section_3.push_back(Run({{1, 2}}));
    file.d_file_name = "C:/data/axis.ang";
    file.d_file_type = API_XD_ANG;
    file.d_has_environment = true;
    file.d_error_message = "earlier failure";

    file.Clear();
    QCOMPARE(file.d_air_temperature, 20.0);
    QCOMPARE(file.d_air_pressure, 100.0);
    QCOMPARE(file.d_air_humidity, 50.0);
    QCOMPARE(file.d_material_temperature, 20.0);
    QCOMPARE(file.Run_Count(0) + file.Run_Count(1) + file.Run_Count(2), 0);
    QVERIFY(file.d_file_name.isEmpty());
    QCOMPARE(file.d_file_type, Unknown_Type);
    // Every parser sets the flag afresh and every failing load sets the message.
    QCOMPARE(file.d_has_environment, true);
    QCOMPARE(file.d_error_message, QString("earlier failure"));
}

void TLaserFileTest::kinds_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QStringList>("labels");

    QTest::newRow("unknown") << 0 << "Unknown file type or file not loaded."
                             << QStringList{"X", "X", "X"};
    QTest::newRow("RTL") << 1 << "Renishaw ML10/XL80 linear data (RTL)."
                         << QStringList{"L1", "X", "X"};
    QTest::newRow("RTA") << 2 << "Renishaw ML10/XL80 angular data (RTA)."
                         << QStringList{"A1", "X", "X"};
    QTest::newRow("STx") << 3 << "Renishaw ML10/XL80 straightness data (STx)."
                         << QStringList{"S1.", "X", "X"};
    QTest::newRow("POS") << 4 << "API XD scale data (POS)." << QStringList{"L1", "X", "X"};
    QTest::newRow("STR") << 5 << "API XD straightness data (STR)." << QStringList{"XX", "YY", "X"};
    QTest::newRow("ANG") << 6 << "API XD angular data (ANG)." << QStringList{"RA", "RB", "RC"};
    // A value outside the enumeration has no description and no labels of its own.
    QTest::newRow("beyond the last kind") << 7 << "" << QStringList{"", "", ""};
    QTest::newRow("negative kind") << -1 << "" << QStringList{"", "", ""};
}

void TLaserFileTest::kinds()
{
    QFETCH(int, type);
    QFETCH(QString, description);
    QFETCH(QStringList, labels);

    TLaserFile file;
    file.d_file_type = static_cast<TLaserFileType>(type);
    QCOMPARE(file.Type_Description(), description);
    for (int section = 0; section < 3; ++section)
        QCOMPARE(file.Section_Label(section), labels[section]);
    // Sections outside 0 to 2 are "X" whatever the kind.
    QCOMPARE(file.Section_Label(-1), QString("X"));
    QCOMPARE(file.Section_Label(3), QString("X"));
    QCOMPARE(file.Section_Label(1000), QString("X"));
}

void TLaserFileTest::runCounts()
{
    TLaserFile file;
    file.d_data_section_1 = {Run({{1, 1}}), Run({{1, 2}}), Run({{1, 3}})};
    file.d_data_section_3 = {Run({{1, 1}})};
    QCOMPARE(file.Run_Count(0), 3);
    QCOMPARE(file.Run_Count(1), 0);
    QCOMPARE(file.Run_Count(2), 1);
}

void TLaserFileTest::outOfRangeSections_data()
{
    QTest::addColumn<int>("section");
    QTest::newRow("-1") << -1;
    QTest::newRow("3") << 3;
    QTest::newRow("large") << 30;
}

void TLaserFileTest::outOfRangeSections()
{
    QFETCH(int, section);
    TLaserFile file;
    file.d_data_section_1 = {Run({{1, 1}})};
    file.d_data_section_2 = {Run({{1, 1}})};
    file.d_data_section_3 = {Run({{1, 1}})};
    QCOMPARE(file.Run_Count(section), 0);
    QVERIFY(file.Section_Data(section, -1).empty());
    QVERIFY(file.Section_Data(section, 0).empty());
    QVERIFY(file.Section_Data(section, 5).empty());
}

void TLaserFileTest::copyOfRun()
{
    TLaserFile file;
    file.d_data_section_2 = {Run({{1, 1}, {2, 2}}), Run({{1, -3}, {2, -4}})};
    const TLaserRun run = file.Section_Data(1, 1);
    QCOMPARE(Text(run), Text(Run({{1, -3}, {2, -4}})));
    // A Renishaw file leaves the second section empty: its mean is empty too.
    QVERIFY(file.Section_Data(0, -1).empty());
    QCOMPARE(file.Run_Count(0), 0);
}

void TLaserFileTest::mean_data()
{
    QTest::addColumn<TLaserSection>("runs");
    QTest::addColumn<TLaserRun>("expected");

    QTest::newRow("no runs") << TLaserSection() << TLaserRun();
    QTest::newRow("one run") << TLaserSection{Run({{0, 0.5}, {10, -0.25}})}
                             << Run({{0, 0.5}, {10, -0.25}});
    QTest::newRow("two equal-length runs")
        << TLaserSection{Run({{1, 2}, {2, 4}}), Run({{1, 4}, {2, 8}})} << Run({{1, 3}, {2, 6}});
    QTest::newRow("three runs") << TLaserSection{Run({{0, 1}}), Run({{0, 2}}), Run({{0, 6}})}
                                << Run({{0, 3}});
    // Positions that differ from run to run are averaged like the deviations.
    QTest::newRow("positions averaged")
        << TLaserSection{Run({{0.0, 1}, {10.0, 1}}), Run({{0.2, 1}, {10.4, 1}})}
        << Run({{0.1, 1}, {10.2, 1}});
    // A point is divided by the runs that reached it, not by all runs.
    QTest::newRow("later run shorter")
        << TLaserSection{Run({{1, 1}, {2, 2}, {3, 3}}), Run({{1, 3}, {2, 4}})}
        << Run({{1, 2}, {2, 3}, {3, 3}});
    QTest::newRow("middle run shorter")
        << TLaserSection{Run({{1, 3}, {2, 3}}), Run({{1, 6}}), Run({{1, 0}, {2, 9}})}
        << Run({{1, 3}, {2, 6}});
    QTest::newRow("later run longer")
        << TLaserSection{Run({{1, 1}, {2, 2}}), Run({{1, 3}, {2, 4}, {3, 9}})}
        << Run({{1, 2}, {2, 3}});
    QTest::newRow("empty later run")
        << TLaserSection{Run({{1, 1}, {2, 2}}), TLaserRun()} << Run({{1, 1}, {2, 2}});
    QTest::newRow("empty first run") << TLaserSection{TLaserRun(), Run({{1, 1}})} << TLaserRun();
    // Finite values whose sum overflows still have a finite mean.
    QTest::newRow("sums beyond the largest double")
        << TLaserSection{Run({{1e308, 1.7e308}, {1, 1}}), Run({{1e308, 1.7e308}, {1, 3}})}
        << Run({{1e308, 1.7e308}, {1, 2}});
    QTest::newRow("largest negative doubles")
        << TLaserSection{Run({{-1.7e308, -1e308}}), Run({{-1.7e308, -1.5e308}}), Run({{0, 0}})}
        << Run({{-1.7e308 / 3 * 2, -1e308 / 3 - 1.5e308 / 3}});
    QTest::newRow("infinity stays")
        << TLaserSection{Run({{0, Inf}}), Run({{1e308, 1e308}})} << Run({{5e307, Inf}});
}

void TLaserFileTest::mean()
{
    QFETCH(TLaserSection, runs);
    QFETCH(TLaserRun, expected);

    for (int section = 0; section < 3; ++section)
    {
        TLaserFile file;
        TLaserSection* sections[] = {&file.d_data_section_1, &file.d_data_section_2,
                                     &file.d_data_section_3};
        *sections[section] = runs;
        const TLaserRun mean = file.Section_Data(section, -1);
        QCOMPARE(mean.size(), expected.size());
        for (std::size_t j = 0; j < mean.size(); ++j)
        {
            QVERIFY2(qFuzzyCompare(mean[j].x, expected[j].x) || mean[j].x == expected[j].x,
                     Text(mean).constData());
            QVERIFY2(qFuzzyCompare(mean[j].y, expected[j].y) || mean[j].y == expected[j].y,
                     Text(mean).constData());
        }
        QCOMPARE(file.Section_Data(section, -7).size(), expected.size());
    }
}

void TLaserFileTest::fileName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");

    QTest::newRow("drive path") << "C:/data/axis.rtl"
                                << "axis.rtl";
    QTest::newRow("bare name") << "axis.rtl"
                               << "axis.rtl";
    QTest::newRow("unix path") << "/home/me/x axis.pos"
                               << "x axis.pos";
    QTest::newRow("folder only") << "/home/me/"
                                 << "";
    // Only '/' separates; a model path always has Qt's separators.
    QTest::newRow("backslashes") << "C:\\data\\axis.rtl"
                                 << "C:\\data\\axis.rtl";
    QTest::newRow("nothing loaded") << ""
                                    << "";
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
