#include "recordfile.h"

#include "common/xmlguard.h"
#include "platform/regularfile.h"

#include <QDebug>
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

Parse parse(const Layout &layout, const QByteArray &xml, QList<QStringList> *rows)
{
    rows->clear();
    QDomDocument doc;
    QString why;
    if (!XmlGuard::parse(xml, &doc, XmlGuard::MaxDepth, &why)) {
        qDebug() << "add setcontent error..." << why;
        return Parse::Malformed;
    }
    Parse result = Parse::Ok;
    const QDomElement root = doc.documentElement();
    if (root.tagName() != layout.root) {
        qDebug() << "root.tagname != History...";
        result = Parse::WrongRoot;
    }
    const int fields = layout.tags.size();
    QList<int> ids;
    for (QDomNode n = root.firstChild(); !n.isNull(); n = n.nextSibling()) {
        if (!n.isElement())
            continue;
        const QDomElement list = n.toElement();
        bool isNumber = false;
        const int id = list.attribute(QStringLiteral("id")).toInt(&isNumber);
        ids << (isNumber ? id : -1);
        QStringList cells;
        for (int f = 0; f < fields; ++f)
            cells << QString();
        for (QDomNode c = list.firstChild(); !c.isNull(); c = c.nextSibling()) {
            if (!c.isElement())
                continue;
            const QDomElement e = c.toElement();
            const int f = layout.tags.indexOf(e.tagName());
            if (f >= 0)
                cells[f] = e.text();
        }
        rows->append(cells);
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
        qDebug() << "row ids out of sequence: rows kept in file order";
        return Parse::IdsIgnored;
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
        qDebug() << "open for add error..." << path << platform::RegularFile::describe(status);
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
    case Parse::Malformed:
        break;
    }
    return Read::Malformed;
}

} // namespace RecordFile
