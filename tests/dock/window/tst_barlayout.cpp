// The bar's layout on its own: the frames of the dock window built by hand,
// a bar of icons over them, fake screens and window system.
#include "dock/model/dockiconlist.h"
#include "dock/window/backgroundstyle.h"
#include "dock/window/barlayout.h"
#include "dock/window/docklayout.h"
#include "fakedesktop.h"
#include "fakeplatform.h"
#include "testenv.h"
#include "widgetfixture.h"

#include <QTemporaryDir>
#include <QtTest>

#include <random>

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
    QTemporaryDir dir;
    DockSettings set { firstStartConfig(dir) }; // the layout follows its changes
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
        // As the dock window does: an icon that changes size lays the row out again.
        QObject::connect(bar, &DockBar::IconWidth, &layout, &BarLayout::requestRelayout);
        layout.setScreen(0);
        // As the dock's start does: the bar has its background before its icons are placed.
        layout.applyBackground();
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
        r.set.setBackgroundStyle(style);
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

        // What takes the pointer is the painted bar and nothing of the desktop:
        // its background where the style draws one (the pictured styles have
        // none on a side bar), and its icons.
        const QRegion in = r.layout.inputRegion();
        QCOMPARE(r.wins.regions.value(&r.window), in);
        const DockBar::Background look = r.layout.background();
        const bool drawn = look.fill.alpha() > 0 || !look.first.isEmpty() || !look.middle.isEmpty() || !look.last.isEmpty();
        QCOMPARE(QRegion(r.backgroundInWindow()).subtracted(in).isEmpty(), drawn);
        for (const QString &id : r.bar->ids())
            QVERIFY2(QRegion(r.iconInWindow(id)).subtracted(in).isEmpty(), qPrintable(id));
        QCOMPARE(in.boundingRect(), drawn ? r.backgroundInWindow() : r.bar->iconRegion().boundingRect().translated(r.main->pos()));
        QVERIFY(!in.contains(W.center()));
    }

    // What takes the pointer is what the bar draws at that moment: the
    // background and every icon at its size of the moment, nothing kept of
    // an earlier state, and it goes out with the picture. Beside an icon
    // that grows under the pointer the pointer is still within the bar's
    // reach; beyond the row's ends or above the magnified depth it has left.
    void theShapeIsWhatTheBarDraws()
    {
        Rig r(6);
        r.work->hide(); // as in the dock: the pointer reaches the bar
        r.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&r.window));
        r.layout.relayout();
        const QRegion rest = QRegion(r.backgroundInWindow());
        QTRY_COMPARE(r.layout.inputRegion(), rest);
        const auto drawn = [&r] {
            return (QRegion(r.backgroundInWindow()) + r.bar->iconRegion().translated(r.main->pos())) & r.main->geometry();
        };
        r.bar->setSize("ico1", 100);
        r.layout.relayout();
        QTRY_COMPARE(r.layout.inputRegion(), QRegion(r.backgroundInWindow()) + r.iconInWindow("ico1"));
        r.bar->restoreAll();
        QTRY_VERIFY(r.bar->isAtRest());
        r.layout.relayout();
        QTRY_COMPARE(r.layout.inputRegion(), rest);

        // On ico1 at the height of the bar: the icons grow around it, and
        // the shape is what they draw, frame by frame.
        const QPoint low(r.bar->iconRect("ico1").center().x(), r.bar->iconRect("ico1").bottom() - 10);
        QTest::mouseMove(r.window.windowHandle(), r.bar->mapTo(&r.window, low));
        QTRY_COMPARE(r.bar->hoveredId(), QString("ico1"));
        QTRY_VERIFY(!r.bar->isAnimating());
        QTRY_COMPARE(r.layout.inputRegion(), drawn());
        QVERIFY(r.layout.inputRegion().contains(r.iconInWindow("ico1")));
        QCOMPARE(r.bar->iconSize("ico1"), QSize(128, 128));
        QCOMPARE(r.wins.regions.value(&r.window), r.layout.inputRegion());
        // Nothing beside what is drawn: above the neighbours at rest.
        const int top = r.main->y() + r.bar->stripRect().y();
        const QPoint aboveFour(r.iconInWindow("ico4").center().x(), top + 2);
        QVERIFY(!r.layout.inputRegion().contains(aboveFour));
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
        QTRY_COMPARE(r.layout.inputRegion(), rest);

        r.strip.setGeometry(0, 796, 1280, 4);
        r.barIn = false;
        r.layout.updateInputShape();
        QTRY_COMPARE(r.layout.inputRegion(), QRegion(QRect(0, 796, 1, 1)));
        QCOMPARE(r.wins.regions.value(&r.window), r.layout.inputRegion());
        // The panel's area slides out beside the bar and takes the pointer.
        r.barIn = true;
        r.layout.showFrameArea(true);
        QTRY_COMPARE(r.area->pos(), DockLayout::frameAreaPoint(2, true, r.area->size()));
        const QRect shown = (r.area->geometry() & QRect(QPoint(0, 0), r.main->size())).translated(r.main->pos());
        QVERIFY(!shown.isEmpty());
        QTRY_VERIFY(r.layout.inputRegion().contains(shown));
    }

    // The shape never runs ahead of the picture: a change waits for the
    // frame that draws it, and goes out with it.
    void theShapeGoesOutWithThePicture()
    {
        Rig r(4);
        r.work->hide();
        r.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&r.window));
        r.layout.relayout();
        QTRY_COMPARE(r.layout.inputRegion(), QRegion(r.backgroundInWindow()));
        const QRegion before = r.layout.inputRegion();
        r.bar->setSize("ico2", 120);
        r.layout.relayout();
        // Laid out, not yet painted: the shape is what shows.
        QCOMPARE(r.layout.inputRegion(), before);
        bool painted = false;
        QObject::connect(r.bar, &DockBar::aboutToPaint, &r.layout, [&] { painted = true; }, Qt::DirectConnection);
        QTRY_VERIFY(painted);
        QTRY_COMPARE(r.layout.inputRegion(), QRegion(r.backgroundInWindow()) + r.iconInWindow("ico2"));
    }

    // While the icons move under a pointer on the bar, what they drew a
    // moment ago may still take the pointer, but never near the pointer and
    // never beyond the bar; off the bar, with a button held, without a
    // compositing manager, or once the icons stand still, the shape is what
    // is drawn. Seeded random moves over the bar, checked frame by frame.
    void theShapeIsExactAroundThePointer_data()
    {
        QTest::addColumn<bool>("compositor");
        QTest::newRow("compositing manager") << true;
        QTest::newRow("none") << false;
    }
    void theShapeIsExactAroundThePointer()
    {
        QFETCH(bool, compositor);
        Rig r(8);
        r.wins.translucent = compositor;
        r.work->hide();
        r.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&r.window));
        r.layout.relayout();
        QTRY_COMPARE(r.layout.inputRegion(), QRegion(r.backgroundInWindow()));
        // As the dock window does: the icons around the hovered one grow
        // with every move.
        QObject::connect(r.bar, &DockBar::IconMouseMove, &r.layout, [&r](const QString &id, const QPoint &p) {
            r.bar->magnify(id, float(p.x()));
            r.layout.relayoutIfPending();
        });
        const QRect barInWindow(r.bar->mapTo(&r.window, QPoint(0, 0)), r.bar->size());
        const auto drawn = [&r] { return r.layout.drawnRegion(); };
        // Checked with every frame, just after its shape went out.
        QPoint pointer;
        bool onBar = false, lagged = false;
        int frames = 0;
        QString problem;
        QObject::connect(r.bar, &DockBar::aboutToPaint, &r.layout, [&] {
            ++frames;
            const QRegion sent = r.layout.inputRegion(), now = drawn();
            const QRect near(pointer - QPoint(32, 32), QSize(65, 65));
            QString p;
            if (r.wins.regions.value(&r.window) != sent)
                p = "not what was sent";
            else if (!now.subtracted(sent).isEmpty())
                p = "less than is drawn";
            else if (onBar && (sent & near) != (now & near))
                p = "not exact near the pointer";
            else if (!onBar && sent != now)
                p = "not exact off the bar";
            else if (!sent.subtracted(now).subtracted(barInWindow).isEmpty())
                p = "beyond the bar";
            else if (!compositor && sent != now)
                p = "not exact without a compositing manager";
            if (!p.isEmpty() && problem.isEmpty())
                problem = QStringLiteral("frame %1, pointer at %2,%3: %4").arg(frames).arg(pointer.x()).arg(pointer.y()).arg(p);
            lagged |= sent != now;
        });
        std::mt19937 rng(20261211);
        const auto pick = [&rng](int n) { return int(rng() % quint32(n)); };
        const QRect row = r.bar->iconRegion().boundingRect().translated(r.main->pos());
        onBar = true;
        for (int k = 0; k < 80 && problem.isEmpty(); ++k) {
            // Along the bar in short steps, now and then a leap.
            const QPoint p = (k == 0 || pick(8) == 0) ? QPoint(row.left() + pick(row.width()), row.bottom() - 2 - pick(60))
                                                      : pointer + QPoint(pick(33) - 16, pick(9) - 4);
            pointer = QPoint(qBound(row.left(), p.x(), row.right()), qBound(row.bottom() - 62, p.y(), row.bottom() - 2));
            const int before = frames;
            QTest::mouseMove(r.window.windowHandle(), pointer);
            // The hand's pace: a frame per move, where the move
            // changed anything.
            (void)QTest::qWaitFor([&] { return frames > before; }, 100);
        }
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QCOMPARE(lagged, compositor);
        // Still a moment: exact everywhere.
        QTRY_VERIFY(!r.bar->isAnimating());
        QTRY_COMPARE(r.layout.inputRegion(), drawn());

        // Off the bar the shape is exact with the next frame, as the icons
        // go back to rest.
        QTest::mouseMove(r.window.windowHandle(), QPoint(row.center().x(), row.bottom() - 20));
        QTest::mouseMove(r.window.windowHandle(), QPoint(row.center().x() + 24, row.bottom() - 20));
        QTRY_VERIFY(r.bar->isAnimating());
        onBar = false;
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(r.bar, &leave);
        r.bar->restoreAll();
        const int before = frames;
        QTRY_VERIFY(frames > before && !r.bar->isAnimating());
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QTRY_COMPARE(r.layout.inputRegion(), drawn());
    }

    void backgroundLookPerStyle()
    {
        Rig r(3);
        r.set.setTransparentBackground(120);
        r.set.setBackgroundStyle(1);
        DockBar::Background b = r.layout.background();
        QCOMPARE(b.fill, QColor(0, 0, 0, 120));
        QVERIFY(b.radius > 0);
        QVERIFY(b.first.isEmpty() && b.middle.isEmpty() && b.last.isEmpty() && !b.upright);
        r.set.setTransparentBackground(40);
        QCOMPARE(r.layout.background().fill.alpha(), 40);
        r.layout.relayoutIfPending();
        const int plain = r.background->width();

        // Pictures, no fill; they reach further beyond the icons than a fill.
        r.set.setBackgroundStyle(4);
        b = r.layout.background();
        QCOMPARE(b.fill.alpha(), 0);
        QVERIFY(!b.first.isEmpty() && !b.middle.isEmpty() && !b.last.isEmpty());
        QVERIFY(!b.upright);
        QCOMPARE(b.radius, 0);
        r.layout.relayoutIfPending();
        QVERIFY(r.background->width() > plain + 2 * 10);

        // Upright on a side edge, the side's own pieces.
        r.set.setBackgroundStyle(2);
        r.layout.setEdge(3);
        b = r.layout.background();
        QVERIFY(b.upright);
        QVERIFY(!b.first.isEmpty() && !b.middle.isEmpty() && !b.last.isEmpty());
    }
};

ZV_TEST_MAIN(TestBarLayout)
#include "tst_barlayout.moc"
