#ifndef VANTREL_SRC_OUTPUT_GRAPHFEED_H
#define VANTREL_SRC_OUTPUT_GRAPHFEED_H

class TGraphWidget;
class TLaserFile;

// Replaces the graph's curves with one curve per run of the section, in palette colours,
// titled with the file's name, and draws it fitted. With a reference of the file's family,
// the reference's runs of the same section go first, dashed in one light grey and in the
// file's deviation unit, so that the file's runs lie on top; the title names both files and
// the fit covers both.
void Feed_Graph(TGraphWidget& graph, const TLaserFile& file, int section,
                const TLaserFile* reference = nullptr);

#endif
