#include "fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace Fonts {

void installSubstitutions()
{
    static const QStringList candidates = {
        QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans SC"),
        QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Droid Sans Fallback"),
    };
    const QStringList installed = QFontDatabase().families();
    QStringList chosen;
    for (const QString &c : candidates) {
        if (installed.contains(c, Qt::CaseInsensitive))
            chosen << c;
    }
    if (chosen.isEmpty())
        return;
    for (const char *name : { "Microsoft YaHei", "微软雅黑", "SimSun", "宋体" })
        QFont::insertSubstitutions(QString::fromUtf8(name), chosen);
}

} // namespace Fonts
