#pragma once
#include "dock/icons/dockface.h"

#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QSize>

class QMovie;

// A still picture, scaled through the picture cache in size steps.
class PictureFace : public DockFace
{
    Q_OBJECT
public:
    PictureFace(const QString &picture, QObject *parent);
    void paint(QPainter &p, const QRect &r) override;
    void setPicture(const QString &picture) override;
    QString picture() const { return m_picture; }

protected:
    QString m_picture;

private:
    QPixmap m_pm;
    QSize m_step;
};

// A separator: the picture that stands across a bar on the given edge.
class BlankFace : public PictureFace
{
    Q_OBJECT
public:
    explicit BlankFace(QObject *parent);
    void setEdge(int edge) override;
    void setPicture(const QString &) override {}
    static QString pictureFor(int edge);
};

// An animated GIF. Its frames advance only while the face is active.
class MovieFace : public DockFace
{
    Q_OBJECT
public:
    MovieFace(const QString &picture, QObject *parent);
    void paint(QPainter &p, const QRect &r) override;
    void setActive(bool on) override;
    void setPicture(const QString &picture) override;
    QMovie *movie() const { return m_movie; }
    bool isActive() const { return m_active; }

private:
    void load();

    QString m_picture;
    QMovie *m_movie = nullptr;
    bool m_active = false;
};

// A face put together from pictures and texts. It is rendered once per size
// step and content and then drawn as one picture, so that magnification
// neither lays it out nor draws its texts again on every pointer move.
class ComposedFace : public DockFace
{
    Q_OBJECT
public:
    using DockFace::DockFace;
    void paint(QPainter &p, const QRect &r) override;
    // The face at exactly this size (tests and screenshots).
    QImage image(const QSize &size);

    // What a label fitted to its text (adjustSize) measures.
    static QSize textSize(const QFont &f, const QString &text);
    static QFont yaHei(int pixelSize, int weight);

protected:
    // Draws the face into (0, 0, size).
    virtual void render(QPainter &p, const QSize &size) = 0;
    // What is shown changed: drop the rendering and tell the owner.
    void contentChanged();

private:
    QPixmap m_cache;
    bool m_dirty = true;
};

// A web site without a picture of its own: the tile with the site's first
// letter in white.
class UrlTileFace : public ComposedFace
{
    Q_OBJECT
public:
    explicit UrlTileFace(QObject *parent);
    void setName(const QString &name) override;
    QString letter() const { return m_letter; }
    // The letter's pixel size is half the icon's width; the dock's icon is
    // its picture area plus this margin (a menu icon has none).
    void setIconMargin(int margin);
    int letterPixelSize(int pictureWidth) const { return qMax(1, (pictureWidth + m_margin) / 2); }

protected:
    void render(QPainter &p, const QSize &size) override;

private:
    QString m_letter;
    int m_margin = 10;
};
