// Starting with the session: the autostart entry in the temporary config
// folder, and the first-run prompt that offers it.
#include "dock/settings/formstartup.h"
#include "testconfig.h"
#include "fakesettings.h"
#include "platform/autostart.h"
#include "platform/paths.h"
#include "testenv.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QSettings>
#include <QProcess>
#include <QStandardPaths>
#include <QMenu>
#include <QtTest>

#include <XdgAutoStart>

namespace {

// Our entry as the session sees it; invalid when the session would skip it.
XdgDesktopFile sessionEntry()
{
    for (const XdgDesktopFile &f : XdgAutoStart::desktopFileList())
        if (f.fileName() == platform::autostartFile())
            return f;
    return XdgDesktopFile();
}

// Our entry as it lies in the folder, whatever the session makes of it.
XdgDesktopFile storedEntry()
{
    XdgDesktopFile f;
    f.load(platform::autostartFile());
    return f;
}

QSettings config()
{
    return QSettings(platform::configPath("config.ini"), QSettings::IniFormat);
}

} // namespace

class TestAutostart : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        QFile::remove(platform::autostartFile());
        TestConfig::reset();
    }

    void onOffAndReadBack()
    {
        QCOMPARE(platform::autostartFile(), qEnvironmentVariable("XDG_CONFIG_HOME") + "/autostart/Zorvane.desktop");
        platform::Autostart &a = platform::AutostartService::get();
        // The session starts only a program that is there.
        QTemporaryDir dir;
        const QString program = dir.path() + "/bin/Zorvane";
        TestEnv::writeFile(program, "#!/bin/sh\n", true);
        // An entry we cannot read is kept aside before it is replaced.
        TestEnv::writeFile(platform::autostartFile(), "\x01\x02 not a desktop entry");
        QCOMPARE(a.value("error"), QString("error"));
        QVERIFY(a.setValue(program));
        QVERIFY(QFile::remove(platform::autostartFile() + ".bad"));
        QCOMPARE(a.value("error"), program);
        const XdgDesktopFile entry = sessionEntry();
        QCOMPARE(entry.value("Exec").toString(), program);
        QCOMPARE(entry.type(), XdgDesktopFile::ApplicationType);
        QCOMPARE(entry.iconName(), QString("Zorvane"));
        if (!QStandardPaths::findExecutable("desktop-file-validate").isEmpty()) {
            QProcess check;
            check.start("desktop-file-validate", { "--no-hints", platform::autostartFile() });
            QVERIFY(check.waitForFinished(20000));
            const QByteArray said = check.readAllStandardOutput() + check.readAllStandardError();
            QVERIFY2(check.exitCode() == 0 && said.isEmpty(), said.constData());
        }
        // Off keeps the entry, switched off, so the session skips it.
        QVERIFY(a.setValue(QString()));
        QCOMPARE(a.value("error"), QString());
        QVERIFY(QFile::exists(platform::autostartFile()));
        QVERIFY(!sessionEntry().isValid());
    }

    void awkwardProgramPathsSurvive_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("exec");
        QTest::newRow("space") << "/home/a b/Zorvane" << "\"/home/a b/Zorvane\"";
        QTest::newRow("quote and dollar") << "/tmp/x\"y$z/Zorvane" << "\"/tmp/x\\\\\"y\\\\$z/Zorvane\"";
        QTest::newRow("percent") << "/tmp/100%/Zorvane" << "/tmp/100%%/Zorvane";
        QTest::newRow("backslash") << "/tmp/a\\b/Zorvane" << "\"/tmp/a\\\\\\\\b/Zorvane\"";
        QTest::newRow("line break") << "/tmp/a\nb/Zorvane" << "\"/tmp/a\\nb/Zorvane\"";
    }
    void awkwardProgramPathsSurvive()
    {
        QFETCH(QString, program);
        QFETCH(QString, exec);
        QCOMPARE(platform::desktopExecValue(program), exec);
        QVERIFY(platform::AutostartService::get().setValue(program));
        QCOMPARE(platform::AutostartService::get().value("error"), program);
        QCOMPARE(storedEntry().value("TryExec").toString(), program);
    }

    // The entry names its program in TryExec too: once the program is gone
    // (its package removed), the session skips the entry rather than fail
    // to start a missing file at every login.
    void sessionSkipsTheEntryOnceTheProgramIsGone()
    {
        QTemporaryDir dir;
        const QString program = dir.path() + "/a b/Zorvane";
        TestEnv::writeFile(program, "#!/bin/sh\n", true);
        QVERIFY(platform::AutostartService::get().setValue(program));
        QCOMPARE(sessionEntry().value("TryExec").toString(), program);
        QVERIFY(sessionEntry().isSuitable());

        QVERIFY(QFile::remove(program));
        QVERIFY(!storedEntry().tryExec());
        QVERIFY(!sessionEntry().isValid());
        // Still registered: the same program put back starts again.
        QCOMPARE(platform::AutostartService::get().value("error"), program);
    }

    // When the prompt shows, and what its answers leave for the next start.
    void prompt_data()
    {
        QTest::addColumn<QString>("remind"); // "-" = no key
        QTest::addColumn<QString>("entry");  // "-" = no entry, "=" = this program
        QTest::addColumn<QString>("answer"); // "" = not shown; "notAgain" ticks the box, then "no"
        QTest::addColumn<bool>("askedAgain");
        QTest::newRow("first start, yes") << "false" << "-" << "okButton" << false;
        QTest::newRow("no flag, no") << "-" << "-" << "noButton" << true;
        QTest::newRow("empty flag, closed") << "" << "-" << "close" << true;
        QTest::newRow("switched off, not again") << "false" << "" << "notAgain" << false;
        QTest::newRow("program moved") << "false" << "/old/place/Zorvane" << "noButton" << true;
        QTest::newRow("registered") << "false" << "=" << "" << false;
        QTest::newRow("left alone") << "true" << "-" << "" << false;
    }
    void prompt()
    {
        QFETCH(QString, remind);
        QFETCH(QString, entry);
        QFETCH(QString, answer);
        QFETCH(bool, askedAgain);
        FakeAutostart autostart;
        if (remind != "-") {
            config().setValue("System/StartUpRemind", remind);
            DockSettings::instance()->load();
        }
        autostart.present = entry != "-";
        autostart.stored = entry == "=" ? platform::Autostart::programPath() : entry;
        FormStartUp prompt;
        prompt.CheckAutoRun();
        QCOMPARE(prompt.isVisible(), !answer.isEmpty());
        if (answer == "notAgain") {
            prompt.findChild<QCheckBox *>("checkBox")->click();
            QCOMPARE(config().value("System/StartUpRemind").toString(), QString("true")); // written at once
            answer = "noButton";
        }
        if (!answer.isEmpty())
            prompt.findChild<QPushButton *>(answer)->click();
        QVERIFY(prompt.isHidden());
        QCOMPARE(autostart.writes, answer == "okButton" ? QStringList { platform::Autostart::programPath() } : QStringList());
        FormStartUp next;
        next.CheckAutoRun();
        QCOMPARE(next.isVisible(), askedAgain);
    }

    // The prompt comes by itself: a menu the user has open stays open.
    void promptLeavesAnOpenMenu()
    {
        FakeAutostart autostart;
        QMenu menu;
        menu.addAction(QStringLiteral("x"));
        menu.popup(QPoint(10, 10));
        QTRY_COMPARE(QApplication::activePopupWidget(), &menu);
        FormStartUp prompt;
        prompt.CheckAutoRun();
        QVERIFY(prompt.isVisible());
        QVERIFY(menu.isVisible());
        QCOMPARE(QApplication::activePopupWidget(), &menu);
        menu.close();
    }
};

ZV_TEST_MAIN(TestAutostart)
#include "tst_autostart.moc"
