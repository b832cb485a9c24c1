#include "dock/tools/formabout.h"
#include "dock/tools/formprotection.h"
#include "dock/tools/formshutdown.h"
#include "dock/tools/formupload.h"
#include "dock/tools/formvesk.h"
#include "fakeplatform.h"
#include "testenv.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

class DockSlots : public QObject
{
    Q_OBJECT
public slots:
    void updates() {}
};

class TestTools : public QObject
{
    Q_OBJECT
private slots:
    void builtHidden()
    {
        FormAbout about;
        FormUpload upload;
        FormProtection tint;
        FormShutDown power;
        FormVesk search;
        for (QWidget *w : { (QWidget *)&about, (QWidget *)&upload, (QWidget *)&tint, (QWidget *)&power,
                            (QWidget *)&search })
            QVERIFY(!w->isVisible());
        QCOMPARE(about.size(), QSize(400, 325));
        QCOMPARE(power.windowTitle(), QString("系统电源"));
        DockSlots w;
        QVERIFY(connect(&upload, &FormUpload::updates, &w, &DockSlots::updates));
    }

    // Without a way to reach the update page nothing is ever announced.
    void updaterChecksHourlyAndAnnouncesNothingYet()
    {
        FormUpload upload;
        QSignalSpy newer(&upload, &FormUpload::updates);
        QVERIFY(!upload.checkTimerActive());
        upload.startCheckTimer();
        QVERIFY(upload.checkTimerActive());
        QCOMPARE(upload.checkInterval(), 3600000);
        upload.startInit2();
        upload.checkUpdate();
        QCOMPARE(newer.count(), 0);
        QCOMPARE(upload.builtInVersion(), 1809);
        QVERIFY(!upload.isVisible());
    }

    void tintTogglesOverTheWholeScreen()
    {
        FormProtection tint;
        QVERIFY(tint.windowFlags().testFlag(Qt::WindowTransparentForInput));
        tint.toggleDisplay();
        QVERIFY(tint.isShown() && tint.isVisible());
        QCOMPARE(tint.geometry(), QGuiApplication::primaryScreen()->geometry());
        tint.toggleDisplay();
        QVERIFY(!tint.isShown() && !tint.isVisible());
    }

    void powerDialogSwitchesPages()
    {
        FakeClock clock(QDateTime(QDate(2026, 1, 2), QTime(23, 7, 41)));
        FormShutDown power;
        power.show();
        auto *timerPage = power.findChild<QFrame *>("frame_2");
        auto *restart = power.findChild<QPushButton *>("RestartButton");
        auto *heading = power.findChild<QLabel *>("label");

        power.showTimerPage();
        QVERIFY(power.isTimerPage());
        QVERIFY(timerPage->isVisible());
        QVERIFY(!restart->isVisible());
        QCOMPARE(heading->text(), QString("定时关机"));
        QCOMPARE(power.findChild<QLabel *>("label2_7")->text(), QString("23:07"));
        QCOMPARE(power.findChild<QDateTimeEdit *>("dateTimeEdit")->time(), QTime(23, 7));

        power.showPowerPage();
        QVERIFY(!power.isTimerPage());
        QVERIFY(!timerPage->isVisible());
        QVERIFY(restart->isVisible());
        QCOMPARE(heading->text(), QString("电源"));
        QCOMPARE(power.findChild<QLabel *>("label2")->text(), QString("请选择重启或者关机"));

        // Closing from the timer page leaves the power page for next time.
        power.showTimerPage();
        power.findChild<QPushButton *>("close")->click();
        QVERIFY(!power.isVisible());
        QVERIFY(!power.isTimerPage());
    }

    void searchBoxCoversTheDocksScreen()
    {
        FormVesk search;
        auto *veil = search.findChild<QPushButton *>("pushButton_2");
        auto *bar = search.findChild<QFrame *>("frame");
        search.setWindowRect(100, 50, 1280, 800);
        QCOMPARE(search.geometry(), QRect(100, 50, 1280, 800));
        QCOMPARE(veil->size(), QSize(1280, 800));
        veil->resize(5, 5);
        search.setWindowRect(100, 50, 1280, 800); // unchanged: nothing
        QCOMPARE(veil->size(), QSize(5, 5));

        search.toggle();
        QVERIFY(search.isShown() && search.isVisible());
        QCOMPARE(bar->pos(), QPoint(640 - bar->width() / 2, 400 - bar->height() / 2 - 10));
        search.toggle();
        QVERIFY(!search.isShown() && !search.isVisible());

        search.toggle();
        veil->click(); // a click on the veil closes the box
        QVERIFY(!search.isShown());
    }
};

ZV_TEST_MAIN(TestTools)
#include "tst_tools.moc"
