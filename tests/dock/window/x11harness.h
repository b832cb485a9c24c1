#pragma once
// A private X server with a window manager, and what a test reads of the
// windows on it through xcb: properties, stacking, input shapes, the real
// pointer, and another program's window that takes the keyboard.
#include <KX11Extras>
#include <kkeyserver.h>
#include <netwm.h>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <QX11Info>
#include <QtTest>
#include <xcb/shape.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include "platform/seethrough.h"
#include "testenv.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace x11test {

// The window manager the X11 tests run under: openbox, or the one ZV_TEST_WM
// names (fluxbox, icewm), each started with what keeps it to itself.
inline QStringList windowManagerCommand()
{
    const QString name = qEnvironmentVariable("ZV_TEST_WM", QStringLiteral("openbox"));
    if (name == QLatin1String("fluxbox"))
        return { name, QStringLiteral("-no-slit"), QStringLiteral("-no-toolbar") };
    if (name == QLatin1String("icewm"))
        return { name };
    return { QStringLiteral("openbox"), QStringLiteral("--sm-disable") };
}

// Xvfb on a display of its own choosing, and a window manager on it, with a
// home of its own: fluxbox keeps its files there, without a tool bar and
// without setting a wallpaper (which, failing, opens a window of its own).
struct PrivateX
{
    QProcess server, wm, compositor;
    QTemporaryDir wmHome;
    void prepareHome()
    {
        const QString dir = wmHome.path() + QStringLiteral("/.fluxbox");
        QDir().mkpath(dir);
        QFile init(dir + QStringLiteral("/init"));
        if (init.open(QIODevice::WriteOnly))
            init.write("session.screen0.toolbar.visible: false\n"
                       "session.screen0.workspaces: 4\n"
                       "session.styleOverlay: " + QFile::encodeName(dir) + "/overlay\n");
        QFile overlay(dir + QStringLiteral("/overlay"));
        if (overlay.open(QIODevice::WriteOnly))
            overlay.write("background: none\n");
    }
    bool start()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        QStringList wmCommand = windowManagerCommand();
        const QString wmProgram = QStandardPaths::findExecutable(wmCommand.takeFirst());
        if (xvfb.isEmpty() || wmProgram.isEmpty())
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
        prepareHome();
        env.insert(QStringLiteral("HOME"), wmHome.path());
        wm.setProcessEnvironment(env);
        wm.start(wmProgram, wmCommand);
        return wm.waitForStarted(5000);
    }
    // A compositing manager on the server as well (xcompmgr), for tests of
    // what translucent windows show; false without one.
    bool startCompositor()
    {
        const QString program = QStandardPaths::findExecutable(QStringLiteral("xcompmgr"));
        if (program.isEmpty())
            return false;
        compositor.setProcessEnvironment(wm.processEnvironment());
        compositor.start(program, QStringList());
        return compositor.waitForStarted(5000);
    }
    ~PrivateX()
    {
        for (QProcess *p : { &compositor, &wm, &server }) {
            if (p->state() != QProcess::NotRunning) {
                p->terminate();
                if (!p->waitForFinished(3000))
                    p->kill();
                p->waitForFinished(1000);
            }
        }
    }
};

inline xcb_atom_t atom(const char *name)
{
    xcb_connection_t *c = QX11Info::connection();
    auto *r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : XCB_NONE;
    free(r);
    return a;
}

inline QVector<quint32> xprop(QWidget *w, const char *name, xcb_atom_t type)
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

inline bool viewable(QWidget *w)
{
    xcb_connection_t *c = QX11Info::connection();
    auto *r = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, xcb_window_t(w->winId())), nullptr);
    const bool v = r && r->map_state == XCB_MAP_STATE_VIEWABLE;
    free(r);
    return v;
}

inline QRegion inputShape(xcb_window_t w)
{
    xcb_connection_t *c = QX11Info::connection();
    auto *r = xcb_shape_get_rectangles_reply(c, xcb_shape_get_rectangles(c, w, XCB_SHAPE_SK_INPUT), nullptr);
    QRegion region;
    if (r) {
        const xcb_rectangle_t *rects = xcb_shape_get_rectangles_rectangles(r);
        for (int i = 0; i < xcb_shape_get_rectangles_rectangles_length(r); ++i)
            region += QRect(rects[i].x, rects[i].y, rects[i].width, rects[i].height);
    }
    free(r);
    return region;
}

