// Dragging on the dock window: icons reordered, deleted, moved into a menu
// or the launch pad, icons handed back by a menu and files dropped onto the
// bar, each with its toast and the icon file afterwards.
#include "dock/icons/barpointer.h"
#include "dock/icons/formcommonicon.h"
#include "dock/launchpad/formlaunchstarter.h"
#include "dock/launchpad/launchrows.h"
#include "dock/menus/formmenu.h"
#include "dock/menus/formmenuicon.h"
#include "realpointer.h"
#include "testenv.h"
#include "dock/window/dockdrag.h"
#include "widgetfixture.h"

#include <QDragEnterEvent>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>
#include <QAbstractAnimation>

namespace {

const QString Pic = QStringLiteral(":/image/icon/Finder.png");

DockIconRecord rec(const QString &id, const QString &cl, const QString &path = "/usr/bin/x",
                   const QString &icon = Pic)
{
    return { id, icon, id + "-name", cl, path, icon };
}

// The menu of ico9090 with its BACK row and icons of these names, on disk.
QList<DockIconRecord> writeMenu(const QStringList &names)
{
    QList<DockIconRecord> rows { FormMenu::backRow() };
    for (const QString &n : names)
        rows << rec(n, "ICON", "/usr/bin/" + n.mid(3).toLower());
    DockFile::write(FormMenu::menuFilePath("ico9090"), rows);
    return rows;
}

// A, B, a menu, the launch pad and C; A's note is not its picture (it was edited).
QList<DockIconRecord> fiveRows()
{
    DockIconRecord a = rec("icoA", "ICON", "/usr/bin/a");
    a.Note = ":/image/icon/library.png";
    return { a, rec("icoB", "ICON", "/usr/bin/b"), rec("ico9090", "MENU", "0"), rec("icoL", "LAUNCHPAD", "0"),
             rec("icoC", "ICON", "/usr/bin/c") };
}

} // namespace

class TestWidgetDrag : public QObject, public WidgetFixture
{
    Q_OBJECT
    QTemporaryDir files;

    QString file(const QString &name, const QByteArray &data = "x", bool exec = false)
    {
        return TestEnv::writeFile(files.path() + "/" + name, data, exec);
    }
    // A point on an icon, dx from its left edge, half-way up.
    static QPoint on(Widget &w, const QString &id, int dx = 32)
    {
        const QRect i = w.bar()->iconRect(id);
        return w.bar()->mapToGlobal(i.topLeft() + QPoint(dx, i.height() / 2));
    }
    static void ready(Widget &w)
    {
        QTRY_VERIFY(w.autoHide()->isDockShown());
        // No button is really held here, so the pointer moved by the test
        // would make the icons under it grow as a hover does.
        w.IconFreeze(true);
        waitForRest(w);
    }
    // Settled once no icon moves between two polls: under load a relayout's
    // glide can outlast any fixed wait.
    static void waitForRest(Widget &w)
    {
        QList<QPoint> last;
        bool polled = false;
        const auto settled = [&] {
            QList<QPoint> now;
            for (const QString &id : tableIds(w))
                now << w.bar()->iconPos(id);
            bool running = false;
            for (QAbstractAnimation *a : w.findChildren<QAbstractAnimation *>())
                running = running || a->state() == QAbstractAnimation::Running;
            const bool same = polled && now == last && !running;
            last = now;
            polled = true;
            return same;
        };
        QTRY_VERIFY_WITH_TIMEOUT(settled(), 3000);
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
    // Files dragged in from outside: enter and move to `global`, then drop
    // unless only hovering; whether the drag was taken.
    static bool dropFiles(Widget &w, const QStringList &paths, const QPoint &global, bool drop = true)
    {
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString &p : paths)
            urls << QUrl::fromLocalFile(p);
        mime.setUrls(urls);
        const QPoint p = w.mapFromGlobal(global);
        QDragEnterEvent enter(p, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &enter);
        if (!enter.isAccepted())
            return false;
        QDragMoveEvent move(p, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &move);
        if (!drop)
            return true;
        QDropEvent dropped(p, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &dropped);
        return dropped.isAccepted();
    }

private slots:
    void init()
    {
        setUpFakes();
        writeDock(fiveRows());
    }
    void cleanup() { tearDownFakes(); }

