#pragma once
// Reading a rendered picture as a user looks at it: where something is
// drawn, what colour a spot shows, where two pictures differ. Pictures are
// compared with tolerances, so that a pixel of rounding is no fault.
#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <functional>

namespace Seen {

// The picture in one format that every reader below understands.
inline QImage plain(const QImage &img)
{
    return img.convertToFormat(QImage::Format_ARGB32);
}

// The smallest rectangle holding every pixel of `area` that `drawn` says
// yes to (empty when none does).
inline QRect boundsOf(const QImage &img, const std::function<bool(const QColor &)> &drawn, QRect area = QRect())
{
    const QImage p = plain(img);
    area = area.isNull() ? p.rect() : (area & p.rect());
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(p.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            if (drawn(QColor::fromRgba(line[x]))) {
                left = qMin(left, x);
                right = qMax(right, x);
                top = qMin(top, y);
                bottom = qMax(bottom, y);
            }
        }
    }
    return left > right ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Where anything is drawn: pixels of at least `minAlpha` (any but the clear ones).
inline QRect drawnBounds(const QImage &img, QRect area = QRect(), int minAlpha = 1)
{
    return boundsOf(img, [minAlpha](const QColor &c) { return c.alpha() >= minAlpha; }, area);
}

// How many pixels of `area` `drawn` says yes to.
inline int count(const QImage &img, const std::function<bool(const QColor &)> &drawn, QRect area = QRect())
{
    const QImage p = plain(img);
    area = area.isNull() ? p.rect() : (area & p.rect());
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += drawn(p.pixelColor(x, y));
    return n;
}

// Two colours alike to the eye: each channel and the alpha within `tolerance`.
inline bool alike(const QColor &a, const QColor &b, int tolerance = 3)
{
    return qAbs(a.red() - b.red()) <= tolerance && qAbs(a.green() - b.green()) <= tolerance
        && qAbs(a.blue() - b.blue()) <= tolerance && qAbs(a.alpha() - b.alpha()) <= tolerance;
}

// A rectangle for a failure's text: "x,y wxh".
inline QString text(const QRect &r)
{
    return QString("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// Where two pictures of the same size differ by more than `tolerance` in
// any channel: how many pixels, and the smallest rectangle holding them.
struct Change
{
    int pixels = 0;
    QRect bounds;
};
inline Change changes(const QImage &a, const QImage &b, QRect area = QRect(), int tolerance = 8)
{
    const QImage p = plain(a), q = plain(b);
    area = area.isNull() ? (p.rect() & q.rect()) : (area & p.rect() & q.rect());
    Change c;
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (alike(p.pixelColor(x, y), q.pixelColor(x, y), tolerance))
                continue;
            ++c.pixels;
            left = qMin(left, x);
            right = qMax(right, x);
            top = qMin(top, y);
            bottom = qMax(bottom, y);
        }
    }
    if (c.pixels)
        c.bounds = QRect(QPoint(left, top), QPoint(right, bottom));
    return c;
}

} // namespace Seen
