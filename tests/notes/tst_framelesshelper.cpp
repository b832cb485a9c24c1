#include "notes/framelesshelper.h"
#include "testenv.h"

#include <QApplication>
#include <QMouseEvent>
#include <QRubberBand>
#include <QWidget>
#include <QtTest>

// The widget stays hidden: its geometry is then exactly what we set, and its
// frame is its geometry (no frame, as for the notes).
struct Rig
{
    Rig()
    {
        w.setMinimumSize(200, 160);
        w.setGeometry(100, 100, 350, 260);
        helper.attachWidget(&w);
    }
    void send(QEvent::Type type, QPoint global, Qt::MouseButton button = Qt::LeftButton)
    {
        const QPoint local = global - w.geometry().topLeft();
        const Qt::MouseButtons buttons = (type == QEvent::MouseButtonRelease) ? Qt::NoButton
                                         : (type == QEvent::MouseMove && !down) ? Qt::NoButton
                                                                                 : Qt::MouseButtons(button);
        if (type == QEvent::MouseButtonPress && button == Qt::LeftButton)
            down = true;
        if (type == QEvent::MouseButtonRelease)
            down = false;
        QMouseEvent e(type, local, local, global, type == QEvent::MouseMove ? Qt::NoButton : button, buttons,
                      Qt::NoModifier);
        consumed = QApplication::sendEvent(&w, &e);
    }
    // Presses at p, moves to q, releases.
    void drag(QPoint p, QPoint q)
    {
        send(QEvent::MouseButtonPress, p);
        send(QEvent::MouseMove, q);
        send(QEvent::MouseButtonRelease, q);
    }
    QWidget w;
    FramelessHelper helper;
    bool down = false;
    bool consumed = false;
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

    void hitBandsAreBorderPlusOneWide()
    {
        const QRect f(100, 100, 350, 260); // last pixel 449, 359
        auto hit = [&](int x, int y) { return EdgeHit::test(QPoint(x, y), f, 5); };
        QVERIFY(hit(100, 200).left && hit(105, 200).left && !hit(106, 200).left);
        QVERIFY(hit(445, 200).right && hit(450, 200).right && !hit(444, 200).right && !hit(451, 200).right);
        QVERIFY(hit(200, 105).top && !hit(200, 106).top);
        QVERIFY(hit(200, 355).bottom && hit(200, 360).bottom && !hit(200, 354).bottom);
        QVERIFY(hit(102, 103).topLeft && hit(447, 103).topRight && hit(102, 358).bottomLeft && hit(447, 358).bottomRight);
        QVERIFY(!hit(200, 200).onEdges);
        QVERIFY(hit(200, 200 + 160).onEdges);
        // Each test looks at one coordinate only.
        QVERIFY(hit(102, 5000).left);
    }

