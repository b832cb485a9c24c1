#include "dock/window/removabledisks.h"
#include "fakevolumes.h"
#include "testenv.h"

#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

class TestRemovableDisks : public QObject
{
    Q_OBJECT
private slots:
    // Each plug-in is told at once; the rescan waits for the burst to end.
    void aBurstOfReportsGivesOneRescan()
    {
        FakeVolumes volumes;
        volumes.add("/", "", false);
        RemovableDisks disks;
        QSignalSpy arrived(&disks, &RemovableDisks::arrived);
        QSignalSpy rescans(&disks, &RemovableDisks::rescan);
        volumes.add("/media/u/A", "A", true);
        volumes.changed();
        volumes.add("/media/u/B", "B", true);
        volumes.changed();
        volumes.remove("/media/u/A");
        volumes.changed();
        volumes.add("/mnt/data", "data"); // not removable: no report
        volumes.changed();
        QCOMPARE(arrived.count(), 2);
        QCOMPARE(arrived.at(0).at(0).toString(), QString("/media/u/A"));
        QCOMPARE(arrived.at(1).at(0).toString(), QString("/media/u/B"));
        QVERIFY(disks.settleTimer()->isActive());
        QCOMPARE(rescans.count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(rescans.count(), 1, 5000);
        QTest::qWait(1200);
        QCOMPARE(rescans.count(), 1);
    }
};

ZV_TEST_MAIN(TestRemovableDisks)
#include "tst_removabledisks.moc"
