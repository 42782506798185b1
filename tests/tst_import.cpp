#include "graphprobe.h"
#include "src/laserfile.h"
#include "testlocale.h"
#include "windowdriver.h"

#include <QScrollBar>
#include <QtTest>

#include <memory>

namespace
{

// The example's path in its plain form, as a file dialog gives it.
QString Example(const QString& name)
{
    return QFileInfo(QFINDTESTDATA("../examples/" + name)).canonicalFilePath();
}

} // namespace

// Drives the real window: the Import button and its file dialog, drops, section buttons.
class TImportTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void reportOfEveryExample_data();
    void reportOfEveryExample();
    void dialogCaptionFilterAndStart();
    void cancelChangesNothing();
    void dropOneFile();
    void dropOtherThanOneUrl_data();
    void dropOtherThanOneUrl();
    void dragOfPlainTextIsRefused();
    void dropOfRemoteUrl();
    void clickSequences_data();
    void clickSequences();
    void selectionLeavesDisabledSection_data();
    void selectionLeavesDisabledSection();
    void failedLoad_data();
    void failedLoad();
    void sectionChangeScrollsToTop();

private:
    void Import(const QString& path);
    void Click_Section(int button) { d_driver->Click_Section(button); }
    QToolButton* Section_Button(int button) { return d_driver->Section_Button(button); }
    QAbstractButton* Button(const QString& text) { return d_driver->Button(text); }
    QString Report() { return d_driver->Report(); }
    QStringList Checked_And_Enabled();
    void Send_Drop(const QList<QUrl>& urls);
    void Compare_Graph_With(const QString& path, int section);

    std::unique_ptr<TWindowDriver> d_driver;
    TGraphWidget* d_graph = nullptr;
};

void TImportTest::initTestCase()
{
    Pin_German_Locale();
}

void TImportTest::init()
{
    d_driver.reset(new TWindowDriver);
    QVERIFY(d_driver->Exposed());
    d_graph = &d_driver->Graph();
}

void TImportTest::cleanup()
{
    d_driver.reset();
}

void TImportTest::Import(const QString& path)
{
    QVERIFY(d_driver->Import(path));
}

// One word per section button: its label, then "checked" or "-", then "on" or "off".
QStringList TImportTest::Checked_And_Enabled()
{
    QStringList states;
    for (int button = 1; button <= 3; ++button)
    {
        const QToolButton* tool = Section_Button(button);
        states << tool->text() + (tool->isChecked() ? " checked" : " -") +
                      (tool->isEnabled() ? " on" : " off");
    }
    return states;
}

void TImportTest::Send_Drop(const QList<QUrl>& urls)
{
    QVERIFY(d_driver->Drop(urls));
}

// The graph holds one curve per run of the section, in palette colours.
void TImportTest::Compare_Graph_With(const QString& path, int section)
{
    TLaserFile file;
    QVERIFY(file.Load(path));
    TGraphWidgetProbe probe(*d_graph);
    QCOMPARE(probe.Title(), file.File_Name());
    QCOMPARE(probe.HorizontalTitle(), QString("Position"));
    QCOMPARE(probe.VerticalTitle(), QString("Deviation"));
    QCOMPARE(probe.DataSetCount(), file.Run_Count(section));
    for (int k = 0; k < file.Run_Count(section); ++k)
    {
        int red, green, blue;
        TGraphWidget::GetIndexedColor(k, red, green, blue);
        QCOMPARE(probe.DataSet(k).Color, QColor(red, green, blue));
        QCOMPARE(probe.DataSet(k).Style, 0);
        const TLaserRun run = file.Section_Data(section, k);
        QCOMPARE(probe.DataSet(k).Points.size(), run.size());
        for (std::size_t j = 0; j < run.size(); ++j)
        {
            QCOMPARE(probe.DataSet(k).Points[j].x, run[j].x);
            QCOMPARE(probe.DataSet(k).Points[j].y, run[j].y);
        }
    }
}

void TImportTest::reportOfEveryExample_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("button");

    QTest::newRow("rtl") << "x-axis-linear.rtl" << 1;
    QTest::newRow("rta") << "y-axis-pitch.rta" << 1;
    QTest::newRow("stz") << "z-axis-straightness.stz" << 1;
    QTest::newRow("pos") << "u-axis-scale.pos" << 1;
    QTest::newRow("str XX") << "w-axis-straightness.str" << 1;
    QTest::newRow("str YY") << "w-axis-straightness.str" << 2;
    QTest::newRow("ang RA") << "y-axis-angular.ang" << 1;
    QTest::newRow("ang RB") << "y-axis-angular.ang" << 2;
    QTest::newRow("ang RC") << "y-axis-angular.ang" << 3;
}

