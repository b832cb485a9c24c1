// A menu icon's drag: within the menu, onto the bar, or back.
#include "dock/menus/formmenu.h"

#include "common/logging.h"
#include "dock/icons/formcommonicon.h"
#include "dock/menus/formmenuicon.h"
#include "dock/model/dockiconlist.h"
#include "dock/toast/formsystemhint.h"

#include <QCursor>
#include <QTimer>

#include <algorithm>

// ---------------------------------------------------------------- dragging

bool FormMenu::beyondDockSide(const QPoint &p) const
{
    const QRect r = screenRect();
    switch (m_edge) {
    case 0: return p.y() < r.y();
    case 1: return p.x() > r.x() + r.width();
    case 3: return p.x() < r.x();
    default: return p.y() > r.y() + r.height();
    }
}

int FormMenu::firstFreeSlot() const
{
    // Never before the BACK row.
    return !MenuIcoData->isEmpty() && IconClasses::of(MenuIcoData->at(0).Class).is(IconRule::MenuBack) ? 1 : 0;
}

void FormMenu::IconPressMove(QString ID, QPoint)
{
    const int w = m_iconWidth;
    if (m_dragState == DragState::Dropping)
        return;
    if (m_dragState == DragState::Idle) {
        const int r = findRow(ID);
        // The BACK icon stays: nothing is lifted, no drag.
        if (r < 0 || IconClasses::of(MenuIcoData->at(r).Class).is(IconRule::MenuBack))
            return;
        m_dragState = DragState::Dragging;
        m_drag = MenuIcoData->at(r);
        m_givenUp = DockIconRecord();
        // Until the pointer aims elsewhere, the icon would go back to its place.
        m_targetSlot = r;
        m_dragFrom = r;
        emit setIcoBMoveShow(true);
        if (FormMenuIcon *icon = m_icons.value(ID)) {
            icon->hide();
            // Its widget gone under the drag, nothing would end it.
            m_dragIconGone = connect(icon, &QObject::destroyed, this, &FormMenu::cancelDrag);
        }
        MenuIcoData->removeAt(r);
        m_ghost->setIcon(m_drag.IconID, w, w + 10, w + 10, 0, m_edge, QString(), m_drag.Icon, IconClass::Temporary);
    } else if (ID != m_drag.IconID) {
        return; // only the press that lifted the row moves it
    }
    m_ghost->move(QCursor::pos() - QPoint((w + 10) / 2, (w + 10) / 2));
    m_ghost->show();
    // Over the bar the dock window may have come forward: the ghost stays on top.
    m_ghost->raise();
    IconPressPosMove();
}

void FormMenu::IconPressPosMove()
{
    if (!carrying())
        return;
    const QPoint c = QCursor::pos();
    const QRect r = screenRect();
    const bool inside = c.x() > r.x() && c.x() < r.x() + r.width() && c.y() > r.y() && c.y() < r.y() + r.height();
    if (inside) {
        if (m_dragState == DragState::HandedOver) {
            // Back from the dock: the dock lets go of it, the menu shows again.
            m_dragState = DragState::Dragging;
            emit returnConfirm(false);
            show();
        }
        for (int i = 0; i < MenuIcoData->size(); ++i) {
            FormMenuIcon *icon = m_icons.value(MenuIcoData->at(i).IconID);
            if (IconClasses::of(MenuIcoData->at(i).Class).is(IconRule::MenuBack) || !icon || icon->isHidden())
                continue;
            const QRect ir(icon->mapToGlobal(QPoint(0, 0)), icon->size());
            if (!(c.x() > ir.x() && c.x() < ir.x() + ir.width() && c.y() > ir.y() && c.y() < ir.y() + ir.height()))
                continue;
            const int at = horizontal() ? c.y() : c.x();
            const int mid = horizontal() ? ir.y() + ir.height() / 2 : ir.x() + ir.width() / 2;
            if (at < mid) {
                m_targetSlot = i;
                SerialNumber(i, 0);
            } else if (at > mid) {
                m_targetSlot = i + 1;
                SerialNumber(i, 1);
            }
        }
    } else if (beyondDockSide(c)) {
        hide();
        m_dragState = DragState::HandedOver;
        emit returnAddIcon(m_drag.IconID, m_drag.Icon, m_drag.Name, m_drag.Class, m_drag.Path, c);
    }
}

