#include "src/laserfile.h"
#include "testlocale.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

// A minimal Renishaw linear file with one run of one target.
const QByteArray Valid_Renishaw = "TARGET DATA::\nTarget-count : 1\nTargets :\n0\n"
                                  "DEVIATIONS::\nRun Target Data\n1 1 0.5\nEOF::\n";

// The content padded to exactly `size` bytes with a last line that no reader looks at.
QByteArray Padded(const QByteArray& content, int size)
{
    QByteArray result = content;
    result += QByteArray(size - result.size() - 1, '#');
    result += '\n';
    return result;
}

QByteArray Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The example file cut off `keep` bytes into the first place that holds `text`.
QByteArray Cut(const QString& example, const QByteArray& text, int keep)
{
    const QByteArray content = Read(QFINDTESTDATA("../examples/" + example));
    const int at = content.indexOf(text);
    return at < 0 ? QByteArray() : content.left(at + keep);
}

// Every byte value in turn, four times over: no text at all.
QByteArray Every_Byte()
{
    QByteArray bytes;
    for (int pass = 0; pass < 4; ++pass)
        for (int value = 0; value < 256; ++value)
            bytes += static_cast<char>(value);
    return bytes;
}

// Numbers at and beyond the ends of the doubles and ints; the third run's deviation does
// not convert, which ends the records.
const QByteArray Gigantic_Renishaw =
    "TARGET DATA::\nTarget-count : 3\nTargets :\n-1e308 1e308 99999999999999999999\nEOF::\n"
    "DEVIATIONS::\nRun Target Data\n1 1 1e308\n1 2 -1e308\n1 3 99999999999999999999\n"
    "2 1 1e308\n2 2 -1e308\n2 3 1e308\n3 1 1e400\n3 2 1\n3 3 1\nEOF::\n";

// What the window shows of a load: the run lengths of the three sections apart by '|', or
// the error line.
QString Outcome(const TLaserFile& file, bool loaded)
{
    if (!loaded)
        return "ERR:  " + file.d_error_message;
    QStringList sections;
    for (int section = 0; section < 3; ++section)
    {
        QStringList runs;
        for (int run = 0; run < file.Run_Count(section); ++run)
            runs << QString::number(file.Section_Data(section, run).size());
        sections << runs.join(' ');
    }
    return sections.join('|');
}

QString Write(const QTemporaryDir& folder, const QString& name, const QByteArray& content)
{
    const QString path = folder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return QString();
    return path;
}

} // namespace

class TLoadTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void detectFileType_data();
    void detectFileType();
    void loadFailures_data();
    void loadFailures();
    void deviceFilesAreRefused_data();
    void deviceFilesAreRefused();
    void parserFailureKeepsModelUnloaded();
    void successfulLoad();
    void examples_data();
    void examples();
    void hostileFiles_data();
    void hostileFiles();
};

void TLoadTest::initTestCase()
{
    Pin_German_Locale();
}

