#include "longpress.h"

#include "dock/icons/formtimingflash.h"

#include <QCursor>
#include <QGuiApplication>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

LongPress::LongPress(QWidget *owner) : QObject(owner), m_owner(owner)
{
    m_holdTimer = new QTimer(this);
    m_holdTimer->setSingleShot(true);
    connect(m_holdTimer, &QTimer::timeout, this, &LongPress::hold);
    m_ringTimer = new QTimer(this);
    connect(m_ringTimer, &QTimer::timeout, this, &LongPress::ringTick);
}

LongPress::~LongPress()
{
    // A window of its own, with no parent to take it along.
    delete m_ring;
}

const char *LongPress::name(Exit e)
{
    switch (e) {
    case Exit::Release: return "release";
    case Exit::OtherButton: return "other button";
    case Exit::Escape: return "Esc";
    case Exit::FocusLost: return "focus lost";
    case Exit::Hidden: return "hidden";
    case Exit::GrabBroken: return "grab broken";
    }
    return "?";
}

FormTimingFlash *LongPress::ring()
{
    if (!m_ring) {
        m_ring = new FormTimingFlash(nullptr);
        m_ring->setRange(0, RingFullAt);
    }
    return m_ring;
}

void LongPress::watchHiding(QWidget *w)
{
    m_watched.append(w);
}

void LongPress::press(bool canHold)
{
    end(Exit::OtherButton, Qt::LeftButton);
    m_state = State::Pressed;
    m_spent = false;
    m_ticks = 0;
    if (canHold) {
        m_holdTimer->start(HoldMs);
        m_ringTimer->start(1);
    }
    watch(true);
}

void LongPress::hold()
{
    if (m_state != State::Pressed)
        return;
    m_state = State::Holding;
    m_owner->setCursor(Qt::ClosedHandCursor);
    // Esc reaches the dock only while it holds the keyboard: from now until
    // the press ends, as a menu does while it is open.
    m_owner->grabKeyboard();
}

void LongPress::startDragging()
{
    if (m_state == State::Holding)
        m_state = State::Dragging;
}

void LongPress::ringTick()
{
    // Until it shows, neither the window nor the pointer's place (a trip to
    // the X server) is needed.
    if (m_ticks < RingShownAt) {
        ++m_ticks;
        return;
    }
    FormTimingFlash *r = ring();
    if (m_ticks == RingShownAt)
        r->show();
    if (m_ticks > RingShownAt && m_ticks <= RingFullAt)
        r->setValue(m_ticks);
    if (m_ticks > RingFullAt) {
        m_ringTimer->stop();
        r->hide();
    }
    ++m_ticks;
    r->move(QCursor::pos() - QPoint(15, 15));
}

bool LongPress::stillHeld(int buttons)
{
    if (m_state == State::Idle || (buttons & Qt::LeftButton))
        return true;
    end(Exit::GrabBroken, buttons);
    return false;
}

void LongPress::settle(int buttonsHeld)
{
    if (buttonsHeld == Qt::NoButton)
        m_spent = false;
}

void LongPress::end(Exit how, int buttonsHeld)
{
    if (m_state == State::Idle)
        return;
    const State from = m_state;
    m_state = State::Idle;
    // Cut short with a button still down: what follows of it is not a click.
    if (buttonsHeld < 0)
        buttonsHeld = int(QGuiApplication::mouseButtons());
    m_spent = how != Exit::Release && buttonsHeld != Qt::NoButton;
    m_holdTimer->stop();
    m_ringTimer->stop();
    if (m_ring)
        m_ring->hide();
    watch(false);
    if (QWidget::keyboardGrabber() == m_owner)
        m_owner->releaseKeyboard();
    if (from != State::Pressed)
        m_owner->setCursor(Qt::ArrowCursor);
    emit ended(from, how);
}

// While a press lasts it sees every event of the program: mouse events
// anywhere (a move without the button, or a new left press, means the release
// went where the press never heard of it), its window hiding, Esc.
void LongPress::watch(bool on)
{
    if (on) {
        m_window = m_owner->window();
        qApp->installEventFilter(this);
        connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
            if (s != Qt::ApplicationActive)
                end(Exit::FocusLost);
        }, Qt::UniqueConnection);
    } else {
        m_window = nullptr;
        qApp->removeEventFilter(this);
        disconnect(qGuiApp, &QGuiApplication::applicationStateChanged, this, nullptr);
    }
}

bool LongPress::eventFilter(QObject *o, QEvent *e)
{
    switch (e->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        const auto *me = static_cast<QMouseEvent *>(e);
        const bool newPress = e->type() != QEvent::MouseMove && me->button() == Qt::LeftButton;
        // Moves the toolkit makes up itself (a window shown under the
        // pointer) carry its own idea of the buttons, not the device's.
        const bool device = me->source() != Qt::MouseEventSynthesizedByQt;
        if (o->isWidgetType() && device && (newPress || !(me->buttons() & Qt::LeftButton)))
            end(Exit::GrabBroken, int(me->buttons()) & ~int(me->button()));
        break;
    }
    case QEvent::Hide:
        // The owner itself may hide while its icon is carried; its window may not.
        if (o->isWidgetType() && ((o == m_window && o != m_owner) || m_watched.contains(static_cast<QWidget *>(o))))
            end(Exit::Hidden);
        break;
    case QEvent::KeyPress:
        // Whichever widget it reaches: while the press holds the keyboard it
        // is the owner, else the focus of the moment.
        if (o->isWidgetType() && static_cast<QKeyEvent *>(e)->key() == Qt::Key_Escape && isLoose()) {
            end(Exit::Escape);
            return true;
        }
        break;
    case QEvent::UngrabMouse:
        if (o == m_owner)
            end(Exit::GrabBroken);
        break;
    default:
        break;
    }
    return QObject::eventFilter(o, e);
}
