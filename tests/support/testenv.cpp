#include "testenv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/resource.h>

TestEnv::TestEnv()
{
    m_dir.setAutoRemove(true);
    for (const char *sub : { "config", "runtime", "data", "cache", "home" })
        QDir().mkpath(m_dir.path() + "/" + sub);
    QFile::setPermissions(runtimeDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome()));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir.path() + "/data"));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(m_dir.path() + "/cache"));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void TestEnv::clearConfig() const
{
    QDir(configHome()).removeRecursively();
    QDir().mkpath(configHome());
}

QString TestEnv::binDir()
{
    const QString dir = qEnvironmentVariable("ZV_BIN_DIR");
    return dir.isEmpty() ? QString(ZV_DEFAULT_BIN_DIR) : dir;
}

QString TestEnv::writeFile(const QString &path, const QByteArray &data, bool executable)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    f.write(data);
    f.close();
    if (executable)
        f.setPermissions(f.permissions() | QFile::ExeOwner | QFile::ExeUser);
    return path;
}

QByteArray TestEnv::readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

#if defined(__SANITIZE_ADDRESS__)
#define ZV_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZV_ADDRESS_SANITIZER 1
#endif
#endif

long TestEnv::peakMemoryKb()
{
#ifdef ZV_ADDRESS_SANITIZER
    // The sanitizer keeps freed memory aside for a while to catch its later
    // use: the peak says nothing of what the code held, and none is told.
    return 0;
#endif
    // The kernel's high-water mark, which resetPeakMemory() starts over.
    QFile f(QStringLiteral("/proc/self/status"));
    if (f.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : f.readAll().split('\n')) {
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

bool TestEnv::resetPeakMemory()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    return f.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && f.write("5") == 1;
}

ScopedEnv::ScopedEnv(const char *name, const QByteArray &value)
    : m_name(name), m_wasSet(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
{
    set(value);
}

ScopedEnv::~ScopedEnv()
{
    if (m_wasSet)
        qputenv(m_name.constData(), m_old);
    else
        qunsetenv(m_name.constData());
}

void ScopedEnv::set(const QByteArray &value)
{
    qputenv(m_name.constData(), value);
}
