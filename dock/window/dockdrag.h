#pragma once
#include "barlayout.h"
#include "dock/model/dockicon.h"

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>

class DockBar;
class DockIconList;
class FormCommonIcon;
class FormDelete;
class FormLaunchStarter;
class FormMenu;
class QDragEnterEvent;
class QDragLeaveEvent;
class QDragMoveEvent;
class QDropEvent;
class QLabel;
class QWidget;

// Dragging icons along the bar, onto its menus and the launch pad, off it
// (deleted), back out of an icon menu, and files dragged in from outside.
// It owns the drag's state and the windows that follow the pointer (the
// ghost of the lifted icon and the delete marker); what the dock window
// must do in answer (save, relayout, add an icon) it asks for by signal.
//
// A drag of a bar icon starts with the bar's pointer (BarPointer: pressed,
// holding) and goes on here: the first move lifts the row out of the table
// (dragging); the left release drops it where the pointer aims (dropping),
// and every other way out (BarPointer's IconPressCancel) puts the row back
// where it stood. An icon a menu hands over is aimed at the bar (handed over)
// until the menu's release confirms or withdraws it. Every way out of each
// ends in finish(): no ghost, no marker, no gap and no lifted row stay.
class DockDrag : public QObject
{
    Q_OBJECT
public:
    // The parts of the dock window the drag looks at: the bar's background
    // (the zone a drop lands in) and the hint frame shown for a file.
    struct Frames
    {
        QWidget *background = nullptr;
        QWidget *dropHint = nullptr;
        QWidget *dropHintIcon = nullptr;
    };

    // `now` is where the layout has the bar stand; the settings say whether
    // dragging is locked.
    DockDrag(DockIconList *icons, DockBar *bar, const DockSettings *settings, const BarNow *now,
             const Frames &frames, QObject *parent = nullptr);
    ~DockDrag() override;

    // How the drag finds an icon menu by its ID, and the launch pad.
    void setMenuLookup(std::function<FormMenu *(const QString &)> lookup) { m_menuOf = std::move(lookup); }
    void setLaunchPad(FormLaunchStarter *pad) { m_launchPad = pad; }

    enum class State { Idle, Dragging, HandedOver, Dropping };
    Q_ENUM(State)
    State state() const { return m_state; }
    bool isDragging() const { return m_state == State::Dragging; }
    QString dropTarget() const { return m_dropTarget; }
    int gapSlot() const { return m_gapSlot; }
    bool isGapOpen() const { return m_gapOpen; }
    bool isDropPending() const { return m_dropPending; }
    FormCommonIcon *ghost() const { return m_ghost; }
    QLabel *deleteLabel() const { return m_deleteLabel; }
    FormDelete *deleteZone() const { return m_delete; }

    // What a drop onto the bar leaves for the next add: the slot it aimed at.
    void markDrop(int gapSlot);
    struct PendingDrop
    {
        bool pending = false;
        bool between = false; // lands in the gap whatever stands there
        int slot = 0;
    };
    // The drop the next add answers, if any; taking it clears it.
    PendingDrop takePendingDrop();

    // The bar was laid out again: a drag over it keeps its gap open.
    void holdGap();

    // The pointer moves with a bar icon held, or with one a menu handed back.
    void pressMove(const QString &id);
    void aimAt(const QPoint &global);
    void pressRelease();
    // The bar's pointer let go of the drag in another way than the left
    // release: the lifted row goes back where it stood, as if never lifted.
    void cancel();
    // The rows as they are to be stored: while a row is lifted, with it in
    // its place, so that a save in the middle of a drag keeps it.
    QList<DockIconRecord> storedRows() const;
    // Opens the gap before `row` (lr 0) or after it (lr 1); the icons glide apart.
    void openGap(int row, int lr);
    // Closes the gap at once; the placeholder covers the icon of `row`.
    void coverIcon(int row);
    // Puts the lifted row back where it stood, if it is not on the bar.
    void putBack();
    bool addToLaunchPad(const QString &ico, const QString &name, const QString &cl, const QString &path,
                        const QString &id);
    // An icon taken off the bar as a drag off it would.
    void removeIcon(const QString &id);

    // An icon dragged out of an icon menu, and its release.
    void returnAddIcon(const QString &id, const QString &ico, const QString &name, const QString &cl,
                       const QString &path);
    // False when the dock refuses an icon dropped onto its bar (the bar is
    // locked): the menu that gave it up keeps it.
    bool returnConfirm(bool dropped);

    // Files dragged in from outside; `global` is the pointer on the screen.
    void dragEnter(QDragEnterEvent *e);
    void dragMove(QDragMoveEvent *e, const QPoint &global);
    void dragLeave();
    void drop(QDropEvent *e);

signals:
    void relayoutRequested();
    void inputShapeChanged();
    void saveRequested();
    void rebuildRequested();
    void toast(const QString &text);
    // The length along the bar the icons need now (as the bar's sizing takes it).
    void barLengthChanged(int a, int b);
    // A drop to add as a new icon (a folder, or what a menu handed back) or
    // a program file to make an icon of.
    void addRequested(const QString &ico, const QString &name, const QString &cl, const QString &path);
    void programDropped(const QString &file);

private:
    QRect barOnScreen() const;
    void placeForGap(bool animated, bool keepRoom);
    void fitDropHint();
    void putDraggedBack();
    void dropOnBar();
    void deleteDragged();
    void finish(bool changed);
    FormMenu *menuOf(const QString &id) const { return m_menuOf ? m_menuOf(id) : nullptr; }

    DockIconList *m_icons;
    DockBar *m_bar;
    const DockSettings *m_settings;
    const BarNow *m_now;
    Frames m_frames;
    std::function<FormMenu *(const QString &)> m_menuOf;
    FormLaunchStarter *m_launchPad = nullptr;

    FormDelete *m_delete = nullptr;
    QLabel *m_deleteLabel = nullptr;
    FormCommonIcon *m_ghost = nullptr;

    QString m_dropTarget = IconClass::MAIN;
    State m_state = State::Idle;
    bool m_dropPending = false;
    bool m_dropBetween = false;   // the pending drop lands in the gap whatever stands there
    bool m_gapOpen = false;       // the bar shows room at m_gapSlot
    int m_gapSlot = 0;            // the slot a drop aimed at
    DockIconRecord m_dragged;     // the lifted row, or what a menu hands back
    int m_draggedRow = -1;        // where the lifted row stood
};
