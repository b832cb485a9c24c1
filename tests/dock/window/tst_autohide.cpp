// Auto-hide: the slides of the bar, the edge strip and the window's reactions.
#include "dock/launchpad/formlaunchstarter.h"
#include "dock/launchpad/launchrows.h"
#include "dock/widgets/formweathereffects.h"
#include "dock/window/autohide.h"
#include "dock/window/dockwindows.h"
#include "dock/window/formdetection.h"
#include "testenv.h"
#include "widgetfixture.h"

#include <QtTest>

class TestAutoHide : public QObject, public WidgetFixture
{
    Q_OBJECT
    static void send(Widget &w, QEvent::Type type)
    {
        QEvent e(type);
        QCoreApplication::sendEvent(&w, &e);
    }

private slots:
    void init()
    {
        setUpFakes();
        writeDock({ { "a", "x.png", "a", "ICON", "", "" }, { "b", "x.png", "b", "ICON", "", "" } });
    }
    void cleanup() { tearDownFakes(); }

    void startSlidesInAndStaysWithoutAutoHide()
    {
        Widget w;
        QVERIFY(w.autoHide()->isSlidIn());
        QVERIFY(!w.autoHide()->isDockShown());
        QTRY_VERIFY(w.autoHide()->isDockShown());
        QCOMPARE(frame(w, "frameMain")->pos(), QPoint(0, 0));
        // Once the bar stands the strip is out, above everything.
        QVERIFY(!w.autoHide()->strip()->isHidden());
        QCOMPARE(wins->levels.value(w.autoHide()->strip()), platform::WindowSystem::Above);
        send(w, QEvent::Enter);
        QVERIFY(w.autoHide()->strip()->isHidden());
        send(w, QEvent::Leave);
        QVERIFY(w.autoHide()->isSlidIn());
        QVERIFY(!w.autoHide()->strip()->isHidden());
    }

    void cycleOutAndBackIn()
    {
        Widget w;
        QTRY_VERIFY(w.autoHide()->isDockShown());
        send(w, QEvent::Enter);
        DockSettings::instance()->setHide(true);
        send(w, QEvent::Leave);
        QVERIFY(!w.autoHide()->isSlidIn());
        QVERIFY(!w.autoHide()->strip()->isHidden());
        // The bar keeps its shape while it slides away, then lets go of it.
        QVERIFY(w.barLayout()->inputRegion().boundingRect().height() > 1);
        QTRY_COMPARE(frame(w, "frameMain")->pos(), QPoint(0, frame(w, "main")->height()));
        QTRY_VERIFY(!w.autoHide()->isDockShown());
        QCOMPARE(w.barLayout()->inputRegion().boundingRect().size(), QSize(1, 1));
        QCOMPARE(wins->regions.value(&w), w.barLayout()->inputRegion());
        send(w, QEvent::Leave);
        QVERIFY(!w.autoHide()->isSlidIn());
        // The pointer reaches the strip.
        const int raisedBefore = wins->raised.count(&w);
        emit w.autoHide()->strip()->MouseIn();
        QVERIFY(w.autoHide()->isSlidIn());
        QVERIFY(w.autoHide()->strip()->isHidden());
        QCOMPARE(wins->raised.count(&w), raisedBefore + 1);
        // The shape follows the bar into sight, with its pictures.
        QTRY_VERIFY(w.barLayout()->inputRegion().boundingRect().height() > 1);
        QTRY_VERIFY(w.autoHide()->isDockShown());
        QCOMPARE(frame(w, "frameMain")->pos(), QPoint(0, 0));
    }

    // The strip is touched while the bar still slides away: the slide in
    // takes over, the end of the slide out never comes, and the bar counts
    // as shown only once it stands in again.
    void stripTouchedWhileSlidingOut()
    {
        Widget w;
        QTRY_VERIFY(w.autoHide()->isDockShown());
        DockSettings::instance()->setHide(true);
        send(w, QEvent::Leave);
        QVERIFY(w.autoHide()->isSlidingOut());
        QSignalSpy outEnded(w.autoHide(), &AutoHide::slideOutFinished);
        QSignalSpy inEnded(w.autoHide(), &AutoHide::slideInFinished);
        emit w.autoHide()->strip()->MouseIn();
        QVERIFY(w.autoHide()->isSlidIn());
        QVERIFY(!w.autoHide()->isSlidingOut());
        QVERIFY(!w.autoHide()->isDockShown());
        QTRY_COMPARE(inEnded.count(), 1);
        QVERIFY(w.autoHide()->isDockShown());
        QCOMPARE(frame(w, "frameMain")->pos(), QPoint(0, 0));
        QCOMPARE(outEnded.count(), 0);
        // And the other way round: out again half way in.
        send(w, QEvent::Leave);
        emit w.autoHide()->strip()->MouseIn();
        send(w, QEvent::Leave);
        QTRY_COMPARE(outEnded.count(), 1);
        QCOMPARE(frame(w, "frameMain")->pos(), QPoint(0, frame(w, "main")->height()));
        QVERIFY(!w.autoHide()->isDockShown());
    }

