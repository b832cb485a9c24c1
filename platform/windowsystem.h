#pragma once
#include "service.h"

#include <QRegion>
#include <QWidget>

class QWidget;

namespace platform {

// Window levels and shapes. The real implementation talks to the X11 window
// manager; on other platforms (offscreen tests) every call is a no-op.
class WindowSystem
{
public:
    enum Level { Above, Normal, Below };
    // What a window is to the window manager. Every role but Dialog keeps the
    // window out of the task list, the pager and the window switcher and
    // shows it on every virtual desktop (one that stands over a window of
    // ours, on that window's).
    enum class Role {
        Dock,     // the bar and its edge strip: never focused by the switcher, never minimised
        Notice,   // toasts
        Popup,    // pop-ups and small panels beside the bar
        Tip,      // the name tip
        DragIcon, // what follows the pointer during a drag
        Overlay,  // windows that lie on the desktop
        Dialog,   // windows a user works in: an ordinary dialog
    };
    virtual ~WindowSystem() = default;

    // Declares the role of a top-level window; it holds from then on, also
    // after the window has been hidden and shown again (window managers drop
    // the states of a withdrawn window), and the level set by setLevel is
    // kept with it. A Dialog shown right after the user's click or key press
    // takes the keyboard as a pager would hand it over (see forceActivate):
    // window managers hold back new windows of a program none of whose
    // windows has the keyboard, and the bar never takes it. Shown at any
    // other time (a timer, a finished download), it leaves the keyboard
    // where it is. A Notice shows in front of our windows, of the one that
    // has the keyboard too (even one that covers the screen, see
    // keepInFrontOf), and takes nothing from it. Called through
    // setWindowRole.
    virtual void setRole(QWidget *w, Role role)
    {
        Q_UNUSED(w)
        Q_UNUSED(role)
    }

    virtual void setLevel(QWidget *w, Level level) = 0;
    // Brings a window to the front without leaving it above the others.
    virtual void raiseOnce(QWidget *w) = 0;
    // Makes `dialog` stand over `owner`'s window: transient for it, so that
    // the window manager keeps it in front of that window. Over the bar's
    // own window a dialog stands in the bar's layer instead: window managers
    // keep a transient window in front of its parent for good, and the bar
    // comes in front of its dialogs while it shows a pop-up (setPopupShown).
    // Called by placeOver each time the dialog shows, before it is mapped.
    virtual void standOver(QWidget *dialog, QWidget *owner);
    // The window shows a pop-up of its own inside it (an icon menu of the
    // bar): while it does, it stands in front of all our windows, the dialogs
    // standing over it included, whatever its level; then they stand in
    // front of it again.
    virtual void setPopupShown(QWidget *w, bool shown)
    {
        Q_UNUSED(w)
        Q_UNUSED(shown)
    }
    // Keeps a window that lies on the desktop out of the task list, the pager
    // and the window switcher, and shows it on every virtual desktop.
    virtual void setDesktopOverlay(QWidget *w) = 0;
    // Only the region receives pointer input; the rest lets clicks through to
    // whatever lies below. An empty region gives the whole window back.
    virtual void setInputRegion(QWidget *w, const QRegion &region) = 0;
    // The window is the region, which holds all it draws: it takes the
    // pointer there only, and without a compositing manager it shows there
    // only, cut to the pixels it draws (SeeThrough).
    virtual void setShape(QWidget *w, const QRegion &region) { setInputRegion(w, region); }
    // Keeps w in front of other, even of a window that covers the screen and
    // has the focus (which window managers lift above all layers): w becomes
    // transient for other. nullptr gives w back its own place.
    void keepInFrontOf(QWidget *w, QWidget *other);
    // The same for another program's window, by its X id; 0 gives w back
    // its own place.
    virtual void keepInFrontOfWindow(QWidget *w, quint64 other)
    {
        Q_UNUSED(w)
        Q_UNUSED(other)
    }
    // No part of the window takes pointer input. Set on the mapped window, so
    // that window managers which copy the shape to their frame follow it.
    virtual void setNoInput(QWidget *w) = 0;
    virtual bool isX11() const = 0;
    // False only on X11 without a compositing manager, where the clear parts
    // of a translucent window are painted black.
    virtual bool translucencyWorks() const { return true; }
    // Activates the window and gives it the keyboard, also where the window
    // manager would hold back a window that did not get the last user input
    // (one opened by a global hot key). Nothing when it is active already.
    virtual void forceActivate(QWidget *w);
};

using WindowSystemService = Service<WindowSystem>;

using WindowRole = WindowSystem::Role;

// Whether a window of that role is one the user types in. The others only
// show something: no window manager may give them the keyboard.
inline bool takesKeyboard(WindowRole role)
{
    return role == WindowRole::Dialog || role == WindowRole::Popup || role == WindowRole::Overlay;
}

// The window never takes the keyboard: the window manager is told so (the
// input hint is false), and showing it activates nothing.
inline void refuseKeyboard(QWidget *w)
{
    if (!(w->windowFlags() & Qt::WindowDoesNotAcceptFocus)) {
        const bool shown = w->isVisible();
        w->setWindowFlags(w->windowFlags() | Qt::WindowDoesNotAcceptFocus);
        if (shown)
            w->show();
    }
    w->setAttribute(Qt::WA_ShowWithoutActivating);
}

// The one call each window makes to say what it is.
inline void setWindowRole(QWidget *w, WindowRole role)
{
    if (!takesKeyboard(role))
        refuseKeyboard(w);
    WindowSystemService::get().setRole(w, role);
}

// A window that stands over the bar and follows the pointer (the drag ghost,
// the bubble, the long-press ring): the window manager neither frames it
// (a frame would take the pointer) nor stacks it beneath the bar, and it
// takes neither the pointer nor the focus from anyone.
inline void makePassThroughOverlay(QWidget *w)
{
    w->setWindowFlags(Qt::Tool | Qt::BypassWindowManagerHint | Qt::FramelessWindowHint
                      | Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus);
    w->setAttribute(Qt::WA_TranslucentBackground);
    w->setAttribute(Qt::WA_ShowWithoutActivating);
}

} // namespace platform
