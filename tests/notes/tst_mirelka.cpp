// The real program, started as the dock starts it, in a private home.
#include "common/systemmessage.h"
#include "notes/notefile.h"
#include "testenv.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextDocument>
#include <QFile>
#include <QProcess>
#include <QtTest>

#include <csignal>

namespace {

QString program() { return TestEnv::binDir() + "/Mirelka"; }
QString noteFile() { return qEnvironmentVariable("XDG_CONFIG_HOME") + "/Mirelka/Mirelka.xml"; }

QStringList storedIds()
{
    QList<NoteRow> notes;
    NoteFile::read(noteFile(), &notes);
    QStringList ids;
    for (const NoteRow &n : notes)
        ids << n.id;
    return ids;
}

} // namespace

class TestMirelka : public QObject
{
    Q_OBJECT
    // Starts the program and waits until its manager window answers.
    bool startNotes(QProcess &p)
    {
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(program(), QStringList());
        if (!p.waitForStarted(5000))
            return false;
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 15000) {
            if (SystemMessage::windowExists("Mirelka") && QFile::exists(noteFile()))
                return true;
            if (p.state() == QProcess::NotRunning)
                return false;
            QTest::qWait(50);
        }
        return false;
    }

    void closeNotes(QProcess &p)
    {
        SystemMessage::send("Mirelka", "CloseMirelka");
        QVERIFY(p.waitForFinished(5000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(program()), qPrintable(program()));
    }

    void startsOnceAndEndsOnCloseMirelka()
    {
        QDir(qEnvironmentVariable("XDG_CONFIG_HOME") + "/Mirelka").removeRecursively();
        QProcess notes;
        QVERIFY(startNotes(notes));
        const QStringList ids = storedIds();
        QCOMPARE(ids.size(), 1);
        QVERIFY(ids.first().startsWith("Note"));

        // A second copy leaves at once, quietly, and the first runs on.
        QProcess second;
        second.start(program(), QStringList());
        QVERIFY(second.waitForFinished(5000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(notes.state(), QProcess::Running);
        QCOMPARE(storedIds(), ids);

        closeNotes(notes);
        QVERIFY(!SystemMessage::windowExists("Mirelka"));
        QVERIFY(!QFile::exists(SystemMessage::socketPath("Mirelka")));

        // The next start shows the stored note again; none is added.
        QProcess again;
        QVERIFY(startNotes(again));
        QCOMPARE(storedIds(), ids);

        // A killed copy does not stop the next start.
        again.kill();
        QVERIFY(again.waitForFinished(5000));
        QProcess afterKill;
        QVERIFY(startNotes(afterKill));
        QCOMPARE(storedIds(), ids);
        closeNotes(afterKill);
    }

    // A session's end (SIGTERM), a hang-up or Ctrl+C: the program ends as on
    // "CloseMirelka", with its notes saved and its socket gone.
    void quitSignalsEndItAsCloseMirelkaDoes_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGHUP") << int(SIGHUP);
        QTest::newRow("SIGINT") << int(SIGINT);
    }
    void quitSignalsEndItAsCloseMirelkaDoes()
    {
        QFETCH(int, signal);
        QDir(qEnvironmentVariable("XDG_CONFIG_HOME") + "/Mirelka").removeRecursively();
        QProcess notes;
        QVERIFY(startNotes(notes));
        const QStringList ids = storedIds();
        QCOMPARE(ids.size(), 1);
        QCOMPARE(::kill(pid_t(notes.processId()), signal), 0);
        QVERIFY(notes.waitForFinished(10000));
        QCOMPARE(notes.exitStatus(), QProcess::NormalExit);
        QCOMPARE(notes.exitCode(), 0);
        QVERIFY(!QFile::exists(SystemMessage::socketPath("Mirelka")));
        QCOMPARE(storedIds(), ids);
    }

    // Thirty notes of 1,900 short lines: a file larger than 8 MB, as the
    // program writes it. It reads back whole, and a session's end with it
    // open ends the program at once, its notes saved.
    void aLargeFileReadsBackAndASignalEndsItAtOnce()
    {
        QDir(qEnvironmentVariable("XDG_CONFIG_HOME") + "/Mirelka").removeRecursively();
        QStringList lines;
        for (int i = 0; i < 1900; ++i)
            lines << QString("便签第%1行。").arg(i, 4, 10, QLatin1Char('0'));
        QTextDocument doc;
        doc.setPlainText(lines.join('\n'));
        QList<NoteRow> rows;
        for (int i = 0; i < 30; ++i)
            rows << NoteRow { QString("Note%1").arg(i), "style1", doc.toHtml(), "10", "10", "350", "260" };
        TestEnv::writeFile(noteFile(), NoteFile::build(rows));
        QVERIFY(QFileInfo(noteFile()).size() > 8 * 1024 * 1024);
        QProcess notes;
        QVERIFY(startNotes(notes));
        QCOMPARE(::kill(pid_t(notes.processId()), SIGTERM), 0);
        QVERIFY(notes.waitForFinished(10000));
        QCOMPARE(notes.exitCode(), 0);
        QCOMPARE(storedIds().size(), 30);
        QVERIFY(!QFile::exists(noteFile() + ".bad"));
    }
};

ZV_TEST_MAIN(TestMirelka)
#include "tst_mirelka.moc"
