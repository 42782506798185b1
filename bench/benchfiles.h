#ifndef VANTREL_BENCH_BENCHFILES_H
#define VANTREL_BENCH_BENCHFILES_H

#include <QString>
#include <QStringList>

// Writes synthetic files of all six kinds into the folder, each with the given number of
// points in passes of 1,000 targets (one pass of them all when fewer), smooth curves and
// passes that rise and fall in turn; and a Renishaw file with one run of all the targets
// written in descending order. Returns the paths written, or none with `error` set.
QStringList Write_Bench_Files(const QString& folder, int points, QString& error);

#endif
