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

} // namespace NoteGeometry
