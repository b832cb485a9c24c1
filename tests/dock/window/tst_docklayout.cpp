// The bar's arithmetic on screens that do not start at 0, on all four edges.
#include "dock/window/docklayout.h"
#include "dock/window/magnify.h"
#include "testenv.h"

#include <QtTest>

using namespace DockLayout;

static PlacementInput input(int edge, QRect S, QRect A, float M = 128, int margin = 0)
{
    PlacementInput in;
    in.edge = edge;
    in.screen = S;
    in.available = A;
    in.taskbar = taskbarSide(A, S);
    in.margin = margin;
    in.magnified = M;
    const BarSizes s = barSizes(edge, 640, 640, S.width(), S.height(), M, 64, 64, 0);
    in.main = s.main;
    in.background = s.background;
    return in;
}

class TestDockLayout : public QObject
{
    Q_OBJECT
private slots:
    void taskbarSideIsJudgedOnItsOwnScreen_data()
    {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<int>("side");
        const QRect s0(0, 0, 1280, 800), s1(1920, 0, 1920, 1080), s2(0, 1080, 1600, 900), s3(-1024, -300, 1024, 768);
        QTest::newRow("whole screen at 0") << s0 << s0 << 4;
        QTest::newRow("second screen beside, no panel") << s1 << s1 << 4;
        QTest::newRow("screen below another, no panel") << s2 << s2 << 4;
        QTest::newRow("screen at negative origin") << s3 << s3 << 4;
        QTest::newRow("left panel") << s1 << s1.adjusted(48, 0, 0, 0) << 3;
        QTest::newRow("right panel") << s1 << s1.adjusted(0, 0, -48, 0) << 1;
        QTest::newRow("top panel below another screen") << s2 << s2.adjusted(0, 30, 0, 0) << 0;
        QTest::newRow("bottom panel") << s3 << s3.adjusted(0, 0, 0, -40) << 2;
        QTest::newRow("left wins over bottom") << s0 << s0.adjusted(40, 0, 0, -40) << 3;
    }
    void taskbarSideIsJudgedOnItsOwnScreen()
    {
        QFETCH(QRect, screen);
        QFETCH(QRect, available);
        QFETCH(int, side);
        QCOMPARE(taskbarSide(available, screen), side);
    }

    void fitCheckBoundaries()
    {
        // 20 icons of 64 on a 1280-pixel bar: 1292 > 1280, so 1268 / 20 = 63.
        Fit f = fitCheck(64, 20, 0, 1280);
        QVERIFY(f.overflow);
        QCOMPARE(f.size, 63);
        QVERIFY(!fitCheck(64, 20, 0, 1292).overflow);  // exactly full fits
        QVERIFY(fitCheck(64, 20, 0, 1291).overflow);
        // Two spacers among ten count as 8 + 2 * 0.4 = 8.8 icons: 512 + 51.2 + 12.
        QVERIFY(!fitCheck(64, 10, 2, 576).overflow);
        f = fitCheck(64, 10, 2, 575);
        QVERIFY(f.overflow);
        QCOMPARE(f.size, 63); // 563 / 8.8 = 63.97
        // The new size always fits, and never repeats the size that overflowed.
        for (int W = 100; W < 2000; W += 7) {
            for (int blanks = 0; blanks <= 5; ++blanks) {
                const Fit g = fitCheck(64, 25, blanks, W);
                if (g.overflow) {
                    QVERIFY(g.size < 64);
                    QVERIFY2(!fitCheck(float(g.size), 25, blanks, W).overflow || g.size == 1,
                             qPrintable(QString("W %1 blanks %2 size %3").arg(W).arg(blanks).arg(g.size)));
                }
            }
        }
        QVERIFY(!fitCheck(64, 0, 0, 5).overflow); // an empty row is never shrunk
    }

    void iconPlaces()
    {
        QCOMPARE(firstPlace(0, 3, 64, 128), QPoint(192, 0));
        QCOMPARE(firstPlace(1, 3, 64, 128), QPoint(0, 192));
        QCOMPARE(firstPlace(2, 3, 64, 128), QPoint(192, 64));
        QCOMPARE(firstPlace(3, 2, 62.5f, 128), QPoint(0, 125));
        // Icons stand on the screen side of the icon frame.
        QCOMPARE(rowPlace(0, 100, 7, QSize(80, 80), 128), QPoint(100, 0));
        QCOMPARE(rowPlace(1, 9, 100, QSize(80, 80), 128), QPoint(48, 100));
        QCOMPARE(rowPlace(2, 100, 9, QSize(80, 80), 128), QPoint(100, 48));
        QCOMPARE(rowPlace(3, 9, 100, QSize(80, 80), 128), QPoint(0, 100));
    }

