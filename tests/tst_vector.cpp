#include "core/vector2.h"
#include "core/vector3.h"

#include <QtTest>

#include <cmath>
#include <limits>

using TComponents = QVector<double>;

namespace
{

TComponents Of(const TVector2& v)
{
    return {v.x, v.y};
}
TComponents Of(const TVector3& v)
{
    return {v.x, v.y, v.z};
}

} // namespace

class TVectorTest : public QObject
{
    Q_OBJECT

private slots:
    void arithmetic_data();
    void arithmetic();
    void indexAccess();
    void normalizeInPlace();
    void crossWithItself();
};

// Exact results: the types do plain double arithmetic in component order.
void TVectorTest::arithmetic_data()
{
    QTest::addColumn<TComponents>("result");
    QTest::addColumn<TComponents>("expected");

    const TVector2 a(1.5, -2.0), b(0.25, 4.0);
    const double above_epsilon = std::nextafter(std::numeric_limits<double>::epsilon(), 1.0);
    QTest::newRow("2: default") << Of(TVector2()) << TComponents{0, 0};
    QTest::newRow("2: v + v") << Of(a + b) << TComponents{1.75, 2.0};
    QTest::newRow("2: v + s") << Of(a + 3.0) << TComponents{4.5, 1.0};
    QTest::newRow("2: s + v") << Of(3.0 + a) << TComponents{4.5, 1.0};
    QTest::newRow("2: v - v") << Of(a - b) << TComponents{1.25, -6.0};
    QTest::newRow("2: v - s") << Of(a - 0.5) << TComponents{1.0, -2.5};
    QTest::newRow("2: v * s") << Of(a * 2.0) << TComponents{3.0, -4.0};
    QTest::newRow("2: s * v") << Of(-2.0 * a) << TComponents{-3.0, 4.0};
    QTest::newRow("2: v . v") << TComponents{TVector2(1, 2) * TVector2(3, 4)} << TComponents{11};
    QTest::newRow("2: v / 2") << Of(TVector2(2, 4) / 2.0) << TComponents{1, 2};
    QTest::newRow("2: v / 3") << Of(TVector2(1, -2) / 3.0) << TComponents{1.0 / 3, -2.0 / 3};
    QTest::newRow("2: v / just above epsilon")
        << Of(TVector2(1, 0) / above_epsilon) << TComponents{1 / above_epsilon, 0};
    QTest::newRow("2: normalize") << Of(TVector2(3, 4).Normalize()) << TComponents{0.6, 0.8};

    const TVector3 c(1.0, -2.0, 0.5), d(4.0, 0.25, -1.0);
    QTest::newRow("3: default") << Of(TVector3()) << TComponents{0, 0, 0};
    QTest::newRow("3: v + v") << Of(c + d) << TComponents{5.0, -1.75, -0.5};
    QTest::newRow("3: v + s") << Of(c + 1.0) << TComponents{2.0, -1.0, 1.5};
    QTest::newRow("3: s + v") << Of(1.0 + c) << TComponents{2.0, -1.0, 1.5};
    QTest::newRow("3: v - v") << Of(c - d) << TComponents{-3.0, -2.25, 1.5};
    QTest::newRow("3: v - s") << Of(c - 1.0) << TComponents{0.0, -3.0, -0.5};
    QTest::newRow("3: v * s") << Of(c * 4.0) << TComponents{4.0, -8.0, 2.0};
    QTest::newRow("3: s * v") << Of(4.0 * c) << TComponents{4.0, -8.0, 2.0};
    QTest::newRow("3: v . v") << TComponents{TVector3(1, 2, 3) * TVector3(4, 5, 6)}
                              << TComponents{32};
    QTest::newRow("3: v / s") << Of(TVector3(2, 4, -8) / 2.0) << TComponents{1, 2, -4};
    QTest::newRow("3: normalize") << Of(TVector3(0, 3, 4).Normalize()) << TComponents{0, 0.6, 0.8};
    QTest::newRow("3: x cross y") << Of(Cross({1, 0, 0}, {0, 1, 0})) << TComponents{0, 0, 1};
    QTest::newRow("3: y cross x") << Of(Cross({0, 1, 0}, {1, 0, 0})) << TComponents{0, 0, -1};
    QTest::newRow("3: cross") << Of(Cross({1, 2, 3}, {4, 5, 6})) << TComponents{-3, 6, -3};
    QTest::newRow("3: in-place cross")
        << Of(TVector3(1, 2, 3).Cross({4, 5, 6})) << TComponents{-3, 6, -3};
    QTest::newRow("3: parallel") << Of(Cross({1, 2, 3}, {2, 4, 6})) << TComponents{0, 0, 0};
}

void TVectorTest::arithmetic()
{
    QFETCH(TComponents, result);
    QFETCH(TComponents, expected);
    QCOMPARE(result, expected);
}

void TVectorTest::indexAccess()
{
    TVector2 v(5.0, 6.0);
    v[1] = -2.0;
    QCOMPARE(static_cast<const TVector2&>(v)[0], 5.0);
    QCOMPARE(static_cast<const TVector2&>(v)[1], -2.0);
    TVector3 w(1.0, 2.0, 3.0);
    w[2] = 9.0;
    QCOMPARE(Of(w), (TComponents{1, 2, 9}));
    QCOMPARE(static_cast<const TVector3&>(w)[2], 9.0);
}

void TVectorTest::normalizeInPlace()
{
    TVector2 v(3.0, 4.0);
    QCOMPARE(&v.Normalize(), &v);
    TVector3 w(0.0, 3.0, 4.0);
    QCOMPARE(&w.Normalize(), &w);
    QCOMPARE(&w.Cross(w), &w);
}

// Both operands are read before any component is written.
void TVectorTest::crossWithItself()
{
    TVector3 v(1.0, 2.0, 3.0);
    QCOMPARE(Of(v.Cross(v)), (TComponents{0, 0, 0}));
    const TVector3 w(-4.0, 0.5, 2.0);
    QCOMPARE(Of(Cross(w, w)), (TComponents{0, 0, 0}));
}

QTEST_GUILESS_MAIN(TVectorTest)
#include "tst_vector.moc"
