#include "dock/toast/formsystemhint.h"
#include "seen.h"
#include "testenv.h"
#include "widgetfixture.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

class TestToast : public QObject
{
    Q_OBJECT
private slots:
    // The text shows whole in the middle of the dark pill, its close button
    // at the pill's right end, clear of the text; a notice naming a file or
    // a disk shows the name as it is.
    void theTextShowsWhole()
    {
        FormSystemHint t;
        QLabel *label = t.findChild<QLabel *>("label");
        QPushButton *close = t.findChild<QPushButton *>("close");
        QVERIFY(label && close);
        for (const QString &text : { QString("图标删除成功！"), QString("x"), QString() }) {
            t.ShowMessage(text);
            QCOMPARE(t.text(), text);
            const QImage shown = Seen::plain(t.grab().toImage());
            const QRect pill = Seen::boundsOf(shown, [](const QColor &c) { return c.alpha() > 100 && c.lightness() < 60; });
            QVERIFY2(pill.width() * 10 >= t.width() * 9 && pill.height() * 10 >= t.height() * 9, qPrintable(text));
            const QRect button = close->geometry();
            QVERIFY2(pill.contains(button), qPrintable(text));
            QVERIFY2(button.left() > pill.center().x() && qAbs(button.center().y() - pill.center().y()) <= 2, qPrintable(text));
            const QRect written = Seen::boundsOf(
                shown, [](const QColor &c) { return c.alpha() > 100 && c.lightness() > 160; },
                pill.adjusted(2, 2, -(pill.right() - button.left() + 1), -2));
            if (text.isEmpty())
                continue;
            QVERIFY2(!written.isNull(), qPrintable(text));
            QVERIFY2(pill.adjusted(8, 4, -8, -4).contains(written) && written.right() < button.left(), qPrintable(text));
            QVERIFY2(qAbs(written.center().x() - label->rect().center().x()) <= 3, qPrintable(text));
        }
        t.ShowMessage("<b>U盘</b> 保存失败！");
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(t.text(), QString("<b>U盘</b> 保存失败！"));
    }

    // The dock's toast as its user sees it: sliding up to rest in the middle
    // of the screen across, in its lower part, wholly on the screen and
    // clear of the bar and its magnified icons.
    void theDocksToastStandsClearOfTheBar()
    {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        WidgetFixture f;
        f.setUpFakes({ { QGuiApplication::primaryScreen()->geometry(), screen } });
        f.setting("System/Location", 2);
        {
            Widget w;
            QTRY_VERIFY(w.autoHide()->isDockShown());
            FormSystemHint *t = w.toast();
            t->ShowMessage(QStringLiteral("图标删除成功！"));
            t->show();
            const int startY = t->y();
            QTRY_COMPARE(t->windowOpacity(), 1.0);
            const QRect rest = t->geometry();
            QVERIFY2(startY > rest.y(), "it slides up");
            QVERIFY(screen.contains(rest));
            QVERIFY(qAbs(rest.center().x() - screen.center().x()) <= 1);
            QVERIFY(rest.top() > screen.center().y());
            const QRect background = w.bar()->backgroundRect().translated(w.bar()->mapToGlobal(QPoint(0, 0)));
            QVERIFY(!background.isEmpty());
            QVERIFY(rest.bottom() < background.top());
            const int magnifiedTop = screen.bottom() + 1 - int(w.barLayout()->now().magnified);
            QVERIFY(rest.bottom() < magnifiedTop);
            t->CloseShow();
            QTRY_VERIFY(!t->isVisible());
            QVERIFY(t->y() > rest.y()); // and down as it goes
        }
        f.tearDownFakes();
    }

    // The launch pad centres its toast in its own area.
    void restsInTheAreaItIsGiven()
    {
        FormSystemHint t;
        t.ShowMessage("x");
        const QRect area(QGuiApplication::primaryScreen()->availableGeometry().topLeft(), QSize(1920, 1040));
        t.setArea(area.width(), area.height());
        const QRect rest(t.restingPos(), t.size());
        QVERIFY(area.contains(rest));
        QVERIFY(qAbs(rest.center().x() - area.center().x()) <= 1);
        QVERIFY(rest.top() > area.center().y() && rest.bottom() < area.bottom() - area.height() / 5);
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
