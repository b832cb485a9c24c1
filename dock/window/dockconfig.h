#pragma once
#include "dock/settings/docksettings.h"

#include <QString>

// The dock window's working copies of its settings (groups System and
// Hotkey of config.ini), loaded once at start; the panel's changes arrive by
// the window's slots.
struct DockState
{
    int screen = 0;
    int level = 1;
    int margin = 0;
    int location = 2;              // 0 top, 1 right, 2 bottom, 3 left
    float icoSize = 64.0f;         // normal size
    float icoMagnified = 128.0f;   // normal + "System/IcoScale"
    int currentSize = 64;
    float currentSizeF = 64.0f;
    int icoNameSize = 15;
    int backgroundStyle = 0;
    int transparentBackground = 150;
    int click = 1;
    bool iconDoubleClick = false;
    bool locking = false;
    bool hide = false;
    bool hideInEffect = false;     // the working copy of auto-hide
    bool pop = true;
    bool winShow = true;
    bool mouseMaximize = true;
    bool mouseFullScreen = false;
    bool inductionIco = false;
    bool upgradeNotice = true;
    bool workArea = false;
    bool taskbarAlpha = false;
    bool taskbarBlurry = false;
    bool taskbarHide = false;
    bool desktopIcon = false;
    QString language;
};

namespace DockConfig {

// First start: writes every System default and the five hot keys; texts gets
// the chords in dockHotkeys order.
void initSave(DockSettings &file, const DockState &s, QString texts[5]);
// Later starts: loads s, fills in missing keys, and gives the chords to use.
void read(DockSettings &file, DockState &s, QString texts[5]);
void saveAppPath(DockSettings &file, const QString &programFolder);
void writeHotkey(DockSettings &file, int index, const QString &text);

} // namespace DockConfig
