#ifndef VANTREL_SRC_EVALUATION_ISO2302_H
#define VANTREL_SRC_EVALUATION_ISO2302_H

#include "src/evaluation/evaluations.h"

// The positioning figures of ISO 230-2:2014 (coverage factor 2) of a linear positioning file,
// in the section's own deviation unit: A, A up, A down, B, B mean, E, E up, E down, M, R,
// R up, R down, and per target the means, standard deviations, B, R up, R down, R and the
// bidirectional mean. A value the standard's formula cannot give (no run in a direction, fewer
// than two for a standard deviation, or a result that is no finite number) is empty.

// The standard asks for this many runs in each direction.
constexpr int Iso_Runs_Asked = 5;

TEvaluation Evaluate_Iso_230_2(const TLaserFile& file, int section,
                               const TEvaluationOptions& options);

#endif
