#pragma once
#include "dockicon.h"

#include <QList>
#include <QObject>

// The icons of a bar, an icon menu or the launch pad, in display order. Views
// subscribe to the row signals instead of being told by hand; rows, columns and
// the file layout are those of the icon files (see dockfile.h).
class DockIconList : public QObject
{
    Q_OBJECT
public:
    explicit DockIconList(QObject *parent = nullptr);

    int size() const { return m_rows.size(); }
    int rowCount() const { return m_rows.size(); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    const DockIconRecord &at(int row) const { return m_rows.at(row); }
    // A copy of the row, or an empty record for a row out of range.
    DockIconRecord record(int row) const { return row >= 0 && row < m_rows.size() ? m_rows.at(row) : DockIconRecord(); }
    const QList<DockIconRecord> &rows() const { return m_rows; }

    // The text of one cell (a column is a DockIconRecord field), empty for a
    // row or column out of range.
    QString cell(int row, int column) const;
    // Find by ID: the row whose IconID is id, or -1.
    int indexOfId(const QString &id) const;
    // Find by cell: the first row whose column holds exactly text, or -1.
    int findRow(int column, const QString &text) const;
    // Whether any cell of any row holds exactly text.
    bool anyCellEquals(const QString &text) const;

    // Replaces every row; reset() tells the views to rebuild.
    void setRows(const QList<DockIconRecord> &rows);
    void clear() { setRows({}); }
    void append(const DockIconRecord &row) { insert(m_rows.size(), row); }
    // Inserts before row (clamped to the ends).
    void insert(int row, const DockIconRecord &rec);
    void removeAt(int row);
    // Moves a row so that it ends up at index to; nothing when either is out of range.
    void move(int from, int to);
    void replace(int row, const DockIconRecord &rec);
    void setCell(int row, int column, const QString &text);

signals:
    void rowInserted(int row);
    void rowRemoved(int row, const DockIconRecord &old);
    void rowMoved(int from, int to);
    void rowChanged(int row);
    void reset();

private:
    QList<DockIconRecord> m_rows;
};
