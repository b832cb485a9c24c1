#include "common/systemmessage.h"
#include "messaging.h"
#include "testenv.h"

#include <QApplication>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLocalServer>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>
#include <sys/stat.h>

using namespace SystemMessage;

namespace {
int openDescriptors()
{
    return QDir("/proc/self/fd").entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System).size();
}
} // namespace


class TestSystemMessage : public QObject
{
    Q_OBJECT
private slots:
    void codecRoundTrip()
    {
        const QByteArray text = QString("Mirelka,MirelkaClose 中文").toUtf8();
        const QByteArray frame = encode(Tag, text);
        QCOMPARE(frame.size(), 8 + text.size());
        QCOMPARE(frame.left(4), QByteArray::fromHex("00002710"));
        quint32 dw = 0;
        QByteArray out;
        QCOMPARE(decode(frame, &dw, &out), DecodeResult::Complete);
        QCOMPARE(dw, Tag);
        QCOMPARE(out, text);
        QCOMPARE(decode(frame.left(7), &dw, &out), DecodeResult::NeedMore);
        QCOMPARE(decode(frame.left(frame.size() - 1), &dw, &out), DecodeResult::NeedMore);
        QCOMPARE(decode(frame + "x", &dw, &out), DecodeResult::Malformed);
        QCOMPARE(decode(encode(Tag, QByteArray()), &dw, &out), DecodeResult::Complete);
        QVERIFY(out.isEmpty());
        QByteArray huge = QByteArray::fromHex("0000271000100001");
        QCOMPARE(decode(huge, &dw, &out), DecodeResult::Malformed);
    }

    void parseSplitsAtFirstComma()
    {
        Parsed p = parse("Pravelt,WinD");
        QVERIFY(p.hasComma);
        QCOMPARE(p.sender, QString("Pravelt"));
        QCOMPARE(p.command, QString("WinD"));
        p = parse("Mirelka");
        QVERIFY(!p.hasComma);
        QVERIFY(p.sender.isEmpty());
        p = parse("a,b,c");
        QCOMPARE(p.command, QString("b"));
        p = parse("a,");
        QVERIFY(p.hasComma);
        QVERIFY(p.command.isEmpty());
    }

    void deliversAndAnswers()
    {
        QStringList got;
        SystemMessageReceiver r("tst-window", [&](quint32 dw, const QString &t) {
            got << QString::number(dw) + ":" + t;
            return t != "refuse";
        });
        QVERIFY(r.listen());
        const QFileInfo sock(socketPath("tst-window"));
        QVERIFY(sock.exists());
        QCOMPARE(sock.permissions() & (QFile::ReadOther | QFile::WriteOther | QFile::ReadGroup | QFile::WriteGroup),
                 QFile::Permissions());
        QVERIFY(windowExists("tst-window"));
        QVERIFY(sendFromAnotherThread("tst-window", "Mirelka,MirelkaClose"));
        QVERIFY(!sendFromAnotherThread("tst-window", "refuse"));
        QCOMPARE(got, QStringList({ "10000:Mirelka,MirelkaClose", "10000:refuse" }));
    }

    void handlerMayCloseTheReceiver()
    {
        SystemMessageReceiver *r = nullptr;
        r = new SystemMessageReceiver("tst-closing", [&](quint32, const QString &) {
            r->close(); // a quit command ends the listening at once
            return true;
        });
        QVERIFY(r->listen());
        QVERIFY(sendFromAnotherThread("tst-closing", "CloseMe"));
        QVERIFY(!r->isListening());
        QVERIFY(!windowExists("tst-closing"));
        delete r;
    }

    void missingWindowIsNotFound()
    {
        QVERIFY(!windowExists("tst-nobody"));
        QElapsedTimer t;
        t.start();
        QVERIFY(!sendFromAnotherThread("tst-nobody", "x"));
        QVERIFY(t.elapsed() < 1500);
    }

    void malformedFrameIsDroppedAndReceiverLivesOn()
    {
        int calls = 0;
        SystemMessageReceiver r("tst-bad", [&](quint32, const QString &) { return ++calls > 0; });
        QVERIFY(r.listen());
        QLocalSocket s;
        s.connectToServer(socketPath("tst-bad"));
        QVERIFY(s.waitForConnected(1000));
        s.write(QByteArray::fromHex("00002710ffffffff") + "garbage");
        s.flush();
        QTRY_COMPARE(s.state(), QLocalSocket::UnconnectedState);
        QCOMPARE(calls, 0);
        QVERIFY(sendFromAnotherThread("tst-bad", "still here"));
        QCOMPARE(calls, 1);
    }

    void staleSocketIsReplacedLiveOneKept()
    {
        // A file left by a killed copy.
        QFile stale(socketPath("tst-stale"));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        SystemMessageReceiver a("tst-stale", [](quint32, const QString &) { return true; });
        QVERIFY(a.listen());
        SystemMessageReceiver b("tst-stale", [](quint32, const QString &) { return true; });
        QVERIFY(!b.listen());
        QVERIFY(a.isListening());
    }

