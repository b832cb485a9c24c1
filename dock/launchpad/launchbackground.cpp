#include "launchbackground.h"

#include "dock/icons/iconpictures.h"
#include "platform/regularfile.h"
#include "platform/wallpaper.h"

#include <QGraphicsBlurEffect>
#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

LaunchBackground::LaunchBackground(QLabel *label, QObject *parent)
    : QObject(parent), m_label(label), m_blurTimer(new QTimer(this))
{
    m_blurTimer->setSingleShot(true);
    m_blurTimer->setInterval(40);
    connect(m_blurTimer, &QTimer::timeout, this, &LaunchBackground::render);
}

QImage LaunchBackground::cover(const QImage &picture, const QSize &size)
{
    if (picture.isNull() || size.isEmpty())
        return QImage();
    const QImage scaled = picture.scaled(size, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    return scaled.copy((scaled.width() - size.width()) / 2, (scaled.height() - size.height()) / 2, size.width(),
                       size.height());
}

QImage LaunchBackground::blurred(const QImage &image, int radius)
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

void LaunchBackground::show(bool ownPicture, const QString &path)
{
    if (ownPicture) {
        ++m_wallpaperAsk; // an answer still on its way is no longer wanted
        setPicture(path);
        return;
    }
    const int ask = ++m_wallpaperAsk;
    platform::WallpaperService::get().find(this, [this, ask](const QString &wallpaper) {
        if (ask == m_wallpaperAsk)
            setPicture(wallpaper);
    });
}

void LaunchBackground::setPicture(const QString &path)
{
    // A picture changed on disk under the same name is read again.
    const QString key = path.isEmpty() ? QString() : IconPictures::stampOf(path);
    if (key == m_pictureKey && !m_pictureKey.isNull())
        return;
    m_pictureKey = key;
    m_picture = path.isEmpty() ? QImage()
                               : platform::RegularFile::readImage(path, platform::RegularFile::PictureCap,
                                                                  platform::RegularFile::PicturePixels, true);
    render();
}

void LaunchBackground::setBlur(int radius)
{
    m_radius = radius;
    m_blurTimer->start();
}

void LaunchBackground::render()
{
    m_blurTimer->stop();
    const QSize size = m_label->size();
    const QString key = m_pictureKey + QStringLiteral("|%1x%2|%3").arg(size.width()).arg(size.height()).arg(m_radius);
    if (key == m_blurKey)
        return;
    m_blurKey = key;
    const QImage out = blurred(cover(m_picture, size), m_radius);
    if (out.isNull())
        m_label->clear();
    else
        m_label->setPixmap(QPixmap::fromImage(out));
}

QImage LaunchBackground::image() const
{
    return m_label->pixmap(Qt::ReturnByValue).toImage();
}
