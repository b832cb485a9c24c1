// Who gets the keyboard, and which window stands in front, under a real
// window manager: the windows that only show never take the keyboard, those
// the user types in take it when the user opens them and stand over the
// window they were opened from. Runs on a private Xvfb with the window
// manager ZV_TEST_WM names; skipped without them.
#include "dock/editing/formaddurl.h"
#include "dock/editing/formiconsettings.h"
#include "dock/launchpad/formlaunchstarter.h"
#include "dock/menus/formmenuicon.h"
#include "dock/settings/customkeysequenceedit.h"
#include "dock/settings/formsettings.h"
#include "dock/settings/formstartup.h"
#include "dock/tools/formabout.h"
#include "dock/tools/formvesk.h"
#include "dock/window/dockwindows.h"
#include "platform/applicationchooser.h"
#include "testconfig.h"
#include "widgetfixture.h"
#include "x11harness.h"

#include <QCursor>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QStandardPaths>
#include <QToolTip>

using namespace x11test;

namespace {

bool g_haveX = false;

// An icon that shows a picture, of the class given.
DockIconRecord icon(const QString &id, const QString &cls = QStringLiteral("ICON"))
{
    return { id, QStringLiteral(":/image/icon/Finder.png"), id, cls, QString(), QString() };
}

// Whether a window manager may give the window the keyboard: the input
// field of its WM_HINTS, true when it has none.
bool inputHint(QWidget *w)
{
    const QVector<quint32> hints = xprop(w, "WM_HINTS", XCB_ATOM_WM_HINTS);
    return !(hints.value(0) & 1) || hints.value(1) != 0;
}

// Where the window manager stacks the window: its frame among the root's children.
int stackedAt(QWidget *w)
{
    return stackIndex(topOf(xcb_window_t(w->winId())));
}

// A widget's rectangle on the screen once it has stopped moving.
QRect settledOnScreen(QWidget *w)
{
    QRect last;
    for (int i = 0; i < 100; ++i) {
        const QRect now(w->mapToGlobal(QPoint(0, 0)), w->size());
        if (now == last)
            return now;
        last = now;
        QTest::qWait(100);
    }
    return last;
}

// Where the window manager stacks another program's window.
int stackedAt(quint32 id)
{
    return stackIndex(topOf(xcb_window_t(id)));
}

// Answers the next application chooser by hand: picks the entry of that name
// and clicks OK. Runs from the event loop, since the chooser runs its own.
void pickFromNextChooser(const QString &name)
{
    auto *timer = new QTimer;
    auto ticks = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, ticks, name] {
        auto *chooser = qobject_cast<platform::ApplicationChooser *>(QApplication::activeModalWidget());
        if (++*ticks > 250 && chooser) // no such entry: give up, and let the test go on
            chooser->reject();
        if (*ticks > 250) {
            timer->deleteLater();
            timer->stop();
            return;
        }
        if (!chooser || !viewable(chooser))
            return;
        QListWidget *list = chooser->list();
        const QList<QListWidgetItem *> items = list->findItems(name, Qt::MatchExactly);
        if (items.isEmpty())
            return;
        if (!items.first()->isSelected()) {
            list->scrollToItem(items.first());
            clickWith(list->viewport()->mapToGlobal(list->visualItemRect(items.first()).center()), 1);
            return;
        }
        auto *ok = chooser->findChild<QPushButton *>(QStringLiteral("ok"));
        if (!ok || !ok->isEnabled())
            return;
        timer->deleteLater();
        timer->stop();
        clickWith(ok->mapToGlobal(ok->rect().center()), 1);
    });
    timer->start(40);
}

} // namespace

class TestX11Focus : public QObject, public WidgetFixture
{
    Q_OBJECT

    static QRect iconOnScreen(Widget &w, const QString &id) { return w.bar()->iconRectOnScreen(id); }

private slots:
    void initTestCase()
    {
        if (!g_haveX)
            QSKIP("Xvfb or the window manager is not installed");
        QTRY_VERIFY_WITH_TIMEOUT(rootProperty("_NET_SUPPORTING_WM_CHECK") != 0, 10000);
    }
    void init()
    {
        setUpFakes();
        // The real window system and screens; everything else stays fake.
        wins.reset();
        screens.reset();
        active.reset();
        writeDock({ icon("a"), icon("b"), icon("c") });
    }
    void cleanup()
    {
        tearDownFakes();
        QCursor::setPos(960, 300);
        TestConfig::reset();
    }

