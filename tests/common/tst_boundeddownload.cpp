// A download within its budget: the body in small pieces, one per pass of
// the event loop, inflated by us as it comes, and cut off at its limits.
#include "common/boundeddownload.h"
#include "localhttp.h"
#include "testenv.h"

#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkRequest>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

class TestBoundedDownload : public QObject
{
    Q_OBJECT

    LocalHttp http;
    QNetworkAccessManager manager;

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
        Run run;
        BoundedDownload d(&manager);
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
        d.start(QNetworkRequest(http.url(path)), budget);
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
        for (const char *path : { "/plain", "/gzip", "/deflate" }) {
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
    }
};

ZV_TEST_MAIN(TestBoundedDownload)
#include "tst_boundeddownload.moc"
