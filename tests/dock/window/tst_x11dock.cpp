// The dock's windows as an X11 window manager sees them. Runs on a private
// Xvfb with the window manager ZV_TEST_WM names (openbox unless it says
// fluxbox or icewm), started here; skipped when either is missing.
#include "dock/icons/formcommonicon.h"
#include "common/systemmessage.h"
#include "dock/launchpad/formlaunchstarter.h"
#include "dock/settings/docksettings.h"
#include "dock/settings/formsettings.h"
#include "dock/toast/formsystemhint.h"
#include "dock/widgets/formdesktoptime.h"
#include "dock/widgets/formweathereffects.h"
#include "dock/icons/formname.h"
#include "dock/window/autohide.h"
#include "dock/window/dockdrag.h"
#include "dock/window/dockplacement.h"
#include "dock/window/dockwindows.h"
#include "dock/window/formdetection.h"
#include "platform/windowsystem.h"
#include "testconfig.h"
#include "testenv.h"
#include "widgetfixture.h"
#include "x11harness.h"

#include <KWindowInfo>
#include <QCursor>
#include <QLabel>

#include <csignal>

using namespace x11test;

namespace {

bool g_haveX = false;

// An icon that shows a picture, of the class given.
DockIconRecord icon(const QString &id, const QString &cls = QStringLiteral("ICON"))
{
    return { id, QStringLiteral(":/image/icon/Finder.png"), id, cls, QString(), QString() };
}

// Icons "i0", "i1", ...
QList<DockIconRecord> pictureIcons(int n)
{
    QList<DockIconRecord> rows;
    for (int i = 0; i < n; ++i)
        rows << icon(QStringLiteral("i%1").arg(i));
    return rows;
}

// The same, each opening its own path "/opt/zv/i0", ...
QList<DockIconRecord> openingIcons(int n)
{
    QList<DockIconRecord> rows = pictureIcons(n);
    for (DockIconRecord &r : rows)
        r.Path = QStringLiteral("/opt/zv/") + r.IconID;
    return rows;
}

// A desktop panel of another program along the bottom of the screen, which
// keeps the window manager's windows off its strip.
struct Panel : QWidget
{
    explicit Panel(const QRect &r)
    {
        setWindowFlags(Qt::FramelessWindowHint);
        setGeometry(r);
        platform::WindowSystemService::get().setRole(this, platform::WindowSystem::Role::Dock);
        NETWinInfo info(QX11Info::connection(), winId(), QX11Info::appRootWindow(), NET::WMStrut,
                        NET::WM2ExtendedStrut);
        NETExtendedStrut wide;
        wide.bottom_width = r.height();
        wide.bottom_start = r.left();
        wide.bottom_end = r.right();
        info.setExtendedStrut(wide);
        NETStrut strut;
        strut.bottom = r.height();
        info.setStrut(strut);
        show();
    }
};

} // namespace

// Counts the events of one type a widget gets.
struct EventCount : QObject
{
    EventCount(QObject *watched, QEvent::Type type, int *count) : m_type(type), m_count(count)
    {
        watched->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *e) override
    {
        *m_count += e->type() == m_type;
        return false;
    }
    QEvent::Type m_type;
    int *m_count;
};

class TestX11Dock : public QObject, public WidgetFixture
{
    Q_OBJECT

    // The real window system and screens; everything else stays fake.
    void useRealWindows()
    {
        wins.reset();
        screens.reset();
        active.reset();
    }
    // The bar's rectangle at rest on the screen: its background.
    static QRect barOnScreen(Widget &w)
    {
        QWidget *bg = frame(w, "frameBackground");
        return QRect(frame(w, "main")->mapToGlobal(bg->pos()), bg->size());
    }
    static QRect iconOnScreen(Widget &w, const QString &id) { return w.bar()->iconRectOnScreen(id); }
    static bool wmRunning() { return rootProperty("_NET_SUPPORTING_WM_CHECK") != 0; }

private slots:
    void initTestCase()
    {
        if (!g_haveX)
            QSKIP("Xvfb or the window manager is not installed");
        QTRY_VERIFY_WITH_TIMEOUT(wmRunning(), 10000);
    }
    void init()
    {
        setUpFakes();
        useRealWindows();
        writeDock({ icon("a"), icon("b"), icon("c") });
    }
    void cleanup()
    {
        tearDownFakes();
        QCursor::setPos(960, 300);
        TestConfig::reset();
    }

