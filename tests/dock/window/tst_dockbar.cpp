// The bar on its screen: placement, the fit check, the background looks, the
// reserved strip and the desktop icons, through fakes of the desktop.
#include "dock/icons/formcommonicon.h"
#include "dock/window/dockplacement.h"
#include "dock/window/formdetection.h"
#include "seen.h"
#include "testenv.h"
#include "widgetfixture.h"

#include <QtTest>

static QList<DockIconRecord> plainRows(int n)
{
    QList<DockIconRecord> rows;
    for (int i = 0; i < n; ++i)
        rows.append({ QString("ico%1").arg(i), "x.png", "n", "ICON", "", "" });
    return rows;
}

// The corners of `box` that do not look rounded, as the text of a failure:
// a rounded corner is clear at its very pixel, while `rounding` pixels in
// along both of its edges the background shows in full.
static QString squareCorners(const QImage &img, const QRect &box, int rounding)
{
    QStringList square;
    const QPoint corners[] = { box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight() };
    const char *names[] = { "top left", "top right", "bottom left", "bottom right" };
    for (int i = 0; i < 4; ++i) {
        const QPoint c = corners[i];
        const int inX = c.x() == box.left() ? rounding : -rounding, inY = c.y() == box.top() ? rounding : -rounding;
        const int corner = img.pixelColor(c).alpha();
        const int alongX = img.pixelColor(c + QPoint(inX, 0)).alpha(), alongY = img.pixelColor(c + QPoint(0, inY)).alpha();
        if (corner * 3 > qMin(alongX, alongY) || qMin(alongX, alongY) < 60)
            square << QString("%1: alpha %2 at the corner, %3 and %4 along its edges").arg(names[i]).arg(corner).arg(alongX).arg(alongY);
    }
    return square.join("; ");
}

class TestDockBar : public QObject, public WidgetFixture
{
    Q_OBJECT
private slots:
    void init()
    {
        setUpFakes({ { QRect(0, 0, 1280, 800), QRect(0, 0, 1280, 800) },
                     { QRect(0, 800, 1600, 900), QRect(0, 800, 1600, 860) },
                     { QRect(1600, 300, 1024, 768), QRect(1650, 300, 974, 768) } });
        writeDock(plainRows(5));
    }
    void cleanup() { tearDownFakes(); }

    void windowCoversItsScreen()
    {
        setting("System/Screen", 1);
        setting("System/Location", 2);
        Widget w;
        QCOMPARE(w.geometry(), QRect(0, 800, 1600, 900));
        QCOMPARE(w.barLayout()->placement()->taskbarSide(), 2);
        QCOMPARE(frame(w, "main")->pos(), QPoint(0, 860 - 153)); // against the panel
        QTRY_VERIFY(w.autoHide()->isDockShown());
        QCOMPARE(w.autoHide()->strip()->geometry().bottom(), 800 + 860 - 1);
        // A top bar on this screen, below the first one, stays on it.
        DockSettings::instance()->setLocation(0);
        QCOMPARE(frame(w, "main")->pos(), QPoint(0, 0));
        QCOMPARE(w.autoHide()->strip()->geometry().y(), 800);
        DockSettings::instance()->setMargin(12);
        QCOMPARE(frame(w, "main")->pos(), QPoint(0, 12));
    }

    void sideBarsOnAScreenWithALeftPanel()
    {
        setting("System/Screen", 2);
        setting("System/Location", 3);
        Widget w;
        QCOMPARE(w.barLayout()->placement()->taskbarSide(), 3);
        QCOMPARE(frame(w, "main")->pos(), QPoint(50, 0));
        DockSettings::instance()->setLocation(1);
        QCOMPARE(frame(w, "main")->pos(), QPoint(1024 - 153, 0));
        QTRY_COMPARE(w.bar()->stripRect().x(), 25);
    }

    void aMissingScreenFallsBackWithoutRewriting()
    {
        setting("System/Screen", 9);
        Widget w;
        QCOMPARE(w.geometry(), QRect(0, 0, 1280, 800));
        QCOMPARE(w.barLayout()->placement()->taskbarSide(), 4);
        QCOMPARE(QSettings(platform::configPath("config.ini"), QSettings::IniFormat).value("System/Screen").toInt(), 9);
    }

