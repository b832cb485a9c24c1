// The launch pad: its grid arithmetic, its icon file, pages, dragging with
// the file afterwards, search, adding and refusing icons, opening them, and
// its look settings.
#include "dock/launchpad/formlaunchcommonicon.h"
#include "dock/launchpad/formlaunchstarter.h"
#include "dock/launchpad/formpagbutton.h"
#include "dock/launchpad/launchbackground.h"
#include "dock/launchpad/launchgrid.h"
#include "dock/model/dockfile.h"
#include "dock/toast/formsystemhint.h"
#include "testconfig.h"
#include "fakedockservices.h"
#include "fakeplatform.h"
#include "platform/paths.h"
#include "platform/wallpaper.h"
#include "testenv.h"

#include <QCheckBox>
#include <QCursor>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTimer>
#include <QMovie>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

const QString Pic = QStringLiteral(":/image/icon/Finder.png");

class FakeWallpaper : public platform::Wallpaper
{
public:
    FakeWallpaper() { platform::WallpaperService::install(this); }
    ~FakeWallpaper() override { platform::WallpaperService::install(nullptr); }
    void find(QObject *context, std::function<void(const QString &)> done) override
    {
        ++asked;
        const QString p = path;
        QTimer::singleShot(0, context, [done, p] { done(p); });
    }
    QString path;
    int asked = 0;
};

DockIconRecord rec(const QString &id, const QString &name = QString(), const QString &cl = "ICON")
{
    return { id, Pic, name.isEmpty() ? id : name, cl, "/usr/bin/" + id, Pic };
}

QList<DockIconRecord> many(int n)
{
    QList<DockIconRecord> rows;
    for (int i = 0; i < n; ++i)
        rows << rec(QStringLiteral("ico%1").arg(i, 4, 10, QLatin1Char('0')));
    return rows;
}

QStringList ids(const QList<DockIconRecord> &rows)
{
    QStringList out;
    for (const DockIconRecord &r : rows)
        out << r.IconID;
    return out;
}

QList<DockIconRecord> saved()
{
    return DockFile::read(FormLaunchStarter::filePath());
}

template <class T> T *child(QWidget &w, const char *name)
{
    T *c = w.findChild<T *>(QLatin1String(name));
    if (!c)
        qFatal("no child %s", name);
    return c;
}

bool reddish(const QImage &img) { const QRgb p = img.pixel(img.width() / 2, img.height() / 2); return qRed(p) > 245 && qBlue(p) < 10; }
bool bluish(const QImage &img) { const QRgb p = img.pixel(img.width() / 2, img.height() / 2); return qBlue(p) > 245 && qRed(p) < 10; }

} // namespace

class TestLaunchPad : public QObject
{
    Q_OBJECT
    FakeOpener opener;
    FakeFileIcons fileIcons;
    FakeDialogs dialogs;
    FakeWallpaper wallpaper;

    static void writePad(const QList<DockIconRecord> &rows) { QVERIFY(DockFile::write(FormLaunchStarter::filePath(), rows)); }
    static QString takeToast(FormLaunchStarter &pad)
    {
        const QString t = pad.toast()->isVisible() ? pad.toast()->text() : QString();
        pad.toast()->hide();
        return t;
    }
    // A pad on a 1920 × 1080 screen, shown, with its icons in place.
    static void open(FormLaunchStarter &pad, int w = 1920, int h = 1080)
    {
        pad.placeOnScreen(0, 0, w, h);
        pad.StartShow();
        QTest::qWait(450); // the opening flight, then the neighbouring pages
    }
    // The pointer on an icon, dx from its left, half-way down its picture.
    static QPoint on(FormLaunchStarter &pad, const QString &id, int dx)
    {
        FormLaunchCommonIcon *i = pad.iconWidget(id);
        return i->mapToGlobal(QPoint(dx, i->height() / 3));
    }
    static void moveTo(FormLaunchStarter &pad, const QString &id, const QPoint &p)
    {
        QCursor::setPos(p);
        pad.IconPressMove(id, QPoint());
    }

private slots:
    void init()
    {
        QFile::remove(FormLaunchStarter::filePath());
        QFile::remove(FormLaunchStarter::filePath() + ".bad");
        TestConfig::reset();
        opener.paths.clear();
        opener.urls.clear();
        wallpaper.path.clear();
    }

    // ---- grid arithmetic ----------------------------------------------------

