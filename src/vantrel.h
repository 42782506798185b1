#ifndef VANTREL_SRC_VANTREL_H
#define VANTREL_SRC_VANTREL_H

#include "src/laserfile.h"

#include <QMainWindow>
#include <QStringList>

class QPlainTextEdit;
class QPushButton;
class QToolButton;
class TGraphWidget;

// The main window: the report pane above the graph, a banner line, and a dock of buttons.
class TVantrel : public QMainWindow
{
    Q_OBJECT

public:
    explicit TVantrel(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());

private:
    void Enable_Controls(bool enable);
    void Clear_Report();
    void Add_Report_Line(const QString& line);
    void Add_Report_Lines(const QStringList& lines);

    QPlainTextEdit* d_report;
    QPushButton* d_save_as_button;
    QPushButton* d_dev_inverted_button;
    QPushButton* d_dev_normal_button;
    QPushButton* d_all_data_button;
    QToolButton* d_section_1_button;
    QToolButton* d_section_2_button;
    QToolButton* d_section_3_button;
    TGraphWidget* d_graph;
    TLaserFile d_laser_file;
};

#endif
