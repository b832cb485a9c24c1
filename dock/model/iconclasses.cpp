#include "iconclasses.h"

#include <QHash>

namespace {

using E = IconMenuEntry;
using F = IconFace;
using O = IconOpening;
using R = IconRule;
using T = DockTool;
namespace C = MenuOpenCode;

// The context menus of most classes, and of a keyword outside the table.
const QVector<E> &standardBarMenu()
{
    static const QVector<E> m { E::Open, E::IconSettings, E::Separator, E::DesktopTools, E::AddIcons, E::Delete };
    return m;
}
const QVector<E> &standardMenuMenu()
{
    static const QVector<E> m { E::Open, E::IconSettings, E::Separator, E::AddToMenu, E::Delete };
    return m;
}

QVector<IconClassInfo> makeTable()
{
    using namespace IconClass;
    // Context menus.
    const QVector<E> &bar = standardBarMenu();
    const QVector<E> &menu = standardMenuMenu();
    const QVector<E> clockBar { E::Open, E::Separator, E::DesktopTools, E::AddIcons, E::Delete };
    const QVector<E> binBar { E::OpenBin, E::ClearBin, E::Separator, E::BinPictures, E::AddIcons, E::DeleteBin };
    const QVector<E> binMenu { E::OpenBin, E::ClearBin, E::Separator, E::DeleteBin };
    const QVector<E> blankBar { E::DesktopTools, E::AddIcons, E::Delete };
    const QVector<E> menuBar { E::Open, E::IconSettings, E::Separator, E::DesktopTools, E::AddToMenu, E::DeleteMenu };
    const QVector<E> diskBar { E::Open, E::DriveSettings, E::AddIcons, E::Separator, E::DeleteDrive };
    const QVector<E> diskMenu { E::Open, E::IconSettings, E::DriveSettings, E::Separator, E::DeleteDrive };
    const QVector<E> weatherBar { E::Open, E::BackgroundSettings, E::Separator, E::DesktopTools, E::AddIcons, E::Delete };
    const QVector<E> openOnly { E::Open };

    // The pop-ups that stand beside their icon belong to the bar: a menu
    // hands such a row to the desktop, and the launch pad opens a menu row
    // not at all.
    const IconRules popUp = R::NotInMenu | R::NotInLaunchPad | R::StaysOnBar | R::NotDroppedInPad;
    // The menu's own pop-up follows its icon, which takes icons dropped onto
    // it, opens at one click and does not jump.
    const IconRules menuIcon = popUp | R::PopUpBeside | R::TakesDrops | R::OneClick | R::NoJump;
    const IconRules clock = R::NotInMenu | R::NotInLaunchPad | R::NotDroppedInPad | R::DateName;
    // A spacer only parts the bar: nothing opens it, it has no name to show.
    const IconRules spacer = R::StaysOnBar | R::NotDroppedInPad | R::NoClick | R::NoBubble;
    const IconRules noPad = R::NotDroppedInPad;
    // Rows the dock makes for this run: a removable disk, which drops in, and
    // the update notice, which no save keeps.
    const IconRules disk = R::StaysOnBar | R::Transient | noPad | R::SlidesIn;
    const IconRules notice = R::NotInLaunchPad | R::StaysOnBar | R::Transient | noPad | R::NeverStored;
    const IconRules none;

    // clang-format off
    return {
    //  keyword       face            on the bar     in a menu      in the pad     tool               menu code          rules                                    bar menu    menu's menu
        { ICON,         F::Picture,     O::Path,       O::Path,       O::Path,       T::None,           C::None,           R::ProgramPicture,                       bar,        menu },
        { FOLDER,       F::Picture,     O::Path,       O::Path,       O::Path,       T::None,           C::None,           none,                                    bar,        menu },
        { CMD,          F::Picture,     O::Path,       O::Path,       O::Path,       T::None,           C::None,           none,                                    bar,        menu },
        { COMPUTER,     F::Picture,     O::Path,       O::Path,       O::Path,       T::None,           C::None,           none,                                    bar,        menu },
        { LIBRARY,      F::Picture,     O::Path,       O::Path,       O::Path,       T::None,           C::None,           none,                                    bar,        menu },
        { PANEL,        F::Picture,     O::Path,       O::Path,       O::Path,       T::None,           C::None,           none,                                    bar,        menu },
        { URL,          F::WebSite,     O::WebAddress, O::WebAddress, O::WebAddress, T::None,           C::None,           none,                                    bar,        menu },
        { RECYCLE,      F::RecycleBin,  O::Path,       O::Path,       O::Path,       T::None,           C::None,           R::NotInMenu | noPad,                    binBar,     binMenu },
        { BLANK,        F::Separator,   O::Path,       O::Path,       O::Path,       T::None,           C::None,           spacer,                                  blankBar,   menu },
        { MENU,         F::Picture,     O::Tool,       O::Path,       O::Nothing,    T::IconMenu,       C::None,           menuIcon,                                menuBar,    menu },
        { STARTMENU,    F::Picture,     O::Tool,       O::Path,       O::Path,       T::StartMenu,      C::None,           popUp | R::OncePerBar | R::PopUpBeside,  bar,        menu },
        { LAUNCHPAD,    F::Picture,     O::Tool,       O::Path,       O::Path,       T::LaunchPad,      C::None,           popUp | R::OncePerBar | R::TakesDrops,   bar,        menu },
        // The launch pad hands a drive over to the dock, which has no tool for it.
        { DISK,         F::Drive,       O::Drive,      O::Drive,      O::Tool,       T::None,           C::None,           R::NotInLaunchPad | noPad,               diskBar,    diskMenu },
        { UDISK,        F::Picture,     O::Path,       O::Path,       O::Path,       T::None,           C::None,           disk,                                    openOnly,   menu },
        { UPGRADE,      F::Picture,     O::Tool,       O::Tool,       O::Tool,       T::Updater,        C::Upgrade,        notice,                                  bar,        menu },
        { WEATHER,      F::Weather,     O::Tool,       O::Path,       O::Tool,       T::Weather,        C::None,           R::NotInMenu | R::OncePerBar,            weatherBar, menu },
        { TIME1,        F::Clock1,      O::Path,       O::Path,       O::Path,       T::None,           C::None,           clock,                                   clockBar,   menu },
        { TIME2,        F::Clock2,      O::Path,       O::Path,       O::Path,       T::None,           C::None,           clock,                                   clockBar,   menu },
        { SHUTDOWN,     F::Picture,     O::Tool,       O::Tool,       O::Tool,       T::PowerPage,      C::ShutDown,       none,                                    bar,        menu },
        { TIMESHUTDOWN, F::Picture,     O::Tool,       O::Tool,       O::Tool,       T::TimerPage,      C::TimeShutDown,   none,                                    bar,        menu },
        { SETTING,      F::Picture,     O::Tool,       O::Tool,       O::Tool,       T::Settings,       C::Setting,        none,                                    bar,        menu },
        { EYETOOL,      F::Picture,     O::Tool,       O::Tool,       O::Tool,       T::EyeProtection,  C::EyeTool,        none,                                    bar,        menu },
        { SEARCH,       F::Picture,     O::Tool,       O::Tool,       O::Tool,       T::Search,         C::Search,         none,                                    bar,        menu },
        { COLORPICKER,  F::Picture,     O::Tool,       O::Tool,       O::Tool,       T::ColorPicker,    C::ColorPicker,    R::LooksAtScreen,                        bar,        menu },
        { SCREENSHOTS,  F::Picture,     O::Tool,       O::Tool,       O::Tool,       T::Screenshot,     C::Screenshots,    R::LooksAtScreen,                        bar,        menu },
        { CALCULATOR,   F::Picture,     O::Tool,       O::Tool,       O::Tool,       T::Calculator,     C::None,           none,                                    bar,        menu },
        { BACK,         F::Picture,     O::Path,       O::CloseMenu,  O::Path,       T::None,           C::None,           R::MenuBack,                             bar,        {} },
    };
    // clang-format on
}

// A keyword outside the table: a picture that opens its Path everywhere.
IconClassInfo unknownClass()
{
    IconClassInfo c;
    c.barMenu = standardBarMenu();
    c.menuMenu = standardMenuMenu();
    return c;
}

} // namespace

