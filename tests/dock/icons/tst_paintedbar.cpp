// The painted bar alone: its icons follow the icon table, the row's layout
// on each edge, the magnification around the pointer, animations that stop
// at their target, the pointer's click, long press and drag, and the two
// clocks as they show.
#include "dock/icons/barcurves.h"
#include "dock/icons/barpointer.h"
#include "dock/icons/dockbar.h"
#include "dock/icons/formtimingflash.h"
#include "dock/icons/longpress.h"
#include "dock/model/dockiconlist.h"
#include "fakeplatform.h"
#include "seen.h"
#include "testenv.h"

#include <QBackingStore>
#include <QLabel>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>
#include <numeric>

namespace {

DockIconRecord row(const QString &id, const QString &cl = "ICON")
{
    return { id, ":/image/icon/Finder.png", id + "-name", cl, "/usr/bin/" + id, "" };
}

// Two pictures alike but for rounding: a picture drawn in parts may blend
// the edge of a scaled face one step differently from one drawn whole.
bool alike(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y) {
        const auto *p = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const auto *q = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            if (qAbs(qRed(p[x]) - qRed(q[x])) > 2 || qAbs(qGreen(p[x]) - qGreen(q[x])) > 2
                || qAbs(qBlue(p[x]) - qBlue(q[x])) > 2 || qAbs(qAlpha(p[x]) - qAlpha(q[x])) > 2)
                return false;
        }
    }
    return true;
}

// How many rectangles each repaint of a widget had.
struct PaintRegions : QObject
{
    QVector<int> rects;
    QRegion painted;
    bool counting = true;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint && counting) {
            const QRegion r = static_cast<QPaintEvent *>(e)->region();
            rects << r.rectCount();
            painted += r;
        }
        return false;
    }
};

// The seconds ring's red.
bool ringRed(const QColor &c)
{
    return c.alpha() > 150 && c.red() > 200 && c.green() < 120 && c.blue() < 150;
}

} // namespace

class TestPaintedBar : public QObject
{
    Q_OBJECT

    // A bar of `ids` (a "-" makes a spacer) on `edge`, shown and laid out.
    struct Fixture
    {
        DockIconList rows;
        DockBar bar;
        Fixture(const QStringList &ids, int edge = 2) : Fixture(rowsOf(ids), edge, 64) {}
        Fixture(const QList<DockIconRecord> &list, int edge, float normal)
        {
            rows.setRows(list);
            bar.setEdge(edge);
            bar.setIconSizes(128, normal);
            bar.setModel(&rows);
            bar.setGeometry(0, 0, 1000, 160);
            bar.setStripRect(QRect(10, 25, 900, 128));
            bar.layoutRow();
            bar.show();
        }
        static QList<DockIconRecord> rowsOf(const QStringList &ids)
        {
            QList<DockIconRecord> list;
            for (const QString &id : ids)
                list << (id.startsWith('-') ? row(id, "BLANK") : row(id));
            return list;
        }
        QPoint at(const QString &id, int dx = 20, int dy = 40) { return bar.iconRect(id).topLeft() + QPoint(dx, dy); }
        LongPress *press() const { return bar.pointer()->longPress(); }
        // A mouse event straight to the bar, with the buttons held after it.
        void send(QEvent::Type type, const QPoint &p, Qt::MouseButton b, Qt::MouseButtons held)
        {
            QMouseEvent e(type, p, bar.mapToGlobal(p), b, held, Qt::NoModifier);
            QApplication::sendEvent(&bar, &e);
        }
        // The pointer's picture: the icon's face, where it shows, has colour.
        bool faceShows(const QString &id)
        {
            const QImage img = bar.grab().toImage();
            return qAlpha(img.pixel(bar.pictureRect(id).center())) > 0;
        }
        int pictureOffset(const QString &id) const
        {
            return bar.pictureRect(id).y() - bar.iconRect(id).y();
        }
        // What the icon shows, in the icon's own square.
        QImage face(const QString &id) { return Seen::plain(bar.grab(bar.pictureRect(id)).toImage()); }
    };

