#include "dock/settings/docksettings.h"
#include "fulldisk.h"
#include "testenv.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

class TestDockSettings : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString path() const { return m_dir.filePath("config.ini"); }

private slots:
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
    }

    // Each key reads by its rule in the table: as stored (a missing level
    // reads as 0, as the start-up always read it), or as its default while it
    // holds no text; sizes kept above zero and within bounds.
    void eachKeyReadsByItsRule()
    {
        DockSettings s(path());
        QVERIFY(!s.exists());
        QCOMPARE(s.level(), 0);
        QCOMPARE(s.location(), 0);
        QVERIFY(!s.pop());
        QCOMPARE(s.icoSize(), 64);
        QCOMPARE(s.icoScale(), 64);
        QCOMPARE(s.icoNameSize(), 15);
        QVERIFY(s.mouseMaximize());
        QCOMPARE(s.hotkeyLaunchPad(), QString("Alt+Q"));
        QCOMPARE(s.hotkeyScreenshot(), QString());
        QCOMPARE(s.launchPadNameColor(), QString("#FFFFFF"));
        QVERIFY(!s.contains("System/Level")); // a default is not a stored value
        QVERIFY(!s.stored(DockSettings::Key::level).isValid());
        const QStringList keys = DockSettings::knownKeys();
        QCOMPARE(keys.size(), QSet<QString>(keys.begin(), keys.end()).size());

        TestEnv::writeFile(path(), "[System]\nLevel=\nLocation=3\nIcoSize=0\nIcoScale=\nIcoNameSize=-2\n"
                                   "Margin=99999\nMouseMaximize=\nPop=\n");
        s.load();
        QVERIFY(s.exists());
        QCOMPARE(s.level(), 0);
        QCOMPARE(s.location(), 3);
        QCOMPARE(s.icoSize(), 64);
        QCOMPARE(s.icoScale(), 64);
        QCOMPARE(s.icoNameSize(), 15);
        QCOMPARE(s.margin(), DockBounds::Margin);
        QCOMPARE(s.stored(DockSettings::Key::margin).toString(), QString("99999")); // the file keeps what it says
        QVERIFY(s.mouseMaximize());
        QVERIFY(!s.pop());

        // The start writes the defaults of the guarded keys that read as
        // theirs, and only those.
        s.fillGuarded();
        QVERIFY(s.save());
        DockSettings back(path());
        QCOMPARE(back.stored(DockSettings::Key::icoNameSize).toString(), QString("15"));
        QCOMPARE(back.stored(DockSettings::Key::mouseMaximize).toString(), QString("true"));
        QCOMPARE(back.stored(DockSettings::Key::hotkeyLaunchPad).toString(), QString("Alt+Q"));
        QVERIFY(!back.hasText(DockSettings::Key::pop));
        QVERIFY(!back.hasText(DockSettings::Key::icoScale));
        QCOMPARE(back.stored(DockSettings::Key::icoSize).toString(), QString("0"));
        QVERIFY(!back.contains("Hotkey/Vesk"));
    }

    // The table's keys are each spelled once, in the table alone: no other
    // file of the programs names one.
    void eachKeyIsSpelledOnlyInTheTable()
    {
        QStringList sources;
        for (const char *folder : { "dock", "common", "platform", "notes", "picker" }) {
            QDirIterator it(QStringLiteral(ZV_SOURCE_DIR "/") + folder, { "*.cpp", "*.h", "*.ui" }, QDir::Files,
                            QDirIterator::Subdirectories);
            while (it.hasNext())
                sources << it.next();
        }
        QVERIFY(sources.size() > 100);
        const QString table = QStringLiteral(ZV_SOURCE_DIR "/dock/settings/docksettings.h");
        QVERIFY(sources.contains(table));
        QHash<QString, QByteArray> text;
        for (const QString &f : sources)
            text.insert(f, TestEnv::readFile(f));
        for (const QString &key : DockSettings::knownKeys()) {
            const QByteArray quoted = '"' + key.toUtf8() + '"';
            QStringList where;
            for (auto it = text.constBegin(); it != text.constEnd(); ++it) {
                for (int n = it.value().count(quoted); n > 0; --n)
                    where << QDir(ZV_SOURCE_DIR).relativeFilePath(it.key());
            }
            QCOMPARE(where.join(", "), QString("dock/settings/docksettings.h"));
        }
    }

    void valuesRoundTripAndAnnounceChanges()
    {
        DockSettings s(path());
        QSignalSpy changed(&s, &DockSettings::changed);
        QCOMPARE(s.icoSize(), 64); // read once before: a change still shows
        s.setIcoSize(48);
        s.setHide(true);
        s.setLanguage("1");
        s.setHotkeyDock("Ctrl+Alt+D");
        s.setValue("Weather/City", QString::fromUtf8("北京"));
        s.setIcoSize(48); // the same again: stored, not announced
        s.setValue("Other/Key", 1); // not ours: stored, not announced
        QCOMPARE(changed.count(), 5);
        QCOMPARE(changed.at(0).at(0).value<DockSettings::Key>(), DockSettings::Key::icoSize);
        QCOMPARE(changed.at(4).at(0).value<DockSettings::Key>(), DockSettings::Key::weatherCity);
        QCOMPARE(s.icoSize(), 48);
        // Raw text set by name is read by the key's rule, then as set.
        s.setValue("System/IcoSize", "0");
        QCOMPARE(s.icoSize(), 64);
        s.setValue("System/IcoSize", "48");
        QCOMPARE(s.icoSize(), 48);
        QVERIFY(s.isDirty());
        QVERIFY(s.save());
        QVERIFY(!s.isDirty());

        const QByteArray text = TestEnv::readFile(path());
        QVERIFY(text.contains("[System]\n"));
        QVERIFY(text.contains("IcoSize=48\n"));
        QVERIFY(text.contains("Hide=true\n"));
        QVERIFY(text.contains("Zorvane=Ctrl+Alt+D\n"));
        QVERIFY(!text.contains("Level=")); // only what was set is written

        DockSettings back(path());
        QCOMPARE(back.icoSize(), 48);
        QVERIFY(back.hide());
        QCOMPARE(back.language(), QString("1"));
        QCOMPARE(back.value("Weather/City").toString(), QString::fromUtf8("北京"));
        QCOMPARE(back.hotkeyDock(), QString("Ctrl+Alt+D"));
    }

    void aChangeNotSavedByHandIsSavedSoon()
    {
        DockSettings s(path());
        s.setMargin(9);
        QVERIFY(!QFile::exists(path()));
        QTRY_VERIFY(TestEnv::readFile(path()).contains("Margin=9"));
    }

    // The text is what QSettings writes for the same edit of the same file,
    // foreign groups and keys included.
    void formatsTheFileAsQSettingsDoes()
    {
        const QByteArray start = "[Zeta]\nb=2\na=1\n\n[Alpha]\nx=\"a, b\"\n\n[System]\nLevel=0\n";
        const QString other = m_dir.filePath("other.ini");
        TestEnv::writeFile(path(), start);
        TestEnv::writeFile(other, start);
        const QVariantMap edits { { "System/Margin", 3 }, { "System/AppPath", QString::fromUtf8("/opt/我的 dock;1") },
                                  { "Zeta/a", true }, { "Weather/City", "@home" } };
        DockSettings s(path());
        {
            QSettings q(other, QSettings::IniFormat);
            for (auto it = edits.begin(); it != edits.end(); ++it) {
                s.setValue(it.key(), it.value());
                q.setValue(it.key(), it.value());
            }
        }
        QVERIFY(s.save());
        QCOMPARE(TestEnv::readFile(path()), TestEnv::readFile(other));
        DockSettings back(path());
        QCOMPARE(back.value("Zeta/b").toString(), QString("2"));
        QCOMPARE(back.appPath(), QString::fromUtf8("/opt/我的 dock;1"));
        QCOMPARE(back.value("Weather/City").toString(), QString("@home"));
    }

    void unreadableFilesAreKeptAsideAndReplaced_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("binary") << QByteArray("\x7f" "ELF\x02\x01\x00\x00junk", 12);
        QTest::newRow("utf-16") << QByteArray("\xff\xfe[\0S\0y\0s\0t\0e\0m\0]\0\n\0", 20);
        QTest::newRow("nothing but bytes that are not utf-8") << QByteArray("Name=\xe9t\xe9\n\xff\n");
        QTest::newRow("broken section") << QByteArray("[System\nScreen=1\n");
        QTest::newRow("oversized") << QByteArray(2 * 1024 * 1024, 'a');
        QTest::newRow("far more settings than ours") << QByteArray("a=1\n").repeated(300000);
        QTest::newRow("larger than any file of ours")
            << "[System]\nScreen=1\n" + ("; " + QByteArray(1022, 'c') + "\n").repeated(8 * 1024 + 1);
    }
    void unreadableFilesAreKeptAsideAndReplaced()
    {
        QFETCH(QByteArray, bytes);
        TestEnv::writeFile(path(), bytes);
        DockSettings s(path());
        QVERIFY(!s.exists());
        QCOMPARE(TestEnv::readFile(path() + ".bad"), bytes);
        s.load(); // read again at start: one copy is enough
        QVERIFY(!QFile::exists(path() + ".bad.1"));
        QCOMPARE(s.screen(), 0);
        s.setScreen(1);
        QVERIFY(s.save());
        QCOMPARE(TestEnv::readFile(path()), QByteArray("[System]\nScreen=1\n"));
        QCOMPARE(TestEnv::readFile(path() + ".bad"), bytes); // the kept copy stays
    }

    // The one limit of our stored files holds for the settings too: a file
    // within it keeps every key, however much of it is comments.
    void aLargeFileWithinTheLimitKeepsEveryKey()
    {
        {
            DockSettings full(path());
            for (const QString &key : DockSettings::knownKeys()) {
                const QVariant def = DockSettings::defaultValue(key);
                switch (def.userType()) {
                case QMetaType::Bool: full.setValue(key, !def.toBool()); break;
                case QMetaType::Int: full.setValue(key, QString::number(def.toInt() == 1 ? 2 : 1)); break;
                case QMetaType::QPoint: full.setValue(key, QPoint(3, 4)); break;
                default: full.setValue(key, "v"); break;
                }
            }
            QVERIFY(full.save());
        }
        QVariantMap expected;
        {
            QSettings plain(path(), QSettings::IniFormat);
            for (const QString &key : plain.allKeys())
                expected.insert(key, plain.value(key));
        }
        QCOMPARE(expected.size(), DockSettings::knownKeys().size());
        // 1,500 lines of comments of 1 KB, in the middle of a group.
        QList<QByteArray> lines = TestEnv::readFile(path()).split('\n');
        lines.insert(3, ("; " + QByteArray(1022, 'c') + "\n").repeated(1500).chopped(1));
        TestEnv::writeFile(path(), lines.join('\n'));
        QVERIFY(QFileInfo(path()).size() > 1500 * 1024);

        DockSettings s(path());
        QVERIFY(s.exists());
        QVERIFY(!QFile::exists(path() + ".bad"));
        for (auto it = expected.constBegin(); it != expected.constEnd(); ++it)
            QCOMPARE(s.value(it.key()), it.value());
    }

    // One bad value loses that value only: the line that does not read is
    // dropped and its key takes its default; every other key is read. The
    // whole file is kept aside first, and the next save writes what was read.
    void aDamagedFileKeepsWhatReadsWell_data()
    {
        QTest::addColumn<QByteArray>("bad");
        QTest::addColumn<QString>("lost");
        QTest::newRow("NUL") << QByteArray("Location=0\0\n", 12) << "System/Location";
        QTest::newRow("not utf-8") << QByteArray("Location=\xe9t\xe9\n") << "System/Location";
        QTest::newRow("7 MB value") << "BackgroundImage=" + QByteArray(7 * 1024 * 1024, 'p') + "\n"
                                    << "LaunchPad/BackgroundImage";
        QTest::newRow("open quote") << QByteArray("Location=\"0\n") << "System/Location";
        QTest::newRow("bad header") << QByteArray("[Hot\xffkey]\nLaunchPad=Alt+W\n") << "";
    }
    void aDamagedFileKeepsWhatReadsWell()
    {
        QFETCH(QByteArray, bad);
        QFETCH(QString, lost);
        // In the middle of its section; a bad header at the end.
        const auto at = [&](bool here) { return here ? bad : QByteArray(); };
        const QByteArray before = "[System]\nLevel=0\nMargin=4\n" + at(lost.startsWith("System"))
            + "IcoSize=48\n\n[LaunchPad]\n" + at(lost.startsWith("LaunchPad")) + "IconSize=120\n\n[Weather]\nCity=3\n"
            + at(lost.isEmpty());
        TestEnv::writeFile(path(), before);
        DockSettings s(path());
        QVERIFY(s.exists());
        QCOMPARE(TestEnv::readFile(path() + ".bad"), before);
        QCOMPARE(TestEnv::readFile(path()), before); // not yet written
        QCOMPARE(s.level(), 0);
        QCOMPARE(s.margin(), 4);
        QCOMPARE(s.icoSize(), 48);
        QCOMPARE(s.launchPadIconSize(), 120);
        QCOMPARE(s.weatherCity(), 3);
        if (!lost.isEmpty())
            QCOMPARE(s.value(lost), DockSettings::defaultValue(lost));
        // A lost location takes its default; one the file never held reads as 0.
        const int location = lost == "System/Location" ? 2 : 0;
        QCOMPARE(s.location(), location);
        QCOMPARE(s.launchPadBackgroundImage(), QString());
        QCOMPARE(s.hotkeyLaunchPad(), QString("Alt+Q"));
        QVERIFY(s.save());
        const QByteArray after = TestEnv::readFile(path());
        QVERIFY(!after.contains('\0') && !after.contains("ppp") && !after.contains("Hot"));
        DockSettings back(path());
        QCOMPARE(back.margin(), 4);
        QCOMPARE(back.weatherCity(), 3);
        QCOMPARE(back.location(), location);
        QVERIFY(lost.isEmpty() || back.contains(lost)); // written as a first start writes it
        QVERIFY(!QFile::exists(path() + ".bad.1"));
    }

    // With no room for the copy, the damaged file is left as it is for the
    // run: what reads well is used, and nothing is written over it.
    void aDamagedFileThatCannotBeKeptIsNotSavedOver()
    {
        // Room for the part that reads (which is parsed from a copy), not for the whole.
        const QByteArray before = "[System]\nLevel=0\nMargin=\xff" + QByteArray(16 * 1024, 'x') + "\nIcoSize=48\n";
        TestEnv::writeFile(path(), before);
        FullDisk *full = new FullDisk(1024);
        DockSettings s(path());
        delete full;
        QSignalSpy failed(&s, &DockSettings::saveFailed);
        QVERIFY(s.exists());
        QCOMPARE(s.icoSize(), 48);
        QVERIFY(!QFile::exists(path() + ".bad"));
        s.setMargin(9);
        QVERIFY(!s.save());
        QCOMPARE(failed.count(), 0); // told as a file left alone, not as a failed save
        QCOMPARE(TestEnv::readFile(path()), before);
    }

    void aPipeIsNeverOpened()
    {
        QVERIFY(mkfifo(QFile::encodeName(path()).constData(), 0600) == 0);
        DockSettings s(path()); // would block for ever on a read
        QVERIFY(!s.exists());
        s.setMargin(1);
        QVERIFY(s.save());
        QVERIFY(QFileInfo(path()).isFile());
    }

    void aStaleLockOrScratchCopyIsNoObstacle()
    {
        TestEnv::writeFile(path(), "[System]\nMargin=4\n");
        TestEnv::writeFile(path() + ".lock", "");
        QDir().mkpath(path() + ".tmp-AbC123");
        TestEnv::writeFile(path() + ".tmp-AbC123/config.ini", "[System]\n");
        DockSettings s(path());
        QVERIFY(!QFile::exists(path() + ".lock"));
        QVERIFY(!QFile::exists(path() + ".tmp-AbC123"));
        s.setMargin(5);
        QVERIFY(s.save());
        QCOMPARE(TestEnv::readFile(path()), QByteArray("[System]\nMargin=5\n"));
        // Nothing of ours is left beside the file.
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList { "config.ini" });
    }

    void aSaveThatCannotWriteEverythingKeepsTheOldFile()
    {
        TestEnv::writeFile(path(), "[System]\nMargin=4\n");
        DockSettings s(path());
        QSignalSpy failed(&s, &DockSettings::saveFailed);
        s.setValue("System/AppPath", QString(400, 'p'));
        {
            FullDisk full(64);
            QVERIFY(!s.save());
            QVERIFY(!s.save());
        }
        QCOMPARE(failed.count(), 1); // told once
        QCOMPARE(TestEnv::readFile(path()), QByteArray("[System]\nMargin=4\n"));
        QVERIFY(s.isDirty());
        QCOMPARE(s.appPath(), QString(400, 'p')); // still in memory
        QVERIFY(s.save());
        QVERIFY(TestEnv::readFile(path()).contains("AppPath=ppp"));
        {
            FullDisk full(64);
            s.setMargin(6);
            QVERIFY(!s.save());
        }
        QCOMPARE(failed.count(), 2); // a new failure after a success is told again
    }

    // A file that could not even be read (no room for the copy QSettings
    // parses) is neither bad nor empty: the defaults that stand in for it
    // are never written over it.
    void aFileThatCouldNotBeReadIsNeverSavedOver()
    {
        const QByteArray old = "[System]\nMargin=4\nIcoSize=48\n";
        TestEnv::writeFile(path(), old);
        FullDisk *full = new FullDisk(0);
        DockSettings s(path());
        delete full;
        QSignalSpy failed(&s, &DockSettings::saveFailed);
        QVERIFY(!s.exists());
        QCOMPARE(s.icoSize(), 64);
        s.setMargin(9);
        QVERIFY(!s.save());
        QCOMPARE(failed.count(), 1);
        QCOMPARE(TestEnv::readFile(path()), old);
        QVERIFY(!QFile::exists(path() + ".bad"));
        s.load();
        QCOMPARE(s.icoSize(), 48);
        s.setMargin(9);
        QVERIFY(s.save());
        QVERIFY(TestEnv::readFile(path()).contains("Margin=9"));
    }

    void hotkeyNamesMatchExactly()
    {
        QCOMPARE(DockSettings::hotkeyIndex("LaunchPad"), 0);
        QCOMPARE(DockSettings::hotkeyIndex("Dock"), 4);
        QCOMPARE(DockSettings::hotkeyIndex("dock"), -1);
        // Each stored under its own key, with its own first chord.
        QStringList keys;
        for (const DockHotkey &h : dockHotkeys)
            keys << DockSettings::keyName(h.key) + "=" + DockSettings::defaultValue(h.key).toString();
        QCOMPARE(keys, QStringList({ "Hotkey/LaunchPad=Alt+Q", "Hotkey/Vesk=Alt+S", "Hotkey/Screenshot=Alt+X",
                                     "Hotkey/ColorPicker=Alt+C", "Hotkey/Zorvane=Alt+D" }));
    }
};

ZV_TEST_MAIN(TestDockSettings)
#include "tst_docksettings.moc"
