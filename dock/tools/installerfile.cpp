#include "dock/tools/installerfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString FolderPrefix = QStringLiteral("installer-");
// Below every file system's limit of 255 bytes for a name.
constexpr int MaxNameBytes = 200;

} // namespace

QString InstallerFile::nameFor(const QUrl &url)
{
    QString name = url.path(QUrl::FullyDecoded);
    // Whatever follows the last separator, of this system or another's.
    name = name.mid(qMax(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\'))) + 1);
    QString clean;
    for (const QChar c : qAsConst(name))
        if (c.category() != QChar::Other_Control && c.category() != QChar::Other_Format)
            clean += c;
    // The end of a long name keeps its kind (".exe", ".deb").
    while (clean.toUtf8().size() > MaxNameBytes)
        clean.remove(0, 1);
    // A leading dot hides the file, and "." and ".." are no files at all.
    while (clean.startsWith(QLatin1Char('.')))
        clean.remove(0, 1);
    clean = clean.trimmed();
    return clean.isEmpty() ? QStringLiteral("ZorvaneSetup") : clean;
}

int InstallerFile::removeEarlier(const QString &parent)
{
    int removed = 0;
    const QFileInfoList entries =
        QDir(parent).entryInfoList({ FolderPrefix + QLatin1Char('*') }, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    for (const QFileInfo &entry : entries) {
        // Only folders of ours: a link leads elsewhere and is left alone.
        if (entry.isSymLink() || entry.ownerId() != ::getuid())
            continue;
        if (QDir(entry.filePath()).removeRecursively())
            ++removed;
    }
    return removed;
}

InstallerFile::InstallerFile(const QString &parent)
{
    QDir().mkpath(parent);
    m_dir.reset(new QTemporaryDir(QDir(parent).filePath(FolderPrefix + QStringLiteral("XXXXXX"))));
}

// An installer not finished takes its folder with it (QTemporaryDir's own
// removal, once the file is closed); a finished one was kept.
InstallerFile::~InstallerFile() = default;

QString InstallerFile::folder() const
{
    return m_dir->isValid() ? m_dir->path() : QString();
}

bool InstallerFile::create(const QString &name, QString *why)
{
    if (!m_dir->isValid()) {
        *why = m_dir->errorString();
        return false;
    }
    m_path = m_dir->filePath(name);
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        *why = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    m_file.reset(new QFile);
    if (!m_file->open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *why = m_file->errorString();
        m_file.reset();
        return false;
    }
    return true;
}

bool InstallerFile::write(const QByteArray &bytes, QString *why)
{
    if (m_file && m_file->write(bytes) == bytes.size())
        return true;
    *why = m_file ? m_file->errorString() : QStringLiteral("not open");
    return false;
}

bool InstallerFile::finish(QString *why)
{
    if (!m_file) {
        *why = QStringLiteral("not open");
        return false;
    }
    // A file system may tell of a failed write only when the file closes.
    m_file->close();
    const bool ok = m_file->error() == QFileDevice::NoError;
    if (!ok)
        *why = m_file->errorString();
    m_file.reset();
    if (ok)
        m_dir->setAutoRemove(false);
    return ok;
}
