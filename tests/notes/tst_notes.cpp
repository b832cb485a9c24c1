#include "fakeplatform.h"
#include "fulldisk.h"
#include "messaging.h"
#include "testenv.h"

#include "common/safefile.h"
#include "common/systemmessage.h"
#include "notes/formnote.h"
#include "common/plaintext.h"
#include "notes/notefile.h"
#include "notes/notegeometry.h"
#include "notes/notelimits.h"
#include "notes/notelist.h"
#include "notes/widget.h"
#include "platform/paths.h"
#include "platform/screens.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QRandomGenerator>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QResizeEvent>
#include <QTextEdit>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

#include <memory>
#include <sys/stat.h>

using namespace NoteFile;
constexpr int ColId = NoteRow::ColId, ColStyle = NoteRow::ColStyle, ColText = NoteRow::ColText,
              ColX = NoteRow::ColX, ColW = NoteRow::ColW;

namespace {

QString notePath() { return Widget::noteFilePath(); }

void writeNotes(const QByteArray &lists, const char *root = "Mirelka")
{
    TestEnv::writeFile(notePath(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<" + QByteArray(root) + ">" + lists
                                       + "</" + root + ">\n");
}

// The file as the next start would read it.
QList<QStringList> fileRows()
{
    QList<NoteRow> notes;
    read(notePath(), &notes);
    QList<QStringList> rows;
    for (const NoteRow &n : notes)
        rows << QStringList({ n.id, n.style, n.text, n.x, n.y, n.w, n.h });
    return rows;
}

QByteArray noteList(int id, const QString &noteId, const QString &style, const QString &geometry,
                    const QString &text = QString())
{
    const QStringList g = geometry.split(' '); // "x y w h"
    return QString("<List id=\"%1\"><NoteID>%2</NoteID><STYLE>%3</STYLE><TEXT>%4</TEXT><XX>%5</XX><YY>%6</YY>"
                   "<WW>%7</WW><HH>%8</HH></List>")
        .arg(id)
        .arg(noteId, style, text.toHtmlEscaped(), g.value(0), g.value(1), g.value(2), g.value(3))
        .toUtf8();
}

template <class T>
T *child(QWidget *w, const char *name)
{
    T *c = w->findChild<T *>(QString::fromLatin1(name));
    return c ? c : (qFatal("no child %s", name), nullptr);
}

// A manager whose end is recorded instead of ending the test.
struct Manager
{
    Manager()
    {
        w.setExitFunction([this](int code) { exits << code; });
        // The stored notes after the first open one per pass of the event loop.
        while (w.isOpeningNotes())
            QCoreApplication::processEvents();
    }
    Widget w;
    QList<int> exits;
    // The short line one of the notes shows (the one in use), or empty.
    QString notice() const
    {
        for (const NoteRow &n : w.notes()->rows()) {
            if (!w.noteWindow(n.id)->noticeText().isEmpty())
                return w.noteWindow(n.id)->noticeText();
        }
        return QString();
    }
    // Until what waits for the end of the save gap is on the disk.
    void waitForSave() const { QTRY_VERIFY(!w.isSavePending()); }
    QStringList ids() const
    {
        QStringList out;
        for (const NoteRow &n : w.notes()->rows())
            out << n.id;
        return out;
    }
};

// Notes of short lines, ten characters to a line with its end. As rich text
// a line takes some 150 bytes of markup.
QString shortLines(int lines)
{
    QStringList out;
    for (int i = 0; i < lines; ++i)
        out << QString("便签第%1行。").arg(i % 10000, 4, 10, QLatin1Char('0'));
    return out.join('\n');
}

QTextEdit *editorOf(FormNote *note)
{
    return note->findChild<QTextEdit *>(QStringLiteral("textEdit"));
}

} // namespace

class TestNotes : public QObject
{
    Q_OBJECT
private slots:
    void init() { QDir(platform::appConfigFolder()).removeRecursively(); }

