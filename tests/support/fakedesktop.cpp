#include "fakedesktop.h"

#include <QTimer>

FakeScreens::FakeScreens(const QList<Screen> &s) : screens(s) { platform::ScreensService::install(this); }
FakeScreens::~FakeScreens() { platform::ScreensService::install(nullptr); }

QRect FakeScreens::desktopGeometry()
{
    QRect all;
    for (const Screen &s : qAsConst(screens))
        all |= s.geometry;
    return all;
}

FakeDesktopIcons::FakeDesktopIcons() { platform::DesktopIconsService::install(this); }
FakeDesktopIcons::~FakeDesktopIcons() { platform::DesktopIconsService::install(nullptr); }

FakeActiveWindow::FakeActiveWindow() { platform::ActiveWindowService::install(this); }
FakeActiveWindow::~FakeActiveWindow() { platform::ActiveWindowService::install(nullptr); }

FakeWallpaper::FakeWallpaper() { platform::WallpaperService::install(this); }
FakeWallpaper::~FakeWallpaper() { platform::WallpaperService::install(nullptr); }

void FakeWallpaper::find(QObject *context, std::function<void(const QString &)> done)
{
    const QString p = path;
    QTimer::singleShot(0, context, [done, p] { done(p); });
}
