#ifndef VANTREL_SRC_WINDOW_CERTIFICATEDIALOG_H
#define VANTREL_SRC_WINDOW_CERTIFICATEDIALOG_H

#include "src/evaluation/evaluations.h"

#include <QDialog>
#include <QMap>
#include <QString>

#include <utility>
#include <vector>

class QCheckBox;

// What a calibration certificate says beside the measurement: the header's fields in the
// order of Certificate_Fields(), and which evaluations go in. The fields it remembers start
// as they were last accepted, the date as today; accepting remembers them.
class TCertificateDialog : public QDialog
{
    Q_OBJECT

public:
    // `subject` tells what the certificate is of (the file, its section); the evaluations
    // offered all start ticked.
    TCertificateDialog(const QString& subject, const std::vector<const TEvaluationKind*>& offered,
                       QWidget* parent = nullptr);

    // The fields by name, as a certificate request takes them: the date as YYYY-MM-DD.
    QMap<QString, QString> Fields() const;
    // The evaluations ticked, in the order offered.
    std::vector<const TEvaluationKind*> Evaluations() const;

    void accept() override;

private:
    // One editor per field, in the order of Certificate_Fields().
    std::vector<QWidget*> d_editors;
    std::vector<std::pair<const TEvaluationKind*, QCheckBox*>> d_evaluations;
};

#endif
