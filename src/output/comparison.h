#ifndef VANTREL_SRC_OUTPUT_COMPARISON_H
#define VANTREL_SRC_OUTPUT_COMPARISON_H

#include "src/evaluation/evaluations.h"

#include <QString>

#include <optional>

// A file compared with a reference measurement of the same axis, taken before the machine was
// compensated ("as found"): which files can be compared, and loading the reference.

// The "ERR:  " line that refuses to compare the file with a reference of another family of
// measurement; empty when both are of one family.
QString Comparison_Refusal(const TLaserFile& reference, const TLaserFile& file);

// Loads the reference at `path` with the same loader as any file; the "ERR:  " line of the
// load or of Comparison_Refusal when it cannot be the file's reference, else empty.
QString Load_Reference(TLaserFile& reference, const QString& path, const TLaserFile& file);

// What the reference's deviations are multiplied by to be in the file's unit: files of one
// family may store them in units of different size (micrometres, millimetres).
double Reference_Factor(const TLaserFile& reference, const TLaserFile& file);

// The evaluation of the reference beside the file's: the same evaluation of the same section
// with the same options, in the file's deviation unit, so that each figure can be set beside
// the file's and their change taken. Nothing when the reference does not fit it or holds no
// run in that section.
std::optional<TEvaluation> Reference_Evaluation(const TEvaluationKind& kind,
                                                const TLaserFile& reference, const TLaserFile& file,
                                                int section, const TEvaluationOptions& options);

#endif
