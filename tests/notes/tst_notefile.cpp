#include "notes/notefile.h"
#include "notes/notegeometry.h"
#include "notes/notelimits.h"
#include "notes/notelist.h"
#include "testenv.h"

#include <QApplication>
#include <QDomDocument>
#include <QRandomGenerator>
#include <QTextStream>
#include <climits>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace NoteFile;

namespace {

QStringList cells(const NoteRow &n)
{
    return { n.id, n.style, n.text, n.x, n.y, n.w, n.h };
}

QStringList ids(const NoteList &l)
{
    QStringList out;
    for (const NoteRow &n : l.rows())
        out << n.id;
    return out;
}

NoteRow note(const QString &id, const QString &text = QString())
{
    return { id, "style1", text, "", "", "350", "260" };
}

// The note file as QDom wrote it when it was the writer: the writer of today
// writes the same bytes.
QByteArray asQDomWroteIt(const QList<NoteRow> &rows)
{
    QDomImplementation::setInvalidDataPolicy(QDomImplementation::AcceptInvalidChars);
    QDomDocument doc;
    doc.appendChild(doc.createProcessingInstruction("xml", "version=\"1.0\" encoding=\"UTF-8\""));
    QDomElement root = doc.createElement("Mirelka");
    doc.appendChild(root);
    const QStringList tags = { "NoteID", "STYLE", "TEXT", "XX", "YY", "WW", "HH" };
    for (int r = 0; r < rows.size(); ++r) {
        QDomElement list = doc.createElement("List");
        list.setAttribute("id", QString::number(r));
        for (int f = 0; f < tags.size(); ++f) {
            QDomElement e = doc.createElement(tags.at(f));
            e.appendChild(doc.createTextNode(rows.at(r).field(f)));
            list.appendChild(e);
        }
        root.appendChild(list);
    }
    QByteArray out;
    QTextStream ts(&out, QIODevice::WriteOnly);
    ts.setCodec("UTF-8");
    doc.save(ts, 4, QDomNode::EncodingFromDocument);
    ts.flush();
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
        const QString html = "<html><body><p>a &lt; b &amp;&amp; c > d \"q\" 中文</p>\n<p>]]></p></body></html>";
        const QList<NoteRow> rows = {
            { "Note0704545", "style3", html, "10", "-20", "350", "260" },
            { "Note0704546", "style1", "", "", "", "350", "260" },
            // A pasted control character would make the file unreadable, and all notes with it.
            { "Note5900000", "style7", QString("be") + QChar(0x01) + "fore", "0", "0", "200", "160" },
            // Characters beyond the first 65536, an emoji and a rare Chinese one, stay;
            // half a pair standing alone cannot be written and goes.
            { "Note5900001", "style2", QString::fromUtf8("🔍 搜索 𠀀") + QChar(0xD83D) + "x" + QChar(0xDC0D), "0", "0",
              "200", "160" },
        };
        const QByteArray data = build(rows);
        QVERIFY(data.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Mirelka>\n    <List id=\"0\">\n"
                                "        <NoteID>Note0704545</NoteID>\n        <STYLE>"));
        TestEnv::writeFile(path(), data);

        NoteList back;
        back.append(note("stale")); // reading replaces what the list held
        QSignalSpy reset(&back, &NoteList::reset);
        QCOMPARE(read(path(), back), ReadResult::Read);
        QCOMPARE(reset.count(), 1);
        QCOMPARE(back.size(), 4);
        QCOMPARE(back.at(0), rows[0]);
        QCOMPARE(back.at(1), rows[1]);
        QCOMPARE(back.at(2).text, QString("before"));
        QCOMPARE(back.at(3).text, QString::fromUtf8("🔍 搜索 𠀀x"));
        QVERIFY(build(back.rows()).contains("<List id=\"2\">"));
        QCOMPARE(build({}), QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Mirelka/>\n"));
    }