inline QRegion inputShape(QWidget *w) { return inputShape(xcb_window_t(w->winId())); }

inline quint32 rootProperty(const char *name)
{
    xcb_connection_t *c = QX11Info::connection();
    auto *r = xcb_get_property_reply(
        c, xcb_get_property(c, 0, QX11Info::appRootWindow(), atom(name), XCB_ATOM_WINDOW, 0, 1), nullptr);
    quint32 v = 0;
    if (r && xcb_get_property_value_length(r) >= 4)
        v = *static_cast<quint32 *>(xcb_get_property_value(r));
    free(r);
    return v;
}

// The window that has the keyboard, as the window manager says.
inline quint32 activeWindow() { return rootProperty("_NET_ACTIVE_WINDOW"); }

// The window right under the root that holds w: its frame, or w itself.
inline xcb_window_t topOf(xcb_window_t w)
{
    xcb_connection_t *c = QX11Info::connection();
    for (;;) {
        // A window that has just closed is asked about too: its error is ours.
        xcb_generic_error_t *error = nullptr;
        auto *r = xcb_query_tree_reply(c, xcb_query_tree(c, w), &error);
        free(error);
        if (!r)
            return w;
        const xcb_window_t parent = r->parent, root = r->root;
        free(r);
        if (parent == root || parent == XCB_NONE)
            return w;
        w = parent;
    }
}

// Where the window stands among the root's children, from the bottom.
inline int stackIndex(xcb_window_t w)
{
    xcb_connection_t *c = QX11Info::connection();
    auto *r = xcb_query_tree_reply(c, xcb_query_tree(c, QX11Info::appRootWindow()), nullptr);
    int at = -1;
    if (r) {
        const xcb_window_t *kids = xcb_query_tree_children(r);
        for (int i = 0; i < xcb_query_tree_children_length(r); ++i)
            if (kids[i] == w)
                at = i;
    }
    free(r);
    return at;
}

inline bool overrideRedirect(QWidget *w)
{
    xcb_connection_t *c = QX11Info::connection();
    auto *r = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, xcb_window_t(w->winId())), nullptr);
    const bool v = r && r->override_redirect;
    free(r);
    return v;
}

// A window the window manager leaves alone, in front of the bar's frame,
// which the pointer passes through.
inline void verifyUnframedAboveTheBar(QWidget *w, QWidget *dock)
{
    QVERIFY2(viewable(w), qPrintable(w->objectName()));
    QVERIFY2(overrideRedirect(w), qPrintable(w->objectName()));
    const xcb_window_t id = xcb_window_t(w->winId());
    QCOMPARE(topOf(id), id);
    QVERIFY2(stackIndex(id) > stackIndex(topOf(xcb_window_t(dock->winId()))), qPrintable(w->objectName()));
    QVERIFY(inputShape(w).isEmpty());
}

// The real pointer and buttons, as a hand moves them.
inline void pointerTo(const QPoint &p)
{
    xcb_connection_t *c = QX11Info::connection();
    xcb_test_fake_input(c, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, QX11Info::appRootWindow(), qint16(p.x()),
                        qint16(p.y()), 0);
    xcb_flush(c);
}

