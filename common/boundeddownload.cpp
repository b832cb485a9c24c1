#include "boundeddownload.h"

#include "bodydecoder.h"
#include "common/logging.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace {

// Qt holds no more than this of a reply between two of our reads; the rest
// waits on the wire.
constexpr qint64 ReadBufferBytes = 4 * BoundedDownload::PieceBytes;

} // namespace

bool BoundedDownload::isWebAddress(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty()
        && (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

BoundedDownload::BoundedDownload(QNetworkAccessManager *manager, QObject *parent)
    : QObject(parent), m_manager(manager), m_total(new QTimer(this)), m_pump(new QTimer(this))
{
    m_total->setSingleShot(true);
    connect(m_total, &QTimer::timeout, this, [this] { fail(Failure::TimedOut); });
    // One piece per pass of the event loop.
    m_pump->setSingleShot(true);
    m_pump->setInterval(0);
    connect(m_pump, &QTimer::timeout, this, &BoundedDownload::pump);
}

BoundedDownload::~BoundedDownload()
{
    release();
}

void BoundedDownload::start(QNetworkRequest request, const Budget &budget)
{
    abort();
    m_budget = budget;
    m_url = m_at = request.url();
    m_body.clear();
    m_rawReceived = m_delivered = 0;
    m_rawExpected = m_expected = -1;
    m_replyDone = m_headersSeen = false;
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

    // Redirects we are told to follow are looked at before they are: only
    // to the web, and no less safe than the request allows.
    const QVariant policy = request.attribute(QNetworkRequest::RedirectPolicyAttribute);
    m_redirectPolicy = policy.isValid() ? policy.toInt() : int(m_manager->redirectPolicy());
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    if (!policy.isValid() && request.attribute(QNetworkRequest::FollowRedirectsAttribute).toBool())
        m_redirectPolicy = QNetworkRequest::NoLessSafeRedirectPolicy;
    request.setAttribute(QNetworkRequest::FollowRedirectsAttribute, QVariant());
    QT_WARNING_POP
    if (m_redirectPolicy != QNetworkRequest::ManualRedirectPolicy)
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::UserVerifiedRedirectPolicy);

    // Asked for by name, so that Qt hands the body over as it came and we
    // count what it inflates to.
    request.setRawHeader("Accept-Encoding", "gzip, deflate");
    request.setTransferTimeout(budget.idleMs);
    QNetworkReply *reply = m_manager->get(request);
    m_reply = reply;
    reply->setReadBufferSize(ReadBufferBytes);
    connect(reply, &QNetworkReply::metaDataChanged, this, &BoundedDownload::headersArrived);
    connect(reply, &QNetworkReply::readyRead, this, &BoundedDownload::schedule);
    connect(reply, &QNetworkReply::redirected, this, &BoundedDownload::redirected);
    connect(reply, &QNetworkReply::finished, this, &BoundedDownload::replyFinished);
    m_total->start(budget.totalMs);
}

void BoundedDownload::abort()
{
    m_running = false;
    m_pending = Failure::None;
    m_total->stop();
    m_pump->stop();
    release();
    m_decoder.reset();
}

void BoundedDownload::release()
{
    if (QNetworkReply *r = m_reply.data()) {
        m_reply = nullptr;
        r->disconnect(this);
        r->abort();
        r->deleteLater();
    }
}

void BoundedDownload::redirected(const QUrl &to)
{
    if (!m_reply || !m_running)
        return;
    const QUrl next = m_at.resolved(to);
    bool allowed = isWebAddress(next);
    if (m_redirectPolicy == QNetworkRequest::NoLessSafeRedirectPolicy)
        allowed = allowed && !(m_at.scheme() == QLatin1String("https") && next.scheme() == QLatin1String("http"));
    else if (m_redirectPolicy == QNetworkRequest::SameOriginRedirectPolicy)
        allowed = allowed && next.scheme() == m_at.scheme() && next.host() == m_at.host()
            && next.port(next.scheme() == QLatin1String("https") ? 443 : 80)
                == m_at.port(m_at.scheme() == QLatin1String("https") ? 443 : 80);
    if (!allowed) {
        failLater(Failure::Refused, QStringLiteral("redirect to %1").arg(next.toString()));
        return;
    }
    m_at = next;
    m_reply->redirectAllowed();
}

void BoundedDownload::headersArrived()
{
    if (!m_reply || m_headersSeen || !m_running)
        return;
    const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    // A redirect's own headers say nothing of the body to come.
    if (status.isValid() && status.toInt() >= 300 && status.toInt() < 400)
        return;
    m_headersSeen = true;
    m_status = status.toInt();
    // An error page is no body of ours: its reader never sees a byte of it.
    // (Qt sets the reply's own error after this signal: it is aborted later.)
    if (m_status != 0 && (m_status < 200 || m_status > 299)) {
        failLater(Failure::Network, QStringLiteral("HTTP %1").arg(m_status));
        return;
    }
    const BodyDecoder::Coding coding = BodyDecoder::codingOf(m_reply->rawHeader("Content-Encoding"));
    if (coding == BodyDecoder::Coding::Unknown) {
        failLater(Failure::Garbled, QStringLiteral("an encoding not asked for"));
        return;
    }
    m_decoder.reset(new BodyDecoder(coding));
    // What comes compressed is never larger than what it inflates to.
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > m_budget.maxBytes) {
        failLater(Failure::TooLarge, QString());
        return;
    }
    if (length.isValid())
        m_rawExpected = length.toLongLong();
    if (coding == BodyDecoder::Coding::Identity)
        m_expected = m_rawExpected;
}

