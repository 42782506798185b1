#include "src/cli/batch.h"

#include "core/check.h"
#include "src/cli/commandline.h"
#include "src/evaluation/evaluations.h"
#include "src/laserfile.h"
#include "src/output/certificate.h"
#include "src/output/comparison.h"
#include "src/output/evaluationtext.h"
#include "src/output/export.h"
#include "src/output/graphexport.h"
#include "src/output/outputfile.h"
#include "src/output/report.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace
{

// Text in UTF-8, whatever the locale: the report's temperatures carry a character beyond
// ASCII, and a shell loop's output should not change with LANG.
bool Write_Text(QIODevice& device, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return device.write(bytes) == bytes.size();
}

bool Write_Lines(QIODevice& device, const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + QLatin1Char('\n');
    return Write_Text(device, text);
}

TBatchStatus Done_If(bool written)
{
    return written ? Batch_Done : Batch_Failed;
}

TBatchStatus Usage_Error(TBatchStreams& streams, const QString& message)
{
    Write_Lines(streams.Err, {Usage_Error_Line(message)});
    return Batch_Usage_Error;
}

TBatchStatus Failed(TBatchStreams& streams, const QString& line)
{
    Write_Lines(streams.Err, {line});
    return Batch_Failed;
}

// The --output path; empty for standard output.
QString Output_Path(const TBatchJob& job)
{
    return job.Settings.value(QStringLiteral("output"));
}

// Why the output of the section to the path (empty: standard output) is not written, as an
// "ERR:  " line, or nothing: no file loaded, the reference included, is ever replaced, and a
// section without a run would give an empty output.
QString Output_Refusal(const TBatchJob& job, const QString& path, int section)
{
    QStringList inputs(job.File.d_file_name);
    if (job.Reference)
        inputs << job.Reference->d_file_name;
    const QString input = Output_Is_Input_Refusal(path, inputs);
    return input.isEmpty() ? Empty_Section_Refusal(job.File, section) : input;
}

// The lines to standard output, or as "Save As" writes them to the --output path.
TBatchStatus Write_Table(const TBatchJob& job, TBatchStreams& streams, const QStringList& lines)
{
    const QString path = Output_Path(job);
    if (path.isEmpty())
        return Done_If(Write_Csv_Lines(streams.Out, lines));
    return Write_Csv(path, lines) ? Batch_Done : Failed(streams, Cannot_Write_Line(path));
}

TBatchStatus Print_Report(const TBatchJob& job, TBatchStreams& streams)
{
    return Done_If(Write_Lines(streams.Out, Report_Lines(job.File, job.Section)));
}

TBatchStatus Write_All_Data(const TBatchJob& job, TBatchStreams& streams)
{
    QString refusal = Output_Refusal(job, Output_Path(job), job.Section);
    if (refusal.isEmpty())
        refusal = All_Data_Refusal(job.File, job.Section);
    if (!refusal.isEmpty())
        return Failed(streams, refusal);
    return Write_Table(job, streams, All_Data_Table(job.File, job.Section, QLatin1Char(',')));
}

// The evaluation's text as the dialog's "Copy" and "Save As..." give it.
TBatchStatus Write_Iso_230_2(const TBatchJob& job, TBatchStreams& streams)
{
    const TEvaluationKind& iso = *Evaluation_Named(QStringLiteral("iso230-2"));
    QString refusal = Evaluation_Refusal(iso, job.File);
    if (refusal.isEmpty())
        refusal = Output_Refusal(job, Output_Path(job), 0);
    if (!refusal.isEmpty())
        return Failed(streams, refusal);
    return Write_Table(job, streams, Iso_Csv_Lines(iso.Evaluate(job.File, 0, {})));
}

// Why the --deviation-unit given does not label the file's deviations, or nothing: an API XD
// file's units are known, and a length does not fit angles nor an angle lengths.
QString Deviation_Unit_Refusal(const TBatchJob& job)
{
    const QString name = job.Settings.value(QStringLiteral("deviation-unit"));
    const std::optional<TDeviationUnit> unit = Unit_Named(name);
    if (!unit || job.File.Takes_Deviation_Unit(*unit))
        return QString();
    const QString path = QDir::toNativeSeparators(job.File.d_file_name);
    const TUnitInfo& stored = Unit_Info(job.File.Deviation_Unit());
    // Every kind that takes a unit takes one of these.
    if (!job.File.Takes_Deviation_Unit(TDeviationUnit::Micrometre) &&
        !job.File.Takes_Deviation_Unit(TDeviationUnit::Micrometre_Per_Metre))
        return QStringLiteral("ERR:  --deviation-unit is for Renishaw files, which do not state "
                              "their unit; '%1' is an API XD file, read in %2.")
            .arg(path, QLatin1String(stored.Name));
    return QStringLiteral("ERR:  --deviation-unit %1 does not fit '%2', whose deviations are "
                          "%3: it takes one of %4.")
        .arg(name, path, stored.Is_Angle ? QStringLiteral("angles") : QStringLiteral("lengths"),
             Unit_Names(stored.Is_Angle));
}

// The options of --reference-line.
TEvaluationOptions Evaluation_Options(const TBatchJob& job)
{
    TEvaluationOptions options;
    const QString line = job.Settings.value(QStringLiteral("reference-line"));
    if (!line.isEmpty())
        options.Reference_Line = *Reference_Line_Named(line);
    return options;
}

// The evaluation NAME of the section, as its dialog's "Copy" and "Save As..." give it.
TBatchStatus Write_Evaluation(const TBatchJob& job, TBatchStreams& streams)
{
    const TEvaluationKind& kind = *Evaluation_Named(job.Value);
    QString refusal = Evaluation_Refusal(kind, job.File);
    if (refusal.isEmpty())
        refusal = Deviation_Unit_Refusal(job);
    if (refusal.isEmpty())
        refusal = Output_Refusal(job, Output_Path(job), job.Section);
    if (!refusal.isEmpty())
        return Failed(streams, refusal);
    const TEvaluationOptions options = Evaluation_Options(job);
    if (!job.Reference)
        return Write_Table(job, streams,
                           Evaluation_Csv_Lines(kind.Evaluate(job.File, job.Section, options)));
    // A reference asked for is compared or refused, never left out.
    const QString empty = Empty_Section_Refusal(*job.Reference, job.Section);
    if (!empty.isEmpty())
        return Failed(streams, empty);
    const std::optional<TEvaluation> reference =
        Reference_Evaluation(kind, *job.Reference, job.File, job.Section, options);
    // A reference of the file's family fits every evaluation the file fits.
    VANTREL_CHECK(reference.has_value());
    return Write_Table(
        job, streams,
        Evaluation_Csv_Lines(kind.Evaluate(job.File, job.Section, options), &*reference));
}

// "WIDTHxHEIGHT" in whole pixels; an empty size when the text is not one.
QSize Graph_Size(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('x'));
    bool width_ok = false;
    bool height_ok = false;
    const QSize size =
        parts.size() == 2 ? QSize(parts[0].toInt(&width_ok), parts[1].toInt(&height_ok)) : QSize();
    const bool fits = size.width() >= 1 && size.height() >= 1 && size.width() <= Graph_Size_Limit &&
                      size.height() <= Graph_Size_Limit;
    return width_ok && height_ok && fits ? size : QSize();
}

