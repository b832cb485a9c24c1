// The bar on its screen: placement, the fit check, the background looks, the
// reserved strip and the desktop icons, through fakes of the desktop.
#include "dock/icons/formcommonicon.h"
#include "dock/window/backgroundstyle.h"
#include "dock/window/dockfile.h"
#include "dock/window/formdetection.h"
#include "dock/window/widget.h"
#include "fakedesktop.h"
#include "fakeplatform.h"
#include "platform/paths.h"
#include "testenv.h"

#include <QDir>
#include <QFrame>
#include <QSettings>
#include <QtTest>
#include <memory>

static QList<DockIconRecord> icons(int n, int blanks = 0)
{
    QList<DockIconRecord> rows;
    for (int i = 0; i < n; ++i)
        rows.append({ QString("ico%1").arg(i), "x.png", "n", i < blanks ? "BLANK" : "ICON", "", "" });
    return rows;
}

class TestDockBar : public QObject
{
    Q_OBJECT
    std::unique_ptr<FakeProcesses> procs;
    std::unique_ptr<FakeWindowSystem> wins;
    std::unique_ptr<FakeScreens> screens;
    std::unique_ptr<FakeWorkArea> work;
    std::unique_ptr<FakeDesktopIcons> desk;

    static QFrame *frame(Widget &w, const char *name) { return w.findChild<QFrame *>(name); }
    static void setting(const char *key, const QVariant &v)
    {
        QSettings(platform::configPath("config.ini"), QSettings::IniFormat).setValue(key, v);
    }

private slots:
    void init()
    {
        QDir(platform::appConfigFolder()).removeRecursively();
        QDir().mkpath(platform::appConfigFolder());
        DockFile::write(platform::configPath("Zorvane.xml"), icons(5));
        procs.reset(new FakeProcesses);
        wins.reset(new FakeWindowSystem);
        screens.reset(new FakeScreens({ { QRect(0, 0, 1280, 800), QRect(0, 0, 1280, 800) },
                                        { QRect(0, 800, 1600, 900), QRect(0, 800, 1600, 860) },
                                        { QRect(1600, 300, 1024, 768), QRect(1650, 300, 974, 768) } }));
        work.reset(new FakeWorkArea);
        desk.reset(new FakeDesktopIcons);
    }
    void cleanup()
    {
        desk.reset();
        work.reset();
        screens.reset();
        wins.reset();
        procs.reset();
    }

    void windowCoversItsScreen()
    {
        setting("System/Screen", 1);
        setting("System/Location", 2);
        Widget w;
        QCOMPARE(w.geometry(), QRect(0, 800, 1600, 900));
        QCOMPARE(w.taskbarSide(), 2);
        // On the bottom edge, against the panel: 860 - (0 + 128 + 25).
        QCOMPARE(frame(w, "main")->pos(), QPoint(0, 860 - 153));
        // The strip lies on the screen side of the bar, centred.
        QTRY_VERIFY(w.isDockShown());
        const QRect strip = w.edgeStrip()->geometry();
        QCOMPARE(strip.height(), 2);
        QCOMPARE(strip.bottom(), 800 + 860 - 1);
        QCOMPARE(strip.width(), frame(w, "frameBackground")->width());
        // A top bar on this screen, below the first one, stays on it.
        w.setPosition(0);
        QCOMPARE(frame(w, "main")->pos(), QPoint(0, 0));
        QCOMPARE(w.edgeStrip()->geometry().y(), 800);
        // The margin moves it inwards.
        w.setMargin(12);
        QCOMPARE(frame(w, "main")->pos(), QPoint(0, 12));
    }

    void sideBarsOnAScreenWithALeftPanel()
    {
        setting("System/Screen", 2);
        setting("System/Location", 3);
        Widget w;
        QCOMPARE(w.taskbarSide(), 3);
        QCOMPARE(frame(w, "main")->pos(), QPoint(50, 0));
        w.setPosition(1);
        QCOMPARE(frame(w, "main")->pos(), QPoint(1024 - 153, 0));
        QTRY_COMPARE(frame(w, "frameIco")->x(), 25);
        // A screen that is gone falls back to the first.
        w.setScreen(9);
        QCOMPARE(w.geometry(), QRect(0, 0, 1280, 800));
        QCOMPARE(w.taskbarSide(), 4);
    }

