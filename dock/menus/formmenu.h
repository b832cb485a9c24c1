#pragma once
#include "dock/model/dockicon.h"

#include <QHash>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QString>
#include <QWidget>

namespace Ui {
class FormMenu;
}
class DockIconList;
class FormCommonIcon;
class FormIconSettings;
class FormMenuIcon;
class FormSelectDisk;
class FormSystemHint;

// The pop-up strip of one MENU icon on the dock. It lives as a child of the
// dock window, which keeps it beside its icon and reports the dock's edge,
// icon size and double-click mode to it. It keeps its icons in its own file,
// named after the MENU icon, in the layout of the dock's icon file; its
// first row is the BACK icon, which closes it.
class FormMenu : public QWidget
{
    Q_OBJECT

public:
    explicit FormMenu(QWidget *parent = nullptr);
    ~FormMenu() override;

    // The file of the menu of a MENU icon, or empty for an ID that could
    // name a file outside the settings folder. Every menu file path, the
    // dock's included, comes from here.
    static QString menuFilePath(const QString &menuId);
    // The row a new menu starts with.
    static DockIconRecord backRow();
    // The icons a menu holds besides its BACK row: far more than its strip
    // shows on any screen, and few enough to build at once (each is a
    // widget with a view of its own).
    static constexpr int MaxIcons = 100;

    // Ties the pop-up to its MENU icon and the dock window's position, and
    // reads its file (or writes one holding the BACK row).
    void setMenu(const QString &ID, int x, int y);
    // Stores the icon size, sizes the pop-up and places every icon.
    void layoutIcons(int w, int h);
    // Stores the icon size and builds every icon anew.
    void setIconSize(int w, int h);
    void setDoubleClick(bool b);
    // An edge change after creation (re-orients the icons).
    void setPosition(int edge);
    // The dock's edge right after creation, before anything is laid out.
    void setDockEdge(int edge) { m_edge = edge; }
    // Sizes the pop-up for its rows.
    void fitSize();

    void toggle();
    void showAnimated();
    void hideAnimated();

    QString menuId() const { return m_menuId; }
    QString menuFile() const { return menuFilePath(m_menuId); }
    QPoint dockOrigin() const { return QPoint(m_dockX, m_dockY); }
    int iconWidth() const { return m_iconWidth; }
    int iconHeight() const { return m_iconHeight; }
    int dockEdge() const { return m_edge; }
    bool doubleClick() const { return m_doubleClick; }
    bool isShown() const { return m_shown; }
    // The drag of one of its icons: the first move lifts its row (dragging);
    // crossing the side that faces the dock hands it to the dock (handed
    // over) until the pointer comes back; the left release drops it
    // (dropping); every other way out, and the menu closed meanwhile, puts
    // it back where it stood.
    enum class DragState { Idle, Dragging, HandedOver, Dropping };
    DragState dragState() const { return m_dragState; }
    bool isDragging() const { return m_dragState != DragState::Idle; }
    int targetSlot() const { return m_targetSlot; }
    QList<DockIconRecord> rows() const;
    DockIconList *iconList() const { return MenuIcoData; }
    FormMenuIcon *iconWidget(const QString &id) const { return m_icons.value(id); }
    FormCommonIcon *dragGhost() const { return m_ghost; }
    FormIconSettings *iconSettingsDialog() const { return m_iconSettings; }
    FormSelectDisk *driveChooser() const { return m_selectDisk; }
    FormSystemHint *toast() const { return m_toast; }
    // The pop-up on the screen.
    QRect screenRect() const;
    // What the pop-up draws, in its own coordinates: its icons' pictures and
    // names as they stand (the rest of its strip is clear).
    QRegion drawnRegion() const;
    // How long the strip may grow across for long names, in pixels: the
    // room the screen leaves beside the menu's icon. Longer names are cut short.
    void setRoom(int px);
    int room() const { return m_room; }

public slots:
    void OpenFile();
    void SaveFile();
    void clearIcoData();
    void clearIcon();
    void createIcon();
    void createClassIco();
    void IconPressMove(QString ID, QPoint p);
    void IconPressPosMove();
    void IconPressRelease(QString ID, QPoint p);
    // The icon's press ended in another way than the left release, or the
    // menu closed under the drag: the lifted row goes back where it stood.
    void cancelDrag();
    void SerialNumber(int row, int lr);
    void DeleteIcon(QString ID);
    void DllIconOpen(QString filePath);
    void IconOpen(QString ID);
    void IconMenu(QString ID, int x);
    void Modify(QString icoID, QString ico, QString name, QString note);
    void RefreshMenu();
    // True only when the menu stored the icon as a new row of its own.
    bool AddIcon(QString ico, QString name, QString cl, QString path);
    // The dock could not take the icon this menu gave up to it at the end
    // of a drag (its bar is locked): the menu takes it back to its place.
    void handOffRefused();
    void setIconDisk(QString icoID, QString d);
    void backOutEnd();

signals:
    void setIcoBShow(bool b);
    void setIcoBMoveShow(bool b);
    void menuAddIco(QString ID);
    void menuIcoMove(QString ID);
    void menuAddSystemIco(QString ID);
    void menuAddFolder(QString ID);
    void menuOpenIco(QString ID, int x);
    void menuAddUrlIco(QString ID);
    void returnAddIcon(QString ID, QString ico, QString name, QString cl, QString path, QPoint p);
    void returnConfirm(bool b);

private:
    int findRow(const QString &id) const;
    int nameRoom() const;
    QString freeIconId() const;
    bool horizontal() const { return m_edge == 0 || m_edge == 2; }
    // Whether a screen point lies beyond the pop-up's side that faces the dock.
    bool beyondDockSide(const QPoint &p) const;
    void rebuildIcons();
    void showToast(const QString &text);
    int firstFreeSlot() const;
    void finishDrag();
    // A row lifted and not yet dropped.
    bool carrying() const { return m_dragState == DragState::Dragging || m_dragState == DragState::HandedOver; }

    Ui::FormMenu *ui;
    DockIconList *MenuIcoData; // the menu's icons, BACK first
    QString m_menuId;
    int m_dockX = 0;
    int m_dockY = 0;
    int m_iconWidth = 0;
    int m_iconHeight = 0;
    int m_edge = 2;
    int m_room = -1; // none: names as long as they are
    bool m_doubleClick = false;
    bool m_shown = false;

    // the drag of one of its icons
    DragState m_dragState = DragState::Idle;
    int m_targetSlot = 0;
    DockIconRecord m_drag;
    int m_dragFrom = -1;        // where the lifted row stood
    QMetaObject::Connection m_dragIconGone;
    // the last icon given up to the dock (it stood at m_dragFrom)
    DockIconRecord m_givenUp;

    QHash<QString, FormMenuIcon *> m_icons;
    FormCommonIcon *m_ghost = nullptr;
    FormIconSettings *m_iconSettings = nullptr;
    FormSelectDisk *m_selectDisk = nullptr;
    FormSystemHint *m_toast = nullptr;
};
