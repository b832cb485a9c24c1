// Opening icons by class, the tools the dock starts, the icon commands, the
// bar's own menu and the tray.
#include "dock/editing/formiconsettings.h"
#include "dock/editing/formsidebarmenu.h"
#include "dock/icons/formname.h"
#include "dock/icons/formselectdisk.h"
#include "dock/launchpad/formlaunchstarter.h"
#include "dock/menus/formmenu.h"
#include "dock/menus/formstartmenu.h"
#include "dock/settings/formsettings.h"
#include "dock/tools/formprotection.h"
#include "dock/tools/formshutdown.h"
#include "dock/tools/formupload.h"
#include "dock/tools/formvesk.h"
#include "dock/widgets/formdesktopwidget.h"
#include "dock/widgets/formweather.h"
#include "testenv.h"
#include "widgetfixture.h"

#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <QtTest>

namespace {

QStringList texts(const QMenu *menu)
{
    QStringList out;
    for (QAction *a : menu->actions())
        out << (a->isSeparator() ? QString("-") : a->text());
    return out;
}

QAction *action(const QMenu *menu, const QString &text)
{
    for (QAction *a : menu->actions()) {
        if (a->text() == text)
            return a;
        if (a->menu())
            if (QAction *inner = action(a->menu(), text))
                return inner;
    }
    return nullptr;
}

// Runs f while the next modal pop-up is up, then closes that pop-up.
void whilePopupIsUp(std::function<void(QWidget *)> f)
{
    QTimer::singleShot(0, [f] {
        QWidget *popup = QApplication::activePopupWidget();
        f(popup);
        if (popup)
            popup->close();
    });
}

} // namespace

class TestWidgetOpen : public QObject, public WidgetFixture
{
    Q_OBJECT

    QString addRow(Widget &w, const QString &cl, const QString &path)
    {
        const QString id = QString("icoT%1").arg(w.iconTable()->rowCount());
        DockFile::appendRow(w.iconTable(), { id, ":/p.png", cl, cl, path, ":/p.png" });
        w.createIcon();
        return id;
    }

private slots:
    void init() { setUpFakes(); }
    void cleanup() { tearDownFakes(); }

    void pathsGoToTheOpener_data()
    {
        QTest::addColumn<QString>("cl");
        QTest::addColumn<QString>("path");
        QTest::newRow("program") << "ICON" << "C:/Tools/app.exe"; // reaches the opener as stored
        QTest::newRow("folder") << "FOLDER" << "/home/someone/Docs";
        QTest::newRow("computer") << "COMPUTER" << "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
        QTest::newRow("control panel") << "PANEL" << "::{26EE0668-A00A-44D7-9371-BEB064C98683}";
        QTest::newRow("recycle bin") << "RECYCLE" << "::{645FF040-5081-101B-9F08-00AA002F954E}";
        QTest::newRow("command prompt") << "CMD" << "C:/Windows/System32/cmd.exe";
        QTest::newRow("removable disk") << "UDISK" << "/media/someone/STICK";
        QTest::newRow("clock") << "TIME1" << "::{26EE0668-A00A-44D7-9371-BEB064C98683}\\6";
        QTest::newRow("spacer") << "BLANK" << "0";
    }
    void pathsGoToTheOpener()
    {
        QFETCH(QString, cl);
        QFETCH(QString, path);
        Widget w;
        w.IconOpen(addRow(w, cl, path));
        QCOMPARE(opener->paths, QStringList { path });
        QVERIFY(opener->urls.isEmpty());
    }

    void addressesAndDrivesOpenAsUrls()
    {
        Widget w;
        w.IconOpen(addRow(w, "URL", "https://www.example.org/a?b=c"));
        w.IconOpen(addRow(w, "DISK", "/media/data"));
        QCOMPARE(opener->urls, QList<QUrl>({ QUrl("https://www.example.org/a?b=c"), QUrl::fromLocalFile("/media/data") }));
        QVERIFY(opener->paths.isEmpty());

        const QString noDrive = addRow(w, "DISK", "0");
        w.IconOpen(noDrive);
        QVERIFY(w.driveChooser()->isVisible());
        QCOMPARE(opener->urls.size(), 2);
    }

