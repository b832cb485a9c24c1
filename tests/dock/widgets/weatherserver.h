#pragma once
#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

// A tiny HTTP server on 127.0.0.1 for the weather tests: answers GET requests
// from a table of paths, 404 for the rest, or never answers at all.
class WeatherServer : public QTcpServer
{
public:
    WeatherServer()
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, s, [this, s] { answer(s); });
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            }
        });
        listen(QHostAddress::LocalHost, 0);
    }

    QString url() const { return QStringLiteral("http://127.0.0.1:%1").arg(serverPort()); }

    QHash<QString, QByteArray> files;
    QStringList requests;
    bool silent = false;

private:
    void answer(QTcpSocket *s)
    {
        QByteArray &buf = m_buffers[s];
        buf += s->readAll();
        if (!buf.contains("\r\n\r\n"))
            return;
        const QList<QByteArray> words = buf.left(buf.indexOf("\r\n")).split(' ');
        buf.clear();
        const QString path = words.size() > 1 ? QString::fromLatin1(words.at(1)) : QString();
        requests << path;
        if (silent)
            return; // the connection stays open and nothing comes back
        const bool found = files.contains(path);
        const QByteArray body = found ? files.value(path) : QByteArray("not here");
        QByteArray reply = found ? "HTTP/1.1 200 OK\r\n" : "HTTP/1.1 404 Not Found\r\n";
        reply += "Content-Type: text/xml; charset=utf-8\r\nContent-Length: " + QByteArray::number(body.size())
                 + "\r\nConnection: close\r\n\r\n" + body;
        s->write(reply);
        s->disconnectFromHost();
    }

    QHash<QTcpSocket *, QByteArray> m_buffers;
};
