// Adding and changing dock icons: the add routines, their refusals and
// toasts, icons made from program files and shortcuts, and the panels.
#include "dock/editing/formaddurl.h"
#include "dock/editing/formiconsettings.h"
#include "dock/editing/formsidebarmenu.h"
#include "dock/icons/formselectdisk.h"
#include "dock/menus/formmenu.h"
#include "dock/settings/formsettings.h"
#include "dock/widgets/formdesktopwidget.h"
#include "testenv.h"
#include "widgetfixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void writeFile(const QString &path, const QByteArray &data, bool executable = false)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
    f.close();
    if (executable)
        f.setPermissions(f.permissions() | QFile::ExeOwner | QFile::ExeUser);
}

QByteArray desktopEntry(const QString &name, const QString &exec)
{
    return QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\n").arg(name, exec).toUtf8();
}

} // namespace

class TestWidgetAdd : public QObject, public WidgetFixture
{
    Q_OBJECT
    QTemporaryDir files;

    QString file(const QString &name) const { return files.path() + "/" + name; }

    // A MENU icon on the bar with its (shown) menu window.
    QString addShownMenu(Widget &w)
    {
        w.AddMenu();
        const QString id = lastRow(w).IconID;
        FormMenu *menu = w.menuWindow(id);
        if (menu)
            menu->showAnimated();
        takeToast(w);
        return id;
    }

private slots:
    void init() { setUpFakes(); }
    void cleanup() { tearDownFakes(); }

    void addAppendsAndSaves()
    {
        Widget w;
        const int before = w.iconTable()->rowCount();
        w.AddIcon(":/image/icon/Finder.png", "Prog", "ICON", "/usr/bin/prog");
        QCOMPARE(w.iconTable()->rowCount(), before + 1);
        const DockIconRecord r = lastRow(w);
        QCOMPARE(r.IconID, IconIds::newId(clock->time));
        QCOMPARE(r.Name, QString("Prog"));
        QCOMPARE(r.Path, QString("/usr/bin/prog"));
        QCOMPARE(r.Note, QString(":/image/icon/Finder.png")); // the picture it was made with
        QVERIFY(w.iconWidget(r.IconID));
        QCOMPARE(takeToast(w), QString("图标添加成功！"));
        QVERIFY(saved(r.IconID));
    }

    void addRefusesAnEmptyPathQuietly()
    {
        Widget w;
        const int before = w.iconTable()->rowCount();
        w.AddIcon(":/p.png", "nothing", "ICON", "");
        QCOMPARE(w.iconTable()->rowCount(), before);
        QCOMPARE(takeToast(w), QString());
    }

    // Two adds in the same minute and millisecond used to collide on one ID,
    // and the second add was dropped without a word.
    void addsAtTheSameInstantKeepBoth()
    {
        Widget w;
        w.AddIcon(":/p.png", "one", "ICON", "/bin/one");
        w.AddIcon(":/p.png", "two", "ICON", "/bin/one"); // the same path twice is fine too
        const QList<DockIconRecord> all = rows(w);
        const DockIconRecord a = all.at(all.size() - 2), b = all.last();
        QCOMPARE(a.Name, QString("one"));
        QCOMPARE(b.Name, QString("two"));
        QVERIFY(a.IconID != b.IconID);
        QCOMPARE(b.IconID, IconIds::newId(clock->time.addMSecs(1)));
    }

    void transientRowsComeWithoutToastOrSave()
    {
        Widget w;
        w.AddIcon(":/image/icon/UDisk.png", "U盘[ (/media/x)]", "UDISK", "/media/x");
        QCOMPARE(lastRow(w).Class, QString("UDISK"));
        QCOMPARE(takeToast(w), QString());
        QVERIFY(!saved(lastRow(w).IconID));
    }

