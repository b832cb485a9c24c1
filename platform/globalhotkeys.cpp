#include "globalhotkeys.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QDebug>
#include <QHash>
#include <QVector>
#include <QX11Info>

#include <xcb/xcb.h>

// Xlib's macros (None, KeyPress, ...) come with this header; keep it last.
#include <KKeyServer>

#include <cstdlib>

namespace platform {

namespace {

bool isModifierKey(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_Mode_switch:
    case Qt::Key_unknown:
        return true;
    default:
        return false;
    }
}

quint32 nativeKey(quint8 keycode, quint16 modifiers)
{
    return (quint32(keycode) << 16) | modifiers;
}

class X11HotKeys final : public GlobalHotKeys, public QAbstractNativeEventFilter
{
public:
    bool grab(int chord) override
    {
        if (m_byChord.contains(chord))
            return true;
        X11Chord n;
        if (!x11Chord(chord, &n))
            return false;
        // Two of our chords on one X key would share one grab: giving either
        // back would silently free the other.
        if (m_byNative.contains(nativeKey(n.keycode, n.modifiers)))
            return false;

        xcb_connection_t *c = QX11Info::connection();
        const xcb_window_t root = QX11Info::appRootWindow();
        // The chord must work whatever NumLock and CapsLock are set to.
        const QVector<quint16> masks = lockVariants(n.modifiers);
        QVector<xcb_void_cookie_t> cookies;
        for (quint16 m : masks)
            cookies << xcb_grab_key_checked(c, 0, root, m, n.keycode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        QVector<quint16> taken;
        bool ok = true;
        for (int i = 0; i < cookies.size(); ++i) {
            if (xcb_generic_error_t *e = xcb_request_check(c, cookies[i])) {
                ok = false; // BadAccess: another client holds it
                std::free(e);
            } else {
                taken << masks[i];
            }
        }
        if (!ok) {
            for (quint16 m : taken)
                xcb_ungrab_key(c, n.keycode, root, m);
            xcb_flush(c);
            return false;
        }
        m_byChord.insert(chord, n);
        m_byNative.insert(nativeKey(n.keycode, n.modifiers), chord);
        if (!m_filterInstalled && QCoreApplication::instance()) {
            QCoreApplication::instance()->installNativeEventFilter(this);
            m_filterInstalled = true;
        }
        return true;
    }

    bool ungrab(int chord) override
    {
        const auto it = m_byChord.find(chord);
        if (it == m_byChord.end())
            return false;
        const X11Chord n = *it;
        m_byChord.erase(it);
        m_byNative.remove(nativeKey(n.keycode, n.modifiers));
        xcb_connection_t *c = QX11Info::connection();
        const xcb_window_t root = QX11Info::appRootWindow();
        for (quint16 m : lockVariants(n.modifiers))
            xcb_ungrab_key(c, n.keycode, root, m);
        xcb_flush(c);
        return true;
    }

    bool nativeEventFilter(const QByteArray &type, void *message, long *) override
    {
        if (type != "xcb_generic_event_t" || m_byNative.isEmpty())
            return false;
        auto *ev = static_cast<xcb_generic_event_t *>(message);
        if ((ev->response_type & ~0x80) != XCB_KEY_PRESS)
            return false;
        auto *kp = reinterpret_cast<xcb_key_press_event_t *>(ev);
        if (kp->event != QX11Info::appRootWindow())
            return false;
        const quint16 mods = kp->state & KKeyServer::accelModMaskX();
        const auto it = m_byNative.constFind(nativeKey(kp->detail, mods));
        if (it != m_byNative.constEnd())
            emit pressed(*it);
        // Qt has no window for the root and drops the event itself.
        return false;
    }

private:
    static QVector<quint16> lockVariants(quint16 mods)
    {
        const quint16 num = quint16(KKeyServer::modXNumLock());
        const quint16 caps = quint16(KKeyServer::modXLock());
        QVector<quint16> v;
        for (quint16 extra : { quint16(0), num, caps, quint16(num | caps)}) {
            if (!v.contains(mods | extra))
                v << quint16(mods | extra);
        }
        return v;
    }

    QHash<int, X11Chord> m_byChord;
    QHash<quint32, int> m_byNative;
    bool m_filterInstalled = false;
};

} // namespace

bool x11Chord(int chord, X11Chord *out)
{
    if (!QX11Info::isPlatformX11())
        return false;
    const int key = chord & ~GlobalHotKeys::ModifierMask;
    if (key == 0 || isModifierKey(key & ~Qt::KeypadModifier))
        return false;
    int code = 0;
    if (!KKeyServer::keyQtToCodeX(key, &code) || code <= 0 || code > 255)
        return false;
    uint mods = 0;
    if (!KKeyServer::keyQtToModX(chord & GlobalHotKeys::ModifierMask, &mods))
        return false;
    out->keycode = quint8(code);
    out->modifiers = quint16(mods);
    return true;
}

template <>
GlobalHotKeys &Service<GlobalHotKeys>::real()
{
    // Never destroyed: the X server drops our grabs when the program ends.
    static X11HotKeys *p = new X11HotKeys;
    return *p;
}

} // namespace platform
