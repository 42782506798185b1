#ifndef VANTREL_SRC_EVALUATION_STRAIGHTNESS_H
#define VANTREL_SRC_EVALUATION_STRAIGHTNESS_H

#include "src/evaluation/evaluations.h"

// The straightness of a section of a straightness file after ISO 230-1:2012: the mean curve of
// all its runs (the mean at each target) about the reference line of the options, least
// squares, end points or minimum zone. Figures: straightness (max - min of the mean less the
// line), the line's slope, intercept and slope per metre, and the highest run straightness:
// the largest straightness of a single run about its own line of the same kind.
TEvaluation Evaluate_Straightness(const TLaserFile& file, int section,
                                  const TEvaluationOptions& options);

#endif