// The left button.
inline void button(bool down)
{
    xcb_connection_t *c = QX11Info::connection();
    xcb_test_fake_input(c, down ? XCB_BUTTON_PRESS : XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_flush(c);
}

inline void click(const QPoint &p)
{
    pointerTo(p);
    QTest::qWait(30);
    button(true);
    QTest::qWait(30);
    button(false);
}

// The pixels the X server keeps for a drawable in r, with their alpha where
// the drawable has one.
inline QImage drawablePixels(xcb_drawable_t d, const QRect &r)
{
    xcb_connection_t *c = QX11Info::connection();
    xcb_get_image_reply_t *reply = xcb_get_image_reply(
        c,
        xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, d, qint16(r.x()), qint16(r.y()), quint16(r.width()),
                      quint16(r.height()), ~0u),
        nullptr);
    if (!reply)
        return QImage();
    QImage out;
    if (xcb_get_image_data_length(reply) == r.width() * r.height() * 4)
        out = QImage(xcb_get_image_data(reply), r.width(), r.height(), r.width() * 4,
                     reply->depth == 32 ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32)
                  .copy();
    free(reply);
    return out;
}
// What the X server shows in r: the picture the user sees, every window and
// the compositing manager's work in it, not what a widget drew.
inline QImage screenPixels(const QRect &r)
{
    return drawablePixels(xcb_window_t(QX11Info::appRootWindow()), r);
}
// The window's own picture as the X server keeps it (all of it, or the part
// r in device pixels): what went out, moved pixels included, before any
// compositing with what lies beneath.
inline QImage windowPixels(QWidget *w, QRect r = QRect())
{
    const QRect all(QPoint(0, 0), w->size() * w->devicePixelRatioF());
    r = r.isNull() ? all : r & all;
    return r.isEmpty() ? QImage() : drawablePixels(xcb_window_t(w->winId()), r);
}
inline QRgb screenPixel(const QPoint &p)
{
    const QImage one = screenPixels(QRect(p, QSize(1, 1)));
    return one.isNull() ? 0 : one.pixel(0, 0) & 0xffffffu;
}

// The desktop in one colour, as a user's wallpaper would lie beneath the
// windows.
inline void paintDesktop(QRgb colour)
{
    xcb_connection_t *c = QX11Info::connection();
    const xcb_window_t root = xcb_window_t(QX11Info::appRootWindow());
    const uint32_t pixel = colour & 0xffffffu;
    xcb_change_window_attributes(c, root, XCB_CW_BACK_PIXEL, &pixel);
    xcb_clear_area(c, 0, root, 0, 0, 0, 0);
    // A compositing manager draws the desktop from the wallpaper's picture
    // that the root names: a tile of the colour, kept while the test runs.
    const xcb_pixmap_t tile = xcb_generate_id(c);
    xcb_create_pixmap(c, 24, tile, root, 1, 1);
    const xcb_gcontext_t gc = xcb_generate_id(c);
    xcb_create_gc(c, gc, tile, XCB_GC_FOREGROUND, &pixel);
    const xcb_rectangle_t one { 0, 0, 1, 1 };
    xcb_poly_fill_rectangle(c, tile, gc, 1, &one);
    xcb_free_gc(c, gc);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, root, atom("_XROOTPMAP_ID"), XCB_ATOM_PIXMAP, 32, 1, &tile);
    xcb_flush(c);
}

// The dock's icon `id` grown to its largest under the real pointer, over a
// bottom bar whose background rests at `rest` on the screen: where it then
// stands, or nothing if it did not grow.
template <class Dock>
QRect growUnderPointer(Dock &w, const QString &id, const QRect &rest)
{
    pointerTo(QPoint(w.bar()->iconRectOnScreen(id).center().x(), rest.center().y()));
    const bool grown = QTest::qWaitFor(
        [&] { return w.bar()->iconSize(id) == QSize(128, 128) && !w.bar()->isAnimating(); }, 5000);
    return grown ? w.bar()->iconRectOnScreen(id) : QRect();
}

// What is wrong with what the screen shows of the bar's see-through parts
// with an icon grown at `icon` over a bottom bar resting at `rest`: the
// icon's clear corner must show the desktop's colour, its middle its own,
// and nothing in the grown icons' band above the bar may be black, which is
// what the server shows of clear pixels it was not told are clear.
inline QString seeThroughProblem(const QRect &icon, const QRect &rest, QRgb desktop)
{
    const QRect band(rest.left(), icon.top(), rest.width(), rest.top() - icon.top());
    desktop &= 0xffffffu;
    const QRgb corner = screenPixel(icon.topLeft() + QPoint(2, 2));
    if (corner != desktop)
        return QStringLiteral("the icon's corner shows %1, not the desktop").arg(corner, 6, 16, QLatin1Char('0'));
    const QRgb middle = screenPixel(icon.center());
    if (middle == desktop || middle == 0)
        return QStringLiteral("the icon's middle shows %1").arg(middle, 6, 16, QLatin1Char('0'));
    const QImage seen = screenPixels(band);
    if (seen.isNull())
        return QStringLiteral("the screen could not be read");
    for (int y = 0; y < seen.height(); ++y)
        for (int x = 0; x < seen.width(); ++x)
            if ((seen.pixel(x, y) & 0xffffffu) == 0)
                return QStringLiteral("black at %1,%2").arg(band.x() + x).arg(band.y() + y);
    return QString();
}

