// Auto-hide: the slides of the bar, the edge strip and the window's reactions.
#include "dock/window/dockfile.h"
#include "dock/window/formdetection.h"
#include "dock/window/widget.h"
#include "fakedesktop.h"
#include "fakeplatform.h"
#include "platform/paths.h"
#include "testenv.h"

#include <QDir>
#include <QFrame>
#include <QSettings>
#include <QtTest>
#include <memory>

class TestAutoHide : public QObject
{
    Q_OBJECT
    std::unique_ptr<FakeProcesses> procs;
    std::unique_ptr<FakeWindowSystem> wins;
    std::unique_ptr<FakeScreens> screens;
    std::unique_ptr<FakeWorkArea> work;

    static QFrame *frame(Widget &w, const char *name) { return w.findChild<QFrame *>(name); }
    static FormDetection *strip(Widget &w) { return w.edgeStrip(); }
    void leave(Widget &w)
    {
        QEvent e(QEvent::Leave);
        QCoreApplication::sendEvent(&w, &e);
    }
    void enter(Widget &w)
    {
        QEvent e(QEvent::Enter);
        QCoreApplication::sendEvent(&w, &e);
    }

private slots:
    void init()
    {
        QDir(platform::appConfigFolder()).removeRecursively();
        QDir().mkpath(platform::appConfigFolder());
        DockFile::write(platform::configPath("Zorvane.xml"),
                        { { "a", "x.png", "a", "ICON", "", "" }, { "b", "x.png", "b", "ICON", "", "" } });
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

    void startSlidesInOnce()
    {
        Widget w;
        QVERIFY(w.isSlidIn());
        QVERIFY(!w.isDockShown());
        QTRY_VERIFY(w.isDockShown());
        QCOMPARE(frame(w, "frameMain")->pos(), QPoint(0, 0));
        // The strip is out and above everything once the bar stands.
        QVERIFY(!strip(w)->isHidden());
        QCOMPARE(wins->levels.value(strip(w)), platform::WindowSystem::Above);
        // The pointer enters: the strip goes.
        enter(w);
        QVERIFY(strip(w)->isHidden());
    }

    void cycleOutAndBackIn()
    {
        Widget w;
        QTRY_VERIFY(w.isDockShown());
        w.setHide(true);
        enter(w);
        leave(w);
        QVERIFY(!w.isSlidIn());
        QVERIFY(!strip(w)->isHidden());
        // The bar keeps its shape while it slides away, then lets go of it.
        QVERIFY(w.inputRegion().boundingRect().height() > 1);
        QFrame *main = frame(w, "main");
        QTRY_COMPARE(frame(w, "frameMain")->pos(), QPoint(0, main->height())); // bottom bar: down
        QTRY_VERIFY(!w.isDockShown());
        QCOMPARE(w.inputRegion().boundingRect().size(), QSize(1, 1));
        QCOMPARE(wins->regions.value(&w), w.inputRegion());
        // A second leave changes nothing.
        leave(w);
        QVERIFY(!w.isSlidIn());
        // The pointer reaches the strip.
        const int raisedBefore = wins->raised.count(&w);
        emit strip(w)->MouseIn();
        QVERIFY(w.isSlidIn());
        QVERIFY(strip(w)->isHidden());
        QCOMPARE(wins->raised.count(&w), raisedBefore + 1);
        QVERIFY(w.inputRegion().boundingRect().height() > 1);
        QTRY_VERIFY(w.isDockShown());
        QCOMPARE(frame(w, "frameMain")->pos(), QPoint(0, 0));
    }

    void withoutAutoHideTheBarStays()
    {
        Widget w;
        QTRY_VERIFY(w.isDockShown());
        enter(w);
        leave(w);
        QVERIFY(w.isSlidIn());
        QVERIFY(!strip(w)->isHidden()); // the strip still comes out
        QTest::qWait(350);
        QVERIFY(w.isDockShown());
    }

    void openPanelKeepsTheBarIn()
    {
        Widget w;
        QTRY_VERIFY(w.isDockShown());
        w.setHide(true);
        w.showSet(); // the settings panel is open
        leave(w);
        QVERIFY(w.isSlidIn());
        w.setClose();
        leave(w);
        QVERIFY(!w.isSlidIn());
    }

    void hiddenBarStaysHiddenUntilShown()
    {
        Widget w;
        QTRY_VERIFY(w.isDockShown());
        w.setHideWindows();
        QVERIFY(frame(w, "main")->isHidden());
        QCOMPARE(w.inputRegion().boundingRect().size(), QSize(1, 1));
        emit strip(w)->MouseIn();
        QVERIFY(frame(w, "main")->isHidden());
        w.setShowWindows();
        QVERIFY(!frame(w, "main")->isHidden());
        QVERIFY(w.inputRegion().boundingRect().height() > 1);
    }

    void deactivationPutsTheStripOut()
    {
        Widget w;
        QTRY_VERIFY(w.isDockShown());
        enter(w);
        QVERIFY(strip(w)->isHidden());
        w.setHide(true);
        QEvent e(QEvent::WindowDeactivate);
        QCoreApplication::sendEvent(&w, &e);
        QVERIFY(!strip(w)->isHidden());
        QVERIFY(w.isSlidIn()); // the bar itself slides out only on the next leave
    }

    void frameAreaSlidesOnTheRightEdge()
    {
        QSettings(platform::configPath("config.ini"), QSettings::IniFormat).setValue("System/Location", 1);
        Widget w;
        QFrame *area = frame(w, "frameArea");
        QCOMPARE(area->pos(), QPoint(area->width(), 0));
        w.showFrameArea(true);
        QVERIFY(w.isFrameAreaShown());
        QTRY_COMPARE(area->pos(), QPoint(20, 0));
        // It stays there through a relayout.
        w.IconSorting();
        QCOMPARE(area->pos(), QPoint(20, 0));
        w.showFrameArea(true); // already in: nothing
        w.setClose();          // the settings panel closed: out again
        QVERIFY(!w.isFrameAreaShown());
        QTRY_COMPARE(area->pos(), QPoint(area->width(), 0));
    }

    void slideOutOnEveryEdge_data()
    {
        QTest::addColumn<int>("edge");
        for (int e = 0; e < 4; ++e)
            QTest::newRow(qPrintable(QString::number(e))) << e;
    }
    void slideOutOnEveryEdge()
    {
        QFETCH(int, edge);
        QSettings(platform::configPath("config.ini"), QSettings::IniFormat).setValue("System/Location", edge);
        Widget w;
        QTRY_VERIFY(w.isDockShown());
        w.setHide(true);
        leave(w);
        const QSize m = frame(w, "main")->size();
        const QPoint hidden[4] = { QPoint(0, -m.height()), QPoint(m.width(), 0), QPoint(0, m.height()),
                                   QPoint(-m.width(), 0) };
        QTRY_COMPARE(frame(w, "frameMain")->pos(), hidden[edge]);
        QTRY_VERIFY(!w.isDockShown());
    }
};

ZV_TEST_MAIN(TestAutoHide)
#include "tst_autohide.moc"