    void unknownIdOpensNothing()
    {
        Widget w;
        w.IconOpen("icoNoSuchIcon");
        QVERIFY(opener->paths.isEmpty() && opener->urls.isEmpty() && opener->tools.isEmpty());
        QVERIFY(procs->started.isEmpty());
    }

    void toolsByClass()
    {
        Widget w;
        w.IconOpen(addRow(w, "CALCULATOR", "0"));
        QCOMPARE(opener->tools, QList<platform::Opener::Tool>({ platform::Opener::Calculator }));

        w.IconOpen(addRow(w, "UPGRADE", "UPGRADE"));
        QVERIFY(w.updater()->isVisible());
        w.IconOpen(addRow(w, "WEATHER", "0"));
        QVERIFY(w.weatherWindow()->isVisible());

        w.IconOpen(addRow(w, "TIMESHUTDOWN", "0"));
        QVERIFY(w.powerDialog()->isVisible());
        QVERIFY(w.powerDialog()->isTimerPage());
        w.IconOpen(addRow(w, "SHUTDOWN", "0"));
        QVERIFY(!w.powerDialog()->isTimerPage());

        w.IconOpen(addRow(w, "EYETOOL", "0"));
        QVERIFY(w.eyeProtection()->isShown());

        w.IconOpen(addRow(w, "SEARCH", "0"));
        QVERIFY(w.searchBox()->isShown());
        QCOMPARE(wins->levels.value(w.searchBox()), platform::WindowSystem::Above);

        w.IconOpen(addRow(w, "SETTING", "0"));
        QVERIFY(w.settingsPanel()->isVisible());
        QVERIFY(w.isPopupOpen());

        procs->running << "Tandrel";
        w.IconOpen(addRow(w, "COLORPICKER", "0"));
        w.IconOpen(addRow(w, "SCREENSHOTS", "0"));
        QCOMPARE(procs->killed, QStringList { "Tandrel" }); // only a running copy is ended
        QCOMPARE(procs->started, QStringList({ "Tandrel", "Ostiva" }));
        QVERIFY(opener->paths.isEmpty());
    }

    void toolsByClassName()
    {
        Widget w;
        for (const char *nothing : { "MENU", "DISK", "URL", "ICON", "LAUNCHPAD" })
            w.IconOpens(nothing);
        QVERIFY(opener->paths.isEmpty() && opener->tools.isEmpty());
        QVERIFY(!w.driveChooser()->isVisible());

        w.IconOpens("WEATHER");
        QVERIFY(w.weatherWindow()->isStarted());
        QVERIFY(w.weatherWindow()->isVisible());
        w.IconOpens("TIMESHUTDOWN");
        QVERIFY(w.powerDialog()->isTimerPage());
        w.IconOpens("CALCULATOR");
        QCOMPARE(opener->tools.size(), 1);
        w.IconOpens("UPGRADE");
        QVERIFY(w.updater()->isVisible());
    }

    void toolsByMenuCode()
    {
        Widget w;
        w.menuOpenIco("icoAny", 0);
        w.menuOpenIco("icoAny", 9);
        QVERIFY(!w.updater()->isVisible() && !w.powerDialog()->isVisible());
        w.menuOpenIco("icoAny", 8);
        QVERIFY(w.powerDialog()->isTimerPage());
        w.menuOpenIco("icoAny", 2);
        QVERIFY(!w.powerDialog()->isTimerPage());
        w.menuOpenIco("icoAny", 3);
        QVERIFY(w.eyeProtection()->isShown());
        w.menuOpenIco("icoAny", 5);
        QCOMPARE(procs->started.last(), QString("Tandrel"));
        w.menuOpenIco("icoAny", 6);
        QCOMPARE(procs->started.last(), QString("Ostiva"));
        w.menuOpenIco("icoAny", 1);
        QVERIFY(w.updater()->isVisible());
        w.menuOpenIco("icoAny", 7);
        QVERIFY(w.settingsPanel()->isVisible());
    }

    void helpPage()
    {
        Widget w;
        w.myHelp();
        QCOMPARE(opener->urls.size(), 1);
        QCOMPARE(opener->urls.first().path(), QString("/bbs/forum.php"));
        QCOMPARE(opener->urls.first().query(), QString("mod=forumdisplay&fid=36"));
    }

