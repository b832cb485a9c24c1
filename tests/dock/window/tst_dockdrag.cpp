// The drag on its own: an icon list, a bar and two frames, no dock window.
#include "dock/icons/dockbar.h"
#include "dock/icons/formcommonicon.h"
#include "dock/model/dockiconlist.h"
#include "dock/window/dockdrag.h"
#include "testenv.h"
#include "widgetfixture.h"

#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

namespace {

DockIconRecord rec(const QString &id, const QString &cl = QStringLiteral("ICON"))
{
    const QString pic = QStringLiteral(":/image/icon/Finder.png");
    return { id, pic, id + "-name", cl, "/usr/bin/" + id, pic };
}

QStringList ids(const DockIconList &list)
{
    QStringList out;
    for (int r = 0; r < list.rowCount(); ++r)
        out << list.cell(r, 0);
    return out;
}

QStringList ids(const QList<DockIconRecord> &rows)
{
    QStringList out;
    for (const DockIconRecord &r : rows)
        out << r.IconID;
    return out;
}

// A window with the bar's background across its foot, the bar over it.
struct Rig
{
    QWidget window;
    QWidget *background = new QWidget(&window);
    QWidget *hint = new QWidget(&window);
    QLabel *hintIcon = new QLabel(hint);
    DockIconList icons;
    DockBar *bar = new DockBar(&window);
    QTemporaryDir dir;
    DockSettings set { firstStartConfig(dir) };
    BarNow now;
    DockDrag drag { &icons, bar, &set, &now, { background, hint, hintIcon } };

    explicit Rig(const QList<DockIconRecord> &rows)
    {
        window.setGeometry(0, 0, 800, 400);
        background->setGeometry(0, 300, 5 * 64, 64);
        icons.setRows(rows);
        bar->setModel(&icons);
        bar->setIconSizes(now.magnified, now.size);
        bar->setGeometry(background->geometry());
        bar->setStripRect(QRect(QPoint(0, 0), background->size()));
        window.show();
    }
    // A point on the bar, `x` along it.
    QPoint onBar(int x) const { return background->mapToGlobal(QPoint(x, 32)); }
    QPoint offBar() const { return window.mapToGlobal(QPoint(400, 20)); }
    void hold(const QString &id, const QPoint &from, const QPoint &to)
    {
        QCursor::setPos(from);
        drag.pressMove(id);
        QCursor::setPos(to);
        drag.pressMove(id);
    }
};

QList<DockIconRecord> abc()
{
    return { rec("icoA"), rec("icoB"), rec("icoC"), rec("icoM", "MENU") };
}

} // namespace

class TestDockDrag : public QObject
{
    Q_OBJECT

private slots:
    void liftMoveAndDrop()
    {
        Rig r(abc());
        QSignalSpy saved(&r.drag, &DockDrag::saveRequested);
        // A lifted icon leaves the list; its hole is the gap.
        QCursor::setPos(r.onBar(10));
        r.drag.pressMove("icoA");
        QVERIFY(r.drag.isDragging());
        QCOMPARE(ids(r.icons), (QStringList{ "icoB", "icoC", "icoM" }));
        QVERIFY(r.drag.isGapOpen());
        QCOMPARE(r.drag.gapSlot(), 0);
        QVERIFY(r.drag.ghost()->isVisible());
        // The room of the gap stays at the front: the left half of C moves
        // the gap before it, the right half after it.
        QCursor::setPos(r.onBar(2 * 64 + 5));
        r.drag.pressMove("icoA");
        QCOMPARE(r.drag.dropTarget(), QString("MAIN"));
        QCOMPARE(r.drag.gapSlot(), 1);
        QCursor::setPos(r.onBar(2 * 64 + 40));
        r.drag.pressMove("icoA");
        QCOMPARE(r.drag.gapSlot(), 2);
        // Within the room the gap stays.
        QCursor::setPos(r.onBar(2 * 64 + 10));
        r.drag.aimAt(QCursor::pos());
        QCOMPARE(r.drag.gapSlot(), 2);
        r.drag.pressRelease();
        QVERIFY(!r.drag.isDragging());
        QCOMPARE(ids(r.icons), (QStringList{ "icoB", "icoC", "icoA", "icoM" }));
        QCOMPARE(saved.count(), 1);
        QVERIFY(r.drag.ghost()->isHidden());
        // A release with nothing held does nothing.
        r.drag.pressRelease();
        QCOMPARE(saved.count(), 1);
    }

