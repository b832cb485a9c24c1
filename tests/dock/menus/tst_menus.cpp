#include "dock/menus/formmenu.h"
#include "dock/menus/formstartmenu.h"
#include "testenv.h"

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

// Stands in for the dock window's slots, so the connections it makes are
// checked by the compiler with their exact argument lists.
class DockSlots : public QObject
{
    Q_OBJECT
public slots:
    void setIcoBShow(bool) {}
    void setIcoBMoveShow(bool) {}
    void menuAddIco(QString) {}
    void menuAddSystemIco(QString) {}
    void menuAddFolder(QString) {}
    void menuAddUrlIco(QString) {}
    void menuIcoMove(QString) {}
    void menuOpenIco(QString, int) {}
    void returnAddIcon(QString, QString, QString, QString, QString, QPoint) {}
    void returnConfirm(bool) {}
    void hideStartMenu() {}
};

class TestMenus : public QObject
{
    Q_OBJECT
private slots:
    void menuSignalsMatchTheDock()
    {
        QWidget dock;
        FormMenu menu(&dock);
        FormStartMenu start(&dock);
        DockSlots w;
        QVERIFY(connect(&menu, &FormMenu::setIcoBShow, &w, &DockSlots::setIcoBShow));
        QVERIFY(connect(&menu, &FormMenu::setIcoBMoveShow, &w, &DockSlots::setIcoBMoveShow));
        QVERIFY(connect(&menu, &FormMenu::menuAddIco, &w, &DockSlots::menuAddIco));
        QVERIFY(connect(&menu, &FormMenu::menuAddSystemIco, &w, &DockSlots::menuAddSystemIco));
        QVERIFY(connect(&menu, &FormMenu::menuAddFolder, &w, &DockSlots::menuAddFolder));
        QVERIFY(connect(&menu, &FormMenu::menuAddUrlIco, &w, &DockSlots::menuAddUrlIco));
        QVERIFY(connect(&menu, &FormMenu::menuIcoMove, &w, &DockSlots::menuIcoMove));
        QVERIFY(connect(&menu, &FormMenu::menuOpenIco, &w, &DockSlots::menuOpenIco));
        QVERIFY(connect(&menu, &FormMenu::returnAddIcon, &w, &DockSlots::returnAddIcon));
        QVERIFY(connect(&menu, &FormMenu::returnConfirm, &w, &DockSlots::returnConfirm));
        QVERIFY(connect(&start, &FormStartMenu::IconOpens, &w, &DockSlots::hideStartMenu));
    }

    void menuKeepsWhatTheDockGives()
    {
        QWidget dock;
        FormMenu menu(&dock);
        QVERIFY(!menu.isVisible());
        QCOMPARE(menu.dockEdge(), 2);
        QCOMPARE(menu.objectName(), QString("FormMenu"));

        menu.setDockEdge(0);
        menu.setDoubleClick(true);
        menu.setMenu("ico12345", 40, 700);
        menu.layoutIcons(54, 54);
        QCOMPARE(menu.menuId(), QString("ico12345"));
        QCOMPARE(menu.dockOrigin(), QPoint(40, 700));
        QCOMPARE(menu.dockEdge(), 0);
        QVERIFY(menu.doubleClick());
        QCOMPARE(menu.iconWidth(), 54);

        menu.setIconSize(70, 70);
        QCOMPARE(menu.iconHeight(), 70);
        menu.setPosition(3);
        QCOMPARE(menu.dockEdge(), 3);
    }

    // Opening and closing report to the dock exactly once per change, and a
    // closed menu does not stay on screen.
    void menuToggleReportsEachChangeOnce()
    {
        QWidget dock;
        dock.show();
        FormMenu menu(&dock);
        menu.hide();
        QSignalSpy shown(&menu, &FormMenu::setIcoBShow);

        menu.toggle();
        menu.show(); // the dock shows the pop-up right after toggling it
        QVERIFY(menu.isShown());
        QCOMPARE(shown.count(), 1);
        QCOMPARE(shown.last().at(0).toBool(), true);

        menu.showAnimated(); // already open: nothing
        QCOMPARE(shown.count(), 1);

        menu.toggle();
        QVERIFY(!menu.isShown());
        QVERIFY(!menu.isVisible());
        QCOMPARE(shown.count(), 2);
        QCOMPARE(shown.last().at(0).toBool(), false);

        menu.hideAnimated(); // already closed: nothing
        QCOMPARE(shown.count(), 2);

        // An add closes an open menu.
        menu.toggle();
        menu.AddIcon(":/image/icon/Folder.png", "x", "FOLDER", "/tmp");
        QVERIFY(!menu.isShown());
        QCOMPARE(shown.count(), 4);
    }

    void startMenuToggleAndHide()
    {
        QWidget dock;
        dock.resize(800, 600);
        dock.show();
        FormStartMenu start(&dock);
        start.hide();
        QVERIFY(!start.isWindow());
        QCOMPARE(start.size(), QSize(260, 476));

        start.toggleShow();
        QVERIFY(start.isShown());
        QVERIFY(start.isVisible());
        start.toggleShow();
        QVERIFY(!start.isShown());
        QVERIFY(!start.isVisible());

        start.toggleShow();
        start.hideMenu();
        QVERIFY(!start.isShown());
        QVERIFY(!start.isVisible());
        start.toggleShow(); // after any hide the next toggle shows it
        QVERIFY(start.isShown());
    }

    void startMenuArrowFacesTheDock()
    {
        QWidget dock;
        dock.show();
        FormStartMenu start(&dock);
        start.show();
        auto *arrow = start.findChild<QLabel *>("Arrow");
        QVERIFY(arrow);
        start.setArrowPosition(0);
        QCOMPARE(arrow->pos(), QPoint(121, 0));
        QVERIFY(arrow->isVisible());
        start.setArrowPosition(2);
        QCOMPARE(arrow->pos(), QPoint(121, 468));
        start.setArrowPosition(1);
        QVERIFY(!arrow->isVisible());
        start.setArrowPosition(7); // unknown edge: unchanged
        QVERIFY(!arrow->isVisible());
        QCOMPARE(arrow->pos(), QPoint(121, 468));
    }
};

ZV_TEST_MAIN(TestMenus)
#include "tst_menus.moc"
