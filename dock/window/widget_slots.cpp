#include "widget_p.h"

#include "autohide.h"
#include "dock/icons/dockiconmenucode.h"
#include "dockactions.h"
#include "dockadding.h"
#include "dockdrag.h"
#include "docklayout.h"
#include "dockmenus.h"
#include "dockmessages.h"
#include "dockshowing.h"
#include "dockwindows.h"
#include "firstpaint.h"
#include "hovertips.h"
#include "removabledisks.h"

#include <QDragMoveEvent>
#include <QMouseEvent>
#include <QWheelEvent>

// The slots that others call, each handed to the part of the dock that does the work.

// ---- showing and hiding the bar: DockShowing -------------------------------

void Widget::myIn() { m_showing->slideIn(); }
void Widget::myInEnd() { m_showing->slideInEnded(); }
void Widget::myOut() { m_showing->slideOut(); }
void Widget::HiddenEnd() { m_showing->slideOutEnded(); }
void Widget::MouseIn() { m_showing->bringBack(); }
void Widget::showFrameArea(bool b) { m_layout->showFrameArea(b); }
void Widget::setShowWindows() { m_showing->showDock(); }
void Widget::setHideWindows() { m_showing->hideDock(); }
void Widget::MenuHide() { m_showing->hideMenus(); }
void Widget::IconFreeze(bool b) { m_bar->setFrozen(b); }
void Widget::IconRestore() { m_showing->restoreIcons(); }

// ---- the desktop around the dock -------------------------------------------

void Widget::IconDisplay() { m_showing->toggleDesktopIcons(); }
void Widget::IconDisplayShow() { m_showing->showDesktopIcons(); }
void Widget::setClose() { m_showing->settingsClosed(); }

// ---- removable disks: RemovableDisks ---------------------------------------

void Widget::UDiskCome(QString root) { m_disks->diskCame(root); }
void Widget::UDiskRemove() { m_disks->diskWent(); }
void Widget::UDiskTimeOut() { m_disks->rescanIcons(); }
void Widget::AddUDisk(QString filePath, QString fileName) { m_disks->addDiskIcon(filePath, fileName); }
void Widget::clearUDiskIcon() { m_disks->clearIcons(); }

// ---- dragging icons in, out of and within the bar: DockDrag ----------------

void Widget::IconPressMove(QString ID, QPoint)
{
    m_drag->pressMove(ID);
    m_tips->hide(); // the drag brings every icon back to rest
}
void Widget::IconPressPosMove() { m_drag->aimAt(QCursor::pos()); }
void Widget::IconPressRelease(QString, QPoint) { m_drag->pressRelease(); }
void Widget::SerialNumber(int row, int lr) { m_drag->openGap(row, lr); }
void Widget::MenuSerialNumber(int row) { m_drag->coverIcon(row); }
void Widget::AddIconTemporary() { m_drag->putBack(); }
// Nothing reports it today; it takes an icon off the bar as a drag off it would.
void Widget::IconDetectionExists(QString ID) { m_drag->removeIcon(ID); }
void Widget::menuIcoMove(QString ID) { m_showing->menuIconMoved(ID); }
void Widget::setIcoBMoveShow(bool b)
{
    m_showing->setMenuDragging(b);
    // The menu kept its place through the drag: beside its icon again.
    auto *menu = qobject_cast<FormMenu *>(sender());
    if (!b && menu && m_bar->contains(menu->menuId())) {
        const QSize s = m_bar->iconSize(menu->menuId());
        IconMove(menu->menuId(), QPoint(), s.width(), s.height(), m_bar->iconClass(menu->menuId()));
    }
}
void Widget::setIcoBShow(bool b) { m_showing->menuShownChanged(b); }
void Widget::dragEnterEvent(QDragEnterEvent *e) { m_drag->dragEnter(e); }
void Widget::dragMoveEvent(QDragMoveEvent *e) { m_drag->dragMove(e, mapToGlobal(e->pos())); }
void Widget::dragLeaveEvent(QDragLeaveEvent *) { m_drag->dragLeave(); }
void Widget::dropEvent(QDropEvent *e) { m_drag->drop(e); }

// ---- adding and changing icons: DockAdding ---------------------------------