    void reorderByDragging()
    {
        Widget w;
        ready(w);
        // Past the middle of the last icon: at the end. The note stays the
        // note of creation, not the current picture.
        dragTo(w, "icoA", on(w, "icoC", 48));
        QCOMPARE(tableIds(w), (QStringList{ "icoB", "ico9090", "icoL", "icoC", "icoA" }));
        QCOMPARE(ids(savedRows()), tableIds(w));
        QCOMPARE(savedRows().last().Note, QString(":/image/icon/library.png"));
        QCOMPARE(takeToast(w), QString());
        QVERIFY(!w.drag()->isDragging());
        QVERIFY(w.drag()->ghost()->isHidden());
        QVERIFY(w.bar()->contains("icoA"));
        // Before the middle of the first icon: first (once the bar has closed up).
        ready(w);
        QTRY_COMPARE(w.bar()->iconPos("icoB").x(), 0);
        dragTo(w, "icoA", on(w, "icoB", 10));
        QCOMPARE(ids(savedRows()), ids(fiveRows()));
    }

    // The update notice shows on the bar but is never stored, not even by
    // the save that ends a drag.
    void theUpdateNoticeIsNeverStored()
    {
        Widget w;
        w.updates();
        ready(w);
        const QString upgrade = lastRow(w).IconID;
        QCOMPARE(lastRow(w).Class, QString("UPGRADE"));
        dragTo(w, "icoA", on(w, "icoC", 48));
        QCOMPARE(ids(savedRows()), (QStringList{ "icoB", "ico9090", "icoL", "icoC", "icoA" }));
        QVERIFY(w.bar()->contains(upgrade));
        QCOMPARE(countClass(w, "UPGRADE"), 1);
        w.SaveFile();
        QVERIFY(!saved(upgrade));
    }

