#include "src/cli/commandline.h"

#include "src/evaluation/evaluations.h"
#include "src/output/certificate.h"
#include "src/output/graphfeed.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace
{

const char* const Description =
    "Views the result files of laser-interferometer calibrations. With a FILE alone, the\n"
    "window opens and loads it as \"Import\" does. With a batch option, no window opens:\n"
    "the file's report or numbers go to standard output, in the window's own format.";

QCommandLineOption Option(const char* name, const char* description, const char* value_name)
{
    QCommandLineOption option(QString::fromLatin1(name), QString::fromLatin1(description));
    if (value_name)
        option.setValueName(QString::fromLatin1(value_name));
    return option;
}

// The parser's help and version options are left out: in Qt 5 they bring --help-all, for
// options that a batch run never reads, and they print and exit by themselves.
void Add_Options(QCommandLineParser& parser)
{
    parser.setApplicationDescription(QString::fromLatin1(Description));
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")},
                      QStringLiteral("Displays this help and exits.")});
    parser.addOption({{QStringLiteral("v"), QStringLiteral("version")},
                      QStringLiteral("Displays the version and exits.")});
    for (const TBatchAction& action : Batch_Actions())
        parser.addOption(Option(action.Option, action.Description, action.Value_Name));
    for (const TBatchSetting& setting : Batch_Settings())
        parser.addOption(Option(setting.Option, setting.Description, setting.Value_Name));
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("A calibration file (.rtl .rta .stx .sty .stz "
                                                ".pos .str .ang)."),
                                 QStringLiteral("[FILE]"));
}

TCommandLine Usage_Error(const QString& message)
{
    TCommandLine line;
    line.Mode = TCommandLine::Usage_Error;
    line.Error = message;
    return line;
}

QString Dashed(const QString& option)
{
    return QStringLiteral("--") + option;
}

// The batch options given, by the order of the table.
QList<const TBatchAction*> Actions_Given(const QCommandLineParser& parser)
{
    QList<const TBatchAction*> given;
    for (const TBatchAction& action : Batch_Actions())
        if (parser.isSet(QString::fromLatin1(action.Option)))
            given += &action;
    return given;
}

// What is wrong with the settings for the action (none for the window), or nothing.
QString Settings_Error(const QCommandLineParser& parser, const TBatchAction* action)
{
    for (const TBatchSetting& setting : Batch_Settings())
    {
        const QString name = QString::fromLatin1(setting.Option);
        const int times = parser.values(name).size();
        if (times == 0)
            continue;
        if (times > 1 && !setting.Repeated)
            return QStringLiteral("%1 is given more than once.").arg(Dashed(name));
        if (!action)
            return QStringLiteral("%1 goes with a batch option, such as --report.")
                .arg(Dashed(name));
        const QStringList takes = QString::fromLatin1(action->Settings).split(QLatin1Char(' '));
        if (!takes.contains(name))
            return QStringLiteral("%1 does not go with %2.")
                .arg(Dashed(name), Dashed(QString::fromLatin1(action->Option)));
    }
    const QString section = parser.value(QStringLiteral("section"));
    if (!section.isEmpty() && section != QLatin1String("1") && section != QLatin1String("2") &&
        section != QLatin1String("3"))
        return QStringLiteral("--section must be 1, 2 or 3, not '%1'.").arg(section);
    return QString();
}

// The names of a table's entries, apart by ", ".
template <typename TEntry>
QString Names_Of(const std::vector<TEntry>& entries)
{
    QStringList names;
    for (const TEntry& entry : entries)
        names << QLatin1String(entry.Name);
    return names.join(QStringLiteral(", "));
}

