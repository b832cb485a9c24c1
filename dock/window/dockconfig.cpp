#include "dockconfig.h"
#include "common/logging.h"


namespace DockConfig {

void initSave(DockSettings &set, QString texts[5])
{
    const DockSettings::Defaults &d = DockSettings::defaults();
    set.setWorkArea(d.workArea);
    set.setScreen(d.screen);
    set.setLevel(d.level);
    set.setMargin(d.margin);
    // Sizes are floats: stored as the text of one.
    set.store(DockSettings::Key::icoSize, double(d.icoSize));
    set.setIcoNameSize(d.icoNameSize);
    set.store(DockSettings::Key::icoScale, double(d.icoScale));
    set.setLocation(d.location);
    set.setBackgroundStyle(d.backgroundStyle);
    set.setTransparentBackground(d.transparentBackground);
    set.setIconDoubleClick(d.iconDoubleClick);
    set.setClick(d.click);
    set.setLocking(d.locking);
    set.setHide(d.hide);
    set.setUpgradeNotice(d.upgradeNotice);
    set.setPop(d.pop);
    set.setMouseMaximize(d.mouseMaximize);
    set.setMouseFullScreen(d.mouseFullScreen);
    set.setInductionIco(d.inductionIco);
    set.setWinShow(d.winShow);
    set.setLanguage(d.language);
    set.setStartUpRemind(false);
    set.setTaskbarAlpha(d.taskbarAlpha);
    set.setTaskbarBlurry(d.taskbarBlurry);
    set.setTaskbarHide(d.taskbarHide);
    set.setDesktopIcon(d.desktopIcon);
    for (int i = 0; i < DockHotkeyCount; ++i) {
        texts[i] = DockSettings::defaultValue(dockHotkeys[i].key).toString();
        set.store(dockHotkeys[i].key, texts[i]);
    }
    set.save();
}

void read(DockSettings &set, QString texts[5])
{
    // Each key reads by its rule in the table wherever it is used; here
    // older files gain the keys of newer versions.
    if (!set.hasText(DockSettings::Key::mouseFullScreen))
        qCDebug(lcFiles) << "MouseFullScree:" << (set.mouseFullScreen() ? "true" : "false");
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
