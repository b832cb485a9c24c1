#pragma once
#include "dockicon.h"

#include <QByteArray>
#include <QList>

class DockIconList;
class QTableWidget;

// The icon file layout shared by the bar ("Zorvane.xml"), the icon menus and
// the launch pad: root "Zorvane", one "List" per row with attribute "id" and
// the six fields as child elements.
namespace DockFile {

QByteArray toXml(const QList<DockIconRecord> &rows);

// Reads every row: at its id where the ids are 0 to n - 1, else in file
// order. Returns false when the text is not well-formed XML (rows then stays
// empty).
bool parse(const QByteArray &xml, QList<DockIconRecord> *rows);

enum class ReadStatus {
    // Also when the ids were out of sequence, or when only the rows that read
    // on their own were read: the file was then kept as "<file>.bad" first.
    Read,
    Missing,
    // Not well-formed, nested too deep, too large, or not a regular file at
    // all: nothing was read. What was a file is kept as "<file>.bad" before
    // anything can overwrite it; one that cannot be kept is never written
    // over in this run.
    Unreadable,
};
ReadStatus read(const QString &path, QList<DockIconRecord> *rows);
// The same, for callers that treat every failure as no rows.
QList<DockIconRecord> read(const QString &path);
// Writes atomically; false (and a debug line) when the file cannot be written.
bool write(const QString &path, const QList<DockIconRecord> &rows);

// The same through an icon list: loading replaces its rows (reset()).
void load(const QString &path, DockIconList *list);
bool save(const QString &path, const DockIconList &list);

// For owners that still keep their rows in a hidden table widget; every
// cell always holds an item.
QList<DockIconRecord> fromTable(const QTableWidget *table);
void toTable(QTableWidget *table, const QList<DockIconRecord> &rows);
void appendRow(QTableWidget *table, const DockIconRecord &row);
DockIconRecord rowOf(const QTableWidget *table, int row);
// The text of one cell, empty where the cell holds no item.
QString cell(const QTableWidget *table, int row, int column);
// The first row whose column holds exactly text, or -1.
int findRow(const QTableWidget *table, int column, const QString &text);
// Whether any cell of the table holds exactly text.
bool anyCellEquals(const QTableWidget *table, const QString &text);

} // namespace DockFile
