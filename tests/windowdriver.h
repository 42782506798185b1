#ifndef VANTREL_TESTS_WINDOWDRIVER_H
#define VANTREL_TESTS_WINDOWDRIVER_H

#include "core/graphwidget.h"
#include "dialoganswer.h"
#include "src/vantrel.h"

#include <QMimeData>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QtTest>

#include <memory>

// Drives a real, shown main window the way a user does: buttons, file dialogs, drops.
class TWindowDriver
{
public:
    TWindowDriver() : d_window(new TVantrel)
    {
        d_window->show();
        d_exposed = QTest::qWaitForWindowExposed(d_window.get());
    }

    bool Exposed() const { return d_exposed; }
    TVantrel& Window() { return *d_window; }
    TGraphWidget& Graph() { return *d_window->findChild<TGraphWidget*>(); }
    QPlainTextEdit& Report_Pane() { return *d_window->findChild<QPlainTextEdit*>(); }
    QString Report() { return Report_Pane().toPlainText(); }

    QAbstractButton* Button(const QString& text)
    {
        for (QAbstractButton* button : d_window->findChildren<QAbstractButton*>())
            if (button->text() == text)
                return button;
        return nullptr;
    }

    // The section buttons are the only tool buttons, in the order 1, 2, 3.
    QToolButton* Section_Button(int button)
    {
        return d_window->findChildren<QToolButton*>().at(button - 1);
    }

    void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void Click(const QString& text) { Click(Button(text)); }
    void Click_Section(int button) { Click(Section_Button(button)); }

    // Clicks the button, answers the file dialog it opens with the file (an empty name
    // cancels), and tells whether a dialog was answered.
    bool Answer_Dialog(const QString& button, const QString& file_name,
                       std::function<void(QFileDialog*)> inspect = nullptr)
    {
        TDialogAnswer answer(file_name, std::move(inspect));
        Click(button);
        return answer.Answered();
    }

    bool Import(const QString& path) { return Answer_Dialog(QStringLiteral("Import"), path); }

    // Drags the URLs over the window and drops them; false when the drag was refused.
    bool Drop(const QList<QUrl>& urls)
    {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(d_window.get(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(d_window.get(), &drop);
        return true;
    }

private:
    std::unique_ptr<TVantrel> d_window;
    bool d_exposed = false;
};

#endif
