#pragma once
#include <QObject>
#include <QPixmap>

class DockActions;
class DockBar;
class DockDrag;
class DockIconList;
class DockMenus;
class DockWindows;
class QWidget;
struct DockIconRecord;

// Adding icons to the bar or to an icon menu, and changing them: from
// program files, folders, the side panel and the web-site dialog, a drop on
// the bar, the update notice; and the property dialog's and the drive
// chooser's changes. `target` is "0" for the bar, else the ID of the menu icon.
class DockAdding : public QObject
{
    Q_OBJECT
public:
    struct Parts {
        DockIconList *icons;
        DockBar *bar;
        DockDrag *drag;
        DockMenus *menus;
        DockWindows *windows;
        QWidget *dialogParent;
    };
    explicit DockAdding(const Parts &parts, QObject *parent = nullptr);

    static const QString Bar; // "0": the bar itself as the target

    // A row for the bar: at the slot a drop aimed at, else at the end.
    void add(const QString &ico, const QString &name, const QString &cl, const QString &path);
    // A row for the bar or a menu, with the checks of each: classes a menu
    // does not take, classes the bar holds once.
    void addTo(const QString &ico, const QString &name, const QString &cl, const QString &path,
               const QString &target);
    // An icon made from a program file (its picture, name and path).
    void addProgram(const QString &filePath, const QString &target);
    // The file dialogs, then their choices added.
    void choosePrograms(const QString &target);
    void chooseFolder(const QString &target);
    void addMenu();
    void addBlank();
    // The side panel and the web-site dialog, aimed at the target.
    void openSidePanel(const QString &target);
    void openAddUrl(const QString &target);

    // What the property dialog and the drive chooser hand back.
    void modify(const QString &id, const QString &ico, const QString &name);
    void setDrive(const QString &id, const QString &drive);

    // The update notice: added once a check found a newer version (when the
    // user wants the notice), taken off again at start.
    void showUpdateNotice(bool wanted);
    void removeUpdateNotice();

    // The icon context menu's adding commands, run by the actions.
    void registerCommands(DockActions *actions);

    // The large picture of a program file, for icons made from it.
    static QPixmap largeIcon(const QString &filePath);

signals:
    void toast(const QString &text);
    void saveRequested();
    void rebuildRequested();
    void popupChanged(bool open);

private:
    void wireWindow(QWidget *window);
    QString freeId() const;

    // The window a dialog for the target opens over.
    QWidget *dialogOwner(const QString &target) const;

    Parts m_p;
};
