#include "trash.h"
#include "volumes.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

QByteArray native(const QString &path) { return QFile::encodeName(path); }

bool lstatOf(const QString &path, struct stat &st) { return ::lstat(native(path).constData(), &st) == 0; }

bool isRealDir(const QString &path)
{
    struct stat st;
    return lstatOf(path, st) && S_ISDIR(st.st_mode);
}

// Names in a folder, without "." and "..". False when the folder exists but
// cannot be read; a missing folder is simply empty.
bool listNames(const QString &dir, QStringList &names, int limit = -1)
{
    names.clear();
    DIR *d = ::opendir(native(dir).constData());
    if (!d)
        return errno == ENOENT || errno == ENOTDIR;
    while (dirent *e = ::readdir(d)) {
        if (::strcmp(e->d_name, ".") == 0 || ::strcmp(e->d_name, "..") == 0)
            continue;
        names << QFile::decodeName(e->d_name);
        if (limit > 0 && names.size() >= limit)
            break;
    }
    ::closedir(d);
    return true;
}

// Volumes that may keep a trash of their own: the root and every mounted
// disk. Read from the mounts table alone, since this runs every few seconds
// and must not wait on a network share.
QStringList mountedTops()
{
    QStringList tops { QStringLiteral("/") };
    for (const SystemVolumes::Entry &e : SystemVolumes::blockDeviceMounts()) {
        if (!tops.contains(e.mountPoint))
            tops << e.mountPoint;
    }
    return tops;
}

} // namespace

FreedesktopTrash::FreedesktopTrash()
    : FreedesktopTrash(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Trash"),
                       mountedTops, ::getuid())
{
}

FreedesktopTrash::FreedesktopTrash(const QString &homeTrash, std::function<QStringList()> volumeTops, uint uid)
    : m_home(homeTrash), m_tops(std::move(volumeTops)), m_uid(uid)
{
}

QStringList FreedesktopTrash::volumeCans(const QString &top, uint uid)
{
    QStringList cans;
    const QString base = top.endsWith(QLatin1Char('/')) ? top : top + QLatin1Char('/');
    // A shared ".Trash" is only trusted when it is a real folder with the
    // sticky bit, so no other user can have planted links in it.
    struct stat st;
    const QString shared = base + QStringLiteral(".Trash");
    if (lstatOf(shared, st) && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX)) {
        const QString own = shared + QLatin1Char('/') + QString::number(uid);
        if (isRealDir(own))
            cans << own;
    }
    const QString single = base + QStringLiteral(".Trash-") + QString::number(uid);
    if (lstatOf(single, st) && S_ISDIR(st.st_mode) && st.st_uid == uid)
        cans << single;
    return cans;
}

QStringList FreedesktopTrash::cans() const
{
    QStringList all;
    if (isRealDir(m_home))
        all << m_home;
    const QString homeCanon = QDir(m_home).canonicalPath();
    const QStringList tops = m_tops ? m_tops() : QStringList();
    for (const QString &top : tops) {
        for (const QString &can : volumeCans(top, m_uid)) {
            const QString canon = QDir(can).canonicalPath();
            if (canon != homeCanon && !all.contains(can))
                all << can;
        }
    }
    return all;
}

Trash::State FreedesktopTrash::state()
{
    bool unreadable = false;
    for (const QString &can : cans()) {
        QStringList names;
        if (!listNames(can + QStringLiteral("/files"), names, 1)) {
            unreadable = true;
            continue;
        }
        if (!names.isEmpty())
            return HoldsItems;
    }
    return unreadable ? Unreadable : Empty;
}

bool FreedesktopTrash::removeTree(const QString &path)
{
    struct stat st;
    if (!lstatOf(path, st))
        return errno == ENOENT;
    if (S_ISDIR(st.st_mode)) {
        // Trashed folders may have lost their write bit; we own them.
        ::chmod(native(path).constData(), (st.st_mode & 07777) | S_IRWXU);
        QStringList names;
        bool ok = listNames(path, names);
        for (const QString &n : qAsConst(names))
            ok = removeTree(path + QLatin1Char('/') + n) && ok;
        return ::rmdir(native(path).constData()) == 0 && ok;
    }
    // Links are removed, never followed.
    return ::unlink(native(path).constData()) == 0;
}

bool FreedesktopTrash::emptyAll()
{
    bool ok = true;
    for (const QString &can : cans()) {
        for (const char *sub : { "files", "info", "expunged" }) {
            const QString dir = can + QLatin1Char('/') + QLatin1String(sub);
            if (!isRealDir(dir))
                continue;
            QStringList names;
            if (!listNames(dir, names)) {
                ok = false;
                continue;
            }
            for (const QString &n : qAsConst(names))
                ok = removeTree(dir + QLatin1Char('/') + n) && ok;
        }
        // A cache of the sizes of trashed folders; stale once they are gone.
        const QString sizes = can + QStringLiteral("/directorysizes");
        if (QFileInfo::exists(sizes) && !QFileInfo(sizes).isSymLink())
            QFile::remove(sizes);
    }
    return ok;
}

template <>
Trash &Service<Trash>::real()
{
    static FreedesktopTrash t;
    return t;
}

} // namespace platform
