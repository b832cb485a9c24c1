// Where the dock takes the pointer, under a real X server and window manager:
// seeded random pointer paths over the bar on every edge (slow and quick
// rises onto the icons, jumps onto the bar, sweeps along it, exits sideways
// and upwards). After each path, with the icons grown and again at rest, the
// window's input shape read back from the X server is what the window draws
// (the picture it last put out), a click on a drawn icon opens that icon,
// and a click where nothing is drawn reaches the window placed beneath.
// An open icon menu takes the pointer only where its icons are drawn.
//
// ZV_POINTER_SOAK=<n> runs n paths on each edge (a few by default);
// ZV_POINTER_SEED=<s> starts the paths from another seed. A failure names
// the seed, the edge and the path. Runs on a private Xvfb with the window
// manager ZV_TEST_WM names (openbox by default); skipped without them.
#include "dock/menus/formmenuicon.h"
#include "testconfig.h"
#include "testenv.h"
#include "widgetfixture.h"
#include "x11harness.h"

#include <QBackingStore>
#include <QLabel>
#include <QCursor>

#include <random>

using namespace x11test;

namespace {

bool g_haveX = false;

DockIconRecord icon(const QString &id, const QString &cls = QStringLiteral("ICON"))
{
    return { id, QStringLiteral(":/image/icon/Finder.png"), id + "-name", cls, QStringLiteral("/opt/zv/") + id,
             QString() };
}

// What the window shows: its picture as it last went out, and the part of
// it that takes the pointer, compared. Drawn pixels must all take the
// pointer; a point that takes it lies within a few pixels of something drawn
// (an icon's picture stands five pixels inside its cell, with rounded corners).
QString shapeAgainstPicture(QWidget *w)
{
    const QRegion shape = inputShape(w);
    const QImage shown = windowPixels(w);
    const QImage *image = shown.isNull() ? nullptr : &shown;
    if (!image)
        return QStringLiteral("no picture of the window");
    const int W = image->width(), H = image->height();
    // Summed counts of drawn pixels, for "anything drawn near here".
    QVector<int> sums((W + 1) * (H + 1), 0);
    for (int y = 0; y < H; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image->constScanLine(y));
        int run = 0;
        for (int x = 0; x < W; ++x) {
            const bool drawn = qAlpha(line[x]) > 0;
            run += drawn;
            sums[(y + 1) * (W + 1) + x + 1] = sums[y * (W + 1) + x + 1] + run;
            if (drawn && !shape.contains(QPoint(x, y)))
                return QStringLiteral("drawn at %1,%2 but the pointer passes there").arg(x).arg(y);
        }
    }
    const auto drawnNear = [&](int x, int y) {
        const int R = 16;
        const int x0 = qMax(0, x - R), y0 = qMax(0, y - R), x1 = qMin(W, x + R + 1), y1 = qMin(H, y + R + 1);
        return sums[y1 * (W + 1) + x1] - sums[y0 * (W + 1) + x1] - sums[y1 * (W + 1) + x0] + sums[y0 * (W + 1) + x0] > 0;
    };
    for (const QRect &r : shape) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                if (!drawnNear(x, y))
                    return QStringLiteral("takes the pointer at %1,%2 where nothing is drawn (shape %3 rectangles)")
                        .arg(x)
                        .arg(y)
                        .arg(shape.rectCount());
            }
        }
    }
    return QString();
}

// Nothing the window draws within 12 pixels of a point.
bool nothingDrawnNear(QWidget *w, const QPoint &p)
{
    const QRect near(p - QPoint(12, 12), QSize(25, 25));
    const QImage shown = windowPixels(w, near);
    if (shown.isNull())
        return !QRect(QPoint(0, 0), w->size()).intersects(near);
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            if (qAlpha(shown.pixel(x, y)) > 0)
                return false;
        }
    }
    return true;
}

// Whether the X server gives the pointer at p (on the screen) to the window:
// its own shape holds p, and so does the frame a window manager put it in,
// which follows the window's shape in its own time.
bool takesPointerAt(QWidget *w, const QPoint &p)
{
    if (!inputShape(w).contains(p - w->pos()))
        return false;
    const xcb_window_t id = xcb_window_t(w->winId()), top = topOf(id);
    if (top == id)
        return true;
    xcb_connection_t *c = QX11Info::connection();
    auto *t = xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, top, QX11Info::appRootWindow(), 0, 0), nullptr);
    const QPoint at = t ? QPoint(t->dst_x, t->dst_y) : QPoint();
    free(t);
    return inputShape(top).contains(p - at);
}

} // namespace

