#include "src/wholefile.h"

#include <QFile>
#include <QTemporaryFile>
#include <QtTest>

// Loading reads a file whole; for large files it does so into a buffer of its own, which
// must hold exactly what QIODevice::readAll gives.
class TWholeFileTest : public QObject
{
    Q_OBJECT

private slots:
    void sameAsReadAll_data();
    void sameAsReadAll();
};

void TWholeFileTest::sameAsReadAll_data()
{
    QTest::addColumn<int>("size");
    for (int size : {0, 1, 100, (4 << 20) - 1, 4 << 20, (9 << 20) + 4097, 40 << 20})
        QTest::addRow("%d bytes", size) << size;
}

void TWholeFileTest::sameAsReadAll()
{
    QFETCH(int, size);
    QTemporaryFile temporary;
    QVERIFY(temporary.open());
    QByteArray bytes(size, '\0');
    for (int k = 0; k < size; ++k)
        bytes[k] = static_cast<char>(static_cast<unsigned>(k) * 131u % 251u);
    QCOMPARE(temporary.write(bytes), qint64(size));
    temporary.close();

    QFile file(temporary.fileName());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = Read_Whole_File(file);
    QVERIFY(content == bytes);
    QVERIFY(file.atEnd());
}

QTEST_GUILESS_MAIN(TWholeFileTest)
#include "tst_wholefile.moc"
