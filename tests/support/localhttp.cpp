#include "localhttp.h"

#include "deflated.h"

#include <QTcpSocket>
#include <QTimer>

#include <memory>
#include <zlib.h>

LocalHttp::LocalHttp()
{
    if (!listen(QHostAddress::LocalHost, 0))
        qFatal("cannot listen on 127.0.0.1");
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *s = nextPendingConnection()) {
            accepted << s;
            connect(s, &QTcpSocket::readyRead, this, [this, s] { answer(s); });
            connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        }
    });
}

LocalHttp::~LocalHttp()
{
    for (const QPointer<QTcpSocket> &s : held)
        if (s)
            s->abort();
}

int LocalHttp::openConnections() const
{
    int n = 0;
    for (const QPointer<QTcpSocket> &s : accepted)
        n += s && s->state() == QAbstractSocket::ConnectedState;
    return n;
}

QString LocalHttp::base() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(serverPort());
}

QUrl LocalHttp::url(const QString &pathAndQuery) const
{
    return QUrl(base() + pathAndQuery);
}

void LocalHttp::answer(QTcpSocket *s)
{
    const QByteArray request = s->property("request").toByteArray() + s->readAll();
    s->setProperty("request", request);
    if (!request.contains("\r\n\r\n") || s->property("answered").toBool())
        return;
    s->setProperty("answered", true);
    // "GET /path?query HTTP/1.1"
    const QByteArray target = request.left(request.indexOf("\r\n")).split(' ').value(1);
    const QString path = QUrl(QString::fromLatin1(target)).path();
    requested << path;
    const Route r = routes.value(path, Route{ Full, 404, "not here" });
    if (silent || r.kind == Silent) {
        held << s;
        return;
    }
    QByteArray head = "HTTP/1.1 " + QByteArray::number(r.status) + " X\r\n";
    if (r.kind == EndlessHeader) {
        // The body goes on the line: the headers never end.
        head += "X-Endless: ";
    } else {
        head += "Content-Type: " + r.type + "\r\n";
        if (!r.encoding.isEmpty())
            head += "Content-Encoding: " + r.encoding + "\r\n";
        if (r.sendLength && r.kind != Endless)
            head += "Content-Length: " + QByteArray::number(r.body.size()) + "\r\n";
        head += r.headers + "Connection: close\r\n\r\n";
    }
    s->write(head);
    if ((r.kind == Endless || r.kind == EndlessHeader) && !r.body.isEmpty()) {
        held << s;
        // Topped up as the client reads, so that the server holds little.
        auto topUp = [s, body = r.body] {
            while (s->state() == QAbstractSocket::ConnectedState && s->bytesToWrite() < (1 << 20))
                s->write(body);
        };
        connect(s, &QTcpSocket::bytesWritten, s, topUp);
        topUp();
        return;
    }
    if (r.kind == Drip) {
        held << s;
        auto *t = new QTimer(s);
        auto sent = std::make_shared<int>(0);
        connect(t, &QTimer::timeout, s, [s, t, sent, body = r.body] {
            if (*sent >= body.size()) {
                t->stop();
                s->disconnectFromHost();
                return;
            }
            s->write(body.mid((*sent)++, 1));
        });
        t->start(r.dripMs);
        return;
    }
    s->write(r.kind == CutOff ? r.body.left(r.body.size() / 2) : r.body);
    s->disconnectFromHost();
}

LocalHttp::Route LocalHttp::redirect(const QByteArray &location, int status)
{
    Route r { Full, status, "moved" };
    r.headers = "Location: " + location + "\r\n";
    return r;
}

QByteArray LocalHttp::gzip(const QByteArray &data)
{
    return deflated(data, 15 + 16, Z_FINISH);
}

QByteArray LocalHttp::gzipBomb(int megabytes)
{
    // After a full flush a block owes nothing to what came before it, so
    // the block that holds one megabyte of zeros stands for the next too.
    const QByteArray mb(1 << 20, '\0');
    const QByteArray block = deflated(mb, -15, Z_FULL_FLUSH);

    QByteArray out("\x1f\x8b\x08\0\0\0\0\0\0\x03", 10); // gzip, no name, no time
    for (int i = 0; i < megabytes; ++i)
        out += block;
    out += QByteArray("\x03\0", 2); // the last, empty block
    uLong crc = crc32(0, nullptr, 0);
    for (int i = 0; i < megabytes; ++i)
        crc = crc32(crc, reinterpret_cast<const Bytef *>(mb.constData()), uInt(mb.size()));
    const quint32 size = quint32(quint64(megabytes) << 20);
    for (quint32 v : { quint32(crc), size })
        for (int b = 0; b < 4; ++b)
            out += char((v >> (8 * b)) & 0xff);
    return out;
}
