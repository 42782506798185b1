#include "src/evaluation/evaluations.h"
#include "src/evaluation/minimumzone.h"
#include "src/evaluation/referenceline.h"
#include "src/output/evaluationtext.h"
#include "testlocale.h"

#include <QRandomGenerator>
#include <QtTest>

#include <algorithm>

namespace
{

// Where each figure occurs: "name high/low #run" for those that say.
QString Places(const TEvaluation& evaluation)
{
    QStringList places;
    for (const TFigure& figure : evaluation.Figures)
        if (figure.High_Position || figure.Run)
            places << QString("%1 %2/%3 #%4")
                          .arg(figure.Name, Csv_Number(figure.High_Position),
                               Csv_Number(figure.Low_Position))
                          .arg(figure.Run);
    return places.join(", ");
}

// The band height about the best of the slopes through two points of distinct positions.
double Brute_Force_Zone(const TLaserRun& points)
{
    double best = qInf();
    for (const TVector2& a : points)
        for (const TVector2& b : points)
            if (a.x < b.x)
            {
                const double slope = (b.y - a.y) / (b.x - a.x);
                const auto height = [slope](const TVector2& p) { return p.y - slope * p.x; };
                const auto [low, high] = std::minmax_element(
                    points.begin(), points.end(),
                    [&](const TVector2& p, const TVector2& q) { return height(p) < height(q); });
                best = std::min(best, height(*high) - height(*low));
            }
    return best;
}

} // namespace

// The evaluations of files worked out by hand, the minimum zone against a search of every
// slope, the kinds each evaluation refuses and their CSV text.
class TEvaluationTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Pin_German_Locale(); }
    void handWorked_data();
    void handWorked();
    void undefined_data();
    void undefined();
    void minimumZone();
    void refusals();
    void text();
    void shownNumbers_data();
    void shownNumbers();
};

// The working heads each file; the text is compared whole, the places of the figures apart.
void TEvaluationTest::handWorked_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("places");
    QTest::newRow("vdi3441") << "vdi-hand.rtl"
                             << "vdi3441"
                             << ""
                             << "p 100/0 #0, pa 100/0 #0, u max 0/ #0, ps max 0/ #0";
    QTest::newRow("slope") << "slope-hand.rtl"
                           << "slope"
                           << ""
                           << "residual range 0/500 #0";
    QTest::newRow("angular") << "angular-hand.rta"
                             << "angular"
                             << ""
                             << "angular deviation 50/150 #0, angular deviation arcsec 50/150 "
                                "#0, highest run angular deviation 50/150 #2";
    QTest::newRow("least squares") << "straightness-hand.stx"
                                   << "straightness"
                                   << "least-squares"
                                   << "straightness 900/600 #0, highest run straightness "
                                      "900/600 #1";
    QTest::newRow("end points") << "straightness-hand.stx"
                                << "straightness"
                                << "end-points"
                                << "straightness 100/600 #0, highest run straightness 100/600 #1";
    // 0.325 at 300 and at 900, the same but for the last bit.
    QTest::newRow("minimum zone") << "straightness-hand.stx"
                                  << "straightness"
                                  << "minimum-zone"
                                  << "straightness 900/600 #0, highest run straightness 900/600 #1";
}

void TEvaluationTest::handWorked()
{
    QFETCH(QString, file);
    QFETCH(QString, name);
    QFETCH(QString, line);
    TLaserFile loaded;
    QVERIFY(loaded.Load(QFINDTESTDATA("data/" + file)));
    TEvaluationOptions options;
    options.Reference_Line = Reference_Line_Named(line).value_or(TReferenceLine::Least_Squares);
    const TEvaluation evaluation = Evaluation_Named(name)->Evaluate(loaded, 0, options);
    const QString golden =
        QFileInfo(file).completeBaseName() + (line.isEmpty() ? QString() : '-' + line) + ".csv";
    QFile expected(QFINDTESTDATA("data/" + golden));
    QVERIFY(expected.open(QIODevice::ReadOnly));
    QCOMPARE(Csv_Text(Evaluation_Csv_Lines(evaluation)),
             QString::fromUtf8(expected.readAll()).replace("{path}", loaded.d_file_name));
    QTEST(Places(evaluation), "places");
}

