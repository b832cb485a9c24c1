#pragma once
#include "service.h"

#include <QList>
#include <QObject>
#include <QString>

namespace platform {

// A mounted volume on a removable disk: what Windows gives a drive letter.
// Its mount point is what the dock calls the drive's root.
struct MountedVolume
{
    QString mountPoint;
    QString label; // the volume label; may be empty
    QString device;
    bool operator==(const MountedVolume &o) const
    {
        return mountPoint == o.mountPoint && label == o.label && device == o.device;
    }
};

// Says when the mount table may have changed; the owner looks again.
class MountWatcher : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
signals:
    void changed();
};

class Mounts
{
public:
    virtual ~Mounts() = default;
    // The removable volumes mounted now, in mount-table order, each once.
    virtual QList<MountedVolume> removableVolumes() = 0;
    // A watcher of the mount table, owned by parent.
    virtual MountWatcher *createWatcher(QObject *parent) = 0;
};

using MountsService = Service<Mounts>;

// The mount table of this process (/proc/self/mountinfo) with the disks'
// "removable" flags from sysfs and the labels from /dev/disk/by-label. CD
// and DVD drives do not count: their discs are not removable disks.
class SystemMounts : public Mounts
{
public:
    SystemMounts();
    // Other files and folders in place of the system's, for tests.
    SystemMounts(const QString &mountInfo, const QString &sysRoot, const QString &labelFolder);

    QList<MountedVolume> removableVolumes() override;
    MountWatcher *createWatcher(QObject *parent) override;

    struct Entry
    {
        QString majorMinor; // "8:17"
        QString root;       // the folder of the file system that is mounted, "/" for all of it
        QString mountPoint;
        QString fsType;
        QString source;
    };
    static QList<Entry> parseMountInfo(const QByteArray &text);
    // Undoes the octal escapes (\040 for a blank) of the mount table.
    static QString unescapeOctal(const QByteArray &field);
    // Undoes the \xNN escapes of udev's link names.
    static QString unescapeHex(const QString &name);

    bool isRemovable(const QString &majorMinor) const;
    QString labelOf(const QString &device) const;

private:
    QString m_mountInfo;
    QString m_sysRoot;
    QString m_labelFolder;
};

} // namespace platform