    // Whatever takes the place of a receiver's socket (a removed socket, a
    // file, a folder, one holding files, a link) is cleared away and the
    // receiver is heard again; nothing is followed, and what a folder held
    // is kept aside whole.
    void whateverTakesTheSocketsPlaceIsClearedAway_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char *kind : { "removed", "file", "empty folder", "folder with files", "link to a file",
                                  "link to a folder", "link to a live socket" })
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }
    void whateverTakesTheSocketsPlaceIsClearedAway()
    {
        QFETCH(QString, kind);
        const QString title = "tst-taken-" + QString(kind).replace(' ', '-');
        const QString path = socketPath(title);
        int calls = 0;
        SystemMessageReceiver r(title, [&](quint32, const QString &) { return ++calls > 0; });
        QVERIFY(r.listen());
        r.setWatchInterval(50);
        QVERIFY(sendFromAnotherThread(title, "before"));

        QTemporaryDir elsewhere;
        const QString target = elsewhere.path() + "/target";
        SystemMessageReceiver other("tst-taken-other", [](quint32, const QString &) { return true; });
        QVERIFY(QFile::remove(path));
        if (kind == "file") {
            TestEnv::writeFile(path, "not a socket");
        } else if (kind == "empty folder") {
            QVERIFY(QDir().mkdir(path));
        } else if (kind == "folder with files") {
            QVERIFY(QDir().mkdir(path));
            TestEnv::writeFile(path + "/someone's", "kept");
        } else if (kind == "link to a file") {
            TestEnv::writeFile(target, "left alone");
            QVERIFY(QFile::link(target, path));
        } else if (kind == "link to a folder") {
            QVERIFY(QDir().mkdir(target));
            TestEnv::writeFile(target + "/inside", "left alone");
            QVERIFY(QFile::link(target, path));
        } else if (kind == "link to a live socket") {
            QVERIFY(other.listen());
            QVERIFY(QFile::link(socketPath("tst-taken-other"), path));
        }

        const auto isOurSocket = [&] {
            struct stat st;
            return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISSOCK(st.st_mode);
        };
        QTRY_VERIFY_WITH_TIMEOUT(isOurSocket() && r.isListening(), 5000);
        QVERIFY(sendFromAnotherThread(title, "after"));
        QCOMPARE(calls, 2);
        // Nothing it led to, and nothing someone put there, was touched.
        if (kind == "folder with files")
            QCOMPARE(TestEnv::readFile(path + ".aside/someone's"), QByteArray("kept"));
        else
            QVERIFY(!QFileInfo::exists(path + ".aside"));
        if (kind == "link to a file")
            QCOMPARE(TestEnv::readFile(target), QByteArray("left alone"));
        if (kind == "link to a folder")
            QCOMPARE(TestEnv::readFile(target + "/inside"), QByteArray("left alone"));
        if (kind == "link to a live socket")
            QVERIFY(windowExists("tst-taken-other"));
        QDir(path + ".aside").removeRecursively();
    }

    void senderGivesUpOnSilentReceiver()
    {
        QLocalServer mute;
        QLocalServer::removeServer(socketPath("tst-mute"));
        QVERIFY(mute.listen(socketPath("tst-mute")));
        QElapsedTimer t;
        t.start();
        QVERIFY(!sendFromAnotherThread("tst-mute", "hello", 300));
        QVERIFY(t.elapsed() < 1500);
    }

    void floodOfIdleConnectionsIsCapped()
    {
        int calls = 0;
        SystemMessageReceiver r("tst-flood", [&](quint32, const QString &) { return ++calls > 0; });
        QVERIFY(r.listen());
        QList<QLocalSocket *> idle;
        for (int i = 0; i < MaxConnections * 3; ++i) {
            auto *s = new QLocalSocket(this);
            s->connectToServer(socketPath("tst-flood"));
            idle << s;
            QCoreApplication::processEvents();
        }
        QTRY_VERIFY(r.connectionCount() > 0);
        QVERIFY(r.connectionCount() <= MaxConnections);
        // The oldest were dropped; a sender is still heard.
        QTRY_COMPARE(idle.first()->state(), QLocalSocket::UnconnectedState);
        QVERIFY(sendFromAnotherThread("tst-flood", "heard"));
        QCOMPARE(calls, 1);
        qDeleteAll(idle);
    }

    void receiverListensAgainAfterRunningOutOfDescriptors()
    {
        int calls = 0;
        SystemMessageReceiver r("tst-nofile", [&](quint32, const QString &) { return ++calls > 0; });
        QVERIFY(r.listen());
        r.setWatchInterval(60000); // not yet: first see it fail

        struct rlimit old;
        QCOMPARE(getrlimit(RLIMIT_NOFILE, &old), 0);
        struct rlimit low = old;
        low.rlim_cur = rlim_t(openDescriptors() + 16);
        QCOMPARE(setrlimit(RLIMIT_NOFILE, &low), 0);
        // Clients take every descriptor before the receiver gets to accept
        // them (no events between), so it finds none to accept with.
        QList<QLocalSocket *> clients;
        for (int i = 0; i < 64; ++i) {
            auto *s = new QLocalSocket(this);
            s->connectToServer(socketPath("tst-nofile"));
            clients << s;
            if (s->state() != QLocalSocket::ConnectedState)
                break;
        }
        QTRY_VERIFY(!r.isListening());
        QVERIFY(!QFile::exists(socketPath("tst-nofile"))); // unreachable for good, as Qt leaves it
        qDeleteAll(clients);
        QCOMPARE(setrlimit(RLIMIT_NOFILE, &old), 0);
        r.setWatchInterval(50);

        // Descriptors free again: it listens again by itself, and is heard.
        QTRY_VERIFY_WITH_TIMEOUT(r.isListening(), 3000);
        QVERIFY(sendFromAnotherThread("tst-nofile", "back"));
        QCOMPARE(calls, 1);
    }
};

ZV_TEST_MAIN(TestSystemMessage)
#include "tst_systemmessage.moc"
