#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The XML layout of our list files ("Zorvane.xml", the menus, the launch pad,
// "Mirelka.xml"): a declaration, one root element, one "List" per row with the
// attribute "id" holding the row number, and one child element per field.
// Only the root's name and the fields' tags differ from file to file.
namespace RecordFile {

struct Layout
{
    QString root;
    QStringList tags; // one per field, in column order
};

// The whole document, UTF-8, indented by 4. A character that XML cannot hold
// (a pasted control character) is left out: written as it is, it would make
// the file unreadable, and every row with it.
QByteArray toXml(const Layout &layout, const QList<QStringList> &rows);

enum class Parse {
    Ok,
    WrongRoot, // well-formed, another root: its rows were read all the same
    Malformed, // not well-formed or too deep: nothing was read
};
// Rows in file order, one cell per tag. Any element under the root is a row,
// inserted at its "id" (missing or not a number: 0); an id below 0 or past the
// rows read so far drops that element. Fields are found by their tag, exactly;
// a later element of the same tag wins, unknown tags are skipped.
Parse parse(const Layout &layout, const QByteArray &xml, QList<QStringList> *rows);

enum class Read {
    Ok,
    WrongRoot,
    Missing,    // no file: a first start
    NotAFile,   // a folder, a pipe, a device: holds nothing of ours
    TooLarge,   // far larger than ours ever grow
    Failed,     // there, but could not be opened or read
    Malformed,
};
// Reads at most the list cap; rows stay empty unless Ok or WrongRoot. Keeps
// nothing aside: what to keep as "<file>.bad" is the caller's choice.
Read read(const Layout &layout, const QString &path, QList<QStringList> *rows);

// The same through records of Record::FieldCount text fields.
template <typename Record>
QStringList cellsOf(const Record &rec)
{
    QStringList cells;
    for (int f = 0; f < Record::FieldCount; ++f)
        cells << rec.field(f);
    return cells;
}
template <typename Record>
Record recordOf(const QStringList &cells)
{
    Record rec;
    for (int f = 0; f < Record::FieldCount && f < cells.size(); ++f)
        rec.setField(f, cells.at(f));
    return rec;
}
template <typename Record>
QByteArray toXml(const Layout &layout, const QList<Record> &rows)
{
    QList<QStringList> cells;
    for (const Record &rec : rows)
        cells << cellsOf(rec);
    return toXml(layout, cells);
}
template <typename Record>
QList<Record> recordsOf(const QList<QStringList> &cells)
{
    QList<Record> rows;
    for (const QStringList &c : cells)
        rows << recordOf<Record>(c);
    return rows;
}

} // namespace RecordFile
