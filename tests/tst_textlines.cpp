#include "src/textlines.h"

#include <QRandomGenerator>
#include <QTextStream>
#include <QtTest>

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

QStringList Lines(const QByteArray& content)
{
    TTextLines text(content);
    QStringList lines;
    QString line;
    while (text.Next(line))
        lines << line;
    return lines;
}

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
    const auto row = [](const char* tag, const QByteArray& content, const QStringList& lines)
    { QTest::newRow(tag) << content << lines; };
    row("empty", QByteArray(), {});
    row("no last line feed", "a\n\nb", {"a", "", "b"});
    row("CR LF", "a \r\n\r\nb\r\n", {"a", "", "b"});
    row("lone CR inside", "1\r2 3\n", {"1 2 3"});
    row("CR at the end", "a\n\r", {"a", ""});
    row("white space", " \t x \v\f y\xC2\xA0\xE2\x80\x83z\xC2\x85", {"x y z"});
    row("no white space", QByteArray("a\x1c b\0", 5), {QString::fromLatin1("a\x1c b\0", 5)});
    row("UTF-16 mark", QByteArray("\xFF\xFEx\0\n\0y\0", 8), {"x", "y"});
    row("cut sequence at the end", "x\n\xE2\x82", {"x"});
    row("line over pieces", QByteArray(40000, 'x') + "\n y", {QString(40000, 'x'), "y"});
    row("space over pieces", QByteArray(16382, 'a') + "\xE2\x80\x83" + "b",
        {QString(16382, 'a') + " b"});
}

void TTextLinesTest::sameAsStream()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, lines);

    QCOMPARE(Stream_Lines(content), lines);
    QCOMPARE(Lines(content), lines);
}

void TTextLinesTest::sameOnRandomBytes_data()
{
    QTest::addColumn<QByteArray>("codec");
    for (const char* codec : {"UTF-8", "ISO-8859-1", "windows-1252", "Shift_JIS", "ISO-2022-JP"})
        QTest::newRow(codec) << QByteArray(codec);
}

// Contents of up to four of the stream's pieces, made of line ends, white space of every
// kind, byte order marks and bytes that are no valid UTF-8, so that characters and lines of
// every kind straddle the pieces' borders, some after a byte order mark.
void TTextLinesTest::sameOnRandomBytes()
{
    QFETCH(QByteArray, codec);
    QTextCodec::setCodecForLocale(QTextCodec::codecForName(codec));
    QCOMPARE(QTextCodec::codecForLocale()->name(), codec);

    const QList<QByteArray> pieces = // '|' apart
        QByteArrayLiteral(
            "a|7|-0.5| |\t|\n|\r|\r\n|\v|\x1c|\0|\xC3\xA9|\xC2\xA0|\xC2\x85|\xE2\x80\x83|"
            "\xE3\x80\x80|\xF0\x9F\x98\x80|\x80|\xFF|\xC3|\xE2\x82|\xED\xA0\x80|"
            "\xEF\xBB\xBF|\xFF\xFE")
            .split('|');
    const QByteArray marks[] = {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
    QRandomGenerator random(7);
    for (int k = 0; k < 40; ++k)
    {
        QByteArray content = marks[k % 4];
        const int size = random.bounded(1, 4 * 16384);
        while (content.size() < size)
            content += pieces[random.bounded(pieces.size())];
        if (Lines(content) != Stream_Lines(content))
            QFAIL(qPrintable(QString("content %1 differs").arg(k)));
    }
}

QTEST_GUILESS_MAIN(TTextLinesTest)
#include "tst_textlines.moc"
