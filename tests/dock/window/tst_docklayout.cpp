// The bar's arithmetic on screens that do not start at 0, on all four edges.
#include "dock/window/docklayout.h"
#include "testenv.h"

#include <QtTest>

using namespace DockLayout;

static PlacementInput input(int edge, QRect S, QRect A, int margin)
{
    PlacementInput in;
    in.edge = edge;
    in.screen = S;
    in.available = A;
    in.taskbar = taskbarSide(A, S);
    in.margin = margin;
    const BarSizes s = barSizes(edge, 640, 640, S.width(), S.height(), 128, 64, 64, 0);
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
        QVERIFY(!fitCheck(64, 20, 0, 1292).overflow); // exactly full fits
        QVERIFY(fitCheck(64, 20, 0, 1291).overflow);
        // Two spacers among ten count as 8 + 2 * 0.4 = 8.8 icons: 512 + 51.2 + 12.
        QVERIFY(!fitCheck(64, 10, 2, 576).overflow);
        f = fitCheck(64, 10, 2, 575);
        QVERIFY(f.overflow);
        QCOMPARE(f.size, 63); // 563 / 8.8 = 63.97
        // The new size always fits, so that shrinking ends.
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

    void fitCheckCountsTheGrowth()
    {
        // Sixteen icons of 64 magnified to 148 on a side of 1040 free pixels:
        // at rest they fit (1036), grown by two icons' worth they would not.
        QVERIFY(!fitCheck(64, 16, 0, 1040).overflow);
        QCOMPARE(hoverGrowth(16, 0, 64, 148), 168.f);
        Fit f = fitCheck(64, 16, 0, 1040, 148);
        QVERIFY(f.overflow);
        // 14 icons at rest and two at 148: (1040 - 12 - 296) / 14 = 52.3.
        QCOMPARE(f.size, 52);
        QVERIFY(52 * 14 + 2 * 148 + 12 <= 1040);
        QVERIFY(!fitCheck(52, 16, 0, 1040, 148).overflow);
        QVERIFY(fitCheck(53, 16, 0, 1040, 148).overflow);
        // Spacers never grow along the bar; one icon grows alone.
        QCOMPARE(hoverGrowth(5, 4, 64, 128), 64.f);
        QCOMPARE(hoverGrowth(5, 5, 64, 128), 0.f);
        QCOMPARE(hoverGrowth(5, 0, 64, 60), 0.f);
        // The new size, grown, always fits, so that shrinking ends.
        for (int L = 300; L < 2000; L += 13) {
            for (int blanks = 0; blanks <= 4; ++blanks) {
                for (float M : { 96.f, 128.f, 192.f }) {
                    const Fit g = fitCheck(64, 20, blanks, L, M);
                    if (!g.overflow)
                        continue;
                    QVERIFY(g.size < 64);
                    QVERIFY2(!fitCheck(float(g.size), 20, blanks, L, M).overflow || g.size == 1,
                             qPrintable(QString("L %1 blanks %2 M %3 size %4").arg(L).arg(blanks).arg(M).arg(g.size)));
                }
            }
        }
        // Two icons magnified beyond the whole length: no size helps, only
        // the row at rest is made to fit.
        QVERIFY(!fitCheck(64, 2, 0, 300, 400).overflow);
        f = fitCheck(64, 10, 0, 300, 400);
        QVERIFY(f.overflow);
        QCOMPARE(f.size, 28); // (300 - 12) / 10
    }

    void theRowKeepsToTheFreePartOfTheScreen()
    {
        const QRect screen(1920, 0, 1920, 1080);
        // A panel below: a side bar has the height above it, a bottom bar the whole width.
        Span s = freeSpan(3, screen, screen.adjusted(0, 0, 0, -40));
        QCOMPARE(s.start, 0);
        QCOMPARE(s.length, 1040);
        s = freeSpan(2, screen, screen.adjusted(0, 0, 0, -40));
        QCOMPARE(s.length, 1920);
        // A panel on the left, in the window's coordinates.
        s = freeSpan(0, screen, screen.adjusted(60, 0, 0, 0));
        QCOMPARE(s.start, 60);
        QCOMPARE(s.length, 1860);
        // No free part known: the whole screen.
        s = freeSpan(1, screen, QRect());
        QCOMPARE(s.start, 0);
        QCOMPARE(s.length, 1080);
        // Centred in the free part; the whole screen as before.
        Along a = alongPlace(Span { 60, 1860 }, 700, 712, 0, 0, 0);
        QCOMPARE(a.ico, 60 + 580);
        QCOMPARE(a.background, 60 + 574);
        const Along whole = alongPlace(Span { 0, 1280 }, 700, 712, 0, 0, 0);
        QCOMPARE(whole.ico, alongPlace(1280, 700, 712, 0, 0, 0).ico);
        // Longer than the free part, the pointer near its ends shows them.
        QVERIFY(alongPlace(Span { 60, 1860 }, 2000, 2012, 70, 0, 0).ico >= 60 - 6);
        const Along end = alongPlace(Span { 60, 1860 }, 2000, 2012, 1915, 0, -80);
        QVERIFY(end.ico + 2000 <= 1920 + 6);
        // The edge strip lies along the background in the free part.
        PlacementInput in = input(3, screen, screen.adjusted(0, 0, 0, -40), 0);
        const Placement p = DockLayout::placeBar(in);
        QCOMPARE(p.strip, QRect(1920, (1040 - 652) / 2, 2, 652));
        in = input(2, screen, screen.adjusted(60, 0, 0, 0), 0);
        QCOMPARE(DockLayout::placeBar(in).strip.x(), 1920 + 60 + (1860 - 652) / 2);
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
        QCOMPARE(s.backgroundAcross, 0);
        s = barSizes(1, 0, 500, 1280, 800, 128, 64, 64, 20);
        QCOMPARE(s.main, QSize(153, 800));
        QCOMPARE(s.background, QSize(64, 552));
        QCOMPARE(barSizes(3, 0, 500, 1280, 800, 128, 64, 64, 0).frameIco, QSize(133, 500));
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
        // A longer row follows the pointer, the background with the icons.
        for (int c : { 100, 300, 1000, 1250 }) {
            const Along m = alongPlace(1280, 1400, 1412, c, 0, -66);
            QVERIFY2(qAbs((m.ico + 60) - (m.background + 66)) <= 7, qPrintable(QString::number(c)));
        }
        QVERIFY(alongPlace(1280, 1400, 1412, 100, 0, -66).ico > -60); // the left end comes into reach
        QVERIFY(alongPlace(1280, 1400, 1412, 1250, 0, -66).ico < -60);
        a = alongPlace(1280, 1400, 1412, 700, 0, 0); // the pointer at the middle: centred
        QCOMPARE(a.ico, -60);
        QCOMPARE(a.background, -66);
    }

    void longRowsDoNotOverflow()
    {
        // 2,000 icons at 128 pixels, the background left far out by the last
        // layout: the products pass 2^31, and a wrap would throw the row to
        // the other side of the screen.
        const int L = 1920, f = 2000 * 128, g = f + 12;
        for (int c : { 0, 100, 959, 961, 1919 }) {
            for (int bx : { 0, -f / 2, -f + L }) {
                const Along a = alongPlace(L, f, g, c, 0, bx);
                const double q = double(c) + bx, half = L / 2;
                const double shift = double(g - L) * (half - q) / half / 2;
                const double ico = c < f / 2 ? (double(L) - f) / 2 + shift + 6
                                             : (double(L) - f) / 2 - (q - half) * (g - L) / half / 2 - 6;
                const double expected = qBound(-16777215.0, ico, 16777215.0);
                QVERIFY2(qAbs(a.ico - expected) <= 1.0, qPrintable(QString("c %1 bx %2: %3 vs %4").arg(c).arg(bx).arg(a.ico).arg(expected)));
            }
        }
        // The pointer at the start shows the start of the row.
        QVERIFY(alongPlace(L, f, g, 0, 0, 0).ico > alongPlace(L, f, g, 1919, 0, 0).ico);
        // The fit check shrinks them to a size that fits.
        const Fit fit = fitCheck(128, 2000, 0, L);
        QVERIFY(fit.overflow);
        QCOMPARE(fit.size, 1);
    }

    void slidePoints()
    {
        const QPoint hidden[4] = { { 0, -153 }, { 1280, 0 }, { 0, 153 }, { -1280, 0 } };
        const QPoint areaIn[4] = { { 0, -20 }, { 20, 0 }, { 0, 20 }, { -20, 0 } };
        const QPoint areaOut[4] = { { 0, -800 }, { 1280, 0 }, { 0, 800 }, { -1280, 0 } };
        for (int edge = 0; edge < 4; ++edge) {
            QCOMPARE(slideHiddenPoint(edge, QSize(1280, 153)), hidden[edge]);
            QCOMPARE(frameAreaPoint(edge, true, QSize(1280, 800)), areaIn[edge]);
            QCOMPARE(frameAreaPoint(edge, false, QSize(1280, 800)), areaOut[edge]);
        }
    }

    void placeBar_data()
    {
        QTest::addColumn<int>("edge");
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<int>("margin");
        QTest::addColumn<bool>("launchPad");
        QTest::addColumn<QPoint>("main");
        QTest::addColumn<QRect>("strip"); // null: not looked at
        const QRect below(0, 1080, 1600, 900), beside(1920, 0, 1920, 1080), negative(-1024, -300, 1024, 768);
        // The window already stands on its screen: a top bar is at the margin
        // inside it, not at the screen's y further down.
        QTest::newRow("top, screen below another") << 0 << below << below << 7 << false << QPoint(0, 7)
                                                   << QRect(474, 1087, 652, 2);
        QTest::newRow("top, under a top panel") << 0 << below << below.adjusted(0, 30, 0, 0) << 7 << false
                                                << QPoint(0, 37) << QRect();
        QTest::newRow("bottom, screen beside") << 2 << beside << beside << 10 << false << QPoint(0, 1080 - 163)
                                               << QRect(1920 + 634, 1080 - 163 + 153 - 2, 652, 2);
        QTest::newRow("bottom, on a bottom panel") << 2 << beside << beside.adjusted(0, 0, 0, -40) << 10 << false
                                                   << QPoint(0, 1040 - 163) << QRect();
        QTest::newRow("bottom, launch pad over the panel") << 2 << beside << beside.adjusted(0, 0, 0, -40) << 10
                                                           << true << QPoint(0, 1080 - 163) << QRect();
        QTest::newRow("bottom, panel on top") << 2 << beside << beside.adjusted(0, 30, 0, 0) << 10 << false
                                              << QPoint(0, 1080 - 163) << QRect();
        QTest::newRow("right, negative origin") << 1 << negative << negative << 4 << false << QPoint(1024 - 157, 0)
                                                << QRect(-1024 + 1024 - 157 + 153 - 2, -300 + 58, 2, 652);
        QTest::newRow("right, right panel") << 1 << negative << negative.adjusted(0, 0, -50, 0) << 4 << false
                                            << QPoint(1024 - 50 - 157, 0) << QRect();
        QTest::newRow("left, negative origin") << 3 << negative << negative << 4 << false << QPoint(4, 0)
                                               << QRect(-1024 + 4, -300 + 58, 2, 652);
        QTest::newRow("left, left panel") << 3 << negative << negative.adjusted(50, 0, 0, 0) << 4 << false
                                          << QPoint(54, 0) << QRect();
    }
    void placeBar()
    {
        QFETCH(int, edge);
        QFETCH(QRect, screen);
        QFETCH(QRect, available);
        QFETCH(int, margin);
        QFETCH(bool, launchPad);
        QFETCH(QPoint, main);
        QFETCH(QRect, strip);
        PlacementInput in = input(edge, screen, available, margin);
        in.launchPadOpen = launchPad;
        const Placement p = DockLayout::placeBar(in);
        QCOMPARE(p.main, main);
        if (!strip.isNull())
            QCOMPARE(p.strip, strip);
    }

    void wheelTurnsAPagePerNotch()
    {
        int pending = 0;
        QCOMPARE(takeWheelNotches(pending, 40), 0); // a touchpad's small steps
        QCOMPARE(takeWheelNotches(pending, 40), 0);
        QCOMPARE(takeWheelNotches(pending, 40), 1);
        QCOMPARE(pending, 0);
        QCOMPARE(takeWheelNotches(pending, -120), -1);
        QCOMPARE(takeWheelNotches(pending, 250), 2);
        QCOMPARE(pending, 10);
        QCOMPARE(takeWheelNotches(pending, -20), 0); // turning back undoes the rest
        QCOMPARE(pending, -10);
    }

    // The bubble and the weather scene beside the hovered icon, for a window
    // on a screen away from the origin: both on the side of the bar away
    // from its edge, centred on the span the icon takes magnified.
    void bubbleAndWeatherBesideTheIcon_data()
    {
        QTest::addColumn<int>("edge");
        QTest::addColumn<QRect>("main");
        QTest::addColumn<QRect>("frameIco");
        QTest::addColumn<QPoint>("icon");
        QTest::newRow("bottom") << 2 << QRect(0, 647, 1280, 153) << QRect(290, 25, 700, 128) << QPoint(64, 0);
        QTest::newRow("top") << 0 << QRect(0, 0, 1280, 158) << QRect(290, 0, 700, 128) << QPoint(64, 0);
        QTest::newRow("right") << 1 << QRect(1127, 0, 153, 800) << QRect(25, 50, 128, 700) << QPoint(0, 64);
        QTest::newRow("left") << 3 << QRect(0, 0, 153, 800) << QRect(0, 50, 133, 700) << QPoint(0, 64);
        QTest::newRow("bottom, first icon") << 2 << QRect(0, 647, 1280, 153) << QRect(290, 25, 700, 128) << QPoint(0, 0);
        QTest::newRow("left, last icon") << 3 << QRect(0, 0, 153, 800) << QRect(0, 50, 133, 700) << QPoint(0, 572);
    }
    void bubbleAndWeatherBesideTheIcon()
    {
        QFETCH(int, edge);
        QFETCH(QRect, main);
        QFETCH(QRect, frameIco);
        QFETCH(QPoint, icon);
        HoverInput in;
        in.window = QPoint(1920, 100);
        in.bubble = QSize(81, 41);
        in.weather = QSize(301, 201);
        in.edge = edge;
        in.main = main;
        in.frameIco = frameIco;
        in.icon = icon;
        const HoverPlaces h = hoverPlaces(in);
        const bool horizontal = edge == 0 || edge == 2;
        // The hovered icon magnified, on the screen.
        const QPoint along = horizontal ? QPoint(icon.x(), 0) : QPoint(0, icon.y());
        const QRect span(in.window + main.topLeft() + frameIco.topLeft() + along, QSize(128, 128));
        const QRect bubble(in.window + h.bubble, in.bubble), weather(h.weather, in.weather);
        const auto centred = [&](const QRect &r) {
            return qAbs(horizontal ? r.center().x() - span.center().x() : r.center().y() - span.center().y()) <= 3;
        };
        // How far past the span's inner side a rectangle reaches, and how far
        // it stays from the span on that side.
        const auto beyond = [&](const QRect &r) {
            const int out[] = { r.bottom() - span.bottom(), span.left() - r.left(), span.top() - r.top(), r.right() - span.right() };
            return out[edge];
        };
        const auto clear = [&](const QRect &r) {
            const int gap[] = { r.top() - span.bottom(), span.left() - r.right(), span.top() - r.bottom(), r.left() - span.right() };
            return gap[edge];
        };
        QVERIFY(centred(bubble));
        QVERIFY(clear(bubble) > 0 && clear(bubble) <= 40);
        QVERIFY(centred(weather));
        QVERIFY(beyond(weather) > in.weather.width() / 2 || beyond(weather) > in.weather.height() / 2);
        if (horizontal)
            QVERIFY(clear(weather) > 0); // it stands on the magnified icons, or hangs below them
    }
};

ZV_TEST_MAIN(TestDockLayout)
#include "tst_docklayout.moc"
