#pragma once
#include <QObject>
#include <QPoint>

class QMouseEvent;
class QWidget;

// Moves a borderless window that the user drags by its body with the left
// button. It sees only what reaches the window itself: a press that a
// control takes (a button, a field, a slider) never gets there, so a drag
// that starts on a control leaves the window where it is. A top-level
// window's own mouse handlers still see every event, after it; a dialog
// that lies inside another window (the launch pad's) keeps the clicks on its
// body from the window beneath, and has no handlers of its own for them.
class WindowDrag : public QObject
{
    Q_OBJECT
public:
    // A child of the window: it goes with it.
    explicit WindowDrag(QWidget *window);

    // Only a press in the top `height` pixels of the window starts a drag;
    // 0, the default, is the whole window.
    void setBand(int height) { m_band = height; }
    // A window that is locked in place does not move.
    void setEnabled(bool on);
    // Whether the window moved since the last press of a button; still
    // true in the window's own handler of the release that ends the drag.
    bool hasMoved() const { return m_moved; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void follow(const QMouseEvent *e);

    QWidget *m_window;
    QPoint m_pressedAt; // the pointer, on the screen
    QPoint m_startedAt; // the window's corner then
    int m_band = 0;
    bool m_enabled = true;
    bool m_dragging = false;
    bool m_moved = false;
};
