#include "singleinstance.h"
#include "paths.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

SingleInstance::SingleInstance(const QString &key) : m_key(key)
{
}

SingleInstance::~SingleInstance()
{
    release();
}

SingleInstance::Result SingleInstance::acquire()
{
    if (m_fd >= 0)
        return Result::Acquired;
    m_error.clear();
    const QString folder = runtimeFolder();
    if (folder.isEmpty()) {
        m_error = runtimeFolderProblem();
        return Result::Failed;
    }
    m_path = folder + QLatin1Char('/') + m_key + QStringLiteral(".lock");
    const QByteArray path = QFile::encodeName(m_path);
    // No links followed and nothing but a regular file taken: the lock must
    // not become a way to open something else.
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    if (fd < 0) {
        m_error = QStringLiteral("cannot open the lock \"%1\": %2")
                      .arg(m_path, QString::fromLocal8Bit(std::strerror(errno)));
        return Result::Failed;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        m_error = QStringLiteral("the lock \"%1\" is not a regular file").arg(m_path);
        return Result::Failed;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int err = errno;
        ::close(fd);
        if (err == EWOULDBLOCK)
            return Result::Taken;
        m_error = QStringLiteral("cannot lock \"%1\": %2").arg(m_path, QString::fromLocal8Bit(std::strerror(err)));
        return Result::Failed;
    }
    m_fd = fd;
    return Result::Acquired;
}

void SingleInstance::release()
{
    if (m_fd < 0)
        return;
    ::flock(m_fd, LOCK_UN);
    ::close(m_fd);
    m_fd = -1;
}

int startOrExitCode(SingleInstance &instance, const char *program, bool *goOn)
{
    *goOn = false;
    switch (instance.acquire()) {
    case SingleInstance::Result::Acquired:
        *goOn = true;
        return 0;
    case SingleInstance::Result::Taken:
        return 0;
    case SingleInstance::Result::Failed:
        break;
    }
    std::fprintf(stderr, "%s: %s\n", program, qPrintable(instance.error()));
    return 1;
}

} // namespace platform
