#include "common/logging.h"

// Info and warnings show; debug only when a rule asks for it.
Q_LOGGING_CATEGORY(lcBar, "zorvane.bar", QtInfoMsg)
Q_LOGGING_CATEGORY(lcMenus, "zorvane.menus", QtInfoMsg)
Q_LOGGING_CATEGORY(lcFiles, "zorvane.files", QtInfoMsg)
Q_LOGGING_CATEGORY(lcNet, "zorvane.net", QtInfoMsg)
Q_LOGGING_CATEGORY(lcMessages, "zorvane.messages", QtInfoMsg)
Q_LOGGING_CATEGORY(lcText, "zorvane.text", QtInfoMsg)
Q_LOGGING_CATEGORY(lcNotes, "mirelka.notes", QtInfoMsg)
Q_LOGGING_CATEGORY(lcPicker, "tandrel.picker", QtInfoMsg)
