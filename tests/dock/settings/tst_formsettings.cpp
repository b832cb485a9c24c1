// The settings panel: each control's signal, config.ini read and written key by
// key, the margin's maximum per screen, a stored screen that is not attached,
// and the hot-key fields with their clash and lone-modifier rules.
#include "dock/settings/customkeysequenceedit.h"
#include "dock/settings/formsettings.h"
#include "testconfig.h"
#include "fakesettings.h"
#include "platform/paths.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QMetaEnum>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <QSettings>
#include <QSignalSpy>
#include <QSlider>
#include <QToolTip>
#include <QLineEdit>
#include <QtTest>

namespace {

QString configFile()
{
    return platform::configPath("config.ini");
}

QString stored(const QString &key)
{
    return TestConfig::stored(key).toString();
}

using TestConfig::write;

template <class T = QWidget>
T *child(FormSettings &p, const QString &name)
{
    T *w = p.findChild<T *>(name);
    return w ? w : (qFatal("no child %s", qPrintable(name)), nullptr);
}

// A choice button is lit when its normal state (before the first "}") has the highlight.
bool lit(FormSettings &p, const char *button)
{
    return child(p, button)->styleSheet().section('}', 0, 0).contains("#5294E2");
}

// The five hot-key fields (in the order of their keys in config.ini), their
// clear buttons and the codes they send.
const QList<QStringList> hotKeys { { "keySequenceEditLaunchPad", "keySequenceButton0", "LaunchPad" },
                                   { "keySequenceEditvesk", "keySequenceButton1", "vesk" },
                                   { "keySequenceEditScreenshot", "keySequenceButton2", "Screenshot" },
                                   { "keySequenceEditColor", "keySequenceButton3", "Color" },
                                   { "keySequenceEditDock", "keySequenceButton4", "Dock" } };

} // namespace

class TestFormSettings : public QObject
{
    Q_OBJECT
    FakeAutostart autostart;

private slots:
    void init() { TestConfig::reset(); }

    void eachControlSetsItsKey_data()
    {
        // Sliders and combos are set to the value sent; buttons are clicked.
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("sent");
        auto row = [](const char *control, const QString &key, const QVariant &sent) {
            QTest::addRow("%s", control) << QString(control) << key << sent;
        };
        const char *switches[][2] = {
            { "checkBoxLocking", "locking" }, { "checkBoxHide", "hide" }, { "checkBoxUpgrade", "upgradeNotice" },
            { "checkBoxMousePop", "mouseMaximize" }, { "checkBoxMousePop2", "mouseFullScreen" },
            { "checkBoxSensing", "inductionIco" }, { "checkBoxWorkArea", "workArea" },
            { "IconDoubleClick", "iconDoubleClick" }, { "checkBoxTaskbarAlpha", "taskbarAlpha" },
            { "checkBoxTaskbarblurry", "taskbarBlurry" }, { "checkBoxTaskbarHide", "taskbarHide" },
            { "checkBoxDesktopIcon", "desktopIcon" }, { "checkBoxWinShow", "winShow" },
        };
        for (const auto &s : switches)
            row(s[0], s[1], true);
        const char *numbers[][2] = {
            { "Margin", "margin" }, { "icoSize", "icoSize" }, { "icoScale", "icoScale" },
            { "icoNameSize", "icoNameSize" }, { "TransparentBackground", "transparentBackground" },
            { "comboBoxScreen", "screen" }, { "comboBoxIconClick", "click" },
            { "comboBoxBackgroundStyle", "backgroundStyle" }, { "LanguageClick", "language" },
        };
        const int values[] = { 40, 64, 80, 20, 128, 1, 0, 2, 1 };
        for (int i = 0; i < 9; ++i)
            row(numbers[i][0], numbers[i][1], i == 8 ? QVariant("1") : QVariant(values[i]));
        const char *edges[] = { "topButton", "rightButton", "bottomButton", "leftButton" };
        const char *levels[] = { "frontButton", "centerButton", "belowButton" };
        for (int i = 0; i < 4; ++i) {
            row(edges[i], "location", i);
            if (i < 3)
                row(levels[i], "level", i);
        }
        row("upgradeButton", "upDate()", QVariant());
        row("aboutButton", "showAbout()", QVariant());
    }
    // Each control sets its key of the settings at once, whose users hear of
    // it by the settings' one signal; the two buttons that ask the dock for
    // something send their signal.
    void eachControlSetsItsKey()
    {
        QFETCH(QString, control);
        QFETCH(QString, key);
        QFETCH(QVariant, sent);
        FormSettings p;
        DockSettings *set = p.settings();
        QSignalSpy changed(set, &DockSettings::changed);
        if (!sent.isValid()) {
            QSignalSpy asked(&p, QByteArray("2" + key.toLatin1()).constData());
            child<QAbstractButton>(p, control)->click();
            QCOMPARE(asked.count(), 1);
            QCOMPARE(changed.count(), 0);
            return;
        }
        if (auto *slider = qobject_cast<QSlider *>(child(p, control))) {
            slider->setValue(sent.toInt());
        } else if (auto *combo = qobject_cast<QComboBox *>(child(p, control))) {
            while (combo->count() <= sent.toInt())
                combo->addItem("屏幕2"); // a second screen, as the panel would list it
            combo->setCurrentIndex(sent.toInt());
        } else {
            child<QAbstractButton>(p, control)->click();
        }
        const auto k = DockSettings::Key(QMetaEnum::fromType<DockSettings::Key>().keyToValue(key.toLatin1()));
        QList<DockSettings::Key> heard;
        for (const QList<QVariant> &args : changed)
            heard << args.at(0).value<DockSettings::Key>();
        QCOMPARE(heard.count(k), 1);
        QCOMPARE(set->read(k), sent);
    }

