#include "bench/benchfiles.h"

#include <QByteArray>
#include <QDir>
#include <QSaveFile>

#include <cmath>
#include <functional>
#include <utility>
#include <vector>

namespace
{

constexpr int Pass_Targets = 1000;
constexpr double Target_Spacing = 1.0; // millimetres, well above the 0.5 mm a pass needs
// Keeps every file well within what a byte array holds.
constexpr int Most_Points = 10000000;

// How the points fall into passes.
struct TShape
{
    int Passes;
    int Targets;
};

TShape Shape_Of(int points)
{
    return points >= Pass_Targets ? TShape{points / Pass_Targets, Pass_Targets} : TShape{1, points};
}

// Even passes rise, odd ones fall.
int Target_At(int pass, int step, int targets)
{
    return pass % 2 == 0 ? step : targets - 1 - step;
}

// A smooth error curve of one quantity in millimetres: a slow wave, a slope, a gap between
// rising and falling passes and a little drift from pass to pass.
double Curve(int pass, int target, int targets, int quantity)
{
    const double x = targets > 1 ? static_cast<double>(target) / (targets - 1) : 0.0;
    const double backlash = pass % 2 == 0 ? -0.0004 : 0.0004;
    return 0.003 * std::sin(9.42477796 * x + quantity) + 0.002 * x + backlash +
           0.0001 * std::sin(0.7 * pass);
}

QByteArray Number(double value, int decimals)
{
    return QByteArray::number(value, 'f', decimals);
}

enum class TXdKind
{
    Scale,
    Straightness,
    Angular
};

// The units line and the column header of each kind, in the order of TXdKind.
const char* const Xd_Texts[][2] = {
    {"Units: mm\n", "Position(mm)  Laser(mm)  Error(mm)  AirTemp(C)  MatTemp(C)\n"},
    {"Units: mm\n", "Position  XX  YY\n"},
    {"Units: mm arc sec\n", "Position  AngA  AngB  AngC\n"},
};

// The columns after the position of one data line.
QByteArray Xd_Values(TXdKind kind, int pass, int target, int targets)
{
    const double position = target * Target_Spacing;
    const double first = Curve(pass, target, targets, 0);
    switch (kind)
    {
    case TXdKind::Scale:
        return Number(position + first, 6) + "  " + Number(first, 6) + "  20.12  20.42";
    case TXdKind::Straightness:
        return Number(first, 6) + "  " + Number(Curve(pass, target, targets, 1), 6);
    case TXdKind::Angular:
        // Angles in arc seconds.
        return Number(first * 300.0, 3) + "  " +
               Number(Curve(pass, target, targets, 1) * 300.0, 3) + "  " +
               Number(Curve(pass, target, targets, 2) * 300.0, 3);
    }
    return QByteArray();
}

// One block per pass, each after its initial position and column header.
QByteArray Xd_File(TXdKind kind, int points)
{
    const TShape shape = Shape_Of(points);
    QByteArray text = "Vantrel benchmark data, " + QByteArray::number(points) + " points\n" +
                      Xd_Texts[static_cast<int>(kind)][0] + "\n";
    text.reserve(points * 48 + 1024);
    for (int pass = 0; pass < shape.Passes; ++pass)
    {
        const int first = Target_At(pass, 0, shape.Targets);
        const double approach = pass % 2 == 0 ? -2.0 : 2.0;
        text += "IniPos: " + Number(first * Target_Spacing + approach, 3) + "\n" +
                Xd_Texts[static_cast<int>(kind)][1];
        for (int step = 0; step < shape.Targets; ++step)
        {
            const int target = Target_At(pass, step, shape.Targets);
            text += Number(target * Target_Spacing, 4) + "  " +
                    Xd_Values(kind, pass, target, shape.Targets) + "\n";
        }
        text += "\n";
    }
    if (kind == TXdKind::Scale)
        text += "<Environment>\nAverage Air Temperature: 20.12\nAverage Air Pressure: 759.8\n"
                "Average Material Temperature: 20.42\n";
    return text;
}

QByteArray Renishaw_Targets(int targets)
{
    QByteArray text =
        "TARGET DATA::\nTarget-count : " + QByteArray::number(targets) + "\nTargets :\n";
    for (int target = 0; target < targets; ++target)
        text += "  " + Number(target * Target_Spacing, 3) + (target % 10 == 9 ? "\n" : "");
    return text + "\nEOF::\n\n";
}

QByteArray Renishaw_Record(int run, int target, double deviation)
{
    return QByteArray::number(run) + "\t" + QByteArray::number(target) + "\t" +
           Number(deviation, 4) + "\n";
}

const char* const Renishaw_Environment = "ENVIRONMENT::\nAir temp : 20.12 20.18\n"
                                         "Air press : 101.216 101.224\nAir humid : 44.8 45.6\n"
                                         "Mat temp 1 : 20.31 20.35\nMat temp 2 : 20.41 20.45\n"
                                         "Final Data\nEOF::\n";

// One run per pass, its records in the order the pass went; deviations in micrometres.
QByteArray Renishaw_File(int points)
{
    const TShape shape = Shape_Of(points);
    QByteArray text = "Vantrel benchmark data, " + QByteArray::number(points) + " points\n\n" +
                      Renishaw_Targets(shape.Targets) + "DEVIATIONS::\nRun Target Data\n";
    text.reserve(points * 20 + shape.Targets * 12 + 1024);
    for (int pass = 0; pass < shape.Passes; ++pass)
        for (int step = 0; step < shape.Targets; ++step)
        {
            const int target = Target_At(pass, step, shape.Targets);
            text += Renishaw_Record(pass + 1, target + 1,
                                    1000.0 * Curve(pass, target, shape.Targets, 0));
        }
    return text + "EOF::\n\n" + Renishaw_Environment;
}

// One run over all the points, written from the last target down to the first.
QByteArray Descending_Renishaw_File(int points)
{
    QByteArray text = "Vantrel benchmark data, one descending run of " +
                      QByteArray::number(points) + " targets\n\n" + Renishaw_Targets(points) +
                      "DEVIATIONS::\nRun Target Data\n";
    text.reserve(points * 32 + 1024);
    for (int target = points - 1; target >= 0; --target)
        text += Renishaw_Record(1, target + 1, 1000.0 * Curve(1, target, points, 0));
    return text + "EOF::\n\n" + Renishaw_Environment;
}

bool Write(const QString& path, const QByteArray& content, QString& error)
{
    QSaveFile file(path);
    // As for the CSV export: a write cut short shows only at the flush, not at the commit.
    if (file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.flush() &&
        file.commit())
        return true;
    error = QStringLiteral("Cannot write '%1'.").arg(QDir::toNativeSeparators(path));
    return false;
}

} // namespace

