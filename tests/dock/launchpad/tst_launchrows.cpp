// The launch pad's rows and "LaunchPad.xml": the first start, the file read
// and written in order and byte for byte as before, damaged and unwritable
// files, new IDs, and the lifted row of a drag, which every save keeps.
#include "padfixture.h"

#include "dock/launchpad/launchediting.h"
#include "fakeplatform.h"
#include "storedfixtures.h"

#include <QPushButton>
#include <QSlider>

using namespace PadTest;

class TestLaunchRows : public QObject
{
    Q_OBJECT
    Services services;

private slots:
    void init() { reset(); }

    void firstStartWritesThePresets()
    {
        FormLaunchStarter pad;
        QVERIFY(!QFile::exists(LaunchRows::filePath())); // nothing before the first placement
        pad.placeOnScreen(0, 0, 1920, 1080);
        QCOMPARE(TestEnv::readFile(LaunchRows::filePath()), storedFixture("LaunchPad.xml"));
        QCOMPARE(saved(), LaunchRows::presetRows());
        QCOMPARE(icon(pad, "ico000010")->name(), QString("电源"));
        QCOMPARE(icon(pad, "ico000003")->pos(), QPoint(69 + 160, 0));

        // The same rectangle again: no relayout at all.
        icon(pad, "ico000003")->move(1, 1);
        pad.placeOnScreen(0, 0, 1920, 1080);
        QCOMPARE(icon(pad, "ico000003")->pos(), QPoint(1, 1));
    }

    // Adds, an edit, a delete and a changed look, as the earlier code stored them.
    void editsAreStoredAsBefore()
    {
        FakeClock clock;
        FormLaunchStarter pad;
        pad.placeOnScreen(0, 0, 1920, 1080);
        QVERIFY(pad.addIconFromDock(":/image/icon/url.png", QString::fromUtf8("A & B <c> \"d\" 北京"), "URL",
                                    "https://example.org/?a=1&b=2", "ico1"));
        clock.time = clock.time.addMSecs(1);
        QVERIFY(pad.addIconFromDock(":/image/icon/Folder.png", "  spaced  ", "FOLDER", "/tmp/x y", "0"));
        pad.editing()->modify("ico000003", ":/image/icon/Mail.png", QString::fromUtf8("面板\tone"));
        QVERIFY(pad.editing()->remove("ico000008"));
        pad.StartShow();
        pad.findChild<QSlider *>("horizontalSliderSize")->setValue(120);
        pad.findChild<QPushButton *>("black")->click();
        pad.CloseShow();
        QCOMPARE(TestEnv::readFile(LaunchRows::filePath()), storedFixture("LaunchPad-edited.xml"));
        QCOMPARE(TestEnv::readFile(DockSettings::defaultPath()), storedFixture("config-launchpad.ini"));
    }

    void fileIsReadAndWrittenInOrder()
    {
        QList<DockIconRecord> rows = many(3);
        rows[1].Note = "an edited note"; // kept as it is
        writePad(rows);
        FormLaunchStarter pad;
        pad.placeOnScreen(0, 0, 1280, 800);
        QCOMPARE(pad.rows()->stored(), rows);
        pad.editing()->modify("ico0002", ":/image/icon/Mail.png", "Mail");
        rows[2].Icon = ":/image/icon/Mail.png";
        rows[2].Name = "Mail";
        QCOMPARE(saved(), rows);
        QCOMPARE(icon(pad, "ico0002")->name(), QString("Mail"));
        QCOMPARE(toastText(pad), QString("图标修改成功！"));
        QVERIFY(pad.editing()->remove("ico0000"));
        QCOMPARE(toastText(pad), QString("删除成功！"));
        QCOMPARE(ids(saved()), (QStringList { "ico0001", "ico0002" }));
        QVERIFY(!icon(pad, "ico0000"));
        QVERIFY(!pad.editing()->remove("nothere"));
        pad.editing()->modify("nothere", Pic, "x"); // nothing, no toast
        QCOMPARE(toastText(pad), QString());
    }

