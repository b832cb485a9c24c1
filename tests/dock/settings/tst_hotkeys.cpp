#include "dock/settings/customkeysequenceedit.h"
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

// The hot-key engine against a fake of the system's grabs, and the chord field.
class TestHotKeys : public QObject
{
    Q_OBJECT
private slots:
    void chordFiresItsShortcut()
    {
        FakeGlobalHotKeys keys;
        QxtGlobalShortcut s(QKeySequence("Alt+Q", QKeySequence::NativeText));
        QSignalSpy fired(&s, &QxtGlobalShortcut::activated);
        QVERIFY(s.isRegistered());
        QCOMPARE(keys.grabbed, QSet<int>({ chord("Alt+Q") }));
        QCOMPARE(s.shortcut(), QKeySequence("Alt+Q"));
        QVERIFY(keys.press(chord("Alt+Q")));
        QCOMPARE(fired.count(), 1);
        QVERIFY(!keys.press(chord("Alt+W")));
        QCOMPARE(fired.count(), 1);
    }

    void rebindingGivesTheOldChordBack()
    {
        FakeGlobalHotKeys keys;
        QxtGlobalShortcut s(QKeySequence("Alt+Q"));
        QSignalSpy fired(&s, &QxtGlobalShortcut::activated);
        QVERIFY(s.setShortcut(QKeySequence("Ctrl+Shift+F5")));
        QCOMPARE(keys.ungrabCalls, QList<int>({ chord("Alt+Q") }));
        QCOMPARE(keys.grabbed, QSet<int>({ chord("Ctrl+Shift+F5") }));
        QVERIFY(!keys.press(chord("Alt+Q")));
        keys.press(chord("Ctrl+Shift+F5"));
        QCOMPARE(fired.count(), 1);
    }

    // "Alt" is how the panel switches a hot key off: it must take no key at
    // all, and neither must an empty chord.
    void altAndEmptyTakeNothing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("Alt") << "Alt";
        QTest::newRow("Ctrl") << "Ctrl";
        QTest::newRow("empty") << "";
    }

    void altAndEmptyTakeNothing()
    {
        QFETCH(QString, text);
        FakeGlobalHotKeys keys;
        QxtGlobalShortcut s(QKeySequence("Alt+Q"));
        QVERIFY(!s.setShortcut(QKeySequence(text, QKeySequence::NativeText)));
        QVERIFY(!s.isRegistered());
        QVERIFY(keys.grabbed.isEmpty());
        QCOMPARE(keys.grabCalls.size(), 1); // only Alt+Q was ever asked for
        QCOMPARE(s.shortcut(), QKeySequence(text, QKeySequence::NativeText));
        // And the next chord binds as usual, with nothing to give back first.
        QVERIFY(s.setShortcut(QKeySequence("Alt+Z")));
        QCOMPARE(keys.ungrabCalls.size(), 1);
    }

    void onlyTheFirstChordOfASequence()
    {
        FakeGlobalHotKeys keys;
        QxtGlobalShortcut s(QKeySequence("Ctrl+K, Ctrl+S"));
        QCOMPARE(keys.grabbed, QSet<int>({ chord("Ctrl+K") }));
        QCOMPARE(s.shortcut(), QKeySequence("Ctrl+K"));
    }

    void chordHeldElsewhereFailsCleanly()
    {
        FakeGlobalHotKeys keys;
        keys.heldElsewhere << chord("Ctrl+Alt+T");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("QxtGlobalShortcut failed to register: .*Ctrl\\+Alt\\+T"));
        QxtGlobalShortcut s(QKeySequence("Ctrl+Alt+T"));
        QVERIFY(!s.isRegistered());
        QCOMPARE(s.shortcut(), QKeySequence("Ctrl+Alt+T"));
        QVERIFY(s.setShortcut(QKeySequence("Ctrl+Alt+Y")));
        QVERIFY(keys.ungrabCalls.isEmpty()); // nothing to give back
    }

    void twoHotKeysNeverShareAChord()
    {
        FakeGlobalHotKeys keys;
        QxtGlobalShortcut first(QKeySequence("Alt+Q"));
        QSignalSpy firstFired(&first, &QxtGlobalShortcut::activated);
        {
            QxtGlobalShortcut second;
            QSignalSpy secondFired(&second, &QxtGlobalShortcut::activated);
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("failed to register: .*Alt\\+Q"));
            QVERIFY(!second.setShortcut(QKeySequence("Alt+Q")));
            keys.press(chord("Alt+Q"));
            QCOMPARE(firstFired.count(), 1);
            QCOMPARE(secondFired.count(), 0);
            // Moving the refused one elsewhere must not free the first one's chord.
            QVERIFY(second.setShortcut(QKeySequence("Alt+W")));
            QVERIFY(keys.grabbed.contains(chord("Alt+Q")));
        }
        // Nor must its end.
        QVERIFY(keys.grabbed.contains(chord("Alt+Q")));
        QVERIFY(!keys.grabbed.contains(chord("Alt+W")));
        keys.press(chord("Alt+Q"));
        QCOMPARE(firstFired.count(), 2);
    }

    void endingAShortcutGivesItsChordBack()
    {
        FakeGlobalHotKeys keys;
        auto *s = new QxtGlobalShortcut(QKeySequence("Alt+D"));
        delete s;
        QVERIFY(keys.grabbed.isEmpty());
        QxtGlobalShortcut again(QKeySequence("Alt+D"));
        QVERIFY(again.isRegistered());
    }

    void disabledSwallowsPresses()
    {
        FakeGlobalHotKeys keys;
        QxtGlobalShortcut s(QKeySequence("Alt+C"));
        QSignalSpy fired(&s, &QxtGlobalShortcut::activated);
        s.setDisabled();
        QVERIFY(!s.isEnabled());
        QVERIFY(keys.press(chord("Alt+C")));
        QCOMPARE(fired.count(), 0);
        QVERIFY(s.isRegistered());
        s.setEnabled();
        keys.press(chord("Alt+C"));
        QCOMPARE(fired.count(), 1);
        s.setProperty("enabled", false);
        QVERIFY(!s.isEnabled());
    }

    void fieldReportsEachChordOnce()
    {
        CustomKeySequenceEdit edit;
        QSignalSpy key(&edit, &CustomKeySequenceEdit::setKey);
        QTest::keyPress(&edit, Qt::Key_Control, Qt::ControlModifier);
        QTest::keyPress(&edit, Qt::Key_K, Qt::ControlModifier);
        QTest::keyRelease(&edit, Qt::Key_K, Qt::ControlModifier);
        QTest::keyRelease(&edit, Qt::Key_Control);
        QCOMPARE(key.count(), 1);
        QCOMPARE(key.takeFirst().at(0).toString(), QString("Ctrl+K"));
        // A second chord replaces the first instead of being appended.
        QTest::keyClick(&edit, Qt::Key_F5);
        QCOMPARE(key.takeFirst().at(0).toString(), QString("F5"));
        QCOMPARE(edit.keySequence(), QKeySequence("F5"));
        edit.revert();
        QCOMPARE(edit.keySequence(), QKeySequence("Ctrl+K"));
    }
};

ZV_TEST_MAIN(TestHotKeys)
#include "tst_hotkeys.moc"
