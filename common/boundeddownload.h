#pragma once
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <memory>

class BodyDecoder;
class HttpReplyReader;
class QNetworkRequest;
class QTcpSocket;
class QTimer;

// One HTTP GET that a server cannot make costly: the body (inflated, when it
// comes compressed) may not pass a size limit, the whole exchange has a time
// limit besides the one on silence, and the body reaches its reader in small
// pieces, one per pass of the event loop, so that the program answers while
// a large body is read and taken apart.
//
// The body streams: no more of it is taken from the network than the reader
// has had handed to it, so memory stays flat whatever the size and the
// server waits on a slow reader. We inflate compressed bodies ourselves: a
// megabyte of gzip can stand for a gigabyte.
//
// We speak HTTP/1.1 ourselves, on a socket of the program's own thread, one
// connection per request: every failure closes the connection at once,
// whatever was being read, and no part of an answer (its head, a chunk line)
// grows without bound. Qt's network access reads the head of a plain HTTP
// answer one byte per system call, in a thread of its own that hears of
// nothing else while bytes keep coming: a server that sends a header line
// without end kept it reading, and growing, long after we had given up.
//
// Only web addresses (http, https) are asked, and only redirects to them
// followed: a file address would be read whole, a named pipe would block the
// program for ever.
class BoundedDownload : public QObject
{
    Q_OBJECT
public:
    struct Budget
    {
        qint64 maxBytes = 1 << 20; // of body, after inflating
        int totalMs = 60000;       // from start to the last byte
        int idleMs = 15000;        // without a byte
    };
    enum class Failure {
        None,
        Network,   // no connection, no answer, a status other than 2xx, or too many redirects
        TimedOut,  // silent too long, or the whole exchange took too long
        TooLarge,  // the body passed maxBytes (or said it would)
        Garbled,   // an answer that is no HTTP, a body cut short, a compressed body that does not inflate, or an encoding we did not ask for
        Refused,   // not a web address, or a redirect to one (or to less safety than the request allows)
    };
    // The most a piece holds; a larger body comes in several.
    static constexpr int PieceBytes = 64 * 1024;
    // Redirects followed one after the other, as browsers allow.
    static constexpr int MaxRedirects = 20;

    explicit BoundedDownload(QObject *parent = nullptr);
    ~BoundedDownload() override;

    // Starts the GET. A download still running is abandoned first: nothing
    // more is heard of it. An address that is not the web's ends in a
    // Refused failure from the event loop, as a network failure would. Of
    // the request, its address, its own header fields and its redirect
    // attributes are heard (redirects are followed only when it asks).
    void start(const QNetworkRequest &request, const Budget &budget);
    // Abandons the running download without a finished() signal.
    void abort();
    bool isRunning() const { return m_running; }

    // Whether the pieces are kept for body() too (the default), or only
    // handed out by piece().
    void setKeepBody(bool keep) { m_keepBody = keep; }
    QByteArray body() const { return m_body; }
    QUrl url() const { return m_url; }
    Failure failure() const { return m_failure; }
    // The network's own words for a failure; else empty.
    QString networkError() const { return m_networkError; }
    // The status of the final answer (a redirect's is never one); 0 before.
    int httpStatus() const { return m_status; }

    // Whether url is one this download asks: http or https, with a host.
    static bool isWebAddress(const QUrl &url);

signals:
    // A piece of the body, in order.
    void piece(const QByteArray &bytes);
    // Body bytes so far, and the total when the server said it (else -1).
    void progress(qint64 received, qint64 total);
    // The end, once every piece has been handed out; ok means the whole body
    // arrived within the budget.
    void finished(bool ok);

private:
    void open(const QUrl &url);
    void sendRequest();
    void socketError();
    void readHead();
    void headArrived();
    void redirect(const QByteArray &location);
    // The next body bytes, freed of their framing: those that came with the
    // head, else a piece read from the connection.
    QByteArray nextBodyBytes();
    void touched();
    void schedule();
    void pump();
    void fail(Failure why, const QString &network = QString());
    void failLater(Failure why, const QString &network);
    void end(bool ok);
    void release();

    QPointer<QTcpSocket> m_socket; // a QSslSocket for https
    std::unique_ptr<HttpReplyReader> m_reader; // of the running request
    QTimer *m_total;
    QTimer *m_idle;
    QTimer *m_pump;
    std::unique_ptr<BodyDecoder> m_decoder; // made when the head says the coding
    Budget m_budget;
    QUrl m_url;
    QUrl m_at; // where the running request is, after the redirects so far
    QList<QPair<QByteArray, QByteArray>> m_fields; // the request's own header fields
    int m_redirectPolicy = 0; // the request's own (QNetworkRequest::RedirectPolicy)
    int m_redirects = 0;
    QByteArray m_carry; // body bytes that came with the head, framing removed
    bool m_connectionEnded = false;
    QByteArray m_body;
    qint64 m_rawReceived = 0;
    qint64 m_delivered = 0;
    qint64 m_expected = -1;
    bool m_keepBody = true;
    bool m_running = false;
    // A failure found where the connection may not be let go of (in one of
    // its signals, or before there is one): raised at the next pass.
    Failure m_pending = Failure::None;
    QString m_pendingWhy;
    Failure m_failure = Failure::None;
    QString m_networkError;
    int m_status = 0;
};
