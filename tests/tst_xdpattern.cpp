#include "sometexts.h"
#include "src/xdformat.h"
#include "testlocale.h"

#include <QRegExp>
#include <QRegularExpression>
#include <QtTest>

namespace
{

// The data-line pattern of a format ('P' scale, 'S' straightness, 'A' angular), as the
// instruments' documentation gives it.
QString Pattern(char format)
{
    const QString field = QStringLiteral("([-]?[0-9.]{1,%1})");
    const QString head = '^' + field.arg(12) + "[ ]" + field.arg(16) + "[ ]";
    return format == 'P'   ? head + field.arg(10)
           : format == 'S' ? head + field.arg(16)
                           : head + field.arg(16) + "[ ]" + field.arg(16);
}

// What the format's matcher captures: the match and its fields, or nothing.
QStringList Captured(char format, const QString& line)
{
    const TXdFormat& xd = format == 'P'   ? Xd_Scale_Format()
                          : format == 'S' ? Xd_Straightness_Format()
                                          : Xd_Angular_Format();
    TXdFields fields;
    if (!Match_Data_Line(xd, line, fields))
        return QStringList();
    QStringList texts;
    for (std::size_t k = 0; k <= xd.Field_Widths.size(); ++k)
        texts << fields[k].toString();
    return texts;
}

// Random numbers, now and then too long for a field, mostly one blank apart, some lines cut
// short: lines that match and lines that just fail abound.
QString Random_Line(QRandomGenerator& random)
{
    static const QString Others = QStringLiteral("-+,eE\t/:");
    QString line = Random_Number(random, random.bounded(4) ? 11 : 18);
    for (int field = random.bounded(1, 5); field > 0; --field)
        line += (random.bounded(8) ? QChar(' ') : Others[random.bounded(Others.size())]) +
                Random_Number(random, random.bounded(4) ? 11 : 18);
    return random.bounded(3) == 0 ? line.left(random.bounded(line.size() + 1)) : line;
}

// Xd_Field_Value must read a field as QString::toDouble does.
bool Same_Value(const QString& field)
{
    return Same_Double(Xd_Field_Value(QStringRef(&field)), field.toDouble());
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
    QTest::addColumn<QString>("fields"); // joined by '|', empty when it is no data line
    const auto row = [](char format, const QString& line, const char* fields)
    { QTest::addRow("%c %s", format, qPrintable(line)) << format << line << QString(fields); };
    row('P', "\t10.0\t10.0 \t 0.002\t", "10.0|10.0|0.002");
    row('P', "-123456789.01 1 2", "-123456789.01|1|2");
    row('P', "1234567890123 1 2", "");
    row('P', "1 1234567890.12345 2", "1|1234567890.12345|2");
    row('P', "1 1234567890.123456 2", "");
    row('P', "1 2 0.000123456789", "1|2|0.00012345");
    row('P', "1 2 -1234567890123", "1|2|-1234567890");
    row('P', "1 2 2.5E+04 20", "1|2|2.5");
    row('P', "1e3 2 3", "");
    row('P', "0,5 1 2", "");
    row('P', "1 2 0,0012", "1|2|0");
    row('P', "+1 2 3", "");
    row('P', "1 2 3mm", "1|2|3");
    row('P', ". 1.2.3 ..", ".|1.2.3|..");
    row('P', "--1 2 3", "");
    row('P', "1 2 -", "");
    row('P', "1 2 -.", "1|2|-.");
    row('S', "1 2 -0.00001234567890123", "1|2|-0.00001234567890");
    row('A', "0 12.5 -3.25", "");
    row('A', "5 1 2 12345678901234567", "5|1|2|1234567890123456");
    row('P', "1 2 3" + QString(QChar(0xD800)), "1|2|3");
    row('P', "1 2" + QString(QChar(0xD800)) + " 3", "");
    row('P', QString::fromUtf8("\u0661 2 3"), "");
    row('P', QString::fromLatin1("1\0 2 3", 6), "");
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

// Every line of up to six characters of the alphabet, and many longer random ones, all
// unsimplified; the fields of those that match read as QString::toDouble reads them.
void TXdPatternTest::sameOnManyLines()
{
    QFETCH(char, format);
    const QRegularExpression pattern(Pattern(format));
    QVERIFY(pattern.isValid());
    QVector<QString> lines = All_Texts(QStringLiteral("0.- /:"), 6);
    QRandomGenerator random(format);
    for (int k = 0; k < 120000; ++k)
        lines << Random_Line(random);
    int matched = 0;
    for (const QString& line : lines)
    {
        const QStringList texts = Captured(format, line);
        const QRegularExpressionMatch match = pattern.match(line);
        bool same = texts == (match.hasMatch() ? match.capturedTexts() : QStringList());
        for (int k = 1; k < texts.size() && same; ++k)
            same = Same_Value(texts[k]);
        if (!same)
            QFAIL(qPrintable("differs on '" + line + "'"));
        matched += !texts.isEmpty();
    }
    // Both kinds of line come up often.
    QVERIFY2(matched > 20000 && matched < 120000, qPrintable(QString::number(matched)));
}

// Every field over a small alphabet up to seven characters.
void TXdPatternTest::sameValues()
{
    for (const QString& field : All_Texts(QStringLiteral("0159.-"), 7))
        if (!Same_Value(field))
            QFAIL(qPrintable("differs on '" + field + "'"));
}

QTEST_GUILESS_MAIN(TXdPatternTest)
#include "tst_xdpattern.moc"
