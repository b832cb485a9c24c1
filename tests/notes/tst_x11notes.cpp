// The notes under a real window manager: who gets the keyboard and where a
// note opens. Runs on a private Xvfb with the window manager ZV_TEST_WM
// names; skipped without them.
#include "notes/formnote.h"
#include "notes/notelist.h"
#include "notes/widget.h"
#include "platform/paths.h"
#include "testenv.h"
#include "x11harness.h"

#include <QPushButton>
#include <QTextEdit>

using namespace x11test;

namespace {

bool g_haveX = false;

// Where the window stands on the screen, as the window manager put it.
QRect onScreen(QWidget *w)
{
    xcb_connection_t *c = QX11Info::connection();
    const xcb_window_t id = xcb_window_t(w->winId());
    auto *g = xcb_get_geometry_reply(c, xcb_get_geometry(c, id), nullptr);
    auto *t = xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, id, QX11Info::appRootWindow(), 0, 0),
                                              nullptr);
    const QRect r = g && t ? QRect(t->dst_x, t->dst_y, g->width, g->height) : QRect();
    free(g);
    free(t);
    return r;
}

QTextEdit *editorOf(FormNote *note)
{
    return note->findChild<QTextEdit *>(QStringLiteral("textEdit"));
}

} // namespace

class TestX11Notes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!g_haveX)
            QSKIP("Xvfb or the window manager is not installed");
        QTRY_VERIFY_WITH_TIMEOUT(rootProperty("_NET_SUPPORTING_WM_CHECK") != 0, 10000);
    }
    void init() { QDir(platform::appConfigFolder()).removeRecursively(); }

    // The user types into the first note (in the middle of the screen),
    // clicks "+" on its bar and types on: the new note opens beside the
    // first, where window managers put both in the middle, with the
    // keyboard, and takes what is typed.
    void typingAfterPlusFillsTheNewNote()
    {
        TestEnv::writeFile(Widget::noteFilePath(),
                           "<Mirelka><List id=\"0\"><NoteID>NoteA</NoteID><STYLE>style1</STYLE><TEXT></TEXT>"
                           "<XX></XX><YY></YY><WW>350</WW><HH>260</HH></List></Mirelka>");
        Widget w;
        QList<int> exits;
        w.setExitFunction([&](int code) { exits << code; });
        FormNote *a = w.noteWindow("NoteA");
        QTRY_VERIFY(viewable(a));
        QTextEdit *textA = editorOf(a);
        click(textA->mapToGlobal(textA->rect().center()));
        QTRY_COMPARE(activeWindow(), quint32(a->winId()));
        QVERIFY(typeChord(Qt::Key_A));
        QTRY_COMPARE(textA->toPlainText(), QStringLiteral("a"));

        // The bar's buttons show while the pointer is on the bar.
        auto *plus = a->findChild<QPushButton *>(QStringLiteral("pushButtonAdd"));
        const QPoint onPlus = plus->mapToGlobal(plus->rect().center());
        pointerTo(onPlus);
        QTRY_VERIFY(plus->isVisible());
        click(onPlus);
        QTRY_COMPARE(w.notes()->size(), 2);
        FormNote *b = w.noteWindow(w.notes()->at(1).id);
        QTRY_VERIFY(viewable(b));
        QTRY_COMPARE(activeWindow(), quint32(b->winId()));
        shot(QStringLiteral("note-added"));
        for (int i = 0; i < 3; ++i)
            QVERIFY(typeChord(Qt::SHIFT | Qt::Key_B));
        QTRY_COMPARE(editorOf(b)->toPlainText(), QStringLiteral("BBB"));
        QCOMPARE(textA->toPlainText(), QStringLiteral("a"));

        // Beside the first, not over it, and whole on the screen.
        const QRect first = onScreen(a), added = onScreen(b);
        QVERIFY2(added.topLeft() != first.topLeft(), qPrintable(QString("%1,%2").arg(added.x()).arg(added.y())));
        QVERIFY(QGuiApplication::primaryScreen()->geometry().contains(added));
        QVERIFY(exits.isEmpty());
    }
};

int main(int argc, char *argv[])
{
    return runX11Test<TestX11Notes>(argc, argv, &g_haveX);
}

#include "tst_x11notes.moc"
