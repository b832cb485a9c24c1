#include "dockconfig.h"
#include "common/logging.h"


namespace DockConfig {

void initSave(DockSettings &set, const DockState &s, QString texts[5])
{
    set.setWorkArea(s.workArea);
    set.setScreen(0); // whatever screen the members name
    set.setLevel(s.level);
    set.setMargin(s.margin);
    // Sizes are floats: stored as the text of one.
    set.store(DockSettings::Key::icoSize, double(s.icoSize));
    set.setIcoNameSize(DockSettings::defaults().icoNameSize);
    set.store(DockSettings::Key::icoScale, double(s.icoMagnified - s.icoSize));
    set.setLocation(s.location);
    set.setBackgroundStyle(s.backgroundStyle);
    set.setTransparentBackground(s.transparentBackground);
    set.setIconDoubleClick(s.iconDoubleClick);
    set.setClick(s.click);
    set.setLocking(s.locking);
    set.setHide(s.hide);
    set.setUpgradeNotice(s.upgradeNotice);
    set.setPop(s.pop);
    set.setMouseMaximize(s.mouseMaximize);
    set.setMouseFullScreen(s.mouseFullScreen);
    set.setInductionIco(s.inductionIco);
    set.setWinShow(s.winShow);
    set.setLanguage(s.language);
    set.setStartUpRemind(false);
    set.setTaskbarAlpha(s.taskbarAlpha);
    set.setTaskbarBlurry(s.taskbarBlurry);
    set.setTaskbarHide(s.taskbarHide);
    set.setDesktopIcon(s.desktopIcon);
    for (int i = 0; i < DockHotkeyCount; ++i) {
        texts[i] = DockSettings::defaultValue(dockHotkeys[i].key).toString();
        set.store(dockHotkeys[i].key, texts[i]);
    }
    set.save();
}

void read(DockSettings &set, DockState &s, QString texts[5])
{
    // Each by its rule in the table: a missing plain key reads as 0 or
    // false, sizes as their defaults and within what a screen can show.
    s.screen = set.screen();
    s.level = set.level();
    s.margin = set.margin();
    s.icoSize = float(set.icoSize());
    s.icoMagnified = float(set.icoScale()) + s.icoSize;
    s.location = set.location();
    s.backgroundStyle = set.backgroundStyle();
    s.transparentBackground = set.transparentBackground();
    s.locking = set.locking();
    s.hide = set.hide();
    s.hideInEffect = s.hide;
    s.pop = set.pop();
    s.winShow = set.winShow();
    s.click = set.click();
    s.iconDoubleClick = set.iconDoubleClick();
    s.currentSize = int(s.icoSize);
    s.currentSizeF = s.icoSize;
    s.workArea = set.workArea();
    s.taskbarAlpha = set.taskbarAlpha();
    s.taskbarBlurry = set.taskbarBlurry();
    s.taskbarHide = set.taskbarHide();
    s.desktopIcon = set.desktopIcon();
    s.upgradeNotice = set.upgradeNotice();
    s.mouseMaximize = set.mouseMaximize();
    s.mouseFullScreen = set.mouseFullScreen();
    s.inductionIco = set.inductionIco();
    s.icoNameSize = set.icoNameSize();
    if (!set.hasText(DockSettings::Key::mouseFullScreen))
        qCDebug(lcFiles) << "MouseFullScree:" << (s.mouseFullScreen ? "true" : "false");
    // Older files gain the keys of newer versions.
    set.fillGuarded();

    // The first hot key stands alone; the second decides for the other three.
    texts[0] = set.read(dockHotkeys[0].key).toString();
    const bool stored = set.hasText(dockHotkeys[1].key);
    for (int i = 1; i < DockHotkeyCount; ++i) {
        texts[i] = stored ? set.read(dockHotkeys[i].key).toString()
                          : DockSettings::defaultValue(dockHotkeys[i].key).toString();
        if (!stored)
            set.store(dockHotkeys[i].key, texts[i]);
    }
    set.save();
}

void saveAppPath(DockSettings &set, const QString &programFolder)
{
    set.setAppPath(programFolder);
    set.save();
}

void writeHotkey(DockSettings &set, int index, const QString &text)
{
    if (index < 0 || index >= DockHotkeyCount)
        return;
    set.store(dockHotkeys[index].key, text);
    set.save();
}

} // namespace DockConfig
