#include "pebuilder.h"
#include "platform/peicons.h"
#include "testenv.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QtTest>

using platform::PeIcons::Contents;
using platform::PeIcons::read;

namespace {
QImage decode(const QByteArray &ico)
{
    return QImage::fromData(ico, "ICO");
}
} // namespace

class TestPeIcons : public QObject
{
    Q_OBJECT
private slots:
    void oneIconDecodesThroughQt()
    {
        const Contents c = read(PeBuilder::oneGroup({ 32 }).build());
        QCOMPARE(c.icons.size(), 1);
        QCOMPARE(c.groups.size(), 1);
        QCOMPARE(c.icons[0].id, 1u);
        QCOMPARE(c.icons[0].width, 32);
        QCOMPARE(c.icons[0].height, 32);
        QCOMPARE(c.icons[0].bitCount, 32);
        QVERIFY(!c.icons[0].png);
        const QImage img = decode(c.icons[0].ico());
        QCOMPARE(img.size(), QSize(32, 32));
        QCOMPARE(QColor(img.pixel(5, 5)), QColor(Qt::darkCyan));
    }

    // Groups come back as whole icon files, 32- and 64-bit programs alike.
    void severalSizesInOrder_data()
    {
        QTest::addColumn<bool>("pe64");
        QTest::newRow("PE32") << false;
        QTest::newRow("PE32+") << true;
    }
    void severalSizesInOrder()
    {
        QFETCH(bool, pe64);
        PeBuilder b = PeBuilder::oneGroup({ 16, 32, 48 }, 5);
        b.pe64 = pe64;
        const Contents c = read(b.build());
        QCOMPARE(c.icons.size(), 3);
        QList<int> widths;
        for (const auto &icon : c.icons)
            widths << decode(icon.ico()).width();
        QCOMPARE(widths, QList<int>({ 16, 32, 48 }));
        QCOMPARE(c.icons[2].id, 7u);
        QCOMPARE(c.groups.size(), 1);
        QCOMPARE(c.groups[0].images.size(), 3);
        QByteArray ico = c.groups[0].ico();
        QBuffer buf(&ico);
        QImageReader reader(&buf, "ICO");
        QCOMPARE(reader.imageCount(), 3);
    }

    void pngEntries()
    {
        const Contents c = read(PeBuilder::oneGroup({ 256, 48 }, 1, true).build());
        QCOMPARE(c.icons.size(), 2);
        QVERIFY(c.icons[0].png);
        QCOMPARE(c.icons[0].width, 256);
        QCOMPARE(decode(c.icons[0].ico()).size(), QSize(256, 256));
        QCOMPARE(decode(c.icons[1].ico()).size(), QSize(48, 48));
        QCOMPARE(decode(c.groups[0].ico()).isNull(), false);
    }

    // A group naming an image the file lacks keeps the images it has.
    void groupWithMissingImage()
    {
        PeBuilder b = PeBuilder::oneGroup({ 32 });
        b.groups.append({ 2, { 1, 40 } });
        const Contents c = read(b.build());
        QCOMPARE(c.groups.size(), 2);
        QCOMPARE(c.groups[1].images.size(), 1);
    }

    void notAProgram_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("MZ alone") << QByteArray("MZ");
        QTest::newRow("text") << QByteArray(4096, 'x');
        QByteArray noRes = PeBuilder::oneGroup({ 16 }).build();
        noRes.replace(0x200, 16, QByteArray(16, '\0')); // a root directory with no types
        QTest::newRow("no resources") << noRes;
    }
    void notAProgram()
    {
        QFETCH(QByteArray, data);
        const Contents c = read(data);
        QVERIFY(c.icons.isEmpty());
        QVERIFY(c.groups.isEmpty());
    }

    // Cut anywhere, the file yields at most what the whole one did, and every
    // image lies inside what is left.
    void truncatedAnywhere()
    {
        const QByteArray whole = PeBuilder::oneGroup({ 16, 32 }).build();
        const int full = read(whole).icons.size();
        QCOMPARE(full, 2);
        for (int n = 0; n < whole.size(); n += 7) {
            const QByteArray cut = whole.left(n);
            const Contents c = read(cut);
            QVERIFY(c.icons.size() <= full);
            for (const auto &icon : c.icons)
                QVERIFY(cut.contains(icon.data));
        }
        QVERIFY(read(whole.left(0x200)).icons.isEmpty()); // headers only
    }

    // Every offset, size and count pointed past the end, or made huge.
    void hostileFields()
    {
        PeBuilder b = PeBuilder::oneGroup({ 16, 32 });
        const QByteArray good = b.build();
        QVERIFY(b.fields.size() > 15);
        for (auto it = b.fields.cbegin(); it != b.fields.cend(); ++it) {
            for (quint32 value : { 0xfffffff0u, quint32(good.size()), 0x7fffffffu, 0x80000000u }) {
                QByteArray bad = good;
                const int bytes = it.key().endsWith("16") ? 2 : 4;
                for (int i = 0; i < bytes; ++i)
                    bad[it.value() + i] = char((value >> (8 * i)) & 0xff);
                const Contents c = read(bad);
                // A huge count reads the bytes after the table as entries: still bounded.
                QVERIFY2(c.icons.size() <= (bytes == 2 ? platform::PeIcons::MaxEntries : 2), qPrintable(it.key()));
                for (const auto &icon : c.icons)
                    QVERIFY2(bad.contains(icon.data), qPrintable(it.key()));
            }
        }
        // Fields without which nothing can be found.
        for (const char *f : { "e_lfanew", "resourceRva", "sectionRawOffset", "sectionRva" }) {
            QByteArray bad = good;
            bad[b.fields[f] + 3] = char(0x7f);
            QVERIFY2(read(bad).icons.isEmpty(), f);
        }
    }

    // A directory entry that points back at the root reads no deeper.
    void loopingDirectory()
    {
        PeBuilder b = PeBuilder::oneGroup({ 16 });
        QByteArray data = b.build();
        const int at = b.fields["res0Offset"];
        for (int i = 0; i < 4; ++i)
            data[at + i] = char(i == 3 ? 0x80 : 0);
        const Contents c = read(data);
        QVERIFY(c.icons.isEmpty());
    }

    void corpusReads()
    {
        const QMap<QString, QByteArray> files = PeBuilder::corpus();
        QVERIFY(files.size() > 10);
        QCOMPARE(read(files["two-groups.exe"]).groups.size(), 2);
        for (const QByteArray &f : files)
            read(f);
    }
};

ZV_TEST_MAIN(TestPeIcons)
#include "tst_peicons.moc"
