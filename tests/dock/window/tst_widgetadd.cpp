// Adding and changing dock icons: the add routines, their refusals and
// toasts, icons made from program files and shortcuts, and the panels.
#include "dock/editing/formaddurl.h"
#include "dock/editing/formsidebarmenu.h"
#include "dock/icons/formselectdisk.h"
#include "dock/menus/formmenu.h"
#include "dock/widgets/formdesktopwidget.h"
#include "fulldisk.h"
#include "testenv.h"
#include "dock/window/dockactions.h"
#include "dock/window/dockmessages.h"
#include "dock/window/dockwindows.h"
#include "dock/window/dockdrag.h"
#include "widgetfixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

static QByteArray desktopEntry(const QString &name, const QString &exec)
{
    return QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\n").arg(name, exec).toUtf8();
}

class TestWidgetAdd : public QObject, public WidgetFixture
{
    Q_OBJECT
    QTemporaryDir files;
    QString file(const QString &name) const { return files.path() + "/" + name; }
    QString link(const QString &name) const { return platform::appConfigFolder() + "/link/" + name; }

    // A MENU icon on the bar with its (shown) menu window.
    QString addShownMenu(Widget &w)
    {
        w.AddMenu();
        const QString id = lastRow(w).IconID;
        w.menus()->menu(id)->showAnimated();
        takeToast(w);
        return id;
    }

private slots:
    void init() { setUpFakes(); }
    void cleanup() { tearDownFakes(); }

    void addAppendsSavesAndToasts()
    {
        Widget w;
        const int before = w.iconTable()->rowCount();
        w.AddIcon(":/p.png", "nothing", "ICON", ""); // no path: refused quietly
        QCOMPARE(w.iconTable()->rowCount(), before);
        QCOMPARE(takeToast(w), QString());
        w.AddIcon(":/image/icon/Finder.png", "Prog", "ICON", "/usr/bin/prog");
        QCOMPARE(w.iconTable()->rowCount(), before + 1);
        const DockIconRecord r = lastRow(w);
        QCOMPARE(r.IconID, IconIds::newId(clock->time));
        QCOMPARE(r.Path, QString("/usr/bin/prog"));
        QCOMPARE(r.Note, QString(":/image/icon/Finder.png")); // the picture it was made with
        QVERIFY(w.bar()->contains(r.IconID));
        QCOMPARE(takeToast(w), QString("图标添加成功！"));
        QVERIFY(saved(r.IconID));
        // A removable disk comes without toast and is not saved.
        w.AddIcon(":/image/icon/UDisk.png", "U盘[ (/media/x)]", "UDISK", "/media/x");
        QCOMPARE(lastRow(w).Class, QString("UDISK"));
        QCOMPARE(takeToast(w), QString());
        QVERIFY(!saved(lastRow(w).IconID));
    }

    // Two adds in the same minute and millisecond used to collide on one ID,
    // and the second add was dropped without a word.
    void addsAtTheSameInstantKeepBoth()
    {
        Widget w;
        w.AddIcon(":/p.png", "one", "ICON", "/bin/one");
        w.AddIcon(":/p.png", "two", "ICON", "/bin/one"); // the same path twice is fine too
        const QList<DockIconRecord> all = rows(w);
        QCOMPARE(all.at(all.size() - 2).Name, QString("one"));
        QCOMPARE(all.last().Name, QString("two"));
        QCOMPARE(all.last().IconID, IconIds::newId(clock->time.addMSecs(1)));
    }

