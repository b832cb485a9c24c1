#include "dock/settings/customkeysequenceedit.h"
#include "dock/settings/formsettings.h"
#include "fakesettings.h"
#include "platform/paths.h"
#include "testenv.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QSlider>
#include <QToolTip>
#include <QtTest>

namespace {

QString configFile()
{
    return platform::configPath("config.ini");
}

void writeConfig(const QVariantMap &values)
{
    QFile::remove(configFile());
    QSettings set(configFile(), QSettings::IniFormat);
    for (auto it = values.begin(); it != values.end(); ++it)
        set.setValue(it.key(), it.value());
}

// The style of a button's normal state (before its first "}").
QString normalState(const QWidget *w)
{
    return w->styleSheet().section('}', 0, 0);
}

} // namespace

class TestFormSettings : public QObject
{
    Q_OBJECT

    template <class T>
    T *child(FormSettings &p, const char *name)
    {
        T *w = p.findChild<T *>(QLatin1String(name));
        if (!w)
            qFatal("no child %s", name);
        return w;
    }

private slots:
    void init()
    {
        QFile::remove(configFile());
    }

    // The dock window connects these by name: their signatures are the interface.
    void signalsAreTheOnesTheDockConnects()
    {
        const QStringList expected = {
            "setClose()", "setScreen(int)", "setMargin(int)", "setPosition(int)", "setLevel(int)",
            "setIcoSize(int)", "setIcoNameSize(int)", "setIcoScale(int)", "setBackgroundStyle(int)",
            "setTransparentBackground(int)", "setClick(int)", "setLocking(bool)", "setHide(bool)",
            "setUpgradeNotice(bool)", "setMousePop(bool)", "setMouseMaximize(bool)", "setMouseFullScreen(bool)",
            "setInductionIco(bool)", "setWinShow(bool)", "setIconDoubleClick(bool)", "setTaskbarAlpha(bool)",
            "setTaskbarBlurry(bool)", "setTaskbarHide(bool)", "setDesktopIcon(bool)", "setWorkArea(bool)",
            "setLanguage(int)", "upDate()", "showAbout()", "setKey(QString,QString)"
        };
        QStringList found;
        const QMetaObject &mo = FormSettings::staticMetaObject;
        for (int i = mo.methodOffset(); i < mo.methodCount(); ++i)
            if (mo.method(i).methodType() == QMetaMethod::Signal)
                found << QString::fromLatin1(mo.method(i).methodSignature());
        QCOMPARE(found, expected);
    }