class TestX11Pointer : public QObject, public WidgetFixture
{
    Q_OBJECT

    std::mt19937 rng;
    QStringList steps;
    int pick(int n) { return n <= 1 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(rng); }

    void useRealWindows()
    {
        wins.reset();
        screens.reset();
        active.reset();
    }
    static bool wmRunning() { return rootProperty("_NET_SUPPORTING_WM_CHECK") != 0; }

    // The bar at rest on the screen, and a point by its place along the bar
    // and its depth from the screen edge the bar stands on.
    struct Frame
    {
        int edge = 2;
        QRect rest; // the background at rest, on the screen
        bool horizontal() const { return edge == 0 || edge == 2; }
        QPoint at(int along, int depth) const
        {
            switch (edge) {
            case 0: return QPoint(along, rest.top() + depth);
            case 1: return QPoint(rest.right() - depth, along);
            case 3: return QPoint(rest.left() + depth, along);
            default: return QPoint(along, rest.bottom() - depth);
            }
        }
    };
    static QRect restOnScreen(Widget &w)
    {
        QWidget *bg = frame(w, "frameBackground");
        return QRect(frame(w, "main")->mapToGlobal(bg->pos()), bg->size());
    }
    // The middle of an icon along the bar, as it stands now.
    static int alongOf(Widget &w, const Frame &f, const QString &id)
    {
        const QRect r = w.bar()->iconRectOnScreen(id);
        return f.horizontal() ? r.center().x() : r.center().y();
    }
    void go(const QPoint &p)
    {
        pointerTo(p);
        QTest::qWait(20); // the hand's pace, not a wait for the dock
    }
    void glide(const QPoint &from, const QPoint &to, int count)
    {
        for (int i = 1; i <= count; ++i)
            go(from + (to - from) * i / count);
    }

    // One random path; true when it ends on an icon.
    bool walk(Widget &w, const Frame &f, QString *what)
    {
        const QStringList ids = w.bar()->ids();
        const QString id = ids.at(pick(ids.size()));
        const int along = alongOf(w, f, id) + pick(41) - 20;
        const int M = int(w.barLayout()->now().magnified);
        switch (pick(6)) {
        case 0: // rest near the edge until grown, then straight up inside it, slowly
        case 1: { // or quickly
            const bool slow = pick(2) == 0;
            *what = QStringLiteral("%1 rise on %2 at %3").arg(slow ? "slow" : "quick", id).arg(along);
            go(f.at(along, 3));
            if (!QTest::qWaitFor([&w] { return !w.bar()->hoveredId().isEmpty() && !w.bar()->isAnimating(); }, 3000))
                *what += QStringLiteral(" (it did not grow)");
            glide(f.at(along, 3), f.at(along, 73), slow ? 20 : 3);
            return true;
        }
        case 2: { // a jump onto the bar from far away
            const int depth = 3 + pick(55);
            *what = QStringLiteral("jump onto %1 at %2, %3 deep").arg(id).arg(along).arg(depth);
            go(QPoint(960, 540));
            go(f.at(along, depth));
            return true;
        }
        case 3: { // along the bar at some depth among the grown icons
            const int depth = 3 + pick(M - 15);
            const int to = alongOf(w, f, ids.at(pick(ids.size())));
            *what = QStringLiteral("along from %1 to %2 at %3 deep").arg(along).arg(to).arg(depth);
            go(f.at(along, 3));
            glide(f.at(along, 3), f.at(along, depth), 4);
            glide(f.at(along, depth), f.at(to, depth), 4 + pick(12));
            return true;
        }
        case 4: { // sideways off the row's end, up among the grown icons
            const int depth = 20 + pick(M - 30);
            const int beyond = f.horizontal() ? (pick(2) ? f.rest.right() + 250 : f.rest.left() - 250)
                                              : (pick(2) ? f.rest.bottom() + 250 : f.rest.top() - 250);
            *what = QStringLiteral("sideways off from %1 at %2 deep").arg(along).arg(depth);
            go(f.at(along, 3));
            glide(f.at(along, 3), f.at(along, depth), 3);
            glide(f.at(along, depth), f.at(beyond, depth), 10 + pick(10));
            return false;
        }
        default: { // straight up off the bar
            *what = QStringLiteral("up off the bar from %1").arg(along);
            go(f.at(along, 3));
            glide(f.at(along, 3), f.at(along, M + 80), 4 + pick(16));
            return false;
        }
        }
    }

