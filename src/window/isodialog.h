#ifndef VANTREL_SRC_WINDOW_ISODIALOG_H
#define VANTREL_SRC_WINDOW_ISODIALOG_H

#include "src/evaluation/evaluation.h"

#include <QDialog>

#include <memory>

class QLabel;
class QTableWidget;
class TGraphWidget;

// The ISO 230-2 evaluation of a file: its figures, the standard's chart, the table per
// target, and the evaluation's CSV text to the clipboard or a file.
class TIsoDialog : public QDialog
{
    Q_OBJECT

public:
    TIsoDialog(const TLaserFile& file, QWidget* parent = nullptr);

private slots:
    void Copy();
    void Save_As();

private:
    QWidget* Figures_Table();
    QLabel* Runs_Warning();
    TGraphWidget* Chart();
    QWidget* Targets_Table();

    // Shared with the table's model, which Qt destroys after the dialog's own members.
    std::shared_ptr<const TEvaluation> d_evaluation;
    QString d_file_name;
    QString d_file_title;
    QLabel* d_error;
};

#endif
