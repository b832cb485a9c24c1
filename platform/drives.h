#pragma once
#include "service.h"

#include <QList>
#include <QString>

namespace platform {

// A mounted volume as the dock shows it: what Windows calls the drive letter
// is the mount point here, and the drive's name is the volume label.
struct Volume
{
    QString mountPoint; // "/", "/media/anna/STICK", ...
    QString label;      // the volume label; may be empty
    QString device;     // "/dev/sdb1"
    bool removable = false;
};

class Drives
{
public:
    virtual ~Drives() = default;
    // The volumes a user would call drives, the root first.
    virtual QList<Volume> volumes() = 0;
};

using DrivesService = Service<Drives>;

class SystemDrives : public Drives
{
public:
    QList<Volume> volumes() override;

    // The mounts of block devices (disks, partitions, sticks), read from a
    // mounts table without asking any file system: a hung network mount
    // cannot stall the caller. Loop images and kernel or network file
    // systems are left out. Only mountPoint and device are filled.
    static QList<Volume> blockDeviceMounts(const QString &mountsFile = QStringLiteral("/proc/self/mounts"));
    // Whether the disk that holds the device is removable, read from
    // "<sysRoot>/block/<disk>/removable"; a partition answers for its disk.
    static bool isRemovable(const QString &device, const QString &sysRoot = QStringLiteral("/sys"));
};

} // namespace platform
