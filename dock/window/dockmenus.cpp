#include "dockmenus.h"
#include "widget.h"

#include "dock/menus/formmenu.h"
#include "dock/menus/formstartmenu.h"
#include "dock/model/dockiconlist.h"
#include "docklayout.h"

#include <QScrollBar>

namespace {
// The room a menu's strip may take is told in steps, so that its icon
// growing by a few pixels does not lay its names out again.
const int StripRoomStep = 32;
} // namespace

DockMenus::DockMenus(DockIconList *icons, Widget *dock)
    : QObject(dock), m_icons(icons), m_dock(dock), m_start(new FormStartMenu(dock))
{
    connect(m_start, &FormStartMenu::IconOpens, dock, &Widget::hideStartMenu);
    m_start->hide();
    // The thin scroll bars of the tree: set on the bars alone, a sheet on the
    // whole window would polish every widget of the dock again.
    static const QString sheet = QStringLiteral(
        "QScrollBar{padding-top:0px;padding-bottom:0px;margin: 0px 0px 0px 0px;background-color: rgba(0,0,0,0%); "
        "border: 0px; width: 2px;}QScrollBar::handle {background-color:rgba(255,255,255,50%);border-radius:0px;"
        "min-height: 20px;border: 0px;}QScrollBar::handle:vertical:hover {background-color:rgba(255,255,255,80%);"
        "border-radius:0px;min-height: 20px;border: 0px;}QScrollBar::up-arrow:vertical{height:13px;border: 0px;"
        "background-color:rgba(255, 255, 255,0%);}QScrollBar::down-arrow:vertical{height:13px;border: 0px;"
        "background-color:rgba(255, 255, 255,0%);}QScrollBar::sub-page:vertical {background-color:rgba(0, 0, 0,0%); "
        "border: 0px;}QScrollBar::add-page:vertical {background-color:rgba(0, 0, 0,0%); border: 0px;}"
        "QScrollBar::sub-line:vertical {height: 10px;width:10px;subcontrol-position: top;"
        "border-image: url(:/images/up-arrow.png);border: 0px;}QScrollBar::add-line:vertical {height: 10px;"
        "width:10px;subcontrol-position: bottom;border-image: url(:/images/down-arrow.png);border: 0px;}");
    for (QScrollBar *bar : m_start->findChildren<QScrollBar *>())
        bar->setStyleSheet(sheet);
    // The tree belongs to what the window shows: the input shape follows it.
    m_start->installEventFilter(dock);
}

void DockMenus::createMissing(int edge, bool doubleClick, int iconSize)
{
    for (int r = 0; r < m_icons->rowCount(); ++r) {
        const QString id = m_icons->at(r).IconID;
        if (IconClasses::of(m_icons->at(r).Class).tool != DockTool::IconMenu || m_menus.value(id))
            continue;
        auto *menu = new FormMenu(m_dock);
        m_menus.insert(id, menu);
        menu->installEventFilter(m_dock);
        Widget *w = m_dock;
        connect(menu, &FormMenu::menuAddIco, w, &Widget::menuAddIco);
        connect(menu, &FormMenu::menuAddSystemIco, w, &Widget::menuAddSystemIco);
        connect(menu, &FormMenu::menuAddFolder, w, &Widget::menuAddFolder);
        connect(menu, &FormMenu::menuAddUrlIco, w, &Widget::menuAddUrlIco);
        connect(menu, &FormMenu::menuOpenIco, w, &Widget::menuOpenIco);
        connect(menu, &FormMenu::setIcoBShow, w, &Widget::setIcoBShow);
        connect(menu, &FormMenu::setIcoBMoveShow, w, &Widget::setIcoBMoveShow);
        connect(menu, &FormMenu::menuIcoMove, w, &Widget::menuIcoMove);
        connect(menu, &FormMenu::returnAddIcon, w, &Widget::returnAddIcon);
        connect(menu, &FormMenu::returnConfirm, w, &Widget::returnConfirm);
        menu->hide();
        menu->setDockEdge(edge);
        menu->setPosition(edge);
        menu->setDoubleClick(doubleClick);
        menu->setMenu(id, m_dock->x(), m_dock->y());
        menu->layoutIcons(iconSize - 10, iconSize - 10);
    }
}

void DockMenus::setEdge(int edge)
{
    for (FormMenu *menu : qAsConst(m_menus))
        menu->setPosition(edge);
    m_start->setArrowPosition(edge);
}

