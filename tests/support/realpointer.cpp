#include "realpointer.h"

#include <QAbstractAnimation>
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QTimerEvent>
#include <QWidget>
#include <QWindow>
#include <QWheelEvent>
#include <QtTest/qtestkeyboard.h>
#include <QtTest/qtestmouse.h>

namespace RealPointer {

namespace {

QWindow *pressWindow = nullptr;
std::function<bool(QWindow *, const QPoint &)> shapes;
std::function<int(QWindow *)> stacking;
Qt::MouseButtons buttons;
int stamp = 1000;

void settle()
{
    QCoreApplication::processEvents();
}

// The window the event goes to: while a button is held, the one it was
// pressed in, as the window system's implicit grab does; none when that
// press went to another program (no window of ours under it).
QWindow *target(const QPoint &global)
{
    if (buttons != Qt::NoButton)
        return pressWindow;
    return windowAt(global);
}

void send(const QPoint &global, Qt::MouseButton b, QEvent::Type type)
{
    moveTo(global);
    QWindow *w = target(global);
    if (type == QEvent::MouseButtonPress) {
        if (buttons == Qt::NoButton)
            pressWindow = w = windowAt(global);
        buttons |= b;
    } else {
        buttons &= ~b;
    }
    // Presses far apart in time: never taken for a double click by mistake.
    stamp += type == QEvent::MouseButtonPress ? 1000 : 10;
    if (w)
        qt_handleMouseEvent(w, w->mapFromGlobal(global), QPointF(global), buttons, b, type, Qt::NoModifier, stamp);
    settle();
    if (buttons == Qt::NoButton)
        pressWindow = nullptr;
}

} // namespace

void setInputShapes(std::function<bool(QWindow *, const QPoint &)> takes)
{
    shapes = std::move(takes);
}

void setStacking(std::function<int(QWindow *)> rank)
{
    stacking = std::move(rank);
}

QWindow *windowAt(const QPoint &global)
{
    const QWindowList all = QGuiApplication::topLevelWindows();
    auto rank = [](QWindow *w) {
        if (stacking)
            return stacking(w);
        if (w->type() == Qt::Popup)
            return 0;
        return w->flags().testFlag(Qt::WindowStaysOnTopHint) ? 1 : 2;
    };
    QWindow *best = nullptr;
    for (int i = all.size() - 1; i >= 0; --i) {
        QWindow *w = all.at(i);
        if (!w->isVisible() || !w->isExposed() || w->type() == Qt::Desktop
            || w->flags().testFlag(Qt::WindowTransparentForInput) || !w->geometry().contains(global))
            continue;
        if (shapes && !shapes(w, global))
            continue;
        if (!best || rank(w) < rank(best))
            best = w;
    }
    return best;
}

// The first window the offscreen platform finds under the pointer: the one
// its own move goes to.
static QWindow *platformWindowAt(const QPoint &global)
{
    for (QWindow *w : QGuiApplication::topLevelWindows()) {
        if (w->type() != Qt::Desktop && w->isExposed() && w->geometry().contains(global))
            return w;
    }
    return nullptr;
}

void moveTo(const QPoint &global)
{
    QCursor::setPos(global);
    settle();
    // With a button held the move goes to the pressed window as it is (and
    // none of ours sees it while another program has the buttons); with none
    // the platform may have picked a window the pointer would pass through:
    // the one really under it sees the move too.
    if (buttons != Qt::NoButton)
        return;
    QWindow *w = windowAt(global);
    if (w && w != platformWindowAt(global)) {
        qt_handleMouseEvent(w, w->mapFromGlobal(global), QPointF(global), Qt::NoButton, Qt::NoButton,
                            QEvent::MouseMove, Qt::NoModifier, ++stamp);
        settle();
    }
}

void press(const QPoint &global, Qt::MouseButton b) { send(global, b, QEvent::MouseButtonPress); }
void release(const QPoint &global, Qt::MouseButton b) { send(global, b, QEvent::MouseButtonRelease); }

void click(const QPoint &global, Qt::MouseButton b)
{
    press(global, b);
    release(global, b);
}

void wheel(const QPoint &global, int notches)
{
    moveTo(global);
    QWindow *w = target(global);
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (!w || window->windowHandle() != w)
            continue;
        // As the window hands it on: to the widget under the pointer, which
        // may pass it up to its parents.
        QWidget *under = window->childAt(window->mapFromGlobal(global));
        QWidget *to = under ? under : window;
        QWheelEvent e(to->mapFromGlobal(global), QPointF(global), QPoint(), QPoint(0, 120 * notches), buttons,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(to, &e);
        settle();
        return;
    }
}

void key(Qt::Key k)
{
    QWindow *w = QGuiApplication::focusWindow();
    if (QWidget *grabber = QWidget::keyboardGrabber())
        w = grabber->window()->windowHandle();
    if (QWidget *popup = QApplication::activePopupWidget())
        w = popup->windowHandle();
    if (!w)
        return;
    qt_handleKeyEvent(w, QEvent::KeyPress, k, Qt::NoModifier);
    qt_handleKeyEvent(w, QEvent::KeyRelease, k, Qt::NoModifier);
    settle();
}

Qt::MouseButtons held() { return buttons; }

void releaseAll()
{
    const QPoint at = QCursor::pos();
    for (Qt::MouseButton b : { Qt::RightButton, Qt::MiddleButton, Qt::LeftButton }) {
        if (buttons & b)
            release(at, b);
    }
}

void breakGrab(const QPoint &global)
{
    buttons = Qt::NoButton;
    pressWindow = nullptr;
    QCursor::setPos(global);
    if (QWindow *w = windowAt(global))
        qt_handleMouseEvent(w, w->mapFromGlobal(global), QPointF(global), Qt::NoButton, Qt::NoButton,
                            QEvent::MouseMove, Qt::NoModifier, ++stamp);
    settle();
}

int runOutAnimations(QObject *root)
{
    int ran = 0;
    for (QAbstractAnimation *a : root->findChildren<QAbstractAnimation *>()) {
        if (a->state() != QAbstractAnimation::Running || a->totalDuration() < 0)
            continue;
        a->setCurrentTime(a->totalDuration());
        ++ran;
    }
    if (ran)
        settle();
    return ran;
}

int runOutTimers(QObject *root, int minMs)
{
    int fired = 0;
    for (QTimer *t : root->findChildren<QTimer *>()) {
        if (!t->isActive() || !t->isSingleShot() || t->interval() < minMs)
            continue;
        QTimerEvent e(t->timerId());
        QCoreApplication::sendEvent(t, &e);
        ++fired;
    }
    if (fired)
        settle();
    return fired;
}

} // namespace RealPointer
