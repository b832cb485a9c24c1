// The launch pad's pointer, driven by mouse events on its real icons: clicks,
// long presses, drags within a page and across pages, and every way out of a
// drag, each of which drops the icon where it is shown or puts it back, and
// leaves nothing behind.
#include "padfixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QWheelEvent>
#include <QWindow>

using namespace PadTest;

class TestLaunchDrag : public QObject
{
    Q_OBJECT
    Services services;

    // The release of a button the pointer did not see go down.
    static void strayRelease(FormLaunchStarter &pad, const QString &id, Qt::MouseButton b)
    {
        FormLaunchCommonIcon *i = icon(pad, id);
        const QPoint global = on(pad, id, 80);
        QMouseEvent e(QEvent::MouseButtonRelease, i->mapFromGlobal(global), global, b, Qt::LeftButton, Qt::NoModifier);
        QSpontaneKeyEvent::setSpontaneous(&e);
        qApp->notify(i, &e);
    }

private slots:
    void init()
    {
        reset();
        services.opener.paths.clear();
    }

    void clicksAndHolds()
    {
        writePad(many(3));
        FormLaunchStarter pad;
        open(pad);
        Pointer mouse(pad);
        FormLaunchCommonIcon *i = icon(pad, "ico0001");
        const QPoint picture = on(pad, "ico0001", 80);
        const QPoint name = i->mapToGlobal(QPoint(80, 130));

        mouse.click(name); // the name is not the picture
        QVERIFY(services.opener.paths.isEmpty());
        // A press off the picture still opens on a release over it.
        mouse.press(name);
        QCOMPARE(pad.drag()->state(), LaunchDrag::State::Idle);
        mouse.move(picture);
        mouse.release();
        QCOMPARE(services.opener.paths, QStringList { "/usr/bin/ico0001" });
        QVERIFY(!pad.isShown()); // opening closes the pad
        open(pad);

        services.opener.paths.clear();
        mouse.click(picture);
        QCOMPARE(services.opener.paths, QStringList { "/usr/bin/ico0001" });
        open(pad);

        // Double-click mode: one click opens nothing, a double click once.
        services.opener.paths.clear();
        pad.setIconDoubleClick(true);
        mouse.click(picture);
        QVERIFY(services.opener.paths.isEmpty());
        mouse.doubleClick(picture);
        QCOMPARE(services.opener.paths.size(), 1);
        open(pad);
        mouse.doubleClick(name);
        QCOMPARE(services.opener.paths.size(), 1);
        pad.setIconDoubleClick(false);

        // A long press: edit mode for all icons, and the release opens nothing.
        services.opener.paths.clear();
        mouse.press(picture);
        QCOMPARE(pad.drag()->state(), LaunchDrag::State::Pressed);
        QVERIFY(hold(pad));
        QVERIFY(pad.editing()->isEditMode());
        QCOMPARE(pad.drag()->state(), LaunchDrag::State::Holding);
        QVERIFY(icon(pad, "ico0000")->isDeleteShown());
        mouse.release();
        QVERIFY(services.opener.paths.isEmpty());
        PAD_AT_REST(pad);
        // In edit mode a click opens nothing either.
        mouse.click(picture);
        QVERIFY(services.opener.paths.isEmpty());
        QVERIFY(pad.isShown());
    }

    // Three icons: the third, dropped on the right part of the first, lands
    // between the first and the second; the file follows.
    void dragWithinAPage()
    {
        writePad(many(3));
        FormLaunchStarter pad;
        open(pad);
        Pointer mouse(pad);
        mouse.lift(on(pad, "ico0002", 80));
        QCOMPARE(pad.drag()->state(), LaunchDrag::State::Dragging);
        QVERIFY(icon(pad, "ico0002")->isLifted());
        FormLaunchCommonIcon *copy = pad.drag()->floatingCopy();
        QVERIFY(copy->isVisible());
        QCOMPARE(copy->shownName(), QString()); // the picture only
        QCOMPARE(copy->pos() + QPoint(80, 80), pad.mapFromGlobal(mouse.pos()));

        mouse.move(on(pad, "ico0000", 80)); // the middle: nothing moves
        QCOMPARE(pad.rows()->holeRow(), -1);
        mouse.move(on(pad, "ico0000", 150)); // the right part
        QCOMPARE(pad.rows()->holeRow(), 1);
        QCOMPARE(icon(pad, "ico0001")->x(), 2 * (160 + 69)); // room made
        // The file never holds the hole, even when written mid-drag.
        pad.rows()->save();
        QCOMPARE(ids(saved()), (QStringList { "ico0000", "ico0001", "ico0002" }));

        mouse.release();
        PAD_AT_REST(pad);
        QCOMPARE(ids(saved()), (QStringList { "ico0000", "ico0002", "ico0001" }));
        QCOMPARE(icon(pad, "ico0002")->x(), 160 + 69);
        QVERIFY(services.opener.paths.isEmpty()); // a drag opens nothing

        // The left part of an icon puts the hole right before it.
        mouse.lift(on(pad, "ico0000", 80));
        mouse.move(on(pad, "ico0001", 10));
        mouse.release();
        QCOMPARE(ids(saved()), (QStringList { "ico0002", "ico0000", "ico0001" }));

        // Released without touching another icon: back in its place, and written.
        QFile::remove(LaunchRows::filePath());
        mouse.lift(on(pad, "ico0001", 80));
        mouse.move(QPoint(900, 1000));
        mouse.release();
        QCOMPARE(ids(saved()), (QStringList { "ico0002", "ico0000", "ico0001" }));
    }

