#include "barpointer.h"

#include "common/logging.h"
#include "dock/icons/dockbar.h"
#include "dock/icons/dockiconmenucode.h"
#include "dock/icons/formcommonicon.h"
#include "dock/model/dockicon.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPointer>

namespace {

QPoint rounded(const QMouseEvent *e, const QPoint &origin)
{
    return QPoint(qRound(e->localPos().x()), qRound(e->localPos().y())) - origin;
}

bool followedByItsMenu(const QString &cls)
{
    return IconClasses::of(cls).is(IconRule::PopUpBeside);
}

} // namespace

BarPointer::BarPointer(DockBar *bar) : QObject(bar), m_bar(bar), m_press(new LongPress(bar))
{
    // The bar hidden (the dock slid away or hidden) ends a press as the
    // window hidden does.
    m_press->watchHiding(bar);
    connect(m_press, &LongPress::ended, this, &BarPointer::pressEnded);
}

BarPointer::~BarPointer()
{
    delete m_menuOwner;
}

bool BarPointer::pressedIcon(QRect *r, QString *cls)
{
    if (m_pressed.isEmpty())
        return false;
    if (m_bar->contains(m_pressed)) {
        m_pressRect = m_bar->iconRect(m_pressed);
        m_pressClass = m_bar->iconClass(m_pressed);
    }
    *r = m_pressRect;
    *cls = m_pressClass;
    return true;
}

bool BarPointer::press(QMouseEvent *e)
{
    // A second button while one is down: the press in progress ends, and
    // none of the chord counts.
    if (!isIdle() || m_press->isSpent() || (e->buttons() & ~e->button())) {
        m_rightPressed.clear();
        if (!m_press->isIdle())
            m_press->end(LongPress::Exit::OtherButton, e->buttons());
        else
            m_press->spend(e->buttons());
        return true;
    }
    const QString id = m_bar->iconAt(e->pos());
    if (id.isEmpty())
        return false; // the bar's background: the dock window's own
    const QString cls = m_bar->iconClass(id);
    if (cls == IconClass::Temporary)
        return true;
    if (e->button() == Qt::LeftButton) {
        m_pressed = id;
        m_pressRect = m_bar->iconRect(id);
        m_pressClass = cls;
        m_press->press();
    } else if (e->button() == Qt::RightButton) {
        m_rightPressed = id; // its release opens the menu of this icon
    }
    return true;
}

void BarPointer::move(QMouseEvent *e)
{
    if (m_press->isSpent()) {
        m_press->settle(e->buttons());
        if (m_press->isSpent())
            return;
    }
    if (!m_press->stillHeld(e->buttons()))
        return;
    QRect pressed;
    QString cls;
    if (m_press->isIdle() || !pressedIcon(&pressed, &cls)) {
        hover(e);
        return;
    }
    const QPoint p = rounded(e, pressed.topLeft());
    const QString id = m_pressed;
    const QSize s = pressed.size();
    QPointer<BarPointer> self(this);
    if (followedByItsMenu(cls))
        emit m_bar->IconMove(id, p, s.width(), s.height(), cls);
    if (!self || m_press->isIdle())
        return;
    if (m_press->isLoose() && !m_bar->isFrozen()) {
        m_press->startDragging();
        emit m_bar->IconPressMove(id, p);
        if (!self || m_press->isIdle())
            return;
        m_bar->setCursor(Qt::ClosedHandCursor);
    }
    // Each side on its own: one move can leave across two of them.
    if (self && p.y() < 0)
        emit m_bar->MousePosition(0);
    if (self && p.x() > s.width())
        emit m_bar->MousePosition(1);
    if (self && p.y() > s.height())
        emit m_bar->MousePosition(2);
    if (self && p.x() < 0)
        emit m_bar->MousePosition(3);
}