    void refusalsByClass_data()
    {
        QTest::addColumn<QString>("first"); // a class added before, or none
        QTest::addColumn<QString>("cl");
        QTest::addColumn<QString>("target"); // "0" the dock, "menu" the shown menu, else an unknown ID
        QTest::addColumn<QString>("toast");
        QTest::addColumn<bool>("added");
        for (const char *cl : { "MENU", "RECYCLE", "WEATHER", "TIME1", "TIME2", "LAUNCHPAD", "STARTMENU" })
            QTest::newRow(qPrintable(QString("menu refuses %1").arg(cl))) << "" << cl << "menu" << "菜单中不能添加此图标！" << false;
        QTest::newRow("menu takes a calculator") << "" << "CALCULATOR" << "menu" << "" << true;
        QTest::newRow("no such menu") << "" << "ICON" << "icoNoSuchMenu" << "" << false;
        QTest::newRow("dock has its weather") << "" << "WEATHER" << "0" << "此图标已经存在！" << false;
        QTest::newRow("dock has its launch pad") << "" << "LAUNCHPAD" << "0" << "此图标已经存在！" << false;
        QTest::newRow("second recycle bin") << "" << "RECYCLE" << "0" << "图标添加成功！" << true;
        QTest::newRow("second calculator") << "" << "CALCULATOR" << "0" << "图标添加成功！" << true;
        QTest::newRow("first start menu") << "" << "STARTMENU" << "0" << "图标添加成功！" << true;
        QTest::newRow("second start menu") << "STARTMENU" << "STARTMENU" << "0" << "此图标已经存在！" << false;
    }
    void refusalsByClass()
    {
        QFETCH(QString, first);
        QFETCH(QString, cl);
        QFETCH(QString, target);
        QFETCH(QString, toast);
        QFETCH(bool, added);
        Widget w;
        const QString menuId = addShownMenu(w);
        if (!first.isEmpty())
            w.AddIcon2(":/p.png", "x", first, "0", "0");
        takeToast(w);
        const int before = w.iconTable()->rowCount();
        w.AddIcon2(":/p.png", "x", cl, "0", target == "menu" ? menuId : target);
        QCOMPARE(takeToast(w), toast);
        QCOMPARE(w.iconTable()->rowCount(), before + (added && target == "0" ? 1 : 0));
        if (target == "menu") // whatever the menu does with an icon, it closes afterwards
            QCOMPARE(w.menus()->menu(menuId)->isShown(), !added);
    }

    void aDropLandsInItsGap()
    {
        Widget w;
        w.drag()->markDrop(2);
        w.AddIcon(":/p.png", "dropped", "ICON", "/bin/dropped");
        QVERIFY(!w.drag()->isDropPending());
        QCOMPARE(w.iconTable()->record(2).Name, QString("dropped"));
        QCOMPARE(takeToast(w), QString("图标添加成功！"));
        w.drag()->markDrop(1000); // past the end: appended
        w.AddIcon(":/p.png", "last", "ICON", "/bin/last");
        QCOMPARE(lastRow(w).Name, QString("last"));
    }

    void aDriveWithoutDriveOpensTheChooser()
    {
        Widget w;
        w.AddIcon2(":/image/icon/Disk.png", "盘符", "DISK", "0", "0");
        QVERIFY(w.windows()->driveChooser()->isVisible());
        w.setIconDisk(lastRow(w).IconID, "/media/data");
        QCOMPARE(lastRow(w).Name, QString("系统盘符"));
        QCOMPARE(takeToast(w), QString("盘符设置成功！"));
        QCOMPARE(savedRows().last().Path, QString("/media/data"));
        w.setIconDisk("icoNone", "/media/x"); // not in the table
        QCOMPARE(takeToast(w), QString());
    }

    void modifyChangesPictureAndNameOnly()
    {
        Widget w;
        w.AddIcon(":/old.png", "old", "ICON", "/bin/x");
        const QString id = lastRow(w).IconID;
        takeToast(w);
        w.Modify(id, ":/new.png", "new", "a note that is not kept");
        const DockIconRecord r = lastRow(w);
        QCOMPARE(r.Icon, QString(":/new.png"));
        QCOMPARE(r.Name, QString("new"));
        QCOMPARE(r.Note, QString(":/old.png"));
        QCOMPARE(takeToast(w), QString("图标修改成功！"));
        QCOMPARE(savedRows().last(), r);
        w.Modify("icoNone", ":/x.png", "x", "");
        QCOMPARE(takeToast(w), QString());
    }

    void updateNoticeComesOnceAndGoes()
    {
        Widget w;
        w.updates();
        w.updates();
        QCOMPARE(countClass(w, "UPGRADE"), 1);
        const DockIconRecord r = lastRow(w);
        QCOMPARE(r.Name, QString("版本更新"));
        QCOMPARE(takeToast(w), QString());
        QVERIFY(!saved(r.IconID));
        DockSettings::instance()->setUpgradeNotice(false);
        QCOMPARE(countClass(w, "UPGRADE"), 0);
        w.updates(); // the settings panel is told, the bar is not
        QCOMPARE(countClass(w, "UPGRADE"), 0);
    }

