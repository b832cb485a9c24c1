// The services behind opening, icon pictures and removable disks: which
// files count as programs, what opening a path comes down to, and the mount
// table read against a sysfs tree of our own.
#include "platform/fileicons.h"
#include "platform/mounts.h"
#include "platform/opener.h"
#include "platform/programfiles.h"
#include "testenv.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace platform;

namespace {

void writeFile(const QString &path, const QByteArray &data, bool executable = false)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
    f.close();
    if (executable)
        f.setPermissions(f.permissions() | QFile::ExeOwner | QFile::ExeUser);
}

} // namespace

class TestDockServices : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    QString path(const QString &name) const { return dir.path() + "/" + name; }

private slots:
    void initTestCase()
    {
        QVERIFY(QFile::copy("/bin/true", path("prog.1.2")));
        QFile::setPermissions(path("prog.1.2"), QFile::permissions(path("prog.1.2")) | QFile::ExeOwner);
        writeFile(path("tool.py"), "#!/usr/bin/python3\nprint(1)\n", true);
        writeFile(path("notes.txt"), "just text, executable bit or not\n", true);
        writeFile(path("run.sh"), "echo hi\n");
        writeFile(path("app.desktop"), "[Desktop Entry]\nType=Application\nName=App\nName[zh_CN]=应用\n"
                                       "Exec=/opt/app/start.sh --x %U\nIcon=app-icon\n");
        writeFile(path("bare.desktop"), "[Desktop Entry]\nType=Application\nName=Bare\nExec=true\n");
        writeFile(path("site.desktop"), "[Desktop Entry]\nType=Link\nName=Site\nURL=https://example.org/page.html\n");
        QDir().mkpath(path("folder"));
    }

    void programFiles()
    {
        using namespace ProgramFiles;
        QVERIFY(isShortcut("a.lnk") && isShortcut("a.LNK") && isShortcut("a.Lnk") && isShortcut("x.DESKTOP"));
        QVERIFY(!isShortcut("a.exe") && !isShortcut("lnk"));
        for (const char *p : { "a.exe", "a.EXE", "b.Bat", "c.lnk", "d.desktop", "e.SH" })
            QVERIFY2(isProgramFile(p), p);
        QVERIFY(isProgramFile(path("prog.1.2")));
        QVERIFY(isProgramFile(path("tool.py")));
        QVERIFY(!isProgramFile(path("notes.txt"))); // the executable bit alone says nothing
        QVERIFY(!isProgramFile(path("folder")));

        QCOMPARE(shortcutTarget(path("app.desktop")), QString("/opt/app/start.sh"));
        QCOMPARE(shortcutTarget(path("bare.desktop")), QStandardPaths::findExecutable("true"));
        QCOMPARE(shortcutTarget(path("site.desktop")), QString("https://example.org/page.html"));
        QCOMPARE(shortcutTarget(path("notes.txt")), QString()); // not a link
        QVERIFY(QFile::link(path("folder"), path("folder.lnk")));
        QCOMPARE(shortcutTarget(path("folder.lnk")), path("folder"));
        QVERIFY(!shortcutName(path("app.desktop")).isEmpty());
        QCOMPARE(shortcutName(path("run.sh")), QString());

        QVERIFY(isProgramTarget(""));
        QVERIFY(isProgramTarget("/usr/bin/firefox"));
        QVERIFY(isProgramTarget("C:/x/app.Exe"));
        QVERIFY(isProgramTarget("/opt/app/start.sh"));
        QVERIFY(isProgramTarget(path("prog.1.2")));
        QVERIFY(!isProgramTarget("C:/x/job.bat"));
        QVERIFY(!isProgramTarget("https://example.org/page.html"));
        QVERIFY(!isProgramTarget(path("notes.txt")));
    }

    void whatOpeningComesDownTo_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("tool");
        const QString home = QUrl::fromLocalFile("/home/someone").toString();
        QTest::newRow("computer") << "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}" << int(OpenAction::Url) << home << 0;
        QTest::newRow("libraries") << "::{031e4825-7b94-4dc3-b131-e946b44c8dd5}" << int(OpenAction::Url) << home << 0;
        QTest::newRow("control panel") << "::{26EE0668-A00A-44D7-9371-BEB064C98683}" << int(OpenAction::Tool) << ""
                                       << int(Opener::SystemSettings);
        QTest::newRow("a control panel page") << "::{26EE0668-A00A-44D7-9371-BEB064C98683}\\6"
                                              << int(OpenAction::Tool) << "" << int(Opener::SystemSettings);
        QTest::newRow("recycle bin") << "::{645FF040-5081-101B-9F08-00AA002F954E}" << int(OpenAction::Url)
                                     << "trash:///" << 0;
        QTest::newRow("unknown location") << "::{00000000-0000-0000-0000-000000000000}" << int(OpenAction::None) << "" << 0;
        QTest::newRow("command prompt") << "C:/Windows/System32/cmd.exe" << int(OpenAction::Tool) << ""
                                        << int(Opener::Terminal);
        QTest::newRow("calculator") << "CALC.EXE" << int(OpenAction::Tool) << "" << int(Opener::Calculator);
        QTest::newRow("address") << "https://example.org/?q=1" << int(OpenAction::Url) << "https://example.org/?q=1" << 0;
        QTest::newRow("missing file") << "/no/such/file.exe" << int(OpenAction::None) << "" << 0;
        QTest::newRow("empty") << "" << int(OpenAction::None) << "" << 0;
        QTest::newRow("folder") << path("folder") << int(OpenAction::Url) << QUrl::fromLocalFile(path("folder")).toString() << 0;
        QTest::newRow("desktop file") << path("app.desktop") << int(OpenAction::DesktopFile) << path("app.desktop") << 0;
        QTest::newRow("script") << path("run.sh") << int(OpenAction::Script) << path("run.sh") << 0;
        QTest::newRow("program") << path("prog.1.2") << int(OpenAction::Program) << path("prog.1.2") << 0;
        QTest::newRow("script with interpreter") << path("tool.py") << int(OpenAction::Program) << path("tool.py") << 0;
        QTest::newRow("document") << path("notes.txt") << int(OpenAction::Url)
                                  << QUrl::fromLocalFile(path("notes.txt")).toString() << 0;
    }
    void whatOpeningComesDownTo()
    {
        QFETCH(QString, input);
        QFETCH(int, kind);
        QFETCH(QString, target);
        QFETCH(int, tool);
        const OpenAction a = SystemOpener::plan(input, "/home/someone");
        QCOMPARE(int(a.kind), kind);
        if (kind == OpenAction::Tool)
            QCOMPARE(int(a.tool), tool);
        else
            QCOMPARE(a.target, target);
    }

    void iconNamesByKindOfFile()
    {
        QCOMPARE(ThemeFileIcons::iconNames(path("app.desktop")).first(), QString("app-icon"));
        QCOMPARE(ThemeFileIcons::iconNames(path("prog.1.2")).last(), QString("application-x-executable"));
        QCOMPARE(ThemeFileIcons::iconNames(path("notes.txt")).first(), QString("text-plain"));
        QVERIFY(ThemeFileIcons().largeIcon(path("missing.txt"), 256).isNull());
    }

    void mountTableLines()
    {
        const QByteArray text =
            "22 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n"
            "40 22 8:17 / /media/me/MY\\040STICK rw,nosuid master:5 - vfat /dev/sdb1 rw\n"
            "41 22 0:45 / /run/user/1000 rw - tmpfs tmpfs rw\n"
            "broken line\n"
            "\n";
        const QList<SystemMounts::Entry> e = SystemMounts::parseMountInfo(text);
        QCOMPARE(e.size(), 3);
        QCOMPARE(e.at(1).majorMinor, QString("8:17"));
        QCOMPARE(e.at(1).mountPoint, QString("/media/me/MY STICK"));
        QCOMPARE(e.at(1).fsType, QString("vfat"));
        QCOMPARE(e.at(1).source, QString("/dev/sdb1"));
        QCOMPARE(SystemMounts::unescapeHex("My\\x20Disk\\x2f1"), QString("My Disk/1"));
        QCOMPARE(SystemMounts::unescapeHex("plain\\x2"), QString("plain\\x2"));
    }

    void removableVolumesFromSysfs()
    {
        // sysfs: sda fixed, sdb removable with partition sdb1, sr0 an optical drive.
        const QString sys = path("sys"), dev = path("dev"), labels = path("labels");
        writeFile(sys + "/block/sda/removable", "0\n");
        writeFile(sys + "/block/sda/sda2/partition", "2\n");
        writeFile(sys + "/block/sdb/removable", "1\n");
        writeFile(sys + "/block/sdb/sdb1/partition", "1\n");
        writeFile(sys + "/block/sdc/removable", "1\n");
        writeFile(sys + "/block/sr0/removable", "1\n");
        QDir().mkpath(sys + "/dev/block");
        QVERIFY(QFile::link(sys + "/block/sda/sda2", sys + "/dev/block/8:2"));
        QVERIFY(QFile::link(sys + "/block/sdb/sdb1", sys + "/dev/block/8:17"));
        QVERIFY(QFile::link(sys + "/block/sdc", sys + "/dev/block/8:32"));
        QVERIFY(QFile::link(sys + "/block/sr0", sys + "/dev/block/11:0"));
        writeFile(dev + "/sdb1", "");
        writeFile(dev + "/sdc", "");
        QDir().mkpath(labels);
        QVERIFY(QFile::link(dev + "/sdb1", labels + "/MY\\x20STICK"));

        const QString info = path("mountinfo");
        writeFile(info, QString("22 1 8:2 / / rw - ext4 %1/sda2 rw\n"
                                "40 22 8:17 / /media/me/MY\\040STICK rw - vfat %1/sdb1 rw\n"
                                "41 22 8:17 /sub /mnt/bound rw - vfat %1/sdb1 rw\n"
                                "42 22 8:17 / /mnt/again rw - vfat %1/sdb1 rw\n"
                                "43 22 11:0 / /media/me/DVD ro - iso9660 /dev/sr0 ro\n"
                                "44 22 8:32 / /media/me/whole rw - exfat %1/sdc rw\n"
                                "45 22 0:45 / /run/user/1000 rw - tmpfs tmpfs rw\n")
                            .arg(dev)
                            .toUtf8());
        SystemMounts m(info, sys, labels);
        QVERIFY(!m.isRemovable("8:2"));
        QVERIFY(m.isRemovable("8:17"));
        QVERIFY(!m.isRemovable("11:0"));
        QVERIFY(!m.isRemovable("0:45"));
        const QList<MountedVolume> v = m.removableVolumes();
        QCOMPARE(v.size(), 2);
        QCOMPARE(v.at(0).mountPoint, QString("/media/me/MY STICK"));
        QCOMPARE(v.at(0).label, QString("MY STICK"));
        QCOMPARE(v.at(1).mountPoint, QString("/media/me/whole"));
        QCOMPARE(v.at(1).label, QString());

        // A missing mount table reads as no volumes.
        QVERIFY(SystemMounts(path("none"), sys, labels).removableVolumes().isEmpty());
    }
};

ZV_TEST_MAIN(TestDockServices)
#include "tst_dockservices.moc"
