#include "storedfixtures.h"

#include <QFile>

QByteArray storedFixture(const char *name)
{
    QFile f(QStringLiteral(ZV_FIXTURES "/") + QLatin1String(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("missing fixture");
}
