// Times opening files in a real main window: load, report, graph, one zoom and one pan
// step with the mouse, each the median of five repetitions. A second mode writes synthetic
// files.

#include "bench/benchfiles.h"
#include "bench/vantrelprobe.h"
#include "src/evaluation/evaluations.h"
#include "src/output/evaluationtext.h"
#include "tests/graphprobe.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMouseEvent>
#include <QStyleFactory>
#include <QTextStream>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>

namespace
{

constexpr int Repetitions = 5;
const char* const Usage = "Usage: vantrel_bench FILE...\n"
                          "       vantrel_bench --generate FOLDER POINTS\n";

// The figures of one repetition, in milliseconds.
struct TTimes
{
    double Load = 0.0;
    double Report = 0.0;
    double Graph = 0.0;
    double Zoom = 0.0;
    double Pan = 0.0;
    std::vector<double> Evaluations; // one per entry of Evaluations_Of
    double Total = 0.0;
    bool Loaded = false;
};

double Milliseconds(const std::function<void()>& step)
{
    QElapsedTimer timer;
    timer.start();
    step();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

double Median(std::array<double, Repetitions> values)
{
    std::sort(values.begin(), values.end());
    return values[Repetitions / 2];
}

int Point_Count(const TLaserFile& file)
{
    int count = 0;
    for (const TLaserRun& run : file.d_data_section_1)
        count += static_cast<int>(run.size());
    return count;
}

void Send_Mouse(TGraphWidget& graph, QEvent::Type type, const QPoint& at, Qt::MouseButton button,
                Qt::MouseButtons held)
{
    QMouseEvent event(type, at, graph.mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(&graph, &event);
}

// A rubber band over the middle quarter of the plot. Only its release, which zooms, and the
// repaint that shows the new view are timed.
double Zoom_Step(TGraphWidget& graph, const QRect& plot)
{
    const QPoint from(plot.left() + plot.width() / 4, plot.top() + plot.height() / 4);
    const QPoint to(from.x() + plot.width() / 2, from.y() + plot.height() / 2);
    Send_Mouse(graph, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    Send_Mouse(graph, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    return Milliseconds(
        [&]
        {
            Send_Mouse(graph, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
            graph.repaint();
        });
}

// One step of a drag with the right button, ten pixels to the right: the move renders the
// moved view and repaints it at once.
double Pan_Step(TGraphWidget& graph, const QRect& plot)
{
    const QPoint from = plot.center();
    const QPoint to = from + QPoint(10, 0);
    Send_Mouse(graph, QEvent::MouseButtonPress, from, Qt::RightButton, Qt::RightButton);
    const double step = Milliseconds(
        [&] { Send_Mouse(graph, QEvent::MouseMove, to, Qt::NoButton, Qt::RightButton); });
    Send_Mouse(graph, QEvent::MouseButtonRelease, to, Qt::RightButton, Qt::NoButton);
    return step;
}

// An evaluation as the benchmark times it, with its label.
struct TBenchEvaluation
{
    QString Label;
    const TEvaluationKind* Kind;
    TEvaluationOptions Options;
};

// The evaluations that fit the file, straightness about each reference line.
std::vector<TBenchEvaluation> Evaluations_Of(const TLaserFile& file)
{
    std::vector<TBenchEvaluation> evaluations;
    for (const TEvaluationKind& kind : Evaluation_Kinds())
    {
        if (!Evaluation_Refusal(kind, file).isEmpty())
            continue;
        const bool lines = qstrcmp(kind.Name, "straightness") == 0;
        for (const TReferenceLine line : {TReferenceLine::Least_Squares, TReferenceLine::End_Points,
                                          TReferenceLine::Minimum_Zone})
            if (lines || line == TReferenceLine::Least_Squares)
                evaluations.push_back(
                    {QLatin1String(kind.Name) +
                         (lines ? QLatin1Char(' ') + Reference_Line_Name(line) : QString()),
                     &kind,
                     {line}});
    }
    return evaluations;
}

// One repetition: the whole open as the window does it, then each step on its own.
TTimes Measure(TVantrel& window, const QString& path)
{
    TVantrelProbe probe(window);
    TGraphWidgetProbe graph(probe.Graph());
    TTimes times;
    times.Total = Milliseconds(
        [&]
        {
            probe.Load_File(path);
            window.repaint();
        });
    const int section = probe.Active_Section();
    times.Load = Milliseconds(
        [&]
        {
            probe.Laser_File().Clear();
            times.Loaded = probe.Laser_File().Load(path);
        });
    if (!times.Loaded)
        return times;
    probe.Show_Loaded_File();
    times.Report = Milliseconds(
        [&]
        {
            probe.Clear_Report();
            probe.Write_Report(section);
        });
    times.Graph = Milliseconds([&] { probe.Feed_Graph(section); });
    const QRect plot = graph.PlotRect();
    times.Zoom = Zoom_Step(probe.Graph(), plot);
    times.Pan = Pan_Step(probe.Graph(), plot);
    for (const TBenchEvaluation& evaluation : Evaluations_Of(probe.Laser_File()))
        times.Evaluations.push_back(Milliseconds(
            [&]
            {
                Csv_Text(Evaluation_Csv_Lines(
                    evaluation.Kind->Evaluate(probe.Laser_File(), section, evaluation.Options)));
            }));
    return times;
}

QString Figure(double milliseconds)
{
    return milliseconds < 0.0 ? QStringLiteral("       -")
                              : QStringLiteral("%1").arg(milliseconds, 8, 'f', 1);
}

// One line of medians for the file, then one for each evaluation that fits it with its share
// of the load; false when the file does not load.
bool Bench_File(TVantrel& window, const QString& path, QTextStream& out)
{
    TVantrelProbe probe(window);
    std::array<std::array<double, Repetitions>, 6> figures{};
    std::vector<std::array<double, Repetitions>> evaluations;
    for (int repetition = 0; repetition < Repetitions; ++repetition)
    {
        const TTimes times = Measure(window, path);
        if (!times.Loaded)
        {
            out << QFileInfo(path).fileName() << ": " << probe.Laser_File().d_error_message << '\n';
            return false;
        }
        const double row[] = {times.Load, times.Report, times.Graph,
                              times.Zoom, times.Pan,    times.Total};
        for (std::size_t k = 0; k < figures.size(); ++k)
            figures[k][repetition] = row[k];
        evaluations.resize(times.Evaluations.size());
        for (std::size_t k = 0; k < evaluations.size(); ++k)
            evaluations[k][repetition] = times.Evaluations[k];
    }
    out << QStringLiteral("%1 %2")
               .arg(QFileInfo(path).fileName(), -36)
               .arg(Point_Count(probe.Laser_File()), 9);
    for (const auto& figure : figures)
        out << Figure(Median(figure));
    out << '\n';
    const double load = Median(figures[0]);
    const std::vector<TBenchEvaluation> named = Evaluations_Of(probe.Laser_File());
    for (std::size_t k = 0; k < evaluations.size(); ++k)
    {
        const double median = Median(evaluations[k]);
        out << QStringLiteral("    --evaluate %1 %2 ms, %3 % of the load\n")
                   .arg(named[k].Label, -30)
                   .arg(median, 7, 'f', 1)
                   .arg(100.0 * median / load, 5, 'f', 1);
    }
    out.flush();
    return true;
}

int Bench_Files(const QStringList& paths)
{
    TVantrel window;
    window.resize(1600, 900);
    window.show();
    QApplication::processEvents();
    QTextStream out(stdout);
    out << QStringLiteral("%1 %2").arg("file", -36).arg("points", 9)
        << "    load  report   graph    zoom     pan   total\n";
    bool all_loaded = true;
    for (const QString& path : paths)
        all_loaded = Bench_File(window, path, out) && all_loaded;
    return all_loaded ? 0 : 1;
}

int Generate(const QString& folder, const QString& points_text)
{
    bool is_number = false;
    const int points = points_text.toInt(&is_number);
    QString error =
        QStringLiteral("The number of points '%1' is no whole number.").arg(points_text);
    const QStringList paths = is_number ? Write_Bench_Files(folder, points, error) : QStringList();
    QTextStream out(stdout);
    if (paths.isEmpty())
    {
        QTextStream(stderr) << error << '\n';
        return 1;
    }
    for (const QString& path : paths)
        out << path << '\n';
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    // Measured off screen unless told otherwise, so that no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (QStyle* style = QStyleFactory::create(QStringLiteral("fusion")))
        QApplication::setStyle(style);

    QStringList arguments = QApplication::arguments().mid(1);
    if (arguments.size() == 3 && arguments[0] == QLatin1String("--generate"))
        return Generate(arguments[1], arguments[2]);
    if (arguments.isEmpty() || arguments[0].startsWith(QLatin1String("--")))
    {
        std::fputs(Usage, stderr);
        return 2;
    }
    return Bench_Files(arguments);
}
