#include "systemmessage.h"

#include "common/logging.h"
#include "platform/paths.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <QtEndian>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Whether a receiver answers at path now.
bool answersAt(const QString &path)
{
    QLocalSocket s;
    s.connectToServer(path);
    const bool ok = s.waitForConnected(200);
    s.abort();
    return ok;
}

} // namespace

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
    return !path.isEmpty() && answersAt(path);
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

namespace {

// A receiver that listens at a path its own socket no longer stands at is
// deaf. Whatever took its place is cleared away, never followed nor looked
// into: a file, a link or a pipe is unlinked; a folder is removed when it is
// empty, and otherwise moved aside whole, under a name of its own beside it,
// with what it holds (which is not ours to delete). False when the path
// stays taken.
bool clearSocketPath(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st;
    if (::lstat(name.constData(), &st) != 0)
        return errno == ENOENT;
    if (!S_ISDIR(st.st_mode)) {
        if (::unlink(name.constData()) == 0 || errno == ENOENT)
            return true;
        qCWarning(lcMessages) << "system messages: cannot remove what stands at" << path << std::strerror(errno);
        return false;
    }
    if (::rmdir(name.constData()) == 0 || errno == ENOENT)
        return true;
    for (int n = 0; n < 100; ++n) {
        const QByteArray aside = name + ".aside" + (n ? '.' + QByteArray::number(n) : QByteArray());
        if (::renameat2(AT_FDCWD, name.constData(), AT_FDCWD, aside.constData(), RENAME_NOREPLACE) == 0) {
            qCWarning(lcMessages) << "system messages: a folder stood at" << path << "and was moved to"
                                  << QFile::decodeName(aside);
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    qCWarning(lcMessages) << "system messages: cannot move aside the folder at" << path << std::strerror(errno);
    return false;
}

// A socket (not a link to one) that a receiver answers at.
bool liveSocketAt(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISSOCK(st.st_mode) && answersAt(path);
}

} // namespace

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
    if (!startServer(false))
        return false;
    if (!m_watch) {
        m_watch = new QTimer(this);
        m_watch->setInterval(SystemMessage::WatchIntervalMs);
        connect(m_watch, &QTimer::timeout, this, &SystemMessageReceiver::watch);
    }
    m_watch->start();
    return true;
}

bool SystemMessageReceiver::startServer(bool takeBack)
{
    dropServer();
    const QString path = SystemMessage::socketPath(m_title);
    if (path.isEmpty())
        return false;
    // A socket left by a killed copy is removed; a live one is kept, unless
    // the path was ours: a program listens only while it holds its lock, so
    // no other copy of it listens there.
    if (!takeBack && liveSocketAt(path))
        return false;
    if (!clearSocketPath(path))
        return false;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SystemMessageReceiver::onNewConnection);
    if (!m_server->listen(path)) {
        qCWarning(lcMessages) << "system messages: cannot listen at" << path << m_server->errorString();
        dropServer();
        return false;
    }
    struct stat st;
    m_socket = ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISSOCK(st.st_mode)
        ? SocketId { st.st_dev, st.st_ino } : SocketId();
    return true;
}

bool SystemMessageReceiver::ownsSocketPath() const
{
    // Ours is the socket the server made; whatever else stands there now
    // (nothing, a file, a folder, a link, another socket) leaves us deaf.
    struct stat st;
    return m_server && ::lstat(QFile::encodeName(m_server->fullServerName()).constData(), &st) == 0
        && S_ISSOCK(st.st_mode) && st.st_dev == m_socket.dev && st.st_ino == m_socket.ino;
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
    // looked after here, and started again once it can be. A socket
    // removed, or replaced by anything else, leaves us just as unreachable.
    if (isListening() && ownsSocketPath())
        return;
    if (startServer(true))
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
