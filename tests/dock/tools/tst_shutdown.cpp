#include "dock/tools/formshutdown.h"
#include "dock/toast/formsystemhint.h"
#include "fakepower.h"
#include "fakeplatform.h"
#include "testenv.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using platform::Power;

// The power dialog with its clock fixed at 23:07:41 on a Friday.
struct Dialog
{
    FakeClock clock{ QDateTime(QDate(2026, 1, 2), QTime(23, 7, 41)) };
    FakePower power;
    FormShutDown w;

    Dialog() { w.show(); }
    template <class T = QWidget>
    T *child(const char *name) { return w.findChild<T *>(name); }
    QString text(const char *label) { return child<QLabel>(label)->text(); }
    bool shown(const char *frame) { return !child(frame)->isHidden(); }
    QTimer *timer(const char *name) { return w.findChild<QTimer *>(name); }
    void click(const char *button) { child<QPushButton>(button)->click(); }
    void at(const QTime &t) { clock.time.setTime(t); }
    void armAt(const QTime &t)
    {
        w.showTimerPage();
        child<QDateTimeEdit>("dateTimeEdit")->setTime(t);
        click("starButton");
    }
    QString toast()
    {
        for (QWidget *t : QApplication::topLevelWidgets())
            if (auto *hint = qobject_cast<FormSystemHint *>(t))
                if (hint->isVisible())
                    return hint->text();
        return QString();
    }
};

class TestShutDown : public QObject
{
    Q_OBJECT
private slots:
    void pagesAndTheirTexts()
    {
        Dialog d;
        QVERIFY(!d.shown("frame_2") && !d.shown("frame_3") && !d.shown("frame_4"));

        d.click("pushButton");
        QVERIFY(d.w.isTimerPage() && d.shown("frame_2"));
        QVERIFY(d.child("RestartButton")->isHidden());
        QCOMPARE(d.text("label"), QString("定时关机"));
        QCOMPARE(d.text("label2"), QString("请设置关机时间"));
        QCOMPARE(d.text("label2_7"), QString("23:07"));
        // Seconds dropped in the field; the current time runs with the clock,
        // turning at the next whole second.
        QCOMPARE(d.child<QDateTimeEdit>("dateTimeEdit")->time(), QTime(23, 7));
        QTimer *clockTimer = d.timer("clockTimer");
        QVERIFY(clockTimer->isActive());
        QVERIFY(clockTimer->interval() <= 1005);
        d.at(QTime(23, 8, 0, 3));
        QTRY_COMPARE(d.text("label2_7"), QString("23:08"));
        QVERIFY(clockTimer->isActive());
        QVERIFY(clockTimer->interval() <= 1002);
        QCOMPARE(d.child<QDateTimeEdit>("dateTimeEdit")->time(), QTime(23, 7)); // the field is the user's
        d.w.hide();
        QVERIFY(!clockTimer->isActive());
        d.w.show();
        QVERIFY(clockTimer->isActive());

        d.click("pushButton_3");
        QVERIFY(!d.w.isTimerPage() && !d.shown("frame_2"));
        QVERIFY(!d.timer("clockTimer")->isActive());
        QCOMPARE(d.text("label"), QString("电源"));
        QCOMPARE(d.text("label2"), QString("请选择重启或者关机"));

        // Closing from the timer page leaves the power page for next time.
        d.w.showTimerPage();
        d.click("close");
        QVERIFY(!d.w.isVisible() && !d.w.isTimerPage());
    }

