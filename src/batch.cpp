#include "src/batch.h"

#include "src/commandline.h"
#include "src/export.h"
#include "src/laserfile.h"
#include "src/report.h"

#include <QDir>
#include <QFile>
#include <QIODevice>

#include <cstdio>

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

TBatchStatus Print_Report(const TBatchJob& job, TBatchStreams& streams)
{
    return Done_If(Write_Lines(streams.Out, Report_Lines(job.File, job.Section)));
}

// "Save As" to the --output path, or the same bytes to standard output.
TBatchStatus Write_All_Data(const TBatchJob& job, TBatchStreams& streams)
{
    const QStringList table = All_Data_Table(job.File, job.Section, QLatin1Char(','));
    const QString path = job.Settings.value(QStringLiteral("output"));
    if (path.isEmpty())
        return Done_If(Write_Csv_Lines(streams.Out, table));
    if (Write_Csv(path, table))
        return Batch_Done;
    Write_Lines(streams.Err, {Cannot_Write_Line(path)});
    return Batch_Failed;
}

TBatchStatus Print_Deviations(const TBatchJob& job, TBatchStreams& streams, double sign)
{
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

TBatchStatus Usage_Error(TBatchStreams& streams, const QString& message)
{
    Write_Lines(streams.Err, {Usage_Error_Line(message)});
    return Batch_Usage_Error;
}

} // namespace

const std::vector<TBatchAction>& Batch_Actions()
{
    static const std::vector<TBatchAction> actions = {
        {"report", nullptr, "Prints the report of FILE, as the window shows it.", "section",
         &Print_Report},
        {"csv", nullptr,
         "Writes the table of all runs, as \"Save As\" does, to standard output or to the "
         "--output file.",
         "section output", &Write_All_Data},
        {"deviations", nullptr, "Prints the mean deviations, as \"Dev. Normal\" copies them.",
         "section", &Print_Normal},
        {"inverted", nullptr,
         "Prints the inverted mean deviations, as \"Dev. Inverted\" copies "
         "them.",
         "section", &Print_Inverted},
    };
    return actions;
}

const std::vector<TBatchSetting>& Batch_Settings()
{
    static const std::vector<TBatchSetting> settings = {
        {"section", "N", "The section (1 to 3), as the section buttons pick it; 1 when not given."},
        {"output", "PATH",
         "Writes to PATH instead of standard output; an old file stays as it "
         "was unless everything was written."},
    };
    return settings;
}

TBatchStatus Run_Batch(const TCommandLine& line, TBatchStreams& streams)
{
    TLaserFile file;
    if (!file.Load(line.File))
    {
        Write_Lines(streams.Err, {Load_Error_Line(file)});
        return Batch_Failed;
    }
    const QString section_text =
        line.Settings.value(QStringLiteral("section"), QStringLiteral("1"));
    const int section = section_text.toInt() - 1;
    // The window's default section is always the first; another must hold runs to be picked.
    if (section > 0 && file.Run_Count(section) < 1)
        return Usage_Error(streams, QStringLiteral("'%1' has no section %2.")
                                        .arg(QDir::toNativeSeparators(line.File), section_text));
    const TBatchJob job = {file, section, line.Action_Value, line.Settings};
    return line.Action->Run(job, streams);
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
