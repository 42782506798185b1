#include "graphprobe.h"
#include "windowdriver.h"

#include <QtTest>

// F5, Ctrl+PgDown and Ctrl+PgUp on the real window, over a folder of mixed files.
class TFolderWalkTest : public QObject
{
    Q_OBJECT

private slots:
    void walk();
};

void TFolderWalkTest::walk()
{
    // Straightness files, the first target at the value given.
    const auto content = [](const char* first)
    {
        return "Units: mm\nPosition XX YY\n10 " + QByteArray(first) + " 1\n20 2 2\n" +
               QByteArray(99, '\n');
    };
    QTemporaryDir folder;
    for (const char* name : {"axis 2.str", "axis 10.str", "Axis 11.STR", "axis 3.txt",
                             "axis 4.str.bak", ".axis 5.str", "axis 6.str/inner.rtl"})
        QVERIFY(!Write(folder.filePath(name), content("0.1")).isEmpty());
    // Of a kind read but failing: visited, and the walk goes on from it.
    QVERIFY(!Write(folder.filePath("axis 9.rtl"), QByteArray(150, 'x')).isEmpty());

    TWindowDriver window;
    QVERIFY(window.Import(folder.filePath("axis 2.str")));
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // A key (n)ext, (p)revious or F5, then the graph's title and its first value; before "w"
    // the first file is written anew.
    const QList<QPair<QString, QString>> walk = {{"p", "axis 2.str 0.1"},
                                                 {"n", " "},
                                                 {"n", "axis 10.str 0.1"},
                                                 {"n", "Axis 11.STR 0.1"},
                                                 {"n", "Axis 11.STR 0.1"},
                                                 {"p", "axis 10.str 0.1"},
                                                 {"p", " "},
                                                 {"p", "axis 2.str 0.1"},
                                                 {"wF5", "axis 2.str 0.7"}};
    for (const auto& step : walk)
    {
        if (step.first == "wF5")
            Write(folder.filePath("axis 2.str"), content("0.7"));
        QTest::keyClick(&window,
                        step.first == "n"   ? Qt::Key_PageDown
                        : step.first == "p" ? Qt::Key_PageUp
                                            : Qt::Key_F5,
                        step.first == "wF5" ? Qt::NoModifier : Qt::ControlModifier);
        TGraphWidgetProbe graph(window.Graph());
        const QString first =
            graph.DataSetCount() ? QString::number(graph.DataSet(0).Points[0].y) : "";
        QCOMPARE(graph.Title() + ' ' + first, step.second);
    }
}

QTEST_MAIN(TFolderWalkTest)
#include "tst_folderwalk.moc"
