// The dock's secondary windows: which of them may take the keyboard, where
// they open, what they stand over, and the hot keys while one is being given.
#include "dock/editing/formaddurl.h"
#include "dock/editing/formiconsettings.h"
#include "dock/icons/formcommonicon.h"
#include "dock/icons/formtimingflash.h"
#include "dock/settings/customkeysequenceedit.h"
#include "dock/settings/formsettings.h"
#include "dock/settings/formstartup.h"
#include "dock/settings/qxtglobalshortcut.h"
#include "dock/tools/formabout.h"
#include "dock/tools/formshutdown.h"
#include "dock/tools/formvesk.h"
#include "dock/window/dockdrag.h"
#include "dock/window/dockhotkeys.h"
#include "dock/window/dockwindows.h"
#include "testconfig.h"
#include "testenv.h"
#include "widgetfixture.h"

#include <QToolTip>
#include <QWindow>
#include <QtTest>

namespace {

const QRect First(0, 0, 1280, 800);
const QRect Second(1280, 0, 1440, 900);

int chord(const char *text)
{
    return QKeySequence(QString::fromLatin1(text), QKeySequence::NativeText)[0];
}

bool takesKeyboard(const QWidget *w)
{
    return !(w->windowFlags() & Qt::WindowDoesNotAcceptFocus) && !w->testAttribute(Qt::WA_ShowWithoutActivating);
}

// Whole on that part of the screen.
bool within(const QWidget *w, const QRect &area)
{
    return area.contains(w->geometry());
}

QWindow *standsOver(const QWidget *w)
{
    return w->windowHandle() ? w->windowHandle()->transientParent() : nullptr;
}

} // namespace

class TestDockWindows : public QObject, public WidgetFixture
{
    Q_OBJECT

private slots:
    void init()
    {
        setUpFakes({ { First, First }, { Second, Second.adjusted(0, 0, 0, -40) } });
        writeDock({ { "ico1", ":/image/icon/Finder.png", "m", "MENU", QString(), QString() } });
    }
    void cleanup() { tearDownFakes(); }

    // The bar, its strip, the notices and what follows the pointer never
    // take the keyboard; the windows the user types in do.
    void onlyWindowsTheUserTypesInTakeTheKeyboard()
    {
        Widget w;
        w.show();
        FormTimingFlash ring(nullptr);
        QStringList wrong;
        DockWindows *windows = w.windows();
        FormMenu *menu = w.menus()->menu("ico1");
        QVERIFY(menu);
        for (QWidget *shows : std::initializer_list<QWidget *> { &w, w.autoHide()->strip(), w.toast(),
                                                                 windows->startUpPrompt(), w.drag()->ghost(),
                                                                 menu->dragGhost(), menu->toast(), &ring })
            if (takesKeyboard(shows))
                wrong << shows->objectName();
        for (QWidget *types : std::initializer_list<QWidget *> { windows->settingsPanel(), windows->addUrlDialog(),
                                                                 windows->aboutBox(), windows->iconSettingsDialog(),
                                                                 windows->powerDialog(), windows->searchBox(),
                                                                 menu->iconSettingsDialog() })
            if (!takesKeyboard(types))
                wrong << types->objectName();
        QCOMPARE(wrong, QStringList());
    }

    // With the bar on the second screen the settings panel opens there,
    // over the dock window, and the about box over the panel; each stays
    // where the user moves it, until the bar goes to another screen.
    void dialogsOpenOnTheBarsScreen()
    {
        TestConfig::write({ { "System/Screen", 1 } });
        Widget w;
        w.show();
        QCOMPARE(w.geometry(), Second);
        w.showSet();
        FormSettings *panel = w.windows()->settingsPanel();
        QVERIFY(panel->isVisible());
        QVERIFY(within(panel, Second));
        QCOMPARE(standsOver(panel), w.windowHandle());

        w.showAbout();
        FormAbout *about = w.windows()->aboutBox();
        QVERIFY(about->isVisible());
        QCOMPARE(about->geometry().center(), panel->geometry().center());
        QCOMPARE(standsOver(about), panel->windowHandle());
        QApplication::setActiveWindow(about);
        QTest::keyClick(about, Qt::Key_Escape);
        QVERIFY(!about->isVisible());

        w.AddUrlIco();
        FormAddUrl *addUrl = w.windows()->addUrlDialog();
        QVERIFY(within(addUrl, Second));
        QCOMPARE(standsOver(addUrl), w.windowHandle());

        // The first-run prompt comes to rest in the middle of the bar's
        // screen, clear of the panel at its foot.
        FormStartUp *prompt = w.windows()->startUpPrompt();
        prompt->show();
        prompt->StartShow();
        const QRect free = Second.adjusted(0, 0, 0, -40);
        QTRY_COMPARE(prompt->geometry().center().y(), free.center().y());
        QVERIFY(qAbs(prompt->geometry().center().x() - free.center().x()) <= 1);
        QVERIFY(within(prompt, free));
        prompt->close();

        // Moved by the user, the panel opens where it was left.
        const QPoint moved = Second.topLeft() + QPoint(30, 40);
        panel->move(moved);
        panel->hide();
        w.showSet();
        QCOMPARE(panel->pos(), moved);
        panel->hide();
        // The bar on the first screen: so is the panel.
        DockSettings::instance()->setScreen(0);
        QCOMPARE(w.geometry(), First);
        w.showSet();
        QVERIFY(within(panel, First));
    }

    // While a hot-key field has the keyboard the hot keys are given back to
    // the system: Alt+S typed there reaches the field, which refuses it as
    // the search box's, and opens no search box. Away from it they return.
    void aHotKeyFieldSuspendsTheHotKeys()
    {
        Widget w;
        w.show();
        const QSet<int> all = keys->grabbed;
        QVERIFY(all.contains(chord("Alt+S")));
        w.showSet();
        FormSettings *panel = w.windows()->settingsPanel();
        QApplication::setActiveWindow(panel);
        auto *field = panel->findChild<CustomKeySequenceEdit *>("keySequenceEditScreenshot");
        field->setFocus();
        QTRY_VERIFY(field->hasFocus());
        QCOMPARE(keys->grabbed, QSet<int>());
        QVERIFY(!keys->press(chord("Alt+S")));
        QTest::keyClick(field, Qt::Key_S, Qt::AltModifier);
        QVERIFY(QToolTip::text().contains("此热键已被其他功能使用"));
        QCOMPARE(w.hotkeys()->shortcut(2)->shortcut(), QKeySequence("Alt+X"));
        QVERIFY(!w.windows()->searchBox()->isVisible());

        panel->findChild<CustomKeySequenceEdit *>("keySequenceEditLaunchPad")->setFocus();
        QTRY_VERIFY(!field->hasFocus());
        QCOMPARE(keys->grabbed, QSet<int>()); // another field: still given back
        panel->hide();
        QCOMPARE(keys->grabbed, all);
        QVERIFY(keys->press(chord("Alt+S")));
        QVERIFY(w.windows()->searchBox()->isVisible());
    }
};

ZV_TEST_MAIN(TestDockWindows)
#include "tst_dockwindows.moc"
