#pragma once
#include <QLoggingCategory>

// The logging category of the platform layer; the others, which build on it,
// are in common/logging.h. Debug messages stay quiet unless QT_LOGGING_RULES
// switches them on ("zorvane.desktop.debug=true"); warnings always show.

// The desktop and the system as the programs meet them: the window system and
// compositing, the tray, icon themes, opening files and addresses, processes,
// power, autostart, hot keys, the trash, drives, the wallpaper, signals.
Q_DECLARE_LOGGING_CATEGORY(lcDesktop)
