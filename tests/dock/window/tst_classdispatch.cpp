// Every icon class opened on the bar, in an icon menu and in the launch pad,
// each through the road a click takes: the action each place reaches, the
// tool code a menu hands over and the class the launch pad hands over, both
// as the class table says and, for the classes the dock has always had, as
// listed here; the places the table says open alike reach the same action.
// A keyword outside the table opens its path everywhere.
#include "dock/icons/formselectdisk.h"
#include "dock/launchpad/formlaunchstarter.h"
#include "dock/launchpad/launchrows.h"
#include "dock/model/iconclasses.h"
#include "dock/tools/formprotection.h"
#include "dock/tools/formshutdown.h"
#include "dock/tools/formupload.h"
#include "dock/tools/formvesk.h"
#include "dock/settings/formsettings.h"
#include "dock/widgets/formweather.h"
#include "dock/window/dockwindows.h"
#include "widgetfixture.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// What opening an icon of a class does, as the dock means it to: "path",
// "url" and "drive" stand for the row's Path opened by the desktop, by the
// browser and as a folder; the rest are the dock's effects; empty is nothing.
struct Expected
{
    const char *bar, *menu, *pad;
    int menuCode;    // the tool code a menu hands the dock, 0 none
    bool padHandsOver; // the launch pad asks the dock by class name
};

const QHash<QString, Expected> &expectedByClass()
{
    using namespace IconClass;
    static const QHash<QString, Expected> e {
        { ICON, { "path", "path", "path", 0, false } },
        { FOLDER, { "path", "path", "path", 0, false } },
        { CMD, { "path", "path", "path", 0, false } },
        { COMPUTER, { "path", "path", "path", 0, false } },
        { LIBRARY, { "path", "path", "path", 0, false } },
        { PANEL, { "path", "path", "path", 0, false } },
        { URL, { "url", "url", "url", 0, false } },
        { RECYCLE, { "path", "path", "path", 0, false } },
        { BLANK, { "path", "path", "path", 0, false } },
        // The pop-ups beside their icon open from the bar; elsewhere the row goes to the desktop.
        { MENU, { "menu", "path", "", 0, false } },
        { STARTMENU, { "start menu", "path", "path", 0, false } },
        { LAUNCHPAD, { "launch pad", "path", "path", 0, false } },
        // The launch pad hands a drive over; the dock has nothing to open it with.
        { DISK, { "drive", "drive", "", 0, true } },
        { UDISK, { "path", "path", "path", 0, false } },
        { UPGRADE, { "updater", "updater", "updater", 1, true } },
        { WEATHER, { "weather", "path", "weather", 0, true } },
        { TIME1, { "path", "path", "path", 0, false } },
        { TIME2, { "path", "path", "path", 0, false } },
        { SHUTDOWN, { "power page", "power page", "power page", 2, true } },
        { TIMESHUTDOWN, { "timer page", "timer page", "timer page", 8, true } },
        { SETTING, { "settings", "settings", "settings", 7, true } },
        { EYETOOL, { "eye", "eye", "eye", 3, true } },
        { SEARCH, { "search above", "search above", "search above", 4, true } },
        { COLORPICKER, { "kill Tandrel, start Tandrel", "kill Tandrel, start Tandrel", "kill Tandrel, start Tandrel", 5,
                         true } },
        { SCREENSHOTS, { "screenshot tool, start Ostiva", "screenshot tool, start Ostiva",
                         "screenshot tool, start Ostiva", 6, true } },
        // A menu starts the calculator itself; the launch pad asks the dock.
        { CALCULATOR, { "calculator", "calculator", "calculator", 0, true } },
        // A menu's back row only closes it.
        { BACK, { "path", "", "path", 0, false } },
    };
    return e;
}

enum Place { Bar, Menu, Pad };

