#ifndef VANTREL_SRC_OUTPUT_PDFINFORMATION_H
#define VANTREL_SRC_OUTPUT_PDFINFORMATION_H

#include <QByteArray>
#include <QString>

// The document information of a PDF file, as a reader's document properties show it. An
// empty entry is left out.
struct TPdfInformation
{
    QString Title;
    QString Author;
    QString Creator; // the program that made the document
};

// The PDF with an incremental update appended (a new information dictionary, a cross-reference
// section for it and a trailer pointing back to the file's own), so that the document's
// information is this one; Qt's writer can set no author. The file's own bytes stay as they
// are. Empty when the bytes do not end in a trailer of a cross-reference table.
QByteArray With_Pdf_Information(const QByteArray& pdf, const TPdfInformation& information);

#endif
