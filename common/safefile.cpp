#include "safefile.h"

#include <QDebug>
#include <QFile>
#include <QSaveFile>

namespace SafeFile {

bool write(const QString &path, const QByteArray &data)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (f.write(data) != data.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

QString keepBad(const QString &path)
{
    if (!QFile::exists(path))
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

} // namespace SafeFile
