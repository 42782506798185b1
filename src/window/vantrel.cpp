#include "src/window/vantrel.h"

#include "core/graphwidget.h"
#include "src/evaluation/evaluations.h"
#include "src/output/certificate.h"
#include "src/output/comparison.h"
#include "src/output/export.h"
#include "src/output/graphexport.h"
#include "src/output/graphfeed.h"
#include "src/output/outputfile.h"
#include "src/output/report.h"
#include "src/window/certificatedialog.h"
#include "src/window/evaluationdialog.h"
#include "src/window/folderwalk.h"
#include "src/window/graphfiledialog.h"
#include "src/window/unitsdialog.h"

#include <QAction>
#include <QBoxLayout>
#include <QClipboard>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpacerItem>
#include <QSplitter>
#include <QStyle>
#include <QToolButton>

#include <utility>

namespace
{

const char* const Banner_Text =
    "Vantrel 1.1 - laser interferometer data viewer - Vantrel Metrology";
const char* const Laser_File_Filter =
    "Laser Files (*.rtl *.pos *.stx *.sty *.stz *.str *.rta *.ang)";

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
    // The buttons scroll where a screen is too low for all of them, so that the window fits it.
    QScrollArea* dock_scroll = new QScrollArea(dock);
    dock_scroll->setFrameShape(QFrame::NoFrame);
    dock_scroll->setWidgetResizable(true);
    dock_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab goes from button to button; the area scrolls to the one focused.
    dock_scroll->setFocusPolicy(Qt::NoFocus);
    QWidget* dock_content = new QWidget(dock_scroll);
    QVBoxLayout* dock_layout = new QVBoxLayout(dock_content);

    QGroupBox* file_group = new QGroupBox(dock_content);
    QVBoxLayout* file_layout = Group_Layout<QVBoxLayout>(file_group);
    QPushButton* import_button = new QPushButton(file_group);
    d_save_as_button = new QPushButton(file_group);
    d_certificate_button = new QPushButton(file_group);
    file_layout->addWidget(import_button);
    file_layout->addWidget(d_save_as_button);
    file_layout->addWidget(d_certificate_button);
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

    QGroupBox* graph_group = new QGroupBox(dock_content);
    QVBoxLayout* graph_layout = Group_Layout<QVBoxLayout>(graph_group);
    d_copy_graph_button = new QPushButton(graph_group);
    d_save_graph_button = new QPushButton(graph_group);
    d_print_button = new QPushButton(graph_group);
    graph_layout->addWidget(d_copy_graph_button);
    graph_layout->addWidget(d_save_graph_button);
    graph_layout->addWidget(d_print_button);
    dock_layout->addWidget(graph_group);
    QGroupBox* evaluate_group = new QGroupBox(dock_content);
    // Two buttons a row, to keep the dock short.
    QGridLayout* evaluate_layout = Group_Layout<QGridLayout>(evaluate_group);
    for (const TEvaluationKind& kind : Evaluation_Kinds())
    {
        QPushButton* button = new QPushButton(QString::fromUtf8(kind.Button), evaluate_group);
        const int place = static_cast<int>(d_evaluation_buttons.size());
        evaluate_layout->addWidget(button, place / 2, place % 2);
        d_evaluation_buttons.push_back(button);
        connect(button, &QPushButton::clicked, this, [this, &kind] { Open_Evaluation(kind); });
    }
    QPushButton* units_button = new QPushButton(evaluate_group);
    const int place = static_cast<int>(d_evaluation_buttons.size());
    evaluate_layout->addWidget(units_button, place / 2, place % 2);
    dock_layout->addWidget(evaluate_group);
    QGroupBox* compare_group = new QGroupBox(dock_content);
    // In one row: the room that "Certificate..." takes in the File group.
    QHBoxLayout* compare_layout = Group_Layout<QHBoxLayout>(compare_group);
    d_compare_button = new QPushButton(compare_group);
    d_clear_comparison_button = new QPushButton(compare_group);
    compare_layout->addWidget(d_compare_button);
    compare_layout->addWidget(d_clear_comparison_button);
    dock_layout->addWidget(compare_group);