    void refusalsByClass_data()
    {
        QTest::addColumn<QString>("cl");
        QTest::addColumn<bool>("intoMenu");
        QTest::addColumn<QString>("toast");
        QTest::addColumn<bool>("added");
        for (const char *cl : { "MENU", "RECYCLE", "WEATHER", "TIME1", "TIME2", "LAUNCHPAD", "STARTMENU" })
            QTest::newRow(qPrintable(QString("menu refuses %1").arg(cl))) << cl << true << "菜单中不能添加此图标！" << false;
        QTest::newRow("menu takes a calculator") << "CALCULATOR" << true << "" << true;
        QTest::newRow("dock has its weather") << "WEATHER" << false << "此图标已经存在！" << false;
        QTest::newRow("dock has its launch pad") << "LAUNCHPAD" << false << "此图标已经存在！" << false;
        QTest::newRow("second recycle bin") << "RECYCLE" << false << "图标添加成功！" << true;
        QTest::newRow("second calculator") << "CALCULATOR" << false << "图标添加成功！" << true;
        QTest::newRow("first start menu") << "STARTMENU" << false << "图标添加成功！" << true;
    }
    void refusalsByClass()
    {
        QFETCH(QString, cl);
        QFETCH(bool, intoMenu);
        QFETCH(QString, toast);
        QFETCH(bool, added);
        Widget w;
        const QString menuId = addShownMenu(w);
        const int before = w.iconTable()->rowCount();
        w.AddIcon2(":/p.png", "x", cl, "0", intoMenu ? menuId : QString("0"));
        QCOMPARE(takeToast(w), toast);
        if (intoMenu) {
            // Whatever the menu does with an icon, it closes afterwards.
            QCOMPARE(w.menuWindow(menuId)->isShown(), !added);
            QCOMPARE(w.iconTable()->rowCount(), before);
        } else {
            QCOMPARE(w.iconTable()->rowCount(), before + (added ? 1 : 0));
        }
    }

    void onceOnlyClassesAreOnceOnly()
    {
        Widget w;
        w.AddIcon2(":/p.png", "start", "STARTMENU", "0", "0");
        QCOMPARE(takeToast(w), QString("图标添加成功！"));
        w.AddIcon2(":/p.png", "start", "STARTMENU", "0", "0");
        QCOMPARE(takeToast(w), QString("此图标已经存在！"));
        QCOMPARE(countClass(w, "STARTMENU"), 1);
    }

    void unknownMenuTargetDoesNothing()
    {
        Widget w;
        const int before = w.iconTable()->rowCount();
        w.AddIcon2(":/p.png", "x", "ICON", "/bin/x", "icoNoSuchMenu");
        QCOMPARE(w.iconTable()->rowCount(), before);
        QCOMPARE(takeToast(w), QString());
    }

    void aDropLandsInItsGap()
    {
        Widget w;
        w.markDrop(2);
        w.AddIcon(":/p.png", "dropped", "ICON", "/bin/dropped");
        QVERIFY(!w.isDropPending());
        QCOMPARE(DockFile::rowOf(w.iconTable(), 2).Name, QString("dropped"));
        QCOMPARE(takeToast(w), QString("图标添加成功！"));

        w.markDrop(1000); // past the end: appended
        w.AddIcon(":/p.png", "last", "ICON", "/bin/last");
        QCOMPARE(lastRow(w).Name, QString("last"));
    }

    void aDropOnAMenuGoesIntoTheMenu()
    {
        Widget w;
        const QString menuId = addShownMenu(w);
        const int slot = rowOf(w, menuId);
        const int before = w.iconTable()->rowCount();
        w.markDrop(slot);
        w.AddIcon(":/image/icon/Disk.png", "into menu", "DISK", "0");
        QCOMPARE(w.iconTable()->rowCount(), before);
        QVERIFY(!w.menuWindow(menuId)->isShown());
        QVERIFY(!w.isDropPending());
        // The drive icon went into the menu: the dock's chooser has no icon to ask for.
        QVERIFY(!w.driveChooser()->isVisible());
    }

