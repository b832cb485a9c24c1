#pragma once
// The look of the bar background for each style, alpha and edge.

#include <QString>
#include <optional>

namespace BackgroundStyle {

struct Look
{
    // Which strip shows: the horizontal one (BackgroundW) or the vertical one
    // (BackgroundH). Unset: left as it is.
    std::optional<bool> horizontalStrip;
    std::optional<bool> verticalStrip;
    // The background's overhang on both ends (the side width of the layout).
    std::optional<int> inset;
    // Style sheets; unset ones are left as they are.
    std::optional<QString> frame;             // frameBackground
    std::optional<QString> bl, bg, br;        // ends and middle of the horizontal strip
    std::optional<QString> bl2, bg2, br2;     // ends and middle of the vertical strip
};

Look look(int style, int alpha, int location);

// The sheet of one picture piece, e.g. piece("MacOSX", "l").
QString piece(const QString &folder, const QString &name);

} // namespace BackgroundStyle
