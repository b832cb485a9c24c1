#include "dock/model/dockfile.h"
#include "dock/model/dockiconlist.h"
#include "testenv.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

DockIconRecord rec(const QString &id, const QString &cl = "ICON", const QString &path = "/bin/x")
{
    return { id, ":/p.png", id + " name", cl, path, "" };
}

QStringList ids(const DockIconList &l)
{
    QStringList out;
    for (const DockIconRecord &r : l.rows())
        out << r.IconID;
    return out;
}

} // namespace

class TestDockIconList : public QObject
{
    Q_OBJECT
private slots:
    void editsAnnounceTheRowTheyTouch()
    {
        DockIconList l;
        QSignalSpy inserted(&l, &DockIconList::rowInserted);
        QSignalSpy removed(&l, &DockIconList::rowRemoved);
        QSignalSpy moved(&l, &DockIconList::rowMoved);
        QSignalSpy changed(&l, &DockIconList::rowChanged);
        QSignalSpy reset(&l, &DockIconList::reset);

        l.setRows({ rec("a"), rec("b"), rec("c") });
        QCOMPARE(reset.count(), 1);
        l.insert(1, rec("x"));
        l.insert(99, rec("end")); // clamped to the end
        l.insert(-5, rec("front"));
        QCOMPARE(ids(l), QStringList({ "front", "a", "x", "b", "c", "end" }));
        QCOMPARE(inserted.count(), 3);
        QCOMPARE(inserted.at(0).at(0).toInt(), 1);
        QCOMPARE(inserted.at(1).at(0).toInt(), 4);
        QCOMPARE(inserted.at(2).at(0).toInt(), 0);

        l.move(0, 5);
        QCOMPARE(ids(l), QStringList({ "a", "x", "b", "c", "end", "front" }));
        QCOMPARE(moved.takeFirst(), QVariantList({ 0, 5 }));
        l.move(2, 2);
        l.move(-1, 0);
        l.move(0, 6);
        QCOMPARE(moved.count(), 0);

        l.removeAt(1);
        QCOMPARE(removed.count(), 1);
        QCOMPARE(removed.at(0).at(0).toInt(), 1);
        QCOMPARE(removed.at(0).at(1).value<DockIconRecord>().IconID, QString("x"));
        l.removeAt(42);
        QCOMPARE(removed.count(), 1);

        l.setCell(0, 2, "renamed");
        l.setCell(0, 2, "renamed"); // no change, no signal
        l.setCell(0, 6, "nowhere");
        l.setCell(9, 0, "nowhere");
        QCOMPARE(changed.count(), 1);
        QCOMPARE(l.at(0).Name, QString("renamed"));
        DockIconRecord r = l.at(1);
        l.replace(1, r);
        QCOMPARE(changed.count(), 1);
        r.Path = "/other";
        l.replace(1, r);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(l.at(1).Path, QString("/other"));
    }

    void findsByIdAndByCell()
    {
        DockIconList l;
        l.setRows({ rec("ico1", "MENU", "0"), rec("ico2", "DISK", "/media/u"), rec("ico3", "DISK", "/media/u") });
        QCOMPARE(l.indexOfId("ico2"), 1);
        QCOMPARE(l.indexOfId("ICO2"), -1); // exact match only
        QCOMPARE(l.findRow(3, "DISK"), 1);  // the first that matches
        QCOMPARE(l.findRow(4, "/media/u"), 1);
        QCOMPARE(l.findRow(3, "URL"), -1);
        QVERIFY(l.anyCellEquals("ico3 name"));
        QVERIFY(!l.anyCellEquals("ico3 nam"));
        QCOMPARE(l.cell(2, 0), QString("ico3"));
        QCOMPARE(l.cell(3, 0), QString());
        QCOMPARE(l.cell(0, 6), QString());
        QCOMPARE(l.record(7).IconID, QString());
    }

    void fileRoundTripThroughTheList()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("ico0001.xml");
        DockIconList l;
        l.setRows({ rec("ico1"), { "ico2", ":/u.png", "A & <b>", "URL", "https://x.org/?a=1&b=2", "note" } });
        QVERIFY(DockFile::save(path, l));
        DockIconList back;
        QSignalSpy reset(&back, &DockIconList::reset);
        DockFile::load(path, &back);
        QCOMPARE(reset.count(), 1);
        QCOMPARE(back.rows(), l.rows());

        // A missing file loads as no rows; a broken one too, and is kept aside.
        DockFile::load(dir.filePath("none.xml"), &back);
        QVERIFY(back.isEmpty());
        const QString broken = TestEnv::writeFile(dir.filePath("broken.xml"), "<Zorvane><List id=\"0\">");
        DockFile::load(broken, &back);
        QVERIFY(back.isEmpty());
        QVERIFY(QFile::exists(broken + ".bad"));
    }
};

ZV_TEST_MAIN(TestDockIconList)
#include "tst_dockiconlist.moc"
