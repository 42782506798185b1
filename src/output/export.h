#ifndef VANTREL_SRC_OUTPUT_EXPORT_H
#define VANTREL_SRC_OUTPUT_EXPORT_H

#include "src/laserfile.h"

#include <QString>
#include <QStringList>

class QIODevice;

// The mean deviations of a run, one per line, each line ended by a line feed;
// `sign` -1 inverts them.
QString Deviation_Text(const TLaserRun& mean, double sign);

// The table of all runs of a section: one line per target of TLaserFile::Match_Targets, its
// position and then one column per run. A run without a point at the target leaves its cell
// empty. Empty when All_Data_Refusal refuses the table.
QStringList All_Data_Table(const TLaserFile& file, int section, QChar separator);
// Empty when the table can be made; else the error line that says why not: runs at ever new
// positions would fill it with millions of empty cells, more than memory may hold.
QString All_Data_Refusal(const TLaserFile& file, int section);

// The name offered for an export of a loaded file: its extension replaced by
// " - <label>.<extension>", for a CSV table by " - <label>.csv".
QString Suggested_Name(const QString& file_name, const QString& label, const QString& extension);
QString Suggested_Csv_Name(const QString& file_name, const QString& label);

// Writes the lines as UTF-8 text, each followed by the platform's line end, as
// Write_Output_File writes: an existing file is replaced only when everything was written;
// false when anything failed.
bool Write_Csv(const QString& path, const QStringList& lines);
// The same bytes into an open device, standard output for one; false when a write failed.
bool Write_Csv_Lines(QIODevice& device, const QStringList& lines);
// The error line for an output file that could not be written.
QString Cannot_Write_Line(const QString& path);

#endif
