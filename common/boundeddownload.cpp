#include "boundeddownload.h"

#include <QDebug>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <zlib.h>

struct BoundedDownload::Inflater
{
    z_stream z {};
    bool ended = false;
    bool full = false; // the last piece filled up: more may wait inside zlib

    explicit Inflater(int windowBits) { ok = inflateInit2(&z, windowBits) == Z_OK; }
    ~Inflater()
    {
        if (ok)
            inflateEnd(&z);
    }
    bool ok = false;
};

BoundedDownload::Coding BoundedDownload::codingOf(const QByteArray &header)
{
    const QByteArray h = header.trimmed().toLower();
    if (h.isEmpty() || h == "identity")
        return Coding::Identity;
    if (h == "gzip" || h == "x-gzip")
        return Coding::Gzip;
    if (h == "deflate")
        return Coding::Deflate;
    return Coding::Unknown; // another coding, or several layers
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
    m_url = request.url();
    m_raw.clear();
    m_body.clear();
    m_rawReceived = m_delivered = 0;
    m_expected = -1;
    m_replyDone = m_headersSeen = false;
    m_coding = Coding::Identity;
    m_inflater.reset();
    m_failure = Failure::None;
    m_networkError.clear();
    m_status = 0;
    m_running = true;

    // Asked for by name, so that Qt hands the body over as it came and we
    // count what it inflates to.
    request.setRawHeader("Accept-Encoding", "gzip, deflate");
    request.setTransferTimeout(budget.idleMs);
    QNetworkReply *reply = m_manager->get(request);
    m_reply = reply;
    // Qt holds no more than this between two reads; the rest waits on the wire.
    reply->setReadBufferSize(4 * PieceBytes);
    connect(reply, &QNetworkReply::metaDataChanged, this, &BoundedDownload::headersArrived);
    connect(reply, &QNetworkReply::readyRead, this, &BoundedDownload::readReply);
    connect(reply, &QNetworkReply::finished, this, &BoundedDownload::replyFinished);
    m_total->start(budget.totalMs);
}

void BoundedDownload::abort()
{
    m_running = false;
    m_total->stop();
    m_pump->stop();
    release();
    m_raw.clear();
    m_inflater.reset();
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

void BoundedDownload::headersArrived()
{
    if (!m_reply || m_headersSeen)
        return;
    const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    // A redirect's own headers say nothing of the body to come.
    if (status.isValid() && status.toInt() >= 300 && status.toInt() < 400)
        return;
    m_headersSeen = true;
    m_status = status.toInt();
    const Coding coding = codingOf(m_reply->rawHeader("Content-Encoding"));
    if (coding == Coding::Unknown) {
        fail(Failure::Garbled);
        return;
    }
    m_coding = coding;
    // What comes compressed is never larger than what it inflates to.
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > m_budget.maxBytes) {
        fail(Failure::TooLarge);
        return;
    }
    if (m_coding == Coding::Identity && length.isValid())
        m_expected = length.toLongLong();
}

void BoundedDownload::readReply()
{
    if (!m_reply || !m_running)
        return;
    if (!m_headersSeen)
        headersArrived();
    if (!m_running)
        return;
    const QByteArray data = m_reply->readAll();
    m_rawReceived += data.size();
    if (m_rawReceived > m_budget.maxBytes) {
        fail(Failure::TooLarge);
        return;
    }
    m_raw += data;
    schedule();
}

void BoundedDownload::replyFinished()
{
    QNetworkReply *r = m_reply;
    if (!r || !m_running)
        return;
    if (r->error() != QNetworkReply::NoError) {
        fail(r->error() == QNetworkReply::OperationCanceledError ? Failure::TimedOut : Failure::Network,
             r->errorString());
        return;
    }
    readReply();
    if (!m_running)
        return;
    const int status = r->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    m_status = status;
    if (status != 0 && (status < 200 || status > 299)) {
        fail(Failure::Network, QStringLiteral("HTTP %1").arg(status));
        return;
    }
    m_replyDone = true;
    schedule();
}

void BoundedDownload::schedule()
{
    if (m_running && !m_pump->isActive())
        m_pump->start();
}

bool BoundedDownload::inflateSome(QByteArray *out)
{
    if (!m_inflater) {
        // "deflate" is meant to come with a zlib header, but often comes bare.
        int bits = 15 + 32; // a gzip or a zlib header, whichever it is
        if (m_coding == Coding::Deflate && m_raw.size() >= 2) {
            const uchar a = uchar(m_raw.at(0)), b = uchar(m_raw.at(1));
            if ((a & 0x0f) != 8 || ((a << 8) | b) % 31 != 0)
                bits = -15;
        }
        m_inflater.reset(new Inflater(bits));
        if (!m_inflater->ok)
            return false;
    }
    if (m_inflater->ended) {
        m_raw.clear(); // anything after the end of the stream is no body of ours
        return true;
    }
    out->resize(PieceBytes);
    z_stream &z = m_inflater->z;
    z.next_in = reinterpret_cast<Bytef *>(m_raw.data());
    z.avail_in = uInt(m_raw.size());
    z.next_out = reinterpret_cast<Bytef *>(out->data());
    z.avail_out = uInt(out->size());
    const int r = ::inflate(&z, Z_NO_FLUSH);
    if (r != Z_OK && r != Z_STREAM_END && r != Z_BUF_ERROR)
        return false;
    m_inflater->ended = r == Z_STREAM_END;
    m_inflater->full = z.avail_out == 0 && !m_inflater->ended;
    out->resize(out->size() - int(z.avail_out));
    m_raw.remove(0, m_raw.size() - int(z.avail_in));
    return true;
}

void BoundedDownload::pump()
{
    if (!m_running)
        return;
    QByteArray out;
    if (m_coding == Coding::Identity) {
        out = m_raw.left(PieceBytes);
        m_raw.remove(0, out.size());
    } else if ((!m_raw.isEmpty() || (m_inflater && m_inflater->full)) && !inflateSome(&out)) {
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
    if (!m_raw.isEmpty() || (m_inflater && m_inflater->full)) {
        schedule();
        return;
    }
    if (m_replyDone) {
        // A compressed body cut short never reached its end.
        if (m_coding != Coding::Identity && !(m_inflater && m_inflater->ended) && m_rawReceived > 0) {
            fail(Failure::Garbled);
            return;
        }
        end(true);
    }
}

void BoundedDownload::fail(Failure why, const QString &network)
{
    if (!m_running)
        return;
    m_failure = why;
    m_networkError = network;
    qDebug() << "download failed:" << m_url.toString() << int(why) << network;
    end(false);
}

void BoundedDownload::end(bool ok)
{
    abort();
    if (!ok)
        m_body.clear();
    emit finished(ok);
}
