#include "src/output/certificate.h"

#include "core/graphwidget.h"
#include "src/output/comparison.h"
#include "src/output/evaluationchart.h"
#include "src/output/evaluationtable.h"
#include "src/output/evaluationtext.h"
#include "src/output/graphfeed.h"
#include "src/output/pagedocument.h"
#include "src/output/pdfinformation.h"

#include <QBuffer>
#include <QDate>
#include <QLocale>
#include <QPageSize>
#include <QPdfWriter>

#include <memory>

namespace
{

const char* const Creator = "Vantrel " VANTREL_VERSION;

// One unit of the document is one pixel of its graphs: their lines are then 0.75 pt wide.
const int Resolution = 96;

// The page's margins in points: the footer sits in the bottom one.
const double Side_Margin = 54.0, Top_Margin = 48.0, Bottom_Margin = 62.0;
// The heights of the graphs in points; the section's graph fills the rest of the first page
// up to the larger height.
const double Graph_Height = 330.0, Graph_Most_Height = 460.0, Chart_Height = 270.0;
// The width of a field's name in points.
const double Field_Label_Width = 92.0;

// An environment reading of the file, as the report gives it, in its unit.
struct TReading
{
    const char* Title;
    double TLaserFile::*Value;
    bool TEnvironmentGiven::*Given;
    int Decimals;
    const char* Unit;
};

const TReading Readings[] = {
    {"Air temperature", &TLaserFile::d_air_temperature, &TEnvironmentGiven::Air_Temperature, 2,
     "\u00b0C"},
    {"Air pressure", &TLaserFile::d_air_pressure, &TEnvironmentGiven::Air_Pressure, 3, "kPa"},
    {"Air humidity", &TLaserFile::d_air_humidity, &TEnvironmentGiven::Air_Humidity, 1, "%"},
    {"Material temperature", &TLaserFile::d_material_temperature,
     &TEnvironmentGiven::Material_Temperature, 2, "\u00b0C"},
};

QString Field(const TCertificateRequest& request, const char* name)
{
    return request.Fields.value(QLatin1String(name)).trimmed();
}

QString Reading_Text(const TLaserFile& file, const TReading& reading)
{
    if (!(file.d_environment_given.*reading.Given))
        return QStringLiteral("not in file");
    return QStringLiteral("%1 %2").arg(QString::number(file.*reading.Value, 'f', reading.Decimals),
                                       QString::fromUtf8(reading.Unit));
}

QString Document_Title(const TCertificateRequest& request)
{
    const QString number = Field(request, "certificate number");
    return QStringLiteral("Calibration certificate%1: %2")
        .arg(number.isEmpty() ? QString() : QLatin1Char(' ') + number, request.File.File_Name());
}

QString Section_Text(const TLaserFile& file, int section)
{
    const int runs = file.Run_Count(section);
    return QStringLiteral("%1, %2 %3")
        .arg(file.Section_Label(section))
        .arg(runs)
        .arg(runs == 1 ? QStringLiteral("run") : QStringLiteral("runs"));
}

QString Units_Text(const TLaserFile& file)
{
    return QStringLiteral("positions in %1, deviations in %2")
        .arg(QLatin1String(Position_Unit_Name), Unit_Symbol(file.Deviation_Unit()));
}

// The title and the header's fields, the notes across the page below them.
void Add_Header(TPageDocument& document, const TCertificateRequest& request)
{
    document.Text(QStringLiteral("Calibration certificate"), TPageDocument::Title);
    document.Rule();
    std::vector<std::pair<QString, QString>> fields, notes;
    for (const TCertificateField& field : Certificate_Fields())
    {
        QString value = Field(request, field.Name);
        if (value.isEmpty() && qstrcmp(field.Name, "date") == 0)
            value = Certificate_Today();
        const bool wide = qstrcmp(field.Name, "notes") == 0;
        if (!wide || !value.isEmpty())
            (wide ? notes : fields).emplace_back(QString::fromUtf8(field.Label), value);
    }
    document.Fields(fields, 2, Field_Label_Width);
    document.Fields(notes, 1, Field_Label_Width);
}

void Add_Measurement(TPageDocument& document, const TCertificateRequest& request)
{
    const TLaserFile& file = request.File;
    document.Space(8.0);
    // The heading stays with the fields below it.
    document.Keep(TPageDocument::Body, 8, 20.0);
    document.Text(QStringLiteral("Measurement"), TPageDocument::Heading);
    std::vector<std::pair<QString, QString>> fields = {
        {QStringLiteral("File"), file.File_Name()},
        {QStringLiteral("Kind"), file.Type_Description()},
        {QStringLiteral("Section"), Section_Text(file, request.Section)},
        {QStringLiteral("Units"), Units_Text(file)}};
    if (request.Reference)
        fields.emplace_back(QStringLiteral("As found"),
                            QStringLiteral("%1, drawn dashed in grey and set beside each figure")
                                .arg(request.Reference->File_Name()));
    document.Fields(fields, 1, Field_Label_Width);
}

// One row per file: the file's readings, and with a reference the reference's below them.
void Add_Environment(TPageDocument& document, const TCertificateRequest& request)
{
    std::vector<std::pair<QString, const TLaserFile*>> files = {
        {request.File.File_Name(), &request.File}};
    if (request.Reference)
    {
        files[0].first += QStringLiteral(" (as left)");
        files.emplace_back(request.Reference->File_Name() + QStringLiteral(" (as found)"),
                           request.Reference);
    }
    TPageDocument::TTable table;
    table.Titles << QStringLiteral("File");
    table.Numbers.push_back(false);
    for (const TReading& reading : Readings)
    {
        table.Titles << QString::fromLatin1(reading.Title);
        table.Numbers.push_back(true);
    }
    table.Rows = files.size();
    table.Cell = [files](std::size_t row, int column) {
        return column == 0 ? files[row].first
                           : Reading_Text(*files[row].second, Readings[column - 1]);
    };
    document.Space(8.0);
    document.Keep(TPageDocument::Body, 6, 20.0);
    document.Text(QStringLiteral("Environment"), TPageDocument::Heading);
    document.Table(table);
}

void Add_Graph(TPageDocument& document, const TCertificateRequest& request)
{
    auto graph = std::make_shared<TGraphWidget>();
    Feed_Graph(*graph, request.File, request.Section, request.Reference, TGraphStyle::Presentation);
    document.Space(14.0);
    document.Graph(graph, Graph_Height, Graph_Most_Height);
}

TPageDocument::TTable Figures_Table(const TEvaluation& evaluation, const TEvaluation* reference)
{
    TPageDocument::TTable table;
    table.Titles = Figure_Titles(reference != nullptr);
    for (int column = 0; column < table.Titles.size(); ++column)
        table.Numbers.push_back(Figure_Column_Is_Number(column, reference != nullptr));
    std::vector<QStringList> rows;
    for (const TFigure& figure : evaluation.Figures)
        rows.push_back(Figure_Cells(figure, evaluation.Deviation_Unit, reference));
    table.Rows = rows.size();
    table.Cell = [rows](std::size_t row, int column) { return rows[row].value(column); };
    return table;
}

TPageDocument::TTable Targets_Table(std::shared_ptr<const TEvaluation> evaluation)
{
    TPageDocument::TTable table;
    for (int column = 0; column < Target_Column_Count(*evaluation); ++column)
    {
        table.Titles << Target_Title(*evaluation, column);
        table.Numbers.push_back(true);
    }
    // The target's number and position begin every part of a wide table.
    table.Key_Columns = 2;
    table.Rows = evaluation->Positions.size();
    table.Cell = [evaluation](std::size_t row, int column)
    { return Target_Cell(*evaluation, row, column); };
    return table;
}

QString Summary(const TEvaluation& evaluation, const TEvaluation* reference)
{
    if (!reference)
        return Counts_Text(evaluation) + QLatin1Char('.');
    return QStringLiteral("As left: %1. As found: %2.")
        .arg(Counts_Text(evaluation), Counts_Text(*reference));
}

// On a page of its own: the heading, the counts, a warning, the figures, the chart and the
// table per target.
void Add_Evaluation(TPageDocument& document, const TCertificateRequest& request,
                    const TEvaluationKind& kind)
{
    const auto evaluation = std::make_shared<const TEvaluation>(
        kind.Evaluate(request.File, request.Section, request.Options));
    std::optional<TEvaluation> found =
        request.Reference ? Reference_Evaluation(kind, *request.Reference, request.File,
                                                 request.Section, request.Options)
                          : std::nullopt;
    const TEvaluation* reference = found ? &*found : nullptr;

    document.Page_Break();
    document.Text(reference ? QStringLiteral("%1, as left against as found").arg(evaluation->Title)
                            : evaluation->Title,
                  TPageDocument::Heading);
    document.Text(Summary(*evaluation, reference), TPageDocument::Body);
    if (!evaluation->Warning.isEmpty())
        document.Text(evaluation->Warning, TPageDocument::Warning);
    if (reference && !reference->Warning.isEmpty())
        document.Text(QStringLiteral("As found: ") + reference->Warning, TPageDocument::Warning);
    document.Space(6.0);
    document.Table(Figures_Table(*evaluation, reference));

    auto chart = std::make_shared<TGraphWidget>();
    Feed_Evaluation_Chart(*chart, *evaluation, reference);
    chart->SetPresentation(true);
    document.Space(14.0);
    document.Graph(chart, Chart_Height);

    document.Space(14.0);
    // The title stays with the table's head and its first rows.
    document.Keep(TPageDocument::Small, 8, 30.0);
    document.Text(QStringLiteral("Per target"), TPageDocument::Subheading);
    document.Space(3.0);
    document.Table(Targets_Table(evaluation));
}

QPageSize::PageSizeId Page_Size()
{
    return QLocale().measurementSystem() == QLocale::MetricSystem ? QPageSize::A4
                                                                  : QPageSize::Letter;
}

} // namespace

