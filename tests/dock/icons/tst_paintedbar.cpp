// The painted bar alone: its icons follow the icon table, the row's layout
// on each edge, the magnification around the pointer, animations that stop
// at their target, and the pointer's click, long press and drag.
#include "dock/icons/dockbar.h"
#include "dock/model/dockiconlist.h"
#include "testenv.h"

#include <QBackingStore>
#include <QSignalSpy>
#include <QtTest>

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

} // namespace

class TestPaintedBar : public QObject
{
    Q_OBJECT

    // A bar of `ids` (a "-" makes a spacer) on `edge`, shown and laid out.
    struct Fixture
    {
        DockIconList rows;
        DockBar bar;
        Fixture(const QStringList &ids, int edge = 2)
        {
            QList<DockIconRecord> list;
            for (const QString &id : ids)
                list << (id.startsWith('-') ? row(id, "BLANK") : row(id));
            rows.setRows(list);
            bar.setEdge(edge);
            bar.setIconSizes(128, 64);
            bar.setModel(&rows);
            bar.setGeometry(0, 0, 1000, 160);
            bar.setStripRect(QRect(10, 25, 900, 128));
            bar.layoutRow();
            bar.show();
        }
        QPoint at(const QString &id, int dx = 20, int dy = 40) { return bar.iconRect(id).topLeft() + QPoint(dx, dy); }
    };

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
        auto *shown = dynamic_cast<QImage *>(window.backingStore()->paintDevice());
        QVERIFY(shown);
        int mismatches = 0;
        for (int step = 0; step < 100 && mismatches == 0; ++step) {
            // Along the row and back, eight pixels a move.
            const int along = 300 + 8 * (step < 50 ? step : 100 - step);
            QTest::mouseMove(&bar, across ? QPoint(along, 140) : QPoint(30, along));
            QTest::qWait(17);
            // A frame now, then the picture against a full drawing.
            QEvent frame(QEvent::UpdateRequest);
            QCoreApplication::sendEvent(&window, &frame);
            const QImage whole = bar.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
            const QImage now = shown->copy(bar.geometry()).convertToFormat(QImage::Format_ARGB32_Premultiplied);
            if (!alike(now, whole)) {
                ++mismatches;
                qWarning() << "differs after the move to" << along;
            }
        }
        QCOMPARE(mismatches, 0);
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
