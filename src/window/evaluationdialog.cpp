#include "src/window/evaluationdialog.h"

#include "core/check.h"
#include "core/graphwidget.h"
#include "src/output/comparison.h"
#include "src/output/evaluationchart.h"
#include "src/output/evaluationtable.h"
#include "src/output/evaluationtext.h"
#include "src/output/export.h"
#include "src/output/outputfile.h"

#include <QAbstractTableModel>
#include <QBoxLayout>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>

#include <algorithm>
#include <array>

// The table per target, formatted only for the rows shown: a file may have a million targets.
class TTargetModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    void Set_Evaluation(std::shared_ptr<const TEvaluation> evaluation)
    {
        beginResetModel();
        d_evaluation = std::move(evaluation);
        endResetModel();
    }

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() || !d_evaluation ? 0
                                                 : static_cast<int>(d_evaluation->Positions.size());
    }

    int columnCount(const QModelIndex& parent) const override
    {
        return parent.isValid() || !d_evaluation ? 0 : Target_Column_Count(*d_evaluation);
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::TextAlignmentRole)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        if (role != Qt::DisplayRole || !index.isValid())
            return QVariant();
        return Target_Cell(*d_evaluation, static_cast<std::size_t>(index.row()), index.column());
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0)
            return QVariant();
        return Target_Title(*d_evaluation, section);
    }

    // A text as wide as the column's values may be: the last target's number, or a value of
    // a thousand units.
    QString Wide_Value(int column) const
    {
        if (column == 0)
            return QString::number(rowCount(QModelIndex()));
        return Shown_Number(-1000.0, Target_Quantity(*d_evaluation, column),
                            d_evaluation->Deviation_Unit);
    }

private:
    std::shared_ptr<const TEvaluation> d_evaluation;
};