void TImportTest::reportOfEveryExample()
{
    QFETCH(QString, name);
    QFETCH(int, button);

    const QString path = Example(name);
    QVERIFY(!path.isEmpty());
    Import(path);
    if (button != 1)
        Click_Section(button);

    QFile expected_file(QFINDTESTDATA(QString("data/%1.section%2.txt").arg(name).arg(button)));
    QVERIFY(expected_file.open(QIODevice::ReadOnly));
    QString expected = QString::fromUtf8(expected_file.readAll());
    expected.replace("{path}", QDir::toNativeSeparators(path));
    expected.chop(1);
    QCOMPARE(Report(), expected);
    Compare_Graph_With(path, button - 1);
    for (const char* text : {"Save As...", "Dev. Normal", "Dev. Inverted", "All Data"})
        QVERIFY2(Button(text)->isEnabled(), text);
}

void TImportTest::dialogCaptionFilterAndStart()
{
    QString caption;
    QStringList filters;
    QString folder;
    const auto inspect = [&](QFileDialog* dialog)
    {
        caption = dialog->windowTitle();
        filters = dialog->nameFilters();
        folder = dialog->directory().absolutePath();
    };
    QVERIFY(d_driver->Answer_Dialog("Import", Example("y-axis-pitch.rta"), inspect));
    QCOMPARE(caption, QString("Select Laser File to Load"));
    QCOMPARE(filters, QStringList{"Laser Files (*.rtl *.pos *.stx *.sty *.stz *.str *.rta *.ang)"});

    // The next dialog opens in the folder of the file now loaded.
    folder.clear();
    QDir::setCurrent(QDir::tempPath());
    QVERIFY(d_driver->Answer_Dialog("Import", QString(), inspect));
    QCOMPARE(folder, QFileInfo(Example("y-axis-pitch.rta")).absolutePath());
}

void TImportTest::cancelChangesNothing()
{
    Import(Example("y-axis-angular.ang"));
    Click_Section(2);
    const QString report = Report();
    const QStringList states = Checked_And_Enabled();
    Import(QString());
    QCOMPARE(Report(), report);
    QCOMPARE(Checked_And_Enabled(), states);
    QCOMPARE(TGraphWidgetProbe(*d_graph).DataSetCount(), 3);
}

void TImportTest::dropOneFile()
{
    const QString path = Example("u-axis-scale.pos");
    Send_Drop({QUrl::fromLocalFile(path)});
    QVERIFY(Report().startsWith("Vantrel\n"));
    QVERIFY(Report().contains("Input File Description: API XD scale data (POS)."));
    Compare_Graph_With(path, 0);
}

void TImportTest::dropOtherThanOneUrl_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("two files") << 2;
    QTest::newRow("no file") << 0;
}

void TImportTest::dropOtherThanOneUrl()
{
    QFETCH(int, count);

    Import(Example("w-axis-straightness.str"));
    Click_Section(2);
    const QString report = Report();
    const QStringList states = Checked_And_Enabled();

    QList<QUrl> urls;
    for (int i = 0; i < count; ++i)
        urls << QUrl::fromLocalFile(Example("x-axis-linear.rtl"));
    Send_Drop(urls);
    QCOMPARE(Report(), QString("ERR:  Only one input file is expected."));
    QCOMPARE(TGraphWidgetProbe(*d_graph).DataSetCount(), 0);
    QCOMPARE(TGraphWidgetProbe(*d_graph).Title(), QString());
    QCOMPARE(Checked_And_Enabled(), states);
    QVERIFY(Button("Save As...")->isEnabled());

    // The model still holds the file loaded before.
    Click_Section(1);
    Click_Section(2);
    QCOMPARE(Report(), report);
}

void TImportTest::dragOfPlainTextIsRefused()
{
    QMimeData data;
    data.setText("/data/axis.rtl");
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QApplication::sendEvent(&d_driver->Window(), &enter);
    QVERIFY(!enter.isAccepted());
}

void TImportTest::dropOfRemoteUrl()
{
    Send_Drop({QUrl("http://example.com/axis.rtl")});
    QCOMPARE(Report(), QString("ERR:  Cannot open file '' for reading."));
}

void TImportTest::clickSequences_data()
{
    // Clicks on the section buttons and the button checked after each click.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QList<int>>("checked");

    const QString angular = "y-axis-angular.ang";
    QTest::newRow("ang, each once") << angular << QList<int>{2, 3, 1} << QList<int>{2, 3, 1};
    QTest::newRow("ang, checked button moves on")
        << angular << QList<int>{1, 2, 3} << QList<int>{2, 3, 1};
    QTest::newRow("ang, button 2 twice") << angular << QList<int>{2, 2} << QList<int>{2, 3};
    QTest::newRow("ang, mixed") << angular << QList<int>{3, 3, 2, 1, 1}
                                << QList<int>{3, 1, 2, 1, 2};
    QTest::newRow("str, button 2 moves to 1, not the disabled 3")
        << "w-axis-straightness.str" << QList<int>{2, 2} << QList<int>{2, 1};
    // The only enabled section stays checked when clicked.
    QTest::newRow("rtl, checked button 1")
        << "x-axis-linear.rtl" << QList<int>{1, 1} << QList<int>{1, 1};
}