    // The shape is what is drawn, once the icons stand still.
    void checkShape(Widget &w, const QString &when)
    {
        QTRY_VERIFY_WITH_TIMEOUT(!w.bar()->isAnimating(), 3000);
        QString problem;
        QTRY_VERIFY2_WITH_TIMEOUT((problem = shapeAgainstPicture(&w)).isEmpty(),
                                  qPrintable(when + ": " + problem), 2000);
    }

    // A click on the icon under the pointer opens that icon, and the bar
    // holds it.
    void checkClickOpens(Widget &w, const QString &when)
    {
        const QPoint p = QCursor::pos();
        const QString id = w.bar()->iconAt(w.bar()->mapFromGlobal(p));
        if (id.isEmpty())
            return; // between two icons, or on the background: nothing to open
        QTRY_VERIFY2_WITH_TIMEOUT(takesPointerAt(&w, p), qPrintable(when + ": the icon lets the pointer pass"), 2000);
        const int before = opener->paths.count(QStringLiteral("/opt/zv/") + id);
        button(true);
        QTest::qWait(30);
        button(false);
        QTRY_VERIFY2_WITH_TIMEOUT(opener->paths.count(QStringLiteral("/opt/zv/") + id) == before + 1,
                                  qPrintable(when + ": a click on " + id + " did not open it"), 2000);
    }