    // A file cut off in the middle is kept aside, and the pad starts with
    // the icons stored whole before the cut.
    void cutFileIsKeptAside()
    {
        const QByteArray whole = DockFile::toXml(many(3));
        const QByteArray cut = whole.left(whole.size() / 2);
        const int complete = cut.count("</List>");
        QVERIFY(complete > 0 && complete < 3);
        TestEnv::writeFile(LaunchRows::filePath(), cut);
        FormLaunchStarter pad;
        pad.placeOnScreen(0, 0, 1920, 1080);
        QCOMPARE(pad.rows()->stored(), many(3).mid(0, complete));
        QCOMPARE(TestEnv::readFile(LaunchRows::filePath() + ".bad"), cut);
        QVERIFY(pad.editing()->add(Pic, "A", "ICON", "/usr/bin/a"));
        QCOMPARE(saved().size(), complete + 1);
    }

    // An icon the pad cannot keep on disk is not taken at all.
    void unwritableFileRefusesTheAdd()
    {
        FormLaunchStarter pad;
        pad.placeOnScreen(0, 0, 1920, 1080);
        QFile::remove(LaunchRows::filePath());
        QDir().mkpath(LaunchRows::filePath()); // a folder in the file's place
        QVERIFY(!pad.addIconFromDock(Pic, "x", "ICON", "/usr/bin/x", "0"));
        QCOMPARE(toastText(pad), QString("不能添加！"));
        QCOMPARE(pad.rows()->size(), 12);
        QDir(LaunchRows::filePath()).removeRecursively();
    }

    // Two adds in the same millisecond get two IDs.
    void clashingIdsGetFreeOnes()
    {
        FakeClock clock;
        FormLaunchStarter pad;
        pad.placeOnScreen(0, 0, 1920, 1080);
        pad.editing()->add(Pic, "a", "ICON", "/usr/bin/a");
        pad.editing()->add(Pic, "b", "ICON", "/usr/bin/b");
        const QList<DockIconRecord> rows = pad.rows()->stored();
        QCOMPARE(rows.size(), 14);
        QVERIFY(rows[12].IconID != rows[13].IconID);
        QCOMPARE(rows[12].IconID, IconIds::newId(clock.time));
        QCOMPARE(saved(), rows);
    }

    // The lifted row of a drag: out of the table, never out of the file.
    void liftedRowIsAlwaysStored()
    {
        writePad(many(5));
        LaunchRows rows;
        rows.load();
        const QStringList all = ids(many(5));
        QVERIFY(rows.lift("ico0001"));
        QVERIFY(!rows.lift("ico0002")); // one at a time
        QCOMPARE(ids(rows.list()->rows()), (QStringList { "ico0000", "ico0002", "ico0003", "ico0004" }));
        QCOMPARE(ids(rows.stored()), all);
        QCOMPARE(rows.rowOf("ico0001"), -1);

        // The hole before the third icon (counted without the hole)…
        QVERIFY(rows.setHole(2));
        QCOMPARE(rows.holeRow(), 2);
        QVERIFY(!rows.setHole(2));
        QVERIFY(rows.setHole(4)); // …moved to the end
        QCOMPARE(rows.holeRow(), 4);
        QCOMPARE(rows.size(), 5);
        QVERIFY(rows.save());
        QCOMPARE(ids(saved()), all); // a save mid-drag holds neither hole nor gap

        // An add or a delete while lifted puts the row home first.
        QVERIFY(!rows.add(rec("x")).isEmpty());
        QVERIFY(!rows.isLifted());
        QCOMPARE(rows.holeRow(), -1);
        QCOMPARE(ids(saved()).mid(0, 5), all);
        QVERIFY(rows.remove(rows.stored().last().IconID));

        QVERIFY(rows.lift("ico0004"));
        rows.setHole(0);
        QVERIFY(rows.land());
        QCOMPARE(ids(saved()), (QStringList { "ico0004", "ico0000", "ico0001", "ico0002", "ico0003" }));
        QVERIFY(!rows.land()); // nothing lifted

        // Landing without a hole: back in its place, and still written.
        QFile::remove(LaunchRows::filePath());
        QVERIFY(rows.lift("ico0001"));
        QVERIFY(rows.land());
        QCOMPARE(ids(saved()), (QStringList { "ico0004", "ico0000", "ico0001", "ico0002", "ico0003" }));

        // Put back: where it came from, the file untouched.
        const QByteArray before = TestEnv::readFile(LaunchRows::filePath());
        QVERIFY(rows.lift("ico0000"));
        rows.setHole(4);
        rows.putBack();
        QCOMPARE(ids(rows.list()->rows()), ids(saved()));
        QCOMPARE(TestEnv::readFile(LaunchRows::filePath()), before);
    }
};

ZV_TEST_MAIN(TestLaunchRows)
#include "tst_launchrows.moc"
