// When the bar is in sight, on its own: a window with the bar's frames, the
// auto-hide, a launch pad and a start menu; no dock window.
#include "dock/icons/dockbar.h"
#include "dock/launchpad/formlaunchstarter.h"
#include "dock/menus/formstartmenu.h"
#include "dock/window/activewindownotices.h"
#include "dock/window/autohide.h"
#include "dock/window/barlayout.h"
#include "dock/window/dockshowing.h"
#include "dock/window/dockwindows.h"
#include "dock/window/formdetection.h"
#include "dock/window/hovertips.h"
#include "testenv.h"
#include "widgetfixture.h"

#include <QSignalSpy>
#include <QTemporaryDir>
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
    QTemporaryDir dir;
    DockSettings set { firstStartConfig(dir) };
    BarNow now; // where the layout has the bar stand
    QRegion barRegion; // where the bar takes the pointer, in the window
    DockShowing showing { { &window, main, { new QWidget(&window), new QWidget(&window) }, hint, &autoHide, bar,
                            tips, start, &pad, &windows },
                          &set, &now };
    QSignalSpy shape { &showing, &DockShowing::inputShapeChanged };

    Rig()
    {
        window.setGeometry(0, 0, 1280, 800);
        main->setGeometry(0, 650, 1280, 150);
        frameMain->setGeometry(0, 0, 1280, 150);
        showing.setBarRegion([this] { return barRegion; });
        // What the placement does with the margin and edge asked for.
        QObject::connect(&showing, &DockShowing::marginRequested, [this](int m) { now.margin = m; });
        QObject::connect(&showing, &DockShowing::edgeRequested, [this](int e) { now.edge = e; });
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
        r.set.setHide(true);
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

        // The strip brings it back, the window in front once.
        wins->raised.clear();
        emit r.autoHide.strip()->MouseIn();
        QVERIFY(r.autoHide.isSlidIn());
        QVERIFY(!r.stripOut());
        QCOMPARE(wins->raised, QList<QWidget *>({ &r.window }));
        QTRY_VERIFY(r.autoHide.isDockShown());
    }

    // The shape follows the bar as it slides in: a leave meanwhile (the
    // pointer resting on the edge, where the bar comes to rest) is judged
    // once the bar is in, where the pointer is then.
    void aLeaveWhileSlidingInCountsOnceIn()
    {
        for (const bool onBar : { true, false }) {
            Rig r;
            r.set.setHide(true);
            r.showing.setBarReach([&](const QPoint &) {
                return onBar ? std::optional<QPoint>(QPoint(10, 10)) : std::nullopt;
            });
            r.showing.slideIn();
            r.send(QEvent::Enter);
            r.send(QEvent::Leave);
            QVERIFY(r.autoHide.isSlidIn());
            QVERIFY(r.autoHide.isPointerInside());
            QTRY_VERIFY(r.autoHide.isDockShown());
            if (onBar) {
                // The shape takes the pointer there again.
                r.send(QEvent::Enter);
                QTest::qWait(400);
                QVERIFY(r.autoHide.isSlidIn());
                QVERIFY(r.autoHide.isPointerInside());
                QVERIFY(!r.stripOut());
            } else {
                QVERIFY(!r.autoHide.isSlidIn());
                QVERIFY(!r.autoHide.isPointerInside());
                QTRY_VERIFY(r.stripOut());
            }
        }
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
        r.now.margin = 7;
        r.now.edge = 1;
        r.set.setLevel(2);
        r.set.setHide(true);
        QVERIFY(r.showing.hideInEffect());
        r.showing.toggleLaunchPad();
        QVERIFY(r.pad.isShown());
        QCOMPARE(r.now.edge, 2);
        QCOMPARE(r.now.margin, 0);
        QVERIFY(!r.showing.hideInEffect());
        QVERIFY(r.autoHide.isSlidIn());
        QCOMPARE(wins->levels.value(&r.window), platform::WindowSystem::Above);
        // The hot key again closes the pad; what was saved stays.
        r.showing.toggleLaunchPad();
        QVERIFY(!r.pad.isShown());
        QCOMPARE(r.showing.savedMargin(), 7);
        QCOMPARE(r.showing.savedEdge(), 1);
        r.send(QEvent::Enter);
        r.showing.launchPadClosed();
        QCOMPARE(r.now.edge, 1);
        QCOMPARE(r.now.margin, 7);
        QVERIFY(r.showing.hideInEffect());
        QCOMPARE(wins->levels.value(&r.window), platform::WindowSystem::Below);
        QVERIFY(r.autoHide.isSlidIn()); // the pointer is on the bar
        r.showing.toggleLaunchPad();
        r.showing.toggleLaunchPad();
        r.autoHide.setPointerInside(false);
        r.showing.launchPadClosed();
        QVERIFY(!r.autoHide.isSlidIn());
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
        r.set.setMouseFullScreen(wanted);
        r.set.setMouseMaximize(wanted);
        r.set.setDesktopIcon(wanted);
        r.set.setHide(autoHide);
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

    // The notices the desktop's active window makes for the bar's screen.
    void noticesOfTheActiveWindow_data()
    {
        using State = platform::ActiveWindow::State;
        QTest::addColumn<quint64>("id");
        QTest::addColumn<int>("state");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<bool>("own");
        QTest::addColumn<QString>("notice");
        const QRect screen(0, 0, 1280, 800), beside(1280, 0, 1920, 1080);
        QTest::newRow("none") << quint64(0) << int(State::Maximized) << screen << false << "AppWindowNormal";
        QTest::newRow("normal") << quint64(5) << int(State::Normal) << screen << false << "AppWindowNormal";
        QTest::newRow("maximised") << quint64(5) << int(State::Maximized) << screen << false << "AppWindowMaximization";
        QTest::newRow("maximised, frame beyond")
            << quint64(5) << int(State::Maximized) << screen.adjusted(-4, -20, 4, 4) << false << "AppWindowMaximization";
        QTest::newRow("full screen") << quint64(5) << int(State::FullScreen) << screen << false
                                     << "AppWindowFullScreen";
        QTest::newRow("on another screen") << quint64(5) << int(State::FullScreen) << beside << false
                                           << "AppWindowNormal";
        QTest::newRow("ours") << quint64(5) << int(State::FullScreen) << screen << true << "AppWindowNormal";
    }
    void noticesOfTheActiveWindow()
    {
        QFETCH(quint64, id);
        QFETCH(int, state);
        QFETCH(QRect, geometry);
        QFETCH(bool, own);
        QFETCH(QString, notice);
        const platform::ActiveWindow::Info info { id, platform::ActiveWindow::State(state), geometry, own };
        QCOMPARE(ActiveWindowNotices::noticeFor(info, QRect(0, 0, 1280, 800)), notice);
    }

    // Each notice is told once, when it changes, and not while the window
    // tool tells its own; a window that takes the keyboard is told apart
    // from a change of the one that has it.
    void noticesAreToldOnceAndNotOverTheWindowTool()
    {
        using State = platform::ActiveWindow::State;
        FakeActiveWindow active;
        bool tool = false;
        ActiveWindowNotices n([] { return QRect(0, 0, 1280, 800); }, [&tool] { return tool; });
        QSignalSpy notices(&n, &ActiveWindowNotices::notice);
        QSignalSpy others(&n, &ActiveWindowNotices::otherWindowActivated);
        QSignalSpy full(&n, &ActiveWindowNotices::fullScreenWindowChanged);
        const QRect screen(0, 0, 1280, 800);
        auto told = [&notices] {
            QStringList t;
            for (const QList<QVariant> &a : notices)
                t << a.value(0).toString().mid(9);
            notices.clear();
            return t.join(", ");
        };
        active.setOther(7, State::Maximized, screen);
        active.setOther(7, State::Maximized, screen.adjusted(0, 0, 0, -1)); // only its place changed
        QCOMPARE(told(), "Maximization");
        QCOMPARE(others.count(), 1);
        active.setOther(8, State::Maximized, screen);
        QCOMPARE(told(), "");
        QCOMPARE(others.count(), 2);
        active.setOther(8, State::FullScreen, screen);
        QCOMPARE(told(), "FullScreen");
        QCOMPARE(full.count(), 1);
        QCOMPARE(full.last().value(0).toULongLong(), quint64(8));
        tool = true;
        active.setOther(8, State::Normal, screen);
        QCOMPARE(told(), "");
        QCOMPARE(full.last().value(0).toULongLong(), quint64(0));
        tool = false;
        active.setOther(8, State::Maximized, screen);
        QCOMPARE(told(), "Maximization");
        active.set({ 0, State::Normal, QRect(), false }); // the window closed, none has the keyboard
        QCOMPARE(told(), "Normal");
        QCOMPARE(others.count(), 2);
    }

    // The bar gives way to a maximised window where it would cover it, to a
    // full-screen one always; the strip calls it back as the switches say,
    // and the window's end gives back the bar as it was.
    void theBarGivesWay_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("notice");
        QTest::addColumn<bool>("callBack"); // the user's switch for that notice
        QTest::addColumn<bool>("givesWay");
        QTest::newRow("maximised, normal") << 1 << "AppWindowMaximization" << true << true;
        QTest::newRow("maximised, below, no strip") << 2 << "AppWindowMaximization" << false << true;
        QTest::newRow("maximised, in front") << 0 << "AppWindowMaximization" << true << false;
        QTest::newRow("full screen, in front") << 0 << "AppWindowFullScreen" << true << true;
        QTest::newRow("full screen, no strip") << 1 << "AppWindowFullScreen" << false << true;
    }
    void theBarGivesWay()
    {
        QFETCH(int, level);
        QFETCH(QString, notice);
        QFETCH(bool, callBack);
        QFETCH(bool, givesWay);
        Rig r;
        r.set.setLevel(level);
        r.set.setMouseMaximize(callBack);
        r.set.setMouseFullScreen(callBack);
        r.showing.slideIn();
        QTRY_VERIFY(r.autoHide.isDockShown());
        r.showing.windowToolNotice(notice);
        if (!givesWay) {
            QVERIFY(r.showing.givingWay() == DockShowing::GiveWay::None);
            QVERIFY(r.autoHide.isSlidIn());
            QVERIFY(!r.showing.hideInEffect());
            return;
        }
        QVERIFY(!r.autoHide.isSlidIn());
        QTRY_VERIFY(!r.autoHide.isDockShown());
        QCOMPARE(r.stripOut(), callBack);
        if (callBack) {
            emit r.autoHide.strip()->MouseIn();
            QVERIFY(r.autoHide.isSlidIn());
            r.send(QEvent::Enter);
            r.send(QEvent::Leave);
            // Judged once in: the pointer has gone.
            QTRY_VERIFY(!r.autoHide.isSlidIn());
            QTRY_VERIFY(r.stripOut());
        }
        // Back to normal: the bar returns, and stays.
        r.showing.windowToolNotice("AppWindowNormal");
        QVERIFY(r.showing.givingWay() == DockShowing::GiveWay::None);
        QVERIFY(r.autoHide.isSlidIn());
        QTRY_VERIFY(r.autoHide.isDockShown());
        r.send(QEvent::Enter);
        r.send(QEvent::Leave);
        QVERIFY(r.autoHide.isSlidIn());
        // With auto-hide the bar stays out; switched off meanwhile, it comes back.
        r.set.setHide(true);
        r.showing.windowToolNotice(notice);
        r.set.setHide(false);
        QVERIFY(r.showing.hideInEffect()); // the window is still there
        r.showing.windowToolNotice("AppWindowNormal");
        QVERIFY(!r.showing.hideInEffect());
        QVERIFY(r.autoHide.isSlidIn());
    }
};

ZV_TEST_MAIN(TestDockShowing)
#include "tst_dockshowing.moc"
