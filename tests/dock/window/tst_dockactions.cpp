// The dock window's collaborators on their own, without a dock window: the
// secondary windows made on demand, opening and the icon commands, and the
// messages and the tick.
#include "common/systemmessage.h"
#include "dock/editing/formiconsettings.h"
#include "dock/icons/dockiconmenucode.h"
#include "dock/icons/formselectdisk.h"
#include "dock/menus/formmenu.h"
#include "dock/model/dockfile.h"
#include "dock/model/dockiconlist.h"
#include "dock/settings/formsettings.h"
#include "dock/tools/formshutdown.h"
#include "dock/tools/formupload.h"
#include "dock/widgets/formdesktoptime.h"
#include "dock/widgets/formdesktopwidget.h"
#include "dock/window/dockactions.h"
#include "dock/window/dockconfig.h"
#include "dock/window/dockmessages.h"
#include "dock/window/dockwindows.h"
#include "fakedockservices.h"
#include "fakeplatform.h"
#include "messaging.h"
#include "platform/paths.h"
#include "testenv.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

class TestDockActions : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeProcesses> procs;
    std::unique_ptr<FakeWindowSystem> wins;
    std::unique_ptr<FakeOpener> opener;
    std::unique_ptr<FakeClock> clock;

    static QList<DockIconRecord> sampleRows()
    {
        return { { "ico0101", ":/p.png", "prog", "ICON", "/usr/bin/prog", "" },
                 { "icoWeb", ":/p.png", "web", "URL", "https://example.org/x", "" },
                 { "icoDrive", ":/p.png", "drive", "DISK", "/media/data", "" },
                 { "icoNoDrive", ":/p.png", "drive", "DISK", "0", "" },
                 { "ico0505", ":/p.png", "menu", "MENU", "0", "" },
                 { "icoPad", ":/p.png", "pad", "LAUNCHPAD", "0", "" },
                 { "icoStart", ":/p.png", "start", "STARTMENU", "0", "" },
                 { "icoSet", ":/p.png", "set", "SETTING", "0", "" },
                 { "icoTimer", ":/p.png", "timer", "TIMESHUTDOWN", "0", "" },
                 { "icoBin", ":/p.png", "bin", "RECYCLE", "::{645FF040}", ":/bin.png" },
                 { "icoClock", ":/p.png", "clock", "TIME1", "0", "" } };
    }

