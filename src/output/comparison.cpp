#include "src/output/comparison.h"

#include "src/evaluation/targetfigures.h"
#include "src/laserfile.h"
#include "src/output/report.h"

namespace
{

// The kind's description inside a sentence, without its closing full stop.
QString Kind_In_Sentence(const TLaserFile& file)
{
    const QString description = file.Type_Description();
    return description.endsWith(QLatin1Char('.')) ? description.chopped(1) : description;
}

// What a value of the quantity is multiplied by when the deviations are: positions and
// angles in arc seconds stay as they are.
double Factor_For(TQuantity quantity, double factor)
{
    return quantity == TQuantity::Position || quantity == TQuantity::Arc_Seconds ? 1.0 : factor;
}

// The evaluation with every deviation, and every value taken from deviations, in another unit.
void Convert(TEvaluation& evaluation, TDeviationUnit unit)
{
    const double factor = Unit_Factor(evaluation.Deviation_Unit, unit);
    evaluation.Deviation_Unit = unit;
    for (TFigure& figure : evaluation.Figures)
        figure.Value = Scaled(Factor_For(figure.Quantity, factor), figure.Value);
    for (std::vector<TValue>& row : evaluation.Cells)
        for (std::size_t column = 0; column < row.size(); ++column)
            row[column] =
                Scaled(Factor_For(evaluation.Columns[column].Quantity, factor), row[column]);
    for (TCurve& curve : evaluation.Curves)
        for (TVector2& point : curve.Points)
            point.y *= factor;
}

} // namespace

QString Comparison_Refusal(const TLaserFile& reference, const TLaserFile& file)
{
    if (Measurement_Family(reference.d_file_type) == Measurement_Family(file.d_file_type))
        return QString();
    return QStringLiteral("ERR:  A %1 file cannot be compared with a %2 file.")
        .arg(Kind_In_Sentence(reference), Kind_In_Sentence(file));
}

QString Load_Reference(TLaserFile& reference, const QString& path, const TLaserFile& file)
{
    reference.Clear();
    if (!reference.Load(path))
        return Load_Error_Line(reference);
    return Comparison_Refusal(reference, file);
}

double Reference_Factor(const TLaserFile& reference, const TLaserFile& file)
{
    return Unit_Factor(reference.Deviation_Unit(), file.Deviation_Unit());
}

std::optional<TEvaluation> Reference_Evaluation(const TEvaluationKind& kind,
                                                const TLaserFile& reference, const TLaserFile& file,
                                                int section, const TEvaluationOptions& options)
{
    if (!Evaluation_Refusal(kind, reference).isEmpty() || reference.Run_Count(section) < 1)
        return std::nullopt;
    TEvaluation evaluation = kind.Evaluate(reference, section, options);
    Convert(evaluation, file.Deviation_Unit());
    return evaluation;
}
