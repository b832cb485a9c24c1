#include "backgroundstyle.h"

namespace BackgroundStyle {

QString piece(const QString &folder, const QString &name)
{
    return QStringLiteral("QFrame{border-image: url(:/image/style/%1/%2.png);background-color: rgba(0,0,0,0);"
                          "border-radius:0px;border:0px;border-style:solid;border-color: #535B6F;}")
        .arg(folder, name);
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
        l.inset = 0;
        l.verticalStrip = false;
        l.horizontalStrip = false;
        l.frame = QStringLiteral("QFrame{background-color: rgba(%1,")
                      .arg(style == 0 ? QStringLiteral("255, 255, 255") : QStringLiteral("0, 0, 0"))
            + QString::number(alpha)
            + QStringLiteral(");border-radius:3px;border:0px;border-style:solid;border-color: #535B6F;}");
        return l;
    }
    if (style < 2 || style > 6)
        return l;

    static const char *const folders[] = { "MacOSX", "MacOSX", "Classic2", "Classic3", "Classic4" };
    static const int insets[] = { 25, 25, 25, 20, 20 };
    const QString folder = QLatin1String(folders[style - 2]);
    l.inset = insets[style - 2];
    l.frame = QStringLiteral("QFrame{background-color: rgba(0,0,0,0);border-radius:0px;border:0px;"
                             "border-style:solid;border-color: #535B6F;}");
    if (style != 2 || horizontal) {
        l.bl = piece(folder, QStringLiteral("l"));
        l.br = piece(folder, QStringLiteral("r"));
        l.bg = piece(folder, QStringLiteral("bg"));
    }
    if (style == 2 && location == 1) {
        // On the right edge the left-hand pictures turned upright end the strip
        // at the bottom, the right-hand ones at the top.
        l.bl2 = piece(folder, QStringLiteral("r1"));
        l.br2 = piece(folder, QStringLiteral("l1"));
        l.bg2 = piece(folder, QStringLiteral("bg1"));
    } else if (style == 2 && location == 3) {
        l.bl2 = piece(folder, QStringLiteral("l3"));
        l.br2 = piece(folder, QStringLiteral("r3"));
        l.bg2 = piece(folder, QStringLiteral("bg3"));
    }
    return l;
}

} // namespace BackgroundStyle
