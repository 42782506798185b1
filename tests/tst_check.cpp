#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

// A broken invariant must stop the program in the build that ships, naming the expression,
// the source file and the line. Each case runs in a child process.
class TCheckTest : public QObject
{
    Q_OBJECT

private slots:
    void failedCheckStops_data();
    void failedCheckStops();
};

void TCheckTest::failedCheckStops_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("file");
    const auto row = [](const char* tag, const QString& expression, const char* file)
    { QTest::newRow(tag) << expression << QString(file); };
    const QString divisor = "d > std::numeric_limits<double>::epsilon()";
    const QString length = "Length > std::numeric_limits<double>::epsilon()";
    const QString section = "static_cast<unsigned int>(index) < d_data_section_%1.size()";

    // A divisor just above the epsilon passes; the program then ends normally.
    row("pass", QString(), "");
    row("vector2-divide-zero", divisor, "core/vector2.h");
    row("vector2-divide-epsilon", divisor, "core/vector2.h");
    row("vector2-normalize", length, "core/vector2.cpp");
    row("vector2-index", "false", "core/vector2.cpp");
    row("vector3-divide-zero", divisor, "core/vector3.h");
    row("vector3-normalize", length, "core/vector3.cpp");
    row("vector3-index", "false", "core/vector3.cpp");
    for (int section_number : {1, 2, 3})
        row(qPrintable(QString("section-%1").arg(section_number)), section.arg(section_number),
            "src/laserfile.cpp");
    row("graph-add-point", "Set < static_cast<int>(d_DataSets.size())", "core/graphwidget.cpp");
    row("graph-get-point", "Offset < static_cast<int>(d_DataSets[Set].Points.size())",
        "core/graphwidget.cpp");
    row("graph-remove-set", "Offset < static_cast<int>(d_DataSets.size())", "core/graphwidget.cpp");
}

void TCheckTest::failedCheckStops()
{
    QFETCH(QString, expression);
    QFETCH(QString, file);
    QProcess process; // headless, as the test itself runs
    process.start(CHECKFAIL_PATH, {QTest::currentDataTag()});
    QVERIFY(process.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(process.readAllStandardError());
    if (expression.isEmpty())
    {
        QVERIFY(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0);
        QVERIFY2(!output.contains("Check failed"), qPrintable(output));
        return;
    }
    QCOMPARE(process.exitStatus(), QProcess::CrashExit);
    const QRegularExpressionMatch match =
        QRegularExpression("Check failed: (.*), file (\\S+), line (\\d+)\n").match(output);
    QVERIFY2(match.hasMatch(), qPrintable(output));
    QCOMPARE(match.captured(1), expression);
    QCOMPARE(match.captured(2), file);

    // The line named is the line of the check in that file.
    QFile source(SOURCE_ROOT "/" + file);
    QVERIFY(source.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(source.readAll()).split('\n');
    const int line = match.captured(3).toInt();
    QVERIFY(line >= 1 && line <= lines.size());
    QVERIFY2(lines[line - 1].contains("VANTREL_CHECK(" + expression + ")"),
             qPrintable(lines[line - 1]));
}

QTEST_GUILESS_MAIN(TCheckTest)
#include "tst_check.moc"
