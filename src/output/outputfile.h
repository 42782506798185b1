#ifndef VANTREL_SRC_OUTPUT_OUTPUTFILE_H
#define VANTREL_SRC_OUTPUT_OUTPUTFILE_H

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>

class TLaserFile;

// Where an output may go, and the one writer of every output file.

// The "ERR:  " line that refuses an output to `path` because it is the file `input` itself,
// however the path is spelt (a symbolic link, "./", ".."); empty when it is another file. A
// path that does not exist yet is never the input.
QString Output_Is_Input_Refusal(const QString& path, const QString& input);
// The same for every input, a compared file's reference among them: the line for the first
// that the path is, or empty.
QString Output_Is_Input_Refusal(const QString& path, const QStringList& inputs);

// The "ERR:  " line that refuses an output of a section without a run, which would be empty;
// empty when the section holds one.
QString Empty_Section_Refusal(const TLaserFile& file, int section);

// Writes the bytes to `path`, opened write-only with `mode` added (QIODevice::Text for the
// platform's line ends); false when anything failed. A new or regular file is written through
// a QSaveFile, so that an existing one is replaced only when everything was written. Into an
// existing file that is no regular file (a pipe, a device) the bytes go straight, as any tool
// writes them: a file renamed over it would take its place.
bool Write_Output_File(const QString& path, const QByteArray& bytes,
                       QIODevice::OpenMode mode = QIODevice::NotOpen);

#endif
