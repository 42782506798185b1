#include "src/output/evaluationtable.h"

#include "src/output/evaluationtext.h"

namespace
{

QString Percent_Text(const TValue& percent)
{
    return percent ? QString::number(*percent, 'f', 1) : QString();
}

} // namespace

const TFigure* Figure_Named(const TEvaluation* evaluation, const QString& name)
{
    if (!evaluation)
        return nullptr;
    for (const TFigure& figure : evaluation->Figures)
        if (figure.Name == name)
            return &figure;
    return nullptr;
}

QString Where_Text(const TFigure& figure, TDeviationUnit unit)
{
    const auto at = [unit](const TValue& position)
    { return Shown_Number(position, TQuantity::Position, unit); };
    if (figure.High_Position && figure.Low_Position)
        return QStringLiteral("max %1, min %2 mm")
            .arg(at(figure.High_Position), at(figure.Low_Position));
    if (figure.High_Position)
        return QStringLiteral("at %1 mm").arg(at(figure.High_Position));
    if (figure.Run > 0)
        return QStringLiteral("run %1").arg(figure.Run);
    return QString();
}

QStringList Figure_Titles(bool compared)
{
    return compared ? QStringList{QStringLiteral("Figure"),         QStringLiteral("As left"),
                                  QStringLiteral("As found"),       QStringLiteral("Change"),
                                  QStringLiteral("Change (%)"),     QStringLiteral("Unit"),
                                  QStringLiteral("Where (as left)")}
                    : QStringList{QStringLiteral("Figure"), QStringLiteral("Value"),
                                  QStringLiteral("Unit"), QStringLiteral("Where")};
}

QStringList Figure_Cells(const TFigure& figure, TDeviationUnit unit, const TEvaluation* reference)
{
    const auto shown = [&figure, unit](const TValue& value)
    { return Shown_Number(value, figure.Quantity, unit); };
    QStringList cells = {figure.Name, shown(figure.Value)};
    if (reference)
    {
        const TFigure* found = Figure_Named(reference, figure.Name);
        const TValue before = found ? found->Value : TValue();
        cells << shown(before) << shown(Change(figure.Value, before))
              << Percent_Text(Change_Percent(figure.Value, before));
    }
    return cells << Quantity_Unit(figure.Quantity, unit, true) << Where_Text(figure, unit);
}

bool Figure_Column_Is_Number(int column, bool compared)
{
    return column > 0 && column < Figure_Titles(compared).size() - 2;
}

QString Counts_Text(const TEvaluation& evaluation, const QString& left_out)
{
    QStringList parts;
    for (const TCount& count : evaluation.Counts)
        parts << QStringLiteral("%1: %2").arg(count.Name).arg(count.Value);
    for (const TSetting& setting : evaluation.Settings)
        if (setting.Name != left_out)
            parts << QStringLiteral("%1: %2").arg(setting.Name, setting.Value);
    return parts.join(QStringLiteral(", "));
}

int Target_Column_Count(const TEvaluation& evaluation)
{
    return 2 + static_cast<int>(evaluation.Columns.size());
}

TQuantity Target_Quantity(const TEvaluation& evaluation, int column)
{
    return column <= 1 ? TQuantity::Position
                       : evaluation.Columns[static_cast<std::size_t>(column - 2)].Quantity;
}

QString Target_Title(const TEvaluation& evaluation, int column)
{
    if (column == 0)
        return QStringLiteral("target");
    const QString title = column == 1
                              ? QStringLiteral("position")
                              : evaluation.Columns[static_cast<std::size_t>(column - 2)].Title;
    return QStringLiteral("%1 (%2)").arg(
        title, Quantity_Unit(Target_Quantity(evaluation, column), evaluation.Deviation_Unit, true));
}

QString Target_Cell(const TEvaluation& evaluation, std::size_t row, int column)
{
    if (column == 0)
        return QString::number(row + 1);
    const TQuantity quantity = Target_Quantity(evaluation, column);
    if (column == 1)
        return Shown_Number(evaluation.Positions[row], quantity, evaluation.Deviation_Unit);
    const std::vector<TValue>& cells = evaluation.Cells[row];
    const std::size_t index = static_cast<std::size_t>(column - 2);
    return index < cells.size() ? Shown_Number(cells[index], quantity, evaluation.Deviation_Unit)
                                : QString();
}
