#include "src/xdformat.h"
#include "testlocale.h"

#include <QRegExp>
#include <QtTest>

namespace
{

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
    {"S", "1 2 1234567890.12345", "1|2|1234567890.12345"},
    {"S", "1 2 -0.00001234567890123", "1|2|-0.00001234567890"},
    {"S", "1 12345678901234567 2", ""},
    {"A", "0 12.5 -3.25 0.75", "0|12.5|-3.25|0.75"},
    {"A", "0 12.5 -3.25", ""},
    {"A", "5 1 2 12345678901234567", "5|1|2|1234567890123456"},
    {"A", "5 1 2,5 3", ""},
};

} // namespace

// The data-line patterns were written for QRegExp; the readers use QRegularExpression with
// the same text. Both must agree on every line, and give the fields expected.
class TXdPatternTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Pin_German_Locale(); }
    void sameFields_data();
    void sameFields();
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

    const TXdFormat& xd = format == 'P'   ? Xd_Scale_Format()
                          : format == 'S' ? Xd_Straightness_Format()
                                          : Xd_Angular_Format();
    line = line.simplified(); // as the readers do
    QRegExp old_pattern(xd.Data_Line.pattern());
    const QStringList old_texts =
        old_pattern.indexIn(line) >= 0 ? old_pattern.capturedTexts() : QStringList();
    const QRegularExpressionMatch match = Match_Data_Line(xd, line);
    QCOMPARE(match.hasMatch() ? match.capturedTexts() : QStringList(), old_texts);
    QCOMPARE(old_texts.mid(1).join('|'), fields);
}

QTEST_GUILESS_MAIN(TXdPatternTest)
#include "tst_xdpattern.moc"