    void barSizesPerEdge()
    {
        BarSizes s = barSizes(2, 700, 0, 1280, 800, 128, 64, 64, 25);
        QCOMPARE(s.main, QSize(1280, 153));
        QCOMPARE(s.frameIco, QSize(700, 128));
        QCOMPARE(s.background, QSize(700 + 12 + 50, 64));
        QCOMPARE(s.icoAcross, 25);
        QCOMPARE(s.backgroundAcross, 89); // both end on the screen side of `main`
        s = barSizes(0, 700, 0, 1280, 800, 128, 64, 64, 0);
        QCOMPARE(s.main, QSize(1280, 158));
        QCOMPARE(s.icoAcross, 0);
        QCOMPARE(s.backgroundAcross, 0);
        s = barSizes(1, 0, 500, 1280, 800, 128, 64, 64, 20);
        QCOMPARE(s.main, QSize(153, 800));
        QCOMPARE(s.frameIco, QSize(128, 500));
        QCOMPARE(s.background, QSize(64, 552));
        QCOMPARE(s.backgroundAcross, 89);
        s = barSizes(3, 0, 500, 1280, 800, 128, 64, 64, 0);
        QCOMPARE(s.frameIco, QSize(133, 500));
        // A shrunk row: the background keeps the configured depth.
        s = barSizes(2, 630, 0, 1280, 800, 128, 63, 64, 0);
        QCOMPARE(s.background, QSize(642, 64));
        QCOMPARE(s.backgroundAcross, 90);
    }

    void alongTheEdge()
    {
        // A row that fits is centred, the background 6 pixels beyond it.
        Along a = alongPlace(1280, 700, 712, 0, 0, 0);
        QCOMPARE(a.ico, 290);
        QCOMPARE(a.background, 284);
        // A row longer than the window follows the pointer; the background
        // moves the same way as the icons on both halves.
        for (int c : { 100, 300, 1000, 1250 }) {
            const Along left = alongPlace(1280, 1400, 1412, c, 0, -66);
            const int shiftIco = left.ico - (1280 - 1400) / 2;
            const int shiftBg = left.background - (1280 - 1412) / 2;
            QVERIFY2(qAbs(shiftIco - shiftBg) <= 7, qPrintable(QString::number(c)));
        }
        const Along l = alongPlace(1280, 1400, 1412, 100, 0, -66);
        const Along r = alongPlace(1280, 1400, 1412, 1250, 0, -66);
        QVERIFY(l.ico > (1280 - 1400) / 2);  // the left end comes into reach
        QVERIFY(r.ico < (1280 - 1400) / 2);  // the right end comes into reach
        // The pointer exactly at the row's middle: centred.
        a = alongPlace(1280, 1400, 1412, 700, 0, 0);
        QCOMPARE(a.ico, -60);
        QCOMPARE(a.background, -66);
    }

    void slidePoints()
    {
        const QSize main(1280, 153);
        QCOMPARE(slideHiddenPoint(0, main), QPoint(0, -153));
        QCOMPARE(slideHiddenPoint(1, main), QPoint(1280, 0));
        QCOMPARE(slideHiddenPoint(2, main), QPoint(0, 153));
        QCOMPARE(slideHiddenPoint(3, main), QPoint(-1280, 0));
        const QSize area(1280, 800);
        QCOMPARE(frameAreaPoint(0, true, area), QPoint(0, -20));
        QCOMPARE(frameAreaPoint(0, false, area), QPoint(0, -800));
        QCOMPARE(frameAreaPoint(1, true, area), QPoint(20, 0));
        QCOMPARE(frameAreaPoint(1, false, area), QPoint(1280, 0));
        QCOMPARE(frameAreaPoint(2, true, area), QPoint(0, 20));
        QCOMPARE(frameAreaPoint(2, false, area), QPoint(0, 800));
        QCOMPARE(frameAreaPoint(3, true, area), QPoint(-20, 0));
        QCOMPARE(frameAreaPoint(3, false, area), QPoint(-1280, 0));
    }

