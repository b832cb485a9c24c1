#pragma once
#include "service.h"

#include <QRegion>

class QWidget;

namespace platform {

// Window levels and shapes. The real implementation talks to the X11 window
// manager; on other platforms (offscreen tests) every call is a no-op.
class WindowSystem
{
public:
    enum Level { Above, Normal, Below };
    virtual ~WindowSystem() = default;

    virtual void setLevel(QWidget *w, Level level) = 0;
    // Brings a window to the front without leaving it above the others.
    virtual void raiseOnce(QWidget *w) = 0;
    // Marks a window as a dock (no task-bar entry, on all desktops).
    virtual void setDockType(QWidget *w) = 0;
    // Keeps a window that lies on the desktop out of the task list, the pager
    // and the window switcher, and shows it on every virtual desktop.
    virtual void setDesktopOverlay(QWidget *w) = 0;
    // Only the region receives pointer input; the rest lets clicks through to
    // whatever lies below. An empty region gives the whole window back.
    // Without a compositing manager the window is also cut to the region.
    virtual void setInputRegion(QWidget *w, const QRegion &region) = 0;
    // Keeps w in front of other, even of a window that covers the screen and
    // has the focus (which window managers lift above all layers): w becomes
    // transient for other. nullptr gives w back its own place.
    virtual void keepInFrontOf(QWidget *w, QWidget *other)
    {
        Q_UNUSED(w)
        Q_UNUSED(other)
    }
    // No part of the window takes pointer input. Set on the mapped window, so
    // that window managers which copy the shape to their frame follow it.
    virtual void setNoInput(QWidget *w) = 0;
    virtual bool isX11() const = 0;
};

using WindowSystemService = Service<WindowSystem>;

} // namespace platform