    void windowsDeclareWhatTheyAre()
    {
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        QTRY_VERIFY(viewable(w.autoHide()->strip()));
        w.toast()->ShowMessage(QStringLiteral("x"));
        w.toast()->show();
        QTRY_VERIFY(viewable(w.toast()));
        const quint32 all = 0xFFFFFFFF;
        const struct
        {
            QWidget *window;
            const char *type;
        } expected[] = { { &w, "_NET_WM_WINDOW_TYPE_DOCK" },
                         { w.autoHide()->strip(), "_NET_WM_WINDOW_TYPE_DOCK" },
                         { w.toast(), "_NET_WM_WINDOW_TYPE_NOTIFICATION" } };
        for (const auto &e : expected) {
            QCOMPARE(xprop(e.window, "_NET_WM_WINDOW_TYPE", XCB_ATOM_ATOM).value(0), atom(e.type));
            QTRY_COMPARE(xprop(e.window, "_NET_WM_DESKTOP", XCB_ATOM_CARDINAL).value(0), all);
            const QVector<quint32> states = xprop(e.window, "_NET_WM_STATE", XCB_ATOM_ATOM);
            QVERIFY(states.contains(atom("_NET_WM_STATE_SKIP_TASKBAR")));
            QVERIFY(states.contains(atom("_NET_WM_STATE_SKIP_PAGER")));
        }
        // Hidden and shown again, the toast is still out of the task list.
        w.toast()->hide();
        QTRY_VERIFY(!viewable(w.toast()));
        w.toast()->show();
        QTRY_VERIFY(viewable(w.toast()));
        QTRY_VERIFY(xprop(w.toast(), "_NET_WM_STATE", XCB_ATOM_ATOM).contains(atom("_NET_WM_STATE_SKIP_TASKBAR")));
        // The level stays on top of the role.
        DockSettings::instance()->setLevel(2);
        QTRY_VERIFY(xprop(&w, "_NET_WM_STATE", XCB_ATOM_ATOM).contains(atom("_NET_WM_STATE_BELOW")));
    }

    // A locked clock stays out of the task list, below the other windows and
    // on every desktop, whether it is locked before or after it shows, and
    // after being unlocked, locked and shown again.
    void lockedClockKeepsItsStates()
    {
        const auto keeps = [](FormDesktopTime &clock) {
            if (!QTest::qWaitFor([&] { return viewable(&clock); }, 5000))
                return QString("not shown");
            const bool ok = QTest::qWaitFor([&] {
                const QVector<quint32> states = xprop(&clock, "_NET_WM_STATE", XCB_ATOM_ATOM);
                return states.contains(atom("_NET_WM_STATE_SKIP_TASKBAR")) && states.contains(atom("_NET_WM_STATE_SKIP_PAGER"))
                    && states.contains(atom("_NET_WM_STATE_BELOW"))
                    && xprop(&clock, "_NET_WM_DESKTOP", XCB_ATOM_CARDINAL).value(0) == 0xFFFFFFFF;
            }, 3000);
            // What the window manager made of it once it settled.
            QTest::qWait(300);
            const QVector<quint32> states = xprop(&clock, "_NET_WM_STATE", XCB_ATOM_ATOM);
            QStringList missing;
            if (!states.contains(atom("_NET_WM_STATE_SKIP_TASKBAR")))
                missing << "skip task bar";
            if (!states.contains(atom("_NET_WM_STATE_BELOW")))
                missing << "below";
            if (xprop(&clock, "_NET_WM_DESKTOP", XCB_ATOM_CARDINAL).value(0) != 0xFFFFFFFF)
                missing << "all desktops";
            return ok && missing.isEmpty() ? QString() : missing.join(", ");
        };
        {
            FormDesktopTime clock;
            clock.DesktopTimelocking(true);
            clock.setShow(true);
            QCOMPARE(keeps(clock), QString());
        }
        FormDesktopTime clock;
        clock.setShow(true);
        QCOMPARE(keeps(clock), QString());
        for (bool lock : { true, false, true }) {
            clock.DesktopTimelocking(lock);
            QCOMPARE(keeps(clock), QString());
        }
        clock.setShow(false);
        QTRY_VERIFY(!viewable(&clock));
        clock.setShow(true);
        QCOMPARE(keeps(clock), QString());
    }

