#include "fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>

namespace Fonts {

namespace {

// Chinese faces of the two kinds the windows name, best first, as Debian and
// other distributions package them.
const char *const sansFaces[] = { "Noto Sans CJK SC", "Source Han Sans SC", "Source Han Sans CN", "Noto Sans SC",
                                  "WenQuanYi Micro Hei", "WenQuanYi Zen Hei", "Droid Sans Fallback" };
const char *const serifFaces[] = { "Noto Serif CJK SC", "Source Han Serif SC", "Source Han Serif CN",
                                   "Noto Serif SC", "AR PL UMing CN", "AR PL SungtiL GB" };

const char *const sansNames[] = { "Microsoft YaHei", "微软雅黑", "Microsoft YaHei UI", "Microsoft YaHei UI Light" };
const char *const serifNames[] = { "SimSun", "宋体" };

template <size_t N>
QStringList installed(const char *const (&wanted)[N], const QStringList &families)
{
    QStringList out;
    for (const char *w : wanted) {
        const QString name = QString::fromUtf8(w);
        if (families.contains(name, Qt::CaseInsensitive))
            out << name;
    }
    return out;
}

template <size_t N>
bool named(const char *const (&names)[N], const QString &family)
{
    for (const char *n : names) {
        if (family.compare(QString::fromUtf8(n), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

QStringList substitutesFor(const QString &family, const QStringList &installedFamilies)
{
    const QStringList sans = installed(sansFaces, installedFamilies);
    if (named(sansNames, family))
        return sans;
    // SimSun is a Song (serif) face: a serif Chinese face where there is one.
    if (named(serifNames, family))
        return installed(serifFaces, installedFamilies) + sans;
    return QStringList();
}

void installSubstitutions()
{
    // Each name of a kind takes the same faces: they are looked for once per kind.
    const QStringList families = QFontDatabase().families();
    const QStringList sans = substitutesFor(QString::fromUtf8(sansNames[0]), families);
    const QStringList serif = substitutesFor(QString::fromUtf8(serifNames[0]), families);
    for (const char *name : sansNames)
        QFont::insertSubstitutions(QString::fromUtf8(name), sans);
    for (const char *name : serifNames)
        QFont::insertSubstitutions(QString::fromUtf8(name), serif);
}

QFont yaHei(int pixelSize)
{
    QFont font(QStringLiteral("Microsoft YaHei"), 10, 10, false);
    font.setPixelSize(pixelSize);
    return font;
}

QFont applicationFont(int pixelSize)
{
    QFont font = yaHei(pixelSize);
    const QScreen *screen = QGuiApplication::primaryScreen();
    const qreal dpi = screen && screen->logicalDotsPerInchY() > 0 ? screen->logicalDotsPerInchY() : 96.0;
    font.setPointSizeF(pixelSize * 72.0 / dpi);
    return font;
}

} // namespace Fonts
