#include "processes.h"
#include "paths.h"
#include "platform/logging.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QCoreApplication>
#include <QPointer>
#include <QProcess>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace platform {

QString Processes::bareName(const QString &name)
{
    QString n = QFileInfo(name).fileName();
    if (n.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive))
        n.chop(4);
    return n;
}

QString Processes::ownProgramFile(const QString &name)
{
    const QString bare = bareName(name);
    if (bare.isEmpty())
        return QString();
    // Installed or built, the programs lie side by side; a packager may put
    // them apart, anywhere on PATH.
    const QString beside = programFolder() + QLatin1Char('/') + bare;
    const QFileInfo info(beside);
    if (info.isFile() && info.isExecutable())
        return beside;
    return QStandardPaths::findExecutable(bare);
}

namespace {

// The runtime folder a process was started with: processes of one login
// session share it. Programs started in another session (or a test's private
// home) are not ours to find or end.
QByteArray runtimeDirOf(const QString &procDir)
{
    QFile f(procDir + QStringLiteral("/environ"));
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    const QList<QByteArray> vars = f.readAll().split('\0');
    for (const QByteArray &v : vars) {
        if (v.startsWith("XDG_RUNTIME_DIR="))
            return v.mid(16);
    }
    return QByteArray();
}

// Processes of this user and session whose command name or executable is `name`.
QList<pid_t> findOwnProcesses(const QString &name)
{
    QList<pid_t> found;
    const uid_t me = ::getuid();
    const QByteArray session = qgetenv("XDG_RUNTIME_DIR");
    const pid_t self = ::getpid();
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        bool ok = false;
        const pid_t pid = entry.toInt(&ok);
        if (!ok || pid == self)
            continue;
        const QString dir = QStringLiteral("/proc/") + entry;
        struct stat st;
        if (::stat(QFile::encodeName(dir).constData(), &st) != 0 || st.st_uid != me)
            continue;
        // comm is cut at 15 characters; the executable's link gives the full name.
        QString exe = QFileInfo(dir + QStringLiteral("/exe")).symLinkTarget();
        if (exe.endsWith(QLatin1String(" (deleted)")))
            exe.chop(10);
        bool match = QFileInfo(exe).fileName() == name;
        if (!match && exe.isEmpty()) {
            QFile comm(dir + QStringLiteral("/comm"));
            match = comm.open(QIODevice::ReadOnly) && QString::fromUtf8(comm.readAll()).trimmed() == name.left(15);
        }
        if (match && runtimeDirOf(dir) == session)
            found << pid;
    }
    return found;
}

bool alive(pid_t pid)
{
    if (::kill(pid, 0) != 0)
        return false;
    // A zombie still answers kill(0) but is gone for our purposes.
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray s = stat.readAll();
    const int close = s.lastIndexOf(')');
    return close < 0 || s.mid(close + 2, 1) != "Z";
}

// Waits for the children we start: a notifier on each one's pidfd where the
// kernel has them, else a look every second.
class Reaper final : public QObject
{
public:
    static Reaper &get()
    {
        static QPointer<Reaper> r;
        if (!r)
            r = new Reaper(QCoreApplication::instance());
        return *r;
    }

    void watch(pid_t pid)
    {
        m_children << pid;
        if (reap(pid))
            return;
#ifdef SYS_pidfd_open
        const int fd = int(::syscall(SYS_pidfd_open, pid, 0));
        if (fd >= 0) {
            ::fcntl(fd, F_SETFD, FD_CLOEXEC);
            auto *n = new QSocketNotifier(fd, QSocketNotifier::Read, this);
            connect(n, &QSocketNotifier::activated, this, [this, n, fd, pid] {
                if (!reap(pid))
                    return;
                n->setEnabled(false);
                n->deleteLater();
                ::close(fd);
            });
            return;
        }
#endif
        if (!m_poll.isActive())
            m_poll.start();
    }

