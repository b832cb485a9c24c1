#pragma once
#include "platform/regularfile.h"

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

// The bytes a field's text takes in what toXml writes, escaped (never
// fewer), so that an owner that keeps its file within a size can count its
// rows without writing them.
qint64 storedBytes(const QString &text);

enum class Parse {
    Ok,
    WrongRoot,  // well-formed, another root: its rows were read all the same
    IdsIgnored, // well-formed, but the ids are no clean sequence: every row was read, in file order
    Salvaged,   // not well-formed as a whole: the rows that read on their own were read
    Malformed,  // not well-formed or too deep, and no row reads on its own: nothing was read
};
// One cell per tag for every element under the root, whatever its name.
// Where the "id"s are 0 to n - 1, each once, a row stands at its id (our
// files hold them in that order); any other ids (missing, repeated, not a
// number, out of range) decide nothing, and the rows keep their file order,
// so that no row is lost to an id. Fields are found by their tag, exactly;
// a later element of the same tag wins, unknown tags are skipped. A file
// that is not well-formed (a bad byte, a cut end) is read "List" by "List":
// each that reads on its own is kept, the others are left out.
Parse parse(const Layout &layout, const QByteArray &xml, QList<QStringList> *rows);

enum class Read {
    Ok,
    WrongRoot,
    IdsIgnored, // read in file order: a save would number the rows anew
    Salvaged,   // damaged: what a save writes lacks the rows that did not read
    Missing,    // no file: a first start
    NotAFile,   // a folder, a pipe, a device: holds nothing of ours
    TooLarge,   // larger than the cap: nothing read, or what lies whole within it (OverCap)
    Failed,     // there, but could not be opened or read
    Malformed,
};
// What a file larger than the cap gives: nothing, or the rows that lie whole
// within its first cap bytes, as from a file cut there.
enum class OverCap { ReadNothing, ReadWhatFits };
// Reads at most cap bytes, and never through a link; rows stay empty unless
// Ok, WrongRoot, IdsIgnored, Salvaged or (ReadWhatFits) TooLarge. Keeps
// nothing aside: what to keep as "<file>.bad" is the caller's choice.
Read read(const Layout &layout, const QString &path, QList<QStringList> *rows,
          qint64 cap = platform::RegularFile::ListCap, OverCap overCap = OverCap::ReadNothing);

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
