#include "src/laserfile.h"
#include "testlocale.h"

#include <QtTest>

// File heads as the instruments write them.
#define POS_MM "API XD linear\nUnits: mm\nPosition Target Deviation AirTemp MatTemp\n"
#define STR_MM "Units: mm\nPosition XX YY\n"
#define ANY_HEAD "Position AirTemp MatTemp XX YY AngA AngB AngC\n"

namespace
{

QString Text(const TLaserRun& run)
{
    QStringList points;
    for (const TVector2& point : run)
        points << QString("%1:%2").arg(point.x, 0, 'g', 12).arg(point.y, 0, 'g', 12);
    return points.join(' ');
}

// The sections apart by '#', runs by '|', then the environment if the file had one (air
// temperature:pressure humidity:material temperature, then which of them the file gave).
QString Summary(const TLaserFile& file)
{
    QStringList parts;
    for (const TLaserSection* runs :
         {&file.d_data_section_1, &file.d_data_section_2, &file.d_data_section_3})
    {
        QStringList texts;
        for (const TLaserRun& run : *runs)
            texts << Text(run);
        parts << texts.join('|');
    }
    const TEnvironmentGiven& given = file.d_environment_given;
    if (file.d_has_environment)
        parts << Text({{file.d_air_temperature, file.d_air_pressure},
                       {file.d_air_humidity, file.d_material_temperature}}) +
                     ' ' + (given.Air_Temperature ? 'T' : '-') + (given.Air_Pressure ? 'P' : '-') +
                     (given.Air_Humidity ? 'H' : '-') + (given.Material_Temperature ? 'M' : '-');
    return parts.join('#');
}

// API XD files: format ('P' scale, 'S' straightness, 'A' angular), content, and the model or
// the message.
const char* const Xd_Rows[][3] = {
    // A pass goes on while each point moves 0.5 mm on.
    {"P", POS_MM "0 0 1\n0.5 0 2\n1 0 3\n1.49 0 4\n0.99 0 5\n", "0:1 0.5:2 1:3|1.49:4|0.99:5##"},
    {"P",
     "Units: inch\nPosition Target Deviation AirTemp MatTemp\n0 0 1\n0.02 0 2\n0.039 0 3\nUnits: "
     "mm\n1 0 4\n",
     "0:25.4 0.508:50.8|0.9906:76.2|1:4##"},
    {"P", POS_MM "0 0 1\n10 0 2\n20 0 3\nIniPos: 0\n10 0 4\n", "0:1 10:2 20:3 10:4##"},
    // A blank line, or in a scale file a line that is no data line, ends the data block.
    {"P",
     POS_MM "0 0 1\n0,5 0 2\n10 0 3\nUNITS: feet\nmatTemp airtemp POSITION\n20 0 4\n\n30 0 5\n",
     "0:1 20:4##"},
    // A line that names the columns is a header even where it begins as a data line.
    {"P", POS_MM "0 0 1\n10 0 2 Position MatTemp AIRTEMP\n20 0 3\n", "0:1 20:3##"},
    // In the other formats such a line ends the reading; "IniPos:" is written so. A falling
    // pass is stored reversed.
    {"S", STR_MM "0 1 -1\n50 2 -2\n100 3 -3\n100 4 -4\n50 5 -5\n0 6 -6\n",
     "0:1 50:2 100:3|0:6 50:5 100:4#0:-1 50:-2 100:-3|0:-6 50:-5 100:-4#"},
    {"S", "Units:: inch\nPosition XX YY\n1 1 2\nend of data\n10 3 4\nUnits: feet\n",
     "25.4:25.4#25.4:50.8#"},
    {"S", STR_MM "0 1 2\n\nINIPOS: x\nposition xx yy\n10 3 4\nINIPOS: 5\n20 5 6\n",
     "0:1 10:3#0:2 10:4#"},
    {"A", "Units: mm mm/m\nPosition AngA AngB AngC\n0 1 2 3\n5 4 5 6\n10 7 8 9\n10 1 1 1\n",
     "0:1 5:4 10:7|10:1#0:2 5:5 10:8|10:1#0:3 5:6 10:9|10:1"},
    {"A", "Units: MM in/ft arc sec\n" ANY_HEAD "1 1 2 3\n",
     "1:0.00484813681108#1:0.00969627362215#1:0.0145444104332"},
    {"A", "Unit: Inch MM/M IN/FT\n" ANY_HEAD "1 1 0 0\n1 2 3\n3 0 0 0\n",
     "25.4:83.3333333333#25.4:0#25.4:0"},
    // Air pressure comes in mm of mercury; a sensor's odd reading is kept as converted, and
    // the positions still load. Only scale files have an environment block.
    {"P",
     "<Environment>\nAverage Air Temperature: nan\nAverage Air Pressure: 760\nAverage Air "
     "Humidity: 45\nAverage Material Temp (C): -inf\n" POS_MM "0 0 1\n",
     "0:1###nan:101.325 50:-inf TP-M"},
    {"P",
     "Average Air Temperature: 25\n<ENVIRONMENT>\nWeather: fine\naverage AIR temperature: "
     "21\n\nAverage Material: x\n",
     "###21:100 50:20 T---"},
    {"S", STR_MM "<Environment>\nAverage Air Temperature: 25\n", "##"},
    // Failures: an IniPos value must be a finite number, in inches too; which message a
    // units line gets is the format's own.
    {"P", "iniPOS: 0\n", "Scale file measurement units unknown"},
    {"P", "Units: mm\nIniPos: inf", "Scale file unexpected text: 'IniPos: inf'"},
    {"P", "Units: inch\nIniPos: 1e308", "Scale file unexpected text: 'IniPos: 1e308'"},
    {"P", "Units: mm: inch", "Scale file unexpected text: 'Units: mm: inch'"},
    {"P", "Units:  millimetre ", "Scale file unknown units: 'millimetre'"},
    {"P", "UNITS: mm\n" ANY_HEAD "0\t0  1", "Scale file units not found prior to data: '0 0 1'"},
    {"S", "Units: mm\nIniPos: 1:2", "Straightness file unexpected text: 'IniPos: 1:2'"},
    {"S", "Units: mm: x", "Straightness file unknown units: 'Units: mm: x'"},
    {"S", "Units: feet", "Straightness file unexpected text: 'feet'"},
    {"A", "Unit: mm mm/m\nIniPos: 1 mm", "Angular file unexpected text: 'IniPos: 1 mm'"},
    {"A", "Units: inch/ft", "Angular file unknown units: 'inch/ft'"},
};

// A Renishaw linear file: the target data section, then the deviations of the runs.
QByteArray File(const QByteArray& target_data, const QByteArray& records)
{
    return "Renishaw XL-80 linear data\nTARGET DATA::\n" + target_data +
           "\nDEVIATIONS::\nRun Target Data\n" + records;
}

// A minimal Renishaw file padded to exactly `size` bytes by a last line no reader looks at.
QByteArray Renishaw(int size)
{
    const QByteArray content = "TARGET DATA::\nTarget-count : 1\nTargets :\n0\n"
                               "DEVIATIONS::\nRun Target Data\n1 1 0.5\nEOF::\n";
    return content + QByteArray(size - content.size() - 1, '#') + '\n';
}

} // namespace

class TReadersTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Pin_German_Locale(); }
    void read_data();
    void read();
    void load_data();
    void load();
    void model();
};

// Format ('R' Renishaw or an API XD one), content, and the model or the message.
void TReadersTest::read_data()
{
    QTest::addColumn<char>("format");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    for (const auto& row : Xd_Rows)
        QTest::addRow("%s %s", row[0], QByteArray(row[1]).replace('\n', '/').constData())
            << row[0][0] << QByteArray(row[1]) << QString(row[2]);
    QTest::newRow("10 MB line") << 'P' << POS_MM + QByteArray(10 << 20, '1') + "\n1 1 0 0\n"
                                << "##";

    const QString Points_1 = "0:0.001 50:0.002 100:0.003##";
    const auto row = [&](const char* tag, const QByteArray& text, const QString& summary = {})
    { QTest::newRow(tag) << 'R' << text << (summary.isEmpty() ? Points_1 : summary); };
    const QByteArray Head = File("Target-count: 3\nTargets :\n0.0 50.0 100.0\nEOF::", "");
    const QByteArray Run_1 = "1 1 0.001\n1 2 0.002\n1 3 0.003\n",
                     Run_2 = "2 1 0.1\n2 2 0.2\n2 3 0.3\n";
    const QByteArray Environment = Head + Run_1 + "EOF::\nENVIRONMENT::\n";
    const QString Bad_Env = "Unexpected text in ENVIRONMENT:: section: '%1'";

    // Target-count forms and the run (of 3 or 2 records) the count keeps, rounded half up;
    // 0: the line fails (below 1, no int beyond 2^31, no inf, no decimal comma).
    for (const QString& form : QString(": 3=3| = 3=3|: 2.5=3|: 2.4=2|: 0.6=0|: 2147483647.4=3|"
                                       ": 2147483647.5=0|: 3: 2=0|: 2,5=0|: inf=0")
                                   .split('|'))
    {
        const QString line = "Target-count" + form.chopped(2);
        row(qPrintable(line),
            File(line.toUtf8() + "\nTargets :\n0 50 100", Run_1 + "2 1 0.1\n2 2 0.2"),
            form.endsWith('3')   ? Points_1
            : form.endsWith('2') ? "0:0.1 50:0.2##"
                                 : "Unexpected text in TARGET DATA:: section: '" + line + "'");
    }

    // Runs in file order, a record below the last one goes to the front, EOF:: ends them.
    row("order", Head + Run_1 + "2 3 -0.3\n2 1 -0.1\n2 2 -0.2\nEOF::\n" + Run_2,
        "0:0.001 50:0.002 100:0.003|0:-0.2 50:-0.1 100:-0.3##");
    row("run number seen twice", Head + "1 1 0.001\n1 2 0.002\n" + Run_2 + "1 3 0.003",
        "0:0.1 50:0.2 100:0.3##");
    // A run is kept with one record per position and a deviation further than 1e-7 from 0.
    row("short, long and all-zero runs dropped",
        Head + "2 1 0.1\n2 2 0.2\n3 1 1\n3 2 1\n3 3 1\n3 4 1\n4 1 0\n4 2 1e-7\n4 3 -1e-7\n" +
            Run_1 + "5 1 0\n5 2 -1.5e-7\n5 3 0",
        "0:0.001 50:0.002 100:0.003|0:0 50:-1.5e-07 100:0##");
    // Short lines are skipped; a record that does not convert ends reading, no failure.
    row("extra fields, short lines, caption",
        Head + "Run 1\n1 1 0.001 20.1 C\n1 2 0.002 C\n1 3 0.003\nMean of runs\n" + Run_2);
    // The target list runs over lines to a word; a later count wins; keywords open sections.
    row("list ends at a word, later count",
        File("Target-count: 1\nTargets : 7 8 9\n0\n50 end 100\n200\nTarget-count: 3",
             "2 1 0.1\n2 2 0.2\n" + Run_1),
        "0:0.1 50:0.2##");
    row("keywords outside any section",
        "Target-count = 3\nTargets:\n0 50 100\nEOF::\nRun Target Data\n" + Run_1);
    // The mean of the first two readings; a material sensor at 0 or below was not fitted.
    row("means, later lines, other lines, sensors not fitted, Final Data",
        Environment + "Air temp: 20.0 20.4 C\nAir press: 101.2 101.4\nAir press: 99 100\n" +
            "Air humid: 45 47\nLaser: XL-80: 1\nMat temp 4: x\nMat temp 1: 20 20\nMat temp 2: 0 "
            "0\n" +
            "Mat temp 3: 21 22\nMat temp 3: -1 -2\nFinal Data\nAir temp: 30 31",
        Points_1 + "#20.2:99.5 46:20.75 TPHM");
    row("key without colon", Environment + "Air temp: 20 21\nAir press 101.2\nAir humid: 40 40",
        Bad_Env.arg("Air press 101.2"));
    row("bad reading", Environment + "Air humid: 40 n/a", Bad_Env.arg(" 40 n/a"));
    row("count only in deviations",
        "DEVIATIONS::\nTarget-count: 3\n" + File("Targets :\n0 50 100", Run_1),
        "Parameter 'Target-count' not found in file.  Cannot process data.");
    row("lower case, CRLF, blank lines",
        "target data::\r\n\r\ntarget-count: 3\r\ntargets :\r\n0 50 100\r\neof::\r\ndeviations::\r\n"
        "run target data\r\n" +
            Run_1 + "environment::\r\nair temp: 21 21\r\nair humid: 0 0\r\nfinal data\r\n",
        Points_1 + "#21:100 0:20 T---");
}

