#include "dock/toast/formsystemhint.h"
#include "testenv.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

class TestToast : public QObject
{
    Q_OBJECT
private slots:
    void sizeFollowsTheText()
    {
        FormSystemHint t;
        t.ShowMessage("图标删除成功！");
        QLabel *label = t.findChild<QLabel *>("label");
        QPushButton *close = t.findChild<QPushButton *>("close");
        QVERIFY(label && close);
        QCOMPARE(t.text(), QString("图标删除成功！"));
        QCOMPARE(t.height(), 42);
        QCOMPARE(t.width(), label->width());
        QCOMPARE(close->pos(), QPoint(t.width() - 34, 12));
        t.ShowMessage("");
        QCOMPARE(t.width(), label->width());
        QVERIFY(t.width() >= 90);
        // A notice naming a file or a disk shows the name as it is.
        t.ShowMessage("<b>U盘</b> 保存失败！");
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(t.text(), QString("<b>U盘</b> 保存失败！"));
    }

    void restsAtTheLowerMiddleOfTheArea()
    {
        FormSystemHint t;
        t.ShowMessage("x");
        t.resize(200, 42);
        t.setArea(1920, 1040);
        const QPoint origin = QGuiApplication::primaryScreen()->availableGeometry().topLeft();
        QCOMPARE(t.restingPos(), origin + QPoint(860, 708));
    }

    void cycleShowsThenHides()
    {
        FormSystemHint t;
        t.ShowMessage("hello");
        t.show();
        QTRY_COMPARE_WITH_TIMEOUT(t.windowOpacity(), 1.0, 1000);
        QVERIFY(t.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!t.isVisible(), 5000);
    }

    void newMessageDuringFadeOutStaysVisible()
    {
        FormSystemHint t;
        t.ShowMessage("first");
        t.show();
        t.CloseShow();                // the first one is fading out
        t.ShowMessage("second");      // a new one arrives meanwhile
        t.show();
        QTest::qWait(400);            // longer than the fade
        QVERIFY(t.isVisible());
        QCOMPARE(t.text(), QString("second"));
    }

    void closeButtonEndsTheCycle()
    {
        FormSystemHint t;
        t.ShowMessage("bye");
        t.show();
        QTest::mouseClick(t.findChild<QPushButton *>("close"), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!t.isVisible(), 1000);
    }
};

ZV_TEST_MAIN(TestToast)
#include "tst_toast.moc"
