// What our programs find where they expect their files, sockets and locks,
// when it is not what they expect.
#include "platform/fileicons.h"
#include "platform/paths.h"
#include "platform/regularfile.h"
#include "platform/singleinstance.h"
#include "testenv.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace platform;
using RegularFile::Status;

namespace {

QString makeFifo(const QString &path)
{
    if (::mkfifo(QFile::encodeName(path).constData(), 0600) != 0)
        qFatal("mkfifo %s", qPrintable(path));
    return path;
}

// A BMP whose header claims width x height; the pixels are not there.
QByteArray bmpHeader(quint32 width, quint32 height)
{
    uchar h[54 + 16] = {};
    h[0] = 'B';
    h[1] = 'M';
    qToLittleEndian<quint32>(sizeof h, h + 2);
    qToLittleEndian<quint32>(54, h + 10);
    qToLittleEndian<quint32>(40, h + 14);
    qToLittleEndian<quint32>(width, h + 18);
    qToLittleEndian<quint32>(height, h + 22);
    qToLittleEndian<quint16>(1, h + 26);
    qToLittleEndian<quint16>(24, h + 28);
    return QByteArray(reinterpret_cast<const char *>(h), int(sizeof h));
}

void chmodPath(const QString &path, mode_t mode)
{
    ::chmod(QFile::encodeName(path).constData(), mode);
}

} // namespace

class TestHostileFiles : public QObject
{
    Q_OBJECT
private slots:
    void onlyRegularFilesAreRead()
    {
        QTemporaryDir d;
        QByteArray data;
        const QString ok = TestEnv::writeFile(d.path() + "/ok.xml", "<a/>");
        QCOMPARE(RegularFile::read(ok, RegularFile::ListCap, &data), Status::Ok);
        QCOMPARE(data, QByteArray("<a/>"));

        // A pipe nobody writes to would block an ordinary open for ever.
        QElapsedTimer t;
        t.start();
        const QString fifo = makeFifo(d.path() + "/pipe.xml");
        QCOMPARE(RegularFile::read(fifo, RegularFile::ListCap, &data), Status::NotRegular);
        QVERIFY(data.isEmpty());
        QVERIFY(t.elapsed() < 2000);
        QVERIFY(!RegularFile::isRegular(fifo));

        // A link to an endless device, and a folder.
        QVERIFY(QFile::link("/dev/zero", d.path() + "/zero.xml"));
        QCOMPARE(RegularFile::read(d.path() + "/zero.xml", RegularFile::ListCap, &data), Status::NotRegular);
        QCOMPARE(RegularFile::read(d.path(), RegularFile::ListCap, &data), Status::NotRegular);
        // A link to a regular file is followed, but not for a file we store:
        // one planted in our folder names something that is not ours.
        QVERIFY(QFile::link(ok, d.path() + "/link.xml"));
        QCOMPARE(RegularFile::read(d.path() + "/link.xml", RegularFile::ListCap, &data), Status::Ok);
        QCOMPARE(RegularFile::readStored(d.path() + "/link.xml", RegularFile::ListCap, &data), Status::NotRegular);
        QVERIFY(data.isEmpty());
        QCOMPARE(RegularFile::readStored(ok, RegularFile::ListCap, &data), Status::Ok);
        QCOMPARE(RegularFile::readStored(fifo, RegularFile::ListCap, &data), Status::NotRegular);
        QCOMPARE(RegularFile::readStored(d.path() + "/none.xml", RegularFile::ListCap, &data), Status::Missing);

        QCOMPARE(RegularFile::read(d.path() + "/none.xml", RegularFile::ListCap, &data), Status::Missing);
        QCOMPARE(RegularFile::read(ok + "/below", RegularFile::ListCap, &data), Status::Missing);

        // Over the cap: not read at all.
        const QString big = TestEnv::writeFile(d.path() + "/big.xml", QByteArray(1001, 'x'));
        QCOMPARE(RegularFile::read(big, 1000, &data), Status::TooLarge);
        QVERIFY(data.isEmpty());
        QCOMPARE(RegularFile::read(big, 1001, &data), Status::Ok);
    }

    void picturesAreCheckedBeforeDecoding()
    {
        QTemporaryDir d;
        QImage small(16, 8, QImage::Format_ARGB32);
        small.fill(Qt::red);
        const QString png = d.path() + "/small.png";
        QVERIFY(small.save(png));
        QCOMPARE(RegularFile::readImage(png).size(), QSize(16, 8));
        // A picture is not what its name says: the content decides.
        QVERIFY(QFile::copy(png, d.path() + "/small.jpg"));
        QCOMPARE(RegularFile::readImage(d.path() + "/small.jpg").size(), QSize(16, 8));

        // A small file that claims 23000 x 23000 pixels (2 GB decoded).
        const QString huge = TestEnv::writeFile(d.path() + "/huge.bmp", bmpHeader(23000, 23000));
        QVERIFY(RegularFile::readImage(huge).isNull());
        QVERIFY(!RegularFile::openPicture(huge));
        // The pixel cap and the byte cap.
        QVERIFY(RegularFile::readImage(png, RegularFile::PictureCap, 100).isNull());
        QVERIFY(RegularFile::readImage(png, 10).isNull());
        // Not a file, not a picture.
        QVERIFY(RegularFile::readImage(makeFifo(d.path() + "/pipe.png")).isNull());
        QVERIFY(RegularFile::readImage(TestEnv::writeFile(d.path() + "/junk.png", "junk")).isNull());

        // A path handed on to QIcon passes the same checks first.
        QVERIFY(RegularFile::pictureFits(png));
        QVERIFY(!RegularFile::pictureFits(huge));
        QVERIFY(ThemeFileIcons::iconOf(d.path() + "/pipe.png").isNull());
        QVERIFY(ThemeFileIcons::iconOf(huge).isNull());
        QVERIFY(!ThemeFileIcons::iconOf(png).isNull());

        QIODevice *dev = RegularFile::openPicture(png);
        QVERIFY(dev);
        QVERIFY(dev->isOpen());
        delete dev;
    }

