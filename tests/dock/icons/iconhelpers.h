#pragma once
#include "dock/icons/formcommonicon.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>

// Small pictures made by the tests themselves: no test relies on the
// product's pictures being built.
inline QString makePicture(const QString &path, const QColor &colour, int side = 32)
{
    QImage img(side, side, QImage::Format_ARGB32);
    img.fill(colour);
    img.save(path);
    return path;
}

// A valid 1 x 1 GIF.
inline QString makeGif(const QString &path)
{
    static const unsigned char gif[] = { 0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 1, 0, 1, 0, 0x80, 0, 0, 0xFF, 0, 0,
                                         0, 0, 0, 0x21, 0xF9, 4, 0, 0, 0, 0, 0, 0x2C, 0, 0, 0, 0, 1, 0, 1, 0,
                                         0, 2, 2, 0x44, 1, 0, 0x3B };
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(reinterpret_cast<const char *>(gif), sizeof gif);
    return path;
}

// The colour in the middle of what a label shows.
inline QColor shownColour(const QLabel *label)
{
    const QImage img = label->pixmap(Qt::ReturnByValue).toImage();
    return img.isNull() ? QColor() : img.pixelColor(img.width() / 2, img.height() / 2);
}

// The icon with its event handlers called directly, as the window system
// would, so that a test survives an owner deleting the icon in its answer.
class TestIcon : public FormCommonIcon
{
public:
    using FormCommonIcon::FormCommonIcon;

    void press(Qt::MouseButton b, QPoint p = QPoint(10, 10))
    {
        QMouseEvent e(QEvent::MouseButtonPress, p, mapToGlobal(p), b, b, Qt::NoModifier);
        mousePressEvent(&e);
    }
    void release(Qt::MouseButton b, QPoint p = QPoint(10, 10))
    {
        QMouseEvent e(QEvent::MouseButtonRelease, p, mapToGlobal(p), b, Qt::NoButton, Qt::NoModifier);
        mouseReleaseEvent(&e);
    }
    void doubleClick(Qt::MouseButton b)
    {
        QMouseEvent e(QEvent::MouseButtonDblClick, QPoint(10, 10), mapToGlobal(QPoint(10, 10)), b, b, Qt::NoModifier);
        mouseDoubleClickEvent(&e);
    }
    void moveTo(QPoint p, Qt::MouseButtons held = Qt::NoButton)
    {
        QMouseEvent e(QEvent::MouseMove, p, mapToGlobal(p), Qt::NoButton, held, Qt::NoModifier);
        mouseMoveEvent(&e);
    }
    void hover(bool in)
    {
        QEvent e(in ? QEvent::Enter : QEvent::Leave);
        in ? enterEvent(&e) : leaveEvent(&e);
    }
};
