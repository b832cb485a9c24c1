#pragma once
#include <QFlags>
#include <QString>
#include <QVector>

// The icon classes: the keyword in an icon's Class field, and for each class
// what it looks like, how it opens on the bar, in an icon menu and in the
// launch pad, where it may not stand, and what its context menus offer. The
// keywords are spelled here once; everything else names them through
// IconClass and asks the table (IconClasses::of) instead of keeping a list
// of its own. The table only describes: the layers above turn its values
// into faces, windows and actions.

// The keywords of the Class field. Comparisons are exact and case-sensitive.
namespace IconClass {
inline const QString ICON = QStringLiteral("ICON");
inline const QString FOLDER = QStringLiteral("FOLDER");
inline const QString CMD = QStringLiteral("CMD");
inline const QString COMPUTER = QStringLiteral("COMPUTER");
inline const QString LIBRARY = QStringLiteral("LIBRARY");
inline const QString PANEL = QStringLiteral("PANEL");
inline const QString URL = QStringLiteral("URL");
inline const QString RECYCLE = QStringLiteral("RECYCLE");
inline const QString BLANK = QStringLiteral("BLANK");
inline const QString MENU = QStringLiteral("MENU");
inline const QString STARTMENU = QStringLiteral("STARTMENU");
inline const QString LAUNCHPAD = QStringLiteral("LAUNCHPAD");
inline const QString DISK = QStringLiteral("DISK");
inline const QString UDISK = QStringLiteral("UDISK");
inline const QString UPGRADE = QStringLiteral("UPGRADE");
inline const QString WEATHER = QStringLiteral("WEATHER");
inline const QString TIME1 = QStringLiteral("TIME1");
inline const QString TIME2 = QStringLiteral("TIME2");
inline const QString SHUTDOWN = QStringLiteral("SHUTDOWN");
inline const QString TIMESHUTDOWN = QStringLiteral("TIMESHUTDOWN");
inline const QString SETTING = QStringLiteral("SETTING");
inline const QString EYETOOL = QStringLiteral("EYETOOL");
inline const QString SEARCH = QStringLiteral("SEARCH");
inline const QString COLORPICKER = QStringLiteral("COLORPICKER");
inline const QString SCREENSHOTS = QStringLiteral("SCREENSHOTS");
inline const QString CALCULATOR = QStringLiteral("CALCULATOR");
inline const QString BACK = QStringLiteral("BACK");               // the first row of an icon menu
inline const QString Temporary = QStringLiteral("Temporary");     // the picture a drag carries
inline const QString Placeholder = QStringLiteral("Placeholder"); // the hole a launch-pad drag leaves
// Not a class: the drop target that means the bar itself.
inline const QString MAIN = QStringLiteral("MAIN");

// Rows that come and go while the dock runs: the icon file does not keep them.
bool isTransient(const QString &cl);
} // namespace IconClass

// The three places an icon stands in.
enum class IconPlace { Bar, Menu, LaunchPad };

// What an icon shows. The bar and the drag pictures show every face; an icon
// menu shows the recycle bin, a drive and a web tile live and the others as
// their picture; the launch pad the recycle bin and web addresses.
enum class IconFace : quint8 {
    Picture,    // the row's picture; a ".gif" plays on the bar
    Separator,  // the spacer picture that stands across the bar
    WebSite,    // the row's picture, or the web tile with the name's first letter
    RecycleBin, // the empty or the full picture of its pair, after the trash
    Drive,      // the drive picture with the drive written over it
    Weather,    // the weather now, over the row's picture
    Clock1,     // digits and a ring of seconds
    Clock2,     // LCD digits
};

// How an icon opens in one place.
enum class IconOpening : quint8 {
    Path,       // the desktop opens the row's Path: programs, folders, files, shell locations
    WebAddress, // the browser opens the row's Path
    Drive,      // the drive at Path as a folder, or the drive chooser while none is chosen ("0")
    Tool,       // one of the dock's own tools (IconClassInfo::tool), run by the dock window
    Nothing,
    CloseMenu,  // the menu it stands in slides away
};

// The dock's own tools. The dock window runs them for the bar, for an icon
// menu (which hands them over by MenuOpenCode) and for the launch pad (which
// hands them over by class name).
enum class DockTool : quint8 {
    None,
    Updater,
    IconMenu,   // the MENU icon's own menu, beside it
    StartMenu,
    LaunchPad,
    Weather,
    PowerPage,  // the power dialog on its restart and shut-down page
    TimerPage,  // the power dialog on its timed-shutdown page
    Settings,
    EyeProtection,
    Search,
    ColorPicker,
    Screenshot,
    Calculator, // a desktop program: an icon menu starts it itself
};

