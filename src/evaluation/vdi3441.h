#ifndef VANTREL_SRC_EVALUATION_VDI3441_H
#define VANTREL_SRC_EVALUATION_VDI3441_H

#include "src/evaluation/evaluations.h"

// The positioning figures of the VDI/DGQ 3441 guideline of a linear positioning file, in the
// section's deviation unit, from the runs the ISO 230-2 evaluation takes. Per target j: the
// means and standard deviations (n - 1) of each direction, x̄j = (x̄↑j + x̄↓j) / 2, the reversal
// span Uj = |x̄↑j - x̄↓j|, the scatter Psj = 6 (s↑j + s↓j) / 2 and the band from
// lowj = x̄j - Uj/2 - Psj/2 to highj = x̄j + Uj/2 + Psj/2. Figures: p = max highj - min lowj,
// pa = max x̄j - min x̄j, u mean and u max of Uj, ps max and ps mean of Psj. Pa and U need a
// mean in each direction, Ps and P two runs in each; a figure with an undefined term is empty.
TEvaluation Evaluate_Vdi_3441(const TLaserFile& file, int section,
                              const TEvaluationOptions& options);

#endif