    // The two clock kinds side by side on a bar, each face 100 pixels
    // square, at the time the clock gives.
    struct Clocks : Fixture
    {
        Clocks() : Fixture({ row("one", "TIME1"), row("two", "TIME2") }, 2, 110) {}
    };
    // What each kind shows at `t`: the kind of TIME1, then that of TIME2.
    static QPair<QImage, QImage> clocksAt(const QDateTime &t)
    {
        FakeClock clock(t);
        Clocks c;
        return { c.face("one"), c.face("two") };
    }

private slots:
    void iconsFollowTheTable()
    {
        Fixture f({ "a", "b", "c" });
        QSignalSpy changed(&f.bar, &DockBar::rowsChanged);
        QCOMPARE(f.bar.ids(), QStringList({ "a", "b", "c" }));
        f.bar.setSize("b", 100);
        f.rows.move(1, 0);
        // A moved row keeps its icon and its size.
        QCOMPARE(f.bar.ids(), QStringList({ "b", "a", "c" }));
        QCOMPARE(f.bar.iconSize("b"), QSize(100, 100));
        f.rows.removeAt(0);
        QVERIFY(!f.bar.contains("b"));
        f.rows.insert(1, row("d"));
        QCOMPARE(f.bar.ids(), QStringList({ "a", "d", "c" }));
        QCOMPARE(f.bar.iconSize("d"), QSize(64, 64));
        QCOMPARE(changed.count(), 3);
        // A row with the ID "plus" is there but hidden and takes no room.
        f.rows.append(row("plus"));
        QVERIFY(f.bar.isIconHidden("plus"));
        QCOMPARE(f.bar.layoutRow(), QSize(3 * 64, 3 * 64));
    }

    void theRowOnEachEdge_data()
    {
        QTest::addColumn<int>("edge");
        QTest::addColumn<QPoint>("second");
        QTest::addColumn<QSize>("spacer");
        QTest::newRow("top") << 0 << QPoint(64, 0) << QSize(25, 64);
        QTest::newRow("right") << 1 << QPoint(128 - 64, 64) << QSize(64, 25);
        QTest::newRow("bottom") << 2 << QPoint(64, 128 - 64) << QSize(25, 64);
        QTest::newRow("left") << 3 << QPoint(0, 64) << QSize(64, 25);
    }
    void theRowOnEachEdge()
    {
        QFETCH(int, edge);
        QFETCH(QPoint, second);
        QFETCH(QSize, spacer);
        Fixture f({ "a", "b", "-s" }, edge);
        QCOMPARE(f.bar.iconPos("b"), second);
        QCOMPARE(f.bar.iconSize("-s"), spacer);
        QCOMPARE(f.bar.restLength(), 2 * 64 + 25);
        // The spacer turns its picture with the bar.
        QCOMPARE(f.bar.picturePath("-s"), QString(edge == 0 || edge == 2 ? ":/image/icon/Blank0.png"
                                                                         : ":/image/icon/Blank1.png"));
    }

    void magnificationAroundThePointer()
    {
        Fixture f({ "a", "b", "c", "d", "e", "f" });
        f.bar.setSize("f", 100); // left magnified by an earlier hover
        f.bar.magnify("c", 32);
        QCOMPARE(f.bar.iconSize("b"), QSize(112, 112));
        QCOMPARE(f.bar.iconSize("d"), QSize(80, 80));
        // Three rows away and more: back to rest, animated.
        QVERIFY(f.bar.isAnimating());
        QTRY_COMPARE(f.bar.iconSize("f"), QSize(64, 64));
        QTRY_VERIFY(!f.bar.isAnimating());
        // Frozen (a menu is open): nothing changes size.
        f.bar.setFrozen(true);
        f.bar.magnify("c", 0);
        QCOMPARE(f.bar.iconSize("b"), QSize(112, 112));
        f.bar.setFrozen(false);
        f.bar.restoreAll();
        QTRY_VERIFY(f.bar.isAtRest());
        // An icon already at rest starts no animation.
        f.bar.restoreSize("a");
        QVERIFY(!f.bar.isAnimating());
    }

    void hoverGrowsTheIconUnderThePointer()
    {
        Fixture f({ "a", "b", "c" });
        QSignalSpy moved(&f.bar, &DockBar::IconMouseMove);
        QTest::mouseMove(&f.bar, f.at("b", 20, 40));
        QCOMPARE(f.bar.hoveredId(), QString("b"));
        QVERIFY(f.bar.isMouseIn("b"));
        QCOMPARE(moved.count(), 1);
        QCOMPARE(moved.first().at(0).toString(), QString("b"));
        QCOMPARE(moved.first().at(1).toPoint(), QPoint(20, 40));
        QVERIFY(!f.bar.isAtRest());
        QTRY_COMPARE(f.bar.iconSize("b"), QSize(128, 128));
        // Off every icon: it shrinks back.
        QTest::mouseMove(&f.bar, QPoint(995, 5));
        QVERIFY(!f.bar.isMouseIn("b"));
        QTRY_COMPARE(f.bar.iconSize("b"), QSize(64, 64));
    }

