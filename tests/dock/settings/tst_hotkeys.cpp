// The hot-key engine against a fake of the system's grabs.
#include "dock/settings/qxtglobalshortcut.h"
#include "fakesettings.h"
#include "testenv.h"

#include <QApplication>
#include <QSignalSpy>
#include <QtTest>

namespace {
int chord(const char *text)
{
    return QKeySequence(QString::fromLatin1(text), QKeySequence::NativeText)[0];
}
} // namespace

class TestHotKeys : public QObject
{
    Q_OBJECT
private slots:
    void bindRebindDisableAndEnd()
    {
        FakeGlobalHotKeys keys;
        auto *s = new QxtGlobalShortcut(QKeySequence("Ctrl+K, Ctrl+S")); // only the first chord counts
        QSignalSpy fired(s, &QxtGlobalShortcut::activated);
        QCOMPARE(keys.grabbed, QSet<int>({ chord("Ctrl+K") }));
        QVERIFY(keys.press(chord("Ctrl+K")));
        QCOMPARE(fired.count(), 1);
        // Rebinding gives the old chord back.
        QVERIFY(s->setShortcut(QKeySequence("Alt+Q")));
        QCOMPARE(keys.ungrabCalls, QList<int>({ chord("Ctrl+K") }));
        QCOMPARE(keys.grabbed, QSet<int>({ chord("Alt+Q") }));
        // Disabled, it keeps its chord and swallows the presses.
        s->setDisabled();
        QVERIFY(keys.press(chord("Alt+Q")));
        s->setEnabled();
        keys.press(chord("Alt+Q"));
        QCOMPARE(fired.count(), 2);
        delete s;
        QVERIFY(keys.grabbed.isEmpty());
    }

    // "Alt" is how the panel switches a hot key off: it must take no key at
    // all, and neither must an empty chord.
    void altAndEmptyTakeNothing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("Alt") << "Alt";
        QTest::newRow("empty") << "";
    }
    void altAndEmptyTakeNothing()
    {
        QFETCH(QString, text);
        FakeGlobalHotKeys keys;
        QxtGlobalShortcut s(QKeySequence("Alt+Q"));
        QVERIFY(!s.setShortcut(QKeySequence(text, QKeySequence::NativeText)));
        QVERIFY(!s.isRegistered() && keys.grabbed.isEmpty());
        QCOMPARE(keys.grabCalls.size(), 1); // only Alt+Q was ever asked for
        // And the next chord binds as usual, with nothing to give back first.
        QVERIFY(s.setShortcut(QKeySequence("Alt+Z")));
        QCOMPARE(keys.ungrabCalls.size(), 1);
    }

    void chordHeldElsewhereOrByAnotherHotKeyFailsCleanly()
    {
        FakeGlobalHotKeys keys;
        keys.heldElsewhere << chord("Ctrl+Alt+T");
        QxtGlobalShortcut first(QKeySequence("Alt+Q"));
        QSignalSpy firstFired(&first, &QxtGlobalShortcut::activated);
        {
            QxtGlobalShortcut second;
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("failed to register: .*Ctrl\\+Alt\\+T"));
            QVERIFY(!second.setShortcut(QKeySequence("Ctrl+Alt+T")));
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("failed to register: .*Alt\\+Q"));
            QVERIFY(!second.setShortcut(QKeySequence("Alt+Q")));
            QVERIFY(keys.ungrabCalls.isEmpty()); // nothing to give back
            // Moving the refused one elsewhere, or its end, must not free the first one's chord.
            QVERIFY(second.setShortcut(QKeySequence("Alt+W")));
        }
        QCOMPARE(keys.grabbed, QSet<int>({ chord("Alt+Q") }));
        keys.press(chord("Alt+Q"));
        QCOMPARE(firstFired.count(), 1);
    }

    // Suspended, the hot keys give their chords back and keep them: a chord
    // given meanwhile is taken at the end, one another program took
    // meanwhile is lost with a warning; nested suspensions end with the last.
    void suspendedHotKeysKeepTheirChords()
    {
        FakeGlobalHotKeys keys;
        QxtGlobalShortcut q(QKeySequence("Alt+Q"));
        QxtGlobalShortcut s(QKeySequence("Alt+S"));
        QxtGlobalShortcut x(QKeySequence("Alt+X"));
        QSignalSpy fired(&q, &QxtGlobalShortcut::activated);
        QxtGlobalShortcut::suspend();
        QxtGlobalShortcut::suspend();
        QVERIFY(QxtGlobalShortcut::isSuspended());
        QCOMPARE(keys.grabbed, QSet<int>());
        QVERIFY(!keys.press(chord("Alt+Q")));
        QCOMPARE(fired.count(), 0);
        QVERIFY(x.setShortcut(QKeySequence("Alt+Z")));
        QCOMPARE(keys.grabbed, QSet<int>());
        // Another hot key's chord is still refused while suspended.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("failed to register: .*Alt\\+Q"));
        QVERIFY(!x.setShortcut(QKeySequence("Alt+Q")));
        QVERIFY(x.setShortcut(QKeySequence("Alt+Z")));
        keys.heldElsewhere << chord("Alt+S");
        QxtGlobalShortcut::resume();
        QVERIFY(QxtGlobalShortcut::isSuspended());
        QCOMPARE(keys.grabbed, QSet<int>());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("failed to register: .*Alt\\+S"));
        QxtGlobalShortcut::resume();
        QVERIFY(!QxtGlobalShortcut::isSuspended());
        QCOMPARE(keys.grabbed, QSet<int>({ chord("Alt+Q"), chord("Alt+Z") }));
        QVERIFY(q.isRegistered() && x.isRegistered() && !s.isRegistered());
        keys.press(chord("Alt+Q"));
        QCOMPARE(fired.count(), 1);
        // A resume too many changes nothing.
        QxtGlobalShortcut::resume();
        QCOMPARE(keys.grabbed, QSet<int>({ chord("Alt+Q"), chord("Alt+Z") }));
    }
};

ZV_TEST_MAIN(TestHotKeys)
#include "tst_hotkeys.moc"