// A figure whose terms are undefined is empty, the others are still given; no value that is
// no finite number anywhere.
void TEvaluationTest::undefined_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("figures");
    const QByteArray rtl = "TARGET DATA::\nTarget-count: 2\nTargets :\n0 10\nEOF::\n"
                           "DEVIATIONS::\nRun Target Data\n";
    // Up (1, 4), down (1, 1): no s, so no p nor ps; pa = 2.5 - 1, u = (0, 3).
    QTest::newRow("vdi, one run each way") << "a.rtl" << rtl + "1 1 1\n1 2 4\n2 2 1\n2 1 1\n"
                                           << "vdi3441"
                                           << ",1.5,1.5,3,,";
    // No mean down: no pa, u, ps or p.
    QTest::newRow("vdi, up only") << "a.rtl" << rtl + "1 1 1\n1 2 4\n3 1 1\n3 2 5\n"
                                  << "vdi3441"
                                  << ",,,,,";
    QTest::newRow("slope, one target")
        << "a.pos" << QByteArray("Units: mm\nPosition Laser Error AirTemp MatTemp\n5 0 1\n")
        << "slope"
        << ",,,";
    // One position: no line, not even for the run.
    QTest::newRow("straightness, one position")
        << "a.str" << QByteArray("Units: mm\nPosition XX YY\n7 1 0\n7 3 0\n") << "straightness"
        << ",,,,";
    // No mean at 0, and run 1's span is not known.
    QTest::newRow("angular, not a number") << "a.rta" << rtl + "1 1 nan\n1 2 1\n2 2 2\n2 1 0\n"
                                           << "angular"
                                           << ",,";
}

void TEvaluationTest::undefined()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, content);
    QFETCH(QString, name);
    TLaserFile file;
    QVERIFY(file.Load_Content(path, content));
    const TEvaluation evaluation = Evaluation_Named(name)->Evaluate(file, 0, {});
    QStringList figures;
    std::vector<TValue> values;
    for (const TFigure& figure : evaluation.Figures)
    {
        figures << Csv_Number(figure.Value);
        values.insert(values.end(), {figure.Value, figure.High_Position, figure.Low_Position});
    }
    QTEST(figures.join(','), "figures");
    for (const std::vector<TValue>& cells : evaluation.Cells)
        values.insert(values.end(), cells.begin(), cells.end());
    QVERIFY(std::all_of(values.begin(), values.end(),
                        [](const TValue& value) { return !value || std::isfinite(*value); }));
}

// Few points, often at shared positions or on one line, in every order: the band about the
// line is as narrow as the narrowest about any slope through two points, and the line is
// midway in it. The end-point line meets the points at the smallest and largest position.
void TEvaluationTest::minimumZone()
{
    QRandomGenerator random(2611);
    for (int round = 0; round < 4000; ++round)
    {
        TLaserRun points(random.bounded(1, 9));
        const bool grid = random.bounded(2);
        for (TVector2& point : points)
        {
            point.x = grid ? random.bounded(4) : random.generateDouble() * 100.0 - 50.0;
            point.y = grid && random.bounded(3) == 0 ? 0.5 * point.x + 1.0
                                                     : random.generateDouble() * 2.0 - 1.0;
        }
        const auto rising = [](const TVector2& a, const TVector2& b) { return a.x < b.x; };
        if (round % 3 > 0)
            std::sort(points.begin(), points.end(), rising);
        if (round % 3 == 2)
            std::reverse(points.begin(), points.end());
        const double narrowest = Brute_Force_Zone(points);
        // Half begin from three places at random, some outside the points.
        TZoneReference start = {random.bounded(9u), random.bounded(9u), random.bounded(9u)};
        const std::optional<TLine> line = Minimum_Zone_Line(points, round % 2 ? &start : nullptr);
        QCOMPARE(line.has_value(), std::isfinite(narrowest));
        if (!line)
            continue;
        double high = -qInf(), low = qInf();
        for (const TVector2& point : points)
        {
            high = std::max(high, point.y - line->At(point.x));
            low = std::min(low, point.y - line->At(point.x));
        }
        QVERIFY2(std::fabs(high - low - narrowest) < 1e-9 && std::fabs(high + low) < 1e-9,
                 qPrintable(
                     QString("round %1: %2 against %3").arg(round).arg(high - low).arg(narrowest)));
        const auto first = std::min_element(points.begin(), points.end(), rising);
        const auto last = std::max_element(points.begin(), points.end(), rising);
        const TLine ends = *End_Points_Line(points);
        QVERIFY(std::fabs(first->y - ends.At(first->x)) + std::fabs(last->y - ends.At(last->x)) <
                1e-9);
    }
}

// Each evaluation fits the kinds named, in the order of the kinds, and refuses the others
// (and a file of no kind) with its line.
void TEvaluationTest::refusals()
{
    const QStringList kinds = {"?", "RTL", "RTA", "STx", "POS", "STR", "ANG"};
    QStringList fits, lines;
    for (const TEvaluationKind& evaluation : Evaluation_Kinds())
    {
        QString fit = evaluation.Name;
        for (int type = Unknown_Type; type <= API_XD_ANG; ++type)
        {
            TLaserFile file;
            file.d_file_type = static_cast<TLaserFileType>(type);
            const QString refusal = Evaluation_Refusal(evaluation, file);
            fit += ' ' + (refusal.isEmpty() ? kinds[type] : "-");
            if (!refusal.isEmpty() && !lines.contains(refusal))
                lines << refusal;
        }
        fits << fit;
    }
    QCOMPARE(fits, QStringList({"iso230-2 - RTL - - POS - -", "vdi3441 - RTL - - POS - -",
                                "slope - RTL - - POS - -", "straightness - - - STx - STR -",
                                "angular - - RTA - - - ANG"}));
    QCOMPARE(
        lines,
        QStringList({"ERR:  ISO 230-2 evaluation needs a linear positioning file (RTL or POS).",
                     "ERR:  VDI/DGQ 3441 evaluation needs a linear positioning file (RTL or POS).",
                     "ERR:  Slope evaluation needs a linear positioning file (RTL or POS).",
                     "ERR:  Straightness evaluation needs a straightness file (STx or STR).",
                     "ERR:  Angular evaluation needs an angular file (RTA or ANG)."}));
}