void BoundedDownload::replyFinished()
{
    QNetworkReply *r = m_reply;
    if (!r || !m_running || m_pending != Failure::None)
        return;
    if (r->error() != QNetworkReply::NoError) {
        fail(r->error() == QNetworkReply::OperationCanceledError ? Failure::TimedOut : Failure::Network,
             r->errorString());
        return;
    }
    const int status = r->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    m_status = status;
    if (status != 0 && (status < 200 || status > 299)) {
        fail(Failure::Network, QStringLiteral("HTTP %1").arg(status));
        return;
    }
    // What the reply still holds is read piece by piece, as before.
    m_replyDone = true;
    schedule();
}

void BoundedDownload::schedule()
{
    if (m_running && !m_pump->isActive())
        m_pump->start();
}

// One piece per pass: a piece of what arrived is taken from the reply only
// when the last one has been handed out, so what waits is Qt's bounded
// buffer and the wire, never a growing one of ours.
void BoundedDownload::pump()
{
    if (!m_running)
        return;
    if (m_pending != Failure::None) {
        fail(m_pending, m_pendingWhy);
        return;
    }
    if (!m_headersSeen && m_reply && (m_reply->bytesAvailable() > 0 || m_replyDone))
        headersArrived();
    if (!m_running || !m_decoder)
        return;
    if (m_decoder->wantsInput() && m_reply && m_reply->bytesAvailable() > 0) {
        const QByteArray raw = m_reply->read(PieceBytes);
        m_rawReceived += raw.size();
        if (m_rawReceived > m_budget.maxBytes) {
            fail(Failure::TooLarge);
            return;
        }
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
        if (m_keepBody)
            m_body += out;
        emit progress(m_delivered, m_expected);
        if (!m_running)
            return;
        emit piece(out);
        if (!m_running)
            return;
    }
    if (!m_decoder->wantsInput() || (m_reply && m_reply->bytesAvailable() > 0)) {
        schedule();
        return;
    }
    if (m_replyDone) {
        // A body cut short never reached its end, nor the length its server said.
        if (!m_decoder->complete() || (m_rawExpected >= 0 && m_rawReceived != m_rawExpected)) {
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
