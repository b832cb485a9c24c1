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

QPoint besidePlace(QSize note, const QRect &from, const QRect &area, const QList<QPoint> &taken)
{
    // As far as a title bar is high, so that the note below still shows its own.
    const int step = 30;
    const auto onArea = [&](QPoint p) {
        if (!area.isValid())
            return p;
        return QPoint(qMax(area.left(), qMin(p.x(), area.right() + 1 - note.width())),
                      qMax(area.top(), qMin(p.y(), area.bottom() + 1 - note.height())));
    };
    const QPoint directions[] = { { 1, 1 }, { -1, 1 }, { 1, -1 }, { -1, -1 } };
    // Down the same way as far as notes were added before, then the other ways.
    for (const QPoint &d : directions) {
        for (int k = 1; k <= 32; ++k) {
            const QPoint p = onArea(from.topLeft() + d * step * k);
            if (p != from.topLeft() && !taken.contains(p))
                return p;
        }
    }
    return onArea(from.topLeft() + QPoint(step, step));
}

} // namespace NoteGeometry
