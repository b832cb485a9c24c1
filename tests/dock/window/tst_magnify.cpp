// Hover magnification: the interpolation around the hovered icon, spacers
// included, and what the dock window does with it.
#include "dock/icons/formcommonicon.h"
#include "dock/icons/formname.h"
#include "dock/window/dockfile.h"
#include "dock/window/magnify.h"
#include "dock/window/widget.h"
#include "fakedesktop.h"
#include "fakeplatform.h"
#include "platform/paths.h"
#include "testenv.h"

#include <QDir>
#include <QTableWidget>
#include <QtTest>
#include <memory>

using Magnify::Step;

static QVector<bool> rowsOf(const char *pattern)
{
    // 'i' an icon, 'b' a spacer
    QVector<bool> v;
    for (const char *c = pattern; *c; ++c)
        v << (*c == 'b');
    return v;
}

static DockIconRecord row(const QString &id, const QString &cl = "ICON")
{
    return { id, ":/image/icon/none.png", "name " + id, cl, "/bin/true", "" };
}

class TestMagnify : public QObject
{
    Q_OBJECT
    std::unique_ptr<FakeProcesses> procs;
    std::unique_ptr<FakeWindowSystem> wins;
    std::unique_ptr<FakeScreens> screens;
    std::unique_ptr<FakeWorkArea> work;

    // A dock with the given rows on a 1280 x 800 screen; the start slide is over.
    std::unique_ptr<Widget> dock(const QList<DockIconRecord> &rows, int edge = 2)
    {
        DockFile::write(platform::configPath("Zorvane.xml"), rows);
        auto w = std::make_unique<Widget>();
        if (edge != w->settings().location)
            w->setPosition(edge);
        if (!QTest::qWaitFor([&] { return w->isDockShown(); }))
            qWarning("the bar did not finish sliding in");
        QTest::qWait(5);
        return w;
    }

private slots:
    void init()
    {
        QDir(platform::appConfigFolder()).removeRecursively();
        QDir().mkpath(platform::appConfigFolder());
        procs.reset(new FakeProcesses);
        wins.reset(new FakeWindowSystem);
        screens.reset(new FakeScreens);
        work.reset(new FakeWorkArea);
    }
    void cleanup()
    {
        work.reset();
        screens.reset();
        wins.reset();
        procs.reset();
    }

    void interpolationFigures()
    {
        // M 128, N 64: at x 32 the near neighbour is 112, the far one 80.
        Magnify::Plan p = Magnify::plan(rowsOf("iii"), 1, 32, 128, 64, true);
        QCOMPARE(p.steps, (QVector<Step>{ { 0, Step::SetSize, 112 }, { 2, Step::SetSize, 80 } }));
        p = Magnify::plan(rowsOf("iii"), 1, 0, 128, 64, true);
        QCOMPARE(p.steps, (QVector<Step>{ { 0, Step::SetSize, 128 }, { 2, Step::SetSize, 64 } }));
        p = Magnify::plan(rowsOf("iii"), 1, 128, 128, 64, true);
        QCOMPARE(p.steps, (QVector<Step>{ { 0, Step::SetSize, 64 }, { 2, Step::SetSize, 128 } }));
        // Ends of the row have one neighbour.
        QCOMPARE(Magnify::plan(rowsOf("iii"), 0, 32, 128, 64, true).steps, (QVector<Step>{ { 1, Step::SetSize, 80 } }));
        QCOMPARE(Magnify::plan(rowsOf("iii"), 2, 32, 128, 64, true).steps, (QVector<Step>{ { 1, Step::SetSize, 112 } }));
        QCOMPARE(Magnify::plan(rowsOf("i"), 0, 32, 128, 64, true).steps.size(), 0);
        // The rows further away go back to rest.
        p = Magnify::plan(rowsOf("iiiiiiiii"), 4, 10, 128, 64, true);
        QCOMPARE(p.restoreAfter, 7);
        QCOMPARE(p.restoreBefore, 1);
    }

    void spacersPassTheSizeOn()
    {
        // A spacer left of the hovered icon takes the size and passes it on.
        Magnify::Plan p = Magnify::plan(rowsOf("ibii"), 2, 32, 128, 64, true);
        QCOMPARE(p.steps, (QVector<Step>{ { 1, Step::SetSize, 112 }, { 0, Step::SetSize, 112 }, { 3, Step::SetSize, 80 } }));
        // Hovered row 1 with a spacer in row 0: only row 0 on that side.
        p = Magnify::plan(rowsOf("bii"), 1, 32, 128, 64, true);
        QCOMPARE(p.steps, (QVector<Step>{ { 0, Step::SetSize, 112 }, { 2, Step::SetSize, 80 } }));
        // A spacer on the far side, and the icon beyond it.
        p = Magnify::plan(rowsOf("iibi"), 1, 32, 128, 64, true);
        QCOMPARE(p.steps, (QVector<Step>{ { 0, Step::SetSize, 112 }, { 2, Step::SetSize, 80 }, { 3, Step::SetSize, 80 } }));
        // On a vertical bar the near side measures a spacer by its length.
        p = Magnify::plan(rowsOf("bi"), 1, 64, 128, 64, false);
        QCOMPARE(p.steps.size(), 1);
        QCOMPARE(p.steps[0].size, 128 - 64 * (128 - 25.6f) / 128);
        p = Magnify::plan(rowsOf("ib"), 0, 64, 128, 64, false);
        QCOMPARE(p.steps[0].size, 96.f);
    }

