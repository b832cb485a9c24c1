#include "httpreplyreader.h"

#include <cctype>

namespace {

// The end of the head in bytes, looked for from `from` on: the index of its
// first byte after the blank line, or -1. Lines may end in CRLF or LF alone.
int headEnd(const QByteArray &bytes, int from)
{
    for (int i = bytes.indexOf('\n', from); i >= 0; i = bytes.indexOf('\n', i + 1)) {
        if (i + 1 < bytes.size() && bytes.at(i + 1) == '\n')
            return i + 2;
        if (i + 2 < bytes.size() && bytes.at(i + 1) == '\r' && bytes.at(i + 2) == '\n')
            return i + 3;
    }
    return -1;
}

bool isToken(const QByteArray &name)
{
    if (name.isEmpty())
        return false;
    for (const char c : name)
        if (uchar(c) <= ' ' || uchar(c) >= 127 || c == ':')
            return false;
    return true;
}

} // namespace

QByteArray HttpReplyReader::header(const QByteArray &name) const
{
    const QByteArray wanted = name.toLower();
    QByteArray value;
    for (const auto &field : m_fields) {
        if (field.first != wanted)
            continue;
        if (!value.isEmpty())
            value += ", ";
        value += field.second;
    }
    return value;
}

QByteArray HttpReplyReader::feed(const QByteArray &bytes)
{
    QByteArray body;
    if (m_state == State::Head) {
        const int scanned = m_head.size();
        m_head += bytes;
        readHead(scanned);
        if (m_state != State::Body)
            return QByteArray();
        body.swap(m_head);
    } else if (m_state == State::Body) {
        body = bytes;
    } else {
        return QByteArray();
    }
    switch (m_framing) {
    case Framing::Length:
        if (body.size() >= m_length) {
            body.truncate(int(m_length));
            m_state = State::Done;
        }
        m_length -= body.size();
        return body;
    case Framing::Chunked:
        return readChunks(body);
    case Framing::UntilClose:
        return body;
    case Framing::None:
        break;
    }
    return QByteArray();
}

// Takes the heads at the start of m_head: interim ones go, the final one
// decides how the body is framed. What follows it stays in m_head.
// scanned: the bytes of m_head already looked at for its end.
void HttpReplyReader::readHead(int scanned)
{
    for (;;) {
        // Blank lines between answers are no part of either.
        int blank = 0;
        while (blank < m_head.size() && (m_head.at(blank) == '\r' || m_head.at(blank) == '\n'))
            ++blank;
        m_head.remove(0, blank);
        scanned = qMax(0, scanned - blank);
        const int end = headEnd(m_head, qMax(0, scanned - 2));
        if (end < 0 || end > MaxHeadBytes) {
            if (end > MaxHeadBytes || m_head.size() > MaxHeadBytes)
                breakDown(QStringLiteral("a head past %1 bytes").arg(MaxHeadBytes));
            return;
        }
        if (!parseHead(m_head.left(end)))
            return;
        m_head.remove(0, end);
        scanned = 0;
        // "100 Continue" and the like: the answer is still to come. (101
        // would change the protocol, which we never ask for.)
        if (m_status >= 100 && m_status < 200 && m_status != 101) {
            m_fields.clear();
            continue;
        }
        if (m_status == 101) {
            breakDown(QStringLiteral("a change of protocol"));
            return;
        }
        if (!chooseFraming())
            return;
        m_state = m_framing == Framing::None || (m_framing == Framing::Length && m_length == 0) ? State::Done
                                                                                               : State::Body;
        return;
    }
}

