#ifndef VANTREL_TESTS_WINDOWDRIVER_H
#define VANTREL_TESTS_WINDOWDRIVER_H

#include "core/graphwidget.h"
#include "src/window/vantrel.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QToolButton>
#include <QtTest>

// Writes the file, and any folder it needs; the path, or an empty one when that failed.
inline QString Write(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
    return written ? path : QString();
}

// The real main window, shown, driven the way a user does: buttons, file dialogs, drops.
class TWindowDriver : public TVantrel
{
public:
    TWindowDriver() { show(); }

    TGraphWidget& Graph() { return *findChild<TGraphWidget*>(); }
    QPlainTextEdit& Report_Pane() { return *findChild<QPlainTextEdit*>(); }
    QString Report() { return Report_Pane().toPlainText(); }

    // The start of the report's last line lies within the pane's viewport.
    bool Last_Line_Shown()
    {
        QPlainTextEdit& pane = Report_Pane();
        return pane.viewport()->rect().contains(
            pane.cursorRect(QTextCursor(pane.document()->lastBlock())));
    }

    QAbstractButton* Button(const QString& text) { return Button(this, text); }
    static QAbstractButton* Button(QWidget* parent, const QString& text)
    {
        for (QAbstractButton* button : parent->findChildren<QAbstractButton*>())
            if (button->text() == text)
                return button;
        return nullptr;
    }

    // The section buttons are the only tool buttons, in the order 1, 2, 3.
    QToolButton* Section_Button(int button) { return findChildren<QToolButton*>().at(button - 1); }

    void Click(const QString& text) { QTest::mouseClick(Button(text), Qt::LeftButton); }
    void Click_Section(int button) { QTest::mouseClick(Section_Button(button), Qt::LeftButton); }

    // The section buttons as their labels, with "*" when checked, in brackets when disabled;
    // then "on" or "off" for the export buttons, "mixed" when they differ.
    QString States()
    {
        QStringList states;
        for (int button = 1; button <= 3; ++button)
        {
            const QToolButton* tool = Section_Button(button);
            const QString state = tool->text() + (tool->isChecked() ? "*" : "");
            states << (tool->isEnabled() ? state : '[' + state + ']');
        }
        int on = 0;
        const auto texts = {"Save As...", "Certificate...", "Dev. Normal",   "Dev. Inverted",
                            "All Data",   "Copy Graph",     "Save Graph...", "Print..."};
        for (const char* text : texts)
            on += Button(text)->isEnabled();
        return states.join(' ') + (on == int(texts.size()) ? " on" : on == 0 ? " off" : " mixed");
    }

    // Clicks the button and answers the file dialog it opens, clicking the dialog's button
    // `tick` first if one is named; see Answer().
    QString Answer_Dialog(const QString& button, const QString& file_name,
                          const QString& tick = QString())
    {
        return Answer_Dialog(Button(button), file_name, tick);
    }

    static QString Answer_Dialog(QAbstractButton* button, const QString& file_name,
                                 const QString& tick = QString())
    {
        QString shown;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] { Answer(timer, file_name, tick, shown); });
        timer.start(10);
        QTest::mouseClick(button, Qt::LeftButton);
        return shown;
    }

    bool Import(const QString& path) { return !Answer_Dialog("Import", path).isEmpty(); }

    // Drags the data over the window and drops it; false when the drag was refused.
    bool Drop(const QMimeData& data)
    {
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(this, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(this, &drop);
        return true;
    }

private:
    // Once a file dialog is up, answers it as a user does: types the name and accepts (an
    // empty name cancels), and says Yes to a question that follows. Tells the dialog's
    // caption, filters and preselected file, apart by " | "; nothing when it refused the name.
    static void Answer(QTimer& timer, const QString& file_name, const QString& tick, QString& shown)
    {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        timer.stop();
        shown = QStringList{dialog->windowTitle(), dialog->nameFilters().join(';'),
                            dialog->selectedFiles().join(';')}
                    .join(" | ");
        if (file_name.isEmpty())
            return dialog->reject();
        if (!tick.isEmpty())
            QTest::mouseClick(Button(dialog, tick), Qt::LeftButton);
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(file_name);
        // The question comes up inside accept(), which QFileDialog hides behind QDialog.
        QTimer question_timer;
        QObject::connect(&question_timer, &QTimer::timeout, &Say_Yes);
        question_timer.start(10);
        static_cast<QDialog*>(dialog)->accept();
        if (dialog->isVisible())
        {
            shown.clear();
            dialog->reject();
        }
    }

    static void Say_Yes()
    {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->button(QMessageBox::Yes)->click();
    }
};

#endif
