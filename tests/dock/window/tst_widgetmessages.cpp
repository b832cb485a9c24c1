// The dock window's start, the messages it accepts and sends, the
// one-second tick, the removable-disk icons and the way out.
#include "common/systemmessage.h"
#include "dock/launchpad/formlaunchstarter.h"
#include "dock/settings/formsettings.h"
#include "dock/settings/qxtglobalshortcut.h"
#include "dock/window/dockconfig.h"
#include "dock/window/formdetection.h"
#include "dock/window/removabledisks.h"
#include "dock/window/udisk.h"
#include "messaging.h"
#include "platform/quitsignals.h"
#include "testenv.h"
#include "dock/window/dockactions.h"
#include "dock/window/dockmessages.h"
#include "dock/window/dockwindows.h"
#include "dock/window/dockdrag.h"
#include "dock/window/dockhotkeys.h"
#include "widgetfixture.h"

#include <QComboBox>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QSlider>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <memory>

static void ticks(Widget &w, int n)
{
    for (int i = 0; i < n; ++i)
        w.timeOver();
}

class TestWidgetMessages : public QObject, public WidgetFixture
{
    Q_OBJECT

    // What a message did, in short.
    QString effects(Widget &w)
    {
        QStringList e;
        if (!procs->killed.isEmpty())
            e << "kill " + procs->killed.join(' ');
        QSettings set(DockSettings::defaultPath(), QSettings::IniFormat);
        if (set.contains("DesktopWidget/Note"))
            e << "note " + set.value("DesktopWidget/Note").toString();
        if (w.showing()->showTimer()->isActive())
            e << "show timer";
        if (!w.autoHide()->strip()->isHidden())
            e << "strip";
        if (!desk->calls.isEmpty())
            e << "desktop icons " + desk->calls.join(' ');
        return e.join(", ");
    }

private slots:
    void init() { setUpFakes(); }
    void cleanup() { tearDownFakes(); }

    void firstStartInAnEmptyFolder()
    {
        Widget w;
        QCOMPARE(w.windowTitle(), QString("Zorvane-Window"));
        QVERIFY(QDir(platform::configPath("icon")).exists());
        QVERIFY(QDir(platform::configPath("link")).exists());
        QCOMPARE(QSettings(DockSettings::defaultPath(), QSettings::IniFormat).value("System/AppPath").toString(),
                 QCoreApplication::applicationDirPath());
        // The update notice is taken away at every start until a check finds a newer version.
        const QList<DockIconRecord> stored = savedRows();
        QCOMPARE(stored.size(), 13);
        QCOMPARE(stored.first().IconID, QString("ico000001"));
        QCOMPARE(countClass(w, "UPGRADE"), 0);
        QCOMPARE(w.bar()->count(), 13);
        QCOMPARE(w.hotkeys()->shortcut(0)->shortcut(), QKeySequence("Alt+Q"));
        QCOMPARE(w.hotkeys()->shortcut(4)->shortcut(), QKeySequence("Alt+D"));
        QCOMPARE(keys->grabbed.size(), 5);
        QVERIFY(w.messages()->isListening());
        QVERIFY(procs->started.isEmpty()); // no outside window tool lies beside the dock
        // Key names match exactly.
        w.setKey("Dock", "Ctrl+Alt+D");
        QCOMPARE(w.hotkeys()->shortcut(4)->shortcut(), QKeySequence("Ctrl+Alt+D"));
        w.setKey("dock", "Ctrl+K");
        QCOMPARE(w.hotkeys()->shortcut(4)->shortcut(), QKeySequence("Ctrl+Alt+D"));
    }

    void laterStartReadsTheFiles()
    {
        writeDock({ { "icoA", ":/image/icon/Finder.png", "A & B", "ICON", "/bin/ls", "" },
                    { "icoT", ":/image/icon/Finder.png", "clock", "TIME1", "0", "" },
                    { "icoU", "u", "usb", "UDISK", "/media/x", "" } });
        setting("System/Location", 3);
        Widget w;
        QCOMPARE(w.barLayout()->now().edge, 3);
        QCOMPARE(w.iconTable()->rowCount(), 2); // the removable disk does not survive a start
        QCOMPARE(w.iconTable()->record(0).Name, QString("A & B"));
        // The first tick writes the date into the clock's name.
        QCOMPARE(w.iconTable()->record(1).Name, QString("2026/12/08 ") + QDate(2026, 12, 8).toString("ddd"));
    }

