#ifndef VANTREL_SRC_EVALUATION_ANGULAR_H
#define VANTREL_SRC_EVALUATION_ANGULAR_H

#include "src/evaluation/evaluations.h"

// The angular deviation of a section of an angular file after ISO 230-1:2012: max - min of the
// mean curve of all its runs, no line removed (a trend in an angle is a real error); the same
// in arc seconds; and the highest run angular deviation, the largest max - min of a single run.
// The table gives each target's mean and the smallest and largest value a run has there.
TEvaluation Evaluate_Angular(const TLaserFile& file, int section,
                             const TEvaluationOptions& options);

#endif
