#include "fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

void mapChineseFonts()
{
    const QStringList families = QFontDatabase().families();
    QString found;
    for (const QString &wanted : { QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans SC"),
                                   QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Droid Sans Fallback") }) {
        if (families.contains(wanted)) {
            found = wanted;
            break;
        }
    }
    if (found.isEmpty()) {
        for (const QString &f : families) {
            if (f.contains(QLatin1String("CJK"))) {
                found = f;
                break;
            }
        }
    }
    if (found.isEmpty())
        return;
    for (const QString &name : { QStringLiteral("Microsoft YaHei"), QStringLiteral("微软雅黑"), QStringLiteral("SimSun") })
        QFont::insertSubstitution(name, found);
}
