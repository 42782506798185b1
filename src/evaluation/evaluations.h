#ifndef VANTREL_SRC_EVALUATION_EVALUATIONS_H
#define VANTREL_SRC_EVALUATION_EVALUATIONS_H

#include "src/evaluation/evaluation.h"

#include <QString>

#include <vector>

// The reference line a straightness is measured about.
enum class TReferenceLine
{
    Least_Squares,
    End_Points,
    Minimum_Zone
};

// Choices an evaluation may be made with; each evaluation reads the ones it knows.
struct TEvaluationOptions
{
    TReferenceLine Reference_Line = TReferenceLine::Least_Squares;
};

// One evaluation the program offers: the command line's name for it, the window's button,
// the kinds of file it fits and the line that refuses any other kind.
struct TEvaluationKind
{
    const char* Name;   // "iso230-2"
    const char* Button; // "ISO 230-2..."
    std::vector<TLaserFileType> Kinds;
    const char*
        Refusal; // "ERR:  ISO 230-2 evaluation needs a linear positioning file (RTL or POS)."
    // The evaluation of a section of a file it fits, holding at least one run.
    TEvaluation (*Evaluate)(const TLaserFile& file, int section, const TEvaluationOptions& options);
};

// In the order the window lists them.
const std::vector<TEvaluationKind>& Evaluation_Kinds();
// The evaluation of that command-line name; nullptr for any other.
const TEvaluationKind* Evaluation_Named(const QString& name);
// Empty when the evaluation fits the loaded file's kind; else its refusal line. (A section
// without runs is refused by the caller, as every output refuses it.)
QString Evaluation_Refusal(const TEvaluationKind& kind, const TLaserFile& file);

// The names of the reference lines as the command line and the CSV text write them.
QString Reference_Line_Name(TReferenceLine line);
std::optional<TReferenceLine> Reference_Line_Named(const QString& name);

#endif