    dock_layout->addItem(new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding));
    QPushButton* close_button = new QPushButton(dock_content);
    dock_layout->addWidget(close_button);

    dock_scroll->setWidget(dock_content);
    dock->setWidget(dock_scroll);
    dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    dock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);

    setTabOrder(import_button, d_save_as_button);
    setTabOrder(d_save_as_button, d_certificate_button);
    setTabOrder(d_certificate_button, d_section_1_button);
    setTabOrder(d_section_1_button, d_section_2_button);
    setTabOrder(d_section_2_button, d_section_3_button);
    setTabOrder(d_section_3_button, d_dev_normal_button);
    setTabOrder(d_dev_normal_button, d_dev_inverted_button);
    setTabOrder(d_dev_inverted_button, d_all_data_button);
    setTabOrder(d_all_data_button, d_copy_graph_button);
    setTabOrder(d_copy_graph_button, d_save_graph_button);
    setTabOrder(d_save_graph_button, d_print_button);
    QWidget* previous = d_print_button;
    for (QWidget* next : d_evaluation_buttons)
        setTabOrder(std::exchange(previous, next), next);
    setTabOrder(previous, units_button);
    setTabOrder(units_button, d_compare_button);
    setTabOrder(d_compare_button, d_clear_comparison_button);
    setTabOrder(d_clear_comparison_button, d_report);

    setWindowTitle(QStringLiteral("Vantrel - 1.1"));
    setWindowIcon(QIcon(QStringLiteral(":/images/vantrel.png")));

    banner->setText(QString::fromLatin1(Banner_Text));
    file_group->setTitle(QStringLiteral("File"));
    section_group->setTitle(QStringLiteral("Display Section"));
    copy_group->setTitle(QStringLiteral("Copy to Clipboard"));
    graph_group->setTitle(QStringLiteral("Graph"));
    evaluate_group->setTitle(QStringLiteral("Evaluate"));
    compare_group->setTitle(QStringLiteral("Compare"));
    import_button->setText(QStringLiteral("Import"));
    d_save_as_button->setText(QStringLiteral("Save As..."));
    d_certificate_button->setText(QStringLiteral("Certificate..."));
    d_section_1_button->setText(QStringLiteral("1"));
    d_section_2_button->setText(QStringLiteral("2"));
    d_section_3_button->setText(QStringLiteral("3"));
    d_dev_normal_button->setText(QStringLiteral("Dev. Normal"));
    d_dev_inverted_button->setText(QStringLiteral("Dev. Inverted"));
    d_all_data_button->setText(QStringLiteral("All Data"));
    d_copy_graph_button->setText(QStringLiteral("Copy Graph"));
    d_save_graph_button->setText(QStringLiteral("Save Graph..."));
    d_print_button->setText(QStringLiteral("Print..."));
    units_button->setText(QStringLiteral("Units..."));
    d_compare_button->setText(QStringLiteral("Compare With..."));
    d_clear_comparison_button->setText(QStringLiteral("Clear Comparison"));
    close_button->setText(QStringLiteral("Close"));
    import_button->setToolTip(
        QStringLiteral("Open a laser file.\nF5 reloads it; Ctrl+PgDown and Ctrl+PgUp open the "
                       "next and the previous laser file in its folder."));
    d_certificate_button->setToolTip(
        QStringLiteral("Write a calibration certificate of the section as a PDF document: "
                       "its header, the\nenvironment, the graph, the evaluations ticked and the "
                       "table per target."));
    d_compare_button->setToolTip(
        QStringLiteral("Compare the file with a reference measurement of the same axis (as "
                       "found):\nits runs are drawn dashed in grey under the file's.\nF5 "
                       "reloads both files."));
    d_graph->setToolTip(QStringLiteral(
        "Wheel: zoom about the mouse. Left drag: zoom into the box. Right drag: pan.\n"
        "Right click: zoom out. Double-click or Home: fit to the data.\n"
        "Click the graph, then the arrow keys pan and + and - zoom."));
    // Copy stays with the report pane, which copies its selected text.
    import_button->setShortcut(QKeySequence::Open);
    d_save_as_button->setShortcut(QKeySequence::Save);
    d_print_button->setShortcut(QKeySequence::Print);

    d_graph->SetTitle(QString());
    d_graph->SetHorizontalTitle(QStringLiteral("Position"));
    d_graph->SetVerticalTitle(QStringLiteral("Deviation"));

    // Checked before the wiring, so no slot runs for it.
    d_section_1_button->setChecked(true);
    splitter->setSizes(splitter_sizes);
    Enable_Controls(false);

    connect(import_button, &QPushButton::clicked, this, &TVantrel::Import_Data);
    connect(d_save_as_button, &QPushButton::clicked, this, &TVantrel::Save_As);
    connect(d_certificate_button, &QPushButton::clicked, this, &TVantrel::Certificate);
    connect(d_dev_normal_button, &QPushButton::clicked, this, &TVantrel::Copy_Dev_Normal);
    connect(d_dev_inverted_button, &QPushButton::clicked, this, &TVantrel::Copy_Dev_Invert);
    connect(d_all_data_button, &QPushButton::clicked, this, &TVantrel::Copy_All_Data);
    connect(d_copy_graph_button, &QPushButton::clicked, this, &TVantrel::Copy_Graph);
    connect(d_save_graph_button, &QPushButton::clicked, this, &TVantrel::Save_Graph);
    connect(d_print_button, &QPushButton::clicked, this, &TVantrel::Print);
    connect(units_button, &QPushButton::clicked, this, &TVantrel::Choose_Units);
    connect(d_compare_button, &QPushButton::clicked, this, &TVantrel::Compare_With);
    connect(d_clear_comparison_button, &QPushButton::clicked, this, &TVantrel::Clear_Comparison);
    connect(d_section_1_button, &QToolButton::toggled, this, &TVantrel::Section_1_Toggled);
    connect(d_section_2_button, &QToolButton::toggled, this, &TVantrel::Section_2_Toggled);
    connect(d_section_3_button, &QToolButton::toggled, this, &TVantrel::Section_3_Toggled);
    connect(close_button, &QPushButton::clicked, this, &TVantrel::close);
    Add_Shortcuts();
    // Once every button has its text.
    Fit_Dock(*dock_scroll);
}

