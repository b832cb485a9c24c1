// Dragging a borderless window by its body: what starts a drag, what does
// not, and what the window's own handlers still see.
#include "common/windowdrag.h"
#include "testenv.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QtTest>

namespace {

// A 300 x 200 window at (100, 100): a label over its top half, a button at
// (10, 150), and the window's own release handler noting what the drag says.
class Window : public QWidget
{
public:
    Window(QWidget *parent = nullptr) : QWidget(parent)
    {
        setWindowFlags(Qt::FramelessWindowHint);
        setGeometry(100, 100, 300, 200);
        setMouseTracking(true); // moves come without a button too, as to the power dialog
        body = new QLabel(QStringLiteral("body"), this);
        body->setGeometry(0, 0, 300, 100);
        button = new QPushButton(QStringLiteral("button"), this);
        button->setGeometry(10, 150, 80, 30);
        drag = new WindowDrag(this);
    }
    QLabel *body;
    QPushButton *button;
    WindowDrag *drag;
    QList<bool> movedAtRelease; // one per release that reached the window itself

protected:
    void mouseReleaseEvent(QMouseEvent *) override { movedAtRelease << drag->hasMoved(); }
};

// Records the mouse events that reach it from its children.
class Beneath : public QWidget
{
public:
    int seen = 0;

protected:
    void mousePressEvent(QMouseEvent *) override { ++seen; }
    void mouseReleaseEvent(QMouseEvent *) override { ++seen; }
    void mouseMoveEvent(QMouseEvent *) override { ++seen; }
};

// A mouse event at a point of the screen, delivered to the widget under it
// as the window system would (it goes up to the window when the widget does
// not take it).
void send(QWidget *window, QEvent::Type type, QPoint global, Qt::MouseButton button = Qt::LeftButton,
          Qt::MouseButtons held = Qt::LeftButton)
{
    const QPoint inWindow = window->mapFromGlobal(global);
    QWidget *target = window->childAt(inWindow);
    if (!target)
        target = window;
    const QPoint local = target->mapFromGlobal(global);
    QMouseEvent e(type, local, global, type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &e);
}

void drag(QWidget *window, QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton)
{
    send(window, QEvent::MouseButtonPress, from, button, button);
    send(window, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, button);
    send(window, QEvent::MouseMove, to, Qt::NoButton, button);
    send(window, QEvent::MouseButtonRelease, to, button, Qt::NoButton);
}

} // namespace

class TestWindowDrag : public QObject
{
    Q_OBJECT
private slots:
    // The body drags the window with the left button, from a press that
    // reached the window: not from a control, not with another button, not
    // after the release, and not while the window is locked.
    void theBodyDragsTheWindow()
    {
        Window w;
        w.show();
        drag(&w, QPoint(150, 150), QPoint(190, 120)); // on the label: it takes no press
        QCOMPARE(w.pos(), QPoint(140, 70));
        QCOMPARE(w.movedAtRelease, QList<bool>({ true }));

        drag(&w, QPoint(340, 190), QPoint(400, 220)); // on empty space
        QCOMPARE(w.pos(), QPoint(200, 100));

        const QPoint onButton = w.button->mapToGlobal(QPoint(5, 5));
        drag(&w, onButton, onButton + QPoint(50, 50));
        QCOMPARE(w.pos(), QPoint(200, 100));

        drag(&w, QPoint(250, 150), QPoint(300, 200), Qt::RightButton);
        QCOMPARE(w.pos(), QPoint(200, 100));
        QCOMPARE(w.movedAtRelease.last(), false);

        // A release that never came: moves without the button held do not drag.
        send(&w, QEvent::MouseButtonPress, QPoint(400, 220)); // on empty space, which follows the pointer
        send(&w, QEvent::MouseMove, QPoint(410, 220), Qt::NoButton, Qt::NoButton);
        QCOMPARE(w.pos(), QPoint(200, 100));
        send(&w, QEvent::MouseButtonRelease, QPoint(410, 220), Qt::LeftButton, Qt::NoButton);

        // A click without a move is no drag.
        send(&w, QEvent::MouseButtonPress, QPoint(250, 150));
        send(&w, QEvent::MouseButtonRelease, QPoint(250, 150), Qt::LeftButton, Qt::NoButton);
        QCOMPARE(w.movedAtRelease.last(), false);

        // The second press of a double click drags like the first.
        send(&w, QEvent::MouseButtonDblClick, QPoint(250, 150));
        send(&w, QEvent::MouseMove, QPoint(255, 160));
        send(&w, QEvent::MouseButtonRelease, QPoint(255, 160), Qt::LeftButton, Qt::NoButton);
        QCOMPARE(w.pos(), QPoint(205, 110));

        w.drag->setEnabled(false);
        drag(&w, QPoint(250, 150), QPoint(300, 200));
        QCOMPARE(w.pos(), QPoint(205, 110));
        w.drag->setEnabled(true);
        drag(&w, QPoint(250, 150), QPoint(300, 200));
        QCOMPARE(w.pos(), QPoint(255, 160));
    }

    // The window manager may have put the window elsewhere than Qt last
    // heard: the window goes on from where the press says it stands, and
    // does not jump to Qt's idea of its place.
    void theWindowMovesFromWhereItStands()
    {
        Window w;
        w.show();
        const auto at = [&w](QEvent::Type type, QPoint local, Qt::MouseButtons held) {
            QMouseEvent e(type, local, QPoint(300, 300) + local, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          held, Qt::NoModifier);
            QApplication::sendEvent(&w, &e);
        };
        at(QEvent::MouseButtonPress, QPoint(150, 120), Qt::LeftButton);
        at(QEvent::MouseMove, QPoint(160, 140), Qt::LeftButton);
        QCOMPARE(w.pos(), QPoint(310, 320));
        at(QEvent::MouseButtonRelease, QPoint(160, 140), Qt::NoButton);
    }

    // Only the top band is a handle when one is set.
    void aBandLimitsWhereADragStarts()
    {
        Window w;
        w.show();
        w.drag->setBand(120);
        drag(&w, QPoint(300, 221), QPoint(350, 250)); // 121 pixels down
        QCOMPARE(w.pos(), QPoint(100, 100));
        drag(&w, QPoint(300, 219), QPoint(350, 250));
        QCOMPARE(w.pos(), QPoint(150, 131));
    }

    // A dialog that lies inside another window moves within it, and the
    // clicks on its body stay its own.
    void aDialogInsideAWindowKeepsItsClicks()
    {
        Beneath pad;
        pad.setGeometry(0, 0, 800, 600);
        Window dialog(&pad);
        dialog.move(100, 100);
        pad.show();
        drag(&pad, QPoint(150, 150), QPoint(170, 160));
        QCOMPARE(dialog.pos(), QPoint(120, 110));
        drag(&pad, QPoint(200, 300), QPoint(200, 300), Qt::RightButton);
        QCOMPARE(pad.seen, 0);
        QVERIFY(dialog.movedAtRelease.isEmpty()); // taken before the dialog's own handlers
        drag(&pad, QPoint(700, 500), QPoint(710, 500)); // the window beneath itself
        QVERIFY(pad.seen > 0);
        QCOMPARE(dialog.pos(), QPoint(120, 110));
    }
};

ZV_TEST_MAIN(TestWindowDrag)
#include "tst_windowdrag.moc"
