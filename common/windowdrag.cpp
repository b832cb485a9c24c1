#include "common/windowdrag.h"

#include <QMouseEvent>
#include <QWidget>

WindowDrag::WindowDrag(QWidget *window) : QObject(window), m_window(window)
{
    window->installEventFilter(this);
}

void WindowDrag::setEnabled(bool on)
{
    m_enabled = on;
    if (!on)
        m_dragging = false;
}

bool WindowDrag::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease:
        follow(static_cast<QMouseEvent *>(event));
        if (m_window->isWindow())
            return false;
        event->accept();
        return true;
    default:
        return false;
    }
}

void WindowDrag::follow(const QMouseEvent *e)
{
    switch (e->type()) {
    // The second press of a double click is a press like the first.
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        m_moved = false;
        if (e->button() != Qt::LeftButton)
            break;
        m_dragging = m_enabled && (m_band <= 0 || e->pos().y() < m_band);
        m_pressedAt = e->globalPos();
        // Where a window really stands is read off the press itself: Qt's
        // own idea of it can lag behind the window manager's (a dialog just
        // placed over the bar), and the window would jump there at the
        // first move. A dialog inside another window is Qt's to place.
        m_startedAt = m_window->isWindow() ? e->globalPos() - e->pos() : m_window->pos();
        break;
    case QEvent::MouseMove:
        // Only while the button is held: a release that went elsewhere (a
        // grab taken by another window) does not leave the window stuck to
        // the pointer.
        if (m_dragging && (e->buttons() & Qt::LeftButton)) {
            m_window->move(m_startedAt + e->globalPos() - m_pressedAt);
            m_moved = true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (e->button() == Qt::LeftButton)
            m_dragging = false;
        break;
    default:
        break;
    }
}
