#ifndef VANTREL_SRC_OUTPUT_EVALUATIONCHART_H
#define VANTREL_SRC_OUTPUT_EVALUATIONCHART_H

#include "src/evaluation/evaluation.h"

class TGraphWidget;

// Replaces the chart's curves with the evaluation's, each role in its colour and line, titled
// with the evaluation and the file, the axis titles naming their units, and draws it fitted.
// A reference evaluation's curves go first, in grey, so that the current ones lie on top.
void Feed_Evaluation_Chart(TGraphWidget& chart, const TEvaluation& evaluation,
                           const TEvaluation* reference = nullptr);

#endif
