#pragma once
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// Where a note read from the file may stand. Sizes and positions in the file
// are only numbers: a note never grows past the desktop nor below its
// smallest size, and one that would stand outside the desktop is brought
// back onto it.
namespace NoteGeometry {

// `desktop` is the union of the screens; an invalid one leaves the position
// and size alone (apart from the smallest size). Without hasPosition only
// the size is decided (x and y of the result are then 0).
QRect clamp(bool hasPosition, QPoint position, QSize size, QSize minimum, const QRect &desktop);

// Where the first note of the desktop opens: in the middle of the screen,
// unless that covers `avoid` (the window that switched the notes on); then
// beside it, right of it where the screen has room, else left of it, else
// in the middle all the same.
QPoint firstPlace(QSize note, const QRect &screen, const QRect &avoid);

// Where a note added from the note at `from` opens: a step down and to the
// right of it, or in another direction where the free area of the screen
// (`area`) ends, whole on that area; never at the place of `from` nor at one
// of the places `taken` by other notes, where the area leaves another.
QPoint besidePlace(QSize note, const QRect &from, const QRect &area, const QList<QPoint> &taken);

} // namespace NoteGeometry
