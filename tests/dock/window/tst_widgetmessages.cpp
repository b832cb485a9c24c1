// The messages the dock sends and accepts, the one-second tick, the start-up
// timer, the weather text and the removable-disk icons.
#include "common/systemmessage.h"
#include "dock/launchpad/formlaunchstarter.h"
#include "dock/tools/formupload.h"
#include "dock/window/formdetection.h"
#include "dock/window/udisk.h"
#include "messaging.h"
#include "testenv.h"
#include "widgetfixture.h"

#include <QSettings>
#include <QSignalSpy>
#include <QThread>
#include <QTimer>
#include <QtTest>

namespace {



void ticks(Widget &w, int n)
{
    for (int i = 0; i < n; ++i)
        w.timeOver();
}

} // namespace

class TestWidgetMessages : public QObject, public WidgetFixture
{
    Q_OBJECT

private slots:
    void init() { setUpFakes(); }
    void cleanup() { tearDownFakes(); }

    void notesProgramSaysGoodbye()
    {
        Widget w;
        procs->running << "Mirelka";
        QVERIFY(sendToDock("Mirelka,SomethingElse"));
        QVERIFY(procs->killed.isEmpty());
        QVERIFY(sendToDock("Mirelka,MirelkaClose"));
        QCOMPARE(procs->killed, QStringList { "Mirelka" });
        QSettings set(platform::configPath("config.ini"), QSettings::IniFormat);
        QCOMPARE(set.value("DesktopWidget/Note").toBool(), false);
        QVERIFY(sendToDock("MirelkaClose")); // no sender: consumed, nothing done
        QVERIFY(sendToDock("Mirelka,"));
        QCOMPARE(procs->killed.size(), 1);
    }

    void windowToolNotices()
    {
        Widget w;
        QVERIFY(!w.showTimer()->isActive());
        QVERIFY(sendToDock("Pravelt,WinD"));
        QVERIFY(w.showTimer()->isActive());
        QCOMPARE(w.showTimer()->interval(), 100);
        QVERIFY(w.showTimer()->isSingleShot());

        // The edge strip comes up over full-screen windows only when wanted.
        w.edgeStrip()->hide();
        QVERIFY(sendToDock("Pravelt,AppWindowFullScreen"));
        QVERIFY(w.edgeStrip()->isHidden());
        w.setMouseFullScreen(true);
        QVERIFY(sendToDock("Pravelt,AppWindowFullScreen"));
        QVERIFY(!w.edgeStrip()->isHidden());
        QVERIFY(sendToDock("Pravelt,AppWindowNormal")); // bar slid in, no auto-hide: strip goes
        QVERIFY(w.edgeStrip()->isHidden());
        QVERIFY(sendToDock("Pravelt,AppWindowMaximization")); // on by default
        QVERIFY(!w.edgeStrip()->isHidden());
        w.setMouseMaximize(false);
        QVERIFY(sendToDock("Pravelt,AppWindowMaximization"));
        QVERIFY(w.edgeStrip()->isHidden());

        for (const char *other : { "Pravelt,MButtonDoubleClick", "Pravelt,AppWindowFullScreen(LaunchPad)",
                                   "Pravelt,Unknown", "Nobody,WinD", "Pravelt" })
            QVERIFY(sendToDock(other));
        QVERIFY(!w.receiveSystemMessage(7, "Pravelt,WinD"));
    }

    void taskbarSettingsFollowTheSwitches()
    {
        Widget w;
        RemoteWindow tool("Pravelt");
        QVERIFY(tool.listen());
        w.setTaskbarBlurry(true);
        w.setTaskbarHide(false);
        QCOMPARE(tool.messages(), QStringList({ "TaskbarBlurryTrue", "TaskbarHideFalse" }));
        QVERIFY(w.settings().taskbarBlurry);
    }

    void theTickOnceAMinute()
    {
        // Start at 14:05:00; the constructor's own tick does the minute work.
        Widget w;
        QCOMPARE(w.tickCounter(), 0);
        QCOMPARE(w.launchPad()->timeText(), QString("2:05 PM"));
        DockFile::appendRow(w.iconTable(), { "icoClock", ":/c.png", "x", "TIME2", "0", "" });

        // No window tool: it is started at tick 10 of the minute, once.
        ticks(w, 9);
        QVERIFY(procs->started.isEmpty());
        ticks(w, 1);
        QCOMPARE(procs->started, QStringList { "Pravelt" });
        ticks(w, 5);
        QCOMPARE(procs->started.size(), 1);

        // The next minute: the clock names carry the date.
        clock->time = QDateTime(QDate(2027, 1, 3), QTime(9, 41, 0));
        ticks(w, 44);
        QCOMPARE(DockFile::rowOf(w.iconTable(), rowOf(w, "icoClock")).Name, QString("x"));
        ticks(w, 1);
        QCOMPARE(w.tickCounter(), 0);
        QCOMPARE(DockFile::rowOf(w.iconTable(), rowOf(w, "icoClock")).Name,
                 QString("2027/01/03 ") + QDate(2027, 1, 3).toString("ddd"));
        QCOMPARE(w.launchPad()->timeText(), QString("9:41 AM"));
        QVERIFY(!saved("icoClock")); // in memory only

        // With the tool running it is not started again, and at tick 15 it
        // hears the three taskbar switches, Blurry first.
        RemoteWindow tool("Pravelt");
        QVERIFY(tool.listen());
        w.setTaskbarAlpha(true);
        QCOMPARE(tool.messages(), QStringList { "TaskbarAlphaTrue" });
        ticks(w, 14);
        QCOMPARE(tool.messages().size(), 1);
        ticks(w, 1);
        QCOMPARE(tool.messages(), QStringList({ "TaskbarAlphaTrue", "TaskbarBlurryFalse", "TaskbarAlphaTrue",
                                           "TaskbarHideFalse" }));
        QCOMPARE(procs->started.size(), 1);
    }

