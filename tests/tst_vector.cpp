#include "core/vector2.h"
#include "core/vector3.h"

#include <QtTest>

using TComponents = QVector<double>;

class TVectorTest : public QObject
{
    Q_OBJECT

    static TComponents Of(const TVector2& v) { return {v.x, v.y}; }
    static TComponents Of(const TVector3& v) { return {v.x, v.y, v.z}; }

private slots:
    void arithmetic_data();
    void arithmetic();
};

// Exact results: the types do plain double arithmetic in component order. Each row gives the
// two-dimensional result first and the three-dimensional one after it.
void TVectorTest::arithmetic_data()
{
    QTest::addColumn<TComponents>("result");
    QTest::addColumn<TComponents>("expected");
    const auto row = [](const char* tag, const TComponents& result, const TComponents& expected)
    { QTest::newRow(tag) << result << expected; };
    const TVector2 a(1.5, -2.0), b(0.25, 4.0);
    const TVector3 c(1.0, -2.0, 0.5), d(4.0, 0.25, -1.0);
    // In place: written through the index, normalised, crossed with itself (which must read
    // every component before it writes one).
    TVector2 e(5, 6), n(3, 4);
    TVector3 f(1, 2, 3), m(0, 3, 4), s(1, 2, 3);
    e[1] = -2.0;
    f[2] = -2.0;
    n.Normalize();
    m.Normalize();
    s.Cross(s);

    row("default", Of(TVector2()) + Of(TVector3()), {0, 0, 0, 0, 0});
    row("v + v", Of(a + b) + Of(c + d), {1.75, 2.0, 5.0, -1.75, -0.5});
    row("v + s", Of(a + 3.0) + Of(c + 1.0), {4.5, 1.0, 2.0, -1.0, 1.5});
    row("s + v", Of(3.0 + a) + Of(1.0 + c), {4.5, 1.0, 2.0, -1.0, 1.5});
    row("v - v", Of(a - b) + Of(c - d), {1.25, -6.0, -3.0, -2.25, 1.5});
    row("v - s", Of(a - 0.5) + Of(c - 1.0), {1.0, -2.5, 0.0, -3.0, -0.5});
    row("v * s", Of(a * 2.0) + Of(c * 4.0), {3.0, -4.0, 4.0, -8.0, 2.0});
    row("s * v", Of(-2.0 * a) + Of(4.0 * c), {-3.0, 4.0, 4.0, -8.0, 2.0});
    row("v . v", {TVector2(1, 2) * TVector2(3, 4), TVector3(1, 2, 3) * TVector3(4, 5, 6)},
        {11, 32});
    row("v / s", Of(a / 3.0) + Of(c / 3.0), {0.5, -2.0 / 3, 1.0 / 3, -2.0 / 3, 0.5 / 3});
    row("index", {e[0], e[1], std::as_const(e)[1], f[0], f[1], f[2], std::as_const(f)[2]},
        {5, -2, -2, 1, 2, -2, -2});
    row("normalize", Of(n) + Of(m), {0.6, 0.8, 0, 0.6, 0.8});
    row("cross", Of(Cross({1, 2, 3}, {4, 5, 6})) + Of(TVector3(1, 2, 3).Cross({4, 5, 6})),
        {-3, 6, -3, -3, 6, -3});
    row("cross with itself", Of(s), {0, 0, 0});
}

void TVectorTest::arithmetic()
{
    QFETCH(TComponents, result);
    QTEST(result, "expected");
}

QTEST_GUILESS_MAIN(TVectorTest)
#include "tst_vector.moc"
