#include "core/vector2.h"
#include "core/vector3.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

using TComponents = QVector<double>;

// The vectors' arithmetic, and the checks of the vectors, the model and the graph.
class TCheckTest : public QObject
{
    Q_OBJECT

    static TComponents Of(const TVector2& v) { return {v.x, v.y}; }
    static TComponents Of(const TVector3& v) { return {v.x, v.y, v.z}; }

private slots:
    void arithmetic();
    void failedCheckStops_data();
    void failedCheckStops();
};

// Exact results of plain double arithmetic in component order, one case of each operator,
// two- then three-dimensional. In place: written through the index, normalised, crossed with
// itself (which must read every component before it writes one).
void TCheckTest::arithmetic()
{
    const TVector2 a(1.5, -2.0), b(0.25, 4.0);
    const TVector3 c(1.0, -2.0, 0.5), d(4.0, 0.25, -1.0);
    TVector2 e(5, 6), n(3, 4);
    TVector3 f(1, 2, 3), m(0, 3, 4), s(1, 2, 3);
    e[1] = f[2] = -2.0;
    n.Normalize();
    m.Normalize();
    s.Cross(s);
    const TComponents result =
        Of(a + b) + Of(c + d) + Of(a + 3.0) + Of(1.0 + c) + Of(3.0 + a) + Of(c + 1.0) + Of(a - b) +
        Of(c - d) + Of(a - 0.5) + Of(c - 1.0) + Of(a * 2.0) + Of(4.0 * c) + Of(-2.0 * a) +
        Of(c * 4.0) + Of(a / 4.0) + Of(c / 4.0) +
        TComponents{a * b, c * d, e[0], std::as_const(e)[1], f[1], std::as_const(f)[2]} + Of(n) +
        Of(m) + Of(Cross(c, d)) + Of(s);
    QCOMPARE(result,
             (TComponents{1.75, 2,    5,    -1.75, -0.5,   4.5,  1,     2,   -1, 1.5,  4.5, 1,
                          2,    -1,   1.5,  1.25,  -6,     -3,   -2.25, 1.5, 1,  -2.5, 0,   -3,
                          -0.5, 3,    -4,   4,     -8,     2,    -3,    4,   4,  -8,   2,   0.375,
                          -0.5, 0.25, -0.5, 0.125, -7.625, 3,    5,     -2,  2,  -2,   0.6, 0.8,
                          0,    0.6,  0.8,  1.875, 3,      8.25, 0,     0,   0}));
}

// A broken invariant must stop the program in the build that ships, naming the source file,
// and the line that checks the expression named. Each case runs in a child process.
void TCheckTest::failedCheckStops_data()
{
    QTest::addColumn<QString>("file");
    // A divisor just above the epsilon passes; the program then ends normally.
    QTest::newRow("pass") << QString();
    QTest::newRow("vector2-divide-epsilon") << "core/vector2.h";
    QTest::newRow("vector2-normalize") << "core/vector2.cpp";
    QTest::newRow("vector2-index") << "core/vector2.cpp";
    QTest::newRow("vector3-normalize") << "core/vector3.cpp";
    QTest::newRow("section-3") << "src/laserfile.cpp";
    QTest::newRow("graph-add-point") << "core/graphwidget.cpp";
    QTest::newRow("graph-get-point") << "core/graphwidget.cpp";
}

void TCheckTest::failedCheckStops()
{
    QFETCH(QString, file);
    QProcess process; // headless, as the test itself runs
    process.start(CHECKFAIL_PATH, {QTest::currentDataTag()});
    QVERIFY(process.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(process.readAllStandardError());
    if (file.isEmpty())
    {
        QVERIFY(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0);
        QVERIFY2(!output.contains("Check failed"), qPrintable(output));
        return;
    }
    QCOMPARE(process.exitStatus(), QProcess::CrashExit);
    const QRegularExpressionMatch match =
        QRegularExpression("Check failed: (.*), file (\\S+), line (\\d+)\n").match(output);
    QVERIFY2(match.hasMatch(), qPrintable(output));
    QCOMPARE(match.captured(2), file);

    // The line named is the line of the check in that file.
    QFile source(SOURCE_ROOT "/" + file);
    QVERIFY(source.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(source.readAll()).split('\n');
    const int line = match.captured(3).toInt();
    QVERIFY(line >= 1 && line <= lines.size());
    QVERIFY2(lines[line - 1].contains("VANTREL_CHECK(" + match.captured(1) + ")"),
             qPrintable(lines[line - 1]));
}

QTEST_GUILESS_MAIN(TCheckTest)
#include "tst_check.moc"
