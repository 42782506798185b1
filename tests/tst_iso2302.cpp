#include "src/iso2302.h"
#include "testlocale.h"

#include <QtTest>

namespace
{

// The counts and figures of the text (the second field of its lines 2 to 17), then after
// '|' the positions of its targets.
QString Summary(const QString& csv)
{
    const QStringList lines = csv.split('\n');
    QStringList figures, positions;
    for (int k = 1; k < 17; ++k)
        figures << lines.value(k).section(',', 1);
    for (int k = 19; k < lines.size() - 1; ++k)
        positions << lines[k].section(',', 1, 1);
    return figures.join(',') + '|' + positions.join(',');
}

} // namespace

class TIso2302Test : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Pin_German_Locale(); }
    void handComputed();
    void evaluate_data();
    void evaluate();
};

// Up runs (1, 2, 3) and (3, 2, 5), down runs (0, -1, 2) and (2, 1, 2) at 0, 10, 20; the
// file lists the down runs falling. With r = sqrt(2) = 1.41421356237:
//   mean up (2, 2, 4), s up (r, 0, r); mean down (1, 0, 2), s down (r, r, 0);
//   B_i (1, 2, 2), mean (1.5, 1, 3); R up (4r, 0, 4r), R down (4r, 4r, 0);
//   R_i = (max(4r + 1, 4r), max(2r + 2, 4r), max(2r + 2, 4r)) = (4r + 1, 4r, 4r).
//   A = (4 + 2r) - (0 - 2r) = 4 + 4r, max at 3, min at 2; A up = (4 + 2r) - (2 - 2r) = 2 + 4r;
//   A down = (1 + 2r) - (0 - 2r) = 1 + 4r; B = 2, B mean = 5/3; E = 4 - 0, E up = 4 - 2,
//   E down = 2 - 0, M = 3 - 1; R = 4r + 1, R up = R down = 4r.
void TIso2302Test::handComputed()
{
    TLaserFile file;
    QVERIFY(file.Load(QFINDTESTDATA("data/iso-hand.rtl")));
    QCOMPARE(Iso_Refusal(file), QString());
    QCOMPARE(Iso_Csv_Text(Evaluate_Iso_230_2(file)),
             "quantity,value\ntargets,3\nruns up,2\nruns down,2\nruns left out,0\n"
             "A,9.65685424949\nA up,7.65685424949\nA down,6.65685424949\nB,2\n"
             "B mean,1.66666666667\nE,4\nE up,2\nE down,2\nM,2\nR,6.65685424949\n"
             "R up,5.65685424949\nR down,5.65685424949\n\n"
             "target,position,mean up,mean down,s up,s down,B,R up,R down,R,mean\n"
             "1,0,2,1,1.41421356237,1.41421356237,1,5.65685424949,5.65685424949,6.65685424949,1.5\n"
             "2,10,2,0,0,1.41421356237,2,0,5.65685424949,5.65685424949,1\n"
             "3,20,4,2,1.41421356237,0,2,5.65685424949,0,5.65685424949,3\n");
}

void TIso2302Test::evaluate_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<QString>("summary");
    const auto row = [](const char* tag, const char* path, const QByteArray& content,
                        const char* refusal, const char* summary = "")
    { QTest::newRow(tag) << path << content << refusal << summary; };
    const QByteArray rtl = "TARGET DATA::\nTarget-count: 3\nTargets :\n0 10 20\nEOF::\n"
                           "DEVIATIONS::\nRun Target Data\n";
    const QByteArray up_1 = "1 1 1\n1 2 2\n1 3 3\n", up_2 = "3 1 3\n3 2 2\n3 3 5\n";
    const QByteArray down_1 = "2 3 2\n2 2 -1\n2 1 0\n", down_2 = "4 3 2\n4 2 1\n4 1 2\n";
    const QByteArray pos = "Units: mm\nPosition Laser Error AirTemp MatTemp\n";
    const char* const kind =
        "ERR:  ISO 230-2 evaluation needs a linear positioning file (RTL or POS).";

    // The hand case as API XD passes: a step back of less than 0.5 turns a pass.
    row("passes", "a.pos",
        pos + "0 0 1\n10 0 2\n20 0 3\n20 0 2\n10 0 -1\n0 0 0\n0 0 3\n10 0 2\n20 0 5\n"
              "20 0 2\n10 0 1\n0 0 2\n",
        "",
        "3,2,2,0,9.65685424949,7.65685424949,6.65685424949,2,1.66666666667,4,2,2,2,"
        "6.65685424949,5.65685424949,5.65685424949|0,10,20");
    // Only E up = 4 - 2 needs no second run and no down run.
    row("one run, up only", "a.rtl", rtl + up_1, "", "3,1,0,0,,,,,,,2,,,,,|0,10,20");
    // A down = (1 + 2r) - (0 - 2r), E down = 2 - 0, R down = 4r, as in the hand case.
    row("down only", "a.rtl", rtl + down_1 + down_2, "",
        "3,0,2,0,,,6.65685424949,,,,,2,,,,5.65685424949|0,10,20");
    // Down (0, -1, 2) alone has no s: B_i (2, 3, 2), B mean 7/3, E = 4 - (-1), E down = 2 - (-1),
    // mean (1, 0.5, 3) so M = 2.5; the up figures of the hand case.
    row("one run down", "a.rtl", rtl + up_1 + down_1 + up_2, "",
        "3,2,1,0,,7.65685424949,,3,2.33333333333,5,2,3,2.5,,5.65685424949,|0,10,20");
    // Passes (0, 10) up, left out; (9.6, 4, 1) down and (1.2, 4, 9.6) up: the positions are
    // those of the first run evaluated. B_i = 2 - 1, E = 2 - 1, M = 1.5 - 1.5.
    row("runs left out", "a.pos",
        pos + "0 0 5\n10 0 5\n9.6 0 1\n4 0 1\n1 0 1\n1.2 0 2\n4 0 2\n9.6 0 2\n", "",
        "3,1,1,1,,,,1,1,1,0,0,0,,,|1,4,9.6");
    row("angular", "a.rta", rtl + up_1, kind);
    row("straightness", "a.str", "Units: mm\nPosition XX YY\n0 1 1\n", kind);
    row("no run", "a.rtl", rtl, "ERR:  ISO 230-2 evaluation needs a run in section 1.");
    row("not loaded", "", "", kind);
}

void TIso2302Test::evaluate()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, content);
    QFETCH(QString, refusal);
    QFETCH(QString, summary);

    TLaserFile file;
    QCOMPARE(path.isEmpty() || file.Load_Content(path, content), true);
    QCOMPARE(Iso_Refusal(file), refusal);
    if (refusal.isEmpty())
        QCOMPARE(Summary(Iso_Csv_Text(Evaluate_Iso_230_2(file))), summary);
}

QTEST_GUILESS_MAIN(TIso2302Test)
#include "tst_iso2302.moc"