bool HttpReplyReader::parseHead(const QByteArray &head)
{
    QList<QByteArray> lines = head.split('\n');
    for (QByteArray &line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    // "HTTP/1.1 200 OK"; the reason may be missing.
    const QByteArray statusLine = lines.value(0);
    const bool valid = statusLine.size() >= 12 && statusLine.startsWith("HTTP/1.") && std::isdigit(uchar(statusLine.at(7)))
        && statusLine.at(8) == ' ' && std::isdigit(uchar(statusLine.at(9))) && std::isdigit(uchar(statusLine.at(10)))
        && std::isdigit(uchar(statusLine.at(11))) && (statusLine.size() == 12 || statusLine.at(12) == ' ');
    if (!valid) {
        breakDown(QStringLiteral("no HTTP status line"));
        return false;
    }
    m_status = statusLine.mid(9, 3).toInt();
    m_fields.clear();
    for (int i = 1; i < lines.size(); ++i) {
        const QByteArray &line = lines.at(i);
        if (line.isEmpty())
            continue;
        if (line.startsWith(' ') || line.startsWith('\t')) {
            // An old-style continuation of the field above.
            if (m_fields.isEmpty()) {
                breakDown(QStringLiteral("a continued field without a field"));
                return false;
            }
            m_fields.last().second += ' ' + line.trimmed();
            continue;
        }
        const int colon = line.indexOf(':');
        const QByteArray name = line.left(colon);
        if (colon <= 0 || !isToken(name)) {
            breakDown(QStringLiteral("a header line that is no field"));
            return false;
        }
        m_fields.append({ name.toLower(), line.mid(colon + 1).trimmed() });
    }
    return true;
}

bool HttpReplyReader::chooseFraming()
{
    if (m_status == 204 || m_status == 304) {
        m_framing = Framing::None;
        return true;
    }
    const QByteArray transfer = header("transfer-encoding").toLower();
    if (!transfer.isEmpty()) {
        QList<QByteArray> codings;
        for (const QByteArray &c : transfer.split(','))
            if (!c.trimmed().isEmpty() && c.trimmed() != "identity")
                codings << c.trimmed();
        if (codings == QList<QByteArray>{ "chunked" }) {
            m_framing = Framing::Chunked;
            return true;
        }
        if (!codings.isEmpty()) {
            breakDown(QStringLiteral("a transfer coding not asked for"));
            return false;
        }
    }
    const QByteArray length = header("content-length");
    if (!length.isEmpty()) {
        // Said twice, it must be said the same.
        qint64 said = -1;
        for (const QByteArray &part : length.split(',')) {
            const QByteArray digits = part.trimmed();
            bool ok = !digits.isEmpty() && digits.size() <= 18;
            for (const char c : digits)
                ok = ok && std::isdigit(uchar(c));
            const qint64 n = ok ? digits.toLongLong() : -1;
            if (n < 0 || (said >= 0 && n != said)) {
                breakDown(QStringLiteral("a length that is none"));
                return false;
            }
            said = n;
        }
        m_framing = Framing::Length;
        m_length = said;
        return true;
    }
    m_framing = Framing::UntilClose;
    return true;
}

QByteArray HttpReplyReader::readChunks(const QByteArray &bytes)
{
    QByteArray out;
    int at = 0;
    while (at < bytes.size() && m_state == State::Body) {
        if (m_chunk == Chunk::Data) {
            const int n = int(qMin<qint64>(m_chunkLeft, bytes.size() - at));
            out += bytes.mid(at, n);
            at += n;
            m_chunkLeft -= n;
            if (m_chunkLeft == 0)
                m_chunk = Chunk::DataEnd;
            continue;
        }
        const char c = bytes.at(at++);
        if (c != '\n') {
            m_line += c;
            const int limit = m_chunk == Chunk::Trailers ? MaxHeadBytes : MaxChunkLineBytes;
            if (m_line.size() > limit || (m_chunk == Chunk::DataEnd && m_line != "\r"))
                breakDown(QStringLiteral("a chunk framed wrongly"));
            continue;
        }
        QByteArray line;
        line.swap(m_line);
        if (line.endsWith('\r'))
            line.chop(1);
        switch (m_chunk) {
        case Chunk::DataEnd:
            m_chunk = Chunk::Size;
            break;
        case Chunk::Trailers:
            // Trailer fields tell us nothing; a blank line ends them.
            if (line.isEmpty())
                m_state = State::Done;
            break;
        case Chunk::Size: {
            const int extension = line.indexOf(';');
            const QByteArray hex = (extension < 0 ? line : line.left(extension)).trimmed();
            bool ok = !hex.isEmpty() && hex.size() <= 15;
            const qint64 size = ok ? hex.toLongLong(&ok, 16) : -1;
            if (!ok || size < 0) {
                breakDown(QStringLiteral("a chunk framed wrongly"));
                break;
            }
            m_chunkLeft = size;
            m_chunk = size == 0 ? Chunk::Trailers : Chunk::Data;
            break;
        }
        case Chunk::Data:
            break;
        }
    }
    return out;
}

void HttpReplyReader::closed()
{
    if (m_state == State::Body && m_framing == Framing::UntilClose)
        m_state = State::Done;
    else if (m_state == State::Head)
        breakDown(QStringLiteral("the connection closed before the answer"));
    else if (m_state == State::Body)
        breakDown(QStringLiteral("the body ended early"));
}

void HttpReplyReader::breakDown(const QString &why)
{
    if (m_state == State::Broken)
        return;
    m_state = State::Broken;
    m_problem = why;
    m_head.clear();
    m_line.clear();
}
