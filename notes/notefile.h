#pragma once

#include <QByteArray>
#include <QString>

class QTableWidget;

// The note file "Mirelka.xml": root "Mirelka", one "List" per note in table
// order, its seven cells as the children NoteID, STYLE, TEXT, XX, YY, WW, HH.
namespace NoteFile {

enum Column { ColId, ColStyle, ColText, ColX, ColY, ColW, ColH, ColumnCount };

QString fileName();

// The whole document for the table, UTF-8, indented by 4.
QByteArray build(const QTableWidget &table);

enum class ReadResult {
    Read,       // the file was read (it may have held no note)
    Missing,    // no file: a first start
    Unreadable, // it could not be opened or parsed, or is too large: nothing was read
    NotAFile,   // a pipe, a device or a folder stands there: nothing was read
    WrongRoot,  // well-formed, but not ours; its rows were read all the same
};

// Clears the table and fills it from the file. Every cell of a new row gets an
// item, so an element missing from the file reads as empty text.
ReadResult read(const QString &path, QTableWidget &table);

// Makes the row's seven cells (all empty) at `row`.
void insertEmptyRow(QTableWidget &table, int row);
QString cell(const QTableWidget &table, int row, int column);
void setCell(QTableWidget &table, int row, int column, const QString &text);

} // namespace NoteFile
