// The bar's layout on its own: the frames of the dock window built by hand,
// a bar of icons over them, fake screens and window system.
#include "dock/model/dockiconlist.h"
#include "dock/window/backgroundstyle.h"
#include "dock/window/barlayout.h"
#include "dock/window/docklayout.h"
#include "fakedesktop.h"
#include "fakeplatform.h"
#include "testenv.h"

#include <QtTest>

namespace {

struct Rig
{
    FakeScreens screens { { { QRect(0, 0, 1280, 800), QRect(0, 0, 1280, 800) } } };
    FakeWindowSystem wins;
    QWidget window;
    QWidget *main = new QWidget(&window);
    QWidget *frameMain = new QWidget(main);
    QWidget *area = new QWidget(frameMain);
    QWidget *background = new QWidget(frameMain);
    QWidget *dropHint = new QWidget(frameMain);
    QWidget *work = new QWidget(&window);
    QWidget strip;
    DockIconList icons;
    DockBar *bar = new DockBar(frameMain);
    DockState set;
    bool barIn = true;
    BarLayout layout { &icons, bar, &set, frames() };

    explicit Rig(int rows)
    {
        QList<DockIconRecord> list;
        const QString pic = QStringLiteral(":/image/icon/Finder.png");
        for (int i = 0; i < rows; ++i)
            list.append({ QString("ico%1").arg(i), pic, "n", "ICON", "", pic });
        icons.setRows(list);
        bar->setModel(&icons);
        dropHint->hide();
        BarLayout::Others o;
        o.barOnScreen = [this] { return barIn; };
        layout.setOthers(o);
        QObject::connect(&layout, &BarLayout::rebuildRequested, &layout, &BarLayout::rebuild);
        layout.setScreen(0);
        layout.placeIcons();
    }
    BarLayout::Frames frames() { return { &window, main, frameMain, background, area, work, dropHint, &strip }; }
    // The background and the icons, in the window.
    QRect backgroundInWindow() const { return background->geometry().translated(main->pos()); }
    QRect iconInWindow(const QString &id) const { return bar->iconRect(id).translated(main->pos()); }
};

} // namespace

class TestBarLayout : public QObject
{
    Q_OBJECT
private slots:
    void sizesPerEdge_data()
    {
        QTest::addColumn<int>("edge");
        QTest::addColumn<int>("style");
        QTest::newRow("top, plain") << 0 << 0;
        QTest::newRow("right, plain") << 1 << 1;
        QTest::newRow("bottom, pictures") << 2 << 3;
        QTest::newRow("left, pictures") << 3 << 5;
    }
    void sizesPerEdge()
    {
        QFETCH(int, edge);
        QFETCH(int, style);
        Rig r(5);
        r.layout.setBackgroundStyle(style);
        r.layout.setEdge(edge);
        r.layout.relayoutIfPending();
        const int side = *BackgroundStyle::look(style, 150, edge).inset;
        QCOMPARE(r.layout.backgroundSide(), side);

        // The bar stands against its edge, as deep as the magnified icons and
        // what a name needs, across the whole window.
        const QRect W = r.window.rect(), M = r.main->geometry();
        QCOMPARE(W, QRect(0, 0, 1280, 800));
        QVERIFY(W.contains(M));
        const bool horizontal = edge == 0 || edge == 2;
        QCOMPARE(horizontal ? M.width() : M.height(), horizontal ? 1280 : 800);
        QVERIFY((horizontal ? M.height() : M.width()) >= 128);
        const int atEdge[] = { M.top(), W.right() - M.right(), W.bottom() - M.bottom(), M.left() };
        QCOMPARE(atEdge[edge], 0);
        QCOMPARE(r.bar->geometry(), QRect(QPoint(0, 0), M.size()));

        // The row of icons in the middle, the background beyond it by the
        // inset and the style's overhang on both ends, on the screen side.
        const QRect strip = r.bar->stripRect(), bg = r.background->geometry();
        const int along = horizontal ? strip.width() : strip.height();
        QCOMPARE(along, 5 * 64);
        const int reach = 6 + side;
        if (horizontal) {
            QCOMPARE(bg.left(), strip.left() - reach);
            QCOMPARE(bg.right(), strip.right() + reach);
            QVERIFY(qAbs(bg.center().x() - M.width() / 2) <= 1);
            QCOMPARE(bg.height(), 64);
            QCOMPARE(edge == 0 ? bg.top() : bg.bottom(), edge == 0 ? 0 : M.height() - 1);
        } else {
            QCOMPARE(bg.top(), strip.top() - reach);
            QCOMPARE(bg.bottom(), strip.bottom() + reach);
            QVERIFY(qAbs(bg.center().y() - M.height() / 2) <= 1);
            QCOMPARE(bg.width(), 64);
            QCOMPARE(edge == 3 ? bg.left() : bg.right(), edge == 3 ? 0 : M.width() - 1);
        }
        QCOMPARE(r.bar->backgroundRect(), bg);

        // What takes the pointer is the painted bar and nothing of the desktop.
        const QRegion in = r.layout.inputRegion();
        QCOMPARE(r.wins.regions.value(&r.window), in);
        QVERIFY(in.contains(r.backgroundInWindow()));
        for (const QString &id : r.bar->ids())
            QVERIFY2(in.contains(r.iconInWindow(id)), qPrintable(id));
        QCOMPARE(in.boundingRect(), r.backgroundInWindow());
        QVERIFY(!in.contains(W.center()));
    }

