// When the bar is in sight, on its own: a window with the bar's frames, the
// auto-hide, a launch pad and a start menu; no dock window.
#include "dock/icons/dockbar.h"
#include "dock/launchpad/formlaunchstarter.h"
#include "dock/menus/formstartmenu.h"
#include "dock/window/autohide.h"
#include "dock/window/dockshowing.h"
#include "dock/window/dockwindows.h"
#include "dock/window/formdetection.h"
#include "dock/window/hovertips.h"
#include "testenv.h"
#include "widgetfixture.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

struct Rig
{
    QWidget window;
    QWidget *main = new QWidget(&window);
    QWidget *frameMain = new QWidget(main);
    QWidget *hint = new QWidget(&window);
    AutoHide autoHide { &window, frameMain };
    DockBar *bar = new DockBar(frameMain);
    HoverTips *tips = new HoverTips(&window);
    FormStartMenu *start = new FormStartMenu(&window);
    FormLaunchStarter pad;
    DockWindows windows;
    DockState set;
    QRegion barRegion; // where the bar takes the pointer, in the window
    DockShowing showing { { &window, main, { new QWidget(&window), new QWidget(&window) }, hint, &autoHide, bar,
                            tips, start, &pad, &windows },
                          &set };
    QSignalSpy shape { &showing, &DockShowing::inputShapeChanged };

    Rig()
    {
        window.setGeometry(0, 0, 1280, 800);
        main->setGeometry(0, 650, 1280, 150);
        frameMain->setGeometry(0, 0, 1280, 150);
        showing.setBarRegion([this] { return barRegion; });
        // What the placement does with the margin and edge asked for.
        QObject::connect(&showing, &DockShowing::marginRequested, [this](int m) { set.margin = m; });
        QObject::connect(&showing, &DockShowing::edgeRequested, [this](int e) { set.location = e; });
    }
    void send(QEvent::Type type)
    {
        QEvent e(type);
        QCoreApplication::sendEvent(&window, &e);
    }
    bool stripOut() const { return !autoHide.strip()->isHidden(); }
};

} // namespace

class TestDockShowing : public QObject, public WidgetFixture
{
    Q_OBJECT
private slots:
    void init()
    {
        setUpFakes();
        QCursor::setPos(5, 5); // away from the bar
    }
    void cleanup() { tearDownFakes(); }

    void slidesInAndOutWithThePointer()
    {
        Rig r;
        r.set.hide = r.set.hideInEffect = true;
        r.showing.slideIn();
        QVERIFY(r.autoHide.isSlidIn());
        QCOMPARE(r.shape.count(), 1);
        r.showing.slideIn(); // in already: no second slide
        QCOMPARE(r.shape.count(), 1);
        QTRY_VERIFY(r.autoHide.isDockShown());
        QVERIFY(r.stripOut());
        r.send(QEvent::Enter);
        QVERIFY(!r.stripOut());

        // A dialog of the dock holds the bar in; an open menu holds even the strip back.
        r.showing.setPopupOpen(true);
        r.send(QEvent::Leave);
        QVERIFY(r.autoHide.isSlidIn());
        QVERIFY(r.stripOut());
        r.showing.setPopupOpen(false);
        r.send(QEvent::Enter);
        r.showing.menuShownChanged(true);
        QVERIFY(r.bar->isFrozen());
        r.send(QEvent::Leave);
        QVERIFY(r.autoHide.isSlidIn() && r.autoHide.isPointerInside() && !r.stripOut());
        r.showing.menuShownChanged(false);
        r.send(QEvent::Leave);
        QVERIFY(!r.autoHide.isSlidIn());
        QTRY_VERIFY(!r.autoHide.isDockShown());
        QVERIFY(r.stripOut());

        // The strip brings it back, the window in front.
        emit r.autoHide.strip()->MouseIn();
        QVERIFY(r.autoHide.isSlidIn());
        QVERIFY(!r.stripOut());
        QCOMPARE(wins->raised, QList<QWidget *>({ &r.window }));
        QTRY_VERIFY(r.autoHide.isDockShown());
    }

    void noStripUnderAPointerRestingOnTheBar()
    {
        Rig r;
        r.barRegion = QRegion(r.main->geometry());
        r.window.move(100, 50);
        QCursor::setPos(r.window.pos() + r.main->geometry().center());
        r.showing.slideIn();
        QTRY_VERIFY(r.autoHide.isDockShown());
        QVERIFY(!r.stripOut());
        QCursor::setPos(r.window.pos() + r.main->geometry().topLeft() - QPoint(0, 5));
        r.send(QEvent::WindowDeactivate);
        QVERIFY(r.stripOut());
    }

    void losingTheFocusClosesTheMenusUnlessAnIconLeavesOne()
    {
        Rig r;
        QStringList hidden;
        r.showing.setMenus([](const QString &) { return nullptr; },
                           [&](const QString &keep) { hidden << (keep.isEmpty() ? "all" : "all but " + keep); });
        r.showing.toggleStartMenu();
        QVERIFY(r.start->isShown() && r.showing.isMenuShown() && r.bar->isFrozen());
        r.showing.hideMenusBut("m1");
        r.showing.setMenuDragging(true);
        r.send(QEvent::WindowDeactivate);
        QVERIFY(r.start->isShown() && r.showing.isMenuShown());
        r.showing.setMenuDragging(false);
        r.send(QEvent::WindowDeactivate);
        QVERIFY(!r.start->isShown() && !r.showing.isMenuShown() && !r.bar->isFrozen());
        r.showing.hideMenusBut("m2"); // no menu up: nothing to hide
        QCOMPARE(hidden, QStringList({ "all but m1", "all" }));
    }