    void messagesOverTheRealTransport_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("effects");
        QTest::newRow("notes say goodbye") << "Mirelka,MirelkaClose" << "kill Mirelka, note false";
        QTest::newRow("notes, other command") << "Mirelka,SomethingElse" << "";
        QTest::newRow("no comma") << "MirelkaClose" << "";
        QTest::newRow("sender only") << "Mirelka" << "";
        QTest::newRow("empty command") << "Mirelka," << "";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("show desktop") << "Pravelt,WinD" << "show timer";
        QTest::newRow("maximised window") << "Pravelt,AppWindowMaximization" << "strip";
        QTest::newRow("full screen, not wanted") << "Pravelt,AppWindowFullScreen" << "";
        QTest::newRow("launch pad full screen") << "Pravelt,AppWindowFullScreen(LaunchPad)" << "";
        QTest::newRow("double click") << "Pravelt,MButtonDoubleClick" << "desktop icons hide";
        QTest::newRow("unknown command") << "Pravelt,Unknown" << "";
        QTest::newRow("unknown sender") << "Nobody,WinD" << "";
    }
    void messagesOverTheRealTransport()
    {
        QFETCH(QString, text);
        QFETCH(QString, effects);
        Widget w;
        procs->running << "Mirelka";
        QTRY_VERIFY(w.autoHide()->isDockShown());
        DockSettings::instance()->setDesktopIcon(true);
        w.autoHide()->strip()->hide();
        desk->calls.clear();
        QVERIFY(sendToDock(text)); // every text is consumed
        QCOMPARE(this->effects(w), effects);
    }

    void taskbarSettingsGoToTheWindowTool()
    {
        Widget w;
        DockSettings::instance()->setTaskbarAlpha(true); // no tool: nothing sent, nothing fails
        RemoteWindow tool("Pravelt");
        QVERIFY(tool.listen());
        // Each switch the user turns is told at once; one set as it was is no change.
        DockSettings::instance()->setTaskbarAlpha(true);
        DockSettings::instance()->setTaskbarAlpha(false);
        DockSettings::instance()->setTaskbarBlurry(true);
        DockSettings::instance()->setTaskbarHide(true);
        QCOMPARE(tool.messages(), QStringList({ "TaskbarAlphaFalse", "TaskbarBlurryTrue", "TaskbarHideTrue" }));
    }

    void theTickOnceAMinute()
    {
        // Start at 14:05:00; the constructor's own tick does the minute work.
        Widget w;
        QCOMPARE(w.messages()->tickCount(), 0);
        QCOMPARE(w.launchPad()->findChild<QLabel *>("time")->text(), QString("2:05 PM"));
        w.iconTable()->append({ "icoClock", ":/c.png", "x", "TIME2", "0", "" });

        // No window tool: it is started at tick 10 of the minute, once.
        ticks(w, 9);
        QVERIFY(procs->started.isEmpty());
        ticks(w, 1);
        QCOMPARE(procs->started, QStringList { "Pravelt" });
        ticks(w, 5);
        QCOMPARE(procs->started.size(), 1);

        // At the minute's turn the clock names carry the date.
        QCOMPARE(w.iconTable()->record(rowOf(w, "icoClock")).Name, QString("x"));
        clock->time = QDateTime(QDate(2027, 1, 3), QTime(9, 41, 0));
        w.messages()->minuteTurn();
        QCOMPARE(w.iconTable()->record(rowOf(w, "icoClock")).Name,
                 QString("2027/01/03 ") + QDate(2027, 1, 3).toString("ddd"));
        QCOMPARE(w.launchPad()->findChild<QLabel *>("time")->text(), QString("9:41 AM"));
        QVERIFY(!saved("icoClock")); // in memory only
        ticks(w, 45);
        QCOMPARE(w.messages()->tickCount(), 0);

        // With the tool running it is not started again, and at tick 15 it
        // hears the three taskbar switches, Blurry first.
        RemoteWindow tool("Pravelt");
        QVERIFY(tool.listen());
        DockSettings::instance()->setTaskbarAlpha(true);
        ticks(w, 14);
        QCOMPARE(tool.messages().size(), 1);
        ticks(w, 1);
        QCOMPARE(tool.messages(), QStringList({ "TaskbarAlphaTrue", "TaskbarBlurryFalse", "TaskbarAlphaTrue",
                                                "TaskbarHideFalse" }));
        QCOMPARE(procs->started.size(), 1);
    }

    // The launch pad's clock turns with the minute: its timer is aimed at
    // the next turn and aimed again at each, whenever the dock started.
    void theLaunchPadClockTurnsWithTheMinute()
    {
        const QDate day(2026, 12, 8);
        clock->time = QDateTime(day, QTime(14, 5, 59, 500));
        Widget w;
        DockMessages *m = w.messages();
        const QLabel *time = w.launchPad()->findChild<QLabel *>("time");
        const QTimer *turn = m->minuteTimer();
        QCOMPARE(time->text(), QString("2:05 PM"));
        QVERIFY(turn->isActive());
        QVERIFY(turn->isSingleShot());
        QCOMPARE(turn->timerType(), Qt::PreciseTimer);
        QCOMPARE(turn->interval(), 500);

        // Fired a little early: still the same minute, aimed at what is left.
        clock->time = QDateTime(day, QTime(14, 5, 59, 990));
        m->minuteTurn();
        QCOMPARE(time->text(), QString("2:05 PM"));
        QCOMPARE(turn->interval(), 10);

        clock->time = QDateTime(day, QTime(14, 6, 0, 4));
        m->minuteTurn();
        QCOMPARE(time->text(), QString("2:06 PM"));
        QCOMPARE(turn->interval(), 59996);

        // The ticks of the minute leave the aim alone.
        clock->time = QDateTime(day, QTime(14, 6, 30));
        ticks(w, 3);
        QCOMPARE(time->text(), QString("2:06 PM"));
        QCOMPARE(turn->interval(), 59996);

        // A clock set forward (or a wake from suspend, which the timer does
        // not count) and one set back: the next tick shows the new minute.
        clock->time = QDateTime(day, QTime(16, 30, 20));
        ticks(w, 1);
        QCOMPARE(time->text(), QString("4:30 PM"));
        QCOMPARE(turn->interval(), 40000);
        clock->time = QDateTime(day, QTime(9, 0, 0));
        ticks(w, 1);
        QCOMPARE(time->text(), QString("9:00 AM"));
        QCOMPARE(turn->interval(), 60000);
        QVERIFY(turn->isActive());
    }

    // The weather shows in the weather icon's bubble for this run only: the
    // icon file keeps the icon's own name, so a later start, offline, tells
    // no weather of the day before.
    void weatherTextGoesIntoTheBubbleOnly()
    {
        {
            Widget w;
            const int r = w.iconTable()->findRow(3, "WEATHER");
            QCOMPARE(w.bubbleText(r), QString("佐凡天气"));
            w.setWeatherInit("北京", "晴,北风", "21", "0");
            QCOMPARE(w.bubbleText(r), QString("北京,晴,北风"));
            QCOMPARE(w.iconTable()->record(r).Name, QString("佐凡天气"));
            w.SaveFile();
            w.setWeatherInit("", "网路数据异常...请检查网络连接", "", "32");
            QCOMPARE(w.bubbleText(r), QString("网路数据异常...请检查网络连接"));
        }
        QCOMPARE(savedRows().at(4).Class, QString("WEATHER"));
        QCOMPARE(savedRows().at(4).Name, QString("佐凡天气"));
        Widget w;
        const int r = w.iconTable()->findRow(3, "WEATHER");
        QCOMPARE(w.bubbleText(r), QString("佐凡天气"));
        w.iconTable()->removeAt(r);
        w.setWeatherInit("上海", "雨", "12", "7"); // no weather icon: nothing
        QCOMPARE(w.iconTable()->findRow(3, "WEATHER"), -1);
    }

    void diskReportsInABurstRescanOnce()
    {
        Widget w;
        QSignalSpy rescans(w.disks()->settleTimer(), &QTimer::timeout);
        volumes->add("/media/u/A", "A", true);
        volumes->changed();
        QCOMPARE(takeToast(w), QString("发现移动存储设备！"));
        QVERIFY(w.disks()->settleTimer()->isActive());
        volumes->add("/media/u/B", "", true);
        volumes->changed();
        QCOMPARE(takeToast(w), QString("发现移动存储设备！"));
        volumes->remove("/media/u/A");
        volumes->changed();
        QCOMPARE(takeToast(w), QString()); // a removal is quiet
        QCOMPARE(countClass(w, "UDISK"), 0);

        QTRY_COMPARE_WITH_TIMEOUT(rescans.count(), 1, 5000);
        QVERIFY(!w.disks()->settleTimer()->isActive());
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
        volumes->changed();
        QVERIFY(!w.disks()->settleTimer()->isActive());
        // Fixed disks and discs are drives, but not removable ones.
        volumes->add("/mnt/data", "data");
        volumes->add("/media/u/DVD", "DVD");
        volumes->changed();
        QVERIFY(!w.disks()->settleTimer()->isActive());
        QCOMPARE(takeToast(w), QString());
        w.UDiskTimeOut();
        QCOMPARE(countClass(w, "UDISK"), 0);
    }

    void rescansReplaceTheDiskRowsOnly()
    {
        volumes->add("/media/u/OLD", "OLD", true);
        Widget w;
        QCOMPARE(countClass(w, "UDISK"), 0); // disks present at start wait for the first report
        w.AddIcon(":/image/icon/Folder.png", "OLD", "FOLDER", "/media/u/OLD");
        volumes->add("/media/u/NEW", "NEW", true);
        for (int rescan = 0; rescan < 2; ++rescan) {
            w.UDiskTimeOut();
            QCOMPARE(countClass(w, "UDISK"), 2);
            QCOMPARE(countClass(w, "FOLDER"), 1);
            QCOMPARE(w.iconTable()->record(w.iconTable()->rowCount() - 2).Name,
                     QString("U盘[OLD (/media/u/OLD)]"));
        }
        w.AddUDisk("", "nothing");
        QCOMPARE(countClass(w, "UDISK"), 2);
    }

    // A disk add that a pending drop diverts into a menu leaves no row to
    // look at; that used to end in a crash.
    void aDiskAddThatLeavesNoRowStops()
    {
        Widget w;
        w.AddMenu();
        w.drag()->markDrop(rowOf(w, lastRow(w).IconID));
        const int before = w.iconTable()->rowCount();
        w.AddUDisk("/media/u/X", "X");
        QCOMPARE(w.iconTable()->rowCount(), before);
        QCOMPARE(countClass(w, "UDISK"), 0);
    }

    // These two end the event loop: they run last.
    void languageChangeAsksForARestart()
    {
        Widget w;
        // Answers the question box as soon as it is on screen, noting the
        // text of the button it pressed and the language config.ini holds
        // then: a restart reads it from there.
        QString pressed;
        QString storedThen;
        auto answer = [&pressed, &storedThen](QMessageBox::StandardButton b) {
            auto *poll = new QTimer;
            QObject::connect(poll, &QTimer::timeout, [poll, b, &pressed, &storedThen] {
                for (QWidget *top : QApplication::topLevelWidgets()) {
                    auto *box = qobject_cast<QMessageBox *>(top);
                    if (box && box->isVisible()
                        && box->text() == QString("系统语言已经改变，需要重启Zorvane程序才能生效！是否马上重启？")) {
                        poll->deleteLater();
                        storedThen = QSettings(DockSettings::defaultPath(), QSettings::IniFormat)
                                         .value("System/Language").toString();
                        pressed = box->button(b)->text();
                        box->button(b)->click();
                        return;
                    }
                }
            });
            poll->start(10);
        };
        // Chosen in the settings panel; Qt's own texts follow the new
        // language at once, the box's buttons first.
        w.showSet();
        auto *language = w.windows()->settingsPanel()->findChild<QComboBox *>("LanguageClick");
        answer(QMessageBox::No);
        language->setCurrentIndex(1);
        QCOMPARE(pressed, QString("&No"));
        QCOMPARE(storedThen, QString("1"));
        QCOMPARE(w.toast()->text(), QString("Dock下次启动时生效！"));
        QVERIFY(!qApp->property("zvRestart").toBool());
        // Only a change of language asks (the panel's close saves the same
        // one again).
        w.windows()->settingsPanel()->findChild<QPushButton *>("close")->click();
        pressed.clear();
        w.showSet();
        answer(QMessageBox::Yes);
        language->setCurrentIndex(0);
        QCOMPARE(storedThen, QString("0"));
        QVERIFY2(pressed.startsWith("是"), qPrintable(pressed));
        QVERIFY(qApp->property("zvRestart").toBool());
        qApp->setProperty("zvRestart", false);
    }

    // What was set in the settings panel is kept when the dock ends while the
    // panel is open, whichever way it is asked to: a signal (as the program
    // handles it), the bar's quit entry or the tray's.
    void aQuitWithThePanelOpenKeepsItsSettings_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<QString>("menu");
        QTest::newRow("SIGTERM") << int(SIGTERM) << QString();
        QTest::newRow("SIGINT") << int(SIGINT) << QString();
        QTest::newRow("SIGHUP") << int(SIGHUP) << QString();
        QTest::newRow("quit entry") << 0 << "bar";
        QTest::newRow("tray's quit") << 0 << "tray";
    }
    void aQuitWithThePanelOpenKeepsItsSettings()
    {
        QFETCH(int, signal);
        QFETCH(QString, menu);
        const auto stored = [](const char *key) {
            return QSettings(DockSettings::defaultPath(), QSettings::IniFormat).value(key).toString();
        };
        Widget w;
        w.showSet();
        FormSettings *panel = w.windows()->settingsPanel();
        QVERIFY(panel->isVisible());
        panel->findChild<QCheckBox *>("checkBoxHide")->click();
        panel->findChild<QSlider *>("icoSize")->setValue(52);
        QCOMPARE(int(w.barLayout()->now().size), 52); // at once
        QCoreApplication::processEvents();
        QCOMPARE(stored("System/Hide"), QString("false")); // the file waits for the close
        bool quit = false;
        platform::QuitSignals quitSignals;
        // As the program's entry does.
        connect(&quitSignals, &platform::QuitSignals::quitRequested, this, [&] {
            if (!std::exchange(quit, true))
                w.systemClose();
        });
        if (signal) {
            QVERIFY(quitSignals.isInstalled());
            ::raise(signal);
        } else {
            std::unique_ptr<QMenu> m(menu == "bar" ? w.actions()->buildBarMenu() : w.actions()->buildTrayMenu());
            for (QAction *a : m->actions()) {
                if (a->text().startsWith("退出Dock"))
                    a->trigger();
            }
            quit = true;
        }
        QTRY_VERIFY(quit && !w.messages()->isListening());
        QCOMPARE(stored("System/Hide"), QString("true"));
        QCOMPARE(stored("System/IcoSize"), QString("52"));
    }

    void quittingClosesTheNotesAndTheTool()
    {
        auto *w = new Widget;
        RemoteWindow notes("Mirelka");
        QVERIFY(notes.listen());
        w->systemClose();
        QCOMPARE(notes.messages(), QStringList({ "CloseMirelka" }));
        QVERIFY(procs->killed.contains("Pravelt"));
        QVERIFY(!w->messages()->isListening());
        delete w;
    }
};

ZV_TEST_MAIN(TestWidgetMessages)
#include "tst_widgetmessages.moc"
