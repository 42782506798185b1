#ifndef VANTREL_SRC_WINDOW_VANTREL_H
#define VANTREL_SRC_WINDOW_VANTREL_H

#include "src/laserfile.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <vector>

class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QToolButton;
class TGraphWidget;
class TEvaluationDialog;
struct TEvaluationKind;

// The main window: the report pane above the graph, a banner line, and a dock of buttons.
class TVantrel : public QMainWindow
{
    Q_OBJECT

public:
    explicit TVantrel(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    // Loads the file as "Import" does after its file dialog: `vantrel FILE`.
    void Open_File(const QString& path);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private slots:
    void Import_Data();
    void Save_As();
    void Copy_Dev_Normal();
    void Copy_Dev_Invert();
    void Copy_All_Data();
    void Copy_Graph();
    void Save_Graph();
    void Print();
    void Certificate();
    void Compare_With();
    void Clear_Comparison();
    void Choose_Units();
    void Section_1_Toggled(bool checked);
    void Section_2_Toggled(bool checked);
    void Section_3_Toggled(bool checked);
    void Reload_File();
    void Open_Next_File();
    void Open_Previous_File();

private:
    friend class TVantrelProbe;

    int Active_Section() const;
    void Update_Section_Buttons();
    void Enable_Controls(bool enable);
    bool Evaluation_Fits(const TEvaluationKind& kind) const;
    // The evaluation buttons and "Certificate...", by the file and the active section.
    void Enable_Evaluations();
    void Open_Evaluation(const TEvaluationKind& kind);
    void Close_Evaluation();
    void Fit_Dock(QScrollArea& dock);
    void Add_Shortcuts();
    void Load_File(const QString& path);
    void Open_Neighbour(int step);
    void Clear_Graph();
    void Redraw_Graph();
    // The reference the loaded file is compared with, or none.
    const TLaserFile* Reference() const;
    void Drop_Comparison();
    void Apply_Remembered_Units();
    void Update_Comparison_Buttons();
    void Update_Report();
    void Write_Report(int section);
    void Clear_Report();
    void Add_Report_Line(const QString& line);
    void Add_Report_Lines(const QStringList& lines);
    void Add_Error_Line(const QString& line);
    void Section_Toggled(int button, bool checked);
    int Checked_Section();
    int Export_Section();
    bool Refused_As_Input(const QString& path);
    // Whether the table of all runs of the section is refused, with its error line added.
    bool Table_Refused(int section);
    void Copy_Deviations(double sign);
    QSize Graph_Export_Size() const;

    QPlainTextEdit* d_report;
    QPushButton* d_save_as_button;
    QPushButton* d_certificate_button;
    QPushButton* d_dev_inverted_button;
    QPushButton* d_dev_normal_button;
    QPushButton* d_all_data_button;
    QPushButton* d_copy_graph_button;
    QPushButton* d_save_graph_button;
    QPushButton* d_print_button;
    // One per evaluation, in the order of Evaluation_Kinds().
    std::vector<QPushButton*> d_evaluation_buttons;
    QPushButton* d_compare_button;
    QPushButton* d_clear_comparison_button;
    QToolButton* d_section_1_button;
    QToolButton* d_section_2_button;
    QToolButton* d_section_3_button;
    TGraphWidget* d_graph;
    TLaserFile d_laser_file;
    // The file last asked for, loaded or not: what a reload reads and a walk starts from.
    QString d_current_path;
    // The reference ("as found"), empty when there is no comparison. It stays while other
    // files of its family are loaded.
    TLaserFile d_reference;
    // Open until closed or another file is loaded.
    QPointer<TEvaluationDialog> d_evaluation_dialog;
};

#endif
