// Opening icons by class, by class name and by menu code, the icon commands,
// the bar's own menu and the tray.
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
#include "dock/window/dockactions.h"
#include "dock/window/dockmessages.h"
#include "dock/window/dockwindows.h"
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

// The next pop-up menu, closed again at once: its texts and whether the
// dock knew a pop-up was open.
struct Popup
{
    QStringList texts;
    bool dockFlag = false;
};
std::shared_ptr<Popup> nextPopup(const Widget &w)
{
    auto seen = std::make_shared<Popup>();
    QTimer::singleShot(0, [seen, &w] {
        if (auto *m = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            *seen = { texts(m), w.showing()->isPopupOpen() };
            m->close();
        }
    });
    return seen;
}

} // namespace

class TestWidgetOpen : public QObject, public WidgetFixture
{
    Q_OBJECT

    QString addRow(Widget &w, const QString &cl, const QString &path)
    {
        const QString id = QString("icoT%1").arg(w.iconTable()->rowCount());
        w.iconTable()->append({ id, ":/p.png", cl, cl, path, ":/p.png" });
        w.createIcon();
        return id;
    }

    // Everything that opening can do, in short; `rows` the row count before.
    QString effects(Widget &w, int rows)
    {
        QStringList e;
        if (w.iconTable()->rowCount() != rows)
            e << QString("rows %1 %2").arg(w.iconTable()->rowCount() - rows).arg(lastRow(w).Class);
        e << outsideEffects();
        if (w.windows()->updater()->isVisible())
            e << "updater";
        if (w.windows()->weatherWindow()->isVisible())
            e << "weather";
        if (w.windows()->powerDialog()->isVisible())
            e << (w.windows()->powerDialog()->isTimerPage() ? "timer page" : "power page");
        if (w.windows()->eyeProtection()->isShown())
            e << "eye";
        if (w.windows()->searchBox()->isShown())
            e << (wins->levels.value(w.windows()->searchBox()) == platform::WindowSystem::Above ? "search above" : "search");
        if (w.windows()->settingsPanel()->isVisible())
            e << "settings";
        if (w.windows()->iconSettingsDialog()->isVisible())
            e << QString("icon settings %1").arg(w.windows()->iconSettingsDialog()->mode());
        if (w.windows()->sidePanel()->isVisible())
            e << "side panel";
        if (w.windows()->desktopWidgetPanel()->isVisible())
            e << "desktop tools";
        if (w.windows()->driveChooser()->isVisible())
            e << "drive chooser";
        if (w.menus()->startMenu()->isShown())
            e << "start menu";
        if (w.launchPad()->isShown())
            e << "launch pad";
        if (w.showing()->isPopupOpen())
            e << "popup";
        if (w.toast()->isVisible())
            e << "toast " + w.toast()->text();
        return e.join(", ");
    }

private slots:
    void init() { setUpFakes(); }
    void cleanup() { tearDownFakes(); }

