#ifndef VANTREL_SRC_EVALUATION_EVALUATION_H
#define VANTREL_SRC_EVALUATION_EVALUATION_H

#include "src/laserfile.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// What every evaluation gives, whatever its standard: counts, figures with what they measure
// and where they occur, a table per target and the curves of its chart. The window's dialog,
// the command line's CSV text and the certificate all read this one record.

// A value a formula cannot give (a term undefined, or no finite result) is empty.
using TValue = std::optional<double>;

// What a number measures, so that its unit can be named: positions are in millimetres, the
// rest follows the section's deviation unit.
enum class TQuantity
{
    Position,        // mm
    Deviation,       // the deviation unit
    Slope,           // the deviation unit per millimetre of position
    Slope_Per_Metre, // the deviation unit per metre of position
    Arc_Seconds      // arcsec
};

// One figure of the axis. Where it occurs: the positions of its largest and smallest terms
// (a range names both, a largest value only the first), or the run it was taken from.
struct TFigure
{
    QString Name; // as the CSV text names it, e.g. "A up", "ps max", "slope per metre"
    TValue Value;
    TQuantity Quantity = TQuantity::Deviation;
    TValue High_Position;
    TValue Low_Position;
    int Run = 0; // from 1; 0 names none
};

// A count of the evaluation's inputs, e.g. "runs up".
struct TCount
{
    QString Name;
    qint64 Value = 0;
};

// A choice the evaluation was made with, e.g. "reference line" "least-squares".
struct TSetting
{
    QString Name;
    QString Value;
};

// One column of the table per target, after the target's number and position.
struct TColumn
{
    QString Title; // e.g. "mean up"
    TQuantity Quantity = TQuantity::Deviation;
};

// What a curve of the chart shows; the drawing gives each role its colour and line.
enum class TCurveRole
{
    Mean_Up,   // mean deviation of the up runs
    Mean_Down, // of the down runs
    Band_Up,   // an edge of the up runs' band (mean ± a multiple of s)
    Band_Down, // of the down runs'
    Mean,      // the bidirectional mean, or the mean of all runs
    Band,      // an edge of a band about the mean (low or high)
    Line,      // a fitted or reference line
    Zone,      // an edge of a zone parallel to the line
    Run_Range  // the smallest or largest run value at each target
};

struct TCurve
{
    TCurveRole Role;
    QString Name; // for a legend, e.g. "mean up"
    std::vector<TVector2> Points;
};

struct TEvaluation
{
    QString Name;    // as the command line names it: "iso230-2", "vdi3441", ...
    QString Title;   // as the window shows it: "ISO 230-2:2014", "VDI/DGQ 3441", ...
    QString File;    // the file evaluated, as it was loaded (d_file_name)
    int Section = 0; // zero-based, as the model numbers them
    QString Section_Label;
    TDeviationUnit Deviation_Unit = TDeviationUnit::Millimetre;
    std::vector<TSetting> Settings;
    std::vector<TCount> Counts; // "targets" first
    std::vector<TFigure> Figures;
    std::vector<TColumn> Columns;
    std::vector<double> Positions;          // one per target
    std::vector<std::vector<TValue>> Cells; // per target, one per column
    std::vector<TCurve> Curves;             // drawn in this order
    // What the reader should know beside the figures, e.g. that fewer runs than a standard
    // asks for were measured; empty when nothing.
    QString Warning;
};

// An evaluation of the section of the file with its heading filled in (names, file, section
// and deviation unit) and nothing else yet.
TEvaluation Evaluation_Of(const TLaserFile& file, int section, const char* name, const char* title);

#endif