    // Only the windows the user types in may get the keyboard: the bar, the
    // edge strip, the toast and the first-run prompt say so to the window
    // manager.
    void onlyWindowsTheUserTypesInTakeTheKeyboard()
    {
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        QTRY_VERIFY(viewable(w.autoHide()->strip()));
        w.toast()->ShowMessage(QStringLiteral("未找到计算器！"));
        w.toast()->show();
        FormStartUp *prompt = w.windows()->startUpPrompt();
        prompt->show();
        FormSettings *panel = w.windows()->settingsPanel();
        panel->show();
        QTRY_VERIFY(viewable(w.toast()) && viewable(prompt) && viewable(panel));
        QStringList focusable;
        for (QWidget *shows : { static_cast<QWidget *>(&w), static_cast<QWidget *>(w.autoHide()->strip()),
                                static_cast<QWidget *>(w.toast()), static_cast<QWidget *>(prompt) })
            if (inputHint(shows))
                focusable << shows->objectName();
        QCOMPARE(focusable, QStringList());
        QVERIFY(inputHint(panel));
    }

    // The first-run prompt leaves the keyboard where it is; over a
    // full-screen window, before and after it is closed, the bar keeps out
    // of that window's way.
    void thePromptLeavesTheKeyboardAlone()
    {
        OtherProgram other(QRect(300, 200, 500, 300));
        QTRY_VERIFY(other.hasKeyboard());
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        FormStartUp *prompt = w.windows()->startUpPrompt();
        prompt->show();
        prompt->StartShow();
        QTRY_VERIFY(viewable(prompt));
        QTest::qWait(500);
        QVERIFY(other.hasKeyboard());
        prompt->hide();
        QTRY_VERIFY(!viewable(prompt));
        DockSettings::instance()->setMouseFullScreen(true);
        other.setState(NET::FullScreen, NET::FullScreen);
        QTRY_VERIFY(!w.autoHide()->isDockShown());
        prompt->show();
        prompt->StartShow();
        QTRY_VERIFY(viewable(prompt));
        QTest::qWait(500);
        QVERIFY(other.hasKeyboard());
        QVERIFY(!w.autoHide()->isDockShown());
        shot("prompt-over-full-screen");
        prompt->findChild<QPushButton *>(QStringLiteral("close"))->click();
        QTRY_VERIFY(!viewable(prompt));
        QTest::qWait(500);
        QVERIFY(other.hasKeyboard());
        QVERIFY(!w.autoHide()->isDockShown());
        other.setState({}, NET::FullScreen);
        QTRY_VERIFY(w.autoHide()->isDockShown());
    }

