#include "dockfile.h"

#include "common/logging.h"
#include "common/recordfile.h"
#include "common/safefile.h"
#include "dockiconlist.h"

#include <QTableWidget>

namespace DockFile {

namespace {

const RecordFile::Layout &layout()
{
    static const RecordFile::Layout l { QStringLiteral("Zorvane"),
                                        { QStringLiteral("IconID"), QStringLiteral("Icon"), QStringLiteral("Name"),
                                          QStringLiteral("Class"), QStringLiteral("Path"), QStringLiteral("Note") } };
    return l;
}

} // namespace

QByteArray toXml(const QList<DockIconRecord> &rows)
{
    return RecordFile::toXml(layout(), rows);
}

bool parse(const QByteArray &xml, QList<DockIconRecord> *rows)
{
    QList<QStringList> cells;
    const bool ok = RecordFile::parse(layout(), xml, &cells) != RecordFile::Parse::Malformed;
    *rows = RecordFile::recordsOf<DockIconRecord>(cells);
    return ok;
}

ReadStatus read(const QString &path, QList<DockIconRecord> *rows)
{
    QList<QStringList> cells;
    const RecordFile::Read status = RecordFile::read(layout(), path, &cells);
    *rows = RecordFile::recordsOf<DockIconRecord>(cells);
    switch (status) {
    case RecordFile::Read::Ok:
    case RecordFile::Read::WrongRoot:
        return ReadStatus::Read;
    case RecordFile::Read::IdsIgnored:
    case RecordFile::Read::Salvaged:
        // The next save numbers the rows anew, or lacks those that did not
        // read: the file as it was is kept first. Where it cannot be, it is
        // left as it is for this run, and the rows read stand in memory only.
        SafeFile::keepBad(path);
        return ReadStatus::Read;
    case RecordFile::Read::Missing:
        return ReadStatus::Missing;
    case RecordFile::Read::TooLarge:
    case RecordFile::Read::Malformed:
        // What we cannot read is kept for the user before a save replaces it.
        SafeFile::keepBad(path);
        return ReadStatus::Unreadable;
    case RecordFile::Read::NotAFile:
    case RecordFile::Read::Failed:
        break;
    }
    return ReadStatus::Unreadable;
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
        qCDebug(lcFiles) << "open for add error!";
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
