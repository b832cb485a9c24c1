#pragma once
#include "service.h"

namespace platform {

// The icons that the desktop itself shows (the file manager's icon view).
class DesktopIcons
{
public:
    virtual ~DesktopIcons() = default;
    virtual void hideIcons() = 0;
    virtual void restoreIcons() = 0;
};

using DesktopIconsService = Service<DesktopIcons>;

} // namespace platform
