// The real Zorvane binary: start, single instance, a killed copy.
#include "common/systemmessage.h"
#include "testenv.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QtTest>

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
        QVERIFY(SystemMessage::send("Zorvane-Window", "Pravelt,AppWindowNormal"));
        third.kill();
        third.waitForFinished(5000);
    }
};

ZV_TEST_MAIN(TestDockProgram)
#include "tst_dockprogram.moc"