    void opening_data()
    {
        // "icon": IconOpen, "name": IconOpens, "code": menuOpenIco, "command": showMenu on a drive
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("effects");
        const QString panelPage = "::{26EE0668-A00A-44D7-9371-BEB064C98683}\\6";
        // Paths reach the opener as stored.
        QTest::newRow("program") << "icon" << "ICON" << "C:/Tools/app.exe" << "path C:/Tools/app.exe";
        QTest::newRow("folder") << "icon" << "FOLDER" << "/home/someone/Docs" << "path /home/someone/Docs";
        for (const char *cl : { "COMPUTER", "PANEL", "RECYCLE", "CMD" })
            QTest::newRow(cl) << "icon" << cl << "::{20D04FE0}" << "path ::{20D04FE0}";
        QTest::newRow("removable disk") << "icon" << "UDISK" << "/media/u/STICK" << "path /media/u/STICK";
        // The control panel's page is the desktop's settings program.
        QTest::newRow("clock") << "icon" << "TIME1" << panelPage << "settings program";
        QTest::newRow("spacer") << "icon" << "BLANK" << "0" << "path 0";
        QTest::newRow("address") << "icon" << "URL" << "https://www.example.org/a?b=c"
                                 << "url https://www.example.org/a?b=c";
        QTest::newRow("drive") << "icon" << "DISK" << "/media/data" << "url file:///media/data";
        QTest::newRow("drive not chosen") << "icon" << "DISK" << "0" << "drive chooser";
        QTest::newRow("unknown ID") << "icon" << "" << "" << "";
        QTest::newRow("calculator") << "icon" << "CALCULATOR" << "0" << "calculator";
        QTest::newRow("update") << "icon" << "UPGRADE" << "UPGRADE" << "updater";
        QTest::newRow("weather") << "icon" << "WEATHER" << "0" << "weather";
        QTest::newRow("timed shutdown") << "icon" << "TIMESHUTDOWN" << "0" << "timer page";
        QTest::newRow("shutdown") << "icon" << "SHUTDOWN" << "0" << "power page";
        QTest::newRow("eye tool") << "icon" << "EYETOOL" << "0" << "eye";
        QTest::newRow("search") << "icon" << "SEARCH" << "0" << "search above";
        QTest::newRow("settings") << "icon" << "SETTING" << "0" << "settings, popup";
        // Our colour picker is restarted; an outside program only started.
        QTest::newRow("colour picker") << "icon" << "COLORPICKER" << "0" << "kill Tandrel, start Tandrel";
        // Without the product's own screenshot tool beside the dock, the desktop's.
        QTest::newRow("screenshots") << "icon" << "SCREENSHOTS" << "0" << "screenshot tool, start Ostiva";
        QTest::newRow("start menu") << "icon" << "STARTMENU" << "0" << "start menu";
        QTest::newRow("launch pad") << "icon" << "LAUNCHPAD" << "0" << "launch pad";
        // From the launch pad, by class name.
        for (const char *cl : { "MENU", "DISK", "URL", "ICON", "LAUNCHPAD" })
            QTest::newRow(qPrintable(QString("name %1").arg(cl))) << "name" << cl << "" << "";
        QTest::newRow("name WEATHER") << "name" << "WEATHER" << "" << "weather";
        QTest::newRow("name TIMESHUTDOWN") << "name" << "TIMESHUTDOWN" << "" << "timer page";
        QTest::newRow("name CALCULATOR") << "name" << "CALCULATOR" << "" << "calculator";
        QTest::newRow("name UPGRADE") << "name" << "UPGRADE" << "" << "updater";
        // From an icon menu, by code.
        const char *byCode[] = { "", "updater", "power page", "eye", "search above", "kill Tandrel, start Tandrel",
                                 "screenshot tool, start Ostiva", "settings, popup", "timer page", "" };
        for (int code = 0; code < 10; ++code)
            QTest::newRow(qPrintable(QString("code %1").arg(code))) << "code" << QString::number(code) << ""
                                                                    << byCode[code];
        // The icon commands; "none" for an icon that is not there.
        const QStringList byCommand { "0", "settings, popup", "1", "icon settings 0, popup", "17",
                                      "icon settings 0, popup", "18", "icon settings 1, popup", "100", "popup", "3",
                                      "side panel, popup", "9", "drive chooser", "12", "desktop tools", "13",
                                      "rows 1 BLANK, toast 图标添加成功！", "4", "", "14", "", "19", "", "21", "", "99", "", "-1", "" };
        for (int i = 0; i < byCommand.size(); i += 2)
            QTest::newRow(qPrintable("command " + byCommand[i])) << "command" << byCommand[i] << "" << byCommand[i + 1];
        QTest::newRow("command 1, no icon") << "command" << "1" << "none" << "";
        QTest::newRow("command 6, no icon") << "command" << "6" << "none" << "";
    }
    void opening()
    {
        QFETCH(QString, how);
        QFETCH(QString, what);
        QFETCH(QString, path);
        QFETCH(QString, effects);
        Widget w;
        procs->running << "Tandrel";
        const QString id = how == "command" ? addRow(w, "DISK", "/media/data")
            : how == "icon" && !what.isEmpty() ? addRow(w, what, path) : QString("icoNone");
        const int rowsBefore = w.iconTable()->rowCount();
        if (how == "icon")
            w.IconOpen(id);
        else if (how == "name")
            w.IconOpens(what);
        else if (how == "code")
            w.menuOpenIco("icoAny", what.toInt());
        else
            w.showMenu(path == "none" ? QString("icoNone") : id, what.toInt());
        QCOMPARE(this->effects(w, rowsBefore), effects);
    }

