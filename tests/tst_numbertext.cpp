#include "sometexts.h"
#include "src/numbertext.h"
#include "testlocale.h"

#include <QtTest>

// The readers convert most numbers the quick way; every text must convert exactly as Qt's
// conversions convert it, bit for bit and with the same success.
class TNumberTextTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Pin_German_Locale(); }
    void sameAsQt();
};

// Every text of up to six characters of the alphabet, and random numbers up to and past the
// digits that a double or an int holds.
void TNumberTextTest::sameAsQt()
{
    QVector<QString> texts = All_Texts(QStringLiteral("019.-+e "), 6);
    QRandomGenerator random(3);
    for (int k = 0; k < 100000; ++k)
        texts << Random_Number(random, 19);
    int plain = 0;
    for (const QString& text : texts)
    {
        const QStringView ref(text);
        bool ok = false, expected_ok = false;
        const double value = Text_To_Double(ref, &ok);
        const double expected = ref.toDouble(&expected_ok);
        if (ok != expected_ok || (ok && !Same_Double(value, expected)))
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
