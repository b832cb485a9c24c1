#pragma once
#include "dock/icons/longpress.h"

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>

class DockBar;
class FormCommonIcon;
class QMouseEvent;

// The pointer over the painted bar: hovering, the click that opens an icon,
// the long press that lifts it and drags it, the right click's context menu,
// and the way out of each. A left press is a LongPress (idle, pressed,
// holding, dragging): ended by its release it is a click or a drop
// (IconPressRelease); cut short in any other way (a second button, Esc, the
// focus lost, the bar hidden, the pointer grab broken) a drag ends with
// IconPressCancel, so that whoever lifted its icon puts it back, and nothing
// of it opens anything. Buttons still down after that are ignored until the
// last is up.
//
// It reports through the bar's own signals (those an icon widget has always
// sent, each carrying the icon's ID), as a part of the bar.
class BarPointer : public QObject
{
    Q_OBJECT
public:
    explicit BarPointer(DockBar *bar);
    ~BarPointer() override;

    LongPress *longPress() const { return m_press; }
    // No button of a press or a right click is down.
    bool isIdle() const { return m_press->isIdle() && m_rightPressed.isEmpty(); }
    QString pressedId() const { return m_pressed; }
    void setDoubleClick(bool b) { m_doubleClick = b; }

    // The bar's mouse events. A press or release that no icon takes (the
    // bar's background) returns false: it is the dock window's.
    bool press(QMouseEvent *e);
    void move(QMouseEvent *e);
    bool release(QMouseEvent *e);
    bool doubleClick(QMouseEvent *e);
    void leave();

    // Opens an icon as its click does: its jump, then IconOpen.
    void open(const QString &id);

private:
    void pressEnded(LongPress::State from, LongPress::Exit how);
    bool pressedIcon(QRect *r, QString *cls);
    void hover(QMouseEvent *e);
    void runContextMenu(const QString &id);

    DockBar *m_bar;
    LongPress *m_press;
    bool m_doubleClick = false;
    // The icon of the left press as it last stood: a drag lifts its row off
    // the bar, and the press goes on without it.
    QString m_pressed;
    QRect m_pressRect;
    QString m_pressClass;
    QPoint m_releasePos; // the ending release, in the pressed icon
    // A right press on this icon, waiting for its release.
    QString m_rightPressed;
    FormCommonIcon *m_menuOwner = nullptr; // builds and runs the context menus
};