    // The property dialog opened from an icon menu stands in front of the
    // dock window, which holds the menu, and takes the clicks given to it.
    void aDialogFromAMenuStandsInFrontOfTheBar()
    {
        writeDock({ icon("a"), icon("ico1", "MENU"), icon("c") });
        DockFile::write(FormMenu::menuFilePath("ico1"), { FormMenu::backRow(), icon("ico2") });
        OtherProgram other(QRect(200, 100, 600, 400));
        QTRY_VERIFY(other.hasKeyboard());
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        click(iconOnScreen(w, "ico1").center());
        FormMenu *menu = nullptr;
        QTRY_VERIFY((menu = w.menus()->menu("ico1")) && menu->isShown() && menu->iconWidget("ico2"));
        FormMenuIcon *item = menu->iconWidget("ico2");
        const QRect x = settledOnScreen(item);
        // On its picture, as a user aims: the gap beside its name lets clicks through.
        QWidget *picture = item->pictureFrame();
        const QPoint aim = picture->mapToGlobal(picture->rect().center());
        pickFromNextMenu({ QStringLiteral("图标设置") });
        clickWith(aim, 3);
        FormIconSettings *dialog = menu->iconSettingsDialog();
        QTRY_VERIFY(viewable(dialog));
        QTRY_VERIFY(stackedAt(dialog) > stackedAt(&w));
        QTRY_COMPARE(activeWindow(), quint32(dialog->winId()));
        shot("menu-dialog");
        // The bar brought to the front (Alt+D) leaves it in front of the bar.
        w.setShowWindows();
        QTest::qWait(300);
        QVERIFY(stackedAt(dialog) > stackedAt(&w));
        // Dragged over where the menu stood, its name field takes a click.
        dialog->move(x.center() - QPoint(dialog->width() / 2, 240));
        QTRY_VERIFY(QRect(dialog->mapToGlobal(QPoint(0, 0)), dialog->size()).contains(x.center() - QPoint(0, 150)));
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("lineEdit"));
        click(name->mapToGlobal(name->rect().center()));
        QTRY_VERIFY(name->hasFocus());
        auto *close = dialog->findChild<QPushButton *>(QStringLiteral("close"));
        click(close->mapToGlobal(close->rect().center()));
        QTRY_VERIFY(!viewable(dialog));
    }

    // An icon menu opens in front of the dialogs the dock has open, here its
    // own icon's property dialog over where it opens; closed, the dialog
    // stands in front of the bar again.
    void aMenuOpensInFrontOfTheDocksDialogs()
    {
        writeDock({ icon("a"), icon("ico1", "MENU"), icon("c") });
        DockFile::write(FormMenu::menuFilePath("ico1"), { FormMenu::backRow(), icon("m1"), icon("m2"), icon("m3") });
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        const QPoint menuIcon = iconOnScreen(w, "ico1").center();
        pickFromNextMenu({ QStringLiteral("图标设置") });
        clickWith(menuIcon, 3);
        FormIconSettings *dialog = w.windows()->iconSettingsDialog();
        QTRY_VERIFY(viewable(dialog));
        QTRY_COMPARE(activeWindow(), quint32(dialog->winId()));
        QTRY_VERIFY(stackedAt(dialog) > stackedAt(&w));
        // Dragged to just above the icon, where its menu opens.
        dialog->move(menuIcon.x() - dialog->width() / 2, iconOnScreen(w, "ico1").top() - dialog->height() - 20);
        QTest::qWait(200);
        click(menuIcon);
        FormMenu *menu = nullptr;
        QTRY_VERIFY((menu = w.menus()->menu("ico1")) && menu->isShown() && menu->iconWidget("m3"));
        QVERIFY(settledOnScreen(menu->iconWidget("m3")).intersects(dialog->frameGeometry()));
        QTRY_VERIFY(stackedAt(&w) > stackedAt(dialog));
        QTest::qWait(300);
        QVERIFY(stackedAt(&w) > stackedAt(dialog));
        QVERIFY(viewable(dialog));
        shot("menu-over-dialog");
        click(menuIcon);
        QTRY_VERIFY(!menu->isShown());
        QTRY_VERIFY(stackedAt(dialog) > stackedAt(&w));
        shot("dialog-after-menu");
    }

    // The launch pad, opened over another program's window, stays in front
    // with the keyboard after a program was added through its own chooser.
    void theLaunchPadStaysInFrontAfterItsChooser()
    {
        dialogs.reset(); // the real choosers
        TestEnv::writeFile(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                               + QStringLiteral("/applications/zv-tool.desktop"),
                           "[Desktop Entry]\nType=Application\nName=Zv Tool\nExec=/bin/sh\n");
        OtherProgram other(QRect(200, 100, 600, 400));
        QTRY_VERIFY(other.hasKeyboard());
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        FormLaunchStarter *pad = w.launchPad();
        QVERIFY(keys->press(Qt::ALT | Qt::Key_Q));
        QTRY_VERIFY(pad->isShown() && viewable(pad));
        QTRY_COMPARE(activeWindow(), quint32(pad->winId()));
        QTRY_VERIFY(stackedAt(pad) > stackedAt(other.id));
        auto *tools = pad->findChild<QPushButton *>(QStringLiteral("setButton"));
        click(tools->mapToGlobal(tools->rect().center()));
        auto *add = pad->findChild<QPushButton *>(QStringLiteral("addButton"));
        QTRY_VERIFY(add->isVisible() && !add->visibleRegion().isEmpty());
        QTest::qWait(400); // the tool bar slides out
        pickFromNextChooser(QStringLiteral("Zv Tool"));
        click(add->mapToGlobal(add->rect().center()));
        QTRY_VERIFY_WITH_TIMEOUT(pad->findChild<FormSystemHint *>() && pad->findChild<FormSystemHint *>()->isVisible(),
                                 10000);
        QTRY_COMPARE(activeWindow(), quint32(pad->winId()));
        QTRY_VERIFY(stackedAt(pad) > stackedAt(other.id));
        QTest::qWait(500);
        QVERIFY(pad->isShown());
        QCOMPARE(activeWindow(), quint32(pad->winId()));
        QVERIFY(stackedAt(pad) > stackedAt(other.id));
        shot("pad-after-chooser");
        pad->toggleShow(); // it outlives the dock window
        QTRY_VERIFY(!pad->isVisible());
    }

    // The first-run prompt comes in front of the dock's own windows, over the
    // settings panel and over the launch pad, and leaves them the keyboard.
    void thePromptShowsInFrontOfTheDocksWindows()
    {
        writeDock({ icon("a"), icon("s", "SETTING"), icon("c") });
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        FormStartUp *prompt = w.windows()->startUpPrompt();
        const auto showPrompt = [&] {
            prompt->show();
            prompt->StartShow();
            QTRY_VERIFY(viewable(prompt));
        };
        click(iconOnScreen(w, "s").center());
        FormSettings *panel = w.windows()->settingsPanel();
        QTRY_VERIFY(viewable(panel));
        QTRY_COMPARE(activeWindow(), quint32(panel->winId()));
        showPrompt();
        QTRY_VERIFY(stackedAt(prompt) > stackedAt(panel));
        QTest::qWait(300);
        QVERIFY(stackedAt(prompt) > stackedAt(panel));
        QCOMPARE(activeWindow(), quint32(panel->winId()));
        // Standing over it, the prompt leaves it on its own desktop.
        QCOMPARE(xprop(panel, "_NET_WM_DESKTOP", XCB_ATOM_CARDINAL).value(0), 0u);
        shot("prompt-over-panel");
        prompt->findChild<QPushButton *>(QStringLiteral("close"))->click();
        QTRY_VERIFY(!viewable(prompt));
        panel->findChild<QPushButton *>(QStringLiteral("close"))->click();
        QTRY_VERIFY(!viewable(panel));

        FormLaunchStarter *pad = w.launchPad();
        QVERIFY(keys->press(Qt::ALT | Qt::Key_Q));
        QTRY_VERIFY(pad->isShown() && viewable(pad));
        QTRY_COMPARE(activeWindow(), quint32(pad->winId()));
        showPrompt();
        QTRY_VERIFY(stackedAt(prompt) > stackedAt(pad));
        QTest::qWait(300);
        QVERIFY(stackedAt(prompt) > stackedAt(pad));
        QVERIFY(pad->isShown());
        QCOMPARE(activeWindow(), quint32(pad->winId()));
        shot("prompt-over-pad");
        pad->toggleShow();
        QTRY_VERIFY(!pad->isVisible());
    }

    // Opened from the bar's menu by hand, the add-web-site dialog comes in
    // front with the keyboard, whichever program had it.
    void theAddWebSiteDialogOpensWithTheKeyboard()
    {
        OtherProgram other(QRect(200, 100, 600, 400));
        QTRY_VERIFY(other.hasKeyboard());
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        // The user went to the other program a moment ago: window managers
        // then hold back new windows of programs that do not have the keyboard.
        other.takeKeyboard();
        pickFromNextMenu({ QStringLiteral("添加图标"), QStringLiteral("添加网址") });
        clickWith(iconOnScreen(w, "b").center(), 3);
        FormAddUrl *dialog = w.windows()->addUrlDialog();
        QTRY_VERIFY(viewable(dialog));
        QTRY_COMPARE(activeWindow(), quint32(dialog->winId()));
        QVERIFY(!xprop(dialog, "_NET_WM_STATE", XCB_ATOM_ATOM).contains(atom("_NET_WM_STATE_DEMANDS_ATTENTION")));
        QVERIFY(stackedAt(dialog) > stackedAt(&w));
        shot("add-web-site");
        // Typed text lands in its title, with no click in the field first.
        auto *title = dialog->findChild<QLineEdit *>(QStringLiteral("lineEdit"));
        QTRY_VERIFY(title->hasFocus());
        QVERIFY(typeChord(Qt::Key_A));
        QTRY_COMPARE(title->text(), QStringLiteral("a"));
    }

    // The about box, opened from the settings panel, stands over it with the
    // keyboard and closes on Esc.
    void theAboutBoxStandsOverThePanel()
    {
        writeDock({ icon("a"), icon("s", "SETTING"), icon("c") });
        OtherProgram other(QRect(200, 100, 600, 400));
        QTRY_VERIFY(other.hasKeyboard());
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());
        click(iconOnScreen(w, "s").center());
        FormSettings *panel = w.windows()->settingsPanel();
        QTRY_VERIFY(viewable(panel));
        QTRY_COMPARE(activeWindow(), quint32(panel->winId()));
        auto *about = panel->findChild<QPushButton *>(QStringLiteral("aboutButton"));
        panel->findChild<QScrollArea *>(QStringLiteral("scrollArea1"))->ensureWidgetVisible(about);
        QTRY_VERIFY(about->isVisible() && !about->visibleRegion().isEmpty());
        click(about->mapToGlobal(about->rect().center()));
        FormAbout *box = w.windows()->aboutBox();
        QTRY_VERIFY(viewable(box));
        QTRY_COMPARE(xprop(box, "WM_TRANSIENT_FOR", XCB_ATOM_WINDOW).value(0), quint32(panel->winId()));
        QTRY_VERIFY(stackedAt(box) > stackedAt(panel));
        QTRY_COMPARE(activeWindow(), quint32(box->winId()));
        shot("about-over-panel");
        QVERIFY(typeChord(Qt::Key_Escape));
        QTRY_VERIFY(!viewable(box));
        QVERIFY(viewable(panel));
    }

    // A hot key typed into the field that is being given it reaches the
    // field: the search box stays shut and the refusal stays in view; away
    // from the field the hot key works again.
    void aHotKeyFieldTakesTheChordsItIsGiven()
    {
        keys.reset(); // the X server's own grabs
        writeDock({ icon("a"), icon("s", "SETTING"), icon("c") });
        Widget w;
        w.show();
        QTRY_VERIFY(w.autoHide()->isDockShown());

        click(iconOnScreen(w, "s").center());
        FormSettings *panel = w.windows()->settingsPanel();
        QTRY_COMPARE(activeWindow(), quint32(panel->winId()));
        auto *field = panel->findChild<CustomKeySequenceEdit *>(QStringLiteral("keySequenceEditScreenshot")); // 截图
        panel->findChild<QScrollArea *>(QStringLiteral("scrollArea1"))->ensureWidgetVisible(field);
        QTRY_VERIFY(field->isVisible() && !field->visibleRegion().isEmpty());
        click(field->mapToGlobal(field->rect().center()));
        QTRY_VERIFY(field->hasFocus());
        QVERIFY(typeChord(Qt::ALT | Qt::Key_S));
        QTRY_VERIFY(QToolTip::isVisible());
        QVERIFY(QToolTip::text().contains(QStringLiteral("此热键已被其他功能使用")));
        QTest::qWait(500);
        QVERIFY(!w.windows()->searchBox()->isVisible());
        QVERIFY(QToolTip::isVisible());
        shot("hot-key-field");
        // Elsewhere in the panel the hot key is the dock's again.
        panel->hide();
        QTRY_VERIFY(!field->hasFocus());
        QTRY_VERIFY(!viewable(panel));
        QVERIFY(typeChord(Qt::ALT | Qt::Key_S));
        QTRY_VERIFY(w.windows()->searchBox()->isVisible());
    }
};

int main(int argc, char *argv[])
{
    return runX11Test<TestX11Focus>(argc, argv, &g_haveX);
}

#include "tst_x11focus.moc"
