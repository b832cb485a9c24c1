#include "dock/widgets/formdesktoptime.h"
#include "dock/widgets/formdesktopwidget.h"
#include "dock/widgets/formweathereffects.h"
#include "fakedesktop.h"
#include "fakeplatform.h"
#include "testconfig.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSignalSpy>
#include <QAbstractAnimation>
#include <QtTest>

using TestConfig::stored;
using TestConfig::write;

class TestWidgets : public QObject
{
    Q_OBJECT
private slots:
    // Raised only while switched on; any language but "EN" is Chinese.
    void clockRaisesOnlyWhenOnAndReadsItsLanguage()
    {
        FakeWindowSystem windows;
        FormDesktopTime clock;
        clock.RaiseWindow();
        QVERIFY(windows.raised.isEmpty());
        clock.setShow(true);
        clock.RaiseWindow();
        QCOMPARE(windows.raised.size(), 1);
        clock.setShow(false);
        clock.RaiseWindow();
        QCOMPARE(windows.raised.size(), 1);

        clock.DesktopTimeLanguage("");
        QCOMPARE(clock.language(), QString("中"));
        clock.DesktopTimeLanguage("EN");
        QCOMPARE(clock.language(), QString("EN"));
    }

    // First start: the clock is hidden and a notes program left running is ended.
    void panelFirstStart()
    {
        write({});
        FakeProcesses processes;
        processes.running << "Mirelka";
        FormDesktopWidget panel;
        QSignalSpy show(&panel, &FormDesktopWidget::DesktopTimeShow);
        QSignalSpy lock(&panel, &FormDesktopWidget::DesktopTimelocking);
        panel.ReadSettings();
        QCOMPARE(show.count(), 1);
        QCOMPARE(show.at(0).at(0).toBool(), false);
        QCOMPARE(lock.count(), 0);
        QCOMPARE(processes.killed, QStringList { "Mirelka" });
        QVERIFY(processes.started.isEmpty());
        QVERIFY(!panel.findChild<QCheckBox *>("Timelocking")->isEnabled());
        QCOMPARE(panel.findChild<QCheckBox *>("NotesSwitch")->text(), QString("关"));
    }

    void panelAppliesSavedSwitchesLockFirst()
    {
        write({ { "DesktopWidget/TimeSwitch", true },
                      { "DesktopWidget/Timelocking", true },
                      { "DesktopWidget/Note", true } });
        FakeProcesses processes;
        FormDesktopTime clock;
        FormDesktopWidget panel;
        connect(&panel, &FormDesktopWidget::DesktopTimeShow, &clock, &FormDesktopTime::setShow);
        connect(&panel, &FormDesktopWidget::DesktopTimelocking, &clock, &FormDesktopTime::DesktopTimelocking);
        QStringList order;
        connect(&panel, &FormDesktopWidget::DesktopTimelocking, [&](bool) { order << "lock"; });
        connect(&panel, &FormDesktopWidget::DesktopTimeShow, [&](bool) { order << "show"; });
        panel.ReadSettings();
        QCOMPARE(order, (QStringList { "lock", "show" }));
        QVERIFY(clock.isShown() && clock.isLocked());
        QCOMPARE(processes.started, QStringList { "Mirelka" });
        QVERIFY(panel.findChild<QCheckBox *>("Timelocking")->isEnabled());

        // A saved lock with the clock off: ticked, but not to be changed.
        write({ { "DesktopWidget/TimeSwitch", false }, { "DesktopWidget/Timelocking", true } });
        FormDesktopWidget off;
        off.ReadSettings();
        auto *lock = off.findChild<QCheckBox *>("Timelocking");
        QVERIFY(lock->isChecked() && !lock->isEnabled());
    }

