#pragma once
#include "platform/service.h"

#include <QPixmap>

// Takes the picture of the whole desktop: every screen, in device pixels, its
// top left at the desktop's top left. Tests install a fake with a known picture.
class ScreenGrab
{
public:
    virtual ~ScreenGrab() = default;
    virtual QPixmap grabDesktop() = 0;
};

using ScreenGrabService = platform::Service<ScreenGrab>;
