#include "dock/launchpad/formlaunchstarter.h"
#include "testenv.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class DockSlots : public QObject
{
    Q_OBJECT
public slots:
    void IconOpens(QString) {}
    void LaunchPadClose() {}
};

class TestLaunchPad : public QObject
{
    Q_OBJECT
private slots:
    void builtClosedWithTheDocksSignals()
    {
        FormLaunchStarter pad;
        QVERIFY(!pad.isVisible());
        QVERIFY(!pad.padShown);
        QCOMPARE(pad.windowTitle(), QString("LaunchPad"));
        QCOMPARE(pad.timeText(), QString("12:00 AM"));
        DockSlots w;
        QVERIFY(connect(&pad, &FormLaunchStarter::IconOpens, &w, &DockSlots::IconOpens));
        QVERIFY(connect(&pad, &FormLaunchStarter::LaunchPadClose, &w, &DockSlots::LaunchPadClose));
    }

    // The open flag follows toggleShow, and the dock hears of each close once.
    void toggleShowKeepsTheOpenFlag()
    {
        FormLaunchStarter pad;
        QSignalSpy closed(&pad, &FormLaunchStarter::LaunchPadClose);
        pad.toggleShow();
        QVERIFY(pad.padShown);
        QVERIFY(pad.isShown());
        QVERIFY(pad.isVisible());
        QCOMPARE(closed.count(), 0);

        pad.toggleShow();
        QVERIFY(!pad.padShown);
        QVERIFY(!pad.isVisible());
        QCOMPARE(closed.count(), 1);

        pad.CloseShow(); // already closed: no second report
        QCOMPARE(closed.count(), 1);

        pad.toggleShow();
        pad.findChild<QPushButton *>("closeButton")->click(); // click on empty space
        QVERIFY(!pad.padShown);
        QCOMPARE(closed.count(), 2);
    }

    void placeOnScreenMovesOnlyOnChange()
    {
        FormLaunchStarter pad;
        pad.placeOnScreen(1280, 0, 1024, 768);
        QCOMPARE(pad.pos(), QPoint(1280, 0));
        QCOMPARE(pad.size(), QSize(1024, 768));
        auto *closeButton = pad.findChild<QPushButton *>("closeButton");
        QCOMPARE(closeButton->geometry(), QRect(0, 0, 1024, 768));

        closeButton->setGeometry(1, 1, 2, 2);
        pad.placeOnScreen(1280, 0, 1024, 768); // same rectangle: nothing at all
        QCOMPARE(closeButton->geometry(), QRect(1, 1, 2, 2));
    }

    void pagesTurnOnlyWhileShownAndStayInRange()
    {
        FormLaunchStarter pad;
        pad.turnPage(1);
        QCOMPARE(pad.page(), 1);
        pad.StartShow();
        pad.turnPage(1); // one page only: stays on it
        QCOMPARE(pad.page(), 1);
        pad.turnPage(0);
        QCOMPARE(pad.page(), 1);
        pad.turnPage(5); // not a direction
        QCOMPARE(pad.page(), 1);
        QCOMPARE(pad.pages(), 1);
    }

    void timeTextIsShown()
    {
        FormLaunchStarter pad;
        pad.setTimeText("3:07 AM");
        QCOMPARE(pad.timeText(), QString("3:07 AM"));
    }
};

ZV_TEST_MAIN(TestLaunchPad)
#include "tst_launchpad.moc"