    void programFilesMakeIcons()
    {
        Widget w;
        const QString tool = file("tool");
        QVERIFY(QFile::copy("/bin/true", tool));
        QFile::setPermissions(tool, QFile::permissions(tool) | QFile::ExeOwner);
        w.getIconNew(tool, "0");
        DockIconRecord r = lastRow(w);
        QCOMPARE(r.Name, QString("tool"));
        QCOMPARE(QImage(r.Icon).size(), QSize(256, 256));
        QCOMPARE(r.Icon, platform::appConfigFolder() + "/icon/tool.png");

        // Without a picture of its own the icon shows the question mark.
        icons->giveIcons = false;
        TestEnv::writeFile(file("run.backup.sh"), "#!/bin/sh\n", true);
        w.getIconNew(file("run.backup.sh"), "0");
        r = lastRow(w);
        QCOMPARE(r.Name, QString("run")); // everything from the first dot on goes
        QCOMPARE(r.Icon, QString(":/image/icon/Icon-what.png"));

        icons->giveIcons = true;
        TestEnv::writeFile(file("腾讯QQ.exe"), "MZ");
        w.getIconNew(file("腾讯QQ.exe"), "0");
        QCOMPARE(lastRow(w).Icon, QString(":/image/icon/腾讯QQ.png"));

        // A file name is not an address: "#" and "%20" are part of the name.
        TestEnv::writeFile(file("My #1%20tool.exe"), "MZ");
        w.getIconNew(file("My #1%20tool.exe"), "0");
        QCOMPARE(lastRow(w).Name, QString("My #1%20tool"));
        QCOMPARE(lastRow(w).Path, file("My #1%20tool.exe"));
    }

    void desktopShortcutsAreCopiedUnderFreeNames()
    {
        Widget w;
        QDir().mkpath(file("a"));
        QDir().mkpath(file("b"));
        TestEnv::writeFile(file("a/org.example.Editor.desktop"), desktopEntry("Editor", "/bin/true %F"));
        TestEnv::writeFile(file("b/org.example.Editor.desktop"), desktopEntry("Other Editor", "true"));
        w.getIconNew(file("a/org.example.Editor.desktop"), "0");
        const DockIconRecord first = lastRow(w);
        QCOMPARE(first.Name, QString("Editor"));
        QCOMPARE(first.Path, link("org.example.Editor.desktop"));
        QCOMPARE(first.Icon, platform::appConfigFolder() + "/icon/org.example.Editor.png");
        // The second shortcut of that file name must not replace the first's copy.
        w.getIconNew(file("b/org.example.Editor.desktop"), "0");
        QCOMPARE(lastRow(w).Name, QString("Other Editor"));
        QCOMPARE(lastRow(w).Path, link("org.example.Editor (2).desktop"));
        QFile copy(first.Path);
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QVERIFY(copy.readAll().contains("Name=Editor\n"));
    }

    // On a full disk the copy is not made at all, rather than cut short for
    // a row to point at: no row, nothing left in the folder, and the user is
    // told that the save failed.
    void aShortcutThatCannotBeCopiedLeavesNothing()
    {
        Widget w;
        icons->giveIcons = false;
        const int before = w.iconTable()->rowCount();
        TestEnv::writeFile(file("Big.desktop"),
                           desktopEntry("Big", "/bin/true") + "Comment=" + QByteArray(64 * 1024, 'x') + "\n");
        takeToast(w);
        {
            FullDisk full(4096);
            w.getIconNew(file("Big.desktop"), "0");
        }
        QCOMPARE(w.iconTable()->rowCount(), before);
        QCOMPARE(QDir(platform::appConfigFolder() + "/link").entryList(QDir::Files | QDir::Hidden), QStringList());
        QTRY_VERIFY(w.toast()->isVisible());
        QCOMPARE(takeToast(w), QString("Big.desktop 保存失败！"));
        // With room again, the copy is whole.
        w.getIconNew(file("Big.desktop"), "0");
        QCOMPARE(lastRow(w).Path, link("Big.desktop"));
        QCOMPARE(TestEnv::readFile(link("Big.desktop")), TestEnv::readFile(file("Big.desktop")));
    }

    void shortcutsToNonProgramsAreRefused()
    {
        Widget w;
        const int before = w.iconTable()->rowCount();
        TestEnv::writeFile(file("Batch.Desktop"), desktopEntry("Batch", "/opt/tools/run.bat"));
        w.getIconNew(file("Batch.Desktop"), "0");
        QCOMPARE(takeToast(w), QString("不是合法应用，图标添加失败！"));
        QCOMPARE(w.iconTable()->rowCount(), before);
        TestEnv::writeFile(file("job.bat"), "echo");
        QVERIFY(QFile::link(file("job.bat"), file("job.lnk")));
        w.getIconNew(file("job.lnk"), "0");
        QCOMPARE(takeToast(w), QString("不是合法应用，图标添加失败！"));
        QCOMPARE(w.iconTable()->rowCount(), before);
        // A shortcut whose target has no suffix (a folder, a bare program) is
        // fine, whatever the case of its own suffix.
        TestEnv::writeFile(file("Go.LNK"), "not a link");
        w.getIconNew(file("Go.LNK"), "0");
        QCOMPARE(lastRow(w).Path, link("Go.LNK"));
    }

