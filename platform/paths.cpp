#include "paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

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

bool isPrivateFolder(const QString &path, uint uid, bool followLinks, QString *problem)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st;
    const int r = followLinks ? ::stat(name.constData(), &st) : ::lstat(name.constData(), &st);
    QString why;
    if (path.isEmpty() || !QDir::isAbsolutePath(path))
        why = QStringLiteral("\"%1\" is not an absolute path").arg(path);
    else if (r != 0)
        why = QStringLiteral("\"%1\" cannot be found").arg(path);
    else if (!S_ISDIR(st.st_mode))
        why = QStringLiteral("\"%1\" is not a folder").arg(path);
    else if (st.st_uid != uid)
        why = QStringLiteral("\"%1\" belongs to another user (uid %2)").arg(path).arg(st.st_uid);
    else if ((st.st_mode & 077) != 0)
        why = QStringLiteral("\"%1\" is open to other users (mode %2)")
                  .arg(path)
                  .arg(QString::number(st.st_mode & 0777, 8));
    if (problem)
        *problem = why;
    return why.isEmpty();
}

RuntimeChoice chooseRuntimeFolder(const QString &xdgRuntimeDir, const QString &tempDir, uint uid)
{
    RuntimeChoice c;
    QString xdgProblem;
    if (xdgRuntimeDir.isEmpty())
        xdgProblem = QStringLiteral("XDG_RUNTIME_DIR is not set");
    else if (isPrivateFolder(xdgRuntimeDir, uid, true, &xdgProblem))
        return { xdgRuntimeDir, QString() };
    else
        xdgProblem = QStringLiteral("XDG_RUNTIME_DIR ") + xdgProblem;

    // Our own folder in the shared temporary folder: made with no access for
    // others, and trusted only as a real folder (not a link) that is still ours.
    const QString own = tempDir + QStringLiteral("/zorvane-") + QString::number(uid);
    const QByteArray name = QFile::encodeName(own);
    if (::mkdir(name.constData(), 0700) != 0 && errno != EEXIST) {
        c.problem = xdgProblem + QStringLiteral(", and \"%1\" cannot be made").arg(own);
        return c;
    }
    QString ownProblem;
    if (!isPrivateFolder(own, uid, false, &ownProblem)) {
        c.problem = xdgProblem + QStringLiteral(", and ") + ownProblem;
        return c;
    }
    c.folder = own;
    return c;
}

namespace {
RuntimeChoice currentChoice()
{
    return chooseRuntimeFolder(qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::tempPath(), uint(::geteuid()));
}
} // namespace

QString runtimeFolder()
{
    return currentChoice().folder;
}

QString runtimeFolderProblem()
{
    const RuntimeChoice c = currentChoice();
    if (!c.folder.isEmpty())
        return QString();
    return QStringLiteral("no private folder for sockets and locks: ") + c.problem
           + QStringLiteral(". Set XDG_RUNTIME_DIR to a folder of yours with mode 0700.");
}

QString programFolder()
{
    const QString dir = QCoreApplication::applicationDirPath();
    return dir.isEmpty() ? QDir::currentPath() : dir;
}

QString desktopFolder()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return QFileInfo(desktop).isDir() ? desktop : QDir::homePath();
}

} // namespace platform