// What is wrong with the names that --evaluate, --reference-line, --deviation-unit and
// --graph-style take, or nothing.
QString Name_Error(const QCommandLineParser& parser)
{
    const QString name = parser.value(QStringLiteral("evaluate"));
    if (parser.isSet(QStringLiteral("evaluate")) && !Evaluation_Named(name))
        return QStringLiteral("--evaluate takes one of %1, not '%2'.")
            .arg(Names_Of(Evaluation_Kinds()), name);
    const QString line = parser.value(QStringLiteral("reference-line"));
    // A certificate of a straightness file takes it too; its batch run checks the kind.
    if (parser.isSet(QStringLiteral("reference-line")) && name != QLatin1String("straightness") &&
        !parser.isSet(QStringLiteral("certificate")))
        return QStringLiteral("--reference-line goes only with --evaluate straightness.");
    if (parser.isSet(QStringLiteral("reference-line")) && !Reference_Line_Named(line))
        return QStringLiteral("--reference-line takes one of least-squares, end-points, "
                              "minimum-zone, not '%1'.")
            .arg(line);
    const QString unit = parser.value(QStringLiteral("deviation-unit"));
    if (parser.isSet(QStringLiteral("deviation-unit")) && !Unit_Named(unit))
        return QStringLiteral("--deviation-unit takes one of %1, %2, not '%3'.")
            .arg(Unit_Names(false), Unit_Names(true), unit);
    const QString style = parser.value(QStringLiteral("graph-style"));
    if (parser.isSet(QStringLiteral("graph-style")) && !Graph_Style_Named(style))
        return QStringLiteral("--graph-style takes one of %1, not '%2'.")
            .arg(Graph_Style_Names(), style);
    return QString();
}

// The certificate's fields of the --field values into `fields`; what is wrong with them, or
// nothing. A field given twice is an error, as a setting given twice is: neither value is
// taken over the other.
QString Read_Fields(const QStringList& values, QMap<QString, QString>& fields)
{
    for (const QString& value : values)
    {
        const int equals = value.indexOf(QLatin1Char('='));
        const QString name = value.left(equals);
        const auto& known = Certificate_Fields();
        if (equals < 0 || std::none_of(known.begin(), known.end(),
                                       [&](const TCertificateField& field)
                                       { return name == QLatin1String(field.Name); }))
            return QStringLiteral("--field takes NAME=VALUE, NAME one of %1, not '%2'.")
                .arg(Names_Of(Certificate_Fields()), value);
        if (fields.contains(name))
            return QStringLiteral("--field %1 is given more than once.").arg(name);
        fields.insert(name, value.mid(equals + 1));
    }
    return QString();
}

} // namespace

TCommandLine Parse_Command_Line(const QStringList& arguments)
{
    QCommandLineParser parser;
    Add_Options(parser);
    if (!parser.parse(arguments))
        return Usage_Error(parser.errorText());
    TCommandLine line;
    if (parser.isSet(QStringLiteral("help")))
    {
        line.Mode = TCommandLine::Help;
        return line;
    }
    if (parser.isSet(QStringLiteral("version")))
    {
        line.Mode = TCommandLine::Version;
        return line;
    }

    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return Usage_Error(QStringLiteral("Only one FILE is expected."));
    if (files.size() == 1 && files.first().isEmpty())
        return Usage_Error(QStringLiteral("The FILE name is empty."));
    const QList<const TBatchAction*> actions = Actions_Given(parser);
    if (actions.size() > 1)
        return Usage_Error(QStringLiteral("%1 and %2 cannot be given together.")
                               .arg(Dashed(QString::fromLatin1(actions[0]->Option)),
                                    Dashed(QString::fromLatin1(actions[1]->Option))));
    const TBatchAction* action = actions.isEmpty() ? nullptr : actions.first();
    QString settings_error = Settings_Error(parser, action);
    if (settings_error.isEmpty())
        settings_error = Name_Error(parser);
    if (!settings_error.isEmpty())
        return Usage_Error(settings_error);

    if (!files.isEmpty())
        line.File = QDir::cleanPath(QFileInfo(files.first()).absoluteFilePath());
    if (!action)
        return line;
    const QString option = QString::fromLatin1(action->Option);
    if (files.isEmpty())
        return Usage_Error(QStringLiteral("%1 needs a FILE.").arg(Dashed(option)));
    if (parser.values(option).size() > 1)
        return Usage_Error(QStringLiteral("%1 is given more than once.").arg(Dashed(option)));
    line.Mode = TCommandLine::Batch;
    line.Action = action;
    line.Action_Value = parser.value(option);
    for (const TBatchSetting& setting : Batch_Settings())
    {
        const QString name = QString::fromLatin1(setting.Option);
        if (parser.isSet(name) && !setting.Repeated)
            line.Settings.insert(name, parser.value(name));
    }
    const QString fields_error = Read_Fields(parser.values(QStringLiteral("field")), line.Fields);
    return fields_error.isEmpty() ? line : Usage_Error(fields_error);
}

