#include "src/output/graphfeed.h"

#include "core/graphwidget.h"
#include "src/laserfile.h"
#include "src/output/comparison.h"

#include <QStringList>

#include <algorithm>
#include <array>

namespace
{

// A light grey that stays behind every palette colour, a shade darker than the graph's zero
// lines so that the two are told apart.
const QColor Reference_Colour(170, 170, 170);

const std::array<std::pair<TGraphStyle, const char*>, 2> Style_Names = {{
    {TGraphStyle::Screen, "screen"},
    {TGraphStyle::Presentation, "presentation"},
}};

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

QString Files_Title(const TLaserFile& file, const TLaserFile* reference)
{
    return reference ? QStringLiteral("%1 vs %2").arg(file.File_Name(), reference->File_Name())
                     : file.File_Name();
}

QString Run_Name(const TLaserFile& file, int section, int run)
{
    const bool up = file.Run_Direction(section, run) == TRunDirection::Up;
    return QStringLiteral("Run %1 (%2)")
        .arg(run + 1)
        .arg(up ? QStringLiteral("up") : QStringLiteral("down"));
}

// The reference's runs are one entry of the legend, the first of them named for all. A graph
// emptied since it was fed has no curve to name.
void Name_Runs(TGraphWidget& graph, const TLaserFile& file, int section,
               const TLaserFile* reference, bool named)
{
    const int grey = reference ? reference->Run_Count(section) : 0;
    const int sets = std::min(graph.DataSetCount(), grey + file.Run_Count(section));
    for (int k = 0; k < sets; ++k)
        graph.SetDataSetName(k, !named      ? QString()
                                : k >= grey ? Run_Name(file, section, k - grey)
                                : k == 0    ? QStringLiteral("As found")
                                            : QString());
}

} // namespace

std::optional<TGraphStyle> Graph_Style_Named(const QString& name)
{
    for (const auto& [style, style_name] : Style_Names)
        if (name == QLatin1String(style_name))
            return style;
    return std::nullopt;
}

QString Graph_Style_Names()
{
    QStringList names;
    for (const auto& entry : Style_Names)
        names << QLatin1String(entry.second);
    return names.join(QStringLiteral(", "));
}

void Style_Graph(TGraphWidget& graph, const TLaserFile& file, int section,
                 const TLaserFile* reference, TGraphStyle style)
{
    const bool page = style == TGraphStyle::Presentation;
    graph.SetPresentation(page);
    Name_Runs(graph, file, section, reference, page);
    if (!page)
    {
        graph.SetTitle(Files_Title(file, reference));
        graph.SetHorizontalTitle(QStringLiteral("Position"));
        graph.SetVerticalTitle(QStringLiteral("Deviation"));
        return;
    }
    graph.SetTitle(QStringLiteral("%1, section %2")
                       .arg(Files_Title(file, reference), file.Section_Label(section)));
    graph.SetHorizontalTitle(
        QStringLiteral("Position (%1)").arg(QLatin1String(Position_Unit_Name)));
    graph.SetVerticalTitle(
        QStringLiteral("Deviation (%1)").arg(Unit_Symbol(file.Deviation_Unit())));
}

void Feed_Graph(TGraphWidget& graph, const TLaserFile& file, int section,
                const TLaserFile* reference, TGraphStyle style)
{
    graph.ClearDataSets();
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
    Style_Graph(graph, file, section, reference, style);
    graph.UpdateGraph();
}
