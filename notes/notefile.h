#pragma once
#include "notes/notelist.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The note file "Mirelka.xml": root "Mirelka", one "List" per note in list
// order, its seven cells as the children NoteID, STYLE, TEXT, XX, YY, WW, HH.
namespace NoteFile {

QString fileName();

// The whole document for the notes, UTF-8, indented by 4.
QByteArray build(const QList<NoteRow> &rows);

// What build() writes, counted without writing it: the document holds at
// most FrameBytes and the rowBytes() of each row, also once a row has been
// moved, resized or given another colour.
constexpr qint64 FrameBytes = 128;
qint64 rowBytes(const NoteRow &row);
// The same with the text's share already counted (RecordFile::storedBytes).
qint64 rowBytes(const NoteRow &row, qint64 textBytes);
// At least what a new note takes, empty.
constexpr qint64 NewNoteBytes = 2048;

enum class ReadResult {
    Read,       // the file was read (it may have held no note)
    Missing,    // no file: a first start
    Unreadable, // it could not be opened or parsed, or is too large: nothing was read
    NotAFile,   // a pipe, a device or a folder stands there: nothing was read
    WrongRoot,  // well-formed, but not ours; its rows were read all the same
    IdsIgnored, // every note was read, in file order: the ids were out of sequence
    Salvaged,   // damaged (a bad byte, a cut end): the notes that read on their own were read
    TooLarge,   // larger than the notes ever take: those that lie whole within the limit were read
};

// Replaces the rows of the list (reset()) with those of the file. An element
// missing from the file reads as empty text.
ReadResult read(const QString &path, NoteList &list);
ReadResult read(const QString &path, QList<NoteRow> *rows);

} // namespace NoteFile
