#pragma once
// Where the one-off animations of a bar icon stand at a point of their run
// (t from 0 to 1): pure, so that their shape can be checked without a clock.

#include <QEasingCurve>
#include <QtGlobal>

namespace BarCurves {

// The opened icon's jump: the picture's distance from the top of its icon.
// Up to the top, down 20, up again, down 20, and to rest at 5, eased as one run.
inline int jumpY(qreal t, int from)
{
    if (t >= 1)
        return 5;
    static const QEasingCurve outQuad(QEasingCurve::OutQuad);
    static const qreal keys[] = { 0, 0.2, 0.3, 0.6, 0.9, 1 };
    const int values[] = { from, 0, 20, 0, 20, 5 };
    const qreal v = outQuad.valueForProgress(qMax<qreal>(0, t));
    int k = 0;
    while (k < 4 && v > keys[k + 1])
        ++k;
    const qreal along = (v - keys[k]) / (keys[k + 1] - keys[k]);
    return int(values[k] + (values[k + 1] - values[k]) * along);
}

// A new removable disk's picture dropping in from `depth` above its place.
inline int slideY(qreal t, int depth)
{
    return t >= 1 ? 0 : int(-depth + depth * qMax<qreal>(0, t));
}

} // namespace BarCurves
