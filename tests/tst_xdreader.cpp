#include "src/laserfile.h"
#include "testlocale.h"

#include <QtTest>

// File heads as the instrument writes them.
#define POS_MM "API XD linear\nUnits: mm\nPosition Target Deviation AirTemp MatTemp\n"
#define POS_INCH "Units: inch\nPosition Target Deviation AirTemp MatTemp\n"
#define STR_MM "Units: mm\nPosition XX YY\n"
#define ANY_HEAD "Position AirTemp MatTemp XX YY AngA AngB AngC\n"

namespace
{

// Format ('P' scale, 'S' straightness, 'A' angular), content, and what the model holds: the
// sections apart by '#', runs by '|', then the environment if the file had one; or the message.
const char* const Rows[][3] = {
    // A pass goes on while each point moves 0.5 mm on; a falling pass is stored reversed.
    {"P",
     POS_MM "0 0 .001\n10 10 .002\n20 20 .003\n20 20 .004\n10 10 .005\n0 0 .006\n0 0 .007\n"
            "10 10 .008\n20 20 .009\n",
     "0:0.001 10:0.002 20:0.003|0:0.006 10:0.005 20:0.004|0:0.007 10:0.008 20:0.009##"},
    {"P", POS_MM "0 0 1\n0.5 0 2\n1 0 3\n1.49 0 4\n0.99 0 5\n", "0:1 0.5:2 1:3|1.49:4|0.99:5##"},
    {"P", POS_INCH "0 0 1\n0.02 0 2\n0.039 0 3\nUnits: mm\n1 0 4\n",
     "0:25.4 0.508:50.8|0.9906:76.2|1:4##"},
    {"P", POS_MM "0 0 1\n10 0 2\n20 0 3\nIniPos: 0\n10 0 4\n", "0:1 10:2 20:3 10:4##"},
    {"P", POS_INCH "0 0 0\ninipos: 2\n1 1 0\n", "0:0|25.4:0##"},
    // A blank line, or in a scale file a line that is no data line, ends the data block.
    {"P",
     POS_MM "0 0 1\n0,5 0 2\n10 0 3\nUNITS: feet\nmatTemp airtemp POSITION\n20 0 4\n\n30 0 5\n",
     "0:1 20:4##"},
    // In the other formats such a line ends the reading; "IniPos:" is written so.
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
    // Air pressure comes in mm of mercury; only scale files have an environment block.
    {"P",
     "<Environment>\nAverage Air Temperature: 20.5\nAverage Air Pressure: 760\nAverage Air "
     "Humidity: 45\nAverage Material Temp (C): 19.75\n",
     "###20.5 101.325 50 19.75"},
    {"P",
     "Average Air Temperature: 25\n<ENVIRONMENT>\nWeather: fine\naverage AIR temperature: "
     "21\n\nAverage Material: x\n",
     "###21 100 50 20"},
    {"S", STR_MM "<Environment>\nAverage Air Temperature: 25\n", "##"},
    // A sensor's odd reading is kept as converted, and the positions still load.
    {"P", "<environment>\naverage air pressure: nan\nAverage Material: inf\n" POS_MM "0 0 1\n",
     "0:1###20 nan 50 inf"},
    // Failures; an IniPos value must be a finite number, an environment value a number.
    {"P", "iniPOS: 0\n", "Scale file measurement units unknown"},
    {"P", "Units: mm\nIniPos: inf", "Scale file unexpected text: 'IniPos: inf'"},
    {"P", "Units: inch\nIniPos: 1e308", "Scale file unexpected text: 'IniPos: 1e308'"},
    {"P", "Units: mm: inch", "Scale file unexpected text: 'Units: mm: inch'"},
    {"P", "Units:  millimetre ", "Scale file unknown units: 'millimetre'"},
    {"P", "UNITS: mm\n" ANY_HEAD "0\t0  1", "Scale file units not found prior to data: '0 0 1'"},
    {"S", "IniPos: 0\nUnits: mm", "Straightness file measurement units unknown"},
    {"S", "Units: mm\nIniPos: 1:2", "Straightness file unexpected text: 'IniPos: 1:2'"},
    {"S", "Units: mm: x", "Straightness file unknown units: 'Units: mm: x'"},
    {"S", "Units: feet", "Straightness file unexpected text: 'feet'"},
    {"S", ANY_HEAD "0 0 0.001", "Straightness file units not found prior to data: '0 0 0.001'"},
    {"A", "IniPos: 0\nUnits: mm", "Angular file measurement units unknown"},
    {"A", "Unit: mm mm/m\nIniPos: 1 mm", "Angular file unexpected text: 'IniPos: 1 mm'"},
    {"A", "Units: mm: arc sec", "Angular file unexpected text: 'Units: mm: arc sec'"},
    {"A", "Units: arc sec", "Angular file unexpected text: 'arc sec'"},
    {"A", "Units: inch/ft", "Angular file unknown units: 'inch/ft'"},
    {"A", ANY_HEAD "0 0 0.001 0", "Angular file units not found prior to data: '0 0 0.001 0'"},
};

QString Summary(const TLaserFile& file)
{
    QStringList parts;
    for (const TLaserSection* runs :
         {&file.d_data_section_1, &file.d_data_section_2, &file.d_data_section_3})
    {
        QStringList texts;
        for (const TLaserRun& run : *runs)
        {
            QStringList points;
            for (const TVector2& point : run)
                points << QString("%1:%2").arg(point.x, 0, 'g', 12).arg(point.y, 0, 'g', 12);
            texts << points.join(' ');
        }
        parts << texts.join('|');
    }
    if (file.d_has_environment)
        parts << QString("%1 %2 %3 %4")
                     .arg(file.d_air_temperature, 0, 'g', 12)
                     .arg(file.d_air_pressure, 0, 'g', 12)
                     .arg(file.d_air_humidity, 0, 'g', 12)
                     .arg(file.d_material_temperature, 0, 'g', 12);
    return parts.join('#');
}

} // namespace

class TXdReaderTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Pin_German_Locale(); }
    void reads_data();
    void reads();
};

void TXdReaderTest::reads_data()
{
    QTest::addColumn<char>("format");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");

    for (const auto& row : Rows)
        QTest::addRow("%s %s", row[0], QByteArray(row[1]).replace('\n', '/').constData())
            << row[0][0] << QByteArray(row[1]) << QString(row[2]);
    QTest::newRow("10 MB line") << 'P' << POS_MM + QByteArray(10 << 20, '1') + "\n1 1 0 0\n"
                                << "##";
}

void TXdReaderTest::reads()
{
    QFETCH(char, format);
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);

    const auto read = format == 'P'   ? &TLaserFile::Read_XD_Scale_File
                      : format == 'S' ? &TLaserFile::Read_XD_Straightness_File
                                      : &TLaserFile::Read_XD_Angular_File;
    TLaserFile file;
    file.d_data_section_1 = {{{-1, -1}}};
    file.d_has_environment = true; // every reader sets it afresh
    if ((file.*read)(content))
    {
        QCOMPARE(Summary(file), expected);
        return;
    }
    // A failure leaves the sections alone and stops the reading at once.
    QCOMPARE(file.d_error_message + ' ' + Summary(file).left(5), expected + " -1:-1");
    QVERIFY(!(file.*read)(content + "\nUnits: feet\n"));
    QCOMPARE(file.d_error_message, expected);
}

QTEST_GUILESS_MAIN(TXdReaderTest)
#include "tst_xdreader.moc"
