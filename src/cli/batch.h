#ifndef VANTREL_SRC_CLI_BATCH_H
#define VANTREL_SRC_CLI_BATCH_H

#include <QMap>
#include <QString>

class QIODevice;
class TLaserFile;
struct TCommandLine;

// The exit status of a batch run.
enum TBatchStatus
{
    Batch_Done = 0,
    Batch_Failed = 1,     // the file did not load or the output could not be written
    Batch_Usage_Error = 2 // what the command line asks for cannot be done
};

// What an action works on: the loaded file, the section (zero-based, one the file has),
// the action option's own value, the settings given (see TBatchSetting) and the reference
// of --compare, loaded and of the file's family, or none.
struct TBatchJob
{
    const TLaserFile& File;
    int Section;
    QString Value;
    QMap<QString, QString> Settings;
    const TLaserFile* Reference = nullptr;
    // The certificate's fields of --field, by name.
    QMap<QString, QString> Fields;
};

// Where an action writes: its result to `Out`, "ERR:  " lines and usage errors to `Err`.
struct TBatchStreams
{
    QIODevice& Out;
    QIODevice& Err;
};

// Loads the file and runs the command line's action on it; nothing goes to `Out` when it
// fails.
TBatchStatus Run_Batch(const TCommandLine& line, TBatchStreams& streams);

// Everything the command line asks for but the window: help, version, a usage error or a
// batch run, on standard output and standard error. Needs a QCoreApplication; returns the
// exit status.
int Run_Without_Window(const TCommandLine& line);

#endif
