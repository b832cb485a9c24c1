#pragma once
#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <memory>

class BodyDecoder;
class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;
class QTimer;

// One HTTP GET that a server cannot make costly: the body (inflated, when it
// comes compressed) may not pass a size limit, the whole exchange has a time
// limit besides the one on silence, and the body reaches its reader in small
// pieces, one per pass of the event loop, so that the program answers while
// a large body is read and taken apart.
//
// The body streams: no more of it is taken from the network than the reader
// has had handed to it, so memory stays flat whatever the size and the
// server waits on a slow reader. We inflate compressed bodies ourselves: Qt
// would inflate a whole received chunk before anyone could count it, and a
// megabyte of gzip can stand for a gigabyte.
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
        Network,   // no connection, an error reply or a status other than 2xx
        TimedOut,  // silent too long, or the whole exchange took too long
        TooLarge,  // the body passed maxBytes (or said it would)
        Garbled,   // a body cut short, a compressed body that does not inflate, or an encoding we did not ask for
        Refused,   // not a web address, or a redirect to one (or to less safety than the request allows)
    };
    // The most a piece holds; a larger body comes in several.
    static constexpr int PieceBytes = 64 * 1024;

    explicit BoundedDownload(QNetworkAccessManager *manager, QObject *parent = nullptr);
    ~BoundedDownload() override;

    // Starts the GET. A download still running is abandoned first: nothing
    // more is heard of it. An address that is not the web's ends in a
    // Refused failure from the event loop, as a network failure would.
    void start(QNetworkRequest request, const Budget &budget);
    // Abandons the running download without a finished() signal.
    void abort();
    bool isRunning() const { return m_running; }

    // Whether the pieces are kept for body() too (the default), or only
    // handed out by piece().
    void setKeepBody(bool keep) { m_keepBody = keep; }
    QByteArray body() const { return m_body; }
    QUrl url() const { return m_url; }
    Failure failure() const { return m_failure; }
    // The network's own words for a Network failure; else empty.
    QString networkError() const { return m_networkError; }
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
    void replyFinished();
    void headersArrived();
    void redirected(const QUrl &to);
    void schedule();
    void pump();
    void fail(Failure why, const QString &network = QString());
    void failLater(Failure why, const QString &network);
    void end(bool ok);
    void release();

    QNetworkAccessManager *m_manager;
    QPointer<QNetworkReply> m_reply;
    QTimer *m_total;
    QTimer *m_pump;
    std::unique_ptr<BodyDecoder> m_decoder; // made when the headers say the coding
    Budget m_budget;
    QUrl m_url;
    QUrl m_at; // where the running request is, after the redirects so far
    int m_redirectPolicy = 0; // the request's own (QNetworkRequest::RedirectPolicy)
    QByteArray m_body;
    qint64 m_rawReceived = 0;
    qint64 m_rawExpected = -1; // as the server said, of the body as it comes
    qint64 m_delivered = 0;
    qint64 m_expected = -1;
    bool m_keepBody = true;
    bool m_running = false;
    // A failure found where the reply may not be aborted (in one of its
    // signals, or before there is one): raised at the next pass.
    Failure m_pending = Failure::None;
    QString m_pendingWhy;
    bool m_replyDone = false;
    bool m_headersSeen = false;
    Failure m_failure = Failure::None;
    QString m_networkError;
    int m_status = 0;
};
