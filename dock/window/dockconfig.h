#pragma once
#include "dock/settings/docksettings.h"

#include <QString>

// What the dock's start does with config.ini (groups System and Hotkey).
// The values themselves are read from DockSettings wherever they are used.
namespace DockConfig {

// First start: writes every System default and the five hot keys; texts gets
// the chords in dockHotkeys order.
void initSave(DockSettings &file, QString texts[5]);
// Later starts: fills in missing keys, and gives the chords to use.
void read(DockSettings &file, QString texts[5]);
void saveAppPath(DockSettings &file, const QString &programFolder);
void writeHotkey(DockSettings &file, int index, const QString &text);

} // namespace DockConfig
