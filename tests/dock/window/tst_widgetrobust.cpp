// The dock window when its files are hostile or its disk is full.
#include "fulldisk.h"
#include "testenv.h"
#include "dock/launchpad/launchrows.h"
#include "dock/window/dockactions.h"
#include "dock/window/dockmessages.h"
#include "dock/window/dockwindows.h"
#include "widgetfixture.h"

#include "dock/settings/docksettings.h"

#include <QFile>
#include <QtTest>

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
