#include "core/graphwidget.h"
#include "src/output/certificate.h"
#include "src/output/comparison.h"
#include "src/output/evaluationtable.h"
#include "src/output/evaluationtext.h"
#include "testlocale.h"

#include <QtTest>

namespace
{

const QMap<QString, QString> Fields = {{"customer", "Example GmbH"},
                                       {"serial number", "SN 4711"},
                                       {"operator", QString::fromUtf8("Jörg Müller")},
                                       {"certificate number", "2026-0815"},
                                       {"notes", "Measured after compensation"}};

// What a poppler tool prints.
QString Poppler(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Whether many pixels have the colour's hue, pure or blended with white by smoothing.
bool Shows(const QImage& image, const QColor& colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
        {
            const QColor pixel = image.pixelColor(x, y);
            count += pixel.hsvSaturation() > 80 && qAbs(pixel.hsvHue() - colour.hsvHue()) < 8;
        }
    return count > 50;
}

// A linear file of 300 targets and four runs, up and down, and no environment.
QString Long_File(const QString& folder)
{
    QString text = "TARGET DATA::\nTarget-count : 300\nTargets :\n";
    for (int target = 0; target < 300; ++target)
        text += QString::number(target * 5) + (target % 6 == 5 ? "\n" : "   ");
    text += "EOF::\n\nDEVIATIONS::\nRun Target Data\n";
    for (int run = 1; run <= 4; ++run)
        for (int k = 1; k <= 300; ++k)
            text +=
                QString("%1\t%2\t%3\n").arg(run).arg(run % 2 ? k : 301 - k).arg(k % 7 * 0.1 + run);
    QFile file(folder + "/long.rtl");
    return file.open(QIODevice::WriteOnly) && file.write(text.toLatin1()) > 0 ? file.fileName()
                                                                              : QString();
}

// The lines of a figure in the text laid out as the page is: its name, then its value, and
// with a reference its value and the change, as the page shows them (a number not defined
// leaves nothing).
QRegularExpression Figure_Line(const TFigure& figure, TDeviationUnit unit, const TFigure* found)
{
    QStringList shown = {Shown_Number(figure.Value, figure.Quantity, unit)};
    if (found)
        shown << Shown_Number(found->Value, figure.Quantity, unit)
              << Shown_Number(Change(figure.Value, found->Value), figure.Quantity, unit);
    shown.removeAll(QString());
    for (QString& number : shown)
        number = QRegularExpression::escape(number);
    return QRegularExpression("^\\s*" + QRegularExpression::escape(figure.Name) + "\\s+" +
                                  shown.join("\\s+") + "(\\s|$)",
                              QRegularExpression::MultilineOption);
}

} // namespace

// The certificate read back by the poppler tools, as a reader and a printer take it.
class TCertificateTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Pin_German_Locale(); }
    void cleanup() { Pin_German_Locale(); }
    void document_data();
    void document();
};

void TCertificateTest::document_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("section");
    QTest::addColumn<QString>("reference");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("missing"); // readings the file does not give
    QTest::addColumn<QString>("paper");
    const QString examples = QFINDTESTDATA("../examples") + '/';
    QTest::newRow("as left against as found")
        << examples + "x-axis-as-left.rtl" << 0 << examples + "x-axis-as-found.rtl"
        << "de_DE" << 0 << "A4";
    QTest::newRow("no humidity") << examples + "u-axis-scale.pos" << 0 << ""
                                 << "de_DE" << 1 << "A4";
    QTest::newRow("letter") << examples + "z-axis-straightness.stz" << 0 << ""
                            << "en_US" << 4 << "letter";
    QTest::newRow("section RC") << examples + "y-axis-angular.ang" << 2 << ""
                                << "de_DE" << 4 << "A4";
    QTest::newRow("table over pages") << "long" << 0 << ""
                                      << "de_DE" << 4 << "A4";
}

