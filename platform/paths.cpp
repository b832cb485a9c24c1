#include "paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace platform {

QString appConfigFolder()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(dir);
    return dir;
}

QString configPath(const QString &name)
{
    return appConfigFolder() + QLatin1Char('/') + name;
}

QString runtimeFolder()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return dir;
}

QString programFolder()
{
    const QString dir = QCoreApplication::applicationDirPath();
    return dir.isEmpty() ? QDir::currentPath() : dir;
}

} // namespace platform
