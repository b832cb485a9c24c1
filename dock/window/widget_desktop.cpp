#include "widget_p.h"

#include "dockshowing.h"

// ---- the desktop around the dock and the bar's background ------------------

void Widget::IconDisplay() { m_showing->toggleDesktopIcons(); }
void Widget::IconDisplayShow() { m_showing->showDesktopIcons(); }
void Widget::setDesktopIcon(bool b) { m_showing->setDesktopIcons(b); }
void Widget::setWorkArea(bool b) { m_showing->setWorkArea(b); }
void Widget::setClose() { m_showing->settingsClosed(); }

void Widget::setTransparentBackground(int x) { m_layout->setTransparency(x); }
void Widget::setBackgroundStyle(int x) { m_layout->setBackgroundStyle(x); }
