#include "localhttp.h"

#include <QTcpSocket>

LocalHttp::LocalHttp()
{
    if (!listen(QHostAddress::LocalHost, 0))
        qFatal("cannot listen on 127.0.0.1");
    connect(this, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *s = nextPendingConnection()) {
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
    head += "Content-Type: " + r.type + "\r\n";
    head += "Content-Length: " + QByteArray::number(r.body.size()) + "\r\n";
    head += "Connection: close\r\n\r\n";
    s->write(head);
    s->write(r.kind == CutOff ? r.body.left(r.body.size() / 2) : r.body);
    s->disconnectFromHost();
}
