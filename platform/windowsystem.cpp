#include "windowsystem.h"
#include "seethrough.h"
#include "x11atoms.h"
#include "x11shape.h"

#include <KWindowSystem>
#include <KX11Extras>
#include <netwm.h>
#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QHash>
#include <QPointer>
#include <QTimer>
#include <QVector>
#include <QWidget>
#include <QWindow>
#include <QX11Info>
#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <optional>

namespace platform {
namespace {

const char *const RoleProperty = "_zv_windowRole";
const char *const LevelProperty = "_zv_windowLevel";
const char *const FrontOfProperty = "_zv_frontOf";
const char *const OverProperty = "_zv_over";
const char *const PopupProperty = "_zv_popupShown";
// The native window of an unmanaged window whose states were written.
const char *const StatesWrittenProperty = "_zv_statesWritten";

void setTransientFor(WId id, xcb_window_t front)
{
    xcb_change_property(QX11Info::connection(), XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(id),
                        XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 32, 1, &front);
}

NET::WindowType typeOf(WindowSystem::Role role)
{
    switch (role) {
    case WindowSystem::Role::Dock: return NET::Dock;
    case WindowSystem::Role::Notice: return NET::Notification;
    case WindowSystem::Role::Popup: return NET::Utility;
    case WindowSystem::Role::Tip: return NET::Tooltip;
    case WindowSystem::Role::DragIcon: return NET::Splash; // undecorated everywhere; DND icons are unknown to many
    case WindowSystem::Role::Overlay: return NET::Utility;
    case WindowSystem::Role::Dialog: return NET::Dialog;
    }
    return NET::Normal;
}

// Sets and clears window states. WM_STATE is read with them: a window the
// window manager manages gets its states as requests to the window manager,
// which owns the property then and would drop a value written into it; a
// withdrawn one gets the property itself, which the manager reads when it
// maps the window.
void changeStates(WId id, NET::States set, NET::States mask)
{
    NETWinInfo info(QX11Info::connection(), id, QX11Info::appRootWindow(), NET::WMState | NET::XAWMState,
                    NET::Properties2());
    info.setState(set, mask);
}

std::optional<WindowSystem::Role> roleOf(const QWidget *w)
{
    const QVariant role = w->property(RoleProperty);
    return role.isValid() ? std::optional<WindowSystem::Role>(WindowSystem::Role(role.toInt())) : std::nullopt;
}

// The window w stands over (see standOver, else its transient parent), when
// that is one of ours.
QWidget *standsOver(const QWidget *w)
{
    const QVariant over = w->property(OverProperty);
    if (over.isValid())
        return QWidget::find(WId(over.toULongLong()));
    const QWindow *parent = w->windowHandle() ? w->windowHandle()->transientParent() : nullptr;
    return parent ? QWidget::find(parent->winId()) : nullptr;
}

// A window that is no dialog shows on every desktop, unless it stands over
// a window of ours: it is then where that window is, and window managers that
// move a transient's whole family with it (openbox) would carry that window
// onto every desktop too.
bool everywhere(const QWidget *w, WindowSystem::Role role)
{
    return role != WindowSystem::Role::Dialog && !standsOver(w);
}

// The level the window stands at now: the one set by setLevel, but in front
// while it shows a pop-up of its own.
std::optional<WindowSystem::Level> levelOf(const QWidget *w)
{
    if (w->property(PopupProperty).toBool())
        return WindowSystem::Above;
    const QVariant level = w->property(LevelProperty);
    return level.isValid() ? std::optional<WindowSystem::Level>(WindowSystem::Level(level.toInt())) : std::nullopt;
}

void writeLevel(WId id, WindowSystem::Level level)
{
    const NET::States both = NET::KeepAbove | NET::KeepBelow;
    switch (level) {
    case WindowSystem::Above: changeStates(id, NET::KeepAbove, both); break;
    case WindowSystem::Below: changeStates(id, NET::KeepBelow, both); break;
    case WindowSystem::Normal: changeStates(id, {}, both); break;
    }
}

// A notice stands in front of the window of ours that has the keyboard as
// its transient: window managers put a window shown without the keyboard
// beneath the one that has it (openbox, fluxbox), and lift one that covers
// its screen with the keyboard above all layers. One that belongs to a
// window of ours stays with that window.
void standNoticeInFront(QWidget *w)
{
    if (w->parentWidget() || !w->windowHandle())
        return;
    QWidget *active = QApplication::activeWindow();
    const bool ours = active && active != w && active->isVisible() && active->windowHandle();
    w->windowHandle()->setTransientParent(ours ? active->windowHandle() : nullptr);
}

// Brings the shown windows that stand over w in front of it.
void raiseWindowsOver(const QWidget *w)
{
    for (QWidget *t : QApplication::topLevelWidgets()) {
        if (t != w && t->isVisible() && standsOver(t) == w)
            KWindowSystem::raiseWindow(t->winId());
    }
}

// A window that bypasses the window manager is never managed: nothing but
// this program and Qt, which keeps the states it finds, writes its states.
bool unmanaged(const QWidget *w)
{
    return w->windowFlags().testFlag(Qt::BypassWindowManagerHint);
}

// Writes the window's role and level. Before the window is mapped this sets
// the properties themselves, which Qt then merges with its own states.
void applyRole(QWidget *w)
{
    const std::optional<WindowSystem::Role> role = roleOf(w);
    if (!role)
        return;
    const WindowSystem::Role r = *role;
    const WId id = w->winId();
    // Qt writes its own type and transient at every show.
    KWindowSystem::setType(id, typeOf(r));
    const QVariant front = w->property(FrontOfProperty);
    if (front.isValid())
        setTransientFor(id, xcb_window_t(front.toULongLong()));
    // The states stay on an unmanaged window from one show to the next:
    // written once, they cost its later shows no round trips to the display
    // (the weather scene and the bubble's lane show at every pass of the
    // pointer over the weather icon).
    if (unmanaged(w)) {
        if (w->property(StatesWrittenProperty).toULongLong() == id)
            return;
        w->setProperty(StatesWrittenProperty, quint64(id));
    }
    if (r != WindowSystem::Role::Dialog) {
        const NET::States skip = NET::SkipTaskbar | NET::SkipPager | NET::SkipSwitcher;
        changeStates(id, skip, skip);
        if (everywhere(w, r))
            KX11Extras::setOnAllDesktops(id, true);
    }
    if (const std::optional<WindowSystem::Level> level = levelOf(w)) {
        if (*level != WindowSystem::Normal)
            writeLevel(id, *level);
    } else if (r == WindowSystem::Role::Dialog) {
        // A dialog of the bar is no transient of the bar's window (see
        // standOver): it stands in the bar's layer itself.
        const QWidget *over = standsOver(w);
        if (over && roleOf(over) == WindowSystem::Role::Dock)
            changeStates(id, NET::KeepAbove, NET::KeepAbove | NET::KeepBelow);
    }
}

// Asks again for what the window's role and level call for and the window
// manager left out of its properties: its states, or its place on every
// desktop, each on its own (a manager that handles both at once can drop
// the one while it writes the other). False when nothing was missing.
bool askForMissingStates(QWidget *w)
{
    const auto r = WindowSystem::Role(w->property(RoleProperty).toInt());
    const WId id = w->winId();
    // WM_STATE read with them: a managed window's states are asked of the
    // window manager (see changeStates).
    NETWinInfo info(QX11Info::connection(), id, QX11Info::appRootWindow(),
                    NET::WMState | NET::WMDesktop | NET::XAWMState, NET::Properties2());
    NET::States wanted, mask;
    bool notEverywhere = false;
    if (r != WindowSystem::Role::Dialog) {
        wanted = mask = NET::SkipTaskbar | NET::SkipPager | NET::SkipSwitcher;
        notEverywhere = everywhere(w, r) && info.desktop() != NETWinInfo::OnAllDesktops;
    }
    const std::optional<WindowSystem::Level> level = levelOf(w);
    if (level && *level != WindowSystem::Normal) {
        wanted |= *level == WindowSystem::Above ? NET::KeepAbove : NET::KeepBelow;
        mask |= NET::KeepAbove | NET::KeepBelow;
    }
    // Window managers that know no switcher leave that state out.
    const bool statesMissing = (info.state() & wanted & ~NET::SkipSwitcher) != (wanted & ~NET::SkipSwitcher);
    if (statesMissing)
        info.setState(wanted, mask);
    if (notEverywhere)
        KX11Extras::setOnAllDesktops(id, true);
    return statesMissing || notEverywhere;
}

// Whether the user's last click or key press on one of our windows came a
// moment ago: a window shown now answers it. Global hot keys reach no window
// of ours; what they open hands itself the keyboard (forceActivate).
bool answersTheUser()
{
    const quint32 input = QX11Info::appUserTime();
    if (!input)
        return false;
    // Server time runs in milliseconds and wraps: the difference does too.
    const quint32 since = QX11Info::getTimestamp() - input;
    return since < 3000;
}

// Window managers drop a window's states when it is withdrawn: each show
// writes them again, before the window is mapped. They can still be lost when
// the manager handles an earlier withdrawal late (a quick hide and show):
// once the window is painted, and so mapped, they are asked for once more.
// A dialog shown to answer the user is handed the keyboard once the show has
// asked for the mapping.
class RoleKeeper final : public QObject
{
public:
    explicit RoleKeeper(QWidget *w) : QObject(w) {}
    static RoleKeeper *of(const QWidget *w)
    {
        for (QObject *child : w->children())
            if (auto *keeper = dynamic_cast<RoleKeeper *>(child))
                return keeper;
        return nullptr;
    }
    // Asks for the states again when the window manager wrote them without
    // those the role calls for; a few times a show, so that a manager that
    // refuses them is not asked without end.
    void statesWritten(QWidget *w)
    {
        if (w->isVisible() && m_askedAfterShow < 8 && askForMissingStates(w)) {
            ++m_askedAfterShow;
            xcb_flush(QX11Info::connection());
        }
    }
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (o != parent())
            return false;
        auto *w = static_cast<QWidget *>(o);
        if (e->type() == QEvent::Show) {
            if (roleOf(w) == WindowSystem::Role::Notice)
                standNoticeInFront(w);
            applyRole(w);
            m_askAgain = true;
            m_askedAfterShow = 0;
            if (roleOf(w) == WindowSystem::Role::Dialog && answersTheUser()) {
                QPointer<QWidget> shown(w);
                QTimer::singleShot(0, this, [shown] {
                    if (shown)
                        WindowSystemService::get().forceActivate(shown);
                });
            }
        } else if (e->type() == QEvent::Paint && m_askAgain) {
            m_askAgain = false;
            applyRole(w);
            // Mapped now. A window shown without the keyboard goes beneath
            // the one that has it (openbox), where a notice is not seen.
            if (roleOf(w) == WindowSystem::Role::Notice) {
                KWindowSystem::raiseWindow(w->winId());
                xcb_flush(QX11Info::connection());
            }
        }
        return false;
    }

private:
    bool m_askAgain = false;
    int m_askedAfterShow = 0;
};

// Window managers that handle a quick hide and show late drop the states
// asked for at the show, also after the first paint asked again (fluxbox
// under load): what they write into the window's own properties is watched,
// and a window of ours left without the states of its role asks again.
class StateWatch final : public QAbstractNativeEventFilter
{
public:
    static void ensure()
    {
        static StateWatch *watch = nullptr;
        if (!watch && QX11Info::isPlatformX11()) {
            watch = new StateWatch;
            qApp->installNativeEventFilter(watch);
        }
    }

