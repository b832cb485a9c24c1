// What the notes program takes and writes: hostile and oversized notes and
// files, the limits on notes and on the file, and the saves that gather
// changes, all of it read back as the next start reads it.
#include "notesfixture.h"

class TestNoteLimits : public QObject
{
    Q_OBJECT
private slots:
    void init() { QDir(platform::appConfigFolder()).removeRecursively(); }

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
};

ZV_TEST_MAIN(TestNoteLimits)
#include "tst_notelimits.moc"
