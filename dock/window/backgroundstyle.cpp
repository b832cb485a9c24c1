#include "backgroundstyle.h"

namespace BackgroundStyle {

QString piece(const QString &folder, const QString &name)
{
    return QStringLiteral(":/image/style/%1/%2.png").arg(folder, name);
}

Look look(int style, int alpha, int location)
{
    Look l;
    const bool horizontal = location == 0 || location == 2;
    const bool vertical = location == 1 || location == 3;
    if (horizontal) {
        l.verticalStrip = false;
        l.horizontalStrip = true;
    } else if (vertical) {
        l.verticalStrip = true;
        l.horizontalStrip = false;
    }

    if (style == 0 || style == 1) {
        // White or black at the chosen alpha, with rounded corners.
        l.inset = 0;
        l.verticalStrip = false;
        l.horizontalStrip = false;
        const int c = style == 0 ? 255 : 0;
        l.fill = QColor(c, c, c, qBound(0, alpha, 255));
        l.radius = 3;
        return l;
    }
    if (style < 2 || style > 6)
        return l;

    static const char *const folders[] = { "MacOSX", "MacOSX", "Classic2", "Classic3", "Classic4" };
    static const int insets[] = { 25, 25, 25, 20, 20 };
    const QString folder = QLatin1String(folders[style - 2]);
    l.inset = insets[style - 2];
    l.fill = QColor(0, 0, 0, 0);
    l.radius = 0;
    if (style != 2 || horizontal) {
        l.first = piece(folder, QStringLiteral("l"));
        l.last = piece(folder, QStringLiteral("r"));
        l.middle = piece(folder, QStringLiteral("bg"));
    }
    if (style == 2 && location == 1) {
        // On the right edge the left-hand pictures turned upright end the strip
        // at the bottom, the right-hand ones at the top.
        l.first2 = piece(folder, QStringLiteral("r1"));
        l.last2 = piece(folder, QStringLiteral("l1"));
        l.middle2 = piece(folder, QStringLiteral("bg1"));
    } else if (style == 2 && location == 3) {
        l.first2 = piece(folder, QStringLiteral("l3"));
        l.last2 = piece(folder, QStringLiteral("r3"));
        l.middle2 = piece(folder, QStringLiteral("bg3"));
    }
    return l;
}

void Backdrop::apply(const Look &l)
{
    const auto take = [](auto &member, const auto &value) {
        if (value)
            member = *value;
    };
    take(m_horizontal, l.horizontalStrip);
    take(m_vertical, l.verticalStrip);
    take(m_fill, l.fill);
    take(m_radius, l.radius);
    take(m_first, l.first);
    take(m_middle, l.middle);
    take(m_last, l.last);
    take(m_first2, l.first2);
    take(m_middle2, l.middle2);
    take(m_last2, l.last2);
}

DockBar::Background Backdrop::background() const
{
    DockBar::Background b;
    b.fill = m_fill;
    b.radius = m_radius;
    if (m_horizontal) {
        b.first = m_first;
        b.middle = m_middle;
        b.last = m_last;
    } else if (m_vertical) {
        b.upright = true;
        b.first = m_first2;
        b.middle = m_middle2;
        b.last = m_last2;
    }
    return b;
}

} // namespace BackgroundStyle
