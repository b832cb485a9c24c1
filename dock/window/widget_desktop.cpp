#include "widget_p.h"

#include "backgroundstyle.h"
#include "docklayout.h"
#include "platform/desktopicons.h"
#include "platform/screens.h"
#include "platform/workarea.h"

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

// The work area: with the switch on, the bar's strip of the screen is
// reserved, so that maximised windows end where the bar begins; off, the
// strip is given back.
void Widget::setWorkArea(bool b)
{
    m_set.workArea = b;
    if (!b && !m_strut.isNull()) {
        platform::WorkAreaService::get().setStrut(this, platform::Strut());
        m_strut = platform::Strut();
        m_strutDepth = 0;
        m_strutEdge = -1;
    }
    setScreen(m_set.screen);
}

void Widget::updateWorkArea()
{
    if (!m_set.workArea) {
        if (!m_strut.isNull()) {
            platform::WorkAreaService::get().setStrut(this, platform::Strut());
            m_strut = platform::Strut();
            m_strutDepth = 0;
            m_strutEdge = -1;
        }
        return;
    }
    auto &screens = platform::ScreensService::get();
    const QRect S = m_screenRect;
    if (m_strut.isNull() || m_strutScreen != S) {
        // What the desktop offers without us, kept to tell our strip from a taskbar.
        const int i = m_set.screen >= 0 && m_set.screen < screens.count() ? m_set.screen : 0;
        m_workAreaToRestore = screens.availableGeometry(i);
    }
    DockLayout::PlacementInput in;
    in.edge = m_set.location;
    in.screen = S;
    in.available = m_availableRect.isValid() ? m_availableRect : S;
    in.taskbar = m_taskbarSide;
    in.margin = m_set.margin;
    in.magnified = m_set.icoMagnified;
    in.main = ui->main->size();
    in.background = ui->frameBackground->size();
    const int depth = DockLayout::reservedDepth(in, int(m_set.currentSizeF));
    const platform::Strut strut = DockLayout::strutFor(in.edge, S, screens.desktopGeometry(), depth);
    if (strut == m_strut)
        return;
    platform::WorkAreaService::get().setStrut(this, strut);
    m_strut = strut;
    m_strutDepth = depth;
    m_strutEdge = in.edge;
    m_strutScreen = S;
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
