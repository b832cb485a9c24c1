#include "loupe.h"

#include <QtGlobal>

Loupe Loupe::at(const QPoint &pointer, const QPoint &pixel, const QSize &picture, int labelWidth)
{
    Loupe l;
    l.source = QRect(pixel - QPoint(reach, reach), pixel + QPoint(reach, reach)) & QRect(QPoint(0, 0), picture);

    const QSize scaled = l.source.size() * zoom;
    // The lens never starts left of or above the desktop's first column and row;
    // near the right and bottom edges it may reach past the window instead.
    const int x = qMax(1, pointer.x() - scaled.width() / 2);
    const int y = qMax(1, pointer.y() - scaled.height() / 2);
    l.lens = QRect(QPoint(x, y), scaled);
    l.ring = QRect(x - ringMargin, y - ringMargin, ringSize, ringSize);
    l.marker = QRect(pointer.x() - markerSize / 2, pointer.y() - markerSize / 2, markerSize, markerSize);
    l.label = QPoint(pointer.x() - labelWidth / 2, pointer.y() + labelGap);
    return l;
}
