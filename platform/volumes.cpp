#include "volumes.h"
#include "platform/logging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

QByteArray readSmallFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

// The kernel flags a change of the mount table as an exceptional condition
// on an open mountinfo file.
class ProcMountWatcher final : public MountWatcher
{
public:
    ProcMountWatcher(const QString &file, QObject *parent) : MountWatcher(parent)
    {
        m_fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_CLOEXEC);
        if (m_fd < 0) {
            qCWarning(lcDesktop) << "cannot watch the mount table" << file;
            return;
        }
        drain();
        m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Exception, this);
        connect(m_notifier, &QSocketNotifier::activated, this, [this] {
            drain();
            emit changed();
        });
    }
    ~ProcMountWatcher() override
    {
        delete m_notifier;
        if (m_fd >= 0)
            ::close(m_fd);
    }

private:
    void drain()
    {
        char buf[4096];
        ::lseek(m_fd, 0, SEEK_SET);
        while (::read(m_fd, buf, sizeof buf) > 0) {
        }
    }

    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace

SystemVolumes::SystemVolumes()
    : SystemVolumes(QStringLiteral("/proc/self/mountinfo"), QStringLiteral("/sys"),
                   QStringLiteral("/dev/disk/by-label"))
{
}

SystemVolumes::SystemVolumes(const QString &mountInfo, const QString &sysRoot, const QString &labelFolder)
    : m_mountInfo(mountInfo), m_sysRoot(sysRoot), m_labelFolder(labelFolder)
{
}

QString SystemVolumes::unescapeOctal(const QByteArray &field)
{
    QByteArray out;
    out.reserve(field.size());
    for (int i = 0; i < field.size(); ++i) {
        if (field.at(i) == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int v = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                out.append(char(v));
                i += 3;
                continue;
            }
        }
        out.append(field.at(i));
    }
    return QString::fromUtf8(out);
}

QString SystemVolumes::unescapeHex(const QString &name)
{
    const QByteArray in = name.toUtf8();
    QByteArray out;
    for (int i = 0; i < in.size(); ++i) {
        if (in.at(i) == '\\' && i + 3 < in.size() && in.at(i + 1) == 'x') {
            bool ok = false;
            const int v = in.mid(i + 2, 2).toInt(&ok, 16);
            if (ok) {
                out.append(char(v));
                i += 3;
                continue;
            }
        }
        out.append(in.at(i));
    }
    return QString::fromUtf8(out);
}

QList<SystemVolumes::Entry> SystemVolumes::parseMountInfo(const QByteArray &text)
{
    QList<Entry> entries;
    for (const QByteArray &line : text.split('\n')) {
        const QList<QByteArray> f = line.split(' ');
        // id parent major:minor root mount-point options [optional fields…] - type source super-options
        const int dash = f.indexOf("-");
        if (f.size() < 6 || dash < 6 || dash + 2 >= f.size())
            continue;
        Entry e;
        e.majorMinor = QString::fromLatin1(f.at(2));
        e.root = unescapeOctal(f.at(3));
        e.mountPoint = unescapeOctal(f.at(4));
        e.fsType = unescapeOctal(f.at(dash + 1));
        e.source = unescapeOctal(f.at(dash + 2));
        entries << e;
    }
    return entries;
}

QList<SystemVolumes::Entry> SystemVolumes::blockDeviceMounts(const QString &mountInfo)
{
    QList<Entry> mounts;
    QHash<QString, int> at;
    for (const Entry &e : parseMountInfo(readSmallFile(mountInfo))) {
        // Kernel file systems, network shares and loop images (snaps) are not drives.
        if (!e.source.startsWith(QLatin1String("/dev/")) || e.source.startsWith(QLatin1String("/dev/loop")))
            continue;
        // A later mount on the same folder hides the earlier one.
        const auto known = at.constFind(e.mountPoint);
        if (known != at.constEnd()) {
            mounts[*known] = e;
            continue;
        }
        at.insert(e.mountPoint, mounts.size());
        mounts << e;
    }
    return mounts;
}

QString SystemVolumes::diskNode(const QString &majorMinor, const QString &device) const
{
    QString node;
    if (!majorMinor.isEmpty())
        node = QFileInfo(m_sysRoot + QStringLiteral("/dev/block/") + majorMinor).canonicalFilePath();
    if (node.isEmpty() && !device.isEmpty()) {
        // /dev/disk/by-label/... and /dev/mapper/... are links to the kernel's name.
        QString dev = QFileInfo(device).canonicalFilePath();
        if (dev.isEmpty())
            dev = device;
        const QString kernelName = QFileInfo(dev).fileName();
        if (!kernelName.isEmpty())
            node = QFileInfo(m_sysRoot + QStringLiteral("/class/block/") + kernelName).canonicalFilePath();
    }
    if (node.isEmpty())
        return QString();
    // A partition answers for the disk that holds it.
    return QFileInfo::exists(node + QStringLiteral("/partition")) ? QFileInfo(node).path() : node;
}

bool SystemVolumes::isRemovable(const QString &majorMinor, const QString &device) const
{
    const QString disk = diskNode(majorMinor, device);
    if (disk.isEmpty())
        return false;
    if (QFileInfo(disk).fileName().startsWith(QLatin1String("sr"))
        || readSmallFile(disk + QStringLiteral("/device/type")).trimmed() == "5")
        return false;
    return readSmallFile(disk + QStringLiteral("/removable")).trimmed() == "1";
}

QString SystemVolumes::labelOf(const QString &device) const
{
    if (device.isEmpty())
        return QString();
    // udev's links point at the kernel's name of the device, which the mount
    // table may give through a link of its own (/dev/mapper/...).
    QString wanted = QFileInfo(device).canonicalFilePath();
    if (wanted.isEmpty())
        wanted = QDir::cleanPath(device);
    const QFileInfoList links = QDir(m_labelFolder).entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &link : links) {
        QString target = link.canonicalFilePath();
        if (target.isEmpty())
            target = QDir::cleanPath(link.symLinkTarget());
        if (target == wanted)
            return unescapeHex(link.fileName());
    }
    return QString();
}

QList<Volume> SystemVolumes::volumes()
{
    const QList<Entry> mounts = blockDeviceMounts(m_mountInfo);
    QSet<QString> seen;
    // The root comes first, whatever it is mounted from, and is never a
    // removable disk: it is the system's own.
    Volume root;
    root.mountPoint = QStringLiteral("/");
    for (const Entry &e : mounts) {
        if (e.mountPoint == root.mountPoint) {
            root.device = e.source;
            root.label = labelOf(e.source);
            seen.insert(e.majorMinor);
        }
    }
    QList<Volume> list { root };
    for (const Entry &e : mounts) {
        // A bind mount of a sub-folder is not the volume's root, and a
        // device mounted twice is still one drive.
        if (e.mountPoint == root.mountPoint || e.root != QLatin1String("/") || seen.contains(e.majorMinor))
            continue;
        seen.insert(e.majorMinor);
        Volume v;
        v.mountPoint = e.mountPoint;
        v.label = labelOf(e.source);
        v.device = e.source;
        v.removable = isRemovable(e.majorMinor, e.source);
        list << v;
    }
    return list;
}

QList<Volume> Volumes::removableVolumes()
{
    QList<Volume> list;
    for (const Volume &v : volumes()) {
        if (v.removable)
            list << v;
    }
    return list;
}

MountWatcher *SystemVolumes::createWatcher(QObject *parent)
{
    return new ProcMountWatcher(m_mountInfo, parent);
}

template <>
Volumes &Service<Volumes>::real()
{
    static SystemVolumes v;
    return v;
}

} // namespace platform
