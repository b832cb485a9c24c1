#pragma once
// What one pointer move over an icon does to the icons around it. Pure, so
// that the interpolation can be checked for every arrangement of spacers.

#include <QVector>

namespace Magnify {

// Size of the neighbour on the near side (before the hovered icon along the
// bar): at the leading edge (d = 0) it stands magnified, at d = M at rest.
inline float nearSize(float magnified, float d, float rest) { return magnified - d * (magnified - rest) / magnified; }
// Size of the neighbour on the far side: the mirror image.
inline float farSize(float magnified, float d, float rest) { return rest + d * (magnified - rest) / magnified; }

struct Step
{
    enum Kind { SetSize, Grow };   // Grow: the icon magnifies as if hovered
    int row;
    Kind kind;
    float size;                    // for SetSize
    bool operator==(const Step &o) const { return row == o.row && kind == o.kind && size == o.size; }
};

struct Plan
{
    QVector<Step> steps;
    // Rows that go back to rest: from restoreAfter to the last row, then from
    // restoreBefore down to row 0 (either range may be empty).
    int restoreAfter = 0;
    int restoreBefore = -1;
    // The rows two away that no step sizes: at rest at once. A pointer
    // gliding along leaves them there anyway; one that jumped would leave
    // them grown, and the row longer than its room on the screen.
    QVector<int> settle;
};

// blank[i]: whether row i is a BLANK spacer. d is the pointer's coordinate
// along the bar inside the hovered icon of row r.
Plan plan(const QVector<bool> &blank, int r, float d, float magnified, float normal, bool horizontal);

} // namespace Magnify
