#pragma once
#include <QByteArray>

#include <memory>

// A reply's body as its Content-Encoding says, given as it arrives and taken
// out in pieces of a size the reader chooses, so that what a small input
// inflates to is never made at once. "identity" is the body as it came;
// "gzip" is read member after member (a gzip body may hold several, one
// after the other); "deflate" is one stream, with or without its zlib header.
// What follows the end of the body, or a body cut short, is no body at all.
class BodyDecoder
{
public:
    enum class Coding { Identity, Gzip, Deflate, Unknown };
    // "identity" (or nothing), "gzip", "x-gzip" and "deflate"; anything
    // else, several layers included, is Unknown.
    static Coding codingOf(const QByteArray &header);

    explicit BodyDecoder(Coding coding);
    ~BodyDecoder();
    BodyDecoder(const BodyDecoder &) = delete;
    BodyDecoder &operator=(const BodyDecoder &) = delete;

    // Whether everything given so far has been taken out: only then does
    // give() take more.
    bool wantsInput() const;
    // The next bytes of the body as they came.
    void give(const QByteArray &raw);
    // Up to max bytes of the body into *out (empty when what was given
    // makes none yet). False when the body cannot be decoded.
    bool take(QByteArray *out, int max);
    // After the last byte was given and taken: whether the body ended where
    // its coding says it ends (every gzip member, the deflate stream).
    bool complete() const;

private:
    struct Stream;
    bool startStream();
    bool inflateSome(QByteArray *out, int max);

    Coding m_coding;
    QByteArray m_in;
    int m_at = 0; // of m_in, taken
    bool m_given = false;
    std::unique_ptr<Stream> m_stream;
};
