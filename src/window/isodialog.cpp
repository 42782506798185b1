#include "src/window/isodialog.h"

#include "core/graphwidget.h"
#include "src/output/export.h"
#include "src/output/outputfile.h"

#include <QAbstractTableModel>
#include <QBoxLayout>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>

namespace
{

const QColor Up_Color(0, 0, 220);
const QColor Down_Color(220, 0, 0);

// The table per target, formatted only for the rows shown: a file may have a great many.
class TIsoTargetModel : public QAbstractTableModel
{
public:
    TIsoTargetModel(std::shared_ptr<const TIsoEvaluation> evaluation, QObject* parent)
        : QAbstractTableModel(parent), d_evaluation(std::move(evaluation)),
          d_titles(Iso_Target_Columns())
    {
    }

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(d_evaluation->Targets.size());
    }

    int columnCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : d_titles.size();
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return QVariant();
        return Iso_Target_Cells(*d_evaluation, static_cast<std::size_t>(index.row()))
            .value(index.column());
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
            return QVariant();
        return d_titles.value(section);
    }

private:
    std::shared_ptr<const TIsoEvaluation> d_evaluation;
    QStringList d_titles;
};

// Where a figure occurs: the target of a largest value, the two targets of a range.
QString Targets_Text(const TIsoFigure& figure)
{
    if (figure.Low_Target > 0)
        return QStringLiteral("max at %1, min at %2")
            .arg(figure.High_Target)
            .arg(figure.Low_Target);
    if (figure.High_Target > 0)
        return QStringLiteral("at %1").arg(figure.High_Target);
    return QString();
}

// One line of the chart: the term at every target where it is defined.
template <typename TTerm>
void Add_Line(TGraphWidget& chart, const std::vector<TIsoTarget>& targets, const QColor& color,
              TTerm term)
{
    const int set = chart.AddDataSet(color, 1);
    for (const TIsoTarget& target : targets)
        if (const TIsoValue value = term(target))
            chart.AddPoint(set, TVector2(target.Position, *value));
}

} // namespace

TIsoDialog::TIsoDialog(const TLaserFile& file, QWidget* parent)
    : QDialog(parent),
      d_evaluation(std::make_shared<const TIsoEvaluation>(Evaluate_Iso_230_2(file))),
      d_file_name(file.d_file_name), d_file_title(file.File_Name())
{
    setWindowTitle(QStringLiteral("ISO 230-2 - %1").arg(d_file_title));
    resize(1200, 800);

    QLabel* summary = new QLabel(
        QStringLiteral("ISO 230-2:2014, coverage factor 2, in the deviation unit of the file. "
                       "%1 targets; runs: %2 up, %3 down, %4 left out (shorter than the "
                       "longest).")
            .arg(d_evaluation->Targets.size())
            .arg(d_evaluation->Runs_Up)
            .arg(d_evaluation->Runs_Down)
            .arg(d_evaluation->Runs_Left_Out),
        this);
    summary->setWordWrap(true);

    QVBoxLayout* figures_column = new QVBoxLayout();
    if (QLabel* warning = Runs_Warning())
        figures_column->addWidget(warning);
    figures_column->addWidget(Figures_Table());
    QHBoxLayout* top = new QHBoxLayout();
    top->addLayout(figures_column, 0);
    QVBoxLayout* chart_column = new QVBoxLayout();
    chart_column->addWidget(Chart(), 1);
    QLabel* legend = new QLabel(
        QStringLiteral("<span style='color:%1'>Up: mean deviation and mean \u00b1 2s.</span> "
                       "&nbsp; <span style='color:%2'>Down: mean deviation and mean \u00b1 "
                       "2s.</span>")
            .arg(Up_Color.name(), Down_Color.name()),
        this);
    chart_column->addWidget(legend);
    top->addLayout(chart_column, 1);

    d_error = new QLabel(this);
    d_error->setVisible(false);
    QPushButton* copy_button = new QPushButton(QStringLiteral("Copy"), this);
    QPushButton* save_button = new QPushButton(QStringLiteral("Save As..."), this);
    QPushButton* close_button = new QPushButton(QStringLiteral("Close"), this);
    QHBoxLayout* buttons = new QHBoxLayout();
    buttons->addWidget(d_error, 1);
    buttons->addWidget(copy_button);
    buttons->addWidget(save_button);
    buttons->addWidget(close_button);

    QVBoxLayout* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addLayout(top, 3);
    layout->addWidget(Targets_Table(), 2);
    layout->addLayout(buttons);

    connect(copy_button, &QPushButton::clicked, this, &TIsoDialog::Copy);
    connect(save_button, &QPushButton::clicked, this, &TIsoDialog::Save_As);
    connect(close_button, &QPushButton::clicked, this, &TIsoDialog::close);
}

