#include "fuzz/fuzzload.h"

#include "src/evaluation/evaluations.h"
#include "src/output/export.h"
#include "src/output/report.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

const std::array<TFuzzKind, Fuzz_Kind_Count> Fuzz_Kinds = {{
    {"rtl", Renishaw_RTL},
    {"rta", Renishaw_RTA},
    {"stz", Renishaw_STx},
    {"pos", API_XD_POS},
    {"str", API_XD_STR},
    {"ang", API_XD_ANG},
}};

namespace
{

// Smaller content Load refuses before it looks at the kind.
constexpr int Smallest_File = 100;

// The folder of the input files, removed when the fuzzer ends.
const QTemporaryDir& Input_Folder()
{
    static const QTemporaryDir folder;
    Fuzz_Expect(folder.isValid(), "a temporary folder for the input files");
    return folder;
}

QString Input_Path(const TFuzzKind& kind)
{
    return Input_Folder().filePath(QStringLiteral("input.") + QLatin1String(kind.Extension));
}

void Write_Input(const QString& path, const QByteArray& content)
{
    QFile input(path);
    Fuzz_Expect(input.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                    input.write(content) == content.size(),
                "the input file written");
}

// The window shows a failure as one line of the report.
bool Is_One_Line(const QString& text)
{
    const auto breaks = [](QChar c)
    {
        return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('\v') ||
               c == QLatin1Char('\f') || c == QChar(0x85) || c == QChar::LineSeparator ||
               c == QChar::ParagraphSeparator;
    };
    return std::none_of(text.begin(), text.end(), breaks);
}

void Read_Failure(const TLaserFile& file)
{
    Fuzz_Expect(!file.d_error_message.isEmpty(), "a failed load says why");
    Fuzz_Expect(Is_One_Line(file.d_error_message), "a failed load says why in one line");
    Fuzz_Expect(file.d_file_name.isEmpty() && file.d_file_type == Unknown_Type,
                "a failed load leaves the model unloaded");
}

// The report and the three exports of one section.
void Read_Texts(const TLaserFile& file, int section)
{
    const TLaserRun mean = file.Section_Data(section, -1);
    Fuzz_Expect(Report_Lines(file, section).size() > static_cast<int>(mean.size()),
                "the report has a line per target");
    Deviation_Text(mean, 1.0);
    Deviation_Text(mean, -1.0);
    const bool refused = !All_Data_Refusal(file, section).isEmpty();
    for (const QChar separator : {QChar('\t'), QChar(',')})
        Fuzz_Expect(All_Data_Table(file, section, separator).size() ==
                        (refused ? 0 : static_cast<int>(mean.size())),
                    "the table has a row per target, or is refused");
}

// Every point of the section belongs to one target at most, and a target holds one point
// of a run at most, at the target's position, in run order.
void Read_Match(const TLaserFile& file, int section)
{
    const TTargetMatch match = file.Match_Targets(section);
    Fuzz_Expect(match.First.size() == match.Positions.size() + 1 &&
                    match.First.back() == match.Points.size(),
                "the match has the points of every target");
    TLaserSection runs;
    std::vector<std::vector<bool>> matched;
    for (int run = 0; run < file.Run_Count(section); ++run)
    {
        runs.push_back(file.Section_Data(section, run));
        matched.emplace_back(runs.back().size(), false);
    }
    for (std::size_t t = 0; t < match.Positions.size(); ++t)
        for (std::size_t k = match.First[t]; k < match.First[t + 1]; ++k)
        {
            const TTargetMatch::TRunPoint& at = match.Points[k];
            Fuzz_Expect(at.Run >= 0 && static_cast<std::size_t>(at.Run) < runs.size() &&
                            at.Point >= 0 &&
                            static_cast<std::size_t>(at.Point) < matched[at.Run].size() &&
                            !matched[at.Run][at.Point] &&
                            (k == match.First[t] || match.Points[k - 1].Run < at.Run),
                        "a target holds one point of a run at most, in run order");
            matched[at.Run][at.Point] = true;
            const double x = runs[at.Run][at.Point].x;
            Fuzz_Expect(x == match.Positions[t] ||
                            (std::isnan(x) && std::isnan(match.Positions[t])),
                        "a point is at its target's position");
        }
}

bool Is_Number(const TValue& value)
{
    return !value || std::isfinite(*value);
}

// Every value of the evaluation is a finite number or undefined.
bool Only_Numbers(const TEvaluation& evaluation)
{
    for (const TFigure& figure : evaluation.Figures)
        if (!Is_Number(figure.Value) || !Is_Number(figure.High_Position) ||
            !Is_Number(figure.Low_Position))
            return false;
    for (const std::vector<TValue>& cells : evaluation.Cells)
        if (!std::all_of(cells.begin(), cells.end(), Is_Number))
            return false;
    for (const TCurve& curve : evaluation.Curves)
        for (const TVector2& point : curve.Points)
            if (!std::isfinite(point.x) || !std::isfinite(point.y))
                return false;
    return true;
}

// The evaluation of a file that offers it: one direction per run, and never a value that
// is no number.
void Read_Evaluation(const TLaserFile& file)
{
    const TRunDirections* const directions[] = {
        &file.d_directions_section_1, &file.d_directions_section_2, &file.d_directions_section_3};
    for (int section = 0; section <= 2; ++section)
        Fuzz_Expect(directions[section]->size() ==
                        static_cast<std::size_t>(file.Run_Count(section)),
                    "every run of a section has its direction");
    for (const TEvaluationKind& kind : Evaluation_Kinds())
        for (int section = 0; section <= 2; ++section)
            for (const TReferenceLine line :
                 {TReferenceLine::Least_Squares, TReferenceLine::End_Points,
                  TReferenceLine::Minimum_Zone})
            {
                if (!Evaluation_Refusal(kind, file).isEmpty() || file.Run_Count(section) < 1)
                    continue;
                Fuzz_Expect(Only_Numbers(kind.Evaluate(file, section, {line})),
                            "the evaluation gives numbers or nothing");
            }
}

} // namespace

void Fuzz_Expect(bool holds, const char* what)
{
    if (holds)
        return;
    std::fprintf(stderr, "Fuzz expectation failed: %s\n", what);
    std::abort();
}

bool Fuzz_Load(TLaserFile& file, const TFuzzKind& kind, const QByteArray& content)
{
    const QString path = Input_Path(kind);
    file.Clear();
    if (content.size() < Smallest_File)
        return file.Load_Content(path, content);
    Write_Input(path, content);
    const bool loaded = file.Load(path);
    Fuzz_Expect(!loaded || file.d_file_type == kind.Type, "the kind follows the extension");
    return loaded;
}

void Fuzz_Read(const TLaserFile& file, bool loaded)
{
    file.File_Name();
    file.Type_Description();
    for (int section = -1; section <= 3; ++section)
    {
        file.Section_Label(section);
        const int runs = file.Run_Count(section);
        Fuzz_Expect(runs >= 0, "a section holds no fewer than no runs");
        Fuzz_Expect(file.Section_Data(section, -1).size() ==
                        file.Match_Targets(section).Positions.size(),
                    "the mean has a point per target");
        for (int run = 0; run < runs; ++run)
            Fuzz_Expect(!file.Section_Data(section, run).empty(), "every run has a point");
        Read_Match(file, section);
        if (loaded && section >= 0 && section <= 2)
            Read_Texts(file, section);
    }
    if (loaded)
        Read_Evaluation(file);
    else
        Read_Failure(file);
}