    int pending() const { return m_children.size(); }

private:
    explicit Reaper(QObject *parent) : QObject(parent)
    {
        m_poll.setInterval(1000);
        connect(&m_poll, &QTimer::timeout, this, [this] {
            const QList<pid_t> children = m_children;
            for (pid_t pid : children)
                reap(pid);
            if (m_children.isEmpty())
                m_poll.stop();
        });
    }

    // True once the child is gone (reaped now, or by someone else before).
    bool reap(pid_t pid)
    {
        int status = 0;
        pid_t r;
        do {
            r = ::waitpid(pid, &status, WNOHANG);
        } while (r < 0 && errno == EINTR);
        if (r == 0)
            return false;
        m_children.removeAll(pid);
        return true;
    }

    QList<pid_t> m_children;
    QTimer m_poll;
};

class LinuxProcesses final : public Processes
{
public:
    bool startOwnProgram(const QString &name, const QStringList &args) override
    {
        const QString file = ownProgramFile(name);
        if (file.isEmpty()) {
            qCWarning(lcDesktop) << "program not found beside" << programFolder() << "nor on PATH:" << bareName(name);
            return false;
        }
        return startReapedChild(file, args, programFolder());
    }

    bool startOutsideProgram(const QString &name) override
    {
        const QString file = programFolder() + QLatin1Char('/') + bareName(name);
        if (!QFileInfo(file).isExecutable()) {
            qCDebug(lcDesktop) << "outside program not installed, not started:" << bareName(name);
            return false;
        }
        return startReapedChild(file, {}, programFolder());
    }

    bool isRunning(const QString &name) override
    {
        return !findOwnProcesses(bareName(name)).isEmpty();
    }

    int killByName(const QString &name) override
    {
        const QList<pid_t> pids = findOwnProcesses(bareName(name));
        for (pid_t pid : pids)
            ::kill(pid, SIGTERM);
        QElapsedTimer grace;
        grace.start();
        for (pid_t pid : pids) {
            while (alive(pid) && grace.elapsed() < 1500)
                QThread::msleep(20);
            if (alive(pid))
                ::kill(pid, SIGKILL);
        }
        return pids.size();
    }

    bool restartSelf(const QString &programFile) override
    {
        return QProcess::startDetached(programFile, {}, programFolder());
    }
};

} // namespace

bool startReapedChild(const QString &program, const QStringList &args, const QString &workingDir, qint64 *pid)
{
    const QString file = program.contains(QLatin1Char('/')) ? program : QStandardPaths::findExecutable(program);
    if (file.isEmpty()) {
        qCDebug(lcDesktop) << "no such program:" << program;
        return false;
    }
    // Everything the child needs is made before the fork: between fork and
    // exec a child of a threaded program may only make plain system calls.
    QList<QByteArray> bytes { QFile::encodeName(file) };
    for (const QString &a : args)
        bytes << a.toLocal8Bit();
    QVector<char *> argv;
    for (QByteArray &b : bytes)
        argv << b.data();
    argv << nullptr;
    const QByteArray dir = QFile::encodeName(workingDir);

    // The exec closes the pipe's far end; a failure writes its errno into it.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0)
        return false;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(report[0]);
        ::close(report[1]);
        return false;
    }
    if (child == 0) {
        ::setsid();
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        int err = 0;
        if (!dir.isEmpty() && ::chdir(dir.constData()) != 0)
            err = errno;
        if (err == 0) {
            ::execv(argv.at(0), argv.data());
            err = errno;
        }
        (void)!::write(report[1], &err, sizeof err);
        ::_exit(127);
    }
    ::close(report[1]);
    int err = 0;
    ssize_t n;
    do {
        n = ::read(report[0], &err, sizeof err);
    } while (n < 0 && errno == EINTR);
    ::close(report[0]);
    if (n == ssize_t(sizeof err)) {
        qCWarning(lcDesktop) << "could not start" << file << ::strerror(err);
        while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
        }
        return false;
    }
    Reaper::get().watch(child);
    if (pid)
        *pid = child;
    return true;
}

int unreapedChildren()
{
    return Reaper::get().pending();
}

template <>
Processes &Service<Processes>::real()
{
    static LinuxProcesses p;
    return p;
}

} // namespace platform