    bool nativeEventFilter(const QByteArray &type, void *message, long *) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto *e = static_cast<const xcb_generic_event_t *>(message);
        if ((e->response_type & ~0x80) != XCB_PROPERTY_NOTIFY)
            return false;
        const auto *p = reinterpret_cast<const xcb_property_notify_event_t *>(e);
        if (p->atom != m_state && p->atom != m_desktop)
            return false;
        QWidget *w = QWidget::find(WId(p->window));
        if (!w || !w->property(RoleProperty).isValid() || unmanaged(w))
            return false;
        if (RoleKeeper *keeper = RoleKeeper::of(w)) {
            // Handled once the event is through: the check reads the properties.
            QPointer<QWidget> window(w);
            QPointer<RoleKeeper> k(keeper);
            QTimer::singleShot(0, k, [window, k] {
                if (window && k)
                    k->statesWritten(window);
            });
        }
        return false;
    }

private:
    StateWatch()
        : m_state(internAtom(QX11Info::connection(), "_NET_WM_STATE", false)),
          m_desktop(internAtom(QX11Info::connection(), "_NET_WM_DESKTOP", false))
    {
    }
    xcb_atom_t m_state;
    xcb_atom_t m_desktop;
};

class X11WindowSystem final : public WindowSystem
{
public:
    bool isX11() const override { return QX11Info::isPlatformX11(); }

