#include "src/window/unitsdialog.h"

#include "src/window/settings.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSettings>

namespace
{

// The kinds whose deviation unit may be chosen, with the key each is remembered under. Which
// units a kind takes, and its usual one, the model says.
const struct
{
    TLaserFileType Kind;
    const char* Key;
    const char* Label;
} Unit_Kinds[] = {
    {Renishaw_RTL, "RTL", "Linear (RTL):"},
    {Renishaw_RTA, "RTA", "Angular (RTA):"},
    {Renishaw_STx, "STx", "Straightness (STx):"},
};

QString Settings_Key(const char* key)
{
    return QStringLiteral("DeviationUnit/") + QLatin1String(key);
}

// An empty file of the kind, which answers for the kind's units.
TLaserFile Of_Kind(TLaserFileType kind)
{
    TLaserFile file;
    file.d_file_type = kind;
    return file;
}

// The units the kind takes, in the order the units are listed.
std::vector<TDeviationUnit> Units_Of(TLaserFileType kind)
{
    const TLaserFile file = Of_Kind(kind);
    std::vector<TDeviationUnit> units;
    const bool angles = Unit_Info(file.Deviation_Unit()).Is_Angle;
    for (const QString& name : Unit_Names(angles).split(QStringLiteral(", ")))
        if (const std::optional<TDeviationUnit> unit = Unit_Named(name))
            if (file.Takes_Deviation_Unit(*unit))
                units.push_back(*unit);
    return units;
}

} // namespace

std::optional<TDeviationUnit> Remembered_Deviation_Unit(TLaserFileType kind)
{
    for (const auto& unit_kind : Unit_Kinds)
        if (unit_kind.Kind == kind)
        {
            const QSettings settings{QLatin1String(Settings_Organisation),
                                     QLatin1String(Settings_Application)};
            const std::optional<TDeviationUnit> unit =
                Unit_Named(settings.value(Settings_Key(unit_kind.Key)).toString());
            return unit && Of_Kind(kind).Takes_Deviation_Unit(*unit) ? unit : std::nullopt;
        }
    return std::nullopt;
}

TUnitsDialog::TUnitsDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Units"));
    QFormLayout* layout = new QFormLayout(this);
    QLabel* note = new QLabel(
        QStringLiteral("Renishaw files do not state the unit of their deviations. The unit "
                       "chosen here names them in the evaluations; the values are not "
                       "converted."),
        this);
    note->setWordWrap(true);
    note->setMinimumWidth(40 * note->fontMetrics().averageCharWidth());
    layout->addRow(note);
    for (const auto& unit_kind : Unit_Kinds)
    {
        QComboBox* choice = new QComboBox(this);
        const TDeviationUnit current = Remembered_Deviation_Unit(unit_kind.Kind)
                                           .value_or(Of_Kind(unit_kind.Kind).Deviation_Unit());
        for (const TDeviationUnit unit : Units_Of(unit_kind.Kind))
        {
            choice->addItem(Unit_Symbol(unit), QString::fromLatin1(Unit_Info(unit).Name));
            if (unit == current)
                choice->setCurrentIndex(choice->count() - 1);
        }
        layout->addRow(QString::fromLatin1(unit_kind.Label), choice);
        d_choices.emplace_back(Settings_Key(unit_kind.Key), choice);
    }
    QDialogButtonBox* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &TUnitsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TUnitsDialog::reject);
}

void TUnitsDialog::accept()
{
    QSettings settings{QLatin1String(Settings_Organisation), QLatin1String(Settings_Application)};
    for (const auto& [key, choice] : d_choices)
        settings.setValue(key, choice->currentData());
    QDialog::accept();
}