    // The notes program ended itself: the switch goes off and is saved at once.
    void panelHearsTheNotesProgramClose()
    {
        write({ { "DesktopWidget/TimeSwitch", true }, { "DesktopWidget/Note", true } });
        FakeProcesses processes;
        FormDesktopWidget panel;
        panel.ReadSettings();
        QCOMPARE(stored("DesktopWidget/Note").toBool(), true);

        panel.ReceiveSystemMessage("Pravelt", "MirelkaClose"); // another sender: only saves
        QVERIFY(panel.findChild<QCheckBox *>("NotesSwitch")->isChecked());
        QVERIFY(processes.killed.isEmpty());

        panel.ReceiveSystemMessage("Mirelka", "MirelkaClose");
        QVERIFY(!panel.findChild<QCheckBox *>("NotesSwitch")->isChecked());
        QCOMPARE(processes.killed, QStringList { "Mirelka" });
        QCOMPARE(stored("DesktopWidget/Note").toBool(), false);
        QCOMPARE(stored("DesktopWidget/TimeSwitch").toBool(), true);
    }

    // ---- weather scenes -------------------------------------------------------

    void scenesFollowTheWeather()
    {
        FormWeatherEffects scenes;
        QCOMPARE(scenes.state(), QString("32"));
        scenes.setWeatherInit("北京", "晴,北风3级", "21", "0");
        QCOMPARE(scenes.state(), QString("0"));
        QCOMPARE(scenes.currentScene(), QString("sunnyDay"));
        auto visible = [&](const char *name) { return !scenes.findChild<QLabel *>(name)->isHidden(); };
        QVERIFY(visible("sun") && visible("flare") && !visible("na"));

        // Rain starts once the clouds are in, and a new scene stops it.
        scenes.setWeatherIcon("7");
        QVERIFY(visible("cloud2") && visible("cloud3") && !visible("sun"));
        QTRY_VERIFY_WITH_TIMEOUT(visible("rain") && visible("rain2"), 2000);
        scenes.setWeatherIcon("32");
        QVERIFY(!visible("rain") && !scenes.spriteRunning());
        QVERIFY(visible("na"));

        // The clouds of a scene replaced at once never start its rain.
        scenes.setWeatherIcon("8");
        scenes.setWeatherIcon("18");
        QTest::qWait(700);
        QVERIFY(!visible("rain") && !scenes.spriteRunning());
        QVERIFY(visible("fog"));
    }

    void spritesCycleThroughNineFrames()
    {
        FormWeatherEffects scenes;
        scenes.show();
        scenes.setWeatherIcon("6"); // sleet: rain and snow on one timer
        scenes.rainStart();
        scenes.snowStart();
        auto sheet = [&](const char *name) {
            const QString s = scenes.findChild<QLabel *>(name)->styleSheet();
            return s.mid(s.lastIndexOf('/') + 1).section('.', 0, 0).toInt();
        };
        const int expect[9][4] = { { 6, 8, 13, 9 }, { 7, 6, 14, 10 }, { 8, 7, 15, 11 }, { 8, 6, 13, 9 },
                                   { 7, 8, 15, 12 }, { 6, 8, 14, 9 }, { 8, 7, 13, 9 }, { 7, 6, 14, 9 },
                                   { 8, 7, 15, 9 } };
        for (int round = 0; round < 2; ++round) {
            for (int f = 0; f < 9; ++f) {
                scenes.rainTimeOut();
                QCOMPARE(sheet("rain"), expect[f][0]);
                QCOMPARE(sheet("rain2"), expect[f][1]);
                QCOMPARE(sheet("snow"), expect[f][2]);
                QCOMPARE(sheet("thunder"), expect[f][3]);
            }
        }
        // Hidden, the sprites sleep; shown again, they go on.
        scenes.hide();
        scenes.rainTimeOut();
        QVERIFY(scenes.spriteRunning());
        const int frame = scenes.frame();
        scenes.rainTimeOut();
        QCOMPARE(scenes.frame(), frame);
        scenes.show();
        QTRY_VERIFY(scenes.frame() != frame);
    }

