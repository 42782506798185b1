#include "sometexts.h"
#include "src/xdformat.h"
#include "testlocale.h"

#include <QRegularExpression>
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
#include <QRegExp>
#endif
#include <QtTest>

namespace
{

// The data-line pattern of a format ('P' scale, 'S' straightness, 'A' angular), as documented.
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

} // namespace

// The data-line patterns are matched by hand, without a regular expression. The matcher must
// capture exactly what QRegularExpression (and, where Qt has it, the QRegExp that the matcher
// replaced) captures with the pattern text, on every line, and a field must read as
// QString::toDouble reads it.
class TXdPatternTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Pin_German_Locale(); }
    void fieldLimits();
    void sameAsPatterns();
};

// A field is at most 12, 16 or 10 characters after its minus; the last one is cut there.
void TXdPatternTest::fieldLimits()
{
    QCOMPARE(Captured('P', "-123456789.01 1234567890.12345 -0.000123456789"),
             QStringList({"-123456789.01 1234567890.12345 -0.00012345", "-123456789.01",
                          "1234567890.12345", "-0.00012345"}));
    QCOMPARE(Captured('P', "1234567890123 1 2"), QStringList());
    QCOMPARE(Captured('S', "1 1234567890.123456 2"), QStringList());
    QCOMPARE(Captured('A', "5 1 2 -12345678901234567").last(), QString("-1234567890123456"));
}

// The lines above, odd ones, every line of up to six characters of the alphabet and many
// random ones; the fields of those that match read as QString::toDouble reads them.
void TXdPatternTest::sameAsPatterns()
{
    for (char format : {'P', 'S', 'A'})
    {
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
        QRegExp old_pattern(Pattern(format));
#endif
        const QRegularExpression pattern(Pattern(format));
        QVector<QString> lines = {"1 2" + QString(QChar(0xD800)) + " 3 4",
                                  QString::fromUtf8("\u0661 2 3 4"),
                                  QString::fromLatin1("1\0 2 3 4", 8)};
        lines += QString("-123456789.01 1234567890.12345 -0.000123456789|1234567890123 1 2|"
                         "1 1234567890.123456 2|5 1 2 -12345678901234567")
                     .split('|')
                     .toVector();
        lines += All_Texts(QStringLiteral("0.- /:"), 6);
        QRandomGenerator random(format);
        for (int k = 0; k < 120000; ++k)
            lines << Random_Line(random);
        int matched = 0;
        for (const QString& line : lines)
        {
            const QStringList texts = Captured(format, line);
            const QRegularExpressionMatch match = pattern.match(line);
            bool same = texts == (match.hasMatch() ? match.capturedTexts() : QStringList());
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
            same = same && texts == (old_pattern.indexIn(line) >= 0 ? old_pattern.capturedTexts()
                                                                    : QStringList());
#endif
            for (int k = 1; k < texts.size() && same; ++k)
                same = Same_Double(Xd_Field_Value(QStringView(texts[k])), texts[k].toDouble());
            if (!same)
                QFAIL(qPrintable(QString("%1 differs on '%2'").arg(format).arg(line)));
            matched += !texts.isEmpty();
        }
        // Both kinds of line come up often.
        QVERIFY2(matched > 20000 && matched < 120000, qPrintable(QString::number(matched)));
    }
}

QTEST_GUILESS_MAIN(TXdPatternTest)
#include "tst_xdpattern.moc"
