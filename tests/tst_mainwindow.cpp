#include "graphprobe.h"
#include "windowdriver.h"

#include <QBoxLayout>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QSplitter>
#include <QtTest>

class TMainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initialState();
    void dockAndGroups();
    void tabOrder();
    void panes();
    void closeEndsTheEventLoop();
};

void TMainWindowTest::initialState()
{
    TWindowDriver driver;
    TVantrel& window = driver.Window();
    QCOMPARE(window.windowTitle(), QString("Vantrel - 1.1"));
    QVERIFY(window.acceptDrops());
    QCOMPARE(TVantrel().size(), QSize(801, 601));

    // Only "Import" and "Close" are enabled; section button 1 is checked.
    QStringList states;
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
        if (!qobject_cast<QDockWidget*>(button->parentWidget()))
            states << button->text() + (button->isEnabled() ? " on" : " off") +
                          (button->isCheckable() ? (button->isChecked() ? " checked" : " -") : "");
    QCOMPARE(states,
             (QStringList{"Import on", "Save As... off", "1 off checked", "2 off -", "3 off -",
                          "Dev. Normal off", "Dev. Inverted off", "All Data off", "Close on"}));
    // Checking section button 1 during construction ran no slot.
    QVERIFY(driver.Report().isEmpty());
}

void TMainWindowTest::dockAndGroups()
{
    TVantrel window;
    QDockWidget* dock = window.findChild<QDockWidget*>();
    QCOMPARE(dock->features(), QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    QCOMPARE(dock->allowedAreas(), Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    QCOMPARE(window.dockWidgetArea(dock), Qt::LeftDockWidgetArea);
    QVERIFY(dock->windowTitle().isEmpty());

    // Three groups of buttons, a spacer that pushes "Close" to the bottom, then "Close".
    QStringList items;
    QLayout* layout = dock->widget()->layout();
    for (int i = 0; i < layout->count(); ++i)
    {
        if (QGroupBox* group = qobject_cast<QGroupBox*>(layout->itemAt(i)->widget()))
        {
            QStringList texts;
            for (int j = 0; j < group->layout()->count(); ++j)
                texts
                    << qobject_cast<QAbstractButton*>(group->layout()->itemAt(j)->widget())->text();
            items << group->title() + ": " + texts.join(", ");
            QCOMPARE(group->layout()->contentsMargins().left(), 2);
            QCOMPARE(group->layout()->contentsMargins().right(), 2);
        }
        else if (layout->itemAt(i)->spacerItem())
            items << "spacer";
        else
            items << qobject_cast<QAbstractButton*>(layout->itemAt(i)->widget())->text();
    }
    QCOMPARE(items, (QStringList{"File: Import, Save As...", "Display Section: 1, 2, 3",
                                 "Copy to Clipboard: Dev. Normal, Dev. Inverted, All Data",
                                 "spacer", "Close"}));
    QVERIFY(qobject_cast<QHBoxLayout*>(window.findChildren<QGroupBox*>()[1]->layout()));
}

void TMainWindowTest::tabOrder()
{
    TWindowDriver driver;
    const QList<QWidget*> expected = {
        driver.Button("Import"),        driver.Button("Save As..."), driver.Section_Button(1),
        driver.Section_Button(2),       driver.Section_Button(3),    driver.Button("Dev. Normal"),
        driver.Button("Dev. Inverted"), driver.Button("All Data"),   &driver.Report_Pane()};

    // The widgets that Tab stops at, in the order of the focus chain from "Import".
    QList<QWidget*> chain;
    QWidget* widget = expected.first();
    do
    {
        if (widget->focusPolicy() & Qt::TabFocus)
            chain << widget;
        widget = widget->nextInFocusChain();
    } while (widget != expected.first() && chain.size() < expected.size());
    QCOMPARE(chain, expected);
}

void TMainWindowTest::panes()
{
    TWindowDriver driver;
    const QPlainTextEdit& report = driver.Report_Pane();
    QVERIFY(report.isReadOnly());
    QCOMPARE(report.lineWrapMode(), QPlainTextEdit::NoWrap);
    QVERIFY(!report.document()->isUndoRedoEnabled());
    QCOMPARE(report.font().family(), QString("Courier New"));

    TGraphWidget& graph = driver.Graph();
    QCOMPARE(graph.minimumSize(), QSize(0, 150));
    TGraphWidgetProbe probe(graph);
    QCOMPARE(probe.DataSetCount(), 0);
    QCOMPARE(QStringList({probe.Title(), probe.HorizontalTitle(), probe.VerticalTitle()}),
             QStringList({"", "Position", "Deviation"}));

    // The report above the graph, sharing the height equally; the banner below them.
    const QSplitter* splitter = driver.Window().findChild<QSplitter*>();
    QCOMPARE(splitter->orientation(), Qt::Vertical);
    QCOMPARE(splitter->widget(0), &report);
    QCOMPARE(splitter->widget(1), &graph);
    QVERIFY(qAbs(splitter->sizes()[0] - splitter->sizes()[1]) <= 1);
    const QLabel* banner = driver.Window().findChild<QLabel*>();
    QVERIFY(banner->text().contains("Vantrel"));
    QCOMPARE(banner->font().pointSize(), 8);
    QCOMPARE(banner->font().style(), QFont::StyleItalic);
    QVERIFY(banner->geometry().top() > splitter->geometry().bottom());
}

void TMainWindowTest::closeEndsTheEventLoop()
{
    TWindowDriver driver;
    QAbstractButton* close = driver.Button("Close");
    QTimer::singleShot(0, close, [&driver] { driver.Click("Close"); });
    QTimer::singleShot(10000, qApp, [] { QApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!driver.Window().isVisible());
}

QTEST_MAIN(TMainWindowTest)
#include "tst_mainwindow.moc"