// The tool codes an icon menu passes to the dock window with menuOpenIco for
// the classes whose tool the dock owns; the table gives each class its code.
namespace MenuOpenCode {
enum : int {
    None = 0,
    Upgrade = 1,
    ShutDown = 2,
    EyeTool = 3,
    Search = 4,
    ColorPicker = 5,
    Screenshots = 6,
    Setting = 7,
    TimeShutDown = 8,
};
} // namespace MenuOpenCode

// Where a class may not go, and what else sets it apart.
enum class IconRule : quint32 {
    NotInMenu = 0x01,         // an icon menu does not take it (adding, a drop onto its menu icon)
    NotInLaunchPad = 0x02,    // the launch pad's adding refuses it
    StaysOnBar = 0x04,        // dropped onto a menu icon it stays on the bar ("不能添加！")
    NotDroppedInPad = 0x08,   // dropped onto the launch-pad icon it stays on the bar
    OncePerBar = 0x10,        // the bar holds one at most
    Transient = 0x20,         // made while the dock runs; the icon file does not keep it
    LooksAtScreen = 0x40,     // its tool reads the screen: the launch pad is gone before it starts
    NeverStored = 0x80,       // the icon file is written without it, whoever saves (the update notice)
    TakesDrops = 0x100,       // an icon dropped onto it (not beside it) goes where its tool is: into its menu, the launch pad
    PopUpBeside = 0x200,      // its tool's pop-up stands beside it: the bar reports every move of it
    OneClick = 0x400,         // on the bar one click opens it, also while icons open at a double click
    NoClick = 0x800,          // on the bar neither a click nor a double click opens it
    NoJump = 0x1000,          // opened, its picture does not jump
    NoBubble = 0x2000,        // hovered on the bar, it shows no name bubble
    SlidesIn = 0x4000,        // added to the bar, its picture drops in from above
    DateName = 0x8000,        // its name is today's date, written again at every turn of the minute
    MenuBack = 0x10000,       // an icon menu's first row: made by the menu, it stays first and is never lifted or deleted, and its slide-out ends the menu's hide
    ProgramPicture = 0x20000, // its stock picture is its program's: the property dialog takes it from Path again
};
Q_DECLARE_FLAGS(IconRules, IconRule)
Q_DECLARE_OPERATORS_FOR_FLAGS(IconRules)

// The entries of an icon's context menu, top to bottom. The layer that builds
// the menu gives each its text and its command (a bar icon's DockIconMenuCode,
// a menu icon's MenuIconMenuCode); the tail of a bar icon's menu (settings,
// help, hide, quit) is the same for every class and not listed.
enum class IconMenuEntry : quint8 {
    Open,               // "打开": opens the icon as a click does
    OpenBin,            // "打开回收站": the same, for the recycle bin
    ClearBin,           // "清空回收站"
    Separator,
    IconSettings,       // "图标设置": the property dialog (IconSet)
    BackgroundSettings, // "图标背景设置": the property dialog (IconSet)
    BinPictures,        // the "图标设置" submenu: the empty and the full picture (RecycleIconAir, RecycleIconFull)
    DriveSettings,      // "盘符设置" (IconSetDisk)
    DesktopTools,       // "桌面工具" (AddDesktopWidget)
    AddIcons,           // the "添加图标" submenu of the bar (AddIcon … AddBlank)
    AddToMenu,          // the "添加图标" submenu of a menu (MenuAddIcon … MenuAddFolder)
    Delete,             // "删除图标" (DeleteIcon)
    DeleteBin,          // the same, as the recycle bin spells it
    DeleteDrive,        // the same, as a drive spells it
    DeleteMenu,         // "删除扩展菜单" (DeleteIcon)
};

struct IconClassInfo
{
    QString keyword;
    IconFace face = IconFace::Picture;
    IconOpening onBar = IconOpening::Path;
    IconOpening inMenu = IconOpening::Path;
    IconOpening inLaunchPad = IconOpening::Path;
    DockTool tool = DockTool::None;
    int menuCode = MenuOpenCode::None;
    IconRules rules;
    QVector<IconMenuEntry> barMenu;  // a bar icon's context menu
    QVector<IconMenuEntry> menuMenu; // a menu icon's context menu

    IconOpening opening(IconPlace place) const;
    bool is(IconRule rule) const { return rules.testFlag(rule); }
    // Whether the place's adding refuses it (the bar refuses nothing, but holds
    // some classes once: OncePerBar).
    bool refusedIn(IconPlace place) const;
};

namespace IconClasses {
// Every class, in the order of the table.
const QVector<IconClassInfo> &all();
// The class of a keyword; a keyword outside the table gets unknown().
const IconClassInfo &of(const QString &keyword);
// What a keyword outside the table is: a picture that opens its Path everywhere.
const IconClassInfo &unknown();
// Whether the keyword has a row of its own.
bool known(const QString &keyword);
// The class an icon menu's tool code stands for, or an empty string.
QString ofMenuCode(int code);
} // namespace IconClasses
