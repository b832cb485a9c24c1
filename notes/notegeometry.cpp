#include "notegeometry.h"

#include <QtGlobal>

namespace NoteGeometry {

QRect clamp(bool hasPosition, QPoint position, QSize size, QSize minimum, const QRect &desktop)
{
    int w = qMax(size.width(), minimum.width());
    int h = qMax(size.height(), minimum.height());
    if (!desktop.isValid())
        return QRect(hasPosition ? position : QPoint(), QSize(w, h));
    w = qMin(w, qMax(desktop.width(), minimum.width()));
    h = qMin(h, qMax(desktop.height(), minimum.height()));
    if (!hasPosition)
        return QRect(0, 0, w, h);
    // Within the desktop as a whole; a note larger than it keeps its top left on it.
    const int x = qMax(desktop.left(), qMin(position.x(), desktop.right() + 1 - w));
    const int y = qMax(desktop.top(), qMin(position.y(), desktop.bottom() + 1 - h));
    return QRect(x, y, w, h);
}

QPoint firstPlace(QSize note, const QRect &screen, const QRect &avoid)
{
    QRect r(QPoint(0, 0), note);
    r.moveCenter(screen.center());
    if (!avoid.isValid() || !r.intersects(avoid))
        return r.topLeft();
    // A gap of a few pixels, so the two do not read as one window.
    const int gap = 10;
    if (avoid.right() + gap + note.width() <= screen.right())
        r.moveLeft(avoid.right() + 1 + gap);
    else if (avoid.left() - gap - note.width() >= screen.left())
        r.moveRight(avoid.left() - 1 - gap);
    return r.topLeft();
}

} // namespace NoteGeometry
