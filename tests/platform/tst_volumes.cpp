// The mounted volumes: the mount table read against a sysfs tree and a
// label folder of our own. The devices named in the tables do not exist, as
// nothing here may depend on the disks of the machine running the tests.
#include "platform/volumes.h"
#include "testenv.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace platform;

namespace {

void link(const QString &target, const QString &name)
{
    QDir().mkpath(QFileInfo(name).path());
    QVERIFY2(QFile::link(target, name), qPrintable(name));
}

const QString dev = QStringLiteral("/dev/zvtest-none");

} // namespace

class TestVolumes : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    QString path(const QString &name) const { return dir.path() + "/" + name; }
    QString sys() const { return path("sys"); }
    QString labels() const { return path("labels"); }

    // A disk in sysfs as the kernel lays it out: the node under devices/,
    // found from block/, class/block/ and dev/block/<major:minor>.
    void addDisk(const QString &bus, const QString &disk, const QString &majorMinor, const QByteArray &removable)
    {
        const QString node = sys() + "/devices/" + bus + "/block/" + disk;
        TestEnv::writeFile(node + "/removable", removable + "\n");
        link(node, sys() + "/block/" + disk);
        link(node, sys() + "/class/block/" + disk);
        if (!majorMinor.isEmpty())
            link(node, sys() + "/dev/block/" + majorMinor);
    }
    void addPartition(const QString &bus, const QString &disk, const QString &part, const QString &majorMinor)
    {
        const QString node = sys() + "/devices/" + bus + "/block/" + disk + "/" + part;
        TestEnv::writeFile(node + "/partition", "1\n");
        link(node, sys() + "/class/block/" + part);
        link(node, sys() + "/dev/block/" + majorMinor);
    }
    std::unique_ptr<SystemVolumes> volumesOf(const QByteArray &mountInfo)
    {
        TestEnv::writeFile(path("mountinfo"), mountInfo);
        return std::make_unique<SystemVolumes>(path("mountinfo"), sys(), labels());
    }

