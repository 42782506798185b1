#include "src/textlines.h"

#include <QRandomGenerator>
#include <QTextStream>
#include <QtTest>

#include <cstring>
#include <iterator>

namespace
{

// The lines as the readers took them before: from a text stream, simplified. Read up to the
// stream's end, as one reader did, they may end in one more line, an empty one.
QStringList Stream_Lines(const QByteArray& content, bool to_end = false)
{
    QTextStream stream(content);
    QStringList lines;
    QString line;
    while (to_end ? !stream.atEnd() : stream.readLineInto(&line))
        lines << (to_end ? stream.readLine() : line).simplified();
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

// Line ends, white space of every kind, byte order marks and bytes that are no valid UTF-8.
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
    "\x1c",
    "\0",
    "\xC3\xA9",
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

} // namespace

// The readers take their lines from TTextLines; it must give what a text stream on the same
// bytes gave, simplified, whatever the bytes and the locale's codec.
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

    QTest::newRow("empty") << QByteArray() << QStringList();
    QTest::newRow("no last line feed") << QByteArray("a\n\nb") << QStringList{"a", "", "b"};
    QTest::newRow("CR LF") << QByteArray("a \r\n\r\nb\r\n") << QStringList{"a", "", "b"};
    QTest::newRow("lone CR inside") << QByteArray("1\r2 3\n") << QStringList{"1 2 3"};
    QTest::newRow("CR at the end") << QByteArray("a\n\r") << QStringList{"a", ""};
    QTest::newRow("white space") << QByteArray(" \t x \v\f y\xC2\xA0\xE2\x80\x83z\xC2\x85")
                                 << QStringList{"x y z"};
    QTest::newRow("no white space")
        << QByteArray("a\x1c b\0", 5) << QStringList{QString::fromLatin1("a\x1c b\0", 5)};
    QTest::newRow("UTF-16 mark") << QByteArray("\xFF\xFEx\0\n\0y\0", 8) << QStringList{"x", "y"};
    QTest::newRow("cut sequence at the end") << QByteArray("x\n\xE2\x82") << QStringList{"x"};
    QTest::newRow("line over pieces")
        << QByteArray(40000, 'x') + "\n y" << QStringList{QString(40000, 'x'), "y"};
    QTest::newRow("space over pieces")
        << QByteArray(16382, 'a') + "\xE2\x80\x83" + "b" << QStringList{QString(16382, 'a') + " b"};
}

void TTextLinesTest::sameAsStream()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, lines);

    QCOMPARE(Stream_Lines(content), lines);
    QCOMPARE(Lines(content), lines);
    QCOMPARE(Without_Empty(Lines(content)), Without_Empty(Stream_Lines(content, true)));
}

void TTextLinesTest::sameOnRandomBytes_data()
{
    QTest::addColumn<QByteArray>("codec");
    for (const char* codec : {"UTF-8", "ISO-8859-1", "windows-1252", "Shift_JIS", "ISO-2022-JP"})
        QTest::newRow(codec) << QByteArray(codec);
}

// Contents of up to four of the stream's pieces, so that characters and lines of every kind
// straddle their borders, some after a byte order mark.
void TTextLinesTest::sameOnRandomBytes()
{
    QFETCH(QByteArray, codec);
    QTextCodec::setCodecForLocale(QTextCodec::codecForName(codec));
    QCOMPARE(QTextCodec::codecForLocale()->name(), codec);

    const QByteArray marks[] = {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
    QRandomGenerator random(7);
    for (int k = 0; k < 40; ++k)
    {
        QByteArray content = marks[k % 4];
        const int size = random.bounded(1, 4 * 16384);
        while (content.size() < size)
        {
            const char* piece = Pieces[random.bounded(int(std::size(Pieces)))];
            content.append(piece, *piece ? int(std::strlen(piece)) : 1); // "\0" is one byte
        }
        if (Lines(content) != Stream_Lines(content))
            QFAIL(qPrintable(QString("content %1 differs").arg(k)));
        QCOMPARE(Without_Empty(Lines(content)), Without_Empty(Stream_Lines(content, true)));
    }
}

QTEST_GUILESS_MAIN(TTextLinesTest)
#include "tst_textlines.moc"
