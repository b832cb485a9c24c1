#pragma once
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QVector>

// Maps Qt's device-independent desktop positions onto device pixels of the
// desktop picture. Qt 5 keeps each screen's top left at its device-pixel
// position and scales only its extent, so a position maps through the screen
// it lies on: pixel = origin + (position - origin) * ratio.
class DesktopMap
{
public:
    struct Screen
    {
        QRect geometry; // device-independent, as QScreen::geometry()
        qreal ratio = 1;
    };

    DesktopMap() = default;
    explicit DesktopMap(const QVector<Screen> &screens) : m_screens(screens) {}
    // The screens of the running application.
    static DesktopMap current();

    // The device pixel under a position; positions off every screen map through
    // the nearest screen.
    QPoint pixelAt(const QPointF &position) const;
    // Device-independent size that covers a picture of this many pixels, for a
    // window whose top left lies at `origin`.
    QSize coverFor(const QSize &pixels, const QPoint &origin) const;
    qreal ratioAt(const QPoint &position) const;

private:
    const Screen *screenFor(const QPointF &position) const;
    QVector<Screen> m_screens;
};
