#include "widget_p.h"
#include "hovertips.h"

#include "autohide.h"
#include "dockdrag.h"
#include "dock/icons/dockbar.h"
#include "docklayout.h"
#include "dockplacement.h"
#include "dockmenus.h"

#include <QPropertyAnimation>

// ---- where the window and its bar stand -------------------------------------

QRect Widget::screenRect() const
{
    return DockPlacement::screenRect(m_set.screen);
}

bool Widget::isSlidIn() const { return m_autoHide->isSlidIn(); }
bool Widget::isDockShown() const { return m_autoHide->isDockShown(); }
int Widget::taskbarSide() const { return m_place->taskbarSide(); }
QRect Widget::availableRect() const { return m_place->available(); }
QRegion Widget::inputRegion() const { return m_place->inputRegion(); }

void Widget::setScreen(int x)
{
    m_set.screen = x;
    m_place->moveToScreen(x);
    const QRect S = m_place->screen();
    m_launchPad->placeOnScreen(S.x(), S.y(), S.width(), S.height());
    placeBarFrames();
}

void Widget::WindowsTrayWndMove()
{
    m_place->takeAvailable(m_set.screen);
}

void Widget::setMargin(int x)
{
    m_set.margin = x;
    WindowsTrayWndMove();
    placeBarFrames();
}

void Widget::placeBarFrames()
{
    m_place->placeBar(m_set.location, m_set.margin, m_set.icoMagnified, m_launchPad->isShown());
    updateInputShape();
}

std::optional<platform::WindowSystem::Level> levelOf(int x)
{
    switch (x) {
    case 0: return platform::WindowSystem::Above;
    case 1: return platform::WindowSystem::Normal;
    case 2: return platform::WindowSystem::Below;
    default: return std::nullopt;
    }
}

void Widget::setLevel(int x)
{
    if (!levelOf(x))
        return;
    DockPlacement::applyLevel(this, x);
    qDebug() << "层级" << x;
}

void Widget::setLevel2(int x)
{
    m_set.level = x;
    DockPlacement::applyLevel(this, x);
}

void Widget::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    m_place->forgetSentRegion();
    updateInputShape();
}

// What of the bar takes the pointer, in the window: its background and its
// icons, while the bar is in or sliding.
QRegion Widget::barRegion() const
{
    if (ui->main->isHidden() || !(m_autoHide->isSlidIn() || m_autoHide->isSlidingOut()))
        return QRegion();
    QRegion bar = ui->frameBackground->geometry();
    bar += m_bar->iconRegion();
    // While the pointer is on the bar its icons grow and shrink on every
    // move: the shape then takes the whole zone they may reach, so that it
    // does not change with each of them.
    if (!m_bar->isAtRest())
        bar += barZone();
    if (!ui->frameDragAdd->isHidden())
        bar += ui->frameDragAdd->geometry();
    if (m_frameAreaShown || m_frameAreaAnimation)
        bar += ui->frameArea->geometry();
    bar &= QRect(QPoint(0, 0), ui->main->size());
    return bar.translated(ui->main->pos());
}

// The window covers its screen: only what it shows takes the pointer, the rest
// of the desktop stays reachable. Sent only when it changes; while the pointer
// moves over the bar, only when the bar grows beyond what was sent.
void Widget::updateInputShape()
{
    QRegion visible = barRegion();
    // The tip follows the pointer along the bar: its whole lane, so that the
    // shape does not change with every move.
    visible += m_tips->lane(m_set.location, ui->main->geometry());
    visible += m_menus->shownRegion();
    // An empty region would mean "the whole window": keep one pixel instead,
    // under the edge strip, which lies above it anyway.
    if (visible.isEmpty()) {
        QPoint at = m_detection->geometry().topLeft() - pos();
        if (!rect().contains(at))
            at = QPoint(0, 0);
        visible = QRegion(QRect(at, QSize(1, 1)));
    }
    // Nothing beneath the bar is painted under it, unless the settings'
    // panel area slides there.
    m_bar->setAttribute(Qt::WA_OpaquePaintEvent, !(m_frameAreaShown || m_frameAreaAnimation));
    m_place->sendInputRegion(visible, m_autoHide->isPointerInside() && !(m_drag && m_drag->isDragging()));
}