void BarPointer::hover(QMouseEvent *e)
{
    const QString id = m_bar->iconAt(e->pos());
    m_bar->hoverTo(id);
    if (id.isEmpty())
        return;
    const QString cls = m_bar->iconClass(id);
    if (cls == IconClass::Temporary)
        return;
    const QRect r = m_bar->iconRect(id);
    const QPoint p = rounded(e, r.topLeft());
    if (followedByItsMenu(cls)) {
        QPointer<BarPointer> self(this);
        emit m_bar->IconMove(id, p, r.width(), r.height(), cls);
        if (!self || !m_bar->contains(id))
            return;
    }
    emit m_bar->IconMouseMove(id, p);
}

void BarPointer::leave()
{
    if (isIdle() && m_bar->isLeave())
        m_bar->hoverTo(QString());
}

bool BarPointer::release(QMouseEvent *e)
{
    if (m_press->isSpent()) {
        m_press->settle(e->buttons());
        return true;
    }
    QPointer<BarPointer> self(this);
    if (e->button() == Qt::LeftButton && !m_press->isIdle()) {
        QRect pressed;
        QString cls;
        pressedIcon(&pressed, &cls);
        m_releasePos = rounded(e, pressed.topLeft());
        m_press->end(LongPress::Exit::Release, e->buttons());
    } else if (e->button() == Qt::RightButton && !m_rightPressed.isEmpty()) {
        const QString id = m_rightPressed;
        m_rightPressed.clear();
        if (m_bar->contains(id)) {
            emit m_bar->IconMenu(id, DockIconMenuCode::MenuOpening);
            if (self)
                runContextMenu(id);
        }
    } else if (isIdle()) {
        return false;
    }
    // After a drag the pointer may stand beside the bar.
    if (self && isIdle() && !m_bar->rect().contains(m_bar->mapFromGlobal(QCursor::pos())))
        m_bar->hoverTo(QString());
    return true;
}

bool BarPointer::doubleClick(QMouseEvent *e)
{
    const QString id = m_bar->iconAt(e->pos());
    if (id.isEmpty())
        return false;
    const QString cls = m_bar->iconClass(id);
    if (cls == IconClass::Temporary)
        return true;
    if (!isIdle() || m_press->isSpent())
        return press(e);
    if (e->button() == Qt::LeftButton) {
        // Its release opens as any other; held, it does not come loose.
        m_pressed = id;
        m_pressRect = m_bar->iconRect(id);
        m_pressClass = cls;
        m_press->press(false);
    }
    qCDebug(lcBar) << "双击";
    if (m_doubleClick && !IconClasses::of(cls).is(IconRule::NoClick))
        open(id);
    return true;
}

// Every way out of a left press ends here.
void BarPointer::pressEnded(LongPress::State from, LongPress::Exit how)
{
    const QString id = m_pressed;
    const QString cls = m_pressClass;
    m_pressed.clear();
    if (how != LongPress::Exit::Release) {
        if (from != LongPress::State::Pressed) {
            qCDebug(lcBar) << "drag of" << id << "cut short:" << LongPress::name(how);
            emit m_bar->IconPressCancel(id);
        }
        return;
    }
    // The owner may rebuild the bar in answer to any signal below.
    if (from != LongPress::State::Pressed)
        emit m_bar->IconPressRelease(id, m_releasePos);
    else if (!m_doubleClick) {
        if (!IconClasses::of(cls).is(IconRule::NoClick))
            open(id);
    } else if (IconClasses::of(cls).is(IconRule::OneClick)) {
        open(id);
    }
}

void BarPointer::open(const QString &id)
{
    m_bar->jumpAnimation(id);
    emit m_bar->IconOpen(id);
}

void BarPointer::runContextMenu(const QString &id)
{
    if (!m_bar->contains(id))
        return;
    // One hidden icon object builds the menus of every class; its entries
    // reach the owner through this pointer's signals.
    if (!m_menuOwner) {
        m_menuOwner = new FormCommonIcon(nullptr);
        m_menuOwner->setClickStyle(0);
        connect(m_menuOwner, &FormCommonIcon::IconMenu, m_bar, &DockBar::IconMenu);
        connect(m_menuOwner, &FormCommonIcon::IconOpen, this, &BarPointer::open);
    }
    m_menuOwner->setMenuTarget(id, m_bar->iconClass(id));
    m_menuOwner->runContextMenu();
}
