// The live faces (recycle bin, drive, weather, the two clocks) in their
// states, the picture cache they share, and the trash behind the recycle bin
// against temporary trash folders.
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
#include "platform/trash.h"
#include "testenv.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {
void touch(const QString &path, const QByteArray &data = "x")
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(data);
}

// A trashed file as a file manager leaves it: the file and its info.
void trashItem(const QString &can, const QString &name)
{
    touch(can + "/files/" + name);
    touch(can + "/info/" + name + ".trashinfo", "[Trash Info]\nPath=/x\nDeletionDate=2024-01-01T10:00:00\n");
}

bool isEmptyDir(const QString &path)
{
    return QDir(path).exists() && QDir(path).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}

bool chmodOk(const QString &path, mode_t mode)
{
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}
} // namespace

class TestIconFaces : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    FakeTrash m_trash;
    const uint uid = ::getuid();
    const QString mine = QString::number(uid);

private slots:
    void init()
    {
        m_trash.current = platform::Trash::Empty;
        m_trash.emptySucceeds = true;
        m_trash.emptied = 0;
    }

    void recycleFaceFollowsTheTrashWhileShown()
    {
        const QString f = makePicture(m_dir.path() + "/full.png", Qt::blue);
        const int before = m_trash.queries;
        FormRecycle face;
        face.resize(40, 40);
        QCOMPARE(m_trash.queries, before + 1); // asked at once, polled only while shown
        QVERIFY(!face.pollTimer()->isActive());
        face.show();
        QVERIFY(face.pollTimer()->isActive());
        QCOMPARE(m_trash.queries, before + 2);
        face.setIcons(makePicture(m_dir.path() + "/empty.png", Qt::green) + "," + f);
        QCOMPARE(shownColour(face.picture()), QColor(Qt::green));
        m_trash.current = platform::Trash::HoldsItems;
        face.timeOver();
        QCOMPARE(shownColour(face.picture()), QColor(Qt::blue));
        QCOMPARE(face.picture()->pixmap(Qt::ReturnByValue).size(), QSize(40, 40));
        m_trash.current = platform::Trash::Unreadable; // a failed query changes nothing
        face.timeOver();
        QCOMPARE(face.currentPicture(), f);
        face.hide();
        QVERIFY(!face.pollTimer()->isActive());
    }

    void picturePairIsReadFromTheIconColumn()
    {
        FormRecycle face;
        face.setIcons("a.png,b.png,c.png");
        QCOMPARE((QStringList { face.emptyPicture(), face.fullPicture() }), (QStringList { "a.png", "b.png" }));
        face.setIcons("only.png"); // not a pair: the preset pictures
        QCOMPARE((QStringList { face.emptyPicture(), face.fullPicture(), face.currentPicture() }),
                 (QStringList { ":/image/icon/Recycle.png", ":/image/icon/Recycle1.png", ":/image/icon/Recycle.png" }));
    }

    void emptyingNeedsAYesAndReportsFailure()
    {
        m_trash.current = platform::Trash::HoldsItems;
        FormRecycle::confirmEmpty() = &FormRecycle::askBeforeEmptying;
        for (bool yes : { false, true }) {
            bool defaultIsNo = false;
            QTimer::singleShot(0, this, [&] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                QVERIFY(box);
                defaultIsNo = static_cast<QAbstractButton *>(box->defaultButton()) == box->button(QMessageBox::No);
                box->button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
            });
            QCOMPARE(FormRecycle::clearRecycleBin(), yes);
            QVERIFY(defaultIsNo);
        }
        QCOMPARE(m_trash.emptied, 1);
        FormRecycle::confirmEmpty() = nullptr; // no question at all: nothing is deleted
        QVERIFY(!FormRecycle::clearRecycleBin());
        FormRecycle::confirmEmpty() = [] { return true; };
        m_trash.emptySucceeds = false;
        QVERIFY(!FormRecycle::clearRecycleBin()); // a failure is not reported as done
        QCOMPARE(m_trash.emptied, 2);
    }

    void driveFace()
    {
        const QList<QPair<QString, QString>> texts { { "/", "/" }, { "/mnt/data/", "data" }, { "C:/", "C:" }, { "", "" },
                                                     { "/media/anna/STICK8GB", QString("STI") + QChar(0x2026) } };
        for (const auto &t : texts)
            QCOMPARE(FormDisk::faceText(t.first), t.second);
        FormDisk face;
        face.resize(54, 54);
        face.show();
        face.setDisk("/mnt/usb");
        QCOMPARE(face.nameLabel()->text(), QString("usb"));
        QCOMPARE(face.nameLabel()->x(), (54 - face.nameLabel()->width()) / 2);
        face.setDisk("0"); // forgets the drive; the label follows at the next layout
        face.resize(60, 60);
        QCOMPARE(face.disk() + face.nameLabel()->text(), QString());
    }

    void weatherFace()
    {
        // State code -> picture, one entry per rule of the table.
        const QList<QPair<QString, int>> table { { "0", 0 },   { "8", 8 },   { "9", 9 },   { "12", 9 },  { "13", 13 },
                                                 { "16", 15 }, { "17", 17 }, { "19", 6 },  { "20", 20 }, { "21", 9 },
                                                 { "25", 9 },  { "26", 14 }, { "28", 14 }, { "29", 29 }, { "31", 31 },
                                                 { "32", 32 }, { "-1", 32 }, { "晴", 0 },  { "", 0 } };
        for (const auto &row : table)
            QCOMPARE(FormWeatherIcon::statePicture(row.first), QString(":/image/weather/icon/%1.png").arg(row.second));
        FormWeatherIcon face;
        QCOMPARE(face.temperatureLabel()->text(), QString(" /  ")); // no reading yet
        QCOMPARE(face.currentStatePicture(), QString(":/image/weather/icon/32.png"));
        face.resize(40, 40);
        face.show();
        face.setWeather("北京", "多云", "23", "1");
        QCOMPARE(face.temperatureLabel()->text(), QString("23°"));
        face.setIconImage(":/image/icon/Weather.png"); // the preset stands for the white background
        QCOMPARE(face.background(), QString(":/image/icon/White.png"));
        face.setIconImage(makePicture(m_dir.path() + "/sky.png", Qt::cyan));
        QCOMPARE(shownColour(face.backgroundLabel()), QColor(Qt::cyan));
    }

    void clocksShowTheInjectedTime()
    {
        const struct { bool first; QTime time; const char *digits; } rows[] = {
            { true, QTime(9, 5, 30), "0905" }, { false, QTime(0, 0, 0), "0000" }, { false, QTime(23, 59, 59), "2359" } };
        for (const auto &r : rows) {
            FakeClock clock(QDateTime(QDate(2025, 3, 1), r.time));
            QScopedPointer<ClockFace> face(r.first ? static_cast<ClockFace *>(new FormClock1) : new FormClock2);
            const QString prefix = r.first ? ":/image/TNumber/" : ":/image/LCDNumber/";
            const QString d = r.digits;
            QCOMPARE((QStringList { face->hourTensPath(), face->hourUnitsPath(), face->colonPath(),
                                    face->minuteTensPath(), face->minuteUnitsPath() }),
                     (QStringList { prefix + d[0] + ".png", prefix + d[1] + ".png", prefix + "00.png",
                                    prefix + d[2] + ".png", prefix + d[3] + ".png" }));
            QCOMPARE(face->findChild<QLabel *>("text2")->text(), QString(" 2025/03/01"));
            // A tick reads the clock again; the first face's ring shows the seconds.
            clock.time = QDateTime(QDate(2025, 3, 2), QTime(10, 0, 1));
            face->timeOver();
            QCOMPARE(face->hourTensPath(), prefix + "1.png");
            QCOMPARE(face->findChild<QLabel *>("text2")->text(), QString(" 2025/03/02"));
            if (r.first)
                QCOMPARE(static_cast<FormClock1 *>(face.data())->ring()->value(), 1.0);
        }
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

    void picturesAreScaledOncePerSizeAndContent()
    {
        const QString path = makePicture(m_dir.path() + "/cache.png", Qt::red, 64);
        const QPixmap a = IconPictures::scaled(path, QSize(20, 20));
        QCOMPARE(IconPictures::scaled(path, QSize(20, 20)).cacheKey(), a.cacheKey());
        QCOMPARE(a.size(), QSize(20, 20));
        QVERIFY(IconPictures::scaled(path, QSize(21, 20)).cacheKey() != a.cacheKey());
        QVERIFY(IconPictures::scaled(path, QSize(0, 20)).isNull());
        QVERIFY(IconPictures::scaled(m_dir.path() + "/missing.png", QSize(20, 20)).isNull());
        // Labels are not given the same picture twice, but get it back after a text.
        QLabel l;
        IconPictures::show(&l, path, QSize(30, 30));
        const qint64 key = l.pixmap(Qt::ReturnByValue).cacheKey();
        IconPictures::show(&l, path, QSize(30, 30));
        QCOMPARE(l.pixmap(Qt::ReturnByValue).cacheKey(), key);
        l.setText("A");
        IconPictures::show(&l, path, QSize(30, 30));
        QVERIFY(!l.pixmap(Qt::ReturnByValue).isNull());
        // An edited picture is scaled again, not taken from the cache.
        makePicture(path, Qt::blue, 64);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
        file.close();
        QCOMPARE(IconPictures::scaled(path, QSize(20, 20)).toImage().pixelColor(10, 10), QColor(Qt::blue));
    }

    // ---------------------------------------------------------------- the trash

    void stateOverEveryCan()
    {
        QTemporaryDir home, volume;
        platform::FreedesktopTrash trash(home.path() + "/Trash", [&] { return QStringList { volume.path() }; }, uid);
        QCOMPARE(trash.state(), platform::Trash::Empty); // no folder at all
        QVERIFY(trash.emptyAll());
        QDir().mkpath(home.path() + "/Trash/files");
        QCOMPARE(trash.state(), platform::Trash::Empty);
        trashItem(volume.path() + "/.Trash-" + mine, ".hidden"); // even a hidden, tiny file on a volume counts
        QCOMPARE(trash.state(), platform::Trash::HoldsItems);
        // The user's own trash is the one in the (temporary) data folder.
        const QString can = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Trash";
        QVERIFY(can.startsWith(qEnvironmentVariable("XDG_DATA_HOME")));
        QDir().mkpath(can + "/files");
        QCOMPARE(platform::FreedesktopTrash().cans().value(0), can);
    }

    void volumeCansFollowTheRules()
    {
        QTemporaryDir top;
        const QString t = top.path();
        QCOMPARE(platform::FreedesktopTrash::volumeCans(t, uid), QStringList());
        QDir().mkpath(t + "/.Trash-" + mine);
        QCOMPARE(platform::FreedesktopTrash::volumeCans(t, uid), QStringList { t + "/.Trash-" + mine });
        // A shared .Trash counts only with its sticky bit.
        QDir().mkpath(t + "/.Trash/" + mine);
        QCOMPARE(platform::FreedesktopTrash::volumeCans(t, uid).size(), 1);
        QVERIFY(chmodOk(t + "/.Trash", 01777));
        QCOMPARE(platform::FreedesktopTrash::volumeCans(t + "/", uid),
                 (QStringList { t + "/.Trash/" + mine, t + "/.Trash-" + mine }));
        // The home folder's volume may carry the home trash itself: it is counted once.
        platform::FreedesktopTrash trash(t + "/.Trash-" + mine, [&] { return QStringList { t, t }; }, uid);
        QCOMPARE(trash.cans(), (QStringList { t + "/.Trash-" + mine, t + "/.Trash/" + mine }));
        // A trash folder that is a link is not trusted, nor emptied.
        QTemporaryDir other, elsewhere;
        touch(elsewhere.path() + "/files/precious.txt");
        QVERIFY(QFile::link(elsewhere.path(), other.path() + "/.Trash-" + mine));
        QCOMPARE(platform::FreedesktopTrash::volumeCans(other.path(), uid), QStringList());
        QVERIFY(platform::FreedesktopTrash(t + "/none", [&] { return QStringList { other.path() }; }, uid).emptyAll());
        QVERIFY(QFile::exists(elsewhere.path() + "/files/precious.txt"));
    }

    void emptyingDeletesItemsButNeverFollowsLinks()
    {
        QTemporaryDir home, volume, outside;
        const QString can = home.path() + "/Trash";
        const QString volumeCan = volume.path() + "/.Trash-" + mine;
        trashItem(can, "letter.txt");
        trashItem(volumeCan, "photo.png");
        // A trashed folder that lost its write bit, with content.
        touch(can + "/files/folder/inner/deep.txt");
        QVERIFY(chmodOk(can + "/files/folder/inner", 0500));
        touch(can + "/info/folder.trashinfo");
        // Trashed links to things outside the trash.
        touch(outside.path() + "/keep.txt");
        touch(outside.path() + "/keepdir/file.txt");
        QVERIFY(QFile::link(outside.path() + "/keep.txt", can + "/files/link-to-file"));
        QVERIFY(QFile::link(outside.path() + "/keepdir", can + "/files/link-to-dir"));
        QVERIFY(QFile::link(outside.path() + "/gone", can + "/files/broken-link"));
        touch(can + "/directorysizes", "4096 1 folder\n");

        platform::FreedesktopTrash trash(can, [&] { return QStringList { volume.path() }; }, uid);
        QCOMPARE(trash.state(), platform::Trash::HoldsItems);
        QVERIFY(trash.emptyAll());
        QCOMPARE(trash.state(), platform::Trash::Empty);
        for (const QString &folder : { can + "/files", can + "/info", volumeCan + "/files", volumeCan + "/info" })
            QVERIFY2(isEmptyDir(folder), qPrintable(folder));
        QVERIFY(!QFile::exists(can + "/directorysizes"));
        QVERIFY(QFile::exists(outside.path() + "/keep.txt") && QFile::exists(outside.path() + "/keepdir/file.txt"));
    }

    void unreadableTrashIsReported()
    {
        if (::geteuid() == 0)
            QSKIP("permissions do not stop root");
        QTemporaryDir home;
        QDir().mkpath(home.path() + "/Trash/files");
        QVERIFY(chmodOk(home.path() + "/Trash/files", 0));
        platform::FreedesktopTrash trash(home.path() + "/Trash", {}, uid);
        QCOMPARE(trash.state(), platform::Trash::Unreadable);
        chmodOk(home.path() + "/Trash/files", 0700);
    }
};

ZV_TEST_MAIN(TestIconFaces)
#include "tst_iconfaces.moc"