    void dragAcrossPages()
    {
        writePad(many(40));
        FormLaunchStarter pad;
        open(pad);
        Pointer mouse(pad);
        mouse.lift(on(pad, "ico0000", 80));
        mouse.move(QPoint(1915, 500)); // the right edge turns one page
        QCOMPARE(pad.grid()->currentPage(), 2);
        mouse.move(QPoint(1910, 500)); // still in the edge: no further
        QCOMPARE(pad.grid()->currentPage(), 2);
        QTRY_COMPARE(pad.findChild<QFrame *>("frameIcon")->x(), 192 - 1728);
        // Page 2 holds ico0035 … ico0039; after the right part of ico0037.
        mouse.move(on(pad, "ico0037", 150));
        mouse.release();
        const QStringList order = ids(saved());
        QCOMPARE(order.size(), 40);
        QCOMPARE(order.indexOf("ico0000"), 37);
        QCOMPARE(order.at(36), QString("ico0037"));
        QCOMPARE(order.first(), QString("ico0001"));

        // Back at the left edge after coming into the screen: one page back.
        mouse.lift(on(pad, "ico0036", 80));
        mouse.move(QPoint(5, 500));
        QCOMPARE(pad.grid()->currentPage(), 1);
        mouse.move(QPoint(960, 500));
        mouse.move(QPoint(0, 500)); // the very first column turns nothing
        QCOMPARE(pad.grid()->currentPage(), 1);
        mouse.release();
        PAD_AT_REST(pad);
    }

