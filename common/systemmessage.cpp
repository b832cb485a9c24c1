#include "systemmessage.h"

#include "common/logging.h"
#include "platform/paths.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <QtEndian>

namespace SystemMessage {

QByteArray encode(quint32 dwData, const QByteArray &text)
{
    QByteArray frame(8, Qt::Uninitialized);
    qToBigEndian<quint32>(dwData, frame.data());
    qToBigEndian<quint32>(quint32(text.size()), frame.data() + 4);
    frame.append(text);
    return frame;
}

DecodeResult decode(const QByteArray &buf, quint32 *dwData, QByteArray *text)
{
    if (buf.size() < 8)
        return DecodeResult::NeedMore;
    const quint32 count = qFromBigEndian<quint32>(buf.constData() + 4);
    if (count > MaxBytes)
        return DecodeResult::Malformed;
    if (quint32(buf.size()) < 8 + count)
        return DecodeResult::NeedMore;
    if (quint32(buf.size()) > 8 + count)
        return DecodeResult::Malformed;
    if (dwData)
        *dwData = qFromBigEndian<quint32>(buf.constData());
    if (text)
        *text = buf.mid(8, int(count));
    return DecodeResult::Complete;
}

QString socketPath(const QString &title)
{
    const QString folder = platform::runtimeFolder();
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + title;
}

bool windowExists(const QString &title)
{
    const QString path = socketPath(title);
    if (path.isEmpty())
        return false;
    QLocalSocket s;
    s.connectToServer(path);
    const bool ok = s.waitForConnected(200);
    s.abort();
    return ok;
}

bool send(const QString &title, const QString &text, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    const QString path = socketPath(title);
    if (path.isEmpty())
        return false;
    QLocalSocket s;
    s.connectToServer(path);
    if (!s.waitForConnected(int(deadline.remainingTime())))
        return false;
    s.write(encode(Tag, text.toUtf8()));
    while (s.bytesToWrite() > 0) {
        if (deadline.hasExpired() || !s.waitForBytesWritten(int(deadline.remainingTime())))
            return false;
    }
    while (s.bytesAvailable() < 1) {
        if (deadline.hasExpired() || !s.waitForReadyRead(int(deadline.remainingTime())))
            return false;
    }
    char answer = 0;
    s.getChar(&answer);
    s.abort();
    return answer == 1;
}

Parsed parse(const QString &text)
{
    Parsed p;
    const int comma = text.indexOf(QLatin1Char(','));
    if (comma < 0) {
        p.command = text;
        return p;
    }
    p.hasComma = true;
    p.sender = text.left(comma);
    // The command is the second part; any further parts are not looked at.
    const int next = text.indexOf(QLatin1Char(','), comma + 1);
    p.command = next < 0 ? text.mid(comma + 1) : text.mid(comma + 1, next - comma - 1);
    return p;
}

} // namespace SystemMessage

SystemMessageReceiver::SystemMessageReceiver(const QString &title, Handler handler, QObject *parent)
    : QObject(parent), m_title(title), m_handler(std::move(handler))
{
}

SystemMessageReceiver::~SystemMessageReceiver()
{
    close();
}

bool SystemMessageReceiver::isListening() const
{
    // A server that gave up (see watch()) still calls itself listening, but
    // has no socket left: only its error text tells (its error code stays
    // "unknown", and asking for its socket would crash). Each server is new
    // from listen(), so any error text means it gave up.
    return m_server && m_server->isListening() && m_server->errorString().isEmpty();
}

void SystemMessageReceiver::setWatchInterval(int ms)
{
    if (m_watch)
        m_watch->setInterval(ms);
}

bool SystemMessageReceiver::listen()
{
    if (isListening())
        return true;
    if (!startServer())
        return false;
    if (!m_watch) {
        m_watch = new QTimer(this);
        m_watch->setInterval(SystemMessage::WatchIntervalMs);
        connect(m_watch, &QTimer::timeout, this, &SystemMessageReceiver::watch);
    }
    m_watch->start();
    return true;
}

bool SystemMessageReceiver::startServer()
{
    dropServer();
    const QString path = SystemMessage::socketPath(m_title);
    if (path.isEmpty())
        return false;
    // A socket file left by a killed copy is removed; a live one is kept.
    if (SystemMessage::windowExists(m_title))
        return false;
    QLocalServer::removeServer(path);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SystemMessageReceiver::onNewConnection);
    if (!m_server->listen(path)) {
        qCWarning(lcMessages) << "system messages: cannot listen at" << path << m_server->errorString();
        dropServer();
        return false;
    }
    return true;
}

void SystemMessageReceiver::dropServer()
{
    if (!m_server)
        return;
    m_server->close();
    delete m_server;
    m_server = nullptr;
}

void SystemMessageReceiver::watch()
{
    // QLocalServer closes its socket (and removes the socket file) when
    // accepting fails, e.g. with no descriptor left, and says nothing: it is
    // looked after here, and started again once it can be. A socket file
    // removed by someone else leaves us just as unreachable.
    if (isListening() && QFileInfo::exists(m_server->fullServerName()))
        return;
    if (startServer())
        qCWarning(lcMessages) << "system messages: listening again as" << m_title;
}

void SystemMessageReceiver::close()
{
    if (m_watch)
        m_watch->stop();
    dropServer();
}

void SystemMessageReceiver::onNewConnection()
{
    while (QLocalSocket *s = m_server->nextPendingConnection()) {
        // Ours, not the server's: a handler may close the server while answering.
        s->setParent(this);
        // A flood of connections that never speak must not take every
        // descriptor: beyond the cap, the oldest goes.
        m_connections.append(s);
        while (m_connections.size() > SystemMessage::MaxConnections) {
            QLocalSocket *oldest = m_connections.takeFirst();
            oldest->disconnect(this);
            oldest->abort();
            oldest->deleteLater();
        }
        connect(s, &QObject::destroyed, this, [this, s]() { m_connections.removeOne(s); });
        connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        // A peer that never completes its frame is dropped.
        QTimer *guard = new QTimer(s);
        guard->setSingleShot(true);
        connect(guard, &QTimer::timeout, s, &QLocalSocket::abort);
        guard->start(SystemMessage::SendTimeoutMs * 2);
        connect(s, &QLocalSocket::readyRead, this, [this, s]() {
            QPointer<QLocalSocket> guard(s);
            const QByteArray buf = s->peek(s->bytesAvailable());
            quint32 dwData = 0;
            QByteArray text;
            switch (SystemMessage::decode(buf, &dwData, &text)) {
            case SystemMessage::DecodeResult::NeedMore:
                return;
            case SystemMessage::DecodeResult::Malformed:
                s->abort();
                return;
            case SystemMessage::DecodeResult::Complete:
                break;
            }
            s->readAll();
            const bool consumed = m_handler ? m_handler(dwData, QString::fromUtf8(text)) : false;
            // The handler may have deleted the receiver (and the socket with it).
            if (!guard)
                return;
            s->putChar(consumed ? 1 : 0);
            s->flush();
            s->disconnectFromServer();
        });
    }
}
