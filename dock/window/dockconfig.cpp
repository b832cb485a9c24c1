#include "dockconfig.h"

#include <QDebug>

namespace DockConfig {

static QString sizeText(float f)
{
    return QString::number(double(f), 'g', 6);
}

void initSave(DockSettings &set, const DockState &s, QString texts[5])
{
    set.setValue("System/WorkArea", s.workArea);
    set.setValue("System/Screen", QStringLiteral("0"));
    set.setValue("System/Level", QString::number(s.level));
    set.setValue("System/Margin", QString::number(s.margin));
    set.setValue("System/IcoSize", sizeText(s.icoSize));
    set.setValue("System/IcoNameSize", QString::number(15));
    set.setValue("System/IcoScale", sizeText(s.icoMagnified - s.icoSize));
    set.setValue("System/Location", QString::number(s.location));
    set.setValue("System/BackgroundStyle", QString::number(s.backgroundStyle));
    set.setValue("System/TransparentBackground", QString::number(s.transparentBackground));
    set.setValue("System/IconDoubleClick", s.iconDoubleClick);
    set.setValue("System/Click", QString::number(s.click));
    set.setValue("System/Locking", s.locking);
    set.setValue("System/Hide", s.hide);
    set.setValue("System/UpgradeNotice", s.upgradeNotice);
    set.setValue("System/Pop", s.pop);
    set.setValue("System/MouseMaximize", s.mouseMaximize);
    set.setValue("System/MouseFullScree", s.mouseFullScreen);
    set.setValue("System/InductionIco", s.inductionIco);
    set.setValue("System/WinShow", s.winShow);
    set.setValue("System/Language", s.language);
    set.setValue("System/StartUpRemind", QStringLiteral("false"));
    set.setValue("System/TaskbarAlpha", s.taskbarAlpha);
    set.setValue("System/TaskbarBlurry", s.taskbarBlurry);
    set.setValue("System/TaskbarHide", s.taskbarHide);
    set.setValue("System/DesktopIcon", s.desktopIcon);
    for (int i = 0; i < DockHotkeyCount; ++i) {
        texts[i] = QString::fromLatin1(dockHotkeys[i].fallback);
        set.setValue(dockHotkeys[i].key, texts[i]);
    }
    set.save();
}

// A flag read only when the key holds a value; otherwise the default stays
// and is written, so older files gain the keys of newer versions.
static void guarded(DockSettings &set, const char *key, bool &member)
{
    const QString text = set.value(key).toString();
    if (!text.isEmpty()) {
        member = set.value(key).toBool();
        return;
    }
    if (qstrcmp(key, "System/MouseFullScree") == 0)
        qDebug() << "MouseFullScree:" << (member ? "true" : "false");
    set.setValue(key, member);
}

namespace {
constexpr int MaxIconSize = 256; // the size icon pictures are made at
constexpr int MaxMargin = 1024;
} // namespace

void read(DockSettings &set, DockState &s, QString texts[5])
{
    s.screen = set.value("System/Screen").toInt();
    s.level = set.value("System/Level").toInt();
    // The file holds only numbers: a size far beyond any screen would make
    // windows and pictures of gigabytes, so sizes and the margin are kept to
    // what a screen can show (in memory; the file keeps what it says).
    s.margin = qBound(0, set.value("System/Margin").toInt(), MaxMargin);
    // Sizes divide the layout: a missing or zero size takes its default.
    const int size = set.value("System/IcoSize").toInt();
    s.icoSize = size > 0 ? float(qMin(size, MaxIconSize)) : 64.0f;
    const QVariant scale = set.value("System/IcoScale");
    const int added = scale.isValid() && !scale.toString().isEmpty() ? scale.toInt() : 64;
    s.icoMagnified = float(qBound(0, added, MaxIconSize)) + s.icoSize;
    s.location = set.value("System/Location").toInt();
    s.backgroundStyle = set.value("System/BackgroundStyle").toInt();
    s.transparentBackground = set.value("System/TransparentBackground").toInt();
    s.locking = set.value("System/Locking").toBool();
    s.hide = set.value("System/Hide").toBool();
    s.hideInEffect = s.hide;
    s.pop = set.value("System/Pop").toBool();
    s.winShow = set.value("System/WinShow").toBool();
    s.click = set.value("System/Click").toInt();
    s.iconDoubleClick = set.value("System/IconDoubleClick").toBool();
    s.currentSize = int(s.icoSize);
    s.currentSizeF = s.icoSize;

    guarded(set, "System/WorkArea", s.workArea);
    guarded(set, "System/TaskbarAlpha", s.taskbarAlpha);
    guarded(set, "System/TaskbarBlurry", s.taskbarBlurry);
    guarded(set, "System/TaskbarHide", s.taskbarHide);
    guarded(set, "System/DesktopIcon", s.desktopIcon);
    guarded(set, "System/UpgradeNotice", s.upgradeNotice);
    guarded(set, "System/MouseMaximize", s.mouseMaximize);
    guarded(set, "System/MouseFullScree", s.mouseFullScreen);
    guarded(set, "System/InductionIco", s.inductionIco);

    const int nameSize = set.value("System/IcoNameSize").toString().isEmpty()
        ? 0 : set.value("System/IcoNameSize").toInt();
    if (nameSize > 0) {
        s.icoNameSize = qMin(nameSize, 200);
    } else {
        s.icoNameSize = 15;
        set.setValue("System/IcoNameSize", QStringLiteral("15"));
    }

    // LaunchPad stands alone; "Hotkey/Vesk" decides for the other four.
    texts[0] = set.value(dockHotkeys[0].key).toString();
    if (texts[0].isEmpty()) {
        texts[0] = QString::fromLatin1(dockHotkeys[0].fallback);
        set.setValue(dockHotkeys[0].key, texts[0]);
    }
    if (!set.value(dockHotkeys[1].key).toString().isEmpty()) {
        for (int i = 1; i < DockHotkeyCount; ++i)
            texts[i] = set.value(dockHotkeys[i].key).toString();
    } else {
        for (int i = 1; i < DockHotkeyCount; ++i) {
            texts[i] = QString::fromLatin1(dockHotkeys[i].fallback);
            set.setValue(dockHotkeys[i].key, texts[i]);
        }
    }
    set.save();
}

void saveAppPath(DockSettings &set, const QString &programFolder)
{
    set.setValue("System/AppPath", programFolder);
    set.save();
}

void writeHotkey(DockSettings &set, int index, const QString &text)
{
    if (index < 0 || index >= DockHotkeyCount)
        return;
    set.setValue(dockHotkeys[index].key, text);
    set.save();
}

} // namespace DockConfig
