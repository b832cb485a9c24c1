#include "widget_p.h"
#include "dockadding.h"

// ---- adding and changing icons: DockAdding does it -------------------------

void Widget::showToast(const QString &text)
{
    m_toast->ShowMessage(text);
    m_toast->show();
}

DockAdding *Widget::makeAdding()
{
    auto *adding = new DockAdding({ IcoData, m_bar, m_drag, m_menus, m_windows, this }, this);
    connect(adding, &DockAdding::toast, this, &Widget::showToast);
    connect(adding, &DockAdding::saveRequested, this, &Widget::SaveFile);
    connect(adding, &DockAdding::rebuildRequested, this, &Widget::rebuildBar);
    connect(adding, &DockAdding::popupChanged, this, [this](bool open) { popupOpen = open; });
    adding->registerCommands(m_actions);
    return adding;
}

void Widget::AddIcon(QString ico, QString name, QString cl, QString path) { m_adding->add(ico, name, cl, path); }
void Widget::AddIcon2(QString ico, QString name, QString cl, QString path, QString ID)
{
    m_adding->addTo(ico, name, cl, path, ID);
}
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
void Widget::IconSettingsClose() { popupOpen = false; }
void Widget::SidebarMenuClose() { popupOpen = false; }
void Widget::Modify(QString icoID, QString ico, QString name, QString) { m_adding->modify(icoID, ico, name); }
void Widget::setIconDisk(QString icoID, QString d) { m_adding->setDrive(icoID, d); }
void Widget::updates() { m_adding->showUpdateNotice(m_set.upgradeNotice); }
void Widget::updateIconProcess() { m_adding->removeUpdateNotice(); }
