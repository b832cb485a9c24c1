// Dragging on the dock window: icons reordered, deleted, moved into a menu
// or the launch pad, icons handed back by a menu and files dropped onto the
// bar, each with its toast and the icon file afterwards.
#include "dock/icons/formcommonicon.h"
#include "dock/menus/formmenu.h"
#include "fakedesktop.h"
#include "testenv.h"
#include "widgetfixture.h"

#include <QDragEnterEvent>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

namespace {

const QString Pic = QStringLiteral(":/image/icon/Finder.png");

DockIconRecord rec(const QString &id, const QString &cl, const QString &path = "/usr/bin/x",
                   const QString &icon = Pic)
{
    return { id, icon, id + "-name", cl, path, icon };
}

// A, B, a menu, the launch pad and C; A's note is not its picture (it was edited).
QList<DockIconRecord> fiveRows()
{
    DockIconRecord a = rec("icoA", "ICON", "/usr/bin/a");
    a.Note = ":/image/icon/library.png";
    return { a, rec("icoB", "ICON", "/usr/bin/b"), rec("icoM", "MENU", "0"), rec("icoL", "LAUNCHPAD", "0"),
             rec("icoC", "ICON", "/usr/bin/c") };
}

QStringList ids(const QList<DockIconRecord> &rows)
{
    QStringList out;
    for (const DockIconRecord &r : rows)
        out << r.IconID;
    return out;
}

} // namespace

class TestWidgetDrag : public QObject, public WidgetFixture
{
    Q_OBJECT
    QTemporaryDir files;
    std::unique_ptr<FakeScreens> screens;

    QString file(const QString &name, const QByteArray &data = "x", bool exec = false)
    {
        const QString p = files.path() + "/" + name;
        QFile f(p);
        f.open(QIODevice::WriteOnly);
        f.write(data);
        f.close();
        if (exec)
            f.setPermissions(f.permissions() | QFile::ExeOwner);
        return p;
    }

    static void writeDock(const QList<DockIconRecord> &rows)
    {
        QDir().mkpath(platform::appConfigFolder());
        DockFile::write(dockFile(), rows);
    }
    static QFrame *frame(Widget &w, const char *name) { return w.findChild<QFrame *>(name); }
    static QRect bar(Widget &w)
    {
        QFrame *b = frame(w, "frameBackground");
        return QRect(b->mapToGlobal(QPoint(0, 0)), b->size());
    }
    // A point on an icon, dx from its left edge, half-way up.
    static QPoint on(Widget &w, const QString &id, int dx = 32)
    {
        FormCommonIcon *i = w.iconWidget(id);
        return i->mapToGlobal(QPoint(dx, i->height() / 2));
    }
    static void ready(Widget &w)
    {
        QTRY_VERIFY(w.isDockShown());
        // No button is really held here, so the pointer moved by the test
        // would make the icons under it grow as a hover does.
        w.IconFreeze(true);
        QTest::qWait(20); // the first relayout
    }
    static void press(Widget &w, const QString &id) { moveTo(w, id, on(w, id)); }
    static void moveTo(Widget &w, const QString &id, const QPoint &p)
    {
        QCursor::setPos(p);
        w.IconPressMove(id, QPoint());
    }
    static void dragTo(Widget &w, const QString &id, const QPoint &to)
    {
        press(w, id);
        moveTo(w, id, to);
        w.IconPressRelease(id, QPoint());
    }
    static QStringList tableIds(const Widget &w) { return ids(rows(w)); }
    // One more icon at the end of the bar; its ID.
    QString addRow(Widget &w, const QString &cl, const QString &picture = Pic, const QString &path = "/usr/bin/x")
    {
        w.AddIcon(picture, "x", cl, path);
        takeToast(w);
        ready(w);
        return lastRow(w).IconID;
    }

    static QMimeData *mimeFor(const QStringList &paths)
    {
        auto *m = new QMimeData;
        QList<QUrl> urls;
        for (const QString &p : paths)
            urls << QUrl::fromLocalFile(p);
        m->setUrls(urls);
        return m;
    }
    // Enter, move to `global` and drop; true when the drag was accepted.
    static bool dropFiles(Widget &w, const QStringList &paths, const QPoint &global)
    {
        std::unique_ptr<QMimeData> mime(mimeFor(paths));
        const QPoint p = w.mapFromGlobal(global);
        QDragEnterEvent enter(p, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &enter);
        if (!enter.isAccepted())
            return false;
        QDragMoveEvent move(p, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &move);
        QDropEvent drop(p, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &drop);
        return drop.isAccepted();
    }

private slots:
    void init()
    {
        setUpFakes();
        screens.reset(new FakeScreens);
        writeDock(fiveRows());
    }
    void cleanup()
    {
        screens.reset();
        tearDownFakes();
    }

