// One icon of an icon menu: its layout per dock edge, its faces, the mouse
// rules (click, double click, hold and drag) and its context menu.
#include "dock/icons/formdisk.h"
#include "dock/icons/formname.h"
#include "dock/icons/formrecycle.h"
#include "dock/icons/formtimingflash.h"
#include "dock/icons/longpress.h"
#include "dock/icons/pictureface.h"
#include "dock/menus/formmenuicon.h"
#include "testenv.h"

#include <QAction>
#include <QApplication>
#include <QGraphicsView>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

const QString Pic = QStringLiteral(":/image/icon/Finder.png");

void send(FormMenuIcon &icon, QEvent::Type type, Qt::MouseButton b = Qt::LeftButton)
{
    const bool release = type == QEvent::MouseButtonRelease, move = type == QEvent::MouseMove;
    QMouseEvent e(type, QPointF(move ? 6 : 5, move ? 6 : 5), move ? Qt::NoButton : b,
                  release ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton), Qt::NoModifier);
    QApplication::sendEvent(&icon, &e);
}
void release(FormMenuIcon &icon, Qt::MouseButton b) { send(icon, QEvent::MouseButtonRelease, b); }
void press(FormMenuIcon &icon) { send(icon, QEvent::MouseButtonPress); }
void move(FormMenuIcon &icon) { send(icon, QEvent::MouseMove); }
void doubleClick(FormMenuIcon &icon) { send(icon, QEvent::MouseButtonDblClick); }

QStringList entries(QMenu &m)
{
    QStringList out;
    for (QAction *a : m.actions())
        out << (a->isSeparator() ? QString("-") : a->text());
    return out;
}

} // namespace

class TestMenuIcon : public QObject
{
    Q_OBJECT
private slots:
    // A stored name that reads like HTML is shown as it is: as HTML, its
    // picture would be opened, and a named pipe there never answers.
    void namesAreText()
    {
        QTemporaryDir d;
        const QString pipe = d.path() + "/pipe";
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        const QString name = "<img src=\"" + pipe + "\"><b>bold</b>";
        FormMenuIcon icon;
        icon.setOrientation(2);
        icon.setData("icoA", Pic, name, "ICON");
        icon.setIconSize(54, 54);
        icon.show();
        icon.grab();
        const QList<QLabel *> labels = icon.findChildren<QLabel *>("name");
        QVERIFY(!labels.isEmpty());
        for (QLabel *l : labels) {
            QCOMPARE(l->textFormat(), Qt::PlainText);
            QCOMPARE(l->text(), name);
        }
        // The bubble the bar shows on hover is the same kind.
        FormName bubble;
        bubble.setName(2, name);
        bubble.show();
        bubble.grab();
        QCOMPARE(bubble.nameLabel()->textFormat(), Qt::PlainText);
        QCOMPARE(bubble.nameLabel()->text(), name);
    }

    void layoutPerEdge_data()
    {
        QTest::addColumn<int>("edge");
        QTest::addColumn<int>("rotation");
        QTest::newRow("top") << 0 << 0;
        QTest::newRow("right") << 1 << -90;
        QTest::newRow("bottom") << 2 << 0;
        QTest::newRow("left") << 3 << 90;
    }
    void layoutPerEdge()
    {
        QFETCH(int, edge);
        QFETCH(int, rotation);
        FormMenuIcon icon;
        icon.setOrientation(edge);
        icon.setData("icoA", Pic, "Editor", "ICON");
        icon.setIconSize(50, 50);
        const int B = icon.bubble()->width();
        QVERIFY(B > 26);
        if (edge % 2 == 0) {
            QCOMPARE(icon.size(), QSize(B + 60, 55));
            QCOMPARE(icon.pictureFrame()->pos(), QPoint(B + 10, 2));
            QCOMPARE(icon.nameView()->size(), QSize(B, 50));
        } else {
            QCOMPARE(icon.size(), QSize(55, B + 60));
            QCOMPARE(icon.pictureFrame()->pos(), QPoint(2, B + 10));
            QCOMPARE(icon.nameView()->size(), QSize(50, B));
        }
        QCOMPARE(icon.rotation(), rotation);
        // Turned again, the turn stays absolute.
        icon.setIconSize(50, 50);
        QCOMPARE(icon.rotation(), rotation);
        QCOMPARE(icon.nameView()->transform().isRotating(), rotation != 0);
    }

    void facesByClass()
    {
        FormMenuIcon disk;
        disk.setData("icoD", ":/image/icon/Disk.png", "D", "DISK");
        disk.setIconSize(40, 40);
        QVERIFY(disk.diskFace());
        QCOMPARE(disk.diskFace()->size(), QSize(40, 40));
        disk.setDisk("/media/usb");
        QCOMPARE(disk.diskFace()->disk(), QString("/media/usb"));

        FormMenuIcon plain;
        plain.setData("icoP", Pic, "P", "ICON");
        plain.setIconSize(40, 40);
        plain.setDisk("/media/usb"); // not a drive: nothing
        QVERIFY(!plain.diskFace() && !plain.recycleFace());
        auto *still = qobject_cast<FaceWidget *>(plain.pictureLabel());
        QVERIFY(still && qobject_cast<PictureFace *>(still->face()));
        QCOMPARE(still->size(), QSize(40, 40));

        FormMenuIcon site;
        site.setData("icoU", ":/image/icon/url.png", "example", "URL");
        site.setIconSize(40, 40);
        auto *tile = qobject_cast<UrlTileFace *>(qobject_cast<FaceWidget *>(site.pictureLabel())->face());
        QVERIFY(tile);
        QCOMPARE(tile->letter(), QString("e"));
        QCOMPARE(tile->letterPixelSize(40), 20); // half the picture's width in a menu

        // A second setData builds the face anew, not a second one.
        FormMenuIcon bin;
        bin.setData("icoR", "", "R", "RECYCLE");
        bin.setData("icoR", "", "R", "RECYCLE");
        QCOMPARE(bin.pictureFrame()->findChildren<FormRecycle *>().size(), 1);
        QCOMPARE(bin.findChildren<QGraphicsView *>().size(), 1);
    }

