#include "src/textlines.h"

#include <QRandomGenerator>
#include <QTextStream>
#include <QtTest>

#include <cstring>
#include <iterator>

namespace
{

// The lines as the readers took them before: from a text stream, simplified.
QStringList Stream_Lines(const QByteArray& content)
{
    QTextStream stream(content);
    QStringList lines;
    QString line;
    while (stream.readLineInto(&line))
        lines << line.simplified();
    return lines;
}

// The same read up to the stream's end, which may add an empty last line.
QStringList Stream_Lines_To_End(const QByteArray& content)
{
    QTextStream stream(content, QIODevice::ReadOnly);
    QStringList lines;
    while (!stream.atEnd())
        lines << stream.readLine().simplified();
    return lines;
}

QStringList Lines(const QByteArray& content)
{
    TTextLines text(content);
    QStringList lines;
    QString line;
    while (text.Next(line))
        lines << line;
    return lines;
}

QStringList Without_Empty(QStringList lines)
{
    lines.removeAll(QString());
    return lines;
}

// Pieces of text that test line ends, white space of every kind, byte order marks and
// bytes that are no valid UTF-8.
const char* const Pieces[] = {
    "a",
    "7",
    "-0.5",
    " ",
    "\t",
    "\n",
    "\r",
    "\r\n",
    "\v",
    "\f",
    "\x1c",
    "\0",
    "\xC3\xA9",
    "\xE2\x82\xAC",
    "\xC2\xA0",
    "\xC2\x85",
    "\xE2\x80\x83",
    "\xE3\x80\x80",
    "\xF0\x9F\x98\x80",
    "\x80",
    "\xFF",
    "\xC3",
    "\xE2\x82",
    "\xED\xA0\x80",
    "\xEF\xBB\xBF",
    "\xFF\xFE",
};

QByteArray Random_Content(QRandomGenerator& random, int size)
{
    QByteArray content;
    while (content.size() < size)
    {
        const char* piece = Pieces[random.bounded(int(std::size(Pieces)))];
        // A NUL piece is one byte long.
        content.append(piece, *piece ? int(std::strlen(piece)) : 1);
    }
    return content;
}

} // namespace

// The readers take their lines from TTextLines; it must give what a text stream on the
// same bytes gave, simplified, whatever the bytes and the locale's codec.
class TTextLinesTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QTextCodec::setCodecForLocale(nullptr); }
    void sameAsStream_data();
    void sameAsStream();
    void sameOnRandomBytes_data();
    void sameOnRandomBytes();
};

void TTextLinesTest::sameAsStream_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("lines");

    const QStringList none;
    QTest::newRow("empty") << QByteArray() << none;
    QTest::newRow("one line feed") << QByteArray("\n") << QStringList{""};
    QTest::newRow("no last line feed") << QByteArray("a\nb") << QStringList{"a", "b"};
    QTest::newRow("CR LF") << QByteArray("a \r\n\r\nb\r\n") << QStringList{"a", "", "b"};
    QTest::newRow("lone CR inside") << QByteArray("1\r2 3\n") << QStringList{"1 2 3"};
    QTest::newRow("CR at the end") << QByteArray("a\n\r") << QStringList{"a", ""};
    QTest::newRow("white space runs")
        << QByteArray(" \t x \v\f y\t\t z \n") << QStringList{"x y z"};
    QTest::newRow("unicode spaces")
        << QByteArray("\xC2\xA0x\xE2\x80\x83\xE3\x80\x80y\xC2\x85") << QStringList{"x y"};
    QTest::newRow("no space") << QByteArray("a\x1c b\0", 5)
                              << QStringList{QString::fromLatin1("a\x1c b\0", 5)};
    QTest::newRow("UTF-8 mark") << QByteArray("\xEF\xBB\xBFx\n") << QStringList{"x"};
    QTest::newRow("UTF-16 mark") << QByteArray("\xFF\xFEx\0\n\0y\0", 8) << QStringList{"x", "y"};
    QTest::newRow("UTF-16 big end") << QByteArray("\xFE\xFF\0x\0\n", 6) << QStringList{"x"};
    QTest::newRow("UTF-32 mark") << QByteArray("\xFF\xFE\0\0x\0\0\0", 8) << QStringList{"x"};
    QTest::newRow("cut sequence at the end") << QByteArray("x\n\xE2\x82") << QStringList{"x"};
    QTest::newRow("line over pieces")
        << QByteArray(40000, 'x') + "\n y" << QStringList{QString(40000, 'x'), "y"};
    QTest::newRow("sequence over pieces") << QByteArray(16383, ' ') + "\xE2\x82\xAC"
                                          << QStringList{QString::fromUtf8("\xE2\x82\xAC")};
    QTest::newRow("space over pieces")
        << QByteArray(16382, 'a') + "\xE2\x80\x83" + "b" << QStringList{QString(16382, 'a') + " b"};
}

void TTextLinesTest::sameAsStream()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, lines);

    QCOMPARE(Stream_Lines(content), lines);
    QCOMPARE(Lines(content), lines);
    QCOMPARE(Without_Empty(Lines(content)), Without_Empty(Stream_Lines_To_End(content)));
}

void TTextLinesTest::sameOnRandomBytes_data()
{
    QTest::addColumn<QByteArray>("codec");
    for (const char* codec : {"UTF-8", "ISO-8859-1", "windows-1252", "Shift_JIS", "ISO-2022-JP"})
        QTest::newRow(codec) << QByteArray(codec);
}

// Contents of up to four of the stream's pieces, so that characters and lines of every
// kind straddle their borders, some with a byte order mark before them.
void TTextLinesTest::sameOnRandomBytes()
{
    QFETCH(QByteArray, codec);
    QTextCodec* locale = QTextCodec::codecForName(codec);
    QVERIFY(locale);
    QTextCodec::setCodecForLocale(locale);

    const QByteArray marks[] = {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
    QRandomGenerator random(7);
    for (int k = 0; k < 40; ++k)
    {
        const QByteArray content =
            marks[k % 4] + Random_Content(random, random.bounded(1, 4 * 16384));
        const QStringList expected = Stream_Lines(content);
        const QStringList lines = Lines(content);
        if (lines != expected)
            QFAIL(qPrintable(QString("content %1 differs").arg(k)));
        QCOMPARE(Without_Empty(lines), Without_Empty(Stream_Lines_To_End(content)));
    }
}

QTEST_GUILESS_MAIN(TTextLinesTest)
#include "tst_textlines.moc"
