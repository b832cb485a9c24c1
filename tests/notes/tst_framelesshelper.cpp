#include "notes/framelesshelper.h"
#include "testenv.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QtTest>

// A hidden 350 x 260 widget at (100, 100), minimum 200 x 160: its frame is
// exactly its geometry, as for the frameless notes. Last pixel (449, 359).
struct Rig
{
    Rig()
    {
        w.setMinimumSize(200, 160);
        w.setGeometry(100, 100, 350, 260);
        helper.attachWidget(&w);
    }
    bool send(QEvent::Type type, QPoint global, Qt::MouseButton button = Qt::LeftButton)
    {
        if (type == QEvent::MouseButtonPress)
            held = button;
        const Qt::MouseButton b = type == QEvent::MouseMove ? Qt::NoButton : button;
        const QPoint local = global - w.geometry().topLeft();
        QMouseEvent e(type, local, local, global, b, type == QEvent::MouseButtonRelease ? Qt::NoButton : held,
                      Qt::NoModifier);
        if (type == QEvent::MouseButtonRelease)
            held = Qt::NoButton;
        return QApplication::sendEvent(&w, &e);
    }
    void drag(QPoint from, QPoint to)
    {
        send(QEvent::MouseButtonPress, from);
        send(QEvent::MouseMove, to);
        send(QEvent::MouseButtonRelease, to);
    }
    Qt::CursorShape cursorAt(QPoint p)
    {
        send(QEvent::MouseMove, p);
        return w.cursor().shape();
    }

    QWidget w;
    FramelessHelper helper;
    Qt::MouseButtons held;
};

