#include "src/numbertext.h"
#include "testlocale.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cmath>

namespace
{

// Every text of up to six characters of the alphabet, and random long numbers with and
// without a point and a minus.
QVector<QString> Texts()
{
    QVector<QString> texts, shorter = {QString()};
    for (int length = 1; length <= 6; ++length)
    {
        QVector<QString> longer;
        for (const QString& text : shorter)
            for (QChar character : QStringLiteral("019.-+e "))
                longer << text + character;
        texts += longer;
        shorter = longer;
    }
    QRandomGenerator random(3);
    for (int k = 0; k < 100000; ++k)
    {
        QString text;
        const int length = random.bounded(1, 20);
        for (int digit = 0; digit < length; ++digit)
            text += QChar('0' + random.bounded(10));
        if (random.bounded(2))
            text.insert(random.bounded(length + 1), '.');
        texts << (random.bounded(2) ? '-' + text : text);
    }
    return texts;
}

} // namespace

// The readers convert most numbers the quick way; every text must convert exactly as Qt's
// conversions convert it, bit for bit and with the same success.
class TNumberTextTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Pin_German_Locale(); }
    void sameAsQt();
};

void TNumberTextTest::sameAsQt()
{
    int plain = 0;
    for (const QString& text : Texts())
    {
        const QStringRef ref(&text);
        bool ok = false, expected_ok = false;
        const double value = Text_To_Double(ref, &ok);
        const double expected = ref.toDouble(&expected_ok);
        if (ok != expected_ok ||
            (ok && (value != expected || std::signbit(value) != std::signbit(expected))))
            QFAIL(qPrintable("double differs on '" + text + "'"));
        const int whole = Text_To_Int(ref, &ok);
        const int expected_whole = ref.toInt(&expected_ok, 10);
        if (ok != expected_ok || (ok && whole != expected_whole))
            QFAIL(qPrintable("int differs on '" + text + "'"));
        plain += Plain_Decimal(ref).has_value();
    }
    QVERIFY(plain > 50000);
}

QTEST_GUILESS_MAIN(TNumberTextTest)
#include "tst_numbertext.moc"
