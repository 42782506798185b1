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
                        double factor, bool named)
{
    const int runs = reference.Run_Count(section);
    for (int k = 0; k < runs; ++k)
    {
        // Every run of the reference looks alike: one entry in the legend stands for all.
        const QString name = named && k == 0 ? QStringLiteral("As found") : QString();
        const int set = graph.AddDataSet(Reference_Colour, TGraphWidget::DashedStyle, name);
        for (const TVector2& point : reference.Section_Data(section, k))
            graph.AddPoint(set, TVector2(point.x, point.y * factor));
    }
}

QString Run_Name(const TLaserFile& file, int section, int run)
{
    return QStringLiteral("Run %1 (%2)")
        .arg(run + 1)
        .arg(file.Run_Direction(section, run) == TRunDirection::Up ? QStringLiteral("up")
                                                                   : QStringLiteral("down"));
}

void Set_Titles(TGraphWidget& graph, const TLaserFile& file, int section,
                const TLaserFile* reference, bool presentation)
{
    QString title = reference
                        ? QStringLiteral("%1 vs %2").arg(file.File_Name(), reference->File_Name())
                        : file.File_Name();
    if (!presentation)
    {
        graph.SetTitle(title);
        graph.SetHorizontalTitle(QStringLiteral("Position"));
        graph.SetVerticalTitle(QStringLiteral("Deviation"));
        return;
    }
    graph.SetTitle(QStringLiteral("%1, section %2").arg(title, file.Section_Label(section)));
    graph.SetHorizontalTitle(
        QStringLiteral("Position (%1)").arg(QLatin1String(Position_Unit_Name)));
    graph.SetVerticalTitle(
        QStringLiteral("Deviation (%1)").arg(Unit_Symbol(file.Deviation_Unit())));
}

} // namespace

void Feed_Graph(TGraphWidget& graph, const TLaserFile& file, int section,
                const TLaserFile* reference, TGraphStyle style)
{
    const bool presentation = style == TGraphStyle::Presentation;
    graph.ClearDataSets();
    graph.SetPresentation(presentation);
    Set_Titles(graph, file, section, reference, presentation);
    if (reference)
        Add_Reference_Runs(graph, *reference, section, Reference_Factor(*reference, file),
                           presentation);
    const int runs = file.Run_Count(section);
    for (int k = 0; k < runs; ++k)
    {
        int red = 0, green = 0, blue = 0;
        TGraphWidget::GetIndexedColor(k, red, green, blue);
        const int set = graph.AddDataSet(QColor(red, green, blue, 255), 0,
                                         presentation ? Run_Name(file, section, k) : QString());
        for (const TVector2& point : file.Section_Data(section, k))
            graph.AddPoint(set, point);
    }
    graph.UpdateGraph();
}