void TReadersTest::read()
{
    QFETCH(char, format);
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    const auto read = format == 'R'   ? &TLaserFile::Read_Renishaw_File
                      : format == 'P' ? &TLaserFile::Read_XD_Scale_File
                      : format == 'S' ? &TLaserFile::Read_XD_Straightness_File
                                      : &TLaserFile::Read_XD_Angular_File;
    TLaserFile file;
    file.d_data_section_1 = file.d_data_section_3 = {{{-1, -1}}};
    file.d_has_environment = true; // every reader sets it afresh
    if ((file.*read)(content))
    {
        QCOMPARE(Summary(file), expected);
        return;
    }
    // A failure leaves the sections alone and stops the reading at once.
    QCOMPARE(file.d_error_message + ' ' + Summary(file).left(12), expected + " -1:-1##-1:-1");
    QVERIFY(!(file.*read)(content + "\nUnits: feet\n"));
    QCOMPARE(file.d_error_message, expected);
}

void TReadersTest::load_data()
{
    // A file written in a new folder, or an absolute path; the kind and its runs, or error.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("outcome");
    const auto row =
        [](const char* tag, const QString& name, const QByteArray& content, const QString& outcome)
    { QTest::newRow(tag) << name << content << outcome; };

    // Size before kind; the kind is named by what follows the last dot, even in a folder.
    row("99 bytes", "axis.txt", Renishaw(99),
        "ERR:  Input file '{path}' is too small to be a laser file.");
    row("STR2, not ST", "axis.STR2", Renishaw(100), "5: 0");
    row("angle", "axis.angle", Renishaw(100), "6: 0");
    row("no dot", "axis", Renishaw(100),
        "ERR:  Input file '{path}' doesn't appear to be a known laser file type.");
    row("earlier dots", "axis.run2.RTL", Renishaw(100), "1: 1");
    row("dot in a folder, then st", "old.stuff/axis", Renishaw(100), "3: 1");
    // Sparse: its size is known before it is read. A device without end must not hang.
    row("too large", "huge.rtl", "", "ERR:  Input file '{path}' is too large to be a laser file.");
    row("endless device", "/dev/zero", "", "ERR:  Cannot open file '{path}' for reading.");
}

