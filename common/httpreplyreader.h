#pragma once
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// What a server answers to one HTTP/1.x request, read from its bytes as they
// come, cut anywhere: the head (the status and the header fields, past any
// interim 1xx head) and then the body, freed of its transfer framing (a
// length, chunks, or the end of the connection). Nothing in it grows past a
// fixed size whatever the server sends: a head, a chunk line or the
// trailers that pass their limit make the answer no HTTP at all.
class HttpReplyReader
{
public:
    // Far more than any server of ours sends; browsers stop near here too.
    static constexpr int MaxHeadBytes = 64 * 1024;
    static constexpr int MaxChunkLineBytes = 1024;

    enum class State {
        Head,   // the head is not complete yet
        Body,   // the head is, and the body goes on
        Done,   // the body ended where its framing says
        Broken, // no HTTP, or a body cut short: problem() says how
    };

    // Reads the bytes that follow those fed before, and returns the body
    // bytes among them (none before the head is complete). Bytes after the
    // body's end are dropped.
    QByteArray feed(const QByteArray &bytes);
    // The connection ended: the end of a body that runs to it; for any
    // other, a body cut short.
    void closed();

    State state() const { return m_state; }
    bool headComplete() const { return m_state != State::Head; }
    QString problem() const { return m_problem; }
    int status() const { return m_status; }
    // A field's value; those given several times are joined by ", ". Empty
    // when absent.
    QByteArray header(const QByteArray &name) const;
    // The length of the body as the server said it; -1 when it did not (its
    // chunks or the end of the connection end it).
    qint64 contentLength() const { return m_framing == Framing::Length ? m_length : -1; }

private:
    enum class Framing { None, Length, Chunked, UntilClose };
    enum class Chunk { Size, Data, DataEnd, Trailers };

    void readHead(int scanned);
    bool parseHead(const QByteArray &head);
    bool chooseFraming();
    QByteArray readChunks(const QByteArray &bytes);
    void breakDown(const QString &why);

    State m_state = State::Head;
    QString m_problem;
    QByteArray m_head;
    int m_status = 0;
    QList<QPair<QByteArray, QByteArray>> m_fields; // names in lower case
    Framing m_framing = Framing::None;
    qint64 m_length = 0;    // Length: the bytes still to come
    Chunk m_chunk = Chunk::Size;
    qint64 m_chunkLeft = 0;
    QByteArray m_line;      // a chunk line, or the trailers, so far
};