// As tall as all its buttons where the screen allows it; else as tall as the screen leaves
// room for beside the window's frame, with room for the scroll bar that then shows.
void TVantrel::Fit_Dock(QScrollArea& dock)
{
    const QSize buttons = dock.widget()->minimumSizeHint();
    dock.setMinimumSize(buttons);
    const int room =
        screen()->availableGeometry().height() - style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const int beside = minimumSizeHint().height() - buttons.height();
    if (buttons.height() + beside <= room)
        return;
    dock.setMinimumSize(buttons.width() + dock.verticalScrollBar()->sizeHint().width(),
                        std::max(room - beside, 0));
}

// Keys of the whole window, apart from the buttons.
void TVantrel::Add_Shortcuts()
{
    const struct
    {
        QKeySequence keys;
        void (TVantrel::*slot)();
    } shortcuts[] = {
        {QKeySequence(Qt::Key_F5), &TVantrel::Reload_File},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), &TVantrel::Open_Next_File},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), &TVantrel::Open_Previous_File},
    };
    for (const auto& shortcut : shortcuts)
    {
        QAction* action = new QAction(this);
        action->setShortcut(shortcut.keys);
        connect(action, &QAction::triggered, this, shortcut.slot);
        addAction(action);
    }
}

void TVantrel::Import_Data()
{
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Select Laser File to Load"), d_laser_file.d_file_name,
        QString::fromLatin1(Laser_File_Filter));
    if (!path.isEmpty())
        Load_File(path);
}

void TVantrel::Open_File(const QString& path)
{
    Load_File(path);
}

