// The live faces: recycle bin, drive, weather and the two clocks, each in
// its states, plus the picture cache they share.
#include "dock/icons/formclock1.h"
#include "dock/icons/formclock2.h"
#include "dock/icons/formdisk.h"
#include "dock/icons/formrecycle.h"
#include "dock/icons/formweathericon.h"
#include "dock/icons/iconpictures.h"
#include "dock/icons/qroundprogressbar.h"
#include "fakeiconservices.h"
#include "fakeplatform.h"
#include "iconhelpers.h"
#include "testenv.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class TestIconFaces : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    FakeTrash m_trash;

    static QLabel *label(QWidget *w, const char *name) { return w->findChild<QLabel *>(name); }

private slots:
    void init()
    {
        m_trash.current = platform::Trash::Empty;
        m_trash.emptySucceeds = true;
        m_trash.emptied = 0;
    }

    // ------------------------------------------------------------ recycle bin

    void recycleFaceFollowsTheTrash()
    {
        const int before = m_trash.queries;
        FormRecycle face;
        QCOMPARE(m_trash.queries, before + 1); // polled at once
        QCOMPARE(face.pollTimer()->interval(), 5000);
        QVERIFY(!face.pollTimer()->isActive()); // nothing to show yet
        face.show();
        QVERIFY(face.pollTimer()->isActive());
        QCOMPARE(m_trash.queries, before + 2); // and again when shown
        face.hide();
        QVERIFY(!face.pollTimer()->isActive());
        QCOMPARE(face.currentPicture(), QString(":/image/icon/Recycle.png"));
        m_trash.current = platform::Trash::HoldsItems;
        face.timeOver();
        QCOMPARE(face.currentPicture(), QString(":/image/icon/Recycle1.png"));
        m_trash.current = platform::Trash::Unreadable; // a failed query changes nothing
        face.timeOver();
        QCOMPARE(face.currentPicture(), QString(":/image/icon/Recycle1.png"));
        m_trash.current = platform::Trash::Empty;
        face.timeOver();
        QCOMPARE(face.currentPicture(), QString(":/image/icon/Recycle.png"));
    }

    void picturePairIsReadFromTheIconColumn_data()
    {
        QTest::addColumn<QString>("pair");
        QTest::addColumn<QString>("empty");
        QTest::addColumn<QString>("full");
        QTest::addColumn<bool>("polls");
        QTest::newRow("pair") << "a.png,b.png" << "a.png" << "b.png" << true;
        QTest::newRow("three") << "a.png,b.png,c.png" << "a.png" << "b.png" << true;
        QTest::newRow("leading comma") << ",b.png" << "" << "b.png" << true;
        QTest::newRow("no comma") << "only.png" << ":/image/icon/Recycle.png" << ":/image/icon/Recycle1.png" << false;
        QTest::newRow("empty") << "" << ":/image/icon/Recycle.png" << ":/image/icon/Recycle1.png" << false;
    }
    void picturePairIsReadFromTheIconColumn()
    {
        QFETCH(QString, pair);
        QFETCH(QString, empty);
        QFETCH(QString, full);
        QFETCH(bool, polls);
        FormRecycle face;
        const int before = m_trash.queries;
        face.setIcons(pair);
        QCOMPARE(face.emptyPicture(), empty);
        QCOMPARE(face.fullPicture(), full);
        QCOMPARE(face.currentPicture(), empty);
        QCOMPARE(m_trash.queries, before + (polls ? 1 : 0));
    }

    void recycleFaceShowsThePictureOfItsState()
    {
        const QString e = makePicture(m_dir.path() + "/empty.png", Qt::green);
        const QString f = makePicture(m_dir.path() + "/full.png", Qt::blue);
        FormRecycle face;
        face.resize(40, 40);
        face.show();
        face.setIcons(e + "," + f);
        QCOMPARE(shownColour(face.picture()), QColor(Qt::green));
        QCOMPARE(face.picture()->pixmap(Qt::ReturnByValue).size(), QSize(40, 40));
        m_trash.current = platform::Trash::HoldsItems;
        face.timeOver();
        QCOMPARE(shownColour(face.picture()), QColor(Qt::blue));
        face.resize(60, 60);
        QCOMPARE(face.picture()->pixmap(Qt::ReturnByValue).size(), QSize(60, 60));
    }

    void emptyingNeedsAYes()
    {
        m_trash.current = platform::Trash::HoldsItems;
        FormRecycle::confirmEmpty() = [] { return false; };
        QVERIFY(!FormRecycle::clearRecycleBin());
        QCOMPARE(m_trash.emptied, 0);
        FormRecycle::confirmEmpty() = [] { return true; };
        QVERIFY(FormRecycle::clearRecycleBin());
        QCOMPARE(m_trash.emptied, 1);
        m_trash.emptySucceeds = false;
        QVERIFY(!FormRecycle::clearRecycleBin()); // a failure is not reported as done
    }

    void theRealQuestionDefaultsToNo_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("no") << false;
        QTest::newRow("yes") << true;
    }
    void theRealQuestionDefaultsToNo()
    {
        QFETCH(bool, yes);
        m_trash.current = platform::Trash::HoldsItems;
        FormRecycle::confirmEmpty() = &FormRecycle::askBeforeEmptying;
        bool defaultIsNo = false;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            defaultIsNo = static_cast<QAbstractButton *>(box->defaultButton()) == box->button(QMessageBox::No);
            box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        QCOMPARE(FormRecycle::clearRecycleBin(), yes);
        QVERIFY(defaultIsNo);
        QCOMPARE(m_trash.emptied, yes ? 1 : 0);

        FormRecycle::confirmEmpty() = nullptr; // no question at all: nothing is deleted
        QVERIFY(!FormRecycle::clearRecycleBin());
        QCOMPARE(m_trash.emptied, yes ? 1 : 0);
    }

    // ------------------------------------------------------------ drive

    void driveTextFitsTheFace_data()
    {
        QTest::addColumn<QString>("drive");
        QTest::addColumn<QString>("text");
        QTest::newRow("root") << "/" << "/";
        QTest::newRow("short") << "/media/anna/USB" << "USB";
        QTest::newRow("four") << "/mnt/data/" << "data";
        QTest::newRow("long") << "/media/anna/STICK8GB" << QString("STI") + QChar(0x2026);
        QTest::newRow("windows row") << "C:/" << "C:";
        QTest::newRow("none") << "" << "";
    }
    void driveTextFitsTheFace()
    {
        QFETCH(QString, drive);
        QFETCH(QString, text);
        QCOMPARE(FormDisk::faceText(drive), text);
    }

    void driveFaceLayout()
    {
        FormDisk face;
        face.resize(54, 54);
        face.show();
        QCOMPARE(face.nameLabel()->text(), QString());
        face.setDisk("/mnt/usb");
        QCOMPARE(face.nameLabel()->text(), QString("usb"));
        QCOMPARE(face.nameLabel()->font().pixelSize(), 18);
        QCOMPARE(face.nameLabel()->y(), 9);
        QCOMPARE(face.nameLabel()->x(), (54 - face.nameLabel()->width()) / 2);
        QCOMPARE(face.picture()->size(), QSize(54, 54));
        // "0" forgets the drive; the label follows at the next layout.
        face.setDisk("0");
        QCOMPARE(face.disk(), QString());
        QCOMPARE(face.nameLabel()->text(), QString("usb"));
        face.resize(60, 60);
        QCOMPARE(face.nameLabel()->text(), QString());
    }

    // ------------------------------------------------------------ weather

    void weatherPictureTable_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("picture");
        for (int i = 0; i <= 8; ++i)
            QTest::addRow("%d", i) << QString::number(i) << i;
        const QList<QPair<int, int>> table { { 9, 9 },   { 10, 9 },  { 11, 9 },  { 12, 9 },  { 13, 13 }, { 14, 14 },
                                              { 15, 15 }, { 16, 15 }, { 17, 17 }, { 18, 18 }, { 19, 6 },  { 20, 20 },
                                              { 21, 9 },  { 25, 9 },  { 26, 14 }, { 27, 14 }, { 28, 14 }, { 29, 29 },
                                              { 30, 30 }, { 31, 31 }, { 32, 32 }, { -1, 32 }, { 99, 32 } };
        for (const auto &row : table)
            QTest::addRow("%d", row.first) << QString::number(row.first) << row.second;
        QTest::newRow("not a number") << "晴" << 0;
        QTest::newRow("empty") << "" << 0;
    }
    void weatherPictureTable()
    {
        QFETCH(QString, state);
        QFETCH(int, picture);
        QCOMPARE(FormWeatherIcon::statePicture(state), QString(":/image/weather/icon/%1.png").arg(picture));
    }

    void weatherFaceWithoutData()
    {
        FormWeatherIcon face;
        QCOMPARE(face.temperature(), QString("/"));
        QCOMPARE(face.currentStatePicture(), QString(":/image/weather/icon/32.png"));
        QCOMPARE(face.temperatureLabel()->text(), QString(" /  "));
        QCOMPARE(face.background(), QString(":/image/icon/White.png"));
    }

    void weatherFaceLayout()
    {
        FormWeatherIcon face;
        face.resize(54, 54);
        face.show();
        face.setWeather("北京", "多云", "23", "1");
        QCOMPARE(face.temperatureLabel()->text(), QString("23°"));
        QCOMPARE(face.stateLabel()->geometry(), QRect(16, 0, 36, 36));
        QCOMPARE(face.temperatureLabel()->font().pixelSize(), 18);
        QCOMPARE(face.temperatureLabel()->x(), 6);
        QCOMPARE(face.temperatureLabel()->geometry().bottom() + 1, 54);
        QCOMPARE(face.backgroundLabel()->size(), QSize(54, 54));
    }

    void weatherBackground()
    {
        const QString own = makePicture(m_dir.path() + "/sky.png", Qt::cyan);
        FormWeatherIcon face;
        face.resize(40, 40);
        face.show();
        face.setIconImage(":/image/icon/Weather.png");
        QCOMPARE(face.background(), QString(":/image/icon/White.png"));
        face.setIconImage(own);
        QCOMPARE(face.background(), own);
        QCOMPARE(shownColour(face.backgroundLabel()), QColor(Qt::cyan));
    }

    // ------------------------------------------------------------ clocks

    void firstClockShowsTheTime()
    {
        FakeClock clock(QDateTime(QDate(2025, 3, 1), QTime(9, 5, 30)));
        FormClock1 face;
        QCOMPARE(face.hourTensPath(), QString(":/image/TNumber/0.png"));
        QCOMPARE(face.hourUnitsPath(), QString(":/image/TNumber/9.png"));
        QCOMPARE(face.minuteTensPath(), QString(":/image/TNumber/0.png"));
        QCOMPARE(face.minuteUnitsPath(), QString(":/image/TNumber/5.png"));
        QCOMPARE(face.colonPath(), QString(":/image/TNumber/00.png"));
        QCOMPARE(face.iconPath(), QString(":/image/icon/Clock1.png"));
        QCOMPARE(label(&face, "text2")->text(), QString(" 2025/03/01"));
        QCOMPARE(face.ring()->value(), 30.0);
        QCOMPARE(face.ring()->maximum(), 60.0);
        QCOMPARE(face.ring()->ringStyle(), int(QRoundProgressBar::Line));
        QCOMPARE(face.tickTimer()->interval(), 1000);
    }

    void clockTicksOnlyWhileShown()
    {
        FakeClock clock(QDateTime(QDate(2025, 3, 1), QTime(9, 5, 30)));
        QWidget icon;
        auto *face = new FormClock2(&icon);
        QVERIFY(!face->tickTimer()->isActive());
        clock.time = QDateTime(QDate(2025, 3, 1), QTime(11, 0, 0));
        icon.show();
        QVERIFY(face->tickTimer()->isActive());
        QCOMPARE(face->hourUnitsPath(), QString(":/image/LCDNumber/1.png")); // caught up at once
        icon.hide(); // the dock hid: the faces inside stop too
        QVERIFY(!face->tickTimer()->isActive());
    }

    void clocksUseTheTwentyFourHourDay_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("digits");
        QTest::newRow("midnight") << QTime(0, 0, 0) << "0000";
        QTest::newRow("evening") << QTime(23, 59, 59) << "2359";
        QTest::newRow("afternoon") << QTime(13, 7, 0) << "1307";
    }
    void clocksUseTheTwentyFourHourDay()
    {
        QFETCH(QTime, time);
        QFETCH(QString, digits);
        FakeClock clock(QDateTime(QDate(2024, 12, 31), time));
        FormClock2 face;
        const QString prefix = ":/image/LCDNumber/";
        QCOMPARE(face.hourTensPath(), prefix + digits[0] + ".png");
        QCOMPARE(face.hourUnitsPath(), prefix + digits[1] + ".png");
        QCOMPARE(face.minuteTensPath(), prefix + digits[2] + ".png");
        QCOMPARE(face.minuteUnitsPath(), prefix + digits[3] + ".png");
        QCOMPARE(face.iconPath(), QString(":/image/icon/Clock2.png"));
    }

    void tickReadsTheClockAgain()
    {
        FakeClock clock(QDateTime(QDate(2025, 3, 1), QTime(9, 59, 58)));
        FormClock1 face;
        clock.time = QDateTime(QDate(2025, 3, 2), QTime(10, 0, 1));
        face.timeOver();
        QCOMPARE(face.hourTensPath(), QString(":/image/TNumber/1.png"));
        QCOMPARE(face.hourUnitsPath(), QString(":/image/TNumber/0.png"));
        QCOMPARE(label(&face, "text2")->text(), QString(" 2025/03/02"));
        QCOMPARE(face.ring()->value(), 1.0);
    }

    void firstClockLayout()
    {
        FakeClock clock;
        FormClock1 face;
        face.resize(100, 100);
        face.show();
        QCOMPARE(label(&face, "t1")->geometry(), QRect(20, 36, 12, 19));
        QCOMPARE(label(&face, "t2")->pos(), QPoint(34, 36));
        QCOMPARE(label(&face, "t3")->pos(), QPoint(43, 36));
        QCOMPARE(label(&face, "t4")->pos(), QPoint(52, 36));
        QCOMPARE(label(&face, "t5")->pos(), QPoint(66, 36));
        QCOMPARE(label(&face, "t5")->size(), QSize(12, 19));
        QCOMPARE(label(&face, "text2")->font().pixelSize(), 9);
        QCOMPARE(label(&face, "text2")->x(), 20);
        QCOMPARE(label(&face, "bg")->size(), QSize(100, 100));
        QCOMPARE(face.ring()->size(), QSize(100, 100));
    }

    void secondClockLayout()
    {
        FakeClock clock;
        FormClock2 face;
        face.resize(100, 100);
        face.show();
        QCOMPARE(label(&face, "t1")->geometry(), QRect(14, 22, 17, 32));
        QCOMPARE(label(&face, "t2")->geometry(), QRect(33, 22, 17, 32));
        QCOMPARE(label(&face, "t3")->geometry(), QRect(47, 22, 17, 32));
        QCOMPARE(label(&face, "t4")->geometry(), QRect(61, 28, 14, 26));
        QCOMPARE(label(&face, "t5")->geometry(), QRect(77, 28, 14, 26));
        QLabel *date = label(&face, "text2");
        QCOMPARE(date->font().pixelSize(), 14);
        QCOMPARE(date->x(), 6);
        QCOMPARE(100 - (date->y() + date->height()), 6);
    }

    // ------------------------------------------------------------ picture cache

    void picturesAreScaledOncePerSize()
    {
        const QString path = makePicture(m_dir.path() + "/cache.png", Qt::red, 64);
        const QPixmap a = IconPictures::scaled(path, QSize(20, 20));
        const QPixmap b = IconPictures::scaled(path, QSize(20, 20));
        QCOMPARE(a.cacheKey(), b.cacheKey());
        QCOMPARE(a.size(), QSize(20, 20));
        QVERIFY(IconPictures::scaled(path, QSize(21, 20)).cacheKey() != a.cacheKey());
        QVERIFY(IconPictures::scaled(path, QSize(0, 20)).isNull());
        QVERIFY(IconPictures::scaled(m_dir.path() + "/missing.png", QSize(20, 20)).isNull());

        // An edited picture is scaled again, not taken from the cache.
        makePicture(path, Qt::blue, 64);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
        file.close();
        const QImage after = IconPictures::scaled(path, QSize(20, 20)).toImage();
        QCOMPARE(after.pixelColor(10, 10), QColor(Qt::blue));
    }

    void labelsAreNotGivenTheSamePictureTwice()
    {
        const QString path = makePicture(m_dir.path() + "/same.png", Qt::red, 64);
        QLabel l;
        IconPictures::show(&l, path, QSize(30, 30));
        const qint64 key = l.pixmap(Qt::ReturnByValue).cacheKey();
        IconPictures::show(&l, path, QSize(30, 30));
        QCOMPARE(l.pixmap(Qt::ReturnByValue).cacheKey(), key);
        QCOMPARE(IconPictures::shownPath(&l), path);
        l.setText("A"); // text takes the picture away: it comes back when asked
        IconPictures::show(&l, path, QSize(30, 30));
        QVERIFY(!l.pixmap(Qt::ReturnByValue).isNull());
    }
};

ZV_TEST_MAIN(TestIconFaces)
#include "tst_iconfaces.moc"
