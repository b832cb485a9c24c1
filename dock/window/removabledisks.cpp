#include "removabledisks.h"

#include "udisk.h"

#include "common/logging.h"
#include "dock/model/dockiconlist.h"
#include "platform/volumes.h"


#include <QTimer>

RemovableDisks::RemovableDisks(QObject *parent) : QObject(parent)
{
    m_settle = new QTimer(this);
    m_settle->setSingleShot(true);
    m_settle->setInterval(1000);
    connect(m_settle, &QTimer::timeout, this, &RemovableDisks::rescan);
    m_watcher = new uDisk;
    connect(m_watcher, &uDisk::sigUDiskCome, this, &RemovableDisks::diskCame);
    connect(m_watcher, &uDisk::sigUDiskRemove, this, &RemovableDisks::diskWent);
}

RemovableDisks::~RemovableDisks()
{
    delete m_watcher;
}

void RemovableDisks::diskCame(const QString &root)
{
    m_settle->start();
    emit arrived(root);
}

void RemovableDisks::diskWent()
{
    m_settle->start();
}

void RemovableDisks::setIcons(DockIconList *icons, Add add)
{
    m_icons = icons;
    m_add = std::move(add);
}

void RemovableDisks::rescanIcons()
{
    qCDebug(lcDesktop) << "u盘检测！";
    clearIcons();
    for (const platform::Volume &v : platform::VolumesService::get().removableVolumes()) {
        qCDebug(lcDesktop) << "存在可移动盘";
        qCDebug(lcDesktop) << v.mountPoint << v.label;
        addDiskIcon(v.mountPoint, v.label);
    }
}

void RemovableDisks::addDiskIcon(const QString &root, const QString &label)
{
    if (root.isEmpty() || !m_icons)
        return;
    const QString icon = QStringLiteral(":/image/icon/UDisk.png");
    const QString name = QStringLiteral("U盘[") + label + QStringLiteral(" (") + root + QStringLiteral(")]");
    if (!m_icons->anyCellEquals(root))
        m_add(icon, name, IconClass::UDISK, root);

    // The root may already be the path of another icon (a folder icon of the
    // drive, say); the disk still gets its own. The first cell that holds the
    // root, column by column, decides. An add that left no row behind has
    // nothing more to look at.
    int r = -1;
    for (int c = 0; c < DockIconRecord::FieldCount && r < 0; ++c)
        r = m_icons->findRow(c, root);
    if (r < 0) {
        qCDebug(lcDesktop) << "no icon row for" << root;
        return;
    }
    const DockIconRecord found = m_icons->record(r);
    if (found.Class != IconClass::UDISK)
        m_add(icon, name, IconClass::UDISK, root);
    if (found.Path != root)
        qCDebug(lcDesktop) << "不相等";
}

void RemovableDisks::clearIcons()
{
    if (m_icons) {
        for (int r = m_icons->rowCount() - 1; r >= 0; --r) {
            if (m_icons->at(r).Class == IconClass::UDISK)
                m_icons->removeAt(r);
        }
    }
    emit iconsCleared();
}