    void offTheBarDeletesAndLockingPutsBack()
    {
        Rig r(abc());
        QSignalSpy toast(&r.drag, &DockDrag::toast);
        QSignalSpy rebuilt(&r.drag, &DockDrag::rebuildRequested);
        r.hold("icoB", r.onBar(64 + 10), r.offBar());
        QVERIFY(!r.drag.isGapOpen());
        QVERIFY(r.drag.deleteLabel()->isVisible());
        QCOMPARE(r.drag.deleteLabel()->pos(), r.offBar() + QPoint(10, -13));
        r.drag.pressRelease();
        QCOMPARE(ids(r.icons), (QStringList{ "icoA", "icoC", "icoM" }));
        QCOMPARE(toast.count(), 1);
        QCOMPARE(toast.first().first().toString(), QString("图标删除成功！"));
        QCOMPARE(rebuilt.count(), 1);
        QVERIFY(r.drag.deleteLabel()->isHidden());

        // Locked while held: back where it stood, wherever it was let go.
        r.hold("icoC", r.onBar(64 + 10), r.offBar());
        r.set.setLocking(true);
        r.drag.pressRelease();
        QCOMPARE(ids(r.icons), (QStringList{ "icoA", "icoC", "icoM" }));
        QCOMPARE(toast.count(), 1);
        // And a locked bar lifts nothing.
        QCursor::setPos(r.onBar(10));
        r.drag.pressMove("icoA");
        QVERIFY(!r.drag.isDragging());
        QCOMPARE(r.icons.rowCount(), 3);
    }

    void aMenuThatCannotBeFoundKeepsTheIcon()
    {
        Rig r(abc());
        QSignalSpy toast(&r.drag, &DockDrag::toast);
        // The right half of the menu aims at the menu; no menu window answers.
        r.hold("icoA", r.onBar(10), r.onBar(3 * 64 + 40));
        QCOMPARE(r.drag.dropTarget(), QString("MENU"));
        r.drag.pressRelease();
        QCOMPARE(ids(r.icons), ids(abc()));
        QCOMPARE(toast.first().first().toString(), QString("不能添加！"));
        // Nor does a launch pad that is not there take anything.
        QVERIFY(!r.drag.addToLaunchPad("p", "n", "ICON", "/x", "0"));
    }

    void aDroppedFolderIsAddedWhereItAimed()
    {
        Rig r(abc());
        QTemporaryDir dir;
        QList<DockDrag::PendingDrop> seen;
        QStringList added;
        connect(&r.drag, &DockDrag::addRequested, this,
                [&](const QString &, const QString &name, const QString &cl, const QString &) {
                    seen << r.drag.takePendingDrop();
                    added << name + "/" + cl;
                });
        QMimeData mime;
        mime.setUrls({ QUrl::fromLocalFile(dir.path()) });
        const QPoint p = r.window.mapFromGlobal(r.onBar(64 + 5));
        QDragEnterEvent enter(p, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        r.drag.dragEnter(&enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(p, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        r.drag.drop(&drop);
        // No move opened a gap: to the end, between whatever stands there.
        QCOMPARE(added, QStringList{ QFileInfo(dir.path()).fileName() + "/FOLDER" });
        QCOMPARE(seen.first().pending, true);
        QCOMPARE(seen.first().between, true);
        QCOMPARE(seen.first().slot, 4);
        QVERIFY(!r.drag.isDropPending());

        // Moved first: into the gap it opened.
        QDragMoveEvent move(p, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        r.drag.dragEnter(&enter);
        r.drag.dragMove(&move, r.onBar(64 + 5));
        QVERIFY(r.drag.isGapOpen());
        r.drag.drop(&drop);
        QCOMPARE(seen.last().slot, 1);
        QVERIFY(!r.drag.isGapOpen());

        // A locked bar takes no file.
        r.set.setLocking(true);
        QDragEnterEvent refused(p, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        r.drag.dragEnter(&refused);
        QVERIFY(!refused.isAccepted());
    }

    void anIconHandedBackByAMenu()
    {
        Rig r(abc());
        QList<DockDrag::PendingDrop> seen;
        connect(&r.drag, &DockDrag::addRequested, this, [&] { seen << r.drag.takePendingDrop(); });
        // Let go off the bar: the menu keeps it.
        QCursor::setPos(r.offBar());
        r.drag.returnAddIcon("icoX", ":/p.png", "X", "ICON", "/usr/bin/x");
        r.drag.returnConfirm(true);
        QVERIFY(seen.isEmpty());
        // Let go between A and B: it lands there.
        QCursor::setPos(r.onBar(64 + 5));
        r.drag.returnAddIcon("icoX", ":/p.png", "X", "ICON", "/usr/bin/x");
        QVERIFY(r.drag.isGapOpen());
        r.drag.returnConfirm(true);
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen.first().slot, 1);
        QVERIFY(seen.first().between);
        QVERIFY(!r.drag.isDropPending());
        // Not confirmed: nothing.
        r.drag.returnConfirm(false);
        QCOMPARE(seen.size(), 1);
    }

    void removeIconSavesOnlyWhatIsStored()
    {
        Rig r({ rec("icoA"), rec("icoU", "UDISK") });
        QSignalSpy saved(&r.drag, &DockDrag::saveRequested);
        r.drag.removeIcon("icoU");
        QCOMPARE(saved.count(), 0);
        r.drag.removeIcon("icoA");
        QCOMPARE(saved.count(), 1);
        r.drag.removeIcon("icoNone");
        QCOMPARE(saved.count(), 1);
        QCOMPARE(r.icons.rowCount(), 0);
    }
};

ZV_TEST_MAIN(TestDockDrag)
#include "tst_dockdrag.moc"
