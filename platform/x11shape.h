#pragma once
#include <QRect>
#include <QRegion>
#include <QVector>

#include <xcb/shape.h>
#include <xcb/xcb.h>

namespace platform {

// A region of a widget in the pixels of its window on the display.
inline QRegion nativeRegion(const QRegion &r, qreal dpr)
{
    if (qFuzzyCompare(dpr, 1.0))
        return r;
    QRegion out;
    for (const QRect &q : r)
        out += QRect(qRound(q.x() * dpr), qRound(q.y() * dpr), qRound(q.width() * dpr), qRound(q.height() * dpr));
    return out;
}

// Sets one of a window's shapes to a region in its own pixels (which a
// QRegion holds in bands, as the server takes them fastest); an empty region
// gives the shape all of the window.
inline void sendShape(xcb_connection_t *c, xcb_window_t win, xcb_shape_kind_t kind, const QRegion &native)
{
    if (native.isEmpty()) {
        xcb_shape_mask(c, XCB_SHAPE_SO_SET, kind, win, 0, 0, XCB_NONE);
    } else {
        QVector<xcb_rectangle_t> rects;
        rects.reserve(native.rectCount());
        for (const QRect &r : native)
            rects.append({ qint16(r.x()), qint16(r.y()), quint16(r.width()), quint16(r.height()) });
        xcb_shape_rectangles(c, XCB_SHAPE_SO_SET, kind, XCB_CLIP_ORDERING_YX_BANDED, win, 0, 0, uint32_t(rects.size()),
                             rects.constData());
    }
    xcb_flush(c);
}

} // namespace platform
