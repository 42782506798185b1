#include "sometexts.h"
#include "src/xdformat.h"
#include "testlocale.h"

#include <QRandomGenerator>
#include <QRegExp>
#include <QRegularExpression>
#include <QtTest>

namespace
{

// The data-line patterns of the three formats, as the instruments' documentation gives them.
const char* const Scale_Pattern = "^([-]?[0-9.]{1,12})[ ]([-]?[0-9.]{1,16})[ ]([-]?[0-9.]{1,10})";
const char* const Straightness_Pattern =
    "^([-]?[0-9.]{1,12})[ ]([-]?[0-9.]{1,16})[ ]([-]?[0-9.]{1,16})";
const char* const Angular_Pattern =
    "^([-]?[0-9.]{1,12})[ ]([-]?[0-9.]{1,16})[ ]([-]?[0-9.]{1,16})[ ]([-]?[0-9.]{1,16})";

// Format ('P' scale, 'S' straightness, 'A' angular), line, and its fields joined by '|'
// (empty when it is no data line).
const char* const Rows[][3] = {
    {"P", "0.000 0.000 0.0012", "0.000|0.000|0.0012"},
    {"P", "\t10.0\t10.0 \t 0.002\t", "10.0|10.0|0.002"},
    {"P", "123456789.01 1 2", "123456789.01|1|2"},
    {"P", "-123456789.01 1 2", "-123456789.01|1|2"},
    {"P", "1234567890123 1 2", ""},
    {"P", "1 1234567890.12345 2", "1|1234567890.12345|2"},
    {"P", "1 1234567890.123456 2", ""},
    {"P", "1 2 0.000123456789", "1|2|0.00012345"},
    {"P", "1 2 -1234567890123", "1|2|-1234567890"},
    {"P", "1 2 1.5e-3", "1|2|1.5"},
    {"P", "1 2 2.5E+04 20", "1|2|2.5"},
    {"P", "1e3 2 3", ""},
    {"P", "0,5 1 2", ""},
    {"P", "1 2 ,5", ""},
    {"P", "1 2 0,0012", "1|2|0"},
    {"P", "+1 2 3", ""},
    {"P", "1 2 3mm", "1|2|3"},
    {"P", ". 1.2.3 ..", ".|1.2.3|.."},
    {"P", "- 1 2", ""},
    {"P", "--1 2 3", ""},
    {"P", "1 2 -", ""},
    {"P", "1 2 -.", "1|2|-."},
    {"S", "1 2 1234567890.12345", "1|2|1234567890.12345"},
    {"S", "1 2 -0.00001234567890123", "1|2|-0.00001234567890"},
    {"S", "1 12345678901234567 2", ""},
    {"A", "0 12.5 -3.25 0.75", "0|12.5|-3.25|0.75"},
    {"A", "0 12.5 -3.25", ""},
    {"A", "5 1 2 12345678901234567", "5|1|2|1234567890123456"},
    {"A", "5 1 2,5 3", ""},
};

const TXdFormat& Format(char format)
{
    return format == 'P'   ? Xd_Scale_Format()
           : format == 'S' ? Xd_Straightness_Format()
                           : Xd_Angular_Format();
}

QString Pattern(char format)
{
    return format == 'P' ? Scale_Pattern : format == 'S' ? Straightness_Pattern : Angular_Pattern;
}

// What the format's matcher captures: the match and its fields, or nothing.
QStringList Captured(char format, const QString& line)
{
    const TXdFormat& xd = Format(format);
    TXdFields fields;
    if (!Match_Data_Line(xd, line, fields))
        return QStringList();
    QStringList texts;
    for (std::size_t k = 0; k <= xd.Field_Widths.size(); ++k)
        texts << fields[k].toString();
    return texts;
}

QStringList Captured(const QRegularExpression& pattern, const QString& line)
{
    const QRegularExpressionMatch match = pattern.match(line);
    return match.hasMatch() ? match.capturedTexts() : QStringList();
}

// A line of runs of digits and points, now and then too long for a field, with any of the
// other characters about them, so that lines that match and lines that just fail abound.
QString Random_Line(QRandomGenerator& random)
{
    static const QString Others = QStringLiteral("- +,eE\t");
    QString line;
    const int runs = random.bounded(1, 6);
    for (int run = 0; run < runs; ++run)
    {
        if (random.bounded(4) == 0)
            line += random.bounded(2) == 0 ? QChar('-') : Others[random.bounded(Others.size())];
        const int length = random.bounded(8) == 0 ? random.bounded(11, 19) : random.bounded(1, 11);
        for (int k = 0; k < length; ++k)
            line += random.bounded(8) == 0 ? QChar('.') : QChar('0' + random.bounded(10));
        line += random.bounded(8) == 0 ? Others[random.bounded(Others.size())] : QChar(' ');
    }
    return random.bounded(3) == 0 ? line.left(random.bounded(line.size() + 1)) : line;
}

} // namespace

