#include "udisk.h"

uDisk::uDisk(QWidget *parent) : QWidget(parent)
{
    platform::Mounts &mounts = platform::MountsService::get();
    m_known = mounts.removableVolumes();
    connect(mounts.createWatcher(this), &platform::MountWatcher::changed, this, &uDisk::check);
}

void uDisk::check()
{
    const QList<platform::MountedVolume> now = platform::MountsService::get().removableVolumes();
    QString arrived;
    bool removed = false;
    for (const platform::MountedVolume &v : now) {
        if (arrived.isEmpty() && !m_known.contains(v))
            arrived = v.mountPoint;
    }
    for (const platform::MountedVolume &v : qAsConst(m_known)) {
        if (!now.contains(v))
            removed = true;
    }
    m_known = now;
    if (!arrived.isEmpty())
        emit sigUDiskCome(arrived);
    if (removed)
        emit sigUDiskRemove();
}