    // Written in one pass, the file is what QDom wrote, byte for byte, and
    // no larger than its rows are counted: an owner can keep it within a
    // size without writing it.
    void theWriterWritesWhatQDomWroteAndWhatItCounts()
    {
        QRandomGenerator rng(42);
        // Texts XML holds as they are: the writer leaves out what it cannot.
        const QStringList pieces = { "a", "<", ">", "]]>", "]>", "&", "&amp;", "\"", "'", "\r", "\n", "\r\n", "\t",
                                     "中", "🔍", "𠀀", " ", "<p style=\" margin:0px;\">", "&lt;" };
        for (int round = 0; round < 200; ++round) {
            QList<NoteRow> rows;
            const int count = rng.bounded(4);
            for (int r = 0; r < count; ++r) {
                NoteRow row = note(QString("Note%1").arg(r));
                for (int f = 0; f < NoteRow::FieldCount; ++f) {
                    QString cell;
                    for (int n = rng.bounded(f == NoteRow::ColText ? 60 : 4); n > 0; --n)
                        cell += pieces.at(rng.bounded(pieces.size()));
                    if (f != NoteRow::ColId)
                        row.setField(f, cell);
                }
                rows << row;
            }
            const QByteArray data = build(rows);
            QCOMPARE(data, asQDomWroteIt(rows));
            qint64 counted = FrameBytes;
            for (const NoteRow &row : rows)
                counted += rowBytes(row);
            QVERIFY2(data.size() <= counted, qPrintable(QString("%1 > %2").arg(data.size()).arg(counted)));
        }
        // A moved, resized, newly coloured row takes no more than it was counted at.
        NoteRow placed = note("Note0704545");
        const qint64 counted = rowBytes(placed);
        placed.x = placed.y = placed.w = placed.h = QString::number(INT_MIN);
        placed.style = "style7";
        QCOMPARE(rowBytes(placed), counted);
        QVERIFY(FrameBytes + counted <= NewNoteBytes);
    }

