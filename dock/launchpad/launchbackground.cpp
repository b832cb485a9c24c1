#include "launchbackground.h"

#include <QGraphicsBlurEffect>
#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QPainter>
#include <QPixmap>

namespace LaunchBackground {

QImage cover(const QImage &picture, const QSize &size)
{
    if (picture.isNull() || size.isEmpty())
        return QImage();
    const QImage scaled = picture.scaled(size, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    return scaled.copy((scaled.width() - size.width()) / 2, (scaled.height() - size.height()) / 2, size.width(),
                       size.height());
}

QImage blurred(const QImage &image, int radius)
{
    if (image.isNull() || radius <= 0)
        return image;
    QGraphicsScene scene;
    QGraphicsPixmapItem *item = scene.addPixmap(QPixmap::fromImage(image));
    auto *blur = new QGraphicsBlurEffect;
    blur->setBlurRadius(radius);
    item->setGraphicsEffect(blur);
    QImage out(image.size(), QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter p(&out);
    scene.render(&p, QRectF(QPointF(0, 0), image.size()), QRectF(QPointF(0, 0), image.size()));
    p.end();
    return out;
}

} // namespace LaunchBackground
