#pragma once
// What the two halves of the bar share: an icon as the bar keeps it, and the
// tweens its frame clock advances.
#include "dock/icons/dockbar.h"
#include "dock/model/dockicon.h"

#include <QHash>
#include <QPixmap>
#include <QPoint>
#include <QSize>
#include <QString>

class DockFace;

namespace DockBarParts {

// One animation of an icon, advanced by the bar's frame clock.
struct Tween
{
    bool on = false;
    qint64 start = 0;
    int duration = 1;
    qreal at(qint64 now) const { return qBound<qreal>(0, qreal(now - start) / duration, 1); }
};

} // namespace DockBarParts

struct DockBar::Item
{
    QString id, cls, name, picture;
    DockFace *face = nullptr;
    QString facePicture, faceClass;
    QPoint pos;
    QSize size;
    bool hidden = false;
    bool mouseIn = false;
    bool hoverSized = false; // sized by the hover since it last went back
    float magnified = 0, magnifiedBase = 0, normal = 0, normalBase = 0;
    DockBarParts::Tween grow;  // the size towards growTo
    QSize growFrom, growTo;
    DockBarParts::Tween glide; // the place towards glideTo
    QPoint glideFrom, glideTo;
    DockBarParts::Tween jump;  // an opened icon's picture jumping
    int jumpFrom = 5;
    DockBarParts::Tween slide; // a removable disk's picture dropping in
    int jumpY = 5;   // where the picture stands across the icon (the jump moves it)
    int slideY = 0;  // a removable disk's picture dropping in
    // The face drawn once per size step; magnification only scales these.
    QHash<quint32, QPixmap> renders;
    int faceSerial = 0; // counts the face's new looks
    // How the last picture drew it: where (empty: not at all), which look
    // and where the picture stood across the icon.
    QRect shown;
    int shownSerial = -1;
    int shownJumpY = 0;
    bool isBlank() const { return IconClasses::of(cls).face == IconFace::Separator; }
};