    void reorderByDragging()
    {
        Widget w;
        ready(w);
        // Past the middle of the last icon: at the end. The note stays the
        // note of creation, not the current picture.
        dragTo(w, "icoA", on(w, "icoC", 48));
        QCOMPARE(tableIds(w), (QStringList{ "icoB", "icoM", "icoL", "icoC", "icoA" }));
        QCOMPARE(ids(savedRows()), tableIds(w));
        QCOMPARE(savedRows().last().Note, QString(":/image/icon/library.png"));
        QCOMPARE(takeToast(w), QString());
        QVERIFY(!w.isDragging());
        QVERIFY(w.dragGhost()->isHidden());
        QVERIFY(!w.iconWidget("icoA")->isHidden());

        // Before the middle of the first icon: first.
        ready(w);
        dragTo(w, "icoA", on(w, "icoB", 10));
        QCOMPARE(tableIds(w), (QStringList{ "icoA", "icoB", "icoM", "icoL", "icoC" }));
        QCOMPARE(ids(savedRows()), tableIds(w));
    }

    void theGapOpensWhereTheIconWouldLand()
    {
        Widget w;
        ready(w);
        const int n = w.settings().currentSize;
        press(w, "icoA");
        QVERIFY(w.isDragging());
        QVERIFY(w.iconWidget("icoA")->isHidden());
        QVERIFY(!w.dragGhost()->isHidden());
        QCOMPARE(w.dragGhost()->geometry(), QRect(QCursor::pos() - QPoint(n / 2, n / 2), QSize(n, n)));
        // Left half of C: B, the menu and the launch pad close up, C keeps its place.
        const int cx = w.iconWidget("icoC")->x();
        moveTo(w, "icoA", on(w, "icoC", 10));
        QCOMPARE(w.dropTarget(), QString("MAIN"));
        QCOMPARE(w.gapSlot(), 3);
        QVERIFY(w.isGapOpen());
        QTRY_COMPARE(w.iconWidget("icoB")->x(), 0);
        QTRY_COMPARE(w.iconWidget("icoL")->x(), 2 * n);
        QCOMPARE(w.iconWidget("icoC")->x(), cx);
        // The bar keeps the room of the icon while it is held.
        QTRY_COMPARE(frame(w, "frameIco")->width(), 5 * n);
        // Off the bar the gap closes and the delete marker follows the pointer.
        moveTo(w, "icoA", QPoint(on(w, "icoC").x(), 100));
        QVERIFY(!w.isGapOpen());
        QVERIFY(w.deleteLabel()->isVisible());
        QCOMPARE(w.deleteLabel()->pos(), QCursor::pos() + QPoint(10, -13));
        QTRY_COMPARE(frame(w, "frameIco")->width(), 4 * n);
        QTRY_COMPARE(w.iconWidget("icoL")->x(), 2 * n);
        QTRY_COMPARE(w.iconWidget("icoC")->x(), 3 * n);
        moveTo(w, "icoA", on(w, "icoB", 10));
        QVERIFY(w.deleteLabel()->isHidden());
        w.IconPressRelease("icoA", QPoint());


        QCOMPARE(tableIds(w).first(), QString("icoA"));
    }

    void aReleaseJustPastTheEndKeepsTheIcon()
    {
        Widget w;
        ready(w);
        const int n = w.settings().currentSize;
        press(w, "icoC");
        // Leaving the bar closes it up; the release is measured from where it ends then.
        moveTo(w, "icoC", QPoint(bar(w).right() + 5, bar(w).center().y()));
        QVERIFY(w.deleteLabel()->isVisible());
        moveTo(w, "icoC", QPoint(bar(w).right() + n - 10, bar(w).center().y()));
        w.IconPressRelease("icoC", QPoint());
        QCOMPARE(tableIds(w), ids(fiveRows()));
        QCOMPARE(takeToast(w), QString());
    }

