#include "platform/opener.h"
#include "platform/paths.h"
#include "platform/processes.h"
#include "platform/singleinstance.h"
#include "testenv.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Our children that have ended and wait to be reaped, by command name.
QStringList zombieChildren()
{
    QStringList out;
    const QString me = QString::number(::getpid());
    for (const QString &e : QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile f("/proc/" + e + "/stat");
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QByteArray s = f.readAll();
        const int open = s.indexOf('('), close = s.lastIndexOf(')');
        if (open < 0 || close < 0)
            continue;
        const QList<QByteArray> rest = s.mid(close + 2).split(' ');
        if (rest.size() > 1 && rest.at(0) == "Z" && rest.at(1) == me.toLatin1())
            out << QString::fromLocal8Bit(s.mid(open + 1, close - open - 1));
    }
    return out;
}

} // namespace

class TestPlatform : public QObject
{
    Q_OBJECT
private slots:
    void pathsFollowXdgFolders()
    {
        QVERIFY(platform::appConfigFolder().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
        QVERIFY(platform::configPath("config.ini").endsWith("/config.ini"));
        QVERIFY(!platform::configPath("config.ini").contains('\\'));
        QCOMPARE(platform::runtimeFolder(), qEnvironmentVariable("XDG_RUNTIME_DIR"));
    }

    void secondHolderIsRefusedUntilRelease()
    {
        platform::SingleInstance a("tst-key"), b("tst-key");
        QVERIFY(a.tryAcquire());
        QVERIFY(a.tryAcquire()); // idempotent
        QVERIFY(!b.tryAcquire());
        a.release();
        QVERIFY(b.tryAcquire());
        platform::SingleInstance other("tst-other");
        QVERIFY(other.tryAcquire());
    }

    void killedHolderDoesNotBlock()
    {
        int ready[2];
        QVERIFY(::pipe(ready) == 0);
        const pid_t child = ::fork();
        if (child == 0) {
            platform::SingleInstance held("tst-killed");
            const char ok = held.tryAcquire() ? 1 : 0;
            (void)!::write(ready[1], &ok, 1);
            for (;;)
                ::pause();
        }
        char ok = 0;
        QCOMPARE(::read(ready[0], &ok, 1), ssize_t(1));
        QCOMPARE(ok, char(1));
        platform::SingleInstance mine("tst-killed");
        QVERIFY(!mine.tryAcquire());
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        QVERIFY(mine.tryAcquire());
        ::close(ready[0]);
        ::close(ready[1]);
    }

    void ownProgramsBesideUsOrOnPath()
    {
        QCOMPARE(platform::Processes::bareName("Ostiva.EXE"), QString("Ostiva"));
        QTemporaryDir path;
        ScopedEnv onPathFirst("PATH", QFile::encodeName(path.path()) + ":" + qgetenv("PATH"));
        const QString onPath = TestEnv::writeFile(path.path() + "/zvsibling", "#!/bin/sh\n", true);
        const QString beside = QCoreApplication::applicationDirPath() + "/zvsibling";
        QCOMPARE(platform::Processes::ownProgramFile("zvsibling.exe"), onPath);
        // A file beside us that cannot run is no program; one that can wins.
        TestEnv::writeFile(beside, "#!/bin/sh\n", false);
        QCOMPARE(platform::Processes::ownProgramFile("zvsibling"), onPath);
        QFile::setPermissions(beside, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(platform::Processes::ownProgramFile("zvsibling"), beside);
        QFile::remove(beside);
        QFile::remove(onPath);
        QCOMPARE(platform::Processes::ownProgramFile("zvsibling"), QString());
        QVERIFY(!platform::ProcessesService::get().startOwnProgram("zvsibling"));
    }

    // Programs we start end up reaped, even where orphans come to us (as to a
    // subreaper, or the first process of a namespace): none stays a zombie.
    void everyProgramWeStartIsReaped()
    {
        QVERIFY(::prctl(PR_SET_CHILD_SUBREAPER, 1) == 0);
        // The rest of the run must not adopt orphans, also after a failed check.
        const auto noSubreaper = qScopeGuard([] { ::prctl(PR_SET_CHILD_SUBREAPER, 0); });
        QTemporaryDir path;
        ScopedEnv onPathFirst("PATH", QFile::encodeName(path.path()) + ":" + qgetenv("PATH"));
        TestEnv::writeFile(path.path() + "/zvquick", "#!/bin/sh\nexit 0\n", true);
        const QString beside = QCoreApplication::applicationDirPath() + "/zvquickout";
        TestEnv::writeFile(beside, "#!/bin/sh\nexit 3\n", true);

        // An application's desktop file and a program opened from an icon.
        const QString app = TestEnv::writeFile(path.path() + "/quick.desktop",
                                               "[Desktop Entry]\nType=Application\nName=Quick\nExec=zvquick %U\n");
        const QString program = TestEnv::writeFile(path.path() + "/zvquickprog", "#!/bin/sh\nexit 0\n", true);

        auto &p = platform::ProcessesService::get();
        QVERIFY(p.startOwnProgram("zvquick"));
        QVERIFY(p.startOutsideProgram("zvquickout.exe"));
        platform::SystemOpener opener;
        QVERIFY(opener.openPath(app));
        QVERIFY(opener.openPath(program));
        QVERIFY(platform::startReapedChild("zvquick", {}, QString()));
        QTest::qWait(300);
        QTRY_COMPARE_WITH_TIMEOUT(zombieChildren(), QStringList(), 3000);
        QTRY_COMPARE(platform::unreapedChildren(), 0);
        QFile::remove(beside);
        QVERIFY(::prctl(PR_SET_CHILD_SUBREAPER, 0) == 0);
    }

    // A child of its own session, in its folder; what cannot be started says
    // so and leaves nothing behind.
    void reapedChildrenStartAsDetachedOnes()
    {
        QTemporaryDir dir;
        qint64 pid = 0;
        QVERIFY(platform::startReapedChild("/bin/sh", { "-c", "cut -d' ' -f6 /proc/$$/stat > sid; pwd > where" },
                                           dir.path(), &pid));
        QVERIFY(pid > 0);
        QTRY_VERIFY(QFile::exists(dir.path() + "/where") && QFile::exists(dir.path() + "/sid"));
        QTRY_COMPARE(TestEnv::readFile(dir.path() + "/where").trimmed(), QFile::encodeName(dir.path()));
        QTRY_COMPARE(TestEnv::readFile(dir.path() + "/sid").trimmed(), QByteArray::number(pid));
        QTRY_COMPARE(platform::unreapedChildren(), 0);

        const QString notRunnable = TestEnv::writeFile(dir.path() + "/data.bin", "x", false);
        QVERIFY(!platform::startReapedChild(notRunnable, {}, QString()));
        QVERIFY(!platform::startReapedChild("zvnosuchprogram", {}, QString()));
        QVERIFY(!platform::startReapedChild("/bin/true", {}, dir.path() + "/gone"));
        QCOMPARE(platform::unreapedChildren(), 0);
        QCOMPARE(zombieChildren(), QStringList());
    }

    void outsideProgramIsNotStartedWhenAbsent()
    {
        QVERIFY(!platform::ProcessesService::get().startOutsideProgram("NoSuchToolZv.exe"));
    }

    // A copy of sleep under a name of our own, so nothing else is touched;
    // one of this session, one whose session has another runtime folder.
    void findsAndEndsOwnProcessesByName()
    {
        QTemporaryDir dir;
        auto sleeper = [&](QProcess &proc, const QString &name, const QString &runtime) {
            const QString prog = dir.path() + "/" + name;
            QVERIFY(QFile::copy("/bin/sleep", prog));
            QFile::setPermissions(prog, QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner);
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("XDG_RUNTIME_DIR", runtime);
            proc.setProcessEnvironment(env);
            proc.start(prog, { "30" });
            QVERIFY(proc.waitForStarted());
        };
        QProcess mine, other;
        sleeper(mine, "zvsleeper", qEnvironmentVariable("XDG_RUNTIME_DIR"));
        sleeper(other, "zvsleeper2", dir.path());
        auto &p = platform::ProcessesService::get();
        QTRY_VERIFY(p.isRunning("zvsleeper"));
        QVERIFY(p.isRunning("zvsleeper.exe"));
        QVERIFY(!p.isRunning("zvsleeper2"));
        QCOMPARE(p.killByName("zvsleeper2"), 0);
        QCOMPARE(p.killByName("zvsleeper"), 1);
        QVERIFY(mine.waitForFinished(3000));
        QVERIFY(!p.isRunning("zvsleeper"));
        QCOMPARE(p.killByName("zvsleeper"), 0);
        QCOMPARE(other.state(), QProcess::Running);
        other.kill();
        other.waitForFinished();
    }
};

ZV_TEST_MAIN(TestPlatform)
#include "tst_platform.moc"
