// The files the programs store are written byte for byte as the earlier code
// wrote them; the fixtures were written by that code from the same steps.
#include "dock/model/dockfile.h"
#include "dock/model/dockiconlist.h"
#include "dock/settings/docksettings.h"
#include "dock/settings/formsettings.h"
#include "dock/settings/formstartup.h"
#include "dock/launchpad/launchlook.h"
#include "dock/tools/formprotectionsetting.h"
#include "dock/widgets/formdesktoptime.h"
#include "dock/widgets/formdesktopwidget.h"
#include "dock/window/dockconfig.h"
#include "common/safefile.h"
#include "fakesettings.h"
#include "testconfig.h"
#include "notes/notefile.h"
#include "platform/paths.h"
#include "storedfixtures.h"
#include "testenv.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QKeySequenceEdit>
#include <QTableWidget>
#include <QtTest>

namespace {

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray settingsText()
{
    return contents(DockSettings::defaultPath());
}

// What the start-up holds after reading the file: each setting as its users
// read it, and the sizes of the bar at rest (the magnified size is the normal
// one and what the setting adds to it).
QString describe(const DockSettings &s, const QString texts[DockHotkeyCount])
{
    QStringList out;
    const auto n = [&out](const char *name, double v) { out << QString("%1 %2").arg(name).arg(v); };
    const float icoSize = float(s.icoSize());
    n("screen", s.screen());
    n("level", s.level());
    n("margin", s.margin());
    n("location", s.location());
    n("icoSize", icoSize);
    n("icoMagnified", float(s.icoScale()) + icoSize);
    n("currentSize", int(icoSize));
    n("currentSizeF", icoSize);
    n("icoNameSize", s.icoNameSize());
    n("backgroundStyle", s.backgroundStyle());
    n("transparentBackground", s.transparentBackground());
    n("click", s.click());
    n("iconDoubleClick", s.iconDoubleClick());
    n("locking", s.locking());
    n("hide", s.hide());
    n("hideInEffect", s.hide());
    n("pop", s.pop());
    n("winShow", s.winShow());
    n("mouseMaximize", s.mouseMaximize());
    n("mouseFullScreen", s.mouseFullScreen());
    n("inductionIco", s.inductionIco());
    n("upgradeNotice", s.upgradeNotice());
    n("workArea", s.workArea());
    n("taskbarAlpha", s.taskbarAlpha());
    n("taskbarBlurry", s.taskbarBlurry());
    n("taskbarHide", s.taskbarHide());
    n("desktopIcon", s.desktopIcon());
    out << "language " + s.language();
    for (int i = 0; i < DockHotkeyCount; ++i)
        out << QString("hot key %1 %2").arg(i).arg(texts[i]);
    return out.join('\n');
}

// What the settings panel shows after reading the file.
QString describe(FormSettings &p)
{
    QStringList out;
    for (const char *name : { "comboBoxScreen", "icoSize", "icoNameSize", "icoScale", "comboBoxBackgroundStyle",
                              "TransparentBackground", "comboBoxIconClick", "LanguageClick", "Margin" }) {
        if (auto *slider = p.findChild<QAbstractSlider *>(name))
            out << QString("%1 %2 of %3").arg(name).arg(slider->value()).arg(slider->maximum());
        else
            out << QString("%1 %2").arg(name).arg(p.findChild<QComboBox *>(name)->currentIndex());
    }
    for (QCheckBox *c : p.findChildren<QCheckBox *>())
        out << QString("%1 %2%3").arg(c->objectName(), c->isChecked() ? "ticked" : "clear",
                                      c->isHidden() ? ", hidden" : "");
    for (QKeySequenceEdit *e : p.findChildren<QKeySequenceEdit *>())
        out << QString("%1 %2").arg(e->objectName(), e->keySequence().toString(QKeySequence::PortableText));
    for (const char *name : { "topButton", "rightButton", "bottomButton", "leftButton", "frontButton",
                              "centerButton", "belowButton" }) {
        if (p.findChild<QWidget *>(name)->styleSheet().section('}', 0, 0).contains("#5294E2"))
            out << QString("%1 lit").arg(name);
    }
    out.sort();
    return out.join('\n');
}

// The clock, the tint's control, the launch pad's look and the autostart
// prompt as they read the file.
QString describeOthers()
{
    QStringList out;
    const LaunchLook l = LaunchLook::load(LaunchLook());
    out << QString("launch pad %1 %2 %3 %4 %5 %6 %7")
               .arg(l.iconSize).arg(l.blurRadius).arg(l.brightness).arg(l.useBackgroundImage)
               .arg(l.backgroundImage, l.nameColor).arg(l.backgroundStored);
    const FormProtectionSetting::Settings t = FormProtectionSetting::loadSettings();
    out << QString("tint %1 at %2,%3").arg(t.strength).arg(t.position.x()).arg(t.position.y());
    {
        FormDesktopTime clock;
        clock.ReadSettings();
        out << QString("clock style %1, language %2, alpha %3, at %4,%5")
                   .arg(clock.style()).arg(clock.language()).arg(clock.alpha()).arg(clock.x()).arg(clock.y());
    }
    {
        FakeAutostart autostart;
        FormStartUp prompt;
        prompt.CheckAutoRun();
        out << QString("autostart prompt %1").arg(prompt.isVisible() ? "shown" : "not shown");
    }
    return out.join('\n');
}

} // namespace

