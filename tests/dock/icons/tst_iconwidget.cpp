// The dock icon widget: size rules, the pointer's click, long press and drag,
// the animations, and what each class shows.
#include "dock/icons/formdisk.h"
#include "dock/icons/formtimingflash.h"
#include "dock/icons/formweathericon.h"
#include "dock/icons/qroundprogressbar.h"
#include "fakeiconservices.h"
#include "iconhelpers.h"
#include "testenv.h"

#include <QApplication>
#include <QCursor>
#include <QMovie>
#include <QPropertyAnimation>
#include <QTemporaryDir>
#include <QtTest>

class TestIconWidget : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_png;
    FakeTrash m_trash;

    // A shown icon (resizes reach the resize handler only while shown).
    TestIcon *make(const QString &cl, int edge = 2, const QString &picture = QString(), const QString &name = "名字")
    {
        auto *icon = new TestIcon;
        icon->setIcon("ico1", 128, 64, 256, 256, edge, name, picture.isEmpty() ? m_png : picture, cl);
        icon->show();
        return icon;
    }
    static QWidget *area(QWidget *icon) { return icon->findChild<QWidget *>("frameIcon"); }
    static QLabel *picture(QWidget *icon) { return icon->findChild<QLabel *>("Icon"); }
    // The animations other than the size animation each icon keeps.
    static QList<QPropertyAnimation *> oneOffs(FormCommonIcon *icon)
    {
        QList<QPropertyAnimation *> list = icon->findChildren<QPropertyAnimation *>();
        list.removeAll(icon->sizeAnimation());
        return list;
    }

