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

namespace {
// Fields of the mounts table escape blanks, tabs, new lines and backslashes.
QString unescapeField(const QByteArray &field)
{
    QByteArray out;
    for (int i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                out += char(code);
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return QFile::decodeName(out);
}
} // namespace

QList<Volume> SystemDrives::blockDeviceMounts(const QString &mountsFile)
{
    QList<Volume> list;
    QFile f(mountsFile);
    if (!f.open(QIODevice::ReadOnly))
        return list;
    const QList<QByteArray> lines = f.readAll().split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 3)
            continue;
        const QString device = unescapeField(fields.at(0));
        const QString mountPoint = unescapeField(fields.at(1));
        // Kernel file systems, network shares and loop images (snaps) are not drives.
        if (!device.startsWith(QLatin1String("/dev/")) || device.startsWith(QLatin1String("/dev/loop")))
            continue;
        bool known = false;
        for (const Volume &v : qAsConst(list))
            known = known || v.mountPoint == mountPoint;
        if (known)
            continue;
        Volume v;
        v.mountPoint = mountPoint;
        v.device = device;
        list << v;
    }
    return list;
}

QList<Volume> SystemDrives::volumes()
{
    QList<Volume> list;
    Volume root;
    root.mountPoint = QStringLiteral("/");
    for (Volume v : blockDeviceMounts()) {
        v.label = QStorageInfo(v.mountPoint).name();
        if (v.mountPoint == root.mountPoint) {
            root = v;
            continue;
        }
        v.removable = isRemovable(v.device);
        list << v;
    }
    // The root comes first, whatever it is mounted from.
    list.prepend(root);
    return list;
}

template <>
Drives &Service<Drives>::real()
{
    static SystemDrives d;
    return d;
}

} // namespace platform
