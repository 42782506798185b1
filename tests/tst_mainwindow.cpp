#include "core/graphwidget.h"
#include "graphprobe.h"
#include "src/vantrel.h"

#include <QApplication>
#include <QBoxLayout>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QToolButton>
#include <QtTest>

namespace
{

QAbstractButton* Button(const QWidget& window, const QString& text)
{
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

} // namespace

class TMainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void window();
    void buttons_data();
    void buttons();
    void groups();
    void dock();
    void tabOrder();
    void panes();
    void closeEndsTheProgram();
};

void TMainWindowTest::window()
{
    TVantrel window;
    QCOMPARE(window.windowTitle(), QString("Vantrel - 1.1"));
    QCOMPARE(window.size(), QSize(801, 601));
    QVERIFY(window.acceptDrops());
    QCOMPARE(window.metaObject()->className(), "TVantrel");
}

void TMainWindowTest::buttons_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("checkable");
    QTest::addColumn<bool>("checked");

    QTest::newRow("Import") << "Import" << true << false << false;
    QTest::newRow("Save As...") << "Save As..." << false << false << false;
    QTest::newRow("section 1") << "1" << false << true << true;
    QTest::newRow("section 2") << "2" << false << true << false;
    QTest::newRow("section 3") << "3" << false << true << false;
    QTest::newRow("Dev. Normal") << "Dev. Normal" << false << false << false;
    QTest::newRow("Dev. Inverted") << "Dev. Inverted" << false << false << false;
    QTest::newRow("All Data") << "All Data" << false << false << false;
    QTest::newRow("Close") << "Close" << true << false << false;
}

void TMainWindowTest::buttons()
{
    QFETCH(QString, text);
    QFETCH(bool, enabled);
    QFETCH(bool, checkable);
    QFETCH(bool, checked);

    TVantrel window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QAbstractButton* button = Button(window, text);
    QVERIFY(button);
    QCOMPARE(button->isEnabled(), enabled);
    QCOMPARE(button->isCheckable(), checkable);
    QCOMPARE(button->isChecked(), checked);
    // Section buttons are tool buttons, the others push buttons.
    QCOMPARE(qobject_cast<QToolButton*>(button) != nullptr, checkable);
}

void TMainWindowTest::groups()
{
    TVantrel window;
    const QList<QGroupBox*> groups = window.findChildren<QGroupBox*>();
    QStringList titles;
    for (const QGroupBox* group : groups)
        titles << group->title();
    QCOMPARE(titles, (QStringList{"File", "Display Section", "Copy to Clipboard"}));

    // Each group holds its own buttons, in order; the section buttons stand side by side.
    const auto texts = [](const QGroupBox* group)
    {
        QStringList result;
        for (int i = 0; i < group->layout()->count(); ++i)
            result << qobject_cast<QAbstractButton*>(group->layout()->itemAt(i)->widget())->text();
        return result;
    };
    QCOMPARE(texts(groups[0]), (QStringList{"Import", "Save As..."}));
    QCOMPARE(texts(groups[1]), (QStringList{"1", "2", "3"}));
    QCOMPARE(texts(groups[2]), (QStringList{"Dev. Normal", "Dev. Inverted", "All Data"}));
    QVERIFY(qobject_cast<QHBoxLayout*>(groups[1]->layout()));
    for (const QGroupBox* group : groups)
    {
        QCOMPARE(group->layout()->contentsMargins().left(), 2);
        QCOMPARE(group->layout()->contentsMargins().right(), 2);
    }
}

void TMainWindowTest::dock()
{
    TVantrel window;
    const QList<QDockWidget*> docks = window.findChildren<QDockWidget*>();
    QCOMPARE(docks.size(), 1);
    QDockWidget* dock = docks.first();
    QCOMPARE(dock->features(), QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    QCOMPARE(dock->allowedAreas(), Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    QCOMPARE(window.dockWidgetArea(dock), Qt::LeftDockWidgetArea);
    QVERIFY(dock->windowTitle().isEmpty());

    // The groups come first, then the spacer that pushes "Close" to the bottom.
    QLayout* layout = dock->widget()->layout();
    QCOMPARE(layout->count(), 5);
    QVERIFY(layout->itemAt(3)->spacerItem());
    QCOMPARE(layout->itemAt(3)->spacerItem()->sizePolicy().verticalPolicy(),
             QSizePolicy::Expanding);
    QCOMPARE(qobject_cast<QPushButton*>(layout->itemAt(4)->widget())->text(), QString("Close"));
}

void TMainWindowTest::tabOrder()
{
    TVantrel window;
    const QList<QWidget*> expected = {Button(window, "Import"),
                                      Button(window, "Save As..."),
                                      Button(window, "1"),
                                      Button(window, "2"),
                                      Button(window, "3"),
                                      Button(window, "Dev. Normal"),
                                      Button(window, "Dev. Inverted"),
                                      Button(window, "All Data"),
                                      window.findChild<QPlainTextEdit*>()};

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
    TVantrel window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const QPlainTextEdit* report = window.findChild<QPlainTextEdit*>();
    QVERIFY(report);
    QVERIFY(report->isReadOnly());
    QCOMPARE(report->lineWrapMode(), QPlainTextEdit::NoWrap);
    QVERIFY(!report->document()->isUndoRedoEnabled());
    QCOMPARE(report->font().family(), QString("Courier New"));
    // Checking section button 1 during construction ran no slot.
    QVERIFY(report->toPlainText().isEmpty());

    TGraphWidget* graph = window.findChild<TGraphWidget*>();
    QVERIFY(graph);
    QCOMPARE(graph->minimumSize(), QSize(0, 150));
    TGraphWidgetProbe probe(*graph);
    QCOMPARE(probe.DataSetCount(), 0);
    QCOMPARE(probe.Title(), QString());
    QCOMPARE(probe.HorizontalTitle(), QString("Position"));
    QCOMPARE(probe.VerticalTitle(), QString("Deviation"));

    // The report above the graph, sharing the height equally.
    const QSplitter* splitter = window.findChild<QSplitter*>();
    QVERIFY(splitter);
    QCOMPARE(splitter->orientation(), Qt::Vertical);
    QCOMPARE(splitter->widget(0), report);
    QCOMPARE(splitter->widget(1), graph);
    QVERIFY(qAbs(splitter->sizes()[0] - splitter->sizes()[1]) <= 1);

    // The banner sits under the splitter in small italics.
    const QLabel* banner = window.findChild<QLabel*>();
    QVERIFY(banner);
    QVERIFY(banner->text().contains("Vantrel"));
    QCOMPARE(banner->font().pointSize(), 8);
    QCOMPARE(banner->font().style(), QFont::StyleItalic);
    QVERIFY(banner->geometry().top() > splitter->geometry().bottom());
}

void TMainWindowTest::closeEndsTheProgram()
{
    TVantrel* window = new TVantrel;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));

    // "Close" closes the last window, which ends the event loop with exit code 0.
    QAbstractButton* close = Button(*window, "Close");
    QTimer::singleShot(0, close, [close] { QTest::mouseClick(close, Qt::LeftButton); });
    QTimer::singleShot(10000, qApp, [] { QApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!window->isVisible());
    delete window;
}

QTEST_MAIN(TMainWindowTest)
#include "tst_mainwindow.moc"
