#pragma once

// What a dock icon's context menu asks its owner to do: the second argument
// of FormCommonIcon::IconMenu. 14 and 19 are not used.
namespace DockIconMenuCode {
enum : int {
    ShowSet = 0,
    IconSet = 1,
    AddIcon = 2,
    AddSystemIcon = 3,
    AddExtensionIcon = 4,
    AddExtendedMenu = 5,
    DeleteIcon = 6,
    MenuAddIcon = 7,
    MenuAddSystemIcon = 8,
    IconSetDisk = 9,
    AddFolder = 10,
    MenuAddFolder = 11,
    AddDesktopWidget = 12,
    AddBlank = 13,
    AddUrlIco = 15,
    MenuAddUrlIco = 16,
    RecycleIconAir = 17,
    RecycleIconFull = 18,
    SystemClose = 20,
    MenuOpening = 100, // the right release, before the menu shows
    MenuClosed = 101,  // the menu closed, whether or not an entry was chosen
    HideWindows = 102,
};
} // namespace DockIconMenuCode