    void dragOffTheBarDeletes()
    {
        Widget w;
        ready(w);
        dragTo(w, "icoB", QPoint(on(w, "icoB").x(), 100));
        QCOMPARE(takeToast(w), QString("图标删除成功！"));
        QCOMPARE(tableIds(w), (QStringList{ "icoA", "icoM", "icoL", "icoC" }));
        QCOMPARE(ids(savedRows()), tableIds(w));
        QVERIFY(!w.iconWidget("icoB"));
        QVERIFY(w.deleteLabel()->isHidden());
        QVERIFY(!w.isDragging());
    }

    void deletingAMenuIconTakesItsFile()
    {
        const QString menuFile = platform::configPath("icoM.xml");
        DockFile::write(menuFile, { rec("icoInMenu", "ICON") });
        Widget w;
        ready(w);
        QVERIFY(QFile::exists(menuFile));
        dragTo(w, "icoM", QPoint(on(w, "icoM").x(), 100));
        QCOMPARE(takeToast(w), QString("图标删除成功！"));
        QVERIFY(!QFile::exists(menuFile));
        QCOMPARE(tableIds(w), (QStringList{ "icoA", "icoB", "icoL", "icoC" }));
    }

    void deletingATransientIconLeavesTheFile()
    {
        Widget w;
        ready(w);
        w.AddIcon(":/image/icon/UDisk.png", "U盘", "UDISK", "/media/stick");
        const QString id = lastRow(w).IconID;
        // Whatever the file holds now must survive: nothing rewrites it.
        QList<DockIconRecord> marked = fiveRows();
        marked << rec("icoMarker", "ICON");
        DockFile::write(dockFile(), marked);
        ready(w);
        dragTo(w, id, QPoint(on(w, id).x(), 100));
        QCOMPARE(takeToast(w), QString("图标删除成功！"));
        QVERIFY(!tableIds(w).contains(id));
        QCOMPARE(ids(savedRows()), ids(marked));
    }

    void intoAMenu()
    {
        Widget w;
        ready(w);
        FormMenu *menu = w.menuWindow("icoM");
        QVERIFY(menu);
        menu->showAnimated();
        takeToast(w);
        press(w, "icoB");
        moveTo(w, "icoB", on(w, "icoM"));
        QCOMPARE(w.dropTarget(), QString("MENU"));
        QVERIFY(!w.isGapOpen());
        w.IconPressRelease("icoB", QPoint());
        QCOMPARE(tableIds(w), (QStringList{ "icoA", "icoM", "icoL", "icoC" }));
        QCOMPARE(ids(savedRows()), tableIds(w));
        QVERIFY(!w.iconWidget("icoB"));
        QVERIFY(!menu->isShown()); // the menu closes after an add
        QCOMPARE(w.dropTarget(), QString("MAIN"));
    }

    void refusedByAMenu_data()
    {
        QTest::addColumn<QString>("cl");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("toast");
        QTest::newRow("a menu") << "MENU" << Pic << "不能添加！";
        QTest::newRow("a spacer") << "BLANK" << Pic << "不能添加！";
        QTest::newRow("the update notice") << "UPGRADE" << Pic << "不能添加！";
        QTest::newRow("a removable disk") << "UDISK" << Pic << "不能添加！";
        QTest::newRow("the recycle bin") << "RECYCLE" << Pic << "菜单中不能添加此图标！";
        QTest::newRow("a clock") << "TIME1" << Pic << "菜单中不能添加此图标！";
        QTest::newRow("the other clock") << "TIME2" << Pic << "菜单中不能添加此图标！";
        // The menu itself takes no icon whose picture is missing.
        QTest::newRow("no picture") << "ICON" << "/no/such/picture.png" << "不能添加！";
    }
    void refusedByAMenu()
    {
        QFETCH(QString, cl);
        QFETCH(QString, picture);
        QFETCH(QString, toast);
        Widget w;
        const QString x = addRow(w, cl, picture);
        const QStringList before = tableIds(w);
        press(w, x);
        moveTo(w, x, on(w, "icoM"));
        QCOMPARE(w.dropTarget(), QString("MENU"));
        w.IconPressRelease(x, QPoint());
        QCOMPARE(takeToast(w), toast);
        // No icon is lost by a refusal: it is back where it was.
        QCOMPARE(tableIds(w), before);
        QVERIFY(!w.iconWidget(x)->isHidden());
        QVERIFY(w.dragGhost()->isHidden());
        if (cl != "UDISK" && cl != "UPGRADE")
            QCOMPARE(ids(savedRows()), before);
    }

