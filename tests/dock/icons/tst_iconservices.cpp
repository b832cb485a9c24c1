// The services behind the faces: the trash against a temporary trash and
// the product's addresses.
#include "dock/icons/productlinks.h"
#include "platform/trash.h"
#include "testenv.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {
void touch(const QString &path, const QByteArray &data = "x")
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(data);
}

// A trashed file as a file manager leaves it: the file and its info.
void trashItem(const QString &can, const QString &name)
{
    touch(can + "/files/" + name);
    touch(can + "/info/" + name + ".trashinfo", "[Trash Info]\nPath=/x\nDeletionDate=2024-01-01T10:00:00\n");
}

bool isEmptyDir(const QString &path)
{
    return QDir(path).exists()
        && QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System).isEmpty();
}
} // namespace

class TestIconServices : public QObject
{
    Q_OBJECT
    const uint uid = ::getuid();

private slots:
    void missingOrEmptyTrashIsEmpty()
    {
        QTemporaryDir dir;
        platform::FreedesktopTrash trash(dir.path() + "/Trash", {}, uid);
        QCOMPARE(trash.state(), platform::Trash::Empty);
        QDir().mkpath(dir.path() + "/Trash/files");
        QCOMPARE(trash.state(), platform::Trash::Empty);
        QVERIFY(trash.emptyAll());
    }

    void oneItemAnywhereMakesItFull()
    {
        QTemporaryDir home, volume;
        QDir().mkpath(home.path() + "/Trash/files");
        const QString volumeCan = volume.path() + "/.Trash-" + QString::number(uid);
        platform::FreedesktopTrash trash(home.path() + "/Trash", [&] { return QStringList { volume.path() }; }, uid);
        QCOMPARE(trash.state(), platform::Trash::Empty);
        trashItem(volumeCan, ".hidden"); // even a hidden, tiny file counts
        QCOMPARE(trash.state(), platform::Trash::HoldsItems);
    }

    void volumeCansFollowTheRules()
    {
        QTemporaryDir top;
        const QString t = top.path();
        const QString mine = QString::number(uid);
        QCOMPARE(platform::FreedesktopTrash::volumeCans(t, uid), QStringList());

        QDir().mkpath(t + "/.Trash-" + mine);
        QCOMPARE(platform::FreedesktopTrash::volumeCans(t, uid), QStringList { t + "/.Trash-" + mine });

        // A shared .Trash counts only with its sticky bit.
        QDir().mkpath(t + "/.Trash/" + mine);
        QCOMPARE(platform::FreedesktopTrash::volumeCans(t, uid).size(), 1);
        QVERIFY(::chmod(QFile::encodeName(t + "/.Trash").constData(), 01777) == 0);
        QCOMPARE(platform::FreedesktopTrash::volumeCans(t + "/", uid),
                 (QStringList { t + "/.Trash/" + mine, t + "/.Trash-" + mine }));
    }

    void linkedTrashFoldersAreNotTrusted()
    {
        QTemporaryDir top, elsewhere;
        const QString mine = QString::number(uid);
        touch(elsewhere.path() + "/files/precious.txt");
        QVERIFY(QFile::link(elsewhere.path(), top.path() + "/.Trash-" + mine));
        QCOMPARE(platform::FreedesktopTrash::volumeCans(top.path(), uid), QStringList());
        platform::FreedesktopTrash trash(top.path() + "/none", [&] { return QStringList { top.path() }; }, uid);
        QVERIFY(trash.emptyAll());
        QVERIFY(QFile::exists(elsewhere.path() + "/files/precious.txt"));
    }

    void emptyingDeletesItemsButNeverFollowsLinks()
    {
        QTemporaryDir home, volume, outside;
        const QString can = home.path() + "/Trash";
        const QString volumeCan = volume.path() + "/.Trash-" + QString::number(uid);
        trashItem(can, "letter.txt");
        trashItem(volumeCan, "photo.png");
        // A trashed folder that lost its write bit, with content.
        touch(can + "/files/folder/inner/deep.txt");
        QVERIFY(::chmod(QFile::encodeName(can + "/files/folder/inner").constData(), 0500) == 0);
        touch(can + "/info/folder.trashinfo");
        // Trashed links to things outside the trash.
        touch(outside.path() + "/keep.txt");
        QDir().mkpath(outside.path() + "/keepdir");
        touch(outside.path() + "/keepdir/file.txt");
        QVERIFY(QFile::link(outside.path() + "/keep.txt", can + "/files/link-to-file"));
        QVERIFY(QFile::link(outside.path() + "/keepdir", can + "/files/link-to-dir"));
        QVERIFY(QFile::link(outside.path() + "/gone", can + "/files/broken-link"));
        touch(can + "/directorysizes", "4096 1 folder\n");

        platform::FreedesktopTrash trash(can, [&] { return QStringList { volume.path() }; }, uid);
        QCOMPARE(trash.cans(), (QStringList { can, volumeCan }));
        QCOMPARE(trash.state(), platform::Trash::HoldsItems);
        QVERIFY(trash.emptyAll());
        QCOMPARE(trash.state(), platform::Trash::Empty);
        QVERIFY(isEmptyDir(can + "/files"));
        QVERIFY(isEmptyDir(can + "/info"));
        QVERIFY(isEmptyDir(volumeCan + "/files"));
        QVERIFY(isEmptyDir(volumeCan + "/info"));
        QVERIFY(!QFile::exists(can + "/directorysizes"));
        QVERIFY(QFile::exists(outside.path() + "/keep.txt"));
        QVERIFY(QFile::exists(outside.path() + "/keepdir/file.txt"));
    }

    void homeTrashIsFoundTwiceOnlyOnce()
    {
        // The home folder's volume may carry the home trash itself.
        QTemporaryDir top;
        const QString can = top.path() + "/.Trash-" + QString::number(uid);
        QDir().mkpath(can + "/files");
        platform::FreedesktopTrash trash(can, [&] { return QStringList { top.path(), top.path() }; }, uid);
        QCOMPARE(trash.cans(), QStringList { can });
    }

    void unreadableTrashIsReported()
    {
        if (::geteuid() == 0)
            QSKIP("permissions do not stop root");
        QTemporaryDir home;
        QDir().mkpath(home.path() + "/Trash/files");
        QVERIFY(::chmod(QFile::encodeName(home.path() + "/Trash/files").constData(), 0) == 0);
        platform::FreedesktopTrash trash(home.path() + "/Trash", {}, uid);
        QCOMPARE(trash.state(), platform::Trash::Unreadable);
        ::chmod(QFile::encodeName(home.path() + "/Trash/files").constData(), 0700);
    }

    void userTrashLivesInTheDataFolder()
    {
        const QString can = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Trash";
        QVERIFY(can.startsWith(qEnvironmentVariable("XDG_DATA_HOME")));
        QDir().mkpath(can + "/files");
        platform::FreedesktopTrash trash;
        QCOMPARE(trash.cans().value(0), can);
    }

    // ------------------------------------------------------------ addresses

    void helpPageIsOnTheProductHost()
    {
        const QUrl url = ProductLinks::helpPage();
        QVERIFY(url.isValid());
        QCOMPARE(url.toString(), ProductLinks::webHost() + "/bbs/forum.php?mod=forumdisplay&fid=36");
    }
};

ZV_TEST_MAIN(TestIconServices)
#include "tst_iconservices.moc"
