#include "safefile.h"

#include "platform/regularfile.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <cerrno>
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

void noteResult(const QString &path, bool ok, const QString &why)
{
    Failures &f = failures();
    const QString key = QFileInfo(path).absoluteFilePath();
    if (ok) {
        f.failing.remove(key);
        return;
    }
    qWarning() << "could not save" << path << ":" << why;
    if (f.failing.contains(key))
        return;
    f.failing.insert(key);
    if (f.reporter)
        f.reporter(path);
}

// Where the bytes go: a link to a regular file is followed (a settings
// folder kept elsewhere), anything else at the path (a link to a device, a
// pipe) is replaced by a regular file.
QString finalPath(const QString &path)
{
    const QFileInfo fi(path);
    if (fi.isSymLink() && platform::RegularFile::isRegular(path))
        return fi.canonicalFilePath();
    return path;
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

} // namespace

void setFailureReporter(FailureReporter reporter)
{
    failures().reporter = std::move(reporter);
}

bool write(const QString &path, const QByteArray &data)
{
    const QString target = finalPath(path);
    const QByteArray name = QFile::encodeName(target);
    QString why;
    bool ok = false;
    struct stat old;
    const bool exists = ::lstat(name.constData(), &old) == 0;
    if (name.isEmpty()) {
        why = QStringLiteral("no file name");
    } else if (exists && S_ISDIR(old.st_mode)) {
        why = QStringLiteral("a folder stands there");
    } else if (exists && S_ISREG(old.st_mode) && ::access(name.constData(), W_OK) != 0) {
        why = QStringLiteral("the file is read-only");
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
                qWarning() << "could not keep the mode of" << path;
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

QString keepBad(const QString &path)
{
    if (!platform::RegularFile::isRegular(path))
        return QString();
    // An older kept copy is never overwritten: it may be the only good one.
    QString bad = path + QStringLiteral(".bad");
    for (int n = 1; QFile::exists(bad); ++n)
        bad = path + QStringLiteral(".bad.%1").arg(n);
    if (!QFile::copy(path, bad)) {
        qWarning() << "could not keep" << path << "as" << bad;
        return QString();
    }
    qWarning() << "unreadable file kept as" << bad;
    return bad;
}

int removeLeftovers(const QString &folder)
{
    static const QRegularExpression temporary(QRegularExpression::escape(QLatin1String(TempMark))
                                              + QStringLiteral("[A-Za-z0-9]{6}\\z"));
    int removed = 0;
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &fi : entries) {
        if (fi.isSymLink() || !temporary.match(fi.fileName()).hasMatch())
            continue;
        if (QFile::remove(fi.absoluteFilePath())) {
            qDebug() << "removed the leftover of a cut save:" << fi.fileName();
            ++removed;
        }
    }
    return removed;
}

} // namespace SafeFile