    void startUpTimerStartsTheUpdateChecks()
    {
        Widget w;
        QVERIFY(w.startUpTimer()->isActive());
        QVERIFY(w.startUpTimer()->isSingleShot());
        QCOMPARE(w.startUpTimer()->interval(), 20000);
        QVERIFY(!w.updater()->checkTimerActive());
        w.StartUpOver();
        QVERIFY(w.updater()->checkTimerActive());
        QCOMPARE(w.updater()->checkInterval(), 3600000);
    }

    void weatherTextGoesIntoTheWeatherRow()
    {
        Widget w;
        w.setWeatherInit("北京", "晴", "21", "0");
        const int r = DockFile::findRow(w.iconTable(), 3, "WEATHER");
        QCOMPARE(DockFile::rowOf(w.iconTable(), r).Name, QString("北京,晴"));
        w.iconTable()->removeRow(r);
        w.setWeatherInit("上海", "雨", "12", "7"); // no weather icon: nothing
        QCOMPARE(DockFile::findRow(w.iconTable(), 3, "WEATHER"), -1);
    }

    void diskReportsInABurstRescanOnce()
    {
        Widget w;
        QVERIFY(w.diskWatcher());
        QSignalSpy rescans(w.diskTimer(), &QTimer::timeout);

        volumes->add("/media/u/A", "A", true);
        volumes->changed();
        QCOMPARE(takeToast(w), QString("发现移动存储设备！"));
        QVERIFY(w.diskTimer()->isActive());
        QCOMPARE(w.diskTimer()->interval(), 1000);
        volumes->add("/media/u/B", "", true);
        volumes->changed();
        QCOMPARE(takeToast(w), QString("发现移动存储设备！"));
        volumes->remove("/media/u/A");
        volumes->changed();
        QCOMPARE(takeToast(w), QString()); // a removal is quiet
        QCOMPARE(countClass(w, "UDISK"), 0);

        QTRY_COMPARE_WITH_TIMEOUT(rescans.count(), 1, 5000);
        QVERIFY(!w.diskTimer()->isActive());
        QCOMPARE(countClass(w, "UDISK"), 1);
        const DockIconRecord r = lastRow(w);
        QCOMPARE(r.Name, QString("U盘[ (/media/u/B)]"));
        QCOMPARE(r.Path, QString("/media/u/B"));
        QCOMPARE(r.Icon, QString(":/image/icon/UDisk.png"));
        QCOMPARE(r.Note, QString(":/image/icon/UDisk.png"));
        QVERIFY(!saved(r.IconID));
        QCOMPARE(takeToast(w), QString());
    }

    void otherMountsAreNotReported()
    {
        volumes->add("/");
        Widget w;
        volumes->changed(); // something else was mounted
        QVERIFY(!w.diskTimer()->isActive());
        // Fixed disks and discs are drives, but not removable ones.
        volumes->add("/mnt/data", "data");
        volumes->add("/media/u/DVD", "DVD");
        volumes->changed();
        QVERIFY(!w.diskTimer()->isActive());
        QCOMPARE(takeToast(w), QString());
        QVERIFY(w.diskWatcher()->known().isEmpty());
        w.UDiskTimeOut();
        QCOMPARE(countClass(w, "UDISK"), 0);
    }

    void volumesPresentAtStartWaitForTheFirstReport()
    {
        volumes->add("/media/u/OLD", "OLD", true);
        Widget w;
        QCOMPARE(countClass(w, "UDISK"), 0);
        QVERIFY(w.diskWatcher()->known().size() == 1);
        volumes->add("/media/u/NEW", "NEW", true);
        volumes->changed();
        w.UDiskTimeOut();
        QCOMPARE(countClass(w, "UDISK"), 2);
        QCOMPARE(DockFile::rowOf(w.iconTable(), w.iconTable()->rowCount() - 2).Name, QString("U盘[OLD (/media/u/OLD)]"));
        // A rescan replaces them all, in mount-table order.
        w.UDiskTimeOut();
        QCOMPARE(countClass(w, "UDISK"), 2);
    }

    void aDiskBesideAFolderIconOfItsRoot()
    {
        Widget w;
        w.AddIcon(":/image/icon/Folder.png", "STICK", "FOLDER", "/media/u/STICK");
        volumes->add("/media/u/STICK", "STICK", true);
        for (int rescan = 0; rescan < 2; ++rescan) {
            w.UDiskTimeOut();
            QCOMPARE(countClass(w, "UDISK"), 1);
            QCOMPARE(countClass(w, "FOLDER"), 1);
            QCOMPARE(lastRow(w).Name, QString("U盘[STICK (/media/u/STICK)]"));
        }
        w.AddUDisk("", "nothing");
        QCOMPARE(countClass(w, "UDISK"), 1);
    }

    // A disk add that a pending drop diverts into a menu leaves no row to
    // look at; that used to end in a crash.
    void aDiskAddThatLeavesNoRowStops()
    {
        Widget w;
        w.AddMenu();
        const int menuSlot = rowOf(w, lastRow(w).IconID);
        w.markDrop(menuSlot);
        const int before = w.iconTable()->rowCount();
        w.AddUDisk("/media/u/X", "X");
        QCOMPARE(w.iconTable()->rowCount(), before);
        QCOMPARE(countClass(w, "UDISK"), 0);
    }
};

ZV_TEST_MAIN(TestWidgetMessages)
#include "tst_widgetmessages.moc"