class TestStoredFiles : public QObject
{
    Q_OBJECT
private slots:
    void dockIconFile()
    {
        DockIconList list;
        QList<DockIconRecord> rows = dockPresetRows();
        rows << DockIconRecord { "ico0704545", ":/image/icon/url.png", QString::fromUtf8("A & B <c> \"d\" 北京"),
                                 "URL", "https://example.org/?a=1&b=2", "" };
        rows << DockIconRecord { "ico1212312", "/tmp/x y.png", "  spaced  ", "MENU", "0", "line1\nline2" };
        list.setRows(rows);
        const QString path = platform::configPath("Zorvane.xml");
        QDir().mkpath(platform::appConfigFolder());
        QVERIFY(DockFile::save(path, list));
        QCOMPARE(contents(path), storedFixture("Zorvane.xml"));
        DockIconList back;
        DockFile::load(path, &back);
        QCOMPARE(back.rows(), rows);
    }

    // A first start, then the settings panel, a hot key, the autostart prompt
    // and the desktop-widget panel each save what they edit.
    void settingsFile()
    {
        FakeAutostart autostart;
        FakeGlobalHotKeys keys;
        QFile::remove(DockSettings::defaultPath());
        DockSettings &file = *DockSettings::instance();
        file.load();
        QString texts[DockHotkeyCount];
        DockConfig::initSave(file, texts);
        DockConfig::saveAppPath(file, QString::fromUtf8("/opt/我的 dock,1"));
        {
            FormSettings p;
            p.readSettings();
            const QList<QPair<const char *, int>> numbers = {
                { "Margin", 12 }, { "icoSize", 48 }, { "icoNameSize", 17 }, { "icoScale", 40 },
                { "TransparentBackground", 99 } };
            for (const auto &n : numbers) {
                auto *w = p.findChild<QAbstractSlider *>(n.first);
                QVERIFY2(w, n.first);
                w->setValue(n.second);
            }
            const QList<QPair<const char *, int>> combos = {
                { "comboBoxBackgroundStyle", 1 }, { "comboBoxIconClick", 0 }, { "LanguageClick", 1 } };
            for (const auto &c : combos) {
                auto *w = p.findChild<QComboBox *>(c.first);
                QVERIFY2(w, c.first);
                QSignalBlocker quiet(w);
                w->setCurrentIndex(c.second);
            }
            for (const char *n : { "checkBoxLocking", "checkBoxHide", "checkBoxUpgrade", "checkBoxMousePop",
                                   "checkBoxMousePop2", "checkBoxSensing", "checkBoxWorkArea", "checkBoxWinShow",
                                   "IconDoubleClick", "checkBoxTaskbarAlpha", "checkBoxTaskbarblurry",
                                   "checkBoxTaskbarHide", "checkBoxDesktopIcon" }) {
                auto *c = p.findChild<QCheckBox *>(n);
                QVERIFY2(c, n);
                c->setChecked(!c->isChecked());
            }
            p.findChild<QAbstractButton *>("rightButton")->click();
            p.findChild<QAbstractButton *>("frontButton")->click();
            p.SaveSettings();
        }
        DockConfig::writeHotkey(file, 4, "Ctrl+Alt+D");
        {
            FormStartUp prompt;
            auto *remind = prompt.findChild<QCheckBox *>("checkBox");
            QVERIFY(remind);
            remind->setChecked(false);
            remind->click(); // ticked by the user
        }
        {
            FormDesktopWidget panel;
            panel.SaveSettings();
        }
        QCOMPARE(contents(DockSettings::defaultPath()), storedFixture("config.ini"));
    }