    void ontoTheLaunchPad_data()
    {
        QTest::addColumn<QString>("cl");
        QTest::addColumn<QString>("toast");
        QTest::addColumn<bool>("moved");
        QTest::newRow("a program") << "ICON" << "" << true;
        QTest::newRow("the recycle bin") << "RECYCLE" << "此应用不能添加！" << false;
        QTest::newRow("a drive") << "DISK" << "此应用不能添加！" << false;
        QTest::newRow("a clock") << "TIME2" << "此应用不能添加！" << false;
        QTest::newRow("a spacer") << "BLANK" << "此图标不能添加！" << false;
    }
    void ontoTheLaunchPad()
    {
        QFETCH(QString, cl);
        QFETCH(QString, toast);
        QFETCH(bool, moved);
        Widget w;
        const QString x = addRow(w, cl, Pic, cl == "DISK" ? "/media/data" : "/usr/bin/x");
        const QStringList before = tableIds(w);
        press(w, x);
        moveTo(w, x, on(w, "icoL"));
        QCOMPARE(w.dropTarget(), QString("LAUNCHPAD"));
        w.IconPressRelease(x, QPoint());
        QCOMPARE(takeToast(w), toast);
        QCOMPARE(tableIds(w).contains(x), !moved);
        if (!moved)
            QCOMPARE(tableIds(w), before);
        QCOMPARE(ids(savedRows()), tableIds(w));
    }

    // The only icon lifted leaves an empty table: nothing reads a row that
    // is not there, and it lands back on the bar.
    void draggingTheOnlyIcon()
    {
        writeDock({ rec("icoA", "ICON") });
        Widget w;
        ready(w);
        const QPoint c = on(w, "icoA");
        press(w, "icoA");
        QCOMPARE(w.iconTable()->rowCount(), 0);
        for (int dx : { -30, 30, 0, -5 }) {
            moveTo(w, "icoA", c + QPoint(dx, 0));
            QCOMPARE(w.gapSlot(), 0);
            QCOMPARE(w.dropTarget(), QString("MAIN"));
        }
        w.IconPressRelease("icoA", QPoint());
        QCOMPARE(tableIds(w), QStringList{ "icoA" });
        QCOMPARE(takeToast(w), QString());

        // Off the bar it goes, and the bar is empty.
        ready(w);
        dragTo(w, "icoA", QPoint(c.x(), 100));
        QCOMPARE(w.iconTable()->rowCount(), 0);
        QVERIFY(savedRows().isEmpty());
    }

    void droppingOntoAnEmptyDock()
    {
        writeDock({});
        Widget w;
        ready(w);
        QCOMPARE(w.iconTable()->rowCount(), 0);
        QVERIFY(dropFiles(w, { files.path() }, bar(w).center()));
        QCOMPARE(w.iconTable()->rowCount(), 1);
        QCOMPARE(lastRow(w).Class, QString("FOLDER"));
        QCOMPARE(lastRow(w).Path, files.path());
        QCOMPARE(takeToast(w), QString("图标添加成功！"));
        QCOMPARE(savedRows().size(), 1);
    }

