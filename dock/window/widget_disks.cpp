#include "widget_p.h"

#include "removabledisks.h"

// ---- removable disks: RemovableDisks does it -------------------------------

void Widget::UDiskCome(QString root) { m_disks->diskCame(root); }
void Widget::UDiskRemove() { m_disks->diskWent(); }
void Widget::UDiskTimeOut() { m_disks->rescanIcons(); }
void Widget::AddUDisk(QString filePath, QString fileName) { m_disks->addDiskIcon(filePath, fileName); }
void Widget::clearUDiskIcon() { m_disks->clearIcons(); }
