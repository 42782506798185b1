#ifndef VANTREL_SRC_OUTPUT_REPORT_H
#define VANTREL_SRC_OUTPUT_REPORT_H

#include <QStringList>

class TLaserFile;

// The lines of the report of one section of a loaded file: file, kind, section, the
// environment when the file has one, the number of runs and the mean at every target.
QStringList Report_Lines(const TLaserFile& file, int section);
// The line that stands for the report of a file that failed to load.
QString Load_Error_Line(const TLaserFile& file);

#endif
