#include "widget_p.h"

#include "platform/desktopicons.h"

// ---- the desktop around the dock and the bar's background ------------------

void Widget::IconDisplay()
{
    qDebug() << "显隐图标：" << m_set.desktopIcon;
    if (!m_set.desktopIcon)
        return;
    auto &icons = platform::DesktopIconsService::get();
    if (m_desktopIconsShown) {
        icons.hideIcons();
        m_desktopIconsShown = false;
        qDebug() << "false";
    } else {
        icons.restoreIcons();
        m_desktopIconsShown = true;
        qDebug() << "true";
    }
}

void Widget::IconDisplayShow()
{
    platform::DesktopIconsService::get().restoreIcons();
    m_desktopIconsShown = true;
}

void Widget::setDesktopIcon(bool b)
{
    m_set.desktopIcon = b;
    if (!b)
        IconDisplayShow();
}

// On X11 no program can give other windows the space that panels reserve:
// the switch is kept, and the bar is placed again on its screen.
void Widget::setWorkArea(bool b)
{
    m_set.workArea = b;
    setScreen(m_set.screen);
}

void Widget::setClose()
{
    showFrameArea(false);
    popupOpen = false;
}

void Widget::setTransparentBackground(int x) { m_layout->setTransparency(x); }
void Widget::setBackgroundStyle(int x) { m_layout->setBackgroundStyle(x); }
