#pragma once

class QWidget;

// How the tool windows declare themselves to the window manager. Off X11
// (the offscreen tests) every call does nothing.
namespace toolwindow {

// A screen overlay or floating control: kept out of the task list, the pager
// and Alt+Tab, and shown on every virtual desktop.
void markOverlay(QWidget *w);
// A window the user works in, like a dialog.
void markDialog(QWidget *w);
// Activates the window and gives it the keyboard, also when the window manager
// would hold back a window that did not get the last user input (the box
// opened by a global hot key). Does nothing when it is active already.
void forceActivate(QWidget *w);
// False only on X11 without a compositing manager, where translucent windows
// are painted opaque.
bool translucencyWorks();

} // namespace toolwindow
