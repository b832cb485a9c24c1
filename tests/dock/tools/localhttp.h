#pragma once
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QUrl>

class QTcpSocket;

// A tiny HTTP server on 127.0.0.1 for the updater's tests. Each path answers
// one way: fully, cut off halfway through, or never.
class LocalHttp : public QTcpServer
{
    Q_OBJECT
public:
    enum Kind { Full, CutOff, Silent };
    struct Route
    {
        Kind kind = Full;
        int status = 200;
        QByteArray body;
    };

    LocalHttp();
    ~LocalHttp() override;
    void route(const QString &path, const Route &r) { routes[path] = r; }
    QUrl url(const QString &pathAndQuery) const;
    QList<QString> requested; // paths in the order asked for

private:
    void answer(QTcpSocket *s);
    QHash<QString, Route> routes;
    QList<QPointer<QTcpSocket>> held; // the silent ones, kept open
};