class TestFramelessHelper : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        FramelessHelper::setBorderWidth(5);
        FramelessHelper::setTitleHeight(20);
    }

    void bandsAreBorderPlusOneWide()
    {
        const QRect f(100, 100, 350, 260);
        auto hit = [&](int x, int y) { return EdgeHit::test(QPoint(x, y), f, 5); };
        QVERIFY(hit(100, 200).left && hit(105, 200).left && !hit(106, 200).left);
        QVERIFY(hit(445, 200).right && hit(450, 200).right && !hit(444, 200).right && !hit(451, 200).right);
        QVERIFY(hit(200, 105).top && !hit(200, 106).top && hit(200, 360).bottom && !hit(200, 354).bottom);
        QVERIFY(hit(102, 103).topLeft && hit(447, 103).topRight && hit(102, 358).bottomLeft
                && hit(447, 358).bottomRight);
        QVERIFY(!hit(200, 200).onEdges);
        QVERIFY(hit(102, 5000).left); // each test looks at one coordinate only
    }

    void edgesAndCornersResize_data()
    {
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QRect>("result");
        auto edges = [](int l, int t, int r, int b) { return QRect(QPoint(l, t), QPoint(r, b)); };
        QTest::newRow("right") << QPoint(449, 200) << QPoint(500, 250) << edges(100, 100, 500, 359);
        QTest::newRow("left") << QPoint(101, 200) << QPoint(80, 150) << edges(80, 100, 449, 359);
        QTest::newRow("top") << QPoint(200, 100) << QPoint(150, 90) << edges(100, 90, 449, 359);
        QTest::newRow("bottom") << QPoint(200, 357) << QPoint(150, 400) << edges(100, 100, 449, 400);
        QTest::newRow("top-left") << QPoint(100, 100) << QPoint(90, 95) << edges(90, 95, 449, 359);
        QTest::newRow("top-right") << QPoint(449, 100) << QPoint(470, 95) << edges(100, 95, 470, 359);
        QTest::newRow("bottom-left") << QPoint(100, 359) << QPoint(90, 380) << edges(90, 100, 449, 380);
        QTest::newRow("bottom-right") << QPoint(449, 359) << QPoint(470, 380) << edges(100, 100, 470, 380);
        // Past the opposite edge: nothing changes.
        QTest::newRow("right past left") << QPoint(449, 200) << QPoint(90, 200) << edges(100, 100, 449, 359);
        QTest::newRow("top past bottom") << QPoint(200, 101) << QPoint(200, 400) << edges(100, 100, 449, 359);
        // Below the minimum the dragged edge stays; the other dimension follows.
        QTest::newRow("narrow from right") << QPoint(449, 200) << QPoint(250, 200) << edges(100, 100, 449, 359);
        QTest::newRow("narrow from left") << QPoint(101, 200) << QPoint(300, 200) << edges(100, 100, 449, 359);
        QTest::newRow("narrow corner") << QPoint(449, 359) << QPoint(250, 400) << edges(100, 100, 449, 400);
        QTest::newRow("low corner") << QPoint(100, 100) << QPoint(50, 300) << edges(50, 100, 449, 359);
        QTest::newRow("exactly minimum") << QPoint(449, 200) << QPoint(299, 200) << QRect(100, 100, 200, 260);
    }

    void edgesAndCornersResize()
    {
        QFETCH(QPoint, press);
        QFETCH(QPoint, to);
        QFETCH(QRect, result);
        Rig r;
        r.drag(press, to);
        QCOMPARE(r.w.geometry(), result);
    }

    void titleStripMovesAndEdgesWin()
    {
        Rig r;
        // A right press, or a drag below the title strip: consumed, nothing moves.
        QVERIFY(r.send(QEvent::MouseButtonPress, QPoint(449, 200), Qt::RightButton));
        r.send(QEvent::MouseMove, QPoint(500, 200));
        r.send(QEvent::MouseButtonRelease, QPoint(500, 200), Qt::RightButton);
        r.drag(QPoint(200, 200), QPoint(300, 300));
        QCOMPARE(r.w.geometry(), QRect(100, 100, 350, 260));
        r.drag(QPoint(200, 112), QPoint(260, 142)); // y 6..19: a move
        QCOMPARE(r.w.geometry(), QRect(160, 130, 350, 260));
        r.drag(QPoint(300, 135), QPoint(300, 125)); // y 0..5: the top band
        QCOMPARE(r.w.geometry(), QRect(160, 125, 350, 265));
        r.drag(QPoint(161, 140), QPoint(150, 160)); // title strip and left band: the band
        QCOMPARE(r.w.geometry(), QRect(QPoint(150, 125), QPoint(509, 389)));
        r.helper.setMovable(false);
        r.drag(QPoint(300, 140), QPoint(400, 200));
        QCOMPARE(r.w.pos(), QPoint(150, 125));
    }

    void cursorFollowsEdges()
    {
        Rig r;
        QCOMPARE(r.cursorAt(QPoint(449, 359)), Qt::SizeFDiagCursor);
        QCOMPARE(r.cursorAt(QPoint(101, 359)), Qt::SizeBDiagCursor);
        QCOMPARE(r.cursorAt(QPoint(200, 359)), Qt::SizeVerCursor);
        QCOMPARE(r.cursorAt(QPoint(200, 200)), Qt::ArrowCursor);
        // Leaving restores the cursor, except during a drag.
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&r.w, &leave);
        QCOMPARE(r.w.cursor().shape(), Qt::ArrowCursor);
        r.cursorAt(QPoint(449, 200));
        r.send(QEvent::MouseButtonPress, QPoint(449, 200));
        QApplication::sendEvent(&r.w, &leave);
        QCOMPARE(r.w.cursor().shape(), Qt::SizeHorCursor);
    }

    void settingsAndAttaching()
    {
        FramelessHelper::setBorderWidth(0); // refused
        FramelessHelper::setTitleHeight(0);
        QCOMPARE(FramelessHelper::borderWidth(), 5);
        QCOMPARE(FramelessHelper::titleHeight(), 20);
        QWidget w;
        w.setWindowFlags(Qt::Tool);
        const Qt::WindowFlags flags = w.windowFlags();
        {
            FramelessHelper h;
            h.attachWidget(&w);
            h.attachWidget(&w); // a second attach changes nothing
            QVERIFY(w.hasMouseTracking() && w.testAttribute(Qt::WA_Hover));
        }
        // The helper's end gives the widget back as it was.
        QVERIFY(!w.hasMouseTracking() && !w.testAttribute(Qt::WA_Hover));
        QCOMPARE(w.windowFlags(), flags);
        QMouseEvent e(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &e);
        QVERIFY(!e.isAccepted()); // no longer taken by the helper
    }

    void dyingWidgetIsLeftAlone()
    {
        // Counts changes made to the widget once its own destructor began.
        struct Spy : QObject
        {
            bool dying = false;
            int touched = 0;
            bool eventFilter(QObject *, QEvent *e) override
            {
                touched += dying && e->type() == QEvent::MouseTrackingChange;
                return false;
            }
        } spy;
        struct Note : QWidget
        {
            Spy *spy = nullptr;
            ~Note() override { spy->dying = true; }
        };

        Note *note = new Note; // the helper as the note's child, as every note has it
        note->spy = &spy;
        note->installEventFilter(&spy);
        (new FramelessHelper(note))->attachWidget(note);
        note->show();
        delete note;
        QCOMPARE(spy.touched, 0);

        // A helper that outlives its widget forgets it.
        FramelessHelper outliving;
        QWidget *gone = new QWidget;
        outliving.attachWidget(gone);
        delete gone;
        outliving.setMoveRubberBand(true); // walks every state
    }
};

ZV_TEST_MAIN(TestFramelessHelper)
#include "tst_framelesshelper.moc"