void TCertificateTest::document()
{
    QFETCH(QString, file);
    QFETCH(int, section);
    QFETCH(QString, reference);
    QFETCH(QString, locale);
    QFETCH(int, missing);
    QFETCH(QString, paper);
    QTemporaryDir folder;
    TLaserFile loaded, found;
    QVERIFY(loaded.Load(file == "long" ? Long_File(folder.path()) : file));
    QVERIFY(reference.isEmpty() || Load_Reference(found, reference, loaded).isEmpty());
    QLocale::setDefault(QLocale(locale));
    const TLaserFile* compared = reference.isEmpty() ? nullptr : &found;
    const QByteArray pdf =
        Certificate_Pdf({loaded, section, compared, Fields, Certificate_Evaluations(loaded), {}});
    const QString path = folder.filePath("c.pdf");
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(pdf) == pdf.size() && out.flush());

    const QString info = Poppler("pdfinfo", {path});
    for (const QString& entry :
         {"Title: +Calibration certificate 2026-0815: " + loaded.File_Name(),
          QString::fromUtf8("Author: +Jörg Müller"), QString("Creator: +Vantrel 1.1"),
          "Page size: .*\\(" + paper + "\\)"})
        QVERIFY2(info.contains(
                     QRegularExpression("^" + entry + "$", QRegularExpression::MultilineOption)),
                 qPrintable(entry + '\n' + info));
    const int pages = QRegularExpression("Pages: +(\\d+)").match(info).captured(1).toInt();
    QVERIFY(pages >= 2);
    const QStringList fonts = Poppler("pdffonts", {path}).split('\n', Qt::SkipEmptyParts).mid(2);
    QVERIFY(!fonts.isEmpty());
    for (const QString& font : fonts)
        QVERIFY2(font.split(' ', Qt::SkipEmptyParts).value(4) == "yes", qPrintable(font));

    QString text;
    for (int page = 1; page <= pages; ++page)
    {
        const QString number = QString::number(page);
        const QString shown =
            Poppler("pdftotext", {"-layout", "-f", number, "-l", number, path, "-"});
        QVERIFY(shown.contains(QString("Page %1 of %2").arg(page).arg(pages)));
        // A page with a target's row has the titles of its table.
        const QRegularExpression row("^\\s*\\d+\\s+-?\\d+\\.\\d{3}\\s+-?\\d+\\.\\d{3}",
                                     QRegularExpression::MultilineOption);
        QVERIFY(!shown.contains(row) ||
                shown.contains(
                    QRegularExpression("^\\s*target\\s", QRegularExpression::MultilineOption)));
        text += shown;
    }
    for (const QString& value : Fields)
        QVERIFY2(text.contains(value), qPrintable(value));
    QCOMPARE(text.count("not in file"), missing);
    for (const TEvaluationKind* kind : Certificate_Evaluations(loaded))
    {
        const TEvaluation evaluation = kind->Evaluate(loaded, section, {});
        const std::optional<TEvaluation> before =
            compared ? Reference_Evaluation(*kind, found, loaded, section, {}) : std::nullopt;
        for (const TFigure& figure : evaluation.Figures)
        {
            const TFigure* was = Figure_Named(before ? &*before : nullptr, figure.Name);
            QVERIFY2(text.contains(Figure_Line(figure, evaluation.Deviation_Unit, was)),
                     qPrintable(figure.Name));
        }
    }

    Poppler("pdftoppm", {"-r", "96", "-png", "-f", "1", "-l", "1", "-singlefile", path, path});
    const QImage page = QImage(path + ".png");
    // The graph fills the lower part of the first page.
    const QImage graph = page.copy(0, page.height() * 2 / 5, page.width(), page.height() / 2);
    for (int run = 0; run < loaded.Run_Count(section); ++run)
    {
        int red = 0, green = 0, blue = 0;
        TGraphWidget::GetIndexedColor(run, red, green, blue);
        QVERIFY2(Shows(graph, QColor(red, green, blue)), qPrintable(QString::number(run)));
    }
}

QTEST_MAIN(TCertificateTest)
#include "tst_certificate.moc"
