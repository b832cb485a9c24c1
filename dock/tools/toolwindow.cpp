#include "dock/tools/toolwindow.h"

#include <KWindowSystem>
#include <KX11Extras>
#include <QWidget>
#include <QX11Info>

namespace toolwindow {

void markOverlay(QWidget *w)
{
    if (!w || !QX11Info::isPlatformX11())
        return;
    const WId id = w->winId();
    KWindowSystem::setState(id, NET::SkipTaskbar | NET::SkipPager | NET::SkipSwitcher);
    KX11Extras::setOnAllDesktops(id, true);
}

void markDialog(QWidget *w)
{
    if (!w || !QX11Info::isPlatformX11())
        return;
    KWindowSystem::setType(w->winId(), NET::Dialog);
}

void forceActivate(QWidget *w)
{
    if (!w || !w->isVisible())
        return;
    if (!w->isActiveWindow()) {
        w->activateWindow();
        if (QX11Info::isPlatformX11())
            KX11Extras::forceActiveWindow(w->winId());
    }
}

bool translucencyWorks()
{
    return !QX11Info::isPlatformX11() || KX11Extras::compositingActive();
}

} // namespace toolwindow
