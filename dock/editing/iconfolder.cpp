#include "dock/editing/iconfolder.h"

#include "common/logging.h"
#include "common/safefile.h"
#include "platform/paths.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QPixmap>

namespace IconFolder {

QString path()
{
    return platform::appConfigFolder() + QStringLiteral("/icon");
}

QString file(const QString &fileName)
{
    return path() + QLatin1Char('/') + fileName;
}

bool savePng(const QImage &image, const QString &fileName)
{
    if (image.isNull() || fileName.isEmpty() || fileName.contains(QLatin1Char('/')) || fileName == QLatin1String(".")
        || fileName == QLatin1String(".."))
        return false;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG", 100))
        return false;
    QDir().mkpath(path());
    if (!SafeFile::write(file(fileName), png)) {
        qCDebug(lcFiles) << "图标保存失败" << file(fileName);
        return false;
    }
    return true;
}

bool savePng(const QPixmap &pixmap, const QString &fileName)
{
    return savePng(pixmap.toImage(), fileName);
}

} // namespace IconFolder
