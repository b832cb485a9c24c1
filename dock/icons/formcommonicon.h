#pragma once
#include "dock/icons/dockiconmenucode.h"

#include <QPoint>
#include <QString>
#include <QWidget>

class DockFace;
class QMenu;

// An icon of the dock outside the painted bar: the picture that follows the
// pointer while an icon is dragged (shown as a small window of its own), and
// the owner of an icon's context menu, which the bar runs for the row under
// the pointer. It never edits an icon table: it reports by signals carrying
// its ID, and its owner acts.
class FormCommonIcon : public QWidget
{
    Q_OBJECT
public:
    explicit FormCommonIcon(QWidget *parent = nullptr);
    ~FormCommonIcon() override;

    // The row's data; shows the face of its class at the normal size.
    void setIcon(const QString &id, int magnified, int normal, int size3, int size4, int edge,
                 const QString &name, const QString &icon, const QString &cl);
    void setClickStyle(int x) { m_clickStyle = x; }

    // Shrinks into its centre and hides (a drop that was taken).
    void closeAnimation();

    // Builds this icon's context menu into the three menus (main, the
    // "添加图标" submenu and the "图标设置" submenu). The right release runs it.
    void fillContextMenu(QMenu *main, QMenu *addMenu, QMenu *setMenu);
    static QString menuStyleSheet();
    // Runs the context menu of an icon of this ID and class at the cursor;
    // an icon that only runs the menus of others needs nothing else.
    void setMenuTarget(const QString &id, const QString &cl)
    {
        m_id = id;
        m_class = cl;
    }
    void runContextMenu();

    QString id() const { return m_id; }
    QString name() const { return m_name; }
    QString iconPath() const { return m_iconPath; }
    QString iconClass() const { return m_class; }
    int edge() const { return m_edge; }
    int clickStyle() const { return m_clickStyle; }
    DockFace *face() const { return m_face; }

public slots:
    void MyClose();
    void OpenIcon();
    void OpenRecycle();
    void ClearRecycle();
    void myHelp();
    void MenuHide();
    // Context-menu entries that only pass their command to the owner.
    void showSet() { emit IconMenu(m_id, DockIconMenuCode::ShowSet); }
    void IconSet() { emit IconMenu(m_id, DockIconMenuCode::IconSet); }
    void AddIcon() { emit IconMenu(m_id, DockIconMenuCode::AddIcon); }
    void AddSystemIcon() { emit IconMenu(m_id, DockIconMenuCode::AddSystemIcon); }
    void AddExtensionIcon() { emit IconMenu(m_id, DockIconMenuCode::AddExtensionIcon); }
    void AddExtendedMenu() { emit IconMenu(m_id, DockIconMenuCode::AddExtendedMenu); }
    void DeleteIcon() { emit IconMenu(m_id, DockIconMenuCode::DeleteIcon); }
    void menuAddIcon() { emit IconMenu(m_id, DockIconMenuCode::MenuAddIcon); }
    void menuAddSystemIcon() { emit IconMenu(m_id, DockIconMenuCode::MenuAddSystemIcon); }
    void IconSetDisk() { emit IconMenu(m_id, DockIconMenuCode::IconSetDisk); }
    void AddFolder() { emit IconMenu(m_id, DockIconMenuCode::AddFolder); }
    void menuAddFolder() { emit IconMenu(m_id, DockIconMenuCode::MenuAddFolder); }
    void AddDesktopWidget() { emit IconMenu(m_id, DockIconMenuCode::AddDesktopWidget); }
    void AddBlank() { emit IconMenu(m_id, DockIconMenuCode::AddBlank); }
    void AddUrlIco() { emit IconMenu(m_id, DockIconMenuCode::AddUrlIco); }
    void menuAddUrlIco() { emit IconMenu(m_id, DockIconMenuCode::MenuAddUrlIco); }
    void RecycleIconAir() { emit IconMenu(m_id, DockIconMenuCode::RecycleIconAir); }
    void RecycleIconfull() { emit IconMenu(m_id, DockIconMenuCode::RecycleIconFull); }
    void systemClose() { emit IconMenu(m_id, DockIconMenuCode::SystemClose); }
    void setHideWindows() { emit IconMenu(m_id, DockIconMenuCode::HideWindows); }

signals:
    void IconOpen(QString ID);
    void IconMenu(QString ID, int x);

protected:
    void paintEvent(QPaintEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;

private:
    QString m_id, m_name, m_iconPath, m_class;
    int m_edge = 2;
    int m_clickStyle = 1;
    DockFace *m_face = nullptr;
};
