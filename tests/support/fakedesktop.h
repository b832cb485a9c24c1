#pragma once
#include "platform/activewindow.h"
#include "platform/desktopicons.h"
#include "platform/screens.h"
#include "platform/wallpaper.h"

#include <QList>
#include <QRect>
#include <QStringList>

// Fakes of the desktop around the dock. Each installs itself while it lives.

// Screens as a test lays them out: geometry and available part per screen.
class FakeScreens : public platform::Screens
{
public:
    struct Screen
    {
        QRect geometry;
        QRect available;
    };
    explicit FakeScreens(const QList<Screen> &screens = { { QRect(0, 0, 1280, 800), QRect(0, 0, 1280, 800) } });
    ~FakeScreens() override;
    int count() override { return screens.size(); }
    QRect geometry(int i) override { return i >= 0 && i < screens.size() ? screens[i].geometry : QRect(); }
    QRect availableGeometry(int i) override { return i >= 0 && i < screens.size() ? screens[i].available : QRect(); }
    QRect desktopGeometry() override;

    QList<Screen> screens;
};

class FakeDesktopIcons : public platform::DesktopIcons
{
public:
    FakeDesktopIcons();
    ~FakeDesktopIcons() override;
    void hideIcons() override { calls << "hide"; }
    void restoreIcons() override { calls << "restore"; }
    QStringList calls;
};


// The window that has the keyboard, as a test sets it; set() tells the dock.
class FakeActiveWindow : public platform::ActiveWindow
{
public:
    FakeActiveWindow();
    ~FakeActiveWindow() override;
    Info active() override { return info; }
    void set(const Info &i)
    {
        info = i;
        emit changed();
    }
    // Another program's window on the desktop, in the state given.
    void setOther(quint64 id, State state, const QRect &geometry) { set({ id, state, geometry, false }); }
    Info info;
};

// The desktop's wallpaper as a test names it; an empty path is a desktop
// that names none. The answer comes later, as the real one's does.
class FakeWallpaper : public platform::Wallpaper
{
public:
    FakeWallpaper();
    ~FakeWallpaper() override;
    void find(QObject *context, std::function<void(const QString &)> done) override;
    QString path;
};