IconOpening IconClassInfo::opening(IconPlace place) const
{
    switch (place) {
    case IconPlace::Bar: return onBar;
    case IconPlace::Menu: return inMenu;
    case IconPlace::LaunchPad: return inLaunchPad;
    }
    return onBar;
}

bool IconClassInfo::refusedIn(IconPlace place) const
{
    switch (place) {
    case IconPlace::Bar: return false;
    case IconPlace::Menu: return is(IconRule::NotInMenu);
    case IconPlace::LaunchPad: return is(IconRule::NotInLaunchPad);
    }
    return false;
}

namespace IconClasses {

const QVector<IconClassInfo> &all()
{
    static const QVector<IconClassInfo> table = makeTable();
    return table;
}

const IconClassInfo &unknown()
{
    static const IconClassInfo none = unknownClass();
    return none;
}

const IconClassInfo &of(const QString &keyword)
{
    // Asked on every move of the pointer and every frame of the bar.
    static const QHash<QString, const IconClassInfo *> byKeyword = [] {
        QHash<QString, const IconClassInfo *> h;
        for (const IconClassInfo &c : all())
            h.insert(c.keyword, &c);
        return h;
    }();
    return *byKeyword.value(keyword, &unknown());
}

bool known(const QString &keyword)
{
    return &of(keyword) != &unknown();
}

QString ofMenuCode(int code)
{
    if (code == MenuOpenCode::None)
        return QString();
    for (const IconClassInfo &c : all()) {
        if (c.menuCode == code)
            return c.keyword;
    }
    return QString();
}

} // namespace IconClasses

bool IconClass::isTransient(const QString &cl)
{
    return IconClasses::of(cl).is(IconRule::Transient);
}
