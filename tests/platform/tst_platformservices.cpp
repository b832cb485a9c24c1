// The services behind opening and icon pictures: which files count as
// programs and what opening a path comes down to.
#include "platform/fileicons.h"
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
        TestEnv::writeFile(path("tool.py"), "#!/usr/bin/python3\nprint(1)\n", true);
        TestEnv::writeFile(path("notes.txt"), "just text, executable bit or not\n", true);
        TestEnv::writeFile(path("run.sh"), "echo hi\n");
        TestEnv::writeFile(path("-n.txt"), "a name that reads like an option\n");
        TestEnv::writeFile(path("app.desktop"), "[Desktop Entry]\nType=Application\nName=App\nName[zh_CN]=应用\n"
                                       "Exec=/opt/app/start.sh --x %U\nIcon=app-icon\n");
        TestEnv::writeFile(path("bare.desktop"), "[Desktop Entry]\nType=Application\nName=Bare\nExec=true\n");
        TestEnv::writeFile(path("site.desktop"), "[Desktop Entry]\nType=Link\nName=Site\nURL=https://example.org/page.html\n");
        QDir().mkpath(path("folder"));
    }

    void programFiles()
    {
        using namespace ProgramFiles;
        QVERIFY(isShortcut("a.lnk") && isShortcut("a.LNK") && isShortcut("a.Lnk") && isShortcut("x.DESKTOP"));
        QVERIFY(!isShortcut("a.exe") && !isShortcut("lnk"));
        for (const char *p : { "a.exe", "a.EXE", "b.Bat", "c.lnk", "d.desktop", "e.SH" })
            QVERIFY2(isProgramFile(p), p);
        QVERIFY(isProgramFile(path("prog.1.2")) && isProgramFile(path("tool.py")));
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

        for (const QString &t : { QString(), QString("/usr/bin/firefox"), QString("C:/x/app.Exe"),
                                  QString("/opt/app/start.sh"), path("prog.1.2") })
            QVERIFY2(isProgramTarget(t), qPrintable(t));
        for (const QString &t : { QString("C:/x/job.bat"), QString("https://example.org/page.html"), path("notes.txt") })
            QVERIFY2(!isProgramTarget(t), qPrintable(t));
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
        // What would reach a program as an option is no address, and a file
        // of such a name is handed on by its absolute path.
        QTest::newRow("option as an address") << "--help://x" << int(OpenAction::None) << "" << 0;
        QTest::newRow("option as a file") << "-rf" << int(OpenAction::None) << "" << 0;
        QTest::newRow("file named like an option") << path("-n.txt") << int(OpenAction::Url)
                                                   << QUrl::fromLocalFile(path("-n.txt")).toString() << 0;
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
};

ZV_TEST_MAIN(TestDockServices)
#include "tst_platformservices.moc"
