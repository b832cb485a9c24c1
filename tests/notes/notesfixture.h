#pragma once
// What the tests of the notes program share: a private note file, the file
// as the next start reads it, and a manager whose end is recorded.
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
inline constexpr int ColId = NoteRow::ColId, ColStyle = NoteRow::ColStyle, ColText = NoteRow::ColText,
              ColX = NoteRow::ColX, ColW = NoteRow::ColW;

inline QString notePath() { return Widget::noteFilePath(); }

inline void writeNotes(const QByteArray &lists, const char *root = "Mirelka")
{
    TestEnv::writeFile(notePath(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<" + QByteArray(root) + ">" + lists
                                       + "</" + root + ">\n");
}

// The file as the next start would read it.
inline QList<QStringList> fileRows()
{
    QList<NoteRow> notes;
    read(notePath(), &notes);
    QList<QStringList> rows;
    for (const NoteRow &n : notes)
        rows << QStringList({ n.id, n.style, n.text, n.x, n.y, n.w, n.h });
    return rows;
}

inline QByteArray noteList(int id, const QString &noteId, const QString &style, const QString &geometry,
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
inline QString shortLines(int lines)
{
    QStringList out;
    for (int i = 0; i < lines; ++i)
        out << QString("便签第%1行。").arg(i % 10000, 4, 10, QLatin1Char('0'));
    return out.join('\n');
}

inline QTextEdit *editorOf(FormNote *note)
{
    return note->findChild<QTextEdit *>(QStringLiteral("textEdit"));
}