    // The pointer comes back onto the bar while it slides away: it still
    // takes the pointer where it stood, and comes back in.
    void aPointerBackOnTheSlidingBarBringsItBack()
    {
        Widget w;
        QTRY_VERIFY(w.autoHide()->isDockShown());
        const QRegion rest = w.barLayout()->barRegion();
        send(w, QEvent::Enter);
        DockSettings::instance()->setHide(true);
        send(w, QEvent::Leave);
        QVERIFY(w.autoHide()->isSlidingOut());
        QSignalSpy outEnded(w.autoHide(), &AutoHide::slideOutFinished);
        QTRY_VERIFY(frame(w, "frameMain")->y() > frame(w, "main")->height() / 2);
        QVERIFY2(w.barLayout()->barRegion().contains(rest.boundingRect()), "the bar let go of where it stood");
        send(w, QEvent::Enter);
        QVERIFY(w.autoHide()->isSlidIn());
        QTRY_VERIFY(w.autoHide()->isDockShown());
        QCOMPARE(frame(w, "frameMain")->pos(), QPoint(0, 0));
        QCOMPARE(outEnded.count(), 0);
        QCOMPARE(w.barLayout()->barRegion(), rest);
    }

    // The edge strip, while the bar is in, takes nothing the icons take;
    // with the bar out of sight all of it calls the bar back.
    void theStripLeavesTheIconsToTheBar()
    {
        Widget w;
        QTRY_VERIFY(w.autoHide()->isDockShown());
        send(w, QEvent::Enter);
        send(w, QEvent::Leave);
        FormDetection *strip = w.autoHide()->strip();
        QVERIFY(!strip->isHidden());
        const QRegion icons = w.bar()->iconRegion().translated(w.bar()->mapToGlobal(QPoint(0, 0)));
        const QRegion takes = wins->regions.value(strip).translated(strip->pos());
        QVERIFY(!takes.isEmpty());
        QVERIFY(!takes.intersects(icons));
        QVERIFY(QRegion(strip->geometry()).subtracted(takes).intersects(icons));
        DockSettings::instance()->setHide(true);
        QTRY_VERIFY(!w.autoHide()->isDockShown());
        QCOMPARE(wins->regions.value(strip), QRegion(strip->rect()));
        // Back in, and the pointer away again: cut again.
        emit strip->MouseIn();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        DockSettings::instance()->setHide(false);
        send(w, QEvent::Enter);
        send(w, QEvent::Leave);
        QVERIFY(!wins->regions.value(strip).translated(strip->pos()).intersects(icons));
    }

    // Auto-hide turned on in the settings panel: the bar stays while the
    // panel is open and goes when it closes, with the pointer elsewhere.
    void openPanelKeepsTheBarIn()
    {
        Widget w;
        QTRY_VERIFY(w.autoHide()->isDockShown());
        w.showSet();
        DockSettings::instance()->setHide(true);
        send(w, QEvent::Leave);
        QVERIFY(w.autoHide()->isSlidIn());
        w.setClose();
        QVERIFY(!w.autoHide()->isSlidIn());
    }

    // The switch acts at once, whatever the pointer did before.
    void theSwitchActsAtOnce()
    {
        Widget w;
        QTRY_VERIFY(w.autoHide()->isDockShown());
        DockSettings::instance()->setHide(true);
        QVERIFY(!w.autoHide()->isSlidIn());
        QTRY_VERIFY(!w.autoHide()->isDockShown());
        QVERIFY(!w.autoHide()->strip()->isHidden());
        DockSettings::instance()->setHide(false);
        QVERIFY(w.autoHide()->isSlidIn());
        QTRY_VERIFY(w.autoHide()->isDockShown());
        send(w, QEvent::Enter);
        send(w, QEvent::Leave);
        QVERIFY(w.autoHide()->isSlidIn());
        // On while the pointer is on the bar: it goes when the pointer does.
        send(w, QEvent::Enter);
        DockSettings::instance()->setHide(true);
        QVERIFY(w.autoHide()->isSlidIn());
        send(w, QEvent::Leave);
        QVERIFY(!w.autoHide()->isSlidIn());
    }

