#include "dock/widgets/formdesktoptime.h"
#include "dock/widgets/formdesktopwidget.h"
#include "dock/widgets/formweather.h"
#include "dock/widgets/formweathereffects.h"
#include "fakeplatform.h"
#include "platform/paths.h"
#include "testenv.h"

#include <QApplication>
#include <QCheckBox>
#include <QSettings>
#include "dock/settings/docksettings.h"
#include <QSignalSpy>
#include <QtTest>

class DockSlots : public QObject
{
    Q_OBJECT
public slots:
    void setWeatherInit(QString, QString, QString, QString) {}
};

static void writeConfig(const QVariantMap &keys)
{
    QFile::remove(DockSettings::defaultPath());
    DockSettings *s = DockSettings::instance();
    s->load();
    for (auto it = keys.begin(); it != keys.end(); ++it)
        s->setValue(it.key(), it.value());
    QVERIFY(s->save());
}

static QVariant readConfig(const QString &key)
{
    return QSettings(platform::configPath("config.ini"), QSettings::IniFormat).value(key);
}

class TestWidgets : public QObject
{
    Q_OBJECT
private slots:
    // The connections the dock window makes, checked by the compiler.
    void windowsConnectAsTheDockDoes()
    {
        FormDesktopTime clock;
        FormDesktopWidget panel;
        FormWeatherEffects scenes;
        FormWeather weather;
        DockSlots w;
        QVERIFY(connect(&panel, &FormDesktopWidget::DesktopTimeShow, &clock, &FormDesktopTime::setShow));
        QVERIFY(connect(&panel, &FormDesktopWidget::DesktopTimeSize, &clock, &FormDesktopTime::DesktopTimeSize));
        QVERIFY(connect(&panel, &FormDesktopWidget::DesktopTimeStyle, &clock, &FormDesktopTime::DesktopTimeStyle));
        QVERIFY(connect(&panel, &FormDesktopWidget::DesktopTimelocking, &clock, &FormDesktopTime::DesktopTimelocking));
        QVERIFY(connect(&panel, &FormDesktopWidget::DesktopTimeLanguage, &clock, &FormDesktopTime::DesktopTimeLanguage));
        QVERIFY(connect(&panel, &FormDesktopWidget::DesktopTimeAlpha, &clock, &FormDesktopTime::DesktopTimeAlpha));
        QVERIFY(connect(&weather, &FormWeather::setWeatherInit, &w, &DockSlots::setWeatherInit));
        QVERIFY(connect(&weather, &FormWeather::setWeatherInit, &scenes, &FormWeatherEffects::setWeatherInit));
        for (QWidget *x : { (QWidget *)&clock, (QWidget *)&panel, (QWidget *)&scenes, (QWidget *)&weather })
            QVERIFY(!x->isVisible());
    }

    void clockKeepsWhatItIsGiven()
    {
        FakeWindowSystem windows;
        FormDesktopTime clock;
        clock.RaiseWindow(); // switched off: nothing
        QVERIFY(windows.raised.isEmpty());

        clock.setShow(true);
        QVERIFY(clock.isShown() && clock.isVisible());
        clock.RaiseWindow();
        QCOMPARE(windows.raised.size(), 1);

        clock.DesktopTimeSize(300);
        QCOMPARE(clock.size(), QSize(300, 350));
        clock.DesktopTimeStyle(3);
        clock.DesktopTimeAlpha(40);
        QCOMPARE(clock.style(), 3);
        QCOMPARE(clock.alpha(), 40);
        clock.DesktopTimelocking(true);
        QVERIFY(clock.isLocked());

        QCOMPARE(clock.language(), QString("EN"));
        clock.DesktopTimeLanguage("中");
        QCOMPARE(clock.language(), QString("中"));
        clock.DesktopTimeLanguage(""); // anything but "EN" is Chinese
        QCOMPARE(clock.language(), QString("中"));
        clock.DesktopTimeLanguage("EN");
        QCOMPARE(clock.language(), QString("EN"));

        clock.setShow(false);
        QVERIFY(!clock.isVisible());
        clock.RaiseWindow();
        QCOMPARE(windows.raised.size(), 1);
    }

    // First start: the clock is hidden and a notes program left running is ended.
    void panelFirstStart()
    {
        writeConfig({});
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
        writeConfig({ { "DesktopWidget/TimeSwitch", true },
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
        QCOMPARE(panel.findChild<QCheckBox *>("Timelocking")->text(), QString("锁定"));
    }

    void panelSavedLockWithClockOff()
    {
        writeConfig({ { "DesktopWidget/TimeSwitch", false }, { "DesktopWidget/Timelocking", true } });
        FakeProcesses processes;
        FormDesktopWidget panel;
        panel.ReadSettings();
        auto *lock = panel.findChild<QCheckBox *>("Timelocking");
        QVERIFY(lock->isChecked());
        QVERIFY(!lock->isEnabled());
    }

    // The notes program ended itself: the switch goes off and is saved at once.
    void panelHearsTheNotesProgramClose()
    {
        writeConfig({ { "DesktopWidget/TimeSwitch", true }, { "DesktopWidget/Note", true } });
        FakeProcesses processes;
        FormDesktopWidget panel;
        panel.ReadSettings();
        QCOMPARE(readConfig("DesktopWidget/Note").toBool(), true);

        panel.ReceiveSystemMessage("Pravelt", "MirelkaClose"); // another sender: only saves
        QVERIFY(panel.findChild<QCheckBox *>("NotesSwitch")->isChecked());
        QVERIFY(processes.killed.isEmpty());

        panel.ReceiveSystemMessage("Mirelka", "MirelkaClose");
        QVERIFY(!panel.findChild<QCheckBox *>("NotesSwitch")->isChecked());
        QCOMPARE(processes.killed, QStringList { "Mirelka" });
        QCOMPARE(readConfig("DesktopWidget/Note").toBool(), false);
        QCOMPARE(readConfig("DesktopWidget/TimeSwitch").toBool(), true);
    }

    void weatherStartsOnceAndScenesKeepTheState()
    {
        FormWeather weather;
        QSignalSpy sent(&weather, &FormWeather::setWeatherInit);
        QVERIFY(!weather.isStarted());
        weather.startWeather();
        weather.startWeather();
        QVERIFY(weather.isStarted());
        QCOMPARE(sent.count(), 0); // nothing loaded, nothing to hand on

        FormWeatherEffects scenes;
        QCOMPARE(scenes.state(), QString("32"));
        scenes.setWeatherInit("北京", "晴,北风3级", "21", "0");
        QCOMPARE(scenes.state(), QString("0"));
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
    }
};

ZV_TEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
