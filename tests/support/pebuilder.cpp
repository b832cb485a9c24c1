#include "pebuilder.h"

#include "deflated.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include <zlib.h>

namespace {

void put16(QByteArray &b, int at, int v)
{
    b[at] = char(v & 0xff);
    b[at + 1] = char((v >> 8) & 0xff);
}

void put32(QByteArray &b, int at, quint32 v)
{
    put16(b, at, int(v & 0xffff));
    put16(b, at + 2, int(v >> 16));
}

QSize sizeOf(const QByteArray &img)
{
    if (img.startsWith("\x89PNG")) {
        // As its header states it: a huge picture is not decoded to find out.
        QBuffer buffer;
        buffer.setData(img);
        buffer.open(QIODevice::ReadOnly);
        return QImageReader(&buffer, "PNG").size();
    }
    const auto *p = reinterpret_cast<const uchar *>(img.constData());
    const int w = p[4] | p[5] << 8, h = (p[8] | p[9] << 8) / 2;
    return QSize(w, h);
}

} // namespace

QByteArray PeBuilder::bmpImage(int size, const QColor &colour)
{
    const int maskRow = ((size + 31) / 32) * 4;
    QByteArray b(40 + size * size * 4 + maskRow * size, '\0');
    put32(b, 0, 40);
    put32(b, 4, quint32(size));
    put32(b, 8, quint32(size * 2));
    put16(b, 12, 1);
    put16(b, 14, 32);
    put32(b, 20, quint32(size * size * 4));
    for (int i = 0; i < size * size; ++i) {
        const int at = 40 + i * 4;
        b[at] = char(colour.blue());
        b[at + 1] = char(colour.green());
        b[at + 2] = char(colour.red());
        b[at + 3] = char(255);
    }
    return b;
}

QByteArray PeBuilder::pngImage(int size, const QColor &colour)
{
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(colour);
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return out;
}

QByteArray PeBuilder::hugePng(int size)
{
    auto be32 = [](QByteArray *out, quint32 v) {
        for (int b = 3; b >= 0; --b)
            out->append(char((v >> (8 * b)) & 0xff));
    };
    auto chunk = [&](QByteArray *out, const char *type, const QByteArray &data) {
        be32(out, quint32(data.size()));
        const QByteArray typed = QByteArray(type, 4) + data;
        out->append(typed);
        be32(out, quint32(crc32(0, reinterpret_cast<const Bytef *>(typed.constData()), uInt(typed.size()))));
    };
    // Rows of black: a filter byte and size zeros each. One block holds a
    // band of rows; after a full flush it stands for the next band too.
    const int band = 16;
    const QByteArray rows(band * (size + 1), '\0');
    const QByteArray block = deflated(rows, -15, Z_FULL_FLUSH);
    const uLong bandSum = adler32(adler32(0, nullptr, 0), reinterpret_cast<const Bytef *>(rows.constData()),
                                  uInt(rows.size()));
    QByteArray idat("\x78\xda", 2);
    uLong sum = adler32(0, nullptr, 0);
    for (int r = 0; r < size / band; ++r) {
        idat += block;
        sum = adler32_combine(sum, bandSum, z_off_t(rows.size()));
    }
    idat += QByteArray("\x03\0", 2);
    be32(&idat, quint32(sum));

    QByteArray out("\x89PNG\r\n\x1a\n", 8);
    QByteArray header;
    be32(&header, quint32(size / band * band));
    be32(&header, quint32(size / band * band));
    header += QByteArray("\x08\x00\x00\x00\x00", 5); // 8-bit grey, no interlace
    chunk(&out, "IHDR", header);
    chunk(&out, "IDAT", idat);
    chunk(&out, "IEND", QByteArray());
    return out;
}

PeBuilder PeBuilder::oneGroup(const QList<int> &sizes, quint16 firstId, bool png)
{
    PeBuilder b;
    Group g { 1, {} };
    quint16 id = firstId;
    for (int s : sizes) {
        b.icons.append({ id, png ? pngImage(s, Qt::darkCyan) : bmpImage(s, Qt::darkCyan) });
        g.iconIds.append(id++);
    }
    b.groups.append(g);
    return b;
}

