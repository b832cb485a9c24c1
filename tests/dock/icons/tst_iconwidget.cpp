// The dock icon widget: size rules, signals, pointer handling, animations
// and the pictures of the plain classes.
#include "dock/icons/formclock1.h"
#include "dock/icons/formclock2.h"
#include "dock/icons/formdisk.h"
#include "dock/icons/formrecycle.h"
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
#include <QTimer>
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
    static QWidget *child(QWidget *w, const char *name) { return w->findChild<QWidget *>(name); }
    static QList<QPropertyAnimation *> oneOffs(FormCommonIcon *icon)
    {
        QList<QPropertyAnimation *> list = icon->findChildren<QPropertyAnimation *>();
        list.removeAll(icon->sizeAnimation());
        return list;
    }

private slots:
    void initTestCase() { m_png = makePicture(m_dir.path() + "/p.png", Qt::red); }

    // ------------------------------------------------------------ sizes

    void separatorIsThinAcrossTheBar()
    {
        QScopedPointer<TestIcon> bottom(make("BLANK", 2));
        QCOMPARE(bottom->size(), QSize(25, 64));
        QCOMPARE(child(bottom.data(), "frameIcon")->size(), QSize(15, 54));
        QScopedPointer<TestIcon> left(make("BLANK", 3));
        QCOMPARE(left->size(), QSize(64, 25));
        QScopedPointer<TestIcon> right(make("BLANK", 1));
        QCOMPARE(right->size(), QSize(64, 25));

        bottom->setIconSize(128, 64);
        QCOMPARE(bottom->size(), QSize(25, 64));
        QCOMPARE(bottom->magnifiedSize(), 64.0f);
        QCOMPARE(bottom->normalSize(), 25.6f);
        QCOMPARE(bottom->magnifiedBase(), 128.0f);
        QCOMPARE(bottom->normalBase(), 64.0f);
        bottom->setSize(100);
        QCOMPARE(bottom->size(), QSize(25, 100));
        left->setSize(100);
        QCOMPARE(left->size(), QSize(100, 25));
    }

    void plainIconFollowsSetSize()
    {
        QScopedPointer<TestIcon> icon(make("EXE"));
        QCOMPARE(icon->size(), QSize(64, 64));
        QSignalSpy width(icon.data(), &FormCommonIcon::IconWidth);
        icon->setSize(99.9f);
        QCOMPARE(icon->size(), QSize(99, 99));
        // One from the resize handler, one from setSize itself.
        QCOMPARE(width.count(), 2);
        QCOMPARE(width.last().at(0).toString(), QString("ico1"));
        QCOMPARE(width.last().at(1).toInt(), 99);
        width.clear();
        icon->setSize(99);
        QCOMPARE(width.count(), 1); // no resize, still reported
    }

    void frozenIconKeepsItsSize()
    {
        QScopedPointer<TestIcon> icon(make("EXE"));
        icon->enter();
        icon->timeOver();
        QVERIFY(icon->sizeAnimation()->state() == QAbstractAnimation::Running);
        icon->frozen = true;
        QSignalSpy width(icon.data(), &FormCommonIcon::IconWidth);
        icon->setSize(100);
        QCOMPARE(width.count(), 0);
        QVERIFY(icon->sizeAnimation()->state() == QAbstractAnimation::Running);
        QVERIFY(icon->hoverTimer()->isActive() || icon->size() != QSize(100, 100));
    }

    void everyResizeReportsWidthOnce_data()
    {
        QTest::addColumn<QString>("cl");
        for (const char *cl : { "EXE", "BLANK", "URL", "RECYCLE", "DISK", "WEATHER", "TIME1", "TIME2" })
            QTest::newRow(cl) << QString(cl);
    }
    void everyResizeReportsWidthOnce()
    {
        QFETCH(QString, cl);
        QScopedPointer<TestIcon> icon(make(cl));
        QSignalSpy width(icon.data(), &FormCommonIcon::IconWidth);
        icon->resize(70, 71);
        QCOMPARE(width.count(), 1);
        QCOMPARE(width.first().at(1).toInt(), 70);
    }

    void separatorPictureHugsTheScreenEdge()
    {
        QScopedPointer<TestIcon> right(make("BLANK", 1));
        right->setSize(100);
        QWidget *area = child(right.data(), "frameIcon");
        QCOMPARE(area->size(), QSize(54, 15));
        QCOMPARE(area->pos(), QPoint(100 - 54 - 5, 5));
        QScopedPointer<TestIcon> bottom(make("BLANK", 2));
        bottom->setSize(100);
        area = child(bottom.data(), "frameIcon");
        QCOMPARE(area->size(), QSize(15, 54));
        QCOMPARE(area->pos(), QPoint(5, 100 - 54 - 5));
        QCOMPARE(bottom->iconPath(), QString(":/image/icon/Blank0.png"));
        QCOMPARE(right->iconPath(), QString(":/image/icon/Blank1.png"));
    }

    void settersReachOnlyTheirOwnFace()
    {
        QScopedPointer<TestIcon> disk(make("DISK"));
        QVERIFY(disk->diskFace());
        disk->setDiskInfo("ico1", "/media/anna/USB");
        QCOMPARE(disk->diskFace()->disk(), QString("/media/anna/USB"));
        disk->setDiskInfo("other", "/mnt");
        QCOMPARE(disk->diskFace()->disk(), QString("/media/anna/USB"));
        disk->setWeather("北京", "晴", "23", "0"); // not a weather icon: nothing

        QScopedPointer<TestIcon> plain(make("EXE"));
        plain->setDiskInfo("ico1", "/mnt");
        plain->setWeather("北京", "晴", "23", "0");
        QVERIFY(!plain->diskFace() && !plain->weatherFace());

        QScopedPointer<TestIcon> weather(make("WEATHER"));
        weather->setWeather("北京", "晴", "23", "10");
        QCOMPARE(weather->weatherFace()->temperature(), QString("23"));
        QCOMPARE(weather->weatherFace()->currentStatePicture(), QString(":/image/weather/icon/9.png"));
    }

    void onlyMenuIconsReportTheirMoves()
    {
        QScopedPointer<TestIcon> menu(make("MENU"));
        QSignalSpy moved(menu.data(), &FormCommonIcon::IconMove);
        menu->move(30, 40);
        QCOMPARE(moved.count(), 1);
        QCOMPARE(moved.first().at(1).toPoint(), QPoint(30, 40));
        QCOMPARE(moved.first().at(2).toInt(), 64);
        QCOMPARE(moved.first().at(4).toString(), QString("MENU"));

        QScopedPointer<TestIcon> plain(make("EXE"));
        QSignalSpy plainMoved(plain.data(), &FormCommonIcon::IconMove);
        plain->move(30, 40);
        plain->moveTo(QPoint(5, 5));
        QCOMPARE(plainMoved.count(), 0);
    }

    // ------------------------------------------------------------ pointer

    void clickOpensOnRelease()
    {
        QScopedPointer<TestIcon> icon(make("EXE"));
        QSignalSpy open(icon.data(), &FormCommonIcon::IconOpen);
        QSignalSpy posLeft(icon.data(), &FormCommonIcon::IconPosLeft);
        icon->press(Qt::LeftButton);
        QVERIFY(icon->isPressed());
        QVERIFY(icon->clickTimer()->isActive());
        QVERIFY(icon->ringTimer()->isActive());
        QCOMPARE(posLeft.count(), 1);
        QCOMPARE(open.count(), 0);
        icon->release(Qt::LeftButton);
        QCOMPARE(open.count(), 1);
        QCOMPARE(open.first().at(0).toString(), QString("ico1"));
        QVERIFY(!icon->isPressed());
        QVERIFY(!icon->clickTimer()->isActive());
        QVERIFY(!icon->ringTimer()->isActive());
        QVERIFY(!icon->ring()->isVisible());
    }

    void clickReachesTheIconThroughItsForm()
    {
        QScopedPointer<TestIcon> icon(make("EXE"));
        QSignalSpy open(icon.data(), &FormCommonIcon::IconOpen);
        QTest::mouseClick(child(icon.data(), "frameMouse"), Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(open.count(), 1);
    }

    void longPressDropsWithoutOpening()
    {
        QScopedPointer<TestIcon> icon(make("EXE"));
        QSignalSpy open(icon.data(), &FormCommonIcon::IconOpen);
        QSignalSpy drop(icon.data(), &FormCommonIcon::IconPressRelease);
        icon->press(Qt::LeftButton);
        icon->ClickTimeOver();
        QVERIFY(icon->isDragging());
        QCOMPARE(icon->cursor().shape(), Qt::ClosedHandCursor);
        icon->release(Qt::LeftButton, QPoint(12, 13));
        QCOMPARE(open.count(), 0);
        QCOMPARE(drop.count(), 1);
        QCOMPARE(drop.first().at(1).toPoint(), QPoint(12, 13));
        QVERIFY(!icon->isDragging());
        QCOMPARE(icon->cursor().shape(), Qt::ArrowCursor);
    }

    void movesReportHoverOrDrag()
    {
        QScopedPointer<TestIcon> icon(make("EXE"));
        QSignalSpy hover(icon.data(), &FormCommonIcon::IconMouseMove);
        QSignalSpy drag(icon.data(), &FormCommonIcon::IconPressMove);
        icon->moveTo(QPoint(7, 8));
        QCOMPARE(hover.count(), 1);
        QCOMPARE(hover.first().at(1).toPoint(), QPoint(7, 8));
        icon->press(Qt::LeftButton);
        icon->moveTo(QPoint(9, 9), Qt::LeftButton); // pressed, not yet loose
        QCOMPARE(hover.count(), 1);
        QCOMPARE(drag.count(), 0);
        icon->ClickTimeOver();
        icon->moveTo(QPoint(30, 31), Qt::LeftButton);
        QCOMPARE(drag.count(), 1);
        QCOMPARE(drag.first().at(1).toPoint(), QPoint(30, 31));
        icon->release(Qt::LeftButton);
    }

    void sidesAreReportedEachOnItsOwn()
    {
        QScopedPointer<TestIcon> icon(make("EXE"));
        QSignalSpy side(icon.data(), &FormCommonIcon::MousePosition);
        icon->press(Qt::LeftButton);
        icon->ClickTimeOver();
        icon->frozen = true;
        QSignalSpy drag(icon.data(), &FormCommonIcon::IconPressMove);
        icon->moveTo(QPoint(-3, -4), Qt::LeftButton);
        QCOMPARE(drag.count(), 0); // frozen: no drag move, sides still reported
        QCOMPARE(side.count(), 2);
        QCOMPARE(side.at(0).at(0).toInt(), 0);
        QCOMPARE(side.at(1).at(0).toInt(), 3);
        side.clear();
        icon->moveTo(QPoint(70, 70), Qt::LeftButton);
        QCOMPARE(side.count(), 2);
        QCOMPARE(side.at(0).at(0).toInt(), 1);
        QCOMPARE(side.at(1).at(0).toInt(), 2);
        side.clear();
        icon->moveTo(QPoint(64, 64), Qt::LeftButton); // on the border: inside
        QCOMPARE(side.count(), 0);
    }

    void doubleClickMode_data()
    {
        QTest::addColumn<QString>("cl");
        QTest::addColumn<bool>("mode");
        QTest::addColumn<int>("afterSingle");
        QTest::addColumn<int>("afterDouble");
        QTest::newRow("off") << "EXE" << false << 1 << 2;
        QTest::newRow("on") << "EXE" << true << 0 << 1;
        QTest::newRow("menu, on") << "MENU" << true << 1 << 3;
        QTest::newRow("menu, off") << "MENU" << false << 1 << 2;
        QTest::newRow("separator, off") << "BLANK" << false << 0 << 0;
        QTest::newRow("separator, on") << "BLANK" << true << 0 << 0;
    }
    void doubleClickMode()
    {
        QFETCH(QString, cl);
        QFETCH(bool, mode);
        QFETCH(int, afterSingle);
        QFETCH(int, afterDouble);
        QScopedPointer<TestIcon> icon(make(cl));
        icon->setDoubleClick(mode);
        QSignalSpy open(icon.data(), &FormCommonIcon::IconOpen);
        icon->press(Qt::LeftButton);
        icon->release(Qt::LeftButton);
        QCOMPARE(open.count(), afterSingle);
        open.clear();
        // What the window system sends for a double click.
        icon->press(Qt::LeftButton);
        icon->release(Qt::LeftButton);
        icon->doubleClick(Qt::LeftButton);
        icon->release(Qt::LeftButton);
        QCOMPARE(open.count(), afterDouble);
    }

    void temporaryIconIsInert()
    {
        QScopedPointer<TestIcon> icon(make("Temporary"));
        QList<QSignalSpy *> spies {
            new QSignalSpy(icon.data(), &FormCommonIcon::IconOpen),
            new QSignalSpy(icon.data(), &FormCommonIcon::IconPosLeft),
            new QSignalSpy(icon.data(), &FormCommonIcon::IconMouseMove),
            new QSignalSpy(icon.data(), &FormCommonIcon::IconPressMove),
            new QSignalSpy(icon.data(), &FormCommonIcon::IconPressRelease),
            new QSignalSpy(icon.data(), &FormCommonIcon::MousePosition),
            new QSignalSpy(icon.data(), &FormCommonIcon::IconMenu),
        };
        icon->press(Qt::LeftButton);
        QVERIFY(!icon->isPressed());
        icon->moveTo(QPoint(-5, -5), Qt::LeftButton);
        icon->release(Qt::LeftButton);
        icon->press(Qt::RightButton);
        icon->release(Qt::RightButton);
        icon->doubleClick(Qt::LeftButton);
        for (QSignalSpy *s : spies)
            QCOMPARE(s->count(), 0);
        qDeleteAll(spies);
        icon->enter();
        icon->timeOver();
        QVERIFY(icon->sizeAnimation()->state() != QAbstractAnimation::Running);
    }

    void ringFollowsTheHeldButton()
    {
        QScopedPointer<TestIcon> icon(make("EXE"));
        icon->press(Qt::LeftButton);
        for (int n = 0; n < 200; ++n)
            icon->TimingTimeOver();
        QVERIFY(!icon->ring()->isVisible());
        icon->TimingTimeOver(); // tick 200
        QVERIFY(icon->ring()->isVisible());
        QCOMPARE(icon->ring()->pos(), QCursor::pos() - QPoint(15, 15));
        while (icon->ringTicks() <= 500)
            icon->TimingTimeOver();
        QCOMPARE(icon->ring()->ring()->value(), 500.0);
        QVERIFY(icon->ring()->isVisible());
        icon->TimingTimeOver(); // tick 501
        QVERIFY(!icon->ring()->isVisible());
        QVERIFY(!icon->ringTimer()->isActive());
        icon->release(Qt::LeftButton);
    }

    void rightReleaseAfterLongPressOpensNoMenu()
    {
        QScopedPointer<TestIcon> icon(make("EXE"));
        QSignalSpy menu(icon.data(), &FormCommonIcon::IconMenu);
        icon->press(Qt::LeftButton);
        icon->ClickTimeOver();
        icon->release(Qt::RightButton);
        QCOMPARE(menu.count(), 0);
        QVERIFY(!icon->isDragging());
    }

    void ownerMayDeleteTheIconInItsAnswer_data()
    {
        QTest::addColumn<bool>("drag");
        QTest::newRow("open") << false;
        QTest::newRow("drop") << true;
    }
    void ownerMayDeleteTheIconInItsAnswer()
    {
        QFETCH(bool, drag);
        QPointer<TestIcon> icon = make("EXE");
        auto rebuild = [&] { delete icon.data(); };
        connect(icon.data(), &FormCommonIcon::IconOpen, this, rebuild);
        connect(icon.data(), &FormCommonIcon::IconPressRelease, this, rebuild);
        FormTimingFlash *ring = icon->ring();
        QPointer<QWidget> ringAlive(ring);
        icon->press(Qt::LeftButton);
        if (drag)
            icon->ClickTimeOver();
        icon->release(Qt::LeftButton);
        QVERIFY(icon.isNull());
        QVERIFY(ringAlive.isNull()); // the ring window went with its icon
    }

    // ------------------------------------------------------------ animations

    void hoverGrowsAndShrinks()
    {
        QScopedPointer<TestIcon> icon(make("EXE"));
        icon->enter();
        QVERIFY(icon->isMouseIn());
        QVERIFY(icon->hoverTimer()->isActive());
        icon->timeOver();
        QPropertyAnimation *a = icon->sizeAnimation();
        QCOMPARE(a->state(), QAbstractAnimation::Running);
        QCOMPARE(a->propertyName(), QByteArray("size"));
        QCOMPARE(a->duration(), 300);
        QCOMPARE(a->easingCurve().type(), QEasingCurve::OutBack);
        QCOMPARE(a->startValue().toSize(), QSize(64, 64));
        QCOMPARE(a->endValue().toSize(), QSize(128, 128));
        a->setCurrentTime(300);
        QCOMPARE(icon->size(), QSize(128, 128));
        icon->leave();
        QVERIFY(!icon->isMouseIn());
        icon->timeOver();
        QCOMPARE(a->endValue().toSize(), QSize(64, 64));
        a->setCurrentTime(300);
        QCOMPARE(icon->size(), QSize(64, 64));
        // The same animation object serves every hover.
        QCOMPARE(icon->findChildren<QPropertyAnimation *>().size(), 1);
    }

    void separatorGrowsOnlyInLength()
    {
        QScopedPointer<TestIcon> icon(make("BLANK"));
        icon->enter();
        icon->timeOver();
        QCOMPARE(icon->sizeAnimation()->endValue().toSize(), QSize(25, 128));
        icon->sizeAnimation()->setCurrentTime(300);
        icon->leave();
        icon->timeOver();
        QCOMPARE(icon->sizeAnimation()->endValue().toSize(), QSize(25, 64));
        icon->sizeAnimation()->stop();
        icon->setSize(110);
        icon->restoreSize();
        QCOMPARE(icon->size(), QSize(25, 64)); // at once
        QScopedPointer<TestIcon> left(make("BLANK", 3));
        left->enter();
        left->timeOver();
        QCOMPARE(left->sizeAnimation()->endValue().toSize(), QSize(128, 25));
    }

    void frozenIconRestoresButDoesNotHover()
    {
        QScopedPointer<TestIcon> icon(make("EXE"));
        icon->setSize(100);
        icon->frozen = true;
        icon->enter();
        icon->timeOver();
        QVERIFY(icon->sizeAnimation()->state() != QAbstractAnimation::Running);
        icon->restoreSize();
        QCOMPARE(icon->sizeAnimation()->state(), QAbstractAnimation::Running);
        QCOMPARE(icon->sizeAnimation()->endValue().toSize(), QSize(64, 64));
    }

    void restingIconRunsNoAnimation()
    {
        QScopedPointer<TestIcon> icon(make("EXE"));
        icon->restoreSize();
        QVERIFY(icon->sizeAnimation()->state() != QAbstractAnimation::Running);
        icon->leave();
        icon->timeOver();
        QVERIFY(icon->sizeAnimation()->state() != QAbstractAnimation::Running);
    }

    void jumpFollowsClassAndClickStyle_data()
    {
        QTest::addColumn<QString>("cl");
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("jumps");
        QTest::newRow("program") << "EXE" << 1 << true;
        QTest::newRow("menu") << "MENU" << 1 << false;
        QTest::newRow("no jump style") << "EXE" << 0 << false;
    }
    void jumpFollowsClassAndClickStyle()
    {
        QFETCH(QString, cl);
        QFETCH(int, style);
        QFETCH(bool, jumps);
        QScopedPointer<TestIcon> icon(make(cl));
        icon->setClickStyle(style);
        QSignalSpy open(icon.data(), &FormCommonIcon::IconOpen);
        icon->OpenIcon();
        QCOMPARE(open.count(), 1);
        QCOMPARE(oneOffs(icon.data()).size(), jumps ? 1 : 0);
    }

    void jumpComesToRestAtFive()
    {
        QScopedPointer<TestIcon> icon(make("EXE"));
        QWidget *area = child(icon.data(), "frameIcon");
        icon->OpenIcon();
        icon->OpenRecycle();
        const auto anims = oneOffs(icon.data());
        QCOMPARE(anims.size(), 2);
        QPropertyAnimation *a = anims.first();
        QCOMPARE(a->targetObject(), area);
        QCOMPARE(a->duration(), 700);
        QCOMPARE(a->keyValueAt(0.3).toPoint(), QPoint(5, 20));
        QCOMPARE(a->keyValueAt(0.9).toPoint(), QPoint(5, 20));
        QCOMPARE(a->endValue().toPoint(), QPoint(5, 5));
        for (QPropertyAnimation *x : anims)
            x->setCurrentTime(700);
        QCOMPARE(area->pos(), QPoint(5, 5));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(oneOffs(icon.data()).size(), 0); // they free themselves
    }

    void closeShrinksIntoTheCentre()
    {
        QWidget bar;
        bar.resize(400, 200);
        auto *icon = new TestIcon(&bar);
        icon->setIcon("ico1", 128, 64, 256, 256, 2, "n", m_png, "EXE");
        icon->move(100, 10);
        bar.show();
        icon->closeAnimation();
        QPropertyAnimation *a = oneOffs(icon).value(0);
        QVERIFY(a);
        QCOMPARE(a->duration(), 200);
        QCOMPARE(a->startValue().toRect(), QRect(100, 10, 69, 69));
        QCOMPARE(a->endValue().toRect(), QRect(132, 42, 0, 0));
        QCOMPARE(a->easingCurve().type(), QEasingCurve::OutQuad);
        a->setCurrentTime(200);
        QVERIFY(icon->isHidden());
    }

    void removableDiskSlidesIn()
    {
        QScopedPointer<TestIcon> disk(make("UDISK"));
        disk->showAnimation();
        QPropertyAnimation *a = oneOffs(disk.data()).value(0);
        QVERIFY(a);
        QCOMPARE(a->targetObject(), child(disk.data(), "Icon"));
        QCOMPARE(a->duration(), 500);
        QCOMPARE(a->startValue().toPoint(), QPoint(0, -128));
        QCOMPARE(a->endValue().toPoint(), QPoint(0, 0));

        QScopedPointer<TestIcon> plain(make("EXE"));
        child(plain.data(), "Icon")->move(3, 3);
        plain->showAnimation();
        QCOMPARE(child(plain.data(), "Icon")->pos(), QPoint(0, 0));
        QCOMPARE(oneOffs(plain.data()).size(), 0);
    }

    // ------------------------------------------------------------ pictures

    void iconBackgroundLetsTheBarShowThrough()
    {
        // The icon's own layers are there to catch the pointer, not to be seen.
        QScopedPointer<TestIcon> icon(make("EXE", 2, m_dir.path() + "/missing.png"));
        QImage img(icon->size(), QImage::Format_ARGB32);
        img.fill(Qt::white);
        icon->render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
        for (const QPoint p : { QPoint(2, 2), QPoint(32, 32), QPoint(60, 60) }) {
            const QColor c = img.pixelColor(p);
            QVERIFY2(c.red() > 240 && c.green() > 240 && c.blue() > 240, qPrintable(c.name()));
        }
    }

    void webTileShowsTheFirstLetter()
    {
        QScopedPointer<TestIcon> icon(make("URL", 2, ":/image/icon/url.png", "Zebra"));
        auto *label = icon->findChild<QLabel *>("Icon");
        QCOMPARE(label->text(), QString("Z"));
        QVERIFY(label->styleSheet().contains("url(:/image/icon/url.png)"));
        QCOMPARE(label->font().pixelSize(), 32);
        icon->resize(65, 65);
        QCOMPARE(label->font().pixelSize(), 32);
        icon->resize(80, 80);
        QCOMPARE(label->font().pixelSize(), 40);

        QScopedPointer<TestIcon> unnamed(make("URL", 2, ":/image/icon/url.png", ""));
        QCOMPARE(unnamed->findChild<QLabel *>("Icon")->text(), QString());
    }

    void webIconWithItsOwnPicture()
    {
        QScopedPointer<TestIcon> icon(make("URL", 2, m_png, "Zebra"));
        auto *label = icon->findChild<QLabel *>("Icon");
        QCOMPARE(label->text(), QString());
        QVERIFY(label->styleSheet().contains("border-image: url()"));
        QCOMPARE(shownColour(label), QColor(Qt::red));
        QCOMPARE(label->pixmap(Qt::ReturnByValue).size(), QSize(54, 54));
    }

    void pictureFollowsTheSize()
    {
        QScopedPointer<TestIcon> icon(make("EXE"));
        auto *label = icon->findChild<QLabel *>("Icon");
        QCOMPARE(label->pixmap(Qt::ReturnByValue).size(), QSize(54, 54));
        icon->setSize(100);
        QCOMPARE(label->size(), QSize(90, 90));
        QCOMPARE(label->pixmap(Qt::ReturnByValue).size(), QSize(90, 90));
        QCOMPARE(shownColour(label), QColor(Qt::red));
    }

    void lowerCaseGifSuffixPlaysAMovie()
    {
        const QString gif = makeGif(m_dir.path() + "/a.gif");
        const QString upper = makeGif(m_dir.path() + "/b.GIF");
        QScopedPointer<TestIcon> icon(make("EXE", 2, gif));
        QVERIFY(icon->hasMovie());
        QVERIFY(icon->movie());
        QCOMPARE(icon->movie()->scaledSize(), QSize(54, 54));
        icon->setSize(90);
        QCOMPARE(icon->movie()->scaledSize(), QSize(80, 80));
        QScopedPointer<TestIcon> still(make("EXE", 2, upper));
        QVERIFY(!still->hasMovie());
        QVERIFY(!still->movie());
    }

    void anIconOwnsOneMovieAtMost()
    {
        const QString gif = makeGif(m_dir.path() + "/c.gif");
        QScopedPointer<TestIcon> icon(make("EXE", 2, gif));
        QPointer<QMovie> first = icon->movie();
        icon->resetIcon("ico1", 128, 64, 256, 256, 2, "n", gif, "EXE");
        QVERIFY(first.isNull());
        QCOMPARE(icon->findChildren<QMovie *>().size(), 1);
        QPointer<QMovie> second = icon->movie();
        icon->resetIcon("ico1", 128, 64, 256, 256, 2, "n", m_png, "EXE");
        QVERIFY(second.isNull());
        QCOMPARE(icon->findChildren<QMovie *>().size(), 0);
        QCOMPARE(shownColour(icon->findChild<QLabel *>("Icon")), QColor(Qt::red));
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
        QWidget *area = child(icon.data(), "frameIcon");
        QList<QWidget *> faces;
        for (QWidget *w : area->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
            if (w->objectName() != "Icon")
                faces << w;
        if (face.isEmpty()) {
            QCOMPARE(faces.size(), 0);
            return;
        }
        QCOMPARE(faces.size(), 1);
        QCOMPARE(QString(faces.first()->metaObject()->className()), face);
        QCOMPARE(faces.first()->geometry(), QRect(0, 0, 54, 54));
        QVERIFY(faces.first()->isVisible());
        QVERIFY(faces.first()->hasMouseTracking());
        icon->setSize(100);
        QCOMPARE(faces.first()->size(), QSize(90, 90));
        QCOMPARE(area->size(), QSize(90, 90));

        // A second setIcon replaces the face; resetIcon keeps it.
        QPointer<QWidget> old = faces.first();
        icon->resetIcon("ico1", 128, 80, 256, 256, 2, "n", m_png, cl);
        QVERIFY(!old.isNull());
        QCOMPARE(old->size(), QSize(70, 70));
        icon->setIcon("ico1", 128, 64, 256, 256, 2, "n", m_png, cl);
        QVERIFY(old.isNull());
        QCOMPARE(area->findChildren<QWidget *>(face).size(), 1);
    }

    void recycleFaceGetsThePicturePair()
    {
        const QString empty = makePicture(m_dir.path() + "/e.png", Qt::green);
        const QString full = makePicture(m_dir.path() + "/f.png", Qt::blue);
        m_trash.current = platform::Trash::HoldsItems;
        QScopedPointer<TestIcon> icon(make("RECYCLE", 2, empty + "," + full));
        QCOMPARE(icon->recycleFace()->currentPicture(), full);
        QCOMPARE(shownColour(icon->recycleFace()->picture()), QColor(Qt::blue));
        m_trash.current = platform::Trash::Empty;
    }

    void weatherFaceGetsTheBackground()
    {
        QScopedPointer<TestIcon> preset(make("WEATHER", 2, ":/image/icon/Weather.png"));
        QCOMPARE(preset->weatherFace()->background(), QString(":/image/icon/White.png"));
        QScopedPointer<TestIcon> own(make("WEATHER", 2, m_png));
        QCOMPARE(own->weatherFace()->background(), m_png);
    }
};

ZV_TEST_MAIN(TestIconWidget)
#include "tst_iconwidget.moc"