// What the table says a place does with the class, spelled as above.
QString fromTable(const IconClassInfo &c, IconPlace place)
{
    switch (c.opening(place)) {
    case IconOpening::Path: return "path";
    case IconOpening::WebAddress: return "url";
    case IconOpening::Drive: return "drive";
    case IconOpening::Nothing:
    case IconOpening::CloseMenu: return "";
    case IconOpening::Tool: break;
    }
    static const QMap<DockTool, QString> tools {
        { DockTool::None, "" },
        { DockTool::Updater, "updater" },
        { DockTool::IconMenu, "menu" },
        { DockTool::StartMenu, "start menu" },
        { DockTool::LaunchPad, "launch pad" },
        { DockTool::Weather, "weather" },
        { DockTool::PowerPage, "power page" },
        { DockTool::TimerPage, "timer page" },
        { DockTool::Settings, "settings" },
        { DockTool::EyeProtection, "eye" },
        { DockTool::Search, "search above" },
        { DockTool::ColorPicker, "kill Tandrel, start Tandrel" },
        { DockTool::Screenshot, "screenshot tool, start Ostiva" },
        { DockTool::Calculator, "calculator" },
    };
    return tools.value(c.tool, "?");
}

} // namespace

class TestClassDispatch : public QObject, public WidgetFixture
{
    Q_OBJECT

    struct Opened
    {
        QString effects;
        QList<int> codes;    // handed over by the menu
        QStringList classes; // handed over by the launch pad
    };

    static QString pathOf(const QString &cl) { return cl == IconClass::URL ? "https://example.org/x" : "/opt/x"; }

    // The expected effect for the row's Path.
    static QString spelled(const QString &kind, const QString &path)
    {
        if (kind == "path")
            return "path " + path;
        if (kind == "url")
            return "url " + path;
        if (kind == "drive")
            return path == "0" ? QString("drive chooser") : "url " + QUrl::fromLocalFile(path).toString();
        return kind;
    }

    QString effects(Widget &w, FormMenu *menu)
    {
        QStringList e;
        e << outsideEffects();
        DockWindows *ws = w.windows();
        if (ws->updater()->isVisible())
            e << "updater";
        if (ws->weatherWindow()->isVisible())
            e << "weather";
        if (ws->powerDialog()->isVisible())
            e << (ws->powerDialog()->isTimerPage() ? "timer page" : "power page");
        if (ws->eyeProtection()->isShown())
            e << "eye";
        if (ws->searchBox()->isShown())
            e << (wins->levels.value(ws->searchBox()) == platform::WindowSystem::Above ? "search above" : "search");
        if (ws->settingsPanel()->isVisible())
            e << "settings";
        if (ws->driveChooser()->isVisible() || (menu && menu->driveChooser()->isVisible()))
            e << "drive chooser";
        if (w.menus()->startMenu()->isShown())
            e << "start menu";
        for (const DockIconRecord &r : rows(w)) {
            if (FormMenu *m = r.Class == IconClass::MENU ? w.menus()->menu(r.IconID) : nullptr)
                if (m != menu && m->isShown())
                    e << "menu";
        }
        if (w.launchPad()->isShown())
            e << "launch pad";
        return e.join(", ");
    }

    // One fresh dock, one row of class cl in the place, opened as a click opens it.
    Opened open(const QString &cl, const QString &path, Place place)
    {
        setUpFakes();
        procs->running << "Tandrel";
        Opened out;
        {
            Widget w;
            const DockIconRecord row { "icoTest1", ":/p.png", "test", cl, path, ":/p.png" };
            FormMenu *menu = nullptr;
            if (place == Bar) {
                if (cl == IconClass::MENU) {
                    w.AddMenu(); // a menu icon comes with its menu
                    w.IconOpen(lastRow(w).IconID);
                } else {
                    w.iconTable()->append(row);
                    w.createIcon();
                    w.IconOpen(row.IconID);
                }
            } else if (place == Menu) {
                w.AddMenu();
                menu = w.menus()->menu(lastRow(w).IconID);
                QSignalSpy codes(menu, &FormMenu::menuOpenIco);
                menu->iconList()->append(row);
                menu->IconOpen(row.IconID);
                for (const QList<QVariant> &c : codes)
                    out.codes << c.at(1).toInt();
            } else {
                FormLaunchStarter *pad = w.launchPad();
                QSignalSpy classes(pad, &FormLaunchStarter::IconOpens);
                pad->rows()->list()->append(row);
                pad->IconOpen(row.IconID);
                for (const QList<QVariant> &c : classes)
                    out.classes << c.at(0).toString();
            }
            out.effects = effects(w, menu);
        }
        tearDownFakes();
        return out;
    }

private slots:
    void theTableHoldsEveryClassListedHere()
    {
        QStringList missing;
        for (auto it = expectedByClass().cbegin(); it != expectedByClass().cend(); ++it) {
            if (!IconClasses::known(it.key()))
                missing << it.key();
        }
        QCOMPARE(missing, QStringList());
    }