    void menusOpenOneAtATime()
    {
        Widget w;
        w.AddMenu();
        const QString a = lastRow(w).IconID;
        clock->time = clock->time.addSecs(60);
        w.AddMenu();
        const QString b = lastRow(w).IconID;
        QVERIFY(w.menuWindow(a) && w.menuWindow(b));

        w.IconOpen(a);
        QVERIFY(w.menuWindow(a)->isShown());
        QVERIFY(!w.menuWindow(a)->isHidden());
        QVERIFY(!w.nameBubble()->isVisible());

        // Other menus close while the dock knows a menu is up.
        w.showStartMenu(); // one way the flag goes up
        QVERIFY(w.isMenuShown());
        w.IconOpen(b);
        QVERIFY(!w.menuWindow(a)->isShown());
        QVERIFY(w.menuWindow(b)->isShown());
    }

    void startMenuToggles()
    {
        Widget w;
        w.showStartMenu();
        QVERIFY(w.startMenu()->isShown());
        QVERIFY(w.isMenuShown());
        w.showStartMenu();
        QVERIFY(!w.startMenu()->isShown());
        QVERIFY(!w.isMenuShown());

        w.IconOpen(addRow(w, "STARTMENU", "0"));
        QVERIFY(w.startMenu()->isShown());
        w.hideStartMenu();
        QVERIFY(!w.startMenu()->isShown());
        QVERIFY(!w.isMenuShown());
    }

    void launchPadMovesTheBarAndBack()
    {
        Widget w;
        w.setHide(true);
        w.setMargin(7);
        w.setPosition(1);
        w.showLaunchStarter();
        QVERIFY(w.launchPad()->isShown());
        QCOMPARE(w.settings().location, 2);
        QCOMPARE(w.settings().margin, 0);
        QVERIFY(!w.settings().hideInEffect);
        QVERIFY(w.isDockShown());
        QCOMPARE(wins->levels.value(&w), platform::WindowSystem::Above);

        // Opening the pad icon while the pad is up changes nothing.
        w.IconOpen(addRow(w, "LAUNCHPAD", "0"));
        QVERIFY(w.launchPad()->isShown());

        w.launchPad()->toggleShow(); // the pad closes and reports it
        w.LaunchPadClose();
        QCOMPARE(w.settings().location, 1);
        QCOMPARE(w.settings().margin, 7);
        QVERIFY(w.settings().hideInEffect);
        QCOMPARE(wins->levels.value(&w), platform::WindowSystem::Normal);
    }

    void iconCommands()
    {
        Widget w;
        const QString recycle = DockFile::rowOf(w.iconTable(), DockFile::findRow(w.iconTable(), 3, "RECYCLE")).IconID;
        w.showMenu(recycle, 18);
        QVERIFY(w.isPopupOpen());
        QVERIFY(w.iconSettingsDialog()->isVisible());
        QCOMPARE(w.iconSettingsDialog()->iconId(), recycle);
        QCOMPARE(w.iconSettingsDialog()->mode(), 1);
        QCOMPARE(w.iconSettingsDialog()->iconClass(), QString("RECYCLE"));
        w.showMenu(recycle, 17);
        QCOMPARE(w.iconSettingsDialog()->mode(), 0);
        w.showMenu(recycle, 101);
        QVERIFY(!w.isPopupOpen());
        w.showMenu(recycle, 100);
        QVERIFY(w.isPopupOpen());
        w.showMenu(recycle, 101);

        const QString disk = addRow(w, "DISK", "/media/data");
        w.showMenu(disk, 9);
        QVERIFY(w.driveChooser()->isVisible());

        w.showMenu(disk, 12);
        QVERIFY(w.desktopWidgetPanel()->isVisible());

        const int before = w.iconTable()->rowCount();
        for (int nothing : { 4, 14, 19, 21, 99, -1 })
            w.showMenu(disk, nothing);
        w.showMenu("icoNone", 1);
        w.showMenu("icoNone", 6);
        QCOMPARE(w.iconTable()->rowCount(), before);
        QVERIFY(!w.isPopupOpen());

        w.showMenu(disk, 13);
        QCOMPARE(lastRow(w).Class, QString("BLANK"));
        w.showMenu(disk, 3);
        QVERIFY(w.sidePanel()->isVisible());
    }

