#ifndef VANTREL_SRC_WINDOW_EVALUATIONDIALOG_H
#define VANTREL_SRC_WINDOW_EVALUATIONDIALOG_H

#include "src/evaluation/evaluations.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QLabel;
class QTableView;
class QTableWidget;
class TGraphWidget;
class TTargetModel;

// An evaluation of a section of a file: its figures with their units and where they occur,
// its chart, its table per target, and its CSV text to the clipboard or a file. Given a
// reference file (an earlier measurement of the same axis, "as found"), each figure of the
// file ("as left") stands beside the reference's and the change, and the chart draws the
// reference beneath in grey.
class TEvaluationDialog : public QDialog
{
    Q_OBJECT

public:
    // The files must fit the evaluation and hold a run in the section, and must stay as they
    // are while the dialog lives: a choice made in it, or Refresh, evaluates them again.
    TEvaluationDialog(const TEvaluationKind& kind, const TLaserFile& file, int section,
                      const TLaserFile* reference = nullptr, QWidget* parent = nullptr);
    ~TEvaluationDialog() override;

    // Evaluates the files again, as after their deviation unit was changed.
    void Refresh();

private slots:
    void Copy();
    void Save_As();
    void Choose_Reference_Line(int index);

private:
    QWidget* Reference_Line_Choice();
    QTableWidget* Figures_Table();
    QWidget* Chart();
    QWidget* Targets_Table();
    void Size_Target_Columns();
    QLayout* Buttons();
    void Show_Evaluation();
    void Show_Figures();
    QString Summary() const;
    QString Legend() const;
    void Fit_Screen();
    int Figures_Width() const;

    const TEvaluationKind& d_kind;
    const TLaserFile& d_file;
    const TLaserFile* d_reference_file;
    int d_section;
    TEvaluationOptions d_options;
    // Shared with the table's model, which Qt destroys after the dialog's own members.
    std::shared_ptr<const TEvaluation> d_evaluation;
    std::unique_ptr<const TEvaluation> d_reference;
    QLabel* d_heading = nullptr;
    QLabel* d_summary = nullptr;
    QLabel* d_warning = nullptr;
    QTableWidget* d_figures = nullptr;
    TGraphWidget* d_chart = nullptr;
    QLabel* d_legend = nullptr;
    TTargetModel* d_targets = nullptr;
    QTableView* d_target_view = nullptr;
    QLabel* d_error = nullptr;
};

#endif