void TLoadTest::detectFileType_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("type");

    QTest::newRow("rtl") << "axis.rtl" << int(Renishaw_RTL);
    QTest::newRow("RTL") << "C:/data/axis.RTL" << int(Renishaw_RTL);
    QTest::newRow("Rtl") << "axis.Rtl" << int(Renishaw_RTL);
    QTest::newRow("rtlx needs the whole extension") << "axis.rtlx" << int(Unknown_Type);
    QTest::newRow("rta") << "axis.rta" << int(Renishaw_RTA);
    QTest::newRow("rtab needs the whole extension") << "axis.rtab" << int(Unknown_Type);
    QTest::newRow("stx") << "axis.stx" << int(Renishaw_STx);
    QTest::newRow("sty") << "axis.sty" << int(Renishaw_STx);
    QTest::newRow("STZ") << "axis.STZ" << int(Renishaw_STx);
    QTest::newRow("st") << "axis.st" << int(Renishaw_STx);
    QTest::newRow("stq") << "axis.stq" << int(Renishaw_STx);
    QTest::newRow("str before st") << "axis.str" << int(API_XD_STR);
    QTest::newRow("STR2") << "axis.STR2" << int(API_XD_STR);
    QTest::newRow("pos") << "axis.pos" << int(API_XD_POS);
    QTest::newRow("posx") << "axis.posx" << int(API_XD_POS);
    QTest::newRow("ang") << "axis.ang" << int(API_XD_ANG);
    QTest::newRow("angle") << "axis.angle" << int(API_XD_ANG);
    QTest::newRow("no dot") << "C:/data/axis" << int(Unknown_Type);
    QTest::newRow("ending in a dot") << "axis." << int(Unknown_Type);
    QTest::newRow("only the last dot counts") << "axis.rtl.bak" << int(Unknown_Type);
    QTest::newRow("earlier dots do not matter") << "axis.run2.rtl" << int(Renishaw_RTL);
    QTest::newRow("dot in a folder") << "C:/run.2/axis" << int(Unknown_Type);
    QTest::newRow("dot in a folder starting st") << "C:/old.stuff/axis" << int(Renishaw_STx);
    QTest::newRow("hidden file") << "/data/.pos" << int(API_XD_POS);
    QTest::newRow("text file") << "notes.txt" << int(Unknown_Type);
    QTest::newRow("empty path") << "" << int(Unknown_Type);
}

void TLoadTest::detectFileType()
{
    QFETCH(QString, path);
    QFETCH(int, type);
    const TLaserFile file;
    QCOMPARE(int(file.Detect_File_Type(path, QByteArray())), type);
}

void TLoadTest::loadFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");

    // The size is tested before the extension.
    QTest::newRow("99 bytes") << "axis.rtl" << Padded(Valid_Renishaw, 99)
                              << "Input file '%1' is too small to be a laser file.";
    QTest::newRow("99 bytes, unknown kind") << "axis.txt" << Padded(Valid_Renishaw, 99)
                                            << "Input file '%1' is too small to be a laser file.";
    QTest::newRow("empty") << "axis.pos" << QByteArray()
                           << "Input file '%1' is too small to be a laser file.";
    QTest::newRow("100 bytes, unknown kind")
        << "axis.txt" << Padded(Valid_Renishaw, 100)
        << "Input file '%1' doesn't appear to be a known laser file type.";
    QTest::newRow("no extension")
        << "axis" << Padded(Valid_Renishaw, 200)
        << "Input file '%1' doesn't appear to be a known laser file type.";
}

void TLoadTest::loadFailures()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);

    QTemporaryDir folder;
    const QString path = Write(folder, name, content);
    QVERIFY(!path.isEmpty());
    TLaserFile file;
    QVERIFY(!file.Load(path));
    QCOMPARE(file.d_error_message, message.arg(QDir::toNativeSeparators(path)));
    QVERIFY(file.d_file_name.isEmpty());
    QCOMPARE(file.d_file_type, Unknown_Type);
}

void TLoadTest::deviceFilesAreRefused_data()
{
    QTest::addColumn<QString>("path");

    QTest::newRow("missing file") << QDir::tempPath() + "/no such folder/axis.rtl";
    QTest::newRow("empty path") << QString();
    QTest::newRow("folder") << QDir::tempPath();
    // A device that streams without end must not hang the program.
    QTest::newRow("endless device") << "/dev/zero";
    QTest::newRow("null device") << "/dev/null";
}

void TLoadTest::deviceFilesAreRefused()
{
    QFETCH(QString, path);
    if (path.startsWith("/dev/") && !QFile::exists(path))
        QSKIP("no such device on this system");
    TLaserFile file;
    QVERIFY(!file.Load(path));
    QCOMPARE(file.d_error_message,
             QString("Cannot open file '%1' for reading.").arg(QDir::toNativeSeparators(path)));
}

void TLoadTest::parserFailureKeepsModelUnloaded()
{
    QTemporaryDir folder;
    const QString path =
        Write(folder, "axis.rtl", Padded("TARGET DATA::\nTargets :\n0 10 20\nEOF::\n", 120));
    TLaserFile file;
    QVERIFY(!file.Load(path));
    QCOMPARE(file.d_error_message,
             QString("Parameter 'Target-count' not found in file.  Cannot process data."));
    QVERIFY(file.d_file_name.isEmpty());
    QCOMPARE(file.d_file_type, Unknown_Type);
}