    void overfullRowShrinks()
    {
        DockFile::write(platform::configPath("Zorvane.xml"), icons(20));
        Widget w;
        QTRY_COMPARE(w.settings().currentSize, 63);
        QCOMPARE(w.settings().icoSize, 64.f);       // the configured size stays
        QCOMPARE(w.settings().icoMagnified, 128.f); // and so does the magnified one
        QTRY_COMPARE(frame(w, "frameIco")->width(), 20 * 63);
        // Back to the configured size only by setting it.
        w.setIcoSize(48);
        QTRY_COMPARE(w.settings().currentSize, 48);
        QCOMPARE(w.settings().icoMagnified, 128.f);
    }

    void spacersCountLessInTheFit()
    {
        // 19 icons and 2 spacers: 64 * 19 + 2 * 25.6 + 12 = 1279.2 fits 1280.
        QList<DockIconRecord> rows = icons(21, 2);
        DockFile::write(platform::configPath("Zorvane.xml"), rows);
        Widget w;
        QTest::qWait(20);
        QCOMPARE(w.settings().currentSize, 64);
        QCOMPARE(frame(w, "frameIco")->width(), 19 * 64 + 2 * 25);
    }

    void hiddenPlusTakesNoRoom()
    {
        QList<DockIconRecord> rows = icons(3);
        rows.insert(1, { "plus", "x.png", "n", "ICON", "", "" });
        DockFile::write(platform::configPath("Zorvane.xml"), rows);
        Widget w;
        QVERIFY(w.iconWidget("plus")->isHidden());
        QTRY_COMPARE(frame(w, "frameIco")->width(), 3 * 64);
    }

    void scaleAndSizeKeepTheirOwnValues()
    {
        Widget w;
        w.setIcoScale(64);
        QCOMPARE(w.settings().icoMagnified, 128.f);
        w.setIcoSize(48);
        QCOMPARE(w.settings().icoMagnified, 128.f);
        w.setIcoScale(32);
        QCOMPARE(w.settings().icoMagnified, 80.f);
        QTRY_COMPARE(frame(w, "frameIco")->height(), 80);
    }

    void inputShapeIsTheVisibleBar()
    {
        Widget w;
        QTRY_VERIFY(w.isDockShown());
        QTest::qWait(10);
        const QRegion r = wins->regions.value(&w);
        QCOMPARE(r, w.inputRegion());
        QFrame *main = frame(w, "main");
        QFrame *bg = frame(w, "frameBackground");
        const QRect bgOnWindow = bg->geometry().translated(main->pos());
        QVERIFY(r.contains(bgOnWindow));
        QVERIFY(!r.contains(QPoint(5, 5)));               // the desktop above stays reachable
        QVERIFY(r.boundingRect().height() <= 64);         // icons at rest: no taller than they are
        // A magnified icon widens it.
        w.iconWidget("ico2")->setSize(128);
        w.IconSorting();
        QVERIFY(w.inputRegion().boundingRect().height() >= 128);
    }

    void backgroundLooks()
    {
        using BackgroundStyle::look;
        BackgroundStyle::Look l = look(1, 150, 2);
        QCOMPARE(*l.frame, QString("QFrame{background-color: rgba(0, 0, 0,150);border-radius:3px;border:0px;"
                                   "border-style:solid;border-color: #535B6F;}"));
        QCOMPARE(*l.horizontalStrip, false);
        QCOMPARE(*l.verticalStrip, false);
        QCOMPARE(*l.inset, 0);
        QVERIFY(!l.bl);
        l = look(0, 90, 1);
        QVERIFY(l.frame->startsWith("QFrame{background-color: rgba(255, 255, 255,90);"));
        // Style 2 on the right edge: r1 at the top, l1 at the bottom; the
        // horizontal pieces are left as they are.
        l = look(2, 150, 1);
        QCOMPARE(*l.bl2, BackgroundStyle::piece("MacOSX", "r1"));
        QCOMPARE(*l.br2, BackgroundStyle::piece("MacOSX", "l1"));
        QCOMPARE(*l.bg2, BackgroundStyle::piece("MacOSX", "bg1"));
        QVERIFY(!l.bl && !l.bg && !l.br);
        QCOMPARE(*l.verticalStrip, true);
        QCOMPARE(*l.horizontalStrip, false);
        QCOMPARE(*l.inset, 25);
        QCOMPARE(BackgroundStyle::piece("MacOSX", "l"),
                 QString("QFrame{border-image: url(:/image/style/MacOSX/l.png);background-color: rgba(0,0,0,0);"
                         "border-radius:0px;border:0px;border-style:solid;border-color: #535B6F;}"));
        l = look(2, 150, 3);
        QCOMPARE(*l.bl2, BackgroundStyle::piece("MacOSX", "l3"));
        l = look(2, 150, 0);
        QCOMPARE(*l.bl, BackgroundStyle::piece("MacOSX", "l"));
        QVERIFY(!l.bl2);
        // Styles 3 to 6 set the horizontal pieces on every edge.
        const char *folders[] = { "MacOSX", "Classic2", "Classic3", "Classic4" };
        const int insets[] = { 25, 25, 20, 20 };
        for (int s = 3; s <= 6; ++s) {
            for (int edge = 0; edge < 4; ++edge) {
                l = look(s, 150, edge);
                QCOMPARE(*l.br, BackgroundStyle::piece(folders[s - 3], "r"));
                QCOMPARE(*l.inset, insets[s - 3]);
                QVERIFY(!l.bl2);
                QCOMPARE(*l.horizontalStrip, edge == 0 || edge == 2);
            }
        }
        // The alpha only matters to the plain styles.
        QCOMPARE(*look(4, 10, 2).frame, *look(4, 200, 2).frame);
        // An unknown style only picks the strip.
        l = look(9, 150, 2);
        QVERIFY(!l.frame && !l.inset && !l.bl);
        QCOMPARE(*l.horizontalStrip, true);
    }

