#include "magnify.h"

#include <algorithm>


namespace Magnify {

Plan plan(const QVector<bool> &blank, int r, float d, float M, float N, bool horizontal)
{
    Plan p;
    const int rows = blank.size();
    p.restoreAfter = r + 3;
    p.restoreBefore = r - 3;
    if (r < 0 || r >= rows)
        return p;
    // On a vertical bar the near side measures a spacer by its length along
    // the bar; the far side always by the icon's normal size.
    auto nearRest = [&](int row) { return !horizontal && blank[row] ? N / 2.5f : N; };
    if (!blank[r]) {
        if (r > 0) {
            p.steps.append({ r - 1, Step::SetSize, nearSize(M, d, nearRest(r - 1)) });
            if (blank[r - 1] && r >= 2)
                p.steps.append({ r - 2, Step::SetSize, nearSize(M, d, nearRest(r - 2)) });
        }
        if (r < rows - 1) {
            p.steps.append({ r + 1, Step::SetSize, farSize(M, d, N) });
            if (blank[r + 1] && r + 2 < rows)
                p.steps.append({ r + 2, Step::SetSize, farSize(M, d, N) });
        }
    } else {
        // Over a spacer both sides grow fully.
        if (r > 0) {
            p.steps.append({ r - 1, Step::Grow, 0 });
            if (blank[r - 1] && r >= 2)
                p.steps.append({ r - 2, Step::Grow, 0 });
        }
        if (r < rows - 1) {
            p.steps.append({ r + 1, Step::Grow, 0 });
            if (blank[r + 1] && r + 2 < rows)
                p.steps.append({ r + 2, Step::Grow, 0 });
        }
    }
    for (int row : { r - 2, r + 2 }) {
        if (row < 0 || row >= rows)
            continue;
        const bool sized = std::any_of(p.steps.cbegin(), p.steps.cend(), [row](const Step &s) { return s.row == row; });
        if (!sized)
            p.settle.append(row);
    }
    return p;
}

} // namespace Magnify