    void topBarOnAScreenBelowAnother()
    {
        // The window already stands on the screen: the bar is at the margin
        // inside it, not the screen's y further down.
        const QRect S(0, 1080, 1600, 900);
        Placement p = placeBar(input(0, S, S, 128, 7));
        QCOMPARE(p.main, QPoint(0, 7));
        QCOMPARE(p.strip, QRect(474, 1087, 652, 2)); // as long as the background
        // With a top panel, below the panel.
        p = placeBar(input(0, S, S.adjusted(0, 30, 0, 0), 128, 7));
        QCOMPARE(p.main, QPoint(0, 37));
    }

    void bottomBar()
    {
        const QRect S(1920, 0, 1920, 1080);
        Placement p = placeBar(input(2, S, S, 128, 10));
        QCOMPARE(p.main, QPoint(0, 1080 - 163));
        QCOMPARE(p.strip, QRect(1920 + 634, 1080 - 163 + 153 - 2, 652, 2));
        // Against a bottom panel.
        PlacementInput in = input(2, S, S.adjusted(0, 0, 0, -40), 128, 10);
        QCOMPARE(placeBar(in).main, QPoint(0, 1040 - 163));
        // While the launch pad covers the screen, against the screen edge.
        in.launchPadOpen = true;
        QCOMPARE(placeBar(in).main, QPoint(0, 1080 - 163));
        // A panel on another edge does not move it.
        QCOMPARE(placeBar(input(2, S, S.adjusted(0, 30, 0, 0), 128, 10)).main, QPoint(0, 1080 - 163));
    }

    void rightAndLeftBars()
    {
        const QRect S(-1024, -300, 1024, 768);
        Placement p = placeBar(input(1, S, S, 128, 4));
        QCOMPARE(p.main, QPoint(1024 - 157, 0));
        QCOMPARE(p.strip, QRect(-1024 + 1024 - 157 + 153 - 2, -300 + (768 - 652) / 2, 2, 652));
        QCOMPARE(placeBar(input(1, S, S.adjusted(0, 0, -50, 0), 128, 4)).main, QPoint(1024 - 50 - 157, 0));
        p = placeBar(input(3, S, S, 128, 4));
        QCOMPARE(p.main, QPoint(4, 0));
        QCOMPARE(p.strip, QRect(-1024 + 4, -300 + 58, 2, 652));
        QCOMPARE(placeBar(input(3, S, S.adjusted(50, 0, 0, 0), 128, 4)).main, QPoint(54, 0));
    }

    void wheelTurnsAPagePerNotch()
    {
        int pending = 0;
        QCOMPARE(DockLayout::takeWheelNotches(pending, 40), 0); // a touchpad's small steps
        QCOMPARE(DockLayout::takeWheelNotches(pending, 40), 0);
        QCOMPARE(DockLayout::takeWheelNotches(pending, 40), 1);
        QCOMPARE(pending, 0);
        QCOMPARE(DockLayout::takeWheelNotches(pending, -120), -1);
        QCOMPARE(DockLayout::takeWheelNotches(pending, 250), 2);
        QCOMPARE(pending, 10);
        QCOMPARE(DockLayout::takeWheelNotches(pending, -20), 0); // turning back undoes the rest
        QCOMPARE(pending, -10);
    }

