#include "desktopentries.h"
#include "regularfile.h"

#include <XdgDesktopFile>
#include <XdgDirs>

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

namespace platform {
namespace DesktopEntries {

namespace {

void walk(const QString &folder, const QString &prefix, QSet<QString> &walked, QSet<QString> &ids,
          QList<Entry> &found)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    if (canonical.isEmpty() || walked.contains(canonical))
        return;
    walked.insert(canonical);
    const QFileInfoList items = QDir(folder).entryInfoList(
        QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QFileInfo &fi : items) {
        if (fi.isDir()) {
            walk(fi.filePath(), prefix + fi.fileName() + QLatin1Char('-'), walked, ids, found);
        } else if (fi.suffix().compare(QLatin1String("desktop"), Qt::CaseInsensitive) == 0) {
            const QString id = prefix + fi.fileName();
            if (!ids.contains(id)) {
                ids.insert(id);
                found.append({ id, fi.filePath() });
            }
        }
    }
}

bool installed(const QString &program)
{
    if (program.isEmpty())
        return false;
    if (program.contains(QLatin1Char('/'))) {
        const QFileInfo fi(program);
        return fi.isFile() && fi.isExecutable();
    }
    return !QStandardPaths::findExecutable(program).isEmpty();
}

} // namespace

QStringList applicationFolders()
{
    QStringList folders { XdgDirs::dataHome(false) + QStringLiteral("/applications") };
    for (const QString &d : XdgDirs::dataDirs())
        folders << d + QStringLiteral("/applications");
    folders.removeDuplicates();
    return folders;
}

QList<Entry> list(const QStringList &folders)
{
    QSet<QString> walked;
    QSet<QString> ids;
    QList<Entry> found;
    for (const QString &folder : folders)
        walk(folder, QString(), walked, ids, found);
    return found;
}

bool load(const QString &file, XdgDesktopFile *entry)
{
    return RegularFile::isRegular(file) && entry->load(file) && entry->isValid();
}

bool isStartable(const XdgDesktopFile &entry)
{
    if (!entry.isValid() || entry.type() != XdgDesktopFile::ApplicationType || !entry.isShown())
        return false;
    if (entry.contains(QStringLiteral("TryExec")) && !entry.tryExec())
        return false;
    const QStringList exec = entry.expandExecString();
    return !exec.isEmpty() && installed(exec.first());
}

} // namespace DesktopEntries
} // namespace platform
