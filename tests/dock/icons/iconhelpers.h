#pragma once
#include "dock/icons/formcommonicon.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QSignalSpy>
#include <QString>

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
    static const unsigned char gif[] = { 0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00,
                                         0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x21, 0xF9, 0x04, 0x00, 0x00,
                                         0x00, 0x00, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00,
                                         0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B };
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(reinterpret_cast<const char *>(gif), sizeof gif);
    return path;
}

// The colour in the middle of what a label shows.
inline QColor shownColour(const QLabel *label)
{
    const QPixmap pm = label->pixmap(Qt::ReturnByValue);
    if (pm.isNull())
        return QColor();
    const QImage img = pm.toImage();
    return img.pixelColor(img.width() / 2, img.height() / 2);
}

// The icon with its event handlers reachable, so that tests can drive it
// exactly as the window system would and survive an owner deleting it.
class TestIcon : public FormCommonIcon
{
public:
    using FormCommonIcon::FormCommonIcon;

    void press(Qt::MouseButton b, QPoint p = QPoint(10, 10)) { send(QEvent::MouseButtonPress, b, b, p); }
    void release(Qt::MouseButton b, QPoint p = QPoint(10, 10)) { send(QEvent::MouseButtonRelease, b, Qt::NoButton, p); }
    void doubleClick(Qt::MouseButton b, QPoint p = QPoint(10, 10)) { send(QEvent::MouseButtonDblClick, b, b, p); }
    void moveTo(QPoint p, Qt::MouseButtons held = Qt::NoButton) { send(QEvent::MouseMove, Qt::NoButton, held, p); }
    void enter()
    {
        QEvent e(QEvent::Enter);
        enterEvent(&e);
    }
    void leave()
    {
        QEvent e(QEvent::Leave);
        leaveEvent(&e);
    }

private:
    void send(QEvent::Type type, Qt::MouseButton b, Qt::MouseButtons buttons, QPoint p)
    {
        QMouseEvent e(type, QPointF(p), QPointF(p), QPointF(mapToGlobal(p)), b, buttons, Qt::NoModifier);
        switch (type) {
        case QEvent::MouseButtonPress:
            mousePressEvent(&e);
            break;
        case QEvent::MouseButtonRelease:
            mouseReleaseEvent(&e);
            break;
        case QEvent::MouseButtonDblClick:
            mouseDoubleClickEvent(&e);
            break;
        default:
            mouseMoveEvent(&e);
            break;
        }
    }
};

inline QList<int> codesOf(const QSignalSpy &spy)
{
    QList<int> codes;
    for (const QList<QVariant> &args : spy)
        codes << args.at(1).toInt();
    return codes;
}
