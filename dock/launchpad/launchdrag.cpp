#include "launchdrag.h"

#include "common/logging.h"
#include "dock/launchpad/formlaunchcommonicon.h"
#include "dock/launchpad/launchgrid.h"
#include "dock/launchpad/launchrows.h"
#include "dock/model/dockicon.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWindow>

LaunchDrag::LaunchDrag(QWidget *window, LaunchRows *rows, LaunchGrid *grid, QObject *parent)
    : QObject(parent), m_window(window), m_rows(rows), m_grid(grid), m_copy(new FormLaunchCommonIcon(window)),
      m_holdTimer(new QTimer(this))
{
    m_copy->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_copy->hide();
    m_holdTimer->setSingleShot(true);
    m_holdTimer->setInterval(HoldTime);
    connect(m_holdTimer, &QTimer::timeout, this, &LaunchDrag::holdReached);
}

LaunchDrag::~LaunchDrag()
{
    qApp->removeEventFilter(this);
}

QString LaunchDrag::pressedId() const
{
    return m_state == State::Idle ? QString() : m_id;
}

void LaunchDrag::cancel()
{
    finish(End::Cancelled);
}

bool LaunchDrag::eventFilter(QObject *watched, QEvent *event)
{
    // Installed on the application only while a press is live: every mouse
    // event of the pad's widgets is the press's, wherever it lands.
    if (!live())
        return false;
    const QEvent::Type t = event->type();
    // Losing the focus or the screen ends a press, whatever state it is in.
    if (watched == m_window && (t == QEvent::WindowDeactivate || t == QEvent::Hide)) {
        cancel();
        return false;
    }
    if (t == QEvent::UngrabMouse && watched == m_window->windowHandle()) {
        cancel();
        return false;
    }
    if (t == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        cancel();
        return false;
    }
    if (t != QEvent::MouseButtonPress && t != QEvent::MouseButtonRelease && t != QEvent::MouseButtonDblClick
        && t != QEvent::MouseMove)
        return false;
    auto *w = qobject_cast<QWidget *>(watched);
    if (!w || w->window() != m_window)
        return false;
    const bool stale = t == QEvent::MouseButtonPress && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
    mouseEvent(w, static_cast<QMouseEvent *>(event));
    // A new left press after a lost release belongs to what it lands on (a
    // delete badge, a button); the icons hand theirs here themselves.
    return !(stale && !qobject_cast<FormLaunchCommonIcon *>(w));
}

void LaunchDrag::mouseEvent(QWidget *receiver, QMouseEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        press(receiver, event);
        break;
    case QEvent::MouseButtonRelease:
        release(receiver, event);
        break;
    case QEvent::MouseMove:
        move(receiver, event);
        break;
    case QEvent::MouseButtonDblClick: {
        if (live()) {
            // A press whose release never came.
            press(receiver, event);
            break;
        }
        qCDebug(lcMenus) << "双击";
        FormLaunchCommonIcon *icon = gridIcon(receiver);
        if (icon && event->button() == Qt::LeftButton && m_doubleClick && icon->inPicture(event->pos()))
            icon->OpenIcon();
        break;
    }
    default:
        break;
    }
}

FormLaunchCommonIcon *LaunchDrag::gridIcon(QWidget *receiver) const
{
    // An icon deleted a moment ago lingers until its deletion: it is no
    // longer the grid's, and nothing of it may open.
    auto *icon = qobject_cast<FormLaunchCommonIcon *>(receiver);
    return icon && m_grid->icon(icon->id()) == icon ? icon : nullptr;
}

QPoint LaunchDrag::onIcon(QWidget *receiver, QMouseEvent *event) const
{
    if (!m_icon || receiver == m_icon)
        return event->pos();
    return m_icon->mapFromGlobal(event->globalPos());
}

void LaunchDrag::press(QWidget *receiver, QMouseEvent *event)
{
    if (live()) {
        // Another button during a press cancels it, and the releases to come
        // are the ended press's. A second left press means the release of the
        // first never reached us (the grab was taken away).
        const bool left = event->button() == Qt::LeftButton;
        finish(End::Cancelled);
        if (!left) {
            m_swallow |= event->button();
            return;
        }
    }
    m_swallow &= ~Qt::MouseButtons(event->button());
    FormLaunchCommonIcon *icon = gridIcon(receiver);
    if (!icon || event->button() != Qt::LeftButton || !icon->inPicture(event->pos()))
        return;
    m_icon = icon;
    m_id = icon->id();
    m_pageFlipLatch = false;
    m_state = State::Pressed;
    m_holdTimer->start(HoldTime);
    qApp->installEventFilter(this);
}

void LaunchDrag::holdReached()
{
    if (!m_icon) {
        cancel();
        return;
    }
    if (m_state == State::Pressed)
        m_state = State::Holding;
    // Edit mode for the whole pad, this icon included; a drag goes on.
    emit held();
}