void TLoadTest::successfulLoad()
{
    QTemporaryDir folder;
    const QString path = Write(folder, "axis.Rtl", Padded(Valid_Renishaw, 100));
    TLaserFile file;
    QVERIFY2(file.Load(path), qPrintable(file.d_error_message));
    QCOMPARE(file.d_file_name, path);
    QCOMPARE(file.d_file_type, Renishaw_RTL);
    QCOMPARE(file.Run_Count(0), 1);
    QCOMPARE(file.Section_Data(0, 0).front().y, 0.5);
}

void TLoadTest::examples_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("type");
    QTest::addColumn<QList<int>>("runs");

    QTest::newRow("linear") << "x-axis-linear.rtl" << int(Renishaw_RTL) << QList<int>{4, 0, 0};
    QTest::newRow("angular") << "y-axis-pitch.rta" << int(Renishaw_RTA) << QList<int>{2, 0, 0};
    QTest::newRow("straightness") << "z-axis-straightness.stz" << int(Renishaw_STx)
                                  << QList<int>{3, 0, 0};
    QTest::newRow("scale") << "u-axis-scale.pos" << int(API_XD_POS) << QList<int>{4, 0, 0};
    QTest::newRow("xd straightness")
        << "w-axis-straightness.str" << int(API_XD_STR) << QList<int>{2, 2, 0};
    QTest::newRow("xd angular") << "y-axis-angular.ang" << int(API_XD_ANG) << QList<int>{3, 3, 3};
}

void TLoadTest::examples()
{
    QFETCH(QString, name);
    QFETCH(int, type);
    QFETCH(QList<int>, runs);

    const QString path = QFINDTESTDATA("../examples/" + name);
    QVERIFY(!path.isEmpty());
    TLaserFile file;
    QVERIFY2(file.Load(path), qPrintable(file.d_error_message));
    QCOMPARE(int(file.d_file_type), type);
    QCOMPARE((QList<int>{file.Run_Count(0), file.Run_Count(1), file.Run_Count(2)}), runs);
}

void TLoadTest::hostileFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("outcome");

    const QByteArray image = Read(QFINDTESTDATA("../images/vantrel.png"));
    const QString No_Count =
        "ERR:  Parameter 'Target-count' not found in file.  Cannot process data.";
    QTest::newRow("image named rtl") << "axis.rtl" << image << No_Count;
    QTest::newRow("image named ang") << "axis.ang" << image << "||";
    QTest::newRow("every byte named stz") << "axis.stz" << Every_Byte() << No_Count;
    QTest::newRow("every byte named pos") << "axis.pos" << Every_Byte() << "||";
    // A run cut short is incomplete and dropped; so is everything after it.
    QTest::newRow("linear cut in a run")
        << "axis.rtl" << Cut("x-axis-linear.rtl", "3\t3\t2.9329", 7) << "11 11||";
    QTest::newRow("linear cut in the environment")
        << "axis.rtl" << Cut("x-axis-linear.rtl", "Air press", 19)
        << "ERR:  Unexpected text in ENVIRONMENT:: section: ' 101.216'";
    QTest::newRow("scale cut in a line")
        << "axis.pos" << Cut("u-axis-scale.pos", "0.0000  0.0000  0.0000", 20) << "16 16 1||";
    QTest::newRow("angular cut in a line")
        << "axis.ang" << Cut("y-axis-angular.ang", "350.000  1.09", 18)
        << "11 11 7|11 11 7|11 11 7";
    QTest::newRow("gigantic numbers") << "axis.rtl" << Gigantic_Renishaw << "3 3||";
}

// Whatever the content, a load gives data or one line of error.
void TLoadTest::hostileFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, outcome);

    QVERIFY(content.size() >= 100);
    QTemporaryDir folder;
    const QString path = Write(folder, name, content);
    TLaserFile file;
    QCOMPARE(Outcome(file, file.Load(path)), outcome);
}

QTEST_GUILESS_MAIN(TLoadTest)
#include "tst_load.moc"