    // A desktop tool the machine lacks is said in a toast; the product's own
    // screenshot tool, where it lies beside the dock, comes before the desktop's.
    void missingToolsAreSaid_data()
    {
        QTest::addColumn<QString>("cl");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("ostiva");
        QTest::addColumn<QString>("effects");
        QTest::newRow("calculator") << "CALCULATOR" << "0" << false << "calculator, toast 未找到计算器！";
        QTest::newRow("control panel") << "PANEL" << "::{26EE0668-A00A-44D7-9371-BEB064C98683}" << false
                                       << "settings program, toast 未找到控制面板！";
        QTest::newRow("terminal") << "CMD" << "C:/Windows/System32/cmd.exe" << false << "terminal, toast 未找到终端！";
        QTest::newRow("screenshot") << "SCREENSHOTS" << "0" << false
                                    << "screenshot tool, start Ostiva, toast 未找到截图工具！";
        QTest::newRow("own screenshot tool") << "SCREENSHOTS" << "0" << true << "start Ostiva";
        QTest::newRow("a folder") << "FOLDER" << "/opt/x" << false << "path /opt/x";
    }
    void missingToolsAreSaid()
    {
        QFETCH(QString, cl);
        QFETCH(QString, path);
        QFETCH(bool, ostiva);
        QFETCH(QString, effects);
        opener->toolsInstalled = false;
        if (ostiva)
            procs->installed << "Ostiva";
        Widget w;
        const QString id = addRow(w, cl, path);
        const int rows = w.iconTable()->rowCount();
        w.toast()->hide();
        w.IconOpen(id);
        QCOMPARE(this->effects(w, rows), effects);
    }

    void menusOpenOneAtATime()
    {
        Widget w;
        w.AddMenu();
        const QString a = lastRow(w).IconID;
        clock->time = clock->time.addSecs(60);
        w.AddMenu();
        const QString b = lastRow(w).IconID;
        w.IconOpen(a);
        QVERIFY(w.menus()->menu(a)->isShown());
        QVERIFY(!w.menus()->menu(a)->isHidden());
        QVERIFY(!w.tips()->bubble()->isVisible());
        // Other menus close while the dock knows a menu is up.
        w.showStartMenu(); // one way the flag goes up
        QVERIFY(w.showing()->isMenuShown());
        w.IconOpen(b);
        QVERIFY(!w.menus()->menu(a)->isShown());
        QVERIFY(w.menus()->menu(b)->isShown());
    }

    // The start-menu icon opened while an icon menu is up, and the other way
    // round: the pop-up that was open goes, so one is up at a time. While one
    // is up the dock window stands in front of the dock's dialogs.
    void oneMenuOrTheStartMenuAtATime()
    {
        Widget w;
        w.AddMenu();
        const QString menu = lastRow(w).IconID;
        const QString start = addRow(w, "STARTMENU", "0");
        FormStartMenu *tree = w.menus()->startMenu();
        w.IconOpen(menu);
        QVERIFY(w.menus()->menu(menu)->isShown());
        QVERIFY(wins->popupShown.value(&w));
        w.IconOpen(start);
        QVERIFY(tree->isShown());
        QVERIFY(!w.menus()->menu(menu)->isShown());
        QVERIFY(w.showing()->isMenuShown());
        QVERIFY(wins->popupShown.value(&w));
        QTRY_VERIFY(w.menus()->menu(menu)->isHidden());
        w.IconOpen(menu);
        QVERIFY(w.menus()->menu(menu)->isShown());
        QVERIFY(!tree->isShown() && tree->isHidden());
        QVERIFY(w.showing()->isMenuShown());
        QVERIFY(wins->popupShown.value(&w));
        w.IconOpen(start);
        w.IconOpen(start); // closed from its icon: nothing is up
        QVERIFY(!tree->isShown() && !w.menus()->menu(menu)->isShown());
        QVERIFY(!w.showing()->isMenuShown());
        QVERIFY(!wins->popupShown.value(&w));
        w.IconOpen(menu);
        QVERIFY(wins->popupShown.value(&w));
        w.IconOpen(menu);
        QVERIFY(!wins->popupShown.value(&w));
    }

    void startMenuToggles()
    {
        Widget w;
        w.showStartMenu();
        QVERIFY(w.menus()->startMenu()->isShown() && w.showing()->isMenuShown());
        w.showStartMenu();
        QVERIFY(!w.menus()->startMenu()->isShown() && !w.showing()->isMenuShown());
        w.showStartMenu();
        w.hideStartMenu();
        QVERIFY(!w.menus()->startMenu()->isShown() && !w.showing()->isMenuShown());
        // Opening one of its rows hides it.
        w.showStartMenu();
        w.menus()->startMenu()->IconOpen("/usr/share/applications/x.desktop");
        QCOMPARE(opener->paths.last(), QString("/usr/share/applications/x.desktop"));
        QVERIFY(!w.menus()->startMenu()->isShown() && !w.showing()->isMenuShown());
    }

