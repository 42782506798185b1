#ifndef VANTREL_SRC_OUTPUT_GRAPHFEED_H
#define VANTREL_SRC_OUTPUT_GRAPHFEED_H

class TGraphWidget;
class TLaserFile;

// How the graph is labelled and drawn: as on screen (plain axis titles, no legend), or for a
// page (the graph's presentation style: round ticks, a grid and a legend naming each run and
// its direction, the units in the axis titles and the section in the title).
enum class TGraphStyle
{
    Screen,
    Presentation
};

// Replaces the graph's curves with one curve per run of the section, in palette colours,
// titled with the file's name, and draws it fitted. With a reference of the file's family,
// the reference's runs of the same section go first, dashed in one light grey and in the
// file's deviation unit, so that the file's runs lie on top; the title names both files and
// the fit covers both. The presentation's legend lists the reference once, "As found".
void Feed_Graph(TGraphWidget& graph, const TLaserFile& file, int section,
                const TLaserFile* reference = nullptr, TGraphStyle style = TGraphStyle::Screen);

#endif
