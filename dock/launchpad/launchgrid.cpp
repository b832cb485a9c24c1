#include "launchgrid.h"

namespace LaunchGrid {

Geometry layout(int w, int h, int iconSize)
{
    Geometry g;
    g.gridWidth = w - w / 5;
    g.gridHeight = h - h / 5;
    g.gridX = (w - g.gridWidth) / 2;
    g.gridY = (h - g.gridHeight) / 2;
    g.firstColumnX = g.gridX;
    setIconSize(&g, iconSize);
    return g;
}

void setIconSize(Geometry *g, int iconSize)
{
    g->iconSize = iconSize;
    g->columnGap = (g->gridWidth - Columns * iconSize) / (Columns - 1);
    g->rowGap = (g->gridHeight - Rows * iconSize) / (Rows + 1);
}

Cells walk(int count, const Geometry &g)
{
    Cells cells;
    cells.pos.reserve(count);
    int x = 0, y = 0, c = 1, r = 1;
    for (int i = 0; i < count; ++i) {
        cells.pos.append(QPoint(x, y));
        x += g.columnGap + g.iconSize;
        if (c == Columns) {
            ++r;
            x = (cells.pageCount - 1) * g.stride();
            y += g.iconSize + g.rowGap;
            c = 1;
        } else {
            ++c;
        }
        if (r == Rows + 1) {
            r = 1;
            y = 0;
            x = cells.pageCount * g.stride();
            ++cells.pageCount;
        }
    }
    return cells;
}

} // namespace LaunchGrid
