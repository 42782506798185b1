#include "src/wholefile.h"

#include <QTemporaryFile>
#include <QtTest>

#include <utility>

// A file that grows by `grown` bytes right after its size was first taken.
class TGrowingFile : public QFile
{
public:
    TGrowingFile(const QString& name, qint64 grown) : QFile(name), d_grown(grown) {}
    qint64 size() const override { return QFile::size() - std::exchange(d_grown, 0); }

private:
    mutable qint64 d_grown;
};

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
    QTest::addColumn<int>("skipped"); // bytes read before
    QTest::addColumn<int>("grown");
    const auto row = [](int size, int skipped, int grown) {
        QTest::addRow("%d bytes, %d read, %d grown", size, skipped, grown)
            << size << skipped << grown;
    };
    row(0, 0, 0);
    row((4 << 20) - 1, 0, 0);
    row((9 << 20) + 4097, 0, 0);
    row(5 << 20, 1000, 0);
    row(5 << 20, 0, 3000);
}

void TWholeFileTest::sameAsReadAll()
{
    QFETCH(int, size);
    QFETCH(int, skipped);
    QByteArray bytes(size, '\0');
    for (int k = 0; k < size; ++k)
        bytes[k] = static_cast<char>(static_cast<unsigned>(k) * 131u % 251u);
    QTemporaryFile temporary;
    QVERIFY(temporary.open() && temporary.write(bytes) == size && temporary.flush());
    QFETCH(int, grown);
    TGrowingFile file(temporary.fileName(), grown);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.read(skipped).size(), skipped);
    QVERIFY(Read_Whole_File(file) == bytes.mid(skipped));
    QVERIFY(file.atEnd());
}

QTEST_GUILESS_MAIN(TWholeFileTest)
#include "tst_wholefile.moc"
