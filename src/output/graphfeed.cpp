#include "src/output/graphfeed.h"

#include "core/graphwidget.h"
#include "src/laserfile.h"

void Feed_Graph(TGraphWidget& graph, const TLaserFile& file, int section)
{
    graph.ClearDataSets();
    graph.SetTitle(file.File_Name());
    graph.SetHorizontalTitle(QStringLiteral("Position"));
    graph.SetVerticalTitle(QStringLiteral("Deviation"));
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
