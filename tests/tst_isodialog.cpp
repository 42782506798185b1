#include "src/batch.h"
#include "src/commandline.h"
#include "src/isodialog.h"
#include "testlocale.h"
#include "windowdriver.h"

#include <QBuffer>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

// The "ISO 230-2..." button of the real window and the dialog it opens: its figures, its
// copy and its file, read back from the real clipboard and real files.
class TIsoDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Pin_German_Locale(); }
    void dialog();
};

void TIsoDialogTest::dialog()
{
    QTemporaryDir folder;
    TWindowDriver window;
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QFile hand(QFINDTESTDATA("data/iso-hand.rtl"));
    QVERIFY(hand.open(QIODevice::ReadOnly));
    const QByteArray content = hand.readAll();
    QAbstractButton* iso = window.Button("ISO 230-2...");
    QVERIFY(window.Import(Write(folder.filePath("axis.rta"), content)));
    QVERIFY(!iso->isEnabled());
    QVERIFY(window.Import(Write(folder.filePath("axis.rtl"), content)));
    QVERIFY(iso->isEnabled());

    window.Click("ISO 230-2...");
    auto* dialog = window.findChild<TIsoDialog*>();
    QVERIFY(dialog && dialog->isVisible());
    // The figures of the hand case (see tst_iso2302): B = 2 first at target 2; A from the
    // top of the up band at 3 to the bottom of the down band at 2.
    const auto* figures = dialog->findChild<QTableWidget*>();
    QCOMPARE(figures->item(3, 0)->text() + ' ' + figures->item(3, 1)->text() + ' ' +
                 figures->item(3, 2)->text(),
             QString("B 2 at 2"));
    QCOMPARE(figures->item(0, 2)->text(), QString("max at 3, min at 2"));
    QStringList labels;
    for (const QLabel* label : dialog->findChildren<QLabel*>())
        labels << label->text();
    QVERIFY(labels.contains("Fewer runs than ISO 230-2 asks for: 2 up and 2 down, where it asks "
                            "for 5 in each direction."));

    // "Copy" gives the text that `vantrel --iso230-2` prints; "Save As..." writes it, or
    // says why not.
    QBuffer out;
    QBuffer err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    TBatchStreams streams = {out, err};
    const TCommandLine line =
        Parse_Command_Line({"vantrel", "--iso230-2", folder.filePath("axis.rtl")});
    QCOMPARE(int(Run_Batch(line, streams)), int(Batch_Done));
    const QString text = QString::fromUtf8(out.data());
    QVERIFY(text.startsWith("quantity,value\n"));
    const auto button = [&](const char* name)
    {
        for (QPushButton* found : dialog->findChildren<QPushButton*>())
            if (found->text() == name)
                return found;
        return static_cast<QPushButton*>(nullptr);
    };
    const auto error_line = [&]
    {
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            if (label->isVisible() && label->text().startsWith("ERR:"))
                return label->text();
        return QString();
    };
    QTest::mouseClick(button("Copy"), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), text);
    const QString csv = folder.filePath("axis - ISO 230-2.csv");
    QCOMPARE(TWindowDriver::Answer_Dialog(button("Save As..."), csv),
             "Select file to write | CSV Files (*.csv) | " + csv);
    QFile written(csv);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromLatin1(written.readAll()), text);
    QCOMPARE(error_line(), QString());
    TWindowDriver::Answer_Dialog(button("Save As..."), "/proc/vantrel-test.csv");
    QCOMPARE(error_line(), QString("ERR:  Cannot write output file '/proc/vantrel-test.csv'"));

    // Loading another file closes the evaluation of the one before.
    QVERIFY(window.Import(Write(folder.filePath("other.rtl"), content)));
    QVERIFY(!dialog->isVisible());
}

QTEST_MAIN(TIsoDialogTest)
#include "tst_isodialog.moc"
