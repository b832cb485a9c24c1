#include "coarseregion.h"

#include <QVector>

namespace {

qint64 area(const QRect &r)
{
    return qint64(r.width()) * r.height();
}

} // namespace

QRegion coarseRegion(const QRegion &region, int rectCost)
{
    if (region.rectCount() <= 1)
        return region;
    QVector<QRect> rects(region.begin(), region.end());
    // Greedily join the pair whose bounding rectangle adds least, while it
    // adds no more than one rectangle costs. A frame's region has a few
    // dozen rectangles at most.
    for (;;) {
        int bi = -1, bj = -1;
        qint64 best = rectCost;
        for (int i = 0; i < rects.size(); ++i) {
            for (int j = i + 1; j < rects.size(); ++j) {
                const qint64 added = area(rects[i] | rects[j]) - area(rects[i]) - area(rects[j]);
                if (added <= best) {
                    best = added;
                    bi = i;
                    bj = j;
                }
            }
        }
        if (bi < 0)
            break;
        rects[bi] |= rects[bj];
        rects.remove(bj);
    }
    QRegion out;
    for (const QRect &r : qAsConst(rects))
        out += r;
    return out;
}