    void theGapOpensWhereTheIconWouldLand()
    {
        Widget w;
        ready(w);
        const int n = int(w.barLayout()->now().size);
        press(w, "icoA");
        QVERIFY(w.drag()->isDragging());
        QVERIFY(!w.bar()->contains("icoA")); // the ghost carries it
        QCOMPARE(w.drag()->ghost()->geometry(), QRect(QCursor::pos() - QPoint(n / 2, n / 2), QSize(n, n)));
        // Left half of C: B, the menu and the launch pad close up, C keeps its place.
        const int cx = w.bar()->iconPos("icoC").x();
        moveTo(w, "icoA", on(w, "icoC", 10));
        QCOMPARE(w.drag()->dropTarget(), QString("MAIN"));
        QCOMPARE(w.drag()->gapSlot(), 3);
        QTRY_COMPARE(w.bar()->iconPos("icoB").x(), 0);
        QTRY_COMPARE(w.bar()->iconPos("icoL").x(), 2 * n);
        QCOMPARE(w.bar()->iconPos("icoC").x(), cx);
        QTRY_COMPARE(w.bar()->stripRect().width(), 5 * n); // the room of the held icon stays
        // Off the bar the gap closes and the delete marker follows the pointer.
        moveTo(w, "icoA", QPoint(on(w, "icoC").x(), 100));
        QVERIFY(!w.drag()->isGapOpen());
        QCOMPARE(w.drag()->deleteLabel()->pos(), QCursor::pos() + QPoint(10, -13));
        QVERIFY(w.drag()->deleteLabel()->isVisible());
        // The round marker, with nothing around it.
        const QImage marker = w.drag()->deleteLabel()->grab().toImage();
        QCOMPARE(qAlpha(marker.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(marker.pixel(11, 11)), 255);
        QTRY_COMPARE(w.bar()->stripRect().width(), 4 * n);
        QTRY_COMPARE(w.bar()->iconPos("icoC").x(), 3 * n);
        moveTo(w, "icoA", on(w, "icoB", 10));
        QVERIFY(w.drag()->deleteLabel()->isHidden());
        w.IconPressRelease("icoA", QPoint());
        QCOMPARE(tableIds(w).first(), QString("icoA"));
    }

    void dragOffTheBarDeletes()
    {
        Widget w;
        ready(w);
        dragTo(w, "icoB", QPoint(on(w, "icoB").x(), 100));
        QCOMPARE(takeToast(w), QString("图标删除成功！"));
        QCOMPARE(tableIds(w), (QStringList{ "icoA", "ico9090", "icoL", "icoC" }));
        QCOMPARE(ids(savedRows()), tableIds(w));
        QVERIFY(!w.bar()->contains("icoB"));
        QVERIFY(w.drag()->deleteLabel()->isHidden());
        // A transient icon goes without rewriting the file, whatever it holds now.
        w.AddIcon(":/image/icon/UDisk.png", "U盘", "UDISK", "/media/stick");
        const QString disk = lastRow(w).IconID;
        const QList<DockIconRecord> marked { rec("icoMarker", "ICON") };
        DockFile::write(dockFile(), marked);
        ready(w);
        dragTo(w, disk, QPoint(on(w, disk).x(), 100));
        QCOMPARE(takeToast(w), QString("图标删除成功！"));
        QVERIFY(!tableIds(w).contains(disk));
        QCOMPARE(savedRows(), marked);
    }

    void ontoAMenuOrTheLaunchPad_data()
    {
        QTest::addColumn<QString>("cl");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("toast");
        QTest::addColumn<bool>("taken");
        // One class per verdict; the verdict of each class is in tst_dragtarget.
        QTest::newRow("menu takes a program") << "ICON" << Pic << "ico9090" << "" << true;
        QTest::newRow("menu refuses a menu") << "MENU" << Pic << "ico9090" << "不能添加！" << false;
        QTest::newRow("menu refuses a disk") << "UDISK" << Pic << "ico9090" << "不能添加！" << false;
        QTest::newRow("menu refuses the bin") << "RECYCLE" << Pic << "ico9090" << "菜单中不能添加此图标！" << false;
        // The menu itself takes no icon whose picture is missing.
        QTest::newRow("menu: no picture") << "ICON" << "/no/such/picture.png" << "ico9090" << "不能添加！" << false;
        QTest::newRow("pad takes a program") << "ICON" << Pic << "icoL" << "" << true;
        QTest::newRow("pad refuses a drive") << "DISK" << Pic << "icoL" << "此应用不能添加！" << false;
        QTest::newRow("pad refuses a spacer") << "BLANK" << Pic << "icoL" << "此图标不能添加！" << false;
    }
    void ontoAMenuOrTheLaunchPad()
    {
        QFETCH(QString, cl);
        QFETCH(QString, picture);
        QFETCH(QString, target);
        QFETCH(QString, toast);
        QFETCH(bool, taken);
        Widget w;
        w.menus()->menu("ico9090")->showAnimated();
        w.AddIcon(picture, "x", cl, cl == "DISK" ? "/media/data" : "/usr/bin/x");
        takeToast(w);
        ready(w);
        const QString x = lastRow(w).IconID;
        const QStringList before = tableIds(w);
        press(w, x);
        moveTo(w, x, on(w, target));
        QCOMPARE(w.drag()->dropTarget(), QString(target == "ico9090" ? "MENU" : "LAUNCHPAD"));
        w.IconPressRelease(x, QPoint());
        QCOMPARE(takeToast(w), toast);
        if (taken) {
            QVERIFY(!tableIds(w).contains(x));
            QVERIFY(!w.bar()->contains(x));
            if (target == "icoL") // the pad holds it now, on disk too
                QCOMPARE(DockFile::read(platform::configPath("LaunchPad.xml")).last().Path, QString("/usr/bin/x"));
            QVERIFY(!w.menus()->menu("ico9090")->isShown()); // a menu closes after an add
            if (target == "ico9090") { // and keeps the icon in its own file
                const QList<DockIconRecord> kept = DockFile::read(FormMenu::menuFilePath("ico9090"));
                QCOMPARE(kept.size(), 2);
                QCOMPARE(kept.last().Path, QString("/usr/bin/x"));
            }
        } else { // no icon is lost by a refusal: it is back where it was
            QCOMPARE(tableIds(w), before);
            QVERIFY(w.bar()->contains(x));
            QVERIFY(w.drag()->ghost()->isHidden());
        }
        if (cl != "UDISK")
            QCOMPARE(ids(savedRows()), tableIds(w));
    }

    // The bar gives an icon up only once the launch pad has stored it.
    void aLaunchPadThatCannotStoreLeavesTheIcon()
    {
        Widget w;
        w.AddIcon(Pic, "x", "ICON", "/usr/bin/x");
        takeToast(w);
        ready(w);
        const QString padFile = platform::configPath("LaunchPad.xml");
        QFile::remove(padFile);
        QDir().mkpath(padFile); // nothing can be written there
        const QString x = lastRow(w).IconID;
        const QStringList before = tableIds(w);
        press(w, x);
        moveTo(w, x, on(w, "icoL"));
        w.IconPressRelease(x, QPoint());
        QCOMPARE(tableIds(w), before);
        QVERIFY(w.bar()->contains(x));
        QCOMPARE(ids(savedRows()), before);
        QCOMPARE(w.launchPad()->rows()->stored().size(), 12);
        QDir(padFile).removeRecursively();
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
            QCOMPARE(w.drag()->gapSlot(), 0);
            QCOMPARE(w.drag()->dropTarget(), QString("MAIN"));
        }
        w.IconPressRelease("icoA", QPoint());
        QCOMPARE(tableIds(w), QStringList{ "icoA" });
        QCOMPARE(takeToast(w), QString());
        ready(w);
        dragTo(w, "icoA", QPoint(c.x(), 100)); // off the bar: the bar is empty
        QCOMPARE(w.iconTable()->rowCount(), 0);
        QVERIFY(savedRows().isEmpty());
    }

