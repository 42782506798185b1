#ifndef VANTREL_SRC_WHOLEFILE_H
#define VANTREL_SRC_WHOLEFILE_H

#include <QByteArray>

class QFile;

// What QIODevice::readAll gives for a file opened for reading. A large file is read into
// memory backed by huge pages where the system offers them for the asking: a page fault
// for every 4 KiB of it would cost more than reading it.
QByteArray Read_Whole_File(QFile& file);

#endif