void TIsoDialog::Copy()
{
    QGuiApplication::clipboard()->setText(Iso_Csv_Text(*d_evaluation), QClipboard::Clipboard);
}

void TIsoDialog::Save_As()
{
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Select file to write"),
                                     Suggested_Csv_Name(d_file_name, QStringLiteral("ISO 230-2")),
                                     QStringLiteral("CSV Files (*.csv)"));
    if (path.isEmpty())
        return;
    QString error = Output_Is_Input_Refusal(path, d_file_name);
    if (error.isEmpty() && !Write_Csv(path, Iso_Csv_Lines(*d_evaluation)))
        error = Cannot_Write_Line(path);
    d_error->setText(error);
    d_error->setVisible(!error.isEmpty());
}

QWidget* TIsoDialog::Figures_Table()
{
    const std::vector<TIsoFigure>& figures = d_evaluation->Figures;
    QTableWidget* table = new QTableWidget(static_cast<int>(figures.size()), 3, this);
    table->setHorizontalHeaderLabels(
        {QStringLiteral("Figure"), QStringLiteral("Value"), QStringLiteral("Target")});
    table->verticalHeader()->setVisible(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int row = 0; row < table->rowCount(); ++row)
    {
        const TIsoFigure& figure = figures[static_cast<std::size_t>(row)];
        const QString cells[] = {figure.Name, Iso_Number(figure.Value), Targets_Text(figure)};
        for (int column = 0; column < 3; ++column)
            table->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    table->resizeColumnsToContents();
    table->resizeRowsToContents();
    // All figures in view, without scroll bars.
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setFixedWidth(table->horizontalHeader()->length() + 2 * table->frameWidth());
    table->setMinimumHeight(table->verticalHeader()->length() +
                            table->horizontalHeader()->height() + 2 * table->frameWidth());
    return table;
}

// Beside the figures when a direction has fewer runs than the standard asks for.
QLabel* TIsoDialog::Runs_Warning()
{
    if (d_evaluation->Runs_Up >= Iso_Runs_Asked && d_evaluation->Runs_Down >= Iso_Runs_Asked)
        return nullptr;
    QLabel* warning = new QLabel(QStringLiteral("Fewer runs than ISO 230-2 asks for: %1 up and "
                                                "%2 down, where it asks for %3 in each direction.")
                                     .arg(d_evaluation->Runs_Up)
                                     .arg(d_evaluation->Runs_Down)
                                     .arg(Iso_Runs_Asked),
                                 this);
    warning->setWordWrap(true);
    warning->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    return warning;
}

// The mean deviation of each direction with its band of two standard deviations either side,
// each direction in one colour.
TGraphWidget* TIsoDialog::Chart()
{
    TGraphWidget* chart = new TGraphWidget(this);
    chart->setMinimumSize(300, 250);
    chart->SetTitle(QStringLiteral("ISO 230-2: %1").arg(d_file_title));
    chart->SetHorizontalTitle(QStringLiteral("Position"));
    chart->SetVerticalTitle(QStringLiteral("Deviation"));
    const std::vector<TIsoTarget>& targets = d_evaluation->Targets;
    for (const double sign : {-1.0, 1.0})
    {
        Add_Line(*chart, targets, Up_Color,
                 [sign](const TIsoTarget& t) { return Iso_Band_Edge(t.Mean_Up, t.S_Up, sign); });
        Add_Line(*chart, targets, Down_Color,
                 [sign](const TIsoTarget& t)
                 { return Iso_Band_Edge(t.Mean_Down, t.S_Down, sign); });
    }
    Add_Line(*chart, targets, Up_Color, [](const TIsoTarget& t) { return t.Mean_Up; });
    Add_Line(*chart, targets, Down_Color, [](const TIsoTarget& t) { return t.Mean_Down; });
    chart->UpdateGraph();
    return chart;
}

QWidget* TIsoDialog::Targets_Table()
{
    QTableView* table = new QTableView(this);
    table->setModel(new TIsoTargetModel(d_evaluation, table));
    table->verticalHeader()->setVisible(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Wide enough for most values at 12 digits, without measuring every row.
    table->horizontalHeader()->setDefaultSectionSize(
        table->fontMetrics().horizontalAdvance(QStringLiteral("-0.00000000000e-00")) + 12);
    return table;
}