    void deletingIcons()
    {
        Widget w;
        w.AddMenu();
        const QString menu = lastRow(w).IconID;
        const QString menuFile = platform::configPath(menu + ".xml");
        QVERIFY(DockFile::write(menuFile, {}));
        const QString other = platform::configPath("icoOther.xml");
        QVERIFY(DockFile::write(other, {}));
        takeToast(w);

        w.showMenu(menu, 6);
        QCOMPARE(rowOf(w, menu), -1);
        QVERIFY(!w.iconWidget(menu));
        QVERIFY(!QFile::exists(menuFile));
        QVERIFY(!saved(menu));
        QCOMPARE(takeToast(w), QString("图标删除成功！"));

        const QString program = addRow(w, "ICON", "/bin/x");
        w.showMenu(program, 6);
        QCOMPARE(rowOf(w, program), -1);
        QVERIFY(QFile::exists(other)); // menu files of others stay
        QCOMPARE(takeToast(w), QString("图标删除成功！"));
    }

    void barMenuTexts()
    {
        Widget w;
        std::unique_ptr<QMenu> menu(w.buildBarMenu());
        QCOMPARE(texts(menu.get()), QStringList({ "桌面工具", "添加图标", "-", "Dock设置          ", "使用帮助     ",
                                                  "隐藏Dock          ", "退出Dock          " }));
        QMenu *add = menu->actions().at(1)->menu();
        QVERIFY(add);
        QCOMPARE(texts(add), QStringList({ "添加应用图标", "添加系统图标", "添加网址", "添加扩展菜单", "添加文件夹",
                                           "添加分栏图标" }));
        for (QMenu *m : { menu.get(), add }) {
            QVERIFY(m->windowFlags() & Qt::FramelessWindowHint);
            QVERIFY(m->testAttribute(Qt::WA_TranslucentBackground));
            QVERIFY(m->styleSheet().startsWith("QMenu{background:#FFFFFF;"));
        }

        action(menu.get(), "添加分栏图标")->trigger();
        QCOMPARE(lastRow(w).Class, QString("BLANK"));
        action(menu.get(), "桌面工具")->trigger();
        QVERIFY(w.desktopWidgetPanel()->isVisible());
    }

    void rightReleaseOnTheBarRunsItsMenu()
    {
        Widget w;
        QStringList seen;
        bool popupFlag = false;
        whilePopupIsUp([&](QWidget *popup) {
            if (auto *m = qobject_cast<QMenu *>(popup))
                seen = texts(m);
            popupFlag = w.isPopupOpen();
        });
        QMouseEvent right(QEvent::MouseButtonRelease, QPointF(5, 5), Qt::RightButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &right);
        QCOMPARE(seen.size(), 7);
        QVERIFY(popupFlag);
        QVERIFY(!w.isPopupOpen()); // cleared when the menu hid

        for (Qt::MouseButton b : { Qt::LeftButton, Qt::MiddleButton }) {
            QMouseEvent other(QEvent::MouseButtonRelease, QPointF(5, 5), b, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(&w, &other);
            QVERIFY(!w.isPopupOpen());
            QVERIFY(!QApplication::activePopupWidget());
        }
    }

    void trayMenu()
    {
        Widget w;
        QVERIFY(w.trayIcon());
        QCOMPARE(w.trayIcon()->toolTip(), QString("Zorvane"));
        std::unique_ptr<QMenu> menu(w.buildTrayMenu());
        QCOMPARE(texts(menu.get()), QStringList({ "显示Dock", "-", "Dock设置", "退出Dock        " }));
        action(menu.get(), "Dock设置")->trigger();
        QVERIFY(w.settingsPanel()->isVisible());

        QStringList seen;
        whilePopupIsUp([&](QWidget *popup) {
            if (auto *m = qobject_cast<QMenu *>(popup))
                seen = texts(m);
        });
        w.iconActivated(QSystemTrayIcon::Context);
        QCOMPARE(seen.size(), 4);

        w.setHideWindows();
        w.iconActivated(QSystemTrayIcon::Trigger);
        QVERIFY(w.isVisible());
    }
};

ZV_TEST_MAIN(TestWidgetOpen)
#include "tst_widgetopen.moc"
