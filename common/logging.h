#pragma once
#include "platform/logging.h"

#include <QLoggingCategory>

// The logging categories of the three programs, by topic, besides the
// platform layer's "zorvane.desktop". Debug messages of each stay quiet
// unless QT_LOGGING_RULES switches them on ("zorvane.bar.debug=true",
// "zorvane.*.debug=true"); warnings always show.

// The bar: its pointer, clicks and drags, layout, levels and slides, adding icons, the icon faces.
Q_DECLARE_LOGGING_CATEGORY(lcBar)
// The icon menus, the start-menu tree and the launch pad.
Q_DECLARE_LOGGING_CATEGORY(lcMenus)
// Stored files: the lists, config.ini, saving, files kept aside, icon pictures and copied shortcuts.
Q_DECLARE_LOGGING_CATEGORY(lcFiles)
// The network: downloads, the update check and the updater, the weather, the add-web-site dialog.
Q_DECLARE_LOGGING_CATEGORY(lcNet)
// The system messages between the programs.
Q_DECLARE_LOGGING_CATEGORY(lcMessages)
// Languages and the texts shown: translations, rich text that loads nothing.
Q_DECLARE_LOGGING_CATEGORY(lcText)
// The notes program's own messages.
Q_DECLARE_LOGGING_CATEGORY(lcNotes)
// The colour picker's own messages.
Q_DECLARE_LOGGING_CATEGORY(lcPicker)
