#include "fileicons.h"
#include "desktopentries.h"
#include "regularfile.h"
#include "programfiles.h"

#include <XdgDesktopFile>
#include <XdgIcon>

#include <QFileInfo>
#include <QIcon>
#include <QMimeDatabase>
#include <QStandardPaths>

namespace platform {

namespace {

// The icon of an installed application whose Exec line starts this program.
QString applicationIconFor(const QString &program)
{
    const QString canonical = QFileInfo(program).canonicalFilePath();
    for (const DesktopEntries::Entry &e : DesktopEntries::list()) {
        XdgDesktopFile app;
        if (!DesktopEntries::load(e.file, &app) || app.type() != XdgDesktopFile::ApplicationType)
            continue;
        QString started = app.expandExecString().value(0);
        if (started.isEmpty())
            continue;
        if (!started.contains(QLatin1Char('/')))
            started = QStandardPaths::findExecutable(started);
        if (!started.isEmpty() && QFileInfo(started).canonicalFilePath() == canonical && !app.iconName().isEmpty())
            return app.iconName();
    }
    return QString();
}

} // namespace

QStringList ThemeFileIcons::iconNames(const QString &file)
{
    QStringList names;
    if (ProgramFiles::hasSuffix(file, "desktop")) {
        XdgDesktopFile df;
        if (RegularFile::isRegular(file) && df.load(file) && df.isValid() && !df.iconName().isEmpty())
            names << df.iconName();
        names << QStringLiteral("application-x-executable");
        return names;
    }
    if (ProgramFiles::isExecutableProgram(file)) {
        const QString app = applicationIconFor(file);
        if (!app.isEmpty())
            names << app;
        names << QStringLiteral("application-x-executable");
        return names;
    }
    const QMimeType mime = QMimeDatabase().mimeTypeForFile(file);
    names << mime.iconName() << mime.genericIconName();
    return names;
}

namespace {

// A name looked up in the fallback theme, taken whole at once: a themed icon
// follows the theme set when it is drawn, which is the user's theme again.
QIcon fromFallbackTheme(const QString &name)
{
    const QString theme = QIcon::themeName();
    const QString fallback = QIcon::fallbackThemeName();
    // Every theme ends in "hicolor": the user's theme has looked there already.
    if (fallback.isEmpty() || fallback == theme || fallback == QLatin1String("hicolor"))
        return QIcon();
    QIcon::setThemeName(fallback);
    const QIcon themed = XdgIcon::fromTheme(name);
    QIcon fixed;
    if (!themed.isNull()) {
        // A scalable picture lists only its nominal size: it is drawn large too.
        QList<QSize> sizes = themed.availableSizes();
        if (!sizes.contains(QSize(256, 256)))
            sizes << QSize(256, 256);
        for (const QSize &s : qAsConst(sizes))
            fixed.addPixmap(themed.pixmap(s));
    }
    QIcon::setThemeName(theme);
    return fixed;
}

} // namespace

QIcon ThemeFileIcons::iconOf(const QString &name)
{
    if (QFileInfo(name).isAbsolute())
        return RegularFile::pictureFits(name) ? QIcon(name) : QIcon();
    // The user's theme and the themes it inherits, then the fallback theme
    // also where the user's theme names parents of its own.
    const QIcon icon = XdgIcon::fromTheme(name);
    return icon.isNull() ? fromFallbackTheme(name) : icon;
}

QIcon ThemeFileIcons::iconFor(const QString &file)
{
    for (const QString &name : iconNames(file)) {
        const QIcon icon = iconOf(name);
        if (!icon.isNull())
            return icon;
    }
    return QIcon();
}

QPixmap ThemeFileIcons::largestPicture(const QIcon &icon, int size)
{
    // A scalable picture lists its nominal size, and is drawn at any size asked.
    int largest = size;
    for (const QSize &s : icon.availableSizes())
        largest = qMax(largest, qMax(s.width(), s.height()));
    QPixmap p = icon.pixmap(QSize(largest, largest));
    if (!p.isNull() && (p.width() > size || p.height() > size))
        p = p.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return p;
}

QPixmap ThemeFileIcons::largeIcon(const QString &file, int size)
{
    if (!QFileInfo::exists(file))
        return QPixmap();
    const QIcon icon = iconFor(file);
    if (icon.isNull())
        return QPixmap();
    QPixmap p = largestPicture(icon, size);
    if (!p.isNull() && p.size() != QSize(size, size))
        p = p.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return p;
}

template <>
FileIcons &Service<FileIcons>::real()
{
    static ThemeFileIcons icons;
    return icons;
}

} // namespace platform
