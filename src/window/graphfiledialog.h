#ifndef VANTREL_SRC_WINDOW_GRAPHFILEDIALOG_H
#define VANTREL_SRC_WINDOW_GRAPHFILEDIALOG_H

#include "src/output/graphfeed.h"

#include <QString>

class QWidget;

// What "Save Graph..." writes: the path, with the extension of the kind picked when the name
// typed has none of a graph file (see Graph_Path), empty when cancelled; and the style.
struct TGraphFileChoice
{
    QString Path;
    TGraphStyle Style = TGraphStyle::Screen;
};

// The file dialog of "Save Graph...": the kinds of graph file, starting at the suggested path,
// with a check box "Presentation style" below, unchecked. Qt's own dialog, which takes the
// check box on every platform.
TGraphFileChoice Ask_Graph_File(QWidget* parent, const QString& suggested);

#endif
