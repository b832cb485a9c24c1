#pragma once
#include "dock/settings/docksettings.h"

#include <QObject>
#include <QPoint>
#include <QRegion>
#include <QString>

#include <functional>
#include <optional>

class AutoHide;
class DockBar;
class DockWindows;
class FormLaunchStarter;
class FormMenu;
class FormStartMenu;
class HoverTips;
class QTimer;
class QWidget;
struct BarNow;

// When the bar is in sight. It slides the bar in and out through AutoHide
// as the pointer comes and goes and another window takes the keyboard, and
// keeps it in while a menu or a dialog of the dock is up (the two flags
// below); it brings the bar to the front without ever giving it the
// keyboard; it opens the start menu, the settings panel and the launch pad,
// which moves the bar to the bottom edge until it closes; it answers the
// window tool's notices, giving way to maximised and full-screen windows
// with the edge strip to call the bar back, and shows and hides the
// desktop's icons. What belongs to the layout (margin, edge, relayouts, the
// input shape) it asks for by signal. It follows the switches of auto-hide,
// the work area and the desktop's icons as they change.
class DockShowing : public QObject
{
    Q_OBJECT
public:
    struct Parts
    {
        QWidget *window = nullptr;   // the dock window
        QWidget *main = nullptr;     // the bar and its background
        QWidget *marks[2] = {};      // two lines along the edge inside the window, kept hidden
        QWidget *dropHint = nullptr; // the frame shown while a file is dragged over
        AutoHide *autoHide = nullptr;
        DockBar *bar = nullptr;
        HoverTips *tips = nullptr;
        FormStartMenu *startMenu = nullptr;
        FormLaunchStarter *launchPad = nullptr;
        DockWindows *windows = nullptr;
    };
    // `now` is where the layout has the bar stand.
    DockShowing(const Parts &parts, DockSettings *settings, const BarNow *now, QObject *parent = nullptr);

    // The icon menus: one by its ID, and hiding all but `keep` (none: all).
    void setMenus(std::function<FormMenu *(const QString &)> lookup,
                  std::function<void(const QString &keep)> hideAll);
    // The part of the dock window that takes the pointer for the bar.
    void setBarRegion(std::function<QRegion()> region) { m_barRegion = std::move(region); }
    // For a point of the screen on the bar as it would stand magnified for a
    // pointer there, the point of the bar that answers it.
    void setBarReach(std::function<std::optional<QPoint>(const QPoint &)> reach) { m_barReach = std::move(reach); }
    // The part of the dock window that takes the pointer, as last sent.
    void setInputShape(std::function<QRegion()> shape) { m_inputShape = std::move(shape); }

    // A menu of the dock is up: the bar neither slides out nor magnifies,
    // and the dock window stands in front of the dock's dialogs.
    bool isMenuShown() const { return m_menuShown; }
    void setMenuShown(bool b);
    // A dialog or pop-up of the dock is open: the bar stays in meanwhile.
    bool isPopupOpen() const { return m_popupOpen; }
    void setPopupOpen(bool b) { m_popupOpen = b; }
    // An icon is being dragged out of a menu: losing the focus changes nothing.
    void setMenuDragging(bool b) { m_menuDrag = b; }
    bool desktopIconsShown() const { return m_desktopIconsShown; }
    // Whether the bar slides out when the pointer leaves it: its switch, the
    // launch pad and a window it gives way to decide.
    bool hideInEffect() const { return m_hideInEffect; }
    // Brings the hidden dock back a moment after the desktop was shown.
    QTimer *showTimer() const { return m_showTimer; }

    // The slides: in (when not in already), out, and their ends.
    void slideIn();
    void slideOut();
    void slideInEnded();
    void slideOutEnded();
    // The pointer reached the edge strip: the window comes to the front, in.
    void bringBack();
    // Another window took the keyboard: as when the dock loses it.
    void windowActivatedElsewhere() { deactivated(); }

    // The whole dock shown again, or hidden until shown.
    void showDock();
    void hideDock();
    // Icon menus away (and the icons back to rest), or all but one.
    void hideMenus();
    // Every icon back to rest, and the bubble beside them away.
    void restoreIcons();
    void hideMenusBut(const QString &id);
    // A menu reports it opened or closed, or that an icon leaves it.
    void menuShownChanged(bool shown);
    void menuIconMoved(const QString &id);

    void toggleStartMenu();
    void hideStartMenu();
    void openSettings();
    void settingsClosed();

    // While the launch pad is open the bar stands on the bottom edge, in front
    // of everything, without margin and without auto-hide; on closing it
    // returns to the margin and edge it had.
    void toggleLaunchPad();
    void launchPadClosed();
    int savedMargin() const { return m_savedMargin; }
    int savedEdge() const { return m_savedEdge; }

    // The window tool's notices (a window went full screen, maximised, back
    // to normal; a double click on the desktop; the desktop shown).
    void windowToolNotice(const QString &notice);
    // Why the bar stays out of the way of the active window, if it does.
    enum class GiveWay { None, Maximized, FullScreen };
    GiveWay givingWay() const { return m_givingWay; }
    // The strip, and the bar it calls back, stand in front of the window
    // that fills the screen (0: none any more).
    void keepInFrontOfFullScreen(quint64 id);

    // The desktop's icons: hidden and shown by turns (when the user wants
    // that), and back at once.
    void toggleDesktopIcons();
    void showDesktopIcons();

signals:
    void relayoutRequested();
    void inputShapeChanged();
    void frameAreaRequested(bool shown);
    // The placement asked to take the screen's free area again, to use a
    // margin and edge, or to place the bar on its screen anew.
    void availableAreaRequested();
    void marginRequested(int margin);
    void edgeRequested(int edge);
    void placeAgainRequested();

protected:
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    void settingChanged(DockSettings::Key key);
    void hideSwitched();
    // Auto-hide acts while its switch is on or the bar gives way to a window.
    bool hideWanted() const;
    void raise();
    void pointerEntered();
    void leaveSeen();
    bool isLeave();
    bool stillOnBar() const;
    bool followPointer(QPoint *where = nullptr);
    void checkLeave();
    void pointerLeft();
    void deactivated();
    void slideOutUnlessPointed();
    void giveWay(GiveWay why);
    void endGivingWay();
    bool revealWhileGivingWay() const;
    void showStrip();
    void shapeStrip();
    QPoint hiddenPoint() const;
    void hideMarks();
    FormMenu *menu(const QString &id) const { return m_menuOf ? m_menuOf(id) : nullptr; }

    Parts m_p;
    DockSettings *m_settings;
    const BarNow *m_now;
    std::function<FormMenu *(const QString &)> m_menuOf;
    std::function<void(const QString &)> m_hideMenus;
    std::function<QRegion()> m_barRegion;
    std::function<std::optional<QPoint>(const QPoint &)> m_barReach;
    std::function<QRegion()> m_inputShape;
    QTimer *m_showTimer;
    QTimer *m_leaveCheck;
    int m_leaveChecks = 0;  // checks with the pointer inside the shape sent
    int m_leaveFollows = 0; // every check since the leave
    // The answer to the leave the bar and the window hear of one pointer's going.
    std::optional<bool> m_leaving;
    bool m_leftWhileSlidingIn = false;
    GiveWay m_givingWay = GiveWay::None;

    bool m_menuShown = false;
    bool m_menuDrag = false;
    bool m_popupOpen = false;
    bool m_hideInEffect = false;
    bool m_desktopIconsShown = true;
    int m_savedMargin = 0; // margin and edge to return to when the launch pad closes
    int m_savedEdge = 2;
};
