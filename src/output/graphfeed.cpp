#include "src/output/graphfeed.h"

#include "core/graphwidget.h"
#include "src/laserfile.h"
#include "src/output/comparison.h"

namespace
{

// A light grey that stays behind every palette colour, a shade darker than the graph's zero
// lines so that the two are told apart.
const QColor Reference_Colour(170, 170, 170);

void Add_Reference_Runs(TGraphWidget& graph, const TLaserFile& reference, int section,
                        double factor)
{
    const int runs = reference.Run_Count(section);
    for (int k = 0; k < runs; ++k)
    {
        const int set = graph.AddDataSet(Reference_Colour, TGraphWidget::DashedStyle);
        for (const TVector2& point : reference.Section_Data(section, k))
            graph.AddPoint(set, TVector2(point.x, point.y * factor));
    }
}

} // namespace

void Feed_Graph(TGraphWidget& graph, const TLaserFile& file, int section,
                const TLaserFile* reference)
{
    graph.ClearDataSets();
    graph.SetTitle(reference
                       ? QStringLiteral("%1 vs %2").arg(file.File_Name(), reference->File_Name())
                       : file.File_Name());
    graph.SetHorizontalTitle(QStringLiteral("Position"));
    graph.SetVerticalTitle(QStringLiteral("Deviation"));
    if (reference)
        Add_Reference_Runs(graph, *reference, section, Reference_Factor(*reference, file));
    const int runs = file.Run_Count(section);
    for (int k = 0; k < runs; ++k)
    {
        int red = 0, green = 0, blue = 0;
        TGraphWidget::GetIndexedColor(k, red, green, blue);
        const int set = graph.AddDataSet(QColor(red, green, blue, 255), 0);
        for (const TVector2& point : file.Section_Data(section, k))
            graph.AddPoint(set, point);
    }
    graph.UpdateGraph();
}
