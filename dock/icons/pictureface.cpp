#include "pictureface.h"

#include "dock/icons/iconpictures.h"
#include "platform/regularfile.h"

#include <QFontMetrics>
#include <QIODevice>
#include <QMovie>
#include <QPainter>

// ---------------------------------------------------------------- still picture

PictureFace::PictureFace(const QString &picture, QObject *parent) : DockFace(parent), m_picture(picture) {}

void PictureFace::paint(QPainter &p, const QRect &r)
{
    const QSize step = IconPictures::step(r.size());
    if (step != m_step || m_pm.isNull()) {
        m_pm = IconPictures::scaled(m_picture, step);
        m_step = step;
    }
    IconPictures::drawInto(p, r, m_pm);
}

void PictureFace::setPicture(const QString &picture)
{
    if (picture == m_picture)
        return;
    m_picture = picture;
    m_pm = QPixmap();
    emit changed();
}

BlankFace::BlankFace(QObject *parent) : PictureFace(pictureFor(2), parent) {}

QString BlankFace::pictureFor(int edge)
{
    return edge == 1 || edge == 3 ? QStringLiteral(":/image/icon/Blank1.png") : QStringLiteral(":/image/icon/Blank0.png");
}

void BlankFace::setEdge(int edge)
{
    PictureFace::setPicture(pictureFor(edge));
}

// ---------------------------------------------------------------- GIF

MovieFace::MovieFace(const QString &picture, QObject *parent) : DockFace(parent), m_picture(picture)
{
    load();
}

void MovieFace::load()
{
    delete m_movie;
    m_movie = nullptr;
    QIODevice *bytes = platform::RegularFile::openPicture(m_picture);
    if (!bytes)
        return; // shows nothing, as any picture that cannot be read
    m_movie = new QMovie(bytes, QByteArray(), this);
    bytes->setParent(m_movie);
    // The first frame stands still until the face is shown.
    m_movie->jumpToFrame(0);
    connect(m_movie, &QMovie::frameChanged, this, &DockFace::changed);
    if (m_active)
        m_movie->start();
}

void MovieFace::paint(QPainter &p, const QRect &r)
{
    if (m_movie)
        IconPictures::drawInto(p, r, m_movie->currentPixmap());
}

void MovieFace::setActive(bool on)
{
    m_active = on;
    if (!m_movie)
        return;
    if (on) {
        if (m_movie->state() == QMovie::Paused)
            m_movie->setPaused(false);
        else if (m_movie->state() == QMovie::NotRunning)
            m_movie->start();
    } else if (m_movie->state() == QMovie::Running) {
        m_movie->setPaused(true);
    }
}

void MovieFace::setPicture(const QString &picture)
{
    if (picture == m_picture)
        return;
    m_picture = picture;
    load();
    emit changed();
}

// ---------------------------------------------------------------- composed faces

void ComposedFace::paint(QPainter &p, const QRect &r)
{
    const QSize step = IconPictures::step(r.size());
    if (step.isEmpty())
        return;
    if (m_dirty || m_cache.size() != step) {
        m_cache = QPixmap(step);
        m_cache.fill(Qt::transparent);
        QPainter cp(&m_cache);
        cp.setRenderHint(QPainter::Antialiasing);
        cp.setRenderHint(QPainter::TextAntialiasing);
        render(cp, step);
        m_dirty = false;
    }
    IconPictures::drawInto(p, r, m_cache);
}

QImage ComposedFace::image(const QSize &size)
{
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    render(p, size);
    return img;
}

void ComposedFace::contentChanged()
{
    m_dirty = true;
    emit changed();
}

QSize ComposedFace::textSize(const QFont &f, const QString &text)
{
    if (text.isEmpty())
        return QSize(0, QFontMetrics(f).height());
    return QFontMetrics(f).size(0, text);
}

QFont ComposedFace::yaHei(int pixelSize, int weight)
{
    QFont f(QStringLiteral("Microsoft YaHei"));
    f.setWeight(weight);
    f.setItalic(false);
    f.setPixelSize(qMax(1, pixelSize));
    return f;
}

UrlTileFace::UrlTileFace(QObject *parent) : ComposedFace(parent) {}

void UrlTileFace::setName(const QString &name)
{
    const QString letter = name.left(1);
    if (letter == m_letter)
        return;
    m_letter = letter;
    contentChanged();
}

void UrlTileFace::setIconMargin(int margin)
{
    if (margin == m_margin)
        return;
    m_margin = margin;
    contentChanged();
}

void UrlTileFace::render(QPainter &p, const QSize &size)
{
    p.drawPixmap(0, 0, IconPictures::scaled(IconPictures::UrlTile, size));
    if (m_letter.isEmpty())
        return;
    p.setFont(yaHei(letterPixelSize(size.width()), 10));
    p.setPen(Qt::white);
    p.drawText(QRect(QPoint(0, 0), size), Qt::AlignCenter, m_letter);
}
