#include "src/vantrel.h"

#include "core/graphwidget.h"

#include <QBoxLayout>
#include <QDockWidget>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpacerItem>
#include <QSplitter>
#include <QToolButton>

namespace
{

const char* const Banner_Text =
    "Vantrel 1.1 - laser interferometer data viewer - Vantrel Metrology";

// The dock's groups keep the style's top and bottom margins but sit close to the sides.
template <typename TLayout>
TLayout* Group_Layout(QGroupBox* group)
{
    TLayout* layout = new TLayout(group);
    layout->setContentsMargins(2, -1, 2, -1);
    return layout;
}

} // namespace

TVantrel::TVantrel(QWidget* parent, Qt::WindowFlags flags) : QMainWindow(parent, flags)
{
    QFont report_font;
    report_font.setFamily(QStringLiteral("Courier New"));
    QFont banner_font;
    banner_font.setPointSize(8);
    banner_font.setStyle(QFont::StyleItalic);

    resize(801, 601);
    const QList<int> splitter_sizes = {300, 300};
    setAcceptDrops(true);

    QWidget* central = new QWidget(this);
    setCentralWidget(central);
    QVBoxLayout* central_layout = new QVBoxLayout(central);

    QSplitter* splitter = new QSplitter(Qt::Vertical, central);
    d_report = new QPlainTextEdit(splitter);
    d_report->setFont(report_font);
    d_report->document()->setUndoRedoEnabled(false);
    d_report->setLineWrapMode(QPlainTextEdit::NoWrap);
    d_report->setReadOnly(true);
    splitter->addWidget(d_report);

    d_graph = new TGraphWidget();
    d_graph->setMinimumSize(0, 150);
    splitter->addWidget(d_graph);

    central_layout->addWidget(splitter);
    QLabel* banner = new QLabel(central);
    banner->setFont(banner_font);
    central_layout->addWidget(banner);

    QDockWidget* dock = new QDockWidget(this);
    addDockWidget(Qt::LeftDockWidgetArea, dock);
    QWidget* dock_content = new QWidget(dock);
    dock->setWidget(dock_content);
    QVBoxLayout* dock_layout = new QVBoxLayout(dock_content);

    QGroupBox* file_group = new QGroupBox(dock_content);
    QVBoxLayout* file_layout = Group_Layout<QVBoxLayout>(file_group);
    QPushButton* import_button = new QPushButton(file_group);
    d_save_as_button = new QPushButton(file_group);
    file_layout->addWidget(import_button);
    file_layout->addWidget(d_save_as_button);
    dock_layout->addWidget(file_group);

    QGroupBox* section_group = new QGroupBox(dock_content);
    QHBoxLayout* section_layout = Group_Layout<QHBoxLayout>(section_group);
    d_section_1_button = new QToolButton(section_group);
    d_section_2_button = new QToolButton(section_group);
    d_section_3_button = new QToolButton(section_group);
    for (QToolButton* button : {d_section_1_button, d_section_2_button, d_section_3_button})
    {
        button->setCheckable(true);
        section_layout->addWidget(button);
    }
    dock_layout->addWidget(section_group);

    QGroupBox* copy_group = new QGroupBox(dock_content);
    QVBoxLayout* copy_layout = Group_Layout<QVBoxLayout>(copy_group);
    d_dev_normal_button = new QPushButton(copy_group);
    d_dev_inverted_button = new QPushButton(copy_group);
    d_all_data_button = new QPushButton(copy_group);
    copy_layout->addWidget(d_dev_normal_button);
    copy_layout->addWidget(d_dev_inverted_button);
    copy_layout->addWidget(d_all_data_button);
    dock_layout->addWidget(copy_group);

    dock_layout->addItem(new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding));
    QPushButton* close_button = new QPushButton(dock_content);
    dock_layout->addWidget(close_button);

    dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    dock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);

    setTabOrder(import_button, d_save_as_button);
    setTabOrder(d_save_as_button, d_section_1_button);
    setTabOrder(d_section_1_button, d_section_2_button);
    setTabOrder(d_section_2_button, d_section_3_button);
    setTabOrder(d_section_3_button, d_dev_normal_button);
    setTabOrder(d_dev_normal_button, d_dev_inverted_button);
    setTabOrder(d_dev_inverted_button, d_all_data_button);
    setTabOrder(d_all_data_button, d_report);

    setWindowTitle(QStringLiteral("Vantrel - 1.1"));
    setWindowIcon(QIcon(QStringLiteral(":/images/vantrel.png")));

    banner->setText(QString::fromLatin1(Banner_Text));
    file_group->setTitle(QStringLiteral("File"));
    section_group->setTitle(QStringLiteral("Display Section"));
    copy_group->setTitle(QStringLiteral("Copy to Clipboard"));
    import_button->setText(QStringLiteral("Import"));
    d_save_as_button->setText(QStringLiteral("Save As..."));
    d_section_1_button->setText(QStringLiteral("1"));
    d_section_2_button->setText(QStringLiteral("2"));
    d_section_3_button->setText(QStringLiteral("3"));
    d_dev_normal_button->setText(QStringLiteral("Dev. Normal"));
    d_dev_inverted_button->setText(QStringLiteral("Dev. Inverted"));
    d_all_data_button->setText(QStringLiteral("All Data"));
    close_button->setText(QStringLiteral("Close"));

    d_graph->SetTitle(QString());
    d_graph->SetHorizontalTitle(QStringLiteral("Position"));
    d_graph->SetVerticalTitle(QStringLiteral("Deviation"));

    // Checked before the wiring, so no slot runs for it.
    d_section_1_button->setChecked(true);
    splitter->setSizes(splitter_sizes);
    Enable_Controls(false);

    connect(close_button, &QPushButton::clicked, this, &TVantrel::close);
}

void TVantrel::Enable_Controls(bool enable)
{
    for (QPushButton* button :
         {d_save_as_button, d_dev_inverted_button, d_dev_normal_button, d_all_data_button})
        button->setEnabled(enable);

    d_section_1_button->setEnabled(d_laser_file.Run_Count(0) >= 1);
    d_section_2_button->setEnabled(d_laser_file.Run_Count(1) >= 1);
    d_section_3_button->setEnabled(d_laser_file.Run_Count(2) >= 1);

    // Unchecking runs the button's slot, which checks another button and rebuilds the report.
    if (!d_section_2_button->isEnabled() && d_section_2_button->isChecked())
        d_section_2_button->setChecked(false);
    if (!d_section_3_button->isEnabled() && d_section_3_button->isChecked())
        d_section_3_button->setChecked(false);
}

void TVantrel::Clear_Report()
{
    d_report->clear();
}

void TVantrel::Add_Report_Line(const QString& line)
{
    d_report->appendPlainText(line);
}

void TVantrel::Add_Report_Lines(const QStringList& lines)
{
    for (const QString& line : lines)
        Add_Report_Line(line);
}