    // Every way out of a drag: the drop (and only the drop) lands the icon
    // in its hole; the others put it back; none leaves anything behind, and
    // what is still to come of the press opens nothing.
    void waysOut_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("drops");
        QTest::newRow("left release") << "left release" << true;
        QTest::newRow("wheel, then release") << "wheel" << true;
        QTest::newRow("right press") << "right press" << false;
        QTest::newRow("right release") << "right release" << false;
        QTest::newRow("middle press") << "middle press" << false;
        QTest::newRow("Esc") << "Esc" << false;
        QTest::newRow("focus lost") << "focus lost" << false;
        QTest::newRow("pad hidden") << "hidden" << false;
        QTest::newRow("pad closed") << "closed" << false;
        QTest::newRow("grab broken") << "ungrab" << false;
        QTest::newRow("new press, no release") << "new press" << false;
        QTest::newRow("row deleted under the drag") << "deleted" << false;
    }
    void waysOut()
    {
        QFETCH(QString, way);
        QFETCH(bool, drops);
        writePad(many(5));
        FormLaunchStarter pad;
        open(pad);
        Pointer mouse(pad);
        const QByteArray before = TestEnv::readFile(LaunchRows::filePath());
        mouse.lift(on(pad, "ico0001", 80));
        mouse.move(on(pad, "ico0003", 150)); // the hole after ico0003
        QCOMPARE(pad.rows()->holeRow(), 3);
        Menus menus;

        if (way == "left release") {
            mouse.release();
        } else if (way == "wheel") {
            QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::LeftButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(&pad, &wheel);
            QCOMPARE(pad.drag()->state(), LaunchDrag::State::Dragging);
            mouse.release();
        } else if (way == "right press") {
            mouse.press(mouse.pos(), Qt::RightButton);
            PAD_AT_REST(pad);
            mouse.release(Qt::RightButton);
        } else if (way == "right release") {
            strayRelease(pad, "ico0001", Qt::RightButton);
        } else if (way == "middle press") {
            mouse.press(mouse.pos(), Qt::MiddleButton);
            mouse.release(Qt::MiddleButton);
        } else if (way == "Esc") {
            QTest::keyClick(&pad, Qt::Key_Escape);
            QVERIFY(!pad.isShown());
        } else if (way == "focus lost") {
            QEvent deactivate(QEvent::WindowDeactivate);
            QApplication::sendEvent(&pad, &deactivate);
        } else if (way == "hidden") {
            pad.hide();
        } else if (way == "closed") {
            pad.toggleShow();
        } else if (way == "ungrab") {
            QEvent ungrab(QEvent::UngrabMouse);
            QApplication::sendEvent(pad.windowHandle(), &ungrab);
        } else if (way == "new press") {
            mouse.lose();
            mouse.lift(on(pad, "ico0004", 80)); // a new drag, of another icon
            QCOMPARE(pad.drag()->pressedId(), QString("ico0004"));
            QCOMPARE(ids(pad.rows()->stored()), ids(many(5)));
            mouse.release(); // drops ico0004 where it was
        } else if (way == "deleted") {
            pad.editing()->remove("ico0003");
        }
        PAD_AT_REST(pad);
        // The rest of the press, back over the icon's own picture: no click, no menu.
        if (pad.isVisible())
            mouse.move(on(pad, "ico0001", 80));
        mouse.release(Qt::RightButton);
        mouse.release(Qt::LeftButton);
        QTest::qWait(1);
        QCOMPARE(menus.shown, 0);
        QVERIFY(services.opener.paths.isEmpty());
        PAD_AT_REST(pad);

        QStringList expect = ids(many(5));
        if (drops)
            expect = QStringList { "ico0000", "ico0002", "ico0003", "ico0001", "ico0004" };
        if (way == "deleted")
            expect.removeAll("ico0003");
        QCOMPARE(ids(saved()), expect);
        QCOMPARE(ids(pad.rows()->list()->rows()), expect);
        if (!drops && way != "new press" && way != "deleted")
            QCOMPARE(TestEnv::readFile(LaunchRows::filePath()), before);

        // Nothing stale: the next drag, of another icon, works as the first.
        if (!pad.isShown())
            open(pad);
        pad.show();
        QVERIFY(!icon(pad, "ico0001")->isLifted());
        mouse.lift(on(pad, "ico0004", 80));
        mouse.move(on(pad, "ico0000", 10));
        mouse.release();
        PAD_AT_REST(pad);
        expect.removeAll("ico0004");
        expect.prepend("ico0004");
        QCOMPARE(ids(saved()), expect);
    }

    // In edit mode a dragged icon keeps its badges, and a click on it after
    // the drag still opens nothing.
    void dragInEditMode()
    {
        writePad(many(3));
        FormLaunchStarter pad;
        open(pad);
        Pointer mouse(pad);
        pad.editing()->showBadges();
        mouse.lift(on(pad, "ico0000", 80));
        mouse.move(QPoint(900, 900)); // out of the icon
        mouse.move(on(pad, "ico0000", 80));
        mouse.release();
        QVERIFY(icon(pad, "ico0000")->isDeleteShown());
        QVERIFY(icon(pad, "ico0000")->findChild<QPushButton *>("deleteButton")->isVisible());
        mouse.click(on(pad, "ico0000", 80));
        QVERIFY(services.opener.paths.isEmpty());
        QVERIFY(pad.isShown());

        // The long press runs out during a drag still within the icon: edit
        // mode, but no badges where the lifted icon stood until it lands.
        pad.editing()->hideBadges();
        mouse.lift(on(pad, "ico0001", 80));
        QVERIFY(hold(pad));
        QVERIFY(pad.editing()->isEditMode());
        QCOMPARE(pad.drag()->state(), LaunchDrag::State::Dragging);
        auto *badge = icon(pad, "ico0001")->findChild<QPushButton *>("deleteButton");
        QVERIFY(badge->isHidden());
        mouse.release();
        QVERIFY(badge->isVisible());
    }

    // The grid of a search is not the order of the rows: no drag there, and
    // the press opens nothing once it moved.
    void noDragInASearch()
    {
        writePad(many(3));
        FormLaunchStarter pad;
        open(pad);
        Pointer mouse(pad);
        QTest::keyClicks(pad.findChild<QLineEdit *>("veskEdit"), "0002");
        mouse.lift(on(pad, "ico0002", 80));
        PAD_AT_REST(pad);
        mouse.release();
        QVERIFY(services.opener.paths.isEmpty());
        QCOMPARE(ids(saved()), ids(many(3)));
    }
};

ZV_TEST_MAIN(TestLaunchDrag)
#include "tst_launchdrag.moc"
