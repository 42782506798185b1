#include "graphprobe.h"
#include "windowdriver.h"

#include <QtTest>

namespace
{

// A straightness file with two targets, the first at the value given.
QByteArray Straightness(const QByteArray& first)
{
    return "Units: mm\nPosition XX YY\n10 " + first + " 1.0\n20 0.2 2.0\n" + QByteArray(100, '\n');
}

} // namespace

// F5, Ctrl+PgDown and Ctrl+PgUp on the real window, over a folder of mixed files.
class TFolderWalkTest : public QObject
{
    Q_OBJECT

private slots:
    void walk_data();
    void walk();
};

void TFolderWalkTest::walk_data()
{
    // The file imported, the keys pressed (F5, n(ext), p(revious), or w(rite) the imported
    // file anew, its first value 0.7), then the graph's title and its first value.
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("title");
    QTest::addColumn<double>("first");
    const auto row = [](const char* tag, const char* start, const char* keys, const char* title,
                        double first) { QTest::newRow(tag) << start << keys << title << first; };
    row("numbers by value", "axis 2.str", "n", "", 0);
    row("past other kinds and a folder", "axis 2.str", "n n", "axis 10.str", 0.1);
    row("case ignored", "axis 10.str", "n", "Axis 11.STR", 0.1);
    row("previous", "Axis 11.STR", "p p p", "axis 2.str", 0.1);
    row("the last stays", "Axis 11.STR", "n", "Axis 11.STR", 0.1);
    row("the first stays", "axis 2.str", "p", "axis 2.str", 0.1);
    row("reload", "axis 2.str", "w F5", "axis 2.str", 0.7);
}

void TFolderWalkTest::walk()
{
    QFETCH(QString, start);
    QFETCH(QString, keys);
    QTemporaryDir folder;
    for (const char* name : {"axis 2.str", "axis 10.str", "Axis 11.STR", "axis 3.txt",
                             "axis 4.str.bak", ".axis 5.str", "axis 6.str/inner.rtl"})
        QVERIFY(!Write(folder.filePath(name), Straightness("0.1")).isEmpty());
    // A file of a kind read that fails to load is visited, and the walk goes on from it.
    QVERIFY(!Write(folder.filePath("axis 9.rtl"), QByteArray(150, 'x')).isEmpty());

    TWindowDriver window;
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(window.Import(folder.filePath(start)));
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    for (const QString& key : keys.split(' '))
    {
        if (key == "w")
            Write(folder.filePath(start), Straightness("0.7"));
        else
            QTest::keyClick(&window,
                            key == "F5"  ? Qt::Key_F5
                            : key == "n" ? Qt::Key_PageDown
                                         : Qt::Key_PageUp,
                            key == "F5" ? Qt::NoModifier : Qt::ControlModifier);
    }
    TGraphWidgetProbe graph(window.Graph());
    QTEST(graph.Title(), "title");
    if (graph.DataSetCount() > 0)
        QTEST(graph.DataSet(0).Points.at(0).y, "first");
    else
        QVERIFY(window.Report().startsWith("ERR:  "));
}

QTEST_MAIN(TFolderWalkTest)
#include "tst_folderwalk.moc"