    void readingRules_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("ids"); // the ID cells in row order
        auto list = [](const char *attrs, const char *id) {
            return QByteArray("<List") + attrs + "><NoteID>" + id + "</NoteID></List>";
        };
        QTest::addColumn<bool>("honoured");
        QTest::newRow("in order") << list(" id=\"0\"", "a") + list(" id=\"1\"", "b") << "a b" << true;
        QTest::newRow("ids in another order") << list(" id=\"1\"", "b") + list(" id=\"0\"", "a") << "a b" << true;
        // Ids out of sequence lose no note: the file order stands.
        QTest::newRow("same id twice") << list(" id=\"0\"", "a") + list(" id=\"0\"", "b") << "a b" << false;
        QTest::newRow("missing id") << list(" id=\"0\"", "a") + list("", "b") << "a b" << false;
        QTest::newRow("id not a number") << list(" id=\"0\"", "a") + list(" id=\"x1\"", "b") << "a b" << false;
        QTest::newRow("id past the end")
            << list(" id=\"0\"", "a") + list(" id=\"5\"", "b") + list(" id=\"1\"", "c") << "a b c" << false;
        QTest::newRow("negative id on the second note")
            << list(" id=\"0\"", "a") + list(" id=\"-1\"", "b") + list(" id=\"2\"", "c") << "a b c" << false;
        QTest::newRow("any element is a row") << QByteArray("<Note id=\"0\"><NoteID>a</NoteID></Note>") << "a" << true;
        QTest::newRow("no rows") << QByteArray() << "" << true;
    }

    void readingRules()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, ids);
        QFETCH(bool, honoured);
        TestEnv::writeFile(path(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Mirelka>" + body + "</Mirelka>");
        NoteList l;
        QCOMPARE(read(path(), l), honoured ? ReadResult::Read : ReadResult::IdsIgnored);
        QCOMPARE(::ids(l).join(' '), ids);
    }

    void cellsByTagName()
    {
        // Another order, an unknown tag, a repeated tag, a wrong case, XX/YY/HH missing.
        TestEnv::writeFile(path(), "<Mirelka><List id=\"0\"><WW>300</WW><Other>?</Other><TEXT>first</TEXT>"
                          "<NoteID>n</NoteID><TEXT>second</TEXT><STYLE>style2</STYLE><stYLE>no</stYLE></List></Mirelka>");
        QList<NoteRow> rows;
        QCOMPARE(read(path(), &rows), ReadResult::Read);
        QCOMPARE(cells(rows.value(0)), QStringList({ "n", "style2", "second", "", "", "300", "" }));
    }

    void badOrForeignFiles()
    {
        NoteList l;
        // Larger than the notes ever take: those that lie whole within the
        // limit are read, as from a file cut there.
        const QByteArray first = "<List id=\"0\"><NoteID>first</NoteID></List>";
        const QByteArray last = "<List id=\"1\"><NoteID>last</NoteID></List>";
        TestEnv::writeFile(path(), "<Mirelka>" + first + QByteArray(int(NoteLimits::MaxFileBytes), ' ') + last
                                       + "</Mirelka>");
        QCOMPARE(read(path(), l), ReadResult::TooLarge);
        QCOMPARE(ids(l), QStringList({ "first" }));
        TestEnv::writeFile(path(), "<Mirelka>" + QByteArray(int(NoteLimits::MaxFileBytes), ' ') + "</Mirelka>");
        QCOMPARE(read(path(), l), ReadResult::TooLarge);
        QVERIFY(l.isEmpty());
        TestEnv::writeFile(path(), "<Mirelka><List id=\"0\"><NoteID>cut");
        QCOMPARE(read(path(), l), ReadResult::Unreadable);
        QCOMPARE(read(m_dir.path(), l), ReadResult::NotAFile);
        QCOMPARE(read(m_dir.path() + "/none.xml", l), ReadResult::Missing);
        // Another root: not ours, but its rows are read all the same.
        TestEnv::writeFile(path(), "<History><List id=\"0\"><NoteID>h</NoteID></List></History>");
        QCOMPARE(read(path(), l), ReadResult::WrongRoot);
        QCOMPARE(ids(l), QStringList({ "h" }));
    }

    // Edits and their signals are the record list's, tested with the dock's
    // icon rows; a note is found by its ID, its text only when asked.
    void notesAreFoundByIdNotByText()
    {
        NoteList l;
        l.append(note("a"));
        l.append(note("b", "Note-a")); // a text that reads like another note's ID
        QCOMPARE(l.indexOfId("b"), 1);
        QCOMPARE(l.indexOfId("Note-a"), -1);
        QCOMPARE(l.findRow(NoteRow::ColText, "Note-a"), 1);
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

    // The first note: the middle of the screen, beside the panel that
    // switched the notes on rather than over it.
    void firstNotePlace_data()
    {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QRect>("avoid");
        QTest::addColumn<QPoint>("expected");
        const QRect screen(0, 0, 1920, 1080);
        // The note is 350 x 260: in the middle its top left is (785, 410).
        QTest::newRow("nothing to avoid") << screen << QRect() << QPoint(785, 410);
        QTest::newRow("a window elsewhere") << screen << QRect(0, 0, 400, 300) << QPoint(785, 410);
        QTest::newRow("the panel in the middle") << screen << QRect(780, 330, 360, 420) << QPoint(1150, 410);
        QTest::newRow("no room on the right") << screen << QRect(700, 200, 1200, 600) << QPoint(340, 410);
        QTest::newRow("no room on either side") << screen << QRect(200, 200, 1500, 600) << QPoint(785, 410);
        QTest::newRow("a second screen") << QRect(1920, 0, 1280, 1024) << QRect(2400, 300, 300, 400)
                                         << QPoint(2710, 382);
    }
    void firstNotePlace()
    {
        QFETCH(QRect, screen);
        QFETCH(QRect, avoid);
        QFETCH(QPoint, expected);
        const QPoint p = NoteGeometry::firstPlace(QSize(350, 260), screen, avoid);
        QCOMPARE(p, expected);
        QVERIFY(screen.contains(QRect(p, QSize(350, 260))));
    }
};

ZV_TEST_MAIN(TestNoteFile)
#include "tst_notefile.moc"
