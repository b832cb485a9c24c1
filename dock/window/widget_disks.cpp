#include "widget_p.h"

#include "platform/volumes.h"
#include "removabledisks.h"

// ---- removable disks ------------------------------------------------------

void Widget::UDiskCome(QString root) { m_disks->diskCame(root); }
void Widget::UDiskRemove() { m_disks->diskWent(); }

void Widget::UDiskTimeOut()
{
    qDebug() << "u盘检测！";
    clearUDiskIcon();
    for (const platform::Volume &v : platform::VolumesService::get().removableVolumes()) {
        qDebug() << "存在可移动盘";
        qDebug() << v.mountPoint << v.label;
        AddUDisk(v.mountPoint, v.label);
    }
}

void Widget::AddUDisk(QString filePath, QString fileName)
{
    if (filePath.isEmpty())
        return;
    const QString icon = QStringLiteral(":/image/icon/UDisk.png");
    const QString name = QStringLiteral("U盘[") + fileName + QStringLiteral(" (") + filePath + QStringLiteral(")]");
    if (!IcoData->anyCellEquals(filePath))
        AddIcon(icon, name, IconClass::UDISK, filePath);

    // The root may already be the path of another icon (a folder icon of the
    // drive, say); the disk still gets its own. The first cell that holds the
    // root, column by column, decides. An add that left no row behind has
    // nothing more to look at.
    int r = -1;
    for (int c = 0; c < DockIconRecord::FieldCount && r < 0; ++c)
        r = IcoData->findRow(c, filePath);
    if (r < 0) {
        qDebug() << "no icon row for" << filePath;
        return;
    }
    const DockIconRecord found = IcoData->record(r);
    if (found.Class != IconClass::UDISK)
        AddIcon(icon, name, IconClass::UDISK, filePath);
    if (found.Path != filePath)
        qDebug() << "不相等";
}

// Removable-disk icons are made while a disk is plugged in; none survive a restart.
void Widget::clearUDiskIcon()
{
    for (int r = IcoData->rowCount() - 1; r >= 0; --r) {
        if (IcoData->cell(r, 3) == IconClass::UDISK) {
            IcoData->removeAt(r);
        }
    }
    m_layout->requestRelayout();
}
