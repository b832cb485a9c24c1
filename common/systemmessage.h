#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;
class QLocalSocket;
class QTimer;

// Short text messages between our programs. A program's top-level window
// titled T listens on a local socket at <runtime folder>/<T>. One connection
// carries one frame: dwData (4 bytes, big-endian), the byte count (4 bytes,
// big-endian), then that many bytes of UTF-8 text. The receiver answers one
// byte, 1 when it consumed the message and 0 when not, and closes.
namespace SystemMessage {

constexpr quint32 Tag = 10000;
constexpr quint32 MaxBytes = 64 * 1024;
constexpr int SendTimeoutMs = 1000;
// Connections a receiver holds at once; a new one beyond them drops the oldest.
constexpr int MaxConnections = 32;
// How often a receiver checks that its server still listens.
constexpr int WatchIntervalMs = 2000;

QByteArray encode(quint32 dwData, const QByteArray &text);

enum class DecodeResult { NeedMore, Complete, Malformed };
// Reads one frame from the front of buf. Complete fills dwData and text.
DecodeResult decode(const QByteArray &buf, quint32 *dwData, QByteArray *text);

// The socket path of the window titled `title`; empty when there is no
// private runtime folder to put it in.
QString socketPath(const QString &title);

// "Finding the window": a receiver answers at that path.
bool windowExists(const QString &title);

// Sends text with dwData Tag to the window titled `title`. Waits at most
// SendTimeoutMs in all. Returns true when the receiver consumed it.
bool send(const QString &title, const QString &text, int timeoutMs = SendTimeoutMs);

// The sender's name and the command of "name,command"; a text without a comma
// gives an empty name (and the whole text as the command) so callers that
// expect a sender simply match nothing.
struct Parsed {
    QString sender;
    QString command;
    bool hasComma = false;
};
Parsed parse(const QString &text);

} // namespace SystemMessage

class SystemMessageReceiver : public QObject
{
    Q_OBJECT
public:
    // The handler gets dwData and the text and returns whether it consumed it.
    using Handler = std::function<bool(quint32 dwData, const QString &text)>;

    explicit SystemMessageReceiver(const QString &title, Handler handler, QObject *parent = nullptr);
    ~SystemMessageReceiver() override;

    // Starts listening; false when another live receiver holds the title.
    // Once asked to listen, the receiver keeps at it: a server that stops (it
    // does when the process runs out of descriptors) is started again, and
    // whatever takes the place of its socket (nothing, a file, a folder, a
    // link) is cleared away and the socket made again: a folder that holds
    // something is moved aside whole, never emptied.
    bool listen();
    void close();
    QString title() const { return m_title; }
    bool isListening() const;
    // Connections held now (tests).
    int connectionCount() const { return m_connections.size(); }
    void setWatchInterval(int ms);

private:
    void onNewConnection();
    void watch();
    // takeBack: the path was ours, whatever stands there now is cleared.
    bool startServer(bool takeBack);
    void dropServer();
    bool ownsSocketPath() const;

    QString m_title;
    Handler m_handler;
    QLocalServer *m_server = nullptr;
    QList<QLocalSocket *> m_connections; // oldest first
    QTimer *m_watch = nullptr;
    struct SocketId
    {
        quint64 dev = 0;
        quint64 ino = 0;
    };
    SocketId m_socket; // the socket file the server made
};
