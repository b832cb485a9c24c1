#include "mounts.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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
            qDebug() << "cannot watch the mount table" << file;
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

SystemMounts::SystemMounts()
    : SystemMounts(QStringLiteral("/proc/self/mountinfo"), QStringLiteral("/sys"),
                   QStringLiteral("/dev/disk/by-label"))
{
}

SystemMounts::SystemMounts(const QString &mountInfo, const QString &sysRoot, const QString &labelFolder)
    : m_mountInfo(mountInfo), m_sysRoot(sysRoot), m_labelFolder(labelFolder)
{
}

QString SystemMounts::unescapeOctal(const QByteArray &field)
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

QString SystemMounts::unescapeHex(const QString &name)
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

QList<SystemMounts::Entry> SystemMounts::parseMountInfo(const QByteArray &text)
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

bool SystemMounts::isRemovable(const QString &majorMinor) const
{
    const QString node = QFileInfo(m_sysRoot + QStringLiteral("/dev/block/") + majorMinor).canonicalFilePath();
    if (node.isEmpty())
        return false;
    // A partition answers for the disk that holds it.
    const QString disk = QFileInfo::exists(node + QStringLiteral("/partition")) ? QFileInfo(node).path() : node;
    if (QFileInfo(disk).fileName().startsWith(QLatin1String("sr"))
        || readSmallFile(disk + QStringLiteral("/device/type")).trimmed() == "5")
        return false;
    return readSmallFile(disk + QStringLiteral("/removable")).trimmed() == "1";
}

QString SystemMounts::labelOf(const QString &device) const
{
    const QString wanted = QFileInfo(device).canonicalFilePath();
    if (wanted.isEmpty())
        return QString();
    const QFileInfoList links = QDir(m_labelFolder).entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &link : links) {
        if (link.canonicalFilePath() == wanted)
            return unescapeHex(link.fileName());
    }
    return QString();
}

QList<MountedVolume> SystemMounts::removableVolumes()
{
    QList<MountedVolume> volumes;
    QSet<QString> seen;
    for (const Entry &e : parseMountInfo(readSmallFile(m_mountInfo))) {
        // A bind mount of a sub-folder is not the volume's root.
        if (e.root != QLatin1String("/") || seen.contains(e.majorMinor) || !isRemovable(e.majorMinor))
            continue;
        seen.insert(e.majorMinor);
        volumes.append({ e.mountPoint, labelOf(e.source), e.source });
    }
    return volumes;
}

MountWatcher *SystemMounts::createWatcher(QObject *parent)
{
    return new ProcMountWatcher(m_mountInfo, parent);
}

template <>
Mounts &Service<Mounts>::real()
{
    static SystemMounts m;
    return m;
}

} // namespace platform
