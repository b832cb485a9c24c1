#include "dock/settings/qxtglobalshortcut.h"
#include "dock/window/dockconfig.h"
#include "dock/window/dockfile.h"
#include "dock/window/formsystemhint.h"
#include "dock/window/widget.h"
#include "common/systemmessage.h"
#include "fakeplatform.h"
#include "fakesettings.h"
#include "platform/paths.h"
#include "messaging.h"
#include "testenv.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QDir>
#include <QSettings>
#include <QTableWidget>
#include <QThread>
#include <QtTest>
#include <memory>

static QString dockFile() { return platform::configPath("Zorvane.xml"); }



class TestWidget : public QObject
{
    Q_OBJECT
    TestEnv *env = nullptr;
    std::unique_ptr<FakeProcesses> procs;
    std::unique_ptr<FakeWindowSystem> wins;
    std::unique_ptr<FakeClock> clock;
    std::unique_ptr<FakeGlobalHotKeys> keys;

private slots:
    void init()
    {
        QDir(platform::appConfigFolder()).removeRecursively();
        procs.reset(new FakeProcesses);
        wins.reset(new FakeWindowSystem);
        clock.reset(new FakeClock(QDateTime(QDate(2026, 12, 8), QTime(14, 5, 0))));
        keys.reset(new FakeGlobalHotKeys);
    }
    void cleanup()
    {
        keys.reset();
        clock.reset();
        wins.reset();
        procs.reset();
    }

    void firstStartInAnEmptyFolder()
    {
        Widget w;
        QCOMPARE(w.windowTitle(), QString("Zorvane-Window"));
        QVERIFY(QDir(platform::configPath("icon")).exists());
        QVERIFY(QDir(platform::configPath("link")).exists());
        QVERIFY(DockConfig::exists());
        QSettings set(DockConfig::path(), QSettings::IniFormat);
        QCOMPARE(set.value("System/Location").toString(), QString("2"));
        QCOMPARE(set.value("System/AppPath").toString(), QCoreApplication::applicationDirPath());
        // The update notice is taken away at every start until a check finds a newer version.
        const QList<DockIconRecord> rows = DockFile::read(dockFile());
        QCOMPARE(rows.size(), 13);
        QCOMPARE(rows.first().IconID, QString("ico000001"));
        QCOMPARE(DockFile::findRow(w.iconTable(), 3, "UPGRADE"), -1);
        QCOMPARE(w.iconTable()->rowCount(), 13);
        QCOMPARE(w.iconCount(), 13);
        for (int i = 0; i < 5; ++i)
            QVERIFY(w.hotkey(i));
        QCOMPARE(w.hotkey(0)->shortcut(), QKeySequence("Alt+Q"));
        QCOMPARE(w.hotkey(4)->shortcut(), QKeySequence("Alt+D"));
        QCOMPARE(keys->grabbed.size(), 5); // the five default chords are taken
        QVERIFY(w.isReceivingMessages());
        QVERIFY(procs->started.isEmpty()); // no outside window tool lies beside the dock
    }

    void laterStartReadsTheFiles()
    {
        DockFile::write(dockFile(), { { "icoA", ":/image/icon/Finder.png", "A & B", "ICON", "/bin/ls", "" },
                                      { "icoT", ":/image/icon/Finder.png", "clock", "TIME1", "0", "" },
                                      { "icoU", "u", "usb", "UDISK", "/media/x", "" } });
        QSettings(DockConfig::path(), QSettings::IniFormat).setValue("System/Location", 3);
        Widget w;
        QCOMPARE(w.settings().location, 3);
        QCOMPARE(w.iconTable()->rowCount(), 2); // the removable disk does not survive a start
        QCOMPARE(DockFile::rowOf(w.iconTable(), 0).Name, QString("A & B"));
        // The first tick writes the date into the clock's name.
        QCOMPARE(DockFile::rowOf(w.iconTable(), 1).Name, QString("2026/12/08 ") + QDate(2026, 12, 8).toString("ddd"));
    }