    void reservedStrip()
    {
        const QRect desktop(0, 0, 3840, 1080);
        const QRect S(1920, 0, 1920, 1080);
        // A bottom bar at rest: margin plus background.
        PlacementInput in = input(2, S, S, 128, 10);
        QCOMPARE(reservedDepth(in, 64), 74);
        platform::Strut s = strutFor(2, S, desktop, 74);
        QCOMPARE(s.bottomWidth, 74);
        QCOMPARE(s.bottomStart, 1920);
        QCOMPARE(s.bottomEnd, 3839);
        QVERIFY(!s.leftWidth && !s.rightWidth && !s.topWidth);
        // Widths count from the desktop's edges: a screen above a taller one.
        s = strutFor(2, QRect(0, 0, 1280, 800), QRect(0, 0, 3200, 1080), 70);
        QCOMPARE(s.bottomWidth, 280 + 70);
        s = strutFor(1, QRect(0, 0, 1280, 800), QRect(0, 0, 3200, 1080), 70);
        QCOMPARE(s.rightWidth, 1920 + 70);
        QCOMPARE(s.rightEnd, 799);
        s = strutFor(3, S, desktop, 70);
        QCOMPARE(s.leftWidth, 1990);
        s = strutFor(0, S, desktop, 70);
        QCOMPARE(s.topWidth, 70);
        QVERIFY(strutFor(2, S, desktop, 0).isNull());
        // Top and left bars: depth from the edge.
        QCOMPARE(reservedDepth(input(0, S, S, 128, 10), 64), 74);
        QCOMPARE(reservedDepth(input(3, S, S.adjusted(40, 0, 0, 0), 128, 10), 64), 114);
        QCOMPARE(reservedDepth(input(1, S, S, 128, 0), 64), 64);
    }

    void ownStripIsNoTaskbar()
    {
        const QRect S(0, 0, 1280, 800);
        const QRect before = S.adjusted(0, 0, 0, -30); // a 30-pixel panel
        // Our 94-pixel strip decides the bottom: the panel's side comes back.
        QCOMPARE(availableWithoutOwnStrip(S.adjusted(0, 0, 0, -94), S, 2, 94, before), before);
        // Without a known panel, the screen edge.
        QCOMPARE(availableWithoutOwnStrip(S.adjusted(0, 0, 0, -94), S, 2, 94, QRect()), S);
        // A deeper panel decides: left as it is.
        QCOMPARE(availableWithoutOwnStrip(S.adjusted(0, 0, 0, -120), S, 2, 94, before), S.adjusted(0, 0, 0, -120));
        QCOMPARE(availableWithoutOwnStrip(S.adjusted(70, 0, 0, 0), S, 3, 70, S), S);
        QCOMPARE(availableWithoutOwnStrip(S.adjusted(0, 70, 0, 0), S, 0, 70, S), S);
        QCOMPARE(availableWithoutOwnStrip(S.adjusted(0, 0, -70, 0), S, 1, 70, S), S);
    }

    void bubbleAndWeatherBesideTheHoveredIcon()
    {
        HoverInput in;
        in.window = QPoint(1920, 100);
        in.magnified = 128;
        in.normal = 64;
        in.bubble = QSize(81, 41);
        in.weather = QSize(301, 201);
        in.icon = QPoint(64, 0);
        // bottom bar
        in.edge = 2;
        in.main = QRect(0, 647, 1280, 153);
        in.frameIco = QRect(290, 25, 700, 128);
        HoverPlaces h = hoverPlaces(in);
        QCOMPARE(h.bubble, QPoint(290 + 64 + 64 - 40, 647 + 153 - 25 - 128 - 41 + 10));
        QCOMPARE(h.weather, QPoint(1920 + 290 + 64 + 64 - 150, 100 + 647 + 25 - 201));
        // top bar: below
        in.edge = 0;
        in.main = QRect(0, 0, 1280, 158);
        in.frameIco = QRect(290, 0, 700, 128);
        h = hoverPlaces(in);
        QCOMPARE(h.bubble, QPoint(378, 138));
        QCOMPARE(h.weather, QPoint(1920 + 268, 100 + 128));
        // right bar: beside it, at the height of the magnified span
        in.edge = 1;
        in.icon = QPoint(0, 64);
        in.main = QRect(1127, 0, 153, 800);
        in.frameIco = QRect(25, 50, 128, 700);
        h = hoverPlaces(in);
        QCOMPARE(h.bubble, QPoint(1127 - 81 + 10, 50 + 64 + 64 - 20));
        QCOMPARE(h.weather, QPoint(1920 + 1127 - 301 + 64, 100 + 50 + 64 + 64 - 100));
        // left bar
        in.edge = 3;
        in.main = QRect(0, 0, 153, 800);
        in.frameIco = QRect(0, 50, 133, 700);
        h = hoverPlaces(in);
        QCOMPARE(h.bubble, QPoint(143, 158));
        QCOMPARE(h.weather, QPoint(1920 + 64, 78 + 100));
    }
};

ZV_TEST_MAIN(TestDockLayout)
#include "tst_docklayout.moc"
