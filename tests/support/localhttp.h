#pragma once
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QUrl>

class QTcpSocket;

// A tiny HTTP server on 127.0.0.1. Each path answers one way: fully, cut off
// halfway through, never, one byte at a time, or without end (the body over
// and over, as fast as the client takes it, after the headers or inside a
// header line that never ends); unknown paths get a 404.
class LocalHttp : public QTcpServer
{
    Q_OBJECT
public:
    enum Kind { Full, CutOff, Silent, Drip, Endless, EndlessHeader };
    struct Route
    {
        Kind kind = Full;
        int status = 200;
        QByteArray body;
        QByteArray type = "application/octet-stream";
        QByteArray encoding {};    // sent as Content-Encoding when not empty
        bool sendLength = true;    // else the body ends when the connection closes
        int dripMs = 1000;         // Drip: the pause before each byte
        QByteArray headers {};     // more header lines, each ending in "\r\n"
    };

    // The body as gzip sends it, and a gzip body of `megabytes` MB of zeros
    // made in a moment (the same compressed block over and over).
    static QByteArray gzip(const QByteArray &data);
    static QByteArray gzipBomb(int megabytes);
    // A redirect to location.
    static Route redirect(const QByteArray &location, int status = 302);

    LocalHttp();
    ~LocalHttp() override;
    void route(const QString &path, const Route &r) { routes[path] = r; }
    void serve(const QString &path, const QByteArray &body, const QByteArray &type = "application/octet-stream")
    {
        route(path, { Full, 200, body, type });
    }
    QUrl url(const QString &pathAndQuery) const;
    QString base() const; // "http://127.0.0.1:<port>"
    bool silent = false;        // every path: taken, never answered
    QStringList requested;      // decoded paths in the order asked for
    // Connections a client holds open now: one it dropped is gone once
    // the server has seen it go.
    int openConnections() const;

private:
    void answer(QTcpSocket *s);
    QHash<QString, Route> routes;
    QList<QPointer<QTcpSocket>> held; // the silent ones, kept open
    QList<QPointer<QTcpSocket>> accepted;
};
