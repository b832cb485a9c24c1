// The X11 grabs of the global hot keys on a private Xvfb (ctest starts it and
// sets ZV_XVFB=1; run any other way the test skips, taking no desktop's keys).
#include "dock/settings/qxtglobalshortcut.h"
#include "platform/globalhotkeys.h"
#include "testenv.h"

#include <QApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QX11Info>
#include <QtTest>

#include <xcb/xcb.h>

#include <cstdlib>

namespace {

int chord(const char *text)
{
    return QKeySequence(QString::fromLatin1(text))[0];
}

// Another X client, as another program holding keys would be.
struct OtherClient
{
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    ~OtherClient() { xcb_disconnect(c); }
    bool grab(quint8 keycode, quint16 mods)
    {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        xcb_generic_error_t *e = xcb_request_check(
            c, xcb_grab_key_checked(c, 0, root, mods, keycode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        std::free(e);
        return !e;
    }
};

} // namespace

class TestHotKeysX11 : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (qEnvironmentVariable("ZV_XVFB") != "1" || !QX11Info::isPlatformX11())
            QSKIP("needs its own Xvfb (run through ctest)");
        if (QStandardPaths::findExecutable("xdotool").isEmpty())
            QSKIP("xdotool is not installed");
    }

    void chordMapsAndAltTakesNothing()
    {
        platform::X11Chord q, altQ, ctrlShiftF5, meta, none;
        QVERIFY(platform::x11Chord(chord("Q"), &q) && platform::x11Chord(chord("Alt+Q"), &altQ));
        QVERIFY(platform::x11Chord(chord("Ctrl+Shift+F5"), &ctrlShiftF5) && platform::x11Chord(chord("Meta+E"), &meta));
        QVERIFY(q.keycode != 0 && q.keycode != ctrlShiftF5.keycode);
        QCOMPARE(q.modifiers, quint16(0));
        QCOMPARE(altQ.keycode, q.keycode);
        QCOMPARE(altQ.modifiers, quint16(XCB_MOD_MASK_1));
        QCOMPARE(ctrlShiftF5.modifiers, quint16(XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT));
        QVERIFY(meta.modifiers != 0 && !(meta.modifiers & (XCB_MOD_MASK_1 | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT)));
        // Nothing that would make X take the whole keyboard: had key code 0
        // (any key) been grabbed for "Alt", others could not grab A.
        for (int c : { 0, chord("Alt"), int(Qt::Key_Control | Qt::ControlModifier), int(Qt::Key_unknown) })
            QVERIFY(!platform::x11Chord(c, &none));
        QxtGlobalShortcut off(QKeySequence("Alt", QKeySequence::NativeText)), empty(QKeySequence {});
        QVERIFY(!off.isRegistered() && !empty.isRegistered());
        QVERIFY(platform::x11Chord(chord("A"), &q));
        OtherClient other;
        QVERIFY(other.grab(q.keycode, 0) && other.grab(q.keycode, XCB_MOD_MASK_1));
    }

    void pressFromAnotherClientFires()
    {
        QxtGlobalShortcut s(QKeySequence("Alt+Q")), sentinel(QKeySequence("Alt+F8"));
        QVERIFY(s.isRegistered());
        QSignalSpy fired(&s, &QxtGlobalShortcut::activated), sentinelFired(&sentinel, &QxtGlobalShortcut::activated);
        // X delivers presses in order: once the sentinel has fired, every key sent before it has been seen.
        auto type = [&](const QStringList &keys) {
            const int before = sentinelFired.count();
            return QProcess::execute("xdotool", QStringList { "key" } + keys + QStringList { "alt+F8" }) == 0
                && QTest::qWaitFor([&]() { return sentinelFired.count() > before; });
        };
        QVERIFY(type({ "alt+q" }));
        QCOMPARE(fired.count(), 1);
        QVERIFY(type({ "Num_Lock", "Caps_Lock", "alt+q", "Num_Lock", "Caps_Lock" })); // with both locks on
        QCOMPARE(fired.count(), 2);
        QVERIFY(type({ "alt+w", "ctrl+alt+q", "q" }));
        QCOMPARE(fired.count(), 2);
        // A chord given back no longer fires; the new one does.
        QVERIFY(s.setShortcut(QKeySequence("Ctrl+Shift+F5")));
        QVERIFY(type({ "alt+q", "ctrl+shift+F5" }));
        QCOMPARE(fired.count(), 3);
    }

    void chordHeldByAnotherClientFailsCleanly()
    {
        platform::X11Chord n;
        QVERIFY(platform::x11Chord(chord("Ctrl+Alt+W"), &n));
        {
            OtherClient other;
            QVERIFY(other.grab(n.keycode, n.modifiers));
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("failed to register: .*Ctrl\\+Alt\\+W"));
            QxtGlobalShortcut s(QKeySequence("Ctrl+Alt+W"));
            QVERIFY(!s.isRegistered());
            // Nothing half-taken stays behind: the other client keeps its grab,
            // and once it is gone the chord can be had.
            QVERIFY(other.grab(n.keycode, n.modifiers));
        }
        QxtGlobalShortcut s(QKeySequence("Ctrl+Alt+W"));
        QVERIFY(s.isRegistered());
    }
};

ZV_TEST_MAIN(TestHotKeysX11)
#include "tst_hotkeys_x11.moc"
