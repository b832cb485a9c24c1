#include "fonts.h"

#include <QFont>
#include <QStringList>

namespace notes {

void installFontSubstitutes()
{
    const QStringList sans = { QStringLiteral("Noto Sans CJK SC") };
    QFont::insertSubstitutions(QStringLiteral("Microsoft YaHei"), sans);
    QFont::insertSubstitutions(QStringLiteral("微软雅黑"), sans);
    // SimSun is a Song (serif) face.
    QFont::insertSubstitutions(QStringLiteral("SimSun"),
                               { QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC") });
}

} // namespace notes
