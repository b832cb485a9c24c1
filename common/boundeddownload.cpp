#include "boundeddownload.h"

#include "bodydecoder.h"
#include "httpreplyreader.h"
#include "common/logging.h"

#include <QNetworkRequest>
#include <QSslSocket>
#include <QTimer>

namespace {

// The socket holds no more than this of an answer between two of our reads;
// the rest waits on the wire.
constexpr qint64 ReadBufferBytes = 4 * BoundedDownload::PieceBytes;

// Fields the exchange itself sets: the request's own are not sent for them.
bool ownField(const QByteArray &name)
{
    static const QList<QByteArray> own = { "host", "accept-encoding", "connection", "content-length",
                                           "transfer-encoding", "te", "upgrade" };
    return own.contains(name.toLower());
}

bool defaultPort(const QUrl &url)
{
    return url.port() < 0 || url.port() == (url.scheme() == QLatin1String("https") ? 443 : 80);
}

} // namespace

bool BoundedDownload::isWebAddress(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty()
        && (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

BoundedDownload::BoundedDownload(QObject *parent)
    : QObject(parent), m_total(new QTimer(this)), m_idle(new QTimer(this)), m_pump(new QTimer(this))
{
    m_total->setSingleShot(true);
    connect(m_total, &QTimer::timeout, this, [this] { fail(Failure::TimedOut, QStringLiteral("the time was up")); });
    m_idle->setSingleShot(true);
    connect(m_idle, &QTimer::timeout, this, [this] { fail(Failure::TimedOut, QStringLiteral("silent too long")); });
    // One piece per pass of the event loop.
    m_pump->setSingleShot(true);
    m_pump->setInterval(0);
    connect(m_pump, &QTimer::timeout, this, &BoundedDownload::pump);
}

BoundedDownload::~BoundedDownload()
{
    release();
}

void BoundedDownload::start(const QNetworkRequest &request, const Budget &budget)
{
    abort();
    m_budget = budget;
    m_url = m_at = request.url();
    m_body.clear();
    m_rawReceived = m_delivered = 0;
    m_expected = -1;
    m_redirects = 0;
    m_decoder.reset();
    m_failure = Failure::None;
    m_networkError.clear();
    m_status = 0;
    m_running = true;

    // Nothing but the web is opened: a file, a pipe or a resource is
    // refused before it is touched.
    if (!isWebAddress(m_url)) {
        failLater(Failure::Refused, QStringLiteral("not a web address"));
        return;
    }

    // Redirects are followed only when the request asks, and looked at
    // before they are: only to the web, and no less safe than it allows.
    const QVariant policy = request.attribute(QNetworkRequest::RedirectPolicyAttribute);
    m_redirectPolicy = policy.isValid() ? policy.toInt() : int(QNetworkRequest::ManualRedirectPolicy);
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    if (!policy.isValid() && request.attribute(QNetworkRequest::FollowRedirectsAttribute).toBool())
        m_redirectPolicy = QNetworkRequest::NoLessSafeRedirectPolicy;
    QT_WARNING_POP

    m_fields.clear();
    for (const QByteArray &name : request.rawHeaderList()) {
        const QByteArray value = request.rawHeader(name);
        // A line break would end the field, or the head, where the server reads it.
        if (ownField(name) || name.contains('\r') || name.contains('\n') || value.contains('\r') || value.contains('\n'))
            continue;
        m_fields.append({ name, value });
    }
    m_total->start(budget.totalMs);
    open(m_url);
}

void BoundedDownload::open(const QUrl &url)
{
    m_reader.reset(new HttpReplyReader);
    m_carry.clear();
    m_connectionEnded = false;
    const bool secure = url.scheme().toLower() == QLatin1String("https");
    QTcpSocket *socket = secure ? new QSslSocket(this) : new QTcpSocket(this);
    m_socket = socket;
    socket->setReadBufferSize(ReadBufferBytes);
    connect(socket, &QAbstractSocket::readyRead, this, &BoundedDownload::schedule);
    connect(socket, &QAbstractSocket::errorOccurred, this, &BoundedDownload::socketError);
    connect(socket, &QAbstractSocket::disconnected, this, [this] {
        m_connectionEnded = true;
        schedule();
    });
    const QString host = url.host(QUrl::FullyEncoded);
    const quint16 port = quint16(url.port(secure ? 443 : 80));
    touched();
    if (secure) {
        auto *tls = static_cast<QSslSocket *>(socket);
        connect(tls, &QSslSocket::encrypted, this, &BoundedDownload::sendRequest);
        tls->connectToHostEncrypted(host, port);
    } else {
        connect(socket, &QAbstractSocket::connected, this, &BoundedDownload::sendRequest);
        socket->connectToHost(host, port);
    }
}

void BoundedDownload::sendRequest()
{
    if (!m_socket)
        return;
    QByteArray target = m_at.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment);
    if (!target.startsWith('/'))
        target.prepend('/');
    QByteArray host = m_at.host(QUrl::FullyEncoded).toLatin1();
    if (host.contains(':'))
        host = '[' + host + ']';
    if (!defaultPort(m_at))
        host += ':' + QByteArray::number(m_at.port());
    QByteArray head = "GET " + target + " HTTP/1.1\r\nHost: " + host + "\r\n";
    bool agent = false;
    for (const auto &field : qAsConst(m_fields)) {
        head += field.first + ": " + field.second + "\r\n";
        agent = agent || field.first.toLower() == "user-agent";
    }
    if (!agent)
        head += "User-Agent: Mozilla/5.0\r\n";
    // Asked for by name, so that we count what the body inflates to.
    head += "Accept-Encoding: gzip, deflate\r\nConnection: close\r\n\r\n";
    m_socket->write(head);
}

void BoundedDownload::socketError()
{
    if (!m_socket)
        return;
    // A body that ended where its framing says has all it needs.
    if (m_reader && m_reader->state() == HttpReplyReader::State::Done)
        return;
    // A server that closes is how many bodies end: the reader judges that.
    if (m_socket->error() == QAbstractSocket::RemoteHostClosedError) {
        m_connectionEnded = true;
        schedule();
        return;
    }
    failLater(Failure::Network, m_socket->errorString());
}

void BoundedDownload::abort()
{
    m_running = false;
    m_pending = Failure::None;
    m_total->stop();
    m_idle->stop();
    m_pump->stop();
    release();
    m_decoder.reset();
}

// The connection goes at once: nothing more is read, and the server sees it
// closed.
void BoundedDownload::release()
{
    if (QTcpSocket *s = m_socket.data()) {
        m_socket = nullptr;
        s->disconnect(this);
        s->abort();
        s->deleteLater();
    }
    m_carry.clear();
}

void BoundedDownload::touched()
{
    m_idle->start(m_budget.idleMs);
}

void BoundedDownload::readHead()
{
    if (m_socket && m_socket->bytesAvailable() > 0) {
        m_carry = m_reader->feed(m_socket->read(PieceBytes));
        touched();
    } else if (m_connectionEnded) {
        fail(Failure::Network, QStringLiteral("the server closed the connection without an answer"));
        return;
    }
    if (m_reader->state() == HttpReplyReader::State::Broken) {
        fail(Failure::Garbled, m_reader->problem());
        return;
    }
    if (m_reader->headComplete())
        headArrived();
    else if (m_connectionEnded || (m_socket && m_socket->bytesAvailable() > 0))
        schedule();
}

void BoundedDownload::headArrived()
{
    const int status = m_reader->status();
    const QByteArray location = m_reader->header("location");
    if (status >= 300 && status < 400 && !location.isEmpty()
        && m_redirectPolicy != QNetworkRequest::ManualRedirectPolicy) {
        redirect(location);
        return;
    }
    m_status = status;
    // An error page is no body of ours: its reader never sees a byte of it.
    if (m_status < 200 || m_status > 299) {
        fail(Failure::Network, QStringLiteral("HTTP %1").arg(m_status));
        return;
    }
    const BodyDecoder::Coding coding = BodyDecoder::codingOf(m_reader->header("content-encoding"));
    if (coding == BodyDecoder::Coding::Unknown) {
        fail(Failure::Garbled, QStringLiteral("an encoding not asked for"));
        return;
    }
    m_decoder.reset(new BodyDecoder(coding));
    // What comes compressed is never larger than what it inflates to.
    const qint64 length = m_reader->contentLength();
    if (length > m_budget.maxBytes) {
        fail(Failure::TooLarge);
        return;
    }
    if (coding == BodyDecoder::Coding::Identity)
        m_expected = length;
    schedule();
}

void BoundedDownload::redirect(const QByteArray &location)
{
    const QUrl next = m_at.resolved(QUrl(QString::fromUtf8(location)));
    bool allowed = isWebAddress(next);
    if (m_redirectPolicy == QNetworkRequest::NoLessSafeRedirectPolicy)
        allowed = allowed && !(m_at.scheme() == QLatin1String("https") && next.scheme() == QLatin1String("http"));
    else if (m_redirectPolicy == QNetworkRequest::SameOriginRedirectPolicy)
        allowed = allowed && next.scheme() == m_at.scheme() && next.host() == m_at.host()
            && next.port(next.scheme() == QLatin1String("https") ? 443 : 80)
                == m_at.port(m_at.scheme() == QLatin1String("https") ? 443 : 80);
    if (!allowed) {
        fail(Failure::Refused, QStringLiteral("redirect to %1").arg(next.toString()));
        return;
    }
    // A loop is no answer, and no status the server gave.
    if (++m_redirects > MaxRedirects) {
        fail(Failure::Network, QStringLiteral("Too many redirects"));
        return;
    }
    release();
    m_at = next;
    open(next);
}

QByteArray BoundedDownload::nextBodyBytes()
{
    QByteArray bytes;
    if (!m_carry.isEmpty()) {
        bytes.swap(m_carry);
    } else if (m_reader->state() == HttpReplyReader::State::Body && m_socket && m_socket->bytesAvailable() > 0) {
        bytes = m_reader->feed(m_socket->read(PieceBytes));
        touched();
    } else if (m_reader->state() == HttpReplyReader::State::Body && m_connectionEnded) {
        m_reader->closed();
    }
    return bytes;
}

void BoundedDownload::schedule()
{
    if (m_running && !m_pump->isActive())
        m_pump->start();
}

// One piece per pass: a piece of what arrived is taken from the connection
// only when the last one has been handed out, so what waits is the socket's
// bounded buffer and the wire, never a growing one of ours.
void BoundedDownload::pump()
{
    if (!m_running)
        return;
    if (m_pending != Failure::None) {
        fail(m_pending, m_pendingWhy);
        return;
    }
    if (!m_reader)
        return;
    if (!m_reader->headComplete()) {
        readHead();
        return;
    }
    if (!m_decoder)
        return;
    if (m_decoder->wantsInput()) {
        const QByteArray raw = nextBodyBytes();
        if (m_reader->state() == HttpReplyReader::State::Broken) {
            fail(Failure::Garbled, m_reader->problem());
            return;
        }
        m_rawReceived += raw.size();
        if (m_rawReceived > m_budget.maxBytes) {
            fail(Failure::TooLarge);
            return;
        }
        if (!raw.isEmpty())
            m_decoder->give(raw);
    }
    QByteArray out;
    if (!m_decoder->take(&out, PieceBytes)) {
        fail(Failure::Garbled);
        return;
    }
    if (!out.isEmpty()) {
        m_delivered += out.size();
        if (m_delivered > m_budget.maxBytes) {
            fail(Failure::TooLarge);
            return;
        }
        touched();
        if (m_keepBody)
            m_body += out;
        emit progress(m_delivered, m_expected);
        if (!m_running)
            return;
        emit piece(out);
        if (!m_running)
            return;
    }
    const bool reading = m_reader->state() == HttpReplyReader::State::Body;
    if (!m_decoder->wantsInput() || !m_carry.isEmpty()
        || (reading && ((m_socket && m_socket->bytesAvailable() > 0) || m_connectionEnded))) {
        schedule();
        return;
    }
    if (m_reader->state() == HttpReplyReader::State::Done) {
        // A compressed body cut short never reached its own end.
        if (!m_decoder->complete()) {
            fail(Failure::Garbled, QStringLiteral("the body ended early"));
            return;
        }
        end(true);
    }
}

void BoundedDownload::failLater(Failure why, const QString &network)
{
    if (m_pending != Failure::None)
        return;
    m_pending = why;
    m_pendingWhy = network;
    schedule();
}

void BoundedDownload::fail(Failure why, const QString &network)
{
    if (!m_running)
        return;
    m_failure = why;
    m_networkError = network;
    if (why == Failure::Refused || why == Failure::TooLarge)
        qCWarning(lcNet) << "download failed:" << m_url.toString() << int(why) << network;
    else
        qCDebug(lcNet) << "download failed:" << m_url.toString() << int(why) << network;
    end(false);
}

void BoundedDownload::end(bool ok)
{
    abort();
    if (!ok)
        m_body.clear();
    emit finished(ok);
}
