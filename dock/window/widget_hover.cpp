#include "widget_p.h"
#include "hovertips.h"

#include "autohide.h"
#include "dockdrag.h"
#include "docklayout.h"
#include "dockmenus.h"
#include "dockshowing.h"
#include "common/logging.h"

// ---- hover magnification --------------------------------------------------

// Runs on every pointer move over an icon: the bar sizes the icons around
// it; the window places the name bubble and the weather scene beside it.
void Widget::IconMouseMove(QString ID, QPoint p)
{
    m_detection->hide();
    m_drag->ghost()->hide();
    if (m_showing->isMenuShown())
        return;
    const int r = IcoData->indexOfId(ID);
    if (r < 0)
        return;
    const BarNow &now = m_layout->now();
    const bool horizontal = DockLayout::isHorizontal(now.edge);
    m_bar->magnify(ID, float(horizontal ? p.x() : p.y()));
    // The bubble follows the new row, in the same repaint.
    m_layout->relayoutIfPending();
    const QString cl = IcoData->at(r).Class;
    if (m_bar->contains(ID)) {
        DockLayout::HoverInput in;
        in.edge = now.edge;
        in.window = pos();
        in.main = ui->main->geometry();
        in.frameIco = m_bar->stripRect();
        in.icon = m_bar->iconPos(ID);
        in.magnified = now.magnified;
        in.normal = now.size;
        m_tips->follow(bubbleText(r), IconClasses::of(cl).face == IconFace::Weather, in);
    }
    if (m_autoHide->isDockShown())
        m_tips->showFor(cl);
}

// A weather icon's bubble tells the weather of this run, once there is one.
QString Widget::bubbleText(int row) const
{
    if (IconClasses::of(IcoData->at(row).Class).face == IconFace::Weather && !m_weatherText.isEmpty())
        return m_weatherText;
    return IcoData->at(row).Name;
}

void Widget::IconMouseIn(QString, QString types)
{
    if (IconClasses::of(types).face == IconFace::Weather && !m_showing->isMenuShown())
        m_tips->startScene();
}

void Widget::MousePosition(int p)
{
    m_tips->hide();
    if (p == m_layout->now().edge)
        m_bar->restoreAll();
}
