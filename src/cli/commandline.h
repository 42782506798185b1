#ifndef VANTREL_SRC_CLI_COMMANDLINE_H
#define VANTREL_SRC_CLI_COMMANDLINE_H

#include <QMap>
#include <QString>
#include <QStringList>

#include <vector>

// The application object an action needs: text alone, or fonts and painting (on the
// "offscreen" platform, so still without a display).
enum TBatchApplication
{
    Batch_Core,
    Batch_Painting
};

// One batch option. The command line offers one option per entry, its help lists them, and
// the batch runs the entry of the option given.
struct TBatchAction
{
    const char* Option;
    // The name of the option's own value in the help, e.g. "OUT"; nullptr for a switch.
    const char* Value_Name;
    const char* Description;
    // The settings it takes, by option name, apart by spaces.
    const char* Settings;
    TBatchApplication Application;
};

// An option that adjusts an action, e.g. --section N.
struct TBatchSetting
{
    const char* Option;
    const char* Value_Name;
    const char* Description;
    // Given as often as there are values, e.g. --field NAME=VALUE; the others at most once.
    bool Repeated = false;
};

const std::vector<TBatchAction>& Batch_Actions();
const std::vector<TBatchSetting>& Batch_Settings();

// What the command line asks for: `vantrel [OPTIONS] [FILE]`. It is read before any
// application object exists, so that a batch run never needs a display.
struct TCommandLine
{
    enum TMode
    {
        Window,
        Batch,
        Help,
        Version,
        Usage_Error
    };

    TMode Mode = Window;
    // The file as an absolute path, as the file dialog gives it; empty when none was given.
    QString File;
    // Batch only: the action, its own value if it takes one, and the settings given,
    // by option name (e.g. "section" -> "2", "output" -> "out.csv").
    const TBatchAction* Action = nullptr;
    QString Action_Value;
    QMap<QString, QString> Settings;
    // The certificate's fields given with --field, by name (see Certificate_Fields).
    QMap<QString, QString> Fields;
    // Usage_Error only: what is wrong, one sentence.
    QString Error;
};

// `arguments` as main receives them, the program's name first.
TCommandLine Parse_Command_Line(const QStringList& arguments);

// The text of --help; needs a QCoreApplication.
QString Help_Text();
QString Version_Text();
// The one line that reports a usage error and points to --help.
QString Usage_Error_Line(const QString& message);

#endif
