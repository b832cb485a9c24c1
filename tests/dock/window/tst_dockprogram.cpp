// The real Zorvane binary: start, single instance, a killed copy.
#include "common/systemmessage.h"
#include "testenv.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <unistd.h>

namespace {

// One message with any dwData, straight over the socket; the answer byte.
int sendRaw(quint32 dwData, const QByteArray &text)
{
    QLocalSocket s;
    s.connectToServer(SystemMessage::socketPath("Zorvane-Window"));
    if (!s.waitForConnected(2000))
        return -1;
    s.write(SystemMessage::encode(dwData, text));
    if (!s.waitForReadyRead(2000))
        return -1;
    return s.read(1).at(0);
}

} // namespace

class TestDockProgram : public QObject
{
    Q_OBJECT
    QString program() const { return TestEnv::binDir() + "/Zorvane"; }

    void startDock(QProcess &p)
    {
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(program(), QStringList());
        QVERIFY(p.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(SystemMessage::windowExists("Zorvane-Window"), 15000);
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(program()), qPrintable(program()));
    }

    void firstStartWritesItsFiles()
    {
        QProcess dock;
        startDock(dock);
        const QString cfg = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Zorvane/";
        QVERIFY(QFile::exists(cfg + "config.ini"));
        QVERIFY(QFile::exists(cfg + "Zorvane.xml"));
        QVERIFY(QFile::exists(cfg + "icon"));

        // A second copy leaves at once, quietly, and the first one is untouched.
        QProcess second;
        second.start(program(), QStringList());
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(dock.state(), QProcess::Running);

        // A copy killed outright blocks nothing.
        dock.kill();
        QVERIFY(dock.waitForFinished(5000));
        QProcess third;
        startDock(third);
        QVERIFY(SystemMessage::send("Zorvane-Window", "Pravelt,AppWindowNormal", 10000));
        third.kill();
        third.waitForFinished(5000);
    }

    void messagesReachTheRunningDock()
    {
        QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).removeRecursively();
        const QString cfg = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Zorvane/";
        // What a save cut short by a kill left behind goes at the next start.
        TestEnv::writeFile(cfg + "Zorvane.xml.zvsave-Ab12Cd", "<Zorv");
        QProcess dock;
        startDock(dock);
        QVERIFY(!QFile::exists(cfg + "Zorvane.xml.zvsave-Ab12Cd"));

        // The icon file holds the presets without the update notice.
        QFile xml(cfg + "Zorvane.xml");
        QVERIFY(xml.open(QIODevice::ReadOnly));
        const QByteArray icons = xml.readAll();
        QCOMPARE(icons.count("<List "), 13);
        QVERIFY(icons.contains("<Class>RECYCLE</Class>"));
        QVERIFY(!icons.contains("<Class>UPGRADE</Class>"));
        QVERIFY(QDir(cfg + "link").exists());
        QVERIFY(!QSettings(cfg + "config.ini", QSettings::IniFormat).contains("DesktopWidget/Note"));

        // Every accepted text is consumed, known or not; another dwData is not.
        for (const char *text : { "Pravelt,AppWindowNormal", "Pravelt,WinD", "Pravelt,MButtonDoubleClick",
                                  "Mirelka,Other", "Mirelka", "" })
            QVERIFY2(SystemMessage::send("Zorvane-Window", text, 10000), text);
        QCOMPARE(sendRaw(SystemMessage::Tag, "Pravelt,WinD"), 1);
        QCOMPARE(sendRaw(7, "Pravelt,WinD"), 0);
        QVERIFY(!QSettings(cfg + "config.ini", QSettings::IniFormat).contains("DesktopWidget/Note"));

        // The notes program's goodbye turns its switch off, in the settings file.
        QVERIFY(SystemMessage::send("Zorvane-Window", "Mirelka,MirelkaClose", 10000));
        QSettings set(cfg + "config.ini", QSettings::IniFormat);
        QVERIFY(set.contains("DesktopWidget/Note"));
        QCOMPARE(set.value("DesktopWidget/Note").toBool(), false);
        QCOMPARE(dock.state(), QProcess::Running);

        dock.kill();
        dock.waitForFinished(5000);
    }

    // A session's end sends SIGTERM: the dock quits as its quit entry does,
    // so the notes program it started is told "CloseMirelka" and ends, its
    // notes saved, instead of running on without a dock.
    void aQuitSignalQuitsAsTheQuitEntryDoes()
    {
        QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).removeRecursively();
        const QString cfg = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Zorvane/";
        const QString notes = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Mirelka/Mirelka.xml";
        TestEnv::writeFile(cfg + "config.ini", "[DesktopWidget]\nNote=true\n");
        // The weather is asked of this machine: the end of the run waits for
        // no name lookup of the placeholder host.
        ScopedEnv weather("ZV_WEATHER_URL", "http://127.0.0.1:9/");
        QProcess dock;
        startDock(dock);
        QTRY_VERIFY_WITH_TIMEOUT(SystemMessage::windowExists("Mirelka") && QFile::exists(notes), 15000);
        QCOMPARE(::kill(pid_t(dock.processId()), SIGTERM), 0);
        const bool ended = dock.waitForFinished(15000);
        // The notes program ended by its own quit: its socket went with it.
        QElapsedTimer waited;
        waited.start();
        while (SystemMessage::windowExists("Mirelka") && waited.elapsed() < 10000)
            QTest::qWait(50);
        const bool notesClosed = !QFile::exists(SystemMessage::socketPath("Mirelka"));
        if (SystemMessage::windowExists("Mirelka"))
            SystemMessage::send("Mirelka", "CloseMirelka"); // left running: not by this test
        QVERIFY(ended);
        QCOMPARE(dock.exitStatus(), QProcess::NormalExit);
        QCOMPARE(dock.exitCode(), 0);
        QVERIFY(notesClosed);
        QVERIFY(!QFile::exists(SystemMessage::socketPath("Zorvane-Window")));
        QCOMPARE(TestEnv::readFile(notes).count("<NoteID>"), 1);
    }

    void startsOnlyWithAPrivateLockAndSocket()
    {
        auto run = [this](const QProcessEnvironment &env, QByteArray *err) {
            QProcess p;
            p.setProcessEnvironment(env);
            p.start(program(), QStringList());
            if (!p.waitForFinished(10000)) {
                p.kill();
                p.waitForFinished();
                return -1;
            }
            *err = p.readAllStandardError();
            return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
        };
        QByteArray err;

        // No XDG_RUNTIME_DIR, and the fallback in the temporary folder taken
        // by something that is not our private folder.
        QTemporaryDir tmp;
        TestEnv::writeFile(tmp.path() + "/zorvane-" + QString::number(::geteuid()), "planted");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("XDG_RUNTIME_DIR");
        env.insert("TMPDIR", tmp.path());
        QCOMPARE(run(env, &err), 1);
        QVERIFY2(err.contains("XDG_RUNTIME_DIR"), err.constData());

        // A lock that cannot be opened.
        const QString lock = qEnvironmentVariable("XDG_RUNTIME_DIR") + "/Zorvane.lock";
        QFile::remove(lock);
        QVERIFY(QDir().mkpath(lock));
        QCOMPARE(run(QProcessEnvironment::systemEnvironment(), &err), 1);
        QVERIFY2(err.contains("Zorvane.lock"), err.constData());
        QVERIFY(QDir().rmdir(lock));
    }
};

ZV_TEST_MAIN(TestDockProgram)
#include "tst_dockprogram.moc"