    void firstStartMakesOneNote()
    {
        FakeClock clock; // 03:07:00.045
        Manager m;
        QCOMPARE(m.ids(), QStringList({ "Note0704545" }));
        QVERIFY(m.w.noteWindow("Note0704545")->isVisible());
        QVERIFY(m.w.isListening());
        m.waitForSave();
        const QList<QStringList> rows = fileRows();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].mid(ColId, 2), QStringList({ "Note0704545", "style1" }));
        QCOMPARE(rows[0].mid(ColW, 2), QStringList({ "350", "260" }));
        QVERIFY(!rows[0][ColX].isEmpty()); // shown, so placed
        // The first note stands in the middle of the screen.
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(m.w.noteWindow("Note0704545")->geometry().center(), area.center());
        QCOMPARE(rows[0].mid(ColX, 2), QStringList({ QString::number(area.center().x() - 174),
                                                      QString::number(area.center().y() - 129) }));
    }

    // "+" on a note's bar (or its menu's entry) opens the new note beside
    // that one, not over it, whole on the screen's free area, and gives it
    // the keyboard: what the user types next goes into it.
    void anAddedNoteTakesTheKeyboardBesideItsNote()
    {
        const QRect area = platform::ScreensService::get().availableGeometryAt(QPoint(0, 0));
        writeNotes(noteList(0, "NoteA", "style1", QString("%1 %2 350 260").arg(area.left() + 100).arg(area.top() + 80)));
        Manager m;
        FormNote *a = m.w.noteWindow("NoteA");
        a->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), a);
        QTest::keyClicks(QApplication::focusWidget(), "a");
        child<QPushButton>(a, "pushButtonAdd")->click();
        QCOMPARE(m.ids().size(), 2);
        FormNote *b = m.w.noteWindow(m.ids().last());
        QTRY_COMPARE(QApplication::activeWindow(), b);
        QCOMPARE(b->pos(), a->pos() + QPoint(30, 30));
        QTest::keyClicks(QApplication::focusWidget(), "BBB");
        QCOMPARE(child<QTextEdit>(b, "textEdit")->toPlainText(), QString("BBB"));
        QCOMPARE(child<QTextEdit>(a, "textEdit")->toPlainText(), QString("a"));
        m.waitForSave();
        QCOMPARE(fileRows()[1].mid(ColX, 2), QStringList({ QString::number(b->x()), QString::number(b->y()) }));

        // Another one from the same note does not cover the one added before.
        QScopedPointer<QMenu> menu(a->createContextMenu());
        menu->actions().at(menu->actions().size() - 4)->trigger(); // 添加便签
        FormNote *c = m.w.noteWindow(m.ids().last());
        QCOMPARE(c->pos(), a->pos() + QPoint(60, 60));
        QTRY_COMPARE(QApplication::activeWindow(), c);

        // In the screen's bottom right corner, the next turns back onto the area.
        a->move(area.bottomRight() - QPoint(a->width() - 1, a->height() - 1));
        m.w.onButton("NoteA", "Add");
        FormNote *d = m.w.noteWindow(m.ids().last());
        QVERIFY(area.contains(d->geometry()));
        QVERIFY(d->pos() != a->pos());
        QCOMPARE(d->pos(), a->pos() + QPoint(-30, 0));
    }

    void besidePlaceKeepsOnTheArea_data()
    {
        QTest::addColumn<QRect>("from");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QPoint>("place");
        const QRect area(0, 30, 1000, 700); // a panel at the top
        QTest::newRow("room below and right") << QRect(100, 100, 350, 260) << area << QPoint(130, 130);
        QTest::newRow("at the right edge") << QRect(650, 100, 350, 260) << area << QPoint(650, 130);
        QTest::newRow("at the bottom edge") << QRect(100, 470, 350, 260) << area << QPoint(130, 470);
        QTest::newRow("in the corner") << QRect(650, 470, 350, 260) << area << QPoint(620, 470);
        QTest::newRow("as large as the area") << QRect(0, 30, 1000, 700) << area << QPoint(30, 60);
        QTest::newRow("no area known") << QRect(-50, -50, 350, 260) << QRect() << QPoint(-20, -20);
    }
    void besidePlaceKeepsOnTheArea()
    {
        QFETCH(QRect, from);
        QFETCH(QRect, area);
        QFETCH(QPoint, place);
        const QSize note(350, 260);
        const QPoint p = NoteGeometry::besidePlace(note, from, area, {});
        QCOMPARE(p, place);
        if (area.isValid())
            QVERIFY(area.contains(QRect(p, note)));
        // A place taken by another note is passed over while the area leaves another.
        const QPoint next = NoteGeometry::besidePlace(note, from, area, { p });
        QVERIFY(next != p && next != from.topLeft());
    }

    void storedNotesOpenAsStored()
    {
        writeNotes(noteList(0, "NoteA", "style2", "40 50 300 200", "<p>1 &amp; <b>2</b></p>")
                   + noteList(1, "NoteA", "style7", "  250 180") + "<List id=\"2\"><WW>260</WW></List>");
        Manager m;
        FormNote *a = m.w.noteWindow("NoteA");
        QCOMPARE(a->geometry(), QRect(40, 50, 300, 200));
        QCOMPARE(child<QTextEdit>(a, "textEdit")->toPlainText(), QString("1 & 2"));
        QVERIFY(child<QFrame>(a, "frame")->styleSheet().contains("rgb(192,227,247)"));
        // A doubled or missing ID gets one of its own, so that every stored note shows.
        const QStringList ids = m.ids();
        QCOMPARE(QSet<QString>(ids.begin(), ids.end()).size(), 3);
        QCOMPARE(m.w.noteWindow(ids[1])->size(), QSize(250, 180));
        QCOMPARE(m.w.noteWindow(ids[2])->size(), QSize(260, 160)); // no height: the smallest
        QCOMPARE(fileRows()[2][ColId], ids[2]);
        QVERIFY(!QFile::exists(notePath() + ".bad"));
    }

    void emptyUnreadableOrForeignFiles()
    {
        writeNotes(""); // as left when the last note went
        {
            Manager m;
            QCOMPARE(fileRows().size(), 1);
            QVERIFY(!QFile::exists(notePath() + ".bad"));
        }
        const QByteArray broken = "<Mirelka><List id=\"0\"><NoteID>lost?</NoteID>";
        TestEnv::writeFile(notePath(), broken);
        {
            Manager m;
            QCOMPARE(TestEnv::readFile(notePath() + ".bad"), broken);
            QCOMPARE(fileRows().size(), 1);
        }
        QDir(platform::appConfigFolder()).removeRecursively();
        writeNotes(noteList(0, "NoteH", "style3", "1 2 300 200"), "History");
        const QByteArray other = TestEnv::readFile(notePath());
        Manager m;
        QCOMPARE(m.ids(), QStringList({ "NoteH" }));
        QCOMPARE(TestEnv::readFile(notePath() + ".bad"), other);
        QVERIFY(TestEnv::readFile(notePath()).contains("<Mirelka>"));
    }

    void newIdsAreUnique()
    {
        FakeClock clock;
        writeNotes(noteList(0, "Note0704545", "style1", "1 1 300 200"));
        Manager m;
        m.w.onButton("Note0704545", "Add"); // the stored note's millisecond
        m.w.onButton("Note0704545", "Add"); // twice
        clock.time = clock.time.addSecs(3600); // and an hour later
        m.w.onButton("Note0704545", "Add");
        QStringList ids = m.ids();
        QCOMPARE(QSet<QString>(ids.begin(), ids.end()).size(), 4);
        for (const QString &id : ids)
            QVERIFY(id.startsWith("Note0704545") && m.w.noteWindow(id)->isVisible());
        // A deleted note keeps its window, so its ID is not given out again.
        m.w.onButton(ids.last(), "Delete");
        m.w.onButton(ids.first(), "Add");
        QCOMPARE(m.w.noteWindow(m.ids().last())->id(), m.ids().last());
        QVERIFY(m.w.noteWindow(m.ids().last())->isVisible());
    }

    void commandsAndTheMessageToTheDock()
    {
        RemoteWindow dock("Zorvane-Window");
        QVERIFY(dock.listen());
        writeNotes(noteList(0, "NoteA", "style1", "1 1 300 200") + noteList(1, "NoteB", "style1", "2 2 300 200"));
        Manager m;
        // "Style", unknown IDs and other letter case change nothing and write nothing.
        QFile::remove(notePath());
        m.w.onButton("NoteA", "Style");
        m.w.onButton("NoteX", "Delete");
        m.w.onButton("NoteA", "delete");
        QVERIFY(!QFile::exists(notePath()));
        QCOMPARE(m.ids(), QStringList({ "NoteA", "NoteB" }));

        m.w.onButton("NoteA", "Delete");
        QTRY_COMPARE(fileRows().size(), 1);
        QVERIFY(m.exits.isEmpty() && dock.frames().isEmpty());
        m.w.onButton("NoteB", "Delete"); // the last one
        QVERIFY(TestEnv::readFile(notePath()).contains("<Mirelka/>"));
        QCOMPARE(dock.frames(), QStringList({ "10000:Mirelka,MirelkaClose" }));
        QCOMPARE(m.exits, QList<int>({ 0 }));
    }

    void closeLeavesTheFileAlone()
    {
        {
            Manager m; // no dock listens: the end comes all the same
            m.w.onButton(m.ids().first(), "Close");
            QCOMPARE(m.exits, QList<int>({ 0 }));
        }
        RemoteWindow dock("Zorvane-Window");
        QVERIFY(dock.listen());
        Manager m;
        m.waitForSave();
        const QByteArray before = TestEnv::readFile(notePath());
        m.w.onButton(m.ids().first(), "Close");
        QCOMPARE(TestEnv::readFile(notePath()), before);
        QCOMPARE(dock.frames(), QStringList({ "10000:Mirelka,MirelkaClose" }));
        QCOMPARE(m.exits, QList<int>({ 0 }));
    }

    void closeMirelkaArrivesOverTheTransport()
    {
        Manager m;
        QVERIFY(sendFromAnotherThread("Mirelka", "closemirelka")); // taken and ignored
        QVERIFY(sendFromAnotherThread("Mirelka", "Zorvane,CloseMirelka"));
        QVERIFY(m.exits.isEmpty());
        QVERIFY(sendFromAnotherThread("Mirelka", "CloseMirelka"));
        QCOMPARE(m.exits, QList<int>({ 0 }));
    }

    void noteChangesAreSaved()
    {
        Manager m;
        const QString id = m.ids().first();
        FormNote *note = m.w.noteWindow(id);
        NoteList *list = m.w.notes();
        QSignalSpy inserted(list, &NoteList::rowInserted);
        QSignalSpy removed(list, &NoteList::rowRemoved);
        QSignalSpy changed(list, &NoteList::rowChanged);
        QTest::keyClicks(child<QTextEdit>(note, "textEdit"), "a<b & c");
        QTRY_VERIFY(fileRows()[0][ColText].contains("a&lt;b &amp; c"));
        note->onButton("Style");
        child<QPushButton>(note, "pushButtonStyle4")->click();
        QTRY_COMPARE(fileRows()[0][ColStyle], QString("style4"));
        note->move(123, 45);
        note->resize(400, 300);
        QTRY_COMPARE(fileRows()[0].mid(ColX), QStringList({ "123", "45", "400", "300" }));
        note->onButton("Add");
        note->onButton("Delete");
        child<QPushButton>(note, "pushButtonYes")->click();
        QVERIFY(!note->isVisible());
        QCOMPARE(m.ids().size(), 1);
        QVERIFY(!m.ids().contains(id));
        // The list told its views of each step, the way the file saw it.
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(inserted.at(0).at(0).toInt(), 1);
        QCOMPARE(removed.count(), 1);
        const NoteRow gone = removed.at(0).at(1).value<NoteRow>();
        QCOMPARE(gone.id, id);
        QCOMPARE(gone.style, QString("style4"));
        QCOMPARE(QStringList({ gone.x, gone.y, gone.w, gone.h }), QStringList({ "123", "45", "400", "300" }));
        QVERIFY(changed.count() >= 3); // text, colour, place
    }

    void panelGeometryFollowsTheWidth_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("styleX");
        QTest::addColumn<int>("deleteX");
        // (W - 231) / 2 - 1 and (W - 200) / 2 - 1, the fraction dropped toward zero.
        QTest::newRow("200") << 200 << -16 << -1;
        QTest::newRow("229") << 229 << -2 << 13;
        QTest::newRow("230") << 230 << -1 << 14;
        QTest::newRow("232") << 232 << -1 << 15;
        QTest::newRow("351") << 351 << 59 << 74;
    }
    void panelGeometryFollowsTheWidth()
    {
        QFETCH(int, width);
        QFETCH(int, styleX);
        QFETCH(int, deleteX);
        FormNote note;
        QList<int> report;
        connect(&note, &FormNote::WindowStatus, this,
                [&](QString, int x, int y, int w, int h) { report = { x, y, w, h }; });
        note.move(7, 9);
        QResizeEvent e(QSize(width, 240), note.size());
        QApplication::sendEvent(&note, &e);
        QCOMPARE(child<QFrame>(&note, "frameStyle")->pos(), QPoint(styleX, -25));
        QCOMPARE(child<QFrame>(&note, "frameDD")->pos(), QPoint(deleteX, 60));
        QCOMPARE(report, QList<int>({ 7, 9, width, 240 }));
    }

    void buttonsReachTheManager()
    {
        FormNote note;
        QStringList sent;
        connect(&note, &FormNote::onButtonS, this, [&](QString, QString b) { sent << b; });
        note.onButton("Style");
        note.onButton("Add");
        note.onButton("Other");
        QScopedPointer<QMenu> menu(note.createContextMenu());
        QCOMPARE(menu->actions().last()->text(), QString("退出便签    "));
        menu->actions().last()->trigger();
        QCOMPARE(sent, QStringList({ "Style", "Add", "Close" }));
    }

    void filesThatAreNotFilesNeitherHangNorLeaveNothing()
    {
        // A pipe in place of the file: the start goes on with a new note,
        // whose save puts a real file there.
        QDir().mkpath(platform::appConfigFolder());
        QCOMPARE(::mkfifo(QFile::encodeName(notePath()).constData(), 0600), 0);
        {
            Manager m;
            QCOMPARE(m.ids().size(), 1);
            QVERIFY(QFileInfo(notePath()).isFile());
            QCOMPARE(fileRows().size(), 1);
            QVERIFY(!QFile::exists(notePath() + ".bad"));
        }
        // Nested deeper than any note file: kept aside, and a new note.
        QByteArray deep;
        for (int i = 0; i < 30000; ++i)
            deep += "<List>";
        writeNotes(deep);
        const QByteArray kept = TestEnv::readFile(notePath());
        Manager m;
        QCOMPARE(m.ids().size(), 1);
        QCOMPARE(TestEnv::readFile(notePath() + ".bad"), kept);
    }

    void sizesAndPlacesFromTheFileStayOnTheDesktop()
    {
        const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
        writeNotes(noteList(0, "NoteBig", "style1", "-5000 90000 100000 100000")
                   + noteList(1, "NoteOk", "style1", "10 20 300 200"));
        Manager m;
        const QRect big = m.w.noteWindow("NoteBig")->geometry();
        QVERIFY2(desktop.contains(big), qPrintable(QString("%1 %2 %3 %4").arg(big.x()).arg(big.y()).arg(big.width()).arg(big.height())));
        QCOMPARE(big.size(), desktop.size());
        QCOMPARE(m.w.noteWindow("NoteOk")->geometry(), QRect(10, 20, 300, 200));
        // What is saved back is what is shown.
        const QList<QStringList> rows = fileRows();
        QCOMPARE(rows[0].mid(ColX, 4), QStringList({ QString::number(big.x()), QString::number(big.y()),
                                                     QString::number(big.width()), QString::number(big.height()) }));
    }

    // Stored notes are untrusted: none may make the program open a file or
    // stop answering, and what it does not take stays in the copy kept aside.
    void hostileNotesAreTakenWithinBounds()
    {
        // Named pipes: opening one to read waits for a writer that never comes.
        QDir().mkpath(platform::appConfigFolder());
        QStringList pipes;
        for (const char *name : { "/picture", "/background", "/sheet" }) {
            pipes << platform::appConfigFolder() + name;
            QCOMPARE(::mkfifo(QFile::encodeName(pipes.last()).constData(), 0600), 0);
        }
        const QString longWord = QString(1000000, QLatin1Char('x'));
        const QString nested = QString("<b>").repeated(30000) + "deep";
        writeNotes(noteList(0, "NotePic", "style1", "1 1 300 200",
                            "<html><head><link rel=\"stylesheet\" href=\"" + pipes[2] + "\"></head><body background=\""
                                + pipes[1] + "\"><p>a<img src=\"" + pipes[0] + "\">b</p></body></html>")
                   + noteList(1, "NoteWord", "style1", "2 2 300 200", "<html><body><p>" + longWord + "</p></body></html>")
                   + noteList(2, "NotePlain", "style1", "3 3 300 200", longWord)
                   + noteList(3, "NoteDeep", "style1", "4 4 300 200", nested)
                   + noteList(4, "NoteOk", "style1", "5 5 300 200", "<p>fine <b>bold</b></p>"));
        const QByteArray stored = TestEnv::readFile(notePath());
        QElapsedTimer t;
        t.start();
        Manager m;
        QVERIFY2(t.elapsed() < 5000, "a hostile note held the program up");
        auto text = [&](const char *id) { return child<QTextEdit>(m.w.noteWindow(id), "textEdit"); };
        // The pictures and the style sheet it names are never loaded; its text stays.
        QCOMPARE(text("NotePic")->toPlainText(), QString("a%1b").arg(QChar(QChar::ObjectReplacementCharacter)));
        auto *sealed = qobject_cast<SealedDocument *>(text("NotePic")->document());
        QVERIFY(sealed);
        m.w.noteWindow("NotePic")->grab(); // painted: the picture asked for
        QVERIFY2(sealed->refused() >= 2, qPrintable(QString::number(sealed->refused())));
        for (const QString &p : pipes)
            QFile::remove(p);
        // Too long: cut to what a note holds, rich or plain.
        QCOMPARE(text("NoteWord")->toPlainText(), QString(NoteLimits::MaxCharacters, QLatin1Char('x')));
        QCOMPARE(text("NotePlain")->toPlainText(), QString(NoteLimits::MaxCharacters, QLatin1Char('x')));
        // Nested past what the rich text takes: its words without their formatting.
        QCOMPARE(text("NoteDeep")->toPlainText(), QString("deep"));
        QCOMPARE(text("NoteOk")->toPlainText(), QString("fine bold"));
        // The file as it was is kept; the notes are saved as shown.
        QCOMPARE(TestEnv::readFile(notePath() + ".bad"), stored);
        QVERIFY(!QFile::exists(notePath() + ".bad.1"));
        m.waitForSave();
        const QList<QStringList> rows = fileRows();
        QCOMPARE(rows.size(), 5);
        QVERIFY(rows[1][ColText].size() < 2 * NoteLimits::MaxCharacters);
        QVERIFY(!rows[3][ColText].contains("<b><b>"));

        // What is typed or pasted past the limit is not taken, and the note says so.
        QTextEdit *edit = text("NoteOk");
        QTextCursor c(edit->document());
        c.setPosition(4);
        c.insertText(QString(NoteLimits::MaxCharacters, QLatin1Char('y')));
        QCOMPARE(edit->document()->characterCount() - 1, NoteLimits::MaxCharacters);
        QVERIFY(edit->toPlainText().startsWith("fine" + QString(10, QLatin1Char('y'))));
        QVERIFY(edit->toPlainText().endsWith(" bold"));
        QCOMPARE(m.w.noteWindow("NoteOk")->noticeText(), QString("便签内容已达上限！"));
        QTRY_COMPARE(fileRows()[4][ColText], edit->toHtml());
        // Nor half of a character beyond the first 65536, which shows as
        // nothing and cannot be saved.
        edit->setPlainText(QString(NoteLimits::MaxCharacters - 1, QLatin1Char('e')));
        edit->moveCursor(QTextCursor::End);
        edit->insertPlainText(QString::fromUtf8("🔍🔍"));
        QCOMPARE(edit->toPlainText(), QString(NoteLimits::MaxCharacters - 1, QLatin1Char('e')));
    }

    void noMoreNotesThanTheLimit()
    {
        QByteArray lists;
        for (int i = 0; i < NoteLimits::MaxNotes + 5; ++i)
            lists += noteList(i, QString("Note%1").arg(i), "style1", "1 1 300 200", QString::number(i));
        writeNotes(lists);
        const QByteArray stored = TestEnv::readFile(notePath());
        Manager m;
        QCOMPARE(m.ids().size(), NoteLimits::MaxNotes);
        QCOMPARE(m.ids().last(), QString("Note%1").arg(NoteLimits::MaxNotes - 1));
        QCOMPARE(TestEnv::readFile(notePath() + ".bad"), stored);
        QCOMPARE(fileRows().size(), NoteLimits::MaxNotes);
        // A note more is refused, and the note asked says why.
        m.w.onButton("Note0", "Add");
        QCOMPARE(m.ids().size(), NoteLimits::MaxNotes);
        QCOMPARE(m.w.noteWindow("Note0")->noticeText(), QString("便签数量已达上限！"));
        m.w.onButton("Note1", "Delete");
        m.w.onButton("Note0", "Add");
        QCOMPARE(m.ids().size(), NoteLimits::MaxNotes);
        QCOMPARE(fileRows().size(), NoteLimits::MaxNotes);
    }

    // The whole file is kept before a note is saved cut; where it cannot be
    // (a full disk), the file stays as it is for the run, the note shows as
    // much as it holds, and the user is told.
    void aCutThatCannotBeKeptLeavesTheFileAsItIs_data()
    {
        QTest::addColumn<int>("notes");
        QTest::addColumn<int>("characters");
        QTest::newRow("a long note") << 1 << 100000;
        QTest::newRow("more notes than kept") << NoteLimits::MaxNotes + 5 << 300;
    }
    void aCutThatCannotBeKeptLeavesTheFileAsItIs()
    {
        QFETCH(int, notes);
        QFETCH(int, characters);
        QByteArray lists;
        for (int i = 0; i < notes; ++i)
            lists += noteList(i, QString("Note%1").arg(i), "style1", "1 1 300 200", QString(characters, 'n'));
        writeNotes(lists);
        const QByteArray stored = TestEnv::readFile(notePath());
        QVERIFY(stored.size() > 64 * 1024);
        SafeFile::takeKeptFiles();
        std::unique_ptr<FullDisk> full(new FullDisk(48 * 1024));
        Manager m;
        QCOMPARE(TestEnv::readFile(notePath()), stored);
        QVERIFY(!QFile::exists(notePath() + ".bad"));
        QCOMPARE(m.ids().size(), qMin(notes, NoteLimits::MaxNotes));
        QCOMPARE(child<QTextEdit>(m.w.noteWindow("Note0"), "textEdit")->toPlainText().size(),
                 qMin(characters, NoteLimits::MaxCharacters));
        QTRY_COMPARE(m.notice(), QString("Mirelka.xml 超出上限且无法另存，本次不保存！"));
        full.reset();
        // Not even an edit, with room again: the file is not the notes in memory.
        m.w.setText("Note0", "typed");
        m.w.onButton("Note0", "Add");
        QCOMPARE(TestEnv::readFile(notePath()), stored);
    }

    // One bad byte loses the note that holds it, not the others; the whole
    // file is kept first, and the user is told on a note.
    void aBadByteLosesOneNote_data()
    {
        QTest::addColumn<QByteArray>("bad");
        QTest::newRow("NUL") << QByteArray("lost\0note", 9);
        QTest::newRow("not utf-8") << QByteArray("lost\xe9note");
        QTest::newRow("cut short") << QByteArray();
    }
    void aBadByteLosesOneNote()
    {
        QFETCH(QByteArray, bad);
        QByteArray broken = noteList(1, "NoteB", "style2", "2 2 300 200", "@");
        if (bad.isEmpty()) // the end of the file gone, as after a crash
            broken.chop(broken.size() - broken.indexOf("<XX>"));
        else
            broken.replace("@", bad);
        const QByteArray file = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Mirelka>\n"
            + noteList(0, "NoteA", "style1", "1 1 300 200", "first") + "\n" + broken + "\n"
            + (bad.isEmpty() ? QByteArray() : noteList(2, "NoteC", "style3", "3 3 300 200", "third") + "\n</Mirelka>\n");
        TestEnv::writeFile(notePath(), file);
        SafeFile::takeKeptFiles();
        Manager m;
        const QStringList kept = bad.isEmpty() ? QStringList({ "NoteA" }) : QStringList({ "NoteA", "NoteC" });
        QCOMPARE(m.ids(), kept);
        QCOMPARE(child<QTextEdit>(m.w.noteWindow("NoteA"), "textEdit")->toPlainText(), QString("first"));
        QCOMPARE(TestEnv::readFile(notePath() + ".bad"), file);
        QCOMPARE(fileRows().size(), kept.size());
        QTRY_COMPARE(m.notice(), QString("Mirelka.xml 已损坏，原文件已另存为 Mirelka.xml.bad！"));
    }

    // Room for the copy kept aside, none for the file that replaces it: the
    // note tells both, so that the user knows the notes are not on the disk.
    void aKeptFileThatCannotBeSavedIsToldWithTheFailure()
    {
        // Ids out of order are kept aside; the rewrite, indented, is larger.
        writeNotes(noteList(5, "NoteA", "style1", "1 1 300 200", "first")
                   + noteList(7, "NoteB", "style2", "2 2 300 200", "second"));
        const QByteArray stored = TestEnv::readFile(notePath());
        SafeFile::takeKeptFiles();
        std::unique_ptr<FullDisk> full(new FullDisk(stored.size()));
        Manager m;
        QTRY_COMPARE(m.notice(), QString("Mirelka.xml 已损坏，原文件已另存为 Mirelka.xml.bad！ 便签保存失败！"));
        QCOMPARE(TestEnv::readFile(notePath() + ".bad"), stored);
        QCOMPARE(TestEnv::readFile(notePath()), stored);
        full.reset();
    }

    // A note cut to what it holds is told too, once.
    void aCutNoteIsTold()
    {
        writeNotes(noteList(0, "NoteA", "style1", "1 1 300 200", QString(NoteLimits::MaxCharacters + 10, 'x')));
        SafeFile::takeKeptFiles();
        Manager m;
        QTRY_COMPARE(m.notice(), QString("Mirelka.xml 超出上限，原文件已另存为 Mirelka.xml.bad！"));
        QVERIFY(TestEnv::readFile(notePath() + ".bad").contains(QByteArray(NoteLimits::MaxCharacters + 10, 'x')));
        QVERIFY(SafeFile::takeKeptFiles().isEmpty());
    }

    // Thirty notes of 1,900 short lines (19,000 characters), typed into one
    // after the other: the file is larger than 8 MB, and all of it reads back.
    void theFileWrittenAtTheLimitsReadsBack()
    {
        const QString text = shortLines(1900);
        QStringList shown;
        {
            Manager m;
            for (int i = 0; i < 30; ++i) {
                if (i > 0)
                    m.w.onButton(m.ids().last(), "Add");
                QTextEdit *edit = editorOf(m.w.noteWindow(m.ids().last()));
                edit->insertPlainText(text); // a paste
                QTest::keyClick(edit, Qt::Key_X); // and one character typed
                QCOMPARE(edit->document()->characterCount() - 1, text.size() + 1);
                shown << edit->toPlainText();
            }
            QCOMPARE(m.notice(), QString());
            m.waitForSave();
            QVERIFY(QFileInfo(notePath()).size() > 8 * 1024 * 1024);
            QVERIFY(QFileInfo(notePath()).size() <= NoteLimits::MaxFileBytes);
        }
        SafeFile::takeKeptFiles();
        Manager again;
        QCOMPARE(again.ids().size(), 30);
        for (int i = 0; i < 30; ++i)
            QCOMPARE(editorOf(again.w.noteWindow(again.ids().at(i)))->toPlainText(), shown.at(i));
        QVERIFY(!QFile::exists(notePath() + ".bad"));
        QVERIFY(SafeFile::takeKeptFiles().isEmpty());
    }

    // Seeded random edits, with the formatting that takes the most room in
    // the file, until the limits refuse them: every note, every limit. What
    // the notes show is what is saved, and all of it reads back whole.
    void editsAtTheLimitsReadBackWhole()
    {
        const uint seed = qEnvironmentVariableIsSet("ZV_NOTES_SEED") ? qEnvironmentVariableIntValue("ZV_NOTES_SEED")
                                                                      : 4211u;
        const int steps = qEnvironmentVariableIsSet("ZV_SOAK") ? qEnvironmentVariableIntValue("ZV_SOAK") : 260;
        qInfo("ZV_NOTES_SEED=%u", seed);
        QRandomGenerator rng(seed);
        const QStringList pieces = { "a", "b", "&", "<", "\"", "\n", "\n", "中", "文", "🔍", " ", "x" };
        // Few faces and sizes (each is loaded once), any colour.
        const QStringList families = { "SimSun", "DejaVu Sans" };
        auto randomFormat = [&] {
            QTextCharFormat f;
            f.setFontPointSize(9 + 3 * rng.bounded(3));
            f.setForeground(QColor::fromRgb(rng.generate()));
            f.setFontFamily(families.at(rng.bounded(families.size())));
            f.setFontWeight(rng.bounded(2) ? QFont::Bold : QFont::Normal);
            f.setFontItalic(rng.bounded(2));
            f.setFontUnderline(rng.bounded(2));
            return f;
        };
        QStringList shown;
        int refused = 0;
        {
            Manager m;
            for (int step = 0; step < steps; ++step) {
                const QStringList ids = m.ids();
                FormNote *note = m.w.noteWindow(ids.at(rng.bounded(ids.size())));
                QTextDocument *doc = editorOf(note)->document();
                const int size = doc->characterCount() - 1;
                QTextCursor c(doc);
                // Where a cursor may stand: never between the halves of a character.
                const auto at = [doc](int p) { return doc->characterAt(p).isLowSurrogate() ? p - 1 : p; };
                const int kind = rng.bounded(10);
                if (kind == 0 && ids.size() < NoteLimits::MaxNotes) {
                    m.w.onButton(note->id(), "Add");
                } else if (kind == 1 && size > 0) { // formatted anew
                    const int from = at(rng.bounded(size));
                    c.setPosition(from);
                    c.setPosition(at(from + rng.bounded(size - from) + 1), QTextCursor::KeepAnchor);
                    c.mergeCharFormat(randomFormat());
                } else if (kind == 2 && size > 0) { // cut
                    const int from = at(rng.bounded(size));
                    c.setPosition(from);
                    c.setPosition(at(qMin(size, from + 1 + rng.bounded(200))), QTextCursor::KeepAnchor);
                    c.removeSelectedText();
                } else { // pasted, every character formatted on its own
                    c.setPosition(at(rng.bounded(size + 1)));
                    const int length = 1 + rng.bounded(4000);
                    c.beginEditBlock();
                    for (int i = 0; i < length; ++i)
                        c.insertText(pieces.at(rng.bounded(pieces.size())), randomFormat());
                    c.endEditBlock();
                }
                if (!note->noticeText().isEmpty()) {
                    ++refused;
                    note->showNotice(QString(), 1);
                }
                // What shows is what the file gets.
                const int row = m.w.rowOf(note->id());
                QVERIFY(row >= 0);
                QCOMPARE(m.w.notes()->at(row).text, editorOf(note)->toHtml());
                QVERIFY(doc->characterCount() - 1 <= NoteLimits::MaxCharacters);
            }
            QVERIFY2(refused > 0, "the limits were never reached");
            m.waitForSave();
            QVERIFY2(QFileInfo(notePath()).size() > NoteLimits::MaxFileBytes - 512 * 1024, "the file never filled");
            for (const QString &id : m.ids())
                shown << editorOf(m.w.noteWindow(id))->toHtml();
            QVERIFY(QFileInfo(notePath()).size() <= NoteLimits::MaxFileBytes);
            const QList<QStringList> saved = fileRows();
            QCOMPARE(saved.size(), shown.size());
            for (int i = 0; i < shown.size(); ++i)
                QCOMPARE(saved.at(i).at(ColText), shown.at(i));
        }
        // Read back as the rich text it is: nothing cut, nothing kept aside.
        SafeFile::takeKeptFiles();
        Manager again;
        QCOMPARE(again.ids().size(), shown.size());
        QTextDocument doc;
        for (int i = 0; i < shown.size(); ++i) {
            FormNote *note = again.w.noteWindow(again.ids().at(i));
            QVERIFY(!note->textWasCut());
            doc.setHtml(shown.at(i));
            QCOMPARE(editorOf(note)->toPlainText(), doc.toPlainText());
        }
        QVERIFY(!QFile::exists(notePath() + ".bad"));
        QVERIFY(SafeFile::takeKeptFiles().isEmpty());
    }

    // A file larger than the notes ever take (an older program's, a copy
    // put there): the notes that lie whole within the limit show, the file
    // is kept aside whole, and the user is told.
    void aFileOverTheLimitKeepsItsReadableNotes()
    {
        QTextDocument doc;
        doc.setPlainText(shortLines(2000));
        const QString html = doc.toHtml();
        QList<NoteRow> rows;
        for (int i = 0; i < 70; ++i)
            rows << NoteRow { QString("Note%1").arg(i), "style2", html, "10", "10", "350", "260" };
        const QByteArray stored = NoteFile::build(rows);
        QVERIFY(stored.size() > NoteLimits::MaxFileBytes);
        TestEnv::writeFile(notePath(), stored);
        const int whole = stored.left(int(NoteLimits::MaxFileBytes)).count("</List>");
        QVERIFY(whole > 1 && whole < 70);
        SafeFile::takeKeptFiles();
        Manager m;
        QStringList ids;
        for (int i = 0; i < whole; ++i)
            ids << QString("Note%1").arg(i);
        QCOMPARE(m.ids(), ids);
        QCOMPARE(editorOf(m.w.noteWindow("Note0"))->toPlainText(), shortLines(2000));
        QCOMPARE(TestEnv::readFile(notePath() + ".bad"), stored);
        QTRY_COMPARE(m.notice(), QString("Mirelka.xml 超出上限，原文件已另存为 Mirelka.xml.bad！"));
        m.waitForSave();
        QVERIFY(QFileInfo(notePath()).size() <= NoteLimits::MaxFileBytes);
        QCOMPARE(fileRows().size(), whole);
    }

    // Typing queued in many notes and then the end of the session: the
    // changes are saved together, once by the end, which comes at once.
    void aQuitWithPendingSavesWritesOnceAndEnds()
    {
        QTextDocument doc;
        doc.setPlainText(shortLines(1900));
        QList<NoteRow> rows;
        for (int i = 0; i < 30; ++i)
            rows << NoteRow { QString("Note%1").arg(i), "style1", doc.toHtml(), "10", "10", "350", "260" };
        TestEnv::writeFile(notePath(), NoteFile::build(rows));
        Manager m;
        m.waitForSave();
        const int before = m.w.fileWrites();
        for (const QString &id : m.ids()) {
            QTextEdit *edit = editorOf(m.w.noteWindow(id));
            QCoreApplication::postEvent(edit, new QKeyEvent(QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier, "z"));
            QCoreApplication::postEvent(edit, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Z, Qt::NoModifier, "z"));
        }
        QMetaObject::invokeMethod(&m.w, "saveAndQuit", Qt::QueuedConnection);
        QTRY_COMPARE(m.exits, QList<int>({ 0 }));
        // The first change after a quiet spell may have been saved at once;
        // the others waited for the end, which saved them together.
        QVERIFY2(m.w.fileWrites() - before <= 2, qPrintable(QString::number(m.w.fileWrites() - before)));
        QVERIFY(!m.w.isSavePending());
        const QList<QStringList> saved = fileRows();
        QCOMPARE(saved.size(), 30);
        for (const QStringList &row : saved) {
            doc.setHtml(row[ColText]);
            QVERIFY(doc.toPlainText().startsWith("z便签第0000行。\n"));
        }
    }

    // A session's end saves what still waits and ends as "CloseMirelka" does.
    void aSessionsEndSavesWhatWaits()
    {
        writeNotes(noteList(0, "NoteA", "style1", "10 10 300 200", "before"));
        Manager m;
        {
            FullDisk full;
            m.w.setText("NoteA", "typed while the disk was full");
            m.waitForSave();
        }
        m.w.saveAndQuit();
        QCOMPARE(m.exits, QList<int>({ 0 }));
        QCOMPARE(fileRows()[0][ColText], QString("typed while the disk was full"));
    }

    void failedSaveIsToldOnceAndTheNotesWait()
    {
        writeNotes(noteList(0, "NoteA", "style1", "10 10 300 200", "before"));
        Manager m;
        m.waitForSave();
        FormNote *note = m.w.noteWindow("NoteA");
        const QByteArray before = TestEnv::readFile(notePath());
        {
            FullDisk full;
            m.w.setText("NoteA", "typed while the disk was full");
            QCOMPARE(TestEnv::readFile(notePath()), before);
            QTRY_COMPARE(note->noticeText(), QString("便签保存失败！"));
            note->showNotice("something else");
            m.w.Style("NoteA", "style2"); // fails again: no second notice
            m.waitForSave();
            QTest::qWait(20);
            QCOMPARE(note->noticeText(), QString("something else"));
        }
        // Room again: the next save writes everything kept in memory.
        m.w.Style("NoteA", "style3");
        m.waitForSave();
        QCOMPARE(fileRows()[0][ColText], QString("typed while the disk was full"));
        QCOMPARE(fileRows()[0][ColStyle], QString("style3"));
        // A new streak is told again.
        {
            FullDisk full;
            m.w.Style("NoteA", "style4");
            QTRY_COMPARE(note->noticeText(), QString("便签保存失败！"));
        }
    }
};

ZV_TEST_MAIN(TestNotes)
#include "tst_notes.moc"