QStringList Write_Bench_Files(const QString& folder, int points, QString& error)
{
    if (points < 1 || points > Most_Points)
    {
        error = QStringLiteral("The number of points must be 1 to %1.").arg(Most_Points);
        return QStringList();
    }
    if (!QDir().mkpath(folder))
    {
        error =
            QStringLiteral("Cannot make the folder '%1'.").arg(QDir::toNativeSeparators(folder));
        return QStringList();
    }
    const QString size = QString::number(points);
    const QDir dir(folder);
    // Each file is made only when it is written, so that one at a time is held.
    const std::vector<std::pair<QString, std::function<QByteArray()>>> files = {
        {"scale-" + size + ".pos", [points] { return Xd_File(TXdKind::Scale, points); }},
        {"straightness-" + size + ".str",
         [points] { return Xd_File(TXdKind::Straightness, points); }},
        {"angular-" + size + ".ang", [points] { return Xd_File(TXdKind::Angular, points); }},
        {"linear-" + size + ".rtl", [points] { return Renishaw_File(points); }},
        {"pitch-" + size + ".rta", [points] { return Renishaw_File(points); }},
        {"straightness-" + size + ".stx", [points] { return Renishaw_File(points); }},
        {"linear-descending-" + size + ".rtl",
         [points] { return Descending_Renishaw_File(points); }},
    };
    QStringList paths;
    for (const auto& file : files)
    {
        const QString path = dir.filePath(file.first);
        if (!Write(path, file.second(), error))
            return QStringList();
        paths << path;
    }
    return paths;
}
