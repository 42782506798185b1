#ifndef VANTREL_SRC_OUTPUT_GRAPHFEED_H
#define VANTREL_SRC_OUTPUT_GRAPHFEED_H

class TGraphWidget;
class TLaserFile;

// Replaces the graph's curves with one curve per run of the section, in palette colours,
// titled with the file's name, and draws it fitted.
void Feed_Graph(TGraphWidget& graph, const TLaserFile& file, int section);

#endif