    // Arm at the current minute: the first tick starts the countdown, which
    // shows 5, then 5 4 3 2 1 0 a second apart and asks to power off at 0,
    // once.
    void countdownSequence()
    {
        Dialog d;
        d.armAt(QTime(23, 7));
        QVERIFY(d.w.isArmed());
        QVERIFY(!d.shown("frame") && d.shown("frame_4"));
        QCOMPARE(d.text("time3"), QString("23:07"));
        QVERIFY(!d.child("dateTimeEdit")->isEnabled());
        QVERIFY(d.timer("checkTimer")->isActive());

        d.w.showMinimized();
        d.w.timeOver();
        QVERIFY(!d.timer("checkTimer")->isActive());
        QVERIFY(d.timer("countdownTimer")->isActive());
        QCOMPARE(d.timer("countdownTimer")->interval(), 1000);
        QVERIFY(d.shown("frame_3") && !d.shown("frame_4") && !d.shown("frame"));
        QVERIFY(!d.w.isMinimized()); // brought back
        QCOMPARE(d.text("Countdown"), QString("5"));
        QCOMPARE(d.text("label2_4"), QString("时间到！您的电脑即将关闭！"));

        QStringList shownCounts;
        for (int tick = 0; tick < 6; ++tick) {
            QCOMPARE(d.power.asked.size(), 0);
            d.w.CountdownTimeOver();
            shownCounts << d.text("Countdown");
        }
        QCOMPARE(shownCounts, QStringList({ "5", "4", "3", "2", "1", "0" }));
        QCOMPARE(d.power.asked, QList<Power::Action>{ Power::PowerOff });
        QVERIFY(!d.timer("countdownTimer")->isActive());
    }

    // The armed minute is matched by its text: a minute already past waits for
    // tomorrow; the clock view runs while waiting.
    void minuteMatching()
    {
        Dialog d;
        d.armAt(QTime(7, 30));
        d.at(QTime(23, 59, 59, 870));
        d.w.timeOver();
        QCOMPARE(d.text("time1"), QString("23:59"));
        QCOMPARE(d.text("time1_2"), QString(":59"));
        QCOMPARE(d.text("time2"), QString(":870"));
        // Seconds and milliseconds side by side, neither cut.
        auto *seconds = d.child<QLabel>("time1_2");
        auto *millis = d.child<QLabel>("time2");
        const QFontMetrics fm(millis->font());
        QVERIFY(millis->width() >= fm.horizontalAdvance(":870"));
        QVERIFY(millis->x() >= seconds->x() + fm.horizontalAdvance(":59"));
        QVERIFY(millis->geometry().right() < d.child("frame_4")->width());
        QVERIFY(!d.shown("frame_3"));
        d.clock.time = QDateTime(QDate(2026, 1, 3), QTime(7, 29, 59));
        d.w.timeOver();
        QVERIFY(!d.shown("frame_3"));
        d.at(QTime(7, 30, 0, 10));
        d.w.timeOver();
        QVERIFY(d.shown("frame_3"));
    }

    void armedViewSurvivesPageSwitches()
    {
        Dialog d;
        d.armAt(QTime(23, 30));
        d.at(QTime(23, 12));
        d.w.showPowerPage();
        QVERIFY(d.shown("frame_4") && !d.shown("frame"));
        d.w.showTimerPage();
        QCOMPARE(d.child<QDateTimeEdit>("dateTimeEdit")->time(), QTime(23, 30));

        d.click("starButton2");
        QVERIFY(!d.w.isArmed());
        QVERIFY(d.shown("frame") && !d.shown("frame_4"));
        QCOMPARE(d.text("time3"), QString("00:00"));
        QVERIFY(d.child("dateTimeEdit")->isEnabled());
        QVERIFY(!d.timer("checkTimer")->isActive());
    }

    // Armed from the timer page, then opened from a "SHUTDOWN" icon: the
    // power page lies under the armed view. Stopping the timer or cancelling
    // the countdown brings the whole timer page back, never its texts over
    // the restart and shutdown buttons.
    void endingTheTimerFromThePowerPage_data()
    {
        QTest::addColumn<QString>("end");
        QTest::newRow("stop the timer") << "starButton2";
        QTest::newRow("cancel the countdown") << "cancelButton";
    }

