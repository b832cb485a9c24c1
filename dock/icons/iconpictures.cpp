#include "iconpictures.h"

#include "platform/regularfile.h"

#include <QCache>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QVariant>

namespace IconPictures {

// The program's own pictures never change, and asking for their time would
// convert it to local time on every lookup.
QString stampOf(const QString &path)
{
    if (path.startsWith(QLatin1Char(':')))
        return path;
    const QFileInfo info(path);
    const QDateTime changed = info.lastModified();
    return QStringLiteral("%1|%2|%3")
        .arg(path)
        .arg(changed.isValid() ? changed.toMSecsSinceEpoch() : 0)
        .arg(info.size());
}

namespace {
const char *const kShownKey = "zvPictureKey";
const char *const kShownPath = "zvPicturePath";

QCache<QString, QPixmap> &cache()
{
    static QCache<QString, QPixmap> *c = [] {
        auto *made = new QCache<QString, QPixmap>(BudgetKb);
        // Pixmaps must go before the application object does.
        qAddPostRoutine([] { cache().clear(); });
        return made;
    }();
    return *c;
}

int costKb(const QPixmap &pm)
{
    return qMax(1, int(qint64(pm.width()) * pm.height() * qMax(pm.depth(), 8) / 8 / 1024));
}

QString keyOf(const QString &stamp, const QSize &size)
{
    return stamp + QStringLiteral("|%1x%2").arg(size.width()).arg(size.height());
}

QPixmap source(const QString &path, const QString &stamp)
{
    const QString key = QStringLiteral("source|") + stamp;
    if (const QPixmap *pm = cache().object(key))
        return *pm;
    // Only a regular file of a sane size, and a picture whose stated size
    // would not take gigabytes once decoded.
    const QImage image = platform::RegularFile::readImage(path);
    if (image.isNull())
        return QPixmap();
    const QPixmap pm = QPixmap::fromImage(image);
    cache().insert(key, new QPixmap(pm), costKb(pm));
    return pm;
}
} // namespace

QPixmap scaled(const QString &path, const QSize &size)
{
    if (path.isEmpty() || size.width() <= 0 || size.height() <= 0)
        return QPixmap();
    const QString stamp = stampOf(path);
    const QString key = keyOf(stamp, size);
    if (const QPixmap *pm = cache().object(key))
        return *pm;
    const QPixmap src = source(path, stamp);
    if (src.isNull())
        return QPixmap();
    const QPixmap pm = src.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    cache().insert(key, new QPixmap(pm), costKb(pm));
    return pm;
}

void show(QLabel *label, const QString &path, const QSize &size)
{
    const QString key = keyOf(stampOf(path), size);
    // (The pointer form tells "no pixmap" from "an empty pixmap".)
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    const bool hasPixmap = label->pixmap() != nullptr;
    QT_WARNING_POP
    // Text or a movie on the label clear its pixmap: then it is shown again.
    if (hasPixmap && label->property(kShownKey).toString() == key)
        return;
    label->setPixmap(scaled(path, size));
    label->setProperty(kShownKey, key);
    label->setProperty(kShownPath, path);
}

QString shownPath(const QLabel *label) { return label->property(kShownPath).toString(); }

QSize step(const QSize &size)
{
    const auto up = [](int n) { return n <= 0 ? 0 : (n + StepPx - 1) / StepPx * StepPx; };
    return QSize(up(size.width()), up(size.height()));
}

void drawInto(QPainter &p, const QRect &target, const QPixmap &pm)
{
    if (pm.isNull() || target.isEmpty())
        return;
    if (pm.size() == target.size()) {
        p.drawPixmap(target.topLeft(), pm);
        return;
    }
    const bool smooth = p.testRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawPixmap(target, pm);
    p.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
}

void clear() { cache().clear(); }

QString tileSheet(const QString &borderImage)
{
    return QStringLiteral("QLabel{border-image: url(%1);border-top: 0px;border-bottom:0px;border-left: 0px;"
                          "border-right: 0px;border-style: solid;border-color: rgba(140, 140, 140,0);"
                          "background-color:  rgba(140, 140, 140,0);color: rgb(255, 255, 255);}")
        .arg(borderImage);
}

} // namespace IconPictures