void TVantrel::Save_As()
{
    const int section = Export_Section();
    if (section < 0 || Table_Refused(section))
        return;
    const QString suggested =
        Suggested_Csv_Name(d_laser_file.d_file_name, d_laser_file.Section_Label(section));
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Select file to write"), suggested,
                                     QStringLiteral("CSV Files (*.csv)"));
    if (path.isEmpty() || Refused_As_Input(path))
        return;
    if (!Write_Csv(path, All_Data_Table(d_laser_file, section, QLatin1Char(','))))
        Add_Error_Line(Cannot_Write_Line(path));
}

// Twice the graph's size on screen: sharp in a document, with room for more ticks.
QSize TVantrel::Graph_Export_Size() const
{
    return d_graph->size() * 2;
}

void TVantrel::Copy_Graph()
{
    if (Checked_Section() >= 0)
        QGuiApplication::clipboard()->setImage(Graph_Image(*d_graph, Graph_Export_Size(), false),
                                               QClipboard::Clipboard);
}

void TVantrel::Save_Graph()
{
    const int section = Export_Section();
    if (section < 0)
        return;
    const QString suggested = Suggested_Name(
        d_laser_file.d_file_name, d_laser_file.Section_Label(section), QStringLiteral("png"));
    const TGraphFileChoice choice = Ask_Graph_File(this, suggested);
    if (choice.Path.isEmpty() || Refused_As_Input(choice.Path))
        return;
    // The view as shown, in the style chosen; the window then shows its graph as before.
    Style_Graph(*d_graph, d_laser_file, section, Reference(), choice.Style);
    const bool written = Write_Graph(*d_graph, false, choice.Path, Graph_Export_Size());
    Style_Graph(*d_graph, d_laser_file, section, Reference(), TGraphStyle::Screen);
    if (!written)
        Add_Error_Line(Cannot_Write_Line(choice.Path));
}

void TVantrel::Print()
{
    const int section = Checked_Section();
    if (section < 0)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted &&
        !Print_Graph(*d_graph, printer, d_laser_file, section))
        Add_Error_Line(QStringLiteral("ERR:  Cannot print the graph."));
}

