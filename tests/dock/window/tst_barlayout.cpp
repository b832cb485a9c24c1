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
    QWidget *across = new QWidget(background), *upright = new QWidget(background);
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
    BarLayout::Frames frames()
    {
        const auto piece = [](QWidget *parent) { return new QWidget(parent); };
        return { &window, main, frameMain, background, area, work, dropHint, &strip,
                 across, piece(across), piece(across), piece(across),
                 upright, piece(upright), piece(upright), piece(upright) };
    }
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

    // While the icons swell and shrink the shape takes the zone they may
    // reach and keeps it; back at rest it is the bar again; a bar out of
    // sight keeps one pixel under the edge strip.
    void inputShapeAfterRelayouts()
    {
        Rig r(5);
        r.layout.relayout();
        const QRegion rest = r.layout.inputRegion();
        r.bar->setSize("ico2", 128);
        r.layout.relayout();
        const QRegion zone = r.layout.inputRegion();
        QVERIFY(zone.boundingRect().height() >= 128);
        QVERIFY(zone.contains(r.iconInWindow("ico2")));
        r.bar->setSize("ico3", 100);
        r.bar->setSize("ico2", 90);
        r.layout.relayout();
        QCOMPARE(r.layout.inputRegion(), zone);
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
        QVERIFY(b.first.isEmpty() && !b.upright);
        QCOMPARE(r.background->styleSheet(), *BackgroundStyle::look(1, 120, 2).frame);
        QVERIFY(r.across->isHidden() && r.upright->isHidden());
        r.layout.setTransparency(40);
        QCOMPARE(r.layout.background().fill.alpha(), 40);

        r.layout.setBackgroundStyle(4);
        b = r.layout.background();
        QCOMPARE(b.fill.alpha(), 0);
        QCOMPARE(QStringList({ b.first, b.middle, b.last }),
                 QStringList({ ":/image/style/Classic2/l.png", ":/image/style/Classic2/bg.png",
                               ":/image/style/Classic2/r.png" }));
        QVERIFY(!b.upright);
        QVERIFY(!r.across->isHidden() && r.upright->isHidden());
        r.layout.relayoutIfPending();
        QCOMPARE(r.background->width(), r.bar->stripRect().width() + 12 + 50);

        // Upright on a side edge, the side's own pieces.
        r.layout.setBackgroundStyle(2);
        r.layout.setEdge(3);
        b = r.layout.background();
        QVERIFY(b.upright);
        QVERIFY(r.across->isHidden() && !r.upright->isHidden());
        QCOMPARE(QStringList({ b.first, b.middle, b.last }),
                 QStringList({ ":/image/style/MacOSX/l3.png", ":/image/style/MacOSX/bg3.png",
                               ":/image/style/MacOSX/r3.png" }));
    }
};

ZV_TEST_MAIN(TestBarLayout)
#include "tst_barlayout.moc"
