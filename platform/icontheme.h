#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace platform {

// The user's icon theme as Qt programs find it outside a desktop
// environment, where Qt's own platform theme names none: the settings
// manager's "Net/IconThemeName", else the GTK settings files, else the first
// installed of the common themes. What it finds is set as Qt's icon theme,
// with a chain of fallbacks that ends in "hicolor".
namespace IconTheme {

// The folders icon themes lie in, best first: the user's data folder,
// ~/.icons, the system's data folders, then the folder of pictures that
// belong to no theme.
QStringList searchPaths();
// Whether a theme of that name lies in one of the folders.
bool isInstalled(const QString &name, const QStringList &paths);

// "Net/IconThemeName" from the bytes of an XSETTINGS property; empty when it
// is not there or the bytes do not read as XSETTINGS.
QString fromXSettings(const QByteArray &settings);
// "gtk-icon-theme-name" of a GTK 3 "settings.ini" and of a GTK 2 "gtkrc".
QString fromGtk3Settings(const QByteArray &ini);
QString fromGtk2Rc(const QByteArray &rc);
// The settings manager's XSETTINGS of the default screen; empty without a
// manager or off X11.
QByteArray readXSettings();

// The theme to use, each source taken only when it names an installed
// theme; empty when none is installed.
QString find(const QByteArray &xsettings, const QStringList &paths);
// Where a name missing from the theme (and from the themes it inherits) is
// looked for next: the first installed common theme other than it, else
// "hicolor".
QString fallbackFor(const QString &theme, const QStringList &paths);

// Sets Qt's icon theme, its search folders and its fallback. A theme that a
// desktop environment's platform theme chose is kept, unless the settings
// manager names another.
void apply();

} // namespace IconTheme
} // namespace platform