    void gridArithmetic_data()
    {
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<int>("size");
        QTest::addColumn<QList<int>>("expect"); // gridWidth, gridHeight, gridX, gridY, columnGap, rowGap
        QTest::newRow("1920x1080, 160") << 1920 << 1080 << 160 << QList<int> { 1536, 864, 192, 108, 69, 10 };
        QTest::newRow("1366x768, 86") << 1366 << 768 << 86 << QList<int> { 1093, 615, 136, 76, 81, 30 };
        QTest::newRow("2560x1440, 200") << 2560 << 1440 << 200 << QList<int> { 2048, 1152, 256, 144, 108, 25 };
        // Too big for the grid: the gaps go negative and the icons overlap.
        QTest::newRow("1920x1080, 256") << 1920 << 1080 << 256 << QList<int> { 1536, 864, 192, 108, -42, -69 };
    }
    void gridArithmetic()
    {
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(int, size);
        QFETCH(QList<int>, expect);
        const LaunchGrid::Geometry g = LaunchGrid::layout(w, h, size);
        QCOMPARE((QList<int> { g.gridWidth, g.gridHeight, g.gridX, g.gridY, g.columnGap, g.rowGap }), expect);
        QCOMPARE(g.stride(), g.gridX + g.gridWidth);
        QCOMPARE(g.frameXForPage(1), g.gridX);
        QCOMPARE(g.frameXForPage(3), g.gridX - 2 * g.stride());

        const LaunchGrid::Cells c = LaunchGrid::walk(80, g);
        const int dx = size + g.columnGap, dy = size + g.rowGap;
        QCOMPARE(c.pos[0], QPoint(0, 0));
        QCOMPARE(c.pos[6], QPoint(6 * dx, 0));
        QCOMPARE(c.pos[7], QPoint(0, dy));           // second row of page 1
        QCOMPARE(c.pos[34], QPoint(6 * dx, 4 * dy)); // last cell of page 1
        QCOMPARE(c.pos[35], QPoint(g.stride(), 0));  // page 2 starts one stride on
        QCOMPARE(c.pos[42], QPoint(g.stride(), dy));
        QCOMPARE(c.pos[79], QPoint(2 * g.stride() + 2 * dx, dy)); // page 3, second row
        QCOMPARE(c.pageCount, 3);
        QCOMPARE(g.frameWidth(2), 2 * g.gridWidth + g.gridX);
    }

    void pageCounts()
    {
        const LaunchGrid::Geometry g = LaunchGrid::layout(1920, 1080, 160);
        // A full page opens the next, empty one.
        for (const QPoint &icons : { QPoint(0, 1), QPoint(34, 1), QPoint(35, 2), QPoint(70, 3) })
            QCOMPARE(LaunchGrid::walk(icons.x(), g).pageCount, icons.y());
    }

    // ---- the icon file --------------------------------------------------------

    void firstStartWritesThePresets()
    {
        FormLaunchStarter pad;
        QVERIFY(!QFile::exists(FormLaunchStarter::filePath())); // nothing before the first placement
        pad.placeOnScreen(0, 0, 1920, 1080);
        QCOMPARE(saved(), FormLaunchStarter::presetRows());
        QCOMPARE(ids(pad.rows()).first(), QString("ico000001"));
        QCOMPARE(pad.rows().size(), 12);
        QCOMPARE(pad.iconWidget("ico000010")->name(), QString("电源"));
        QCOMPARE(pad.iconWidget("ico000003")->pos(), QPoint(69 + 160, 0));
        QCOMPARE(pad.pages(), 1);

        // The same rectangle again: no relayout at all.
        pad.iconWidget("ico000003")->move(1, 1);
        pad.placeOnScreen(0, 0, 1920, 1080);
        QCOMPARE(pad.iconWidget("ico000003")->pos(), QPoint(1, 1));
    }

    void fileIsReadAndWrittenInOrder()
    {
        QList<DockIconRecord> rows = many(3);
        rows[1].Note = "an edited note"; // kept as it is
        writePad(rows);
        FormLaunchStarter pad;
        pad.placeOnScreen(0, 0, 1280, 800);
        QCOMPARE(pad.rows(), rows);
        pad.Modify("ico0002", ":/image/icon/Mail.png", "Mail", "ignored");
        rows[2].Icon = ":/image/icon/Mail.png";
        rows[2].Name = "Mail";
        QCOMPARE(saved(), rows);
        QCOMPARE(pad.iconWidget("ico0002")->name(), QString("Mail"));
        QCOMPARE(takeToast(pad), QString("图标修改成功！"));
        QVERIFY(pad.IconDelete("ico0000"));
        QCOMPARE(takeToast(pad), QString("删除成功！"));
        QCOMPARE(ids(saved()), (QStringList { "ico0001", "ico0002" }));
        QVERIFY(!pad.IconDelete("nothere"));
    }

    // A file cut off in the middle is kept aside, and the pad starts empty.
    void cutFileIsKeptAside()
    {
        const QByteArray whole = DockFile::toXml(many(3));
        TestEnv::writeFile(FormLaunchStarter::filePath(), whole.left(whole.size() / 2));
        FormLaunchStarter pad;
        pad.placeOnScreen(0, 0, 1920, 1080);
        QVERIFY(pad.rows().isEmpty());
        QCOMPARE(TestEnv::readFile(FormLaunchStarter::filePath() + ".bad"), whole.left(whole.size() / 2));
        QVERIFY(pad.AddIcon(Pic, "A", "ICON", "/usr/bin/a"));
        QCOMPARE(saved().size(), 1);
    }

    // ---- pages ------------------------------------------------------------------

