// The icon menu: its file, its geometry per dock edge, opening and editing
// its icons, and dragging them within, out of and off it, with the file
// afterwards.
#include "dock/editing/formiconsettings.h"
#include "dock/icons/formcommonicon.h"
#include "dock/icons/formselectdisk.h"
#include "dock/menus/formmenu.h"
#include "dock/icons/formname.h"
#include "dock/menus/formmenuicon.h"
#include "dock/model/dockfile.h"
#include "dock/toast/formsystemhint.h"
#include "fakedockservices.h"
#include "fakeplatform.h"
#include "fulldisk.h"
#include "platform/paths.h"
#include "testenv.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QLabel>
#include <QtTest>

namespace {

const QString Pic = QStringLiteral(":/image/icon/Finder.png");

DockIconRecord rec(const QString &id, const QString &cl = "ICON", const QString &path = "/usr/bin/x")
{
    return { id, Pic, id + "-name", cl, path, ":/image/icon/library.png" };
}

QStringList ids(const QList<DockIconRecord> &rows)
{
    QStringList out;
    for (const DockIconRecord &r : rows)
        out << r.IconID;
    return out;
}

QList<DockIconRecord> fileRows(const QString &menuId)
{
    return DockFile::read(FormMenu::menuFilePath(menuId));
}

void writeMenu(const QString &menuId, const QList<DockIconRecord> &rows)
{
    QDir().mkpath(platform::appConfigFolder());
    QVERIFY(DockFile::write(FormMenu::menuFilePath(menuId), rows));
}

QString takeToast(FormMenu &m)
{
    const QString t = m.toast()->isVisible() ? m.toast()->text() : QString();
    m.toast()->hide();
    return t;
}

} // namespace

class TestMenus : public QObject
{
    Q_OBJECT

    std::unique_ptr<FakeOpener> opener;
    std::unique_ptr<FakeClock> clock;
    std::unique_ptr<QWidget> dock;

    // A menu of the given rows on a dock at the edge, placed at (300, 200)
    // of a shown dock window, its icons 50 pixels.
    FormMenu *menuOf(const QList<DockIconRecord> &rows, int edge = 2, const QString &id = "ico1000")
    {
        writeMenu(id, rows);
        auto *m = new FormMenu(dock.get());
        m->setDockEdge(edge);
        m->setMenu(id, 0, 0);
        m->layoutIcons(50, 50);
        m->move(300, 200);
        m->show();
        return m;
    }
    static QPoint centre(FormMenuIcon *i, double fx = 0.5, double fy = 0.5)
    {
        return i->mapToGlobal(QPoint(int(i->width() * fx), int(i->height() * fy)));
    }
    static void moveTo(FormMenu *m, const QString &id, const QPoint &p)
    {
        QCursor::setPos(p);
        m->IconPressMove(id, QPoint());
    }
    static void releaseAt(FormMenu *m, const QString &id, const QPoint &p)
    {
        QCursor::setPos(p);
        m->IconPressRelease(id, QPoint());
    }

private slots:
    void init()
    {
        QDir(platform::appConfigFolder()).removeRecursively();
        QDir().mkpath(platform::appConfigFolder());
        opener.reset(new FakeOpener);
        clock.reset(new FakeClock);
        dock.reset(new QWidget);
        dock->setGeometry(0, 0, 1280, 800);
        dock->show();
    }
    void cleanup()
    {
        dock.reset();
        clock.reset();
        opener.reset();
    }

    // ---- the file ------------------------------------------------------