    void unparsableIconFileIsKept()
    {
        QDir().mkpath(platform::appConfigFolder());
        QFile f(dockFile());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<Zorvane><List id=\"0\">");
        f.close();
        Widget w;
        QVERIFY(QFile::exists(dockFile() + ".bad"));
    }

    void setKeyMatchesNamesExactly()
    {
        Widget w;
        w.setKey("Dock", "Ctrl+Alt+D");
        QCOMPARE(w.hotkey(4)->shortcut(), QKeySequence("Ctrl+Alt+D"));
        QCOMPARE(QSettings(DockConfig::path(), QSettings::IniFormat).value("Hotkey/Zorvane").toString(),
                 QString("Ctrl+Alt+D"));
        w.setKey("dock", "Ctrl+K");
        QCOMPARE(w.hotkey(4)->shortcut(), QKeySequence("Ctrl+Alt+D"));
        w.setKey("vesk", "Ctrl+Shift+S");
        QCOMPARE(QSettings(DockConfig::path(), QSettings::IniFormat).value("Hotkey/Vesk").toString(),
                 QString("Ctrl+Shift+S"));
    }

    void messagesOverTheRealTransport()
    {
        Widget w;
        QVERIFY(sendToDock("Pravelt,WinD"));
        QVERIFY(sendToDock("Mirelka,MirelkaClose"));
        QVERIFY(sendToDock("Mirelka,Other"));
        QVERIFY(sendToDock("Mirelka"));    // no comma: consumed, ignored
        QVERIFY(sendToDock(""));
        QVERIFY(!w.receiveSystemMessage(7, "Pravelt,WinD")); // not a system message
    }

    void taskbarSettingsGoToTheWindowTool()
    {
        Widget w;
        w.setTaskbarAlpha(true); // no tool: nothing sent, nothing fails
        RemoteWindow tool("Pravelt");
        QVERIFY(tool.listen());
        w.setTaskbarAlpha(true);
        w.setTaskbarBlurry(false);
        w.setTaskbarHide(true);
        QCOMPARE(tool.messages(), QStringList({ "TaskbarAlphaTrue", "TaskbarBlurryFalse", "TaskbarHideTrue" }));
    }

    void upgradeNoticeOffRemovesTheIcon()
    {
        Widget w;
        DockFile::appendRow(w.iconTable(), { "icoUp", ":/image/icon/rocket.gif", "版本更新", "UPGRADE", "UPGRADE", "" });
        w.createIcon();
        w.setUpgradeNotice(false);
        QCOMPARE(DockFile::findRow(w.iconTable(), 3, "UPGRADE"), -1);
        QCOMPARE(DockFile::read(dockFile()).size(), 13);
    }

    void missingScreenFallsBackWithoutRewriting()
    {
        QDir().mkpath(platform::appConfigFolder());
        QSettings(DockConfig::path(), QSettings::IniFormat).setValue("System/Screen", 5);
        Widget w;
        QCOMPARE(w.screenRect(), QGuiApplication::screens().first()->geometry());
        QCOMPARE(QSettings(DockConfig::path(), QSettings::IniFormat).value("System/Screen").toInt(), 5);
    }

    void colourPickerRestartsOurProgram()
    {
        Widget w;
        procs->running << "Tandrel";
        w.openColorPicker();
        QCOMPARE(procs->killed, QStringList({ "Tandrel" }));
        QCOMPARE(procs->started, QStringList({ "Tandrel" }));
        w.openScreenshot(); // an outside program: only when it lies beside us
        QCOMPARE(procs->started.last(), QString("Ostiva"));
    }

    // These two end the event loop: they run last.
    void languageChangeAsksForARestart()
    {
        Widget w;
        // Answers the question box as soon as it is on screen.
        auto answer = [](QMessageBox::StandardButton b) {
            auto *poll = new QTimer;
            QObject::connect(poll, &QTimer::timeout, [poll, b] {
                for (QWidget *top : QApplication::topLevelWidgets()) {
                    auto *box = qobject_cast<QMessageBox *>(top);
                    if (box && box->isVisible()
                        && box->text() == QString("系统语言已经改变，需要重启Zorvane程序才能生效！是否马上重启？")) {
                        poll->deleteLater();
                        box->button(b)->click();
                        return;
                    }
                }
            });
            poll->start(10);
        };
        answer(QMessageBox::No);
        w.setLanguage(1);
        QCOMPARE(w.toast()->text(), QString("Dock下次启动时生效！"));
        QVERIFY(!qApp->property("zvRestart").toBool());
        answer(QMessageBox::Yes);
        w.setLanguage(1);
        QVERIFY(qApp->property("zvRestart").toBool());
        qApp->setProperty("zvRestart", false);
    }

    void quittingClosesTheNotesAndTheTool()
    {
        auto *w = new Widget;
        RemoteWindow notes("Mirelka");
        QVERIFY(notes.listen());
        QSignalSpy quit(qApp, &QCoreApplication::aboutToQuit);
        w->systemClose();
        QCOMPARE(notes.messages(), QStringList({ "CloseMirelka" }));
        QVERIFY(procs->killed.contains("Pravelt"));
        QVERIFY(!w->isReceivingMessages());
        delete w;
    }
};

ZV_TEST_MAIN(TestWidget)
#include "tst_widget.moc"