    void pagesAndDots()
    {
        writePad(many(34));
        FormLaunchStarter pad;
        open(pad);
        auto *dots = child<QFrame>(pad, "pageMenuFrame");
        QCOMPARE(pad.pages(), 1);
        QVERIFY(dots->isHidden());
        QVERIFY(pad.AddIcon(Pic, "x", "ICON", "/usr/bin/x")); // the 35th: a second, empty page
        QCOMPARE(pad.pages(), 2);
        QVERIFY(dots->isVisible());
        QCOMPARE(dots->width(), 40);
        QVERIFY(pad.pageButton(1)->isActive());

        auto *frame = child<QFrame>(pad, "frameIcon");
        pad.turnPage(1);
        QCOMPARE(pad.page(), 2);
        QTRY_COMPARE(frame->x(), 192 - 1728);
        QVERIFY(pad.pageButton(2)->isActive() && !pad.pageButton(1)->isActive());
        pad.turnPage(1); // the last page: it stays
        QCOMPARE(pad.page(), 2);
        pad.turnPage(7); // not a direction
        QCOMPARE(pad.page(), 2);
        // The arrows turn pages from the search field while it is empty.
        QTest::keyClick(child<QLineEdit>(pad, "veskEdit"), Qt::Key_Left);
        QCOMPARE(pad.page(), 1);
        pad.pageButton(2)->findChild<QPushButton *>()->click();
        QCOMPARE(pad.page(), 2);
        QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&pad, &wheel);
        QCOMPARE(pad.page(), 1);
        QTRY_COMPARE(frame->x(), 192);

        // Removing icons takes the page shown away: the pad comes back into range.
        pad.turnPage(1);
        pad.IconDelete(pad.rows().last().IconID);
        QCOMPARE(pad.pages(), 1);
        QCOMPARE(pad.page(), 1);
        QVERIFY(dots->isHidden());