    // A notice leaves the keyboard where it is: the launch pad, which closes
    // when it loses it, stays open to show what was just added.
    void aToastLeavesTheKeyboardWhereItIs()
    {
        QWidget working;
        working.setWindowTitle(QStringLiteral("working"));
        working.resize(300, 200);
        working.show();
        working.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &working);
        FormSystemHint toast;
        toast.ShowMessage(QStringLiteral("添加成功！"));
        toast.show();
        QTRY_VERIFY(viewable(&toast));
        QTest::qWait(300);
        QCOMPARE(QApplication::activeWindow(), &working);
    }

    void barOnTheSecondDesktop()
    {
        if (KX11Extras::numberOfDesktops() < 2)
            QSKIP("the window manager offers one desktop");
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        // Sent past Qt, the request waits in our buffer for Qt's next one.
        KX11Extras::setCurrentDesktop(2);
        xcb_flush(QX11Info::connection());
        QTRY_COMPARE(KX11Extras::currentDesktop(), 2);
        QTest::qWait(200);
        QVERIFY(viewable(&w));
        KX11Extras::setCurrentDesktop(1);
        xcb_flush(QX11Info::connection());
        QTRY_COMPARE(KX11Extras::currentDesktop(), 1);
    }

    void autoHideHoldsWhileThePointerRestsOnTheEdge()
    {
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        DockSettings::instance()->setHide(true);
        const QRect bar = w.barLayout()->inputRegion().boundingRect().translated(w.pos());
        QCursor::setPos(bar.center());
        QTRY_VERIFY(w.autoHide()->isPointerInside());
        QCursor::setPos(960, 300);
        QTRY_VERIFY(!w.autoHide()->isSlidIn());
        QTRY_VERIFY(viewable(w.autoHide()->strip()));
        // The pointer comes to rest on the edge.
        const QRect strip = w.autoHide()->strip()->geometry();
        QCursor::setPos(strip.center());
        QTRY_VERIFY(w.autoHide()->isDockShown());
        for (int i = 0; i < 40; ++i) {
            QTest::qWait(50);
            QVERIFY2(w.autoHide()->isSlidIn(), "the bar slid out under a resting pointer");
        }
        QVERIFY(w.autoHide()->isDockShown());
        QVERIFY(!viewable(w.autoHide()->strip()));
        // Away again: out it goes, and the strip waits for the pointer.
        QCursor::setPos(960, 300);
        QTRY_VERIFY(!w.autoHide()->isDockShown());
        QTRY_VERIFY(viewable(w.autoHide()->strip()));
    }

    void inputShapeFollowsTheBar()
    {
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        QTRY_COMPARE(inputShape(&w), w.barLayout()->inputRegion());
        const QRect before = w.barLayout()->inputRegion().boundingRect();
        DockSettings::instance()->setIcoSize(40);
        QTRY_VERIFY(w.barLayout()->inputRegion().boundingRect() != before);
        QTRY_COMPARE(inputShape(&w), w.barLayout()->inputRegion());
        const QRect main = w.findChild<QFrame *>("main")->geometry();
        const QRect ico = w.bar()->iconRegion().boundingRect().translated(main.topLeft());
        QVERIFY(inputShape(&w).contains(ico));
        QVERIFY(!inputShape(&w).contains(QPoint(5, 5)));
    }

    // Hovered, the icons grow; slid off sideways the pointer has left: the
    // shape is the bar at rest again and a click beside it reaches the
    // window beneath.
    void theShapeHoldsOnlyTheBar()
    {
        OtherProgram other(QRect(0, 600, 1920, 480));
        QTRY_VERIFY(other.hasKeyboard());
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        QTRY_COMPARE(inputShape(&w), w.barLayout()->inputRegion());
        const QRect rest = barOnScreen(w);
        const QRect c = iconOnScreen(w, "c");
        // Over the last icon, up where only magnified icons reach.
        const int y = rest.top() - 20;
        pointerTo(QPoint(c.center().x(), rest.center().y()));
        QTRY_VERIFY(w.autoHide()->isPointerInside());
        QTRY_COMPARE(w.bar()->iconSize("c"), QSize(128, 128));
        pointerTo(QPoint(iconOnScreen(w, "c").center().x(), y));
        QTest::qWait(50);
        QVERIFY(w.autoHide()->isPointerInside());
        QVERIFY(w.tips()->bubble()->isVisible());
        shot("shape-hovered");
        // The shape holds what is drawn: the magnified icons and the bar.
        const QRegion drawn = inputShape(&w);
        QCOMPARE(drawn, w.barLayout()->inputRegion());
        QVERIFY(!drawn.contains(QPoint(2, y - w.y())));
        // Sideways off the bar at that height.
        for (int x = iconOnScreen(w, "c").center().x(); x < 1900; x += 24) {
            pointerTo(QPoint(x, y));
            QTest::qWait(8);
        }
        QTRY_VERIFY(!w.autoHide()->isPointerInside());
        QTRY_VERIFY(!w.tips()->bubble()->isVisible());
        QTRY_VERIFY(w.bar()->isAtRest());
        shot("shape-slid-off");
        QTRY_COMPARE(inputShape(&w), w.barLayout()->inputRegion());
        const QRect atRest = barOnScreen(w).translated(-w.pos());
        for (const QRect &r : inputShape(&w))
            QVERIFY2(atRest.contains(r), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                        .arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height())));
        // A click where the band used to be reaches the window below.
        const QPoint beside(barOnScreen(w).right() + 40, y);
        click(beside);
        QTRY_VERIFY(other.pressedAt(beside));
        const QPoint above(iconOnScreen(w, "b").center().x(), y);
        click(above);
        QTRY_VERIFY(other.pressedAt(above));
    }

    // The program as a user starts it on this desktop: until its bar shows
    // and it has answered a message, and on to its quit, it reports no
    // error of the X server and no failed OpenGL.
    void aNormalStartPrintsNoError()
    {
        QProcess dock;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_XCB_GL_INTEGRATION"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        dock.setProcessEnvironment(env);
        dock.setProcessChannelMode(QProcess::MergedChannels);
        dock.start(TestEnv::binDir() + QStringLiteral("/Zorvane"), QStringList());
        QVERIFY(dock.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(SystemMessage::windowExists(QStringLiteral("Zorvane-Window")), 20000);
        auto barShown = [&dock] {
            for (WId id : KX11Extras::stackingOrder()) {
                const KWindowInfo info(id, NET::WMPid | NET::WMWindowType | NET::XAWMState);
                if (info.pid() == int(dock.processId()) && info.mappingState() == NET::Visible
                    && info.windowType(NET::DockMask) == NET::Dock)
                    return true;
            }
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(barShown(), 20000);
        QVERIFY(SystemMessage::send(QStringLiteral("Zorvane-Window"), "Pravelt,AppWindowNormal", 10000));
        ::kill(pid_t(dock.processId()), SIGTERM);
        QVERIFY(dock.waitForFinished(15000));
        const QString said = QString::fromLocal8Bit(dock.readAll());
        QVERIFY2(!said.contains(QLatin1String("XCB error")), qPrintable(said));
        QVERIFY2(!said.contains(QLatin1String("OpenGL")), qPrintable(said));
    }

    // Without a compositing manager the server shows what the bar draws
    // and nothing of what it leaves clear: the grown icon stands on the
    // desktop, not on a black square, and its bubble points without one.
    void clearPartsShowTheDesktop()
    {
        const QRgb desktop = qRgb(0x3a, 0x6e, 0xa5);
        paintDesktop(desktop);
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        const QRect rest = barOnScreen(w);
        const QRect c = growUnderPointer(w, "c", rest);
        QVERIFY(!c.isEmpty());
        QTRY_VERIFY(w.tips()->bubble()->isVisible());
        QString problem;
        QTRY_VERIFY2((problem = seeThroughProblem(c, rest, desktop)).isEmpty(), qPrintable(problem));
        // Above the icons, where only the bubble is drawn: its pointer stands
        // on the desktop as well.
        // The arrow's label only holds the picture the bubble draws.
        FormName *bubble = w.tips()->bubble();
        QVERIFY(!bubble->arrowLabel()->isHidden());
        const QRect a(bubble->mapToGlobal(bubble->arrowLabel()->pos()), bubble->arrowLabel()->size());
        QCOMPARE(screenPixel(a.bottomLeft() + QPoint(1, -1)), desktop & 0xffffffu);
        QCOMPARE(screenPixel(a.bottomRight() + QPoint(-1, -1)), desktop & 0xffffffu);
        shot("see-through");
        // Back at rest the grown icon's place shows the desktop again.
        pointerTo(QPoint(960, 300));
        QTRY_VERIFY(w.bar()->isAtRest());
        QTRY_COMPARE(screenPixel(c.center()), desktop & 0xffffffu);
    }

    // A compositing manager that starts while the dock runs gets the windows
    // whole; once it stops they are cut again and still show the desktop.
    void followsACompositorAsItComesAndGoes()
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("xcompmgr"));
        if (program.isEmpty())
            QSKIP("xcompmgr is not installed");
        const QRgb desktop = qRgb(0x3a, 0x6e, 0xa5);
        paintDesktop(desktop);
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        QVERIFY(platform::SeeThrough::active());
        QTRY_VERIFY(!platform::SeeThrough::outlineOf(&w).isEmpty());
        QProcess compositor;
        compositor.start(program, QStringList());
        QVERIFY(compositor.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(KX11Extras::compositingActive(), 10000);
        QTRY_VERIFY(!platform::SeeThrough::active());
        QVERIFY(platform::SeeThrough::outlineOf(&w).isEmpty());
        compositor.terminate();
        QVERIFY(compositor.waitForFinished(5000));
        QTRY_VERIFY_WITH_TIMEOUT(!KX11Extras::compositingActive(), 10000);
        QTRY_VERIFY(platform::SeeThrough::active());
        const QRect rest = barOnScreen(w);
        const QRect c = growUnderPointer(w, "c", rest);
        QVERIFY(!c.isEmpty());
        QString problem;
        QTRY_VERIFY2((problem = seeThroughProblem(c, rest, desktop)).isEmpty(), qPrintable(problem));
    }

    // A quick hand along the top of the magnified icons lands beside icons
    // that are about to grow under it: the bar holds on and does not slide.
    void aQuickSweepStaysOnTheBar()
    {
        writeDock(pictureIcons(12));
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        const QRect rest = barOnScreen(w);
        pointerTo(QPoint(rest.left() + 40, rest.center().y()));
        QTRY_VERIFY(w.autoHide()->isPointerInside());
        DockSettings::instance()->setHide(true);
        const int y = rest.bottom() - 118; // ten pixels below the magnified top
        pointerTo(QPoint(rest.left() + 40, y));
        QTest::qWait(400);
        QVERIFY(w.autoHide()->isSlidIn());
        for (int pass = 0; pass < 2; ++pass) {
            for (int step = 0; step < 40; ++step) {
                const int x = rest.left() + 40 + (rest.width() - 80) * (pass ? 39 - step : step) / 39;
                pointerTo(QPoint(x, y));
                QTest::qWait(12);
                QVERIFY2(w.autoHide()->isSlidIn(), qPrintable(QStringLiteral("slid out at x %1").arg(x)));
            }
        }
        QTest::qWait(100);
        QVERIFY(w.autoHide()->isSlidIn());
        QVERIFY(w.autoHide()->isPointerInside());
        QTRY_COMPARE(inputShape(&w), w.barLayout()->inputRegion());
        shot("sweep");
        pointerTo(QPoint(960, 300));
        QTRY_VERIFY(!w.autoHide()->isSlidIn());
    }

    // The dock never takes the keyboard: not when it starts, not when an
    // icon is clicked, not when the strip brings it back.
    void theKeyboardStaysWithTheOtherProgram()
    {
        OtherProgram other(QRect(200, 100, 600, 400));
        QTRY_VERIFY(other.hasKeyboard());
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        QTest::qWait(300);
        QVERIFY(other.hasKeyboard());
        click(iconOnScreen(w, "b").center());
        QTRY_COMPARE(opener->paths.size(), 1);
        QTest::qWait(300);
        QVERIFY(other.hasKeyboard());
        shot("keyboard-after-click");
        DockSettings::instance()->setHide(true);
        pointerTo(QPoint(960, 300));
        QTRY_VERIFY(!w.autoHide()->isDockShown());
        pointerTo(w.autoHide()->strip()->geometry().center());
        QTRY_VERIFY(w.autoHide()->isDockShown());
        QTest::qWait(200);
        QVERIFY(other.hasKeyboard());
        // A window of the dock that the user types in takes it when it opens
        // from a click.
        click(iconOnScreen(w, "b").center());
        QTRY_COMPARE(opener->paths.size(), 2);
        w.showSet();
        QTRY_COMPARE(activeWindow(), quint32(w.windows()->settingsPanel()->winId()));
        shot("settings-panel-has-the-keyboard");
    }

    // Alt+Q over another program's window: the pad takes the keyboard and
    // stays open until it is closed, every time.
    void theLaunchPadStaysOpen()
    {
        OtherProgram other(QRect(200, 100, 600, 400));
        QTRY_VERIFY(other.hasKeyboard());
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        const int altQ = Qt::ALT | Qt::Key_Q;
        for (int round = 0; round < 20; ++round) {
            QVERIFY(keys->press(altQ));
            QTRY_VERIFY(w.launchPad()->isActiveWindow());
            QTest::qWait(round == 0 ? 2000 : 350);
            QVERIFY2(w.launchPad()->isShown() && w.launchPad()->isActiveWindow(),
                     qPrintable(QStringLiteral("closed in round %1").arg(round)));
            if (round == 0)
                shot("launch-pad");
            QVERIFY(keys->press(altQ));
            QTRY_VERIFY(!w.launchPad()->isVisible());
            other.takeKeyboard();
            QTRY_VERIFY(other.hasKeyboard());
        }
    }

    // The weather scene stays fully transparent for its first moments: a
    // pointer that passes over the weather icon, as a sweep along the bar
    // does, maps no window for it; one that stays shows it, fading in at
    // once, with the bubble in its own window in front of it. Leaving the
    // icon takes it away.
    void theWeatherSceneShowsOnceThePointerStays()
    {
        writeDock({ icon("a"), icon("w", "WEATHER"), icon("b") });
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        FormWeatherEffects *scene = w.tips()->scene();
        int shows = 0;
        EventCount counter(scene, QEvent::Show, &shows);
        // The bar's own calls for a pointer that comes onto an icon.
        const auto onto = [&](const QString &id, const QString &cl) {
            if (cl == QLatin1String("WEATHER"))
                w.IconMouseIn(id, cl);
            w.IconMouseMove(id, w.bar()->iconRect(id).center() - w.bar()->iconRect(id).topLeft());
        };
        for (int pass = 0; pass < 3; ++pass) {
            onto("a", "ICON");
            onto("w", "WEATHER");
            onto("b", "ICON");
        }
        QTest::qWait(3 * FormWeatherEffects::FadeInWaitMs);
        QCOMPARE(shows, 0);

        onto("w", "WEATHER");
        QTRY_VERIFY(viewable(scene));
        QWidget *lane = w.tips()->bubbleWindow();
        QVERIFY(lane != &w);
        QTRY_VERIFY(viewable(lane));
        QTRY_COMPARE(scene->windowOpacity(), 1.0);
        QVERIFY(stackIndex(xcb_window_t(lane->winId())) > stackIndex(xcb_window_t(scene->winId())));
        onto("b", "ICON");
        QVERIFY(!scene->isVisible());
    }

    // The name bubble, the long-press ring and the drag ghost are windows of
    // their own above the bar that the window manager does not frame; the
    // bubble stands in front of the weather scene. A drop on the bar is no
    // leave: with auto-hide on the bar stays under the pointer.
    void windowsAtThePointerStandAboveTheBar()
    {
        writeDock({ icon("a"), icon("b"), icon("w", "WEATHER"), icon("c") });
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        pointerTo(iconOnScreen(w, "w").center());
        QTRY_VERIFY(w.tips()->bubble()->isVisible());
        QTRY_VERIFY(w.tips()->scene()->isVisible());
        QTRY_VERIFY(viewable(w.tips()->scene()));
        QTRY_VERIFY(viewable(w.tips()->bubbleWindow()));
        verifyUnframedAboveTheBar(w.tips()->bubbleWindow(), &w);
        QVERIFY(stackIndex(xcb_window_t(w.tips()->bubbleWindow()->winId()))
                > stackIndex(xcb_window_t(w.tips()->scene()->winId())));
        shot("bubble-over-scene");
        // Away and back: shown again, the scene and the bubble's window are
        // still out of the task list and on every desktop.
        for (int pass = 0; pass < 2; ++pass) {
            pointerTo(iconOnScreen(w, "c").center());
            QTRY_VERIFY(!w.tips()->scene()->isVisible());
            pointerTo(iconOnScreen(w, "w").center());
            QTRY_VERIFY(viewable(w.tips()->scene()));
            QTRY_VERIFY(viewable(w.tips()->bubbleWindow()));
            for (QWidget *window : { static_cast<QWidget *>(w.tips()->scene()), w.tips()->bubbleWindow() }) {
                const QVector<quint32> states = xprop(window, "_NET_WM_STATE", XCB_ATOM_ATOM);
                QVERIFY(states.contains(atom("_NET_WM_STATE_SKIP_TASKBAR")));
                QVERIFY(states.contains(atom("_NET_WM_STATE_SKIP_PAGER")));
                QCOMPARE(xprop(window, "_NET_WM_DESKTOP", XCB_ATOM_CARDINAL).value(0), 0xFFFFFFFFu);
            }
        }

        // From b to the far half of w, both where they stand at rest.
        pointerTo(QPoint(960, 300));
        QTRY_VERIFY(w.bar()->isAtRest());
        const QPoint from = iconOnScreen(w, "b").center();
        const QPoint to = iconOnScreen(w, "w").center() + QPoint(16, 0);
        pointerTo(from);
        QTRY_VERIFY(w.bar()->hoveredId() == QLatin1String("b"));
        DockSettings::instance()->setHide(true);
        button(true);
        QWidget *held = nullptr;
        QTRY_VERIFY((held = [] {
            for (QWidget *t : QApplication::topLevelWidgets())
                if (t->objectName() == QLatin1String("FormTimingFlash") && t->isVisible())
                    return t;
            return static_cast<QWidget *>(nullptr);
        }()));
        QTRY_VERIFY(viewable(held));
        verifyUnframedAboveTheBar(held, &w);
        shot("ring");
        QTest::qWait(450); // loose for dragging
        for (int i = 1; i <= 6; ++i) {
            pointerTo(from + (to - from) * i / 6);
            QTest::qWait(30);
        }
        QTRY_VERIFY(w.drag()->isDragging());
        QTRY_VERIFY(viewable(w.drag()->ghost()));
        verifyUnframedAboveTheBar(w.drag()->ghost(), &w);
        shot("ghost");
        button(false);
        QTRY_VERIFY(!w.drag()->isDragging());
        QCOMPARE(ids(rows(w)), QStringList({ "a", "w", "b", "c" }));
        QTest::qWait(600);
        QVERIFY(w.autoHide()->isSlidIn());
        QVERIFY(w.autoHide()->isPointerInside());
        QTRY_COMPARE(inputShape(&w), w.barLayout()->inputRegion());
        shot("after-drop");
    }

    // A maximised window on the bar's screen: at the level "normal" the bar
    // slides out of its way and the edge strip calls it back as the switch
    // says; in front it stays; restored, the bar comes back.
    void theBarGivesWayToAMaximisedWindow()
    {
        OtherProgram other(QRect(300, 200, 500, 300));
        QTRY_VERIFY(other.hasKeyboard());
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        DockSettings::instance()->setMouseMaximize(true);
        other.setState(NET::Max, NET::Max);
        QTRY_VERIFY(!w.autoHide()->isSlidIn());
        QTRY_VERIFY(!w.autoHide()->isDockShown());
        QTRY_VERIFY(viewable(w.autoHide()->strip()));
        shot("maximised-gives-way");
        // The edge strip calls it back; away from it, it goes again.
        pointerTo(w.autoHide()->strip()->geometry().center());
        QTRY_VERIFY(w.autoHide()->isDockShown());
        shot("maximised-called-back");
        pointerTo(QPoint(960, 300));
        QTRY_VERIFY(!w.autoHide()->isDockShown());
        // Without the switch the strip stays away.
        DockSettings::instance()->setMouseMaximize(false);
        other.setState({}, NET::Max);
        QTRY_VERIFY(w.autoHide()->isDockShown());
        other.setState(NET::Max, NET::Max);
        QTRY_VERIFY(!w.autoHide()->isDockShown());
        QTRY_VERIFY(!viewable(w.autoHide()->strip()));
        // Restored: back as before.
        other.setState({}, NET::Max);
        QTRY_VERIFY(w.autoHide()->isDockShown());
        QVERIFY(w.autoHide()->isSlidIn());
        // In front of everything the bar stays.
        DockSettings::instance()->setLevel(0);
        other.setState(NET::Max, NET::Max);
        QTest::qWait(500);
        QVERIFY(w.autoHide()->isDockShown());
        shot("maximised-level-above");
        // Full screen, whatever the level: never covered, unless the user
        // calls the bar with the strip.
        DockSettings::instance()->setMouseFullScreen(true);
        other.setState(NET::FullScreen, NET::FullScreen | NET::Max);
        QTRY_VERIFY(!w.autoHide()->isDockShown());
        QTRY_VERIFY(viewable(w.autoHide()->strip()));
        pointerTo(w.autoHide()->strip()->geometry().center());
        QTRY_VERIFY(w.autoHide()->isDockShown());
        shot("full-screen-called-back");
        pointerTo(QPoint(960, 300));
        QTRY_VERIFY(!w.autoHide()->isDockShown());
        other.setState({}, NET::FullScreen);
        QTRY_VERIFY(w.autoHide()->isDockShown());
    }

    // Auto-hide on: off the bar upwards, and straight back onto it while it
    // slides away, where it stood or onto what still shows of it. It comes
    // back in under the pointer and stays, and a click there opens the icon,
    // not the window beneath.
    void aPointerBackOnTheSlidingBarBringsItBack()
    {
        writeDock(openingIcons(6));
        OtherProgram other(QRect(0, 0, 1920, 1080));
        QTRY_VERIFY(other.id && other.isMapped());
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        DockSettings::instance()->setHide(true);
        const int bottom = QGuiApplication::primaryScreen()->geometry().bottom();
        int rounds = 0;
        for (int k = 0; k < 40 && rounds < 8; ++k) {
            const QString id = QStringLiteral("i%1").arg(1 + k % 4);
            if (!w.autoHide()->isSlidIn()) {
                // Called back by the edge strip.
                QTRY_VERIFY(viewable(w.autoHide()->strip()));
                pointerTo(w.autoHide()->strip()->geometry().center());
            }
            QTRY_VERIFY(w.autoHide()->isDockShown());
            pointerTo(iconOnScreen(w, id).center());
            QTRY_VERIFY(w.bar()->hoveredId() == id && !w.bar()->isAnimating());
            const QPoint rest = iconOnScreen(w, id).center();
            pointerTo(rest);
            QTest::qWait(50);
            pointerTo(rest - QPoint(0, 200));
            QTRY_VERIFY(w.autoHide()->isSlidingOut());
            QTest::qWait(30 + 34 * (k % 6)); // the hand's pace coming back: 30 to 200 ms
            // Straight down onto the icon where it stands at rest, or onto
            // what still shows of it.
            const QPoint back(rest.x(), k % 2 ? bottom - 4 : bottom - 30);
            if (!w.autoHide()->isSlidingOut())
                continue; // the bar had gone: nothing to come back to
            pointerTo(back);
            ++rounds;
            QTRY_VERIFY2(w.autoHide()->isSlidIn() && w.autoHide()->isDockShown(),
                         qPrintable(QStringLiteral("round %1: the bar went on out under the pointer").arg(k)));
            QTest::qWait(200);
            QVERIFY(w.autoHide()->isSlidIn());
            const QString under = w.bar()->iconAt(w.bar()->mapFromGlobal(back));
            QVERIFY2(!under.isEmpty(), qPrintable(QStringLiteral("round %1: no icon under the pointer").arg(k)));
            const QString path = QStringLiteral("/opt/zv/") + under;
            const int before = opener->paths.count(path);
            button(true);
            QTest::qWait(30);
            button(false);
            QTRY_VERIFY2(opener->paths.count(path) == before + 1,
                         qPrintable(QStringLiteral("round %1: the click did not open %2").arg(k).arg(under)));
            QVERIFY(!other.pressedAt(back));
            if (rounds == 1)
                shot("back-on-the-sliding-bar");
        }
        QVERIFY2(rounds >= 4, qPrintable(QStringLiteral("only %1 returns in time").arg(rounds)));
    }

    // A left bar without auto-hide, the pointer away (the edge strip waits
    // on the edge): the pointer lands on the edge over an icon and presses
    // at that very instant. The icon opens, every time.
    void aClickAsThePointerLandsOnTheEdgeReachesTheIcon()
    {
        writeDock(openingIcons(5));
        TestConfig::write({ { "System/Location", 3 } });
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        for (int k = 0; k < 10; ++k) {
            pointerTo(QPoint(960, 300 + k));
            QTRY_VERIFY(!w.autoHide()->isPointerInside());
            QTRY_VERIFY(w.bar()->isAtRest());
            QTRY_VERIFY(viewable(w.autoHide()->strip()));
            const QString id = QStringLiteral("i%1").arg(k % 5);
            const QRect r = iconOnScreen(w, id);
            const QPoint edge(r.left(), r.center().y());
            QCOMPARE(edge.x(), 0);
            const QString path = QStringLiteral("/opt/zv/") + id;
            const int before = opener->paths.count(path);
            pointerTo(edge);
            button(true);
            button(false);
            QTRY_VERIFY2(opener->paths.count(path) == before + 1,
                         qPrintable(QStringLiteral("click %1 on %2 did not open it").arg(k).arg(id)));
        }
        // Away from the bar the strip is there again, and the whole of it
        // calls the bar once auto-hide has taken it away.
        DockSettings::instance()->setHide(true);
        pointerTo(QPoint(960, 300));
        QTRY_VERIFY(!w.autoHide()->isDockShown());
        QTRY_VERIFY(viewable(w.autoHide()->strip()));
        QTRY_COMPARE(inputShape(w.autoHide()->strip()).boundingRect().size(), w.autoHide()->strip()->size());
        pointerTo(QPoint(0, iconOnScreen(w, "i2").center().y()));
        QTRY_VERIFY(w.autoHide()->isDockShown());
        shot("left-edge-click");
    }

    // A left bar of sixteen icons magnified by 84 pixels over a screen with
    // a panel along its bottom: wherever the pointer rests along the bar,
    // every icon stays on the screen and off the panel.
    void grownIconsStayInTheFreePartOfTheScreen()
    {
        Panel panel(QRect(0, 1040, 1920, 40));
        QTRY_COMPARE(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 1920, 1040));
        writeDock(openingIcons(16));
        TestConfig::write({ { "System/Location", 3 }, { "System/IcoScale", 84 } });
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        const QRect free(0, 0, 1920, 1040);
        const QStringList ids = w.bar()->ids();
        for (const QString &id : { ids.first(), ids.at(1), ids.at(7), ids.at(14), ids.last() }) {
            for (int d : { 5, 32, 58 }) {
                const QRect r = iconOnScreen(w, id);
                pointerTo(QPoint(r.left() + r.width() / 2, r.top() + d * r.height() / 64));
                QTRY_COMPARE(w.bar()->hoveredId(), id);
                QTRY_VERIFY_WITH_TIMEOUT(!w.bar()->isAnimating(), 3000);
                for (const QString &each : ids) {
                    const QRect e = iconOnScreen(w, each);
                    QVERIFY2(free.contains(e), qPrintable(QStringLiteral("hovering %1 at %2: %3 stands at %4,%5 %6x%7")
                                                              .arg(id).arg(d).arg(each).arg(e.x()).arg(e.y())
                                                              .arg(e.width()).arg(e.height())));
                }
            }
            if (id == ids.first())
                shot("left-16-hover-top");
            if (id == ids.last())
                shot("left-16-hover-bottom");
        }
        panel.hide();
        QTRY_COMPARE(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 1920, 1080));
    }

    // The size check sees the screen the bar stands on from the start.
    void aSideBarStartsAtItsSize()
    {
        writeDock(pictureIcons(14));
        TestConfig::write({ { "System/Location", 3 } });
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        QCOMPARE(int(w.barLayout()->now().size), 64);
        QCOMPARE(w.bar()->iconSize("i0"), QSize(64, 64));
        shot("left-14");
    }
};

int main(int argc, char *argv[])
{
    return runX11Test<TestX11Dock>(argc, argv, &g_haveX);
}

#include "tst_x11dock.moc"
