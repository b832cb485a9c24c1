// The start-menu tree: the applications of a temporary XDG data folder,
// grouped by category, and what its rows open.
#include "dock/menus/formstartmenu.h"
#include "dock/menus/formtreewidgetitem.h"
#include "dock/menus/startmenutree.h"
#include "fakedockservices.h"
#include "testenv.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolTip>
#include <QTreeWidget>
#include <QAbstractButton>
#include <QtTest>

#include <sys/stat.h>

namespace {

QByteArray entry(const QString &name, const QString &categories, const QString &extra = QString())
{
    return QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=/bin/true\nCategories=%2\n%3")
        .arg(name, categories, extra)
        .toUtf8();
}

QStringList names(const QList<StartMenuTree::Entry> &entries)
{
    QStringList out;
    for (const StartMenuTree::Entry &e : entries)
        out << e.name;
    return out;
}

} // namespace

class TestStartMenu : public QObject
{
    Q_OBJECT
    QTemporaryDir data;
    QString user, system;

    QString app(const QString &folder, const QString &file, const QByteArray &content)
    {
        return TestEnv::writeFile(folder + "/" + file, content);
    }

private slots:
    void initTestCase()
    {
        user = data.path() + "/user/applications";
        system = data.path() + "/system/applications";
        app(system, "editor.desktop", entry("Editor", "Utility;TextEditor;", "Name[zh_CN]=编辑器\nName[de]=Editor DE\n"));
        app(system, "player.desktop", entry("Player", "Audio;Player;"));
        app(system, "zebra.desktop", entry("Zebra", "Game;"));
        app(system, "apple.desktop", entry("apple", "Game;"));
        app(system, "misc.desktop", entry("Misc", ""));
        app(system, "hidden.desktop", entry("Hidden", "Game;", "Hidden=true\n"));
        app(system, "nodisplay.desktop", entry("NoDisplay", "Game;", "NoDisplay=true\n"));
        app(system, "folder.desktop", "[Desktop Entry]\nType=Directory\nName=Folder\n");
        app(system, "notes.txt", entry("Text", "Game;"));
        app(system, "LOUD.DESKTOP", entry("Loud", "Office;"));
        app(system, "kde/konsole.desktop", entry("Konsole", "System;"));
        app(system, "overridden.desktop", entry("System copy", "Game;"));
        app(system, "masked.desktop", entry("Masked", "Game;"));
        // The user's copy of an ID counts, also to hide it.
        app(user, "overridden.desktop", entry("User copy", "Game;"));
        app(user, "masked.desktop", entry("Masked", "Game;", "Hidden=true\n"));
        // A link back up, which must not be walked round and round.
        QVERIFY(QFile::link(system, system + "/kde/loop"));
    }

    void scanGroupsByMainCategory()
    {
        const QList<StartMenuTree::Folder> folders = StartMenuTree::scan({ user, system });
        QStringList cats;
        for (const StartMenuTree::Folder &f : folders)
            cats << f.category;
        QCOMPARE(cats, (QStringList{ "AudioVideo", "Game", "Office", "System", "Utility", "Other" }));
        QCOMPARE(folders.at(0).name, QString("影音"));
        QCOMPARE(names(folders.at(1).entries), (QStringList{ "apple", "User copy", "Zebra" }));
        QCOMPARE(folders.at(1).entries.at(1).file, user + "/overridden.desktop");
        QCOMPARE(names(folders.at(2).entries), QStringList{ "Loud" });
        QCOMPARE(names(folders.at(3).entries), QStringList{ "Konsole" });
        QCOMPARE(names(folders.at(4).entries), QStringList{ "编辑器" });
        QCOMPARE(folders.at(5).name, QString("其他"));
    }

    void categoriesAndNames()
    {
        QCOMPARE(StartMenuTree::mainCategory({ "GTK", "Video", "Player" }), QString("AudioVideo"));
        QCOMPARE(StartMenuTree::mainCategory({ "X-Custom", "Network", "Office" }), QString("Network"));
        QCOMPARE(StartMenuTree::mainCategory({ "network" }), QString("Other"));
        QCOMPARE(StartMenuTree::mainCategory({}), QString("Other"));
        QCOMPARE(StartMenuTree::entryName(system + "/player.desktop"), QString("Player"));
        QCOMPARE(StartMenuTree::entryName(system + "/editor.desktop"), QString("编辑器"));
        QCOMPARE(StartMenuTree::entryName(system + "/missing.desktop"), QString());
    }

