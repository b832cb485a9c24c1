// The dock's windows as an X11 window manager sees them. Runs on a private
// Xvfb with openbox, started here; skipped when either is missing.
#include "dock/window/autohide.h"
#include "dock/window/formdetection.h"
#include "dock/window/dockplacement.h"
#include "testenv.h"
#include "widgetfixture.h"

#include <KX11Extras>
#include <QCursor>
#include <QProcess>
#include <QStandardPaths>
#include <QX11Info>
#include "dock/toast/formsystemhint.h"
#include "dock/widgets/formdesktoptime.h"

#include <QtTest>
#include <xcb/shape.h>
#include <xcb/xcb.h>

namespace {

// Xvfb on a display of its own choosing, and openbox on it.
struct PrivateX
{
    QProcess server, wm;
    bool start()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
        if (xvfb.isEmpty() || openbox.isEmpty())
            return false;
        server.start(xvfb, { "-displayfd", "1", "-screen", "0", "1920x1080x24", "-nolisten", "tcp" });
        if (!server.waitForStarted(5000))
            return false;
        QByteArray number;
        QElapsedTimer t;
        t.start();
        while (!number.contains('\n') && t.elapsed() < 10000) {
            server.waitForReadyRead(200);
            number += server.readAllStandardOutput();
        }
        if (!number.contains('\n'))
            return false;
        const QByteArray display = ':' + number.trimmed();
        qputenv("DISPLAY", display);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(display));
        wm.setProcessEnvironment(env);
        wm.start(openbox, { "--sm-disable" });
        return wm.waitForStarted(5000);
    }
    ~PrivateX()
    {
        for (QProcess *p : { &wm, &server }) {
            if (p->state() != QProcess::NotRunning) {
                p->terminate();
                if (!p->waitForFinished(3000))
                    p->kill();
                p->waitForFinished(1000);
            }
        }
    }
};

bool g_haveX = false;

xcb_atom_t atom(const char *name)
{
    xcb_connection_t *c = QX11Info::connection();
    auto *r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : XCB_NONE;
    free(r);
    return a;
}

QVector<quint32> xprop(QWidget *w, const char *name, xcb_atom_t type)
{
    xcb_connection_t *c = QX11Info::connection();
    auto *r = xcb_get_property_reply(
        c, xcb_get_property(c, 0, xcb_window_t(w->winId()), atom(name), type, 0, 64), nullptr);
    QVector<quint32> v;
    if (r && r->format == 32) {
        const auto *d = static_cast<const quint32 *>(xcb_get_property_value(r));
        v = QVector<quint32>(d, d + xcb_get_property_value_length(r) / 4);
    }
    free(r);
    return v;
}

bool viewable(QWidget *w)
{
    xcb_connection_t *c = QX11Info::connection();
    auto *r = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, xcb_window_t(w->winId())), nullptr);
    const bool v = r && r->map_state == XCB_MAP_STATE_VIEWABLE;
    free(r);
    return v;
}

QRegion inputShape(QWidget *w)
{
    xcb_connection_t *c = QX11Info::connection();
    auto *r = xcb_shape_get_rectangles_reply(
        c, xcb_shape_get_rectangles(c, xcb_window_t(w->winId()), XCB_SHAPE_SK_INPUT), nullptr);
    QRegion region;
    if (r) {
        const xcb_rectangle_t *rects = xcb_shape_get_rectangles_rectangles(r);
        for (int i = 0; i < xcb_shape_get_rectangles_rectangles_length(r); ++i)
            region += QRect(rects[i].x, rects[i].y, rects[i].width, rects[i].height);
    }
    free(r);
    return region;
}

} // namespace

class TestX11Dock : public QObject, public WidgetFixture
{
    Q_OBJECT

    // The real window system and screens; everything else stays fake.
    void useRealWindows()
    {
        wins.reset();
        screens.reset();
    }
    static bool wmRunning()
    {
        xcb_connection_t *c = QX11Info::connection();
        auto *r = xcb_get_property_reply(c, xcb_get_property(c, 0, QX11Info::appRootWindow(),
                                                             atom("_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW, 0, 1),
                                         nullptr);
        const bool ok = r && xcb_get_property_value_length(r) >= 4;
        free(r);
        return ok;
    }

private slots:
    void initTestCase()
    {
        if (!g_haveX)
            QSKIP("Xvfb or openbox is not installed");
        QTRY_VERIFY_WITH_TIMEOUT(wmRunning(), 10000);
    }
    void init()
    {
        setUpFakes();
        useRealWindows();
        writeDock({ { "a", "x.png", "a", "ICON", "", "" }, { "b", "x.png", "b", "ICON", "", "" },
                    { "c", "x.png", "c", "ICON", "", "" } });
    }
    void cleanup() { tearDownFakes(); }

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
        w.setLevel2(2);
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
        KX11Extras::setCurrentDesktop(2);
        QTRY_COMPARE(KX11Extras::currentDesktop(), 2);
        QTest::qWait(200);
        QVERIFY(viewable(&w));
        KX11Extras::setCurrentDesktop(1);
        QTRY_COMPARE(KX11Extras::currentDesktop(), 1);
    }

    void autoHideHoldsWhileThePointerRestsOnTheEdge()
    {
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        w.setHide(true);
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
        w.setIcoSize(40);
        QTRY_VERIFY(w.barLayout()->inputRegion().boundingRect() != before);
        QTRY_COMPARE(inputShape(&w), w.barLayout()->inputRegion());
        const QRect main = w.findChild<QFrame *>("main")->geometry();
        const QRect ico = w.bar()->iconRegion().boundingRect().translated(main.topLeft());
        QVERIFY(inputShape(&w).contains(ico));
        QVERIFY(!inputShape(&w).contains(QPoint(5, 5)));
    }

    void sweepSendsTheShapeRarely()
    {
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        const QRect bar = w.barLayout()->inputRegion().boundingRect().translated(w.pos());
        const int y = bar.bottom() - 20;
        QCursor::setPos(bar.left() + 5, y);
        QTRY_VERIFY(w.autoHide()->isPointerInside());
        const int before = w.barLayout()->placement()->regionSends();
        // Back and forth along the bar, as a hand moves over it.
        for (int pass = 0; pass < 2; ++pass) {
            for (int x = bar.left() + 5; x < bar.right() - 5; x += 6) {
                QCursor::setPos(pass ? bar.right() - (x - bar.left()) : x, y);
                QTest::qWait(5);
            }
        }
        QTest::qWait(100);
        const int moves = 2 * bar.width() / 6;
        QVERIFY2(w.barLayout()->placement()->regionSends() - before < moves / 10,
                 qPrintable(QStringLiteral("%1 shapes for %2 moves").arg(w.barLayout()->placement()->regionSends() - before).arg(moves)));
        QCOMPARE(inputShape(&w), w.barLayout()->inputRegion());
        // Gone from the bar: the desktop beside it is reachable again.
        QCursor::setPos(960, 300);
        QTRY_VERIFY(!w.autoHide()->isPointerInside());
        QTRY_VERIFY(!inputShape(&w).contains(QPoint(2, y - w.y())));
        QTRY_COMPARE(inputShape(&w), w.barLayout()->inputRegion());
    }
};

int main(int argc, char *argv[])
{
    static TestEnv env;
    PrivateX x;
    g_haveX = x.start();
    qputenv("QT_QPA_PLATFORM", g_haveX ? "xcb" : "offscreen");
    qputenv("QT_XCB_GL_INTEGRATION", "none");
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestX11Dock tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_x11dock.moc"