    void hoveringASpacerGrowsBothSides()
    {
        Magnify::Plan p = Magnify::plan(rowsOf("ibi"), 1, 5, 128, 64, true);
        QCOMPARE(p.steps, (QVector<Step>{ { 0, Step::Grow, 0 }, { 2, Step::Grow, 0 } }));
        // Two spacers side by side: the icon beyond grows too.
        p = Magnify::plan(rowsOf("ibbi"), 2, 5, 128, 64, true);
        QCOMPARE(p.steps, (QVector<Step>{ { 1, Step::Grow, 0 }, { 0, Step::Grow, 0 }, { 3, Step::Grow, 0 } }));
        p = Magnify::plan(rowsOf("bi"), 0, 5, 128, 64, true);
        QCOMPARE(p.steps, (QVector<Step>{ { 1, Step::Grow, 0 } }));
    }

    void theDockSizesItsIcons()
    {
        auto w = dock({ row("a"), row("b"), row("c"), row("d"), row("e"), row("f") });
        FormCommonIcon *b = w->iconWidget("b"), *d = w->iconWidget("d"), *f = w->iconWidget("f");
        f->setSize(100); // left magnified by an earlier hover
        QCOMPARE(f->size(), QSize(100, 100));
        w->IconMouseMove("c", QPoint(32, 40));
        QCOMPARE(b->size(), QSize(112, 112));
        QCOMPARE(d->size(), QSize(80, 80));
        // The name bubble is shown above the bar, centred on the span the
        // hovered icon takes when magnified, where it stands now.
        auto *bubble = w->findChild<FormName *>();
        QVERIFY(bubble->isVisible());
        auto *main = w->findChild<QFrame *>("main");
        auto *ico = w->findChild<QFrame *>("frameIco");
        QCOMPARE(bubble->y(), main->y() + main->height() - ico->y() - ico->height() - bubble->height() + 10);
        QCOMPARE(bubble->x(), main->x() + ico->x() + w->iconWidget("c")->x() + 64 - bubble->width() / 2);
        // The relayout puts them side by side on the bottom of the icon frame.
        QTRY_COMPARE(d->x(), b->x() + 112 + w->iconWidget("c")->width());
        QCOMPARE(b->y(), 128 - 112);
        // The pointer leaves the icon sideways: only the bubble goes.
        w->MousePosition(1);
        QVERIFY(!bubble->isVisible());
        QCOMPARE(b->size(), QSize(112, 112));
        // Towards the screen edge: every icon back to rest.
        w->MousePosition(2);
        QTRY_COMPARE(b->size(), QSize(64, 64));
        QTRY_COMPARE(d->size(), QSize(64, 64));
        // Three rows away: back to rest (the icon animates there).
        QTRY_COMPARE(f->size(), QSize(64, 64));
    }

    void spacerRowsInTheDock()
    {
        auto w = dock({ row("a"), row("s", "BLANK"), row("c"), row("d") });
        // A spacer on a bottom bar is 25 x 64 and takes the length the hover gives.
        QCOMPARE(w->iconWidget("s")->size(), QSize(25, 64));
        w->IconMouseMove("c", QPoint(32, 10));
        QCOMPARE(w->iconWidget("s")->size(), QSize(25, 112));
        QCOMPARE(w->iconWidget("a")->size(), QSize(112, 112));
        QCOMPARE(w->iconWidget("d")->size(), QSize(80, 80));
        // Hovering the spacer itself: no bubble.
        w->IconMouseMove("s", QPoint(3, 10));
        QVERIFY(!w->findChild<FormName *>()->isVisible());
    }

    void rightBarBubbleBesideTheBar()
    {
        auto w = dock({ row("a"), row("b"), row("c") }, 1);
        w->IconMouseMove("b", QPoint(10, 32));
        QCOMPARE(w->iconWidget("a")->size(), QSize(112, 112));
        QCOMPARE(w->iconWidget("c")->size(), QSize(80, 80));
        auto *bubble = w->findChild<FormName *>();
        auto *main = w->findChild<QFrame *>("main");
        auto *ico = w->findChild<QFrame *>("frameIco");
        QCOMPARE(bubble->x(), main->x() - bubble->width() + 10);
        QCOMPARE(bubble->y(), ico->y() + w->iconWidget("b")->y() + 64 - bubble->height() / 2);
        // Icons stand right-aligned against the screen side.
        QTRY_COMPARE(w->iconWidget("a")->x(), 128 - 112);
    }

    void unknownIconChangesNothing()
    {
        auto w = dock({ row("a"), row("b") });
        w->IconMouseMove("zz", QPoint(3, 3));
        QCOMPARE(w->iconWidget("a")->size(), QSize(64, 64));
        QCOMPARE(w->iconWidget("b")->size(), QSize(64, 64));
    }

    void doubleClickReachesEveryIcon()
    {
        auto w = dock({ row("a"), row("b") });
        w->setIconDoubleClick(true);
        QVERIFY(w->settings().iconDoubleClick);
    }
};

ZV_TEST_MAIN(TestMagnify)
#include "tst_magnify.moc"
