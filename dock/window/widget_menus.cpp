#include "widget_p.h"
#include "docklayout.h"
#include "dockactions.h"
#include "dockshowing.h"

#include <QMouseEvent>
#include <QWheelEvent>

// ---- icon commands --------------------------------------------------------

void Widget::showMenu(QString id, int x) { m_actions->runCommand(id, x); }

// ---- the bar's own menu, the wheel and the tray --------------------------------

void Widget::PanelHide() { m_showing->setPopupOpen(false); }

void Widget::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() != Qt::RightButton)
        return;
    m_showing->setPopupOpen(true);
    QMenu *menu = m_actions->buildBarMenu();
    menu->exec(QCursor::pos());
    menu->deleteLater();
}

void Widget::wheelEvent(QWheelEvent *e)
{
    // A touchpad reports small steps: a page turns per whole notch (120).
    const QPoint d = e->angleDelta();
    const int notches = DockLayout::takeWheelNotches(m_wheelDelta, d.y() != 0 ? d.y() : d.x());
    for (int i = 0; i < qAbs(notches); ++i)
        m_launchPad->turnPage(notches > 0 ? 0 : 1);
}

void Widget::createTrayIcon() { m_actions->createTrayIcon(); }
void Widget::iconActivated(QSystemTrayIcon::ActivationReason reason) { m_actions->trayActivated(reason); }
