#pragma once
#include "common/recordlist.h"

#include <QMetaType>
#include <QString>

// One note: seven text cells, one row of the note list and one "List" of the
// note file.
struct NoteRow
{
    QString id;    // "Note" + the creation time ("mmzzz" and the milliseconds again)
    QString style; // "style1" to "style7"
    QString text;  // the note's rich text as HTML
    QString x;     // empty while the note has never been placed
    QString y;
    QString w;
    QString h;

    enum Column { ColId, ColStyle, ColText, ColX, ColY, ColW, ColH, FieldCount };
    QString field(int i) const;
    void setField(int i, const QString &value);
    bool operator==(const NoteRow &o) const;
    bool operator!=(const NoteRow &o) const { return !(*this == o); }
};
Q_DECLARE_METATYPE(NoteRow)

// The notes in file order.
class NoteList : public RecordList<NoteList, NoteRow>
{
    Q_OBJECT
public:
    explicit NoteList(QObject *parent = nullptr) : RecordList(parent) {}

signals:
    void rowInserted(int row);
    void rowRemoved(int row, const NoteRow &old);
    void rowMoved(int from, int to);
    void rowChanged(int row);
    void reset();
};