    bool translucencyWorks() const override { return !isX11() || KX11Extras::compositingActive(); }

    void forceActivate(QWidget *w) override
    {
        if (!w || !w->isVisible() || w->isActiveWindow())
            return;
        w->activateWindow();
        if (isX11())
            KX11Extras::forceActiveWindow(w->winId());
        // A window hidden while it had the keyboard can still be Qt's focus
        // window: the keyboard coming back to it would then go unnoticed, and
        // so would losing it later. It is the active window from now on.
        if (QGuiApplication::focusWindow() && QGuiApplication::focusWindow() == w->windowHandle())
            QApplication::setActiveWindow(w);
    }

    void setLevel(QWidget *w, Level level) override
    {
        if (!w || !isX11())
            return;
        w->setProperty(LevelProperty, int(level));
        writeLevel(w->winId(), *levelOf(w));
    }

    void raiseOnce(QWidget *w) override
    {
        if (!w)
            return;
        w->raise();
        if (!isX11())
            return;
        KWindowSystem::raiseWindow(w->winId());
        // The dialogs standing over it stay in front of it, also where the
        // window manager does not keep them there (see applyRole), unless it
        // shows a pop-up meanwhile.
        if (!w->property(PopupProperty).toBool())
            raiseWindowsOver(w);
        xcb_flush(QX11Info::connection());
    }