// A failed load leaves the model unloaded.
void TReadersTest::load()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QTemporaryDir folder;
    const QString path = QDir::isAbsolutePath(name) ? name : folder.filePath(name);
    QFile written(path);
    QVERIFY(QDir::isAbsolutePath(name) ||
            (QDir().mkpath(QFileInfo(path).path()) && written.open(QIODevice::WriteOnly) &&
             written.write(content) == content.size()));
    QVERIFY(name != "huge.rtl" || written.resize(512 * 1024 * 1024 + 1));
    written.close();
    TLaserFile file;
    const bool loaded = file.Load(path);
    QTEST(loaded
              ? QString("%1: %2").arg(file.d_file_type).arg(file.Run_Count(0))
              : "ERR:  " + file.d_error_message.replace(QDir::toNativeSeparators(path), "{path}"),
          "outcome");
    QCOMPARE(file.d_file_name, loaded ? path : QString());
}

// Clear leaves the environment flag and message (set afresh by readers and failing loads). A
// kind outside the enumeration has no description or labels; a section outside 0 to 2 is "X".
// The mean of a section's runs.
void TReadersTest::model()
{
    TLaserFile file;
    file.d_air_temperature = file.d_air_pressure = file.d_air_humidity = 1.0;
    file.d_material_temperature = 1.0;
    file.d_environment_given.Air_Humidity = true;
    file.d_data_section_1 = file.d_data_section_2 = file.d_data_section_3 = {{{1, 2}}};
    file.d_file_name = "C:/data/axis.ang";
    QCOMPARE(file.File_Name(), QString("axis.ang"));
    file.d_file_type = API_XD_ANG;
    file.d_has_environment = true;
    file.d_error_message = "earlier failure";
    file.Clear();
    QCOMPARE(Summary(file) + file.d_file_name + file.Type_Description() + file.d_error_message,
             QString("###20:100 50:20 ----Unknown file type or file not loaded.earlier failure"));
    for (const int kind : {-1, 7})
    {
        file.d_file_type = static_cast<TLaserFileType>(kind);
        QCOMPARE(file.Type_Description() + file.Section_Label(0) + file.Section_Label(-1) +
                     file.Section_Label(3),
                 QString("XX"));
    }
    QCOMPARE(file.Run_Count(-1) + file.Run_Count(3), 0);
    QVERIFY(file.Section_Data(-1, -1).empty() && file.Section_Data(3, 0).empty());

    // Any negative index asks for the mean; runs that differ in their positions are matched by
    // position, ordered as the first longest run goes, a run counted once at a position (by its
    // first point there). Finite values whose sum overflows still have a finite mean.
    const auto mean = [](const TLaserSection& runs, int index)
    {
        TLaserFile file;
        file.d_data_section_2 = runs;
        return Text(file.Section_Data(1, index));
    };
    QCOMPARE(mean({}, -1), QString());
    QCOMPARE(mean({{{1, 1}, {2, 2}}, {{1, 3}}, {{1, 5}, {2, 4}, {3, 9}}}, -7),
             QString("1:3 2:3 3:9"));
    QCOMPARE(mean({{{0, 1}, {1, 2}}, {{1, 4}, {1, 8}, {0, 6}}, {{2, 1}}}, -1),
             QString("2:1 1:3 0:3.5"));
    QCOMPARE(mean({{{1e308, 1.7e308}, {1, 1}}, {{1e308, 1.7e308}, {1, 3}}}, -1),
             QString("1e+308:1.7e+308 1:2"));
    QCOMPARE(mean({{{1e308, qInf()}}, {{1e308, 1e308}}}, -1), QString("1e+308:inf"));
    QCOMPARE(mean({{{0, 1.7e308}, {1, 1}}, {{0, 1.7e308}}}, -1), QString("0:1.7e+308 1:1"));

    // Deviation units: as the API XD readers store them; a Renishaw kind's usual one unless a
    // unit of the same dimension was chosen.
    QStringList units;
    for (const TLaserFileType kind : {Renishaw_RTL, Renishaw_RTA, Renishaw_STx, API_XD_ANG})
        for (const TDeviationUnit chosen : {TDeviationUnit::Inch, TDeviationUnit::Arc_Second})
        {
            file.d_file_type = kind;
            file.d_chosen_deviation_unit = chosen;
            units << Unit_Info(file.Deviation_Unit()).Name;
        }
    QCOMPARE(units.join(' '), QString("in um um/m arcsec in um mm/m mm/m"));
}

QTEST_GUILESS_MAIN(TReadersTest)
#include "tst_readers.moc"