    void endingTheTimerFromThePowerPage()
    {
        QFETCH(QString, end);
        Dialog d;
        d.armAt(end == "cancelButton" ? QTime(23, 7) : QTime(23, 30));
        d.w.showPowerPage();
        if (end == "cancelButton") {
            d.w.timeOver();
            QVERIFY(d.shown("frame_3"));
        }
        d.click(qPrintable(end));
        QVERIFY(!d.w.isArmed());
        QVERIFY(d.w.isTimerPage());
        QVERIFY(d.shown("frame") && d.shown("frame_2"));
        for (const char *b : { "RestartButton", "ShutDownButton", "pushButton" })
            QVERIFY(!d.shown(b));
        QCOMPARE(d.text("label"), QString("定时关机"));
        QCOMPARE(d.text("label2"), QString("请设置关机时间"));
        // The pointer over where the buttons were changes nothing.
        QMouseEvent move(QEvent::MouseMove, d.child("RestartButton")->geometry().center(), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&d.w, &move);
        QCOMPARE(d.text("label"), QString("定时关机"));
        QVERIFY(d.timer("clockTimer")->isActive());
    }

    void cancelAndArmAgainStartsFromFive()
    {
        Dialog d;
        d.armAt(QTime(23, 7));
        d.w.timeOver();
        d.w.CountdownTimeOver();
        d.w.CountdownTimeOver();
        QCOMPARE(d.text("Countdown"), QString("4"));
        d.click("cancelButton");
        QVERIFY(!d.w.isArmed() && !d.w.isCountingDown());
        QVERIFY(!d.timer("countdownTimer")->isActive());
        QVERIFY(d.shown("frame") && !d.shown("frame_3") && !d.shown("frame_4"));
        QCOMPARE(d.text("label"), QString("定时关机"));

        d.click("starButton");
        d.w.timeOver();
        QCOMPARE(d.text("Countdown"), QString("5"));
        d.w.CountdownTimeOver();
        QCOMPARE(d.text("Countdown"), QString("5"));
    }

    // A refusal is shown to the user and never taken for success; one request
    // at a time.
    void powerRequestsAndRefusals_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("shown");
        QTest::newRow("restart accepted") << "RestartButton" << int(Power::Accepted) << QString();
        QTest::newRow("restart not allowed") << "RestartButton" << int(Power::NotAllowed) << "系统不允许重启";
        QTest::newRow("no logind") << "ShutDownButton" << int(Power::Unavailable) << "无法关机：系统电源服务不可用";
        QTest::newRow("refused") << "ShutDownButton" << int(Power::Failed) << "关机失败：Not authorized";
    }
    void powerRequestsAndRefusals()
    {
        QFETCH(QString, button);
        QFETCH(int, outcome);
        QFETCH(QString, shown);
        Dialog d;
        d.click(qPrintable(button));
        d.click(qPrintable(button));
        QCOMPARE(d.power.asked.size(), 1);
        QCOMPARE(d.power.asked.first(), button == "RestartButton" ? Power::Reboot : Power::PowerOff);
        QCOMPARE(d.toast(), QString());
        d.power.answer(Power::Outcome(outcome), "Not authorized");
        QCOMPARE(d.toast(), shown);
        d.click(qPrintable(button));
        QCOMPARE(d.power.asked.size(), 2);
    }

    void refusedCountdownSaysSoAndCanBeCancelled()
    {
        Dialog d;
        d.armAt(QTime(23, 7));
        d.w.timeOver();
        for (int tick = 0; tick < 6; ++tick)
            d.w.CountdownTimeOver();
        d.power.answer(Power::Unavailable);
        QCOMPARE(d.text("label2_4"), QString("无法关机：系统电源服务不可用"));
        QVERIFY(d.shown("frame_3"));
        d.click("cancelButton");
        QVERIFY(!d.w.isArmed() && d.shown("frame"));
    }
};

ZV_TEST_MAIN(TestShutDown)
#include "tst_shutdown.moc"
