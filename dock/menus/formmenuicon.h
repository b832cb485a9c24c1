#pragma once
#include "dock/icons/longpress.h"

#include <QPoint>
#include <QRegion>
#include <QString>
#include <QWidget>

namespace Ui {
class FormMenuIcon;
}
class FaceWidget;
class FormDisk;
class FormName;
class FormRecycle;
class QGraphicsScene;
class QGraphicsView;
class QMenu;

// The command codes a menu icon's context menu sends to its menu.
namespace MenuIconMenuCode {
enum : int {
    IconSet = 0,
    AddIcon = 1,
    AddSystemIcon = 2,
    DeleteIcon = 3,
    AddUrlIco = 5,
    IconSetDisk = 9,
    AddFolder = 11,
};
}

// One icon inside a pop-up icon menu: its picture (or live face) beside its
// name, which turns with the dock's edge. It changes no data: it reports
// opens, drags and its context-menu choices to the menu by signals carrying
// its ID. An icon of class IconClass::Temporary ignores the mouse.
class FormMenuIcon : public QWidget
{
    Q_OBJECT
public:
    static const int SlideMs = 160;
    static const int GlideMs = 88;

    explicit FormMenuIcon(QWidget *parent = nullptr);
    ~FormMenuIcon() override;

    // The row's data; builds the name view and, for RECYCLE and DISK, the face.
    void setData(const QString &ID, const QString &ico, const QString &name, const QString &cl);
    // The picture box; lays the icon out for its orientation (set that first).
    void setIconSize(int w, int h);
    void setIndex(int i) { m_index = i; }
    void setOrientation(int edge) { m_orientation = edge; }
    void setDoubleClick(bool on) { m_doubleClick = on; }
    // The drive a DISK icon shows; other classes ignore it.
    void setDisk(const QString &drive);
    // Puts the icon into the slot of its index in a strip of the given size.
    void place(int cross, int stripWidth, int stripHeight);

    void moveAnimated(int x, int y);
    void showAnimated();
    void hideAnimated();

    // Builds the context menu of this icon's class into main and its
    // "添加图标" sub-menu. A right release runs it.
    void fillContextMenu(QMenu *main, QMenu *addMenu);

    QString id() const { return m_id; }
    QString icon() const { return m_icon; }
    QString name() const { return m_name; }
    QString iconClass() const { return m_class; }
    int index() const { return m_index; }
    int orientation() const { return m_orientation; }
    int rotation() const { return m_rotation; }
    bool doubleClick() const { return m_doubleClick; }
    // The left press: pressed, held loose for dragging, and how it ended.
    LongPress *longPress() const { return m_press; }
    bool isDragging() const;
    QPoint shownPoint() const { return m_shown; }
    QPoint hiddenPoint() const { return m_hidden; }
    FormName *bubble() const { return m_bubble; }
    QGraphicsView *nameView() const { return m_view; }
    FormRecycle *recycleFace() const { return m_recycle; }
    FormDisk *diskFace() const { return m_disk; }
    QWidget *pictureFrame() const;
    QWidget *pictureLabel() const;
    // What the icon draws, in its own coordinates: its picture and the pill
    // of its name.
    QRegion drawnRegion() const;
    // The name is cut short to fit this many pixels (none: -1).
    void setNameRoom(int px);
    int nameRoom() const { return m_nameRoom; }

public slots:
    void IconSet() { emit IconMenu(m_id, MenuIconMenuCode::IconSet); }
    void AddIcon() { emit IconMenu(m_id, MenuIconMenuCode::AddIcon); }
    void AddUrlIco() { emit IconMenu(m_id, MenuIconMenuCode::AddUrlIco); }
    void AddSystemIcon() { emit IconMenu(m_id, MenuIconMenuCode::AddSystemIcon); }
    void AddFolder() { emit IconMenu(m_id, MenuIconMenuCode::AddFolder); }
    void DeleteIcon() { emit IconMenu(m_id, MenuIconMenuCode::DeleteIcon); }
    void myOutEnd();
    void IconSetDisk() { emit IconMenu(m_id, MenuIconMenuCode::IconSetDisk); }
    void OpenRecycle() { emit IconOpen(m_id); }
    void ClearRecycle();
    void nameRotate(int v);
    void OpenIcon() { emit IconOpen(m_id); }

signals:
    void IconOpen(QString ID);
    void IconMenu(QString ID, int x);
    void backOutEnd();
    void IconPressMove(QString ID, QPoint p);
    void IconPressRelease(QString ID, QPoint p);
    // A drag that ended in any way but the left release: its icon goes home.
    void IconPressCancel(QString ID);

protected:
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;

private:
    bool isClass(const QString &cl) const { return m_class == cl; }
    void dropView();
    void pressEnded(LongPress::State from, LongPress::Exit how);
    void runContextMenu();

    Ui::FormMenuIcon *ui;
    QString m_id, m_icon, m_name, m_class;
    int m_index = 0;
    int m_orientation = 2;
    int m_rotation = 0;
    bool m_doubleClick = false;
    QPoint m_shown, m_hidden;
    LongPress *m_press = nullptr;
    QPoint m_releasePos;
    int m_nameRoom = -1;
    FormName *m_bubble = nullptr;
    QGraphicsScene *m_scene = nullptr;
    QGraphicsView *m_view = nullptr;
    FaceWidget *m_picture = nullptr;
    FormRecycle *m_recycle = nullptr;
    FormDisk *m_disk = nullptr;
};