private slots:
    void initTestCase() { m_png = makePicture(m_dir.path() + "/p.png", Qt::red); }

    // A separator is the normal size / 2.5 across the bar and the normal size
    // along it; it grows only in length, its picture hugging the screen edge.
    void separatorSizes_data()
    {
        QTest::addColumn<int>("edge");
        QTest::addColumn<QSize>("rest");
        QTest::addColumn<QSize>("grown"); // by setSize(100), with the picture at
        QTest::addColumn<QRect>("picture");
        QTest::addColumn<QSize>("hovered");
        QTest::addColumn<QString>("path");
        QTest::newRow("bottom") << 2 << QSize(25, 64) << QSize(25, 100) << QRect(5, 41, 15, 54) << QSize(25, 128)
                                << ":/image/icon/Blank0.png";
        QTest::newRow("right") << 1 << QSize(64, 25) << QSize(100, 25) << QRect(41, 5, 54, 15) << QSize(128, 25)
                               << ":/image/icon/Blank1.png";
        QTest::newRow("left") << 3 << QSize(64, 25) << QSize(100, 25) << QRect(5, 5, 54, 15) << QSize(128, 25)
                              << ":/image/icon/Blank1.png";
    }
    void separatorSizes()
    {
        QFETCH(int, edge);
        QFETCH(QSize, rest);
        QFETCH(QSize, grown);
        QFETCH(QRect, picture);
        QFETCH(QSize, hovered);
        QFETCH(QString, path);
        QScopedPointer<TestIcon> icon(make("BLANK", edge));
        QCOMPARE(icon->size(), rest);
        QCOMPARE(icon->iconPath(), path);
        icon->setSize(100);
        QCOMPARE(icon->size(), grown);
        QCOMPARE(area(icon.data())->geometry(), picture); // hugging the screen edge
        icon->restoreSize();
        QCOMPARE(icon->size(), rest); // at once
        icon->hover(true);
        icon->timeOver();
        QCOMPARE(icon->sizeAnimation()->endValue().toSize(), hovered);
    }

    void everyResizeReportsWidthOnce()
    {
        for (const char *cl : { "EXE", "BLANK", "URL", "RECYCLE", "TIME2" }) {
            QScopedPointer<TestIcon> icon(make(cl));
            QSignalSpy width(icon.data(), &FormCommonIcon::IconWidth);
            icon->resize(70, 70);
            QCOMPARE(QList<QVariantList>(width), (QList<QVariantList> { { "ico1", 70 } }));
            // setSize reports even when nothing changes; a frozen icon ignores it.
            icon->setSize(70);
            width.clear();
            icon->setSize(70);
            icon->frozen = true;
            icon->setSize(90);
            QVERIFY2(width.count() == 1, cl);
        }
    }

    void settersAndMovesByClass()
    {
        QScopedPointer<TestIcon> disk(make("DISK")), weather(make("WEATHER")), plain(make("EXE")), menu(make("MENU"));
        disk->setDiskInfo("ico1", "/media/anna/USB");
        disk->setDiskInfo("other", "/mnt"); // another icon's
        disk->setWeather("北京", "晴", "23", "0");
        QCOMPARE(disk->diskFace()->disk(), QString("/media/anna/USB"));
        weather->setWeather("北京", "晴", "23", "10");
        QCOMPARE(weather->weatherFace()->temperature(), QString("23"));
        plain->setDiskInfo("ico1", "/mnt");
        plain->setWeather("北京", "晴", "23", "0");
        QVERIFY(!plain->diskFace() && !plain->weatherFace());
        // Only menu icons report their moves, for the menu's window to follow.
        QSignalSpy menuMoved(menu.data(), &FormCommonIcon::IconMove), plainMoved(plain.data(), &FormCommonIcon::IconMove);
        menu->move(30, 40);
        plain->move(30, 40);
        QCOMPARE(menuMoved.count(), 1);
        QCOMPARE(menuMoved.first(), (QVariantList { "ico1", QPoint(30, 40), 64, 64, "MENU" }));
        QCOMPARE(plainMoved.count(), 0);
    }

    void clickLongPressAndDrag()
    {
        QScopedPointer<TestIcon> icon(make("EXE"));
        QSignalSpy open(icon.data(), &FormCommonIcon::IconOpen), drop(icon.data(), &FormCommonIcon::IconPressRelease);
        QSignalSpy hover(icon.data(), &FormCommonIcon::IconMouseMove), drag(icon.data(), &FormCommonIcon::IconPressMove);
        QSignalSpy menu(icon.data(), &FormCommonIcon::IconMenu);
        // A click opens on the release.
        icon->press(Qt::LeftButton);
        QVERIFY(icon->clickTimer()->isActive() && icon->ringTimer()->isActive());
        QCOMPARE(open.count(), 0);
        icon->release(Qt::LeftButton);
        QCOMPARE(open.count(), 1);
        QVERIFY(!icon->clickTimer()->isActive() && !icon->ringTimer()->isActive());
        // Moves report hovering, and, held past the long-press time, dragging.
        icon->moveTo(QPoint(7, 8));
        icon->press(Qt::LeftButton);
        icon->moveTo(QPoint(9, 9), Qt::LeftButton); // pressed, not yet loose
        QCOMPARE(hover.count(), 1);
        QCOMPARE(drag.count(), 0);
        icon->ClickTimeOver();
        icon->moveTo(QPoint(30, 31), Qt::LeftButton);
        QCOMPARE(drag.first().at(1).toPoint(), QPoint(30, 31));
        // Leaving across two sides reports both; frozen, the icon drags no more.
        QSignalSpy side(icon.data(), &FormCommonIcon::MousePosition);
        icon->frozen = true;
        for (const QPoint p : { QPoint(-3, -4), QPoint(70, 70), QPoint(64, 64) }) // the last on the border: inside
            icon->moveTo(p, Qt::LeftButton);
        QCOMPARE(QList<QVariantList>(side), (QList<QVariantList> { { 0 }, { 3 }, { 1 }, { 2 } }));
        QCOMPARE(drag.count(), 1);
        icon->frozen = false;
        icon->release(Qt::LeftButton, QPoint(12, 13));
        QCOMPARE(open.count(), 1); // a drop opens nothing
        QCOMPARE(drop.first().at(1).toPoint(), QPoint(12, 13));
        QVERIFY(!icon->isDragging());
        // A right release ending a long press opens no menu.
        icon->press(Qt::LeftButton);
        icon->ClickTimeOver();
        icon->release(Qt::RightButton);
        QCOMPARE(menu.count(), 0);
        QVERIFY(!icon->isDragging());
        // The real form under the pointer passes the click on.
        QTest::mouseClick(icon->findChild<QWidget *>("frameMouse"), Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(open.count(), 2);
    }

    void doubleClickMode()
    {
        // Class, mode, opens after a click and after what the window system sends for a double click.
        const struct { const char *cl; bool mode; int click, twice; } rows[] = {
            { "EXE", false, 1, 2 }, { "EXE", true, 0, 1 }, { "MENU", true, 1, 3 }, { "BLANK", false, 0, 0 } };
        for (const auto &r : rows) {
            QScopedPointer<TestIcon> icon(make(r.cl));
            icon->setDoubleClick(r.mode);
            QSignalSpy open(icon.data(), &FormCommonIcon::IconOpen);
            icon->press(Qt::LeftButton);
            icon->release(Qt::LeftButton);
            QCOMPARE(open.count(), r.click);
            icon->press(Qt::LeftButton);
            icon->release(Qt::LeftButton);
            icon->doubleClick(Qt::LeftButton);
            icon->release(Qt::LeftButton);
            QCOMPARE(open.count(), r.click + r.twice);
        }
    }

    void temporaryIconIsInert()
    {
        QScopedPointer<TestIcon> icon(make("Temporary"));
        QList<QSharedPointer<QSignalSpy>> spies;
        const QMetaObject *mo = icon->metaObject();
        for (int i = mo->methodOffset(); i < mo->methodCount(); ++i)
            if (mo->method(i).methodType() == QMetaMethod::Signal)
                spies << QSharedPointer<QSignalSpy>::create(icon.data(), "2" + mo->method(i).methodSignature());
        icon->press(Qt::LeftButton);
        icon->moveTo(QPoint(-5, -5), Qt::LeftButton);
        icon->release(Qt::LeftButton);
        icon->press(Qt::RightButton);
        icon->release(Qt::RightButton);
        icon->doubleClick(Qt::LeftButton);
        icon->hover(true);
        icon->timeOver();
        for (const auto &spy : spies)
            QVERIFY2(spy->isEmpty(), spy->signal().constData());
        QVERIFY(!icon->isPressed() && icon->sizeAnimation()->state() != QAbstractAnimation::Running);
    }

    void ringFollowsTheHeldButton()
    {
        QScopedPointer<TestIcon> icon(make("EXE"));
        icon->press(Qt::LeftButton);
        while (icon->ringTicks() < 200)
            icon->TimingTimeOver();
        QVERIFY(!icon->ring()->isVisible());
        icon->TimingTimeOver(); // tick 200
        QVERIFY(icon->ring()->isVisible());
        QCOMPARE(icon->ring()->pos(), QCursor::pos() - QPoint(15, 15));
        while (icon->ringTicks() <= 500)
            icon->TimingTimeOver();
        QCOMPARE(icon->ring()->ring()->value(), 500.0);
        icon->TimingTimeOver(); // tick 501
        QVERIFY(!icon->ring()->isVisible() && !icon->ringTimer()->isActive());
        icon->release(Qt::LeftButton);
    }

    void ownerMayDeleteTheIconInItsAnswerToAnOpenOrDrop()
    {
        for (bool drag : { false, true }) {
            QPointer<TestIcon> icon = make("EXE");
            auto rebuild = [&] { delete icon.data(); };
            connect(icon.data(), &FormCommonIcon::IconOpen, this, rebuild);
            connect(icon.data(), &FormCommonIcon::IconPressRelease, this, rebuild);
            QPointer<QWidget> ring(icon->ring());
            icon->press(Qt::LeftButton);
            if (drag)
                icon->ClickTimeOver();
            icon->release(Qt::LeftButton);
            QVERIFY(icon.isNull() && ring.isNull()); // the ring window went with its icon
        }
    }

    void hoverGrowsAndShrinksWithOneAnimation()
    {
        QScopedPointer<TestIcon> icon(make("EXE"));
        icon->restoreSize(); // already at rest: nothing runs
        QVERIFY(icon->sizeAnimation()->state() != QAbstractAnimation::Running);
        icon->hover(true);
        icon->timeOver();
        QPropertyAnimation *a = icon->sizeAnimation();
        QCOMPARE(a->endValue().toSize(), QSize(128, 128));
        a->setCurrentTime(300);
        QCOMPARE(icon->size(), QSize(128, 128));
        icon->hover(false);
        icon->timeOver();
        QCOMPARE(a->endValue().toSize(), QSize(64, 64));
        QCOMPARE(icon->findChildren<QPropertyAnimation *>().size(), 1);
        // A frozen icon does not hover, but may be restored.
        a->setCurrentTime(300);
        icon->setSize(100);
        icon->frozen = true;
        icon->hover(true);
        icon->timeOver();
        QVERIFY(a->state() != QAbstractAnimation::Running);
        icon->restoreSize();
        QCOMPARE(a->state(), QAbstractAnimation::Running);
        QCOMPARE(a->endValue().toSize(), QSize(64, 64));
    }

    void oneOffAnimationsByClass()
    {
        // Class, click style; whether opening jumps, whether showing slides the picture in.
        const struct { const char *cl; int style; bool jumps, slidesIn; } rows[] = {
            { "EXE", 1, true, false }, { "MENU", 1, false, false }, { "EXE", 0, false, false }, { "UDISK", 1, true, true } };
        for (const auto &r : rows) {
            QScopedPointer<TestIcon> icon(make(r.cl));
            icon->setClickStyle(r.style);
            icon->OpenIcon();
            QCOMPARE(oneOffs(icon.data()).size(), r.jumps ? 1 : 0);
            if (r.jumps) { // and comes to rest 5 pixels down
                oneOffs(icon.data()).first()->setCurrentTime(700);
                QCOMPARE(area(icon.data())->pos(), QPoint(5, 5));
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                QCOMPARE(oneOffs(icon.data()).size(), 0); // it frees itself
            }
            picture(icon.data())->move(3, 3);
            icon->showAnimation();
            QCOMPARE(picture(icon.data())->pos(), r.slidesIn ? QPoint(0, -128) : QPoint(0, 0));
        }
    }

    void iconLetsTheBarShowThrough()
    {
        QScopedPointer<TestIcon> icon(make("EXE", 2, m_dir.path() + "/missing.png"));
        QImage img(icon->size(), QImage::Format_ARGB32);
        img.fill(Qt::white);
        icon->render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
        for (const QPoint p : { QPoint(2, 2), QPoint(32, 32), QPoint(60, 60) })
            QVERIFY2(img.pixelColor(p).lightness() > 240, qPrintable(img.pixelColor(p).name()));
    }

    void anIconOwnsOneMovieAtMost()
    {
        const QString gif = makeGif(m_dir.path() + "/c.gif");
        QScopedPointer<TestIcon> upper(make("EXE", 2, makeGif(m_dir.path() + "/b.GIF")));
        QVERIFY(!upper->movie()); // only ".gif" plays
        QScopedPointer<TestIcon> icon(make("EXE", 2, gif));
        QPointer<QMovie> first = icon->movie();
        QCOMPARE(first->scaledSize(), QSize(54, 54));
        icon->setSize(90);
        QCOMPARE(first->scaledSize(), QSize(80, 80));
        icon->resetIcon("ico1", 128, 64, 256, 256, 2, "n", gif, "EXE");
        QVERIFY(first.isNull());
        QCOMPARE(icon->findChildren<QMovie *>().size(), 1);
        icon->resetIcon("ico1", 128, 64, 256, 256, 2, "n", m_png, "EXE");
        QCOMPARE(icon->findChildren<QMovie *>().size(), 0);
        QCOMPARE(shownColour(picture(icon.data())), QColor(Qt::red));
        // The drag ghost gets setIcon over and over.
        for (int i = 0; i < 5; ++i)
            icon->setIcon("ghost", 74, 64, 74, 0, 2, "", gif, "Temporary");
        QCOMPARE(icon->findChildren<QMovie *>().size(), 1);
    }

    void liveFaceByClass_data()
    {
        QTest::addColumn<QString>("cl");
        QTest::addColumn<QString>("face");
        QTest::newRow("recycle") << "RECYCLE" << "FormRecycle";
        QTest::newRow("disk") << "DISK" << "FormDisk";
        QTest::newRow("weather") << "WEATHER" << "FormWeatherIcon";
        QTest::newRow("clock 1") << "TIME1" << "FormClock1";
        QTest::newRow("clock 2") << "TIME2" << "FormClock2";
        QTest::newRow("program") << "EXE" << "";
        QTest::newRow("menu") << "MENU" << "";
    }
    void liveFaceByClass()
    {
        QFETCH(QString, cl);
        QFETCH(QString, face);
        QScopedPointer<TestIcon> icon(make(cl));
        QList<QWidget *> faces = area(icon.data())->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
        faces.removeAll(picture(icon.data()));
        QCOMPARE(faces.size(), face.isEmpty() ? 0 : 1);
        if (face.isEmpty())
            return;
        QCOMPARE(QString(faces.first()->metaObject()->className()), face);
        icon->setSize(100);
        QCOMPARE(faces.first()->size(), QSize(90, 90));
        // resetIcon keeps the face; a second setIcon replaces it.
        QPointer<QWidget> old = faces.first();
        icon->resetIcon("ico1", 128, 80, 256, 256, 2, "n", m_png, cl);
        QCOMPARE(old->size(), QSize(70, 70));
        icon->setIcon("ico1", 128, 64, 256, 256, 2, "n", m_png, cl);
        QVERIFY(old.isNull() && area(icon.data())->findChildren<QWidget *>(face).size() == 1);
    }
};

ZV_TEST_MAIN(TestIconWidget)
#include "tst_iconwidget.moc"
