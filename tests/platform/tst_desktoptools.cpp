// The desktop's own tools found among its applications: by category (the
// screenshot tool by keyword), the usual programs of the big desktops first,
// those programs on PATH when no entry offers one.
#include "platform/desktopentries.h"
#include "platform/opener.h"
#include "testenv.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace platform;

Q_DECLARE_METATYPE(platform::Opener::Tool)

class TestDesktopTools : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    QString home() const { return dir.path() + "/home"; }
    QString system() const { return dir.path() + "/system"; }
    QString bin() const { return dir.path() + "/bin"; }

    // "h:<file>" and "s:<file>" are entries of the user's and of the system's
    // folder; what follows "|" is the entry's body below its group line.
    // "b:<name>" is a program on PATH.
    void lay(const QStringList &files)
    {
        for (const QString &f : files) {
            const QString where = f.section(':', 0, 0);
            const QString rest = f.section(':', 1);
            if (where == "b") {
                TestEnv::writeFile(bin() + "/" + rest, "#!/bin/sh\n", true);
                continue;
            }
            const QString id = rest.section('|', 0, 0);
            const QString body = rest.section('|', 1).replace(QStringLiteral(";;"), QStringLiteral("\n"));
            const QString file = (where == "h" ? home() : system()) + "/applications/" + id;
            TestEnv::writeFile(file, "[Desktop Entry]\nType=Application\nName=" + id.toUtf8() + "\n" + body.toUtf8() + "\n");
        }
    }

private slots:
    void init()
    {
        for (const QString &d : { home(), system(), bin() }) {
            QDir(d).removeRecursively();
            QDir().mkpath(d);
        }
        qputenv("XDG_DATA_HOME", home().toUtf8());
        qputenv("XDG_DATA_DIRS", system().toUtf8());
        qputenv("PATH", bin().toUtf8());
        qputenv("XDG_CURRENT_DESKTOP", "Openbox");
    }

    void entriesOfAllFolders()
    {
        lay({ "h:a.desktop|Exec=a", "s:a.desktop|Exec=b", "s:kde/b.desktop|Exec=b", "s:c.txt|x" });
        const QList<DesktopEntries::Entry> found = DesktopEntries::list();
        QCOMPARE(found.size(), 2);
        // The user's file of an ID wins; IDs of sub-folders join with "-".
        QCOMPARE(found.at(0).id, QString("a.desktop"));
        QCOMPARE(found.at(0).file, home() + "/applications/a.desktop");
        QCOMPARE(found.at(1).id, QString("kde-b.desktop"));
        QCOMPARE(found.at(1).file, system() + "/applications/kde/b.desktop");
    }

    void toolFound_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<Opener::Tool>("tool");
        QTest::addColumn<QString>("found"); // an entry's ID, "b:<program>", or empty
        const Opener::Tool calc = Opener::Calculator, settings = Opener::SystemSettings, shot = Opener::Screenshot;
        QTest::newRow("by category") << QStringList{ "b:mycalc", "s:mycalc.desktop|Exec=mycalc;;Categories=Utility;Calculator;" }
                                     << calc << "mycalc.desktop";
        QTest::newRow("the usual program first")
            << QStringList{ "b:mycalc", "b:kcalc", "s:a.desktop|Exec=mycalc;;Categories=Calculator;",
                            "s:org.kde.kcalc.desktop|Exec=kcalc %u;;Categories=Qt;KDE;Utility;" }
            << calc << "org.kde.kcalc.desktop";
        QTest::newRow("not shown here")
            << QStringList{ "b:c1", "b:c2", "b:c3", "b:c4", "s:c1.desktop|Exec=c1;;Categories=Calculator;;OnlyShowIn=KDE;",
                            "s:c2.desktop|Exec=c2;;Categories=Calculator;;NoDisplay=true",
                            "s:c3.desktop|Exec=c3;;Categories=Calculator;;Hidden=true",
                            "s:c4.desktop|Exec=c4;;Categories=Calculator;;TryExec=gone",
                            "s:c5.desktop|Exec=gone;;Categories=Calculator;" }
            << calc << "";
        QTest::newRow("hidden by the user") << QStringList{ "b:mycalc", "s:mycalc.desktop|Exec=mycalc;;Categories=Calculator;",
                                                           "h:mycalc.desktop|Hidden=true" }
                                            << calc << "";
        QTest::newRow("desktop settings before other settings")
            << QStringList{ "b:im", "b:look", "s:a-im.desktop|Exec=im;;Categories=Settings;",
                            "s:look.desktop|Exec=look;;Categories=GTK;Settings;DesktopSettings;" }
            << settings << "look.desktop";
        QTest::newRow("a control centre before both")
            << QStringList{ "b:look", "b:xfce4-settings-manager", "s:look.desktop|Exec=look;;Categories=Settings;DesktopSettings;",
                            "s:xfce-settings-manager.desktop|Exec=xfce4-settings-manager;;Categories=XFCE;Settings;" }
            << settings << "xfce-settings-manager.desktop";
        QTest::newRow("screenshot by keyword")
            << QStringList{ "b:shot", "b:viewer", "s:a.desktop|Exec=viewer;;Categories=Graphics;;Keywords=image;photo;",
                            "s:shot.desktop|Exec=shot;;Categories=Utility;;Keywords=capture;Screenshot;" }
            << shot << "shot.desktop";
        QTest::newRow("on PATH without an entry") << QStringList{ "b:galculator" } << calc << "b:galculator";
        QTest::newRow("screenshot tool on PATH") << QStringList{ "b:flameshot", "b:shot" } << shot << "b:flameshot";
        QTest::newRow("none") << QStringList{ "b:shot" } << calc << "";
    }
    void toolFound()
    {
        QFETCH(QStringList, files);
        QFETCH(Opener::Tool, tool);
        QFETCH(QString, found);
        lay(files);
        QString expected;
        if (found.startsWith("b:"))
            expected = bin() + "/" + found.mid(2);
        else if (!found.isEmpty())
            expected = system() + "/applications/" + found;
        QCOMPARE(SystemOpener::findTool(tool), expected);
        if (expected.isEmpty())
            QVERIFY(!SystemOpener().startTool(tool));
    }

    // Which paths stand for a tool, so that a missing one can be told.
    void pathsThatStandForATool()
    {
        Opener::Tool t = Opener::Terminal;
        QVERIFY(toolOfPath("::{26EE0668-A00A-44D7-9371-BEB064C98683}\\6", &t));
        QCOMPARE(t, Opener::SystemSettings);
        QVERIFY(toolOfPath("C:/Windows/System32/calc.exe", &t));
        QCOMPARE(t, Opener::Calculator);
        QVERIFY(!toolOfPath("::{645FF040-5081-101B-9F08-00AA002F954E}", &t)); // the trash
        QVERIFY(!toolOfPath(dir.path(), &t));
        QVERIFY(!toolOfPath(QString(), &t));
    }
};

ZV_TEST_MAIN(TestDesktopTools)
#include "tst_desktoptools.moc"