    // A desktop entry's name that reads like HTML neither holds the panel up
    // (a picture it names is a named pipe) nor loads anything: it is text,
    // in the row and in its tool tip.
    void entryNamesAreText()
    {
        QTemporaryDir apps;
        const QString pipe = apps.path() + "/pipe";
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        const QString name = "<img src=\"" + pipe + "\">Trap & <b>bold</b>";
        app(apps.path(), "trap.desktop", entry(name, "Game;", "Icon=" + pipe + "\n"));
        FakeOpener opener;
        QWidget dock;
        dock.show();
        FormStartMenu panel(&dock);
        panel.setApplicationFolders({ apps.path() });
        panel.toggleShow();
        QTreeWidgetItem *games = panel.tree()->topLevelItem(0);
        QVERIFY(games);
        games->setExpanded(true);
        FormTreeWidgetItem *row = panel.rowWidget(games->child(0));
        QVERIFY(row);
        QCOMPARE(row->name(), name);
        auto *label = row->findChild<QLabel *>("name");
        QCOMPARE(label->textFormat(), Qt::PlainText);
        panel.grab();
        QVERIFY(!label->toolTip().contains("<img"));
        QVERIFY(label->toolTip().contains("&lt;img"));
        QToolTip::showText(QPoint(10, 10), label->toolTip(), label);
        QToolTip::hideText();
        QVERIFY(opener.paths.isEmpty());
    }

    void missingFoldersGiveAnEmptyTree()
    {
        QVERIFY(StartMenuTree::scan({ data.path() + "/nowhere" }).isEmpty());
    }