    void chosenFilesFoldersMenusAndSpacers()
    {
        Widget w;
        const int before = w.iconTable()->rowCount();
        TestEnv::writeFile(file("one.exe"), "MZ");
        TestEnv::writeFile(file("two.exe"), "MZ");
        dialogs->files = QStringList { file("one.exe"), file("two.exe") };
        w.AddIco();
        QCOMPARE(savedRows().size(), before + 2);
        dialogs->files.clear(); // cancelled
        w.AddIco();
        dialogs->folder.clear();
        w.AddFolder();
        QCOMPARE(w.iconTable()->rowCount(), before + 2);

        QDir().mkpath(file("Docs"));
        dialogs->folder = file("Docs");
        w.AddFolder();
        QCOMPARE(lastRow(w), (DockIconRecord { lastRow(w).IconID, ":/image/icon/Folder.png", "Docs", "FOLDER",
                                               file("Docs"), ":/image/icon/Folder.png" }));
        w.AddMenu();
        QCOMPARE(lastRow(w).Name, QString("扩展菜单"));
        QCOMPARE(lastRow(w).Path, QString("0"));
        QVERIFY(w.menus()->menu(lastRow(w).IconID));
        w.AddBlank();
        QCOMPARE(lastRow(w).Name, QString("分栏图标"));
        QCOMPARE(lastRow(w).Icon, QString(":/image/icon/Blank1.png"));
    }

    // The program dialog lists the desktop's applications; its file chooser
    // opens where desktop entries lie, offers them first and the system's
    // applications one click away; an icon menu's dialogs stand over the
    // menu, the bar's over the bar.
    void dialogsOpenWhereProgramsAre()
    {
        Widget w;
        w.AddMenu();
        const QString menuId = lastRow(w).IconID;
        const QString mine = qEnvironmentVariable("XDG_DATA_HOME") + "/applications";
        {
            ScopedEnv systemData("XDG_DATA_DIRS", file("system").toUtf8());
            QDir().mkpath(file("system/applications"));
            dialogs->files.clear();
            w.AddIco();
            w.menuAddIco(menuId);
            w.menuAddFolder(menuId);
        }
        QCOMPARE(dialogs->folders.mid(0, 2), QStringList({ mine, mine }));
        QVERIFY(QFileInfo(mine).isDir());
        QCOMPARE(dialogs->filters.at(0).section(";;", 0, 0), QString("应用程序(*.desktop)"));
        QVERIFY(dialogs->places.at(0).contains(file("system/applications")));
        QCOMPARE(dialogs->owners, (QList<QWidget *>{ &w, w.menus()->menu(menuId), w.menus()->menu(menuId) }));
        QCOMPARE(dialogs->applicationOwners, (QList<QWidget *>{ &w, w.menus()->menu(menuId) }));
    }

    void panelsSendTheirPicksBack()
    {
        Widget w;
        w.menuAddSystemIco("icoMenu");
        QCOMPARE(w.windows()->sidePanel()->targetId(), QString("icoMenu"));
        w.AddSystemIcon();
        QVERIFY(w.showing()->isPopupOpen());
        emit w.windows()->sidePanel()->AddIcon(":/image/icon/Cmd.png", "命令提示符", "CMD", "C:/Windows/System32/cmd.exe", "0");
        QCOMPARE(lastRow(w).Class, QString("CMD"));
        w.SidebarMenuClose();
        QVERIFY(!w.showing()->isPopupOpen());
        // The web-site dialog leaves the flag alone.
        w.menuAddUrlIco("icoMenu");
        QCOMPARE(w.windows()->addUrlDialog()->targetId(), QString("icoMenu"));
        w.AddUrlIco();
        emit w.windows()->addUrlDialog()->AddIcon(":/p.png", "site", "URL", "https://example.org/", "0");
        QCOMPARE(lastRow(w).Path, QString("https://example.org/"));
        QVERIFY(!w.showing()->isPopupOpen());
    }
};

ZV_TEST_MAIN(TestWidgetAdd)
#include "tst_widgetadd.moc"