void TImportTest::clickSequences()
{
    QFETCH(QString, name);
    QFETCH(QList<int>, clicks);
    QFETCH(QList<int>, checked);

    Import(Example(name));
    TLaserFile file;
    QVERIFY(file.Load(Example(name)));
    for (int i = 0; i < clicks.size(); ++i)
    {
        Click_Section(clicks[i]);
        for (int button = 1; button <= 3; ++button)
            QCOMPARE(Section_Button(button)->isChecked(), button == checked[i]);
        const int section = checked[i] - 1;
        QVERIFY(Report().contains("\nActive Section: " + file.Section_Label(section) + "\n"));
        QCOMPARE(TGraphWidgetProbe(*d_graph).DataSetCount(), file.Run_Count(section));
    }
}

void TImportTest::selectionLeavesDisabledSection_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QStringList>("states");
    QTest::addColumn<QString>("label");

    QTest::newRow("ang section 3, then str")
        << "y-axis-angular.ang" << 3 << "w-axis-straightness.str"
        << QStringList{"XX checked on", "YY - on", "X - off"} << "XX";
    QTest::newRow("str section 2, then rtl")
        << "w-axis-straightness.str" << 2 << "x-axis-linear.rtl"
        << QStringList{"L1 checked on", "X - off", "X - off"} << "L1";
    QTest::newRow("ang section 2, then str keeps it")
        << "y-axis-angular.ang" << 2 << "w-axis-straightness.str"
        << QStringList{"XX - on", "YY checked on", "X - off"} << "YY";
}

void TImportTest::selectionLeavesDisabledSection()
{
    QFETCH(QString, first);
    QFETCH(int, button);
    QFETCH(QString, second);
    QFETCH(QStringList, states);
    QFETCH(QString, label);

    Import(Example(first));
    Click_Section(button);
    Import(Example(second));
    QCOMPARE(Checked_And_Enabled(), states);
    QVERIFY(Report().contains("\nActive Section: " + label + "\n"));
}

void TImportTest::failedLoad_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<int>("button");
    QTest::addColumn<QStringList>("states");
    QTest::addColumn<int>("curves");

    // With button 2 checked, the failure disables it but leaves it checked; the report that
    // Enable_Controls set off has emptied the graph before the error line replaced it.
    QTest::newRow("button 2 of str") << "w-axis-straightness.str" << 2
                                     << QStringList{"X - off", "X checked off", "X - off"} << 0;
    // With button 1 checked, the previous file's curves stay in the graph.
    QTest::newRow("button 1 of rtl")
        << "x-axis-linear.rtl" << 1 << QStringList{"X checked off", "X - off", "X - off"} << 4;
}

void TImportTest::failedLoad()
{
    QFETCH(QString, first);
    QFETCH(int, button);
    QFETCH(QStringList, states);
    QFETCH(int, curves);

    Import(Example(first));
    if (button != 1)
        Click_Section(button);

    QTemporaryDir folder;
    const QString path = folder.filePath("broken.rtl");
    QFile broken(path);
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write(QByteArray(150, 'x'));
    broken.close();
    Import(path);

    QCOMPARE(Report(),
             QString("ERR:  Parameter 'Target-count' not found in file.  Cannot process data."));
    QCOMPARE(Checked_And_Enabled(), states);
    QCOMPARE(TGraphWidgetProbe(*d_graph).DataSetCount(), curves);
    for (const char* text : {"Save As...", "Dev. Normal", "Dev. Inverted", "All Data"})
        QVERIFY2(!Button(text)->isEnabled(), text);
    QVERIFY(Button("Import")->isEnabled());
}

void TImportTest::sectionChangeScrollsToTop()
{
    d_driver->Window().resize(801, 400);
    Import(Example("y-axis-angular.ang"));
    QPlainTextEdit* report = &d_driver->Report_Pane();
    QTRY_VERIFY(report->verticalScrollBar()->maximum() > 0);
    QCOMPARE(report->verticalScrollBar()->value(), 0);
    report->verticalScrollBar()->setValue(report->verticalScrollBar()->maximum());
    Click_Section(2);
    QCOMPARE(report->verticalScrollBar()->value(), 0);
    QCOMPARE(report->textCursor().position(), 0);
    QVERIFY(!report->textCursor().hasSelection());
}

QTEST_MAIN(TImportTest)
#include "tst_import.moc"