void DockMenus::setDoubleClick(bool doubleClick)
{
    for (FormMenu *menu : qAsConst(m_menus))
        menu->setDoubleClick(doubleClick);
}

void DockMenus::setIconSize(int iconSize)
{
    for (FormMenu *menu : qAsConst(m_menus))
        menu->setIconSize(iconSize - 10, iconSize - 10);
}

void DockMenus::hideAll(const QString &keep)
{
    // Only the menus of rows still on the bar: a removed row's menu is gone
    // with its file.
    for (int r = 0; r < m_icons->rowCount(); ++r) {
        const QString id = m_icons->at(r).IconID;
        if (IconClasses::of(m_icons->at(r).Class).tool != DockTool::IconMenu || id == keep)
            continue;
        if (FormMenu *menu = m_menus.value(id))
            menu->hideAnimated();
    }
}

void DockMenus::placeBeside(const QString &id, const QString &cl, const Beside &b)
{
    const int w = b.grown.width(), h = b.grown.height();
    const DockTool tool = IconClasses::of(cl).tool;
    if (tool == DockTool::IconMenu) {
        // A menu icon may move before its menu exists. A menu whose icon is
        // being dragged stays where the drag found it: the bar's gap and
        // magnification move its MENU icon meanwhile, and the way back into
        // the menu must lead to the place the icon left.
        FormMenu *menu = m_menus.value(id);
        if (!menu || menu->isDragging())
            return;
        // An open menu follows its icon as it grows to its full size, and
        // then stays where the user saw it: an icon carried out of the menu
        // and back lets the bar go back to rest meanwhile, and the slots the
        // pointer aims at must not move under it. A bar laid out anew (its
        // edge, sizes, or the icon's place in the row) takes it along.
        const Anchor anchor { b.edge, m_icons->indexOfId(id), b.window, b.rest, b.magnified, b.grown };
        const Anchor placed = m_anchors.value(id);
        const bool growing = b.grown.width() > placed.grown.width() || b.grown.height() > placed.grown.height();
        if (menu->isVisible() && placed.sameBar(anchor) && !growing)
            return;
        m_anchors.insert(id, anchor);
        // The strip grows across for long names only as far as the screen
        // goes from where it ends beside the icon.
        const int end = DockLayout::isHorizontal(b.edge) ? b.origin.x() + w - int(float(w) - b.rest + 10) / 2
                                                         : b.origin.y() + h - int(float(h) - b.rest + 10) / 2;
        menu->setRoom(qMax(StripRoomStep, end / StripRoomStep * StripRoomStep));
        const int mw = menu->width(), mh = menu->height();
        int x = menu->x(), y = menu->y();
        if (DockLayout::isHorizontal(b.edge)) {
            x = end - mw;
            y = b.edge == 0 ? b.origin.y() + b.slot.height() - 5 : b.origin.y() - mh + 5;
        } else {
            y = end - mh;
            x = b.edge == 1 ? b.origin.x() - mw + 5 : b.origin.x() + b.slot.width() - 10;
        }
        menu->move(x, y);
    } else if (tool == DockTool::StartMenu) {
        const int tw = m_start->width(), th = m_start->height();
        int x = m_start->x(), y = m_start->y();
        if (DockLayout::isHorizontal(b.edge)) {
            x = b.origin.x() + int(b.magnified) / 2 - tw / 2;
            y = b.edge == 0 ? b.origin.y() + b.slot.height() + 10 : b.origin.y() - th - 10;
        } else {
            x = b.edge == 1 ? b.origin.x() - tw - 20 : b.origin.x() + b.slot.width() + 20;
            // Near the top the tree starts at the icon; further down it is
            // centred on the icon and kept inside the window.
            if (b.inBar.y() < th / 2)
                y = b.inBar.y();
            else
                y = qBound(0, b.origin.y() + h / 2 - th / 2, qMax(0, b.window - th));
        }
        m_start->move(x, y);
    }
}

QRegion DockMenus::shownRegion() const
{
    QRegion shown;
    for (FormMenu *m : qAsConst(m_menus)) {
        if (!m->isWindow() && !m->isHidden())
            shown += m->drawnRegion().translated(m->pos());
    }
    if (!m_start->isWindow() && !m_start->isHidden())
        shown += m_start->geometry();
    return shown;
}
