// A download within its budget: the body in small pieces, one per pass of
// the event loop, inflated by us as it comes, and cut off at its limits.
#include "common/boundeddownload.h"
#include "common/httpreplyreader.h"
#include "localhttp.h"
#include "testenv.h"

#include <QFile>
#include <QNetworkProxy>
#include <QNetworkRequest>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <atomic>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

class TestBoundedDownload : public QObject
{
    Q_OBJECT

    LocalHttp http;

    struct Run
    {
        bool ok = false;
        int finished = 0;
        int pieces = 0;
        int largestPiece = 0;
        int ticks = 0; // passes of the event loop meanwhile
        QByteArray body;
        BoundedDownload::Failure failure = BoundedDownload::Failure::None;
    };

    Run get(const QString &path, const BoundedDownload::Budget &budget, bool keep = false)
    {
        return get(QNetworkRequest(http.url(path)), budget, keep);
    }
    Run get(const QNetworkRequest &request, const BoundedDownload::Budget &budget, bool keep = false)
    {
        Run run;
        BoundedDownload d;
        d.setKeepBody(keep);
        connect(&d, &BoundedDownload::piece, this, [&](const QByteArray &p) {
            ++run.pieces;
            run.largestPiece = qMax(run.largestPiece, p.size());
            if (!keep)
                run.body += p;
        });
        connect(&d, &BoundedDownload::finished, this, [&](bool ok) {
            ++run.finished;
            run.ok = ok;
        });
        QTimer tick;
        connect(&tick, &QTimer::timeout, this, [&] { ++run.ticks; });
        tick.start(0);
        d.start(request, budget);
        for (int i = 0; i < 1000 && run.finished == 0; ++i)
            QTest::qWait(10);
        QTest::qWait(20); // nothing more comes after the end
        if (keep)
            run.body = d.body();
        run.failure = d.failure();
        return run;
    }

private slots:
    void initTestCase() { QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy); }

    void bodiesComeInPiecesBetweenOtherWork()
    {
        QByteArray body;
        for (int i = 0; body.size() < 1000000; ++i)
            body += QByteArray::number(i) + ' ';
        http.serve("/plain", body);
        http.route("/gzip", { LocalHttp::Full, 200, LocalHttp::gzip(body), "text/plain", "gzip" });
        http.route("/deflate", { LocalHttp::Full, 200, qCompress(body).mid(4), "text/plain", "deflate" });
        // In chunks of the network's framing too, compressed or not.
        for (const QByteArray &coding : { QByteArray(), QByteArray("gzip") }) {
            const QByteArray sent = coding.isEmpty() ? body : LocalHttp::gzip(body);
            QByteArray chunks;
            for (int at = 0; at < sent.size(); at += 70000)
                chunks += QByteArray::number(sent.mid(at, 70000).size(), 16) + "\r\n" + sent.mid(at, 70000) + "\r\n";
            LocalHttp::Route r { LocalHttp::Full, 200, chunks + "0\r\n\r\n", "text/plain", coding, false };
            r.headers = "Transfer-Encoding: chunked\r\n";
            http.route("/chunked" + coding, r);
        }
        for (const char *path : { "/plain", "/gzip", "/deflate", "/chunked", "/chunkedgzip" }) {
            const Run r = get(path, { 2 << 20, 5000, 5000 });
            QVERIFY2(r.ok, path);
            QCOMPARE(r.finished, 1);
            QCOMPARE(r.body, body);
            QVERIFY(r.largestPiece <= BoundedDownload::PieceBytes);
            QVERIFY(r.pieces >= body.size() / BoundedDownload::PieceBytes);
            QVERIFY2(r.ticks >= r.pieces - 1, path); // the program went on between the pieces
        }
        QCOMPARE(get("/gzip", { 2 << 20, 5000, 5000 }, true).body, body);
    }

    void budgetsEndTheDownload_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("failure");
        QTest::newRow("at the limit exactly") << "/limit" << int(BoundedDownload::Failure::None);
        QTest::newRow("a byte more, said") << "/over" << int(BoundedDownload::Failure::TooLarge);
        QTest::newRow("a byte more, unsaid") << "/over-unsaid" << int(BoundedDownload::Failure::TooLarge);
        QTest::newRow("inflating past it") << "/bomb" << int(BoundedDownload::Failure::TooLarge);
        QTest::newRow("cut compressed") << "/cut" << int(BoundedDownload::Failure::Garbled);
        QTest::newRow("not compressed at all") << "/liar" << int(BoundedDownload::Failure::Garbled);
        QTest::newRow("an encoding not asked for") << "/brotli" << int(BoundedDownload::Failure::Garbled);
        QTest::newRow("trickling") << "/drip" << int(BoundedDownload::Failure::TimedOut);
        QTest::newRow("silent") << "/silent" << int(BoundedDownload::Failure::TimedOut);
        QTest::newRow("an error status") << "/missing" << int(BoundedDownload::Failure::Network);
    }

    void budgetsEndTheDownload()
    {
        QFETCH(QString, path);
        QFETCH(int, failure);
        const int limit = 100000;
        const QByteArray exact(limit, 'x');
        http.serve("/limit", exact);
        http.serve("/over", exact + 'x');
        http.route("/over-unsaid", { LocalHttp::Full, 200, exact + 'x', "text/plain", QByteArray(), false });
        http.route("/bomb", { LocalHttp::Full, 200, LocalHttp::gzipBomb(1), "text/plain", "gzip" });
        http.route("/cut", { LocalHttp::Full, 200, LocalHttp::gzip(exact).left(40), "text/plain", "gzip", false });
        http.route("/liar", { LocalHttp::Full, 200, exact.left(500), "text/plain", "gzip" });
        http.route("/brotli", { LocalHttp::Full, 200, exact.left(500), "text/plain", "br" });
        http.route("/drip", { LocalHttp::Drip, 200, exact.left(100), "text/plain", QByteArray(), true, 20 });
        http.route("/silent", { LocalHttp::Silent, 200, exact });
        QElapsedTimer t;
        t.start();
        const Run r = get(path, { limit, 600, 300 });
        QCOMPARE(r.finished, 1);
        QCOMPARE(r.ok, failure == int(BoundedDownload::Failure::None));
        QCOMPARE(int(r.failure), failure);
        QVERIFY(r.body.size() <= limit);
        QVERIFY(t.elapsed() < 3000);
        QTRY_COMPARE(http.openConnections(), 0);
    }

    // Only the web is asked: a local address (a file, a pipe, a resource, data)
    // is refused before anything is opened, and so is a redirect to one.
    void onlyWebAddresses()
    {
        QTemporaryDir dir;
        const QString secret = TestEnv::writeFile(dir.path() + "/secret.txt", "not for the network");
        const QNetworkRequest::RedirectPolicy follow = QNetworkRequest::NoLessSafeRedirectPolicy;
        for (const QString &address : { QUrl::fromLocalFile(secret).toString(), QString("qrc:/image/menu/c0.png"),
                                        QString("data:text/plain,hello"), QString("ftp://127.0.0.1:1/x"),
                                        QString("FILE://") + secret }) {
            QNetworkRequest request { QUrl(address) };
            request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, follow);
            const Run r = get(request, { 1 << 20, 2000, 2000 });
            QVERIFY2(!r.ok, qPrintable(address));
            QCOMPARE(r.finished, 1);
            QVERIFY2(r.body.isEmpty(), qPrintable(address));
        }
        for (const QByteArray &to : { QUrl::fromLocalFile(secret).toEncoded(), QByteArray("data:text/plain,hello") }) {
            http.route("/away", LocalHttp::redirect(to));
            QNetworkRequest request { http.url("/away") };
            request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, follow);
            const Run r = get(request, { 1 << 20, 2000, 2000 });
            QVERIFY2(!r.ok, to.constData());
            QVERIFY(!r.body.contains("network"));
        }
        // A redirect to the web is followed as before.
        http.serve("/there", "arrived");
        http.route("/away", LocalHttp::redirect(http.url("/there").toEncoded()));
        QNetworkRequest request { http.url("/away") };
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, follow);
        const Run r = get(request, { 1 << 20, 2000, 2000 });
        QVERIFY(r.ok);
        QCOMPARE(r.body, QByteArray("arrived"));
        // A loop ends after so many, as the network's failure it is.
        http.route("/loop", LocalHttp::redirect(http.url("/loop").toEncoded()));
        http.requested.clear();
        BoundedDownload d;
        QSignalSpy finished(&d, &BoundedDownload::finished);
        request.setUrl(http.url("/loop"));
        d.start(request, { 1 << 20, 5000, 5000 });
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(int(d.failure()), int(BoundedDownload::Failure::Network));
        QCOMPARE(d.httpStatus(), 0);
        QCOMPARE(http.requested.size(), BoundedDownload::MaxRedirects + 1);
    }

    // A named pipe at a file address never blocks the program: it is not
    // opened at all. (Should it be, a writer opens it after a while so that
    // the test fails rather than hangs.)
    void aPipeIsNeverOpened()
    {
        QTemporaryDir dir;
        const QByteArray pipe = QFile::encodeName(dir.path() + "/pipe");
        QCOMPARE(::mkfifo(pipe.constData(), 0600), 0);
        std::atomic<bool> done { false };
        std::atomic<bool> opened { false };
        std::thread writer([&] {
            for (int i = 0; i < 300 && !done; ++i) {
                const int fd = ::open(pipe.constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    opened = true;
                    ::close(fd);
                    return;
                }
                ::usleep(10000);
            }
        });
        QElapsedTimer t;
        t.start();
        BoundedDownload d;
        QSignalSpy finished(&d, &BoundedDownload::finished);
        d.start(QNetworkRequest(QUrl::fromLocalFile(QFile::decodeName(pipe))), { 1 << 20, 60000, 60000 });
        const qint64 started = t.elapsed();
        QTRY_COMPARE(finished.count(), 1);
        done = true;
        writer.join();
        QVERIFY(started < 1000);
        QCOMPARE(finished.at(0).at(0).toBool(), false);
        QVERIFY(!opened);
    }

    // Every gzip member is read; a body that is not whole is no success.
    void membersAndCutBodies_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("coding");
        QTest::addColumn<bool>("length");
        QTest::addColumn<QByteArray>("expected"); // empty: refused
        const QByteArray one = LocalHttp::gzip(QByteArray("first member, ").repeated(5000));
        const QByteArray two = LocalHttp::gzip("second member");
        const QByteArray both = QByteArray("first member, ").repeated(5000) + "second member";
        QTest::newRow("two members") << one + two << QByteArray("gzip") << true << both;
        QTest::newRow("two members, unsaid") << one + two << QByteArray("gzip") << false << both;
        QTest::newRow("three, one empty") << one + LocalHttp::gzip("") + two << QByteArray("gzip") << true << both;
        QTest::newRow("second cut") << one + two.left(two.size() - 3) << QByteArray("gzip") << false << QByteArray();
        QTest::newRow("second cut early") << one + two.left(5) << QByteArray("gzip") << true << QByteArray();
        QTest::newRow("garbage after") << one + "trailing" << QByteArray("gzip") << true << QByteArray();
        QTest::newRow("trailer cut") << one.left(one.size() - 4) << QByteArray("gzip") << false << QByteArray();
        QTest::newRow("deflate, garbage after") << qCompress("zlib body").mid(4) + "more" << QByteArray("deflate")
                                                << true << QByteArray();
    }
    void membersAndCutBodies()
    {
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, coding);
        QFETCH(bool, length);
        QFETCH(QByteArray, expected);
        http.route("/members", { LocalHttp::Full, 200, body, "text/plain", coding, length });
        const Run r = get("/members", { 1 << 20, 3000, 3000 });
        QCOMPARE(r.finished, 1);
        QCOMPARE(r.ok, !expected.isEmpty());
        if (r.ok)
            QCOMPARE(r.body, expected);
    }

    // The length the server said is reached, or the body is no success.
    void lengthNotReached()
    {
        const QByteArray body(300000, 'c');
        for (const QByteArray &coding : { QByteArray(), QByteArray("gzip") }) {
            const QByteArray sent = coding.isEmpty() ? body : LocalHttp::gzip(body);
            http.route("/short", { LocalHttp::CutOff, 200, sent, "text/plain", coding });
            const Run r = get("/short", { 1 << 20, 3000, 3000 });
            QCOMPARE(r.finished, 1);
            QVERIFY2(!r.ok, coding.constData());
        }
    }

    // A failed download lets go of its connection at once, whatever it was
    // reading: a header line without end is cut, long before the time limit,
    // and the server sees the connection close.
    void endlessHeaderIsCut()
    {
        LocalHttp own;
        own.route("/header", { LocalHttp::EndlessHeader, 200, QByteArray(64 * 1024, 'h') });
        BoundedDownload d;
        QSignalSpy finished(&d, &BoundedDownload::finished);
        d.start(QNetworkRequest(own.url("/header")), { 1 << 20, 60000, 60000 });
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 30000);
        QCOMPARE(finished.at(0).at(0).toBool(), false);
        QCOMPARE(int(d.failure()), int(BoundedDownload::Failure::Garbled));
        QTRY_COMPARE(own.openConnections(), 0);
    }

    // An answer reads the same however the network cuts it: the body freed
    // of its framing, the end where the framing says, and no answer where
    // the framing is wrong or grows past its limits.
    void answersReadTheSameInAnyPieces_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("closes"); // the connection ends after the bytes
        QTest::addColumn<int>("state");
        QTest::addColumn<QByteArray>("body");
        const int done = int(HttpReplyReader::State::Done);
        const int broken = int(HttpReplyReader::State::Broken);
        const QByteArray body = "<china><city quName=\"北京\"/></china>";
        QByteArray chunked = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
        for (const QByteArray &part : { body.left(7), body.mid(7, 20), body.mid(27) })
            chunked += QByteArray::number(part.size(), 16) + ";name=value\r\n" + part + "\r\n";
        chunked += "0\r\nTrailer: x\r\n\r\n";
        QTest::newRow("length") << "HTTP/1.1 200 OK\r\nContent-Length: " + QByteArray::number(body.size())
                + "\r\n\r\n" + body + "after the end" << false << done << body;
        QTest::newRow("chunks") << chunked + "after the end" << false << done << body;
        QTest::newRow("until the end") << "HTTP/1.0 200 OK\r\n\r\n" + body << true << done << body;
        QTest::newRow("bare line ends, a 100 first") << QByteArray("HTTP/1.1 100 Continue\n\nHTTP/1.1 200 OK\n"
                                                                   "Content-Length: 4\nX-Folded: a\n b\n\nbody") << false << done << QByteArray("body");
        QTest::newRow("no body") << QByteArray("HTTP/1.1 204 No Content\r\n\r\n") << false << done << QByteArray();
        QTest::newRow("cut short") << "HTTP/1.1 200 OK\r\nContent-Length: 99\r\n\r\n" + body << true << broken
                                   << QByteArray();
        QTest::newRow("chunks cut short") << chunked.left(chunked.size() - 10) << true << broken << QByteArray();
        QTest::newRow("no http") << QByteArray("SSH-2.0-OpenSSH\r\n\r\n") << false << broken << QByteArray();
        QTest::newRow("a head without end") << "HTTP/1.1 200 OK\r\nX: " + QByteArray(HttpReplyReader::MaxHeadBytes, 'h')
                                            << false << broken << QByteArray();
        QTest::newRow("a chunk line without end") << "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1;"
                + QByteArray(HttpReplyReader::MaxChunkLineBytes, 'x') << false << broken << QByteArray();
        QTest::newRow("no chunk size") << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n")
                                       << false << broken << QByteArray();
        QTest::newRow("two lengths") << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 4\r\nContent-Length: 5\r\n\r\n")
                                     << false << broken << QByteArray();
        QTest::newRow("a transfer coding") << QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip, chunked\r\n\r\n")
                                           << false << broken << QByteArray();
    }
    void answersReadTheSameInAnyPieces()
    {
        QFETCH(QByteArray, answer);
        QFETCH(bool, closes);
        QFETCH(int, state);
        QFETCH(QByteArray, body);
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        for (int run = 0; run < 50; ++run) {
            HttpReplyReader reader;
            QByteArray got;
            for (int at = 0; at < answer.size();) {
                const int size = run == 0 ? 1 : 1 + int(random.bounded(quint32(qMin(answer.size(), 9000))));
                got += reader.feed(answer.mid(at, size));
                at += size;
            }
            if (closes)
                reader.closed();
            QVERIFY2(int(reader.state()) == state, qPrintable(QString("seed %1: %2").arg(seed).arg(reader.problem())));
            if (reader.state() == HttpReplyReader::State::Done)
                QCOMPARE(got, body);
        }
    }

    // A body without end is read as fast as the reader takes it and never
    // held: memory stays flat until the size limit ends it, also when the
    // reader (a slow disk) takes each piece more slowly than the network
    // brings it.
    void endlessBodyIsNeverHeld()
    {
        QByteArray chunk;
        for (int i = 0; chunk.size() < 256 * 1024; ++i)
            chunk += QByteArray::number(i) + ' ';
        http.route("/endless", { LocalHttp::Endless, 200, chunk });
        const qint64 limit = qint64(64) << 20;
        BoundedDownload d;
        d.setKeepBody(false);
        qint64 seen = 0;
        connect(&d, &BoundedDownload::piece, this, [&](const QByteArray &p) {
            seen += p.size();
            QThread::usleep(200);
        });
        QSignalSpy finished(&d, &BoundedDownload::finished);
        TestEnv::resetPeakMemory();
        const long before = TestEnv::peakMemoryKb();
        d.start(QNetworkRequest(http.url("/endless")), { limit, 120000, 10000 });
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 120000);
        QCOMPARE(int(d.failure()), int(BoundedDownload::Failure::TooLarge));
        QVERIFY(seen <= limit);
        QVERIFY(seen > limit - (4 << 20));
        const long grown = TestEnv::peakMemoryKb() - before;
        QVERIFY2(grown < 16 * 1024, qPrintable(QString("grew by %1 KiB").arg(grown)));
    }
};

ZV_TEST_MAIN(TestBoundedDownload)
#include "tst_boundeddownload.moc"