    // A sweep passes the weather icon again and again: a scene hidden stops
    // its entrance at once, and one hidden before its fade starts none.
    void aHiddenSceneStopsPlaying()
    {
        FormWeatherEffects scenes;
        scenes.setWeatherInit("北京", "小雨", "12", "7");
        // Its animations, sprites and timers: a hidden scene neither fades
        // in nor out later.
        auto running = [&] {
            int n = 0;
            for (const QAbstractAnimation *a : scenes.findChildren<QAbstractAnimation *>())
                n += a->state() == QAbstractAnimation::Running;
            for (const QTimer *t : scenes.findChildren<QTimer *>())
                n += t->isActive();
            return n + scenes.spriteRunning();
        };
        scenes.show();
        scenes.showStart();
        QTRY_VERIFY(running() > 0);
        scenes.hide();
        QCOMPARE(running(), 0);
        scenes.show();
        scenes.showStart();
        scenes.hide();
        QTest::qWait(600);
        QCOMPARE(running(), 0);
    }

    // ---- desktop clock ---------------------------------------------------------

    void clockStyleSheets()
    {
        FormDesktopTime clock;
        clock.DesktopTimeAlpha(40);
        clock.DesktopTimeStyle(3);
        auto shown = [&](const char *f) { return !clock.findChild<QFrame *>(f)->isHidden(); };
        QVERIFY(shown("Time2") && !shown("Time1") && !shown("Time5"));
        QCOMPARE(clock.findChild<QLabel *>("t202")->styleSheet(), FormDesktopTime::textSheet(3, 40));
        // The separator keeps its picture and takes no opacity.
        const QString x1 = clock.findChild<QLabel *>("x1")->styleSheet();
        QVERIFY(x1.contains("blackline.png") && !x1.contains("%"));
        clock.DesktopTimeStyle(8);
        QVERIFY(shown("Time5") && !shown("Time2"));
        clock.DesktopTimeStyle(12); // no such style: no text at all
        for (const char *f : { "Time1", "Time2", "Time3", "Time4", "Time5" })
            QVERIFY(!shown(f));
    }

