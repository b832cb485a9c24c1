#include "desktopmap.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtMath>

DesktopMap DesktopMap::current()
{
    QVector<Screen> screens;
    for (QScreen *s : QGuiApplication::screens())
        screens.append({ s->geometry(), s->devicePixelRatio() });
    return DesktopMap(screens);
}

const DesktopMap::Screen *DesktopMap::screenFor(const QPointF &position) const
{
    const QPoint p(qFloor(position.x()), qFloor(position.y()));
    const Screen *nearest = nullptr;
    int best = 0;
    for (const Screen &s : m_screens) {
        if (s.geometry.contains(p))
            return &s;
        const int dx = qMax(0, qMax(s.geometry.left() - p.x(), p.x() - s.geometry.right()));
        const int dy = qMax(0, qMax(s.geometry.top() - p.y(), p.y() - s.geometry.bottom()));
        if (!nearest || dx + dy < best) {
            nearest = &s;
            best = dx + dy;
        }
    }
    return nearest;
}

QPoint DesktopMap::pixelAt(const QPointF &position) const
{
    const Screen *s = screenFor(position);
    if (!s || qFuzzyCompare(s->ratio, 1.0))
        return QPoint(qFloor(position.x() + 0.5), qFloor(position.y() + 0.5));
    // Qt hands out device-independent positions as pixel / ratio, often with a
    // fraction; rounding the product gives the pixel back exactly.
    const QPointF origin = s->geometry.topLeft();
    const QPointF native = origin + (position - origin) * s->ratio;
    return QPoint(qFloor(native.x() + 0.5), qFloor(native.y() + 0.5));
}

qreal DesktopMap::ratioAt(const QPoint &position) const
{
    const Screen *s = screenFor(position);
    return s ? s->ratio : 1.0;
}

QSize DesktopMap::coverFor(const QSize &pixels, const QPoint &origin) const
{
    const qreal r = ratioAt(origin);
    return QSize(qCeil(pixels.width() / r - 1e-9), qCeil(pixels.height() / r - 1e-9));
}