    void edgesAndCornersResize_data()
    {
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QRect>("result");
        QTest::newRow("right") << QPoint(449, 200) << QPoint(500, 250) << QRect(QPoint(100, 100), QPoint(500, 359));
        QTest::newRow("left") << QPoint(101, 200) << QPoint(80, 150) << QRect(QPoint(80, 100), QPoint(449, 359));
        QTest::newRow("top") << QPoint(200, 100) << QPoint(150, 90) << QRect(QPoint(100, 90), QPoint(449, 359));
        QTest::newRow("bottom") << QPoint(200, 357) << QPoint(150, 400) << QRect(QPoint(100, 100), QPoint(449, 400));
        QTest::newRow("top-left") << QPoint(100, 100) << QPoint(90, 95) << QRect(QPoint(90, 95), QPoint(449, 359));
        QTest::newRow("top-right") << QPoint(449, 100) << QPoint(470, 95) << QRect(QPoint(100, 95), QPoint(470, 359));
        QTest::newRow("bottom-left") << QPoint(100, 359) << QPoint(90, 380) << QRect(QPoint(90, 100), QPoint(449, 380));
        QTest::newRow("bottom-right") << QPoint(449, 359) << QPoint(470, 380) << QRect(QPoint(100, 100), QPoint(470, 380));
        // Past the opposite edge: nothing changes.
        QTest::newRow("right past left") << QPoint(449, 200) << QPoint(90, 200) << QRect(100, 100, 350, 260);
        QTest::newRow("top past bottom") << QPoint(200, 101) << QPoint(200, 400) << QRect(100, 100, 350, 260);
        // Below the minimum: the dragged edge stays, the other dimension follows.
        QTest::newRow("too narrow, right") << QPoint(449, 200) << QPoint(250, 200) << QRect(100, 100, 350, 260);
        QTest::newRow("too narrow, left") << QPoint(101, 200) << QPoint(300, 200) << QRect(100, 100, 350, 260);
        QTest::newRow("too narrow, corner")
            << QPoint(449, 359) << QPoint(250, 400) << QRect(QPoint(100, 100), QPoint(449, 400));
        QTest::newRow("too low, top-left")
            << QPoint(100, 100) << QPoint(50, 300) << QRect(QPoint(50, 100), QPoint(449, 359));
        QTest::newRow("exactly the minimum") << QPoint(449, 200) << QPoint(299, 200) << QRect(100, 100, 200, 260);
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

    void titleStripMovesAndResizeWinsOverIt()
    {
        Rig r;
        // y 6..19 below the top band, away from the side bands: a move.
        r.drag(QPoint(200, 112), QPoint(260, 142));
        QCOMPARE(r.w.geometry(), QRect(160, 130, 350, 260));
        // y 0..5: the top band resizes.
        r.drag(QPoint(300, 135), QPoint(300, 125));
        QCOMPARE(r.w.geometry(), QRect(160, 125, 350, 265));
        // Title strip and side band overlap: the side band wins.
        r.drag(QPoint(161, 140), QPoint(150, 160));
        QCOMPARE(r.w.geometry(), QRect(QPoint(150, 125), QPoint(509, 389)));
    }

    void pressOutsideBandsAndTitleDoesNothing()
    {
        Rig r;
        r.send(QEvent::MouseButtonPress, QPoint(200, 200));
        r.send(QEvent::MouseMove, QPoint(260, 260));
        r.send(QEvent::MouseMove, QPoint(300, 300));
        QCOMPARE(r.w.geometry(), QRect(100, 100, 350, 260));
        r.send(QEvent::MouseButtonRelease, QPoint(300, 300));
        // After the release the press state is gone: moves only set cursors.
        r.send(QEvent::MouseMove, QPoint(449, 200));
        QCOMPARE(r.w.geometry(), QRect(100, 100, 350, 260));
    }

    void rightButtonIsConsumedWithoutEffect()
    {
        Rig r;
        r.send(QEvent::MouseButtonPress, QPoint(449, 200), Qt::RightButton);
        QVERIFY(r.consumed);
        r.send(QEvent::MouseMove, QPoint(500, 200));
        QCOMPARE(r.w.geometry(), QRect(100, 100, 350, 260));
    }

    void cursorFollowsEdges()
    {
        Rig r;
        QCOMPARE(r.w.cursor().shape(), Qt::ArrowCursor);
        const struct {
            QPoint p;
            Qt::CursorShape shape;
        } cases[] = { { { 101, 101 }, Qt::SizeFDiagCursor }, { { 449, 359 }, Qt::SizeFDiagCursor },
                      { { 449, 101 }, Qt::SizeBDiagCursor }, { { 101, 359 }, Qt::SizeBDiagCursor },
                      { { 101, 200 }, Qt::SizeHorCursor },   { { 449, 200 }, Qt::SizeHorCursor },
                      { { 200, 101 }, Qt::SizeVerCursor },   { { 200, 359 }, Qt::SizeVerCursor } };
        for (const auto &c : cases) {
            r.send(QEvent::MouseMove, c.p);
            QCOMPARE(r.w.cursor().shape(), c.shape);
        }
        r.send(QEvent::MouseMove, QPoint(200, 200));
        QCOMPARE(r.w.cursor().shape(), Qt::ArrowCursor);

        // Leaving while not pressing restores the cursor; during a drag it stays.
        r.send(QEvent::MouseMove, QPoint(449, 200));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&r.w, &leave);
        QCOMPARE(r.w.cursor().shape(), Qt::ArrowCursor);
        r.send(QEvent::MouseMove, QPoint(449, 200));
        r.send(QEvent::MouseButtonPress, QPoint(449, 200));
        QApplication::sendEvent(&r.w, &leave);
        QCOMPARE(r.w.cursor().shape(), Qt::SizeHorCursor);
    }

    void hoverMovesSetTheCursorToo()
    {
        Rig r;
        QHoverEvent e(QEvent::HoverMove, QPointF(349.4, 100), QPointF(100, 100));
        QVERIFY(QApplication::sendEvent(&r.w, &e));
        QCOMPARE(r.w.cursor().shape(), Qt::SizeHorCursor);
    }

    void notResizableOrNotMovable()
    {
        Rig r;
        r.helper.setResizable(false);
        r.drag(QPoint(449, 200), QPoint(500, 200));
        QCOMPARE(r.w.size(), QSize(350, 260));
        // With resizing off, the top band is just part of the title strip.
        r.drag(QPoint(200, 101), QPoint(210, 111));
        QCOMPARE(r.w.geometry(), QRect(110, 110, 350, 260));
        r.helper.setMovable(false);
        r.drag(QPoint(200, 120), QPoint(300, 200));
        QCOMPARE(r.w.geometry(), QRect(110, 110, 350, 260));
    }