    void aDriveWithoutDriveOpensTheChooser()
    {
        Widget w;
        QVERIFY(!w.driveChooser()->isVisible());
        w.AddIcon2(":/image/icon/Disk.png", "盘符", "DISK", "0", "0");
        QVERIFY(w.driveChooser()->isVisible());
        const QString id = lastRow(w).IconID;

        w.setIconDisk(id, "/media/data");
        const DockIconRecord r = lastRow(w);
        QCOMPARE(r.Name, QString("系统盘符"));
        QCOMPARE(r.Path, QString("/media/data"));
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
        QCOMPARE(countClass(w, "UPGRADE"), 1);
        const DockIconRecord r = lastRow(w);
        QCOMPARE(r.Icon, QString(":/image/icon/rocket.gif"));
        QCOMPARE(r.Name, QString("版本更新"));
        QCOMPARE(r.Path, QString("UPGRADE"));
        QCOMPARE(takeToast(w), QString());
        QVERIFY(!saved(r.IconID));
        w.updates();
        QCOMPARE(countClass(w, "UPGRADE"), 1);

        w.setUpgradeNotice(false);
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
        QCOMPARE(r.Class, QString("ICON"));
        QCOMPARE(r.Path, tool);
        QCOMPARE(r.Icon, platform::appConfigFolder() + "/icon/tool.png");
        QVERIFY(QImage(r.Icon).size() == QSize(256, 256));
        QCOMPARE(icons->sizes.last(), 256);

        // Without a picture of its own the icon shows the question mark.
        icons->giveIcons = false;
        writeFile(file("run.backup.sh"), "#!/bin/sh\n", true);
        w.getIconNew(file("run.backup.sh"), "0");
        r = lastRow(w);
        QCOMPARE(r.Name, QString("run")); // everything from the first dot on goes
        QCOMPARE(r.Icon, QString(":/image/icon/Icon-what.png"));
        QCOMPARE(r.Path, file("run.backup.sh"));

        icons->giveIcons = true;
        writeFile(file("腾讯QQ.exe"), "MZ");
        w.getIconNew(file("腾讯QQ.exe"), "0");
        QCOMPARE(lastRow(w).Icon, QString(":/image/icon/腾讯QQ.png"));
        QCOMPARE(lastRow(w).Path, file("腾讯QQ.exe"));

        // A file name is not an address: "#" and "%20" are part of the name.
        writeFile(file("My #1%20tool.exe"), "MZ");
        w.getIconNew(file("My #1%20tool.exe"), "0");
        QCOMPARE(lastRow(w).Name, QString("My #1%20tool"));
        QCOMPARE(lastRow(w).Path, file("My #1%20tool.exe"));
    }

    void desktopShortcutsAreCopiedUnderFreeNames()
    {
        Widget w;
        QDir().mkpath(file("a"));
        QDir().mkpath(file("b"));
        writeFile(file("a/org.example.Editor.desktop"), desktopEntry("Editor", "/bin/true %F"));
        writeFile(file("b/org.example.Editor.desktop"), desktopEntry("Other Editor", "true"));

        w.getIconNew(file("a/org.example.Editor.desktop"), "0");
        const DockIconRecord first = lastRow(w);
        QCOMPARE(first.Name, QString("Editor"));
        QCOMPARE(first.Path, platform::appConfigFolder() + "/link/org.example.Editor.desktop");
        QCOMPARE(first.Icon, platform::appConfigFolder() + "/icon/org.example.Editor.png");

        // The second shortcut of that file name must not replace the first's copy.
        w.getIconNew(file("b/org.example.Editor.desktop"), "0");
        const DockIconRecord second = lastRow(w);
        QCOMPARE(second.Name, QString("Other Editor"));
        QCOMPARE(second.Path, platform::appConfigFolder() + "/link/org.example.Editor (2).desktop");
        QFile copy(first.Path);
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QVERIFY(copy.readAll().contains("Name=Editor\n"));
    }

    void shortcutsToNonProgramsAreRefused()
    {
        Widget w;
        const int before = w.iconTable()->rowCount();
        writeFile(file("Batch.Desktop"), desktopEntry("Batch", "/opt/tools/run.bat"));
        w.getIconNew(file("Batch.Desktop"), "0");
        QCOMPARE(takeToast(w), QString("不是合法应用，图标添加失败！"));
        QCOMPARE(w.iconTable()->rowCount(), before);
        // The picture was made before the refusal and stays.
        QVERIFY(QFile::exists(platform::appConfigFolder() + "/icon/Batch.png"));

        writeFile(file("job.bat"), "echo");
        QVERIFY(QFile::link(file("job.bat"), file("job.lnk")));
        w.getIconNew(file("job.lnk"), "0");
        QCOMPARE(takeToast(w), QString("不是合法应用，图标添加失败！"));
        QCOMPARE(w.iconTable()->rowCount(), before);

        // A shortcut whose target has no suffix (a folder, a bare program) is fine,
        // whatever the case of its own suffix.
        writeFile(file("Go.LNK"), "not a link");
        w.getIconNew(file("Go.LNK"), "0");
        QCOMPARE(lastRow(w).Path, platform::appConfigFolder() + "/link/Go.LNK");
    }