// The data-line patterns are matched by hand, without a regular expression. The matcher must
// capture exactly what QRegExp and QRegularExpression capture with the pattern text, on
// every line, and a field must read as QString::toDouble reads it.
class TXdPatternTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Pin_German_Locale(); }
    void sameFields_data();
    void sameFields();
    void sameOnManyLines_data();
    void sameOnManyLines();
    void sameValues();
};

void TXdPatternTest::sameFields_data()
{
    QTest::addColumn<char>("format");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("fields");

    for (const auto& row : Rows)
        QTest::addRow("%s %s", row[0], row[1]) << row[0][0] << row[1] << row[2];
    const QChar lone(0xD800);
    QTest::newRow("P surrogate after") << 'P' << "1 2 3" + QString(lone) << "1|2|3";
    QTest::newRow("P surrogate inside") << 'P' << "1 2" + QString(lone) + " 3"
                                        << "";
    QTest::newRow("P other digits") << 'P' << QString::fromUtf8("\u0661 2 3") << "";
    QTest::newRow("P nul") << 'P' << QString::fromLatin1("1\0 2 3", 6) << "";
}

void TXdPatternTest::sameFields()
{
    QFETCH(char, format);
    QFETCH(QString, line);
    QFETCH(QString, fields);

    line = line.simplified(); // as the readers do
    QRegExp old_pattern(Pattern(format));
    const QStringList old_texts =
        old_pattern.indexIn(line) >= 0 ? old_pattern.capturedTexts() : QStringList();
    QCOMPARE(Captured(format, line), old_texts);
    QCOMPARE(old_texts.mid(1).join('|'), fields);
}

void TXdPatternTest::sameOnManyLines_data()
{
    QTest::addColumn<char>("format");
    for (char format : {'P', 'S', 'A'})
        QTest::addRow("%c", format) << format;
}

// Every line of up to four characters of the alphabet, and many longer random ones, all
// unsimplified.
void TXdPatternTest::sameOnManyLines()
{
    QFETCH(char, format);
    const QRegularExpression pattern(Pattern(format));
    QVERIFY(pattern.isValid());
    QVector<QString> all = All_Texts(QStringLiteral("0123456789.- +,eE\t"), 4);
    QRandomGenerator random(format);
    for (int k = 0; k < 200000; ++k)
        all << Random_Line(random);
    int matched = 0;
    for (const QString& line : all)
    {
        const QStringList texts = Captured(format, line);
        if (texts != Captured(pattern, line))
            QFAIL(qPrintable("differs on '" + line + "'"));
        matched += !texts.isEmpty();
    }
    // Both kinds of line come up often.
    QVERIFY2(matched > 20000 && matched < 300000, qPrintable(QString::number(matched)));
}

// Every field over a small alphabet up to seven characters, and long random ones: the same
// double as QString::toDouble gives, bit for bit.
void TXdPatternTest::sameValues()
{
    for (const QString& text :
         All_Texts(QStringLiteral("0159.-"), 7) + Random_Numbers(200000, 16, 17))
        if (!Same_Double(Xd_Field_Value(QStringRef(&text)), text.toDouble()))
            QFAIL(qPrintable(QString("differs on '%1'").arg(text)));
}

QTEST_GUILESS_MAIN(TXdPatternTest)
#include "tst_xdpattern.moc"
