// Hover magnification: the interpolation around the hovered icon, spacers
// included, what the dock window does with it, and the name bubble as it
// shows beside the hovered icon.
#include "dock/icons/formcommonicon.h"
#include "dock/icons/formname.h"
#include "dock/icons/magnify.h"
#include "dock/window/docklayout.h"
#include "seen.h"
#include "testenv.h"
#include "widgetfixture.h"

#include <QtTest>

#include <random>

// The plan as "row:size" or "row:grow", in the order of the steps.
static QString planText(const char *pattern, int hovered, float x, bool horizontal)
{
    QVector<bool> blank; // 'i' an icon, 'b' a spacer
    for (const char *c = pattern; *c; ++c)
        blank << (*c == 'b');
    QStringList out;
    for (const Magnify::Step &s : Magnify::plan(blank, hovered, x, 128, 64, horizontal).steps)
        out << QString("%1:%2").arg(s.row).arg(s.kind == Magnify::Step::Grow ? QString("grow") : QString::number(s.size));
    return out.join(' ');
}

class TestMagnify : public QObject, public WidgetFixture
{
    Q_OBJECT
private slots:
    void init() { setUpFakes(); }
    void cleanup() { tearDownFakes(); }

    void interpolation_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("hovered");
        QTest::addColumn<float>("x");
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<QString>("plan");
        // M 128, N 64: at x 32 the near neighbour is 112, the far one 80.
        QTest::newRow("both neighbours") << "iii" << 1 << 32.f << true << "0:112 2:80";
        QTest::newRow("pointer at the near edge") << "iii" << 1 << 0.f << true << "0:128 2:64";
        QTest::newRow("pointer at the far edge") << "iii" << 1 << 128.f << true << "0:64 2:128";
        QTest::newRow("first of the row") << "iii" << 0 << 32.f << true << "1:80";
        QTest::newRow("last of the row") << "iii" << 2 << 32.f << true << "1:112";
        QTest::newRow("alone") << "i" << 0 << 32.f << true << "";
        QTest::newRow("near spacer passes the size on") << "ibii" << 2 << 32.f << true << "1:112 0:112 3:80";
        QTest::newRow("spacer in row 0") << "bii" << 1 << 32.f << true << "0:112 2:80";
        QTest::newRow("far spacer and the icon beyond") << "iibi" << 1 << 32.f << true << "0:112 2:80 3:80";
        QTest::newRow("vertical: near spacer by its length") << "bi" << 1 << 64.f << false << "0:76.8";
        QTest::newRow("vertical: far spacer") << "ib" << 0 << 64.f << false << "1:96";
        QTest::newRow("hovered spacer grows both sides") << "ibi" << 1 << 5.f << true << "0:grow 2:grow";
        QTest::newRow("two spacers: the icon beyond grows") << "ibbi" << 2 << 5.f << true << "1:grow 0:grow 3:grow";
        QTest::newRow("hovered spacer in row 0") << "bi" << 0 << 5.f << true << "1:grow";
    }
    void interpolation()
    {
        QFETCH(QString, pattern);
        QFETCH(int, hovered);
        QFETCH(float, x);
        QFETCH(bool, horizontal);
        QFETCH(QString, plan);
        QCOMPARE(planText(pattern.toLatin1().constData(), hovered, x, horizontal), plan);
    }

    void rowsFurtherAwayGoBackToRest()
    {
        QVector<bool> nine(9, false);
        const Magnify::Plan p = Magnify::plan(nine, 4, 10, 128, 64, true);
        QCOMPARE(p.restoreAfter, 7);
        QCOMPARE(p.restoreBefore, 1);
        // Two rows away they go back at once, unless a spacer passed them a size.
        QCOMPARE(p.settle, QVector<int>({ 2, 6 }));
        QCOMPARE(Magnify::plan({ false, true, false, false }, 2, 10, 128, 64, true).settle, QVector<int>());
        QCOMPARE(Magnify::plan({ false, false, false }, 0, 10, 128, 64, true).settle, QVector<int>({ 2 }));
    }

    void theDockSizesItsIcons()
    {
        QList<DockIconRecord> six;
        for (const char *id : { "a", "b", "c", "d", "e", "f" })
            six.append({ id, ":/image/icon/none.png", id, "ICON", "/bin/true", "" });
        writeDock(six);
        Widget w;
        QTRY_VERIFY(w.autoHide()->isDockShown());
        DockBar *bar = w.bar();
        auto size = [bar](const char *id) { return bar->iconSize(id); };
        auto x = [bar](const char *id) { return bar->iconPos(id).x(); };
        w.IconMouseMove("zz", QPoint(3, 3)); // not on the bar: nothing
        QCOMPARE(size("b"), QSize(64, 64));
        bar->setSize("f", 100); // left magnified by an earlier hover
        w.IconMouseMove("c", QPoint(32, 40));
        QCOMPARE(size("b"), QSize(112, 112));
        QCOMPARE(size("d"), QSize(80, 80));
        FormName *bubble = w.tips()->bubble();
        QVERIFY(bubble->isVisible());
        // The relayout puts them side by side on the bottom of the icon strip.
        QTRY_COMPARE(x("d"), x("b") + 112 + size("c").width());
        QCOMPARE(bar->iconPos("b").y(), 128 - 112);
        // Sideways off the icon: only the bubble goes.
        w.MousePosition(1);
        QVERIFY(!bubble->isVisible());
        QCOMPARE(size("b"), QSize(112, 112));
        // Towards the screen edge: every icon back to rest, three rows away too.
        w.MousePosition(2);
        QTRY_COMPARE(size("b"), QSize(64, 64));
        QTRY_COMPARE(size("d"), QSize(64, 64));
        QTRY_COMPARE(size("f"), QSize(64, 64));
        // At rest, nothing runs.
        QTRY_VERIFY(!bar->isAnimating());
    }

    // The name bubble as it shows while the pointer rests on an icon at
    // either end of a bar that nearly fills its screen: on the side of the
    // icon away from the screen edge, close to it and centred on it, its
    // arrow (on a top or bottom bar) pointing at it, in front of the bar and
    // wholly on the screen.
    void theBubbleStandsOverItsIcon_data()
    {
        QTest::addColumn<int>("edge");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("roomBeside"); // the bubble is narrower than twice the room beside the end icon
        const QString name = QString::fromUtf8("文件管理"), longName = QString::fromUtf8("一个名字很长很长的应用程序");
        const char *edges[] = { "top", "right", "bottom", "left" };
        for (int edge = 0; edge < 4; ++edge) {
            QTest::newRow(edges[edge]) << edge << name << true;
            // The row leaves room for two grown icons: an end icon grown
            // stands far enough from the screen's end for a long name too.
            QTest::newRow(qPrintable(QString(edges[edge]) + ", long names")) << edge << longName << true;
        }
    }
    void theBubbleStandsOverItsIcon()
    {
        QFETCH(int, edge);
        QFETCH(QString, name);
        QFETCH(bool, roomBeside);
        const bool horizontal = edge == 0 || edge == 2;
        QList<DockIconRecord> rows;
        const int n = horizontal ? 17 : 10; // as many as fit, two of them grown
        for (int i = 0; i < n; ++i)
            rows.append({ QString("i%1").arg(i), ":/image/icon/Finder.png", i == 0 || i == n - 1 ? name : QString("n%1").arg(i),
                          "ICON", "/bin/true", "" });
        writeDock(rows);
        setting("System/Location", edge);
        Widget w;
        QTRY_VERIFY(w.autoHide()->isDockShown());
        const QRect screen = screens->geometry(0);
        QCOMPARE(w.geometry(), screen);
        QCOMPARE(int(w.barLayout()->now().size), 64);
        DockBar *bar = w.bar();
        FormName *bubble = w.tips()->bubble();
        for (const QString &id : QStringList { "i0", QString("i%1").arg(n - 1) }) {
            // The pointer, never off the screen, comes to rest on the icon
            // once it has grown; the row slides under a moving pointer, so
            // the pointer follows the icon.
            const QRect reach = bar->rect() & QRect(bar->mapFrom(&w, QPoint(0, 0)), w.size());
            const auto onIcon = [&] { return (bar->iconRect(id) & reach).center(); };
            const auto grown = [&] {
                return bar->hoveredId() == id && bar->iconSize(id) == QSize(128, 128) && !bar->isAnimating();
            };
            w.MousePosition(edge); // off the last icon towards the screen edge: the row rests
            QTRY_VERIFY(!bar->isAnimating() && bar->iconSize("i0") == QSize(64, 64)
                        && bar->iconSize(QString("i%1").arg(n - 1)) == QSize(64, 64));
            for (int tries = 0; tries < 5 && !grown(); ++tries) {
                QTest::mouseMove(bar, onIcon());
                if (QTest::qWaitFor(grown, 2000))
                    break;
            }
            QVERIFY(grown());
            QTest::mouseMove(bar, onIcon() + QPoint(1, 1));
            QVERIFY(bubble->isVisible());
            const QRect icon = bar->iconRectOnScreen(id);

            // What shows of the bubble, on the screen; the window that holds
            // it shows it in front of everything else.
            const QImage picture = Seen::plain(bubble->picture().toImage());
            const QRect drawn = Seen::drawnBounds(picture);
            const QPoint at = bubble->mapToGlobal(QPoint(0, 0));
            const QRect seen = drawn.translated(at);
            const QString what = id + ": bubble " + Seen::text(seen) + ", icon " + Seen::text(icon);
            QWidget *holder = w.tips()->bubbleWindow();
            const QImage window = Seen::plain(holder->grab().toImage());
            const QPoint inWindow = bubble->mapTo(holder, QPoint(0, 0));
            int covered = 0;
            for (int y = drawn.top(); y <= drawn.bottom(); ++y) {
                for (int x = drawn.left(); x <= drawn.right(); ++x) {
                    const QPoint p = inWindow + QPoint(x, y);
                    covered += picture.pixelColor(x, y).alpha() > 200 && window.rect().contains(p)
                               && !Seen::alike(picture.pixelColor(x, y), window.pixelColor(p), 8);
                }
            }
            QVERIFY2(covered == 0, qPrintable(what));

            // Beside the icon on the side away from the edge, near it, and
            // centred on it where there is room.
            const int gap[] = { seen.top() - icon.bottom(), icon.left() - seen.right(), icon.top() - seen.bottom(),
                                seen.left() - icon.right() };
            QVERIFY2(gap[edge] > 0 && gap[edge] <= 40, qPrintable(what));
            const int off = horizontal ? seen.center().x() - icon.center().x() : seen.center().y() - icon.center().y();
            if (roomBeside)
                QVERIFY2(qAbs(off) <= 3, qPrintable(what));
            // The arrow narrows towards the icon and points at it; beside a
            // side bar the bubble is a plain box.
            const auto line = [&](int in) { // the drawn part `in` pixels from the side facing the icon
                const QRect lines[] = { QRect(drawn.left(), drawn.top() + in, drawn.width(), 1),
                                        QRect(drawn.right() - in, drawn.top(), 1, drawn.height()),
                                        QRect(drawn.left(), drawn.bottom() - in, drawn.width(), 1),
                                        QRect(drawn.left() + in, drawn.top(), 1, drawn.height()) };
                return Seen::drawnBounds(picture, lines[edge], 100).translated(at);
            };
            const QRect tip = line(0), wider = line(4);
            if (horizontal) {
                QVERIFY2(tip.width() < wider.width() && wider.width() * 2 < seen.width(),
                         qPrintable(what + ", arrow " + Seen::text(tip) + " " + Seen::text(wider)));
                QVERIFY2(qAbs(tip.center().x() - icon.center().x()) <= (roomBeside ? 3 : icon.width() / 2),
                         qPrintable(what + ", arrow " + Seen::text(tip)));
            } else {
                QVERIFY2(tip.height() * 5 >= seen.height() * 4, qPrintable(what + ", side " + Seen::text(tip)));
            }
            if (!roomBeside)
                QEXPECT_FAIL("", "a bubble wider than the room beside an end icon reaches past the screen", Continue);
            QVERIFY2(screen.contains(seen), qPrintable(what));
        }
    }

    // The bubble stands beside the magnified icon: whenever the icons go
    // back to rest it goes too, whatever sent them back.
    void theBubbleGoesWhenTheIconsRest()
    {
        writeDock({ { "a", ":/image/icon/none.png", "a", "ICON", "/bin/true", "" },
                    { "b", ":/image/icon/none.png", "b", "ICON", "/bin/true", "" } });
        Widget w;
        QTRY_VERIFY(w.autoHide()->isDockShown());
        FormName *bubble = w.tips()->bubble();
        const auto hover = [&] {
            w.IconMouseMove("b", QPoint(20, 20));
            QVERIFY(bubble->isVisible());
        };
        hover();
        // Another window takes the keyboard: the program just opened, the
        // drive chooser, a dialog.
        active->setOther(42, platform::ActiveWindow::State::Normal, QRect(0, 0, 400, 300));
        QVERIFY(!bubble->isVisible());
        QTRY_VERIFY(w.bar()->isAtRest());
        hover();
        w.IconRestore();
        QVERIFY(!bubble->isVisible());
        hover();
        w.MenuHide();
        QVERIFY(!bubble->isVisible());
        hover();
        w.IconPressMove("b", QPoint(20, 20)); // a drag starts
        QVERIFY(!bubble->isVisible());
    }

    // The icons' sizes follow where the pointer stands on the icon as it
    // stands at that moment: a second move to the same place (the toolkit
    // sends one before a press, where the bar followed the pointer by
    // itself) must leave them as they are drawn, or the press lands on a
    // neighbour of the icon under the pointer.
    void aMoveThatGoesNowhereChangesNothing_data()
    {
        QTest::addColumn<int>("edge");
        QTest::newRow("left") << 3;
        QTest::newRow("bottom") << 2;
    }
    void aMoveThatGoesNowhereChangesNothing()
    {
        QFETCH(int, edge);
        QList<DockIconRecord> rows;
        for (int i = 0; i < 9; ++i)
            rows.append({ QString("i%1").arg(i), ":/image/icon/none.png", "n", "ICON", "/bin/true", "" });
        writeDock(rows);
        setting("System/Location", edge);
        Widget w;
        QTRY_VERIFY(w.autoHide()->isDockShown());
        DockBar *bar = w.bar();
        const bool horizontal = edge == 0 || edge == 2;
        const auto move = [bar](const QPoint &local) {
            QMouseEvent e(QEvent::MouseMove, local, bar->mapToGlobal(local), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
            QCoreApplication::sendEvent(bar, &e);
            QTRY_VERIFY(!bar->isAnimating());
        };
        const auto layout = [bar] {
            QStringList out;
            for (const QString &id : bar->ids())
                out << QString("%1@%2").arg(id, QString::number(bar->iconRect(id).y() * 10000 + bar->iconRect(id).x()));
            return out.join(' ');
        };
        // Along the bar at some depth, ending at every few pixels of a row.
        const QRect strip = bar->stripRect();
        const int across = horizontal ? strip.bottom() - 20 : strip.left() + 20;
        const int first = horizontal ? bar->iconRect("i2").center().x() : bar->iconRect("i2").center().y();
        for (int end = first + 40; end < first + 400; end += 23) {
            const auto at = [&](int along) { return horizontal ? QPoint(along, across) : QPoint(across, along); };
            for (int k = 0; k <= 4; ++k)
                move(at(first + (end - first) * k / 4));
            const QString drawn = layout();
            const QString under = bar->iconAt(at(end));
            move(at(end));
            QCOMPARE(layout(), drawn);
            QCOMPARE(bar->iconAt(at(end)), under);
        }
    }

    // A row that nearly fills the free part of its screen, magnified far:
    // wherever the pointer stops along it, gliding or jumping there, every
    // icon stands on the screen and off the desktop's panel.
    void grownRowsStayInTheFreePartOfTheScreen_data()
    {
        QTest::addColumn<int>("edge");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("spacers"); // rows that are spacers
        const QRect screen(0, 0, 1920, 1080);
        QTest::newRow("left, panel below") << 3 << screen.adjusted(0, 0, 0, -40) << 16 << "";
        QTest::newRow("right, panel above") << 1 << screen.adjusted(0, 30, 0, 0) << 16 << "";
        QTest::newRow("left, spacers") << 3 << screen.adjusted(0, 0, 0, -40) << 18 << "3 9";
        QTest::newRow("bottom, panel beside") << 2 << screen.adjusted(60, 0, 0, 0) << 28 << "";
        QTest::newRow("top, no panel") << 0 << screen << 30 << "0 29";
    }
    void grownRowsStayInTheFreePartOfTheScreen()
    {
        QFETCH(int, edge);
        QFETCH(QRect, available);
        QFETCH(int, count);
        QFETCH(QString, spacers);
        tearDownFakes();
        setUpFakes({ { QRect(0, 0, 1920, 1080), available } });
        QList<DockIconRecord> rows;
        const QStringList blank = spacers.split(' ', Qt::SkipEmptyParts);
        for (int i = 0; i < count; ++i)
            rows.append({ QString("i%1").arg(i), ":/image/icon/none.png", "n",
                          blank.contains(QString::number(i)) ? "BLANK" : "ICON", "/bin/true", "" });
        writeDock(rows);
        setting("System/Location", edge);
        setting("System/IcoScale", 84);
        Widget w;
        QTRY_VERIFY(w.autoHide()->isDockShown());
        DockBar *bar = w.bar();
        const bool horizontal = edge == 0 || edge == 2;
        // The icons shrank to leave room for the growth, and no more than that.
        const int n = int(w.barLayout()->now().size);
        QVERIFY(n < 64);
        const float M = w.barLayout()->now().magnified;
        const int length = horizontal ? available.width() : available.height();
        QVERIFY(DockLayout::fitCheck(float(n) + 1, count, blank.size(), length, M).overflow);
        QVERIFY(!DockLayout::fitCheck(float(n), count, blank.size(), length, M).overflow);
        std::mt19937 rng(20261210u + quint32(edge));
        const auto check = [&](const QString &when) {
            QTRY_VERIFY(!bar->isAnimating());
            w.barLayout()->relayoutIfPending();
            for (const QString &id : bar->ids()) {
                const QRect r = bar->iconRectOnScreen(id);
                QVERIFY2(available.contains(r), qPrintable(QString("%1: %2 at %3,%4 %5x%6")
                                                               .arg(when, id).arg(r.x()).arg(r.y())
                                                               .arg(r.width()).arg(r.height())));
            }
        };
        for (int k = 0; k < 40; ++k) {
            // Somewhere on the row as it stands, at the depth of the icons at rest.
            const QRect strip = bar->stripRect();
            const int along = std::uniform_int_distribution<int>(0, (horizontal ? strip.width() : strip.height()) - 1)(rng);
            const QPoint to = horizontal ? QPoint(strip.x() + along, edge == 0 ? strip.top() + 5 : strip.bottom() - 5)
                                         : QPoint(edge == 3 ? strip.left() + 5 : strip.right() - 5, strip.y() + along);
            const bool glide = k % 2 == 0;
            const QPoint from = QCursor::pos() - bar->mapToGlobal(QPoint(0, 0));
            for (int step = glide ? 1 : 8; step <= 8; ++step) {
                const QPoint at = glide ? from + (to - from) * step / 8 : to;
                QMouseEvent e(QEvent::MouseMove, at, bar->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
                QCursor::setPos(bar->mapToGlobal(at));
                QCoreApplication::sendEvent(bar, &e);
            }
            check(QString("%1 to %2").arg(glide ? "glide" : "jump").arg(along));
            if (QTest::currentTestFailed())
                return;
        }
    }
};

ZV_TEST_MAIN(TestMagnify)
#include "tst_magnify.moc"
