#include "src/window/certificatedialog.h"

#include "src/output/certificate.h"
#include "src/window/settings.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace
{

// The editor a field takes; a line of text where the table does not say.
enum class TEditor
{
    Line,
    Date,
    Lines
};

const struct
{
    const char* Field;
    TEditor Editor;
} Field_Editors[] = {
    {"date", TEditor::Date},
    {"notes", TEditor::Lines},
};

TEditor Editor_Of(const TCertificateField& field)
{
    for (const auto& entry : Field_Editors)
        if (qstrcmp(entry.Field, field.Name) == 0)
            return entry.Editor;
    return TEditor::Line;
}

QString Settings_Key(const TCertificateField& field)
{
    return QStringLiteral("Certificate/") + QLatin1String(field.Name);
}

QWidget* New_Editor(TEditor editor, const QString& remembered, QWidget* parent)
{
    switch (editor)
    {
    case TEditor::Date:
    {
        QDateEdit* date = new QDateEdit(QDate::currentDate(), parent);
        date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        date->setCalendarPopup(true);
        return date;
    }
    case TEditor::Lines:
    {
        QPlainTextEdit* lines = new QPlainTextEdit(remembered, parent);
        lines->setTabChangesFocus(true);
        lines->setFixedHeight(4 * lines->fontMetrics().lineSpacing() + 12);
        return lines;
    }
    case TEditor::Line:
        break;
    }
    QLineEdit* line = new QLineEdit(remembered, parent);
    line->setMinimumWidth(36 * line->fontMetrics().averageCharWidth());
    return line;
}

QString Text_Of(const QWidget* editor)
{
    if (const auto* date = qobject_cast<const QDateEdit*>(editor))
        return date->date().toString(Qt::ISODate);
    if (const auto* lines = qobject_cast<const QPlainTextEdit*>(editor))
        return lines->toPlainText();
    return qobject_cast<const QLineEdit*>(editor)->text();
}

// "ISO 230-2..." is the button; "ISO 230-2" what goes in.
QString Evaluation_Title(const TEvaluationKind& kind)
{
    QString title = QString::fromUtf8(kind.Button);
    return title.endsWith(QStringLiteral("...")) ? title.chopped(3) : title;
}

} // namespace

TCertificateDialog::TCertificateDialog(const QString& subject,
                                       const std::vector<const TEvaluationKind*>& offered,
                                       QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Certificate"));
    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(subject, this));

    QFormLayout* fields = new QFormLayout;
    const QSettings settings{QLatin1String(Settings_Organisation),
                             QLatin1String(Settings_Application)};
    for (const TCertificateField& field : Certificate_Fields())
    {
        const QString remembered =
            field.Remembered ? settings.value(Settings_Key(field)).toString() : QString();
        QWidget* editor = New_Editor(Editor_Of(field), remembered, this);
        fields->addRow(QString::fromUtf8(field.Label) + QLatin1Char(':'), editor);
        d_editors.push_back(editor);
    }
    layout->addLayout(fields);

    if (!offered.empty())
    {
        QGroupBox* group = new QGroupBox(QStringLiteral("Evaluations"), this);
        QVBoxLayout* boxes = new QVBoxLayout(group);
        for (const TEvaluationKind* kind : offered)
        {
            QCheckBox* box = new QCheckBox(Evaluation_Title(*kind), group);
            box->setChecked(true);
            // As wide as its text: a click beside that would not tick it.
            boxes->addWidget(box, 0, Qt::AlignLeft);
            d_evaluations.emplace_back(kind, box);
        }
        layout->addWidget(group);
    }

    QDialogButtonBox* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    // It goes on to the file dialog.
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Save..."));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &TCertificateDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TCertificateDialog::reject);
}

QMap<QString, QString> TCertificateDialog::Fields() const
{
    QMap<QString, QString> values;
    const std::vector<TCertificateField>& fields = Certificate_Fields();
    for (std::size_t k = 0; k < fields.size(); ++k)
        values.insert(QLatin1String(fields[k].Name), Text_Of(d_editors[k]));
    return values;
}

std::vector<const TEvaluationKind*> TCertificateDialog::Evaluations() const
{
    std::vector<const TEvaluationKind*> ticked;
    for (const auto& [kind, box] : d_evaluations)
        if (box->isChecked())
            ticked.push_back(kind);
    return ticked;
}

void TCertificateDialog::accept()
{
    QSettings settings{QLatin1String(Settings_Organisation), QLatin1String(Settings_Application)};
    const std::vector<TCertificateField>& fields = Certificate_Fields();
    for (std::size_t k = 0; k < fields.size(); ++k)
        if (fields[k].Remembered)
            settings.setValue(Settings_Key(fields[k]), Text_Of(d_editors[k]));
    QDialog::accept();
}
