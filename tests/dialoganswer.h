#ifndef VANTREL_TESTS_DIALOGANSWER_H
#define VANTREL_TESTS_DIALOGANSWER_H

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QObject>
#include <QTimer>

#include <functional>

// Answers the next file dialog that opens: waits for it to become the active modal widget,
// lets the test look at it, then picks the given file, or cancels when the name is empty.
// A question that follows (replace an existing file?) is answered with Yes.
class TDialogAnswer : public QObject
{
public:
    explicit TDialogAnswer(const QString& file_name,
                           std::function<void(QFileDialog*)> inspect = nullptr)
        : d_file_name(file_name), d_inspect(std::move(inspect))
    {
        d_timer.setInterval(10);
        connect(&d_timer, &QTimer::timeout, this, &TDialogAnswer::Try_Answer);
        d_timer.start();
        d_question_timer.setInterval(10);
        connect(&d_question_timer, &QTimer::timeout, this, &TDialogAnswer::Answer_Question);
    }

    bool Answered() const { return d_answered; }

private:
    void Try_Answer()
    {
        QFileDialog* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        d_timer.stop();
        d_answered = true;
        if (d_inspect)
            d_inspect(dialog);
        if (d_file_name.isEmpty())
        {
            dialog->reject();
            return;
        }
        // The question comes up inside accept(), so its own timer must answer it.
        d_question_timer.start();
        // selectFile() leaves the name field alone while it has the focus, so the name is
        // typed into the field as a user would.
        dialog->selectFile(d_file_name);
        if (QLineEdit* name_field = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
            name_field->setText(d_file_name);
        // QFileDialog hides accept(), which checks the name, behind its QDialog base.
        static_cast<QDialog*>(dialog)->accept();
        d_question_timer.stop();
        // A name the dialog refused must fail the test, not leave it waiting for ever.
        if (dialog->isVisible())
        {
            d_answered = false;
            dialog->reject();
        }
    }

    void Answer_Question()
    {
        QMessageBox* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box && box->isVisible() && box->button(QMessageBox::Yes))
            box->button(QMessageBox::Yes)->click();
    }

    QString d_file_name;
    std::function<void(QFileDialog*)> d_inspect;
    QTimer d_timer;
    QTimer d_question_timer;
    bool d_answered = false;
};

#endif