    void eachSwitchSendsItsSignal_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("signal");
        QTest::newRow("locking") << "checkBoxLocking" << "setLocking(bool)";
        QTest::newRow("hide") << "checkBoxHide" << "setHide(bool)";
        QTest::newRow("upgrade") << "checkBoxUpgrade" << "setUpgradeNotice(bool)";
        QTest::newRow("maximize") << "checkBoxMousePop" << "setMouseMaximize(bool)";
        QTest::newRow("fullscreen") << "checkBoxMousePop2" << "setMouseFullScreen(bool)";
        QTest::newRow("sensing") << "checkBoxSensing" << "setInductionIco(bool)";
        QTest::newRow("workarea") << "checkBoxWorkArea" << "setWorkArea(bool)";
        QTest::newRow("doubleclick") << "IconDoubleClick" << "setIconDoubleClick(bool)";
        QTest::newRow("taskbaralpha") << "checkBoxTaskbarAlpha" << "setTaskbarAlpha(bool)";
        QTest::newRow("taskbarblurry") << "checkBoxTaskbarblurry" << "setTaskbarBlurry(bool)";
        QTest::newRow("taskbarhide") << "checkBoxTaskbarHide" << "setTaskbarHide(bool)";
        QTest::newRow("desktopicon") << "checkBoxDesktopIcon" << "setDesktopIcon(bool)";
    }

    void eachSwitchSendsItsSignal()
    {
        QFETCH(QString, box);
        QFETCH(QString, signal);
        FormSettings p;
        QSignalSpy spy(&p, QByteArray("2" + signal.toLatin1()).constData());
        QVERIFY(spy.isValid());
        QCheckBox *b = child<QCheckBox>(p, qPrintable(box));
        b->click();
        b->click();
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(0).at(0).toBool(), true);
        QCOMPARE(spy.at(1).at(0).toBool(), false);
    }

    void slidersAndCombosSendTheirValues()
    {
        FormSettings p;
        QSignalSpy margin(&p, &FormSettings::setMargin);
        QSignalSpy size(&p, &FormSettings::setIcoSize);
        QSignalSpy scale(&p, &FormSettings::setIcoScale);
        QSignalSpy name(&p, &FormSettings::setIcoNameSize);
        QSignalSpy alpha(&p, &FormSettings::setTransparentBackground);
        QSignalSpy screen(&p, &FormSettings::setScreen);
        QSignalSpy click(&p, &FormSettings::setClick);
        QSignalSpy style(&p, &FormSettings::setBackgroundStyle);

        child<QSlider>(p, "Margin")->setValue(40);
        QCOMPARE(margin.takeFirst().at(0).toInt(), 40);
        QCOMPARE(child<QLabel>(p, "labelicoSize_2")->text(), QString("40px"));

        // A new icon size also sends the unchanged magnified size after it.
        child<QSlider>(p, "icoSize")->setValue(64);
        QCOMPARE(size.takeFirst().at(0).toInt(), 64);
        QCOMPARE(scale.takeFirst().at(0).toInt(), 36);
        QCOMPARE(child<QLabel>(p, "labelicoSize")->text(), QString("64px"));
        child<QSlider>(p, "icoScale")->setValue(80);
        QCOMPARE(scale.takeFirst().at(0).toInt(), 80);
        QCOMPARE(size.count(), 0);
        QCOMPARE(child<QLabel>(p, "labelicoScale")->text(), QString("80px"));

        child<QSlider>(p, "icoNameSize")->setValue(20);
        QCOMPARE(name.takeFirst().at(0).toInt(), 20);
        QCOMPARE(child<QLabel>(p, "labeicoNameSize")->text(), QString("20pt"));

        child<QSlider>(p, "TransparentBackground")->setValue(128);
        QCOMPARE(alpha.takeFirst().at(0).toInt(), 128);

        child<QComboBox>(p, "comboBoxIconClick")->setCurrentIndex(0);
        QCOMPARE(click.takeFirst().at(0).toInt(), 0);
        child<QComboBox>(p, "comboBoxBackgroundStyle")->setCurrentIndex(2);
        QCOMPARE(style.takeFirst().at(0).toInt(), 2);
        QComboBox *screens = child<QComboBox>(p, "comboBoxScreen");
        QCOMPARE(screens->itemText(0), QString("屏幕1"));
        screens->addItem("屏幕2"); // a second screen, as the panel would list it
        screens->setCurrentIndex(1);
        QCOMPARE(screen.takeFirst().at(0).toInt(), 1);
    }

    void transparencyLabel_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("opaque end") << 2 << "100%";
        QTest::newRow("200") << 200 << "22%";
        QTest::newRow("128") << 128 << "51%";
        QTest::newRow("clear end") << 255 << "0%";
    }

    void transparencyLabel()
    {
        QFETCH(int, value);
        QFETCH(QString, text);
        FormSettings p;
        QSlider *s = child<QSlider>(p, "TransparentBackground");
        s->setValue(value == 200 ? 201 : 200);
        s->setValue(value);
        QCOMPARE(child<QLabel>(p, "TransparentBackgroundSize")->text(), text);
    }

    void edgeAndLevelButtons()
    {
        FormSettings p;
        QSignalSpy edge(&p, &FormSettings::setPosition);
        QSignalSpy level(&p, &FormSettings::setLevel);
        const char *edges[] = { "topButton", "rightButton", "bottomButton", "leftButton" };
        for (int i = 0; i < 4; ++i) {
            child<QPushButton>(p, edges[i])->click();
            QCOMPARE(edge.takeFirst().at(0).toInt(), i);
            for (int j = 0; j < 4; ++j)
                QCOMPARE(normalState(child<QPushButton>(p, edges[j])).contains("#5294E2"), i == j);
        }
        // The selected one again sends again.
        child<QPushButton>(p, "leftButton")->click();
        QCOMPARE(edge.takeFirst().at(0).toInt(), 3);

        const char *levels[] = { "frontButton", "centerButton", "belowButton" };
        for (int i = 0; i < 3; ++i) {
            child<QPushButton>(p, levels[i])->click();
            QCOMPARE(level.takeFirst().at(0).toInt(), i);
            for (int j = 0; j < 3; ++j)
                QCOMPARE(normalState(child<QPushButton>(p, levels[j])).contains("#5294E2"), i == j);
        }
    }

    void transparentTaskbarShowsBlurredBox()
    {
        FormSettings p;
        QCheckBox *blurry = child<QCheckBox>(p, "checkBoxTaskbarblurry");
        blurry->setChecked(true);
        child<QCheckBox>(p, "checkBoxTaskbarAlpha")->click();
        QVERIFY(!blurry->isHidden());
        child<QCheckBox>(p, "checkBoxTaskbarAlpha")->click();
        QVERIFY(blurry->isHidden());
        QVERIFY(blurry->isChecked());
    }

    void updateAboutAndNewVersion()
    {
        FormSettings p;
        QSignalSpy update(&p, &FormSettings::upDate);
        QSignalSpy about(&p, &FormSettings::showAbout);
        p.showNewVersion();
        QVERIFY(!child<QLabel>(p, "Upgrade")->isHidden());
        QCOMPARE(child<QPushButton>(p, "upgradeButton")->text(), QString("发现新版本"));
        child<QPushButton>(p, "upgradeButton")->click();
        QVERIFY(child<QLabel>(p, "Upgrade")->isHidden());
        QCOMPARE(child<QPushButton>(p, "upgradeButton")->text(), QString("检查更新"));
        QCOMPARE(update.count(), 1);
        child<QPushButton>(p, "aboutButton")->click();
        QCOMPARE(about.count(), 1);
    }

    void tabFollowsScrollPosition()
    {
        FormSettings p;
        p.show();
        QVERIFY(QTest::qWaitForWindowExposed(&p));
        QScrollBar *bar = child<QScrollArea>(p, "scrollArea1")->verticalScrollBar();
        QVERIFY(bar->maximum() >= 1170);
        QPushButton *basic = child<QPushButton>(p, "MButton1");
        QPushButton *keys = child<QPushButton>(p, "MButton4");
        QPushButton *advanced = child<QPushButton>(p, "MButton3");
        auto selected = [&]() {
            QStringList s;
            for (QPushButton *b : { basic, keys, advanced })
                if (normalState(b).contains("rgba(255,255,255,255)"))
                    s << b->objectName();
            return s;
        };
        QCOMPARE(selected(), QStringList { "MButton1" });
        bar->setValue(784);
        QCOMPARE(selected(), QStringList { "MButton1" });
        bar->setValue(785);
        QCOMPARE(selected(), QStringList { "MButton4" });
        bar->setValue(1169);
        QCOMPARE(selected(), QStringList { "MButton4" });
        bar->setValue(1170);
        QCOMPARE(selected(), QStringList { "MButton3" });
        basic->click();
        QCOMPARE(bar->value(), 0);
        QCOMPARE(selected(), QStringList { "MButton1" });
        keys->click();
        QCOMPARE(bar->value(), 785);
        advanced->click();
        QCOMPARE(bar->value(), 1170);
        QVERIFY(normalState(advanced).contains(":/image/menu/Advanced.png"));
        QVERIFY(normalState(basic).contains(":/image/menu/Basic0.png"));
        p.hide();
    }

    void readingFillsEveryControl()
    {
        FakeAutostart autostart;
        writeConfig({
            { "System/Screen", "0" }, { "System/IcoSize", "72" }, { "System/IcoNameSize", "18" },
            { "System/IcoScale", "40" }, { "System/Level", "2" }, { "System/Location", "1" },
            { "System/BackgroundStyle", "1" }, { "System/TransparentBackground", "150" }, { "System/Click", "0" },
            { "System/Language", "1" }, { "System/IconDoubleClick", true }, { "System/Locking", true },
            { "System/Hide", true }, { "System/UpgradeNotice", true }, { "System/MouseMaximize", true },
            { "System/MouseFullScree", true }, { "System/InductionIco", true }, { "System/WorkArea", true },
            { "System/TaskbarAlpha", true }, { "System/TaskbarBlurry", true }, { "System/TaskbarHide", true },
            { "System/DesktopIcon", true }, { "System/WinShow", true }, { "System/Margin", "12" },
            { "Hotkey/LaunchPad", "Alt+Q" }, { "Hotkey/Vesk", "Ctrl+Alt+S" }, { "Hotkey/Screenshot", "Alt" },
            { "Hotkey/ColorPicker", "F5" }, { "Hotkey/Zorvane", "Alt+D" },
        });
        FormSettings p;
        QSignalSpy size(&p, &FormSettings::setIcoSize);
        QSignalSpy margin(&p, &FormSettings::setMargin);
        QSignalSpy language(&p, &FormSettings::setLanguage);
        QSignalSpy locking(&p, &FormSettings::setLocking);
        p.readSettings();

        QCOMPARE(child<QSlider>(p, "icoSize")->value(), 72);
        QCOMPARE(child<QSlider>(p, "icoNameSize")->value(), 18);
        QCOMPARE(child<QSlider>(p, "icoScale")->value(), 40);
        QCOMPARE(child<QComboBox>(p, "comboBoxBackgroundStyle")->currentIndex(), 1);
        QCOMPARE(child<QSlider>(p, "TransparentBackground")->value(), 150);
        QCOMPARE(child<QComboBox>(p, "comboBoxIconClick")->currentIndex(), 0);
        QCOMPARE(child<QComboBox>(p, "LanguageClick")->currentIndex(), 1);
        QCOMPARE(child<QSlider>(p, "Margin")->value(), 12);
        for (const char *box : { "IconDoubleClick", "checkBoxLocking", "checkBoxHide", "checkBoxUpgrade",
                                 "checkBoxMousePop", "checkBoxMousePop2", "checkBoxSensing", "checkBoxWorkArea",
                                 "checkBoxTaskbarAlpha", "checkBoxTaskbarblurry", "checkBoxTaskbarHide",
                                 "checkBoxDesktopIcon", "checkBoxWinShow" })
            QVERIFY2(child<QCheckBox>(p, box)->isChecked(), box);
        QVERIFY(!child<QCheckBox>(p, "checkBoxTaskbarblurry")->isHidden());
        QCOMPARE(child<CustomKeySequenceEdit>(p, "keySequenceEditLaunchPad")->keySequence(), QKeySequence("Alt+Q"));
        QCOMPARE(child<CustomKeySequenceEdit>(p, "keySequenceEditvesk")->keySequence(), QKeySequence("Ctrl+Alt+S"));
        // A hot key switched off ("Alt") shows no chord.
        QVERIFY(child<CustomKeySequenceEdit>(p, "keySequenceEditScreenshot")->keySequence().toString().isEmpty());
        QCOMPARE(child<CustomKeySequenceEdit>(p, "keySequenceEditColor")->keySequence(), QKeySequence("F5"));
        QCOMPARE(child<CustomKeySequenceEdit>(p, "keySequenceEditDock")->keySequence(), QKeySequence("Alt+D"));
        QVERIFY(normalState(child<QPushButton>(p, "rightButton")).contains("#5294E2"));
        QVERIFY(normalState(child<QPushButton>(p, "belowButton")).contains("#5294E2"));
        QVERIFY(!normalState(child<QPushButton>(p, "topButton")).contains("#5294E2"));

        // Numbers reach the dock through the controls; switches and the
        // language do not announce themselves while reading.
        QCOMPARE(size.count(), 1);
        QCOMPARE(margin.count(), 1);
        QCOMPARE(language.count(), 0);
        QCOMPARE(locking.count(), 0);
    }

    void savingWritesEveryKeyByItsName()
    {
        writeConfig({ { "System/Pop", true }, { "System/AppPath", "/opt/zorvane" }, { "System/StartUpRemind", "false" },
                      { "Hotkey/LaunchPad", "Alt+Q" } });
        FormSettings p;
        child<QSlider>(p, "icoSize")->setValue(70);
        child<QSlider>(p, "icoScale")->setValue(44);
        child<QSlider>(p, "icoNameSize")->setValue(21);
        child<QSlider>(p, "TransparentBackground")->setValue(99);
        child<QSlider>(p, "Margin")->setValue(33);
        child<QComboBox>(p, "comboBoxBackgroundStyle")->setCurrentIndex(2);
        child<QComboBox>(p, "comboBoxIconClick")->setCurrentIndex(0);
        child<QPushButton>(p, "leftButton")->click();
        child<QPushButton>(p, "centerButton")->click();
        for (const char *box : { "checkBoxMousePop2", "checkBoxHide", "checkBoxWinShow" })
            child<QCheckBox>(p, box)->setChecked(true);
        p.SaveSettings();

        QSettings set(configFile(), QSettings::IniFormat);
        const QVariantMap expected = {
            { "System/WorkArea", "false" }, { "System/Screen", "0" }, { "System/Level", "1" },
            { "System/Margin", "33" }, { "System/IcoSize", "70" }, { "System/IcoNameSize", "21" },
            { "System/IcoScale", "44" }, { "System/Location", "3" }, { "System/BackgroundStyle", "2" },
            { "System/TransparentBackground", "99" }, { "System/Locking", "false" },
            { "System/IconDoubleClick", "false" }, { "System/Click", "0" }, { "System/Hide", "true" },
            { "System/UpgradeNotice", "false" }, { "System/MouseMaximize", "false" },
            { "System/MouseFullScree", "true" }, { "System/InductionIco", "false" }, { "System/WinShow", "true" },
            { "System/Language", "0" }, { "System/TaskbarAlpha", "false" }, { "System/TaskbarBlurry", "false" },
            { "System/TaskbarHide", "false" }, { "System/DesktopIcon", "false" },
            // Not the panel's: left as they were.
            { "System/Pop", "true" }, { "System/AppPath", "/opt/zorvane" }, { "System/StartUpRemind", "false" },
            { "Hotkey/LaunchPad", "Alt+Q" },
        };
        QStringList keys = set.allKeys();
        keys.sort();
        QStringList wanted = expected.keys();
        wanted.sort();
        QCOMPARE(keys, wanted);
        for (auto it = expected.begin(); it != expected.end(); ++it)
            QCOMPARE(set.value(it.key()).toString(), it.value().toString());
    }

    void withoutConfigEverythingStartsAtTheBottom()
    {
        FakeAutostart autostart;
        FormSettings p;
        p.readSettings();
        QCOMPARE(child<QComboBox>(p, "comboBoxScreen")->currentIndex(), 0);
        QCOMPARE(child<QComboBox>(p, "comboBoxIconClick")->currentIndex(), 0);
        QCOMPARE(child<QSlider>(p, "icoSize")->value(), 36);
        QCOMPARE(child<QSlider>(p, "icoNameSize")->value(), 10);
        QCOMPARE(child<QSlider>(p, "TransparentBackground")->value(), 2);
        QCOMPARE(child<QSlider>(p, "Margin")->maximum(), 1000);
        for (QCheckBox *box : p.findChildren<QCheckBox *>())
            QVERIFY2(!box->isChecked(), qPrintable(box->objectName()));
        for (CustomKeySequenceEdit *e : p.findChildren<CustomKeySequenceEdit *>())
            QVERIFY(e->keySequence().isEmpty());
        QVERIFY(normalState(child<QPushButton>(p, "topButton")).contains("#5294E2"));
        QVERIFY(normalState(child<QPushButton>(p, "frontButton")).contains("#5294E2"));
    }

    // Also run under a 1366 pixels wide Xvfb screen by ctest.
    void marginMaximumIsAThirdOfTheScreen()
    {
        FakeAutostart autostart;
        const int width = QGuiApplication::screens().at(0)->availableGeometry().width();
        writeConfig({ { "System/Screen", "0" }, { "System/Margin", "600" } });
        FormSettings p;
        p.readSettings();
        QSlider *margin = child<QSlider>(p, "Margin");
        QCOMPARE(margin->maximum(), width / 3);
        QCOMPARE(margin->value(), qMin(600, width / 3));
        if (width == 1366) {
            QCOMPARE(margin->maximum(), 455);
            QCOMPARE(margin->value(), 455);
        }
    }

    void missingScreenShowsTheFirstAndKeepsTheSetting()
    {
        FakeAutostart autostart;
        const int missing = QGuiApplication::screens().size() + 1;
        writeConfig({ { "System/Screen", QString::number(missing) }, { "System/Margin", "10" } });
        FormSettings p;
        QComboBox *combo = child<QComboBox>(p, "comboBoxScreen");
        p.readSettings();
        QCOMPARE(combo->currentIndex(), 0);
        QCOMPARE(child<QSlider>(p, "Margin")->maximum(),
                 QGuiApplication::screens().at(0)->availableGeometry().width() / 3);
        p.SaveSettings();
        QCOMPARE(QSettings(configFile(), QSettings::IniFormat).value("System/Screen").toString(),
                 QString::number(missing));
        // Once the user picks a screen, that is what is kept.
        QMetaObject::invokeMethod(combo, "activated", Q_ARG(int, 0));
        p.SaveSettings();
        QCOMPARE(QSettings(configFile(), QSettings::IniFormat).value("System/Screen").toString(), QString("0"));
    }

    void languageIsSavedBeforeItIsAnnounced()
    {
        FakeAutostart autostart;
        writeConfig({ { "System/Language", "1" } });
        FormSettings p;
        QSignalSpy language(&p, &FormSettings::setLanguage);
        p.readSettings();
        QCOMPARE(language.count(), 0);
        QString storedWhenAnnounced;
        connect(&p, &FormSettings::setLanguage, this, [&]() {
            storedWhenAnnounced = QSettings(configFile(), QSettings::IniFormat).value("System/Language").toString();
        });
        child<QComboBox>(p, "LanguageClick")->setCurrentIndex(0);
        QCOMPARE(language.count(), 1);
        QCOMPARE(language.at(0).at(0).toInt(), 0);
        QCOMPARE(storedWhenAnnounced, QString("0"));
        QVERIFY(QSettings(configFile(), QSettings::IniFormat).contains("System/MouseFullScree"));
    }

    void blurredBoxStaysHiddenWithoutTransparentTaskbar()
    {
        FakeAutostart autostart;
        writeConfig({ { "System/TaskbarAlpha", false }, { "System/TaskbarBlurry", true } });
        FormSettings p;
        p.readSettings();
        QVERIFY(child<QCheckBox>(p, "checkBoxTaskbarblurry")->isChecked());
        QVERIFY(child<QCheckBox>(p, "checkBoxTaskbarblurry")->isHidden());
    }

    void closingSendsOneCloseAndSaves_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("close button") << "close";
        QTest::newRow("hidden close button") << "closeButton";
        QTest::newRow("close request") << "event";
    }

    void closingSendsOneCloseAndSaves()
    {
        QFETCH(QString, how);
        FormSettings p;
        p.show();
        QSignalSpy closed(&p, &FormSettings::setClose);
        int savesSeen = 0;
        connect(&p, &FormSettings::setClose, this, [&]() { savesSeen = QFile::exists(configFile()) ? 1 : 0; });
        if (how == "event")
            p.close();
        else
            child<QPushButton>(p, qPrintable(how))->click();
        QCOMPARE(closed.count(), 1);
        QCOMPARE(savesSeen, 0); // the dock hears of it before the file is written
        QVERIFY(p.isHidden());
        QVERIFY(QFile::exists(configFile()));
        QCOMPARE(QSettings(configFile(), QSettings::IniFormat).allKeys().size(), 24);
    }

    void resizingKeepsTheFramesFilled()
    {
        FormSettings p;
        p.show();
        QVERIFY(QTest::qWaitForWindowExposed(&p));
        QCOMPARE(child<QWidget>(p, "frame_main")->size(), QSize(568, 458));
        QCOMPARE(child<QWidget>(p, "frame_4")->size(), QSize(60, 458));
        QCOMPARE(child<QWidget>(p, "frame_5")->size(), QSize(508, 403));
        QCOMPARE(child<QWidget>(p, "scrollArea1")->geometry(), QRect(0, 0, 507, 402));
        p.resize(568, 600);
        QCOMPARE(child<QWidget>(p, "frame_5")->size(), QSize(508, 545));
        QCOMPARE(child<QWidget>(p, "scrollArea1")->size(), QSize(507, 544));
    }

    void draggingMovesTheWindow()
    {
        FormSettings p;
        p.move(100, 100);
        p.show();
        QVERIFY(QTest::qWaitForWindowExposed(&p));
        const QPoint start = p.pos();
        const QPoint grab = p.mapToGlobal(QPoint(300, 20));
        auto send = [&](QEvent::Type type, const QPoint &global, Qt::MouseButton button, Qt::MouseButtons held) {
            QMouseEvent e(type, p.mapFromGlobal(global), global, button, held, Qt::NoModifier);
            QApplication::sendEvent(&p, &e);
        };
        send(QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseMove, grab + QPoint(40, 30), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(p.pos(), start + QPoint(40, 30));
        send(QEvent::MouseButtonRelease, grab + QPoint(40, 30), Qt::LeftButton, Qt::NoButton);
        send(QEvent::MouseMove, grab + QPoint(90, 90), Qt::NoButton, Qt::NoButton);
        QCOMPARE(p.pos(), start + QPoint(40, 30));
        // The right button does not start a drag.
        send(QEvent::MouseButtonPress, grab, Qt::RightButton, Qt::RightButton);
        send(QEvent::MouseMove, grab + QPoint(5, 5), Qt::NoButton, Qt::RightButton);
        QCOMPARE(p.pos(), start + QPoint(40, 30));
    }

    void unparseableConfigIsKeptAside()
    {
        QFile bad(configFile());
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("[System\nScreen=1\n");
        bad.close();
        FormSettings p;
        p.SaveSettings();
        QVERIFY(QFile::exists(configFile() + ".bad"));
        QCOMPARE(QSettings(configFile(), QSettings::IniFormat).value("System/IcoSize").toString(), QString("50"));
        QFile::remove(configFile() + ".bad");
    }

    void autostartBox()
    {
        FakeAutostart autostart;
        const QString program = platform::Autostart::programPath();
        FormSettings p;
        QCheckBox *box = child<QCheckBox>(p, "StartUp");

        autostart.present = true;
        autostart.stored = program;
        p.readSettings();
        QVERIFY(box->isChecked());

        // Switched off elsewhere, or pointing at a moved program: not ticked.
        autostart.stored = QString();
        p.readSettings();
        QVERIFY(!box->isChecked());
        autostart.stored = program + "-old";
        p.readSettings();
        QVERIFY(!box->isChecked());

        box->click();
        QCOMPARE(autostart.writes.last(), program);
        box->click();
        QCOMPARE(autostart.writes.last(), QString());
        QVERIFY(autostart.present);
    }

    void hotKeyFieldsSendTheirCodes()
    {
        FormSettings p;
        QSignalSpy key(&p, &FormSettings::setKey);
        const QList<QPair<const char *, QString>> fields = {
            { "keySequenceEditLaunchPad", "LaunchPad" }, { "keySequenceEditvesk", "vesk" },
            { "keySequenceEditScreenshot", "Screenshot" }, { "keySequenceEditColor", "Color" },
            { "keySequenceEditDock", "Dock" },
        };
        const Qt::Key keys[] = { Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_5 };
        for (int i = 0; i < fields.size(); ++i) {
            auto *edit = child<CustomKeySequenceEdit>(p, fields[i].first);
            QTest::keyClick(edit, keys[i], Qt::ControlModifier | Qt::AltModifier);
            QCOMPARE(key.count(), 1);
            QCOMPARE(key.at(0).at(0).toString(), fields[i].second);
            QCOMPARE(key.at(0).at(1).toString(), QString("Ctrl+Alt+%1").arg(i + 1));
            key.clear();
        }
        // Clearing sends "Alt" and empties the field.
        const char *clears[] = { "keySequenceButton0", "keySequenceButton1", "keySequenceButton2",
                                 "keySequenceButton3", "keySequenceButton4" };
        for (int i = 0; i < 5; ++i) {
            child<QPushButton>(p, clears[i])->click();
            QCOMPARE(key.count(), 1);
            QCOMPARE(key.at(0).at(0).toString(), fields[i].second);
            QCOMPARE(key.at(0).at(1).toString(), QString("Alt"));
            QVERIFY(child<CustomKeySequenceEdit>(p, fields[i].first)->keySequence().isEmpty());
            key.clear();
        }
    }

    void loneModifierStoresNothing()
    {
        FakeAutostart autostart;
        writeConfig({ { "Hotkey/Vesk", "Alt+S" } });
        FormSettings p;
        p.readSettings();
        QSignalSpy key(&p, &FormSettings::setKey);
        auto *edit = child<CustomKeySequenceEdit>(p, "keySequenceEditvesk");
        QTest::keyPress(edit, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyRelease(edit, Qt::Key_Alt);
        QCOMPARE(key.count(), 0);
        QCOMPARE(edit->keySequence(), QKeySequence("Alt+S"));
        // Holding it and then pressing a key records the chord.
        QTest::keyPress(edit, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyPress(edit, Qt::Key_W, Qt::AltModifier);
        QCOMPARE(key.count(), 1);
        QCOMPARE(key.at(0).at(1).toString(), QString("Alt+W"));
    }

    void clashIsRefusedWithFeedback()
    {
        FakeAutostart autostart;
        writeConfig({ { "Hotkey/LaunchPad", "Alt+Q" }, { "Hotkey/Vesk", "Alt+S" }, { "Hotkey/Zorvane", "Alt" } });
        FormSettings p;
        p.show();
        p.readSettings();
        QSignalSpy key(&p, &FormSettings::setKey);
        auto *launch = child<CustomKeySequenceEdit>(p, "keySequenceEditLaunchPad");
        QTest::keyClick(launch, Qt::Key_S, Qt::AltModifier);
        QCOMPARE(key.count(), 0);
        QCOMPARE(launch->keySequence(), QKeySequence("Alt+Q"));
        QVERIFY(QToolTip::text().contains("此热键已被其他功能使用"));

        // A chord of nobody's, and one of a hot key switched off, are fine.
        QTest::keyClick(launch, Qt::Key_F9);
        QCOMPARE(key.count(), 1);
        QCOMPARE(key.takeFirst().at(1).toString(), QString("F9"));
        // The chord the field gave up is free again for the others.
        auto *vesk = child<CustomKeySequenceEdit>(p, "keySequenceEditvesk");
        QTest::keyClick(vesk, Qt::Key_Q, Qt::AltModifier);
        QCOMPARE(key.count(), 1);
        QCOMPARE(key.takeFirst().at(1).toString(), QString("Alt+Q"));
        p.hide();
    }
};

ZV_TEST_MAIN(TestFormSettings)
#include "tst_formsettings.moc"
