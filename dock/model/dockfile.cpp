#include "dockfile.h"

#include "common/safefile.h"
#include "common/xmlguard.h"
#include "dockiconlist.h"
#include "platform/regularfile.h"

#include <QBuffer>
#include <QDebug>
#include <QDomDocument>
#include <QFile>
#include <QTableWidget>
#include <QTextStream>

namespace DockFile {

static const char *const fieldTags[DockIconRecord::FieldCount] = { "IconID", "Icon", "Name",
                                                                     "Class", "Path", "Note" };

QByteArray toXml(const QList<DockIconRecord> &rows)
{
    QDomDocument doc;
    doc.appendChild(doc.createProcessingInstruction(QStringLiteral("xml"),
                                                    QStringLiteral("version=\"1.0\" encoding=\"UTF-8\"")));
    QDomElement root = doc.createElement(QStringLiteral("Zorvane"));
    doc.appendChild(root);
    for (int i = 0; i < rows.size(); ++i) {
        QDomElement list = doc.createElement(QStringLiteral("List"));
        for (int f = 0; f < DockIconRecord::FieldCount; ++f) {
            QDomElement e = doc.createElement(QString::fromLatin1(fieldTags[f]));
            e.appendChild(doc.createTextNode(rows[i].field(f)));
            list.appendChild(e);
        }
        list.setAttribute(QStringLiteral("id"), QString::number(i));
        root.appendChild(list);
    }
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    QTextStream ts(&buf);
    ts.setCodec("UTF-8");
    doc.save(ts, 4, QDomNode::EncodingFromDocument);
    ts.flush();
    return out;
}

bool parse(const QByteArray &xml, QList<DockIconRecord> *rows)
{
    rows->clear();
    QDomDocument doc;
    QString why;
    if (!XmlGuard::parse(xml, &doc, XmlGuard::MaxDepth, &why)) {
        qDebug() << "add setcontent error..." << why;
        return false;
    }
    const QDomElement root = doc.documentElement();
    if (root.tagName() != QLatin1String("Zorvane"))
        qDebug() << "root.tagname != History...";
    for (QDomNode n = root.firstChild(); !n.isNull(); n = n.nextSibling()) {
        if (!n.isElement())
            continue;
        const QDomElement list = n.toElement();
        const int id = list.attribute(QStringLiteral("id")).toInt();
        if (id < 0 || id > rows->size())
            continue;
        DockIconRecord rec;
        for (QDomNode c = list.firstChild(); !c.isNull(); c = c.nextSibling()) {
            if (!c.isElement())
                continue;
            const QDomElement e = c.toElement();
            for (int f = 0; f < DockIconRecord::FieldCount; ++f) {
                if (e.tagName() == QLatin1String(fieldTags[f]))
                    rec.setField(f, e.text());
            }
        }
        rows->insert(id, rec);
    }
    return true;
}

ReadStatus read(const QString &path, QList<DockIconRecord> *rows)
{
    using namespace platform;
    rows->clear();
    QByteArray data;
    const RegularFile::Status status = RegularFile::read(path, RegularFile::ListCap, &data);
    switch (status) {
    case RegularFile::Status::Ok:
        break;
    case RegularFile::Status::Missing:
        return ReadStatus::Missing;
    case RegularFile::Status::TooLarge:
        // Ours never grows that large; kept for the user, it is not read.
        SafeFile::keepBad(path);
        Q_FALLTHROUGH();
    default:
        qDebug() << "open for add error..." << path << RegularFile::describe(status);
        return ReadStatus::Unreadable;
    }
    if (!parse(data, rows)) {
        SafeFile::keepBad(path);
        return ReadStatus::Unreadable;
    }
    return ReadStatus::Read;
}

QList<DockIconRecord> read(const QString &path)
{
    QList<DockIconRecord> rows;
    read(path, &rows);
    return rows;
}

bool write(const QString &path, const QList<DockIconRecord> &rows)
{
    if (!SafeFile::write(path, toXml(rows))) {
        qDebug() << "open for add error!";
        return false;
    }
    return true;
}

void load(const QString &path, DockIconList *list)
{
    list->setRows(read(path));
}

bool save(const QString &path, const DockIconList &list)
{
    return write(path, list.rows());
}

QString cell(const QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *it = table->item(row, column);
    return it ? it->text() : QString();
}

DockIconRecord rowOf(const QTableWidget *table, int row)
{
    DockIconRecord rec;
    for (int f = 0; f < DockIconRecord::FieldCount; ++f)
        rec.setField(f, cell(table, row, f));
    return rec;
}

QList<DockIconRecord> fromTable(const QTableWidget *table)
{
    QList<DockIconRecord> rows;
    for (int r = 0; r < table->rowCount(); ++r)
        rows.append(rowOf(table, r));
    return rows;
}

void appendRow(QTableWidget *table, const DockIconRecord &row)
{
    const int r = table->rowCount();
    table->insertRow(r);
    for (int f = 0; f < DockIconRecord::FieldCount; ++f)
        table->setItem(r, f, new QTableWidgetItem(row.field(f)));
}

void toTable(QTableWidget *table, const QList<DockIconRecord> &rows)
{
    for (int r = table->rowCount() - 1; r >= 0; --r)
        table->removeRow(r);
    for (const DockIconRecord &rec : rows)
        appendRow(table, rec);
}

int findRow(const QTableWidget *table, int column, const QString &text)
{
    for (int r = 0; r < table->rowCount(); ++r) {
        const QTableWidgetItem *it = table->item(r, column);
        if (it && it->text() == text)
            return r;
    }
    return -1;
}

bool anyCellEquals(const QTableWidget *table, const QString &text)
{
    for (int r = 0; r < table->rowCount(); ++r) {
        for (int c = 0; c < table->columnCount(); ++c) {
            const QTableWidgetItem *it = table->item(r, c);
            if (it && it->text() == text)
                return true;
        }
    }
    return false;
}

} // namespace DockFile
