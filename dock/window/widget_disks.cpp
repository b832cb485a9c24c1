#include "widget_p.h"

// ---- removable disks ------------------------------------------------------

void Widget::UDiskCome(QString) {}
void Widget::UDiskRemove() {}
void Widget::UDiskTimeOut() {}

// Removable-disk icons are made while a disk is plugged in; none survive a restart.
void Widget::clearUDiskIcon()
{
    bool removed = false;
    for (int r = ui->IcoData->rowCount() - 1; r >= 0; --r) {
        if (ui->IcoData->item(r, 3) && ui->IcoData->item(r, 3)->text() == IconClass::UDISK) {
            const QString id = ui->IcoData->item(r, 0)->text();
            ui->IcoData->removeRow(r);
            if (FormCommonIcon *icon = iconWidgets.take(id)) {
                icon->hide();
                icon->deleteLater();
            }
            removed = true;
        }
    }
    if (removed) {
        SaveFile();
        m_relayoutTimer->start(1);
    }
}
