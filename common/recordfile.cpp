#include "recordfile.h"

#include "common/logging.h"
#include "common/xmlguard.h"
#include "platform/regularfile.h"

#include <QDomDocument>
#include <QTextStream>
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

QByteArray toXml(const Layout &layout, const QList<QStringList> &rows)
{
    // The texts are made fit for XML here.
    QDomImplementation::setInvalidDataPolicy(QDomImplementation::AcceptInvalidChars);

    QDomDocument doc;
    doc.appendChild(doc.createProcessingInstruction(QStringLiteral("xml"),
                                                    QStringLiteral("version=\"1.0\" encoding=\"UTF-8\"")));
    QDomElement root = doc.createElement(layout.root);
    doc.appendChild(root);
    for (int r = 0; r < rows.size(); ++r) {
        QDomElement list = doc.createElement(QStringLiteral("List"));
        list.setAttribute(QStringLiteral("id"), QString::number(r));
        for (int f = 0; f < layout.tags.size(); ++f) {
            QDomElement e = doc.createElement(layout.tags.at(f));
            e.appendChild(doc.createTextNode(xmlText(rows.at(r).value(f))));
            list.appendChild(e);
        }
        root.appendChild(list);
    }

    QByteArray out;
    QTextStream ts(&out, QIODevice::WriteOnly);
    ts.setCodec("UTF-8");
    doc.save(ts, 4, QDomNode::EncodingFromDocument);
    ts.flush();
    return out;
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

Read read(const Layout &layout, const QString &path, QList<QStringList> *rows)
{
    using platform::RegularFile::Status;
    rows->clear();
    QByteArray data;
    const Status status = platform::RegularFile::readStored(path, platform::RegularFile::ListCap, &data);
    switch (status) {
    case Status::Ok:
        break;
    case Status::Missing:
        return Read::Missing;
    default:
        qCWarning(lcFiles) << "open for add error..." << path << platform::RegularFile::describe(status);
        return status == Status::NotRegular ? Read::NotAFile
             : status == Status::TooLarge   ? Read::TooLarge
                                            : Read::Failed;
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
