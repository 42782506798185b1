#include "src/evaluation/targetfigures.h"

#include <QLatin1String>

#include <cmath>

namespace
{

struct TExtreme
{
    TValue Value;
    std::size_t Target = 0;
};

// The largest (or smallest) value of the series and the first target where it occurs, target
// by target; nothing when there is no target or any value is undefined.
TExtreme Extreme_Of(std::initializer_list<const TSeries*> series, bool largest)
{
    TExtreme extreme;
    const std::size_t targets = series.size() == 0 ? 0 : (*series.begin())->size();
    for (std::size_t i = 0; i < targets; ++i)
        for (const TSeries* values : series)
        {
            const TValue value = (*values)[i];
            if (!value)
                return TExtreme();
            if (!extreme.Value || (largest ? *value > *extreme.Value : *value < *extreme.Value))
                extreme = {value, i};
        }
    return extreme;
}

TFigure Named(const char* name, TQuantity quantity)
{
    TFigure figure;
    figure.Name = QLatin1String(name);
    figure.Quantity = quantity;
    return figure;
}

} // namespace

TValue Finite(double value)
{
    return std::isfinite(value) ? TValue(value) : std::nullopt;
}

TValue Sum(const TValue& a, const TValue& b)
{
    return a && b ? Finite(*a + *b) : std::nullopt;
}

TValue Difference(const TValue& a, const TValue& b)
{
    return a && b ? Finite(*a - *b) : std::nullopt;
}

TValue Scaled(double factor, const TValue& a)
{
    return a ? Finite(factor * *a) : std::nullopt;
}

TValue Magnitude(const TValue& a)
{
    return a ? TValue(std::fabs(*a)) : std::nullopt;
}

TFigure Range_Figure(const char* name, TQuantity quantity, const std::vector<double>& positions,
                     std::initializer_list<const TSeries*> high,
                     std::initializer_list<const TSeries*> low)
{
    TFigure figure = Named(name, quantity);
    const TExtreme top = Extreme_Of(high, true);
    const TExtreme bottom = Extreme_Of(low, false);
    figure.Value = Difference(top.Value, bottom.Value);
    if (figure.Value)
    {
        figure.High_Position = Finite(positions[top.Target]);
        figure.Low_Position = Finite(positions[bottom.Target]);
    }
    return figure;
}

TFigure Largest_Figure(const char* name, TQuantity quantity, const std::vector<double>& positions,
                       std::initializer_list<const TSeries*> series)
{
    TFigure figure = Named(name, quantity);
    const TExtreme top = Extreme_Of(series, true);
    figure.Value = top.Value;
    if (figure.Value)
        figure.High_Position = Finite(positions[top.Target]);
    return figure;
}

TFigure Mean_Figure(const char* name, TQuantity quantity, const TSeries& series)
{
    TFigure figure = Named(name, quantity);
    double sum = 0.0;
    for (const TValue& value : series)
    {
        if (!value)
            return figure;
        sum += *value;
    }
    if (!series.empty())
        figure.Value = Finite(sum / static_cast<double>(series.size()));
    return figure;
}

// Row by row, each allocated once: a file may have a great many targets.
void Set_Table(TEvaluation& evaluation, std::initializer_list<TSeriesColumn> columns)
{
    evaluation.Columns.clear();
    for (const TSeriesColumn& column : columns)
        evaluation.Columns.push_back({QLatin1String(column.Title), TQuantity::Deviation});
    evaluation.Cells.assign(evaluation.Positions.size(), {});
    for (std::size_t i = 0; i < evaluation.Cells.size(); ++i)
    {
        evaluation.Cells[i].reserve(columns.size());
        for (const TSeriesColumn& column : columns)
            evaluation.Cells[i].push_back(column.Values[i]);
    }
}

void Add_Curve(TEvaluation& evaluation, TCurveRole role, const char* name, const TSeries& values)
{
    TCurve curve{role, QLatin1String(name), {}};
    for (std::size_t i = 0; i < values.size(); ++i)
        if (values[i] && std::isfinite(evaluation.Positions[i]))
            curve.Points.emplace_back(evaluation.Positions[i], *values[i]);
    if (!curve.Points.empty())
        evaluation.Curves.push_back(std::move(curve));
}