    // What takes the pointer is what the bar draws, and while the pointer is
    // on the bar, only where the pointer goes: the background, and once the
    // pointer rises onto the magnified icons, the room around it (two icons
    // on either side, as deep as they grow). Nothing of a band beside them.
    // Beside an icon further away the pointer is still within the bar's
    // reach; beyond the row's ends or above the magnified depth it has left.
    void inputShapeFollowsThePointer()
    {
        Rig r(6);
        r.work->hide(); // as in the dock: the pointer reaches the bar
        r.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&r.window));
        r.layout.relayout();
        const QRegion rest = r.layout.inputRegion();
        QCOMPARE(rest, QRegion(r.backgroundInWindow()));
        r.bar->setSize("ico1", 100);
        r.layout.relayout();
        QCOMPARE(r.layout.inputRegion(), QRegion(r.backgroundInWindow()) + r.iconInWindow("ico1"));
        r.bar->restoreAll();
        QTRY_VERIFY(r.bar->isAtRest());
        r.layout.relayout();

        // On ico1 at the height of the bar: the icons grow around it, the
        // shape stays the bar.
        const QPoint low(r.bar->iconRect("ico1").center().x(), r.bar->iconRect("ico1").bottom() - 10);
        QTest::mouseMove(r.window.windowHandle(), r.bar->mapTo(&r.window, low));
        QTRY_COMPARE(r.bar->hoveredId(), QString("ico1"));
        QTRY_VERIFY(r.bar->iconSize("ico1").height() > 100);
        r.layout.relayout();
        QCOMPARE(r.layout.inputRegion(), rest);

        // Up on the magnified icon: the room around it.
        const QPoint high(low.x(), r.bar->iconRect("ico1").top() + 4);
        QTest::mouseMove(r.window.windowHandle(), r.bar->mapTo(&r.window, high));
        r.layout.relayout();
        const QRegion shape = r.layout.inputRegion();
        const int top = r.main->y() + r.bar->stripRect().y();
        const QRect room(r.iconInWindow("ico0").x(), top,
                         r.iconInWindow("ico3").right() + 1 - r.iconInWindow("ico0").x(), 128);
        QVERIFY(shape.contains(room));
        QVERIFY(shape.contains(r.bar->mapTo(&r.window, high)));
        // Along the bar out to the next step of 16 pixels, and no more.
        const QRegion allowed =
            QRegion(room.adjusted(-16, -16, 16, 0)) + r.backgroundInWindow().adjusted(-16, 0, 16, 0);
        QVERIFY(shape.subtracted(allowed).isEmpty());
        const QPoint aboveFour(r.iconInWindow("ico4").center().x(), top + 2);
        QVERIFY(!shape.contains(aboveFour));
        QCOMPARE(r.wins.regions.value(&r.window), shape);
        const QRect two = r.iconInWindow("ico2");

        // Within reach: beside an icon that grows under the pointer; out of
        // it: past the row's ends, above the magnified depth, off the bar.
        const QPoint w = r.window.pos();
        const QRect row = r.bar->iconRegion().boundingRect().translated(r.main->pos());
        const std::optional<QPoint> onFour = r.layout.reach(w + aboveFour);
        QVERIFY(onFour);
        QCOMPARE(r.bar->iconAt(*onFour), QString("ico4"));
        QCOMPARE(onFour->x(), r.bar->mapFromGlobal(w + aboveFour).x());
        const QRect column(two.x(), top, two.width(), 128);
        QVERIFY(r.layout.reach(w + two.center()));
        QVERIFY(!r.layout.reach(w + QPoint(row.left() - 8 - 16 - r.layout.backgroundSide(), row.bottom() - 2)));
        QVERIFY(!r.layout.reach(w + QPoint(row.right() + 8 + 16 + r.layout.backgroundSide(), row.bottom() - 2)));
        QVERIFY(!r.layout.reach(w + QPoint(two.center().x(), column.top() - 20)));
        r.barIn = false;
        QVERIFY(!r.layout.reach(w + two.center()));
        r.barIn = true;

        // Off the bar, everything back at rest: the bar again.
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(r.bar, &leave);
        r.bar->restoreAll();
        QTRY_VERIFY(r.bar->isAtRest());
        r.layout.relayout();
        QCOMPARE(r.layout.inputRegion(), rest);

        r.strip.setGeometry(0, 796, 1280, 4);
        r.barIn = false;
        r.layout.updateInputShape();
        QCOMPARE(r.layout.inputRegion(), QRegion(QRect(0, 796, 1, 1)));
        QCOMPARE(r.wins.regions.value(&r.window), r.layout.inputRegion());
        // The panel's area slides out beside the bar and takes the pointer.
        r.barIn = true;
        r.layout.showFrameArea(true);
        QTRY_COMPARE(r.area->pos(), DockLayout::frameAreaPoint(2, true, r.area->size()));
        const QRect shown = (r.area->geometry() & QRect(QPoint(0, 0), r.main->size())).translated(r.main->pos());
        QVERIFY(!shown.isEmpty());
        QTRY_VERIFY(r.layout.inputRegion().contains(shown));
    }

    void backgroundLookPerStyle()
    {
        Rig r(3);
        r.layout.setTransparency(120);
        r.layout.setBackgroundStyle(1);
        DockBar::Background b = r.layout.background();
        QCOMPARE(b.fill, QColor(0, 0, 0, 120));
        QVERIFY(b.radius > 0);
        QVERIFY(b.first.isEmpty() && b.middle.isEmpty() && b.last.isEmpty() && !b.upright);
        r.layout.setTransparency(40);
        QCOMPARE(r.layout.background().fill.alpha(), 40);
        r.layout.relayoutIfPending();
        const int plain = r.background->width();

        // Pictures, no fill; they reach further beyond the icons than a fill.
        r.layout.setBackgroundStyle(4);
        b = r.layout.background();
        QCOMPARE(b.fill.alpha(), 0);
        QVERIFY(!b.first.isEmpty() && !b.middle.isEmpty() && !b.last.isEmpty());
        QVERIFY(!b.upright);
        QCOMPARE(b.radius, 0);
        r.layout.relayoutIfPending();
        QVERIFY(r.background->width() > plain + 2 * 10);

        // Upright on a side edge, the side's own pieces.
        r.layout.setBackgroundStyle(2);
        r.layout.setEdge(3);
        b = r.layout.background();
        QVERIFY(b.upright);
        QVERIFY(!b.first.isEmpty() && !b.middle.isEmpty() && !b.last.isEmpty());
    }
};

ZV_TEST_MAIN(TestBarLayout)
#include "tst_barlayout.moc"
