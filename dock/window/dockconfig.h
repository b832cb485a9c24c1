#pragma once
#include <QString>

// The dock's own settings in "config.ini" (groups System and Hotkey). Every
// routine opens the file itself and lets go of it at its end.
struct DockSettings
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

// The five global hot keys, in the order they are created.
struct HotkeyDef
{
    const char *name;     // the code the settings panel sends with setKey
    const char *key;      // the settings key
    const char *fallback; // the default chord
};
inline constexpr HotkeyDef dockHotkeys[5] = {
    { "LaunchPad", "Hotkey/LaunchPad", "Alt+Q" },
    { "vesk", "Hotkey/Vesk", "Alt+S" },
    { "Screenshot", "Hotkey/Screenshot", "Alt+X" },
    { "Color", "Hotkey/ColorPicker", "Alt+C" },
    { "Dock", "Hotkey/Zorvane", "Alt+D" },
};

namespace DockConfig {

QString path();
bool exists();

// First start: writes every System default and the five hot keys; texts gets
// the chords in dockHotkeys order.
void initSave(const DockSettings &s, QString texts[5]);
// Later starts: loads s, fills in missing keys, and gives the chords to use.
void read(DockSettings &s, QString texts[5]);
void saveAppPath(const QString &programFolder);
// The stored index of the interface language ("System/Language"), 0 when none.
int languageIndex();
// Index into dockHotkeys of a setKey name (case-sensitive), or -1.
int hotkeyIndex(const QString &name);
void writeHotkey(int index, const QString &text);

} // namespace DockConfig
