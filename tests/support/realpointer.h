#pragma once
// The mouse and the keyboard as the window system drives them, for tests
// offscreen: every event goes through the window under the pointer (or the
// one holding the pressed buttons), never straight to a widget, so that
// grabs, pop-ups and hidden widgets behave as on a desktop.
#include <QPoint>
#include <Qt>

#include <functional>

class QObject;
class QWidget;
class QWindow;

namespace RealPointer {

// Moves the pointer; the window under it (or the one the held buttons
// belong to) sees the move with the buttons held.
void moveTo(const QPoint &global);
// A press or release at `global`, in the window under the pointer there
// (the held buttons' window while one is down).
void press(const QPoint &global, Qt::MouseButton b = Qt::LeftButton);
void release(const QPoint &global, Qt::MouseButton b = Qt::LeftButton);
void click(const QPoint &global, Qt::MouseButton b = Qt::LeftButton);
// A wheel turn of `notches` (positive: away from the user).
void wheel(const QPoint &global, int notches);
// A key press and release, to whatever takes the keyboard now.
void key(Qt::Key k);
// The buttons held as the window system last said.
Qt::MouseButtons held();
// Lets go of every button held, wherever the pointer is.
void releaseAll();
// The buttons let go where the program never hears of it (another program
// took the pointer): the next move, at `global`, comes without them.
void breakGrab(const QPoint &global);

// Runs out the timers of `root` and its children now, as if their time had
// passed: single-shot timers of at least `minMs` (a long press's hold), the
// rest left alone. How many fired.
int runOutTimers(QObject *root, int minMs = 300);

// Runs the animations of `root` and its children to their end now, as if
// their time had passed. How many there were.
int runOutAnimations(QObject *root);

// The top-level window at a point of the screen that takes the pointer: a
// pop-up first, then windows kept on top, then the others, the latest shown
// first. Offscreen no window has an input shape: `takes`, when set, says
// whether a window takes the pointer at a point (as its shape would).
QWindow *windowAt(const QPoint &global);
void setInputShapes(std::function<bool(QWindow *, const QPoint &)> takes);
// Where a window stands among the others, lower on top; when unset, as above.
void setStacking(std::function<int(QWindow *)> rank);

} // namespace RealPointer
