#include "processes.h"
#include "paths.h"

#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <csignal>
#include <sys/stat.h>
#include <sys/types.h>
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

class LinuxProcesses final : public Processes
{
public:
    bool startOwnProgram(const QString &name, const QStringList &args) override
    {
        const QString file = ownProgramFile(name);
        if (file.isEmpty()) {
            qDebug() << "program not found beside" << programFolder() << "nor on PATH:" << bareName(name);
            return false;
        }
        return QProcess::startDetached(file, args, programFolder());
    }

    bool startOutsideProgram(const QString &name) override
    {
        const QString file = programFolder() + QLatin1Char('/') + bareName(name);
        if (!QFileInfo(file).isExecutable()) {
            qDebug() << "outside program not installed, not started:" << bareName(name);
            return false;
        }
        return QProcess::startDetached(file, {}, programFolder());
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

template <>
Processes &Service<Processes>::real()
{
    static LinuxProcesses p;
    return p;
}

} // namespace platform
