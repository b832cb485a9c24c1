#include "dockiconlist.h"

DockIconList::DockIconList(QObject *parent) : QObject(parent) {}

QString DockIconList::cell(int row, int column) const
{
    if (row < 0 || row >= m_rows.size())
        return QString();
    return m_rows.at(row).field(column);
}

int DockIconList::indexOfId(const QString &id) const
{
    return findRow(0, id);
}

int DockIconList::findRow(int column, const QString &text) const
{
    for (int r = 0; r < m_rows.size(); ++r) {
        if (m_rows.at(r).field(column) == text)
            return r;
    }
    return -1;
}

bool DockIconList::anyCellEquals(const QString &text) const
{
    for (const DockIconRecord &rec : m_rows) {
        for (int f = 0; f < DockIconRecord::FieldCount; ++f) {
            if (rec.field(f) == text)
                return true;
        }
    }
    return false;
}

void DockIconList::setRows(const QList<DockIconRecord> &rows)
{
    m_rows = rows;
    emit reset();
}

void DockIconList::insert(int row, const DockIconRecord &rec)
{
    row = qBound(0, row, m_rows.size());
    m_rows.insert(row, rec);
    emit rowInserted(row);
}

void DockIconList::removeAt(int row)
{
    if (row < 0 || row >= m_rows.size())
        return;
    const DockIconRecord old = m_rows.takeAt(row);
    emit rowRemoved(row, old);
}

void DockIconList::move(int from, int to)
{
    if (from < 0 || from >= m_rows.size() || to < 0 || to >= m_rows.size() || from == to)
        return;
    m_rows.move(from, to);
    emit rowMoved(from, to);
}

void DockIconList::replace(int row, const DockIconRecord &rec)
{
    if (row < 0 || row >= m_rows.size() || m_rows.at(row) == rec)
        return;
    m_rows[row] = rec;
    emit rowChanged(row);
}

void DockIconList::setCell(int row, int column, const QString &text)
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= DockIconRecord::FieldCount)
        return;
    if (m_rows.at(row).field(column) == text)
        return;
    m_rows[row].setField(column, text);
    emit rowChanged(row);
}
