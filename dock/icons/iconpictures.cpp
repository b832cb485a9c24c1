#include "iconpictures.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLabel>
#include <QPixmapCache>
#include <QVariant>

namespace IconPictures {

namespace {
const char *const kShownKey = "zvPictureKey";
const char *const kShownPath = "zvPicturePath";

QString keyOf(const QString &path, const QSize &size)
{
    const QDateTime changed = QFileInfo(path).lastModified();
    return QStringLiteral("zvicon|%1|%2x%3|%4")
        .arg(path)
        .arg(size.width())
        .arg(size.height())
        .arg(changed.isValid() ? changed.toMSecsSinceEpoch() : 0);
}
} // namespace

QPixmap scaled(const QString &path, const QSize &size)
{
    if (path.isEmpty() || size.width() <= 0 || size.height() <= 0)
        return QPixmap();
    const QString key = keyOf(path, size);
    QPixmap pm;
    if (QPixmapCache::find(key, &pm))
        return pm;
    const QPixmap source(path);
    if (source.isNull())
        return QPixmap();
    pm = source.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPixmapCache::insert(key, pm);
    return pm;
}

void show(QLabel *label, const QString &path, const QSize &size)
{
    const QString key = keyOf(path, size);
    // Text or a movie on the label clear its pixmap: then it is shown again.
    // (The pointer form tells "no pixmap" from "an empty pixmap".)
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    const bool hasPixmap = label->pixmap() != nullptr;
    QT_WARNING_POP
    if (hasPixmap && label->property(kShownKey).toString() == key)
        return;
    label->setPixmap(scaled(path, size));
    label->setProperty(kShownKey, key);
    label->setProperty(kShownPath, path);
}

QString shownPath(const QLabel *label) { return label->property(kShownPath).toString(); }

} // namespace IconPictures