void FormMenu::SerialNumber(int row, int lr)
{
    const int P = (horizontal() ? m_iconHeight : m_iconWidth) + 5;
    const int W = width(), H = height();
    for (int i = 0; i < MenuIcoData->size(); ++i) {
        FormMenuIcon *icon = m_icons.value(MenuIcoData->at(i).IconID);
        if (!icon || icon->isHidden())
            continue;
        const int s = i < row ? i : i > row ? i + 1 : (lr == 1 ? row : row + 1);
        switch (m_edge) {
        case 0: icon->moveAnimated(icon->x(), H - (s + 1) * P); break;
        case 1: icon->moveAnimated(s * P, icon->y()); break;
        case 3: icon->moveAnimated(W - (s + 1) * P, icon->y()); break;
        default: icon->moveAnimated(icon->x(), s * P); break;
        }
    }
}

void FormMenu::IconPressRelease(QString ID, QPoint)
{
    if (!carrying() || ID != m_drag.IconID)
        return;
    const bool handedOut = m_dragState == DragState::HandedOver;
    m_dragState = DragState::Dropping;
    const QPoint c = QCursor::pos();
    const bool beyond = beyondDockSide(c);
    FormMenuIcon *icon = m_icons.value(ID);
    bool inBand = true; // without its widget the icon is put back
    if (icon) {
        // The band of the icon's own slot, wherever a slide of its hidden
        // widget had got to when it was lifted.
        const QRect r = screenRect();
        const QRect ir(mapToGlobal(icon->shownPoint()), icon->size());
        inBand = horizontal()
            ? c.x() > ir.x() && c.x() < ir.x() + ir.width() && c.y() > r.y() && c.y() < r.y() + r.height()
            : c.x() > r.x() && c.x() < r.x() + r.width() && c.y() > ir.y() && c.y() < ir.y() + ir.height();
    }
    if (findRow(m_drag.IconID) >= 0) {
        // Back in the table already: nothing to put back.
    } else if (inBand) {
        // Never before the BACK row, never past the end.
        MenuIcoData->insert(qBound(firstFreeSlot(), m_targetSlot, MenuIcoData->size()), m_drag);
        if (icon)
            icon->show();
        m_ghost->hide();
        RefreshMenu();
        if (isHidden())
            show();
    } else {
        // Given up to the dock: kept until the dock says whether it took it.
        if (handedOut && beyond)
            m_givenUp = m_drag;
        if (FormMenuIcon *gone = m_icons.take(ID))
            gone->deleteLater();
        m_ghost->closeAnimation();
        RefreshMenu();
        hideAnimated();
        showToast(tr("图标删除成功！"));
    }
    SaveFile();
    finishDrag();
    // Only an icon this drag offered the dock may land there.
    if (handedOut)
        emit returnConfirm(beyond);
    m_givenUp = DockIconRecord();
}

// Every way out of a drag ends here.
void FormMenu::finishDrag()
{
    disconnect(m_dragIconGone);
    if (m_dragState == DragState::Idle)
        return;
    m_dragState = DragState::Idle;
    emit setIcoBMoveShow(false);
}

void FormMenu::cancelDrag()
{
    if (!carrying())
        return;
    qCDebug(lcMenus) << "menu drag put back:" << m_drag.IconID;
    const bool handedOut = m_dragState == DragState::HandedOver;
    m_dragState = DragState::Dropping;
    if (findRow(m_drag.IconID) < 0)
        MenuIcoData->insert(qBound(firstFreeSlot(), m_dragFrom, MenuIcoData->size()), m_drag);
    m_ghost->hide();
    // The icons glided apart for a gap: all back in their slots. No widget
    // is made here (this may run while the dock window goes away); one the
    // row lost is made by the next rebuild.
    if (FormMenuIcon *icon = m_icons.value(m_drag.IconID))
        icon->show();
    layoutIcons(m_iconWidth, m_iconHeight);
    if (isHidden() && m_shown)
        show();
    finishDrag();
    if (handedOut)
        emit returnConfirm(false);
}

void FormMenu::handOffRefused()
{
    if (m_givenUp.IconID.isEmpty() || findRow(m_givenUp.IconID) >= 0)
        return;
    MenuIcoData->insert(qBound(firstFreeSlot(), m_dragFrom, MenuIcoData->size()), m_givenUp);
    m_givenUp = DockIconRecord();
    RefreshMenu();
    SaveFile();
    // Nothing was deleted after all.
    m_toast->hide();
}
