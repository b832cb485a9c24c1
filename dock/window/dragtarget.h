#pragma once
// What a drag over the bar aims at and what a drop may do, kept apart from
// the widgets so that every position and class can be checked without a window.
//
// Lengths and positions run along the bar (x on a top or bottom bar, y on a
// side bar) inside the icon frame. Rows are rows of the icon table.

#include <QPoint>
#include <QRect>
#include <QString>
#include <QVector>

class QMimeData;

namespace DragTarget {

// One icon the bar shows, as the drag sees it.
struct Item
{
    int row = 0;       // its row in the icon table
    QString cls;       // its class
    int length = 0;    // its length along the bar
};

// Where a dragged item would go: between two icons (IconClass::MAIN, `gap` the row it
// would be inserted at), or into the icon of row `gap`, one that takes drops (`target`
// its class).
struct Aim
{
    QString target;
    int gap = 0;
};

// Start of each item along the bar: one after the other, and with `room`
// pixels left free before the first item whose row is `gap` or later
// (no room when gap < 0).
QVector<int> places(const QVector<Item> &items, int gap, int room);
// Where the free room before row `gap` starts.
int gapStart(const QVector<Item> &items, int gap);

// The aim of a cursor at `cursor` along the bar. `openGap` is the gap the bar
// shows now (-1 when it shows none), `room` its length; `rowCount` the rows
// of the table (some of them may show no icon); `current` the aim so far.
// An empty bar, or a cursor before the first or past the last icon, aims at
// the nearest end: it never names a row that is not there.
Aim aim(const QVector<Item> &items, int rowCount, int cursor, int openGap, int room, const Aim &current);

// Whether a point counts as on the bar at a release: strictly inside the bar
// widened by `extra` at its far end along x.
bool onBar(const QPoint &p, const QRect &bar, int extra);

// A dock icon dropped onto a MENU icon.
enum class MenuVerdict {
    Accept,
    Refused,      // the dock keeps it: "不能添加！"
    MenuRefuses,  // the menu takes no icon of its class: "菜单中不能添加此图标！"
};
MenuVerdict menuVerdict(const QString &cls);

// A dock icon dropped onto the LAUNCHPAD icon.
enum class PadVerdict {
    Accept,
    Silent,       // the launch pad itself: back to its place, no word
    AppRefused,   // "此应用不能添加！"
    IconRefused,  // a spacer: "此图标不能添加！"
};
PadVerdict launchPadVerdict(const QString &cls);

// What a dragged-in file becomes.
enum class FileKind { None, Folder, Program };
// The local file of a drag that carries exactly one local file, else empty.
QString draggedFile(const QMimeData *mime);
// A folder, a program file (".exe", ".lnk", ".bat", an executable, a
// ".desktop" file or a ".sh" script, suffixes in any case), or nothing.
FileKind fileKind(const QString &path);

} // namespace DragTarget