    // Read from one file, saved into another that holds only what is not the
    // panel's: every key comes back by its exact name with its value.
    void everyKeyIsReadAndSavedByItsName()
    {
        const QVariantMap others = { { "System/Pop", "true" }, { "System/AppPath", "/opt/zorvane" },
                                     { "System/StartUpRemind", "false" }, { "Hotkey/LaunchPad", "Alt+Q" },
                                     { "Hotkey/Vesk", "Ctrl+Alt+S" }, { "Hotkey/Screenshot", "Alt" },
                                     { "Hotkey/ColorPicker", "F5" }, { "Hotkey/Zorvane", "Alt+D" } };
        QVariantMap file = {
            { "System/Screen", "0" }, { "System/IcoSize", "72" }, { "System/IcoNameSize", "18" },
            { "System/IcoScale", "40" }, { "System/Level", "2" }, { "System/Location", "1" },
            { "System/BackgroundStyle", "1" }, { "System/TransparentBackground", "150" }, { "System/Click", "0" },
            { "System/Language", "1" }, { "System/Margin", "12" }, { "System/IconDoubleClick", "true" },
            { "System/Locking", "false" }, { "System/Hide", "true" }, { "System/UpgradeNotice", "false" },
            { "System/MouseMaximize", "true" }, { "System/MouseFullScree", "false" }, { "System/InductionIco", "true" },
            { "System/WorkArea", "false" }, { "System/TaskbarAlpha", "true" }, { "System/TaskbarBlurry", "false" },
            { "System/TaskbarHide", "true" }, { "System/DesktopIcon", "false" }, { "System/WinShow", "true" },
        };
        file.insert(others);
        write(file);
        FormSettings p;
        QSignalSpy changed(p.settings(), &DockSettings::changed);
        p.readSettings();
        // A cleared hot key ("Alt") shows its text but holds no chord.
        const QStringList shown { "Alt+Q", "Ctrl+Alt+S", "Alt", "F5", "Alt+D" };
        const QStringList chords { "Alt+Q", "Ctrl+Alt+S", "", "F5", "Alt+D" };
        for (int i = 0; i < hotKeys.size(); ++i) {
            auto *edit = child<CustomKeySequenceEdit>(p, hotKeys[i][0]);
            QCOMPARE(edit->findChild<QLineEdit *>()->text(), shown[i]);
            QCOMPARE(edit->keySequence().toString(), chords[i]);
        }
        QVERIFY(!child(p, "checkBoxTaskbarblurry")->isHidden());
        QVERIFY(lit(p, "rightButton") && lit(p, "belowButton") && !lit(p, "topButton"));
        // Showing the file changes none of it.
        QCOMPARE(changed.count(), 0);

        write(others);
        p.SaveSettings();
        QSettings set(configFile(), QSettings::IniFormat);
        QStringList keys = set.allKeys();
        keys.sort();
        QCOMPARE(keys, file.keys()); // a map's keys come sorted
        for (auto it = file.begin(); it != file.end(); ++it)
            QCOMPARE(set.value(it.key()).toString(), it.value().toString());
        // A new language is saved with every other key, and announced once:
        // the dock restarts on it.
        write(file);
        p.readSettings();
        changed.clear();
        child<QComboBox>(p, "LanguageClick")->setCurrentIndex(0);
        QCOMPARE(stored("System/Language"), QString("0"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.first().first().value<DockSettings::Key>(), DockSettings::Key::language);
    }

    // A language the list does not have shows none: reading it neither saves
    // nor asks the dock to restart.
    void anUnknownLanguageIsNoChange()
    {
        write({ { "System/Language", "3" }, { "System/Margin", "12" } });
        FormSettings p;
        QSignalSpy changed(p.settings(), &DockSettings::changed);
        p.readSettings();
        QCOMPARE(child<QComboBox>(p, "LanguageClick")->currentIndex(), -1);
        for (const QList<QVariant> &args : changed)
            QVERIFY(args.at(0).value<DockSettings::Key>() != DockSettings::Key::language);
        QCOMPARE(stored("System/Language"), QString("3"));
        QVERIFY(!QSettings(configFile(), QSettings::IniFormat).contains("System/Screen")); // nothing saved
    }

    void unparseableConfigIsKeptAside()
    {
        TestConfig::writeIni("[System\nScreen=1\n"); // read as the dock does at start
        FormSettings p;
        p.SaveSettings();
        QVERIFY(QFile::remove(configFile() + ".bad"));
        QCOMPARE(stored("System/IcoSize"), QString("50"));
    }

    // Also run under a 1366 pixels wide Xvfb screen by ctest.
    void marginMaximumIsAThirdOfTheScreen()
    {
        const int width = QGuiApplication::screens().at(0)->availableGeometry().width();
        write({ { "System/Screen", "0" }, { "System/Margin", "600" } });
        FormSettings p;
        p.readSettings();
        QSlider *margin = child<QSlider>(p, "Margin");
        QCOMPARE(margin->maximum(), width / 3);
        QCOMPARE(margin->value(), qMin(600, width / 3));

        // A stored screen that is not attached: the first one is shown and
        // measured, and the setting is kept until the user picks a screen.
        const QString missing = QString::number(QGuiApplication::screens().size() + 1);
        write({ { "System/Screen", missing }, { "System/Margin", "10" } });
        margin->setMaximum(1000);
        p.readSettings();
        QComboBox *combo = child<QComboBox>(p, "comboBoxScreen");
        QCOMPARE(combo->currentIndex(), 0);
        QCOMPARE(margin->maximum(), width / 3);
        p.SaveSettings();
        QCOMPARE(stored("System/Screen"), missing);
        QMetaObject::invokeMethod(combo, "activated", Q_ARG(int, 0));
        p.SaveSettings();
        QCOMPARE(stored("System/Screen"), QString("0"));
    }

    void closingSendsOneCloseThenSaves_data()
    {
        QTest::addColumn<bool>("button");
        QTest::newRow("close button") << true;
        QTest::newRow("close request") << false;
    }
    void closingSendsOneCloseThenSaves()
    {
        QFETCH(bool, button);
        FormSettings p;
        p.show();
        QSignalSpy closed(&p, &FormSettings::setClose);
        bool savedFirst = false;
        connect(&p, &FormSettings::setClose, this, [&]() { savedFirst = QFile::exists(configFile()); });
        button ? child<QPushButton>(p, "close")->click() : void(p.close());
        QCOMPARE(closed.count(), 1);
        QVERIFY(!savedFirst && p.isHidden()); // the dock hears of it before the file is written
        QCOMPARE(QSettings(configFile(), QSettings::IniFormat).allKeys().size(), 24);
    }

    // Scrolling the page over a slider or a list moves the page and changes
    // no setting; a control that has the focus takes the wheel.
    void theWheelScrollsThePageOverItsControls()
    {
        FormSettings p;
        p.resize(568, 458);
        p.show();
        QVERIFY(QTest::qWaitForWindowExposed(&p));
        child<QComboBox>(p, "comboBoxScreen")->addItem("屏幕2"); // a second screen to go to
        auto *page = child<QScrollArea>(p, "scrollArea1")->verticalScrollBar();
        const auto valueOf = [](QWidget *w) {
            auto *slider = qobject_cast<QAbstractSlider *>(w);
            return slider ? slider->value() : static_cast<QComboBox *>(w)->currentIndex();
        };
        for (const char *name : { "icoSize", "icoScale", "icoNameSize", "TransparentBackground", "Margin",
                                  "comboBoxBackgroundStyle", "comboBoxIconClick", "comboBoxScreen" }) {
            QWidget *control = child(p, name);
            if (auto *slider = qobject_cast<QSlider *>(control))
                slider->setValue((slider->minimum() + slider->maximum()) / 2);
            else
                static_cast<QComboBox *>(control)->setCurrentIndex(0);
            const int value = valueOf(control);
            page->setValue(200);
            QSignalSpy sent(p.settings(), &DockSettings::changed);
            const QPoint at = control->rect().center();
            QWheelEvent down(at, control->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                             Qt::NoScrollPhase, false);
            QApplication::sendEvent(control, &down);
            QCOMPARE(valueOf(control), value);
            QVERIFY2(page->value() > 200, name);
            QCOMPARE(sent.count(), 0);
            control->setFocusPolicy(Qt::StrongFocus);
            control->setFocus();
            QTRY_VERIFY(control->hasFocus());
            QWheelEvent again(at, control->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(control, &again);
            QVERIFY2(valueOf(control) != value, name);
            control->clearFocus();
            control->setFocusPolicy(Qt::NoFocus);
        }
    }

    void autostartBox()
    {
        const QString program = platform::Autostart::programPath();
        FormSettings p;
        QCheckBox *box = child<QCheckBox>(p, "StartUp");
        autostart.present = true;
        for (const QString &entry : { program, QString(), program + "-old" }) { // only this very program ticks it
            autostart.stored = entry;
            p.readSettings();
            QCOMPARE(box->isChecked(), entry == program);
        }
        box->click();
        box->click();
        QCOMPARE(autostart.writes.mid(autostart.writes.size() - 2), (QStringList { program, QString() }));
        autostart.present = false;
    }

    void hotKeyFields()
    {
        write({ { "Hotkey/LaunchPad", "Alt+Q" }, { "Hotkey/Vesk", "Alt+S" }, { "Hotkey/Zorvane", "Alt" } });
        FormSettings p;
        p.show();
        p.readSettings();
        QSignalSpy key(&p, &FormSettings::setKey);
        auto *launch = child<CustomKeySequenceEdit>(p, "keySequenceEditLaunchPad");
        // A modifier alone stores nothing.
        QTest::keyPress(launch, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyRelease(launch, Qt::Key_Alt);
        QCOMPARE(key.count(), 0);
        QCOMPARE(launch->keySequence(), QKeySequence("Alt+Q"));
        // Another field's chord is refused, with a word why.
        QTest::keyClick(launch, Qt::Key_S, Qt::AltModifier);
        QCOMPARE(key.count(), 0);
        QCOMPARE(launch->keySequence(), QKeySequence("Alt+Q"));
        QVERIFY(QToolTip::text().contains("此热键已被其他功能使用"));
        // A chord of nobody's is fine, and the one given up is free for the others.
        QTest::keyClick(launch, Qt::Key_F9);
        QCOMPARE(key.takeFirst(), (QVariantList { "LaunchPad", "F9" }));
        QTest::keyClick(child<CustomKeySequenceEdit>(p, "keySequenceEditvesk"), Qt::Key_Q, Qt::AltModifier);
        QCOMPARE(key.takeFirst(), (QVariantList { "vesk", "Alt+Q" }));
        // Each field sends its own code, and clearing sends "Alt".
        for (int i = 0; i < hotKeys.size(); ++i) {
            auto *edit = child<CustomKeySequenceEdit>(p, hotKeys[i][0]);
            QTest::keyClick(edit, Qt::Key(Qt::Key_1 + i), Qt::ControlModifier | Qt::AltModifier);
            QCOMPARE(key.takeFirst(), (QVariantList { hotKeys[i][2], QString("Ctrl+Alt+%1").arg(i + 1) }));
            child<QPushButton>(p, hotKeys[i][1])->click();
            QCOMPARE(key.takeFirst(), (QVariantList { hotKeys[i][2], "Alt" }));
            QVERIFY(edit->keySequence().isEmpty() && key.isEmpty());
        }
    }

    // What the panel changes reaches the users of each setting at once,
    // through the settings' one signal, the new value in hand; the file holds
    // it from the panel's close on, and what is saved unchanged is not
    // announced.
    void aChangeReachesItsUsersAtOnceAndTheFileAtTheClose()
    {
        FakeAutostart autostart;
        write({ { "System/IconDoubleClick", false }, { "System/Locking", false }, { "System/IcoSize", 48 } });
        FormSettings p;
        p.readSettings();
        p.show();
        DockSettings *set = p.settings();
        QHash<DockSettings::Key, QVariant> heard;
        connect(set, &DockSettings::changed, this, [&](DockSettings::Key k) { heard.insert(k, set->read(k)); });
        child<QCheckBox>(p, "IconDoubleClick")->click();
        child<QSlider>(p, "icoSize")->setValue(52);
        QCOMPARE(heard.value(DockSettings::Key::iconDoubleClick), QVariant(true));
        QCOMPARE(heard.value(DockSettings::Key::icoSize), QVariant(52));
        QVERIFY(!heard.contains(DockSettings::Key::locking));
        QCoreApplication::processEvents(); // where a save that was not held is written
        QCOMPARE(stored("System/IcoSize"), QString("48"));
        heard.clear();
        child<QPushButton>(p, "close")->click();
        for (auto k : { DockSettings::Key::iconDoubleClick, DockSettings::Key::icoSize, DockSettings::Key::locking })
            QVERIFY(!heard.contains(k));
        QCOMPARE(stored("System/IcoSize"), QString("52"));
        QCOMPARE(stored("System/IconDoubleClick"), QString("true"));
        // Closed, a change is written soon again by whoever makes it.
        QVERIFY(!set->savesHeld());
    }
};

ZV_TEST_MAIN(TestFormSettings)
#include "tst_formsettings.moc"