namespace
{

// The setting that the dialog offers as a choice.
const char* const Reference_Line_Setting = "reference line";
const std::array<TReferenceLine, 3> Reference_Lines = {
    TReferenceLine::Least_Squares, TReferenceLine::End_Points, TReferenceLine::Minimum_Zone};

// The size the dialog asks for where the screen has room, and the room it leaves on a smaller
// screen for a window frame and title bar.
const QSize Roomy_Size(1200, 800);
const QSize Frame_Room(40, 80);

QString File_Name_Of(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// An entry of the legend in its colour, kept on one line: its spaces and hyphens do not break.
QString Legend_Entry(const QColor& colour, const QString& text)
{
    return QStringLiteral("<span style='color:%1'>%2</span>")
        .arg(colour.name(), text.toHtmlEscaped()
                                .replace(QLatin1Char(' '), QStringLiteral("&nbsp;"))
                                .replace(QLatin1Char('-'), QChar(0x2011)));
}

} // namespace

TEvaluationDialog::TEvaluationDialog(const TEvaluationKind& kind, const TLaserFile& file,
                                     int section, const TLaserFile* reference, QWidget* parent)
    : QDialog(parent), d_kind(kind), d_file(file), d_reference_file(reference), d_section(section)
{
    VANTREL_CHECK(Evaluation_Refusal(kind, file).isEmpty() && file.Run_Count(section) >= 1);
    d_heading = new QLabel(this);
    d_heading->setWordWrap(true);
    d_heading->setStyleSheet(QStringLiteral("font-weight: bold;"));
    d_summary = new QLabel(this);
    d_summary->setWordWrap(true);
    d_warning = new QLabel(this);
    d_warning->setWordWrap(true);
    d_warning->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    d_error = new QLabel(this);
    d_error->setWordWrap(true);
    d_error->setVisible(false);
    d_figures = Figures_Table();
    QWidget* chart = Chart();
    QWidget* targets = Targets_Table();
    Refresh();

    QSplitter* top = new QSplitter(Qt::Horizontal, this);
    top->addWidget(d_figures);
    top->addWidget(chart);
    top->setStretchFactor(1, 1);
    QSplitter* panes = new QSplitter(Qt::Vertical, this);
    panes->addWidget(top);
    panes->addWidget(targets);
    panes->setStretchFactor(0, 3);
    panes->setStretchFactor(1, 2);
    for (QSplitter* splitter : {top, panes})
        splitter->setChildrenCollapsible(false);

    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->addWidget(d_heading);
    layout->addWidget(d_summary);
    layout->addWidget(d_warning);
    if (QWidget* choice = Reference_Line_Choice())
        layout->addWidget(choice);
    layout->addWidget(panes, 1);
    layout->addWidget(d_error);
    layout->addLayout(Buttons());
    Fit_Screen();
    top->setSizes({Figures_Width(), width()});
}

TEvaluationDialog::~TEvaluationDialog() = default;

void TEvaluationDialog::Refresh()
{
    d_evaluation =
        std::make_shared<const TEvaluation>(d_kind.Evaluate(d_file, d_section, d_options));
    std::optional<TEvaluation> reference =
        d_reference_file
            ? Reference_Evaluation(d_kind, *d_reference_file, d_file, d_section, d_options)
            : std::nullopt;
    d_reference.reset(reference ? new TEvaluation(std::move(*reference)) : nullptr);
    Show_Evaluation();
}

void TEvaluationDialog::Show_Evaluation()
{
    setWindowTitle(
        QStringLiteral("%1 - %2").arg(d_evaluation->Title, File_Name_Of(d_evaluation->File)));
    const QString title = Evaluation_Chart_Title(*d_evaluation);
    d_heading->setText(d_reference ? QStringLiteral("%1 (as left) against %2 (as found)")
                                         .arg(title, File_Name_Of(d_reference->File))
                                   : title);
    d_summary->setText(Summary());
    QStringList warnings;
    if (!d_evaluation->Warning.isEmpty())
        warnings << d_evaluation->Warning;
    if (d_reference && !d_reference->Warning.isEmpty())
        warnings << QStringLiteral("As found: ") + d_reference->Warning;
    d_warning->setText(warnings.join(QLatin1Char('\n')));
    d_warning->setVisible(!warnings.isEmpty());
    Show_Figures();
    Feed_Evaluation_Chart(*d_chart, *d_evaluation, d_reference.get());
    // The heading above names it, and has the room.
    d_chart->SetTitle(QString());
    d_legend->setText(Legend());
    d_targets->Set_Evaluation(d_evaluation);
    Size_Target_Columns();
}

// Each column as wide as its title or a wide value, without measuring every row.
void TEvaluationDialog::Size_Target_Columns()
{
    QHeaderView* header = d_target_view->horizontalHeader();
    const QFontMetrics values = d_target_view->fontMetrics(), titles = header->fontMetrics();
    const int padding = titles.height();
    for (int column = 0; column < d_targets->columnCount(QModelIndex()); ++column)
        header->resizeSection(
            column,
            std::max(titles.horizontalAdvance(
                         d_targets->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString()),
                     values.horizontalAdvance(d_targets->Wide_Value(column))) +
                padding);
}

QString TEvaluationDialog::Summary() const
{
    const TEvaluation& evaluation = *d_evaluation;
    // The choice of the line shows it.
    const QString shown = QLatin1String(Reference_Line_Setting);
    const QString units =
        QStringLiteral("Positions in mm, deviations in %1. ")
            .arg(Quantity_Unit(TQuantity::Deviation, evaluation.Deviation_Unit, true));
    if (!d_reference)
        return units + Counts_Text(evaluation, shown) + QLatin1Char('.');
    return units + QStringLiteral("As left: %1. As found: %2.")
                       .arg(Counts_Text(evaluation, shown), Counts_Text(*d_reference, shown));
}

void TEvaluationDialog::Copy()
{
    QGuiApplication::clipboard()->setText(
        Csv_Text(Evaluation_Csv_Lines(*d_evaluation, d_reference.get())), QClipboard::Clipboard);
}

void TEvaluationDialog::Save_As()
{
    // The button's text names the evaluation; a file name holds no slash.
    QString label = QString::fromUtf8(d_kind.Button).remove(QStringLiteral("..."));
    label.replace(QLatin1Char('/'), QLatin1Char('-'));
    if (d_file.Run_Count(1) + d_file.Run_Count(2) > 0)
        label += QLatin1Char(' ') + d_evaluation->Section_Label;
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Select file to write"),
                                                      Suggested_Csv_Name(d_file.d_file_name, label),
                                                      QStringLiteral("CSV Files (*.csv)"));
    if (path.isEmpty())
        return;
    QStringList inputs = {d_file.d_file_name};
    if (d_reference_file)
        inputs << d_reference_file->d_file_name;
    QString error = Output_Is_Input_Refusal(path, inputs);
    if (error.isEmpty() && !Write_Csv(path, Evaluation_Csv_Lines(*d_evaluation, d_reference.get())))
        error = Cannot_Write_Line(path);
    d_error->setText(error);
    d_error->setVisible(!error.isEmpty());
}