// With ZV_SHOTS set to a folder, each case leaves a picture of the screen there.
inline void shot(const QString &name)
{
    const QString dir = qEnvironmentVariable("ZV_SHOTS");
    if (dir.isEmpty())
        return;
    QTest::qWait(50);
    QGuiApplication::primaryScreen()->grabWindow(0).save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// Another program's window, run from this test's own executable: it takes
// the keyboard when it opens and tells every press it receives.
struct OtherProgram
{
    QProcess process;
    quint32 id = 0;
    QStringList presses;

    explicit OtherProgram(const QRect &geometry)
    {
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QCoreApplication::applicationFilePath(),
                      { QStringLiteral("--other-window"), QString::number(geometry.x()), QString::number(geometry.y()),
                        QString::number(geometry.width()), QString::number(geometry.height()) });
        QElapsedTimer t;
        t.start();
        while (!id && t.elapsed() < 10000) {
            process.waitForReadyRead(100);
            read();
        }
    }
    ~OtherProgram()
    {
        process.kill();
        process.waitForFinished(3000);
    }
    void read()
    {
        while (process.canReadLine()) {
            const QString line = QString::fromLatin1(process.readLine()).trimmed();
            if (line.startsWith(QLatin1String("id ")))
                id = line.mid(3).toUInt();
            else
                presses << line;
        }
    }
    // Pressed at that point of the screen since the last look.
    bool pressedAt(const QPoint &p)
    {
        process.waitForReadyRead(50);
        read();
        return presses.contains(QStringLiteral("press %1 %2").arg(p.x()).arg(p.y()));
    }
    bool hasKeyboard() const { return id && activeWindow() == id; }
    // Where its window stands on the screen, as the window manager put it.
    QRect geometryOnScreen() const
    {
        xcb_connection_t *c = QX11Info::connection();
        auto *g = xcb_get_geometry_reply(c, xcb_get_geometry(c, id), nullptr);
        auto *t = xcb_translate_coordinates_reply(
            c, xcb_translate_coordinates(c, id, QX11Info::appRootWindow(), 0, 0), nullptr);
        const QRect r = g && t ? QRect(t->dst_x, t->dst_y, g->width, g->height) : QRect();
        free(g);
        free(t);
        return r;
    }
    bool isMapped() const
    {
        xcb_connection_t *c = QX11Info::connection();
        auto *r = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, id), nullptr);
        const bool v = r && r->map_state == XCB_MAP_STATE_VIEWABLE;
        free(r);
        return v;
    }
    void takeKeyboard() const { KX11Extras::forceActiveWindow(id); }
    void setState(NET::States state, NET::States mask) const
    {
        NETWinInfo info(QX11Info::connection(), id, QX11Info::appRootWindow(), NET::WMState, NET::Properties2());
        info.setState(state, mask);
        xcb_flush(QX11Info::connection());
    }
};

class OtherWindow : public QWidget
{
protected:
    void mousePressEvent(QMouseEvent *e) override
    {
        printf("press %d %d\n", e->globalPos().x(), e->globalPos().y());
        fflush(stdout);
    }
};

