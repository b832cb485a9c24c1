// The X11 grabs of the global hot keys, against a private Xvfb server. The
// ctest entry starts it through xvfb-run and sets ZV_XVFB=1; run any other way
// the test skips, so it never takes keys of a real desktop.
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

bool underXvfb()
{
    return qEnvironmentVariable("ZV_XVFB") == QLatin1String("1") && !qEnvironmentVariableIsEmpty("DISPLAY");
}

int chord(const char *text)
{
    return QKeySequence(QString::fromLatin1(text))[0];
}

bool xdotool(const QStringList &args)
{
    return QProcess::execute(QStringLiteral("xdotool"), args) == 0;
}

// Another X client, as another program holding keys would be.
class OtherClient
{
public:
    OtherClient() : c(xcb_connect(nullptr, nullptr))
    {
        root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    }
    ~OtherClient() { xcb_disconnect(c); }
    bool grab(quint8 keycode, quint16 mods)
    {
        xcb_generic_error_t *e = xcb_request_check(
            c, xcb_grab_key_checked(c, 0, root, mods, keycode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        std::free(e);
        return !e;
    }
    xcb_connection_t *c;
    xcb_window_t root;
};

} // namespace

class TestHotKeysX11 : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (!underXvfb() || !QX11Info::isPlatformX11())
            QSKIP("needs its own Xvfb (run through ctest)");
        if (QStandardPaths::findExecutable("xdotool").isEmpty())
            QSKIP("xdotool is not installed");
    }

    void chordMaps()
    {
        platform::X11Chord q, w, altQ, ctrlShiftF5, meta;
        QVERIFY(platform::x11Chord(chord("Q"), &q));
        QVERIFY(platform::x11Chord(chord("W"), &w));
        QVERIFY(platform::x11Chord(chord("Alt+Q"), &altQ));
        QVERIFY(platform::x11Chord(chord("Ctrl+Shift+F5"), &ctrlShiftF5));
        QVERIFY(platform::x11Chord(chord("Meta+E"), &meta));
        QVERIFY(q.keycode != 0 && w.keycode != 0 && q.keycode != w.keycode);
        QCOMPARE(q.modifiers, quint16(0));
        QCOMPARE(altQ.keycode, q.keycode);
        QCOMPARE(altQ.modifiers, quint16(XCB_MOD_MASK_1));
        QCOMPARE(ctrlShiftF5.modifiers, quint16(XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT));
        QVERIFY(meta.modifiers != 0);
        QVERIFY(!(meta.modifiers & (XCB_MOD_MASK_1 | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT)));

        // Nothing that would make X take the whole keyboard.
        platform::X11Chord none;
        QVERIFY(!platform::x11Chord(0, &none));
        QVERIFY(!platform::x11Chord(chord("Alt"), &none));
        QVERIFY(!platform::x11Chord(Qt::Key_Control | Qt::ControlModifier, &none));
        QVERIFY(!platform::x11Chord(Qt::Key_unknown, &none));
    }

    void pressFromAnotherClientFires()
    {
        // X delivers presses in order: once the sentinel has fired, every
        // press sent before it has been seen.
        QxtGlobalShortcut sentinel(QKeySequence("Alt+F8"));
        QSignalSpy sentinelFired(&sentinel, &QxtGlobalShortcut::activated);
        auto settle = [&]() {
            const int before = sentinelFired.count();
            return xdotool({ "key", "alt+F8" }) && QTest::qWaitFor([&]() { return sentinelFired.count() > before; });
        };

        QxtGlobalShortcut s(QKeySequence("Alt+Q"));
        QVERIFY(s.isRegistered());
        QSignalSpy fired(&s, &QxtGlobalShortcut::activated);
        QVERIFY(xdotool({ "key", "alt+q" }));
        QTRY_COMPARE(fired.count(), 1);
        // Also with NumLock and CapsLock on.
        QVERIFY(xdotool({ "key", "Num_Lock", "Caps_Lock" }));
        QVERIFY(xdotool({ "key", "alt+q" }));
        QTRY_COMPARE(fired.count(), 2);
        QVERIFY(xdotool({ "key", "Num_Lock", "Caps_Lock" }));
        // Another chord does not fire it, nor does Q without Alt.
        QVERIFY(xdotool({ "key", "alt+w", "ctrl+alt+q" }));
        QVERIFY(settle());
        QCOMPARE(fired.count(), 2);
        // A chord given back no longer fires; the new one does.
        QVERIFY(s.setShortcut(QKeySequence("Ctrl+Shift+F5")));
        QVERIFY(xdotool({ "key", "alt+q" }));
        QVERIFY(settle());
        QCOMPARE(fired.count(), 2);
        QVERIFY(xdotool({ "key", "ctrl+shift+F5" }));
        QTRY_COMPARE(fired.count(), 3);
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

    void altTakesNoKeyAtAll()
    {
        QxtGlobalShortcut off(QKeySequence("Alt", QKeySequence::NativeText));
        QxtGlobalShortcut empty(QKeySequence{});
        QVERIFY(!off.isRegistered());
        QVERIFY(!empty.isRegistered());
        // Had key code 0 been grabbed, every key would be taken from others.
        platform::X11Chord a;
        QVERIFY(platform::x11Chord(chord("A"), &a));
        OtherClient other;
        QVERIFY(other.grab(a.keycode, 0));
        QVERIFY(other.grab(a.keycode, XCB_MOD_MASK_1));
    }

    void ourTwoHotKeysOnOneChord()
    {
        QxtGlobalShortcut first(QKeySequence("Alt+E"));
        QSignalSpy fired(&first, &QxtGlobalShortcut::activated);
        {
            QxtGlobalShortcut second;
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("failed to register: .*Alt\\+E"));
            QVERIFY(!second.setShortcut(QKeySequence("Alt+E")));
            QVERIFY(second.setShortcut(QKeySequence("Alt+R")));
        }
        QVERIFY(xdotool({ "key", "alt+e" }));
        QTRY_COMPARE(fired.count(), 1);
    }
};

int main(int argc, char *argv[])
{
    static TestEnv env;
    if (underXvfb())
        qputenv("QT_QPA_PLATFORM", "xcb");
    else
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestHotKeysX11 tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_hotkeys_x11.moc"
