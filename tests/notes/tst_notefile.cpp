#include "notes/notefile.h"
#include "testenv.h"

#include <QApplication>
#include <QDomDocument>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace NoteFile;

static void writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}

static QTableWidget *newTable()
{
    auto *t = new QTableWidget(0, ColumnCount);
    return t;
}

static void addRow(QTableWidget &t, const QStringList &cells)
{
    const int r = t.rowCount();
    insertEmptyRow(t, r);
    for (int c = 0; c < cells.size(); ++c)
        setCell(t, r, c, cells[c]);
}

static QStringList rowOf(const QTableWidget &t, int r)
{
    QStringList out;
    for (int c = 0; c < ColumnCount; ++c)
        out << cell(t, r, c);
    return out;
}

static QByteArray list(const QString &attrs, const QString &children)
{
    return QString("<List%1>%2</List>").arg(attrs, children).toUtf8();
}

class TestNoteFile : public QObject
{
    Q_OBJECT
private slots:
    void roundTripKeepsHtmlAndOrder()
    {
        QTemporaryDir d;
        const QString path = d.path() + "/Mirelka.xml";
        QScopedPointer<QTableWidget> t(newTable());
        const QString html = "<html><body><p>a &lt; b &amp;&amp; c > d \"q\" 'x' 中文</p>\n<p>&amp;nbsp;]]></p></body></html>";
        addRow(*t, { "Note0704545", "style3", html, "10", "-20", "350", "260" });
        addRow(*t, { "Note0704546", "style1", "", "", "", "350", "260" });
        addRow(*t, { "Note5900000", "style7", "plain < & text", "0", "0", "200", "160" });
        const QByteArray data = build(*t);
        QVERIFY(data.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Mirelka>\n    <List id=\"0\">\n        <NoteID>"));
        writeFile(path, data);

