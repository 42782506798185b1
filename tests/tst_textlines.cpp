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
    for (QString line; stream.readLineInto(&line);)
        lines << line.simplified();
    return lines;
}

QStringList Lines(const QByteArray& content)
{
    TTextLines text(content);
    QStringList lines;
    for (QString line; text.Next(line);)
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
};

// Lines and characters across the stream's pieces of 16384 bytes; then random contents of up
// to four pieces, made of line ends, white space of every kind, byte order marks and bytes
// that are no valid UTF-8, so that characters and lines of every kind straddle the pieces'
// borders, some after a byte order mark.
void TTextLinesTest::sameAsStream_data()
{
    QTest::addColumn<QByteArray>("codec");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty") << QByteArray("UTF-8") << QByteArray();
    QTest::newRow("line over pieces") << QByteArray("UTF-8") << QByteArray(40000, 'x') + "\n y";
    QTest::newRow("space over pieces")
        << QByteArray("UTF-8") << QByteArray(16382, 'a') + "\xE2\x80\x83" + "b";
    const QList<QByteArray> pieces = // '|' apart
        QByteArrayLiteral(
            "a|7|-0.5| |\t|\n|\r|\r\n|\v|\f|\x1c|\0|\xC3\xA9|\xC2\xA0|\xC2\x85|\xE2\x80\x83|"
            "\xE3\x80\x80|\xF0\x9F\x98\x80|\x80|\xFF|\xC3|\xE2\x82|\xED\xA0\x80|"
            "\xEF\xBB\xBF|\xFF\xFE")
            .split('|');
    const QByteArray marks[] = {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
    QRandomGenerator random(7);
    for (const char* codec : {"UTF-8", "ISO-8859-1", "windows-1252", "Shift_JIS", "ISO-2022-JP"})
        for (int k = 0; k < 40; ++k)
        {
            QByteArray content = marks[k % 4];
            const int size = random.bounded(1, 4 * 16384);
            while (content.size() < size)
                content += pieces[random.bounded(pieces.size())];
            QTest::addRow("%s, %d", codec, k) << QByteArray(codec) << content;
        }
}

void TTextLinesTest::sameAsStream()
{
    QFETCH(QByteArray, codec);
    QFETCH(QByteArray, content);
    QTextCodec::setCodecForLocale(QTextCodec::codecForName(codec));
    QCOMPARE(QTextCodec::codecForLocale()->name(), codec);
    QCOMPARE(Lines(content), Stream_Lines(content));
}

QTEST_GUILESS_MAIN(TTextLinesTest)
#include "tst_textlines.moc"
