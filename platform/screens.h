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
};

using ScreensService = Service<Screens>;

} // namespace platform
