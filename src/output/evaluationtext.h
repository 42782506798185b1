#ifndef VANTREL_SRC_OUTPUT_EVALUATIONTEXT_H
#define VANTREL_SRC_OUTPUT_EVALUATIONTEXT_H

#include "src/evaluation/evaluation.h"

#include <QString>
#include <QStringList>

// An evaluation as text: the comma-separated lines that the dialog's Copy and Save As and the
// command line's --evaluate give, and its numbers and units as the window and documents show
// them.

// The lines, in the C locale, numbers with 12 significant digits, an empty field for a value
// that is not defined:
//   quantity,value
//   evaluation,NAME / file,NATIVE PATH / section,LABEL / position unit,mm / deviation unit,UNIT
//   targets,m and the other counts; the settings; the figures, one per line
//   (empty line)
//   target,position,COLUMNS... and one line per target
// With a reference (an "as found" measurement), the first line is
// "quantity,value,reference,change", the block gets "reference file,NATIVE PATH" after
// "file", and every figure line "name,value,reference value,change"; the lines per target
// are the evaluation's own.
QStringList Evaluation_Csv_Lines(const TEvaluation& evaluation,
                                 const TEvaluation* reference = nullptr);
// The lines of --iso230-2: the same without the block from "evaluation" to "deviation unit".
QStringList Iso_Csv_Lines(const TEvaluation& evaluation);
// The lines, each ended by a line feed.
QString Csv_Text(const QStringList& lines);

// A value as the lines give it.
QString Csv_Number(const TValue& value);
// A value as the window and documents show it: fixed notation with the decimals of its unit
// (positions to the micrometre); empty when not defined.
QString Shown_Number(const TValue& value, TQuantity quantity, TDeviationUnit unit);
// The unit of a quantity: as a symbol ("µm/m") for the window and documents, else as the
// lines name it ("um/m").
QString Quantity_Unit(TQuantity quantity, TDeviationUnit unit, bool symbol);

// The change from a reference value: current − reference; and the same in percent of the
// reference's size where that is not zero. Empty when a term is not defined.
TValue Change(const TValue& current, const TValue& reference);
TValue Change_Percent(const TValue& current, const TValue& reference);

#endif