    void launchPadMovesTheBarAndBack()
    {
        Widget w;
        DockSettings::instance()->setHide(true);
        DockSettings::instance()->setMargin(7);
        DockSettings::instance()->setLocation(1);
        w.showLaunchStarter();
        QVERIFY(w.launchPad()->isShown());
        QCOMPARE(w.barLayout()->now().edge, 2);
        QCOMPARE(w.barLayout()->now().margin, 0);
        QVERIFY(!w.showing()->hideInEffect());
        QVERIFY(w.autoHide()->isDockShown());
        QCOMPARE(wins->levels.value(&w), platform::WindowSystem::Above);
        // Opening the pad icon while the pad is up changes nothing.
        w.IconOpen(addRow(w, "LAUNCHPAD", "0"));
        QVERIFY(w.launchPad()->isShown());
        w.launchPad()->toggleShow(); // the pad closes and reports it
        w.LaunchPadClose();
        QCOMPARE(w.barLayout()->now().edge, 1);
        QCOMPARE(w.barLayout()->now().margin, 7);
        QVERIFY(w.showing()->hideInEffect());
        QCOMPARE(wins->levels.value(&w), platform::WindowSystem::Normal);
    }

    void iconSettingsPopupFlag()
    {
        Widget w;
        const QString recycle = w.iconTable()->record(w.iconTable()->findRow(3, "RECYCLE")).IconID;
        w.showMenu(recycle, 18);
        QCOMPARE(w.windows()->iconSettingsDialog()->iconId(), recycle);
        QCOMPARE(w.windows()->iconSettingsDialog()->iconClass(), QString("RECYCLE"));
        QVERIFY(w.showing()->isPopupOpen());
        w.showMenu(recycle, 101);
        QVERIFY(!w.showing()->isPopupOpen());
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
        QVERIFY(!w.bar()->contains(menu));
        QVERIFY(!QFile::exists(menuFile));
        QVERIFY(!saved(menu));
        QCOMPARE(takeToast(w), QString("图标删除成功！"));
        const QString program = addRow(w, "ICON", "/bin/x");
        w.showMenu(program, 6);
        QCOMPARE(rowOf(w, program), -1);
        QVERIFY(QFile::exists(other)); // menu files of others stay
    }

    void barMenu()
    {
        Widget w;
        std::unique_ptr<QMenu> menu(w.actions()->buildBarMenu());
        QCOMPARE(texts(menu.get()), QStringList({ "桌面工具", "添加图标", "-", "Dock设置          ", "使用帮助     ",
                                                  "隐藏Dock          ", "退出Dock          " }));
        QCOMPARE(texts(menu->actions().at(1)->menu()),
                 QStringList({ "添加应用图标", "添加系统图标", "添加网址", "添加扩展菜单", "添加文件夹", "添加分栏图标" }));
        action(menu.get(), "添加分栏图标")->trigger();
        QCOMPARE(lastRow(w).Class, QString("BLANK"));
        action(menu.get(), "桌面工具")->trigger();
        QVERIFY(w.windows()->desktopWidgetPanel()->isVisible());

        // A right release on the bar runs it, with the pop-up flag up meanwhile.
        const auto seen = nextPopup(w);
        QMouseEvent right(QEvent::MouseButtonRelease, QPointF(5, 5), Qt::RightButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &right);
        QCOMPARE(seen->texts.size(), 7);
        QVERIFY(seen->dockFlag);
        QVERIFY(!w.showing()->isPopupOpen());
        QMouseEvent left(QEvent::MouseButtonRelease, QPointF(5, 5), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &left);
        QVERIFY(!QApplication::activePopupWidget());
    }

    void trayMenu()
    {
        Widget w;
        QCOMPARE(w.actions()->trayIcon()->toolTip(), QString("Zorvane"));
        std::unique_ptr<QMenu> menu(w.actions()->buildTrayMenu());
        QCOMPARE(texts(menu.get()), QStringList({ "显示Dock", "-", "Dock设置", "退出Dock        " }));
        action(menu.get(), "Dock设置")->trigger();
        QVERIFY(w.windows()->settingsPanel()->isVisible());
        const auto seen = nextPopup(w);
        w.iconActivated(QSystemTrayIcon::Context);
        QCOMPARE(seen->texts.size(), 4);
        w.setHideWindows();
        w.iconActivated(QSystemTrayIcon::Trigger);
        QVERIFY(w.isVisible());
    }
};

ZV_TEST_MAIN(TestWidgetOpen)
#include "tst_widgetopen.moc"