    void hiddenBarStaysHiddenUntilShown()
    {
        Widget w;
        QTRY_VERIFY(w.autoHide()->isDockShown());
        w.setHideWindows();
        QVERIFY(frame(w, "main")->isHidden());
        QCOMPARE(w.barLayout()->inputRegion().boundingRect().size(), QSize(1, 1));
        emit w.autoHide()->strip()->MouseIn();
        QVERIFY(frame(w, "main")->isHidden());
        w.setShowWindows();
        QVERIFY(!frame(w, "main")->isHidden());
        QTRY_VERIFY(w.barLayout()->inputRegion().boundingRect().height() > 1);
    }

    void deactivationPutsTheStripOut()
    {
        Widget w;
        QTRY_VERIFY(w.autoHide()->isDockShown());
        send(w, QEvent::Enter);
        DockSettings::instance()->setHide(true);
        send(w, QEvent::WindowDeactivate);
        // The pointer rests on the bar: no strip comes between them, or the
        // bar would lose the pointer and slide out.
        QVERIFY(w.autoHide()->strip()->isHidden());
        QVERIFY(w.autoHide()->isSlidIn());
        send(w, QEvent::Leave);
        QVERIFY(!w.autoHide()->isSlidIn());
        QVERIFY(!w.autoHide()->strip()->isHidden());
        emit w.autoHide()->strip()->MouseIn();
        send(w, QEvent::Enter);
        QTRY_VERIFY(w.autoHide()->isDockShown());
        // Slid in under a resting pointer: the strip stays away.
        QVERIFY(w.autoHide()->strip()->isHidden());
        QVERIFY(w.autoHide()->isSlidIn());
    }

    void deactivationPutsTheStripOutWhenThePointerIsAway()
    {
        Widget w;
        QTRY_VERIFY(w.autoHide()->isDockShown());
        send(w, QEvent::Enter);
        DockSettings::instance()->setHide(true);
        QVERIFY(w.autoHide()->strip()->isHidden());
        w.autoHide()->setPointerInside(false); // gone without a leave, as under a pop-up
        send(w, QEvent::WindowDeactivate);
        QVERIFY(!w.autoHide()->strip()->isHidden());
        QVERIFY(w.autoHide()->isSlidIn()); // the bar itself slides out only on the next leave
    }

    // The weather window, the launch pad's icons and the weather scene are
    // not made before the bar is on the screen.
    void startUpWorkWaitsForTheFirstPaint()
    {
        writeDock({ { "a", "x.png", "a", "ICON", "", "" }, { "w", "x.png", "w", "WEATHER", "", "" } });
        auto scenes = [] {
            int n = 0;
            for (QWidget *top : QApplication::topLevelWidgets())
                n += qobject_cast<FormWeatherEffects *>(top) != nullptr;
            return n;
        };
        const int scenesBefore = scenes();
        Widget w;
        const int atStart = w.windows()->madeCount();
        QCoreApplication::processEvents();
        QCOMPARE(w.windows()->madeCount(), atStart);
        QVERIFY(w.launchPad()->rows()->stored().isEmpty());
        QCOMPARE(scenes(), scenesBefore);
        w.show();
        QTRY_COMPARE(w.windows()->madeCount(), atStart + 1);
        QVERIFY(w.windows()->weatherWindow());
        QVERIFY(!w.launchPad()->rows()->stored().isEmpty());
        QCOMPARE(scenes(), scenesBefore + 1); // made to take the weather
    }

    void weatherStartsAnywayWhenNeverShown()
    {
        writeDock({ { "w", "x.png", "w", "WEATHER", "", "" } });
        Widget w;
        const int atStart = w.windows()->madeCount();
        QTRY_COMPARE_WITH_TIMEOUT(w.windows()->madeCount(), atStart + 1, 3000);
    }

    void frameAreaSlidesOnTheRightEdge()
    {
        setting("System/Location", 1);
        Widget w;
        QFrame *area = frame(w, "frameArea");
        QCOMPARE(area->pos(), QPoint(area->width(), 0));
        w.showFrameArea(true);
        QVERIFY(w.barLayout()->isFrameAreaShown());
        QTRY_COMPARE(area->pos(), QPoint(20, 0));
        w.IconSorting(); // a relayout leaves it there
        QCOMPARE(area->pos(), QPoint(20, 0));
        w.setClose();
        QVERIFY(!w.barLayout()->isFrameAreaShown());
        QTRY_COMPARE(area->pos(), QPoint(area->width(), 0));
    }
};

ZV_TEST_MAIN(TestAutoHide)
#include "tst_autohide.moc"
