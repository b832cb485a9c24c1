#include "dockplacement.h"

#include "docklayout.h"
#include "platform/screens.h"
#include "platform/windowsystem.h"

#include <QWidget>

DockPlacement::DockPlacement(const Frames &f) : m_f(f) {}

int DockPlacement::screenInUse(int wanted)
{
    const int n = platform::ScreensService::get().count();
    return wanted >= 0 && wanted < n ? wanted : 0;
}

QRect DockPlacement::screenRect(int wanted)
{
    auto &screens = platform::ScreensService::get();
    if (screens.count() <= 0)
        return QRect(0, 0, 1280, 800);
    return screens.geometry(screenInUse(wanted));
}

void DockPlacement::moveToScreen(int screen)
{
    const QRect S = platform::ScreensService::get().geometry(screenInUse(screen));
    m_screen = S.isValid() ? S : screenRect(screen);
    if (m_f.window->geometry() != m_screen)
        m_f.window->setGeometry(m_screen);
    takeAvailable(screen);
    m_f.frameWork->setGeometry(0, 0, m_available.width(), m_available.height());
}

void DockPlacement::takeAvailable(int screen)
{
    auto &screens = platform::ScreensService::get();
    const int i = screenInUse(screen);
    const QRect S = screens.geometry(i);
    const QRect A = screens.availableGeometry(i);
    m_available = A.isValid() ? A : S;
    m_taskbarSide = DockLayout::taskbarSide(m_available, S);
}

void DockPlacement::placeBar(int edge, int margin, float magnified, bool launchPadOpen)
{
    if (edge < 0 || edge > 3)
        return;
    DockLayout::PlacementInput in;
    in.edge = edge;
    in.screen = m_screen.isValid() ? m_screen : screenRect(0);
    in.available = m_available.isValid() ? m_available : in.screen;
    in.taskbar = m_taskbarSide;
    in.margin = margin;
    in.magnified = magnified;
    in.main = m_f.main->size();
    in.background = m_f.background->size();
    in.launchPadOpen = launchPadOpen;
    const DockLayout::Placement p = DockLayout::placeBar(in);
    m_f.main->move(p.main);
    if (DockLayout::isHorizontal(edge))
        m_f.frameMain->move(0, m_f.frameMain->y());
    else
        m_f.frameMain->move(m_f.frameMain->x(), 0);
    if (m_f.strip->geometry() != p.strip)
        m_f.strip->setGeometry(p.strip);
}

std::optional<platform::WindowSystem::Level> DockPlacement::levelOf(int level)
{
    switch (level) {
    case 0: return platform::WindowSystem::Above;
    case 1: return platform::WindowSystem::Normal;
    case 2: return platform::WindowSystem::Below;
    default: return std::nullopt;
    }
}

void DockPlacement::applyLevel(QWidget *w, int level)
{
    if (const auto l = levelOf(level))
        platform::WindowSystemService::get().setLevel(w, *l);
}

void DockPlacement::sendInputRegion(const QRegion &visible)
{
    if (m_sent && visible == m_region)
        return;
    m_region = visible;
    m_sent = true;
    platform::WindowSystemService::get().setShape(m_f.window, visible);
}
