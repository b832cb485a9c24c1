#pragma once
#include "service.h"

#include <QRect>

namespace platform {

// The screens of the desktop, by index, in desktop coordinates.
class Screens
{
public:
    virtual ~Screens() = default;
    virtual int count() = 0;
    virtual QRect geometry(int i) = 0;
    // The screen less what panels of the desktop reserve.
    virtual QRect availableGeometry(int i) = 0;
    // All screens together.
    virtual QRect desktopGeometry() = 0;
    // The free part of the screen that holds p, or of the first screen.
    QRect availableGeometryAt(const QPoint &p);
};

using ScreensService = Service<Screens>;

} // namespace platform
