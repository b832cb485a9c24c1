#include "programfiles.h"
#include "regularfile.h"

#include <XdgDesktopFile>

#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QStandardPaths>

namespace platform {
namespace ProgramFiles {

bool hasSuffix(const QString &path, const char *suffix)
{
    return QFileInfo(path).suffix().compare(QLatin1String(suffix), Qt::CaseInsensitive) == 0;
}

bool isShortcut(const QString &path)
{
    return hasSuffix(path, "lnk") || hasSuffix(path, "desktop");
}

QString shortcutTarget(const QString &path)
{
    if (hasSuffix(path, "desktop")) {
        XdgDesktopFile df;
        if (!RegularFile::isRegular(path) || !df.load(path) || !df.isValid())
            return QString();
        if (df.type() == XdgDesktopFile::LinkType)
            return df.url();
        const QStringList exec = df.expandExecString();
        if (exec.isEmpty())
            return QString();
        const QString program = exec.first();
        if (program.contains(QLatin1Char('/')))
            return program;
        const QString found = QStandardPaths::findExecutable(program);
        return found.isEmpty() ? program : found;
    }
    return QFile::symLinkTarget(path);
}

QString shortcutName(const QString &path)
{
    if (!hasSuffix(path, "desktop"))
        return QString();
    XdgDesktopFile df;
    if (!RegularFile::isRegular(path) || !df.load(path) || !df.isValid())
        return QString();
    return df.name();
}

bool isExecutableProgram(const QString &path)
{
    const QFileInfo fi(path);
    if (!fi.isFile() || !fi.isExecutable())
        return false;
    // By content: a program's name may end in anything ("python3.11").
    const QMimeType mime = QMimeDatabase().mimeTypeForFile(fi, QMimeDatabase::MatchContent);
    for (const char *kind : { "application/x-executable", "application/x-pie-executable",
                              "application/x-sharedlib", "application/x-shellscript" }) {
        if (mime.inherits(QLatin1String(kind)))
            return true;
    }
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.read(2) == "#!";
}

bool isProgramTarget(const QString &target)
{
    const QString suffix = QFileInfo(target).suffix();
    if (suffix.isEmpty())
        return true;
    for (const char *s : { "exe", "sh", "desktop" }) {
        if (suffix.compare(QLatin1String(s), Qt::CaseInsensitive) == 0)
            return true;
    }
    return isExecutableProgram(target);
}

bool isProgramFile(const QString &path)
{
    for (const char *s : { "exe", "lnk", "bat", "desktop", "sh" }) {
        if (hasSuffix(path, s))
            return true;
    }
    return isExecutableProgram(path);
}

} // namespace ProgramFiles
} // namespace platform
