#include "core/vector2.h"
#include "core/vector3.h"

#include <QtTest>

#include <cmath>
#include <limits>

Q_DECLARE_METATYPE(TVector2)
Q_DECLARE_METATYPE(TVector3)

namespace
{

bool Same(const TVector2& a, const TVector2& b)
{
    return a.x == b.x && a.y == b.y;
}

bool Same(const TVector3& a, const TVector3& b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

QByteArray Text(const TVector3& v)
{
    return QByteArray::number(v.x) + ", " + QByteArray::number(v.y) + ", " +
           QByteArray::number(v.z);
}

} // namespace

class TVectorTest : public QObject
{
    Q_OBJECT

private slots:
    void vector2Arithmetic_data();
    void vector2Arithmetic();
    void vector2DotProduct();
    void vector2Defaults();
    void vector2IndexAccess();
    void vector2Normalize();
    void vector3Arithmetic_data();
    void vector3Arithmetic();
    void vector3IndexAccess();
    void vector3Normalize();
    void vector3Cross_data();
    void vector3Cross();
    void vector3CrossWithItself();
};

void TVectorTest::vector2Arithmetic_data()
{
    QTest::addColumn<TVector2>("result");
    QTest::addColumn<TVector2>("expected");

    const TVector2 a(1.5, -2.0);
    const TVector2 b(0.25, 4.0);
    QTest::newRow("vector + vector") << a + b << TVector2(1.75, 2.0);
    QTest::newRow("vector + scalar") << a + 3.0 << TVector2(4.5, 1.0);
    QTest::newRow("scalar + vector") << 3.0 + a << TVector2(4.5, 1.0);
    QTest::newRow("vector - vector") << a - b << TVector2(1.25, -6.0);
    QTest::newRow("vector - scalar") << a - 0.5 << TVector2(1.0, -2.5);
    QTest::newRow("vector * scalar") << a * 2.0 << TVector2(3.0, -4.0);
    QTest::newRow("scalar * vector") << -2.0 * a << TVector2(-3.0, 4.0);
    QTest::newRow("divide by 2") << TVector2(2.0, 4.0) / 2.0 << TVector2(1.0, 2.0);
    QTest::newRow("divide by 3") << TVector2(1.0, -2.0) / 3.0 << TVector2(1.0 / 3.0, -2.0 / 3.0);
    // The smallest divisor the check lets through: just above the machine epsilon.
    const double above = std::nextafter(std::numeric_limits<double>::epsilon(), 1.0);
    QTest::newRow("divide just above epsilon")
        << TVector2(1.0, 0.0) / above << TVector2(1.0 / above, 0.0);
}

void TVectorTest::vector2Arithmetic()
{
    QFETCH(TVector2, result);
    QFETCH(TVector2, expected);
    QVERIFY2(Same(result, expected),
             qPrintable(QString("(%1, %2)").arg(result.x, 0, 'g', 17).arg(result.y, 0, 'g', 17)));
}

void TVectorTest::vector2DotProduct()
{
    QCOMPARE(TVector2(1, 2) * TVector2(3, 4), 11.0);
    QCOMPARE(TVector2(1, 0) * TVector2(0, 1), 0.0);
}

void TVectorTest::vector2Defaults()
{
    const TVector2 zero;
    QCOMPARE(zero.x, 0.0);
    QCOMPARE(zero.y, 0.0);
    const TVector2 v(-7.25, 1e300);
    QVERIFY(Same(v + zero, v));
    QVERIFY(Same(zero + v, v));

    TVector2 copy(v);
    QVERIFY(Same(copy, v));
    copy = TVector2(3, 4);
    QVERIFY(Same(copy, TVector2(3, 4)));
}

void TVectorTest::vector2IndexAccess()
{
    TVector2 v(5.0, 6.0);
    const TVector2& read = v;
    QCOMPARE(read[0], 5.0);
    QCOMPARE(read[1], 6.0);
    v[0] = -1.0;
    v[1] = -2.0;
    QVERIFY(Same(v, TVector2(-1.0, -2.0)));
}

void TVectorTest::vector2Normalize()
{
    TVector2 v(3.0, 4.0);
    TVector2& result = v.Normalize();
    QCOMPARE(&result, &v);
    QVERIFY(Same(v, TVector2(0.6, 0.8)));
}

void TVectorTest::vector3Arithmetic_data()
{
    QTest::addColumn<TVector3>("result");
    QTest::addColumn<TVector3>("expected");

    const TVector3 a(1.0, -2.0, 0.5);
    const TVector3 b(4.0, 0.25, -1.0);
    QTest::newRow("vector + vector") << a + b << TVector3(5.0, -1.75, -0.5);
    QTest::newRow("vector + scalar") << a + 1.0 << TVector3(2.0, -1.0, 1.5);
    QTest::newRow("scalar + vector") << 1.0 + a << TVector3(2.0, -1.0, 1.5);
    QTest::newRow("vector - vector") << a - b << TVector3(-3.0, -2.25, 1.5);
    QTest::newRow("vector - scalar") << a - 1.0 << TVector3(0.0, -3.0, -0.5);
    QTest::newRow("vector * scalar") << a * 4.0 << TVector3(4.0, -8.0, 2.0);
    QTest::newRow("scalar * vector") << 4.0 * a << TVector3(4.0, -8.0, 2.0);
    QTest::newRow("divide") << TVector3(2.0, 4.0, -8.0) / 2.0 << TVector3(1.0, 2.0, -4.0);
    QTest::newRow("default") << TVector3() << TVector3(0.0, 0.0, 0.0);
}

void TVectorTest::vector3Arithmetic()
{
    QFETCH(TVector3, result);
    QFETCH(TVector3, expected);
    QVERIFY2(Same(result, expected), Text(result).constData());
}

void TVectorTest::vector3IndexAccess()
{
    TVector3 v(1.0, 2.0, 3.0);
    const TVector3& read = v;
    QCOMPARE(read[0], 1.0);
    QCOMPARE(read[1], 2.0);
    QCOMPARE(read[2], 3.0);
    v[2] = 9.0;
    QCOMPARE(v.z, 9.0);
    QCOMPARE(TVector3(1, 2, 3) * TVector3(4, 5, 6), 32.0);
}

void TVectorTest::vector3Normalize()
{
    TVector3 v(0.0, 3.0, 4.0);
    QCOMPARE(&v.Normalize(), &v);
    QVERIFY2(Same(v, TVector3(0.0, 0.6, 0.8)), Text(v).constData());
}

void TVectorTest::vector3Cross_data()
{
    QTest::addColumn<TVector3>("a");
    QTest::addColumn<TVector3>("b");
    QTest::addColumn<TVector3>("expected");

    QTest::newRow("x cross y") << TVector3(1, 0, 0) << TVector3(0, 1, 0) << TVector3(0, 0, 1);
    QTest::newRow("y cross x") << TVector3(0, 1, 0) << TVector3(1, 0, 0) << TVector3(0, 0, -1);
    QTest::newRow("y cross z") << TVector3(0, 1, 0) << TVector3(0, 0, 1) << TVector3(1, 0, 0);
    QTest::newRow("general") << TVector3(1, 2, 3) << TVector3(4, 5, 6) << TVector3(-3, 6, -3);
    QTest::newRow("parallel") << TVector3(1, 2, 3) << TVector3(2, 4, 6) << TVector3(0, 0, 0);
}

void TVectorTest::vector3Cross()
{
    QFETCH(TVector3, a);
    QFETCH(TVector3, b);
    QFETCH(TVector3, expected);

    const TVector3 result = Cross(a, b);
    QVERIFY2(Same(result, expected), Text(result).constData());

    TVector3 in_place = a;
    QCOMPARE(&in_place.Cross(b), &in_place);
    QVERIFY2(Same(in_place, expected), Text(in_place).constData());
}

void TVectorTest::vector3CrossWithItself()
{
    TVector3 v(1.0, 2.0, 3.0);
    v.Cross(v);
    QVERIFY2(Same(v, TVector3(0, 0, 0)), Text(v).constData());

    const TVector3 w(-4.0, 0.5, 2.0);
    QVERIFY(Same(Cross(w, w), TVector3(0, 0, 0)));
}

QTEST_GUILESS_MAIN(TVectorTest)
#include "tst_vector.moc"