// The lines alone and with a reference: a text field in quotes where CSV needs them, 12
// significant digits, an empty field for a value that is not defined, the figures of the
// reference by name.
void TEvaluationTest::text()
{
    TEvaluation evaluation;
    evaluation.Name = "straightness";
    evaluation.File = "a, \"b\".stx";
    evaluation.Section_Label = "S1.";
    evaluation.Deviation_Unit = TDeviationUnit::Micrometre;
    evaluation.Counts = {{"targets", 2}, {"runs", 1}};
    evaluation.Settings = {{"reference line", "end-points"}};
    const auto figure = [](const char* name, TValue value)
    {
        TFigure made;
        made.Name = name;
        made.Value = value;
        return made;
    };
    evaluation.Figures = {figure("straightness", 0.1234567890123456), figure("slope", {}),
                          figure("high", -1e-20)};
    evaluation.Columns = {{"mean"}};
    evaluation.Positions = {0.0, 25.5};
    evaluation.Cells = {{-1.5}, {qQNaN()}};
    TEvaluation reference = evaluation;
    reference.File = "old.stx";
    reference.Figures = {figure("slope", 3.0), figure("straightness", 0.2)};
    const QString heading = "evaluation,straightness|file,\"a, \"\"b\"\".stx\"|";
    const QString units = "section,S1.|position unit,mm|deviation unit,um|";
    const QString counts = "targets,2|runs,1|reference line,end-points|";
    const QString table = "||target,position,mean|1,0,-1.5|2,25.5,";
    QCOMPARE(Evaluation_Csv_Lines(evaluation).join('|'),
             "quantity,value|" + heading + units + counts +
                 "straightness,0.123456789012|slope,|high,-1e-20" + table);
    QCOMPARE(
        Evaluation_Csv_Lines(evaluation, &reference).join('|'),
        "quantity,value,reference,change|" + heading + "reference file,old.stx|" + units + counts +
            "straightness,0.123456789012,0.2,-0.0765432109877|slope,,3,|high,-1e-20,," + table);
    QCOMPARE(Iso_Csv_Lines(evaluation),
             QStringList("quantity,value") + Evaluation_Csv_Lines(evaluation).mid(6));
    QCOMPARE(Change_Percent(1.5, -2.0), TValue(175.0));
    QCOMPARE(Change_Percent(1.5, 0.0), TValue());
}

// Fixed notation with the decimals of the unit, and the unit named.
void TEvaluationTest::shownNumbers_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("quantity");
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("shown");
    const auto row = [](const char* tag, double value, TQuantity quantity, TDeviationUnit unit,
                        const char* shown)
    { QTest::newRow(tag) << value << int(quantity) << int(unit) << QString::fromUtf8(shown); };
    row("millimetre", 5e-05, TQuantity::Deviation, TDeviationUnit::Millimetre, "0.000050 mm");
    row("position", 12.3456, TQuantity::Position, TDeviationUnit::Micrometre, "12.346 mm");
    row("slope", 0.00765454, TQuantity::Slope, TDeviationUnit::Micrometre, "0.007655 µm/mm");
    row("per metre", 7.65454, TQuantity::Slope_Per_Metre, TDeviationUnit::Micrometre, "7.655 µm/m");
    row("arc seconds", 0.87663, TQuantity::Arc_Seconds, TDeviationUnit::Millimetre_Per_Metre,
        "0.877 arcsec");
    row("inch", -1.25, TQuantity::Deviation, TDeviationUnit::Inch, "-1.2500000 in");
    row("nanometre", 31.46, TQuantity::Deviation, TDeviationUnit::Nanometre, "31.5 nm");
    row("undefined", qInf(), TQuantity::Deviation, TDeviationUnit::Nanometre, " nm");
}

void TEvaluationTest::shownNumbers()
{
    QFETCH(double, value);
    QFETCH(int, quantity);
    QFETCH(int, unit);
    const auto as_quantity = static_cast<TQuantity>(quantity);
    const auto as_unit = static_cast<TDeviationUnit>(unit);
    QTEST(Shown_Number(value, as_quantity, as_unit) + ' ' +
              Quantity_Unit(as_quantity, as_unit, true),
          "shown");
    QCOMPARE(Quantity_Unit(as_quantity, as_unit, false),
             Quantity_Unit(as_quantity, as_unit, true).replace(QString::fromUtf8("µ"), "u"));
}

QTEST_GUILESS_MAIN(TEvaluationTest)
#include "tst_evaluation.moc"
