// The faces (pictures, GIFs, web-site tiles, separators, recycle bin, drive,
// weather, the two clocks, the hold ring) drawn into pictures, the picture
// cache they share, and the trash behind the recycle bin against temporary
// trash folders.
#include "dock/icons/clockface.h"
#include "dock/icons/formclock2.h"
#include "dock/icons/formrecycle.h"
#include "dock/icons/formtimingflash.h"
#include "dock/icons/iconpictures.h"
#include "dock/icons/liveface.h"
#include "dock/icons/pictureface.h"
#include "dock/icons/progressring.h"
#include "fakeiconservices.h"
#include "fakeplatform.h"
#include "iconhelpers.h"
#include "platform/trash.h"
#include "testenv.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QMovie>
#include <QPainter>
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

QColor centre(const QImage &img)
{
    return img.pixelColor(img.width() / 2, img.height() / 2);
}

int changedPixels(const QImage &a, const QImage &b, const QRect &area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += a.valid(x, y) && a.pixel(x, y) != b.pixel(x, y);
    return n;
}

// A 1 x 1 GIF of two frames, red then black, a tenth of a second each.
QByteArray twoFrameGif()
{
    static const unsigned char head[] = { 'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, 0xFF, 0, 0, 0, 0, 0,
                                          0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0',
                                          3, 1, 0, 0, 0 };
    const auto frame = [](unsigned char code) {
        const unsigned char bytes[] = { 0x21, 0xF9, 4, 0, 10, 0, 0, 0, 0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0,
                                        2, 2, code, 1, 0 };
        return QByteArray(reinterpret_cast<const char *>(bytes), sizeof bytes);
    };
    return QByteArray(reinterpret_cast<const char *>(head), sizeof head) + frame(0x44) + frame(0x4C) + QByteArray(1, 0x3B);
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

    void recycleFaceFollowsTheTrashWhileActive()
    {
        const QString f = makePicture(m_dir.path() + "/full.png", Qt::blue);
        const int before = m_trash.queries;
        RecycleFace face(QString(), nullptr);
        QCOMPARE(m_trash.queries, before + 1); // asked at once, polled only while active
        QVERIFY(!face.pollTimer()->isActive());
        face.setActive(true);
        QVERIFY(face.pollTimer()->isActive());
        QCOMPARE(m_trash.queries, before + 2);
        face.setPicture(makePicture(m_dir.path() + "/empty.png", Qt::green) + "," + f);
        QCOMPARE(centre(face.image(QSize(40, 40))), QColor(Qt::green));
        QSignalSpy changed(&face, &DockFace::changed);
        m_trash.current = platform::Trash::HoldsItems;
        face.poll();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(centre(face.image(QSize(40, 40))), QColor(Qt::blue));
        face.poll(); // nothing new: nothing to repaint
        QCOMPARE(changed.count(), 1);
        m_trash.current = platform::Trash::Unreadable; // a failed query changes nothing
        face.poll();
        QCOMPARE(face.currentPicture(), f);
        QCOMPARE(changed.count(), 1);
        face.setActive(false);
        QVERIFY(!face.pollTimer()->isActive());

        // The widget the menus use polls while it is shown.
        QWidget menu;
        auto *bin = new FormRecycle(&menu);
        QVERIFY(!bin->recycle()->pollTimer()->isActive());
        menu.show();
        QVERIFY(bin->recycle()->pollTimer()->isActive());
        menu.hide();
        QVERIFY(!bin->recycle()->pollTimer()->isActive());
    }

    void picturePairIsReadFromTheIconColumn()
    {
        RecycleFace face(QString(), nullptr);
        face.setPicture("a.png,b.png,c.png");
        QCOMPARE((QStringList { face.emptyPicture(), face.fullPicture() }), (QStringList { "a.png", "b.png" }));
        face.setPicture("only.png"); // not a pair: the preset pictures
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
            QCOMPARE(DiskFace::faceText(t.first), t.second);
        DiskFace face(nullptr);
        QSignalSpy changed(&face, &DockFace::changed);
        const QImage none = face.image(QSize(54, 54));
        face.setDrive("/mnt/usb");
        face.setDrive("/mnt/usb");
        QCOMPARE(changed.count(), 1);
        QCOMPARE(face.shownText(), QString("usb"));
        // A dock icon of normal size 64 has a 54-pixel face: 18-pixel text, its top at 9.
        const QSize s(54, 54);
        QCOMPARE(face.textFont(s).pixelSize(), 18);
        const QRect text = face.textRect(s);
        QCOMPARE(text.y(), 9);
        QCOMPARE(text.x(), (54 - text.width()) / 2);
        QVERIFY(changedPixels(face.image(s), none, text) > 10); // the text is drawn where it was laid out
        face.setDrive("0"); // forgets the drive
        QCOMPARE(face.drive() + face.shownText(), QString());
        QCOMPARE(changed.count(), 2);
        QCOMPARE(qobject_cast<DiskFace *>(DockFace::create("DISK", ":/image/icon/Disk.png", this)) != nullptr, true);
    }

    void weatherFace()
    {
        // State code -> picture, one entry per rule of the table.
        const QList<QPair<QString, int>> table { { "0", 0 },   { "8", 8 },   { "9", 9 },   { "12", 9 },  { "13", 13 },
                                                 { "16", 15 }, { "17", 17 }, { "19", 6 },  { "20", 20 }, { "21", 9 },
                                                 { "25", 9 },  { "26", 14 }, { "28", 14 }, { "29", 29 }, { "31", 31 },
                                                 { "32", 32 }, { "-1", 32 }, { "晴", 0 },  { "", 0 } };
        for (const auto &row : table)
            QCOMPARE(WeatherFace::statePicture(row.first), QString(":/image/weather/icon/%1.png").arg(row.second));
        WeatherFace face(QString(), nullptr);
        // No reading yet: the no-data picture and no text at all.
        QCOMPARE(face.temperatureText(), QString());
        QCOMPARE(face.currentStatePicture(), QString(":/image/weather/icon/32.png"));
        const QSize s(54, 54);
        const QImage blank = face.image(s);
        WeatherFace slash(QString(), nullptr);
        slash.setWeather("", "", "/", "32");
        QCOMPARE(slash.temperatureText(), QString());
        QCOMPARE(slash.image(s), blank);
        QSignalSpy changed(&face, &DockFace::changed);
        face.setWeather("北京", "多云", "23", "1");
        face.setWeather("北京", "晴", "23", "1"); // only what is shown counts
        QCOMPARE(changed.count(), 1);
        QCOMPARE(face.temperatureText(), QString("23°"));
        // A 54-pixel face: the weather picture 36 x 36 at x 16, the text 18 pixels high from x 6.
        QCOMPARE(face.stateRect(s), QRect(16, 0, 36, 36));
        QCOMPARE(face.textFont(s).pixelSize(), 18);
        QCOMPARE(face.textRect(s).x(), 6);
        QCOMPARE(face.textRect(s).bottom(), 53);
        // Offline again: the reading goes.
        face.setWeather("北京", "网路数据异常...请检查网络连接", "", "32");
        QCOMPARE(face.temperatureText(), QString());
        QCOMPARE(face.image(s), blank);
        face.setWeather("北京", "多云", "23", "1");
        face.setPicture(":/image/icon/Weather.png"); // the preset stands for the white background
        QCOMPARE(face.background(), QString(":/image/icon/White.png"));
        face.setPicture(makePicture(m_dir.path() + "/sky.png", Qt::cyan));
        QCOMPARE(face.image(s).pixelColor(1, 1), QColor(Qt::cyan));
        QCOMPARE(changed.count(), 4);
    }

    void clocksShowTheInjectedTime()
    {
        const struct { ClockFace::Kind kind; QTime time; const char *digits; } rows[] = {
            { ClockFace::Clock1, QTime(9, 5, 30), "0905" },
            { ClockFace::Clock2, QTime(0, 0, 0), "0000" },
            { ClockFace::Clock2, QTime(23, 59, 59), "2359" } };
        for (const auto &r : rows) {
            FakeClock clock(QDateTime(QDate(2025, 3, 1), r.time));
            ClockFace face(r.kind, nullptr);
            const QString prefix = r.kind == ClockFace::Clock1 ? ":/image/TNumber/" : ":/image/LCDNumber/";
            const QString d = r.digits;
            QCOMPARE((QStringList { face.hourTensPath(), face.hourUnitsPath(), face.colonPath(), face.minuteTensPath(),
                                    face.minuteUnitsPath() }),
                     (QStringList { prefix + d[0] + ".png", prefix + d[1] + ".png", prefix + "00.png",
                                    prefix + d[2] + ".png", prefix + d[3] + ".png" }));
            QCOMPARE(face.dateText(), QString(" 2025/03/01"));
            QCOMPARE(face.seconds(), r.kind == ClockFace::Clock1 ? r.time.second() : 0);
            // A tick reads the clock again and says that the face changed.
            QSignalSpy changed(&face, &DockFace::changed);
            clock.time = QDateTime(QDate(2025, 3, 2), QTime(10, 0, 1));
            face.timeOver();
            QCOMPARE(changed.count(), 1);
            QCOMPARE(face.hourTensPath(), prefix + "1.png");
            QCOMPARE(face.dateText(), QString(" 2025/03/02"));
            face.timeOver(); // the same time: nothing to repaint
            QCOMPARE(changed.count(), 1);
            if (r.kind == ClockFace::Clock1)
                QCOMPARE(face.seconds(), 1);
        }
    }

    void clockWakesOnlyWhenItsFaceChanges()
    {
        FakeClock clock(QDateTime(QDate(2025, 3, 1), QTime(12, 0, 30, 250)));
        ClockFace seconds(ClockFace::Clock1, nullptr), minutes(ClockFace::Clock2, nullptr);
        QVERIFY(!seconds.tickTimer()->isActive() && !minutes.tickTimer()->isActive());
        seconds.setActive(true);
        minutes.setActive(true);
        QCOMPARE(seconds.tickTimer()->interval(), 750);    // to the next second
        QCOMPARE(minutes.tickTimer()->interval(), 29750);  // to the next minute
        QVERIFY(seconds.tickTimer()->isSingleShot());
        // Woken a little early, the minute clock waits for the rest.
        clock.time = QDateTime(QDate(2025, 3, 1), QTime(12, 0, 59, 990));
        QSignalSpy changed(&minutes, &DockFace::changed);
        minutes.timeOver();
        QCOMPARE(changed.count(), 0);
        QCOMPARE(minutes.tickTimer()->interval(), 10);
        minutes.setActive(false);
        QVERIFY(!minutes.tickTimer()->isActive());
        // Shown again later, it catches up at once.
        clock.time = QDateTime(QDate(2025, 3, 1), QTime(14, 10, 0));
        minutes.setActive(true);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(minutes.hourUnitsPath(), QString(":/image/LCDNumber/4.png"));
        QCOMPARE(minutes.tickTimer()->interval(), 60000);

        // The widget ticks while its window is shown.
        QWidget icon;
        auto *face = new FormClock2(&icon);
        QVERIFY(!face->clock()->tickTimer()->isActive());
        icon.show();
        QVERIFY(face->clock()->tickTimer()->isActive());
        icon.hide(); // the dock hid: the faces inside stop too
        QVERIFY(!face->clock()->tickTimer()->isActive());
    }

    void facesByClass()
    {
        const QString gif = makeGif(m_dir.path() + "/a.gif");
        const QString upper = makeGif(m_dir.path() + "/b.GIF");
        const QString png = makePicture(m_dir.path() + "/c.png", Qt::red);
        const struct { const char *cl; QString picture; const char *face; } rows[] = {
            { "EXE", png, "PictureFace" },     { "EXE", gif, "MovieFace" },      { "EXE", upper, "PictureFace" },
            { "URL", IconPictures::UrlTile, "UrlTileFace" }, { "URL", gif, "MovieFace" },
            { "BLANK", png, "BlankFace" },     { "RECYCLE", "", "RecycleFace" }, { "DISK", "", "DiskFace" },
            { "WEATHER", "", "WeatherFace" },  { "TIME1", "", "ClockFace" },     { "TIME2", "", "ClockFace" },
            { "MENU", png, "PictureFace" } };
        for (const auto &r : rows) {
            QScopedPointer<DockFace> face(DockFace::create(r.cl, r.picture, nullptr));
            QCOMPARE(QString(face->metaObject()->className()), QString(r.face));
        }
        // A separator turns with the bar.
        BlankFace blank(nullptr);
        QCOMPARE(blank.picture(), QString(":/image/icon/Blank0.png"));
        blank.setEdge(3);
        QCOMPARE(blank.picture(), QString(":/image/icon/Blank1.png"));
        // A web-site tile writes the first letter at half the icon's width.
        UrlTileFace tile(nullptr);
        tile.setName("example");
        QCOMPARE(tile.letter(), QString("e"));
        QCOMPARE(tile.letterPixelSize(54), 32);
        QCOMPARE(tile.letterPixelSize(55), 32);
        tile.setName(QString());
        QCOMPARE(tile.letter(), QString());
    }

    void stillPicturesAreDrawnFromSizeSteps()
    {
        QCOMPARE(IconPictures::step(QSize(50, 50)), QSize(52, 52));
        QCOMPARE(IconPictures::step(QSize(52, 21)), QSize(52, 24));
        QCOMPARE(IconPictures::step(QSize(0, 10)), QSize(0, 12));
        const QString png = makePicture(m_dir.path() + "/step.png", Qt::red, 64);
        PictureFace face(png, nullptr);
        QImage img(60, 60, QImage::Format_ARGB32_Premultiplied);
        for (int side : { 49, 50, 51, 52 }) {
            img.fill(Qt::transparent);
            QPainter p(&img);
            face.paint(p, QRect(3, 3, side, side));
            p.end();
            QCOMPARE(img.pixelColor(3 + side / 2, 3 + side / 2), QColor(Qt::red));
            QCOMPARE(img.pixelColor(3 + side + 2, 3 + side / 2).alpha(), 0);
        }
        // One rescale served all four sizes.
        QCOMPARE(IconPictures::scaled(png, QSize(52, 52)).size(), QSize(52, 52));
    }

    void animatedPicturesRunOnlyWhileActive()
    {
        const QString gif = m_dir.path() + "/two.gif";
        QFile f(gif);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(twoFrameGif());
        f.close();
        MovieFace face(gif, nullptr);
        QVERIFY(face.movie());
        QCOMPARE(face.movie()->frameCount(), 2);
        QVERIFY(face.movie()->state() != QMovie::Running);
        QSignalSpy changed(&face, &DockFace::changed);
        face.setActive(true);
        QCOMPARE(face.movie()->state(), QMovie::Running);
        face.movie()->jumpToNextFrame(); // a new frame asks for a repaint
        QVERIFY(changed.count() >= 1);
        face.setActive(false);
        QVERIFY(face.movie()->state() != QMovie::Running);
        face.setActive(true);
        QCOMPARE(face.movie()->state(), QMovie::Running);
        QImage img(20, 20, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        face.paint(p, img.rect());
        p.end();
        QVERIFY(img.pixelColor(10, 10).alpha() > 0);
    }

    void holdRingFillsClockwiseFromTwelve()
    {
        HoldRingFace ring(nullptr);
        ring.setRange(0, 500);
        QSignalSpy changed(&ring, &DockFace::changed);
        const auto blueOn = [&](bool rightHalf) {
            QImage img(32, 32, QImage::Format_ARGB32_Premultiplied);
            img.fill(Qt::transparent);
            QPainter p(&img);
            ring.paint(p, img.rect());
            p.end();
            int n = 0;
            for (int y = 0; y < 32; ++y)
                for (int x = rightHalf ? 17 : 0; x < (rightHalf ? 32 : 12); ++x) { // (the square caps reach past 12 and 6 o'clock)
                    const QColor c = img.pixelColor(x, y);
                    n += c.blue() > 200 && c.red() < 60 && c.alpha() > 200;
                }
            return n;
        };
        QCOMPARE(blueOn(true) + blueOn(false), 0); // at 0 only the track
        ring.setValue(250);
        ring.setValue(250);
        QCOMPARE(changed.count(), 1);
        QVERIFY(blueOn(true) > 20);
        QCOMPARE(blueOn(false), 0); // half a circle: 12 to 6 o'clock
        ring.setRange(0, 500);
        QCOMPARE(ring.value(), 0.0);
        // The window beside the pointer is the same ring.
        FormTimingFlash flash;
        flash.setRange(0, 500);
        flash.setValue(600);
        QCOMPARE(flash.value(), 500.0);
        QCOMPARE(flash.size(), QSize(32, 32));
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
