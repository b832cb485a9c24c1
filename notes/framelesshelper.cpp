#include "framelesshelper.h"

#include <QEvent>
#include <QHoverEvent>
#include <QMouseEvent>
#include <QRubberBand>
#include <QWidget>
#include <cmath>

namespace {

int g_borderWidth = 5;
int g_titleHeight = 30;

// Event positions are real numbers; halves go upward.
int roundPixel(qreal v)
{
    return int(std::floor(v + 0.5));
}

QPoint roundPoint(const QPointF &p)
{
    return QPoint(roundPixel(p.x()), roundPixel(p.y()));
}

} // namespace

EdgeHit EdgeHit::test(const QPoint &p, const QRect &frame, int border)
{
    const int L = frame.x(), T = frame.y(), W = frame.width(), H = frame.height();
    EdgeHit h;
    h.left = p.x() >= L && p.x() <= L + border;
    h.right = p.x() >= L + W - border && p.x() <= L + W;
    h.top = p.y() >= T && p.y() <= T + border;
    h.bottom = p.y() >= T + H - border && p.y() <= T + H;
    h.topLeft = h.top && h.left;
    h.topRight = h.top && h.right;
    h.bottomLeft = h.bottom && h.left;
    h.bottomRight = h.bottom && h.right;
    h.onEdges = h.left || h.right || h.top || h.bottom;
    return h;
}

// --- FramelessWidgetState ---------------------------------------------------

FramelessWidgetState::FramelessWidgetState(FramelessHelper *helper, QWidget *widget)
    : m_helper(helper), m_widget(widget), m_savedFlags(widget->windowFlags())
{
    widget->setMouseTracking(true);
    widget->setAttribute(Qt::WA_Hover, true);
    updateRubberBand();
}

FramelessWidgetState::~FramelessWidgetState()
{
    delete m_rubberBand;
    if (!m_widget)
        return;
    m_widget->setMouseTracking(false);
    if (m_widget->windowFlags() != m_savedFlags)
        m_widget->setWindowFlags(m_savedFlags);
    m_widget->setAttribute(Qt::WA_Hover, false);
}

void FramelessWidgetState::updateRubberBand()
{
    const bool wanted = m_helper->moveRubberBand() || m_helper->resizeRubberBand();
    if (!wanted) {
        delete m_rubberBand;
        m_rubberBand = nullptr;
    } else if (!m_rubberBand) {
        m_rubberBand = new QRubberBand(QRubberBand::Rectangle);
        // Its frame must be its geometry: resizing reads the one and sets the other.
        m_rubberBand->setWindowFlags(m_rubberBand->windowFlags() | Qt::FramelessWindowHint);
    }
}

void FramelessWidgetState::handleEvent(QEvent *event)
{
    if (!m_widget)
        return;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        mousePress(static_cast<QMouseEvent *>(event));
        break;
    case QEvent::MouseButtonRelease:
        mouseRelease(static_cast<QMouseEvent *>(event));
        break;
    case QEvent::MouseMove:
        mouseMove(static_cast<QMouseEvent *>(event));
        break;
    case QEvent::Leave:
        if (!m_leftPressed)
            m_widget->unsetCursor();
        break;
    case QEvent::HoverMove:
        if (m_helper->isResizable()) {
            const QPoint local = roundPoint(static_cast<QHoverEvent *>(event)->posF());
            updateCursor(m_widget->mapToGlobal(local));
        }
        break;
    default:
        break;
    }
}

void FramelessWidgetState::mousePress(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint global = roundPoint(event->screenPos());
    const QRect frame = m_widget->frameGeometry();
    m_leftPressed = true;
    m_pressedInTitle = roundPixel(event->localPos().y()) < FramelessHelper::titleHeight();
    m_pressHit = EdgeHit::test(global, frame, FramelessHelper::borderWidth());
    m_dragOffset = global - frame.topLeft();
    if (m_rubberBand
        && ((!m_pressHit.onEdges && m_helper->moveRubberBand())
            || (m_pressHit.onEdges && m_helper->resizeRubberBand()))) {
        m_rubberBand->setGeometry(frame);
        m_rubberBand->show();
    }
}

void FramelessWidgetState::mouseRelease(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressHit.reset();
    m_leftPressed = false;
    m_pressedInTitle = false;
    if (m_rubberBand && m_rubberBand->isVisible()) {
        m_rubberBand->hide();
        m_widget->setGeometry(m_rubberBand->geometry());
    }
}

void FramelessWidgetState::mouseMove(QMouseEvent *event)
{
    const QPoint global = roundPoint(event->screenPos());
    if (m_leftPressed) {
        if (m_helper->isResizable() && m_pressHit.onEdges)
            resizeTo(global);
        else if (m_helper->isMovable() && m_pressedInTitle)
            moveTo(global);
    } else if (m_helper->isResizable()) {
        updateCursor(global);
    }
}

