#include "dock/settings/formstartup.h"
#include "fakesettings.h"
#include "platform/autostart.h"
#include "platform/paths.h"
#include "testenv.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QtTest>

#include <XdgAutoStart>

namespace {

QString configFile()
{
    return platform::configPath("config.ini");
}

QString readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

bool listedBySession()
{
    for (const XdgDesktopFile &f : XdgAutoStart::desktopFileList())
        if (f.fileName() == platform::autostartFile())
            return true;
    return false;
}

} // namespace

class TestAutostart : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        QFile::remove(platform::autostartFile());
        QFile::remove(configFile());
    }

    // The entry lives in the temporary XDG_CONFIG_HOME of the test.
    void entryIsInTheUsersAutostartFolder()
    {
        QCOMPARE(platform::autostartFile(),
                 qEnvironmentVariable("XDG_CONFIG_HOME") + "/autostart/Zorvane.desktop");
        QVERIFY(platform::Autostart::programPath().endsWith("/Zorvane"));
    }

    void onOffAndReadBack()
    {
        platform::Autostart &a = platform::AutostartService::get();
        const QString program = platform::Autostart::programPath();
        QCOMPARE(a.value("error"), QString("error"));
        QVERIFY(!listedBySession());

        QVERIFY(a.setValue(program));
        QCOMPARE(a.value("error"), program);
        const QString text = readAll(platform::autostartFile());
        QVERIFY(text.startsWith("[Desktop Entry]\n"));
        QVERIFY(text.contains("Type=Application\n"));
        QVERIFY(text.contains("Exec=" + program + "\n"));
        QVERIFY(text.contains("Hidden=false\n"));
        QVERIFY(listedBySession());

        // Off keeps the entry, switched off, so the session skips it.
        QVERIFY(a.setValue(QString()));
        QVERIFY(QFile::exists(platform::autostartFile()));
        QCOMPARE(a.value("error"), QString());
        QVERIFY(readAll(platform::autostartFile()).contains("Hidden=true\n"));
        QVERIFY(!listedBySession());

        QVERIFY(a.setValue(program));
        QCOMPARE(a.value("error"), program);
    }

    void awkwardProgramPathsSurvive_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("exec");
        QTest::newRow("plain") << "/opt/zv/Zorvane" << "/opt/zv/Zorvane";
        QTest::newRow("space") << "/home/a b/Zorvane" << "\"/home/a b/Zorvane\"";
        QTest::newRow("quote and dollar") << "/tmp/x\"y$z/Zorvane" << "\"/tmp/x\\\\\"y\\\\$z/Zorvane\"";
        QTest::newRow("percent") << "/tmp/100%/Zorvane" << "/tmp/100%%/Zorvane";
        QTest::newRow("backslash") << "/tmp/a\\b/Zorvane" << "\"/tmp/a\\\\\\\\b/Zorvane\"";
    }

    void awkwardProgramPathsSurvive()
    {
        QFETCH(QString, program);
        QFETCH(QString, exec);
        QCOMPARE(platform::desktopExecValue(program), exec);
        platform::Autostart &a = platform::AutostartService::get();
        QVERIFY(a.setValue(program));
        QCOMPARE(a.value("error"), program);
    }

    void unreadableEntryIsKeptAside()
    {
        QDir().mkpath(QFileInfo(platform::autostartFile()).path());
        QFile f(platform::autostartFile());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\x01\x02 not a desktop entry");
        f.close();
        platform::Autostart &a = platform::AutostartService::get();
        QCOMPARE(a.value("error"), QString("error"));
        QVERIFY(a.setValue(platform::Autostart::programPath()));
        QVERIFY(QFile::exists(platform::autostartFile() + ".bad"));
        QCOMPARE(a.value("error"), platform::Autostart::programPath());
        QFile::remove(platform::autostartFile() + ".bad");
    }

    // When the prompt slides in, and when it stays away.
    void promptConditions_data()
    {
        QTest::addColumn<QString>("remind"); // "-" = no key
        QTest::addColumn<QString>("entry");  // "-" = no entry, "=" = this program
        QTest::addColumn<bool>("shown");
        QTest::newRow("first start") << "false" << "-" << true;
        QTest::newRow("no flag at all") << "-" << "-" << true;
        QTest::newRow("empty flag") << "" << "-" << true;
        QTest::newRow("registered") << "false" << "=" << false;
        QTest::newRow("switched off") << "false" << "" << true;
        QTest::newRow("program moved") << "false" << "/old/place/Zorvane" << true;
        QTest::newRow("other letter case") << "false" << "upper" << true;
        QTest::newRow("left alone") << "true" << "-" << false;
        QTest::newRow("left alone, off") << "true" << "" << false;
    }

    void promptConditions()
    {
        QFETCH(QString, remind);
        QFETCH(QString, entry);
        QFETCH(bool, shown);
        FakeAutostart autostart;
        if (remind != "-")
            QSettings(configFile(), QSettings::IniFormat).setValue("System/StartUpRemind", remind);
        if (entry != "-") {
            autostart.present = true;
            autostart.stored = entry == "=" ? platform::Autostart::programPath()
                : entry == "upper"           ? platform::Autostart::programPath().toUpper()
                                             : entry;
        }
        FormStartUp prompt;
        QVERIFY(prompt.isHidden());
        prompt.CheckAutoRun();
        QCOMPARE(prompt.isVisible(), shown);
        QVERIFY(autostart.writes.isEmpty());
    }

    void okSwitchesAutostartOn()
    {
        FakeAutostart autostart;
        autostart.present = true;
        autostart.stored = "/old/place/Zorvane";
        QSettings(configFile(), QSettings::IniFormat).setValue("System/StartUpRemind", "false");
        FormStartUp prompt;
        prompt.CheckAutoRun();
        QVERIFY(prompt.isVisible());
        prompt.findChild<QPushButton *>("okButton")->click();
        QVERIFY(prompt.isHidden());
        QCOMPARE(autostart.stored, platform::Autostart::programPath());
        // The next start does not ask again.
        FormStartUp next;
        next.CheckAutoRun();
        QVERIFY(next.isHidden());
    }

    void notAgainIsWrittenAtOnce()
    {
        FakeAutostart autostart;
        QSettings(configFile(), QSettings::IniFormat).setValue("System/StartUpRemind", "false");
        FormStartUp prompt;
        prompt.CheckAutoRun();
        QCheckBox *box = prompt.findChild<QCheckBox *>("checkBox");
        QCOMPARE(box->text(), QString("不再提示"));
        box->click();
        QCOMPARE(QSettings(configFile(), QSettings::IniFormat).value("System/StartUpRemind").toString(), QString("true"));
        box->click();
        QCOMPARE(QSettings(configFile(), QSettings::IniFormat).value("System/StartUpRemind").toString(), QString("false"));
        box->click();
        prompt.findChild<QPushButton *>("noButton")->click();
        QVERIFY(prompt.isHidden());
        QVERIFY(autostart.writes.isEmpty());
        FormStartUp next;
        next.CheckAutoRun();
        QVERIFY(next.isHidden());
    }

    void slidesInToTheMiddle()
    {
        FakeAutostart autostart;
        FormStartUp prompt;
        prompt.CheckAutoRun();
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        const QPoint end((area.width() - 300) / 2, (area.height() - 200) / 2);
        bool slid = false, faded = false;
        for (QPropertyAnimation *a : prompt.findChildren<QPropertyAnimation *>()) {
            QCOMPARE(a->duration(), 300);
            if (a->propertyName() == "pos") {
                QCOMPARE(a->startValue().toPoint(), end + QPoint(0, 30));
                QCOMPARE(a->endValue().toPoint(), end);
                QCOMPARE(a->easingCurve().type(), QEasingCurve::OutCubic);
                slid = true;
            } else if (a->propertyName() == "windowOpacity") {
                QCOMPARE(a->startValue().toDouble(), 0.0);
                QCOMPARE(a->endValue().toDouble(), 1.0);
                faded = true;
            }
        }
        QVERIFY(slid && faded);
    }

    void closeButtonOnlyCloses()
    {
        FakeAutostart autostart;
        FormStartUp prompt;
        prompt.CheckAutoRun();
        QVERIFY(prompt.isVisible());
        QCOMPARE(prompt.windowTitle(), QString("系统提示"));
        QCOMPARE(prompt.size(), QSize(300, 200));
        prompt.findChild<QPushButton *>("close")->click();
        QVERIFY(prompt.isHidden());
        QVERIFY(autostart.writes.isEmpty());
    }
};

ZV_TEST_MAIN(TestAutostart)
#include "tst_autostart.moc"
