#include "src/formats/numbertext.h"
#include "src/formats/textlines.h"
#include "src/formats/wholefile.h"
#include "src/formats/xdformat.h"
#include "testlocale.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <QTextStream>
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
#include <QTextCodec>
#endif
#include <QtTest>

#include <cmath>
#include <tuple>
#include <utility>

namespace
{

// Every text of one to `longest` characters of the alphabet.
QVector<QString> All_Texts(const QString& alphabet, int longest)
{
    QVector<QString> texts, shorter = {QString()};
    for (int length = 1; length <= longest; ++length)
    {
        QVector<QString> longer;
        for (const QString& text : shorter)
            for (QChar character : alphabet)
                longer << text + character;
        texts += longer;
        shorter = longer;
    }
    return texts;
}

// One to `most_digits` random digits, three in four with a point, half with a minus.
QString Random_Number(QRandomGenerator& random, int most_digits)
{
    QString number;
    const int length = random.bounded(1, most_digits + 1);
    for (int digit = 0; digit < length; ++digit)
        number += QChar('0' + random.bounded(10));
    if (random.bounded(4) > 0)
        number.insert(random.bounded(length + 1), '.');
    return random.bounded(2) ? '-' + number : number;
}

// The same double, bit for bit: the sign of zero counts.
bool Same_Double(double value, double other)
{
    return value == other && std::signbit(value) == std::signbit(other);
}

// Numbers, some too long for a field, mostly a blank apart, some lines cut short.
QString Random_Line(QRandomGenerator& random)
{
    static const QString Others = QStringLiteral("-+,eE\t/:");
    QString line = Random_Number(random, random.bounded(4) ? 11 : 18);
    for (int field = random.bounded(1, 5); field > 0; --field)
        line += (random.bounded(8) ? QChar(' ') : Others[random.bounded(Others.size())]) +
                Random_Number(random, random.bounded(4) ? 11 : 18);
    return random.bounded(3) == 0 ? line.left(random.bounded(line.size() + 1)) : line;
}

// The lines as a text stream gives them, simplified, or as TTextLines does.
QStringList Lines(const QByteArray& content, bool stream = false)
{
    QTextStream qt(content);
    TTextLines text(content);
    QStringList lines;
    for (QString line; stream ? qt.readLineInto(&line) : text.Next(line);)
        lines << (stream ? line.simplified() : line);
    return lines;
}

// A file that grows by `grown` bytes right after its size was first taken.
class TGrowingFile : public QFile
{
public:
    TGrowingFile(const QString& name, qint64 grown) : QFile(name), d_grown(grown) {}
    qint64 size() const override { return QFile::size() - std::exchange(d_grown, 0); }

private:
    mutable qint64 d_grown;
};

} // namespace

// The quick readers of numbers, data lines, text lines and whole files against what Qt gives.
class TTextTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Pin_German_Locale(); }
    void numbersAsQt();
    void patternsAsQt();
    void linesAsStream();
    void decoded();
    void wholeFile();
};

// Every short text of the alphabet, and numbers up to and past what a double or an int holds.
void TTextTest::numbersAsQt()
{
    QVector<QString> texts = All_Texts(QStringLiteral("019.-+e "), 6);
    QRandomGenerator random(3);
    for (int k = 0; k < 100000; ++k)
        texts << Random_Number(random, 19);
    int plain = 0;
    for (const QString& text : texts)
    {
        bool ok = false, qt_ok = false;
        const double value = Text_To_Double(text, &ok),
                     qt_value = QStringView(text).toDouble(&qt_ok);
        if (ok != qt_ok || (ok && !Same_Double(value, qt_value)))
            QFAIL(qPrintable("double differs on '" + text + "'"));
        const int whole = Text_To_Int(text, &ok), qt_whole = QStringView(text).toInt(&qt_ok, 10);
        if (ok != qt_ok || (ok && whole != qt_whole))
            QFAIL(qPrintable("int differs on '" + text + "'"));
        plain += Plain_Decimal(text).has_value();
    }
    QVERIFY(plain > 50000);
}