// The header's fields and the evaluations first, then the file; the comparison's reference
// is the certificate's "as found".
void TVantrel::Certificate()
{
    const int section = Export_Section();
    if (section < 0)
        return;
    QString subject = QStringLiteral("%1, section %2")
                          .arg(d_laser_file.File_Name(), d_laser_file.Section_Label(section));
    if (Reference())
        subject += QStringLiteral(", as found: %1").arg(d_reference.File_Name());
    TCertificateDialog dialog(subject, Certificate_Evaluations(d_laser_file), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString suggested =
        Suggested_Name(d_laser_file.d_file_name,
                       QStringLiteral("Certificate ") + d_laser_file.Section_Label(section),
                       QStringLiteral("pdf"));
    const QString chosen =
        QFileDialog::getSaveFileName(this, QStringLiteral("Select file to write"), suggested,
                                     QStringLiteral("PDF Documents (*.pdf)"));
    if (chosen.isEmpty())
        return;
    const bool pdf =
        QFileInfo(chosen).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0;
    const QString path = pdf ? chosen : chosen + QStringLiteral(".pdf");
    if (Refused_As_Input(path))
        return;
    const QByteArray bytes = Certificate_Pdf({d_laser_file, section, Reference(), dialog.Fields(),
                                              dialog.Evaluations(), TEvaluationOptions()});
    if (bytes.isEmpty() || !Write_Output_File(path, bytes))
        Add_Error_Line(Cannot_Write_Line(path));
}

void TVantrel::Copy_Dev_Normal()
{
    Copy_Deviations(1.0);
}

void TVantrel::Copy_Dev_Invert()
{
    Copy_Deviations(-1.0);
}

void TVantrel::Copy_All_Data()
{
    const int section = Checked_Section();
    if (section < 0 || Table_Refused(section))
        return;
    QString text;
    for (const QString& line : All_Data_Table(d_laser_file, section, QLatin1Char('\t')))
        text += line + QLatin1Char('\n');
    QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

// Whether the evaluation fits the loaded file and the active section holds a run.
bool TVantrel::Evaluation_Fits(const TEvaluationKind& kind) const
{
    const int section = Active_Section();
    return section >= 0 && d_laser_file.Run_Count(section) >= 1 &&
           Evaluation_Refusal(kind, d_laser_file).isEmpty();
}

void TVantrel::Enable_Evaluations()
{
    for (std::size_t k = 0; k < d_evaluation_buttons.size(); ++k)
        d_evaluation_buttons[k]->setEnabled(Evaluation_Fits(Evaluation_Kinds()[k]));
    const int section = Active_Section();
    d_certificate_button->setEnabled(section >= 0 && d_laser_file.Run_Count(section) >= 1);
}

// One evaluation is open at a time; asking again shows a fresh one, of the active section.
void TVantrel::Open_Evaluation(const TEvaluationKind& kind)
{
    if (!Evaluation_Fits(kind))
        return;
    Close_Evaluation();
    d_evaluation_dialog =
        new TEvaluationDialog(kind, d_laser_file, Active_Section(), Reference(), this);
    d_evaluation_dialog->setAttribute(Qt::WA_DeleteOnClose);
    d_evaluation_dialog->show();
}

// Closed, it is deleted later, and is no longer the open one.
void TVantrel::Close_Evaluation()
{
    if (d_evaluation_dialog)
        d_evaluation_dialog->close();
    d_evaluation_dialog.clear();
}

// The unit chosen for the loaded file's kind applies to it at once, and to an open evaluation.
void TVantrel::Choose_Units()
{
    TUnitsDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    Apply_Remembered_Units();
    if (Reference())
        Redraw_Graph();
    if (d_evaluation_dialog)
        d_evaluation_dialog->Refresh();
}

// The units remembered for their kinds, for the file and its reference alike: a comparison
// draws the reference in the file's unit.
void TVantrel::Apply_Remembered_Units()
{
    for (TLaserFile* file : {&d_laser_file, &d_reference})
        file->d_chosen_deviation_unit = Remembered_Deviation_Unit(file->d_file_type);
}

// A reference that fails to load, or is of another family, leaves the comparison as it was.
void TVantrel::Compare_With()
{
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Select Reference File to Compare With"),
        QFileInfo(d_laser_file.d_file_name).path(), QString::fromLatin1(Laser_File_Filter));
    if (path.isEmpty())
        return;
    TLaserFile reference;
    const QString error = Load_Reference(reference, path, d_laser_file);
    if (!error.isEmpty())
        return Add_Error_Line(error);
    // An open evaluation was made without this reference.
    Close_Evaluation();
    d_reference = std::move(reference);
    Apply_Remembered_Units();
    Update_Comparison_Buttons();
    Redraw_Graph();
}

void TVantrel::Clear_Comparison()
{
    Drop_Comparison();
    Redraw_Graph();
}

const TLaserFile* TVantrel::Reference() const
{
    return d_reference.d_file_type == Unknown_Type ? nullptr : &d_reference;
}

void TVantrel::Drop_Comparison()
{
    Close_Evaluation();
    d_reference.Clear();
    Update_Comparison_Buttons();
}

void TVantrel::Update_Comparison_Buttons()
{
    d_compare_button->setEnabled(d_laser_file.d_file_type != Unknown_Type);
    d_clear_comparison_button->setEnabled(Reference() != nullptr);
}

void TVantrel::Copy_Deviations(double sign)
{
    const int section = Checked_Section();
    if (section < 0)
        return;
    QGuiApplication::clipboard()->setText(
        Deviation_Text(d_laser_file.Section_Data(section, -1), sign), QClipboard::Clipboard);
}

bool TVantrel::Table_Refused(int section)
{
    const QString refusal = All_Data_Refusal(d_laser_file, section);
    if (!refusal.isEmpty())
        Add_Error_Line(refusal);
    return !refusal.isEmpty();
}

// The section the report and the exports read, or -1 with an error line when none is
// selected.
int TVantrel::Checked_Section()
{
    const int section = Active_Section();
    if (section < 0)
        Add_Error_Line(QStringLiteral("ERR:  Data section not active."));
    return section;
}

// The checked section when it has a run to write, or -1 with the error line that says why
// not: a file of no run would be empty, and might replace a good one.
int TVantrel::Export_Section()
{
    const int section = Checked_Section();
    const QString refusal = section < 0 ? QString() : Empty_Section_Refusal(d_laser_file, section);
    if (!refusal.isEmpty())
        Add_Error_Line(refusal);
    return refusal.isEmpty() ? section : -1;
}

// True, with the error line, when the path is the loaded file or its reference, which an
// export never replaces.
bool TVantrel::Refused_As_Input(const QString& path)
{
    QStringList inputs(d_laser_file.d_file_name);
    if (Reference())
        inputs << d_reference.d_file_name;
    const QString refusal = Output_Is_Input_Refusal(path, inputs);
    if (!refusal.isEmpty())
        Add_Error_Line(refusal);
    return !refusal.isEmpty();
}

void TVantrel::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasFormat(QStringLiteral("text/uri-list")))
        event->acceptProposedAction();
}

