#include "gifwriter.h"

#include <QHash>
#include <climits>
#include <algorithm>
#include <array>

namespace gifwriter {

namespace {

constexpr int TransparentIndex = 255;
constexpr int MaxColours = 255;

// Colours are counted on 5 bits per channel: enough for flat drawings and it
// keeps the histogram small.
inline int key15(QRgb c)
{
    return ((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3);
}

inline bool opaque(QRgb c) { return qAlpha(c) >= 128; }

QImage straight(const QImage &img, const QSize &size)
{
    QImage out = img.convertToFormat(QImage::Format_ARGB32);
    if (out.size() != size)
        out = out.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return out;
}

struct Entry {
    int key;
    int count;
    // Sums of the exact colours that fell into this bucket, for the average.
    qint64 r, g, b;
};

struct Box {
    int begin, end; // range in the entry list
};

int channel(const Entry &e, int ch)
{
    return ch == 0 ? (e.key >> 10) & 31 : ch == 1 ? (e.key >> 5) & 31 : e.key & 31;
}

QVector<Entry> histogram(const QVector<QImage> &frames)
{
    QHash<int, int> at;
    QVector<Entry> entries;
    for (const QImage &f : frames) {
        for (int y = 0; y < f.height(); ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(f.constScanLine(y));
            for (int x = 0; x < f.width(); ++x) {
                const QRgb c = line[x];
                if (!opaque(c))
                    continue;
                const int k = key15(c);
                auto it = at.find(k);
                if (it == at.end()) {
                    it = at.insert(k, entries.size());
                    entries.append(Entry{k, 0, 0, 0, 0});
                }
                Entry &e = entries[*it];
                ++e.count;
                e.r += qRed(c);
                e.g += qGreen(c);
                e.b += qBlue(c);
            }
        }
    }
    return entries;
}

QVector<QRgb> medianCut(QVector<Entry> entries)
{
    QVector<QRgb> palette;
    if (entries.isEmpty())
        return palette;
    QVector<Box> boxes{Box{0, int(entries.size())}};
    // Split the box with the widest channel range (weighted by its pixel count)
    // until there are enough boxes or no box can be split.
    while (boxes.size() < MaxColours) {
        int best = -1, bestChannel = 0;
        qint64 bestScore = 0;
        for (int i = 0; i < boxes.size(); ++i) {
            const Box &b = boxes[i];
            if (b.end - b.begin < 2)
                continue;
            qint64 pixels = 0;
            for (int ch = 0; ch < 3; ++ch) {
                int lo = 31, hi = 0;
                for (int j = b.begin; j < b.end; ++j) {
                    lo = std::min(lo, channel(entries[j], ch));
                    hi = std::max(hi, channel(entries[j], ch));
                }
                if (ch == 0)
                    for (int j = b.begin; j < b.end; ++j)
                        pixels += entries[j].count;
                const qint64 score = qint64(hi - lo + 1) * (hi - lo + 1) * (1 + pixels / 64);
                if (hi > lo && score > bestScore) {
                    bestScore = score;
                    best = i;
                    bestChannel = ch;
                }
            }
        }
        if (best < 0)
            break;
        Box b = boxes[best];
        std::sort(entries.begin() + b.begin, entries.begin() + b.end,
                  [bestChannel](const Entry &x, const Entry &y) {
                      return channel(x, bestChannel) < channel(y, bestChannel);
                  });
        // Cut at the median pixel, keeping both halves non-empty.
        qint64 total = 0;
        for (int j = b.begin; j < b.end; ++j)
            total += entries[j].count;
        qint64 run = 0;
        int cut = b.begin + 1;
        for (int j = b.begin; j < b.end - 1; ++j) {
            run += entries[j].count;
            cut = j + 1;
            if (run * 2 >= total)
                break;
        }
        boxes[best] = Box{b.begin, cut};
        boxes.append(Box{cut, b.end});
    }
    for (const Box &b : boxes) {
        qint64 n = 0, r = 0, g = 0, bl = 0;
        for (int j = b.begin; j < b.end; ++j) {
            n += entries[j].count;
            r += entries[j].r;
            g += entries[j].g;
            bl += entries[j].b;
        }
        palette.append(qRgb(int((r + n / 2) / n), int((g + n / 2) / n), int((bl + n / 2) / n)));
    }
    return palette;
}

int nearest(const QVector<QRgb> &palette, QRgb c)
{
    int best = 0;
    int bestDist = INT_MAX;
    for (int i = 0; i < palette.size(); ++i) {
        const int dr = qRed(palette[i]) - qRed(c);
        const int dg = qGreen(palette[i]) - qGreen(c);
        const int db = qBlue(palette[i]) - qBlue(c);
        const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (d < bestDist) {
            bestDist = d;
            best = i;
            if (d == 0)
                break;
        }
    }
    return best;
}

class BitWriter
{
public:
    void put(int code, int bits)
    {
        m_acc |= quint32(code) << m_count;
        m_count += bits;
        while (m_count >= 8) {
            m_out.append(char(m_acc & 0xff));
            m_acc >>= 8;
            m_count -= 8;
        }
    }
    QByteArray finish()
    {
        if (m_count > 0)
            m_out.append(char(m_acc & 0xff));
        m_acc = 0;
        m_count = 0;
        return m_out;
    }

private:
    QByteArray m_out;
    quint32 m_acc = 0;
    int m_count = 0;
};

void putWord(QByteArray &out, int v)
{
    out.append(char(v & 0xff));
    out.append(char((v >> 8) & 0xff));
}

} // namespace

QByteArray lzwCompress(const QByteArray &indices, int minCodeSize)
{
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    BitWriter w;
    QHash<quint32, int> table;
    int codeSize = minCodeSize + 1;
    int next = endCode + 1;
    w.put(clearCode, codeSize);
    int prefix = -1;
    for (const char ch : indices) {
        const int k = quint8(ch);
        if (prefix < 0) {
            prefix = k;
            continue;
        }
        const quint32 key = (quint32(prefix) << 8) | quint32(k);
        const auto it = table.constFind(key);
        if (it != table.constEnd()) {
            prefix = *it;
            continue;
        }
        w.put(prefix, codeSize);
        if (next < 4096) {
            table.insert(key, next);
            // The reader widens its codes once it has an entry that needs the
            // extra bit, one step after the writer added it.
            if (next == (1 << codeSize) && codeSize < 12)
                ++codeSize;
            ++next;
        }
        if (next == 4096) {
            // A full table starts again from the single colours.
            w.put(clearCode, codeSize);
            table.clear();
            codeSize = minCodeSize + 1;
            next = endCode + 1;
        }
        prefix = k;
    }
    if (prefix >= 0)
        w.put(prefix, codeSize);
    w.put(endCode, codeSize);
    return w.finish();
}

QVector<QRgb> makePalette(const QVector<QImage> &frames)
{
    if (frames.isEmpty() || frames.first().isNull())
        return {};
    const QSize size = frames.first().size();
    QVector<QImage> straightFrames;
    for (const QImage &f : frames)
        straightFrames.append(straight(f, size));
    return medianCut(histogram(straightFrames));
}

QByteArray encode(const QVector<QImage> &frames, int delayMs)
{
    if (frames.isEmpty() || frames.first().isNull())
        return {};
    const QSize size = frames.first().size();
    QVector<QImage> images;
    for (const QImage &f : frames)
        images.append(straight(f, size));
    QVector<QRgb> palette = medianCut(histogram(images));

    QByteArray out("GIF89a");
    putWord(out, size.width());
    putWord(out, size.height());
    out.append(char(0xF7)); // global table of 256 colours, 8 bits per channel
    out.append(char(TransparentIndex));
    out.append(char(0));
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < palette.size() ? palette[i] : qRgb(0, 0, 0);
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    // Loop for ever.
    out.append("\x21\xFF\x0B" "NETSCAPE2.0" "\x03\x01", 16);
    putWord(out, 0);
    out.append(char(0));

    const int delayCs = std::max(2, (delayMs + 5) / 10);
    std::array<qint16, 32768> cache;
    cache.fill(-1);
    for (const QImage &img : images) {
        // Graphic control: restore to background after each frame, so the
        // transparent parts of the next frame show what lies under the movie.
        out.append("\x21\xF9\x04", 3);
        out.append(char((2 << 2) | 1));
        putWord(out, delayCs);
        out.append(char(TransparentIndex));
        out.append(char(0));

        out.append(char(0x2C));
        putWord(out, 0);
        putWord(out, 0);
        putWord(out, size.width());
        putWord(out, size.height());
        out.append(char(0));

        QByteArray indices;
        indices.reserve(size.width() * size.height());
        for (int y = 0; y < img.height(); ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
            for (int x = 0; x < img.width(); ++x) {
                const QRgb c = line[x];
                if (!opaque(c) || palette.isEmpty()) {
                    indices.append(char(TransparentIndex));
                    continue;
                }
                const int k = key15(c);
                if (cache[k] < 0)
                    cache[k] = qint16(nearest(palette, c));
                indices.append(char(cache[k]));
            }
        }
        out.append(char(8));
        const QByteArray data = lzwCompress(indices, 8);
        for (int i = 0; i < data.size(); i += 255) {
            const int n = std::min(255, int(data.size()) - i);
            out.append(char(n));
            out.append(data.constData() + i, n);
        }
        out.append(char(0));
    }
    out.append(char(0x3B));
    return out;
}

} // namespace gifwriter
