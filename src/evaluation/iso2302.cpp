#include "src/evaluation/iso2302.h"

#include <QLatin1String>

#include <cmath>

namespace
{

TIsoValue Finite(double value)
{
    return std::isfinite(value) ? TIsoValue(value) : std::nullopt;
}

TIsoValue Sum(const TIsoValue& a, const TIsoValue& b)
{
    return a && b ? Finite(*a + *b) : std::nullopt;
}

TIsoValue Difference(const TIsoValue& a, const TIsoValue& b)
{
    return a && b ? Finite(*a - *b) : std::nullopt;
}

TIsoValue Scaled(double factor, const TIsoValue& a)
{
    return a ? Finite(factor * *a) : std::nullopt;
}

TIsoValue Magnitude(const TIsoValue& a)
{
    return a ? TIsoValue(std::fabs(*a)) : std::nullopt;
}

TIsoValue Largest(std::initializer_list<TIsoValue> values)
{
    TIsoValue largest;
    for (const TIsoValue& value : values)
    {
        if (!value)
            return std::nullopt;
        largest = largest ? std::max(*largest, *value) : *value;
    }
    return largest;
}

// The mean and the standard deviation (with n - 1) of one direction's runs at each target.
struct TDirectionStatistics
{
    std::vector<TIsoValue> Mean;
    std::vector<TIsoValue> S;
};

// Run by run rather than target by target, so that each run is read straight through.
TDirectionStatistics Statistics_Of(const std::vector<const TLaserRun*>& runs, std::size_t targets)
{
    TDirectionStatistics statistics{std::vector<TIsoValue>(targets),
                                    std::vector<TIsoValue>(targets)};
    if (runs.empty())
        return statistics;
    const double count = static_cast<double>(runs.size());
    std::vector<double> means(targets, 0.0);
    for (const TLaserRun* run : runs)
        for (std::size_t i = 0; i < targets; ++i)
            means[i] += (*run)[i].y;
    for (std::size_t i = 0; i < targets; ++i)
    {
        means[i] /= count;
        statistics.Mean[i] = Finite(means[i]);
    }
    if (runs.size() < 2)
        return statistics;
    std::vector<double> squares(targets, 0.0);
    for (const TLaserRun* run : runs)
        for (std::size_t i = 0; i < targets; ++i)
        {
            const double deviation = (*run)[i].y - means[i];
            squares[i] += deviation * deviation;
        }
    for (std::size_t i = 0; i < targets; ++i)
        statistics.S[i] = Finite(std::sqrt(squares[i] / (count - 1.0)));
    return statistics;
}

TIsoTarget Target_Of(double position, const TIsoValue& mean_up, const TIsoValue& s_up,
                     const TIsoValue& mean_down, const TIsoValue& s_down)
{
    TIsoTarget target;
    target.Position = position;
    target.Mean_Up = mean_up;
    target.Mean_Down = mean_down;
    target.S_Up = s_up;
    target.S_Down = s_down;
    target.Reversal = Difference(mean_up, mean_down);
    target.Mean = Scaled(0.5, Sum(mean_up, mean_down));
    target.R_Up = Scaled(4.0, s_up);
    target.R_Down = Scaled(4.0, s_down);
    const TIsoValue spread =
        Sum(Sum(Scaled(2.0, s_up), Scaled(2.0, s_down)), Magnitude(target.Reversal));
    target.R = Largest({spread, target.R_Up, target.R_Down});
    return target;
}

// The terms the figures take their largest and smallest values from, one per target.
using TTerm = TIsoValue (*)(const TIsoTarget&);

TIsoValue Up_Mean(const TIsoTarget& t)
{
    return t.Mean_Up;
}
TIsoValue Down_Mean(const TIsoTarget& t)
{
    return t.Mean_Down;
}
TIsoValue Up_High(const TIsoTarget& t)
{
    return Iso_Band_Edge(t.Mean_Up, t.S_Up, 1.0);
}
TIsoValue Up_Low(const TIsoTarget& t)
{
    return Iso_Band_Edge(t.Mean_Up, t.S_Up, -1.0);
}
TIsoValue Down_High(const TIsoTarget& t)
{
    return Iso_Band_Edge(t.Mean_Down, t.S_Down, 1.0);
}
TIsoValue Down_Low(const TIsoTarget& t)
{
    return Iso_Band_Edge(t.Mean_Down, t.S_Down, -1.0);
}
TIsoValue Reversal_Of(const TIsoTarget& t)
{
    return t.Reversal;
}
TIsoValue Reversal_Size(const TIsoTarget& t)
{
    return Magnitude(t.Reversal);
}
TIsoValue Bidirectional_Mean(const TIsoTarget& t)
{
    return t.Mean;
}
TIsoValue Up_R(const TIsoTarget& t)
{
    return t.R_Up;
}
TIsoValue Down_R(const TIsoTarget& t)
{
    return t.R_Down;
}
TIsoValue Bidirectional_R(const TIsoTarget& t)
{
    return t.R;
}

enum class TFigureKind
{
    Range,   // the largest High term less the smallest Low term
    Largest, // the largest High term
    Mean     // the mean of the High term over the targets
};

struct TFigureRule
{
    const char* Name;
    TFigureKind Kind;
    std::vector<TTerm> High;
    std::vector<TTerm> Low;
};

const std::vector<TFigureRule>& Figure_Rules()
{
    static const std::vector<TFigureRule> rules = {
        {"A", TFigureKind::Range, {Up_High, Down_High}, {Up_Low, Down_Low}},
        {"A up", TFigureKind::Range, {Up_High}, {Up_Low}},
        {"A down", TFigureKind::Range, {Down_High}, {Down_Low}},
        {"B", TFigureKind::Largest, {Reversal_Size}, {}},
        {"B mean", TFigureKind::Mean, {Reversal_Of}, {}},
        {"E", TFigureKind::Range, {Up_Mean, Down_Mean}, {Up_Mean, Down_Mean}},
        {"E up", TFigureKind::Range, {Up_Mean}, {Up_Mean}},
        {"E down", TFigureKind::Range, {Down_Mean}, {Down_Mean}},
        {"M", TFigureKind::Range, {Bidirectional_Mean}, {Bidirectional_Mean}},
        {"R", TFigureKind::Largest, {Bidirectional_R}, {}},
        {"R up", TFigureKind::Largest, {Up_R}, {}},
        {"R down", TFigureKind::Largest, {Down_R}, {}},
    };
    return rules;
}

struct TExtreme
{
    TIsoValue Value;
    int Target = 0;
};

// The largest (or smallest) of the terms over all targets and the first target where it
// occurs; nothing when there is no target or any term is undefined.
TExtreme Extreme_Of(const std::vector<TIsoTarget>& targets, const std::vector<TTerm>& terms,
                    bool largest)
{
    TExtreme extreme;
    for (std::size_t i = 0; i < targets.size(); ++i)
        for (const TTerm term : terms)
        {
            const TIsoValue value = term(targets[i]);
            if (!value)
                return TExtreme();
            if (!extreme.Value || (largest ? *value > *extreme.Value : *value < *extreme.Value))
                extreme = {value, static_cast<int>(i) + 1};
        }
    return extreme;
}

TIsoValue Mean_Over(const std::vector<TIsoTarget>& targets, TTerm term)
{
    double sum = 0.0;
    for (const TIsoTarget& target : targets)
    {
        const TIsoValue value = term(target);
        if (!value)
            return std::nullopt;
        sum += *value;
    }
    return targets.empty() ? std::nullopt : Finite(sum / static_cast<double>(targets.size()));
}

TIsoFigure Figure_Of(const TFigureRule& rule, const std::vector<TIsoTarget>& targets)
{
    TIsoFigure figure;
    figure.Name = QLatin1String(rule.Name);
    if (rule.Kind == TFigureKind::Mean)
    {
        figure.Value = Mean_Over(targets, rule.High.front());
        return figure;
    }
    const TExtreme high = Extreme_Of(targets, rule.High, true);
    const TExtreme low =
        rule.Kind == TFigureKind::Range ? Extreme_Of(targets, rule.Low, false) : TExtreme{0.0, 0};
    figure.Value = Difference(high.Value, low.Value);
    if (figure.Value)
    {
        figure.High_Target = high.Target;
        figure.Low_Target = low.Target;
    }
    return figure;
}

struct TTargetColumn
{
    const char* Title;
    TIsoValue TIsoTarget::*Value;
};

const TTargetColumn Target_Columns[] = {
    {"mean up", &TIsoTarget::Mean_Up}, {"mean down", &TIsoTarget::Mean_Down},
    {"s up", &TIsoTarget::S_Up},       {"s down", &TIsoTarget::S_Down},
    {"B", &TIsoTarget::Reversal},      {"R up", &TIsoTarget::R_Up},
    {"R down", &TIsoTarget::R_Down},   {"R", &TIsoTarget::R},
    {"mean", &TIsoTarget::Mean},
};

} // namespace