    void newMenuStartsWithItsBackRowAndRoundTrips()
    {
        FormMenu m(dock.get());
        m.setMenu("ico12345", 40, 700);
        QCOMPARE(fileRows("ico12345"), QList<DockIconRecord>{ FormMenu::backRow() });
        QVERIFY(m.iconWidget("ico000000"));

        QVERIFY(m.AddIcon(Pic, "Editor", "ICON", "/usr/bin/editor"));
        QVERIFY(m.AddIcon(":/image/icon/url.png", "Site", "URL", "https://example.org/a?b=c&d"));
        FormMenu again(dock.get());
        again.setMenu("ico12345", 0, 0);
        QCOMPARE(again.rows(), m.rows());
        QCOMPARE(again.rows().size(), 3);
        const DockIconRecord added = again.rows().at(1);
        QCOMPARE(added.Note, added.Icon); // a new row keeps its first picture
        QVERIFY(added.IconID.startsWith("ico"));
    }

    void badFilesAndIds_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<bool>("keptAside");
        QTest::newRow("not XML") << QByteArray("<Zorvane><List") << QStringList{ "ico000000" } << true;
        QTest::newRow("empty file") << QByteArray() << QStringList{ "ico000000" } << true;
        QTest::newRow("no BACK row")
            << DockFile::toXml({ rec("icoA") }) << QStringList{ "ico000000", "icoA" } << false;
        QTest::newRow("BACK not first")
            << DockFile::toXml({ rec("icoA"), FormMenu::backRow() }) << QStringList{ "ico000000", "icoA" } << false;
        QTest::newRow("ids out of sequence")
            << QByteArray("<Zorvane><List id=\"0\"><IconID>ico000000</IconID><Class>BACK</Class></List>"
                          "<List id=\"-1\"><IconID>icoA</IconID></List><List id=\"2\"><IconID>icoB</IconID></List>"
                          "</Zorvane>")
            << QStringList{ "ico000000", "icoA", "icoB" } << true;
        QTest::newRow("other root")
            << QByteArray("<Other><List id=\"0\"><IconID>ico000000</IconID><Class>BACK</Class></List>"
                          "<List id=\"1\"><IconID>icoA</IconID><Path>/a</Path></List></Other>")
            << QStringList{ "ico000000", "icoA" } << false;
    }
    void badFilesAndIds()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, rows);
        QFETCH(bool, keptAside);
        const QString file = FormMenu::menuFilePath("ico1001");
        TestEnv::writeFile(file, content);
        FormMenu m(dock.get());
        m.setMenu("ico1001", 0, 0);
        QCOMPARE(ids(m.rows()), rows);
        QCOMPARE(QFile::exists(file + ".bad"), keptAside);
        if (keptAside)
            QCOMPARE(QFile(file + ".bad").size(), qint64(content.size()));
        QCOMPARE(ids(fileRows("ico1001")), rows); // what it shows is what it keeps
    }

    // A menu holds no more icons than it builds at once; what a file holds
    // past that stays in the copy kept aside, and a full menu takes no more.
    void aMenuHoldsAtMostItsLimit()
    {
        QList<DockIconRecord> rows { FormMenu::backRow() };
        for (int i = 0; i < FormMenu::MaxIcons + 20; ++i)
            rows << rec(QString("ico9%1").arg(i, 4, 10, QLatin1Char('0')));
        writeMenu("ico1002", rows);
        const QByteArray stored = TestEnv::readFile(FormMenu::menuFilePath("ico1002"));
        FormMenu m(dock.get());
        m.setMenu("ico1002", 0, 0);
        QCOMPARE(m.rows().size(), FormMenu::MaxIcons + 1);
        QCOMPARE(m.rows().last().IconID, QString("ico9%1").arg(FormMenu::MaxIcons - 1, 4, 10, QLatin1Char('0')));
        QCOMPARE(m.findChildren<FormMenuIcon *>().size(), FormMenu::MaxIcons + 1);
        QCOMPARE(TestEnv::readFile(FormMenu::menuFilePath("ico1002") + ".bad"), stored);
        QCOMPARE(fileRows("ico1002").size(), FormMenu::MaxIcons + 1);
        QVERIFY(!m.AddIcon(Pic, "one more", "ICON", "/usr/bin/y"));
        QCOMPARE(takeToast(m), QString("菜单已满！"));
        QCOMPARE(fileRows("ico1002").size(), FormMenu::MaxIcons + 1);
    }

    // With no room for the copy, the menu shows what it holds and the file
    // stays as it is: a cut save would lose the icons past the limit.
    void aMenuFileThatCannotBeKeptIsNotCut()
    {
        QList<DockIconRecord> rows { FormMenu::backRow() };
        for (int i = 0; i < FormMenu::MaxIcons + 20; ++i)
            rows << rec(QString("ico9%1").arg(i, 4, 10, QLatin1Char('0')));
        writeMenu("ico1003", rows);
        const QString file = FormMenu::menuFilePath("ico1003");
        const QByteArray stored = TestEnv::readFile(file);
        FormMenu m(dock.get());
        {
            FullDisk full(4096);
            m.setMenu("ico1003", 0, 0);
        }
        QCOMPARE(m.rows().size(), FormMenu::MaxIcons + 1);
        QVERIFY(!QFile::exists(file + ".bad"));
        QCOMPARE(TestEnv::readFile(file), stored);
        m.DeleteIcon(rows.at(1).IconID); // room again: still not the file to save over
        QCOMPARE(TestEnv::readFile(file), stored);
    }

    void idsThatAreNotPlainNameNoFile()
    {
        for (const char *id : { "", "../ico1", "a/b", "ico 1", "ico.1", "ico1é" })
            QVERIFY2(FormMenu::menuFilePath(id).isEmpty(), id);
        QCOMPARE(FormMenu::menuFilePath("ico0512512"), platform::configPath("ico0512512.xml"));
        FormMenu m(dock.get());
        m.setMenu("../evil", 0, 0);
        QVERIFY(!m.AddIcon(Pic, "x", "ICON", "/usr/bin/x")); // it could keep nothing
        QCOMPARE(ids(m.rows()), QStringList{ "ico000000" });
        QVERIFY(!QFile::exists(platform::appConfigFolder() + "/../evil.xml"));
    }

    // ---- adding, editing, deleting ---------------------------------------

    void addIcon_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("stored");
        QTest::newRow("program") << Pic << "/usr/bin/x" << true;
        QTest::newRow("picture missing") << "/no/such.png" << "/usr/bin/x" << false;
        QTest::newRow("empty path") << Pic << "" << false;
    }
    void addIcon()
    {
        QFETCH(QString, picture);
        QFETCH(QString, path);
        QFETCH(bool, stored);
        FormMenu *m = menuOf({ FormMenu::backRow() });
        m->showAnimated();
        QSignalSpy moved(m, &FormMenu::menuIcoMove);
        QCOMPARE(m->AddIcon(picture, "x", "ICON", path), stored);
        QCOMPARE(takeToast(*m), stored ? QString("图标添加成功！") : QString());
        QCOMPARE(fileRows("ico1000").size(), stored ? 2 : 1);
        QCOMPARE(moved.count(), stored ? 1 : 0);
        QVERIFY(!m->isShown()); // the menu closes whatever the outcome
    }

    // The clock gives the same ID twice: the second add takes the next free one.
    void clashingIdsAndFailedWrites()
    {
        FormMenu *m = menuOf({ FormMenu::backRow() });
        QVERIFY(m->AddIcon(Pic, "a", "ICON", "/a"));
        QVERIFY(m->AddIcon(Pic, "b", "ICON", "/b"));
        const QStringList got = ids(fileRows("ico1000"));
        QCOMPARE(got.size(), 3);
        QCOMPARE(got.at(1), IconIds::newId(clock->time));
        QCOMPARE(got.at(2), IconIds::newId(clock->time.addMSecs(1)));

        // A file that cannot be written: the menu keeps nothing, the caller the icon.
        FormMenu *locked = menuOf({ FormMenu::backRow() }, 2, "ico1002");
        QFile::remove(locked->menuFile());
        QDir().mkpath(locked->menuFile());
        QVERIFY(!locked->AddIcon(Pic, "c", "ICON", "/c"));
        QCOMPARE(locked->rows().size(), 1);
        QCOMPARE(takeToast(*locked), QString());
    }

    void aDriveIconAsksForItsDrive()
    {
        FormMenu *m = menuOf({ FormMenu::backRow() });
        QVERIFY(m->AddIcon(":/image/icon/Disk.png", "盘", "DISK", "0"));
        const QString id = m->rows().last().IconID;
        QVERIFY(m->driveChooser()->isVisible());
        QCOMPARE(m->driveChooser()->iconId(), id);
        m->setIconDisk(id, "/media/stick");
        QCOMPARE(takeToast(*m), QString("盘符设置成功！"));
        const DockIconRecord r = fileRows("ico1000").last();
        QCOMPARE(r.Name, QString("系统盘符"));
        QCOMPARE(r.Path, QString("/media/stick"));
        m->IconOpen(id);
        QCOMPARE(opener->urls, QList<QUrl>{ QUrl::fromLocalFile("/media/stick") });
    }

    void contextMenuCodes()
    {
        FormMenu *m = menuOf({ FormMenu::backRow(), rec("icoA"), rec("icoD", "DISK", "/mnt") });
        QSignalSpy addIco(m, &FormMenu::menuAddIco), addSys(m, &FormMenu::menuAddSystemIco),
            addUrl(m, &FormMenu::menuAddUrlIco), addDir(m, &FormMenu::menuAddFolder);
        for (int code : { 1, 2, 4, 5, 6, 7, 8, 10, 11, 99 })
            m->IconMenu("icoA", code);
        for (QSignalSpy *s : { &addIco, &addSys, &addUrl, &addDir }) {
            QCOMPARE(s->count(), 1);
            QCOMPARE(s->first().at(0).toString(), QString("ico1000")); // the menu's ID, not the icon's
        }
        m->IconMenu("icoNone", 0); // no such row: nothing
        QVERIFY(!m->iconSettingsDialog()->isVisible());
        m->IconMenu("icoA", 0);
        QVERIFY(m->iconSettingsDialog()->isVisible());
        QCOMPARE(m->iconSettingsDialog()->note(), QString(":/image/icon/library.png"));
        m->IconMenu("icoD", 9);
        QCOMPARE(m->driveChooser()->drive(), QString("/mnt"));

        // An edit changes picture and name; note and class stay.
        m->Modify("icoA", ":/image/icon/Sip.png", "Renamed", "ignored");
        QCOMPARE(takeToast(*m), QString("图标修改成功！"));
        DockIconRecord a = fileRows("ico1000").at(1);
        QCOMPARE(a.Icon, QString(":/image/icon/Sip.png"));
        QCOMPARE(a.Name, QString("Renamed"));
        QCOMPARE(a.Note, QString(":/image/icon/library.png"));
        QCOMPARE(m->iconWidget("icoA")->name(), QString("Renamed"));

        m->IconMenu("icoA", 3);
        QCOMPARE(takeToast(*m), QString("图标删除成功！"));
        QCOMPARE(ids(fileRows("ico1000")), (QStringList{ "ico000000", "icoD" }));
        QVERIFY(!m->iconWidget("icoA"));
        m->DeleteIcon("ico000000"); // the BACK row stays
        QCOMPARE(fileRows("ico1000").size(), 2);
    }

    // ---- opening ---------------------------------------------------------

    void openCodes_data()
    {
        QTest::addColumn<QString>("cl");
        QTest::addColumn<int>("code");
        const char *tools[] = { "UPGRADE", "SHUTDOWN", "EYETOOL", "SEARCH", "COLORPICKER", "SCREENSHOTS",
                                "SETTING", "TIMESHUTDOWN" };
        for (int i = 0; i < 8; ++i)
            QTest::newRow(tools[i]) << tools[i] << i + 1;
        for (const char *cl : { "ICON", "FOLDER", "CMD", "URL", "CALCULATOR", "DISK", "BACK", "upgrade" })
            QTest::newRow(cl) << cl << 0;
    }
    void openCodes()
    {
        QFETCH(QString, cl);
        QFETCH(int, code);
        const QString path = cl == "URL" ? "https://example.org/x y" : cl == "BACK" ? "BACK" : "/opt/thing";
        FormMenu *m = menuOf({ FormMenu::backRow(), rec("icoX", cl, path) });
        m->showAnimated();
        QSignalSpy tool(m, &FormMenu::menuOpenIco), shown(m, &FormMenu::setIcoBShow);
        m->IconOpen("icoX");
        QCOMPARE(tool.count(), code ? 1 : 0);
        if (code)
            QCOMPARE(tool.first(), (QList<QVariant>{ "icoX", code })); // the row's ID
        QCOMPARE(opener->paths, (cl == "ICON" || cl == "FOLDER" || cl == "CMD" || cl == "upgrade")
                     ? QStringList{ path } : QStringList());
        QCOMPARE(opener->urls.size(), cl == "URL" || cl == "DISK" ? 1 : 0);
        QCOMPARE(opener->tools.size(), cl == "CALCULATOR" ? 1 : 0);
        // Every open slides the menu away, once.
        QCOMPARE(shown.count(), 1);
        QCOMPARE(shown.first().at(0).toBool(), false);
        m->IconOpen("icoNone");
        QCOMPARE(shown.count(), 1);
    }

    // A desktop tool the machine lacks is said in the menu's toast; the path
    // of the control panel stands for the desktop's settings program.
    void missingToolsAreSaid()
    {
        opener->toolsInstalled = false;
        FormMenu *m = menuOf({ FormMenu::backRow(), rec("icoC", "CALCULATOR", "0"),
                               rec("icoP", "PANEL", "::{26EE0668-A00A-44D7-9371-BEB064C98683}"),
                               rec("icoF", "FOLDER", "/opt/thing") });
        m->IconOpen("icoC");
        QCOMPARE(takeToast(*m), QString("未找到计算器！"));
        m->IconOpen("icoP");
        QCOMPARE(takeToast(*m), QString("未找到控制面板！"));
        QVERIFY(opener->paths.isEmpty());
        m->IconOpen("icoF");
        QCOMPARE(takeToast(*m), QString());
        QCOMPARE(opener->paths, QStringList{ "/opt/thing" });
        opener->toolsInstalled = true;
        m->IconOpen("icoC");
        QCOMPARE(takeToast(*m), QString());
    }

    void theBackIconEndsTheHide()
    {
        FormMenu *m = menuOf({ FormMenu::backRow(), rec("icoA") });
        m->toggle();
        QVERIFY(m->isShown());
        m->toggle();
        QVERIFY(m->isVisible()); // the icons slide out first
        QTRY_VERIFY(m->isHidden());
        // Opened again during the slide-out: it stays.
        m->show();
        m->showAnimated();
        m->hideAnimated();
        m->showAnimated();
        QTest::qWait(FormMenuIcon::SlideMs + 100);
        QVERIFY(m->isVisible());
    }

    // ---- geometry --------------------------------------------------------

    void geometry_data()
    {
        QTest::addColumn<int>("edge");
        QTest::addColumn<QSize>("size");
        QTest::newRow("top") << 0 << QSize(500, 220);
        QTest::newRow("right") << 1 << QSize(220, 500);
        QTest::newRow("bottom") << 2 << QSize(500, 220);
        QTest::newRow("left") << 3 << QSize(220, 500);
    }
    void geometry()
    {
        QFETCH(int, edge);
        QFETCH(QSize, size);
        FormMenu *m = menuOf({ FormMenu::backRow(), rec("icoA"), rec("icoB"), rec("icoC") }, edge);
        QCOMPARE(m->size(), size);
        const int W = size.width(), H = size.height();
        const QStringList order = ids(m->rows());
        for (int i = 0; i < 4; ++i) {
            FormMenuIcon *icon = m->iconWidget(order[i]);
            const int Wi = icon->width(), Hi = icon->height();
            QPoint at, hidden;
            switch (edge) {
            case 0: at = QPoint(W - Wi, H - (i + 1) * Hi); hidden = QPoint(W - Wi, -Hi); break;
            case 1: at = QPoint(i * Wi, H - Hi); hidden = QPoint(W, H - Hi); break;
            case 2: at = QPoint(W - Wi, i * Hi); hidden = QPoint(W - Wi, H); break;
            default: at = QPoint(W - (i + 1) * Wi, H - Hi); hidden = QPoint(-Wi, H - Hi); break;
            }
            QCOMPARE(icon->pos(), at);
            QCOMPARE(icon->hiddenPoint(), hidden);
            QCOMPARE(edge % 2 == 0 ? Hi : Wi, 55);
        }
        // The BACK icon is the far end: lowest on a top dock, rightmost on a left dock.
        FormMenuIcon *back = m->iconWidget("ico000000");
        if (edge == 0)
            QCOMPARE(back->y() + back->height(), H);
        if (edge == 3)
            QCOMPARE(back->x() + back->width(), W);

        // Another edge turns and re-places every icon; the same edge changes nothing.
        const QSize before = m->size();
        m->setPosition(edge);
        QCOMPARE(m->size(), before);
        m->setPosition((edge + 1) % 4);
        QCOMPARE(m->size(), before.transposed());
        QCOMPARE(back->orientation(), (edge + 1) % 4);
    }

    void aLongNameWidensTheStrip()
    {
        FormMenu *m = menuOf({ FormMenu::backRow(), { "icoL", Pic, QString(80, 'W'), "ICON", "/x", Pic } });
        QVERIFY(m->width() > 500);
        QCOMPARE(m->iconWidget("icoL")->x(), m->width() - m->iconWidget("icoL")->width());
        QVERIFY(m->iconWidget("ico000000")->x() >= 0);
    }

    // A name far longer than the screen: the strip grows only as far as the
    // room beside the menu's icon, and the name is cut short with an
    // ellipsis; what the menu draws is its pictures and the pills of its
    // names, not its clear strip.
    void aLongNameIsCutToTheRoom_data()
    {
        QTest::addColumn<int>("edge");
        QTest::newRow("bottom") << 2;
        QTest::newRow("left") << 3;
    }
    void aLongNameIsCutToTheRoom()
    {
        QFETCH(int, edge);
        const QString name = QString(400, 'W');
        FormMenu *m = menuOf({ FormMenu::backRow(), { "icoL", Pic, name, "ICON", "/x", Pic } }, edge);
        const bool horizontal = edge == 0 || edge == 2;
        const int natural = horizontal ? m->width() : m->height();
        QVERIFY(natural > 2000);
        m->setRoom(700);
        FormMenuIcon *icon = m->iconWidget("icoL");
        QVERIFY(horizontal ? m->width() <= 700 : m->height() <= 700);
        QVERIFY((horizontal ? icon->width() : icon->height()) <= 700);
        const QString shown = icon->bubble()->nameLabel()->text();
        QVERIFY(shown.endsWith(QChar(0x2026)));
        QVERIFY(shown.length() < name.length());
        // The icons stand in their slots of the narrower strip.
        QCOMPARE(horizontal ? icon->x() : icon->y(),
                 horizontal ? m->width() - icon->width() : m->height() - icon->height());
        // More room, less cut.
        m->setRoom(1000);
        QVERIFY(icon->bubble()->nameLabel()->text().length() > shown.length());
        // Drawn: every icon's picture and the pill of its name, nothing else.
        QTRY_COMPARE(icon->pos(), icon->shownPoint());
        const QRegion drawn = m->drawnRegion();
        for (const DockIconRecord &r : m->rows()) {
            FormMenuIcon *i = m->iconWidget(r.IconID);
            const QRect picture(i->pictureFrame()->mapTo(m, QPoint(0, 0)), i->pictureFrame()->size());
            QVERIFY(drawn.contains(picture));
        }
        QVERIFY(!drawn.contains(horizontal ? QPoint(5, m->height() / 2) : QPoint(m->width() / 2, 5)));
        QVERIFY(drawn.boundingRect().width() * drawn.boundingRect().height() > 0);
        qint64 area = 0;
        for (const QRect &r : drawn)
            area += qint64(r.width()) * r.height();
        QVERIFY(area < qint64(m->width()) * m->height() / 2);
    }

    // ---- dragging --------------------------------------------------------

    // Bottom dock: slots run down from BACK; the upper half of an icon aims
    // before it, the lower half after it.
    void reorderWithinTheMenu()
    {
        FormMenu *m = menuOf({ FormMenu::backRow(), rec("icoA"), rec("icoB"), rec("icoC") });
        QSignalSpy moving(m, &FormMenu::setIcoBMoveShow);
        moveTo(m, "icoC", centre(m->iconWidget("icoC")));
        QVERIFY(m->iconWidget("icoC")->isHidden());
        QVERIFY(m->dragGhost()->isVisible());
        QCOMPARE(m->targetSlot(), 3); // its own place until it aims elsewhere
        moveTo(m, "icoC", centre(m->iconWidget("icoA"), 0.5, 0.25));
        QCOMPARE(m->targetSlot(), 1);
        moveTo(m, "icoC", centre(m->iconWidget("icoA"), 0.5, 0.75));
        QCOMPARE(m->targetSlot(), 2);
        moveTo(m, "icoC", centre(m->iconWidget("icoA"), 0.5, 0.25));
        releaseAt(m, "icoC", centre(m->iconWidget("icoA"), 0.5, 0.25));
        QCOMPARE(ids(fileRows("ico1000")), (QStringList{ "ico000000", "icoC", "icoA", "icoB" }));
        QCOMPARE(fileRows("ico1000").at(1).Note, QString(":/image/icon/library.png")); // the note stays
        QVERIFY(m->dragGhost()->isHidden());
        QCOMPARE(moving.count(), 2);
        QCOMPARE(m->iconWidget("icoC")->index(), 1);

        // Hovering BACK aims nowhere; a drop without aiming puts the icon back.
        moveTo(m, "icoA", centre(m->iconWidget("ico000000"), 0.5, 0.25));
        QCOMPARE(m->targetSlot(), 2);
        releaseAt(m, "icoA", centre(m->iconWidget("ico000000"), 0.5, 0.25));
        QCOMPARE(ids(fileRows("ico1000")), (QStringList{ "ico000000", "icoC", "icoA", "icoB" }));
        // The BACK icon never moves.
        moveTo(m, "ico000000", centre(m->iconWidget("icoB")));
        releaseAt(m, "ico000000", centre(m->iconWidget("icoB")));
        QCOMPARE(ids(fileRows("ico1000")), (QStringList{ "ico000000", "icoC", "icoA", "icoB" }));
    }

    void dropBesideTheStripDeletes()
    {
        FormMenu *m = menuOf({ FormMenu::backRow(), rec("icoA"), rec("icoB") });
        m->showAnimated();
        QTRY_COMPARE(m->iconWidget("icoA")->pos(), m->iconWidget("icoA")->shownPoint());
        QSignalSpy confirm(m, &FormMenu::returnConfirm);
        moveTo(m, "icoA", centre(m->iconWidget("icoA")));
        const QPoint beside = m->mapToGlobal(QPoint(-40, 20));
        moveTo(m, "icoA", beside);
        releaseAt(m, "icoA", beside);
        QCOMPARE(takeToast(*m), QString("图标删除成功！"));
        QCOMPARE(ids(fileRows("ico1000")), (QStringList{ "ico000000", "icoB" }));
        QVERIFY(!m->iconWidget("icoA"));
        QVERIFY(!m->isShown());
        QCOMPARE(confirm.count(), 0);
    }

    void dragOutToTheDock_data()
    {
        QTest::addColumn<int>("edge");
        for (int e = 0; e < 4; ++e)
            QTest::newRow(qPrintable(QString("edge %1").arg(e))) << e;
    }
    void dragOutToTheDock()
    {
        QFETCH(int, edge);
        FormMenu *m = menuOf({ FormMenu::backRow(), rec("icoA"), rec("icoB") }, edge);
        const QRect r = m->screenRect();
        const QPoint out = edge == 0 ? QPoint(r.center().x(), r.top() - 10)
            : edge == 1              ? QPoint(r.right() + 10, r.center().y())
            : edge == 2              ? QPoint(r.center().x(), r.bottom() + 10)
                                     : QPoint(r.left() - 10, r.center().y());
        QSignalSpy handed(m, &FormMenu::returnAddIcon), confirm(m, &FormMenu::returnConfirm);
        moveTo(m, "icoA", centre(m->iconWidget("icoA")));
        moveTo(m, "icoA", out);
        QVERIFY(m->isHidden());
        QCOMPARE(handed.count(), 1);
        QCOMPARE(handed.first().mid(0, 5), (QList<QVariant>{ "icoA", Pic, "icoA-name", "ICON", "/usr/bin/x" }));
        QCOMPARE(handed.first().at(5).toPoint(), out);
        releaseAt(m, "icoA", out);
        QCOMPARE(confirm.count(), 1);
        QCOMPARE(confirm.first().at(0).toBool(), true);
        QCOMPARE(ids(fileRows("ico1000")), (QStringList{ "ico000000", "icoB" }));
    }

    // Given up to a dock that cannot take it: back to its old place, and
    // only while the dock answers that release.
    void aRefusedHandOffKeepsTheIcon()
    {
        FormMenu *m = menuOf({ FormMenu::backRow(), rec("icoA"), rec("icoB") });
        connect(m, &FormMenu::returnConfirm, m, [m] { m->handOffRefused(); });
        const QPoint out = m->screenRect().bottomLeft() + QPoint(30, 20);
        moveTo(m, "icoA", centre(m->iconWidget("icoA")));
        moveTo(m, "icoA", centre(m->iconWidget("icoB"), 0.5, 0.9)); // aims elsewhere first
        moveTo(m, "icoA", out);
        releaseAt(m, "icoA", out);
        QCOMPARE(ids(fileRows("ico1000")), (QStringList{ "ico000000", "icoA", "icoB" }));
        QCOMPARE(fileRows("ico1000").at(1), rec("icoA"));
        QVERIFY(m->iconWidget("icoA"));
        QCOMPARE(takeToast(*m), QString());
        m->handOffRefused();
        QCOMPARE(m->rows().size(), 3);
    }

    // Out to the dock and back: the dock lets go, the icon stays in the menu.
    void backFromTheDock()
    {
        FormMenu *m = menuOf({ FormMenu::backRow(), rec("icoA"), rec("icoB") });
        QSignalSpy confirm(m, &FormMenu::returnConfirm);
        const QPoint home = centre(m->iconWidget("icoA"));
        moveTo(m, "icoA", home);
        moveTo(m, "icoA", m->screenRect().bottomLeft() + QPoint(30, 20));
        QVERIFY(m->isHidden());
        moveTo(m, "icoA", home);
        QCOMPARE(confirm.count(), 1);
        QCOMPARE(confirm.first().at(0).toBool(), false);
        QVERIFY(m->isVisible());
        releaseAt(m, "icoA", home);
        QCOMPARE(confirm.count(), 1);
        QCOMPARE(ids(fileRows("ico1000")), (QStringList{ "ico000000", "icoA", "icoB" }));

        // A release below the strip that handed nothing over confirms nothing.
        moveTo(m, "ico000000", home);
        releaseAt(m, "ico000000", m->screenRect().bottomLeft() + QPoint(30, 20));
        QCOMPARE(confirm.count(), 1);
    }
};

ZV_TEST_MAIN(TestMenus)
#include "tst_menus.moc"
