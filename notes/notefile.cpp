#include "notefile.h"

#include "common/xmlguard.h"
#include "platform/regularfile.h"

#include <QDebug>
#include <QDomDocument>
#include <QTableWidget>
#include <QTextStream>

namespace NoteFile {

namespace {

const char *const Tags[ColumnCount] = { "NoteID", "STYLE", "TEXT", "XX", "YY", "WW", "HH" };

} // namespace

QString fileName()
{
    return QStringLiteral("Mirelka.xml");
}

void insertEmptyRow(QTableWidget &table, int row)
{
    table.insertRow(row);
    for (int c = 0; c < ColumnCount; ++c)
        table.setItem(row, c, new QTableWidgetItem(QString()));
}

QString cell(const QTableWidget &table, int row, int column)
{
    const QTableWidgetItem *item = table.item(row, column);
    return item ? item->text() : QString();
}

void setCell(QTableWidget &table, int row, int column, const QString &text)
{
    if (QTableWidgetItem *item = table.item(row, column))
        item->setText(text);
    else
        table.setItem(row, column, new QTableWidgetItem(text));
}

QByteArray build(const QTableWidget &table)
{
    // A control character pasted into a note would make the file unreadable
    // as XML, and every note with it; such characters are left out instead.
    QDomImplementation::setInvalidDataPolicy(QDomImplementation::DropInvalidChars);

    QDomDocument doc;
    doc.appendChild(doc.createProcessingInstruction(QStringLiteral("xml"),
                                                    QStringLiteral("version=\"1.0\" encoding=\"UTF-8\"")));
    QDomElement root = doc.createElement(QStringLiteral("Mirelka"));
    doc.appendChild(root);
    for (int r = 0; r < table.rowCount(); ++r) {
        QDomElement list = doc.createElement(QStringLiteral("List"));
        list.setAttribute(QStringLiteral("id"), QString::number(r));
        for (int c = 0; c < ColumnCount; ++c) {
            QDomElement e = doc.createElement(QString::fromLatin1(Tags[c]));
            e.appendChild(doc.createTextNode(cell(table, r, c)));
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

ReadResult read(const QString &path, QTableWidget &table)
{
    for (int r = table.rowCount() - 1; r >= 0; --r)
        table.removeRow(r);

    using platform::RegularFile::Status;
    QByteArray data;
    const Status status = platform::RegularFile::read(path, platform::RegularFile::ListCap, &data);
    if (status == Status::Missing)
        return ReadResult::Missing;
    if (status == Status::NotRegular) {
        qDebug() << "open for add error..." << path << "is not a regular file";
        return ReadResult::NotAFile;
    }
    if (status != Status::Ok) {
        qDebug() << "open for add error..." << path << platform::RegularFile::describe(status);
        return ReadResult::Unreadable;
    }
    QDomDocument doc;
    QString why;
    if (!XmlGuard::parse(data, &doc, XmlGuard::MaxDepth, &why)) {
        qDebug() << "add setcontent error..." << why;
        return ReadResult::Unreadable;
    }

    ReadResult result = ReadResult::Read;
    const QDomElement root = doc.documentElement();
    if (root.tagName() != QLatin1String("Mirelka")) {
        qDebug() << "root.tagname != History...";
        result = ReadResult::WrongRoot;
    }

    for (QDomNode n = root.firstChild(); !n.isNull(); n = n.nextSibling()) {
        if (!n.isElement())
            continue;
        const QDomElement list = n.toElement();
        // A missing or non-numeric id counts as 0; ids outside the table add nothing.
        const int row = list.attribute(QStringLiteral("id")).toInt();
        if (row < 0 || row > table.rowCount())
            continue;
        insertEmptyRow(table, row);
        for (QDomNode f = list.firstChild(); !f.isNull(); f = f.nextSibling()) {
            if (!f.isElement())
                continue;
            const QDomElement e = f.toElement();
            for (int c = 0; c < ColumnCount; ++c) {
                if (e.tagName() == QLatin1String(Tags[c])) {
                    setCell(table, row, c, e.text());
                    break;
                }
            }
        }
    }
    return result;
}

} // namespace NoteFile