QString Iso_Refusal(const TLaserFile& file)
{
    if (file.d_file_type != Renishaw_RTL && file.d_file_type != API_XD_POS)
        return QStringLiteral(
            "ERR:  ISO 230-2 evaluation needs a linear positioning file (RTL or POS).");
    return QString();
}

// Targets are matched by place; a run shorter than the longest cannot reach every target
// and is left out.
TIsoEvaluation Evaluate_Iso_230_2(const TLaserFile& file)
{
    const TLaserSection& runs = file.d_data_section_1;
    std::size_t targets = 0;
    for (const TLaserRun& run : runs)
        targets = std::max(targets, run.size());

    TIsoEvaluation evaluation;
    std::vector<const TLaserRun*> up, down;
    const TLaserRun* first = nullptr;
    for (std::size_t k = 0; k < runs.size(); ++k)
    {
        if (runs[k].size() < targets)
        {
            ++evaluation.Runs_Left_Out;
            continue;
        }
        const bool falling = file.Run_Direction(0, static_cast<int>(k)) == TRunDirection::Down;
        (falling ? down : up).push_back(&runs[k]);
        if (!first)
            first = &runs[k];
    }
    evaluation.Runs_Up = static_cast<int>(up.size());
    evaluation.Runs_Down = static_cast<int>(down.size());

    const TDirectionStatistics rising = Statistics_Of(up, targets);
    const TDirectionStatistics falling = Statistics_Of(down, targets);
    evaluation.Targets.reserve(targets);
    for (std::size_t i = 0; i < targets; ++i)
        evaluation.Targets.push_back(
            Target_Of((*first)[i].x, rising.Mean[i], rising.S[i], falling.Mean[i], falling.S[i]));
    for (const TFigureRule& rule : Figure_Rules())
        evaluation.Figures.push_back(Figure_Of(rule, evaluation.Targets));
    return evaluation;
}