// A choice emptied (index -1) keeps the line evaluated about.
void TEvaluationDialog::Choose_Reference_Line(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= Reference_Lines.size())
        return;
    d_options.Reference_Line = Reference_Lines[static_cast<std::size_t>(index)];
    Refresh();
}

// For an evaluation made about a reference line, the choice of the line; else none.
QWidget* TEvaluationDialog::Reference_Line_Choice()
{
    const std::vector<TSetting>& settings = d_evaluation->Settings;
    if (std::none_of(settings.begin(), settings.end(),
                     [](const TSetting& setting)
                     { return setting.Name == QLatin1String(Reference_Line_Setting); }))
        return nullptr;
    QWidget* row = new QWidget(this);
    QHBoxLayout* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    QComboBox* choice = new QComboBox(row);
    for (const TReferenceLine line : Reference_Lines)
        choice->addItem(Reference_Line_Name(line).replace(QLatin1Char('-'), QLatin1Char(' ')));
    choice->setCurrentIndex(static_cast<int>(
        std::find(Reference_Lines.begin(), Reference_Lines.end(), d_options.Reference_Line) -
        Reference_Lines.begin()));
    QLabel* label = new QLabel(QStringLiteral("Reference line:"), row);
    label->setBuddy(choice);
    layout->addWidget(label);
    layout->addWidget(choice);
    layout->addStretch(1);
    connect(choice, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &TEvaluationDialog::Choose_Reference_Line);
    return row;
}