    void eachPlaceReachesTheClassAction_data()
    {
        QTest::addColumn<QString>("cl");
        QTest::addColumn<QString>("path");
        for (const IconClassInfo &c : IconClasses::all())
            QTest::newRow(qPrintable(c.keyword)) << c.keyword << pathOf(c.keyword);
        QTest::newRow("DISK not chosen") << IconClass::DISK << "0";
    }
    void eachPlaceReachesTheClassAction()
    {
        QFETCH(QString, cl);
        QFETCH(QString, path);
        const IconClassInfo &c = IconClasses::of(cl);
        const Opened bar = open(cl, path, Bar);
        const Opened menu = open(cl, path, Menu);
        const Opened pad = open(cl, path, Pad);
        QCOMPARE(bar.effects, spelled(fromTable(c, IconPlace::Bar), path));
        QCOMPARE(menu.effects, spelled(fromTable(c, IconPlace::Menu), path));
        QCOMPARE(pad.effects, spelled(fromTable(c, IconPlace::LaunchPad), path));
        QCOMPARE(menu.codes, c.inMenu == IconOpening::Tool && c.menuCode ? QList<int>({ c.menuCode }) : QList<int>());
        QCOMPARE(pad.classes, c.inLaunchPad == IconOpening::Tool ? QStringList({ cl }) : QStringList());
        if (expectedByClass().contains(cl)) {
            const Expected want = expectedByClass().value(cl);
            QCOMPARE(bar.effects, spelled(want.bar, path));
            QCOMPARE(menu.effects, spelled(want.menu, path));
            QCOMPARE(pad.effects, spelled(want.pad, path));
            QCOMPARE(menu.codes, want.menuCode ? QList<int>({ want.menuCode }) : QList<int>());
            QCOMPARE(pad.classes, want.padHandsOver ? QStringList({ cl }) : QStringList());
        }

        // Where the table has a place open the class as the bar does, it
        // gets there: one action, whichever road.
        if (c.opening(IconPlace::Menu) == c.opening(IconPlace::Bar))
            QCOMPARE(menu.effects, bar.effects);
        if (c.opening(IconPlace::LaunchPad) == c.opening(IconPlace::Bar))
            QCOMPARE(pad.effects, bar.effects);
    }

    // A keyword outside the table, a wrong case among them, is a row the
    // desktop opens: on the bar, in a menu and in the launch pad alike.
    void aKeywordOutsideTheTableOpensItsPath_data()
    {
        QTest::addColumn<QString>("cl");
        QTest::newRow("unknown") << "NOSUCHCLASS";
        QTest::newRow("lower case") << "url";
        QTest::newRow("empty") << "";
    }
    void aKeywordOutsideTheTableOpensItsPath()
    {
        QFETCH(QString, cl);
        QVERIFY(!IconClasses::known(cl));
        for (const Place place : { Bar, Menu, Pad }) {
            const Opened o = open(cl, "/opt/x", place);
            QCOMPARE(o.effects, QString("path /opt/x"));
            QVERIFY(o.codes.isEmpty() && o.classes.isEmpty());
        }
    }

    // The dock takes a menu's tool code and the launch pad's class name back
    // to the class and opens it as it would a bar icon of that class.
    void handedOverToolsOpenAsOnTheBar()
    {
        for (const IconClassInfo &c : IconClasses::all()) {
            if (c.menuCode == MenuOpenCode::None)
                continue;
            QCOMPARE(IconClasses::ofMenuCode(c.menuCode), c.keyword);
            setUpFakes();
            procs->running << "Tandrel";
            QString byCode, byName;
            {
                Widget w;
                w.menuOpenIco("icoAny", c.menuCode);
                byCode = effects(w, nullptr);
            }
            tearDownFakes();
            setUpFakes();
            procs->running << "Tandrel";
            {
                Widget w;
                w.IconOpens(c.keyword);
                byName = effects(w, nullptr);
            }
            tearDownFakes();
            QCOMPARE(byCode, fromTable(c, IconPlace::Bar));
            QCOMPARE(byName, byCode);
        }
        for (const int code : { 0, 9, -1 })
            QVERIFY(IconClasses::ofMenuCode(code).isEmpty());
    }
};

QTEST_MAIN(TestClassDispatch)
#include "tst_classdispatch.moc"
