#include "peicons.h"

#include <QHash>

namespace platform {
namespace PeIcons {

namespace {

constexpr quint32 RtIcon = 3;
constexpr quint32 RtGroupIcon = 14;
// No real icon comes near these; they bound what a hostile file can make us copy.
constexpr quint64 MaxImageBytes = 16u << 20;
constexpr quint64 MaxTotalBytes = 64u << 20;
constexpr int MaxGroupImages = 256;

struct Section
{
    quint32 va = 0;
    quint32 rawSize = 0;
    quint32 rawOffset = 0;
};

struct DirEntry
{
    quint32 id = 0;
    bool named = false;
    bool subdir = false;
    quint32 offset = 0; // from the start of the resource directory
};

class Reader
{
public:
    explicit Reader(const QByteArray &d) : m_d(d), m_size(quint64(d.size())) {}

    bool has(quint64 off, quint64 len) const { return off <= m_size && len <= m_size - off; }
    quint8 u8(quint64 o) const { return quint8(m_d.at(int(o))); }
    quint16 u16(quint64 o) const { return quint16(u8(o) | (u8(o + 1) << 8)); }
    quint32 u32(quint64 o) const { return quint32(u16(o)) | (quint32(u16(o + 2)) << 16); }
    quint32 be32(quint64 o) const
    {
        return (quint32(u8(o)) << 24) | (quint32(u8(o + 1)) << 16) | (quint32(u8(o + 2)) << 8) | u8(o + 3);
    }
    QByteArray bytes(quint64 off, quint64 len) const { return m_d.mid(int(off), int(len)); }

private:
    const QByteArray &m_d;
    quint64 m_size;
};

class PeFile
{
public:
    explicit PeFile(const QByteArray &d) : r(d) {}

    bool open()
    {
        if (!r.has(0, 64) || r.u8(0) != 'M' || r.u8(1) != 'Z')
            return false;
        const quint64 pe = r.u32(0x3c);
        if (!r.has(pe, 24) || r.u32(pe) != 0x00004550) // "PE\0\0"
            return false;
        const quint16 sectionCount = r.u16(pe + 6);
        const quint16 optSize = r.u16(pe + 20);
        const quint64 opt = pe + 24;
        if (optSize < 2 || !r.has(opt, optSize))
            return false;
        quint64 countAt = 0, dirsAt = 0;
        switch (r.u16(opt)) {
        case 0x10b: countAt = 92; dirsAt = 96; break;   // PE32
        case 0x20b: countAt = 108; dirsAt = 112; break; // PE32+
        default: return false;
        }
        // The resource table is the third data directory.
        if (optSize < countAt + 4 || r.u32(opt + countAt) < 3 || optSize < dirsAt + 3 * 8)
            return false;
        const quint32 rsrcRva = r.u32(opt + dirsAt + 16);
        if (rsrcRva == 0)
            return false;

        const quint64 table = opt + optSize;
        for (quint64 i = 0; i < sectionCount; ++i) {
            const quint64 s = table + i * 40;
            if (!r.has(s, 40))
                break;
            m_sections.append({ r.u32(s + 12), r.u32(s + 16), r.u32(s + 20) });
        }

        // Directory offsets count from the root; they must stay in the root's section.
        const Section *home = sectionOf(rsrcRva);
        if (!home)
            return false;
        m_root = quint64(home->rawOffset) + (rsrcRva - home->va);
        m_end = qMin(quint64(home->rawOffset) + home->rawSize, quint64(INT_MAX));
        return m_root < m_end && r.has(m_root, 16);
    }

    QList<DirEntry> directory(quint64 offset) const
    {
        QList<DirEntry> out;
        const quint64 at = m_root + offset;
        if (!inResources(at, 16))
            return out;
        const int count = qMin(int(r.u16(at + 12)) + int(r.u16(at + 14)), MaxEntries);
        for (int i = 0; i < count; ++i) {
            const quint64 e = at + 16 + quint64(i) * 8;
            if (!inResources(e, 8))
                break;
            const quint32 name = r.u32(e), target = r.u32(e + 4);
            out.append({ name & 0x7fffffffu, (name & 0x80000000u) != 0, (target & 0x80000000u) != 0,
                         target & 0x7fffffffu });
        }
        return out;
    }

    // The bytes of a resource: the data entry under a name entry (through its
    // first language), or nothing.
    bool resourceData(const DirEntry &name, QByteArray *data, quint64 *budget) const
    {
        DirEntry leaf = name;
        if (leaf.subdir) {
            const QList<DirEntry> languages = directory(leaf.offset);
            auto it = std::find_if(languages.begin(), languages.end(), [](const DirEntry &e) { return !e.subdir; });
            if (it == languages.end())
                return false;
            leaf = *it;
        }
        const quint64 at = m_root + leaf.offset;
        if (!inResources(at, 16))
            return false;
        const quint32 rva = r.u32(at), size = r.u32(at + 4);
        quint64 off = 0;
        if (size == 0 || size > MaxImageBytes || size > *budget || !rvaToOffset(rva, size, &off))
            return false;
        *budget -= size;
        *data = r.bytes(off, size);
        return true;
    }

