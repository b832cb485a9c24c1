#include "notes/notefile.h"
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
};

ZV_TEST_MAIN(TestNoteFile)
#include "tst_notefile.moc"
