#include "graphprobe.h"
#include "windowdriver.h"

#include <QBoxLayout>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QtTest>

namespace
{

// The items of a layout in order: buttons by text, groups by title with their items,
// "spacer"; the items of a horizontal layout are apart by " - ".
QString Items(QLayout* layout)
{
    QStringList items;
    for (int i = 0; i < layout->count(); ++i)
    {
        QWidget* widget = layout->itemAt(i)->widget();
        if (QGroupBox* group = qobject_cast<QGroupBox*>(widget))
            items << group->title() + " (" + Items(group->layout()) + ')';
        else
            items << (widget ? qobject_cast<QAbstractButton*>(widget)->text() : "spacer");
    }
    return items.join(qobject_cast<QHBoxLayout*>(layout) ? " - " : ", ");
}

} // namespace

class TMainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void lifeOfTheWindow();
};

void TMainWindowTest::lifeOfTheWindow()
{
    TWindowDriver window;
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QString("Vantrel - 1.1"));
    QVERIFY(window.acceptDrops());
    QCOMPARE(TVantrel().size(), QSize(801, 601));

    // Only "Import" and "Close" are enabled; section button 1 is checked. Checking it during
    // construction ran no slot, which would have written the report; typing adds nothing.
    QCOMPARE(window.States(), QString("[1*] [2] [3] off"));
    QTest::keyClicks(&window.Report_Pane(), "typed");
    QVERIFY(window.Report().isEmpty());

    QDockWidget* dock = window.findChild<QDockWidget*>();
    QCOMPARE(dock->features(), QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    QCOMPARE(dock->allowedAreas(), Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    QCOMPARE(window.dockWidgetArea(dock), Qt::LeftDockWidgetArea);
    QCOMPARE(Items(dock->widget()->layout()),
             QString("File (Import, Save As...), Display Section (1 - 2 - 3), "
                     "Copy to Clipboard (Dev. Normal, Dev. Inverted, All Data), "
                     "Graph (Copy Graph, Save Graph..., Print...), Evaluate (ISO 230-2...), "
                     "spacer, Close"));

    // The widgets that Tab stops at, in the order of the focus chain from "Import".
    const QList<QWidget*> tab_order = {
        window.Button("Import"),        window.Button("Save As..."), window.Section_Button(1),
        window.Section_Button(2),       window.Section_Button(3),    window.Button("Dev. Normal"),
        window.Button("Dev. Inverted"), window.Button("All Data"),   window.Button("Copy Graph"),
        window.Button("Save Graph..."), window.Button("Print..."),   window.Button("ISO 230-2..."),
        &window.Report_Pane(),          window.Button("Close")};
    QList<QWidget*> chain;
    QWidget* widget = tab_order[0];
    do
    {
        if (widget->focusPolicy() & Qt::TabFocus)
            chain << widget;
        widget = widget->nextInFocusChain();
    } while (widget != tab_order[0] && chain.size() < tab_order.size());
    QCOMPARE(chain, tab_order);

    const QPlainTextEdit& report = window.Report_Pane();
    TGraphWidgetProbe probe(window.Graph());
    QCOMPARE(probe.DataSetCount(), 0);
    QCOMPARE(QStringList({probe.Title(), probe.HorizontalTitle(), probe.VerticalTitle()}),
             QStringList({"", "Position", "Deviation"}));

    // The report above the graph, sharing the height equally; the banner below them.
    QVERIFY(report.geometry().bottom() < window.Graph().geometry().top());
    QVERIFY(qAbs(report.height() - window.Graph().height()) <= 1);
    const QLabel* banner = window.findChild<QLabel*>();
    QVERIFY(banner->text().contains("Vantrel"));
    QVERIFY(banner->geometry().top() > window.Graph().parentWidget()->geometry().bottom());

    // "Close" ends the event loop with 0.
    QTimer::singleShot(0, &window, [&window] { window.Click("Close"); });
    QTimer::singleShot(10000, qApp, [] { QApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!window.isVisible());
}

QTEST_MAIN(TMainWindowTest)
#include "tst_mainwindow.moc"