QByteArray PeBuilder::build()
{
    fields.clear();
    const int optSize = pe64 ? 240 : 224;
    const int peAt = 64, optAt = peAt + 24, sectionAt = optAt + optSize, rawAt = 0x200;
    const quint32 rva = 0x1000;

    // Group directories (GRPICONDIR) made from the icons they name.
    QList<QByteArray> groupData;
    for (const Group &g : groups) {
        QByteArray d(6 + 14 * g.iconIds.size(), '\0');
        put16(d, 2, 1);
        put16(d, 4, g.iconIds.size());
        for (int i = 0; i < g.iconIds.size(); ++i) {
            QByteArray img;
            for (const Icon &ic : icons)
                if (ic.id == g.iconIds[i])
                    img = ic.data;
            const QSize s = img.isEmpty() ? QSize(32, 32) : sizeOf(img);
            const int e = 6 + 14 * i;
            d[e] = char(s.width() >= 256 ? 0 : s.width());
            d[e + 1] = char(s.height() >= 256 ? 0 : s.height());
            put16(d, e + 4, 1);
            put16(d, e + 6, 32);
            put32(d, e + 8, quint32(img.size()));
            put16(d, e + 12, g.iconIds[i]);
        }
        groupData.append(d);
    }

    struct Res { int type; quint16 id; QByteArray data; };
    QList<Res> res;
    for (const Icon &ic : icons)
        res.append({ 3, ic.id, ic.data });
    for (int i = 0; i < groups.size(); ++i)
        res.append({ 14, groups[i].id, groupData[i] });
    QList<int> types;
    if (!icons.isEmpty())
        types << 3;
    if (!groups.isEmpty())
        types << 14;

    // Section layout: root, one name directory per type, one language
    // directory and one data entry per resource, then the data.
    int at = 16 + 8 * types.size();
    QMap<int, int> typeDir;
    for (int t : types) {
        typeDir[t] = at;
        int n = 0;
        for (const Res &r : res)
            n += r.type == t;
        at += 16 + 8 * n;
    }
    QList<int> langDir, dataEntry, dataAt;
    for (int i = 0; i < res.size(); ++i) {
        langDir << at;
        at += 24;
    }
    for (int i = 0; i < res.size(); ++i) {
        dataEntry << at;
        at += 16;
    }
    for (const Res &r : res) {
        dataAt << at;
        at += (r.data.size() + 3) & ~3;
    }
    const int sectionSize = (at + 511) & ~511;

    QByteArray f(rawAt + sectionSize, '\0');
    f[0] = 'M';
    f[1] = 'Z';
    put32(f, 0x3c, peAt);
    fields["e_lfanew"] = 0x3c;
    f.replace(peAt, 4, QByteArray("PE\0\0", 4));
    put16(f, peAt + 4, pe64 ? 0x8664 : 0x14c);
    put16(f, peAt + 6, 1);
    fields["sectionCount16"] = peAt + 6;
    put16(f, peAt + 20, optSize);
    fields["optionalSize16"] = peAt + 20;
    put16(f, peAt + 22, 0x0102);
    put16(f, optAt, pe64 ? 0x20b : 0x10b);
    const int countAt = optAt + (pe64 ? 108 : 92), dirsAt = optAt + (pe64 ? 112 : 96);
    put32(f, countAt, 16);
    fields["dataDirectoryCount"] = countAt;
    put32(f, dirsAt + 16, rva);
    put32(f, dirsAt + 20, quint32(at));
    fields["resourceRva"] = dirsAt + 16;
    f.replace(sectionAt, 6, ".rsrc\0");
    put32(f, sectionAt + 8, quint32(at));
    put32(f, sectionAt + 12, rva);
    put32(f, sectionAt + 16, quint32(sectionSize));
    put32(f, sectionAt + 20, rawAt);
    fields["sectionRva"] = sectionAt + 12;
    fields["sectionRawSize"] = sectionAt + 16;
    fields["sectionRawOffset"] = sectionAt + 20;

    const int root = rawAt;
    put16(f, root + 14, types.size());
    fields["rootIdCount16"] = root + 14;
    for (int ti = 0; ti < types.size(); ++ti) {
        const int t = types[ti];
        const int e = root + 16 + 8 * ti;
        put32(f, e, quint32(t));
        put32(f, e + 4, 0x80000000u | quint32(typeDir[t]));
        fields[QString("type%1Offset").arg(t)] = e + 4;
        const int dir = root + typeDir[t];
        int n = 0;
        for (int i = 0; i < res.size(); ++i) {
            if (res[i].type != t)
                continue;
            const int ne = dir + 16 + 8 * n++;
            put32(f, ne, res[i].id);
            put32(f, ne + 4, 0x80000000u | quint32(langDir[i]));
            fields[QString("res%1Offset").arg(i)] = ne + 4;
            const int ld = root + langDir[i];
            put16(f, ld + 14, 1);
            put32(f, ld + 16, 0x409);
            put32(f, ld + 20, quint32(dataEntry[i]));
            fields[QString("res%1LanguageOffset").arg(i)] = ld + 20;
            const int de = root + dataEntry[i];
            put32(f, de, rva + quint32(dataAt[i]));
            put32(f, de + 4, quint32(res[i].data.size()));
            fields[QString("res%1DataRva").arg(i)] = de;
            fields[QString("res%1DataSize").arg(i)] = de + 4;
            f.replace(root + dataAt[i], res[i].data.size(), res[i].data);
        }
        put16(f, dir + 14, n);
        fields[QString("type%1IdCount16").arg(t)] = dir + 14;
    }
    for (int i = 0; i < groups.size(); ++i)
        fields[QString("group%1Count16").arg(i)] = root + dataAt[icons.size() + i] + 4;
    return f;
}

QMap<QString, QByteArray> PeBuilder::corpus()
{
    QMap<QString, QByteArray> out;
    out["one-icon.exe"] = oneGroup({ 32 }).build();
    out["sizes.exe"] = oneGroup({ 16, 32, 48 }).build();
    out["png.dll"] = oneGroup({ 256 }, 1, true).build();
    PeBuilder wide = oneGroup({ 16, 48 });
    wide.pe64 = true;
    out["pe64.exe"] = wide.build();
    PeBuilder two = oneGroup({ 48 });
    two.icons.append({ 7, bmpImage(48, Qt::red) });
    two.groups.append({ 2, { 7, 99 } });
    out["two-groups.exe"] = two.build();
    const QByteArray base = oneGroup({ 16, 32 }).build();
    out["truncated.exe"] = base.left(base.size() / 2);
    PeBuilder b = oneGroup({ 16, 32 });
    const QByteArray good = b.build();
    for (auto it = b.fields.cbegin(); it != b.fields.cend(); ++it) {
        QByteArray bad = good;
        if (it.key().endsWith("16"))
            put16(bad, it.value(), 0xffff);
        else
            put32(bad, it.value(), 0xfffffff0u);
        out["bad-" + it.key() + ".exe"] = bad;
    }
    return out;
}
