#include "src/window/isodialog.h"

#include "core/graphwidget.h"
#include "src/evaluation/iso2302.h"
#include "src/output/evaluationtext.h"
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
    TIsoTargetModel(std::shared_ptr<const TEvaluation> evaluation, QObject* parent)
        : QAbstractTableModel(parent), d_evaluation(std::move(evaluation)),
          d_titles({QStringLiteral("target"), QStringLiteral("position")})
    {
        for (const TColumn& column : d_evaluation->Columns)
            d_titles << column.Title;
    }

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(d_evaluation->Positions.size());
    }

    int columnCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : d_titles.size();
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return QVariant();
        const std::size_t row = static_cast<std::size_t>(index.row());
        if (index.column() == 0)
            return QString::number(row + 1);
        if (index.column() == 1)
            return Csv_Number(d_evaluation->Positions[row]);
        return Csv_Number(d_evaluation->Cells[row][static_cast<std::size_t>(index.column() - 2)]);
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
            return QVariant();
        return d_titles.value(section);
    }

private:
    std::shared_ptr<const TEvaluation> d_evaluation;
    QStringList d_titles;
};

// Where a figure occurs: the position of a largest value, the two positions of a range.
QString Positions_Text(const TFigure& figure)
{
    if (figure.Low_Position)
        return QStringLiteral("max at %1, min at %2")
            .arg(Csv_Number(figure.High_Position), Csv_Number(figure.Low_Position));
    if (figure.High_Position)
        return QStringLiteral("at %1").arg(Csv_Number(figure.High_Position));
    return QString();
}

bool Is_Down(TCurveRole role)
{
    return role == TCurveRole::Mean_Down || role == TCurveRole::Band_Down;
}

} // namespace

TIsoDialog::TIsoDialog(const TLaserFile& file, QWidget* parent)
    : QDialog(parent),
      d_evaluation(std::make_shared<const TEvaluation>(Evaluate_Iso_230_2(file, 0, {}))),
      d_file_name(file.d_file_name), d_file_title(file.File_Name())
{
    setWindowTitle(QStringLiteral("ISO 230-2 - %1").arg(d_file_title));
    resize(1200, 800);

    QLabel* summary = new QLabel(
        QStringLiteral("ISO 230-2:2014, coverage factor 2, in the deviation unit of the file. "
                       "%1 targets; runs: %2 up, %3 down, %4 left out (shorter than the "
                       "longest).")
            .arg(d_evaluation->Counts[0].Value)
            .arg(d_evaluation->Counts[1].Value)
            .arg(d_evaluation->Counts[2].Value)
            .arg(d_evaluation->Counts[3].Value),
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
    QGuiApplication::clipboard()->setText(Csv_Text(Iso_Csv_Lines(*d_evaluation)),
                                          QClipboard::Clipboard);
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
    const std::vector<TFigure>& figures = d_evaluation->Figures;
    QTableWidget* table = new QTableWidget(static_cast<int>(figures.size()), 3, this);
    table->setHorizontalHeaderLabels(
        {QStringLiteral("Figure"), QStringLiteral("Value"), QStringLiteral("Position")});
    table->verticalHeader()->setVisible(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int row = 0; row < table->rowCount(); ++row)
    {
        const TFigure& figure = figures[static_cast<std::size_t>(row)];
        const QString cells[] = {figure.Name, Csv_Number(figure.Value), Positions_Text(figure)};
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
    if (d_evaluation->Warning.isEmpty())
        return nullptr;
    QLabel* warning = new QLabel(d_evaluation->Warning, this);
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
    for (const TCurve& curve : d_evaluation->Curves)
    {
        const int set = chart->AddDataSet(Is_Down(curve.Role) ? Down_Color : Up_Color, 1);
        for (const TVector2& point : curve.Points)
            chart->AddPoint(set, point);
    }
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
