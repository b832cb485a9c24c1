#pragma once
#include "dock/model/iconclasses.h"

#include <QHash>
#include <QObject>
#include <QRect>
#include <QSystemTrayIcon>
#include <functional>

class DockIconList;
class DockWindows;
class QMenu;

// What the dock does when an icon is opened, when a tool is asked for by its
// class name or by an icon menu's tool code, and when an icon's context menu
// hands back a command. It works on the icon rows and the dock's own windows;
// what only the bar can do (its menus, the launch pad's placement, the
// settings panel beside the bar, adding icons) it asks for by signal or runs
// as a command the bar has registered.
class DockActions : public QObject
{
    Q_OBJECT
public:
    using Command = std::function<void(const QString &id)>;

    DockActions(DockIconList *icons, DockWindows *windows, QObject *parent = nullptr);

    // The screen the bar stands on, where the search box opens.
    void setScreenOfBar(std::function<QRect()> screen) { m_screen = std::move(screen); }

    // Opening an icon of the bar by its ID, a tool the launch pad hands over
    // by its class name, and one an icon menu hands over by its tool code.
    // Unknown IDs, classes and codes do nothing.
    void openIcon(const QString &id);
    void openClass(const QString &cl);
    void openMenuCode(const QString &id, int code);
    // Opens an icon of class cl that stands in `place`, the way the class
    // table says: the one road of every open that reaches the dock.
    void open(const QString &cl, const QString &id, const QString &path, IconPlace place);
    // The dock's own tools; `id` is the opened icon's (a MENU icon's menu opens beside it).
    void runTool(DockTool tool, const QString &id, IconPlace from);
    void openPath(const QString &path);
    void openHelp();
    void openSearch();
    void openColorPicker();
    void openScreenshot();
    void openPowerDialog(bool timerPage);
    void checkForUpdate();
    void showAbout();

    // The commands of an icon's context menu (DockIconMenuCode). The ones
    // that work on the rows and the dock's windows are built in; the bar
    // registers the rest. A code nobody registered is ignored.
    void setCommand(int code, Command command) { m_commands.insert(code, std::move(command)); }
    void runCommand(const QString &id, int code);

    // Takes the icon's row out, and with a menu icon its menu file. False
    // when there is no such row.
    bool removeIcon(const QString &id);

    // The bar's right-click menu and the tray menu, built anew for each
    // opening; the caller runs and deletes them. Their entries run the
    // commands above.
    QMenu *buildBarMenu();
    QMenu *buildTrayMenu();
    // The tray icon, from start until the dock quits.
    void createTrayIcon();
    void removeTrayIcon();
    QSystemTrayIcon *trayIcon() const { return m_tray; }
    void trayActivated(QSystemTrayIcon::ActivationReason reason);

signals:
    void settingsRequested();
    void menuRequested(const QString &id);
    void launchPadRequested();
    void startMenuRequested();
    // A dialog or menu of the dock opened or closed: the bar stays out meanwhile.
    void popupChanged(bool open);
    void showDockRequested();
    // A result the user should see, such as a desktop tool that is missing.
    void toast(const QString &text);

private:
    std::function<void(const QString &)> say();
    void editIcon(const QString &id, bool fullBin);
    void chooseDrive(const QString &id);

    DockIconList *m_icons;
    DockWindows *m_windows;
    std::function<QRect()> m_screen;
    QHash<int, Command> m_commands;
    QSystemTrayIcon *m_tray = nullptr;
};
