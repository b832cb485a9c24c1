#include "widget_p.h"

#include "autohide.h"
#include "dockdrag.h"
#include "docklayout.h"
#include "dockmenus.h"

// ---- hover magnification --------------------------------------------------

// Runs on every pointer move over an icon: the bar sizes the icons around
// it; the window places the name bubble and the weather scene beside it.
void Widget::IconMouseMove(QString ID, QPoint p)
{
    m_detection->hide();
    m_drag->ghost()->hide();
    if (m_menuShown)
        return;
    const int r = IcoData->findRow(0, ID);
    if (r < 0)
        return;
    const bool horizontal = DockLayout::isHorizontal(m_set.location);
    m_bar->magnify(ID, float(horizontal ? p.x() : p.y()));
    if (m_relayoutTimer->isActive()) { m_relayoutTimer->stop(); IconSorting(); } // the bubble follows the new row, in the same repaint

    const QString cl = IcoData->cell(r, 3);
    placeHoverWindows(ID, IcoData->cell(r, 2));
    if (m_autoHide->isDockShown()) {
        if (cl == IconClass::BLANK)
            m_name->hide();
        else
            m_name->show();
        if (cl != IconClass::WEATHER)
            m_weatherEffects->hide();
    }
}

void Widget::placeHoverWindows(const QString &id, const QString &name)
{
    const int edge = m_set.location;
    // Filling the bubble lays out its text and arrow; the same name on the
    // same edge needs none of it again.
    if (name != m_bubbleName || edge != m_bubbleEdge || m_name->fontSize() != m_bubbleFont) {
        m_name->setName(edge, name);
        m_bubbleName = name;
        m_bubbleEdge = edge;
        m_bubbleFont = m_name->fontSize();
    }
    if (!m_bar->contains(id))
        return;
    DockLayout::HoverInput in;
    in.edge = edge;
    in.window = pos();
    in.main = ui->main->geometry();
    in.frameIco = m_bar->stripRect();
    in.icon = m_bar->iconPos(id);
    in.magnified = m_set.icoMagnified;
    in.normal = m_set.currentSizeF;
    in.bubble = m_name->size();
    in.weather = m_weatherEffects->size();
    const DockLayout::HoverPlaces h = DockLayout::hoverPlaces(in);
    m_name->move(h.bubble);
    // The scene is a window of its own: moving it costs the display a
    // request, so only while it shows or is about to.
    if (m_weatherEffects->isVisible() || IcoData->cell(IcoData->findRow(0, id), 3) == IconClass::WEATHER)
        m_weatherEffects->move(h.weather);
}

void Widget::IconMouseIn(QString, QString types)
{
    if (types == IconClass::WEATHER && !m_menuShown) {
        m_weatherEffects->show();
        m_weatherEffects->showStart();
    }
}

void Widget::MousePosition(int p)
{
    m_name->hide();
    m_weatherEffects->hide();
    if (p == m_set.location)
        m_bar->restoreAll();
}

void Widget::setIconDoubleClick(bool b)
{
    m_set.iconDoubleClick = b;
    qDebug() << "点击" << b;
    m_bar->setDoubleClick(b);
    m_menus->setDoubleClick(b);
    m_launchPad->setIconDoubleClick(b);
}
