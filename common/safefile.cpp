#include "safefile.h"
#include "common/logging.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <utility>

#include <cerrno>
#include <dirent.h>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace SafeFile {

namespace {

// What marks our temporary files: "<name>.zvsave-XXXXXX".
constexpr char TempMark[] = ".zvsave-";

struct Failures
{
    FailureReporter reporter;
    QSet<QString> failing; // files whose last write failed
};

Failures &failures()
{
    static Failures f;
    return f;
}

// What a file was when it could not be kept aside: the file left alone is
// that one, not whatever later takes its place.
struct Identity
{
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    struct timespec mtime = {};
    bool operator==(const Identity &o) const
    {
        return dev == o.dev && ino == o.ino && size == o.size && mtime.tv_sec == o.mtime.tv_sec
            && mtime.tv_nsec == o.mtime.tv_nsec;
    }
};

Identity identityOf(const struct stat &st)
{
    Identity i;
    i.dev = st.st_dev;
    i.ino = st.st_ino;
    i.size = st.st_size;
    i.mtime = st.st_mtim;
    return i;
}

struct Kept
{
    QHash<QString, Identity> leftAlone; // by absolute path
    QList<KeptFile> untold;
    std::function<void()> reporter;
};

Kept &kept()
{
    static Kept k;
    return k;
}

QString keyOf(const QString &path)
{
    return QFileInfo(path).absoluteFilePath();
}

// Whether the file at the path is still the one left alone; a file that
// took its place since, or none, ends that.
bool stillLeftAlone(const QString &path)
{
    Kept &k = kept();
    const QString key = keyOf(path);
    const auto it = k.leftAlone.constFind(key);
    if (it == k.leftAlone.constEnd())
        return false;
    struct stat st;
    const QByteArray name = QFile::encodeName(path);
    if (::lstat(name.constData(), &st) == 0 && S_ISREG(st.st_mode) && identityOf(st) == *it)
        return true;
    k.leftAlone.remove(key);
    return false;
}

void tell(const KeptFile &file)
{
    Kept &k = kept();
    for (const KeptFile &f : qAsConst(k.untold)) {
        if (f.path == file.path && f.keptAs == file.keptAs)
            return;
    }
    k.untold << file;
    if (k.reporter)
        k.reporter();
}

void noteResult(const QString &path, bool ok, const QString &why)
{
    Failures &f = failures();
    const QString key = QFileInfo(path).absoluteFilePath();
    if (ok) {
        f.failing.remove(key);
        return;
    }
    qCWarning(lcFiles) << "could not save" << path << ":" << why;
    if (f.failing.contains(key))
        return;
    f.failing.insert(key);
    if (f.reporter)
        f.reporter(path);
}

QString lastError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

bool writeFd(int fd, const QByteArray &data, QString *why)
{
    const char *p = data.constData();
    qint64 left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            *why = n < 0 ? lastError() : QStringLiteral("nothing written");
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Whether the open file holds the same bytes as the file at other.
bool sameContent(int fd, const struct stat &st, const QString &other)
{
    const QByteArray otherName = QFile::encodeName(other);
    const int o = ::open(otherName.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
    if (o < 0)
        return false;
    struct stat ost;
    bool same = ::fstat(o, &ost) == 0 && S_ISREG(ost.st_mode) && ost.st_size == st.st_size;
    char a[65536], b[65536];
    off_t at = 0;
    while (same) {
        const ssize_t n = ::pread(fd, a, sizeof a, at);
        if (n <= 0) {
            same = n == 0;
            break;
        }
        same = ::pread(o, b, size_t(n), at) == n && std::memcmp(a, b, size_t(n)) == 0;
        at += n;
    }
    ::close(o);
    return same;
}

// Copies the open file into a new file at target, with the mode given; nothing that stands there
// (a file, a planted link) is opened or replaced.
bool copyTo(int in, mode_t mode, const QString &target, QString *why)
{
    const QByteArray name = QFile::encodeName(target);
    const int out = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (out < 0) {
        *why = lastError();
        return false;
    }
    char chunk[65536];
    off_t at = 0;
    bool ok = true;
    for (;;) {
        const ssize_t n = ::pread(in, chunk, sizeof chunk, at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            *why = lastError();
            ok = false;
            break;
        }
        if (n == 0)
            break;
        if (!writeFd(out, QByteArray::fromRawData(chunk, int(n)), why)) {
            ok = false;
            break;
        }
        at += n;
    }
    // The copy is what makes cutting the original safe: it must be on the
    // disk before the original is replaced.
    if (ok && ::fsync(out) != 0) {
        *why = lastError();
        ok = false;
    }
    if (::close(out) != 0 && ok) {
        *why = lastError();
        ok = false;
    }
    if (!ok) {
        ::unlink(name.constData());
        return false;
    }
    // And so must its name.
    const QByteArray folder = QFile::encodeName(QFileInfo(target).absolutePath());
    const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

} // namespace

void setFailureReporter(FailureReporter reporter)
{
    failures().reporter = std::move(reporter);
}

bool write(const QString &path, const QByteArray &data)
{
    // Whatever stands at the path is replaced, never written through: a link
    // planted in our folder (to another file of the user's, or to one of the
    // system's) leaves its target as it is, and a regular file of ours takes
    // its place. A pipe or a device is replaced the same way.
    const QByteArray name = QFile::encodeName(path);
    QString why;
    bool ok = false;
    struct stat old;
    const bool exists = !name.isEmpty() && ::lstat(name.constData(), &old) == 0;
    if (name.isEmpty()) {
        why = QStringLiteral("no file name");
    } else if (stillLeftAlone(path)) {
        // Its owner could not keep it aside and was told so: not a failure
        // to report again at every save.
        qCDebug(lcFiles) << "left as it is, since it could not be kept aside:" << path;
        return false;
    } else if (exists && S_ISDIR(old.st_mode)) {
        why = QStringLiteral("a folder stands there");
    } else if (exists && S_ISREG(old.st_mode) && ::access(name.constData(), W_OK) != 0) {
        why = QStringLiteral("the file is read-only");
    } else if (exists && S_ISREG(old.st_mode) && ::access(name.constData(), R_OK) != 0) {
        // What we could not read may be the only copy of the user's data:
        // it is left for a start that can read it.
        why = QStringLiteral("the file cannot be read, so it is left as it is");
    } else {
        // The new content goes to a file of its own beside the old one, which
        // is replaced only when every byte is on the disk.
        QByteArray temp = name + TempMark + "XXXXXX";
        const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
        if (fd < 0) {
            why = lastError();
        } else {
            // The file keeps its mode; a mode that cannot be set is no reason to lose the data.
            if (::fchmod(fd, exists && S_ISREG(old.st_mode) ? (old.st_mode & 07777) : newFileMode()) != 0)
                qCWarning(lcFiles) << "could not keep the mode of" << path;
            ok = writeFd(fd, data, &why);
            if (ok && ::fsync(fd) != 0) {
                why = lastError();
                ok = false;
            }
            if (::close(fd) != 0 && ok) {
                why = lastError();
                ok = false;
            }
            if (ok && ::rename(temp.constData(), name.constData()) != 0) {
                why = lastError();
                ok = false;
            }
            if (!ok)
                ::unlink(temp.constData());
        }
    }
    noteResult(path, ok, why);
    return ok;
}

QString keepBad(const QString &path, Why reason)
{
    const QByteArray name = QFile::encodeName(path);
    if (name.isEmpty())
        return QString();
    // Tried once: the owner already goes on without saving over it.
    if (stillLeftAlone(path))
        return QString();
    // Only a regular file at the path itself: a link's target is not ours to
    // copy into our folder, and a pipe or a device holds nothing of ours.
    const int in = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
    if (in < 0)
        return QString();
    struct stat st;
    if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(in);
        return QString();
    }
    // An older kept copy is never overwritten: it may be the only good one.
    // The same file found unreadable at every start is kept once.
    QString bad = path + QStringLiteral(".bad");
    QString last;
    for (int n = 1; QFileInfo::exists(bad) || QFileInfo(bad).isSymLink(); ++n) {
        last = bad;
        bad = path + QStringLiteral(".bad.%1").arg(n);
    }
    if (!last.isEmpty() && sameContent(in, st, last)) {
        ::close(in);
        tell({ path, last, reason, QString() });
        return last;
    }
    QString why;
    const bool ok = copyTo(in, st.st_mode & 0777, bad, &why);
    ::close(in);
    if (!ok) {
        qCWarning(lcFiles) << "could not keep" << path << "as" << bad << ":" << why;
        qCWarning(lcFiles) << path << "is left as it is";
        kept().leftAlone.insert(keyOf(path), identityOf(st));
        tell({ path, QString(), reason, why });
        return QString();
    }
    qCWarning(lcFiles) << "file kept as" << bad;
    tell({ path, bad, reason, QString() });
    return bad;
}

bool isLeftAlone(const QString &path)
{
    return stillLeftAlone(path);
}

QList<KeptFile> takeKeptFiles()
{
    return std::exchange(kept().untold, {});
}

void setKeptReporter(std::function<void()> reporter)
{
    kept().reporter = std::move(reporter);
}

QString keptNotice(const QList<KeptFile> &files)
{
    // One sentence per kind, naming its files; the copy by its name where
    // there is one.
    struct Kind
    {
        Why why;
        bool kept;
        const char *one;  // %1 the file, %2 its copy
        const char *many; // %1 the files
    };
    static const Kind kinds[] = {
        { Why::Damaged, true, "%1 已损坏，原文件已另存为 %2！", "%1 已损坏，原文件已另存为 .bad 文件！" },
        { Why::Cut, true, "%1 超出上限，原文件已另存为 %2！", "%1 超出上限，原文件已另存为 .bad 文件！" },
        { Why::Damaged, false, "%1 已损坏且无法另存，本次不保存！", "%1 已损坏且无法另存，本次不保存！" },
        { Why::Cut, false, "%1 超出上限且无法另存，本次不保存！", "%1 超出上限且无法另存，本次不保存！" },
    };
    QStringList sentences;
    for (const Kind &kind : kinds) {
        QStringList names, copies;
        for (const KeptFile &f : files) {
            const QString name = QFileInfo(f.path).fileName();
            if (f.why == kind.why && f.keptAs.isEmpty() != kind.kept && !names.contains(name)) {
                names << name;
                copies << QFileInfo(f.keptAs).fileName();
            }
        }
        if (names.size() == 1 && kind.kept)
            sentences << QCoreApplication::translate("SafeFile", kind.one).arg(names.first(), copies.first());
        else if (names.size() == 1)
            sentences << QCoreApplication::translate("SafeFile", kind.one).arg(names.first());
        else if (!names.isEmpty())
            sentences << QCoreApplication::translate("SafeFile", kind.many).arg(names.join(QStringLiteral("、")));
    }
    return sentences.join(QLatin1Char(' '));
}

int removeLeftovers(const QString &folder)
{
    static const QRegularExpression temporary(QRegularExpression::escape(QLatin1String(TempMark))
                                              + QStringLiteral("[A-Za-z0-9]{6}\\z"));
    // The folder is opened once, not followed if it is a link, and every
    // entry is judged and removed inside what was opened: a link in place of
    // the folder, or one swapped in while we look, leads nowhere else.
    const QByteArray name = QFile::encodeName(folder);
    const int dirFd = name.isEmpty() ? -1
        : ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (dirFd < 0)
        return 0;
    DIR *dir = ::fdopendir(dirFd);
    if (!dir) {
        ::close(dirFd);
        return 0;
    }
    int removed = 0;
    while (const dirent *e = ::readdir(dir)) {
        const QString entry = QFile::decodeName(e->d_name);
        if (!temporary.match(entry).hasMatch())
            continue;
        struct stat st;
        if (::fstatat(dirFd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
            continue;
        if (::unlinkat(dirFd, e->d_name, 0) == 0) {
            qCDebug(lcFiles) << "removed the leftover of a cut save:" << entry;
            ++removed;
        }
    }
    ::closedir(dir);
    return removed;
}

void removeLeftoversUnder(const QString &configFolder, const QStringList &subfolders)
{
    const QString config = QFileInfo(configFolder).canonicalFilePath();
    if (config.isEmpty())
        return;
    removeLeftovers(config);
    for (const QString &sub : subfolders)
        removeLeftovers(config + QLatin1Char('/') + sub);
}

} // namespace SafeFile
