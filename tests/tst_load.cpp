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

QTEST_GUILESS_MAIN(TLoadTest)
#include "tst_load.moc"