    // A first start, and the settings panel then opened and closed without a change.
    void firstStartSettings()
    {
        FakeAutostart autostart;
        FakeGlobalHotKeys keys;
        TestConfig::reset();
        DockSettings &file = *DockSettings::instance();
        QString texts[DockHotkeyCount];
        DockConfig::initSave(file, texts);
        DockConfig::saveAppPath(file, "/opt/dock");
        QCOMPARE(recorded("config-first.ini", settingsText()), storedFixture("config-first.ini"));
        {
            FormSettings p;
            p.readSettings();
            p.SaveSettings();
        }
        QCOMPARE(recorded("config-first-panel.ini", settingsText()), storedFixture("config-first-panel.ini"));
        // A later start reads what the first wrote and leaves it so.
        file.load();
        DockConfig::read(file, texts);
        QCOMPARE(settingsText(), storedFixture("config-first-panel.ini"));
    }

    // The panel opened and closed over no file at all, and over an old one:
    // what it reads is what it writes back, with its own keys added.
    void panelOverOtherFiles()
    {
        FakeAutostart autostart;
        FakeGlobalHotKeys keys;
        TestConfig::reset();
        {
            FormSettings p;
            p.readSettings();
            p.SaveSettings();
        }
        QCOMPARE(recorded("config-panel-nofile.ini", settingsText()), storedFixture("config-panel-nofile.ini"));
        TestConfig::writeIni("[LaunchPad]\nIconSize=120\n\n[System]\nIcoSize=40\nPop=false\nLevel=2\nLocation=3\n"
                             "Protection=33\nMouseFullScree=true\n\n[Hotkey]\nVesk=Ctrl+V\n");
        {
            FormSettings p;
            p.readSettings();
            p.SaveSettings();
        }
        QCOMPARE(recorded("config-panel-old.ini", settingsText()), storedFixture("config-panel-old.ini"));
    }

    // The desktop clock, the tint and the desktop-widget panel each save
    // their keys beside the dock's.
    void toolSettings()
    {
        FakeAutostart autostart;
        TestConfig::writeIni("[System]\nLevel=1\n");
        {
            FormDesktopTime clock;
            clock.setShow(true);
            clock.DesktopTimeStyle(3);
            clock.DesktopTimeAlpha(55);
            clock.DesktopTimeLanguage("EN");
            clock.move(40, 50);
            QVERIFY(QMetaObject::invokeMethod(&clock, "SaveSettings"));
            clock.setShow(false);
        }
        FormProtectionSetting::saveSettings({ 33, QPoint(-20, 300) });
        {
            FormDesktopWidget panel;
            panel.SaveSettings();
        }
        QCOMPARE(recorded("config-tools.ini", settingsText()), storedFixture("config-tools.ini"));
    }