    void panelRowsOpenAndHide()
    {
        FakeOpener opener;
        QWidget dock;
        dock.show();
        FormStartMenu panel(&dock);
        panel.setApplicationFolders({ user, system });
        QVERIFY(!panel.isLoaded());
        panel.toggleShow();
        QVERIFY(panel.isLoaded());
        QTreeWidget *t = panel.tree();
        QCOMPARE(t->topLevelItemCount(), 6);
        QTreeWidgetItem *games = t->topLevelItem(1);
        FormTreeWidgetItem *folderRow = panel.rowWidget(games);
        QVERIFY(folderRow->isFolder());
        QCOMPARE(folderRow->name(), QString("游戏"));
        QCOMPARE(games->childCount(), 3);

        // A left click on a folder opens it and a second one closes it.
        QMouseEvent left(QEvent::MouseButtonRelease, QPointF(5, 5), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(folderRow, &left);
        QVERIFY(games->isExpanded());
        QApplication::sendEvent(folderRow, &left);
        QVERIFY(!games->isExpanded());
        QMenu none;
        folderRow->fillContextMenu(&none);
        QVERIFY(none.actions().isEmpty());

        // Opening a row opens its desktop file and asks the dock to hide the panel, once.
        FormTreeWidgetItem *zebra = panel.rowWidget(games->child(2));
        QCOMPARE(zebra->indentation(), 20);
        QSignalSpy opened(&panel, &FormStartMenu::IconOpens);
        QApplication::sendEvent(zebra, &left);
        QCOMPARE(opener.paths, QStringList{ system + "/zebra.desktop" });
        QCOMPARE(opened.count(), 1);
        QMenu menu;
        zebra->fillContextMenu(&menu);
        QCOMPARE(menu.actions().size(), 2);
        menu.actions().at(1)->trigger(); // "打开文件位置": the folder of the program it starts
        QCOMPARE(opener.urls, QList<QUrl>{ QUrl::fromLocalFile("/bin") });

        // Hidden by any path, the tree is collapsed and the next toggle shows it.
        games->setExpanded(true);
        panel.hideMenu();
        QVERIFY(!games->isExpanded());
        panel.toggleShow();
        QVERIFY(panel.isShown());
    }

    // "打开文件位置" opens the folder of the program an entry starts, found
    // as the entry names it (a path, or a name on PATH); an entry that starts
    // no program found here opens the folder of its own file.
    void fileLocationIsTheProgramsFolder_data()
    {
        QTest::addColumn<QByteArray>("entry");
        QTest::addColumn<QString>("folder"); // "<bin>" the program's, "<entry>" the entry's
        QTest::newRow("absolute") << QByteArray("Type=Application\nExec=<bin>/zvtool --new %U\n") << "<bin>";
        QTest::newRow("on PATH") << QByteArray("Type=Application\nExec=zvtool %f\n") << "<bin>";
        QTest::newRow("quoted") << QByteArray("Type=Application\nExec=\"<bin>/zvtool\"\n") << "<bin>";
        QTest::newRow("missing program") << QByteArray("Type=Application\nExec=zvnosuchtool\n") << "<entry>";
        QTest::newRow("link") << QByteArray("Type=Link\nURL=https://example.org/\n") << "<entry>";
    }

    void fileLocationIsTheProgramsFolder()
    {
        QFETCH(QByteArray, entry);
        QFETCH(QString, folder);
        QTemporaryDir bin, apps;
        TestEnv::writeFile(bin.path() + "/zvtool", "#!/bin/sh\n", true);
        ScopedEnv onPathFirst("PATH", QFile::encodeName(bin.path()) + ":" + qgetenv("PATH"));
        entry.replace("<bin>", QFile::encodeName(bin.path()));
        const QString file = app(apps.path() + "/sub", "tool.desktop", "[Desktop Entry]\nName=Tool\n" + entry);
        FakeOpener opener;
        FormTreeWidgetItem row;
        QTreeWidgetItem item;
        row.setData("Tool", file, &item);
        row.OpenIconPlace();
        const QString expected = folder == "<bin>" ? bin.path() : apps.path() + "/sub";
        QCOMPARE(opener.urls, QList<QUrl>{ QUrl::fromLocalFile(expected) });
    }

    // A folder opened, one of its entries opened and the panel hidden: Qt's
    // view scrolls to the pressed entry a moment later and would open its
    // folder again. Every way of hiding leaves them all closed.
    void hidingLeavesEveryFolderClosed()
    {
        FakeOpener opener;
        QWidget dock;
        dock.resize(600, 600);
        dock.show();
        FormStartMenu panel(&dock);
        panel.setApplicationFolders({ user, system });
        auto openAnEntry = [&] {
            QTreeWidgetItem *games = panel.tree()->topLevelItem(1);
            QTest::mouseClick(panel.rowWidget(games), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
            QVERIFY(games->isExpanded());
            QTest::mouseClick(panel.rowWidget(games->child(0)), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        };
        // First the dock hides the panel when an entry opens; then the panel
        // stays and is hidden from its icon.
        QMetaObject::Connection hideOnOpen =
            connect(&panel, &FormStartMenu::IconOpens, &panel, &FormStartMenu::hideMenu);
        auto allClosed = [&] {
            for (int i = 0; i < panel.tree()->topLevelItemCount(); ++i)
                if (panel.tree()->topLevelItem(i)->isExpanded())
                    return false;
            return true;
        };
        for (int way = 0; way < 2; ++way) {
            panel.toggleShow();
            QVERIFY(panel.isShown());
            openAnEntry();
            QCOMPARE(opener.paths.size(), way + 1);
            if (way == 1)
                panel.toggleShow();
            QVERIFY(!panel.isShown());
            QVERIFY(allClosed());
            QTest::qWait(QApplication::doubleClickInterval() + 250);
            QVERIFY(allClosed());
            disconnect(hideOnOpen);
        }
    }

    void refreshEmptiesThenRefills()
    {
        QWidget dock;
        FormStartMenu panel(&dock);
        panel.setApplicationFolders({ system });
        panel.loadFile();
        const int before = panel.tree()->topLevelItemCount();
        QVERIFY(before > 0);
        panel.findChild<QAbstractButton *>("Update")->click();
        QCOMPARE(panel.tree()->topLevelItemCount(), 0);
        QVERIFY(panel.findChild<QLabel *>("Loading")->isVisibleTo(&panel));
        QTRY_COMPARE_WITH_TIMEOUT(panel.tree()->topLevelItemCount(), before, 3000);
        QVERIFY(!panel.findChild<QLabel *>("Loading")->isVisibleTo(&panel));
    }
};

ZV_TEST_MAIN(TestStartMenu)
#include "tst_startmenu.moc"
