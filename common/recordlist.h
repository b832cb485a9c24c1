#pragma once
#include <QList>
#include <QObject>
#include <QString>
#include <QtGlobal>

// A list of records of text fields, in display order, that tells its views
// what changed instead of being re-read by hand. The dock's icons and the
// notes program's notes are both such lists; each program names its own list
// class and declares the signals there, since a template cannot carry them:
//
//   class Notes : public RecordList<Notes, NoteRow> {
//       Q_OBJECT
//   signals:
//       void rowInserted(int row);
//       void rowRemoved(int row, const NoteRow &old);
//       void rowMoved(int from, int to);
//       void rowChanged(int row);
//       void reset();
//   };
//
// Record holds FieldCount strings, read and written by field(i) and
// setField(i, text), and compares with ==. Column 0 is the record's ID.
template <typename Derived, typename Record>
class RecordList : public QObject
{
public:
    explicit RecordList(QObject *parent = nullptr) : QObject(parent) {}

    int size() const { return m_rows.size(); }
    int rowCount() const { return m_rows.size(); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    const Record &at(int row) const { return m_rows.at(row); }
    // A copy of the row, or an empty record for a row out of range.
    Record record(int row) const { return row >= 0 && row < m_rows.size() ? m_rows.at(row) : Record(); }
    const QList<Record> &rows() const { return m_rows; }

    // The text of one cell, empty for a row or column out of range.
    QString cell(int row, int column) const
    {
        return row >= 0 && row < m_rows.size() ? m_rows.at(row).field(column) : QString();
    }
    // Find by ID: the first row whose ID (column 0) is id, or -1.
    int indexOfId(const QString &id) const { return findRow(0, id); }
    // Find by cell: the first row whose column holds exactly text, or -1.
    int findRow(int column, const QString &text) const
    {
        for (int r = 0; r < m_rows.size(); ++r) {
            if (m_rows.at(r).field(column) == text)
                return r;
        }
        return -1;
    }
    // Whether any cell of any row holds exactly text.
    bool anyCellEquals(const QString &text) const
    {
        for (const Record &rec : m_rows) {
            for (int f = 0; f < Record::FieldCount; ++f) {
                if (rec.field(f) == text)
                    return true;
            }
        }
        return false;
    }

    // Replaces every row; reset() tells the views to rebuild.
    void setRows(const QList<Record> &rows)
    {
        m_rows = rows;
        emit self()->reset();
    }
    void clear() { setRows({}); }
    void append(const Record &rec) { insert(m_rows.size(), rec); }
    // Inserts before row (clamped to the ends).
    void insert(int row, const Record &rec)
    {
        row = qBound(0, row, m_rows.size());
        m_rows.insert(row, rec);
        emit self()->rowInserted(row);
    }
    void removeAt(int row)
    {
        if (row < 0 || row >= m_rows.size())
            return;
        const Record old = m_rows.takeAt(row);
        emit self()->rowRemoved(row, old);
    }
    // Moves a row so that it ends up at index to; nothing when either is out of range.
    void move(int from, int to)
    {
        if (from < 0 || from >= m_rows.size() || to < 0 || to >= m_rows.size() || from == to)
            return;
        m_rows.move(from, to);
        emit self()->rowMoved(from, to);
    }
    // An edit that changes nothing announces nothing.
    void replace(int row, const Record &rec)
    {
        if (row < 0 || row >= m_rows.size() || m_rows.at(row) == rec)
            return;
        m_rows[row] = rec;
        emit self()->rowChanged(row);
    }
    void setCell(int row, int column, const QString &text)
    {
        if (row < 0 || row >= m_rows.size() || column < 0 || column >= Record::FieldCount)
            return;
        if (m_rows.at(row).field(column) == text)
            return;
        m_rows[row].setField(column, text);
        emit self()->rowChanged(row);
    }

private:
    Derived *self() { return static_cast<Derived *>(this); }

    QList<Record> m_rows;
};
