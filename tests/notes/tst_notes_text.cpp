// A note's texts show whole, at whatever scale the test runs (it runs at 100 %
// and at 200 %), and a new note writes in the face and size of its document.
#include "notes/formnote.h"
#include "common/fonts.h"
#include "testenv.h"
#include "textfit.h"

#include <QApplication>
#include <QFontInfo>
#include <QTextEdit>
#include <QtTest>

class TestNotesText : public QObject
{
    Q_OBJECT
private slots:
    // The programs find their fonts as they do at their start.
    void initTestCase() { Fonts::installSubstitutions(); }

    void deletePanelShowsItsTextsWhole()
    {
        FormNote note;
        note.setNoteData("Note1", "style1", "", "", "", "350", "260");
        note.show();
        note.onButton("Delete");
        QVERIFY(note.findChild<QWidget *>("frameDD")->isVisible());
        const QStringList clipped = clippedTexts(&note);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join('\n')));
    }

    void newNoteWritesInTheDocumentsFont()
    {
        FormNote note;
        note.setNoteData("Note1", "style1", "", "", "", "350", "260");
        auto *edit = note.findChild<QTextEdit *>("textEdit");
        QTest::keyClicks(edit, "x");
        const QFont typed = edit->currentCharFormat().font();
        QCOMPARE(typed.pointSize(), 9);
        QCOMPARE(typed.family(), QString("SimSun"));
        // The saved text carries the face, so the note reads back the same.
        QVERIFY(edit->toHtml().contains("SimSun"));
    }

    // The font dialog lists installed faces only: it opens on the face the
    // note really shows, not on the first of its list.
    void fontDialogOpensOnTheFaceShown()
    {
        const QFont simSun("SimSun", 9);
        const QFont start = FormNote::dialogStartFont(simSun);
        QCOMPARE(start.family(), QFontInfo(simSun).family());
        QCOMPARE(start.pointSize(), 9);
        QCOMPARE(QFontInfo(start).family(), QFontInfo(simSun).family());
    }
};

ZV_TEST_MAIN(TestNotesText)
#include "tst_notes_text.moc"