    void runtimeFolderIsPrivateOrNone()
    {
        QTemporaryDir d;
        const uint me = uint(::geteuid());
        const QString xdg = d.path() + "/xdg";
        QVERIFY(QDir().mkpath(xdg));
        chmodPath(xdg, 0700);
        const QString tmp = d.path() + "/tmp";
        QVERIFY(QDir().mkpath(tmp));

        // A private XDG_RUNTIME_DIR is used as it is.
        RuntimeChoice c = chooseRuntimeFolder(xdg, tmp, me);
        QCOMPARE(c.folder, xdg);
        QVERIFY(c.problem.isEmpty());

        // Unset, missing or open to others: our own folder in the temporary folder, made 0700.
        const QString own = tmp + "/zorvane-" + QString::number(me);
        for (const QString &bad : { QString(), d.path() + "/missing" }) {
            c = chooseRuntimeFolder(bad, tmp, me);
            QCOMPARE(c.folder, own);
        }
        chmodPath(xdg, 0755);
        QCOMPARE(chooseRuntimeFolder(xdg, tmp, me).folder, own);
        struct stat st;
        QCOMPARE(::lstat(QFile::encodeName(own).constData(), &st), 0);
        QCOMPARE(int(st.st_mode & 0777), 0700);
        QCOMPARE(uint(st.st_uid), me);
        // Found again on the next start.
        QCOMPARE(chooseRuntimeFolder(QString(), tmp, me).folder, own);

        // Owned by someone else (the folder is ours, the user we decide for is not).
        c = chooseRuntimeFolder(QString(), tmp, me + 1);
        QVERIFY(c.folder.isEmpty());
        QVERIFY2(c.problem.contains("another user"), qPrintable(c.problem));

        // Opened up to others after the fact: refused, not repaired.
        chmodPath(own, 0777);
        c = chooseRuntimeFolder(QString(), tmp, me);
        QVERIFY(c.folder.isEmpty());
        QVERIFY2(c.problem.contains("open to other users"), qPrintable(c.problem));

        // A link planted in its place, even to a private folder of ours, is not followed.
        QVERIFY(QDir(own).removeRecursively());
        chmodPath(xdg, 0700);
        QVERIFY(QFile::link(xdg, own));
        c = chooseRuntimeFolder(QString(), tmp, me);
        QVERIFY(c.folder.isEmpty());
        QVERIFY2(c.problem.contains("not a folder"), qPrintable(c.problem));

        // A file in its place, and a temporary folder we cannot write to.
        QVERIFY(QFile::remove(own));
        TestEnv::writeFile(own);
        QVERIFY(chooseRuntimeFolder(QString(), tmp, me).folder.isEmpty());
        QVERIFY(chooseRuntimeFolder(QString(), d.path() + "/no/such", me).problem.contains("cannot be made"));
    }

    void lockThatCannotBeTakenSaysWhy()
    {
        const QString runtime = runtimeFolder();
        QVERIFY(!runtime.isEmpty());
        bool goOn = true;

        // Something else than a file where the lock should be.
        QVERIFY(QDir().mkpath(runtime + "/tst-folder.lock"));
        SingleInstance folder("tst-folder");
        QCOMPARE(folder.acquire(), SingleInstance::Result::Failed);
        QVERIFY(!folder.error().isEmpty());
        QCOMPARE(startOrExitCode(folder, "tst", &goOn), 1);
        QVERIFY(!goOn);
        makeFifo(runtime + "/tst-pipe.lock");
        SingleInstance pipe("tst-pipe");
        QCOMPARE(pipe.acquire(), SingleInstance::Result::Failed);
        QVERIFY(QFile::link(runtime + "/elsewhere", runtime + "/tst-link.lock"));
        SingleInstance link("tst-link");
        QCOMPARE(link.acquire(), SingleInstance::Result::Failed);
        QVERIFY(!QFile::exists(runtime + "/elsewhere"));

        // Another holder is no failure: the copy leaves quietly.
        SingleInstance a("tst-held"), b("tst-held");
        QCOMPARE(startOrExitCode(a, "tst", &goOn), 0);
        QVERIFY(goOn);
        QCOMPARE(startOrExitCode(b, "tst", &goOn), 0);
        QVERIFY(!goOn);
        QVERIFY(b.error().isEmpty());

        // No private runtime folder at all: no lock, and the reason.
        const QByteArray oldXdg = qgetenv("XDG_RUNTIME_DIR"), oldTmp = qgetenv("TMPDIR");
        QTemporaryDir d;
        TestEnv::writeFile(d.path() + "/zorvane-" + QString::number(::geteuid())); // a file in the way
        qputenv("XDG_RUNTIME_DIR", "");
        qputenv("TMPDIR", QFile::encodeName(d.path()));
        SingleInstance none("tst-none");
        QCOMPARE(none.acquire(), SingleInstance::Result::Failed);
        QVERIFY2(none.error().contains("XDG_RUNTIME_DIR"), qPrintable(none.error()));
        QVERIFY(runtimeFolder().isEmpty());
        QVERIFY(!runtimeFolderProblem().isEmpty());
        qputenv("XDG_RUNTIME_DIR", oldXdg);
        if (oldTmp.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", oldTmp);
        QCOMPARE(runtimeFolder(), runtime);
    }
};

ZV_TEST_MAIN(TestHostileFiles)
#include "tst_hostilefiles.moc"