    void clicksAndDoubleClicks_data()
    {
        QTest::addColumn<QString>("cl");
        QTest::addColumn<bool>("doubleMode");
        QTest::addColumn<int>("opens"); // after click, release, double click, release
        QTest::newRow("single mode") << "ICON" << false << 2;
        QTest::newRow("double mode") << "ICON" << true << 1;
        QTest::newRow("double mode, BACK") << "BACK" << true << 3;
        QTest::newRow("ghost") << "Temporary" << false << 0;
    }
    void clicksAndDoubleClicks()
    {
        QFETCH(QString, cl);
        QFETCH(bool, doubleMode);
        QFETCH(int, opens);
        FormMenuIcon icon;
        icon.setData("icoA", Pic, "A", cl);
        icon.setDoubleClick(doubleMode || cl == "Temporary");
        QSignalSpy open(&icon, &FormMenuIcon::IconOpen);
        press(icon);
        release(icon, Qt::LeftButton);
        doubleClick(icon);
        release(icon, Qt::LeftButton);
        QCOMPARE(open.count(), opens);
        QVERIFY(!icon.longPress()->holdTimer()->isActive());
    }

    // Held 500 ms the icon comes loose; the ring shows from the 200th tick.
    void holdAndDrag()
    {
        FormMenuIcon icon;
        icon.setData("icoA", Pic, "A", "ICON");
        QSignalSpy moved(&icon, &FormMenuIcon::IconPressMove), dropped(&icon, &FormMenuIcon::IconPressRelease),
            open(&icon, &FormMenuIcon::IconOpen);
        press(icon);
        move(icon);
        QCOMPARE(moved.count(), 0); // not loose yet
        for (int i = 0; i < 200; ++i)
            icon.longPress()->ringTick();
        QVERIFY(!icon.longPress()->ring()->isVisible());
        icon.longPress()->ringTick();
        QVERIFY(icon.longPress()->ring()->isVisible());
        icon.longPress()->hold();
        QVERIFY(icon.isDragging());
        move(icon);
        QCOMPARE(moved.count(), 1);
        while (icon.longPress()->ringTicks() <= 501)
            icon.longPress()->ringTick();
        QVERIFY(!icon.longPress()->ring()->isVisible());
        QVERIFY(!icon.longPress()->ringTimer()->isActive());
        QVERIFY(icon.isDragging()); // until the release
        release(icon, Qt::LeftButton);
        QCOMPARE(dropped.count(), 1);
        QCOMPARE(open.count(), 0);
        QVERIFY(!icon.isDragging());

        // BACK comes loose but never moves; a middle release only resets.
        FormMenuIcon back;
        back.setData("ico000000", Pic, "返回", "BACK");
        QSignalSpy backMoved(&back, &FormMenuIcon::IconPressMove);
        press(back);
        back.longPress()->hold();
        move(back);
        QCOMPARE(backMoved.count(), 0);
        release(back, Qt::MiddleButton);
        QVERIFY(!back.isDragging());
        QVERIFY(!back.longPress()->holdTimer()->isActive());
    }

    void onlyBackEndsTheSlideOut()
    {
        FormMenuIcon back, other;
        back.setData("ico000000", Pic, "返回", "BACK");
        other.setData("icoA", Pic, "A", "ICON");
        QSignalSpy b(&back, &FormMenuIcon::backOutEnd), o(&other, &FormMenuIcon::backOutEnd);
        for (FormMenuIcon *i : { &back, &other }) {
            i->setIconSize(40, 40);
            i->place(0, 500, 90);
            i->hideAnimated();
        }
        QTRY_COMPARE(b.count(), 1);
        QTest::qWait(50);
        QCOMPARE(o.count(), 0);
        QCOMPARE(back.pos(), back.hiddenPoint());
    }

    void contextMenus_data()
    {
        QTest::addColumn<QString>("cl");
        QTest::addColumn<QStringList>("main");
        QTest::newRow("BACK") << "BACK" << QStringList();
        QTest::newRow("ICON") << "ICON"
                              << QStringList{ "打开", "图标设置", "-", "添加图标", "删除图标           " };
    }
    void contextMenus()
    {
        QFETCH(QString, cl);
        QFETCH(QStringList, main);
        FormMenuIcon icon;
        icon.setData("icoA", Pic, "A", cl);
        QMenu m, add;
        icon.fillContextMenu(&m, &add);
        QCOMPARE(entries(m), main);
        if (cl != "ICON")
            return;
        QCOMPARE(entries(add), (QStringList{ "菜单中添加应用图标", "菜单中添加网址", "菜单中添加系统图标", "菜单中添加文件夹" }));
        QSignalSpy codes(&icon, &FormMenuIcon::IconMenu);
        for (QAction *a : add.actions())
            a->trigger();
        m.actions().at(1)->trigger();
        m.actions().last()->trigger();
        QList<int> got;
        for (const QList<QVariant> &c : codes)
            got << c.at(1).toInt();
        QCOMPARE(got, (QList<int>{ 1, 5, 2, 11, 0, 3 }));
    }
};

ZV_TEST_MAIN(TestMenuIcon)
#include "tst_menuicon.moc"
