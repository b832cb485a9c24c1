// Every window of the dock shows its texts whole, at whatever scale the test
// runs (it runs at 100 % and at 200 %), in the fonts the programs really find.
#include "common/fonts.h"
#include "dock/launchpad/formlaunchstarter.h"
#include "dock/window/dockwindows.h"
#include "dock/settings/formsettings.h"
#include "dock/tools/formabout.h"
#include "dock/tools/formshutdown.h"
#include "dock/tools/formupload.h"
#include "dock/tools/formvesk.h"
#include "dock/tools/formprotection.h"
#include "dock/widgets/formweather.h"
#include "dock/widgets/formdesktopwidget.h"
#include "dock/widgets/formdesktoptime.h"
#include "dock/editing/formsidebarmenu.h"
#include "dock/editing/formaddurl.h"
#include "dock/editing/formiconsettings.h"
#include "dock/editing/formiconlists.h"
#include "dock/icons/formname.h"
#include "dock/icons/formselectdisk.h"
#include "dock/menus/formstartmenu.h"
#include "dock/toast/formsystemhint.h"
#include "dock/window/formdetection.h"
#include "dock/settings/formstartup.h"
#include "testenv.h"
#include "textfit.h"
#include "window/widgetfixture.h"

#include <QPushButton>
#include <QtTest>

class TestWindowTexts : public QObject, public WidgetFixture
{
    Q_OBJECT
    QFont m_startFont;
private slots:
    void initTestCase()
    {
        Fonts::installSubstitutions();
        m_startFont = QApplication::font();
    }
    void init() { setUpFakes(); }
    void cleanup() { tearDownFakes(); }

    void everyWindowShowsItsTextsWhole()
    {
        Widget w;
        // As the dock's entry does, once its window is built.
        QApplication::setFont(Fonts::yaHei(12));
        DockWindows *d = w.windows();
        const QList<QWidget *> windows = {
            d->settingsPanel(), d->updater(), d->powerDialog(), d->eyeProtection(), d->weatherWindow(),
            d->desktopWidgetPanel(), d->desktopClock(), d->aboutBox(), d->sidePanel(), d->addUrlDialog(),
            d->iconSettingsDialog(), d->iconListsDialog(), d->driveChooser(), d->searchBox(), d->startUpPrompt(),
        };
        // The bar's own windows, with texts they take at run time.
        w.toast()->ShowMessage(QStringLiteral("图标修改成功！"));
        w.tips()->bubble()->setName(2, QStringLiteral("佐凡取色器"));
        QList<QWidget *> all = windows;
        all << w.toast() << w.tips()->bubble() << w.launchPad() << w.menus()->startMenu() << w.autoHide()->strip();
        QStringList clipped;
        for (QWidget *window : all) {
            window->show();
            QCoreApplication::processEvents();
            for (const QString &line : clippedTexts(window))
                clipped << QString(window->metaObject()->className()) + ": " + line;
        }
        for (const QString &line : clipped)
            qWarning().noquote() << line;
        QVERIFY(clipped.isEmpty());
    }

    // The desktop clock's settings bar, open, with every style name.
    void clockSettingsBarShowsItsTextsWhole()
    {
        // Built before the dock sets the font of its texts, as in the dock.
        QApplication::setFont(m_startFont);
        FormDesktopTime clock;
        QApplication::setFont(Fonts::yaHei(12));
        clock.setShow(true);
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(&clock, &enter);
        QWidget *bar = clock.findChild<QWidget *>("frameSet");
        QVERIFY(bar->isVisible());
        clock.findChild<QPushButton *>("settingButton")->click();
        QTest::qWait(400); // it slides open
        QVERIFY(bar->rect().contains(clock.findChild<QWidget *>("TimeStyleClick")->geometry()));
        const QStringList clipped = clippedTexts(bar);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join('\n')));
    }
};

ZV_TEST_MAIN(TestWindowTexts)
#include "tst_windowtexts.moc"
