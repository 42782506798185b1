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
    void checkAtItsEdgePasses();

private:
    static QProcess* Run(const QString& action);
};

QProcess* TCheckTest::Run(const QString& action)
{
    QProcess* process = new QProcess;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process->setProcessEnvironment(environment);
    process->start(QStringLiteral(CHECKFAIL_PATH), {action});
    process->waitForFinished(60000);
    return process;
}

void TCheckTest::failedCheckStops_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("file");

    const QString divisor = "d > std::numeric_limits<double>::epsilon()";
    const QString length = "Length > std::numeric_limits<double>::epsilon()";
    const QString set = "Set < static_cast<int>(d_DataSets.size())";
    const QString offset = "Offset < static_cast<int>(d_DataSets[Set].Points.size())";

    QTest::newRow("vector2-divide-zero") << divisor << "core/vector2.h";
    QTest::newRow("vector2-divide-negative") << divisor << "core/vector2.h";
    QTest::newRow("vector2-divide-tiny") << divisor << "core/vector2.h";
    QTest::newRow("vector2-divide-epsilon") << divisor << "core/vector2.h";
    QTest::newRow("vector2-normalize") << length << "core/vector2.cpp";
    QTest::newRow("vector2-index") << "false"
                                   << "core/vector2.cpp";
    QTest::newRow("vector2-index-negative") << "false"
                                            << "core/vector2.cpp";
    QTest::newRow("vector3-divide-zero") << divisor << "core/vector3.h";
    QTest::newRow("vector3-normalize") << length << "core/vector3.cpp";
    QTest::newRow("vector3-index") << "false"
                                   << "core/vector3.cpp";
    QTest::newRow("section-1") << "static_cast<unsigned int>(index) < d_data_section_1.size()"
                               << "src/laserfile.cpp";
    QTest::newRow("section-2") << "static_cast<unsigned int>(index) < d_data_section_2.size()"
                               << "src/laserfile.cpp";
    QTest::newRow("section-3") << "static_cast<unsigned int>(index) < d_data_section_3.size()"
                               << "src/laserfile.cpp";
    QTest::newRow("graph-add-point") << set << "core/graphwidget.cpp";
    QTest::newRow("graph-point-count") << set << "core/graphwidget.cpp";
    QTest::newRow("graph-get-point") << offset << "core/graphwidget.cpp";
    QTest::newRow("graph-set-point") << offset << "core/graphwidget.cpp";
    QTest::newRow("graph-remove-point") << offset << "core/graphwidget.cpp";
    QTest::newRow("graph-remove-set") << "Offset < static_cast<int>(d_DataSets.size())"
                                      << "core/graphwidget.cpp";
}

void TCheckTest::failedCheckStops()
{
    QFETCH(QString, expression);
    QFETCH(QString, file);

    QScopedPointer<QProcess> process(Run(QTest::currentDataTag()));
    QCOMPARE(process->exitStatus(), QProcess::CrashExit);

    const QString output = QString::fromLocal8Bit(process->readAllStandardError());
    const QRegularExpression pattern(
        QStringLiteral("Check failed: (.*), file (\\S+), line (\\d+)\n"));
    const QRegularExpressionMatch match = pattern.match(output);
    QVERIFY2(match.hasMatch(), qPrintable(output));
    QCOMPARE(match.captured(1), expression);
    QCOMPARE(match.captured(2), file);

    // The line named is the line of the check in that file.
    QFile source(QStringLiteral(SOURCE_ROOT "/") + file);
    QVERIFY(source.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(source.readAll()).split('\n');
    const int line = match.captured(3).toInt();
    QVERIFY(line >= 1 && line <= lines.size());
    QVERIFY2(lines[line - 1].contains("VANTREL_CHECK(" + expression + ")"),
             qPrintable(lines[line - 1]));
}

void TCheckTest::checkAtItsEdgePasses()
{
    QScopedPointer<QProcess> process(Run(QStringLiteral("pass")));
    QCOMPARE(process->exitStatus(), QProcess::NormalExit);
    QCOMPARE(process->exitCode(), 0);
    QVERIFY(!process->readAllStandardError().contains("Check failed"));
}

QTEST_GUILESS_MAIN(TCheckTest)
#include "tst_check.moc"