    // Every reader of config.ini on odd files: what the start-up, the panel
    // and the tools make of each, and what the start-up writes back.
    void settingsReads()
    {
        FakeGlobalHotKeys keys;
        const QList<QByteArray> files = {
            "",
            "[System]\nIcoSize=48\nIcoScale=40\nHide=true\n[Hotkey]\nVesk=Ctrl+S\n",
            "[System]\nWorkArea=\nScreen=\nLevel=\nMargin=\nIcoSize=\nIcoNameSize=\nIcoScale=\nLocation=\n"
            "BackgroundStyle=\nTransparentBackground=\nIconDoubleClick=\nClick=\nLocking=\nHide=\nUpgradeNotice=\n"
            "Pop=\nMouseMaximize=\nMouseFullScree=\nInductionIco=\nWinShow=\nLanguage=\nStartUpRemind=\n"
            "TaskbarAlpha=\nTaskbarBlurry=\nTaskbarHide=\nDesktopIcon=\nProtection=\nProtectionPos=\n"
            "[Hotkey]\nLaunchPad=\nVesk=\nScreenshot=\nColorPicker=\nZorvane=\n"
            "[LaunchPad]\nIconSize=\nBlurry=\nluminance=\nBackground=\nBackgroundImage=\nNameColor=\n"
            "[DesktopWidget]\nTimePos=\nTimeStyle=\nTimeLanguage=\nTimeAlpha=\nTimeSize=\n",
            "[System]\nWorkArea=yes\nScreen=x\nLevel=x\nMargin=x\nIcoSize=x\nIcoNameSize=x\nIcoScale=x\nLocation=x\n"
            "BackgroundStyle=x\nTransparentBackground=x\nIconDoubleClick=1\nClick=x\nLocking=TRUE\nHide=0\n"
            "UpgradeNotice=no\nPop=x\nMouseMaximize=false\nMouseFullScree=x\nInductionIco=true\nWinShow=x\n"
            "Language=x\nStartUpRemind=x\nTaskbarAlpha=True\nTaskbarBlurry=x\nTaskbarHide=x\nDesktopIcon=x\n"
            "Protection=x\nProtectionPos=x\n[LaunchPad]\nIconSize=x\nBlurry=x\nluminance=x\nBackground=yes\n"
            "BackgroundImage=/a b.png\nNameColor=red\n[DesktopWidget]\nTimePos=x\nTimeStyle=x\nTimeLanguage=x\n"
            "TimeAlpha=x\nTimeSize=x\n",
            "[System]\nIcoSize=100000\nIcoScale=-5\nMargin=99999999\nIcoNameSize=5000\nLocation=7\nLevel=-1\n"
            "TransparentBackground=300\nScreen=5\nBackgroundStyle=9\nClick=4\nLanguage=3\nStartUpRemind=true\n"
            "Protection=80\nProtectionPos=@Point(-30 40)\n[LaunchPad]\nIconSize=9999\nBlurry=-4\nluminance=500\n"
            "Background=TRUE\nNameColor=#123456\n[DesktopWidget]\nTimePos=@Point(12 34)\nTimeStyle=12\n"
            "TimeLanguage=EN\nTimeAlpha=0\nTimeSize=10000\n",
            "[System]\nIcoSize=0\nIcoNameSize=0\nIcoScale=0\nMargin=-3\nTransparentBackground=-5\n"
            "[Hotkey]\nLaunchPad=Ctrl+L\nScreenshot=Ctrl+1\nColorPicker=Ctrl+2\nZorvane=Ctrl+3\n",
            "[System]\nWorkArea=true\nScreen=0\nLevel=2\nMargin=30\nIcoSize=50\nIcoNameSize=20\nIcoScale=30\n"
            "Location=1\nBackgroundStyle=3\nTransparentBackground=99\nIconDoubleClick=true\nClick=0\nLocking=true\n"
            "Hide=true\nUpgradeNotice=false\nPop=false\nMouseMaximize=false\nMouseFullScree=true\n"
            "InductionIco=true\nWinShow=false\nLanguage=1\nStartUpRemind=false\nTaskbarAlpha=true\n"
            "TaskbarBlurry=true\nTaskbarHide=true\nDesktopIcon=true\n"
            "[Hotkey]\nLaunchPad=Ctrl+Q\nVesk=Ctrl+W\nScreenshot=\nColorPicker=Alt\nZorvane=Ctrl+Alt+D\n",
        };
        QByteArray out;
        for (const QByteArray &text : files) {
            out += "==== " + text + "\n";
            TestConfig::writeIni(text);
            {
                FormSettings p;
                p.readSettings();
                out += "-- panel\n" + describe(p).toUtf8() + "\n";
            }
            TestConfig::writeIni(text);
            out += "-- tools\n" + describeOthers().toUtf8() + "\n";
            TestConfig::writeIni(text);
            QString texts[DockHotkeyCount];
            DockConfig::read(*DockSettings::instance(), texts);
            out += "-- start\n" + describe(*DockSettings::instance(), texts).toUtf8() + "\n-- written\n" + settingsText();
        }
        QCOMPARE(recorded("config-reads.txt", out), storedFixture("config-reads.txt"));
    }

    void notesFile()
    {
        const QList<NoteRow> rows = {
            { "1607000000001", "2", QString::fromUtf8("买菜 & <牛奶>\n第二行"), "100", "120", "250", "260" },
            { "1607000000002", "0", "", "-5", "0", "300", "300" } };
        QCOMPARE(NoteFile::build(rows), storedFixture("Mirelka.xml"));
        const QString path = platform::appConfigFolder() + "/Mirelka.xml";
        QDir().mkpath(platform::appConfigFolder());
        QVERIFY(SafeFile::write(path, NoteFile::build(rows)));
        NoteList back;
        QCOMPARE(NoteFile::read(path, back), NoteFile::ReadResult::Read);
        QCOMPARE(back.rows(), rows);
    }
};

ZV_TEST_MAIN(TestStoredFiles)
#include "tst_storedfiles.moc"
