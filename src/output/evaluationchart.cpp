#include "src/output/evaluationchart.h"

#include "core/check.h"
#include "core/graphwidget.h"
#include "src/output/evaluationtext.h"

#include <QSet>

namespace
{

const int Solid = 1;
const int Dashed = TGraphWidget::DashedStyle;

// Up blue and down red as the positioning charts have always drawn them; whatever is fitted
// to the data, or bounds it, in a colour and line of its own.
const std::vector<TCurveLook> Looks = {
    {TCurveRole::Mean_Up, QColor(0, 0, 220), Solid},
    {TCurveRole::Mean_Down, QColor(220, 0, 0), Solid},
    {TCurveRole::Band_Up, QColor(0, 0, 220), Solid},
    {TCurveRole::Band_Down, QColor(220, 0, 0), Solid},
    {TCurveRole::Mean, QColor(0, 0, 220), Solid},
    {TCurveRole::Band, QColor(230, 120, 0), Dashed},
    {TCurveRole::Line, QColor(0, 150, 0), Solid},
    {TCurveRole::Zone, QColor(0, 150, 0), Dashed},
    {TCurveRole::Run_Range, QColor(150, 0, 170), Dashed},
};

QString File_Name_Of(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// Each name once, so that a legend lists the two edges of a band as one entry; a reference's
// curves, all alike in grey, as one.
void Add_Curves(TGraphWidget& chart, const TEvaluation& evaluation, bool reference)
{
    QSet<QString> named;
    for (const TCurve& curve : evaluation.Curves)
    {
        const TCurveLook& look = Curve_Look(curve.Role);
        const QString name = reference ? QStringLiteral("As found") : curve.Name;
        const int set = chart.AddDataSet(reference ? Reference_Curve_Colour : look.Colour,
                                         look.Style, named.contains(name) ? QString() : name);
        named.insert(name);
        for (const TVector2& point : curve.Points)
            chart.AddPoint(set, point);
    }
}

} // namespace

QString Evaluation_Chart_Title(const TEvaluation& evaluation)
{
    return QStringLiteral("%1: %2, %3")
        .arg(evaluation.Title, File_Name_Of(evaluation.File), evaluation.Section_Label);
}

const std::vector<TCurveLook>& Curve_Looks()
{
    return Looks;
}

const TCurveLook& Curve_Look(TCurveRole role)
{
    const std::size_t index = static_cast<std::size_t>(role);
    VANTREL_CHECK(index < Looks.size() && Looks[index].Role == role);
    return Looks[index];
}

void Feed_Evaluation_Chart(TGraphWidget& chart, const TEvaluation& evaluation,
                           const TEvaluation* reference)
{
    chart.ClearDataSets();
    chart.SetTitle(Evaluation_Chart_Title(evaluation));
    chart.SetHorizontalTitle(
        QStringLiteral("Position (%1)")
            .arg(Quantity_Unit(TQuantity::Position, evaluation.Deviation_Unit, true)));
    chart.SetVerticalTitle(
        QStringLiteral("Deviation (%1)")
            .arg(Quantity_Unit(TQuantity::Deviation, evaluation.Deviation_Unit, true)));
    if (reference)
        Add_Curves(chart, *reference, true);
    Add_Curves(chart, evaluation, false);
    chart.UpdateGraph();
}
