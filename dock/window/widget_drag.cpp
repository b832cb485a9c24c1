#include "widget_p.h"

#include "dockdrag.h"
#include "docklayout.h"
#include "dockmenus.h"

#include <QDragMoveEvent>

// ---- dragging icons in, out of and within the bar: the drag does it ---------

DockDrag *Widget::makeDrag()
{
    auto *drag = new DockDrag(IcoData, m_bar, &m_set,
                              { ui->frameBackground, ui->frameDragAdd, ui->labelico }, this);
    drag->setMenuLookup([this](const QString &id) { return m_menus->menu(id); });
    drag->setLaunchPad(m_launchPad);
    connect(drag, &DockDrag::relayoutRequested, m_layout, &BarLayout::requestRelayout);
    connect(drag, &DockDrag::inputShapeChanged, m_layout, &BarLayout::updateInputShape);
    connect(drag, &DockDrag::saveRequested, this, &Widget::SaveFile);
    connect(drag, &DockDrag::rebuildRequested, this, &Widget::rebuildBar);
    connect(drag, &DockDrag::toast, this, &Widget::showToast);
    connect(drag, &DockDrag::barLengthChanged, m_layout, &BarLayout::sizeBar);
    connect(drag, &DockDrag::addRequested, this, &Widget::AddIcon);
    connect(drag, &DockDrag::programDropped, this, [this](const QString &file) { getIconNew(file, QStringLiteral("0")); });
    return drag;
}

void Widget::IconPressMove(QString ID, QPoint) { m_drag->pressMove(ID); }
void Widget::IconPressPosMove() { m_drag->aimAt(QCursor::pos()); }
void Widget::IconPressRelease(QString, QPoint) { m_drag->pressRelease(); }
void Widget::SerialNumber(int row, int lr) { m_drag->openGap(row, lr); }
void Widget::MenuSerialNumber(int row) { m_drag->coverIcon(row); }
void Widget::AddIconTemporary() { m_drag->putBack(); }
bool Widget::AddIcon3(QString ico, QString name, QString cl, QString path, QString ID)
{
    return m_drag->addToLaunchPad(ico, name, cl, path, ID);
}
// Nothing reports it today; it takes an icon off the bar as a drag off it would.
void Widget::IconDetectionExists(QString ID) { m_drag->removeIcon(ID); }

// ---- icons dragged back out of an icon menu ---------------------------------

void Widget::returnAddIcon(QString ID, QString ico, QString name, QString cl, QString path, QPoint)
{
    if (!m_set.locking)
        m_menuShown = false;
    m_drag->returnAddIcon(ID, ico, name, cl, path);
}

void Widget::returnConfirm(bool b)
{
    if (!m_drag->returnConfirm(b))
        if (auto *menu = qobject_cast<FormMenu *>(sender()))
            menu->handOffRefused();
}

void Widget::menuIcoMove(QString ID)
{
    if (FormMenu *menu = m_menus->menu(ID)) {
        menu->hide();
        menu->hideAnimated();
    }
}

void Widget::setIcoBMoveShow(bool b)
{
    m_menuDrag = b;
}

void Widget::setIcoBShow(bool b)
{
    m_menuShown = b;
    IconFreeze(b);
}

// ---- files dragged in from outside ------------------------------------------

void Widget::dragEnterEvent(QDragEnterEvent *e) { m_drag->dragEnter(e); }
void Widget::dragMoveEvent(QDragMoveEvent *e) { m_drag->dragMove(e, mapToGlobal(e->pos())); }
void Widget::dragLeaveEvent(QDragLeaveEvent *) { m_drag->dragLeave(); }
void Widget::dropEvent(QDropEvent *e) { m_drag->drop(e); }

// ---- the pop-ups beside their icons ----------------------------------------

void Widget::IconMove(QString ID, QPoint, int w, int h, QString types)
{
    if (!m_bar->contains(ID))
        return;
    DockMenus::Beside b;
    b.edge = m_set.location;
    b.inBar = m_bar->iconPos(ID);
    b.origin = ui->main->pos() + ui->frameMain->pos() + m_bar->stripRect().topLeft() + b.inBar;
    b.slot = m_bar->stripRect().size();
    b.grown = QSize(w, h);
    b.rest = m_set.currentSizeF;
    b.magnified = m_set.icoMagnified;
    b.window = height();
    m_menus->placeBeside(ID, types, b);
}
