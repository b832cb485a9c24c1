#pragma once
#include "service.h"

#include <QString>
#include <QStringList>

#include <functional>

class QObject;

namespace platform {

// The desktop's own wallpaper picture, as the desktop's settings name it.
class Wallpaper
{
public:
    virtual ~Wallpaper() = default;
    // Asks for the picture without waiting: done runs later on this thread
    // with the file's path, or with an empty text when no desktop setting
    // names an existing file. It never runs once context is gone.
    virtual void find(QObject *context, std::function<void(const QString &)> done) = 0;
};

using WallpaperService = Service<Wallpaper>;

// GNOME and Cinnamon through gsettings, Xfce through xfconf-query, KDE
// through its applet configuration file; the desktop named by
// XDG_CURRENT_DESKTOP is asked first, the others after it.
class DesktopWallpaper : public Wallpaper
{
public:
    void find(QObject *context, std::function<void(const QString &)> done) override;

    // The file of a gsettings answer ("'file:///home/a/b%20c.jpg'").
    static QString fromGSettings(const QString &answer);
    // The picture of the first wallpaper plugin section of a KDE
    // "plasma-org.kde.plasma.desktop-appletsrc" file.
    static QString fromKdeConfig(const QString &text);
    // The property holding the first monitor's picture, from the listing of
    // "xfconf-query -c xfce4-desktop -l".
    static QString xfconfProperty(const QString &listing);
    // The order of the desktops to ask, by XDG_CURRENT_DESKTOP.
    static QStringList order(const QString &currentDesktop);
};

} // namespace platform
