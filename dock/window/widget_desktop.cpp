#include "widget_p.h"

#include "backgroundstyle.h"
#include "docklayout.h"
#include "dockshowing.h"

// ---- the desktop around the dock and the bar's background ------------------

void Widget::IconDisplay() { m_showing->toggleDesktopIcons(); }
void Widget::IconDisplayShow() { m_showing->showDesktopIcons(); }
void Widget::setDesktopIcon(bool b) { m_showing->setDesktopIcons(b); }
void Widget::setWorkArea(bool b) { m_showing->setWorkArea(b); }
void Widget::setClose() { m_showing->settingsClosed(); }

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