// Any button, as a hand presses it: 1 left, 3 right.
inline void clickWith(const QPoint &p, quint8 which)
{
    pointerTo(p);
    QTest::qWait(30);
    xcb_connection_t *c = QX11Info::connection();
    xcb_test_fake_input(c, XCB_BUTTON_PRESS, which, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_flush(c);
    QTest::qWait(30);
    xcb_test_fake_input(c, XCB_BUTTON_RELEASE, which, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_flush(c);
}

// A chord typed on the keyboard (Qt::ALT | Qt::Key_S): its modifier keys
// held while the key goes down and up. False when this keyboard lacks a key.
inline bool typeChord(int chord)
{
    xcb_connection_t *c = QX11Info::connection();
    int key = 0;
    uint mask = 0;
    if (!KKeyServer::keyQtToCodeX(chord & ~int(Qt::KeyboardModifierMask), &key) || key <= 0 || key > 255
        || !KKeyServer::keyQtToModX(chord & int(Qt::KeyboardModifierMask), &mask))
        return false;
    // The keys that give each modifier, as the server maps them.
    QVector<quint8> codes;
    auto *map = xcb_get_modifier_mapping_reply(c, xcb_get_modifier_mapping(c), nullptr);
    if (!map)
        return false;
    const xcb_keycode_t *mods = xcb_get_modifier_mapping_keycodes(map);
    for (int m = 0; m < 8; ++m) {
        if (!(mask & (1u << m)))
            continue;
        for (int k = 0; k < map->keycodes_per_modifier; ++k) {
            if (const xcb_keycode_t code = mods[m * map->keycodes_per_modifier + k]) {
                codes << code;
                break;
            }
        }
    }
    free(map);
    codes << quint8(key);
    for (quint8 code : codes)
        xcb_test_fake_input(c, XCB_KEY_PRESS, code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    for (int i = codes.size() - 1; i >= 0; --i)
        xcb_test_fake_input(c, XCB_KEY_RELEASE, codes[i], XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_flush(c);
    return true;
}

// Picks an entry of the next pop-up menu by hand: the pointer rests on each
// entry of `path` but the last until its sub-menu opens, and clicks the
// last. Runs from the event loop, since the menu runs its own.
inline void pickFromNextMenu(const QStringList &path)
{
    const auto find = [](QMenu *menu, const QString &text) -> QAction * {
        for (QAction *a : menu->actions())
            if (a->text().trimmed() == text)
                return a;
        return nullptr;
    };
    auto *timer = new QTimer;
    auto step = std::make_shared<int>(0);
    auto ticks = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, step, ticks, path, find] {
        if (++*ticks > 200) { // no such entry: give up, and let the test go on
            timer->deleteLater();
            timer->stop();
            while (QWidget *open = QApplication::activePopupWidget())
                open->close();
            return;
        }
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        // A sub-menu that has opened holds the next entry.
        while (*step + 1 < path.size() && find(menu, path.at(*step + 1)))
            ++*step;
        QAction *entry = find(menu, path.at(*step));
        if (!entry)
            return;
        const QPoint at = menu->mapToGlobal(menu->actionGeometry(entry).center());
        if (*step + 1 < path.size()) {
            // A menu takes a resting pointer for no move at all: it stirs.
            pointerTo(at + QPoint((*ticks % 2) * 4, 0));
            return;
        }
        timer->deleteLater();
        timer->stop();
        clickWith(at, 1);
    });
    timer->start(40);
}

inline int runOtherWindow(int argc, char *argv[])
{
    QApplication app(argc, argv);
    OtherWindow w;
    w.setWindowTitle(QStringLiteral("zv-other"));
    const QStringList a = app.arguments();
    w.setGeometry(a.value(2).toInt(), a.value(3).toInt(), a.value(4).toInt(), a.value(5).toInt());
    w.show();
    w.activateWindow();
    printf("id %u\n", unsigned(w.winId()));
    fflush(stdout);
    return app.exec();
}

// The whole main of an X11 test: another program's window when run as one,
// else the test on a private X server and window manager; without them it
// runs offscreen, and haveX tells the test to skip. With `composited` a
// compositing manager runs on the server too.
template <class Test>
int runX11Test(int argc, char *argv[], bool *haveX, bool composited = false)
{
    if (argc > 1 && qstrcmp(argv[1], "--other-window") == 0)
        return runOtherWindow(argc, argv);
    static TestEnv env;
    PrivateX x;
    *haveX = x.start() && (!composited || x.startCompositor());
    qputenv("QT_QPA_PLATFORM", *haveX ? "xcb" : "offscreen");
    qputenv("QT_XCB_GL_INTEGRATION", "none");
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    // As the programs do: what is clear stays clear without a compositor.
    platform::SeeThrough::ensure();
    Test tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

} // namespace x11test
