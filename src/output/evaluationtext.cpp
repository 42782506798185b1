#include "src/output/evaluationtext.h"

#include "src/evaluation/targetfigures.h"
#include "src/output/evaluationtable.h"

#include <QDir>
#include <QLatin1String>

#include <algorithm>
#include <cmath>

namespace
{

const QChar Comma = QLatin1Char(',');

// A text field as CSV takes it: in quotes, with its quotes doubled, when it holds a comma, a
// quote or a line break (a path may); else as it is.
QString Field(const QString& text)
{
    const auto plain = [](QChar c)
    {
        return c != QLatin1Char(',') && c != QLatin1Char('"') && c != QLatin1Char('\r') &&
               c != QLatin1Char('\n');
    };
    if (std::all_of(text.begin(), text.end(), plain))
        return text;
    QString quoted = text;
    return QLatin1Char('"') + quoted.replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

QString Line(const QString& name, const QString& value)
{
    return name + Comma + value;
}

QString Figure_Line(const TFigure& figure, const TEvaluation* reference)
{
    QString line = Line(figure.Name, Csv_Number(figure.Value));
    if (!reference)
        return line;
    const TFigure* found = Figure_Named(reference, figure.Name);
    const TValue was = found ? found->Value : TValue();
    return line + Comma + Csv_Number(was) + Comma + Csv_Number(Change(figure.Value, was));
}

QStringList Heading(const TEvaluation& evaluation, const TEvaluation* reference)
{
    QStringList lines = {
        Line(QStringLiteral("evaluation"), evaluation.Name),
        Line(QStringLiteral("file"), Field(QDir::toNativeSeparators(evaluation.File)))};
    if (reference)
        lines << Line(QStringLiteral("reference file"),
                      Field(QDir::toNativeSeparators(reference->File)));
    lines << Line(QStringLiteral("section"), Field(evaluation.Section_Label))
          << Line(QStringLiteral("position unit"), QLatin1String(Position_Unit_Name))
          << Line(QStringLiteral("deviation unit"),
                  QLatin1String(Unit_Info(evaluation.Deviation_Unit).Name));
    return lines;
}

QStringList Table(const TEvaluation& evaluation)
{
    QStringList titles = {QStringLiteral("target"), QStringLiteral("position")};
    for (const TColumn& column : evaluation.Columns)
        titles << column.Title;
    QStringList lines = {titles.join(Comma)};
    lines.reserve(static_cast<int>(evaluation.Positions.size()) + 1);
    for (std::size_t i = 0; i < evaluation.Positions.size(); ++i)
    {
        QString line = QString::number(i + 1) + Comma + Csv_Number(evaluation.Positions[i]);
        for (const TValue& cell : evaluation.Cells[i])
            line += Comma + Csv_Number(cell);
        lines << line;
    }
    return lines;
}

QStringList Lines(const TEvaluation& evaluation, const TEvaluation* reference, bool heading)
{
    QStringList lines = {reference ? QStringLiteral("quantity,value,reference,change")
                                   : QStringLiteral("quantity,value")};
    if (heading)
        lines << Heading(evaluation, reference);
    for (const TCount& count : evaluation.Counts)
        lines << Line(count.Name, QString::number(count.Value));
    for (const TSetting& setting : evaluation.Settings)
        lines << Line(setting.Name, Field(setting.Value));
    for (const TFigure& figure : evaluation.Figures)
        lines << Figure_Line(figure, reference);
    return lines << QString() << Table(evaluation);
}

// The decimals a quantity is shown with: positions to the micrometre, deviations to about a
// nanometre's worth, a slope per millimetre three more than its unit per metre.
int Decimals(TQuantity quantity, TDeviationUnit unit)
{
    switch (quantity)
    {
    case TQuantity::Position:
        return 3;
    case TQuantity::Deviation:
    case TQuantity::Slope_Per_Metre:
        return Unit_Info(unit).Decimals;
    case TQuantity::Slope:
        return Unit_Info(unit).Decimals + 3;
    case TQuantity::Arc_Seconds:
        return Unit_Info(TDeviationUnit::Arc_Second).Decimals;
    }
    return 0;
}

} // namespace

QStringList Evaluation_Csv_Lines(const TEvaluation& evaluation, const TEvaluation* reference)
{
    return Lines(evaluation, reference, true);
}

QStringList Iso_Csv_Lines(const TEvaluation& evaluation)
{
    return Lines(evaluation, nullptr, false);
}

QString Csv_Text(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + QLatin1Char('\n');
    return text;
}

QString Csv_Number(const TValue& value)
{
    return value && std::isfinite(*value) ? QString::number(*value, 'g', 12) : QString();
}

QString Shown_Number(const TValue& value, TQuantity quantity, TDeviationUnit unit)
{
    return value && std::isfinite(*value) ? QString::number(*value, 'f', Decimals(quantity, unit))
                                          : QString();
}

QString Quantity_Unit(TQuantity quantity, TDeviationUnit unit, bool symbol)
{
    const QString deviation = symbol ? Unit_Symbol(unit) : QLatin1String(Unit_Info(unit).Name);
    switch (quantity)
    {
    case TQuantity::Position:
        return QLatin1String(Position_Unit_Name);
    case TQuantity::Deviation:
        return deviation;
    case TQuantity::Slope:
        return deviation + QStringLiteral("/mm");
    case TQuantity::Slope_Per_Metre:
        return deviation + QStringLiteral("/m");
    case TQuantity::Arc_Seconds:
        return QLatin1String(Unit_Info(TDeviationUnit::Arc_Second).Name);
    }
    return QString();
}

TValue Change(const TValue& current, const TValue& reference)
{
    return Difference(current, reference);
}

TValue Change_Percent(const TValue& current, const TValue& reference)
{
    const TValue change = Change(current, reference);
    if (!change || *reference == 0.0)
        return std::nullopt;
    return Finite(100.0 * *change / std::fabs(*reference));
}
