#include "notes/notefile.h"
#include "notes/notegeometry.h"
#include "testenv.h"

#include <QApplication>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace NoteFile;

namespace {

void writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}

void addRow(QTableWidget &t, const QStringList &cells)
{
    const int r = t.rowCount();
    insertEmptyRow(t, r);
    for (int c = 0; c < cells.size(); ++c)
        setCell(t, r, c, cells[c]);
}

QStringList row(const QTableWidget &t, int r)
{
    QStringList out;
    for (int c = 0; c < ColumnCount; ++c)
        out << cell(t, r, c);
    return out;
}

} // namespace

class TestNoteFile : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path() const { return m_dir.path() + "/Mirelka.xml"; }

private slots:
    void roundTripKeepsHtmlAndOrder()
    {
        QTableWidget t(0, ColumnCount);
        const QString html = "<html><body><p>a &lt; b &amp;&amp; c > d \"q\" 中文</p>\n<p>]]></p></body></html>";
        addRow(t, { "Note0704545", "style3", html, "10", "-20", "350", "260" });
        addRow(t, { "Note0704546", "style1", "", "", "", "350", "260" });
        // A pasted control character would make the file unreadable, and all notes with it.
        addRow(t, { "Note5900000", "style7", QString("be") + QChar(0x01) + "fore", "0", "0", "200", "160" });
        const QByteArray data = build(t);
        QVERIFY(data.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Mirelka>\n    <List id=\"0\">\n"
                                "        <NoteID>Note0704545</NoteID>\n        <STYLE>"));
        writeFile(path(), data);

        QTableWidget back(0, ColumnCount);
        addRow(back, { "stale" }); // reading starts from an empty table
        QCOMPARE(read(path(), back), ReadResult::Read);
        QCOMPARE(back.rowCount(), 3);
        QCOMPARE(row(back, 0), row(t, 0));
        QCOMPARE(row(back, 1), row(t, 1));
        QCOMPARE(cell(back, 2, ColText), QString("before"));
        QVERIFY(build(back).contains("<List id=\"2\">"));
    }

    void readingRules_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("ids"); // the ID cells in row order
        auto list = [](const char *attrs, const char *id) {
            return QByteArray("<List") + attrs + "><NoteID>" + id + "</NoteID></List>";
        };
        QTest::newRow("in order") << list(" id=\"0\"", "a") + list(" id=\"1\"", "b") << "a b";
        QTest::newRow("same id goes before") << list(" id=\"0\"", "a") + list(" id=\"0\"", "b") << "b a";
        QTest::newRow("missing id is 0") << list(" id=\"0\"", "a") + list("", "b") << "b a";
        QTest::newRow("id not a number is 0") << list(" id=\"0\"", "a") + list(" id=\"x1\"", "b") << "b a";
        QTest::newRow("id past the end is dropped")
            << list(" id=\"0\"", "a") + list(" id=\"2\"", "b") + list(" id=\"1\"", "c") << "a c";
        QTest::newRow("negative id is dropped") << list(" id=\"-1\"", "a") + list(" id=\"0\"", "b") << "b";
        QTest::newRow("any element is a row") << QByteArray("<Note id=\"0\"><NoteID>a</NoteID></Note>") << "a";
        QTest::newRow("no rows") << QByteArray() << "";
    }

    void readingRules()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, ids);
        writeFile(path(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Mirelka>" + body + "</Mirelka>");
        QTableWidget t(0, ColumnCount);
        QCOMPARE(read(path(), t), ReadResult::Read);
        QStringList got;
        for (int r = 0; r < t.rowCount(); ++r)
            got << cell(t, r, ColId);
        QCOMPARE(got.join(' '), ids);
    }

    void cellsByTagName()
    {
        // Another order, an unknown tag, a repeated tag, a wrong case, XX/YY/HH missing.
        writeFile(path(), "<Mirelka><List id=\"0\"><WW>300</WW><Other>?</Other><TEXT>first</TEXT>"
                          "<NoteID>n</NoteID><TEXT>second</TEXT><STYLE>style2</STYLE><stYLE>no</stYLE></List></Mirelka>");
        QTableWidget t(0, ColumnCount);
        QCOMPARE(read(path(), t), ReadResult::Read);
        QCOMPARE(row(t, 0), QStringList({ "n", "style2", "second", "", "", "300", "" }));
        QVERIFY(t.item(0, ColX) && t.item(0, ColH)); // real, empty cells
    }

    void deepOrOversizedFilesAreNotRead()
    {
        QTableWidget t(0, ColumnCount);
        QByteArray deep = "<Mirelka>";
        for (int i = 0; i < 30000; ++i)
            deep += "<List id=\"0\">";
        writeFile(path(), deep);
        QCOMPARE(read(path(), t), ReadResult::Unreadable);
        QCOMPARE(t.rowCount(), 0);
        writeFile(path(), "<Mirelka>" + QByteArray(9 * 1024 * 1024, ' ') + "</Mirelka>");
        QCOMPARE(read(path(), t), ReadResult::Unreadable);
    }

    void noteGeometryIsClamped_data()
    {
        QTest::addColumn<bool>("hasPosition");
        QTest::addColumn<QRect>("wanted");
        QTest::addColumn<QRect>("expected");
        const QRect screen(0, 0, 1920, 1080);
        QTest::newRow("inside") << true << QRect(10, 20, 350, 260) << QRect(10, 20, 350, 260);
        QTest::newRow("too large") << true << QRect(0, 0, 100000, 100000) << QRect(0, 0, 1920, 1080);
        QTest::newRow("too small") << true << QRect(5, 5, 0, -3) << QRect(5, 5, 200, 160);
        QTest::newRow("off to the right and below") << true << QRect(5000, 90000, 300, 200) << QRect(1620, 880, 300, 200);
        QTest::newRow("off to the left and above") << true << QRect(-5000, -10, 300, 200) << QRect(0, 0, 300, 200);
        QTest::newRow("no position: size only") << false << QRect(77, 77, 5000, 100) << QRect(0, 0, 1920, 160);
    }

    void noteGeometryIsClamped()
    {
        QFETCH(bool, hasPosition);
        QFETCH(QRect, wanted);
        QFETCH(QRect, expected);
        QCOMPARE(NoteGeometry::clamp(hasPosition, wanted.topLeft(), wanted.size(), QSize(200, 160), QRect(0, 0, 1920, 1080)),
                 expected);
        // A desktop to the left of the primary screen.
        QCOMPARE(NoteGeometry::clamp(true, QPoint(-9000, 0), QSize(300, 200), QSize(200, 160), QRect(-1280, 0, 3200, 1080)),
                 QRect(-1280, 0, 300, 200));
        // No screen known: only the smallest size holds.
        QCOMPARE(NoteGeometry::clamp(true, QPoint(99999, 5), QSize(10, 10), QSize(200, 160), QRect()),
                 QRect(99999, 5, 200, 160));
    }
};

ZV_TEST_MAIN(TestNoteFile)
#include "tst_notefile.moc"
