#include "widget_p.h"

// ---- adding and changing icons --------------------------------------------

void Widget::AddIcon2(QString ico, QString name, QString cl, QString path, QString ID)
{
    qDebug() << "添加图标" << ID;
}

void Widget::Modify(QString icoID, QString ico, QString name, QString) {}
void Widget::IconSettingsClose() { m_menuShown = false; }
void Widget::SidebarMenuClose() { popupOpen = false; }
void Widget::setIconDisk(QString, QString) {}

void Widget::updates()
{
    m_settingsPanel->showNewVersion();
}

// The update notice is shown only after a check found a newer version.
void Widget::updateIconProcess()
{
    const int r = DockFile::findRow(ui->IcoData, 3, IconClass::UPGRADE);
    if (r < 0)
        return;
    const QString id = ui->IcoData->item(r, 0)->text();
    ui->IcoData->removeRow(r);
    if (FormCommonIcon *icon = iconWidgets.take(id)) {
        icon->hide();
        icon->deleteLater();
    }
    SaveFile();
    m_relayoutTimer->start(1);
}
