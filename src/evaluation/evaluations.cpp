#include "src/evaluation/evaluations.h"

#include "src/evaluation/angular.h"
#include "src/evaluation/iso2302.h"
#include "src/evaluation/slope.h"
#include "src/evaluation/straightness.h"
#include "src/evaluation/vdi3441.h"

#include <QLatin1String>

#include <algorithm>

namespace
{

const char* const Reference_Line_Names[] = {"least-squares", "end-points", "minimum-zone"};

} // namespace

const std::vector<TEvaluationKind>& Evaluation_Kinds()
{
    static const std::vector<TEvaluationKind> kinds = {
        {"iso230-2",
         "ISO 230-2...",
         {Renishaw_RTL, API_XD_POS},
         "ERR:  ISO 230-2 evaluation needs a linear positioning file (RTL or POS).",
         &Evaluate_Iso_230_2},
        {"vdi3441",
         "VDI/DGQ 3441...",
         {Renishaw_RTL, API_XD_POS},
         "ERR:  VDI/DGQ 3441 evaluation needs a linear positioning file (RTL or POS).",
         &Evaluate_Vdi_3441},
        {"slope",
         "Slope...",
         {Renishaw_RTL, API_XD_POS},
         "ERR:  Slope evaluation needs a linear positioning file (RTL or POS).",
         &Evaluate_Slope},
        {"straightness",
         "Straightness...",
         {Renishaw_STx, API_XD_STR},
         "ERR:  Straightness evaluation needs a straightness file (STx or STR).",
         &Evaluate_Straightness},
        {"angular",
         "Angular...",
         {Renishaw_RTA, API_XD_ANG},
         "ERR:  Angular evaluation needs an angular file (RTA or ANG).",
         &Evaluate_Angular},
    };
    return kinds;
}

const TEvaluationKind* Evaluation_Named(const QString& name)
{
    for (const TEvaluationKind& kind : Evaluation_Kinds())
        if (name == QLatin1String(kind.Name))
            return &kind;
    return nullptr;
}

QString Evaluation_Refusal(const TEvaluationKind& kind, const TLaserFile& file)
{
    const bool fits =
        std::find(kind.Kinds.begin(), kind.Kinds.end(), file.d_file_type) != kind.Kinds.end();
    return fits ? QString() : QLatin1String(kind.Refusal);
}

QString Reference_Line_Name(TReferenceLine line)
{
    return QLatin1String(Reference_Line_Names[static_cast<int>(line)]);
}

std::optional<TReferenceLine> Reference_Line_Named(const QString& name)
{
    for (const TReferenceLine line :
         {TReferenceLine::Least_Squares, TReferenceLine::End_Points, TReferenceLine::Minimum_Zone})
        if (name == Reference_Line_Name(line))
            return line;
    return std::nullopt;
}
