#ifndef VANTREL_SRC_OUTPUT_EVALUATIONTABLE_H
#define VANTREL_SRC_OUTPUT_EVALUATIONTABLE_H

#include "src/evaluation/evaluation.h"

#include <QString>
#include <QStringList>

#include <cstddef>

// An evaluation's tables as the window and documents show them: the figures with their units
// and where they occur, beside a reference's ("as found") when there is one, and the table
// per target with the units in its column titles. Numbers as Shown_Number gives them.

// The figure of that name in the evaluation; nullptr when it has none, or for no evaluation.
const TFigure* Figure_Named(const TEvaluation* evaluation, const QString& name);

// Where a figure occurs: "max P, min P mm" for a range, "at P mm" for a largest value,
// "run N" for a highest-run figure; empty when it says nothing.
QString Where_Text(const TFigure& figure, TDeviationUnit unit);

// The titles of the figures table: Figure, Value, Unit, Where; with a reference Figure,
// As left, As found, Change, Change (%), Unit, Where (as left).
QStringList Figure_Titles(bool compared);
// One row of it; an undefined value is an empty cell.
QStringList Figure_Cells(const TFigure& figure, TDeviationUnit unit, const TEvaluation* reference);
// Whether a column of the figures table holds numbers (set right).
bool Figure_Column_Is_Number(int column, bool compared);

// The counts and settings as "name: value", apart by ", ", without the setting named
// `left_out` (one a control shows instead).
QString Counts_Text(const TEvaluation& evaluation, const QString& left_out = QString());

// The table per target: the target's number, its position, then the evaluation's columns.
int Target_Column_Count(const TEvaluation& evaluation);
TQuantity Target_Quantity(const TEvaluation& evaluation, int column);
// "target", then e.g. "position (mm)", "mean up (µm)".
QString Target_Title(const TEvaluation& evaluation, int column);
QString Target_Cell(const TEvaluation& evaluation, std::size_t row, int column);

#endif