    void standOver(QWidget *dialog, QWidget *owner) override
    {
        if (!dialog || !owner || !isX11()) {
            WindowSystem::standOver(dialog, owner);
            return;
        }
        dialog->setProperty(OverProperty, quint64(owner->winId()));
        // A transient of the bar's window would stay in front of the bar and
        // of the pop-ups inside it; the window manager is told of none (Qt
        // then names the program's group) and the dialog is kept in the
        // bar's layer (applyRole).
        WindowSystem::standOver(dialog, roleOf(owner) == Role::Dock ? nullptr : owner);
    }

    void setPopupShown(QWidget *w, bool shown) override
    {
        if (!w || !isX11() || w->property(PopupProperty).toBool() == shown)
            return;
        w->setProperty(PopupProperty, shown);
        if (!w->testAttribute(Qt::WA_WState_Created))
            return;
        // Window managers stack by layer first: the window steps into the
        // layer of its dialogs before it is raised, and back after.
        writeLevel(w->winId(), levelOf(w).value_or(Normal));
        if (shown)
            KWindowSystem::raiseWindow(w->winId());
        else
            raiseWindowsOver(w);
        xcb_flush(QX11Info::connection());
    }

    void setRole(QWidget *w, Role role) override
    {
        if (!w || !isX11())
            return;
        if (!w->property(RoleProperty).isValid()) {
            w->installEventFilter(new RoleKeeper(w));
            StateWatch::ensure();
        }
        if (w->property(RoleProperty) != int(role))
            w->setProperty(StatesWrittenProperty, QVariant()); // a new role's states are written anew
        w->setProperty(RoleProperty, int(role));
        if (w->testAttribute(Qt::WA_WState_Created))
            applyRole(w);
    }

    void keepInFrontOfWindow(QWidget *w, quint64 other) override
    {
        if (!w || !isX11())
            return;
        xcb_connection_t *c = QX11Info::connection();
        const xcb_window_t win = static_cast<xcb_window_t>(w->winId());
        if (other) {
            if (!m_ownTransientFor.contains(win)) {
                xcb_window_t own = XCB_NONE;
                const xcb_get_property_cookie_t ck =
                    xcb_get_property(c, 0, win, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 0, 1);
                if (xcb_get_property_reply_t *r = xcb_get_property_reply(c, ck, nullptr)) {
                    if (xcb_get_property_value_length(r) >= 4)
                        own = *static_cast<xcb_window_t *>(xcb_get_property_value(r));
                    free(r);
                }
                m_ownTransientFor.insert(win, own);
            }
            setTransientFor(win, static_cast<xcb_window_t>(other));
            w->setProperty(FrontOfProperty, other);
        } else if (m_ownTransientFor.contains(win)) {
            w->setProperty(FrontOfProperty, QVariant());
            const xcb_window_t own = m_ownTransientFor.take(win);
            if (own != XCB_NONE)
                setTransientFor(win, own);
            else
                xcb_delete_property(c, win, XCB_ATOM_WM_TRANSIENT_FOR);
        }
        xcb_flush(c);
    }