    // A pointer that jumps onto the bar brings the window system's enter
    // there, and maybe no move (none at all where the last move the bar saw
    // stood at the same place): the enter alone wakes the icon under it.
    void anEnterAloneHoversTheIconUnderIt()
    {
        Fixture f({ "a", "b", "c" });
        QSignalSpy moved(&f.bar, &DockBar::IconMouseMove);
        const QPoint p = f.at("c", 30, 50);
        QEnterEvent enter(p, p, f.bar.mapToGlobal(p));
        QApplication::sendEvent(&f.bar, &enter);
        QCOMPARE(f.bar.hoveredId(), QString("c"));
        QCOMPARE(moved.count(), 1);
        QCOMPARE(moved.first().at(1).toPoint(), QPoint(30, 50));
        QTRY_COMPARE(f.bar.iconSize("c"), QSize(128, 128));
    }

    void clickOpensLongPressDrags()
    {
        Fixture f({ "a", "b", "-s" });
        QSignalSpy opened(&f.bar, &DockBar::IconOpen);
        QSignalSpy pressMoved(&f.bar, &DockBar::IconPressMove);
        QSignalSpy released(&f.bar, &DockBar::IconPressRelease);
        QTest::mouseClick(&f.bar, Qt::LeftButton, Qt::NoModifier, f.at("a"));
        QCOMPARE(opened.count(), 1);
        QCOMPARE(opened.first().at(0).toString(), QString("a"));
        // A spacer never opens.
        QTest::mouseClick(&f.bar, Qt::LeftButton, Qt::NoModifier, f.at("-s", 5));
        QCOMPARE(opened.count(), 1);
        // Held for half a second: a drag. Its row may leave the bar (the
        // owner lifts it) and the press still ends with its release.
        const QPoint p = f.at("b");
        QTest::mousePress(&f.bar, Qt::LeftButton, Qt::NoModifier, p);
        QTRY_COMPARE(f.bar.cursor().shape(), Qt::ClosedHandCursor);
        // The held button keeps the moves with the bar, wherever the pointer goes.
        auto heldMove = [&f](const QPoint &to) {
            QMouseEvent e(QEvent::MouseMove, to, f.bar.mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&f.bar, &e);
        };
        heldMove(p + QPoint(5, 0));
        QCOMPARE(pressMoved.count(), 1);
        f.rows.removeAt(1);
        heldMove(p + QPoint(8, -300));
        QCOMPARE(pressMoved.count(), 2);
        QCOMPARE(pressMoved.last().at(0).toString(), QString("b"));
        QTest::mouseRelease(&f.bar, Qt::LeftButton, Qt::NoModifier, p + QPoint(8, -300));
        QCOMPARE(released.count(), 1);
        QCOMPARE(opened.count(), 1);
    }

