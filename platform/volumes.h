#pragma once
#include "service.h"

#include <QList>
#include <QObject>
#include <QString>

namespace platform {

// A mounted volume as the dock shows it: what Windows calls the drive letter
// is the mount point here, and the drive's name is the volume label.
struct Volume
{
    QString mountPoint; // "/", "/media/anna/STICK", ...
    QString label;      // the volume label; may be empty
    QString device;     // "/dev/sdb1"
    // A disk the user plugs in and pulls out again. CD and DVD drives are
    // drives of their own kind, not removable disks.
    bool removable = false;

    bool operator==(const Volume &o) const
    {
        return mountPoint == o.mountPoint && label == o.label && device == o.device && removable == o.removable;
    }
    bool operator!=(const Volume &o) const { return !(*this == o); }
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

class Volumes
{
public:
    virtual ~Volumes() = default;
    // The volumes a user would call drives: the root first, then the others
    // in mount-table order, each once.
    virtual QList<Volume> volumes() = 0;
    // A watcher of the mount table, owned by parent.
    virtual MountWatcher *createWatcher(QObject *parent) = 0;

    // Those of volumes() that are removable disks, in the same order.
    QList<Volume> removableVolumes();
};

using VolumesService = Service<Volumes>;

// The mount table of this process (/proc/self/mountinfo) with the disks'
// "removable" flags from sysfs and the labels from /dev/disk/by-label. No
// file system is ever asked: a hung network mount cannot stall the caller.
class SystemVolumes : public Volumes
{
public:
    SystemVolumes();
    // Other files and folders in place of the system's, for tests.
    SystemVolumes(const QString &mountInfo, const QString &sysRoot, const QString &labelFolder);

    QList<Volume> volumes() override;
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
    // The mounts of block devices (disks, partitions, sticks, discs), each
    // mount point once. Loop images and kernel or network file systems are
    // left out.
    static QList<Entry> blockDeviceMounts(const QString &mountInfo = QStringLiteral("/proc/self/mountinfo"));
    // Undoes the octal escapes (\040 for a blank) of the mount table.
    static QString unescapeOctal(const QByteArray &field);
    // Undoes the \xNN escapes of udev's link names.
    static QString unescapeHex(const QString &name);

    // Whether the disk that holds the device is removable; a partition
    // answers for its disk. The device's number finds it in sysfs, its name
    // where the number is not a block device's (btrfs, fuse drivers).
    bool isRemovable(const QString &majorMinor, const QString &device = QString()) const;
    QString labelOf(const QString &device) const;

private:
    QString diskNode(const QString &majorMinor, const QString &device) const;

    QString m_mountInfo;
    QString m_sysRoot;
    QString m_labelFolder;
};

} // namespace platform