    // A click where nothing is drawn, off the bar's reach, reaches the
    // window beneath; the bar goes back to rest.
    void checkClickPasses(Widget &w, const Frame &f, OtherProgram &other, const QString &when)
    {
        QPoint p;
        for (int tries = 0; tries < 200; ++tries) {
            const QPoint c = f.at(f.horizontal() ? f.rest.left() - 200 + pick(f.rest.width() + 400)
                                                 : f.rest.top() - 200 + pick(f.rest.height() + 400),
                                  12 + pick(260));
            if (other.geometryOnScreen().adjusted(20, 20, -20, -20).contains(c) && nothingDrawnNear(&w, c - w.pos())
                && !w.barLayout()->reach(c)) {
                p = c;
                break;
            }
        }
        if (p.isNull())
            return;
        go(p);
        QTRY_VERIFY_WITH_TIMEOUT(w.bar()->isAtRest(), 3000);
        checkShape(w, when + ", at rest");
        if (!nothingDrawnNear(&w, p - w.pos()))
            return;
        button(true);
        QTest::qWait(30);
        button(false);
        QTRY_VERIFY2_WITH_TIMEOUT(other.pressedAt(p),
                                  qPrintable(when + QStringLiteral(": a click at %1,%2 did not reach the window beneath")
                                                        .arg(p.x()).arg(p.y())), 3000);
    }

private slots:
    void initTestCase()
    {
        if (!g_haveX)
            QSKIP("Xvfb, the window manager or xcompmgr is not installed");
        QTRY_VERIFY_WITH_TIMEOUT(wmRunning(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(KX11Extras::compositingActive(), 10000);
    }
    void cleanup()
    {
        tearDownFakes();
        QCursor::setPos(960, 540);
        TestConfig::reset();
    }

    void pathsOverTheBar_data()
    {
        QTest::addColumn<int>("edge");
        QTest::newRow("bottom") << 2;
        QTest::newRow("top") << 0;
        QTest::newRow("left") << 3;
        QTest::newRow("right") << 1;
    }
    void pathsOverTheBar()
    {
        QFETCH(int, edge);
        const int paths = qMax(3, qEnvironmentVariableIntValue("ZV_POINTER_SOAK"));
        const quint32 seed = quint32(qEnvironmentVariableIsSet("ZV_POINTER_SEED")
                                         ? qEnvironmentVariableIntValue("ZV_POINTER_SEED")
                                         : 20261209);
        rng.seed(seed * 7919u + quint32(edge));
        setUpFakes();
        useRealWindows();
        QList<DockIconRecord> rows;
        const int n = 5 + pick(6);
        for (int i = 0; i < n; ++i)
            rows << icon(QStringLiteral("i%1").arg(i));
        writeDock(rows);
        setting("System/Location", edge);
        // Another program's window beneath the bar and around it.
        OtherProgram other(QRect(0, 0, 1920, 1080));
        QTRY_VERIFY(other.id && other.isMapped());
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        Frame f { edge, restOnScreen(w) };
        checkShape(w, QStringLiteral("at the start"));
        for (int k = 0; k < paths; ++k) {
            QString what;
            const bool onIcon = walk(w, f, &what);
            const QString when = QStringLiteral("seed %1, edge %2, path %3 (%4)").arg(seed).arg(edge).arg(k).arg(what);
            QVERIFY2(!what.endsWith(QStringLiteral("(it did not grow)")), qPrintable(when));
            checkShape(w, when);
            if (onIcon)
                checkClickOpens(w, when);
            checkClickPasses(w, f, other, when);
            if (QTest::currentTestFailed())
                return;
        }
        shot(QStringLiteral("pointer-paths-%1").arg(edge));
    }

    // With a compositing manager the clear parts of the bar show the
    // desktop too, in the server's own picture of the screen.
    void clearPartsShowTheDesktop()
    {
        setUpFakes();
        useRealWindows();
        writeDock({ icon("a"), icon("b"), icon("c") });
        const QRgb desktop = qRgb(0x3a, 0x6e, 0xa5);
        paintDesktop(desktop);
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        const QRect rest = restOnScreen(w);
        const QRect c = growUnderPointer(w, "c", rest);
        QVERIFY(!c.isEmpty());
        QString problem;
        QTRY_VERIFY2((problem = seeThroughProblem(c, rest, desktop)).isEmpty(), qPrintable(problem));
        shot("see-through-composited");
    }

    // An open icon menu takes the pointer where its icons are drawn: a click
    // on an icon's picture opens it, one on the clear part of its strip
    // reaches the window beneath.
    void anOpenMenuTakesThePointerWhereItIsDrawn()
    {
        setUpFakes();
        useRealWindows();
        writeDock({ icon("a"), icon("ico1001", QStringLiteral("MENU")), icon("b") });
        DockFile::write(FormMenu::menuFilePath("ico1001"), { FormMenu::backRow(), icon("in1"), icon("in2") });
        OtherProgram other(QRect(0, 0, 1920, 1080));
        QTRY_VERIFY(other.id && other.isMapped());
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        const QPoint onMenuIcon = w.bar()->iconRectOnScreen("ico1001").center();
        go(onMenuIcon);
        QTRY_VERIFY(!w.bar()->isAnimating());
        button(true);
        QTest::qWait(30);
        button(false);
        FormMenu *m = w.menus()->menu("ico1001");
        QVERIFY(m);
        QTRY_VERIFY(m->isShown());
        FormMenuIcon *in1 = m->iconWidget("in1");
        QVERIFY(in1);
        QTRY_COMPARE(in1->pos(), in1->shownPoint());
        checkShape(w, QStringLiteral("menu open"));
        shot(QStringLiteral("pointer-menu"));
        // The clear part of the strip, beside the names.
        const QRect strip = m->screenRect();
        const QPoint clear(strip.left() + 30, strip.center().y());
        QVERIFY(other.geometryOnScreen().contains(clear));
        QVERIFY(nothingDrawnNear(&w, clear - w.pos()));
        QVERIFY(!inputShape(&w).contains(clear - w.pos()));
        go(clear);
        button(true);
        QTest::qWait(30);
        button(false);
        QTRY_VERIFY(other.pressedAt(clear));
        // The menu stays open meanwhile; an icon of it still opens.
        QVERIFY(m->isShown());
        const QPoint picture = in1->pictureFrame()->mapToGlobal(in1->pictureFrame()->rect().center());
        go(picture);
        button(true);
        QTest::qWait(30);
        button(false);
        QTRY_VERIFY(opener->paths.contains(QStringLiteral("/opt/zv/in1")));
    }

    // An icon dragged out of an open menu onto the bar and let go there
    // without a move: the icon grown under the pointer, the name in the
    // bubble and the click all name the icon drawn under the pointer.
    void aDropFromAMenuLeavesTheBarAgreeingWithItself()
    {
        setUpFakes();
        useRealWindows();
        writeDock({ icon("a"), icon("b"), icon("ico1001", QStringLiteral("MENU")), icon("c"), icon("d") });
        DockFile::write(FormMenu::menuFilePath("ico1001"), { FormMenu::backRow(), icon("in1"), icon("in2") });
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        FormMenu *m = w.menus()->menu("ico1001");
        QVERIFY(m);
        for (const QString &dropped : { QStringLiteral("in1"), QStringLiteral("in2") }) {
            // Open the menu with a click on its icon.
            go(w.bar()->iconRectOnScreen("ico1001").center());
            QTRY_VERIFY(w.bar()->hoveredId() == QLatin1String("ico1001") && !w.bar()->isAnimating());
            button(true);
            QTest::qWait(30);
            button(false);
            QTRY_VERIFY(m->isShown());
            FormMenuIcon *in = m->iconWidget(dropped);
            QVERIFY(in);
            QTRY_COMPARE(in->pos(), in->shownPoint());
            // A long press on the menu's icon, then down out of the menu
            // onto the bar, between b and the menu's own icon.
            const QPoint from = in->pictureFrame()->mapToGlobal(in->pictureFrame()->rect().center());
            go(from);
            button(true);
            QTest::qWait(650); // held until it comes loose
            const QRect b = w.bar()->iconRectOnScreen("b");
            const QPoint to(b.right() - 6, b.bottom() - 20);
            glide(from, to, 12);
            QTRY_COMPARE(m->dragState(), FormMenu::DragState::HandedOver);
            QTest::qWait(100);
            button(false);
            const auto landed = [&w, dropped] {
                for (const DockIconRecord &r : w.iconTable()->rows())
                    if (r.Path == QStringLiteral("/opt/zv/") + dropped)
                        return r.IconID;
                return QString();
            };
            QTRY_VERIFY(!landed().isEmpty());
            QTRY_VERIFY(m->dragState() == FormMenu::DragState::Idle);
            QTRY_VERIFY_WITH_TIMEOUT(!w.bar()->isAnimating(), 3000);
            QTest::qWait(200);
            QTRY_VERIFY_WITH_TIMEOUT(!w.bar()->isAnimating(), 3000);
            const QPoint p = QCursor::pos();
            const QString under = w.bar()->iconAt(w.bar()->mapFromGlobal(p));
            const QString when = QStringLiteral("after dropping %1 at %2,%3").arg(dropped).arg(p.x()).arg(p.y());
            QVERIFY2(!under.isEmpty(), qPrintable(when + ": no icon under the pointer"));
            const DockIconRecord row = w.iconTable()->record(w.iconTable()->indexOfId(under));
            const QString hovered = w.bar()->hoveredId();
            if (hovered.isEmpty()) {
                // Nothing hovered yet: the bar at rest, no name shown.
                QVERIFY2(w.bar()->isAtRest(), qPrintable(when + ": icons grown with none hovered"));
                QVERIFY2(!w.tips()->bubble()->isVisible(), qPrintable(when + ": a bubble with none hovered"));
            } else {
                QVERIFY2(hovered == under, qPrintable(when + ": " + hovered + " hovered, " + under + " under the pointer"));
                // The icon under the pointer is the one grown the most.
                for (const QString &id : w.bar()->ids())
                    QVERIFY2(w.bar()->iconSize(id).height() <= w.bar()->iconSize(under).height(),
                             qPrintable(when + ": " + id + " stands taller than " + under));
                QVERIFY2(w.bar()->iconSize(under).height() > int(w.barLayout()->now().size),
                         qPrintable(when + ": " + under + " hovered but not grown"));
                if (w.tips()->bubble()->isVisible())
                    QCOMPARE(w.tips()->bubble()->nameLabel()->text(), row.Name);
            }
            shot(QStringLiteral("menu-drop-%1").arg(dropped));
            const int before = opener->paths.size();
            button(true);
            QTest::qWait(30);
            button(false);
            QTRY_VERIFY2(opener->paths.size() == before + 1, qPrintable(when + ": the click opened nothing"));
            QVERIFY2(opener->paths.last() == row.Path, qPrintable(when + ": the click opened " + opener->paths.last()));
            go(QPoint(960, 300));
            QTRY_VERIFY(w.bar()->isAtRest());
        }
    }
};

int main(int argc, char *argv[])
{
    // As on the desktop the dock was tried on: with a compositing manager,
    // the clear parts of the window are clear, not cut away.
    return runX11Test<TestX11Pointer>(argc, argv, &g_haveX, true);
}

#include "tst_x11pointer.moc"
