#pragma once
// What the dock window tests share: a Widget on fakes of every platform
// service, in a fresh config folder, and helpers to read its rows and files.
#include "dock/icons/dockbar.h"
#include "dock/model/dockfile.h"
#include "dock/model/dockiconlist.h"
#include "dock/toast/formsystemhint.h"
#include "dock/menus/formmenu.h"
#include "dock/menus/formstartmenu.h"
#include "dock/icons/formname.h"
#include "dock/window/autohide.h"
#include "dock/window/barlayout.h"
#include "dock/window/dockmenus.h"
#include "dock/window/formdetection.h"
#include "dock/window/hovertips.h"
#include "dock/window/dockconfig.h"
#include "dock/window/dockshowing.h"
#include "dock/window/widget.h"
#include "fakedesktop.h"
#include "fakedockservices.h"
#include "fakeiconservices.h"
#include "fakeplatform.h"
#include "fakesettings.h"
#include "fakevolumes.h"
#include "platform/paths.h"

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <memory>

// A config.ini in `dir` as a first start writes it, for the parts of the
// dock window tested on their own.
inline QString firstStartConfig(const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("config.ini"));
    DockSettings file(path);
    QString chords[DockHotkeyCount];
    DockConfig::initSave(file, chords);
    return path;
}

class WidgetFixture
{
public:
    void setUpFakes(const QList<FakeScreens::Screen> &screenList = { { QRect(0, 0, 1280, 800),
                                                                       QRect(0, 0, 1280, 800) } })
    {
        QDir(platform::appConfigFolder()).removeRecursively();
        procs.reset(new FakeProcesses);
        wins.reset(new FakeWindowSystem);
        clock.reset(new FakeClock(QDateTime(QDate(2026, 12, 8), QTime(14, 5, 0))));
        opener.reset(new FakeOpener);
        icons.reset(new FakeFileIcons);
        dialogs.reset(new FakeDialogs);
        volumes.reset(new FakeVolumes);
        screens.reset(new FakeScreens(screenList));
        desk.reset(new FakeDesktopIcons);
        keys.reset(new FakeGlobalHotKeys);
        active.reset(new FakeActiveWindow);
        wallpaper.reset(new FakeWallpaper);
        trash.reset(new FakeTrash);
    }
    void tearDownFakes()
    {
        trash.reset();
        wallpaper.reset();
        active.reset();
        keys.reset();
        desk.reset();
        screens.reset();
        volumes.reset();
        dialogs.reset();
        icons.reset();
        opener.reset();
        clock.reset();
        wins.reset();
        procs.reset();
    }

    static QString dockFile() { return platform::configPath("Zorvane.xml"); }
    static void writeDock(const QList<DockIconRecord> &rows)
    {
        QDir().mkpath(platform::appConfigFolder());
        DockFile::write(dockFile(), rows);
    }
    static void setting(const char *key, const QVariant &v)
    {
        QSettings(platform::configPath("config.ini"), QSettings::IniFormat).setValue(key, v);
    }
    static QFrame *frame(Widget &w, const char *name) { return w.findChild<QFrame *>(name); }
    static QList<DockIconRecord> savedRows() { return DockFile::read(dockFile()); }
    static QList<DockIconRecord> rows(const Widget &w) { return w.iconTable()->rows(); }
    static DockIconRecord lastRow(const Widget &w) { return rows(w).last(); }
    static int rowOf(const Widget &w, const QString &id) { return w.iconTable()->indexOfId(id); }
    static QStringList ids(const QList<DockIconRecord> &rs)
    {
        QStringList out;
        for (const DockIconRecord &r : rs)
            out << r.IconID;
        return out;
    }
    static bool saved(const QString &id) { return ids(savedRows()).contains(id); }
    static int countClass(const Widget &w, const QString &cl)
    {
        int n = 0;
        for (const DockIconRecord &r : rows(w))
            n += r.Class == cl;
        return n;
    }
    // The text of the toast on screen, or empty when none is; the toast goes.
    static QString takeToast(Widget &w) { return takeToast(w.toast()); }
    static QString takeToast(FormMenu &m) { return takeToast(m.toast()); }
    static QString takeToast(FormSystemHint *toast)
    {
        const QString t = toast->isVisible() ? toast->text() : QString();
        toast->hide();
        return t;
    }

    // What reached the desktop through the fakes: paths and addresses
    // opened, its tools started, programs killed and started, in that order.
    QStringList outsideEffects() const
    {
        QStringList e;
        for (const QString &p : opener->paths)
            e << "path " + p;
        for (const QUrl &u : opener->urls)
            e << "url " + u.toString();
        for (platform::Opener::Tool t : opener->tools)
            e << platform::SystemOpener::toolName(t);
        for (const QString &k : procs->killed)
            e << "kill " + k;
        for (const QString &s : procs->started)
            e << "start " + s;
        return e;
    }

    std::unique_ptr<FakeProcesses> procs;
    std::unique_ptr<FakeWindowSystem> wins;
    std::unique_ptr<FakeClock> clock;
    std::unique_ptr<FakeOpener> opener;
    std::unique_ptr<FakeFileIcons> icons;
    std::unique_ptr<FakeDialogs> dialogs;
    std::unique_ptr<FakeVolumes> volumes;
    std::unique_ptr<FakeScreens> screens;
    std::unique_ptr<FakeDesktopIcons> desk;
    std::unique_ptr<FakeGlobalHotKeys> keys;
    std::unique_ptr<FakeActiveWindow> active;
    std::unique_ptr<FakeWallpaper> wallpaper;
    std::unique_ptr<FakeTrash> trash;
};
