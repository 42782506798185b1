#ifndef VANTREL_SRC_EVALUATION_SLOPE_H
#define VANTREL_SRC_EVALUATION_SLOPE_H

#include "src/evaluation/evaluations.h"

// The scale error of a linear positioning file, from the runs the ISO 230-2 evaluation takes:
// the least-squares line a + b·x through the mean deviation at each target (the mean of the
// two directions, or of the one measured), and what remains about it. Figures: slope b (per
// millimetre of position), intercept a, slope per metre and residual range (max - min of the
// mean less the line).
TEvaluation Evaluate_Slope(const TLaserFile& file, int section, const TEvaluationOptions& options);

#endif
