#pragma once
// The look of the bar background for each style, alpha and edge, as the
// value the bar paints.

#include "dock/icons/dockbar.h"

#include <QColor>
#include <QString>
#include <optional>

namespace BackgroundStyle {

// What one style, alpha and edge set; what they leave unset stays as the
// looks before left it.
struct Look
{
    // Which strip of pictures shows: the one across the bar or the upright one.
    std::optional<bool> horizontalStrip;
    std::optional<bool> verticalStrip;
    // The background's overhang on both ends (the side width of the layout).
    std::optional<int> inset;
    // The plain fill, its alpha within 0..255, and its corner radius.
    std::optional<QColor> fill;
    std::optional<int> radius;
    // The pictures of the ends and the middle of each strip.
    std::optional<QString> first, middle, last;    // across
    std::optional<QString> first2, middle2, last2; // upright
};

Look look(int style, int alpha, int location);

// The picture of one piece, e.g. piece("MacOSX", "l").
QString piece(const QString &folder, const QString &name);

// The background as the looks so far have made it: each look is laid over
// what the ones before it set.
class Backdrop
{
public:
    void apply(const Look &l);
    // What the bar paints: the fill, and the pictures of the strip that shows.
    DockBar::Background background() const;

private:
    bool m_horizontal = false, m_vertical = false;
    QColor m_fill = Qt::transparent; // no style yet: nothing
    int m_radius = 0;
    QString m_first, m_middle, m_last, m_first2, m_middle2, m_last2;
};

} // namespace BackgroundStyle