QString Help_Text()
{
    QCommandLineParser parser;
    Add_Options(parser);
    return parser.helpText();
}

QString Version_Text()
{
    return QStringLiteral("vantrel " VANTREL_VERSION "\n");
}

const std::vector<TBatchAction>& Batch_Actions()
{
    static const std::vector<TBatchAction> actions = {
        {"report", nullptr, "Prints the report of FILE, as the window shows it.", "section",
         Batch_Core},
        {"csv", nullptr,
         "Writes the table of all runs, as \"Save As\" does, to standard output or to the "
         "--output file.",
         "section output", Batch_Core},
        {"deviations", nullptr, "Prints the mean deviations, as \"Dev. Normal\" copies them.",
         "section", Batch_Core},
        {"inverted", nullptr,
         "Prints the inverted mean deviations, as \"Dev. Inverted\" copies "
         "them.",
         "section", Batch_Core},
        {"graph", "OUT",
         "Writes the fitted graph of the section to OUT, a PNG, SVG or PDF file by its "
         "extension.",
         "section size compare graph-style", Batch_Painting},
        {"iso230-2", nullptr,
         "Prints the ISO 230-2:2014 evaluation of section 1 of a linear positioning file (RTL "
         "or POS) as the evaluation dialog copies it, or writes it to the --output file.",
         "output", Batch_Core},
        {"evaluate", "NAME",
         "Prints the evaluation NAME of the section (iso230-2, vdi3441, slope, straightness or "
         "angular) as comma-separated text, the figures and then a line per target, or writes "
         "it to the --output file.",
         "section output reference-line deviation-unit compare", Batch_Core},
        {"certificate", "OUT",
         "Writes the calibration certificate of the section to OUT, a PDF file: the --field "
         "values, the file, its environment readings and graph, and every evaluation that "
         "fits its kind with its figures, chart and table per target.",
         "section compare field reference-line deviation-unit", Batch_Painting},
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
        {"size", "WxH", "The size of the --graph picture in pixels; 1600x1000 when not given."},
        {"compare", "REFERENCE",
         "Compares FILE with REFERENCE, a file of the same family of measurement taken before "
         "(as found): --graph draws its runs dashed in grey under FILE's, --evaluate sets each "
         "figure beside the reference's and gives the change, --certificate does both."},
        {"graph-style", "STYLE",
         "The style of the --graph picture: screen (when not given), as the window shows the "
         "graph, or presentation, for a page: ticks at round values under a light grid, a "
         "legend of the runs, axis titles with units and the section in the title."},
        {"reference-line", "LINE",
         "The reference line of --evaluate straightness, and of the straightness in a "
         "straightness file's --certificate: least-squares (when not given), end-points or "
         "minimum-zone."},
        {"deviation-unit", "UNIT",
         "The unit of a Renishaw file's deviations, which the file does not state: nm, um "
         "(when not given), mm or in for linear and straightness files, um/m (when not "
         "given), mm/m or arcsec for angular ones. A label: the values are not converted."},
        {"field", "NAME=VALUE",
         "A field of the --certificate's header, once each: customer, machine, serial number, "
         "axis, operator, instrument, certificate number, date (today when not given) or "
         "notes, e.g. --field \"serial number=123\".",
         true},
    };
    return settings;
}

QString Usage_Error_Line(const QString& message)
{
    return QStringLiteral("vantrel: %1 See 'vantrel --help'.").arg(message);
}