private slots:
    void init()
    {
        QDir(platform::appConfigFolder()).removeRecursively();
        QDir().mkpath(platform::appConfigFolder());
        procs.reset(new FakeProcesses);
        wins.reset(new FakeWindowSystem);
        opener.reset(new FakeOpener);
        clock.reset(new FakeClock(QDateTime(QDate(2026, 12, 8), QTime(14, 5, 0))));
    }
    void cleanup()
    {
        clock.reset();
        opener.reset();
        wins.reset();
        procs.reset();
    }

    void windowsAreMadeOnceWhenFirstAskedFor()
    {
        QPointer<FormSettings> panel;
        QPointer<FormDesktopTime> desktopClock;
        {
            DockWindows windows;
            QSignalSpy made(&windows, &DockWindows::made);
            QCOMPARE(windows.madeCount(), 0);
            windows.makeStartWindows();
            QCOMPARE(windows.madeCount(), 2);
            desktopClock = windows.desktopClock();
            QCOMPARE(made.count(), 2);
            panel = windows.settingsPanel();
            QVERIFY(panel);
            QVERIFY(!panel->isVisible());
            QCOMPARE(windows.settingsPanel(), panel.data());
            QCOMPARE(made.count(), 3);
            QCOMPARE(made.last().first().value<QWidget *>(), static_cast<QWidget *>(panel.data()));
            windows.updater();
            windows.powerDialog();
            QCOMPARE(windows.madeCount(), 5);
            // A window closed for good is made anew when next asked for.
            delete windows.powerDialog();
            QCOMPARE(windows.madeCount(), 4);
            QVERIFY(windows.powerDialog());
            QCOMPARE(made.count(), 6);
        }
        // They go with the registry.
        QVERIFY(!panel);
        QVERIFY(!desktopClock);
    }

    void openingByClass_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("effects");
        QTest::newRow("program") << "ico0101" << "path /usr/bin/prog";
        QTest::newRow("address") << "icoWeb" << "url https://example.org/x";
        QTest::newRow("drive") << "icoDrive" << "url file:///media/data";
        QTest::newRow("drive not chosen") << "icoNoDrive" << "drive chooser icoNoDrive";
        QTest::newRow("menu") << "ico0505" << "menu ico0505";
        QTest::newRow("launch pad") << "icoPad" << "launch pad";
        QTest::newRow("start menu") << "icoStart" << "start menu";
        QTest::newRow("settings") << "icoSet" << "settings";
        QTest::newRow("timer") << "icoTimer" << "timer page";
        QTest::newRow("unknown") << "icoNone" << "";
    }
    void openingByClass()
    {
        QFETCH(QString, id);
        QFETCH(QString, effects);
        DockIconList icons;
        icons.setRows(sampleRows());
        DockWindows windows;
        DockActions actions(&icons, &windows);
        QStringList e;
        connect(&actions, &DockActions::menuRequested, [&e](const QString &m) { e << "menu " + m; });
        connect(&actions, &DockActions::launchPadRequested, [&e] { e << "launch pad"; });
        connect(&actions, &DockActions::startMenuRequested, [&e] { e << "start menu"; });
        connect(&actions, &DockActions::settingsRequested, [&e] { e << "settings"; });
        actions.openIcon(id);
        for (const QString &p : opener->paths)
            e << "path " + p;
        for (const QUrl &u : opener->urls)
            e << "url " + u.toString();
        if (windows.madeCount() && windows.driveChooser()->isVisible())
            e << "drive chooser " + windows.driveChooser()->iconId();
        if (windows.madeCount() && windows.powerDialog()->isVisible())
            e << (windows.powerDialog()->isTimerPage() ? "timer page" : "power page");
        QCOMPARE(e.join(", "), effects);
        // Opening makes only the window it shows.
        QVERIFY(windows.madeCount() <= 2);
    }

    void commandsGoToTheirHandlers()
    {
        DockIconList icons;
        icons.setRows(sampleRows());
        DockWindows windows;
        DockActions actions(&icons, &windows);
        QStringList ran;
        actions.setCommand(DockIconMenuCode::AddBlank, [&ran](const QString &id) { ran << "blank " + id; });
        actions.setCommand(DockIconMenuCode::MenuAddIcon, [&ran](const QString &id) { ran << "menu add " + id; });
        QSignalSpy popup(&actions, &DockActions::popupChanged);
        actions.runCommand("ico0101", DockIconMenuCode::AddBlank);
        actions.runCommand("ico0505", DockIconMenuCode::MenuAddIcon);
        // Codes no one took, and the unused ones, do nothing.
        for (int code : { int(DockIconMenuCode::AddIcon), int(DockIconMenuCode::AddExtensionIcon), 14, 19, 99, -1 })
            actions.runCommand("ico0101", code);
        QCOMPARE(ran, QStringList({ "blank ico0101", "menu add ico0505" }));
        QCOMPARE(windows.madeCount(), 0);

        actions.runCommand("ico0101", DockIconMenuCode::MenuOpening);
        actions.runCommand("ico0101", DockIconMenuCode::MenuClosed);
        QCOMPARE(popup.count(), 2);
        QCOMPARE(popup.at(0).first().toBool(), true);
        QCOMPARE(popup.at(1).first().toBool(), false);

        // The full bin's settings open in their second mode, with the row's cells.
        actions.runCommand("icoBin", DockIconMenuCode::RecycleIconFull);
        FormIconSettings *dialog = windows.iconSettingsDialog();
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->iconId(), QString("icoBin"));
        QCOMPARE(dialog->iconClass(), QString("RECYCLE"));
        QCOMPARE(dialog->mode(), 1);
        QCOMPARE(popup.count(), 3);
        // An icon that is not there opens nothing.
        dialog->hide();
        actions.runCommand("icoGone", DockIconMenuCode::IconSet);
        actions.runCommand("icoGone", DockIconMenuCode::IconSetDisk);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(popup.count(), 3);
        actions.runCommand("icoDrive", DockIconMenuCode::IconSetDisk);
        QCOMPARE(windows.driveChooser()->iconId(), QString("icoDrive"));
        QCOMPARE(windows.driveChooser()->drive(), QString("/media/data"));
    }

    void barMenuEntriesRunTheCommands()
    {
        DockIconList icons;
        DockWindows windows;
        DockActions actions(&icons, &windows);
        QList<int> ran;
        for (int code : { DockIconMenuCode::AddIcon, DockIconMenuCode::AddSystemIcon, DockIconMenuCode::AddUrlIco,
                          DockIconMenuCode::AddExtendedMenu, DockIconMenuCode::AddFolder, DockIconMenuCode::AddBlank,
                          DockIconMenuCode::HideWindows, DockIconMenuCode::SystemClose })
            actions.setCommand(code, [&ran, code](const QString &id) {
                QVERIFY(id.isEmpty());
                ran << code;
            });
        QSignalSpy settings(&actions, &DockActions::settingsRequested);
        QSignalSpy popup(&actions, &DockActions::popupChanged);
        std::unique_ptr<QMenu> menu(actions.buildBarMenu());
        QList<QAction *> entries = menu->actions();
        entries += entries.at(1)->menu()->actions();
        for (QAction *a : entries)
            if (!a->isSeparator() && !a->menu() && a->text() != "使用帮助     ")
                a->trigger();
        QCOMPARE(ran, QList<int>({ 102, 20, 2, 3, 15, 5, 10, 13 }));
        QCOMPARE(settings.count(), 1);
        QVERIFY(windows.desktopWidgetPanel()->isVisible());
        QMetaObject::invokeMethod(menu.get(), "aboutToHide");
        QCOMPARE(popup.count(), 1);
        QVERIFY(!popup.first().first().toBool());

        // The tray's menu: show the dock, the settings, quit.
        QSignalSpy show(&actions, &DockActions::showDockRequested);
        ran.clear();
        std::unique_ptr<QMenu> tray(actions.buildTrayMenu());
        for (QAction *a : tray->actions())
            a->trigger();
        QCOMPARE(show.count(), 1);
        QCOMPARE(settings.count(), 2);
        QCOMPARE(ran, QList<int>({ 20 }));
        actions.trayActivated(QSystemTrayIcon::DoubleClick);
        QCOMPARE(show.count(), 2);
    }

    void removingAnIconTakesItsMenuFileOnly()
    {
        DockIconList icons;
        icons.setRows(sampleRows());
        DockWindows windows;
        DockActions actions(&icons, &windows);
        const QString menuFile = FormMenu::menuFilePath("ico0505");
        const QString otherFile = FormMenu::menuFilePath("ico0101");
        QVERIFY(DockFile::write(menuFile, {}));
        QVERIFY(DockFile::write(otherFile, {}));
        QVERIFY(actions.removeIcon("ico0505"));
        QVERIFY(!QFile::exists(menuFile));
        QCOMPARE(icons.indexOfId("ico0505"), -1);
        QVERIFY(actions.removeIcon("ico0101"));
        QVERIFY(QFile::exists(otherFile)); // only a menu icon owns a menu file
        QVERIFY(!actions.removeIcon("ico0101"));
        QCOMPARE(icons.rowCount(), sampleRows().size() - 2);
    }

    void messagesAreParsedAndPassedOn()
    {
        DockIconList icons;
        QTemporaryDir dir;
        DockSettings state(dir.filePath("config.ini"));
        DockMessages messages(&icons, &state);
        QSignalSpy notes(&messages, &DockMessages::notesClosed);
        QSignalSpy notices(&messages, &DockMessages::windowToolNotice);
        QVERIFY(!messages.receive(7, "Pravelt,WinD"));
        for (const char *text : { "", "WinD", "Pravelt", "Pravelt,", "Pravelt,Unknown", "Nobody,WinD",
                                  "Mirelka,Other", "Mirelka,MirelkaClose", "Pravelt,AppWindowNormal",
                                  "Pravelt,AppWindowFullScreen(LaunchPad)" })
            QVERIFY(messages.receive(SystemMessage::Tag, text));
        QCOMPARE(notes.count(), 1);
        QCOMPARE(notices.count(), 2);
        QCOMPARE(notices.at(0).first().toString(), QString("AppWindowNormal"));
        QCOMPARE(notices.at(1).first().toString(), QString("AppWindowFullScreen(LaunchPad)"));
    }

    void theTickCountsTheSeconds()
    {
        DockIconList icons;
        icons.setRows(sampleRows());
        QTemporaryDir dir;
        DockSettings state(dir.filePath("config.ini"));
        state.setTaskbarHide(true);
        DockMessages messages(&icons, &state);
        QSignalSpy minutes(&messages, &DockMessages::minuteText);
        QSignalSpy checks(&messages, &DockMessages::screenCheck);
        // The first tick is the minute's first.
        messages.tick();
        QCOMPARE(messages.tickCount(), 0);
        QCOMPARE(minutes.count(), 1);
        QCOMPARE(minutes.first().first().toString(), QString("2:05 PM"));
        QCOMPARE(icons.record(icons.indexOfId("icoClock")).Name,
                 QString("2026/12/08 ") + QDate(2026, 12, 8).toString("ddd"));
        QCOMPARE(checks.count(), 1);
        for (int i = 0; i < 10; ++i)
            messages.tick();
        QCOMPARE(checks.count(), 3);
        QCOMPARE(procs->started, QStringList { "Pravelt" }); // no window tool: started at tick 10
        // With the tool there, tick 15 tells it the three switches.
        RemoteWindow tool("Pravelt");
        QVERIFY(tool.listen());
        for (int i = 0; i < 5; ++i)
            messages.tick();
        QCOMPARE(tool.messages(),
                 QStringList({ "TaskbarBlurryFalse", "TaskbarAlphaFalse", "TaskbarHideTrue" }));
        QCOMPARE(procs->started.size(), 1);
        // The count of ticks comes round; the minute follows the clock.
        for (int i = 0; i < 45; ++i)
            messages.tick();
        QCOMPARE(messages.tickCount(), 0);
        QCOMPARE(minutes.count(), 1);
        clock->time = clock->time.addSecs(60);
        messages.minuteTurn();
        QCOMPARE(minutes.count(), 2);
        QCOMPARE(minutes.last().first().toString(), QString("2:06 PM"));
    }

    void listeningUnderTheTitle()
    {
        DockIconList icons;
        QTemporaryDir dir;
        DockSettings state(dir.filePath("config.ini"));
        DockMessages messages(&icons, &state);
        QSignalSpy notices(&messages, &DockMessages::windowToolNotice);
        QVERIFY(!messages.isListening());
        QVERIFY(messages.listen("Zorvane-Window"));
        QVERIFY(messages.isListening());
        QVERIFY(sendToDock("Pravelt,WinD"));
        QCOMPARE(notices.count(), 1);
        messages.close();
        QVERIFY(!messages.isListening());
    }
};

ZV_TEST_MAIN(TestDockActions)
#include "tst_dockactions.moc"
