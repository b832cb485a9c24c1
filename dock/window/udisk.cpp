#include "udisk.h"

uDisk::uDisk(QWidget *parent) : QWidget(parent)
{
    platform::Volumes &volumes = platform::VolumesService::get();
    m_known = volumes.removableVolumes();
    connect(volumes.createWatcher(this), &platform::MountWatcher::changed, this, &uDisk::check);
}

void uDisk::check()
{
    const QList<platform::Volume> now = platform::VolumesService::get().removableVolumes();
    QString arrived;
    bool removed = false;
    for (const platform::Volume &v : now) {
        if (arrived.isEmpty() && !m_known.contains(v))
            arrived = v.mountPoint;
    }
    for (const platform::Volume &v : qAsConst(m_known)) {
        if (!now.contains(v))
            removed = true;
    }
    m_known = now;
    if (!arrived.isEmpty())
        emit sigUDiskCome(arrived);
    if (removed)
        emit sigUDiskRemove();
}