QString Iso_Number(const TIsoValue& value)
{
    return value ? QString::number(*value, 'g', 12) : QString();
}

QStringList Iso_Target_Columns()
{
    QStringList titles = {QStringLiteral("target"), QStringLiteral("position")};
    for (const TTargetColumn& column : Target_Columns)
        titles << QLatin1String(column.Title);
    return titles;
}

QStringList Iso_Target_Cells(const TIsoEvaluation& evaluation, std::size_t index)
{
    const TIsoTarget& target = evaluation.Targets[index];
    QStringList cells = {QString::number(index + 1), Iso_Number(Finite(target.Position))};
    for (const TTargetColumn& column : Target_Columns)
        cells << Iso_Number(target.*column.Value);
    return cells;
}

TIsoValue Iso_Band_Edge(const TIsoValue& mean, const TIsoValue& s, double sign)
{
    return Sum(mean, Scaled(sign * 2.0, s));
}

QStringList Iso_Csv_Lines(const TIsoEvaluation& evaluation)
{
    const auto count = [](const char* name, qint64 value)
    { return QStringLiteral("%1,%2").arg(QLatin1String(name)).arg(value); };
    QStringList lines = {QStringLiteral("quantity,value"),
                         count("targets", static_cast<qint64>(evaluation.Targets.size())),
                         count("runs up", evaluation.Runs_Up),
                         count("runs down", evaluation.Runs_Down),
                         count("runs left out", evaluation.Runs_Left_Out)};
    for (const TIsoFigure& figure : evaluation.Figures)
        lines << figure.Name + QLatin1Char(',') + Iso_Number(figure.Value);
    lines << QString() << Iso_Target_Columns().join(QLatin1Char(','));
    for (std::size_t i = 0; i < evaluation.Targets.size(); ++i)
        lines << Iso_Target_Cells(evaluation, i).join(QLatin1Char(','));
    return lines;
}

QString Iso_Csv_Text(const TIsoEvaluation& evaluation)
{
    QString text;
    for (const QString& line : Iso_Csv_Lines(evaluation))
        text += line + QLatin1Char('\n');
    return text;
}
