#ifndef VANTREL_SRC_OUTPUT_GRAPHEXPORT_H
#define VANTREL_SRC_OUTPUT_GRAPHEXPORT_H

#include "src/output/graphfeed.h"

#include <QImage>
#include <QSize>
#include <QString>

class QPrinter;
class TGraphWidget;
class TLaserFile;

// The graph leaves the program: as an image, a PNG, SVG or PDF file, or on paper. Every
// output is drawn afresh for its own size by the graph's one drawing sequence; `fitted`
// fits it to the data, otherwise it shows the widget's present zoom and pan.

// The kinds of graph file, told by the extension of a path in any case.
enum class TGraph_Format
{
    None,
    Png,
    Svg,
    Pdf
};
TGraph_Format Graph_Format(const QString& path);

// The file dialog's filters, PNG first, apart by ";;".
QString Graph_Filters();
// The path as it is when its extension names a kind, else with the extension of the filter
// (one of Graph_Filters) appended.
QString Graph_Path(const QString& path, const QString& filter);

QImage Graph_Image(TGraphWidget& graph, QSize size, bool fitted);

// Writes the graph in the kind of the path's extension as Write_Output_File writes: an
// existing file is replaced only when everything was written; false when anything failed.
bool Write_Graph(TGraphWidget& graph, bool fitted, const QString& path, QSize size);

// Prints the present view on a landscape page, filling it under one line that names the file,
// the section and today's date; false when the printer could not be opened or finished.
bool Print_Graph(TGraphWidget& graph, QPrinter& printer, const TLaserFile& file, int section);
// That line: "File: NATIVE PATH   Section: LABEL   Date: YYYY-MM-DD".
QString Print_Heading(const TLaserFile& file, int section);

// The batch's graph: the fitted graph of the section, compared with the reference when there
// is one, in the style given (see Feed_Graph), written as Write_Graph does, for a section with a
// run, a path of a known kind and a size within the limit, which the caller checks. Needs a
// QApplication (any platform, "offscreen" included); the graph widget is never shown.
const QSize Batch_Graph_Size(1600, 1000);
const int Graph_Size_Limit = 8192;
bool Write_Graph_File(const TLaserFile& file, int section, const QString& path, QSize size,
                      const TLaserFile* reference = nullptr,
                      TGraphStyle style = TGraphStyle::Screen);

#endif