QTableWidget* TEvaluationDialog::Figures_Table()
{
    QTableWidget* table = new QTableWidget(this);
    table->verticalHeader()->setVisible(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return table;
}

void TEvaluationDialog::Show_Figures()
{
    const bool compared = d_reference != nullptr;
    const QStringList titles = Figure_Titles(compared);
    const std::vector<TFigure>& figures = d_evaluation->Figures;
    d_figures->clear();
    d_figures->setColumnCount(titles.size());
    d_figures->setRowCount(static_cast<int>(figures.size()));
    d_figures->setHorizontalHeaderLabels(titles);
    for (int row = 0; row < d_figures->rowCount(); ++row)
    {
        const QStringList cells = Figure_Cells(figures[static_cast<std::size_t>(row)],
                                               d_evaluation->Deviation_Unit, d_reference.get());
        for (int column = 0; column < cells.size(); ++column)
        {
            QTableWidgetItem* item = new QTableWidgetItem(cells[column]);
            item->setTextAlignment(Figure_Column_Is_Number(column, compared)
                                       ? Qt::AlignRight | Qt::AlignVCenter
                                       : Qt::AlignLeft | Qt::AlignVCenter);
            d_figures->setItem(row, column, item);
        }
    }
    d_figures->resizeColumnsToContents();
    d_figures->resizeRowsToContents();
}

// The chart above its legend.
QWidget* TEvaluationDialog::Chart()
{
    QWidget* pane = new QWidget(this);
    QVBoxLayout* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(0, 0, 0, 0);
    d_chart = new TGraphWidget(pane);
    d_chart->setMinimumSize(260, 180);
    d_legend = new QLabel(pane);
    d_legend->setWordWrap(true);
    layout->addWidget(d_chart, 1);
    layout->addWidget(d_legend);
    return pane;
}

// One entry per role, in the order of the roles, naming its curves, in its colour with a
// line drawn as the chart draws it.
QString TEvaluationDialog::Legend() const
{
    QStringList entries;
    for (const TCurveLook& look : Curve_Looks())
    {
        QStringList names;
        for (const TCurve& curve : d_evaluation->Curves)
            if (curve.Role == look.Role && !names.contains(curve.Name))
                names << curve.Name;
        if (names.isEmpty())
            continue;
        const QString line = look.Style == TGraphWidget::DashedStyle
                                 ? QStringLiteral("- - -")
                                 : QStringLiteral("\u2014\u2014");
        entries << Legend_Entry(look.Colour,
                                line + QLatin1Char(' ') + names.join(QStringLiteral(", ")));
    }
    if (d_reference)
        entries << Legend_Entry(
            Reference_Curve_Colour,
            QStringLiteral("grey: as found (%1)").arg(File_Name_Of(d_reference->File)));
    return entries.join(QStringLiteral(" &nbsp; "));
}

QWidget* TEvaluationDialog::Targets_Table()
{
    QTableView* table = new QTableView(this);
    d_target_view = table;
    d_targets = new TTargetModel(table);
    table->setModel(d_targets);
    table->verticalHeader()->setVisible(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->setMinimumHeight(5 * table->verticalHeader()->defaultSectionSize());
    return table;
}

QLayout* TEvaluationDialog::Buttons()
{
    QPushButton* copy_button = new QPushButton(QStringLiteral("Copy"), this);
    QPushButton* save_button = new QPushButton(QStringLiteral("Save As..."), this);
    QPushButton* close_button = new QPushButton(QStringLiteral("Close"), this);
    QHBoxLayout* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    buttons->addWidget(copy_button);
    buttons->addWidget(save_button);
    buttons->addWidget(close_button);
    connect(copy_button, &QPushButton::clicked, this, &TEvaluationDialog::Copy);
    connect(save_button, &QPushButton::clicked, this, &TEvaluationDialog::Save_As);
    connect(close_button, &QPushButton::clicked, this, &TEvaluationDialog::close);
    return buttons;
}

// As large as it asks for where there is room, else as the screen it opens on allows; over
// its parent, moved as far as needed to keep it and a frame about it on that screen.
void TEvaluationDialog::Fit_Screen()
{
    const QWidget* parent = parentWidget();
    const QRect area = (parent ? parent->screen() : screen())->availableGeometry();
    const QRect inner = area.adjusted(Frame_Room.width() / 2, Frame_Room.height() / 2,
                                      -Frame_Room.width() / 2, -Frame_Room.height() / 2);
    resize(Roomy_Size.boundedTo(inner.size()).expandedTo(minimumSizeHint()));
    QRect placed(QPoint(), size());
    placed.moveCenter(parent ? parent->frameGeometry().center() : area.center());
    move(std::max(inner.left(), std::min(placed.left(), inner.right() + 1 - width())),
         std::max(inner.top(), std::min(placed.top(), inner.bottom() + 1 - height())));
}

// The figures as wide as their columns need, up to three fifths of the dialog.
int TEvaluationDialog::Figures_Width() const
{
    const int columns = d_figures->horizontalHeader()->length() + 2 * d_figures->frameWidth() +
                        d_figures->verticalScrollBar()->sizeHint().width();
    return std::min(columns, width() * 3 / 5);
}
