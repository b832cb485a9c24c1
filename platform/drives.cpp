#include "drives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

namespace platform {

bool SystemDrives::isRemovable(const QString &device, const QString &sysRoot)
{
    // /dev/disk/by-label/... and /dev/mapper/... are links to the kernel name.
    QString dev = QFileInfo(device).canonicalFilePath();
    if (dev.isEmpty())
        dev = device;
    const QString kernelName = QFileInfo(dev).fileName();
    if (kernelName.isEmpty())
        return false;
    const QString node = QFileInfo(sysRoot + QStringLiteral("/class/block/") + kernelName).canonicalFilePath();
    QString disk = kernelName;
    if (!node.isEmpty() && QFileInfo::exists(node + QStringLiteral("/partition")))
        disk = QFileInfo(QFileInfo(node).path()).fileName();
    QFile f(sysRoot + QStringLiteral("/block/") + disk + QStringLiteral("/removable"));
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return f.readAll().trimmed() == "1";
}

QList<Volume> SystemDrives::volumes()
{
    QList<Volume> list;
    const auto mounted = QStorageInfo::mountedVolumes();
    for (const QStorageInfo &s : mounted) {
        if (!s.isValid() || !s.isReady())
            continue;
        const QString device = QString::fromLocal8Bit(s.device());
        const bool root = s.isRoot();
        // Kernel file systems and loop images (snaps) are not drives.
        if (!root && (!device.startsWith(QLatin1String("/dev/")) || device.startsWith(QLatin1String("/dev/loop"))))
            continue;
        Volume v;
        v.mountPoint = s.rootPath();
        v.label = s.name();
        v.device = device;
        v.removable = !root && isRemovable(device);
        if (root)
            list.prepend(v);
        else
            list << v;
    }
    return list;
}

template <>
Drives &Service<Drives>::real()
{
    static SystemDrives d;
    return d;
}

} // namespace platform
