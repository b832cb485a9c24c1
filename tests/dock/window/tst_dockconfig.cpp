#include "dock/window/dockconfig.h"
#include "testenv.h"

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QtTest>

static QString path() { return DockSettings::defaultPath(); }
static QSettings ini() { return QSettings(path(), QSettings::IniFormat); }

static void writeIni(const QByteArray &text)
{
    QFile::remove(path());
    QFile f(path());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

class TestDockConfig : public QObject
{
    Q_OBJECT
private slots:
    void firstStartWritesEveryDefault()
    {
        QFile::remove(path());
        DockSettings file(path());
        QVERIFY(!file.exists());
        QString texts[5];
        DockConfig::initSave(file, texts);
        QCOMPARE(QStringList({ texts[0], texts[1], texts[2], texts[3], texts[4] }),
                 QStringList({ "Alt+Q", "Alt+S", "Alt+X", "Alt+C", "Alt+D" }));
        QSettings set(path(), QSettings::IniFormat);
        const QHash<QString, QString> expected {
            { "System/WorkArea", "false" }, { "System/Screen", "0" }, { "System/Level", "1" },
            { "System/Margin", "0" }, { "System/IcoSize", "64" }, { "System/IcoNameSize", "15" },
            { "System/IcoScale", "64" }, { "System/Location", "2" }, { "System/BackgroundStyle", "0" },
            { "System/TransparentBackground", "150" }, { "System/IconDoubleClick", "false" },
            { "System/Click", "1" }, { "System/Locking", "false" }, { "System/Hide", "false" },
            { "System/UpgradeNotice", "true" }, { "System/Pop", "true" }, { "System/MouseMaximize", "true" },
            { "System/MouseFullScree", "false" }, { "System/InductionIco", "false" }, { "System/WinShow", "true" },
            { "System/Language", "" }, { "System/StartUpRemind", "false" }, { "System/TaskbarAlpha", "false" },
            { "System/TaskbarBlurry", "false" }, { "System/TaskbarHide", "false" }, { "System/DesktopIcon", "false" },
            { "Hotkey/LaunchPad", "Alt+Q" }, { "Hotkey/Vesk", "Alt+S" }, { "Hotkey/Screenshot", "Alt+X" },
            { "Hotkey/ColorPicker", "Alt+C" }, { "Hotkey/Zorvane", "Alt+D" },
        };
        for (auto it = expected.begin(); it != expected.end(); ++it) {
            QVERIFY2(set.contains(it.key()), qPrintable(it.key()));
            QCOMPARE(set.value(it.key()).toString(), it.value());
        }
        QVERIFY(!set.contains("System/MouseFullScreen"));
    }

    void readsBackWhatWasWritten()
    {
        QFile::remove(path());
        QString texts[5];
        DockSettings file(path());
        DockConfig::initSave(file, texts);
        file.setLocation(3);
        file.setIcoSize(48);
        file.setIcoScale(40);
        QVERIFY(file.save());
        DockSettings again(path());
        DockConfig::read(again, texts);
        QCOMPARE(again.location(), 3);
        QCOMPARE(again.icoSize(), 48);
        QCOMPARE(again.icoScale(), 40);
    }

    void olderFileGainsMissingFlags()
    {
        writeIni("[System]\nIcoSize=48\nIcoScale=40\nHide=true\n[Hotkey]\nVesk=Ctrl+S\n");
        QString texts[5];
        {
            DockSettings file(path());
            DockConfig::read(file, texts);
            QCOMPARE(file.icoSize() + file.icoScale(), 88);
            QVERIFY(file.hide());
            QVERIFY(!file.taskbarHide());
        }
        QSettings set(path(), QSettings::IniFormat);
        QCOMPARE(set.value("System/TaskbarHide").toString(), QString("false"));
        QCOMPARE(set.value("System/UpgradeNotice").toString(), QString("true"));
        QCOMPARE(set.value("System/IcoNameSize").toString(), QString("15"));
        // Vesk present: the others come as stored, a missing one stays empty and is not written.
        QCOMPARE(texts[0], QString("Alt+Q"));
        QCOMPARE(texts[1], QString("Ctrl+S"));
        QVERIFY(texts[2].isEmpty());
        QVERIFY(!set.contains("Hotkey/Screenshot"));
    }

    void missingVeskResetsTheOtherFour()
    {
        writeIni("[Hotkey]\nLaunchPad=Ctrl+L\nScreenshot=Ctrl+1\nColorPicker=Ctrl+2\nZorvane=Ctrl+3\n");
        QString texts[5];
        { DockSettings file(path()); DockConfig::read(file, texts); }
        QCOMPARE(QStringList({ texts[0], texts[1], texts[2], texts[3], texts[4] }),
                 QStringList({ "Ctrl+L", "Alt+S", "Alt+X", "Alt+C", "Alt+D" }));
        QCOMPARE(ini().value("Hotkey/Zorvane").toString(), QString("Alt+D"));
    }

    void zeroOrMissingSizesTakeDefaults()
    {
        writeIni("[System]\nIcoSize=0\nIcoNameSize=0\n");
        QString texts[5];
        {
            DockSettings file(path());
            DockConfig::read(file, texts);
            QCOMPARE(file.icoSize(), 64);
            QCOMPARE(file.icoSize() + file.icoScale(), 128);
            QCOMPARE(file.icoNameSize(), 15);
        }
        writeIni("[System]\nIcoSize=32\nIcoScale=0\n");
        DockSettings file(path());
        DockConfig::read(file, texts);
        QCOMPARE(file.icoSize() + file.icoScale(), 32); // a scale of 0 is the user's choice
    }

    void sizesBeyondAnyScreenAreKeptInBounds()
    {
        writeIni("[System]\nIcoSize=100000\nIcoScale=-5\nMargin=99999999\nIcoNameSize=5000\n");
        QString texts[5];
        {
            DockSettings file(path());
            DockConfig::read(file, texts);
            QCOMPARE(file.icoSize(), 256);
            QCOMPARE(file.icoSize() + file.icoScale(), 256);
            QCOMPARE(file.margin(), 1024);
            QCOMPARE(file.icoNameSize(), 200);
        }
        writeIni("[System]\nIcoSize=48\nIcoScale=40\nMargin=-3\n");
        DockSettings file(path());
        DockConfig::read(file, texts);
        QCOMPARE(file.icoSize(), 48);
        QCOMPARE(file.icoSize() + file.icoScale(), 88);
        QCOMPARE(file.margin(), 0);
    }

    void guardedFlagKeepsStoredValue()
    {
        writeIni("[System]\nMouseMaximize=false\nMouseFullScree=true\n");
        QString texts[5];
        DockSettings file(path());
        DockConfig::read(file, texts);
        QVERIFY(!file.mouseMaximize());
        QVERIFY(file.mouseFullScreen()); // read from the key as it was always spelt
    }

    void hotkeyNamesAreCaseSensitive()
    {
        QCOMPARE(DockSettings::hotkeyIndex("Dock"), 4);
        QCOMPARE(DockSettings::hotkeyIndex("dock"), -1);
        QCOMPARE(DockSettings::hotkeyIndex("vesk"), 1);
        QCOMPARE(DockSettings::hotkeyIndex("Vesk"), -1);
        QCOMPARE(DockSettings::hotkeyIndex("Color"), 3);
        DockSettings file(path());
        DockConfig::writeHotkey(file, 4, "Ctrl+Alt+D");
        QCOMPARE(ini().value("Hotkey/Zorvane").toString(), QString("Ctrl+Alt+D"));
    }
};

ZV_TEST_MAIN(TestDockConfig)
#include "tst_dockconfig.moc"