    void overfullRowShrinks()
    {
        writeDock(plainRows(20));
        Widget w;
        // Room for the two icons grown to 128 as well: (1280 - 12 - 256) / 18.
        QTRY_COMPARE(int(w.barLayout()->now().size), 56);
        QCOMPARE(DockSettings::instance()->icoSize(), 64);       // the configured size stays
        QCOMPARE(w.barLayout()->now().magnified, 128.f); // and so does the magnified one
        QTRY_COMPARE(w.bar()->stripRect().width(), 20 * 56);
        DockSettings::instance()->setIcoSize(48); // back to a configured size only by setting it
        QTRY_COMPARE(int(w.barLayout()->now().size), 48);
        QCOMPARE(w.barLayout()->now().magnified, 48.f + 64); // what the scale adds to the new size
        DockSettings::instance()->setIcoScale(32);
        QCOMPARE(w.barLayout()->now().magnified, 80.f);
        QTRY_COMPARE(w.bar()->stripRect().height(), 80);
    }

    // The fit check measures the screen the bar stands on, from the first
    // layout on, before the window covers that screen; a shrink the row took
    // on one edge is gone on the next, and never becomes the size the user
    // chose.
    void theSizeFitsTheScreenOfTheBar()
    {
        screens->screens = { { QRect(0, 0, 1920, 1080), QRect(0, 0, 1920, 1080) } };
        writeDock(plainRows(14));
        setting("System/Location", 3);
        {
            Widget w;
            QTRY_VERIFY(w.autoHide()->isDockShown());
            QCOMPARE(int(w.barLayout()->now().size), 64);
            QCOMPARE(w.bar()->iconSize("ico0"), QSize(64, 64));
            QCOMPARE(w.bar()->stripRect().height(), 14 * 64);
        }
        writeDock(plainRows(21));
        setting("System/Location", 2);
        Widget w;
        QTRY_VERIFY(w.autoHide()->isDockShown());
        QCOMPARE(int(w.barLayout()->now().size), 64);
        DockSettings::instance()->setLocation(3); // 21 icons of 64 are too long for 1080 pixels
        QTRY_COMPARE(int(w.barLayout()->now().size), (1080 - 12 - 2 * 128) / 19);
        QCOMPARE(DockSettings::instance()->icoSize(), 64);
        DockSettings::instance()->setLocation(2);
        QTRY_COMPARE(int(w.barLayout()->now().size), 64);
        QCOMPARE(DockSettings::instance()->icoSize(), 64);
        QTRY_COMPARE(w.bar()->stripRect().width(), 21 * 64);
    }

    void hiddenPlusTakesNoRoom()
    {
        QList<DockIconRecord> list = plainRows(3);
        list.insert(1, { "plus", "x.png", "n", "ICON", "", "" });
        writeDock(list);
        Widget w;
        QVERIFY(w.bar()->isIconHidden("plus"));
        QTRY_COMPARE(w.bar()->stripRect().width(), 3 * 64);
    }

