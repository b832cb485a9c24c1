// The dock window when its files are hostile or its disk is full.
#include "fulldisk.h"
#include "testenv.h"
#include "dock/launchpad/launchrows.h"
#include "dock/window/dockactions.h"
#include "dock/window/dockmessages.h"
#include "dock/window/dockwindows.h"
#include "widgetfixture.h"

#include "common/safefile.h"
#include "dock/settings/docksettings.h"

#include <QFile>
#include <QtTest>

#include <memory>
#include <sys/stat.h>

// The launch pad writes its first file once the dock is up: not on a full disk made after.
#define padWritten() QTRY_VERIFY(QFile::exists(LaunchRows::filePath()))

class TestWidgetRobust : public QObject, public WidgetFixture
{
    Q_OBJECT

    static QByteArray readAll(const QString &path)
    {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

private slots:
    void init() { setUpFakes(); }
    void cleanup() { tearDownFakes(); }

    void unreadableIconFilesLeaveThePresets()
    {
        QDir().mkpath(platform::appConfigFolder());
        QStringList presets; // as the bar shows them: the update notice comes and goes
        for (const DockIconRecord &r : dockPresetRows())
            if (!IconClass::isTransient(r.Class))
                presets << r.IconID;
        // Nested far too deep: kept aside, and the bar starts with its presets.
        QByteArray deep = "<Zorvane>";
        for (int i = 0; i < 30000; ++i)
            deep += "<List id=\"0\">";
        TestEnv::writeFile(dockFile(), deep);
        {
            Widget w;
            QCOMPARE(ids(rows(w)), presets);
            QCOMPARE(readAll(dockFile() + ".bad"), deep);
        }
        // A pipe: no hang, no copy, and a real file after the first save.
        QVERIFY(QFile::remove(dockFile()));
        QCOMPARE(::mkfifo(QFile::encodeName(dockFile()).constData(), 0600), 0);
        {
            Widget w;
            QCOMPARE(ids(rows(w)), presets);
            w.SaveFile();
            QVERIFY(QFileInfo(dockFile()).isFile());
            QCOMPARE(ids(savedRows()), presets);
        }
        QVERIFY(!QFile::exists(dockFile() + ".bad.1"));
    }

    // One bad byte in the icon file and one in the settings: every other row
    // and key is read, each file is kept whole first, and the user hears of
    // both, once, in one toast when the bar is up.
    void damagedFilesKeepWhatReadsAndAreToldOnce()
    {
        QList<DockIconRecord> rs;
        for (const DockIconRecord &r : dockPresetRows())
            if (!IconClass::isTransient(r.Class))
                rs << r;
        writeDock(rs);
        QByteArray xml = readAll(dockFile());
        xml.replace("<Name>库</Name>", QByteArray("<Name>\xe5\xba\0</Name>", 16));
        TestEnv::writeFile(dockFile(), xml);
        const QByteArray ini = "[System]\nLocation=1\nMargin=\xff\nIcoSize=48\n";
        TestEnv::writeFile(platform::configPath("config.ini"), ini);
        SafeFile::takeKeptFiles();
        ScopedEnv weather("ZV_WEATHER_URL", "http://127.0.0.1:9/"); // no name to look up
        Widget w;
        QList<DockIconRecord> expected = rs;
        expected.removeAt(2);
        QCOMPARE(rows(w), expected);
        QCOMPARE(DockSettings::instance()->location(), 1);
        QCOMPARE(DockSettings::instance()->icoSize(), 48);
        QCOMPARE(readAll(dockFile() + ".bad"), xml);
        QCOMPARE(readAll(platform::configPath("config.ini.bad")), ini);
        QCOMPARE(savedRows(), expected);
        QTRY_VERIFY(w.toast()->isVisible());
        QCOMPARE(takeToast(w), QString("config.ini、Zorvane.xml 已损坏，原文件已另存为 .bad 文件！"));
        QTest::qWait(50);
        QCOMPARE(takeToast(w), QString());
    }

    // Room for the copy kept aside, none for the file that replaces it (nor
    // for the launch pad's first file): the one toast of the start tells all,
    // so that the user knows this run's changes do not reach the disk. The
    // file itself stays as it was.
    void aKeptFileThatCannotBeSavedIsToldWithTheFailure()
    {
        QList<DockIconRecord> rs;
        for (const DockIconRecord &r : dockPresetRows())
            if (!IconClass::isTransient(r.Class))
                rs << r;
        writeDock(rs);
        const QByteArray ini = "[System]\nLocation=1\nMargin=\xff\nIcoSize=48\n";
        TestEnv::writeFile(platform::configPath("config.ini"), ini);
        SafeFile::takeKeptFiles();
        ScopedEnv weather("ZV_WEATHER_URL", "http://127.0.0.1:9/");
        std::unique_ptr<FullDisk> full(new FullDisk(ini.size()));
        Widget w;
        QTRY_VERIFY(w.toast()->isVisible());
        QCOMPARE(takeToast(w), QString("config.ini 已损坏，原文件已另存为 config.ini.bad！ 配置保存失败 LaunchPad.xml 保存失败！"));
        QCOMPARE(readAll(platform::configPath("config.ini.bad")), ini);
        QCOMPARE(readAll(platform::configPath("config.ini")), ini);
        QTest::qWait(50);
        QCOMPARE(takeToast(w), QString());
        full.reset();
    }

    void storedFilesThatAreLinksAreReplaced()
    {
        // The icon file and the settings link to a file of someone else's:
        // neither is read, kept aside or written through (the menus read
        // and write through the same icon-file code).
        QDir().mkpath(platform::appConfigFolder());
        const QString secret = TestEnv::writeFile(QDir(platform::appConfigFolder()).absoluteFilePath("../secret"),
                                                  "root:$6$hash:19000::::::\n");
        for (const QString &p : { dockFile(), platform::configPath("config.ini") })
            QVERIFY(QFile::link(secret, p));
        QStringList presets;
        for (const DockIconRecord &r : dockPresetRows())
            if (!IconClass::isTransient(r.Class))
                presets << r.IconID;
        {
            Widget w;
            QCOMPARE(ids(rows(w)), presets);
            w.SaveFile();
            QVERIFY(!QFileInfo(dockFile()).isSymLink());
            QCOMPARE(ids(savedRows()), presets);
            DockSettings::instance()->setValue("System/Margin", 7);
            QVERIFY(DockSettings::instance()->save());
        }
        QCOMPARE(readAll(secret), QByteArray("root:$6$hash:19000::::::\n"));
        for (const QString &p : { dockFile(), platform::configPath("config.ini") }) {
            QVERIFY2(!QFileInfo(p).isSymLink(), qPrintable(p));
            QVERIFY2(!QFile::exists(p + ".bad"), qPrintable(p));
            QVERIFY2(!readAll(p).contains("root:"), qPrintable(p));
        }
        QFile::remove(secret);
    }

    void hostileMenuIdNamesNoFile()
    {
        // A MENU row whose ID climbs out of the folder.
        const QString victim = TestEnv::writeFile(QDir(platform::appConfigFolder()).absoluteFilePath("../precious.xml"),
                                                  "mine");
        QList<DockIconRecord> rs = dockPresetRows();
        rs.append({ "../precious", ":/image/icon/Menu.png", "menu", "MENU", "0", "" });
        writeDock(rs);
        Widget w;
        QVERIFY(rowOf(w, "../precious") >= 0); // kept in memory
        w.showMenu("../precious", 6);      // delete the icon
        QCOMPARE(rowOf(w, "../precious"), -1);
        QCOMPARE(readAll(victim), QByteArray("mine"));
        QFile::remove(victim);
    }

    void failedSavesAreToldOnceAndRetried()
    {
        Widget w;
        padWritten();
        takeToast(w);
        const QByteArray before = readAll(dockFile());
        w.iconTable()->append({ "ico4242", ":/image/icon/Film.png", "new", "URL", "https://a.example/", "" });
        w.createIcon();
        {
            FullDisk full;
            w.SaveFile();
            QCOMPARE(readAll(dockFile()), before);
            QTRY_COMPARE(w.toast()->text(), QString("Zorvane.xml 保存失败！"));
            QVERIFY(w.toast()->isVisible());
            takeToast(w);
            w.SaveFile(); // the same streak: nothing more to say
            QTest::qWait(20);
            QCOMPARE(takeToast(w), QString());
        }
        // The row waited in memory; the next save keeps it.
        w.SaveFile();
        QVERIFY(saved("ico4242"));
        QTest::qWait(20);
        QCOMPARE(takeToast(w), QString());
        {
            FullDisk full;
            // The failure is the toast left showing, not the change's own.
            w.showMenu("ico4242", 6);
            QCOMPARE(rowOf(w, "ico4242"), -1);
            QTRY_COMPARE(w.toast()->text(), QString("Zorvane.xml 保存失败！"));
            QVERIFY(w.toast()->isVisible());
            takeToast(w);
            QVERIFY(saved("ico4242"));
        }
    }

    void settingsFailureIsToldByItsOwnerAlone()
    {
        Widget w;
        padWritten();
        takeToast(w);
        FullDisk full;
        DockSettings::instance()->setValue("System/Margin", 7);
        QVERIFY(!DockSettings::instance()->save());
        QTRY_COMPARE(w.toast()->text(), QString("配置保存失败"));
        QTest::qWait(20);
        QCOMPARE(w.toast()->text(), QString("配置保存失败")); // not a second toast of its own
    }
};

ZV_TEST_MAIN(TestWidgetRobust)
#include "tst_widgetrobust.moc"