    void filesDropped_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("exec");
        QTest::addColumn<QString>("cl");
        QTest::addColumn<QString>("iconName");
        QTest::newRow("folder") << "" << QByteArray() << false << "FOLDER" << "";
        QTest::newRow("program") << "runme" << QByteArray("#!/bin/sh\necho\n") << true << "ICON" << "runme";
        QTest::newRow("desktop entry") << "org.example.Editor.desktop"
                                       << QByteArray("[Desktop Entry]\nType=Application\nName=Editor\nExec=/bin/true\n")
                                       << false << "ICON" << "Editor";
        QTest::newRow("script") << "start.sh" << QByteArray("echo\n") << false << "ICON" << "start";
        QTest::newRow("script in capitals") << "BUILD.SH" << QByteArray("echo\n") << false << "ICON" << "BUILD";
        QTest::newRow("program from elsewhere") << "Setup.Exe" << QByteArray("MZ") << false << "ICON" << "Setup";
        QTest::newRow("unsupported") << "notes.txt" << QByteArray("hello") << false << "" << "";
    }
    void filesDropped()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(bool, exec);
        QFETCH(QString, cl);
        QFETCH(QString, iconName);
        QString path = files.path();
        if (!name.isEmpty())
            path = file(name, content, exec);
        Widget w;
        ready(w);
        // Past the middle of B: between B and the menu, not into the menu.
        const bool accepted = dropFiles(w, { path }, on(w, "icoB", 50));
        QVERIFY(!w.isDropPending());
        QVERIFY(frame(w, "frameDragAdd")->isHidden());
        QVERIFY(w.placeholder()->isHidden());
        if (cl.isEmpty()) {
            QVERIFY(!accepted);
            QCOMPARE(tableIds(w), ids(fiveRows()));
            QCOMPARE(takeToast(w), QString());
            return;
        }
        QVERIFY(accepted);
        QCOMPARE(w.iconTable()->rowCount(), 6);
        const DockIconRecord r = DockFile::rowOf(w.iconTable(), 2);
        QCOMPARE(r.Class, cl);
        if (cl == "FOLDER")
            QCOMPARE(r.Name, QFileInfo(files.path()).fileName());
        else
            QCOMPARE(r.Name, iconName);
        if (name.endsWith(".desktop"))
            QCOMPARE(r.Path, platform::appConfigFolder() + "/link/" + name);
        else
            QCOMPARE(r.Path, path);
        QCOMPARE(takeToast(w), QString("图标添加成功！"));
        QCOMPARE(ids(savedRows()), tableIds(w));
    }

    void aFileDroppedOnAMenuGoesIntoIt()
    {
        Widget w;
        ready(w);
        w.menuWindow("icoM")->showAnimated();
        QVERIFY(dropFiles(w, { file("tool.sh", "echo") }, on(w, "icoM")));
        QCOMPARE(tableIds(w), ids(fiveRows()));
        QVERIFY(!w.menuWindow("icoM")->isShown());
        QVERIFY(!w.isDropPending());
    }

    void twoFilesOrALockedDockAreRefused()
    {
        Widget w;
        ready(w);
        QVERIFY(!dropFiles(w, { file("a.sh"), file("b.sh") }, on(w, "icoB")));
        w.setLocking(true);
        QVERIFY(!dropFiles(w, { file("c.sh") }, on(w, "icoB")));
        // Nor does an icon move.
        press(w, "icoA");
        QVERIFY(!w.isDragging());
        QVERIFY(!w.iconWidget("icoA")->isHidden());
        QCOMPARE(tableIds(w), ids(fiveRows()));
    }

    void lockedWhileHeldGoesBack()
    {
        Widget w;
        ready(w);
        press(w, "icoB");
        moveTo(w, "icoB", on(w, "icoC", 50));
        w.setLocking(true);
        w.IconPressRelease("icoB", QPoint());
        QCOMPARE(tableIds(w), ids(fiveRows()));
        QVERIFY(!w.iconWidget("icoB")->isHidden());
    }

    // A refused shortcut never reaches the add: the drop must not stay pending
    // and send the next add into its old gap.
    void aRefusedDropLeavesNothingPending()
    {
        Widget w;
        ready(w);
        const QString batch =
            file("Batch.desktop", "[Desktop Entry]\nType=Application\nName=Batch\nExec=/opt/run.bat\n");
        QVERIFY(dropFiles(w, { batch }, on(w, "icoM")));
        QCOMPARE(takeToast(w), QString("不是合法应用，图标添加失败！"));
        QVERIFY(!w.isDropPending());
        w.AddIcon2(Pic, "later", "CALCULATOR", "0", "0");
        QCOMPARE(lastRow(w).Name, QString("later"));
        QCOMPARE(w.iconTable()->rowCount(), 6);
    }

    void dragLeaveClearsTheHint()
    {
        Widget w;
        ready(w);
        std::unique_ptr<QMimeData> mime(mimeFor({ file("x.sh") }));
        const QPoint p = w.mapFromGlobal(on(w, "icoB", 50));
        QDragEnterEvent enter(p, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &enter);
        QDragMoveEvent move(p, Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &move);
        QFrame *hint = frame(w, "frameDragAdd");
        QVERIFY(hint->isHidden());
        QVERIFY(w.placeholder()->isVisible());
        QCOMPARE(w.placeholder()->iconClass(), QString("Temporary"));
        // In the gap before the menu, on the bar's screen side.
        const int n = w.settings().currentSize;
        QCOMPARE(w.placeholder()->pos(), QPoint(2 * n, int(w.settings().icoMagnified) - n));
        // What shows takes the pointer: the placeholder in the gap is in the input shape.
        const QPoint inMain = frame(w, "main")->pos();
        QVERIFY(w.inputRegion().contains(
            w.placeholder()->geometry().translated(inMain + frame(w, "frameIco")->pos())));
        QDragLeaveEvent leave;
        QApplication::sendEvent(&w, &leave);
        QVERIFY(hint->isHidden());
        QVERIFY(w.placeholder()->isHidden());
        QVERIFY(!w.isGapOpen());
        QCOMPARE(tableIds(w), ids(fiveRows()));
    }

    void iconsHandedBackByAMenu()
    {
        Widget w;
        ready(w);
        const QPoint afterA = on(w, "icoA", 50);
        QCursor::setPos(afterA);
        w.returnAddIcon("icoFromMenu", Pic, "back", "ICON", "/usr/bin/back", QPoint());
        QCOMPARE(w.gapSlot(), 1);
        w.returnConfirm(true);
        QCOMPARE(DockFile::rowOf(w.iconTable(), 1).Name, QString("back"));
        QCOMPARE(takeToast(w), QString("图标添加成功！"));
        QVERIFY(!w.isDropPending());

        // The menu kept it, or the pointer is off the strip: nothing comes.
        ready(w);
        QCursor::setPos(on(w, "icoA", 50));
        w.returnAddIcon("icoFromMenu2", Pic, "kept", "ICON", "/usr/bin/kept", QPoint());
        w.returnConfirm(false);
        QCursor::setPos(QPoint(afterA.x(), 100));
        w.returnAddIcon("icoFromMenu3", Pic, "away", "ICON", "/usr/bin/away", QPoint());
        w.returnConfirm(true);
        QCOMPARE(w.iconTable()->rowCount(), 6);

        // Given up by its menu onto another menu that takes none of its kind:
        // it lands on the bar before that menu instead of being lost.
        ready(w);
        QCursor::setPos(on(w, "icoM"));
        w.returnAddIcon("icoFromMenu4", ":/image/icon/Recycle1.png", "bin", "RECYCLE", "::bin", QPoint());
        QCOMPARE(w.dropTarget(), QString("MENU"));
        w.returnConfirm(true);
        QCOMPARE(w.iconTable()->rowCount(), 7);
        const int m = rowOf(w, "icoM");
        QCOMPARE(DockFile::rowOf(w.iconTable(), m - 1).Name, QString("bin"));
    }

    void menusStandBesideTheirIcons()
    {
        Widget w;
        ready(w);
        FormMenu *menu = w.menuWindow("icoM");
        menu->resize(200, 300);
        FormCommonIcon *icon = w.iconWidget("icoM");
        w.IconMove("icoM", QPoint(), icon->width(), icon->height(), "MENU");
        // On a bottom bar: ending at the icon's far side less 5, overlapping its top by 5.
        const QRect i(icon->mapTo(&w, QPoint(0, 0)), icon->size());
        QCOMPARE(menu->geometry().right() + 1, i.right() + 1 - 5);
        QCOMPARE(menu->geometry().bottom() + 1, i.top() + 5);

        // A menu icon that moves before its menu exists is left alone.
        QTableWidget *t = w.iconTable();
        const int r = t->rowCount();
        t->insertRow(r);
        const DockIconRecord fresh = rec("icoNewMenu", "MENU", "0");
        for (int c = 0; c < DockIconRecord::FieldCount; ++c)
            t->setItem(r, c, new QTableWidgetItem(fresh.field(c)));
        w.createIcon();
        QVERIFY(w.iconWidget("icoNewMenu"));
        QVERIFY(!w.menuWindow("icoNewMenu"));
        w.IconMove("icoNewMenu", QPoint(), 64, 64, "MENU");
        w.IconMove("icoNoSuchIcon", QPoint(), 64, 64, "MENU");
    }
};

ZV_TEST_MAIN(TestWidgetDrag)
#include "tst_widgetdrag.moc"