    void backgroundOnTheBar()
    {
        Widget w;
        w.setTransparentBackground(150);
        w.setBackgroundStyle(1);
        QCOMPARE(frame(w, "frameBackground")->styleSheet(), *BackgroundStyle::look(1, 150, 2).frame);
        QVERIFY(frame(w, "BackgroundW")->isHidden());
        QVERIFY(frame(w, "BackgroundH")->isHidden());
        w.setBackgroundStyle(3);
        QCOMPARE(w.backgroundSide(), 25);
        QVERIFY(!frame(w, "BackgroundW")->isHidden());
        QVERIFY(frame(w, "BackgroundH")->isHidden());
        QTRY_COMPARE(frame(w, "frameBackground")->width(), frame(w, "frameIco")->width() + 12 + 50);
        const QString sheet = frame(w, "bl")->styleSheet();
        w.setTransparentBackground(20);
        QCOMPARE(frame(w, "bl")->styleSheet(), sheet);
        w.setPosition(3);
        QVERIFY(frame(w, "BackgroundW")->isHidden());
        QVERIFY(!frame(w, "BackgroundH")->isHidden());
    }

    void desktopIconsOnlyWithTheSwitch()
    {
        Widget w;
        desk->calls.clear();
        w.IconDisplay(); // switch off: nothing
        QVERIFY(desk->calls.isEmpty());
        QVERIFY(w.desktopIconsShown());
        w.setDesktopIcon(true);
        w.IconDisplay();
        QVERIFY(!w.desktopIconsShown());
        w.IconDisplay();
        QVERIFY(w.desktopIconsShown());
        QCOMPARE(desk->calls, QStringList({ "hide", "restore" }));
        w.IconDisplay();
        // Switching the feature off brings them back at once.
        w.setDesktopIcon(false);
        QVERIFY(w.desktopIconsShown());
        QCOMPARE(desk->calls, QStringList({ "hide", "restore", "hide", "restore" }));
    }

    void workAreaReservesTheBarsStrip()
    {
        screens->screens[0].available = QRect(0, 0, 1280, 770); // a 30-pixel panel below
        Widget w;
        QVERIFY(work->struts.isEmpty());
        const QPoint before = frame(w, "main")->pos();
        QCOMPARE(before, QPoint(0, 770 - 153));
        w.setWorkArea(true);
        QCOMPARE(work->struts.size(), 1);
        const platform::Strut s = work->struts.last();
        // The first screen stands above the second: the strip counts from the desktop's bottom.
        QCOMPARE(s.bottomWidth, (1700 - 800) + 30 + 64);
        QCOMPARE(s.bottomStart, 0);
        QCOMPARE(s.bottomEnd, 1279);
        // The desktop takes the strip off the available area; the bar stays
        // where it was and does not take its own strip for a taskbar.
        screens->screens[0].available = QRect(0, 0, 1280, 800 - 94);
        w.setScreen(0);
        QCOMPARE(frame(w, "main")->pos(), before);
        QCOMPARE(work->struts.size(), 1);
        // A deeper bar reserves more.
        w.setMargin(6);
        QCOMPARE(work->struts.last().bottomWidth, (1700 - 800) + 30 + 6 + 64);
        // Off: the strip is given back.
        w.setWorkArea(false);
        QVERIFY(work->struts.last().isNull());
    }
};

ZV_TEST_MAIN(TestDockBar)
#include "tst_dockbar.moc"