    void programFilesIntoAMenu()
    {
        Widget w;
        const QString menuId = addShownMenu(w);
        const int before = w.iconTable()->rowCount();
        writeFile(file("app.exe"), "MZ");
        w.getIconNew(file("app.exe"), menuId);
        QCOMPARE(w.iconTable()->rowCount(), before);
        QVERIFY(!w.menuWindow(menuId)->isShown());
    }

    void chosenFilesEachMakeAnIcon()
    {
        Widget w;
        writeFile(file("one.exe"), "MZ");
        writeFile(file("two.exe"), "MZ");
        dialogs->files = QStringList { file("one.exe"), file("two.exe") };
        const int before = w.iconTable()->rowCount();
        w.AddIco();
        QCOMPARE(w.iconTable()->rowCount(), before + 2);
        QCOMPARE(dialogs->captions.last(), QString("选择文件"));
        QVERIFY(dialogs->filters.last().startsWith("files(*.exe *.lnk"));
        QCOMPARE(savedRows().size(), before + 2);

        dialogs->files.clear(); // cancelled
        w.AddIco();
        QCOMPARE(w.iconTable()->rowCount(), before + 2);
    }

    void foldersMenusAndSpacers()
    {
        Widget w;
        QDir().mkpath(file("Docs"));
        dialogs->folder = file("Docs");
        w.AddFolder();
        QCOMPARE(dialogs->captions.last(), QString("选择文件夹"));
        DockIconRecord r = lastRow(w);
        QCOMPARE(r.Class, QString("FOLDER"));
        QCOMPARE(r.Name, QString("Docs"));
        QCOMPARE(r.Icon, QString(":/image/icon/Folder.png"));
        QCOMPARE(r.Path, file("Docs"));

        dialogs->folder.clear();
        const int before = w.iconTable()->rowCount();
        w.AddFolder();
        QCOMPARE(w.iconTable()->rowCount(), before);

        w.AddMenu();
        r = lastRow(w);
        QCOMPARE(r.Class, QString("MENU"));
        QCOMPARE(r.Name, QString("扩展菜单"));
        QCOMPARE(r.Path, QString("0"));
        QVERIFY(w.menuWindow(r.IconID));

        w.AddBlank();
        r = lastRow(w);
        QCOMPARE(r.Class, QString("BLANK"));
        QCOMPARE(r.Name, QString("分栏图标"));
        QCOMPARE(r.Icon, QString(":/image/icon/Blank1.png"));
    }

    void panelsKeepTheDockOpen()
    {
        Widget w;
        w.AddSystemIcon();
        QVERIFY(w.isPopupOpen());
        QVERIFY(w.sidePanel()->isVisible());
        QCOMPARE(w.sidePanel()->targetId(), QString("0"));
        w.SidebarMenuClose();
        QVERIFY(!w.isPopupOpen());

        w.menuAddSystemIco("icoMenu");
        QCOMPARE(w.sidePanel()->targetId(), QString("icoMenu"));
        QVERIFY(w.isPopupOpen());
        w.IconSettingsClose();
        QVERIFY(!w.isPopupOpen());

        // The web-site dialog and the desktop tools leave the flag alone.
        w.AddUrlIco();
        QVERIFY(w.addUrlDialog()->isVisible());
        QCOMPARE(w.addUrlDialog()->targetId(), QString("0"));
        w.menuAddUrlIco("icoMenu");
        QCOMPARE(w.addUrlDialog()->targetId(), QString("icoMenu"));
        w.AddDesktopWidget();
        QVERIFY(w.desktopWidgetPanel()->isVisible());
        QVERIFY(!w.isPopupOpen());
    }

    void thePanelsSendTheirPicksBack()
    {
        Widget w;
        w.AddSystemIcon();
        emit w.sidePanel()->AddIcon(":/image/icon/Cmd.png", "命令提示符", "CMD", "C:/Windows/System32/cmd.exe", "0");
        QCOMPARE(lastRow(w).Class, QString("CMD"));
        emit w.addUrlDialog()->AddIcon(":/p.png", "site", "URL", "https://example.org/", "0");
        QCOMPARE(lastRow(w).Path, QString("https://example.org/"));
    }
};

ZV_TEST_MAIN(TestWidgetAdd)
#include "tst_widgetadd.moc"
