#include "fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace Fonts {

// Of the wanted families, those installed, in order.
static QStringList installed(const QStringList &wanted, const QStringList &families)
{
    QStringList out;
    for (const QString &w : wanted) {
        if (families.contains(w, Qt::CaseInsensitive))
            out << w;
    }
    return out;
}

void installSubstitutions()
{
    const QStringList families = QFontDatabase().families();
    const QStringList sans = installed({ QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans SC"),
                                         QStringLiteral("WenQuanYi Micro Hei"),
                                         QStringLiteral("Droid Sans Fallback") },
                                       families);
    // SimSun is a Song (serif) face: a serif CJK face where there is one.
    const QStringList serif = installed({ QStringLiteral("Noto Serif CJK SC") }, families) + sans;
    for (const char *name : { "Microsoft YaHei", "微软雅黑", "Microsoft YaHei UI", "Microsoft YaHei UI Light" })
        QFont::insertSubstitutions(QString::fromUtf8(name), sans);
    for (const char *name : { "SimSun", "宋体" })
        QFont::insertSubstitutions(QString::fromUtf8(name), serif);
}

QFont yaHei(int pixelSize)
{
    QFont font(QStringLiteral("Microsoft YaHei"), 10, 10, false);
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace Fonts
