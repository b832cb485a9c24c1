#include "bodydecoder.h"

#define ZLIB_CONST
#include <zlib.h>

struct BodyDecoder::Stream
{
    z_stream z {};
    bool ok = false;
    bool ended = false; // the member (or the deflate stream) reached its end
    bool full = false;  // the last piece filled up: more may wait inside zlib

    explicit Stream(int windowBits) { ok = inflateInit2(&z, windowBits) == Z_OK; }
    ~Stream()
    {
        if (ok)
            inflateEnd(&z);
    }
};

BodyDecoder::Coding BodyDecoder::codingOf(const QByteArray &header)
{
    const QByteArray h = header.trimmed().toLower();
    if (h.isEmpty() || h == "identity")
        return Coding::Identity;
    if (h == "gzip" || h == "x-gzip")
        return Coding::Gzip;
    if (h == "deflate")
        return Coding::Deflate;
    return Coding::Unknown;
}

BodyDecoder::BodyDecoder(Coding coding) : m_coding(coding) {}

BodyDecoder::~BodyDecoder() = default;

bool BodyDecoder::wantsInput() const
{
    const int left = m_in.size() - m_at;
    // A deflate body is told from its first two bytes.
    if (m_coding == Coding::Deflate && !m_stream)
        return left < 2;
    return left == 0 && !(m_stream && m_stream->full);
}

void BodyDecoder::give(const QByteArray &raw)
{
    if (raw.isEmpty())
        return;
    m_given = true;
    if (m_at >= m_in.size())
        m_in = raw;
    else
        m_in = m_in.mid(m_at) + raw;
    m_at = 0;
}

bool BodyDecoder::startStream()
{
    // "deflate" is meant to come with a zlib header, but often comes bare.
    int bits = 15 + 32; // a gzip or a zlib header, whichever it is
    if (m_coding == Coding::Deflate) {
        const uchar a = uchar(m_in.at(m_at)), b = uchar(m_in.at(m_at + 1));
        if ((a & 0x0f) != 8 || ((a << 8) | b) % 31 != 0)
            bits = -15;
    }
    m_stream.reset(new Stream(bits));
    return m_stream->ok;
}

bool BodyDecoder::take(QByteArray *out, int max)
{
    out->clear();
    if (m_coding == Coding::Unknown)
        return false;
    if (m_coding == Coding::Identity) {
        if (m_at == 0 && m_in.size() <= max) {
            out->swap(m_in);
        } else {
            *out = m_in.mid(m_at, max);
            m_at += out->size();
        }
        if (m_at >= m_in.size()) {
            m_in.clear();
            m_at = 0;
        }
        return true;
    }
    const bool input = m_at < m_in.size();
    if (!input && !(m_stream && m_stream->full))
        return true;
    if (!m_stream) {
        if (m_in.size() - m_at < 2 && m_coding == Coding::Deflate)
            return true;
        if (!startStream())
            return false;
    }
    if (m_stream->ended) {
        // Bytes after the end: in gzip the next member, in deflate no body of ours.
        if (m_coding != Coding::Gzip || inflateReset2(&m_stream->z, 15 + 16) != Z_OK)
            return false;
        m_stream->ended = false;
    }
    return inflateSome(out, max);
}

bool BodyDecoder::inflateSome(QByteArray *out, int max)
{
    z_stream &z = m_stream->z;
    const int left = m_in.size() - m_at;
    out->resize(max);
    z.next_in = reinterpret_cast<const Bytef *>(m_in.constData() + m_at);
    z.avail_in = uInt(left);
    z.next_out = reinterpret_cast<Bytef *>(out->data());
    z.avail_out = uInt(max);
    const int r = ::inflate(&z, Z_NO_FLUSH);
    const int used = left - int(z.avail_in);
    const int made = max - int(z.avail_out);
    if (r != Z_OK && r != Z_STREAM_END && r != Z_BUF_ERROR) {
        out->clear();
        return false;
    }
    m_stream->ended = r == Z_STREAM_END;
    m_stream->full = !m_stream->ended && z.avail_out == 0;
    out->resize(made);
    m_at += used;
    if (m_at >= m_in.size()) {
        m_in.clear();
        m_at = 0;
    }
    // zlib moves on whenever it has input and room; standing still is a fault.
    return used > 0 || made > 0 || m_stream->ended || left == 0;
}

bool BodyDecoder::complete() const
{
    if (m_coding == Coding::Identity)
        return true;
    if (m_coding == Coding::Unknown)
        return false;
    if (!m_given)
        return true; // no body at all: nothing was cut
    return m_stream && m_stream->ended && m_at >= m_in.size();
}