    void launchPadTakesTheBarAndGivesItBack()
    {
        Rig r;
        r.set.margin = 7;
        r.set.location = 1;
        r.set.level = 2;
        r.set.hide = r.set.hideInEffect = true;
        r.showing.toggleLaunchPad();
        QVERIFY(r.pad.isShown());
        QCOMPARE(r.set.location, 2);
        QCOMPARE(r.set.margin, 0);
        QVERIFY(!r.set.hideInEffect);
        QVERIFY(r.autoHide.isSlidIn());
        QCOMPARE(wins->levels.value(&r.window), platform::WindowSystem::Above);
        // The hot key again closes the pad; what was saved stays.
        r.showing.toggleLaunchPad();
        QVERIFY(!r.pad.isShown());
        QCOMPARE(r.showing.savedMargin(), 7);
        QCOMPARE(r.showing.savedEdge(), 1);
        r.send(QEvent::Enter);
        r.showing.launchPadClosed();
        QCOMPARE(r.set.location, 1);
        QCOMPARE(r.set.margin, 7);
        QVERIFY(r.set.hideInEffect);
        QCOMPARE(wins->levels.value(&r.window), platform::WindowSystem::Below);
        QVERIFY(r.autoHide.isSlidIn()); // the pointer is on the bar
        r.showing.toggleLaunchPad();
        r.showing.toggleLaunchPad();
        r.autoHide.setPointerInside(false);
        r.showing.launchPadClosed();
        QVERIFY(!r.autoHide.isSlidIn());
    }

    // The input shape takes the bubble's lane: it changes when the bubble
    // shows, hides or moves across the bar, not while it follows the pointer.
    void theBubbleLaneChangesOnlyAcrossTheBar()
    {
        Rig r;
        r.window.show();
        QSignalSpy lane(r.tips, &HoverTips::laneChanged);
        DockLayout::HoverInput in;
        in.edge = 2;
        in.main = r.main->geometry();
        in.frameIco = QRect(100, 0, 600, 128);
        r.tips->follow("a", false, in);
        r.tips->showFor("ICON");
        QVERIFY(lane.count() > 0);
        lane.clear();
        for (int x = 0; x < 400; x += 8) {
            in.icon = QPoint(x, 64);
            r.tips->follow(x < 200 ? "a" : "b", false, in);
        }
        QCOMPARE(lane.count(), 0);
        in.main.translate(0, -30); // a taller bar
        r.tips->follow("b", false, in);
        QCOMPARE(lane.count(), 1);
        r.tips->hide();
        QCOMPARE(lane.count(), 2);
    }

    void theStripAnswersTheWindowTool_data()
    {
        QTest::addColumn<QString>("notice");
        QTest::addColumn<bool>("wanted");      // the user's switch for that notice
        QTest::addColumn<bool>("autoHide");
        QTest::addColumn<bool>("pointerOnBar");
        QTest::addColumn<bool>("stripBefore");
        QTest::addColumn<QString>("effect");
        QTest::newRow("full screen") << "AppWindowFullScreen" << true << false << false << false << "strip";
        QTest::newRow("full screen, unwanted") << "AppWindowFullScreen" << false << false << false << true << "";
        QTest::newRow("full screen, on the bar") << "AppWindowFullScreen" << true << false << true << false << "";
        QTest::newRow("maximised") << "AppWindowMaximization" << true << false << false << false << "strip";
        QTest::newRow("maximised, unwanted") << "AppWindowMaximization" << false << false << false << true << "";
        QTest::newRow("normal") << "AppWindowNormal" << true << false << false << true << "";
        QTest::newRow("normal, hidden bar") << "AppWindowNormal" << true << true << false << false << "strip";
        QTest::newRow("desktop shown") << "WinD" << true << false << false << false << "show timer";
        QTest::newRow("double click") << "MButtonDoubleClick" << true << false << false << false << "hide";
        QTest::newRow("double click, unwanted") << "MButtonDoubleClick" << false << false << false << false << "";
    }
    void theStripAnswersTheWindowTool()
    {
        QFETCH(QString, notice);
        QFETCH(bool, wanted);
        QFETCH(bool, autoHide);
        QFETCH(bool, pointerOnBar);
        QFETCH(bool, stripBefore);
        QFETCH(QString, effect);
        Rig r;
        r.set.mouseFullScreen = r.set.mouseMaximize = r.set.desktopIcon = wanted;
        r.set.hideInEffect = autoHide;
        r.window.move(100, 50);
        if (!autoHide)
            r.showing.slideIn();
        if (pointerOnBar)
            QCursor::setPos(r.window.pos() + r.main->geometry().center());
        r.autoHide.strip()->setVisible(stripBefore);
        r.showing.windowToolNotice(notice);
        QStringList e;
        if (r.stripOut())
            e << "strip";
        if (r.showing.showTimer()->isActive())
            e << "show timer";
        e << desk->calls;
        QCOMPARE(e.join(", "), effect);
    }
};

ZV_TEST_MAIN(TestDockShowing)
#include "tst_dockshowing.moc"