    void clockFitsItsTextToItsWidth_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("200") << 200;
        QTest::newRow("500") << 500;
        QTest::newRow("800") << 800;
    }

    void clockFitsItsTextToItsWidth()
    {
        QFETCH(int, size);
        FakeClock time;
        FormDesktopTime clock;
        clock.DesktopTimeLanguage("EN");
        clock.DesktopTimeSize(size);
        QCOMPARE(clock.size(), QSize(size, size + 50));
        // The smallest size that fills the width, found in a handful of trials.
        QVERIFY(clock.fittingTrials() <= 10);
        auto *t101 = clock.findChild<QLabel *>("t101");
        const int W = clock.width();
        const int H = clock.height();
        QVERIFY(t101->width() >= W);
        // Measured on the fitting's own moment, whatever the time now.
        const QString fitted = QLocale(QLocale::English).toString(FormDesktopTime::fittingMoment(), "h:mm AP");
        QCOMPARE(fitted, QString("10:58 PM"));
        QFont smaller = t101->font();
        smaller.setPixelSize(clock.fittedPixelSize() - 1);
        const QFontMetrics fm(smaller);
        const int w = fm.horizontalAdvance(fitted) + 2 * t101->margin();
        QVERIFY(w + w / 5 < W + 2); // one pixel smaller would not fill it
        QCOMPARE(t101->text(), QLocale(QLocale::English).toString(platform::now(), "h:mm AP"));

        auto *t201 = clock.findChild<QLabel *>("t201");
        QCOMPARE(t201->pos(), QPoint(W / 36, H / 38 + t101->height()));
        auto *t102 = clock.findChild<QLabel *>("t102");
        QCOMPARE(t102->x(), (W - t102->width()) / 2);
        auto *t105 = clock.findChild<QLabel *>("t105");
        auto *t205 = clock.findChild<QLabel *>("t205");
        QCOMPARE(t205->x(), t105->width());
        QCOMPARE(clock.findChild<QLabel *>("t202")->font().pixelSize(), int(1.5 * clock.fittedPixelSize()));
    }

    // The text size follows the clock's look alone: the same settings give
    // the same size after a restart, whatever the hour, and whichever
    // language the clock was fitted in before.
    void clockKeepsItsTextSizeAcrossRestarts()
    {
        FakeWindowSystem windows;
        auto look = [](const char *language) {
            write({ { "DesktopWidget/TimePos", QPoint(40, 60) }, { "DesktopWidget/TimeStyle", "0" },
                    { "DesktopWidget/TimeAlpha", "100" }, { "DesktopWidget/TimeSize", "500" },
                    { "DesktopWidget/TimeLanguage", language } });
        };
        auto sizeAt = [&](const QTime &t, const char *language) {
            FakeClock time(QDateTime(QDate(2026, 5, 4), t));
            look(language);
            FormDesktopTime clock;
            clock.setShow(true);
            return clock.fittedPixelSize();
        };
        const int english = sizeAt(QTime(9, 41), "EN");
        QCOMPARE(sizeAt(QTime(10, 41), "EN"), english);
        QCOMPARE(sizeAt(QTime(15, 7), "EN"), english);
        const int chinese = sizeAt(QTime(9, 41), "中");
        QCOMPARE(sizeAt(QTime(23, 59), "中"), chinese);

        // Switched to Chinese on its bar, then started again with that look.
        FakeClock time(QDateTime(QDate(2026, 5, 4), QTime(9, 41)));
        look("EN");
        FormDesktopTime clock;
        clock.setShow(true);
        QTest::mouseClick(clock.findChild<QPushButton *>("TimeENButton"), Qt::LeftButton);
        QCOMPARE(clock.language(), QString("中"));
        QCOMPARE(clock.fittedPixelSize(), chinese);
        // The labels hold the texts they were fitted for.
        auto *t101 = clock.findChild<QLabel *>("t101");
        QVERIFY(t101->width() >= t101->fontMetrics().horizontalAdvance(t101->text()));
    }

    void clockTextsFollowTheLanguage()
    {
        FakeClock time(QDateTime(QDate(2026, 10, 14), QTime(15, 7, 9)));
        FormDesktopTime clock;
        clock.DesktopTimeLanguage("EN");
        QCOMPARE(clock.findChild<QLabel *>("t101")->text(), QString("3:07 PM"));
        QCOMPARE(clock.findChild<QLabel *>("t301")->text(), QString("October 14"));
        QCOMPARE(clock.findChild<QLabel *>("t104")->text(), QString("1507"));
        QCOMPARE(clock.findChild<QLabel *>("t205")->text(), QString(" 09 PM"));
        clock.DesktopTimeLanguage("中");
        QCOMPARE(clock.findChild<QLabel *>("t301")->text(), QString("十月 14"));
    }

    // A stored position of (0, 0) is a first run; without a stored language
    // the clock speaks Chinese.
    void clockReadsItsLook()
    {
        write({ { "DesktopWidget/TimeStyle", 5 }, { "DesktopWidget/TimeSize", 300 } });
        FakeWindowSystem windows;
        {
            // Never placed: a first run, whatever else the file holds.
            FormDesktopTime clock;
            clock.setShow(true);
            QCOMPARE(clock.style(), 0);
            QCOMPARE(clock.language(), QString("EN"));
            QCOMPARE(clock.alpha(), 100);
            QCOMPARE(clock.size(), QSize(500, 550));
        }
        {
            // Left in the corner it keeps its look; numbers that would hide
            // the clock or cover the desktop take usable values.
            write({ { "DesktopWidget/TimePos", QPoint(0, 0) }, { "DesktopWidget/TimeStyle", 12 },
                          { "DesktopWidget/TimeSize", 5000 }, { "DesktopWidget/TimeLanguage", "EN" } });
            FormDesktopTime clock;
            clock.findChild<QSlider *>("SizeQSlider")->setValue(800);
            clock.setShow(true);
            QCOMPARE(clock.pos(), QPoint(0, 0));
            QCOMPARE(clock.style(), 0);
            QVERIFY(clock.findChild<QFrame *>("Time1")->isVisible());
            QCOMPARE(clock.alpha(), 100);
            QCOMPARE(clock.size(), QSize(800, 850));
            QCOMPARE(clock.language(), QString("EN"));
        }
        write({ { "DesktopWidget/TimePos", QPoint(40, 60) }, { "DesktopWidget/TimeStyle", "5" },
                      { "DesktopWidget/TimeAlpha", "1000" }, { "DesktopWidget/TimeSize", "300" } });
        FormDesktopTime clock;
        clock.setShow(true);
        QCOMPARE(clock.pos(), QPoint(40, 60));
        QCOMPARE(clock.style(), 5);
        QCOMPARE(clock.language(), QString("中"));
        QCOMPARE(clock.size(), QSize(300, 350));
        QCOMPARE(clock.alpha(), 100); // the slider keeps it in range
        // The corrected value is written back two seconds later.
        QTRY_COMPARE_WITH_TIMEOUT(stored("DesktopWidget/TimeAlpha").toString(), QString("100"), 4000);
        QCOMPARE(stored("DesktopWidget/TimeLanguage").toString(), QString("中"));

        // Switched off, a pending save writes nothing.
        clock.findChild<QSlider *>("SizeQSlider")->setValue(600);
        clock.setShow(false);
        QTest::qWait(2300);
        QCOMPARE(stored("DesktopWidget/TimeSize").toString(), QString("300"));
    }

    // A place in the file far off the desktop: the clock comes back onto it,
    // whole where it fits.
    void clockFromAHostileFileStaysOnTheDesktop()
    {
        write({ { "DesktopWidget/TimePos", QPoint(99999, -5000) }, { "DesktopWidget/TimeSize", "100000" } });
        FakeWindowSystem windows;
        FakeScreens screens; // 1280 x 800
        FormDesktopTime clock;
        clock.setShow(true);
        QCOMPARE(clock.size(), QSize(800, 850));
        QCOMPARE(clock.pos(), QPoint(480, 0));
    }

    // A clock never placed opens in the middle of the dock's screen; one
    // placed keeps its place.
    void clockFirstOpensInTheMiddle()
    {
        write({});
        FakeScreens screens; // 1280 x 800
        FormDesktopTime clock;
        clock.setFirstScreen([] { return QRect(1280, 0, 1920, 1080); });
        clock.setShow(true);
        QCOMPARE(clock.size(), QSize(500, 550));
        QCOMPARE(clock.geometry().center(), QRect(1280, 0, 1920, 1080).center());
        clock.setShow(false);
        FormDesktopTime alone; // no dock to ask: the first screen
        alone.setShow(true);
        QCOMPARE(alone.geometry().center(), QRect(0, 0, 1280, 800).center());
        write({ { "DesktopWidget/TimePos", QPoint(40, 30) } });
        FormDesktopTime placed;
        placed.setFirstScreen([] { return QRect(1280, 0, 1920, 1080); });
        placed.setShow(true);
        QCOMPARE(placed.pos(), QPoint(40, 30));
    }

    // The clock lies below the other windows on every desktop; only what it
    // shows takes the mouse, and nothing at all while it is locked.
    void clockLetsClicksThrough()
    {
        write({});
        FakeWindowSystem windows;
        FormDesktopTime clock;
        clock.setShow(true);
        QCOMPARE(windows.levels.value(&clock), platform::WindowSystem::Below);
        QCOMPARE(windows.roles.value(&clock), platform::WindowRole::Overlay);
        QVERIFY(!clock.windowFlags().testFlag(Qt::WindowTransparentForInput));
        const QRegion input = windows.regions.value(&clock);
        QVERIFY(!input.isEmpty());
        QVERIFY(input != QRegion(clock.rect()));

        clock.DesktopTimelocking(true);
        QVERIFY(clock.isVisible());
        QVERIFY(clock.windowFlags().testFlag(Qt::WindowTransparentForInput));
        QVERIFY(windows.noInput.contains(&clock));
        QVERIFY(clock.findChild<QFrame *>("framebg")->isHidden());
        clock.DesktopTimelocking(false);
        QVERIFY(!clock.windowFlags().testFlag(Qt::WindowTransparentForInput));
        QVERIFY(clock.isVisible());
    }

    void clockSettingsBar()
    {
        write({});
        FakeWindowSystem windows;
        FormDesktopTime clock;
        clock.setShow(true);
        auto *bar = clock.findChild<QFrame *>("frameSet");
        auto *sizes = clock.findChild<QFrame *>("frameSize");
        auto *alphas = clock.findChild<QFrame *>("frameAlpha");
        QEvent enter(QEvent::Enter), leave(QEvent::Leave);
        QApplication::sendEvent(&clock, &enter);
        QVERIFY(bar->isVisible());
        QCOMPARE(bar->width(), 30);
        QApplication::sendEvent(&clock, &leave);
        QVERIFY(!bar->isVisible());

        auto openBar = [&] {
            QApplication::sendEvent(&clock, &enter);
            QTest::mouseClick(clock.findChild<QPushButton *>("settingButton"), Qt::LeftButton);
            QCOMPARE(bar->width(), 190);
        };
        openBar();
        QTest::mouseClick(clock.findChild<QPushButton *>("TimeSizeButton"), Qt::LeftButton);
        QVERIFY(sizes->isVisible() && !alphas->isVisible());
        QTest::mouseClick(clock.findChild<QPushButton *>("TimeAlphaButton"), Qt::LeftButton);
        QVERIFY(!sizes->isVisible() && alphas->isVisible());
        QTest::mouseClick(clock.findChild<QPushButton *>("TimeENButton"), Qt::LeftButton);
        QVERIFY(!alphas->isVisible());
        QCOMPARE(clock.language(), QString("中"));
        QTest::mouseClick(clock.findChild<QPushButton *>("TimeAlphaButton"), Qt::LeftButton);

        // The pointer leaves: the open bar and its panel go, and the next
        // visit shows the closed bar again.
        QApplication::sendEvent(&clock, &leave);
        QVERIFY(!bar->isVisible() && !alphas->isVisible());
        QApplication::sendEvent(&clock, &enter);
        QVERIFY(bar->isVisible());
        QCOMPARE(bar->width(), 30);
        QVERIFY(!alphas->isVisible());

        // The style list takes the pointer out of the clock: the bar stays
        // while it is open and goes once it closed with the pointer outside.
        openBar();
        auto *styles = clock.findChild<QComboBox *>("TimeStyleClick");
        styles->showPopup();
        QTRY_VERIFY(QApplication::activePopupWidget());
        QApplication::sendEvent(&clock, &leave);
        QVERIFY(bar->isVisible());
        QCursor::setPos(clock.frameGeometry().bottomRight() + QPoint(50, 50));
        styles->hidePopup();
        QTRY_VERIFY(!bar->isVisible());

        openBar();
        clock.DesktopTimelocking(true);
        QVERIFY(!bar->isVisible());
        QApplication::sendEvent(&clock, &enter);
        QVERIFY(!bar->isVisible());
        clock.DesktopTimelocking(false);
        QApplication::sendEvent(&clock, &enter);
        QVERIFY(bar->isVisible());
    }

    // The dock sets the overlay's flags after building it; showing it must
    // still leave it click-through and on screen.
    void sceneOverlayLetsClicksThrough()
    {
        FormWeatherEffects overlay;
        overlay.setWindowFlags(Qt::Tool | Qt::X11BypassWindowManagerHint | Qt::FramelessWindowHint
                               | Qt::WindowStaysOnTopHint);
        overlay.hide();
        overlay.show();
        overlay.showStart();
        QVERIFY(overlay.windowFlags().testFlag(Qt::WindowTransparentForInput));
        QVERIFY(overlay.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(overlay.isVisible());
        // Shown before any weather arrived: the no-data scene.
        QTRY_COMPARE(overlay.currentScene(), QString("Nodeta"));
        overlay.TimeOut(); // what the 5-second timer runs: fade out, then hide
        QTRY_VERIFY(!overlay.isVisible());
    }
};

ZV_TEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
