#include "platform/paths.h"
#include "platform/processes.h"
#include "platform/singleinstance.h"
#include "testenv.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

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
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(path.path()) + ":" + oldPath);
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
        qputenv("PATH", oldPath);
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
