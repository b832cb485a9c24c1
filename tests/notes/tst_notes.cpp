#include "notesfixture.h"

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