        pad.CloseShow();
        QTest::qWait(150);
        pad.turnPage(1); // closed: pages do not turn
        QCOMPARE(pad.page(), 1);
    }

    // ---- dragging -------------------------------------------------------------

    // Three icons: the third, dropped on the right part of the first, lands
    // between the first and the second; the file follows.
    void dragWithinAPage()
    {
        writePad(many(3));
        FormLaunchStarter pad;
        open(pad);
        const QPoint start = on(pad, "ico0002", 80);
        moveTo(pad, "ico0002", start);
        QVERIFY(pad.isDragging());
        QVERIFY(pad.iconWidget("ico0002")->isLifted());
        QVERIFY(pad.floatingCopy()->isVisible());
        QCOMPARE(pad.floatingCopy()->shownName(), QString()); // the picture only
        QCOMPARE(ids(pad.rows()), (QStringList { "ico0000", "ico0001" }));

        moveTo(pad, "ico0002", on(pad, "ico0000", 80)); // the middle: nothing moves
        QCOMPARE(pad.rows().size(), 2);
        moveTo(pad, "ico0002", on(pad, "ico0000", 150)); // the right part
        QCOMPARE(pad.rows().at(1).Class, QString("Placeholder"));
        QCOMPARE(pad.iconWidget("ico0001")->x(), 2 * (160 + 69)); // room made
        // The file never holds the hole, even when written mid-drag.
        pad.SaveFile();
        QCOMPARE(ids(saved()), (QStringList { "ico0000", "ico0001", "ico0002" }));

        pad.IconPressRelease("ico0002", QPoint());
        QVERIFY(!pad.isDragging());
        QVERIFY(pad.floatingCopy()->isHidden());
        QVERIFY(!pad.iconWidget("ico0002")->isLifted());
        QCOMPARE(ids(pad.rows()), (QStringList { "ico0000", "ico0002", "ico0001" }));
        QCOMPARE(ids(saved()), ids(pad.rows()));
        QCOMPARE(pad.iconWidget("ico0002")->x(), 160 + 69);

        // The left part of an icon puts the hole right before it.
        moveTo(pad, "ico0000", on(pad, "ico0000", 80));
        moveTo(pad, "ico0000", on(pad, "ico0001", 10));
        pad.IconPressRelease("ico0000", QPoint());
        QCOMPARE(ids(saved()), (QStringList { "ico0002", "ico0000", "ico0001" }));

        // Released without touching another icon: back in its place.
        moveTo(pad, "ico0001", on(pad, "ico0001", 80));
        moveTo(pad, "ico0001", QPoint(900, 1000));
        pad.IconPressRelease("ico0001", QPoint());
        QCOMPARE(ids(saved()), (QStringList { "ico0002", "ico0000", "ico0001" }));
    }

    void dragAcrossPages()
    {
        writePad(many(40));
        FormLaunchStarter pad;
        open(pad);
        moveTo(pad, "ico0000", on(pad, "ico0000", 80));
        QCursor::setPos(1915, 500); // the right edge turns one page
        pad.IconPressMove("ico0000", QPoint());
        QCOMPARE(pad.page(), 2);
        QCursor::setPos(1910, 500); // still in the edge: no further
        pad.IconPressMove("ico0000", QPoint());
        QCOMPARE(pad.page(), 2);
        QTRY_COMPARE(child<QFrame>(pad, "frameIcon")->x(), 192 - 1728);
        // Page 2 holds ico0035 … ico0039; after the right part of ico0037.
        moveTo(pad, "ico0000", on(pad, "ico0037", 150));
        pad.IconPressRelease("ico0000", QPoint());
        const QStringList order = ids(saved());
        QCOMPARE(order.size(), 40);
        QCOMPARE(order.indexOf("ico0000"), 37);
        QCOMPARE(order.at(36), QString("ico0037"));
        QCOMPARE(order.first(), QString("ico0001"));

        // Back at the left edge, after coming into the screen: one page back.
        moveTo(pad, "ico0001", on(pad, "ico0001", 80));
        QCursor::setPos(5, 500);
        pad.IconPressMove("ico0001", QPoint());
        QCOMPARE(pad.page(), 1);
        QCursor::setPos(0, 500); // the very first column turns nothing
        pad.IconPressMove("ico0001", QPoint());
        QCOMPARE(pad.page(), 1);
        pad.IconPressRelease("ico0001", QPoint());
    }

    // Closing the pad mid-drag puts the icon back; nothing moved in the file.
    void dragCancelledByClosing()
    {
        writePad(many(5));
        FormLaunchStarter pad;
        open(pad);
        const QByteArray before = TestEnv::readFile(FormLaunchStarter::filePath());
        moveTo(pad, "ico0001", on(pad, "ico0001", 80));
        moveTo(pad, "ico0001", on(pad, "ico0003", 150));
        QVERIFY(pad.rows().size() == 5); // four icons and the hole
        pad.toggleShow();
        QVERIFY(!pad.isDragging());
        QCOMPARE(ids(pad.rows()), ids(many(5)));
        QVERIFY(!pad.iconWidget("ico0001")->isLifted());
        QVERIFY(pad.floatingCopy()->isHidden());
        pad.IconPressRelease("ico0001", QPoint()); // the late release changes nothing
        QCOMPARE(ids(pad.rows()), ids(many(5)));
        QCOMPARE(TestEnv::readFile(FormLaunchStarter::filePath()), before);

        // A release that never came (the grab was taken away): the next
        // drag, of another icon, first puts the stale one back.
        pad.toggleShow();
        QTest::qWait(450);
        moveTo(pad, "ico0001", on(pad, "ico0001", 80));
        moveTo(pad, "ico0001", on(pad, "ico0003", 150));
        moveTo(pad, "ico0004", on(pad, "ico0004", 80));
        QVERIFY(!pad.iconWidget("ico0001")->isLifted());
        QVERIFY(pad.iconWidget("ico0004")->isLifted());
        moveTo(pad, "ico0004", on(pad, "ico0000", 10));
        pad.IconPressRelease("ico0004", QPoint());
        QCOMPARE(ids(saved()), (QStringList { "ico0004", "ico0000", "ico0001", "ico0002", "ico0003" }));
    }

    // ---- edit mode ---------------------------------------------------------------

    void editMode()
    {
        writePad(many(3));
        FormLaunchStarter pad;
        open(pad);
        auto *close = child<QPushButton>(pad, "closeButton");
        child<QPushButton>(pad, "editSysButton")->click();
        QVERIFY(pad.isEditMode());
        QVERIFY(pad.iconWidget("ico0001")->isDeleteShown());
        close->click(); // only leaves edit mode
        QVERIFY(!pad.isEditMode());
        QVERIFY(pad.isShown());
        QVERIFY(!pad.iconWidget("ico0001")->isDeleteShown());

        // A long press on a picture turns edit mode on for all icons.
        FormLaunchCommonIcon *icon = pad.iconWidget("ico0002");
        QTest::mousePress(icon, Qt::LeftButton, {}, QPoint(80, 50));
        QTRY_VERIFY_WITH_TIMEOUT(pad.isEditMode(), 2500);
        QVERIFY(pad.iconWidget("ico0000")->isDeleteShown());
        QSignalSpy opened(icon, &FormLaunchCommonIcon::IconOpen);
        QTest::mouseRelease(icon, Qt::LeftButton, {}, QPoint(80, 50));
        QCOMPARE(opened.count(), 0);
        icon->findChild<QPushButton *>("deleteButton")->click();
        QCOMPARE(ids(saved()), (QStringList { "ico0000", "ico0001" }));
        QVERIFY(!pad.iconWidget("ico0002"));
        // An icon added now leaves edit mode.
        pad.AddIcon(Pic, "n", "ICON", "/usr/bin/n");
        QVERIFY(!pad.isEditMode());
    }

    // ---- search -------------------------------------------------------------------

    void search()
    {
        QList<DockIconRecord> rows = many(40);
        rows[3].Name = "Notepad";
        rows[38].Name = "Piano";
        rows[39].Name = "NOTES";
        writePad(rows);
        FormLaunchStarter pad;
        open(pad);
        pad.turnPage(1);
        auto *edit = child<QLineEdit>(pad, "veskEdit");
        auto *clear = child<QPushButton>(pad, "ClearButton");
        auto *frame = child<QFrame>(pad, "frameIcon");
        QTest::keyClicks(edit, "no");
        QVERIFY(clear->isVisible());
        // The results stand on page 1, though the search began on page 2.
        QCOMPARE(pad.page(), 1);
        QCOMPARE(frame->x(), 192);
        QCOMPARE(pad.pages(), 1);
        QCOMPARE(pad.iconWidget("ico0003")->pos(), QPoint(0, 0));
        QCOMPARE(pad.iconWidget("ico0038")->pos(), QPoint(229, 0));
        QCOMPARE(pad.iconWidget("ico0039")->pos(), QPoint(458, 0));
        QVERIFY(pad.iconWidget("ico0000")->isHidden());
        QVERIFY(pad.iconWidget("ico0038")->isVisible());

        edit->setText("ico00"); // 37 matches: a second page, the 8th in row 2
        QCOMPARE(pad.pages(), 2);
        QCOMPARE(pad.iconWidget("ico0008")->pos(), QPoint(0, 170));
        edit->setText("nothing like it");
        QCOMPARE(pad.pages(), 1);
        QVERIFY(pad.iconWidget("ico0003")->isHidden());

        // Dragging a search result would reorder rows the user cannot see.
        moveTo(pad, "ico0003", on(pad, "ico0003", 80));
        QVERIFY(!pad.isDragging());

        clear->click();
        QVERIFY(clear->isHidden());
        QCOMPARE(pad.pages(), 2);
        QVERIFY(pad.iconWidget("ico0000")->isVisible());
        QCOMPARE(pad.iconWidget("ico0039")->pos(), QPoint(1728 + 4 * 229, 0));
        // Return only searches again; it opens nothing.
        edit->setText("Piano");
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(opener.paths.isEmpty());
        // Closing empties the search and shows everything again.
        pad.CloseShow();
        QVERIFY(edit->text().isEmpty());
        QVERIFY(pad.iconWidget("ico0000")->isVisible());
    }

    // ---- adding ----------------------------------------------------------------

    void addingAndRefusing_data()
    {
        QTest::addColumn<QString>("cl");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("toast");
        QTest::addColumn<bool>("added");
        for (const char *cl : { "UPGRADE", "MENU", "DISK", "STARTMENU", "TIME1", "TIME2", "LAUNCHPAD" })
            QTest::newRow(cl) << cl << "0" << "此应用不能添加！" << false;
        QTest::newRow("web site") << "URL" << "https://example.org" << "添加成功！" << true;
        QTest::newRow("folder") << "FOLDER" << "/tmp" << "添加成功！" << true;
        QTest::newRow("tool") << "WEATHER" << "0" << "添加成功！" << true;
        QTest::newRow("no path") << "ICON" << "" << "不能添加！" << false;
    }
    void addingAndRefusing()
    {
        QFETCH(QString, cl);
        QFETCH(QString, path);
        QFETCH(QString, toast);
        QFETCH(bool, added);
        writePad(many(2));
        FormLaunchStarter pad;
        pad.placeOnScreen(0, 0, 1920, 1080);
        QCOMPARE(pad.addIconFromDock(Pic, "x", cl, path, "0"), added);
        QCOMPARE(takeToast(pad), toast);
        QCOMPARE(saved().size(), added ? 3 : 2);
        QCOMPARE(pad.rows().size(), added ? 3 : 2);
        if (added) {
            const DockIconRecord r = pad.rows().last();
            QCOMPARE(r.Class, cl);
            QCOMPARE(r.Note, r.Icon);
            QVERIFY(!pad.iconWidget(r.IconID)->isHidden());
        }
        // The side panel and the web-site dialog go through the same door.
        QCOMPARE(pad.AddIcon2(Pic, "y", cl, path, "whatever"), added);
    }

    void aDropBeforeThePadWasPlacedIsKept()
    {
        FormLaunchStarter pad;
        QVERIFY(pad.addIconFromDock(Pic, "x", "ICON", "/usr/bin/x", "0"));
        QCOMPARE(saved().size(), 13); // the presets and the new one
    }

    // An icon the pad cannot keep on disk is not taken at all.
    void unwritableFileRefusesTheAdd()
    {
        FormLaunchStarter pad;
        pad.placeOnScreen(0, 0, 1920, 1080);
        QFile::remove(FormLaunchStarter::filePath());
        QDir().mkpath(FormLaunchStarter::filePath()); // a folder in the file's place
        QVERIFY(!pad.addIconFromDock(Pic, "x", "ICON", "/usr/bin/x", "0"));
        QCOMPARE(takeToast(pad), QString("不能添加！"));
        QCOMPARE(pad.rows().size(), 12);
        QDir(FormLaunchStarter::filePath()).removeRecursively();
    }

    // Two adds in the same millisecond get two IDs.
    void clashingIdsGetFreeOnes()
    {
        FakeClock clock;
        FormLaunchStarter pad;
        pad.placeOnScreen(0, 0, 1920, 1080);
        pad.AddIcon(Pic, "a", "ICON", "/usr/bin/a");
        pad.AddIcon(Pic, "b", "ICON", "/usr/bin/b");
        const QList<DockIconRecord> rows = pad.rows();
        QCOMPARE(rows.size(), 14);
        QVERIFY(rows[12].IconID != rows[13].IconID);
        QCOMPARE(rows[12].IconID, IconIds::newId(clock.time));
        QCOMPARE(saved(), rows);
    }

    void addingPrograms()
    {
        QTemporaryDir dir;
        const QString prog = TestEnv::writeFile(dir.path() + "/my%20dir/Setup.beta.exe", "x", true);
        const QString folder = dir.path() + "/Stuff";
        QDir().mkpath(folder);
        FormLaunchStarter pad;
        pad.placeOnScreen(0, 0, 1920, 1080);
        dialogs.files = QStringList { prog };
        child<QPushButton>(pad, "addButton")->click();
        DockIconRecord r = pad.rows().last();
        // The file name up to its first dot; the path exactly as chosen.
        QCOMPARE(r.Name, QString("Setup"));
        QCOMPARE(r.Path, prog);
        QCOMPARE(r.Icon, platform::appConfigFolder() + "/icon/Setup.png");
        QVERIFY(QFile::exists(r.Icon));
        QVERIFY(pad.closesOnDeactivate());

        dialogs.files.clear(); // cancelled: the pad stays open when it loses the focus
        pad.AddIco();
        QVERIFY(!pad.closesOnDeactivate());
        pad.IconSettingsClose();

        dialogs.folder = folder;
        child<QPushButton>(pad, "addFolderButton")->click();
        r = pad.rows().last();
        QCOMPARE(r.Name, QString("Stuff"));
        QCOMPARE(r.Class, QString("FOLDER"));
        QCOMPARE(r.Icon, QString(":/image/icon/Folder.png"));

        // A file whose picture cannot be taken gets the unknown picture.
        fileIcons.giveIcons = false;
        dialogs.files = QStringList { prog };
        pad.AddIco();
        fileIcons.giveIcons = true;
        QCOMPARE(pad.rows().last().Icon, QString(":/image/icon/Icon-what.png"));
    }

    // ---- opening ------------------------------------------------------------------

    void openingByClass_data()
    {
        QTest::addColumn<QString>("cl");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("tool");   // what the dock is asked to open
        QTest::addColumn<QString>("opened"); // what the opener gets
        QTest::newRow("search") << "SEARCH" << "0" << "SEARCH" << "";
        QTest::newRow("weather") << "WEATHER" << "0" << "WEATHER" << "";
        QTest::newRow("calculator") << "CALCULATOR" << "0" << "CALCULATOR" << "";
        QTest::newRow("menu") << "MENU" << "0" << "" << "";
        QTest::newRow("computer") << "COMPUTER" << "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}" << ""
                                  << "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
        QTest::newRow("program") << "ICON" << "/usr/bin/x" << "" << "/usr/bin/x";
        QTest::newRow("web") << "URL" << "example.org/a b" << "" << "url";
    }
    void openingByClass()
    {
        QFETCH(QString, cl);
        QFETCH(QString, path);
        QFETCH(QString, tool);
        QFETCH(QString, opened);
        writePad({ { "icoX", Pic, "x", cl, path, Pic } });
        FormLaunchStarter pad;
        open(pad);
        QSignalSpy tools(&pad, &FormLaunchStarter::IconOpens);
        pad.IconOpen("icoX");
        QVERIFY(!pad.isShown()); // it always starts closing
        QCOMPARE(tools.count(), tool.isEmpty() ? 0 : 1);
        if (!tool.isEmpty())
            QCOMPARE(tools.first().first().toString(), tool);
        if (opened == "url")
            QCOMPARE(opener.urls, QList<QUrl> { QUrl("example.org/a b", QUrl::TolerantMode) });
        else
            QCOMPARE(opener.paths, opened.isEmpty() ? QStringList() : QStringList { opened });
    }

    // The colour picker must not see the pad: it is gone before the dock hears.
    void colourPickerHidesThePadFirst()
    {
        writePad({ { "icoP", Pic, "p", "COLORPICKER", "0", Pic } });
        FormLaunchStarter pad;
        open(pad);
        QStringList order;
        connect(&pad, &FormLaunchStarter::LaunchPadClose, this, [&] { order << "close"; });
        connect(&pad, &FormLaunchStarter::IconOpens, this, [&](QString cl) {
            order << cl + (pad.isVisible() ? " shown" : " hidden");
        });
        pad.IconOpen("icoP");
        QCOMPARE(order, (QStringList { "close", "COLORPICKER hidden" }));
    }

    void showAndClose()
    {
        FormLaunchStarter pad;
        pad.placeOnScreen(0, 0, 1920, 1080);
        QSignalSpy closed(&pad, &FormLaunchStarter::LaunchPadClose);
        pad.toggleShow();
        QVERIFY(pad.isShown());
        QVERIFY(pad.isVisible());
        pad.toggleShow();
        QVERIFY(!pad.isShown());
        QTRY_VERIFY(!pad.isVisible()); // after the fade
        QCOMPARE(closed.count(), 1);
        pad.CloseShow(); // already closed
        QCOMPARE(closed.count(), 1);

        // Esc closes it, in edit mode too.
        pad.toggleShow();
        pad.IcondeleteShow();
        QTest::keyClick(&pad, Qt::Key_Escape);
        QVERIFY(!pad.isShown());
        QVERIFY(!pad.isEditMode());
        QTRY_COMPARE(closed.count(), 2);

        // A show during the fade-out of a close stays shown.
        pad.toggleShow();
        pad.toggleShow();
        pad.toggleShow();
        QTest::qWait(200);
        QVERIFY(pad.isShown());
        QVERIFY(pad.isVisible());
    }

    // ---- look settings --------------------------------------------------------------

    void brightnessSheets_data()
    {
        QTest::addColumn<int>("p");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("colour");
        QTest::newRow("black") << 0 << "-100%" << "rgba(0,0,0,100%)";
        QTest::newRow("none") << 100 << "0%" << "rgba(0,0,0,0)";
        QTest::newRow("white") << 200 << "100%" << "rgba(255,255,255,100%)";
        QTest::newRow("a little") << 135 << "35%" << "rgba(255,255,255,35%)";
    }
    void brightnessSheets()
    {
        QFETCH(int, p);
        QFETCH(QString, label);
        QFETCH(QString, colour);
        QCOMPARE(LaunchStyle::brightnessText(p), label);
        QCOMPARE(LaunchStyle::brightnessSheet(p),
                 "QPushButton{border-image: url();background-image: url();background-color: " + colour
                     + ";border-radius:0px;border:0px;border-style:solid;border-color: #535B6F;}");
    }

    // Stored values outside the sliders' ranges are brought inside them.
    void storedValuesAreClamped()
    {
        TestConfig::writeIni("[LaunchPad]\nIconSize=999\nBlurry=abc\nluminance=-5\nBackground=true\n"
                 "BackgroundImage=/x/own.jpg\nNameColor=not a colour\n");
        FormLaunchStarter pad;
        pad.placeOnScreen(0, 0, 1920, 1080);
        QCOMPARE(pad.look().iconSize, 256);
        QCOMPARE(pad.look().blurRadius, 0);
        QCOMPARE(pad.look().brightness, 0);
        QCOMPARE(pad.look().nameColor, QString("#FFFFFF"));
        QCOMPARE(child<QSlider>(pad, "horizontalSliderSize")->value(), 256);
        QCOMPARE(pad.grid().columnGap, -42);
        QCOMPARE(pad.iconWidget("ico000001")->size(), QSize(256, 256));
        QVERIFY(pad.look().useBackgroundImage);
        QCOMPARE(child<QLabel>(pad, "labelImg")->text(), QString("own.jpg"));
        QVERIFY(child<QPushButton>(pad, "imgButtonS")->isEnabled());
    }

    void lookIsSavedOnClose()
    {
        FormLaunchStarter pad;
        open(pad);
        child<QPushButton>(pad, "black")->click();
        QCOMPARE(pad.iconWidget("ico000001")->nameColor(), QString("#000000"));
        QVERIFY(child<QPushButton>(pad, "black")->styleSheet().startsWith(
            "QPushButton{border-image: url(:/image/menu/black1.png)"));
        QVERIFY(child<QPushButton>(pad, "white")->styleSheet().startsWith(
            "QPushButton{border-image: url(:/image/menu/white.png)"));
        child<QSlider>(pad, "horizontalSliderSize")->setValue(100);
        QCOMPARE(child<QLabel>(pad, "labelSize")->text(), QString("100px"));
        QCOMPARE(pad.iconWidget("ico000001")->size(), QSize(100, 100));
        QCOMPARE(pad.iconWidget("ico000003")->x(), 100 + (1536 - 700) / 6);
        QVERIFY(!TestConfig::stored("LaunchPad/IconSize").isValid()); // nothing written before a close
        pad.CloseShow();
        QCOMPARE(TestConfig::stored("LaunchPad/NameColor").toString(), QString("#000000"));
        QCOMPARE(TestConfig::stored("LaunchPad/IconSize").toString(), QString("100"));
        QCOMPARE(TestConfig::stored("LaunchPad/luminance").toString(), QString("90"));
        QCOMPARE(TestConfig::stored("LaunchPad/Background").toString(), QString("false"));

        FormLaunchStarter again; // names black, no button marked
        again.placeOnScreen(0, 0, 1920, 1080);
        QCOMPARE(again.iconWidget("ico000001")->nameColor(), QString("#000000"));
        QVERIFY(child<QPushButton>(again, "black")->styleSheet().startsWith(
            "QPushButton{border-image: url(:/image/menu/black.png)"));
    }

    // The wallpaper, or the own picture, blurred once into the background.
    void background()
    {
        QTemporaryDir dir;
        QImage red(64, 32, QImage::Format_RGB32);
        red.fill(Qt::red);
        wallpaper.path = dir.path() + "/wall.png";
        QVERIFY(red.save(wallpaper.path));
        QImage blue(32, 32, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        const QString own = dir.path() + "/own.png";
        QVERIFY(blue.save(own));

        FormLaunchStarter pad;
        pad.placeOnScreen(0, 0, 400, 300);
        QTRY_VERIFY(!pad.background().isNull());
        QCOMPARE(pad.background().size(), QSize(500, 400));
        QVERIFY(reddish(pad.background()));

        child<QCheckBox>(pad, "imgButton")->click(); // on, but no picture chosen: the wallpaper stays
        QTest::qWait(20);
        QVERIFY(reddish(pad.background()));
        dialogs.files = QStringList { own };
        child<QPushButton>(pad, "imgButtonS")->click();
        QVERIFY(bluish(pad.background()));
        child<QCheckBox>(pad, "imgButton")->click(); // off: the wallpaper again
        QTRY_VERIFY(reddish(pad.background()));

        // No wallpaper anywhere: a plain background.
        wallpaper.path.clear();
        pad.showBackground();
        QTRY_VERIFY(pad.background().isNull());
    }

    void coverAndBlur()
    {
        QImage wide(200, 100, QImage::Format_RGB32);
        wide.fill(Qt::white);
        for (int y = 0; y < 100; ++y)
            wide.setPixel(120, y, qRgb(0, 0, 0));
        const QImage c = LaunchBackground::cover(wide, QSize(100, 100));
        QCOMPARE(c.size(), QSize(100, 100));
        QCOMPARE(QColor(c.pixel(70, 50)), QColor(Qt::black)); // the middle half kept
        const QImage b = LaunchBackground::blurred(c, 10);
        QCOMPARE(b.size(), c.size());
        QVERIFY(qRed(b.pixel(67, 50)) > 0 && qRed(b.pixel(67, 50)) < 255); // spread
        QCOMPARE(LaunchBackground::blurred(c, 0), c);
        QVERIFY(LaunchBackground::cover(QImage(), QSize(10, 10)).isNull());
    }

    void wallpaperSettingsAreParsed()
    {
        using W = platform::DesktopWallpaper;
        QCOMPARE(W::fromGSettings("'file:///home/a/my%20wall.jpg'\n"), QString("/home/a/my wall.jpg"));
        QCOMPARE(W::fromGSettings("''"), QString());
        QCOMPARE(W::fromGSettings("'https://example.org/x.jpg'"), QString());
        QCOMPARE(W::fromKdeConfig("[Containments][1][General]\nImage=file:///wrong.png\n"
                                  "[Containments][1][Wallpaper][org.kde.image][General]\nImage=file:///home/a/k.png\n"),
                 QString("/home/a/k.png"));
        QCOMPARE(W::fromKdeConfig("nothing"), QString());
        QCOMPARE(W::xfconfProperty("/backdrop/screen0/monitorVGA-1/workspace1/last-image\n"
                                   "/backdrop/screen0/monitorVGA-1/workspace0/last-image\n"
                                   "/backdrop/screen0/monitorVGA-1/workspace0/image-style\n"),
                 QString("/backdrop/screen0/monitorVGA-1/workspace0/last-image"));
        QCOMPARE(W::xfconfProperty(""), QString());
        QCOMPARE(W::order("XFCE").first(), QString("xfce"));
        QCOMPARE(W::order("X-Cinnamon").first(), QString("cinnamon"));
        QCOMPARE(W::order("KDE").first(), QString("kde"));
        QCOMPARE(W::order("").size(), 4);
    }

    // ---- the icon widget -----------------------------------------------------------

    void iconWidget()
    {
        FormLaunchCommonIcon icon;
        icon.resize(200, 200);
        icon.show();
        icon.setData("id", Pic, "ICON", "A rather long name that cannot fit in the label at all");
        auto *picture = icon.findChild<QLabel *>("Icon");
        auto *name = icon.findChild<QLabel *>("Name");
        QCOMPARE(picture->geometry(), QRect(37, 18, 125, 125));
        QCOMPARE(name->geometry(), QRect(0, 143, 200, 35));
        QVERIFY(icon.shownName().endsWith(QChar(0x2026)));

        QSignalSpy opened(&icon, &FormLaunchCommonIcon::IconOpen);
        QSignalSpy moved(&icon, &FormLaunchCommonIcon::IconPressMove);
        QTest::mouseClick(&icon, Qt::LeftButton, {}, QPoint(100, 170)); // the name: nothing
        QCOMPARE(opened.count(), 0);
        QTest::mouseClick(&icon, Qt::LeftButton, {}, QPoint(100, 80));
        QCOMPARE(opened.count(), 1);
        icon.setDoubleClick(true);
        QTest::mouseClick(&icon, Qt::LeftButton, {}, QPoint(100, 80));
        QCOMPARE(opened.count(), 1);
        QTest::mouseDClick(&icon, Qt::LeftButton, {}, QPoint(100, 80));
        QCOMPARE(opened.count(), 2);
        icon.setDoubleClick(false);
        // A press on the picture and a move of a pixel is a drag, not a click.
        QSignalSpy released(&icon, &FormLaunchCommonIcon::IconPressRelease);
        QTest::mousePress(&icon, Qt::LeftButton, {}, QPoint(100, 80));
        QMouseEvent move(QEvent::MouseMove, QPointF(101, 80), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&icon, &move);
        QTest::mouseRelease(&icon, Qt::LeftButton, {}, QPoint(101, 80));
        QCOMPARE(moved.count(), 1);
        QCOMPARE(released.count(), 1);
        QCOMPARE(opened.count(), 2);

        // A web address without a picture of its own shows its initial.
        icon.setData("u", ":/image/icon/url.png", "URL", "example");
        QCOMPARE(picture->text(), QString("e"));
        icon.setData("g", ":/image/icon/rocket.gif", "ICON", "g");
        QVERIFY(icon.isGif());
        // A stored moving picture that is a pipe shows nothing, at once.
        QTemporaryDir d;
        const QString pipe = d.filePath("pipe.gif");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        icon.setData("p", pipe, "ICON", "p");
        QVERIFY(picture->movie() && picture->movie()->currentImage().isNull());
    }
};

ZV_TEST_MAIN(TestLaunchPad)
#include "tst_launchpad.moc"
