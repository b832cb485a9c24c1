// Hover magnification: the interpolation around the hovered icon, spacers
// included, and what the dock window does with it.
#include "dock/icons/formcommonicon.h"
#include "dock/icons/formname.h"
#include "dock/icons/magnify.h"
#include "testenv.h"
#include "widgetfixture.h"

#include <QtTest>

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
};

ZV_TEST_MAIN(TestMagnify)
#include "tst_magnify.moc"