TBatchStatus Write_Graph(const TBatchJob& job, TBatchStreams& streams)
{
    // The file's own name, even one that is not a graph file's, is refused as the input.
    const QString refusal = Output_Refusal(job, job.Value, job.Section);
    if (!refusal.isEmpty())
        return Failed(streams, refusal);
    if (Graph_Format(job.Value) == TGraph_Format::None)
        return Usage_Error(
            streams, QStringLiteral("The graph file's name must end in .png, .svg or .pdf: '%1'.")
                         .arg(QDir::toNativeSeparators(job.Value)));
    const QString size_text = job.Settings.value(QStringLiteral("size"));
    const QSize size = size_text.isEmpty() ? Batch_Graph_Size : Graph_Size(size_text);
    if (size.isEmpty())
        return Usage_Error(streams, QStringLiteral("--size must be WIDTHxHEIGHT, each from 1 to "
                                                   "%1 pixels, not '%2'.")
                                        .arg(Graph_Size_Limit)
                                        .arg(size_text));
    // Checked when the command line was read.
    const TGraphStyle style = Graph_Style_Named(job.Settings.value(QStringLiteral("graph-style"),
                                                                   QStringLiteral("screen")))
                                  .value_or(TGraphStyle::Screen);
    return Write_Graph_File(job.File, job.Section, job.Value, size, job.Reference, style)
               ? Batch_Done
               : Failed(streams, Cannot_Write_Line(job.Value));
}

// The certificate of the section with every evaluation that fits the file, compared with the
// reference when there is one, as the window's "Certificate..." writes it.
TBatchStatus Write_Certificate(const TBatchJob& job, TBatchStreams& streams)
{
    QString refusal = Output_Refusal(job, job.Value, job.Section);
    if (refusal.isEmpty() && job.Reference)
        refusal = Empty_Section_Refusal(*job.Reference, job.Section);
    if (refusal.isEmpty())
        refusal = Deviation_Unit_Refusal(job);
    if (!refusal.isEmpty())
        return Failed(streams, refusal);
    if (Graph_Format(job.Value) != TGraph_Format::Pdf)
        return Usage_Error(streams,
                           QStringLiteral("The certificate file's name must end in .pdf: '%1'.")
                               .arg(QDir::toNativeSeparators(job.Value)));
    TCertificateRequest request = {job.File,
                                   job.Section,
                                   job.Reference,
                                   job.Fields,
                                   Certificate_Evaluations(job.File),
                                   Evaluation_Options(job)};
    const bool straightness = std::any_of(request.Evaluations.begin(), request.Evaluations.end(),
                                          [](const TEvaluationKind* kind)
                                          { return qstrcmp(kind->Name, "straightness") == 0; });
    if (job.Settings.contains(QStringLiteral("reference-line")) && !straightness)
        return Usage_Error(streams, QStringLiteral("--reference-line goes only with the "
                                                   "--certificate of a straightness file."));
    const QByteArray pdf = Certificate_Pdf(request);
    return !pdf.isEmpty() && Write_Output_File(job.Value, pdf)
               ? Batch_Done
               : Failed(streams, Cannot_Write_Line(job.Value));
}

