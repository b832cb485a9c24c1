// The bar on its screen: placement, the fit check, the background looks, the
// reserved strip and the desktop icons, through fakes of the desktop.
#include "dock/icons/formcommonicon.h"
#include "dock/window/backgroundstyle.h"
#include "dock/window/dockplacement.h"
#include "dock/window/formdetection.h"
#include "testenv.h"
#include "widgetfixture.h"

#include <QRegularExpression>
#include <QtTest>

static QList<DockIconRecord> plainRows(int n)
{
    QList<DockIconRecord> rows;
    for (int i = 0; i < n; ++i)
        rows.append({ QString("ico%1").arg(i), "x.png", "n", "ICON", "", "" });
    return rows;
}

// A look in short: the strips, the inset, the fill and each picture set,
// pictures as "folder/piece".
static QString describe(const BackgroundStyle::Look &l)
{
    auto onOff = [](const std::optional<bool> &v) { return !v ? QString("?") : *v ? QString("on") : QString("off"); };
    QStringList out { "H " + onOff(l.horizontalStrip), "V " + onOff(l.verticalStrip) };
    if (l.inset)
        out << "inset " + QString::number(*l.inset);
    if (l.fill)
        out << QString("fill %1,%2,%3,%4 round %5")
                   .arg(l.fill->red()).arg(l.fill->green()).arg(l.fill->blue()).arg(l.fill->alpha()).arg(l.radius.value_or(-1));
    const QRegularExpression pic(":/image/style/([^)]*)\\.png");
    const std::pair<const char *, const std::optional<QString> *> pieces[] = {
        { "bl", &l.first }, { "bg", &l.middle }, { "br", &l.last },
        { "bl2", &l.first2 }, { "bg2", &l.middle2 }, { "br2", &l.last2 } };
    for (const auto &s : pieces) {
        if (*s.second)
            out << QString(s.first) + " " + pic.match(**s.second).captured(1);
    }
    return out.join(", ");
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
        w.setPosition(0);
        QCOMPARE(frame(w, "main")->pos(), QPoint(0, 0));
        QCOMPARE(w.autoHide()->strip()->geometry().y(), 800);
        w.setMargin(12);
        QCOMPARE(frame(w, "main")->pos(), QPoint(0, 12));
    }

    void sideBarsOnAScreenWithALeftPanel()
    {
        setting("System/Screen", 2);
        setting("System/Location", 3);
        Widget w;
        QCOMPARE(w.barLayout()->placement()->taskbarSide(), 3);
        QCOMPARE(frame(w, "main")->pos(), QPoint(50, 0));
        w.setPosition(1);
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
        QTRY_COMPARE(w.settings().currentSize, 63);
        QCOMPARE(w.settings().icoSize, 64.f);       // the configured size stays
        QCOMPARE(w.settings().icoMagnified, 128.f); // and so does the magnified one
        QTRY_COMPARE(w.bar()->stripRect().width(), 20 * 63);
        w.setIcoSize(48); // back to a configured size only by setting it
        QTRY_COMPARE(w.settings().currentSize, 48);
        QCOMPARE(w.settings().icoMagnified, 128.f);
        w.setIcoScale(32);
        QCOMPARE(w.settings().icoMagnified, 80.f);
        QTRY_COMPARE(w.bar()->stripRect().height(), 80);
    }

    // The fit check measures the screen the bar stands on, from the first
    // layout on, before the window covers that screen; a shrink the row took
    // on one edge is gone on the next, and never becomes the size the user
    // chose.
    void theSizeFitsTheScreenOfTheBar()
    {
        screens->screens = { { QRect(0, 0, 1920, 1080), QRect(0, 0, 1920, 1080) } };
        writeDock(plainRows(15));
        setting("System/Location", 3);
        {
            Widget w;
            QTRY_VERIFY(w.autoHide()->isDockShown());
            QCOMPARE(w.settings().currentSize, 64);
            QCOMPARE(w.bar()->iconSize("ico0"), QSize(64, 64));
            QCOMPARE(w.bar()->stripRect().height(), 15 * 64);
        }
        writeDock(plainRows(21));
        setting("System/Location", 2);
        Widget w;
        QTRY_VERIFY(w.autoHide()->isDockShown());
        QCOMPARE(w.settings().currentSize, 64);
        w.setPosition(3); // 21 icons of 64 are too long for 1080 pixels
        QTRY_COMPARE(w.settings().currentSize, (1080 - 12) / 21);
        QCOMPARE(w.settings().icoSize, 64.f);
        w.setPosition(2);
        QTRY_COMPARE(w.settings().currentSize, 64);
        QCOMPARE(w.settings().icoSize, 64.f);
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

    void backgroundLooks_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("edge");
        QTest::addColumn<QString>("look");
        QTest::newRow("white, bottom") << 0 << 2 << "H off, V off, inset 0, fill 255,255,255,90 round 3";
        QTest::newRow("black, right") << 1 << 1 << "H off, V off, inset 0, fill 0,0,0,90 round 3";
        const QString mac = ", fill 0,0,0,0 round 0, bl MacOSX/l, bg MacOSX/bg, br MacOSX/r";
        QTest::newRow("2 bottom") << 2 << 2 << "H on, V off, inset 25" + mac;
        QTest::newRow("2 top") << 2 << 0 << "H on, V off, inset 25" + mac;
        // Upright on the right edge: r1 at the top, l1 at the bottom; the
        // horizontal pieces are left as they are.
        QTest::newRow("2 right") << 2 << 1
                                 << "H off, V on, inset 25, fill 0,0,0,0 round 0, bl2 MacOSX/r1, bg2 MacOSX/bg1, br2 MacOSX/l1";
        QTest::newRow("2 left") << 2 << 3
                                << "H off, V on, inset 25, fill 0,0,0,0 round 0, bl2 MacOSX/l3, bg2 MacOSX/bg3, br2 MacOSX/r3";
        // Styles 3 to 6 set the horizontal pieces on every edge.
        QTest::newRow("3 right") << 3 << 1 << "H off, V on, inset 25" + mac;
        QTest::newRow("4 bottom") << 4 << 2
                                  << "H on, V off, inset 25, fill 0,0,0,0 round 0, bl Classic2/l, bg Classic2/bg, br Classic2/r";
        QTest::newRow("5 left") << 5 << 3
                                << "H off, V on, inset 20, fill 0,0,0,0 round 0, bl Classic3/l, bg Classic3/bg, br Classic3/r";
        QTest::newRow("6 top") << 6 << 0
                               << "H on, V off, inset 20, fill 0,0,0,0 round 0, bl Classic4/l, bg Classic4/bg, br Classic4/r";
        QTest::newRow("unknown style: only the strip") << 9 << 2 << "H on, V off";
    }
    void backgroundLooks()
    {
        QFETCH(int, style);
        QFETCH(int, edge);
        QFETCH(QString, look);
        QCOMPARE(describe(BackgroundStyle::look(style, 90, edge)), look);
        // The alpha only matters to the plain styles.
        QCOMPARE(BackgroundStyle::look(style, 10, edge).fill == BackgroundStyle::look(style, 200, edge).fill, style > 1);
    }

    void desktopIconsOnlyWithTheSwitch()
    {
        Widget w;
        desk->calls.clear();
        w.IconDisplay(); // switch off: nothing
        QVERIFY(desk->calls.isEmpty());
        w.setDesktopIcon(true);
        w.IconDisplay();
        QVERIFY(!w.showing()->desktopIconsShown());
        w.IconDisplay();
        w.IconDisplay();
        w.setDesktopIcon(false); // switching the feature off brings them back at once
        QVERIFY(w.showing()->desktopIconsShown());
        QCOMPARE(desk->calls, QStringList({ "hide", "restore", "hide", "restore" }));
    }

    void workAreaReservesNothing()
    {
        screens->screens[0].available = QRect(0, 0, 1280, 770); // a 30-pixel panel below
        setting("System/WorkArea", true);
        setting("System/Location", 2);
        Widget w;
        QVERIFY(w.settings().workArea);
        const QPoint before = frame(w, "main")->pos();
        QCOMPARE(before, QPoint(0, 770 - 153));
        // Neither the start nor the switch takes a strip of the screen for the
        // bar: the bar keeps its place beside the panel.
        w.setWorkArea(false);
        w.setWorkArea(true);
        QVERIFY(w.settings().workArea);
        QCOMPARE(frame(w, "main")->pos(), before);
    }
};

ZV_TEST_MAIN(TestDockBar)
#include "tst_dockbar.moc"