const std::vector<TCertificateField>& Certificate_Fields()
{
    static const std::vector<TCertificateField> fields = {
        {"customer", "Customer", true},
        {"machine", "Machine", true},
        {"serial number", "Serial number", true},
        {"axis", "Axis", true},
        {"operator", "Operator", true},
        {"instrument", "Instrument", true},
        {"certificate number", "Certificate number", false},
        // Dated the day it is made, not the day the last one was.
        {"date", "Date", false},
        {"notes", "Notes", false},
    };
    return fields;
}

std::vector<const TEvaluationKind*> Certificate_Evaluations(const TLaserFile& file)
{
    std::vector<const TEvaluationKind*> kinds;
    for (const TEvaluationKind& kind : Evaluation_Kinds())
        if (Evaluation_Refusal(kind, file).isEmpty())
            kinds.push_back(&kind);
    return kinds;
}

QString Certificate_Today()
{
    return QDate::currentDate().toString(Qt::ISODate);
}

QByteArray Certificate_Pdf(const TCertificateRequest& request)
{
    if (request.File.Run_Count(request.Section) < 1)
        return QByteArray();
    QBuffer buffer;
    if (!buffer.open(QIODevice::WriteOnly))
        return QByteArray();
    const QString title = Document_Title(request);
    QPdfWriter writer(&buffer);
    writer.setResolution(Resolution);
    writer.setTitle(title);
    writer.setCreator(QLatin1String(Creator));
    if (!writer.setPageSize(QPageSize(Page_Size())) || !writer.setPageMargins(QMarginsF()))
        return QByteArray();

    TPageDocument document(writer, Side_Margin, Top_Margin, Side_Margin, Bottom_Margin);
    Add_Header(document, request);
    Add_Measurement(document, request);
    Add_Environment(document, request);
    Add_Graph(document, request);
    for (const TEvaluationKind* kind : request.Evaluations)
        Add_Evaluation(document, request, *kind);

    const QString number = Field(request, "certificate number");
    const QString left =
        number.isEmpty()
            ? request.File.File_Name()
            : QStringLiteral("Certificate %1, %2").arg(number, request.File.File_Name());
    const bool painted = document.Paint(
        [&](int page, int pages)
        {
            return QStringList{left, QLatin1String(Creator),
                               QStringLiteral("Page %1 of %2").arg(page).arg(pages)};
        });
    if (!painted)
        return QByteArray();
    return With_Pdf_Information(buffer.data(),
                                {title, Field(request, "operator"), QLatin1String(Creator)});
}
