// What a drag over the bar aims at, the release test and the verdicts by
// class and by file, without a window.
#include "dock/model/dockicon.h"
#include "dock/window/dragtarget.h"
#include "testenv.h"

#include <QApplication>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

using namespace DragTarget;

namespace {

// Icons of 64 (spacers of 25) at rows 0, 1, 2...
QVector<Item> row(const QStringList &classes, int n = 64)
{
    QVector<Item> items;
    for (int i = 0; i < classes.size(); ++i)
        items.append({ i, classes[i], classes[i] == "BLANK" ? int(n / 2.5f) : n });
    return items;
}

const Aim none { IconClass::MAIN, -1 };

} // namespace

class TestDragTarget : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;

    QString file(const QString &name, const QByteArray &data = "x", bool exec = false)
    {
        return TestEnv::writeFile(dir.path() + "/" + name, data, exec);
    }

private slots:
    void placesLeaveRoomBeforeTheGap()
    {
        const QVector<Item> items = row({ "ICON", "BLANK", "ICON" });
        QCOMPARE(places(items, -1, 64), (QVector<int>{ 0, 64, 89 }));
        QCOMPARE(places(items, 1, 64), (QVector<int>{ 0, 128, 153 }));
        QCOMPARE(places(items, 3, 64), (QVector<int>{ 0, 64, 89 })); // the room is at the end
        QCOMPARE(gapStart(items, 2), 89);
        QCOMPARE(gapStart(items, 3), 153);
        // Rows without an icon on the bar (a hidden one at row 1) keep their numbers.
        const QVector<Item> sparse { { 0, "ICON", 64 }, { 2, "ICON", 64 } };
        QCOMPARE(places(sparse, 1, 64), (QVector<int>{ 0, 128 }));
    }

    void aimFollowsTheHalves_data()
    {
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("gap");
        QTest::newRow("before the first icon") << -40 << "MAIN" << 0;
        QTest::newRow("left half of the first") << 10 << "MAIN" << 0;
        QTest::newRow("right half of the first") << 40 << "MAIN" << 1;
        QTest::newRow("inside the menu") << 100 << "MENU" << 1;
        QTest::newRow("menu's first pixel is its edge") << 64 << "MAIN" << 1;
        QTest::newRow("inside the launch pad") << 150 << "LAUNCHPAD" << 2;
        QTest::newRow("right half of the last") << 250 << "MAIN" << 4;
        QTest::newRow("far past the end") << 5000 << "MAIN" << 4;
    }
    void aimFollowsTheHalves()
    {
        QFETCH(int, cursor);
        QFETCH(QString, target);
        QFETCH(int, gap);
        const Aim a = aim(row({ "ICON", "MENU", "LAUNCHPAD", "ICON" }), 4, cursor, -1, 64, none);
        QCOMPARE(a.target, target);
        QCOMPARE(a.gap, gap);
    }

    void anOpenGapHoldsUnderThePointer()
    {
        const QVector<Item> items = row({ "ICON", "ICON", "ICON" });
        // Gap before row 1: row 1 now starts at 128; the room is 64..128.
        Aim a = aim(items, 3, 100, 1, 64, { "MAIN", 1 });
        QCOMPARE(a.gap, 1);
        // Into the left half of the moved icon: the gap stays before it.
        a = aim(items, 3, 140, 1, 64, a);
        QCOMPARE(a.gap, 1);
        // Its right half: the gap goes after it, and the icon back into the room.
        a = aim(items, 3, 170, 1, 64, a);
        QCOMPARE(a.gap, 2);
        // Now the room is 128..192: the pointer at 170 is in it, nothing moves.
        QCOMPARE(aim(items, 3, 170, 2, 64, a).gap, 2);
    }

    void exactMiddleMovesNothing()
    {
        const QVector<Item> items = row({ "ICON", "ICON" });
        QCOMPARE(aim(items, 2, 32, -1, 64, { "MAIN", 1 }).gap, 1);
        QCOMPARE(aim(items, 2, 32, -1, 64, { "MENU", 1 }).gap, 0);
    }

    // The only icon dragged off its bar leaves nothing to aim at: the gap is
    // the first row, never row -1, wherever the pointer is.
    void emptyBarAimsAtTheStart()
    {
        for (int c : { -500, 0, 31, 900 }) {
            const Aim a = aim({}, 0, c, -1, 64, none);
            QCOMPARE(a.target, QString("MAIN"));
            QCOMPARE(a.gap, 0);
        }
        // A table whose only rows show nothing: after them.
        QCOMPARE(aim({}, 2, 10, -1, 64, none).gap, 2);
    }

    void spacersAreShort()
    {
        // ICON 0..64, BLANK 64..89, MENU 89..153
        const QVector<Item> items = row({ "ICON", "BLANK", "MENU" });
        QCOMPARE(aim(items, 3, 70, -1, 64, none).gap, 1);
        QCOMPARE(aim(items, 3, 80, -1, 64, none).gap, 2);
        QCOMPARE(aim(items, 3, 100, -1, 64, none).target, QString("MENU"));
    }

    void releaseTestWidensTheFarEnd()
    {
        const QRect bar(100, 700, 500, 64); // x 100..599, y 700..763
        QVERIFY(onBar({ 300, 730 }, bar, 64));
        QVERIFY(onBar({ 650, 730 }, bar, 64));   // past the end, within N
        QVERIFY(!onBar({ 663, 730 }, bar, 64));  // the widened edge itself is off
        QVERIFY(!onBar({ 100, 730 }, bar, 64));  // strictly inside only
        QVERIFY(!onBar({ 300, 690 }, bar, 64));
        QVERIFY(!onBar({ 50, 730 }, bar, 64));   // the near end is not widened
    }

    void verdictsByClass()
    {
        for (const char *cl : { "MENU", "UPGRADE", "UDISK", "LAUNCHPAD", "STARTMENU", "BLANK" })
            QCOMPARE(menuVerdict(cl), MenuVerdict::Refused);
        for (const char *cl : { "RECYCLE", "WEATHER", "TIME1", "TIME2" })
            QCOMPARE(menuVerdict(cl), MenuVerdict::MenuRefuses);
        for (const char *cl : { "ICON", "FOLDER", "URL", "DISK", "CALCULATOR" })
            QCOMPARE(menuVerdict(cl), MenuVerdict::Accept);

        QCOMPARE(launchPadVerdict("LAUNCHPAD"), PadVerdict::Silent);
        for (const char *cl : { "UPGRADE", "MENU", "DISK", "RECYCLE", "TIME1", "TIME2", "UDISK", "STARTMENU" })
            QCOMPARE(launchPadVerdict(cl), PadVerdict::AppRefused);
        QCOMPARE(launchPadVerdict("BLANK"), PadVerdict::IconRefused);
        for (const char *cl : { "ICON", "WEATHER", "URL", "SEARCH" })
            QCOMPARE(launchPadVerdict(cl), PadVerdict::Accept);
        // Case matters for classes: they are the file's keywords.
        QCOMPARE(menuVerdict("menu"), MenuVerdict::Accept);
    }

    void filesByKind()
    {
        QCOMPARE(fileKind(dir.path()), FileKind::Folder);
        for (const char *name : { "setup.EXE", "Tool.Lnk", "RUN.BAT", "org.example.App.Desktop", "start.SH" })
            QCOMPARE(fileKind(file(name)), FileKind::Program);
        QCOMPARE(fileKind(file("runme", "#!/bin/sh\necho hi\n", true)), FileKind::Program);
        QCOMPARE(fileKind(file("notes.txt")), FileKind::None);
        QCOMPARE(fileKind(file("data", "plain", true)), FileKind::None); // the bit alone makes no program
        QCOMPARE(fileKind(dir.path() + "/gone.exe"), FileKind::None);
        QCOMPARE(fileKind(QString()), FileKind::None);
    }

    void onlyOneLocalFileIsDragged()
    {
        QMimeData one;
        one.setUrls({ QUrl::fromLocalFile(dir.path() + "/") });
        QCOMPARE(draggedFile(&one), dir.path()); // a folder's trailing slash goes
        QMimeData two;
        two.setUrls({ QUrl::fromLocalFile("/a.exe"), QUrl::fromLocalFile("/b.exe") });
        QCOMPARE(draggedFile(&two), QString());
        QMimeData web;
        web.setUrls({ QUrl("https://example.org/setup.exe") });
        QCOMPARE(draggedFile(&web), QString());
        QMimeData text;
        text.setText("/usr/bin/true");
        QCOMPARE(draggedFile(&text), QString());
        QCOMPARE(draggedFile(nullptr), QString());
    }
};

ZV_TEST_MAIN(TestDragTarget)
#include "tst_dragtarget.moc"
