#include "activewindow.h"
#include "x11atoms.h"

#include <KWindowInfo>
#include <KX11Extras>
#include <netwm.h>
#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <QX11Info>
#include <xcb/xcb.h>

namespace platform {
namespace {

// Follows _NET_ACTIVE_WINDOW and, of the window it names, the state and the
// place: maximising or leaving full screen changes no active window. Only
// that one window is watched, not every window of the desktop; bursts of its
// changes (a window dragged across the screen) are told once.
class X11ActiveWindow final : public ActiveWindow, public QAbstractNativeEventFilter
{
public:
    X11ActiveWindow()
    {
        if (!QX11Info::isPlatformX11())
            return;
        m_state = internAtom(QX11Info::connection(), "_NET_WM_STATE", false);
        m_tell.setSingleShot(true);
        m_tell.setInterval(30);
        connect(&m_tell, &QTimer::timeout, this, &ActiveWindow::changed);
        connect(KX11Extras::self(), &KX11Extras::activeWindowChanged, this, [this](WId id) {
            watch(id);
            m_tell.start();
        });
        QCoreApplication::instance()->installNativeEventFilter(this);
        watch(KX11Extras::activeWindow());
    }

    Info active() override
    {
        Info i;
        if (!QX11Info::isPlatformX11())
            return i;
        // Watched from the first look on: the window that has the keyboard
        // when we start is told by no change.
        const WId id = KX11Extras::activeWindow();
        watch(id);
        if (!id)
            return i;
        i.id = id;
        i.own = QWidget::find(id) != nullptr;
        const KWindowInfo info(id, NET::WMState | NET::WMFrameExtents);
        if (!info.valid())
            return i;
        i.geometry = info.frameGeometry();
        if (info.hasState(NET::FullScreen))
            i.state = State::FullScreen;
        else if ((info.state() & NET::Max) == NET::Max)
            i.state = State::Maximized;
        return i;
    }

    bool nativeEventFilter(const QByteArray &, void *message, long *) override
    {
        if (!m_watched)
            return false;
        const auto *e = static_cast<const xcb_generic_event_t *>(message);
        switch (e->response_type & ~0x80) {
        case XCB_PROPERTY_NOTIFY: {
            const auto *p = reinterpret_cast<const xcb_property_notify_event_t *>(e);
            if (p->window == m_watched && p->atom == m_state)
                m_tell.start();
            break;
        }
        case XCB_CONFIGURE_NOTIFY:
            if (reinterpret_cast<const xcb_configure_notify_event_t *>(e)->window == m_watched)
                m_tell.start();
            break;
        case XCB_DESTROY_NOTIFY:
            if (reinterpret_cast<const xcb_destroy_notify_event_t *>(e)->window == m_watched) {
                // Its id may come back on a new window, which is to be watched afresh.
                m_watched = 0;
                m_tell.start();
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    // Another program's window tells us of its state and its moves; our own
    // windows' events Qt selects itself, and they are left as they are.
    void watch(WId id)
    {
        xcb_connection_t *c = QX11Info::connection();
        if (m_watched && m_watched != xcb_window_t(id)) {
            // The window may be gone by now: the error that would bring is of no interest.
            const uint32_t none = 0;
            xcb_discard_reply(c, xcb_change_window_attributes_checked(c, m_watched, XCB_CW_EVENT_MASK, &none).sequence);
        }
        // Selected again even when the id is the one watched: ids come back
        // on new windows once their program has gone.
        m_watched = 0;
        if (id && !QWidget::find(id)) {
            // The window manager may still name a window that has just
            // closed (one of ours among them): nothing to watch then, and
            // nothing to report.
            const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
            xcb_discard_reply(
                c, xcb_change_window_attributes_checked(c, xcb_window_t(id), XCB_CW_EVENT_MASK, &mask).sequence);
            m_watched = xcb_window_t(id);
        }
        xcb_flush(c);
    }

    QTimer m_tell;
    xcb_atom_t m_state = XCB_NONE;
    xcb_window_t m_watched = 0;
};

} // namespace

template <>
ActiveWindow &Service<ActiveWindow>::real()
{
    static X11ActiveWindow w;
    return w;
}

} // namespace platform
