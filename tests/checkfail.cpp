// Runs the operation named by the first argument, which breaks a checked invariant; "pass" runs
// one at the edge of a check that must let it through, and ends normally.
#include "core/graphwidget.h"
#include "core/vector2.h"
#include "core/vector3.h"
#include "src/laserfile.h"

#include <QApplication>

#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <string>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    TLaserFile file;
    TGraphWidget graph;
    graph.AddPoint(graph.AddDataSet(Qt::red, 0), TVector2(1, 1));
    const double epsilon = std::numeric_limits<double>::epsilon();
    volatile double sink = 0.0;

    const std::map<std::string, std::function<void()>> actions = {
        {"pass", [&] { sink = (TVector2(1, 1) / std::nextafter(epsilon, 1.0)).x; }},
        {"vector2-divide-epsilon", [&] { sink = (TVector2(1, 1) / epsilon).x; }},
        {"vector2-normalize", [&] { sink = TVector2().Normalize().x; }},
        {"vector2-index", [&] { sink = TVector2()[2]; }},
        {"vector3-normalize", [&] { sink = TVector3().Normalize().x; }},
        {"section-3", [&] { sink = file.Section_Data(2, 0).size(); }},
        {"graph-add-point", [&] { graph.AddPoint(1, TVector2()); }},
        {"graph-get-point", [&] { sink = graph.GetPoint(0, 1).x; }},
    };
    const auto action = actions.find(argc == 2 ? argv[1] : "");
    if (action == actions.end())
        return 2;
    action->second();
    return 0;
}