void LaunchDrag::move(QWidget *receiver, QMouseEvent *event)
{
    if (!live())
        return;
    if (!m_icon || (m_state == State::Dragging && m_rows->liftedId() != m_id)) {
        // The icon or its row went from under the drag.
        cancel();
        return;
    }
    // Within the icon the long press still counts; outside it, no more.
    const QPoint p = onIcon(receiver, event);
    if (p.x() < 0 || p.x() > m_icon->width() || p.y() < 0 || p.y() > m_icon->height())
        m_holdTimer->stop();
    if (m_state == State::Pressed || m_state == State::Holding) {
        beginDrag();
        if (m_state != State::Dragging)
            return;
        // The first move places the copy and the hole; the edges turn pages
        // only from the next.
        follow(event->globalPos());
        return;
    }
    dragTo(event->globalPos());
}

void LaunchDrag::beginDrag()
{
    // The grid of a search is not the order of the rows: no drag there.
    if (m_grid->isFiltered() || !m_rows->lift(m_id)) {
        finish(End::Cancelled);
        return;
    }
    m_state = State::Dragging;
    m_icon->setLifted(true);
    m_icon->setCursor(Qt::ClosedHandCursor);
    const int size = m_grid->geometry().iconSize;
    m_copy->resize(size, size);
    // The picture only, as the icon shows it (a recycle bin's current one).
    m_copy->setData(m_id, m_icon->shownPicture(), IconClass::Temporary, QString());
}

void LaunchDrag::dragTo(const QPoint &P)
{
    const int X = m_window->x(), W = m_window->width();
    // One turn each time the pointer enters an edge zone; the next needs it
    // back in the inner part first. The very first column turns nothing.
    if (P.x() > X && P.x() <= X + EdgeZone && !m_pageFlipLatch) {
        m_pageFlipLatch = true;
        m_grid->turn(-1);
    } else if (P.x() >= X + W - EdgeZone && P.x() <= X + W - 1 && !m_pageFlipLatch) {
        m_pageFlipLatch = true;
        m_grid->turn(1);
    } else if (P.x() > X + EdgeZone + 1 && P.x() < X + W - EdgeZone - 1) {
        m_pageFlipLatch = false;
    }
    if (m_copy->width() != m_grid->geometry().iconSize) {
        m_copy->resize(m_grid->geometry().iconSize, m_grid->geometry().iconSize);
        m_copy->setData(m_id, m_icon->shownPicture(), IconClass::Temporary, QString());
    }
    follow(P);
}

void LaunchDrag::follow(const QPoint &P)
{
    m_copy->move(m_window->mapFromGlobal(P) - QPoint(m_copy->width() / 2, m_copy->height() / 2));
    m_copy->show();
    m_copy->raise();
    hover(P);
}

void LaunchDrag::hover(const QPoint &P)
{
    const LaunchGrid::Hit hit = m_grid->iconAt(P);
    if (hit.part != 0 && hit.part != 2)
        return;
    // Where the hovered icon stands once the hole is out of the way: its
    // left part puts the hole right before it, its right part right after.
    int b = m_rows->rowOf(hit.id);
    const int hole = m_rows->holeRow();
    if (hole >= 0 && hole < b)
        --b;
    if (m_rows->setHole(hit.part == 0 ? b : b + 1))
        m_grid->place();
}

void LaunchDrag::release(QWidget *receiver, QMouseEvent *event)
{
    const Qt::MouseButton button = event->button();
    if (live()) {
        if (button != Qt::LeftButton) {
            finish(End::Cancelled);
            return;
        }
        const State was = m_state;
        const QPointer<FormLaunchCommonIcon> icon = m_icon;
        const QPoint p = onIcon(receiver, event);
        finish(End::Released);
        // A click: after the press has ended, so that what opening does
        // (the pad closes) finds the pointer at rest.
        if (was == State::Pressed && icon)
            click(icon, p);
        return;
    }
    if (m_swallow & button) {
        m_swallow &= ~Qt::MouseButtons(button);
        return;
    }
    FormLaunchCommonIcon *icon = gridIcon(receiver);
    if (!icon)
        return;
    // A press that began off the picture still opens on a release over it.
    if (button == Qt::LeftButton)
        click(icon, event->pos());
    else if (button == Qt::RightButton)
        icon->showMenu(event->globalPos());
}

void LaunchDrag::click(FormLaunchCommonIcon *icon, const QPoint &p)
{
    // In edit mode a click opens nothing; with double clicks, only those do.
    if (icon->isDeleteShown())
        return;
    if (!m_doubleClick && icon->inPicture(p))
        icon->OpenIcon();
    qCDebug(lcMenus) << icon->id();
}

void LaunchDrag::finish(End end)
{
    if (!live())
        return;
    const State was = m_state;
    m_holdTimer->stop();
    qApp->removeEventFilter(this);
    if (was == State::Dragging) {
        m_state = State::Dropping;
        m_copy->hide();
        if (end == End::Released)
            m_rows->land();
        else
            m_rows->putBack();
        if (m_icon) {
            m_icon->setLifted(false);
            m_icon->unsetCursor();
        }
        m_grid->place();
    }
    // The button of a press cancelled is still down: its release opens nothing.
    if (end == End::Cancelled)
        m_swallow |= Qt::LeftButton;
    m_icon = nullptr;
    m_id.clear();
    m_pageFlipLatch = false;
    m_state = State::Idle;
}