    // What the bar shows behind its icons, as config.ini chooses it: a white
    // or black fill of the chosen alpha with rounded corners, the style's
    // pictures with rounded ends, or nothing where the style's pictures are
    // not there.
    void theBackgroundShowsAsChosen_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("edge");
        QTest::addColumn<QColor>("fill"); // invalid: the style's pictures; clear: nothing at all
        const QColor pictures, nothing(Qt::transparent);
        QTest::newRow("white, bottom") << 0 << 2 << QColor(255, 255, 255, 200);
        QTest::newRow("black, right") << 1 << 1 << QColor(0, 0, 0, 200);
        QTest::newRow("black, top") << 1 << 0 << QColor(0, 0, 0, 200);
        QTest::newRow("white, left") << 0 << 3 << QColor(255, 255, 255, 200);
        QTest::newRow("pictures, bottom") << 2 << 2 << pictures;
        QTest::newRow("pictures, top") << 2 << 0 << pictures;
        // Upright, each end's picture is rounded towards its own end.
        QTest::newRow("upright pictures, right") << 2 << 1 << pictures;
        QTest::newRow("upright pictures, left") << 2 << 3 << pictures;
        QTest::newRow("the same pictures as style 3") << 3 << 2 << pictures;
        QTest::newRow("style 4: its pictures are not there") << 4 << 2 << nothing;
        QTest::newRow("style 6, top") << 6 << 0 << nothing;
        QTest::newRow("a style no version knows") << 9 << 2 << nothing;
    }
    void theBackgroundShowsAsChosen()
    {
        QFETCH(int, style);
        QFETCH(int, edge);
        QFETCH(QColor, fill);
        setting("System/Location", edge);
        setting("System/BackgroundStyle", style);
        setting("System/TransparentBackground", 200);
        Widget w;
        QTRY_VERIFY(w.autoHide()->isDockShown());
        QTRY_VERIFY(w.bar()->isAtRest());
        // The icons' pictures are missing: what shows is the background alone.
        const QImage shown = Seen::plain(w.grab().toImage());
        const QRect box = Seen::drawnBounds(shown);
        if (fill == QColor(Qt::transparent)) {
            QVERIFY2(box.isNull(), qPrintable("drawn at " + Seen::text(box)));
            return;
        }
        // Against its screen edge, in the middle along it.
        const QRect screen = w.rect();
        const bool horizontal = edge == 0 || edge == 2;
        const int fromEdge[] = { box.top() - screen.top(), screen.right() - box.right(), screen.bottom() - box.bottom(),
                                 box.left() - screen.left() };
        QCOMPARE(fromEdge[edge], 0);
        QVERIFY(qAbs(horizontal ? box.center().x() - screen.center().x() : box.center().y() - screen.center().y()) <= 1);
        // Under the whole row, whose ends leave the rounding free.
        QRect row;
        for (const QString &id : w.bar()->ids())
            if (!w.bar()->isIconHidden(id))
                row |= w.bar()->iconRect(id).translated(w.bar()->mapTo(&w, QPoint()));
        const int rounding = fill.isValid() ? 4 : 16;
        QVERIFY(box.contains(row));
        QVERIFY(horizontal ? row.left() - box.left() >= rounding && box.right() - row.right() >= rounding
                           : row.top() - box.top() >= rounding && box.bottom() - row.bottom() >= rounding);
        const QString square = squareCorners(shown, box, rounding);
        QVERIFY2(square.isEmpty(), qPrintable(square));
        DockSettings::instance()->setTransparentBackground(60);
        const QImage lighter = Seen::plain(w.grab().toImage());
        if (fill.isValid()) {
            // The chosen colour, and a new alpha shows at once.
            QVERIFY2(Seen::alike(shown.pixelColor(box.center()), fill), qPrintable(shown.pixelColor(box.center()).name(QColor::HexArgb)));
            fill.setAlpha(60);
            QVERIFY2(Seen::alike(lighter.pixelColor(box.center()), fill), qPrintable(lighter.pixelColor(box.center()).name(QColor::HexArgb)));
        } else {
            // The pictures do not change with it.
            QCOMPARE(Seen::changes(shown, lighter).pixels, 0);
        }
    }

    void desktopIconsOnlyWithTheSwitch()
    {
        Widget w;
        desk->calls.clear();
        w.IconDisplay(); // switch off: nothing
        QVERIFY(desk->calls.isEmpty());
        DockSettings::instance()->setDesktopIcon(true);
        w.IconDisplay();
        QVERIFY(!w.showing()->desktopIconsShown());
        w.IconDisplay();
        w.IconDisplay();
        DockSettings::instance()->setDesktopIcon(false); // switching the feature off brings them back at once
        QVERIFY(w.showing()->desktopIconsShown());
        QCOMPARE(desk->calls, QStringList({ "hide", "restore", "hide", "restore" }));
    }

    void workAreaReservesNothing()
    {
        screens->screens[0].available = QRect(0, 0, 1280, 770); // a 30-pixel panel below
        setting("System/WorkArea", true);
        setting("System/Location", 2);
        Widget w;
        QVERIFY(DockSettings::instance()->workArea());
        const QPoint before = frame(w, "main")->pos();
        QCOMPARE(before, QPoint(0, 770 - 153));
        // Neither the start nor the switch takes a strip of the screen for the
        // bar: the bar keeps its place beside the panel.
        DockSettings::instance()->setWorkArea(false);
        DockSettings::instance()->setWorkArea(true);
        QVERIFY(DockSettings::instance()->workArea());
        QCOMPARE(frame(w, "main")->pos(), before);
    }
};

ZV_TEST_MAIN(TestDockBar)
#include "tst_dockbar.moc"
