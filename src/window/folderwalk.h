#ifndef VANTREL_SRC_WINDOW_FOLDERWALK_H
#define VANTREL_SRC_WINDOW_FOLDERWALK_H

#include <QString>

// The file of a kind the viewer reads that comes Step places (1 or -1) after the given one in
// its folder, ordered by name as a file manager orders them: numbers by value, letters
// without case. Empty when there is none, or when no file is given. The given file itself
// need no longer exist.
QString Neighbour_File(const QString& path, int step);

#endif