    const Reader r;

private:
    const Section *sectionOf(quint32 rva) const
    {
        for (const Section &s : m_sections) {
            if (rva >= s.va && rva - s.va < s.rawSize)
                return &s;
        }
        return nullptr;
    }

    bool rvaToOffset(quint32 rva, quint32 len, quint64 *off) const
    {
        const Section *s = sectionOf(rva);
        if (!s || quint64(rva - s->va) + len > s->rawSize)
            return false;
        *off = quint64(s->rawOffset) + (rva - s->va);
        return r.has(*off, len);
    }

    bool inResources(quint64 at, quint64 len) const { return at >= m_root && at <= m_end && len <= m_end - at && r.has(at, len); }

    QList<Section> m_sections;
    quint64 m_root = 0;
    quint64 m_end = 0;
};

// Size and depth from the image's own header: a PNG's IHDR, or the bitmap
// header whose height counts the colour and the mask rows together.
void measure(IconImage *img)
{
    const Reader r(img->data);
    static const char pngMagic[] = "\x89PNG\r\n\x1a\n";
    img->png = img->data.startsWith(QByteArray::fromRawData(pngMagic, 8));
    if (img->png) {
        if (r.has(16, 8)) {
            img->width = int(qMin<quint32>(r.be32(16), 65535));
            img->height = int(qMin<quint32>(r.be32(20), 65535));
        }
        img->bitCount = 32;
        return;
    }
    if (r.has(0, 16) && r.u32(0) >= 12) {
        img->width = int(qMin<quint32>(r.u32(4), 65535));
        img->height = int(qMin<quint32>(r.u32(8) / 2, 65535));
        img->planes = r.u16(12);
        img->bitCount = r.u16(14);
    }
}

void appendEntry(QByteArray *out, const IconImage &img, quint32 offset)
{
    auto put8 = [out](int v) { out->append(char(v & 0xff)); };
    auto put16 = [&](int v) { put8(v); put8(v >> 8); };
    auto put32 = [&](quint32 v) { put16(int(v & 0xffff)); put16(int(v >> 16)); };
    put8(img.width >= 256 ? 0 : img.width);
    put8(img.height >= 256 ? 0 : img.height);
    put8(img.colorCount);
    put8(0);
    put16(img.planes);
    put16(img.bitCount);
    put32(quint32(img.data.size()));
    put32(offset);
}

QByteArray icoOf(const QList<IconImage> &images)
{
    QByteArray out;
    const int n = images.size();
    out.append("\0\0\1\0", 4);
    out.append(char(n & 0xff));
    out.append(char(n >> 8));
    quint64 offset = 6 + quint64(n) * 16;
    for (const IconImage &img : images) {
        appendEntry(&out, img, quint32(offset));
        offset += quint64(img.data.size());
    }
    for (const IconImage &img : images)
        out.append(img.data);
    return out;
}

} // namespace

QByteArray IconImage::ico() const
{
    return icoOf({ *this });
}

QByteArray IconGroup::ico() const
{
    return icoOf(images);
}

Contents read(const QByteArray &file)
{
    Contents out;
    PeFile pe(file);
    if (!pe.open())
        return out;

    DirEntry iconType, groupType;
    bool haveIcons = false, haveGroups = false;
    for (const DirEntry &type : pe.directory(0)) {
        if (type.named || !type.subdir)
            continue;
        if (type.id == RtIcon && !haveIcons) {
            iconType = type;
            haveIcons = true;
        } else if (type.id == RtGroupIcon && !haveGroups) {
            groupType = type;
            haveGroups = true;
        }
    }

    quint64 budget = MaxTotalBytes;
    QHash<quint32, int> byId;
    if (haveIcons) {
        for (const DirEntry &name : pe.directory(iconType.offset)) {
            IconImage img;
            if (!pe.resourceData(name, &img.data, &budget))
                continue;
            img.id = name.named ? 0 : name.id;
            measure(&img);
            if (!name.named && !byId.contains(img.id))
                byId.insert(img.id, out.icons.size());
            out.icons.append(img);
        }
    }

    if (haveGroups) {
        for (const DirEntry &name : pe.directory(groupType.offset)) {
            QByteArray dir;
            if (!pe.resourceData(name, &dir, &budget))
                continue;
            const Reader g(dir);
            if (!g.has(0, 6) || g.u16(2) != 1)
                continue;
            IconGroup group;
            group.id = name.named ? 0 : name.id;
            const int count = qMin(int(g.u16(4)), MaxGroupImages);
            quint64 groupBytes = 0;
            for (int i = 0; i < count; ++i) {
                const quint64 e = 6 + quint64(i) * 14;
                if (!g.has(e, 14))
                    break;
                const int index = byId.value(g.u16(e + 12), -1);
                if (index < 0)
                    continue;
                IconImage img = out.icons.at(index);
                groupBytes += quint64(img.data.size());
                if (groupBytes > MaxTotalBytes)
                    break;
                img.width = g.u8(e) ? g.u8(e) : 256;
                img.height = g.u8(e + 1) ? g.u8(e + 1) : 256;
                img.colorCount = g.u8(e + 2);
                img.planes = g.u16(e + 4);
                img.bitCount = g.u16(e + 6);
                group.images.append(img);
            }
            out.groups.append(group);
        }
    }
    return out;
}

} // namespace PeIcons
} // namespace platform
