#include "dock/model/dockfile.h"
#include "fakeplatform.h"
#include "testenv.h"

#include <QApplication>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

static QList<DockIconRecord> parsed(const QByteArray &xml, bool *ok = nullptr)
{
    QList<DockIconRecord> rows;
    const bool r = DockFile::parse(xml, &rows);
    if (ok)
        *ok = r;
    return rows;
}

static QByteArray list(int id, const char *iconId, const char *extra = "")
{
    return QByteArray("<List id=\"") + QByteArray::number(id) + "\"><IconID>" + iconId + "</IconID><Icon>i</Icon>"
        "<Name>n</Name><Class>ICON</Class><Path>p</Path><Note>x</Note>" + extra + "</List>";
}

class TestDockFile : public QObject
{
    Q_OBJECT
private slots:
    void presetsRoundTrip()
    {
        const QList<DockIconRecord> presets = dockPresetRows();
        const QByteArray xml = DockFile::toXml(presets);
        QVERIFY(xml.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Zorvane>\n    <List id=\"0\">\n"
                               "        <IconID>ico000001</IconID>\n"));
        QVERIFY(xml.contains("<List id=\"13\">"));
        QCOMPARE(parsed(xml), presets);
        const QByteArray empty = DockFile::toXml({});
        QVERIFY(empty.contains("<Zorvane/>"));
        bool ok = false;
        QVERIFY(parsed(empty, &ok).isEmpty());
        QVERIFY(ok);
    }

    void textIsEscapedAndSurvives()
    {
        DockIconRecord r { "ico1", "/a&b<c>.png", "Tom & Jerry <1> 🎵", "URL", "https://x.org/?a=1&b=2", "\"q\" '中文'" };
        const QList<DockIconRecord> back = parsed(DockFile::toXml({ r }));
        QCOMPARE(back.size(), 1);
        QCOMPARE(back.first(), r);
    }

    void readingRules_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<bool>("honoured"); // the ids decided the order
        QTest::newRow("in order") << list(0, "a") + list(1, "b") + list(2, "c") << QStringList { "a", "b", "c" } << true;
        QTest::newRow("a clean sequence in another order") << list(2, "c") + list(0, "a") + list(1, "b")
                                                           << QStringList { "a", "b", "c" } << true;
        // Ids that cannot all be honoured decide nothing: no row is lost to them.
        QTest::newRow("negative id") << list(0, "a") + list(-1, "b") + list(1, "c") << QStringList { "a", "b", "c" }
                                     << false;
        QTest::newRow("id past the end") << list(0, "a") + list(5, "b") + list(1, "c") << QStringList { "a", "b", "c" }
                                         << false;
        QTest::newRow("counting down") << list(100, "a") + list(99, "b") + list(98, "c")
                                       << QStringList { "a", "b", "c" } << false;
        QTest::newRow("same id twice") << list(0, "a") + list(0, "b") << QStringList { "a", "b" } << false;
        QTest::newRow("missing id") << QByteArray("<List><IconID>z</IconID></List>") + list(0, "a")
                                    << QStringList { "z", "a" } << false;
        QTest::newRow("id not a number") << list(0, "a") + QByteArray("<List id=\"1x\"><IconID>b</IconID></List>")
                                         << QStringList { "a", "b" } << false;
        QTest::newRow("any tag counts") << QByteArray("<Row id=\"0\"><IconID>r</IconID></Row>") << QStringList { "r" }
                                        << true;
        QTest::newRow("extra child ignored") << list(0, "a", "<Colour>red</Colour>") << QStringList { "a" } << true;
    }

    void readingRules()
    {
        QFETCH(QByteArray, body);
        QFETCH(QStringList, ids);
        QFETCH(bool, honoured);
        QStringList got;
        for (const DockIconRecord &r : parsed("<Zorvane>" + body + "</Zorvane>"))
            got << r.IconID;
        QCOMPARE(got, ids);

        // Read from a file: one whose ids were not honoured is kept as it
        // was before a save numbers its rows anew, and only once.
        QTemporaryDir d;
        const QString p = TestEnv::writeFile(d.path() + "/m.xml", "<Zorvane>" + body + "</Zorvane>");
        QList<DockIconRecord> rows;
        QCOMPARE(DockFile::read(p, &rows), DockFile::ReadStatus::Read);
        QCOMPARE(rows.size(), ids.size());
        QCOMPARE(QFile::exists(p + ".bad"), !honoured);
        DockFile::read(p, &rows);
        QVERIFY(!QFile::exists(p + ".bad.1"));
        if (!honoured)
            QCOMPARE(TestEnv::readFile(p + ".bad"), "<Zorvane>" + body + "</Zorvane>");
    }

    void missingFieldIsEmptyAndOtherRootIsRead()
    {
        const QList<DockIconRecord> rows = parsed("<History><List id=\"0\"><IconID>a</IconID></List></History>");
        QCOMPARE(rows.size(), 1);
        QVERIFY(rows.first().Path.isEmpty());
        QTableWidget t(0, 6);
        DockFile::toTable(&t, rows);
        QVERIFY(t.item(0, 4)); // every cell holds an item, also for a missing field
        QCOMPARE(DockFile::rowOf(&t, 0).IconID, QString("a"));
    }

    void malformedFileIsKeptAsBad()
    {
        QTemporaryDir d;
        const QString p = d.path() + "/Zorvane.xml";
        QFile f(p);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<Zorvane><List id=\"0\"><IconID>mine</IconID>");
        f.close();
        QVERIFY(DockFile::read(p).isEmpty());
        QVERIFY(QFile::exists(p + ".bad"));
        QVERIFY(DockFile::write(p, dockPresetRows()));
        QFile bad(p + ".bad");
        QVERIFY(bad.open(QIODevice::ReadOnly));
        QVERIFY(bad.readAll().contains("mine"));
        QCOMPARE(DockFile::read(p).size(), 14);
        QVERIFY(DockFile::read(d.path() + "/missing.xml").isEmpty());
        QVERIFY(!DockFile::write(d.path() + "/no/folder/x.xml", QList<DockIconRecord>()));
    }

    void tableHelpers()
    {
        QTableWidget t(0, 6);
        DockFile::toTable(&t, dockPresetRows());
        QCOMPARE(DockFile::findRow(&t, 3, "WEATHER"), 4);
        QCOMPARE(DockFile::findRow(&t, 3, "weather"), -1);
        QVERIFY(DockFile::anyCellEquals(&t, "LAUNCHPAD"));
        QVERIFY(!DockFile::anyCellEquals(&t, "LAUNCH"));
        DockFile::toTable(&t, {});
        QCOMPARE(t.rowCount(), 0);
    }

    void newIds()
    {
        const QDateTime t(QDate(2026, 1, 2), QTime(3, 7, 0, 45));
        QCOMPARE(IconIds::newId(t), QString("ico0704545"));
        QCOMPARE(IconIds::newId(QDateTime(QDate(2026, 1, 2), QTime(3, 7, 0, 0))), QString("ico070000"));
        QCOMPARE(IconIds::newId(QDateTime(QDate(2026, 1, 2), QTime(3, 59, 9, 999))), QString("ico59999999"));
        // Same minute and millisecond, another hour and second: the same ID
        // (the widget steps past a taken one).
        QCOMPARE(IconIds::newId(QDateTime(QDate(2026, 5, 2), QTime(9, 7, 31, 45))), IconIds::newId(t));
        FakeClock clock(t);
        QCOMPARE(IconIds::newId(), QString("ico0704545"));
        // Every new and preset ID may name a file.
        QVERIFY(IconIds::isSafeFileName(IconIds::newId()));
        for (const DockIconRecord &r : dockPresetRows())
            QVERIFY(IconIds::isSafeFileName(r.IconID));
    }

    void idsFromFilesNameNoPathUnlessSafe_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("safe");
        QTest::newRow("new") << "ico0704545" << true;
        QTest::newRow("climbs out") << "../../home/x/precious" << false;
        QTest::newRow("climbs out behind the prefix") << "ico1/../../x" << false;
        QTest::newRow("absolute") << "/etc/passwd" << false;
        QTest::newRow("option") << "-rf" << false;
        QTest::newRow("hidden") << ".ico1" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("letters") << "icoOther" << false;
        QTest::newRow("the icon file's own name") << "Zorvane" << false;
        QTest::newRow("line break") << "ico1\n" << false;
        QTest::newRow("space") << "ico 1" << false;
        QTest::newRow("not ASCII") << "ico计算机" << false;
        QTest::newRow("endless") << "ico" + QString(200, '1') << false;
    }

    void idsFromFilesNameNoPathUnlessSafe()
    {
        QFETCH(QString, id);
        QFETCH(bool, safe);
        QCOMPARE(IconIds::isSafeFileName(id), safe);
        QCOMPARE(IconIds::menuFilePath(id).isEmpty(), !safe);
        if (safe)
            QVERIFY(IconIds::menuFilePath(id).endsWith("/" + id + ".xml"));
    }

    void hostileFilesAreNotRead()
    {
        QTemporaryDir d;
        QList<DockIconRecord> rows;
        // Deeper than the format ever goes: refused before any DOM, kept aside.
        QByteArray deep = "<Zorvane>";
        for (int i = 0; i < 30000; ++i)
            deep += "<List id=\"0\"><Name>";
        const QString p = TestEnv::writeFile(d.path() + "/Zorvane.xml", deep);
        QCOMPARE(DockFile::read(p, &rows), DockFile::ReadStatus::Unreadable);
        QVERIFY(rows.isEmpty());
        QVERIFY(QFile::exists(p + ".bad"));
        // Not a file at all: refused at once, nothing to keep.
        const QString pipe = d.path() + "/pipe.xml";
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        QCOMPARE(DockFile::read(pipe, &rows), DockFile::ReadStatus::Unreadable);
        QVERIFY(QFile::link("/dev/zero", d.path() + "/zero.xml"));
        QCOMPARE(DockFile::read(d.path() + "/zero.xml", &rows), DockFile::ReadStatus::Unreadable);
        QVERIFY(!QFile::exists(pipe + ".bad") && !QFile::exists(d.path() + "/zero.xml.bad"));
        // A link to a file that is not ours (a menu file pointing at a
        // system file): not read, and nothing of it copied into our folder.
        const QString foreign = TestEnv::writeFile(d.path() + "/shadow", "root:$6$x:1::::::");
        const QString menu = d.path() + "/ico1234567.xml";
        QVERIFY(QFile::link(foreign, menu));
        QCOMPARE(DockFile::read(menu, &rows), DockFile::ReadStatus::Unreadable);
        QVERIFY(!QFile::exists(menu + ".bad"));
        QVERIFY(DockFile::write(menu, dockPresetRows()));
        QCOMPARE(TestEnv::readFile(foreign), QByteArray("root:$6$x:1::::::"));
        QCOMPARE(DockFile::read(menu, &rows), DockFile::ReadStatus::Read);
        QCOMPARE(DockFile::read(d.path() + "/none.xml", &rows), DockFile::ReadStatus::Missing);
        QVERIFY(DockFile::write(p, dockPresetRows()));
        QCOMPARE(DockFile::read(p, &rows), DockFile::ReadStatus::Read);
        QCOMPARE(rows.size(), 14);
    }
};

ZV_TEST_MAIN(TestDockFile)
#include "tst_dockfile.moc"
