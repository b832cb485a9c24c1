#include "fileicons.h"
#include "regularfile.h"
#include "programfiles.h"

#include <XdgDesktopFile>
#include <XdgIcon>
#include <XdgMimeApps>

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
    QString icon;
    XdgMimeApps apps;
    const QList<XdgDesktopFile *> all = apps.allApps();
    for (XdgDesktopFile *app : all) {
        if (!icon.isEmpty() || !app || app->type() != XdgDesktopFile::ApplicationType)
            continue;
        const QStringList exec = app->expandExecString();
        if (exec.isEmpty())
            continue;
        QString started = exec.first();
        if (!started.contains(QLatin1Char('/')))
            started = QStandardPaths::findExecutable(started);
        if (!started.isEmpty() && QFileInfo(started).canonicalFilePath() == canonical)
            icon = app->iconName();
    }
    qDeleteAll(all);
    return icon;
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

QIcon ThemeFileIcons::iconOf(const QString &name)
{
    if (!QFileInfo(name).isAbsolute())
        return XdgIcon::fromTheme(name);
    return RegularFile::pictureFits(name) ? QIcon(name) : QIcon();
}

QPixmap ThemeFileIcons::largeIcon(const QString &file, int size)
{
    if (!QFileInfo::exists(file))
        return QPixmap();
    QIcon icon;
    for (const QString &name : iconNames(file)) {
        icon = iconOf(name);
        if (!icon.isNull())
            break;
    }
    if (icon.isNull())
        return QPixmap();
    QPixmap p = icon.pixmap(QSize(size, size));
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
