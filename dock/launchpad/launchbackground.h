#pragma once
#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>

class QLabel;
class QTimer;

// The launch pad's background: the own picture or the desktop's wallpaper,
// covering the label under the grid, blurred. It is blurred once, when its
// picture, size or blur changes, and then only drawn: a blur at every
// repaint of a full screen would cost every frame of a page turn.
class LaunchBackground : public QObject
{
    Q_OBJECT
public:
    explicit LaunchBackground(QLabel *label, QObject *parent = nullptr);

    // The picture scaled to cover size, keeping its aspect ratio; what sticks
    // out is cut off evenly on both sides. A null picture gives a null image.
    static QImage cover(const QImage &picture, const QSize &size);
    // The image as a QGraphicsBlurEffect of this radius draws it.
    static QImage blurred(const QImage &image, int radius);

    // The background as drawn, null while there is no picture. Read back
    // from the label: a full-screen copy kept beside it would be megabytes.
    QImage image() const;

    // Shows the own picture, or asks for the wallpaper (the answer comes later).
    void show(bool ownPicture, const QString &path);
    void setPicture(const QString &path);
    // Slider moves come in many small steps: the blur follows the last one.
    void setBlur(int radius);

private:
    void render();

    QLabel *m_label;
    QTimer *m_blurTimer;
    int m_radius = 0;
    // The picture as read, and the key it was blurred for.
    QString m_pictureKey;
    QImage m_picture;
    QString m_blurKey;
    int m_wallpaperAsk = 0;
};