private slots:
    void initTestCase()
    {
        // sda a fixed disk, sdb a stick with a partition, sdc a stick used
        // whole, sdd a stick with btrfs on it, sr0 a disc drive and sde a
        // disc drive on USB that only its SCSI type gives away.
        addDisk("ata1", "sda", "8:0", "0");
        addPartition("ata1", "sda", "sda2", "8:2");
        addDisk("usb1", "sdb", "8:16", "1");
        addPartition("usb1", "sdb", "sdb1", "8:17");
        addDisk("usb2", "sdc", "8:32", "1");
        addDisk("usb3", "sdd", "8:48", "1");
        addPartition("usb3", "sdd", "sdd1", "8:49");
        addDisk("ata2", "sr0", "11:0", "1");
        addDisk("usb4", "sde", "8:64", "1");
        TestEnv::writeFile(sys() + "/devices/usb4/block/sde/device/type", "5\n");
        // udev's label links; these point at devices that are not there.
        link(dev + "/sda2", labels() + "/SYSTEM");
        link(dev + "/sdb1", labels() + "/MY\\x20STICK");
        link(dev + "/sdd1", labels() + "/BTR");
    }

    void mountTableLines()
    {
        const QByteArray text =
            "22 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n"
            "40 22 8:17 / /media/me/MY\\040STICK rw,nosuid master:5 - vfat /dev/sdb1 rw\n"
            "41 22 0:45 / /run/user/1000 rw - tmpfs tmpfs rw\n"
            "broken line\n"
            "\n";
        const QList<SystemVolumes::Entry> e = SystemVolumes::parseMountInfo(text);
        QCOMPARE(e.size(), 3);
        QCOMPARE(e.at(1).majorMinor, QString("8:17"));
        QCOMPARE(e.at(1).root, QString("/"));
        QCOMPARE(e.at(1).mountPoint, QString("/media/me/MY STICK"));
        QCOMPARE(e.at(1).fsType, QString("vfat"));
        QCOMPARE(e.at(1).source, QString("/dev/sdb1"));
        QCOMPARE(SystemVolumes::unescapeOctal("tab\\011new\\012back\\134"), QString("tab\tnew\nback\\"));
        QCOMPARE(SystemVolumes::unescapeHex("My\\x20Disk\\x2f1"), QString("My Disk/1"));
        QCOMPARE(SystemVolumes::unescapeHex("plain\\x2"), QString("plain\\x2"));
    }

    void blockDeviceMountsLeaveOutWhatIsNoDisk()
    {
        TestEnv::writeFile(path("mounts"), "22 1 8:2 / / rw - ext4 /dev/vda1 rw\n"
                                  "23 22 0:5 / /proc rw - proc proc rw\n"
                                  "24 22 0:6 / /run rw - tmpfs tmpfs rw\n"
                                  "25 22 7:3 / /snap/core/1 ro - squashfs /dev/loop3 ro\n"
                                  "26 22 0:60 / /mnt/nfs rw - nfs4 server:/export rw\n"
                                  "27 22 0:61 / /mnt/share rw - cifs //server/share rw\n"
                                  "28 22 8:17 / /media/anna/MY\\040STICK rw - vfat /dev/sdb1 rw\n"
                                  "29 22 253:0 / /srv/data rw - ext4 /dev/mapper/data rw\n"
                                  "30 22 8:17 / /media/anna/MY\\040STICK rw - vfat /dev/sdb1 rw\n"
                                  "31 22 8:33 / /srv/data rw - ext4 /dev/sdc1 rw\n");
        const QList<SystemVolumes::Entry> m = SystemVolumes::blockDeviceMounts(path("mounts"));
        QCOMPARE(m.size(), 3);
        QCOMPARE(m.at(0).mountPoint, QString("/"));
        QCOMPARE(m.at(1).mountPoint, QString("/media/anna/MY STICK"));
        QCOMPARE(m.at(1).source, QString("/dev/sdb1"));
        // A later mount on the same folder hides the earlier one.
        QCOMPARE(m.at(2).mountPoint, QString("/srv/data"));
        QCOMPARE(m.at(2).source, QString("/dev/sdc1"));
        QVERIFY(SystemVolumes::blockDeviceMounts(path("none")).isEmpty());
    }

    void removableIsReadFromTheDisk()
    {
        const SystemVolumes v(path("none"), sys(), labels());
        // By the device's number; a partition answers for its disk.
        QVERIFY(v.isRemovable("8:17"));
        QVERIFY(v.isRemovable("8:32"));
        QVERIFY(!v.isRemovable("8:2"));
        QVERIFY(!v.isRemovable("0:45"));
        QVERIFY(!v.isRemovable(""));
        // Disc drives are not removable disks, whatever their flag says.
        QVERIFY(!v.isRemovable("11:0"));
        QVERIFY(!v.isRemovable("8:64"));
        // By the device's name where the number is no block device's.
        QVERIFY(v.isRemovable("0:52", dev + "/sdd1"));
        QVERIFY(v.isRemovable("", dev + "/sdb1"));
        QVERIFY(!v.isRemovable("", dev + "/sda"));
        QVERIFY(!v.isRemovable("", dev + "/sdz9"));
        QVERIFY(!v.isRemovable("", dev + "/sr0"));
        QVERIFY(!v.isRemovable("", ""));
    }

    void labelsFollowTheLinksOfUdev()
    {
        // As udev makes them: relative links to the kernel's name, which the
        // mount table may give through a link of its own.
        const QString d = path("devtree");
        TestEnv::writeFile(d + "/sdb1", "");
        TestEnv::writeFile(d + "/dm-0", "");
        link("../dm-0", d + "/mapper/data");
        link("../../sdb1", d + "/disk/by-label/MY\\x20STICK");
        link("../../dm-0", d + "/disk/by-label/DATA");
        link("../../sdz1", d + "/disk/by-label/GONE");
        const SystemVolumes v(path("none"), sys(), d + "/disk/by-label");
        QCOMPARE(v.labelOf(d + "/sdb1"), QString("MY STICK"));
        QCOMPARE(v.labelOf(d + "/mapper/data"), QString("DATA"));
        QCOMPARE(v.labelOf(d + "/sdz1"), QString("GONE"));
        QCOMPARE(v.labelOf(d + "/sdc1"), QString());
        QCOMPARE(v.labelOf(""), QString());
        QCOMPARE(SystemVolumes(path("none"), sys(), path("nolabels")).labelOf(d + "/sdb1"), QString());
    }

    void volumesAreTheDrivesOfTheMountTable()
    {
        const auto v = volumesOf(QString("22 1 8:2 / / rw - ext4 %1/sda2 rw\n"
                                         "41 22 8:17 /sub /mnt/bound rw - vfat %1/sdb1 rw\n"
                                         "40 22 8:17 / /media/me/MY\\040STICK rw - vfat %1/sdb1 rw\n"
                                         "42 22 8:17 / /mnt/again rw - vfat %1/sdb1 rw\n"
                                         "43 22 11:0 / /media/me/DVD ro - iso9660 %1/sr0 ro\n"
                                         "44 22 8:32 / /media/me/whole rw - exfat %1/sdc rw\n"
                                         "45 22 0:45 / /run/user/1000 rw - tmpfs tmpfs rw\n"
                                         "46 22 0:52 / /media/me/BTR rw - btrfs %1/sdd1 rw\n"
                                         "47 22 7:3 / /snap/core/1 ro - squashfs /dev/loop3 ro\n"
                                         "48 22 0:60 / /mnt/nfs rw - nfs4 server:/export rw\n"
                                         "50 22 8:64 / /media/me/CD\\040USB ro - udf %1/sde ro\n"
                                         "51 22 253:0 / /srv/data rw - ext4 %1/mapper/data rw\n")
                                     .arg(dev)
                                     .toUtf8());
        const QList<Volume> all = v->volumes();
        QStringList points;
        for (const Volume &x : all)
            points << x.mountPoint;
        QCOMPARE(points, QStringList({ "/", "/media/me/MY STICK", "/media/me/DVD", "/media/me/whole", "/media/me/BTR",
                                       "/media/me/CD USB", "/srv/data" }));
        QCOMPARE(all.at(0), (Volume { "/", "SYSTEM", dev + "/sda2", false }));
        QCOMPARE(all.at(1), (Volume { "/media/me/MY STICK", "MY STICK", dev + "/sdb1", true }));
        QCOMPARE(all.at(2), (Volume { "/media/me/DVD", "", dev + "/sr0", false }));
        QCOMPARE(all.at(3), (Volume { "/media/me/whole", "", dev + "/sdc", true }));
        QCOMPARE(all.at(4), (Volume { "/media/me/BTR", "BTR", dev + "/sdd1", true }));
        QVERIFY(!all.at(5).removable);
        QVERIFY(!all.at(6).removable);

        const QList<Volume> removable = v->removableVolumes();
        QCOMPARE(removable.size(), 3);
        QCOMPARE(removable.at(0), all.at(1));
        QCOMPARE(removable.at(1), all.at(3));
        QCOMPARE(removable.at(2), all.at(4));
    }

    void rootComesFirstAndIsTheSystems()
    {
        // Mounted after another disk, and from a stick that is also mounted
        // elsewhere: still first, not removable, and that stick is not listed.
        auto v = volumesOf(QString("40 22 8:32 / /media/me/whole rw - exfat %1/sdc rw\n"
                                   "22 1 8:17 / / rw - ext4 %1/sdb1 rw\n"
                                   "41 22 8:17 / /media/me/again rw - ext4 %1/sdb1 rw\n")
                               .arg(dev)
                               .toUtf8());
        QList<Volume> all = v->volumes();
        QCOMPARE(all.size(), 2);
        QCOMPARE(all.at(0), (Volume { "/", "MY STICK", dev + "/sdb1", false }));
        QCOMPARE(all.at(1).mountPoint, QString("/media/me/whole"));

        // A root that is no disk (a container's overlay) is there all the same.
        v = volumesOf("30 1 0:31 / / rw - overlay overlay rw\n");
        all = v->volumes();
        QCOMPARE(all.size(), 1);
        QCOMPARE(all.at(0), (Volume { "/", "", "", false }));

        // So is it when the mount table cannot be read.
        SystemVolumes none(path("none"), sys(), labels());
        QCOMPARE(none.volumes().size(), 1);
        QVERIFY(none.removableVolumes().isEmpty());
    }

    void rootComesFirstOnThisMachine()
    {
        const QList<Volume> volumes = SystemVolumes().volumes();
        QVERIFY(!volumes.isEmpty());
        QCOMPARE(volumes.first().mountPoint, QString("/"));
        QVERIFY(!volumes.first().removable);
        for (const Volume &v : volumes)
            QVERIFY(!v.device.startsWith("/dev/loop"));
    }

    void watchersBelongToTheirOwner()
    {
        auto *owner = new QObject;
        QPointer<MountWatcher> real = SystemVolumes().createWatcher(owner);
        // A table that cannot be opened gives a watcher that stays quiet.
        QPointer<MountWatcher> quiet = SystemVolumes(path("none"), sys(), labels()).createWatcher(owner);
        QVERIFY(real && quiet);
        QCOMPARE(real->parent(), owner);
        delete owner;
        QVERIFY(!real && !quiet);
    }
};

ZV_TEST_MAIN(TestVolumes)
#include "tst_volumes.moc"
