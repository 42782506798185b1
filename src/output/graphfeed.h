#ifndef VANTREL_SRC_OUTPUT_GRAPHFEED_H
#define VANTREL_SRC_OUTPUT_GRAPHFEED_H

#include <QString>

#include <optional>

class TGraphWidget;
class TLaserFile;

// How the graph of a file is drawn: as the window shows it, or for a page (a file to hand on,
// a printed certificate).
enum class TGraphStyle
{
    // The title is the file's name, the axes are "Position" and "Deviation", no legend.
    Screen,
    // The graph's presentation style (round ticks, a light grid, a legend); every run named in
    // the legend by its number and direction ("Run 2 (down)"), the reference's runs as one
    // "As found"; the axes titled with their units, the section in the title.
    Presentation
};

// The names the command line gives the styles: "screen", "presentation".
std::optional<TGraphStyle> Graph_Style_Named(const QString& name);
QString Graph_Style_Names();

// Replaces the graph's curves with one curve per run of the section, in palette colours,
// titled with the file's name, and draws it fitted. With a reference of the file's family,
// the reference's runs of the same section go first, dashed in one light grey and in the
// file's deviation unit, so that the file's runs lie on top; the title names both files and
// the fit covers both.
void Feed_Graph(TGraphWidget& graph, const TLaserFile& file, int section,
                const TLaserFile* reference = nullptr, TGraphStyle style = TGraphStyle::Screen);

// Gives the graph that Feed_Graph fed with the same arguments the titles, curve names and
// style of `style`, keeping its curves and its view: the window's graph is saved in the
// presentation style as it is zoomed, and then shown as before.
void Style_Graph(TGraphWidget& graph, const TLaserFile& file, int section,
                 const TLaserFile* reference, TGraphStyle style);

#endif
