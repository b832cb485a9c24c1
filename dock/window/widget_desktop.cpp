#include "widget_p.h"

#include "backgroundstyle.h"
#include "docklayout.h"
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

void Widget::setTransparentBackground(int x)
{
    m_set.transparentBackground = x;
    setBackgroundStyle(m_set.backgroundStyle);
}

namespace {
// Re-parsing a sheet costs a repolish of the frame and its children: only
// when it really changes.
void applySheet(QWidget *w, const std::optional<QString> &sheet)
{
    if (sheet && w->styleSheet() != *sheet)
        w->setStyleSheet(*sheet);
}
} // namespace

void Widget::setBackgroundStyle(int x)
{
    const BackgroundStyle::Look l = BackgroundStyle::look(x, m_set.transparentBackground, m_set.location);
    m_set.backgroundStyle = x;
    if (l.inset)
        m_backgroundSide = *l.inset;
    applySheet(ui->frameBackground, l.frame);
    applySheet(ui->bl, l.bl);
    applySheet(ui->br, l.br);
    applySheet(ui->bg, l.bg);
    applySheet(ui->bl2, l.bl2);
    applySheet(ui->br2, l.br2);
    applySheet(ui->bg2, l.bg2);
    if (l.horizontalStrip)
        ui->BackgroundW->setVisible(*l.horizontalStrip);
    if (l.verticalStrip)
        ui->BackgroundH->setVisible(*l.verticalStrip);
    paintBackgroundOnBar();
    m_relayoutTimer->start(1);
}