void TVantrel::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1)
    {
        // A URL that is no local file gives an empty path, which fails to load.
        Load_File(urls.first().toLocalFile());
        return;
    }
    Clear_Report();
    Clear_Graph();
    Add_Error_Line(QStringLiteral("ERR:  Only one input file is expected."));
}

// Both files anew from disk. A reference that no longer loads ends the comparison: its runs
// in memory are no longer what its file holds.
void TVantrel::Reload_File()
{
    if (d_current_path.isEmpty())
        return;
    QString reference_error;
    if (Reference())
    {
        TLaserFile reference;
        if (reference.Load(d_reference.d_file_name))
            d_reference = std::move(reference);
        else
        {
            reference_error = Load_Error_Line(reference);
            Drop_Comparison();
        }
    }
    Load_File(d_current_path);
    if (!reference_error.isEmpty())
        Add_Error_Line(reference_error);
}

void TVantrel::Open_Next_File()
{
    Open_Neighbour(1);
}

void TVantrel::Open_Previous_File()
{
    Open_Neighbour(-1);
}

// At either end of the folder nothing happens.
void TVantrel::Open_Neighbour(int step)
{
    const QString path = Neighbour_File(d_current_path, step);
    if (!path.isEmpty())
        Load_File(path);
}

void TVantrel::Load_File(const QString& path)
{
    // The evaluation belongs to the file it was made of.
    Close_Evaluation();
    d_current_path = path;
    d_laser_file.Clear();
    if (d_laser_file.Load(path))
    {
        Apply_Remembered_Units();
        // A second round of compensation is compared with the same reference; a file of
        // another family cannot be. A file that fails to load has no family: it keeps it.
        if (Reference() && !Comparison_Refusal(d_reference, d_laser_file).isEmpty())
            Drop_Comparison();
        Enable_Controls(true);
        Update_Section_Buttons();
        Update_Report();
        return;
    }
    // Enable_Controls may rebuild the report when it unchecks a disabled section button;
    // the error line replaces whatever that wrote.
    Enable_Controls(false);
    Update_Section_Buttons();
    Clear_Report();
    // The graph shows no data of a file that is no longer loaded.
    Clear_Graph();
    Add_Error_Line(Load_Error_Line(d_laser_file));
}

void TVantrel::Section_1_Toggled(bool checked)
{
    Section_Toggled(0, checked);
}

void TVantrel::Section_2_Toggled(bool checked)
{
    Section_Toggled(1, checked);
}

void TVantrel::Section_3_Toggled(bool checked)
{
    Section_Toggled(2, checked);
}