    void setDesktopOverlay(QWidget *w) override
    {
        if (!w || !isX11())
            return;
        const WId id = w->winId();
        const NET::States skip = NET::SkipTaskbar | NET::SkipPager | NET::SkipSwitcher;
        changeStates(id, skip, skip);
        KX11Extras::setOnAllDesktops(id, true);
    }

    void setNoInput(QWidget *w) override
    {
        if (!w || !isX11() || !w->windowHandle())
            return;
        xcb_connection_t *c = QX11Info::connection();
        SeeThrough::setKept(w, QRegion());
        xcb_shape_rectangles(c, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, XCB_CLIP_ORDERING_UNSORTED,
                             static_cast<xcb_window_t>(w->winId()), 0, 0, 0, nullptr);
        xcb_flush(c);
    }

    void setInputRegion(QWidget *w, const QRegion &region) override
    {
        if (!w || !isX11() || !w->windowHandle())
            return;
        SeeThrough::setKept(w, region);
        sendShape(w, XCB_SHAPE_SK_INPUT, region);
    }

    // A compositing manager shows only what the window draws: the input
    // shape is all it needs, and a new outline would cost it a repaint of
    // the whole window at every frame, but where the window manager's frame
    // takes the pointer by the outline. Without one, the window is cut to
    // what it draws within the region (SeeThrough), with its next picture.
    void setShape(QWidget *w, const QRegion &region) override
    {
        if (!w)
            return;
        const bool changed = SeeThrough::setBound(w, region);
        setInputRegion(w, region);
        if (!changed)
            return;
        if (SeeThrough::active() || !isX11() || !w->windowHandle())
            return;
        if (SeeThrough::framesFollowOutlines()) {
            sendShape(w, XCB_SHAPE_SK_BOUNDING, region);
            return;
        }
        // The compositing manager draws a window within its outline, and
        // all of that again when the outline changes: a roomy box around the
        // region, sent again only when the region outgrows it or shrinks
        // well inside it, keeps its work to about what the window shows.
        const xcb_window_t win = static_cast<xcb_window_t>(w->winId());
        const QRect need = region.boundingRect();
        const QRect box = m_roomyOutline.value(win);
        const QRect roomy = need.adjusted(-RoomyMargin, -RoomyMargin, RoomyMargin, RoomyMargin) & w->rect();
        const auto area = [](const QRect &r) { return qint64(r.width()) * r.height(); };
        if (need.isEmpty()) {
            if (m_roomyOutline.remove(win))
                sendShape(w, XCB_SHAPE_SK_BOUNDING, QRegion());
        } else if (!box.contains(need) || area(box) > 2 * area(roomy)) {
            m_roomyOutline.insert(win, roomy);
            sendShape(w, XCB_SHAPE_SK_BOUNDING, roomy);
        }
    }

private:
    // One of the window's shapes; an empty region gives it all of the window.
    static void sendShape(QWidget *w, xcb_shape_kind_t kind, const QRegion &region)
    {
        platform::sendShape(QX11Info::connection(), static_cast<xcb_window_t>(w->winId()), kind,
                            nativeRegion(region, w->devicePixelRatioF()));
    }

    // About what icons grow by under the pointer.
    static constexpr int RoomyMargin = 96;

    QHash<xcb_window_t, xcb_window_t> m_ownTransientFor;
    QHash<xcb_window_t, QRect> m_roomyOutline;
};

} // namespace

void WindowSystem::keepInFrontOf(QWidget *w, QWidget *other)
{
    keepInFrontOfWindow(w, other && isX11() ? quint64(other->winId()) : 0);
}

void WindowSystem::standOver(QWidget *dialog, QWidget *owner)
{
    if (QWindow *w = dialog ? dialog->windowHandle() : nullptr)
        w->setTransientParent(owner ? owner->windowHandle() : nullptr);
}

void WindowSystem::forceActivate(QWidget *w)
{
    if (w && w->isVisible() && !w->isActiveWindow())
        w->activateWindow();
}

template <>
WindowSystem &Service<WindowSystem>::real()
{
    static X11WindowSystem w;
    return w;
}

} // namespace platform
