#include "recordfile.h"

#include "common/logging.h"
#include "common/xmlguard.h"
#include "platform/regularfile.h"

#include <QDomDocument>
#include <QVector>

namespace RecordFile {

namespace {

// What XML may hold of a text: Qt's DOM judges each UTF-16 unit alone and
// would drop both halves of every character beyond the first 65536 (emoji,
// rarer Chinese characters). Characters XML cannot hold at all (most
// control characters, halves of a pair standing alone) are left out.
QString xmlText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const ushort u = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out += c;
            out += text.at(++i);
        } else if (u == 0x9 || u == 0xA || u == 0xD || (u >= 0x20 && u <= 0xD7FF) || (u >= 0xE000 && u <= 0xFFFD)) {
            out += c;
        }
    }
    return out;
}

} // namespace

qint64 storedBytes(const QString &text)
{
    // As QDom writes a text: "<", "&" and a carriage return escaped, and ">"
    // after "]]"; every character in UTF-8. What XML cannot hold, and toXml
    // leaves out, is counted all the same.
    qint64 bytes = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const ushort u = c.unicode();
        if (u == '<')
            bytes += 4;
        else if (u == '>' && i >= 2 && text.at(i - 1) == QLatin1Char(']') && text.at(i - 2) == QLatin1Char(']'))
            bytes += 4;
        else if (u == '&' || u == '\r')
            bytes += 5;
        else if (u < 0x80)
            bytes += 1;
        else if (u < 0x800)
            bytes += 2;
        else if (c.isSurrogate())
            bytes += 2; // four for the pair
        else
            bytes += 3;
    }
    return bytes;
}

namespace {

// A text as QDom writes it: "<" and "&" escaped, ">" where it would close
// "]]", a carriage return as a reference (a reader would take it for a line
// end). Escaped in one pass: QDom replaces in place, which takes time with
// the square of the text's length, seconds for a long note.
void appendEscaped(QString &out, const QString &text)
{
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        switch (c.unicode()) {
        case '<': out += QLatin1String("&lt;"); break;
        case '&': out += QLatin1String("&amp;"); break;
        case '\r': out += QLatin1String("&#xd;"); break;
        case '>':
            if (i >= 2 && text.at(i - 1) == QLatin1Char(']') && text.at(i - 2) == QLatin1Char(']'))
                out += QLatin1String("&gt;");
            else
                out += c;
            break;
        default: out += c; break;
        }
    }
}

} // namespace

QByteArray toXml(const Layout &layout, const QList<QStringList> &rows)
{
    // Laid out as QDom lays out a document indented by 4, so that a file
    // written before reads the same bytes.
    QString out = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    if (rows.isEmpty()) {
        out += QLatin1Char('<') + layout.root + QLatin1String("/>\n");
        return out.toUtf8();
    }
    out += QLatin1Char('<') + layout.root + QLatin1String(">\n");
    for (int r = 0; r < rows.size(); ++r) {
        out += QLatin1String("    <List id=\"") + QString::number(r) + QLatin1String("\">\n");
        for (int f = 0; f < layout.tags.size(); ++f) {
            const QString &tag = layout.tags.at(f);
            out += QLatin1String("        <") + tag + QLatin1Char('>');
            appendEscaped(out, xmlText(rows.at(r).value(f)));
            out += QLatin1String("</") + tag + QLatin1String(">\n");
        }
        out += QLatin1String("    </List>\n");
    }
    out += QLatin1String("</") + layout.root + QLatin1String(">\n");
    return out.toUtf8();
}

