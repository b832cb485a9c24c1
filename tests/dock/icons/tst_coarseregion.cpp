// A frame's repaint in few rectangles: what is joined, what is left apart,
// and that the result always covers what changed at a bounded cost.
#include "dock/icons/coarseregion.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

qint64 area(const QRegion &r)
{
    qint64 a = 0;
    for (const QRect &q : r)
        a += qint64(q.width()) * q.height();
    return a;
}

} // namespace

class TestCoarseRegion : public QObject
{
    Q_OBJECT

private slots:
    void smallRegionsStayAsTheyAre()
    {
        QCOMPARE(coarseRegion(QRegion(), 4096), QRegion());
        const QRegion one(QRect(10, 10, 50, 20));
        QCOMPARE(coarseRegion(one, 4096), one);
    }

    // A magnified row: icons of many heights side by side on a band, as a
    // sweep changes them, go out as the band and a few blocks above it.
    void aSkylineBecomesAFewRectangles()
    {
        QRegion row(QRect(0, 100, 900, 64));
        const int heights[] = { 70, 84, 100, 118, 128, 118, 100, 84, 70 };
        for (int i = 0; i < 9; ++i)
            row += QRect(300 + 40 * i, 164 - heights[i], 40, heights[i]);
        QCOMPARE(row.rectCount(), 6);
        const QRegion out = coarseRegion(row, 4096);
        QCOMPARE(out.intersected(row), row);
        QVERIFY2(out.rectCount() <= 3, qPrintable(QString::number(out.rectCount())));
        // Everything in one would paint 7,000 clear pixels more: not worth a rectangle.
        QVERIFY(out.rectCount() > 1);
    }

    // Far apart, joining would repaint more than the rectangles cost: the
    // bubble above the bar and a pixel at the window's corner stay apart.
    void distantRectanglesStayApart()
    {
        const QRegion r = QRegion(QRect(0, 0, 1, 1)) + QRect(600, 900, 60, 37) + QRect(500, 1000, 900, 64);
        const QRegion out = coarseRegion(r, 4096);
        QCOMPARE(out, r);
    }

    // Any region: the result covers it, has no more rectangles, and each
    // rectangle saved costs at most the given number of pixels more.
    void coversWhatChangedAtABoundedCost()
    {
        QRandomGenerator rng(20261211);
        for (int round = 0; round < 300; ++round) {
            QRegion r;
            const int n = 1 + int(rng.bounded(24));
            for (int i = 0; i < n; ++i)
                r += QRect(int(rng.bounded(1200)), int(rng.bounded(300)), 1 + int(rng.bounded(120)),
                           1 + int(rng.bounded(120)));
            const int cost = 1 + int(rng.bounded(8192));
            const QRegion out = coarseRegion(r, cost);
            QCOMPARE(out.intersected(r), r);
            QVERIFY(out.rectCount() <= r.rectCount());
            QVERIFY2(area(out) - area(r) <= qint64(cost) * (r.rectCount() - 1),
                     qPrintable(QString("round %1: %2 more pixels").arg(round).arg(area(out) - area(r))));
        }
    }
};

QTEST_GUILESS_MAIN(TestCoarseRegion)
#include "tst_coarseregion.moc"