TBatchStatus Print_Deviations(const TBatchJob& job, TBatchStreams& streams, double sign)
{
    const QString refusal = Empty_Section_Refusal(job.File, job.Section);
    if (!refusal.isEmpty())
        return Failed(streams, refusal);
    return Done_If(
        Write_Text(streams.Out, Deviation_Text(job.File.Section_Data(job.Section, -1), sign)));
}

TBatchStatus Print_Normal(const TBatchJob& job, TBatchStreams& streams)
{
    return Print_Deviations(job, streams, 1.0);
}

TBatchStatus Print_Inverted(const TBatchJob& job, TBatchStreams& streams)
{
    return Print_Deviations(job, streams, -1.0);
}

// A file to read, given on the command line, as FILE is taken: an absolute path, so that it
// names the file wherever it is shown. An empty one stays empty, which fails to load.
QString Input_Path(const QString& given)
{
    return given.isEmpty() ? given : QDir::cleanPath(QFileInfo(given).absoluteFilePath());
}

// The run of each batch option, by the option's name.
struct TBatchRun
{
    const char* Option;
    TBatchStatus (*Run)(const TBatchJob& job, TBatchStreams& streams);
};

const TBatchRun Batch_Runs[] = {
    {"report", &Print_Report},       {"csv", &Write_All_Data},
    {"deviations", &Print_Normal},   {"inverted", &Print_Inverted},
    {"graph", &Write_Graph},         {"iso230-2", &Write_Iso_230_2},
    {"evaluate", &Write_Evaluation}, {"certificate", &Write_Certificate},
};

TBatchStatus Run_Action(const TBatchAction& action, const TBatchJob& job, TBatchStreams& streams)
{
    const TBatchRun* run = std::find_if(std::begin(Batch_Runs), std::end(Batch_Runs),
                                        [&](const TBatchRun& entry)
                                        { return qstrcmp(entry.Option, action.Option) == 0; });
    VANTREL_CHECK(run != std::end(Batch_Runs));
    return run->Run(job, streams);
}

} // namespace

TBatchStatus Run_Batch(const TCommandLine& line, TBatchStreams& streams)
{
    TLaserFile file;
    if (!file.Load(line.File))
        return Failed(streams, Load_Error_Line(file));
    // A label the action checks against the kind; the model takes only one that fits.
    file.d_chosen_deviation_unit =
        Unit_Named(line.Settings.value(QStringLiteral("deviation-unit")));
    const QString section_text =
        line.Settings.value(QStringLiteral("section"), QStringLiteral("1"));
    const int section = section_text.toInt() - 1;
    // The window's default section is always the first; another must hold runs to be picked.
    if (section > 0 && file.Run_Count(section) < 1)
        return Usage_Error(streams, QStringLiteral("'%1' has no section %2.")
                                        .arg(QDir::toNativeSeparators(line.File), section_text));
    const QString compare = QStringLiteral("compare");
    const bool compared = line.Settings.contains(compare);
    TLaserFile reference;
    if (compared)
    {
        const QString error =
            Load_Reference(reference, Input_Path(line.Settings.value(compare)), file);
        if (!error.isEmpty())
            return Failed(streams, error);
        // --deviation-unit labels both files where they take it.
        reference.d_chosen_deviation_unit = file.d_chosen_deviation_unit;
    }
    const TBatchJob job = {
        file,       section, line.Action_Value, line.Settings, compared ? &reference : nullptr,
        line.Fields};
    return Run_Action(*line.Action, job, streams);
}

int Run_Without_Window(const TCommandLine& line)
{
    QFile out;
    QFile err;
    // Text mode gives the platform's line ends, as "Save As" writes them.
    out.open(stdout, QIODevice::WriteOnly | QIODevice::Text);
    err.open(stderr, QIODevice::WriteOnly | QIODevice::Text);
    TBatchStreams streams = {out, err};
    TBatchStatus status = Batch_Done;
    switch (line.Mode)
    {
    case TCommandLine::Help:
        Write_Text(out, Help_Text());
        break;
    case TCommandLine::Version:
        Write_Text(out, Version_Text());
        break;
    case TCommandLine::Usage_Error:
        status = Usage_Error(streams, line.Error);
        break;
    case TCommandLine::Batch:
        status = Run_Batch(line, streams);
        break;
    case TCommandLine::Window:
        break;
    }
    // A full disk or a closed pipe shows only when the buffered output is flushed.
    if (!out.flush() && status == Batch_Done)
    {
        Write_Lines(err, {QStringLiteral("ERR:  Cannot write to standard output.")});
        status = Batch_Failed;
    }
    return status;
}