        QScopedPointer<QTableWidget> back(newTable());
        addRow(*back, { "stale" }); // reading starts from an empty table
        QCOMPARE(read(path, *back), ReadResult::Read);
        QCOMPARE(back->rowCount(), 3);
        for (int r = 0; r < 3; ++r)
            QCOMPARE(rowOf(*back, r), rowOf(*t, r));
        // The same table writes the same bytes again.
        QCOMPARE(build(*back), data);
    }

    void writtenLayoutIsTheDocumentedOne()
    {
        QScopedPointer<QTableWidget> t(newTable());
        addRow(*t, { "A", "style1", "x", "1", "2", "3", "4" });
        addRow(*t, { "B", "style2", "y", "5", "6", "7", "8" });
        QDomDocument doc;
        QVERIFY(doc.setContent(build(*t)));
        QCOMPARE(doc.firstChild().nodeName(), QString("xml"));
        const QDomElement root = doc.documentElement();
        QCOMPARE(root.tagName(), QString("Mirelka"));
        const QDomNodeList lists = root.childNodes();
        QCOMPARE(lists.size(), 2);
        QCOMPARE(lists.at(1).toElement().attribute("id"), QString("1"));
        QStringList tags;
        for (QDomNode n = lists.at(1).firstChild(); !n.isNull(); n = n.nextSibling())
            tags << n.toElement().tagName() + "=" + n.toElement().text();
        QCOMPARE(tags, QStringList({ "NoteID=B", "STYLE=style2", "TEXT=y", "XX=5", "YY=6", "WW=7", "HH=8" }));
    }

    void emptyTableWritesRootWithoutChildren()
    {
        QScopedPointer<QTableWidget> t(newTable());
        QDomDocument doc;
        QVERIFY(doc.setContent(build(*t)));
        QCOMPARE(doc.documentElement().tagName(), QString("Mirelka"));
        QVERIFY(!doc.documentElement().hasChildNodes());
    }

    void controlCharactersCannotSpoilTheFile()
    {
        QTemporaryDir d;
        const QString path = d.path() + "/Mirelka.xml";
        QScopedPointer<QTableWidget> t(newTable());
        addRow(*t, { "A", "style1", QString("be") + QChar(0x01) + "fore" + QChar(0x0b) + "after", "", "", "350", "260" });
        writeFile(path, build(*t));
        QScopedPointer<QTableWidget> back(newTable());
        QCOMPARE(read(path, *back), ReadResult::Read);
        QCOMPARE(cell(*back, 0, ColText), QString("beforeafter"));
    }

    void readingRules_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QStringList>("ids"); // the ID cells, in row order

        QTest::newRow("ids in order") << list(" id=\"0\"", "<NoteID>a</NoteID>") + list(" id=\"1\"", "<NoteID>b</NoteID>")
                                      << QStringList({ "a", "b" });
        QTest::newRow("same id inserts before")
            << list(" id=\"0\"", "<NoteID>a</NoteID>") + list(" id=\"0\"", "<NoteID>b</NoteID>")
            << QStringList({ "b", "a" });
        QTest::newRow("missing id is row 0")
            << list(" id=\"0\"", "<NoteID>a</NoteID>") + list("", "<NoteID>b</NoteID>")
            << QStringList({ "b", "a" });
        QTest::newRow("id not a number is row 0")
            << list(" id=\"0\"", "<NoteID>a</NoteID>") + list(" id=\"x1\"", "<NoteID>b</NoteID>")
            << QStringList({ "b", "a" });
        QTest::newRow("id past the end is dropped")
            << list(" id=\"0\"", "<NoteID>a</NoteID>") + list(" id=\"2\"", "<NoteID>b</NoteID>")
                   + list(" id=\"1\"", "<NoteID>c</NoteID>")
            << QStringList({ "a", "c" });
        QTest::newRow("negative id is dropped")
            << list(" id=\"-1\"", "<NoteID>a</NoteID>") + list(" id=\"0\"", "<NoteID>b</NoteID>")
            << QStringList({ "b" });
        QTest::newRow("any element name is a row")
            << QByteArray("<Note id=\"0\"><NoteID>a</NoteID></Note>") << QStringList({ "a" });
        QTest::newRow("no rows") << QByteArray() << QStringList();
    }

    void readingRules()
    {
        QFETCH(QByteArray, body);
        QFETCH(QStringList, ids);
        QTemporaryDir d;
        const QString path = d.path() + "/Mirelka.xml";
        writeFile(path, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Mirelka>" + body + "</Mirelka>");
        QScopedPointer<QTableWidget> t(newTable());
        QCOMPARE(read(path, *t), ReadResult::Read);
        QStringList got;
        for (int r = 0; r < t->rowCount(); ++r)
            got << cell(*t, r, ColId);
        QCOMPARE(got, ids);
    }

    void cellsByTagName()
    {
        QTemporaryDir d;
        const QString path = d.path() + "/Mirelka.xml";
        // Tags in another order, an unknown tag, a repeated tag, missing XX/YY/HH.
        writeFile(path, "<Mirelka><List id=\"0\"><WW>300</WW><Other>?</Other><TEXT>first</TEXT>"
                        "<NoteID>n</NoteID><TEXT>second</TEXT><STYLE>style2</STYLE><stYLE>no</stYLE></List></Mirelka>");
        QScopedPointer<QTableWidget> t(newTable());
        QCOMPARE(read(path, *t), ReadResult::Read);
        QCOMPARE(rowOf(*t, 0), QStringList({ "n", "style2", "second", "", "", "300", "" }));
        // Missing elements are real, empty cells.
        QVERIFY(t->item(0, ColX));
        QVERIFY(t->item(0, ColH));
    }

    void wrongRootIsReadAllTheSame()
    {
        QTemporaryDir d;
        const QString path = d.path() + "/Mirelka.xml";
        writeFile(path, "<History><List id=\"0\"><NoteID>a</NoteID></List></History>");
        QScopedPointer<QTableWidget> t(newTable());
        QCOMPARE(read(path, *t), ReadResult::WrongRoot);
        QCOMPARE(t->rowCount(), 1);
        QCOMPARE(cell(*t, 0, ColId), QString("a"));
    }

    void missingAndBrokenFiles()
    {
        QTemporaryDir d;
        const QString path = d.path() + "/Mirelka.xml";
        QScopedPointer<QTableWidget> t(newTable());
        QCOMPARE(read(path, *t), ReadResult::Missing);
        writeFile(path, "<Mirelka><List id=\"0\"><NoteID>a</NoteID></List>"); // cut short
        addRow(*t, { "old" });
        QCOMPARE(read(path, *t), ReadResult::Unreadable);
        QCOMPARE(t->rowCount(), 0);
        writeFile(path, "");
        QCOMPARE(read(path, *t), ReadResult::Unreadable);
    }
};

ZV_TEST_MAIN(TestNoteFile)
#include "tst_notefile.moc"