    void rubberBandsShowTheGeometryUntilRelease()
    {
        Rig r;
        QVERIFY(!r.helper.rubberBandOf(&r.w));
        r.helper.setResizeRubberBand(true);
        QRubberBand *band = r.helper.rubberBandOf(&r.w);
        QVERIFY(band);
        r.send(QEvent::MouseButtonPress, QPoint(449, 200));
        QVERIFY(band->isVisible());
        r.send(QEvent::MouseMove, QPoint(499, 200));
        QCOMPARE(r.w.geometry(), QRect(100, 100, 350, 260));
        QCOMPARE(band->geometry(), QRect(100, 100, 400, 260));
        r.send(QEvent::MouseButtonRelease, QPoint(499, 200));
        QVERIFY(!band->isVisible());
        QCOMPARE(r.w.geometry(), QRect(100, 100, 400, 260));
        // A move press shows no band while only resizing uses one.
        r.send(QEvent::MouseButtonPress, QPoint(200, 115));
        QVERIFY(!band->isVisible());
        r.send(QEvent::MouseButtonRelease, QPoint(200, 115));

        r.helper.setResizeRubberBand(false);
        QVERIFY(!r.helper.rubberBandOf(&r.w));
        r.helper.setMoveRubberBand(true);
        band = r.helper.rubberBandOf(&r.w);
        QVERIFY(band);
        r.send(QEvent::MouseButtonPress, QPoint(200, 115));
        r.send(QEvent::MouseMove, QPoint(250, 135));
        QCOMPARE(r.w.pos(), QPoint(100, 100));
        QCOMPARE(band->geometry(), QRect(150, 120, 400, 260));
        r.send(QEvent::MouseButtonRelease, QPoint(250, 135));
        QCOMPARE(r.w.geometry(), QRect(150, 120, 400, 260));
    }

    void settingsAndAttaching()
    {
        FramelessHelper::setBorderWidth(0);
        FramelessHelper::setTitleHeight(0);
        QCOMPARE(FramelessHelper::borderWidth(), 5);
        QCOMPARE(FramelessHelper::titleHeight(), 20);
        FramelessHelper::setBorderWidth(8);
        QCOMPARE(FramelessHelper::borderWidth(), 8);

        QWidget w;
        w.setWindowFlags(Qt::Tool);
        const Qt::WindowFlags flags = w.windowFlags();
        QVERIFY(!w.hasMouseTracking());
        {
            FramelessHelper h;
            h.attachWidget(&w);
            h.attachWidget(&w); // a second attach changes nothing
            QVERIFY(w.hasMouseTracking() && w.testAttribute(Qt::WA_Hover));
            QCOMPARE(w.windowFlags(), flags);
            h.detachWidget(&w);
            QVERIFY(!w.hasMouseTracking() && !w.testAttribute(Qt::WA_Hover));
            h.attachWidget(&w);
        }
        // The helper's end gives the widget back as it was.
        QVERIFY(!w.hasMouseTracking() && !w.testAttribute(Qt::WA_Hover));
        QMouseEvent e(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
        e.ignore();
        QApplication::sendEvent(&w, &e);
        QVERIFY(!e.isAccepted()); // no longer filtered
    }

    void dyingWidgetIsLeftAlone()
    {
        // Counts the changes made to a widget after its own destructor began.
        struct Spy : QObject
        {
            bool dying = false;
            int touched = 0;
            bool eventFilter(QObject *, QEvent *e) override
            {
                if (dying && e->type() == QEvent::MouseTrackingChange)
                    ++touched;
                return false;
            }
        } spy;
        struct Note : QWidget
        {
            Spy *spy = nullptr;
            ~Note() override { spy->dying = true; }
        };

        // The helper as the note's child, as every note has it.
        Note *note = new Note;
        note->spy = &spy;
        note->installEventFilter(&spy);
        auto *helper = new FramelessHelper(note);
        helper->attachWidget(note);
        note->show();
        delete note;
        QCOMPARE(spy.touched, 0);

        // A helper that outlives its widget forgets it.
        spy.dying = false;
        Note *other = new Note;
        other->spy = &spy;
        FramelessHelper outliving;
        outliving.attachWidget(other);
        delete other;
        outliving.setMoveRubberBand(true); // walks the states: must not reach the dead widget
        QWidget alive;
        outliving.attachWidget(&alive);
        QVERIFY(outliving.rubberBandOf(&alive));
    }
};

ZV_TEST_MAIN(TestFramelessHelper)
#include "tst_framelesshelper.moc"