    // The pointer's ways through a press, each a row of steps and the
    // signals they give: "L+"/"L-" left press and release, "R+"/"R-" the
    // right button, "hold" the hold time run out, "m" a move with the buttons
    // held, "m0" a move that comes without them (the release went elsewhere),
    // "esc", "hide" the bar hidden.
    void waysThroughAPress_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("expected");
        QTest::newRow("click") << "L+ L-" << "open";
        QTest::newRow("moved click") << "L+ m L-" << "open";
        QTest::newRow("held, let go") << "L+ hold L-" << "drop";
        QTest::newRow("drag") << "L+ hold m m L-" << "move move drop";
        QTest::newRow("right click in a drag") << "L+ hold m R+ R- L-" << "move cancel";
        QTest::newRow("right press, left let go first") << "L+ hold m R+ L- R-" << "move cancel";
        QTest::newRow("right press before the hold") << "L+ R+ R- L-" << "";
        QTest::newRow("left press with the right held") << "R+ L+ hold m L- R-" << "";
        QTest::newRow("Esc") << "L+ hold m esc L-" << "move cancel";
        QTest::newRow("Esc before the hold") << "L+ esc L-" << "open";
        QTest::newRow("bar hidden") << "L+ hold m hide L-" << "move cancel";
        QTest::newRow("release lost") << "L+ hold m m0" << "move cancel";
        QTest::newRow("release lost, then a click") << "L+ hold m m0 L+ L-" << "move cancel open";
        QTest::newRow("after a cut-short drag, a new drag") << "L+ hold m esc L- L+ hold m L-" << "move cancel move drop";
    }
    void waysThroughAPress()
    {
        QFETCH(QString, steps);
        QFETCH(QString, expected);
        Fixture f({ "a", "b", "c" });
        QStringList got;
        connect(&f.bar, &DockBar::IconOpen, this, [&](const QString &id) { got << "open"; QCOMPARE(id, QString("b")); });
        connect(&f.bar, &DockBar::IconPressMove, this, [&] { got << "move"; });
        connect(&f.bar, &DockBar::IconPressRelease, this, [&] { got << "drop"; });
        connect(&f.bar, &DockBar::IconPressCancel, this, [&](const QString &id) { got << "cancel"; QCOMPARE(id, QString("b")); });
        connect(&f.bar, &DockBar::IconMenu, this, [&] { got << "menu"; });
        const QPoint p = f.at("b");
        Qt::MouseButtons held;
        for (const QString &step : steps.split(' ')) {
            const Qt::MouseButton b = step.startsWith('L') ? Qt::LeftButton : Qt::RightButton;
            if (step.endsWith('+')) {
                held |= b;
                f.send(QEvent::MouseButtonPress, p, b, held);
            } else if (step.endsWith('-')) {
                held &= ~b;
                f.send(QEvent::MouseButtonRelease, p, b, held);
            } else if (step == "hold") {
                f.press()->hold();
            } else if (step == "m") {
                f.send(QEvent::MouseMove, p + QPoint(3, -2), Qt::NoButton, held);
            } else if (step == "m0") {
                held = Qt::NoButton;
                f.send(QEvent::MouseMove, p + QPoint(4, -2), Qt::NoButton, held);
            } else if (step == "esc") {
                QKeyEvent e(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(&f.bar, &e);
            } else if (step == "hide") {
                f.bar.hide();
            }
        }
        QCOMPARE(got.join(QLatin1Char(0x20)), expected);
        QVERIFY(f.bar.pointer()->isIdle());
        QVERIFY(f.press()->isIdle() && !f.press()->isSpent());
        QVERIFY(!f.press()->holdTimer()->isActive() && !f.press()->ringTimer()->isActive());
        QVERIFY(!f.press()->ring()->isVisible());
        QCOMPARE(f.bar.cursor().shape(), Qt::ArrowCursor);
        QVERIFY(QWidget::keyboardGrabber() != &f.bar);
    }

    // The ring beside the pointer: shown at the 200th tick of the held
    // button, filling up to the 500th, hidden after; a press let go before
    // the 200th never shows it.
    void theLongPressRingsTiming()
    {
        Fixture f({ "a" });
        LongPress *press = f.press();
        f.send(QEvent::MouseButtonPress, f.at("a"), Qt::LeftButton, Qt::LeftButton);
        QVERIFY(press->holdTimer()->isActive() && press->holdTimer()->isSingleShot());
        QCOMPARE(press->holdTimer()->interval(), 500);
        QCOMPARE(press->ringTimer()->interval(), 1);
        for (int i = 0; i < 200; ++i)
            press->ringTick();
        QVERIFY(!press->ring()->isVisible());
        press->ringTick(); // tick 200
        QVERIFY(press->ring()->isVisible());
        QCOMPARE(press->ring()->pos(), QCursor::pos() - QPoint(15, 15));
        QCOMPARE(press->ring()->value(), 0.0);
        press->ringTick(); // 201
        QCOMPARE(press->ring()->value(), 201.0);
        while (press->ringTicks() <= 500)
            press->ringTick();
        QCOMPARE(press->ring()->value(), 500.0);
        QVERIFY(press->ring()->isVisible());
        press->ringTick(); // 501: full, away
        QVERIFY(!press->ring()->isVisible());
        QVERIFY(!press->ringTimer()->isActive());
        QCOMPARE(press->state(), LongPress::State::Pressed); // the hold timer decides, not the ring
        f.send(QEvent::MouseButtonRelease, f.at("a"), Qt::LeftButton, Qt::NoButton);
        // Let go before tick 200: no ring.
        f.send(QEvent::MouseButtonPress, f.at("a"), Qt::LeftButton, Qt::LeftButton);
        for (int i = 0; i < 199; ++i)
            press->ringTick();
        f.send(QEvent::MouseButtonRelease, f.at("a"), Qt::LeftButton, Qt::NoButton);
        QVERIFY(!press->ring()->isVisible() && !press->ringTimer()->isActive());
        // Let go while it shows: it goes with the release.
        f.send(QEvent::MouseButtonPress, f.at("a"), Qt::LeftButton, Qt::LeftButton);
        for (int i = 0; i < 300; ++i)
            press->ringTick();
        QVERIFY(press->ring()->isVisible());
        f.send(QEvent::MouseButtonRelease, f.at("a"), Qt::LeftButton, Qt::NoButton);
        QVERIFY(!press->ring()->isVisible());
    }

    // The side a held pointer leaves its icon by, each side on its own (one
    // move may leave by two); a frozen bar drags nothing but still tells.
    void theSideAnIconIsLeftBy()
    {
        Fixture f({ "a", "b", "c" });
        QSignalSpy side(&f.bar, &DockBar::MousePosition), dragged(&f.bar, &DockBar::IconPressMove);
        const QRect b = f.bar.iconRect("b");
        f.send(QEvent::MouseButtonPress, b.center(), Qt::LeftButton, Qt::LeftButton);
        // Pressed, not loose: the sides are told already.
        f.send(QEvent::MouseMove, b.topLeft() + QPoint(-3, -4), Qt::NoButton, Qt::LeftButton);
        f.press()->hold();
        f.bar.setFrozen(true);
        for (const QPoint &p : { b.bottomRight() + QPoint(6, 6), b.topLeft() + QPoint(b.width(), b.height()),
                                 b.topLeft() + QPoint(b.width() / 2, -1) })
            f.send(QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton);
        QList<int> sides;
        for (const QList<QVariant> &s : side)
            sides << s.first().toInt();
        // Above and left; right and below; on the far corner: inside; above.
        QCOMPARE(sides, (QList<int>{ 0, 3, 1, 2, 0 }));
        QCOMPARE(dragged.count(), 0);
        f.bar.setFrozen(false);
        f.send(QEvent::MouseMove, b.center() + QPoint(0, -100), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(dragged.count(), 1);
        QCOMPARE(side.last().first().toInt(), 0);
        f.send(QEvent::MouseButtonRelease, b.center(), Qt::LeftButton, Qt::NoButton);
        // Hovering without a button tells no side.
        side.clear();
        f.send(QEvent::MouseMove, b.topLeft() + QPoint(-3, -4), Qt::NoButton, Qt::NoButton);
        QCOMPARE(side.count(), 0);
    }

    // The jump of an opened icon: up to the top, down twice, at rest 5
    // pixels down after 700 ms; menu icons and the quiet click style do not jump.
    void theJump()
    {
        using BarCurves::jumpY;
        // The eased run passes its key points (OutQuad: v = 1 - (1 - t)²).
        auto at = [](qreal v) { return 1 - qSqrt(1 - v); };
        QCOMPARE(jumpY(0, 5), 5);
        for (const auto &key : { qMakePair(0.2, 0), qMakePair(0.3, 20), qMakePair(0.6, 0), qMakePair(0.9, 20) })
            QVERIFY2(qAbs(jumpY(at(key.first), 5) - key.second) <= 1, qPrintable(QString::number(key.first)));
        QCOMPARE(jumpY(1, 5), 5);
        QCOMPARE(jumpY(2, 12), 5);
        for (qreal t = 0; t < 1; t += 0.01)
            QVERIFY(jumpY(t, 5) >= 0 && jumpY(t, 5) <= 20);

        Fixture f({ "a", "m", "c" });
        f.rows.setCell(1, 3, "MENU");
        QCOMPARE(f.pictureOffset("a"), 5);
        QTest::mouseClick(&f.bar, Qt::LeftButton, Qt::NoModifier, f.at("a"));
        QTRY_VERIFY(f.pictureOffset("a") != 5);
        QTRY_COMPARE(f.pictureOffset("a"), 5);
        QTest::mouseClick(&f.bar, Qt::LeftButton, Qt::NoModifier, f.at("m"));
        f.bar.setClickStyle(0);
        QTest::mouseClick(&f.bar, Qt::LeftButton, Qt::NoModifier, f.at("c"));
        for (int i = 0; i < 10; ++i) {
            QTest::qWait(10);
            QCOMPARE(f.pictureOffset("m"), 5);
            QCOMPARE(f.pictureOffset("c"), 5);
        }
    }

    // A new removable disk's picture drops into its place from above in
    // 500 ms; any other icon shows at once.
    void theSlideInOfANewDisk()
    {
        QCOMPARE(BarCurves::slideY(0, 128), -128);
        QCOMPARE(BarCurves::slideY(0.5, 128), -64);
        QCOMPARE(BarCurves::slideY(1, 128), 0);
        QCOMPARE(BarCurves::slideY(1.5, 128), 0);
        Fixture f({ "a", "u" });
        f.rows.setCell(1, 3, "UDISK");
        f.bar.showAnimation("a");
        QVERIFY(f.faceShows("a"));
        f.bar.showAnimation("u");
        QVERIFY(!f.faceShows("u")); // still above its icon, cut off
        QTRY_VERIFY(f.faceShows("u"));
    }

    void doubleClickMode()
    {
        Fixture f({ "a" });
        f.bar.setDoubleClick(true);
        QSignalSpy opened(&f.bar, &DockBar::IconOpen);
        QTest::mouseClick(&f.bar, Qt::LeftButton, Qt::NoModifier, f.at("a"));
        QCOMPARE(opened.count(), 0);
        QTest::mouseDClick(&f.bar, Qt::LeftButton, Qt::NoModifier, f.at("a"));
        QCOMPARE(opened.count(), 1);
    }

    void paintsItsIconsAndBackground()
    {
        Fixture f({ "a", "b" });
        DockBar::Background b;
        b.fill = QColor(255, 255, 255, 200);
        f.bar.setBackground(b);
        f.bar.setBackgroundRect(QRect(0, 150, 300, 10));
        const QImage img = f.bar.grab().toImage();
        QVERIFY(qAlpha(img.pixel(f.bar.pictureRect("a").center())) > 0);
        QVERIFY(qAlpha(img.pixel(150, 155)) > 0);
        QCOMPARE(qAlpha(img.pixel(995, 5)), 0); // the rest is see-through
    }

    // A sweep repaints only what changed and moves what only moved: the
    // window's picture after every frame is what drawing the bar whole gives.
    void framesShowWhatAFullDrawingShows_data()
    {
        QTest::addColumn<int>("edge");
        QTest::newRow("bottom") << 2;
        QTest::newRow("left") << 3;
    }
    void framesShowWhatAFullDrawingShows()
    {
        QFETCH(int, edge);
        const bool across = edge == 2;
        QWidget window;
        window.setAttribute(Qt::WA_TranslucentBackground);
        window.resize(across ? QSize(1000, 200) : QSize(200, 1000));
        DockIconList rows;
        QList<DockIconRecord> list;
        for (const char *id : { "a", "b", "c", "-s", "d", "e", "f", "g" })
            list << (id[0] == '-' ? row(id, "BLANK") : row(id));
        rows.setRows(list);
        DockBar bar(&window);
        bar.setEdge(edge);
        bar.setIconSizes(128, 64);
        bar.setModel(&rows);
        bar.setGeometry(window.rect());
        bar.setAttribute(Qt::WA_OpaquePaintEvent); // as in the dock: nothing beneath is drawn
        DockBar::Background b;
        b.fill = QColor(40, 90, 200, 180);
        b.radius = 10;
        bar.setBackground(b);
        // As the dock lays the row out: centred, with the background around it.
        auto relayout = [&] {
            const QSize row = bar.layoutRow();
            const int length = across ? row.width() : row.height();
            const int at = (1000 - length) / 2;
            bar.setStripRect(across ? QRect(at, 25, length, 128) : QRect(0, at, 128, length));
            bar.setBackgroundRect(across ? QRect(at - 7, 25 + 64, length + 14, 64) : QRect(0, at - 7, 64, length + 14));
        };
        connect(&bar, &DockBar::IconMouseMove, &bar, [&](const QString &id, const QPoint &p) {
            bar.magnify(id, float(across ? p.x() : p.y()));
            relayout();
        });
        connect(&bar, &DockBar::aboutToPaint, &bar, relayout);
        relayout();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        PaintRegions frames;
        bar.installEventFilter(&frames);
        QVector<int> perFrame;
        auto *shown = dynamic_cast<QImage *>(window.backingStore()->paintDevice());
        QVERIFY(shown);
        // A button an earlier case left held for the test's mouse would
        // make the sweep a drag.
        QTest::mouseRelease(&window, Qt::LeftButton, {}, QPoint(1, 1));
        int mismatches = 0;
        // The first and last icons, at rest away from the pointer, only slide
        // as the magnified ones grow and shrink: their pixels move, few are
        // drawn. As the row stays centred, at many moves one end stays where
        // it was while the other slides: that end is not drawn at all.
        qint64 slidArea = 0, slidDrawn = 0, stillArea = 0, stillDrawn = 0;
        for (int step = 0; step < 100 && mismatches == 0; ++step) {
            // Along the row and back, eight pixels a move.
            const int along = 300 + 8 * (step < 50 ? step : 100 - step);
            const QRect endsBefore[2] = { bar.iconRect("a"), bar.iconRect("g") };
            frames.painted = QRegion();
            // A new colour in the middle of the sweep reaches the icons that slide.
            if (step == 30) {
                b.fill = QColor(200, 60, 40, 200);
                bar.setBackground(b);
            }
            QTest::mouseMove(&bar, across ? QPoint(along, 140) : QPoint(30, along));
            QTest::qWait(17);
            // A frame now, then the picture against a full drawing.
            QEvent frame(QEvent::UpdateRequest);
            frames.rects.clear();
            QCoreApplication::sendEvent(&window, &frame);
            perFrame << std::accumulate(frames.rects.begin(), frames.rects.end(), 0);
            frames.counting = false;
            for (int end = 0; end < 2; ++end) {
                const QRect now = bar.iconRect(end == 0 ? "a" : "g");
                if (now == endsBefore[end] && now.size() == QSize(64, 64) && step != 30) {
                    stillArea += qint64(now.width()) * now.height();
                    for (const QRect &r : frames.painted & now)
                        stillDrawn += qint64(r.width()) * r.height();
                }
                if (now == endsBefore[end] || now.size() != QSize(64, 64) || endsBefore[end].size() != now.size())
                    continue;
                const QRegion both = QRegion(now) + endsBefore[end];
                for (const QRect &r : both)
                    slidArea += qint64(r.width()) * r.height();
                for (const QRect &r : both & frames.painted)
                    slidDrawn += qint64(r.width()) * r.height();
            }
            const QImage whole = bar.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
            const QImage now = shown->copy(bar.geometry()).convertToFormat(QImage::Format_ARGB32_Premultiplied);
            if (!alike(now, whole)) {
                ++mismatches;
                qWarning() << "differs after the move to" << along;
            }
            frames.counting = true;
        }
        QCOMPARE(mismatches, 0);
        // Each frame goes out in a few rectangles, not one per change of a
        // band of the row: each costs a clearing, a clip and a send.
        const int most = *std::max_element(perFrame.begin(), perFrame.end());
        const int all = std::accumulate(perFrame.begin(), perFrame.end(), 0);
        QVERIFY2(most <= 6 && all <= 3 * perFrame.size(), qPrintable(QString("%1 at most, %2 in %3 frames")
                                                                      .arg(most).arg(all).arg(perFrame.size())));
        QVERIFY(slidArea > 0);
        QVERIFY2(slidDrawn * 4 < slidArea, qPrintable(QString("%1 of %2 pixels drawn").arg(slidDrawn).arg(slidArea)));
        QVERIFY(stillArea > 0);
        QVERIFY2(stillDrawn * 10 < stillArea, qPrintable(QString("%1 of %2 still pixels drawn").arg(stillDrawn).arg(stillArea)));
    }

    // A widget that moves over the bar's empty band (the name bubble does at
    // every move) leaves there what a full drawing of the bar shows: nothing
    // of its own old pictures, nothing stale of the bar's.
    void aWidgetMovingOverTheEmptyBandLeavesTheBarAsDrawn()
    {
        QWidget window;
        window.setAttribute(Qt::WA_TranslucentBackground);
        window.resize(1000, 200);
        DockIconList rows;
        rows.setRows(Fixture::rowsOf({ "a", "b", "c" }));
        DockBar bar(&window);
        bar.setIconSizes(128, 64);
        bar.setModel(&rows);
        bar.setGeometry(window.rect());
        bar.setAttribute(Qt::WA_OpaquePaintEvent);
        DockBar::Background b;
        b.fill = QColor(40, 90, 200, 180);
        b.radius = 10;
        bar.setBackground(b);
        const QSize length = bar.layoutRow();
        bar.setStripRect(QRect(300, 25, length.width(), 128));
        bar.setBackgroundRect(QRect(293, 89, length.width() + 14, 64));
        QLabel tip(&window);
        tip.setAutoFillBackground(true);
        tip.setStyleSheet("background: rgb(250, 200, 0)");
        tip.setGeometry(250, 5, 60, 30);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        PaintRegions frames;
        bar.installEventFilter(&frames);
        auto *shown = dynamic_cast<QImage *>(window.backingStore()->paintDevice());
        QVERIFY(shown);
        // The bar is asked to repaint the band alone, where it draws nothing.
        bool band = false;
        for (int step = 0; step < 30; ++step) {
            frames.painted = QRegion();
            tip.move(250 + 11 * step, 5 + step % 3);
            // A picture drawn into the band by mistake would show as stale.
            if (step == 10)
                bar.update(QRect(0, 0, 1000, 20));
            QTest::qWait(17); // the bar paints at most once a frame
            QEvent frame(QEvent::UpdateRequest);
            QCoreApplication::sendEvent(&window, &frame);
            frames.counting = false;
            QImage now = shown->copy(bar.geometry()).convertToFormat(QImage::Format_ARGB32_Premultiplied);
            QImage whole = bar.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
            frames.counting = true;
            // The label itself is not the bar's.
            QPainter(&now).fillRect(tip.geometry(), Qt::black);
            QPainter(&whole).fillRect(tip.geometry(), Qt::black);
            QVERIFY2(alike(now, whole), qPrintable(QString("differs with the label at %1").arg(tip.x())));
            band = band || (!frames.painted.isEmpty() && frames.painted.boundingRect().bottom() < 80);
        }
        QVERIFY(band);
    }

    // The two clock classes show two faces: the first a dial with the
    // seconds on a red ring around it, the second a panel of LCD digits
    // without one.
    void eachClockKindDrawsItsOwnFace()
    {
        const QDate day(2025, 3, 1);
        const auto at30 = clocksAt(QDateTime(day, QTime(9, 5, 30)));
        const QImage &one = at30.first, &two = at30.second;
        const int area = one.width() * one.height();
        QCOMPARE(one.size(), two.size());
        for (const QImage &face : { one, two })
            QVERIFY(Seen::count(face, [](const QColor &c) { return c.alpha() > 100; }) > area / 2);
        QVERIFY2(Seen::changes(one, two).pixels > area / 3, "the two kinds look alike");
        // The dial is round, the panel fills its square to near the corners.
        const int in = one.width() / 10;
        for (const QPoint &p : { QPoint(in, in), QPoint(one.width() - 1 - in, in), QPoint(in, one.height() - 1 - in),
                                 QPoint(one.width() - 1 - in, one.height() - 1 - in) }) {
            QCOMPARE(one.pixelColor(p).alpha(), 0);
            QVERIFY(two.pixelColor(p).alpha() > 200);
        }
        // Half a minute: the right half of the ring is red, the left not yet.
        const QRect left(0, 0, one.width() * 45 / 100, one.height());
        const QRect right(one.width() * 55 / 100, 0, one.width() * 45 / 100, one.height());
        QVERIFY(Seen::count(one, ringRed, right) > area / 20);
        QCOMPARE(Seen::count(one, ringRed, left), 0);
        QCOMPARE(Seen::count(two, ringRed), 0);
        // Three quarters: the ring reaches into the left half; the second kind
        // shows no seconds at all.
        const auto at45 = clocksAt(QDateTime(day, QTime(9, 5, 45)));
        QVERIFY(Seen::count(at45.first, ringRed, left) > area / 40);
        QCOMPARE(Seen::changes(two, at45.second).pixels, 0);
    }

    // What changes on each face when the time does: the hours read before
    // the minutes, the first kind's four digits of one size, the second
    // kind's minutes smaller and standing on the same line as its hours,
    // the date under the digits; and a clock on the bar moves by itself.
    void theClocksShowTheTime()
    {
        const QDate day(2025, 3, 1);
        const auto base = clocksAt(QDateTime(day, QTime(11, 11, 30)));
        const auto hours = clocksAt(QDateTime(day, QTime(1, 11, 30)));   // only the first digit
        const auto minutes = clocksAt(QDateTime(day, QTime(11, 10, 30))); // only the last
        const auto date = clocksAt(QDateTime(day.addDays(1), QTime(11, 11, 30)));
        for (int kind = 1; kind <= 2; ++kind) {
            const auto pick = [kind](const QPair<QImage, QImage> &faces) { return kind == 1 ? faces.first : faces.second; };
            const QImage face = pick(base);
            const QRect h = Seen::changes(face, pick(hours)).bounds, m = Seen::changes(face, pick(minutes)).bounds;
            const QRect d = Seen::changes(face, pick(date)).bounds;
            const QString k = QString("kind %1").arg(kind);
            QVERIFY2(!h.isNull() && !m.isNull() && !d.isNull(), qPrintable(k));
            QVERIFY2(h.right() < m.left(), qPrintable(k));
            QVERIFY2(d.top() > qMax(h.bottom(), m.bottom()), qPrintable(k));
            if (kind == 1) {
                QVERIFY2(qAbs(h.height() - m.height()) <= 2 && qAbs(h.top() - m.top()) <= 2, qPrintable(k));
            } else {
                QVERIFY2(m.height() * 10 < h.height() * 9, qPrintable(k));
                QVERIFY2(qAbs(h.bottom() - m.bottom()) <= 2, qPrintable(k));
            }
        }

        // Left to their own ticks, both faces show the next minute.
        FakeClock clock(QDateTime(day, QTime(11, 11, 59, 900)));
        Clocks c;
        const QImage one = c.face("one"), two = c.face("two");
        clock.time = QDateTime(day, QTime(11, 12, 0));
        QTRY_VERIFY(Seen::changes(one, c.face("one")).pixels > 0 && Seen::changes(two, c.face("two")).pixels > 0);
    }

    void theRegionIsTheIconsAndThePlaceholder()
    {
        Fixture f({ "a", "b" });
        QCOMPARE(f.bar.iconRegion(), QRegion(QRect(10, 25 + 64, 128, 64)));
        f.bar.setPlaceholderPos(QPoint(128, 64));
        f.bar.setPlaceholderShown(true);
        QVERIFY(f.bar.iconRegion().contains(QRect(10 + 128, 25 + 64, 64, 64)));
    }
};

ZV_TEST_MAIN(TestPaintedBar)
#include "tst_paintedbar.moc"