void Widget::AddIcon(QString ico, QString name, QString cl, QString path) { m_adding->add(ico, name, cl, path); }
QPixmap Widget::getJumbIcon(QString filePath) { return DockAdding::largeIcon(filePath); }
void Widget::getIconNew(QString filePath, QString ID) { m_adding->addProgram(filePath, ID); }
void Widget::AddIco() { m_adding->choosePrograms(DockAdding::Bar); }
void Widget::menuAddIco(QString ID) { m_adding->choosePrograms(ID); }
void Widget::AddFolder() { m_adding->chooseFolder(DockAdding::Bar); }
void Widget::menuAddFolder(QString ID) { m_adding->chooseFolder(ID); }
void Widget::AddMenu() { m_adding->addMenu(); }
void Widget::AddBlank() { m_adding->addBlank(); }
void Widget::AddSystemIcon() { m_adding->openSidePanel(DockAdding::Bar); }
void Widget::menuAddSystemIco(QString ID) { m_adding->openSidePanel(ID); }
void Widget::AddUrlIco() { m_adding->openAddUrl(DockAdding::Bar); }
void Widget::menuAddUrlIco(QString ID) { m_adding->openAddUrl(ID); }
void Widget::AddDesktopWidget() { m_desktopWidget->show(); }
void Widget::IconSettingsClose() { m_showing->setPopupOpen(false); }
void Widget::SidebarMenuClose() { m_showing->setPopupOpen(false); }
void Widget::Modify(QString icoID, QString ico, QString name, QString) { m_adding->modify(icoID, ico, name); }
void Widget::setIconDisk(QString icoID, QString d) { m_adding->setDrive(icoID, d); }
void Widget::updates() { m_adding->showUpdateNotice(m_file->upgradeNotice()); }
void Widget::updateIconProcess() { m_adding->removeUpdateNotice(); }

// ---- placement and icons: BarLayout ----------------------------------------

void Widget::createIcon() { m_layout->placeIcons(); }
void Widget::clearIcon() { m_layout->restSizes(); }
void Widget::IconSorting() { m_layout->relayout(); }
void Widget::IconWidth(QString, int) { m_layout->requestRelayout(); }
void Widget::setTemporaryIcoSize(int v) { m_layout->setTemporaryIconSize(v); }

// ---- icon commands, the bar menu and the tray: DockActions -----------------

void Widget::showMenu(QString id, int x) { m_actions->runCommand(id, x); }
void Widget::PanelHide() { m_showing->setPopupOpen(false); }
void Widget::createTrayIcon() { m_actions->createTrayIcon(); }
void Widget::iconActivated(QSystemTrayIcon::ActivationReason reason) { m_actions->trayActivated(reason); }

// ---- messages and the tick: DockMessages -----------------------------------

void Widget::SendSystemMessage(QString object, QString content) { DockMessages::send(object, content); }
bool Widget::WindowToolDetection() { return DockMessages::windowToolRunning(); }
void Widget::timeOver() { m_messages->tick(); }
void Widget::setDetectionShow(QString x) { m_showing->windowToolNotice(x); }
void Widget::StartUpOver() { m_windows->startUpOver(); }

// ---- opening icons and tools: DockActions and DockShowing ------------------

void Widget::IconOpen(QString ID) { m_actions->openIcon(ID); }
void Widget::IconOpens(QString cl) { m_actions->openClass(cl); }
void Widget::menuOpenIco(QString ID, int x) { m_actions->openMenuCode(ID, x); }
void Widget::DllIconOpen(QString filePath) { m_actions->openPath(filePath); }
void Widget::NotMenuHide(QString ID) { m_showing->hideMenusBut(ID); }
void Widget::upDate() { m_actions->checkForUpdate(); }
void Widget::showAbout() { m_actions->showAbout(); }
void Widget::myHelp() { m_actions->openHelp(); }
void Widget::openKelvash() { m_actions->openSearch(); }
void Widget::openColorPicker() { m_actions->openColorPicker(); }
void Widget::openScreenshot() { m_actions->openScreenshot(); }
void Widget::showSet() { m_showing->openSettings(); }
void Widget::showLaunchStarter() { m_showing->toggleLaunchPad(); }
void Widget::LaunchPadClose() { m_showing->launchPadClosed(); }
void Widget::showStartMenu() { m_showing->toggleStartMenu(); }
void Widget::hideStartMenu() { m_showing->hideStartMenu(); }

// ---- where the window stands: BarLayout ------------------------------------

void Widget::WindowsTrayWndMove() { m_layout->takeAvailable(); }