void FramelessWidgetState::updateCursor(const QPoint &global)
{
    if (m_widget->isFullScreen() || m_widget->isMaximized()) {
        if (m_cursorChanged)
            m_widget->unsetCursor();
        return;
    }
    m_hoverHit = EdgeHit::test(global, m_widget->frameGeometry(), FramelessHelper::borderWidth());
    const EdgeHit &h = m_hoverHit;
    Qt::CursorShape shape;
    if (h.topLeft || h.bottomRight)
        shape = Qt::SizeFDiagCursor;
    else if (h.topRight || h.bottomLeft)
        shape = Qt::SizeBDiagCursor;
    else if (h.left || h.right)
        shape = Qt::SizeHorCursor;
    else if (h.top || h.bottom)
        shape = Qt::SizeVerCursor;
    else {
        if (m_cursorChanged) {
            m_widget->unsetCursor();
            m_cursorChanged = false;
        }
        return;
    }
    m_widget->setCursor(shape);
    m_cursorChanged = true;
}

void FramelessWidgetState::resizeTo(const QPoint &g)
{
    const bool onBand = m_helper->resizeRubberBand() && m_rubberBand;
    const QRect orig = onBand ? m_rubberBand->frameGeometry() : m_widget->frameGeometry();
    const int left0 = orig.left(), top0 = orig.top(), right0 = orig.right(), bottom0 = orig.bottom();
    const int minW = m_widget->minimumWidth(), minH = m_widget->minimumHeight();

    int left = left0, top = top0, right = right0, bottom = bottom0;
    const EdgeHit &h = m_pressHit;
    if (h.topLeft) {
        left = g.x();
        top = g.y();
    } else if (h.bottomLeft) {
        left = g.x();
        bottom = g.y();
    } else if (h.topRight) {
        top = g.y();
        right = g.x();
    } else if (h.bottomRight) {
        right = g.x();
        bottom = g.y();
    } else if (h.left) {
        left = g.x();
    } else if (h.right) {
        right = g.x();
    } else if (h.top) {
        top = g.y();
    } else if (h.bottom) {
        bottom = g.y();
    }

    if (right < left || bottom < top)
        return;
    // Too small: the dragged edge stays where it was before this step.
    if (right - left + 1 < minW) {
        if (left == left0)
            right = right0;
        else
            left = left0;
    }
    if (bottom - top + 1 < minH) {
        if (top == top0)
            bottom = bottom0;
        else
            top = top0;
    }
    const QRect r(QPoint(left, top), QPoint(right, bottom));
    if (onBand)
        m_rubberBand->setGeometry(r);
    else
        m_widget->setGeometry(r);
}

void FramelessWidgetState::moveTo(const QPoint &g)
{
    const QPoint target = g - m_dragOffset;
    if (m_helper->moveRubberBand() && m_rubberBand)
        m_rubberBand->move(target);
    else
        m_widget->move(target);
}

// --- FramelessHelper ---------------------------------------------------------

FramelessHelper::FramelessHelper(QObject *parent) : QObject(parent) {}

FramelessHelper::~FramelessHelper()
{
    // A watched widget that is being destroyed has already told us (see
    // forget), also when we are its child and go down with it; the others
    // get their flags, tracking and hover state back.
    qDeleteAll(m_states);
    m_states.clear();
}

void FramelessHelper::attachWidget(QWidget *w)
{
    if (!w || m_states.contains(w))
        return;
    m_states.insert(w, new FramelessWidgetState(this, w));
    w->installEventFilter(this);
    connect(w, &QObject::destroyed, this, &FramelessHelper::forget);
}

void FramelessHelper::detachWidget(QWidget *w)
{
    FramelessWidgetState *state = m_states.take(w);
    if (!state)
        return;
    w->removeEventFilter(this);
    disconnect(w, &QObject::destroyed, this, &FramelessHelper::forget);
    delete state;
}

// A widget announces its destruction before it deletes its children, so this
// comes before our own end when we are its child. Touching it now could even
// make a new native window for a widget in its destructor.
void FramelessHelper::forget(QObject *w)
{
    FramelessWidgetState *state = m_states.take(w);
    if (!state)
        return;
    state->abandon();
    delete state;
}

void FramelessHelper::setMoveRubberBand(bool on)
{
    m_moveRubberBand = on;
    updateRubberBands();
}

void FramelessHelper::setResizeRubberBand(bool on)
{
    m_resizeRubberBand = on;
    updateRubberBands();
}

void FramelessHelper::updateRubberBands()
{
    for (FramelessWidgetState *state : qAsConst(m_states))
        state->updateRubberBand();
}

void FramelessHelper::setBorderWidth(int width)
{
    if (width > 0)
        g_borderWidth = width;
}

void FramelessHelper::setTitleHeight(int height)
{
    if (height > 0)
        g_titleHeight = height;
}

int FramelessHelper::borderWidth() { return g_borderWidth; }
int FramelessHelper::titleHeight() { return g_titleHeight; }

bool FramelessHelper::isAttached(QWidget *w) const
{
    return m_states.contains(w);
}

QRubberBand *FramelessHelper::rubberBandOf(QWidget *w) const
{
    FramelessWidgetState *state = m_states.value(w);
    return state ? state->rubberBand() : nullptr;
}

bool FramelessHelper::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
    case QEvent::Leave:
    case QEvent::HoverMove:
        if (FramelessWidgetState *state = m_states.value(watched)) {
            state->handleEvent(event);
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