    void droppingOntoAnEmptyDock()
    {
        writeDock({});
        Widget w;
        ready(w);
        QFrame *bar = frame(w, "frameBackground");
        QVERIFY(dropFiles(w, { files.path() }, bar->mapToGlobal(bar->rect().center())));
        QCOMPARE(lastRow(w).Class, QString("FOLDER"));
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
        QTest::newRow("script in capitals") << "BUILD.SH" << QByteArray("echo\n") << false << "ICON" << "BUILD";
        QTest::newRow("unsupported") << "notes.txt" << QByteArray("hello") << false << "" << "";
    }
    void filesDropped()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(bool, exec);
        QFETCH(QString, cl);
        QFETCH(QString, iconName);
        const QString path = name.isEmpty() ? files.path() : file(name, content, exec);
        Widget w;
        ready(w);
        // Past the middle of B: between B and the menu, not into the menu.
        const bool accepted = dropFiles(w, { path }, on(w, "icoB", 50));
        QCOMPARE(accepted, !cl.isEmpty());
        QVERIFY(!w.drag()->isDropPending());
        QVERIFY(frame(w, "frameDragAdd")->isHidden());
        QVERIFY(!w.bar()->isPlaceholderShown());
        if (!accepted) {
            QCOMPARE(tableIds(w), ids(fiveRows()));
            QCOMPARE(takeToast(w), QString());
            return;
        }
        const DockIconRecord r = w.iconTable()->record(2);
        QCOMPARE(r.Class, cl);
        QCOMPARE(r.Name, cl == "FOLDER" ? QFileInfo(files.path()).fileName() : iconName);
        QCOMPARE(r.Path, name.endsWith(".desktop") ? platform::appConfigFolder() + "/link/" + name : path);
        QCOMPARE(takeToast(w), QString("图标添加成功！"));
        QCOMPARE(ids(savedRows()), tableIds(w));
    }

    // A refused shortcut never reaches the add: the drop must not stay pending
    // and send the next add into its old gap.
    void filesDroppedOnAMenu()
    {
        Widget w;
        ready(w);
        w.menus()->menu("ico9090")->showAnimated();
        QVERIFY(dropFiles(w, { file("tool.sh", "echo") }, on(w, "ico9090")));
        QCOMPARE(tableIds(w), ids(fiveRows()));
        QVERIFY(!w.menus()->menu("ico9090")->isShown());
        QVERIFY(!w.drag()->isDropPending());
        const QString batch = file("Batch.desktop", "[Desktop Entry]\nType=Application\nName=Batch\nExec=/opt/run.bat\n");
        QVERIFY(dropFiles(w, { batch }, on(w, "ico9090")));
        QCOMPARE(takeToast(w), QString("不是合法应用，图标添加失败！"));
        QVERIFY(!w.drag()->isDropPending());
        w.AddIcon2(Pic, "later", "CALCULATOR", "0", "0");
        QCOMPARE(lastRow(w).Name, QString("later"));
        QCOMPARE(w.iconTable()->rowCount(), 6);
    }

    void twoFilesOrALockedDockAreRefused()
    {
        Widget w;
        ready(w);
        QVERIFY(!dropFiles(w, { file("a.sh"), file("b.sh") }, on(w, "icoB")));
        DockSettings::instance()->setLocking(true);
        QVERIFY(!dropFiles(w, { file("c.sh") }, on(w, "icoB")));
        press(w, "icoA"); // nor does an icon move
        QVERIFY(!w.drag()->isDragging());
        QVERIFY(w.bar()->contains("icoA"));
        w.IconPressRelease("icoA", QPoint());
        // Locked while held: it goes back.
        DockSettings::instance()->setLocking(false);
        press(w, "icoB");
        moveTo(w, "icoB", on(w, "icoC", 50));
        DockSettings::instance()->setLocking(true);
        w.IconPressRelease("icoB", QPoint());
        QCOMPARE(tableIds(w), ids(fiveRows()));
        QVERIFY(w.bar()->contains("icoB"));
    }

    void dragLeaveClearsTheHint()
    {
        Widget w;
        ready(w);
        QVERIFY(dropFiles(w, { file("x.sh") }, on(w, "icoB", 50), false));
        QVERIFY(frame(w, "frameDragAdd")->isHidden());
        QVERIFY(w.bar()->isPlaceholderShown());
        // In the gap before the menu, on the bar's screen side, and in the input shape.
        const int n = int(w.barLayout()->now().size);
        QCOMPARE(w.bar()->placeholderRect().topLeft(), QPoint(2 * n, int(w.barLayout()->now().magnified) - n));
        const QPoint origin = frame(w, "main")->pos() + w.bar()->stripRect().topLeft();
        QVERIFY(w.barLayout()->inputRegion().contains(w.bar()->placeholderRect().translated(origin)));
        QDragLeaveEvent leave;
        QApplication::sendEvent(&w, &leave);
        QVERIFY(!w.bar()->isPlaceholderShown());
        QVERIFY(!w.drag()->isGapOpen());
        QCOMPARE(tableIds(w), ids(fiveRows()));
    }

    void iconsHandedBackByAMenu()
    {
        Widget w;
        ready(w);
        const QPoint afterA = on(w, "icoA", 50);
        QCursor::setPos(afterA);
        w.returnAddIcon("icoFromMenu", Pic, "back", "ICON", "/usr/bin/back", QPoint());
        QCOMPARE(w.drag()->gapSlot(), 1);
        w.returnConfirm(true);
        QCOMPARE(w.iconTable()->record(1).Name, QString("back"));
        QCOMPARE(takeToast(w), QString("图标添加成功！"));
        QVERIFY(!w.drag()->isDropPending());
        // The menu kept it, or the pointer is off the strip: nothing comes.
        ready(w);
        QCursor::setPos(on(w, "icoA", 50));
        w.returnAddIcon("icoFromMenu2", Pic, "kept", "ICON", "/usr/bin/kept", QPoint());
        w.returnConfirm(false);
        QCursor::setPos(QPoint(afterA.x(), 100));
        w.returnAddIcon("icoFromMenu3", Pic, "away", "ICON", "/usr/bin/away", QPoint());
        w.returnConfirm(true);
        QCOMPARE(w.iconTable()->rowCount(), 6);
        // Given up onto another menu that takes none of its kind: it lands on
        // the bar before that menu instead of being lost.
        ready(w);
        QCursor::setPos(on(w, "ico9090"));
        w.returnAddIcon("icoFromMenu4", ":/image/icon/Recycle1.png", "bin", "RECYCLE", "::bin", QPoint());
        QCOMPARE(w.drag()->dropTarget(), QString("MENU"));
        w.returnConfirm(true);
        QCOMPARE(w.iconTable()->rowCount(), 7);
        QCOMPARE(w.iconTable()->record(rowOf(w, "ico9090") - 1).Name, QString("bin"));
    }

    // The whole road: out of an open menu, across its dock side, onto the
    // bar; a locked bar takes nothing, and the menu keeps its icon.
    void anIconDraggedOutOfAMenuLandsOnTheBar_data()
    {
        QTest::addColumn<bool>("locked");
        QTest::newRow("free") << false;
        QTest::newRow("locked") << true;
    }
    void anIconDraggedOutOfAMenuLandsOnTheBar()
    {
        QFETCH(bool, locked);
        const QList<DockIconRecord> menuRows = writeMenu({ "icoIn", "icoLast" });
        Widget w;
        ready(w);
        DockSettings::instance()->setLocking(locked);
        const QStringList before = tableIds(w);
        w.IconOpen("ico9090");
        FormMenu *m = w.menus()->menu("ico9090");
        FormMenuIcon *in = m->iconWidget("icoIn");
        QVERIFY(in && m->isVisible());
        QTRY_COMPARE(in->pos(), in->shownPoint());
        QCursor::setPos(in->mapToGlobal(in->rect().center()));
        m->IconPressMove("icoIn", QPoint());
        QCursor::setPos(on(w, "icoA", 50)); // past the middle of A
        m->IconPressMove("icoIn", QPoint());
        QVERIFY(m->isHidden());
        if (!locked)
            QCOMPARE(w.drag()->gapSlot(), 1);
        m->IconPressRelease("icoIn", QPoint());
        if (locked) {
            QCOMPARE(tableIds(w), before);
            QCOMPARE(DockFile::read(FormMenu::menuFilePath("ico9090")), menuRows); // back in its place
            QCOMPARE(ids(m->rows()), ids(menuRows));
            return;
        }
        QCOMPARE(DockFile::read(FormMenu::menuFilePath("ico9090")).size(), 2);
        const DockIconRecord landed = w.iconTable()->record(1);
        QCOMPARE(landed.Path, QString("/usr/bin/in"));
        QCOMPARE(savedRows().at(1), landed);
    }

    // The user's own road: a long press on an icon, a move, and a right
    // click while the left button is held. The drag is cut short: the icon
    // goes home and nothing opens; the left release that follows does
    // nothing; the next save keeps the icon and the next drag moves the icon
    // pressed, not a leftover of this one.
    void aRightClickDuringADragPutsTheIconBack()
    {
        Widget w;
        ready(w);
        w.IconFreeze(false);
        const QStringList before = tableIds(w);
        RealPointer::press(on(w, "icoB"));
        QVERIFY(RealPointer::runOutTimers(w.bar()) > 0); // held long enough
        RealPointer::moveTo(on(w, "icoC", 10));
        RealPointer::moveTo(on(w, "icoC", 40));
        QVERIFY(w.drag()->isDragging());
        QVERIFY(!tableIds(w).contains("icoB"));
        const QPoint at = QCursor::pos();
        RealPointer::press(at, Qt::RightButton);
        RealPointer::release(at, Qt::RightButton);
        QCOMPARE(tableIds(w), before);
        QVERIFY(!w.drag()->isDragging());
        QVERIFY(w.drag()->ghost()->isHidden());
        QVERIFY(w.drag()->deleteLabel()->isHidden());
        RealPointer::release(at);
        QCOMPARE(tableIds(w), before);
        QVERIFY(opener->paths.isEmpty() && opener->urls.isEmpty());
        QCOMPARE(takeToast(w), QString());
        QVERIFY(w.bar()->pointer()->isIdle());
        w.SaveFile();
        QCOMPARE(ids(savedRows()), before);
        // The next drag is one of its own.
        ready(w);
        w.IconFreeze(false);
        RealPointer::press(on(w, "icoA"));
        RealPointer::runOutTimers(w.bar());
        RealPointer::moveTo(on(w, "icoC", 10));
        // Past the middle of the last icon where it stands once the gap has
        // opened, so that the gap goes after it.
        waitForRest(w);
        RealPointer::moveTo(on(w, "icoC", 40));
        waitForRest(w);
        RealPointer::release(QCursor::pos());
        QCOMPARE(tableIds(w), (QStringList{ "icoB", "ico9090", "icoL", "icoC", "icoA" }));
        QCOMPARE(ids(savedRows()), tableIds(w));
        QVERIFY(w.drag()->ghost()->isHidden());
    }

    // Out of an open menu onto the bar and back to where the icon stood: it
    // stays in its menu, in its place, on a top dock as on a bottom one; the
    // bar is as it was.
    void aRoundTripFromAMenuIntoTheBarAndBack_data()
    {
        QTest::addColumn<int>("edge");
        QTest::newRow("top") << 0;
        QTest::newRow("bottom") << 2;
    }
    void aRoundTripFromAMenuIntoTheBarAndBack()
    {
        QFETCH(int, edge);
        const QList<DockIconRecord> menuRows = writeMenu({ "icoIn", "icoMid", "icoLast" });
        setting("System/Location", edge);
        Widget w;
        ready(w);
        w.IconFreeze(false);
        const QList<DockIconRecord> bar = rows(w);
        RealPointer::click(on(w, "ico9090"));
        FormMenu *m = w.menus()->menu("ico9090");
        QVERIFY(m->isShown());
        FormMenuIcon *mid = m->iconWidget("icoMid");
        QTRY_COMPARE(mid->pos(), mid->shownPoint());
        const QRect opened = m->geometry();
        const QRect picture(mid->pictureFrame()->mapToGlobal(QPoint(0, 0)), mid->pictureFrame()->size());
        const QPoint home = picture.center();
        RealPointer::press(home);
        QVERIFY(RealPointer::runOutTimers(mid) > 0);
        RealPointer::moveTo(home + QPoint(0, 3));
        QCOMPARE(m->dragState(), FormMenu::DragState::Dragging);
        // Up (or down) onto the bar, along it, and back.
        // Slowly, as a user does: the bar opens its gap under the pointer.
        for (const char *id : { "icoB", "icoA", "icoC", "icoB" }) {
            RealPointer::moveTo(on(w, id, 40));
            QCOMPARE(m->dragState(), FormMenu::DragState::HandedOver);
            QTRY_VERIFY(!w.bar()->isAnimating());
        }
        RealPointer::moveTo(home + QPoint(0, 3));
        QCOMPARE(m->dragState(), FormMenu::DragState::Dragging);
        QVERIFY(m->isVisible());
        // The menu is where it opened: what the user aims at is still there.
        QCOMPARE(m->geometry(), opened);
        RealPointer::moveTo(home);
        RealPointer::release(home);
        QCOMPARE(m->geometry(), opened);
        QCOMPARE(takeToast(w), QString());
        QCOMPARE(takeToast(*m), QString());
        QCOMPARE(DockFile::read(FormMenu::menuFilePath("ico9090")), menuRows);
        QCOMPARE(ids(m->rows()), ids(menuRows));
        QCOMPARE(rows(w), bar);
        QCOMPARE(savedRows(), bar);
        QVERIFY(m->dragGhost()->isHidden());
        QVERIFY(!w.bar()->isPlaceholderShown());
        // Once more, and dropped on the upper half of the icon above it:
        // it goes into that slot, where the pointer is, in a menu that stays put.
        waitForRest(w);
        QCOMPARE(m->geometry(), opened);
        FormMenuIcon *in = m->iconWidget("icoIn");
        mid = m->iconWidget("icoMid");
        QTRY_COMPARE(mid->pos(), mid->shownPoint());
        const QPoint from = mid->pictureFrame()->mapToGlobal(mid->pictureFrame()->rect().center());
        RealPointer::press(from);
        QVERIFY(RealPointer::runOutTimers(mid) > 0);
        RealPointer::moveTo(from + QPoint(0, 3));
        RealPointer::moveTo(on(w, "icoB", 40));
        QCOMPARE(m->dragState(), FormMenu::DragState::HandedOver);
        QTRY_VERIFY(!w.bar()->isAnimating());
        const QRect inPicture(in->pictureFrame()->mapToGlobal(QPoint(0, 0)), in->pictureFrame()->size());
        // The upper half of the first icon after BACK, where the user saw it.
        const QPoint aim(inPicture.center().x(), inPicture.top() + 4);
        RealPointer::moveTo(aim);
        QCOMPARE(m->dragState(), FormMenu::DragState::Dragging);
        QCOMPARE(m->geometry(), opened);
        QTRY_VERIFY(m->targetSlot() == 1);
        RealPointer::release(aim);
        QCOMPARE(ids(m->rows()), (QStringList { menuRows.at(0).IconID, "icoMid", "icoIn", "icoLast" }));
    }

    // Every way out of a drag but the left release, from the bar, inside a
    // menu and out of a menu over the bar: the icon is back where it stood,
    // in the table and on disk, no ghost or marker stays, and the buttons
    // still down open nothing when they are let go.
    void everyOtherWayOutPutsTheIconBack_data()
    {
        QTest::addColumn<QString>("from");
        for (const char *from : { "bar", "menu", "menu over the bar" })
            QTest::newRow(from) << QString(from);
    }
    void everyOtherWayOutPutsTheIconBack()
    {
        QFETCH(QString, from);
        const QList<DockIconRecord> menuRows = writeMenu({ "icoIn", "icoMid" });
        Widget w;
        ready(w);
        w.IconFreeze(false);
        const QList<DockIconRecord> bar = rows(w);
        FormMenu *m = w.menus()->menu("ico9090");
        QStringList ways { "right button", "Esc", "focus lost", "window hidden", "grab broken" };
        if (from != "bar")
            ways << "menu closed";
        for (const QString &way : ways) {
            if (from == "bar") {
                RealPointer::press(on(w, "icoB"));
                RealPointer::runOutTimers(w.bar());
                RealPointer::moveTo(on(w, "icoC", 10));
                RealPointer::moveTo(on(w, "icoC", 40));
                QVERIFY(w.drag()->isDragging());
            } else {
                if (!m->isShown())
                    RealPointer::click(on(w, "ico9090"));
                FormMenuIcon *mid = m->iconWidget("icoMid");
                QTRY_COMPARE(mid->pos(), mid->shownPoint());
                const QPoint home = mid->pictureFrame()->mapToGlobal(mid->pictureFrame()->rect().center());
                RealPointer::press(home);
                RealPointer::runOutTimers(mid);
                RealPointer::moveTo(home + QPoint(0, 3));
                QCOMPARE(m->dragState(), FormMenu::DragState::Dragging);
                if (from == "menu over the bar") {
                    RealPointer::moveTo(on(w, "icoA", 40));
                    QCOMPARE(m->dragState(), FormMenu::DragState::HandedOver);
                    QVERIFY(w.drag()->isGapOpen());
                }
            }
            const QPoint at = QCursor::pos();
            if (way == "right button") {
                RealPointer::press(at, Qt::RightButton);
            } else if (way == "Esc") {
                RealPointer::key(Qt::Key_Escape);
            } else if (way == "focus lost") {
                emit qApp->applicationStateChanged(Qt::ApplicationInactive);
            } else if (way == "window hidden") {
                w.hide();
            } else if (way == "grab broken") {
                RealPointer::breakGrab(on(w, "icoA", 20));
            } else {
                w.menus()->hideAll();
            }
            QVERIFY2(!w.drag()->isDragging(), qPrintable(way));
            QCOMPARE(m->dragState(), FormMenu::DragState::Idle);
            RealPointer::releaseAll();
            QCOMPARE(rows(w), bar);
            QCOMPARE(savedRows(), bar);
            QCOMPARE(ids(m->rows()), ids(menuRows));
            QCOMPARE(DockFile::read(FormMenu::menuFilePath("ico9090")), menuRows);
            QVERIFY(w.drag()->ghost()->isHidden());
            QVERIFY(w.drag()->deleteLabel()->isHidden());
            QVERIFY(m->dragGhost()->isHidden());
            QVERIFY(!w.drag()->isGapOpen());
            QVERIFY(w.bar()->pointer()->isIdle());
            QCOMPARE(takeToast(w), QString());
            QCOMPARE(takeToast(*m), QString());
            QVERIFY2(opener->paths.isEmpty() && opener->urls.isEmpty(), qPrintable(way));
            if (way == "window hidden") {
                w.show();
                ready(w);
                w.IconFreeze(false);
            }
        }
    }

    void menusStandBesideTheirIcons()
    {
        Widget w;
        ready(w);
        FormMenu *menu = w.menus()->menu("ico9090");
        menu->resize(200, 300);
        const QRect icon = w.bar()->iconRect("ico9090");
        w.IconMove("ico9090", QPoint(), icon.width(), icon.height(), "MENU");
        // On a bottom bar: ending at the icon's far side less 5, overlapping its top by 5.
        const QRect i(w.bar()->mapTo(&w, icon.topLeft()), icon.size());
        QCOMPARE(menu->geometry().right() + 1, i.right() + 1 - 5);
        QCOMPARE(menu->geometry().bottom() + 1, i.top() + 5);
        // A menu icon that moves before its menu exists is left alone.
        w.iconTable()->append(rec("icoNewMenu", "MENU", "0"));
        w.createIcon();
        QVERIFY(w.bar()->contains("icoNewMenu"));
        QVERIFY(!w.menus()->menu("icoNewMenu"));
        w.IconMove("icoNewMenu", QPoint(), 64, 64, "MENU");
        w.IconMove("icoNoSuchIcon", QPoint(), 64, 64, "MENU");
    }
};

ZV_TEST_MAIN(TestWidgetDrag)
#include "tst_widgetdrag.moc"
