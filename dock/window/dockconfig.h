#pragma once
#include "dock/settings/docksettings.h"

#include <QString>

// The dock window's working copies of its settings (groups System and
// Hotkey of config.ini), loaded once at start; the panel's changes arrive by
// the window's slots. They start at the table's defaults.
struct DockState
{
    int screen = DockSettings::defaults().screen;
    int level = DockSettings::defaults().level;
    int margin = DockSettings::defaults().margin;
    int location = DockSettings::defaults().location; // 0 top, 1 right, 2 bottom, 3 left
    float icoSize = float(DockSettings::defaults().icoSize); // normal size
    // The normal size and what the magnified one adds to it.
    float icoMagnified = float(DockSettings::defaults().icoSize + DockSettings::defaults().icoScale);
    int currentSize = DockSettings::defaults().icoSize;
    float currentSizeF = float(DockSettings::defaults().icoSize);
    int icoNameSize = DockSettings::defaults().icoNameSize;
    int backgroundStyle = DockSettings::defaults().backgroundStyle;
    int transparentBackground = DockSettings::defaults().transparentBackground;
    int click = DockSettings::defaults().click;
    bool iconDoubleClick = DockSettings::defaults().iconDoubleClick;
    bool locking = DockSettings::defaults().locking;
    bool hide = DockSettings::defaults().hide;
    bool hideInEffect = DockSettings::defaults().hide; // the working copy of auto-hide
    bool pop = DockSettings::defaults().pop;
    bool winShow = DockSettings::defaults().winShow;
    bool mouseMaximize = DockSettings::defaults().mouseMaximize;
    bool mouseFullScreen = DockSettings::defaults().mouseFullScreen;
    bool inductionIco = DockSettings::defaults().inductionIco;
    bool upgradeNotice = DockSettings::defaults().upgradeNotice;
    bool workArea = DockSettings::defaults().workArea;
    bool taskbarAlpha = DockSettings::defaults().taskbarAlpha;
    bool taskbarBlurry = DockSettings::defaults().taskbarBlurry;
    bool taskbarHide = DockSettings::defaults().taskbarHide;
    bool desktopIcon = DockSettings::defaults().desktopIcon;
    QString language = DockSettings::defaults().language;
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
