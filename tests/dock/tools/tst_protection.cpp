#include "dock/tools/formprotection.h"
#include "dock/tools/formprotectionsetting.h"
#include "testconfig.h"
#include "fakedesktop.h"

#include <QFile>
#include <QFrame>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

namespace {

QSlider *slider(FormProtection &t) { return t.control()->findChild<QSlider *>("horizontalSlider"); }

using TestConfig::stored;

void release(QWidget *w, const QPoint &at)
{
    QMouseEvent up(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                   Qt::NoModifier);
    QApplication::sendEvent(w, &up);
}

} // namespace

class TestProtection : public QObject
{
    Q_OBJECT
private slots:
    void init() { TestConfig::reset(); }

    // First use: nothing stored. The slider settles at its minimum, which is
    // both shown and saved; the control sits at the desktop's corner.
    void firstUseShowsTheClampedStrength()
    {
        FakeScreens screens;
        FormProtection t;
        QSignalSpy display(t.control(), &FormProtectionSetting::setDisplay);
        t.toggleDisplay();
        QVERIFY(t.isShown() && t.isVisible() && t.control()->isVisible());
        QCOMPARE(slider(t)->value(), 20);
        QCOMPARE(t.alpha(), 20);
        QCOMPARE(display.last().first().toInt(), 20);
        QCOMPARE(t.control()->pos(), QPoint(0, 0));
        QCOMPARE(stored("System/Protection").toString(), QString("20"));
        QCOMPARE(stored("System/ProtectionPos").toPoint(), QPoint(0, 0));
    }

    void storedStrengthIsClamped_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("shown");
        QTest::newRow("in range") << QByteArray("33") << 33;
        QTest::newRow("above") << QByteArray("90") << 50;
        QTest::newRow("below") << QByteArray("3") << 20;
        QTest::newRow("not a number") << QByteArray("strong") << 20;
    }
    void storedStrengthIsClamped()
    {
        QFETCH(QByteArray, value);
        QFETCH(int, shown);
        FakeScreens screens;
        TestConfig::writeIni("[System]\nProtection=" + value + "\nProtectionPos=@Point(40 60)\n");
        FormProtection t;
        t.toggleDisplay();
        QCOMPARE(t.alpha(), shown);
        QCOMPARE(slider(t)->value(), shown);
        QCOMPARE(t.control()->pos(), QPoint(40, 60));
    }

    // The veil spans every screen; the control comes back from a screen that
    // is gone.
    void coversEveryScreen()
    {
        FakeScreens screens({ { QRect(0, 0, 1280, 800), QRect(0, 0, 1280, 770) },
                              { QRect(1280, -200, 1920, 1080), QRect(1280, -200, 1920, 1080) } });
        TestConfig::writeIni("[System]\nProtection=30\nProtectionPos=@Point(5000 5000)\n");
        FormProtection t;
        t.toggleDisplay();
        QCOMPARE(t.geometry(), QRect(0, -200, 3200, 1080));
        QCOMPARE(t.control()->pos(), QPoint(0, 0));
    }

    // Turning it off and on restores the strength and position of last time;
    // the slider writes both on every change, the close button hides both.
    void settingsSurviveOffAndOn()
    {
        FakeScreens screens;
        FormProtection t;
        t.toggleDisplay();
        t.control()->move(300, 200);
        slider(t)->setValue(44);
        QCOMPARE(t.alpha(), 44);
        QCOMPARE(stored("System/Protection").toString(), QString("44"));
        QCOMPARE(stored("System/ProtectionPos").toPoint(), QPoint(300, 200));

        t.toggleDisplay();
        QVERIFY(!t.isShown() && !t.isVisible() && !t.control()->isVisible());
        t.setDisplay(50);
        t.control()->move(0, 0);
        t.toggleDisplay();
        QCOMPARE(t.alpha(), 44);
        QCOMPARE(t.control()->pos(), QPoint(300, 200));

        t.control()->findChild<QPushButton *>("closeButton")->click();
        QVERIFY(!t.isShown() && !t.isVisible() && !t.control()->isVisible());
    }

    // A click on the disc folds or unfolds the slider and saves; a drag moves
    // the control and saves where it went.
    void clickUnfoldsDragMoves()
    {
        FakeScreens screens;
        FormProtection t;
        t.toggleDisplay();
        FormProtectionSetting *c = t.control();
        auto *tool = c->findChild<QFrame *>("tool");
        const QPoint disc(35, 205);

        QTest::mousePress(c, Qt::LeftButton, Qt::NoModifier, disc);
        release(c, disc);
        QVERIFY(c->isToolOpen() && !tool->isHidden());
        QTRY_COMPARE(tool->geometry(), QRect(10, 180, 50, 210));

        QTest::mousePress(c, Qt::LeftButton, Qt::NoModifier, disc);
        release(c, disc);
        QTRY_VERIFY(!c->isToolOpen() && tool->isHidden());

        QTest::mousePress(c, Qt::LeftButton, Qt::NoModifier, disc);
        const QPoint to = c->mapToGlobal(disc) + QPoint(120, 45);
        QMouseEvent move(QEvent::MouseMove, c->mapFromGlobal(to), to, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(c, &move);
        release(c, c->mapFromGlobal(to));
        QCOMPARE(c->pos(), QPoint(120, 45));
        QVERIFY(!c->isToolOpen());
        QCOMPARE(stored("System/ProtectionPos").toPoint(), QPoint(120, 45));
    }

    // Another window takes the focus (a prompt opens, say) while the user
    // reaches for the close button: the slider stays out under the pointer,
    // so one click on the button closes the tool. The slider folds once the
    // pointer has left; another window taking the focus with the pointer
    // elsewhere folds it at once.
    void focusLostUnderThePointerKeepsTheCloseButton()
    {
        FakeScreens screens;
        FormProtection t;
        t.toggleDisplay();
        FormProtectionSetting *c = t.control();
        auto *tool = c->findChild<QFrame *>("tool");
        auto *close = c->findChild<QPushButton *>("closeButton");
        QSignalSpy closed(c, &FormProtectionSetting::setClose);
        auto deactivate = [c] {
            QEvent e(QEvent::WindowDeactivate);
            QApplication::sendEvent(c, &e);
        };

        c->toolShow();
        QTRY_COMPARE(tool->geometry(), QRect(10, 180, 50, 210));
        QCursor::setPos(close->mapToGlobal(close->rect().center()));
        deactivate();
        QTest::qWait(200);
        QVERIFY(c->isToolOpen() && close->isVisible());
        QTest::mouseClick(c->windowHandle(), Qt::LeftButton, Qt::NoModifier, close->mapTo(c, QPoint(10, 10)));
        QCOMPARE(closed.count(), 1);
        QVERIFY(!t.isShown() && !c->isVisible());

        t.toggleDisplay();
        QVERIFY(c->isToolOpen());
        QCursor::setPos(c->mapToGlobal(QPoint(35, 205)));
        deactivate();
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(c, &leave);
        QTRY_VERIFY(!c->isToolOpen() && tool->isHidden());

        c->toolShow();
        QTRY_COMPARE(tool->geometry(), QRect(10, 180, 50, 210));
        QCursor::setPos(c->mapToGlobal(QPoint(300, 300)));
        deactivate();
        QTRY_VERIFY(!c->isToolOpen() && tool->isHidden());
        QCOMPARE(closed.count(), 1);
    }
};

ZV_TEST_MAIN(TestProtection)
#include "tst_protection.moc"