// The section buttons act as a group with exactly one checked. Unchecking the checked
// button moves the selection on to the next enabled button in the order 1, 2, 3, 1.
void TVantrel::Section_Toggled(int button, bool checked)
{
    QToolButton* const buttons[] = {d_section_1_button, d_section_2_button, d_section_3_button};
    bool was_blocked[3];
    for (int i = 0; i < 3; ++i)
        was_blocked[i] = buttons[i]->blockSignals(true);

    if (checked)
    {
        for (int i = 0; i < 3; ++i)
            if (i != button)
                buttons[i]->setChecked(false);
    }
    else
    {
        QToolButton* next = buttons[button];
        for (int step = 1; step < 3; ++step)
        {
            QToolButton* candidate = buttons[(button + step) % 3];
            if (candidate->isEnabled())
            {
                next = candidate;
                break;
            }
        }
        next->setChecked(true);
    }

    for (int i = 0; i < 3; ++i)
        buttons[i]->blockSignals(was_blocked[i]);
    Enable_Evaluations();
    Update_Report();
}

int TVantrel::Active_Section() const
{
    if (d_section_1_button->isChecked())
        return 0;
    if (d_section_2_button->isChecked())
        return 1;
    if (d_section_3_button->isChecked())
        return 2;
    return -1;
}

void TVantrel::Update_Section_Buttons()
{
    d_section_1_button->setText(d_laser_file.Section_Label(0));
    d_section_2_button->setText(d_laser_file.Section_Label(1));
    d_section_3_button->setText(d_laser_file.Section_Label(2));
}

void TVantrel::Enable_Controls(bool enable)
{
    for (QPushButton* button :
         {d_save_as_button, d_dev_inverted_button, d_dev_normal_button, d_all_data_button,
          d_copy_graph_button, d_save_graph_button, d_print_button})
        button->setEnabled(enable);

    Update_Comparison_Buttons();

    d_section_1_button->setEnabled(d_laser_file.Run_Count(0) >= 1);
    d_section_2_button->setEnabled(d_laser_file.Run_Count(1) >= 1);
    d_section_3_button->setEnabled(d_laser_file.Run_Count(2) >= 1);

    // Unchecking runs the button's slot, which checks another button and rebuilds the report.
    if (!d_section_2_button->isEnabled() && d_section_2_button->isChecked())
        d_section_2_button->setChecked(false);
    if (!d_section_3_button->isEnabled() && d_section_3_button->isChecked())
        d_section_3_button->setChecked(false);
    Enable_Evaluations();
}

void TVantrel::Clear_Graph()
{
    d_graph->ClearDataSets();
    d_graph->SetTitle(QString());
    d_graph->UpdateGraph();
}

void TVantrel::Update_Report()
{
    Clear_Report();
    const int section = Checked_Section();
    if (section < 0)
        return;
    Write_Report(section);
    // The graph shows every run; the report only their mean.
    Feed_Graph(*d_graph, d_laser_file, section, Reference());
}

// The checked section's graph drawn anew with the comparison as it now is; the report stays,
// as it describes the loaded file alone.
void TVantrel::Redraw_Graph()
{
    const int section = Active_Section();
    if (section >= 0 && d_laser_file.d_file_type != Unknown_Type)
        Feed_Graph(*d_graph, d_laser_file, section, Reference());
}

// The report of the section into the cleared pane, shown from its top.
void TVantrel::Write_Report(int section)
{
    Add_Report_Lines(Report_Lines(d_laser_file, section));
    d_report->moveCursor(QTextCursor::Start, QTextCursor::MoveAnchor);
}

void TVantrel::Clear_Report()
{
    d_report->clear();
}

void TVantrel::Add_Report_Line(const QString& line)
{
    d_report->appendPlainText(line);
}

// One insertion of the joined lines builds the same paragraphs as one append per line,
// many times faster for long reports.
void TVantrel::Add_Report_Lines(const QStringList& lines)
{
    if (!lines.isEmpty())
        Add_Report_Line(lines.join(QLatin1Char('\n')));
}

// The line is scrolled into view at its start, however long the report above it is.
void TVantrel::Add_Error_Line(const QString& line)
{
    Add_Report_Line(line);
    d_report->moveCursor(QTextCursor::End, QTextCursor::MoveAnchor);
    d_report->moveCursor(QTextCursor::StartOfBlock, QTextCursor::MoveAnchor);
}
