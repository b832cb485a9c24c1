#include "storedfixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QByteArray fixture(const QString &path)
{
    QFile f(QStringLiteral(ZV_FIXTURES "/../") + path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("missing fixture");
}

QByteArray storedFixture(const char *name)
{
    return fixture(QStringLiteral("stored/") + QLatin1String(name));
}

QByteArray recorded(const char *name, const QByteArray &bytes)
{
    const QString folder = qEnvironmentVariable("ZV_RECORD_FIXTURES");
    if (!folder.isEmpty()) {
        QFile f(folder + QLatin1Char('/') + QLatin1String(name));
        QDir().mkpath(QFileInfo(f).absolutePath());
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(bytes);
    }
    return bytes;
}
