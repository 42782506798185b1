#ifndef VANTREL_SRC_OUTPUT_CERTIFICATE_H
#define VANTREL_SRC_OUTPUT_CERTIFICATE_H

#include "src/evaluation/evaluations.h"

#include <QByteArray>
#include <QMap>
#include <QString>

#include <vector>

// The calibration certificate: one PDF document of a loaded file that a service engineer
// hands to the customer. The window's dialog and the command line make the same document.

// A field of the certificate's header, in the dialog's order.
struct TCertificateField
{
    const char* Name;  // as the command line names it: "customer", "serial number", ...
    const char* Label; // as the dialog and the document show it: "Customer", "Serial number"
    bool Remembered;   // kept from one certificate to the next (all but number, date and notes)
};

const std::vector<TCertificateField>& Certificate_Fields();

// What goes into a certificate: the file and its section, the reference ("as found") when a
// comparison is loaded, the header's fields by name (a field not given is empty; the date
// defaults to today), and the evaluations to include, in the table's order.
struct TCertificateRequest
{
    const TLaserFile& File;
    int Section = 0;
    const TLaserFile* Reference = nullptr;
    QMap<QString, QString> Fields;
    std::vector<const TEvaluationKind*> Evaluations;
    TEvaluationOptions Options;
};

// The evaluations that fit the file's kind, in the order of Evaluation_Kinds(): those a
// certificate includes unless the user leaves some out.
std::vector<const TEvaluationKind*> Certificate_Evaluations(const TLaserFile& file);

// The date a certificate gives when none is: today, as ISO 8601 writes it ("2026-12-07").
QString Certificate_Today();

// The document as the bytes of a PDF file: A4 portrait, or Letter where the locale measures in
// imperial units; text selectable, fonts embedded; Title, Author (the operator) and Creator
// ("Vantrel 1.1") in its document information. Needs a QApplication (any platform, "offscreen"
// included) for its graphs. Empty when it could not be made, and for a section without a run.
QByteArray Certificate_Pdf(const TCertificateRequest& request);

#endif