// The hand matcher captures what QRegularExpression captures with the documented data-line
// pattern of each format, and its fields read as QString::toDouble reads them.
void TTextTest::patternsAsQt()
{
    const QString field = QStringLiteral("[ ]([-]?[0-9.]{1,%1})"),
                  head = "^([-]?[0-9.]{1,12})" + field.arg(16);
    const std::tuple<char, const TXdFormat&, QString> formats[] = {
        {'P', Xd_Scale_Format(), head + field.arg(10)},
        {'S', Xd_Straightness_Format(), head + field.arg(16)},
        {'A', Xd_Angular_Format(), head + field.arg(16) + field.arg(16)}};
    for (const auto& [format, xd, documented] : formats)
    {
        const QRegularExpression pattern(documented);
        // Fields at and past their widths, odd characters, every short line, random ones.
        QVector<QString> lines = QString("-123456789.01 1234567890.12345 -0.000123456789|"
                                         "1234567890123 1 2|1 1234567890.123456 2|"
                                         "5 1 2 -12345678901234567")
                                     .split('|')
                                     .toVector();
        lines << "1 2" + QString(QChar(0xD800)) + " 3 4" << QString::fromUtf8("\u0661 2 3 4")
              << QString::fromLatin1("1\0 2 3 4", 8);
        lines += All_Texts(QStringLiteral("0.- /:"), 6);
        QRandomGenerator random(format);
        for (int k = 0; k < 120000; ++k)
            lines << Random_Line(random);
        int matched = 0;
        for (const QString& line : lines)
        {
            TXdFields fields;
            QStringList texts;
            if (Match_Data_Line(xd, line, fields))
                for (std::size_t k = 0; k <= xd.Field_Widths.size(); ++k)
                    texts << fields[k].toString();
            const QRegularExpressionMatch match = pattern.match(line);
            bool same = texts == (match.hasMatch() ? match.capturedTexts() : QStringList());
            for (int k = 1; k < texts.size() && same; ++k)
                same = Same_Double(Xd_Field_Value(QStringView(texts[k])), texts[k].toDouble());
            if (!same)
                QFAIL(qPrintable(QString("%1 differs on '%2'").arg(format).arg(line)));
            matched += !texts.isEmpty();
        }
        QVERIFY2(matched > 20000 && matched < 120000, qPrintable(QString::number(matched)));
    }
}

// TTextLines gives what a text stream gave, simplified, whatever the bytes and the locale's
// codec (Qt 6 decodes UTF-8): lines over the stream's 16384-byte pieces, random line ends,
// white space of every kind, byte order marks and broken UTF-8, and plain ASCII.
void TTextTest::linesAsStream()
{
    QVector<QByteArray> contents = {QByteArray(), QByteArray(40000, 'x') + "\n y",
                                    QByteArray(16382, 'a') + "\xE2\x80\x83" + "b"};
    const QList<QByteArray> pieces =
        QByteArrayLiteral(
            "a|7|-0.5| |\t|\n|\r|\r\n|\v|\f|\x1c|\0|\\~|\x1b(J|\xC3\xA9|\xC2\xA0|\xC2\x85|\xE2\x80\x83|"
            "\xE3\x80\x80|\xF0\x9F\x98\x80|\x80|\xFF|\xC3|\xE2\x82|\xED\xA0\x80|"
            "\xEF\xBB\xBF|\xFF\xFE")
            .split('|');
    const QByteArray marks[] = {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
    // The first fourteen pieces are ASCII (with the escape that makes ISO-2022-JP read a
    // backslash as a yen sign): contents of those alone are taken without decoding.
    const int ascii_pieces = 14;
    QRandomGenerator random(7);
    for (int k = 0; k < 60; ++k)
    {
        const bool ascii = k >= 40;
        QByteArray content = ascii ? QByteArray() : marks[k % 4];
        for (const int size = random.bounded(1, 4 * 16384); content.size() < size;)
            content += pieces[random.bounded(ascii ? ascii_pieces : pieces.size())];
        contents << content;
    }
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    for (const char* codec : {"UTF-8", "ISO-8859-1", "windows-1252", "Shift_JIS", "ISO-2022-JP"})
    {
        QTextCodec::setCodecForLocale(QTextCodec::codecForName(codec));
        QCOMPARE(QTextCodec::codecForLocale()->name(), QByteArray(codec));
#endif
        for (const QByteArray& content : contents)
            QCOMPARE(Lines(content), Lines(content, true));
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    }
    QTextCodec::setCodecForLocale(nullptr);
#endif
}

// What the stream comparison cannot show: both Qt versions read alike under a UTF-8 locale.
// A byte that is no UTF-8 is U+FFFD, a byte order mark counts only first (where it may name
// UTF-16), a character cut short at the end is dropped.
void TTextTest::decoded()
{
    QCOMPARE(Lines("\xEF\xBB\xBF"
                   "a\x80z\n\xED\xA0\x80.\na\xEF\xBB\xBF\n\xF0\x9F\x98"),
             QStringList({"a\uFFFDz", "\uFFFD\uFFFD\uFFFD.", "a\uFEFF"}));
    QCOMPARE(Lines(QByteArray::fromHex("fffe 3100 2000 3200 0a00 3300")),
             QStringList({"1 2", "3"}));
}

// A large file's own buffer holds what readAll gives: from where reading stood, and with what
// the file grew by after its size was taken.
void TTextTest::wholeFile()
{
    const int size = (4 << 20) + 4097, skipped = 1000;
    const QByteArray bytes = QByteArray("\0\x80\xFFline\r\n", 9).repeated(size / 9 + 1).left(size);
    QTemporaryFile temporary;
    QVERIFY(temporary.open() && temporary.write(bytes) == size && temporary.flush());
    TGrowingFile file(temporary.fileName(), 3000);
    QVERIFY(file.open(QIODevice::ReadOnly) && file.read(skipped).size() == skipped);
    QVERIFY(Read_Whole_File(file) == bytes.mid(skipped));
    QVERIFY(file.atEnd());
}

QTEST_GUILESS_MAIN(TTextTest)
#include "tst_text.moc"
