#ifndef VANTREL_SRC_OUTPUT_EVALUATIONCHART_H
#define VANTREL_SRC_OUTPUT_EVALUATIONCHART_H

#include "src/evaluation/evaluation.h"

#include <QColor>

#include <vector>

class TGraphWidget;

// Replaces the chart's curves with the evaluation's, each role in its colour and line, titled
// with the evaluation and the file, the axis titles naming their units, and draws it fitted.
// A reference evaluation's curves go first, in grey, so that the current ones lie on top.
// Each curve name is given to the first data set that has it, for a legend; the reference's
// curves have one, "As found".
void Feed_Evaluation_Chart(TGraphWidget& chart, const TEvaluation& evaluation,
                           const TEvaluation* reference = nullptr);

// The chart's title: the evaluation, the file's name and the section.
QString Evaluation_Chart_Title(const TEvaluation& evaluation);

// How a role is drawn: its colour and its data-set style (TGraphDataSet::Style).
struct TCurveLook
{
    TCurveRole Role;
    QColor Colour;
    int Style;
};
// Every role's, in the order of the roles.
const std::vector<TCurveLook>& Curve_Looks();
const TCurveLook& Curve_Look(TCurveRole role);
// A reference's curves, beneath the current ones.
const QColor Reference_Curve_Colour(170, 170, 170);

#endif