namespace {

// The cells of one "List" element, by their tags.
QStringList cellsOf(const Layout &layout, const QDomElement &list)
{
    QStringList cells;
    for (int f = 0; f < layout.tags.size(); ++f)
        cells << QString();
    for (QDomNode c = list.firstChild(); !c.isNull(); c = c.nextSibling()) {
        if (!c.isElement())
            continue;
        const QDomElement e = c.toElement();
        const int f = layout.tags.indexOf(e.tagName());
        if (f >= 0)
            cells[f] = e.text();
    }
    return cells;
}

// Every element under root as a row, with its id (-1 when it holds no number).
void readRows(const Layout &layout, const QDomElement &root, QList<QStringList> *rows, QList<int> *ids)
{
    for (QDomNode n = root.firstChild(); !n.isNull(); n = n.nextSibling()) {
        if (!n.isElement())
            continue;
        const QDomElement list = n.toElement();
        bool isNumber = false;
        const int id = list.attribute(QStringLiteral("id")).toInt(&isNumber);
        ids->append(isNumber ? id : -1);
        rows->append(cellsOf(layout, list));
    }
}

// Where each record of a damaged file starts: "<List" and then a blank, "/" or ">".
QVector<int> recordStarts(const QByteArray &xml)
{
    static const QByteArray tag = QByteArrayLiteral("<List");
    QVector<int> starts;
    for (int at = xml.indexOf(tag); at >= 0; at = xml.indexOf(tag, at + tag.size())) {
        const char next = at + tag.size() < xml.size() ? xml.at(at + tag.size()) : '\0';
        if (next == ' ' || next == '\t' || next == '\r' || next == '\n' || next == '>' || next == '/')
            starts << at;
    }
    return starts;
}

// A file that is not well-formed as a whole (a bad byte, a cut end) is read
// record by record: each "List" element that reads on its own is kept, and
// one that does not is left out with what it holds. Our files never nest a
// "List" in another, and every "<" of a text is written escaped.
void salvage(const Layout &layout, const QByteArray &xml, QList<QStringList> *rows, QList<int> *ids)
{
    static const QByteArray end = QByteArrayLiteral("</List>");
    const QVector<int> starts = recordStarts(xml);
    int close = -1; // the first end tag at or after the record looked at, once found
    for (int i = 0; i < starts.size(); ++i) {
        const int from = starts.at(i);
        const int limit = i + 1 < starts.size() ? starts.at(i + 1) : xml.size();
        if (close < from && close != -2) {
            close = xml.indexOf(end, from);
            if (close < 0)
                close = -2; // none further: no record after this one is whole
        }
        // A record cut off before its end tag holds nothing we can trust.
        if (close < 0 || close + end.size() > limit)
            continue;
        const QByteArray record = QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?><r>")
            + xml.mid(from, close + end.size() - from) + QByteArrayLiteral("</r>");
        QDomDocument doc;
        if (XmlGuard::parse(record, &doc, XmlGuard::MaxDepth))
            readRows(layout, doc.documentElement(), rows, ids);
    }
}

} // namespace

Parse parse(const Layout &layout, const QByteArray &xml, QList<QStringList> *rows)
{
    rows->clear();
    QDomDocument doc;
    QString why;
    Parse result = Parse::Ok;
    QList<int> ids;
    if (XmlGuard::parse(xml, &doc, XmlGuard::MaxDepth, &why)) {
        const QDomElement root = doc.documentElement();
        if (root.tagName() != layout.root) {
            qCDebug(lcFiles) << "root.tagname != History...";
            result = Parse::WrongRoot;
        }
        readRows(layout, root, rows, &ids);
    } else {
        qCDebug(lcFiles) << "add setcontent error..." << why;
        salvage(layout, xml, rows, &ids);
        if (rows->isEmpty())
            return Parse::Malformed;
        qCDebug(lcFiles) << "read" << rows->size() << "rows that read on their own";
        result = Parse::Salvaged;
    }
    // Honoured only as a whole: 0 to n - 1, each once.
    QVector<int> at(rows->size(), -1);
    bool clean = true;
    for (int r = 0; r < ids.size() && clean; ++r) {
        const int id = ids.at(r);
        clean = id >= 0 && id < at.size() && at.at(id) < 0;
        if (clean)
            at[id] = r;
    }
    if (!clean) {
        qCDebug(lcFiles) << "row ids out of sequence: rows kept in file order";
        return result == Parse::Salvaged ? result : Parse::IdsIgnored;
    }
    QList<QStringList> ordered;
    ordered.reserve(rows->size());
    for (int r : qAsConst(at))
        ordered << rows->at(r);
    *rows = ordered;
    return result;
}

Read read(const Layout &layout, const QString &path, QList<QStringList> *rows, qint64 cap, OverCap overCap)
{
    using platform::RegularFile::Status;
    rows->clear();
    QByteArray data;
    const Status status = overCap == OverCap::ReadWhatFits
        ? platform::RegularFile::readStoredHead(path, cap, &data)
        : platform::RegularFile::readStored(path, cap, &data);
    switch (status) {
    case Status::Ok:
        break;
    case Status::TooLarge:
        if (overCap == OverCap::ReadWhatFits) {
            qCWarning(lcFiles) << path << "is larger than" << cap << "bytes: reading the rows within them";
            // Cut at the cap, the document is never whole: it is read as a
            // damaged one is, record by record.
            parse(layout, data, rows);
            return Read::TooLarge;
        }
        qCWarning(lcFiles) << "open for add error..." << path << platform::RegularFile::describe(status);
        return Read::TooLarge;
    case Status::Missing:
        return Read::Missing;
    default:
        qCWarning(lcFiles) << "open for add error..." << path << platform::RegularFile::describe(status);
        return status == Status::NotRegular ? Read::NotAFile : Read::Failed;
    }
    switch (parse(layout, data, rows)) {
    case Parse::Ok:
        return Read::Ok;
    case Parse::WrongRoot:
        return Read::WrongRoot;
    case Parse::IdsIgnored:
        return Read::IdsIgnored;
    case Parse::Salvaged:
        return Read::Salvaged;
    case Parse::Malformed:
        break;
    }
    return Read::Malformed;
}

} // namespace RecordFile
