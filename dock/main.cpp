#include "common/fonts.h"
#include "common/safefile.h"
#include "common/translations.h"
#include "dock/settings/docksettings.h"
#include "dock/window/widget.h"
#include "platform/icontheme.h"
#include "platform/paths.h"
#include "platform/processes.h"
#include "platform/quitsignals.h"
#include "platform/seethrough.h"
#include "platform/singleinstance.h"
#include "platform/webengine.h"

#include <QApplication>
#include <QFont>
#include <QPixmap>
#include <QSplashScreen>

int main(int argc, char *argv[])
{
    // A second copy leaves before it opens anything, even the display.
    platform::SingleInstance instance(QStringLiteral("Zorvane"));
    bool goOn = false;
    if (const int code = platform::startOrExitCode(instance, "Zorvane", &goOn); !goOn)
        return code;
    // The dock draws nothing with OpenGL (its web views draw in software):
    // without Qt's GL integration its first window does not load the GL
    // drivers. The user's own choice stands.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    platform::prepareWebEngine();
    QApplication app(argc, argv);
    // Without a compositing manager, what is clear in a window stays clear.
    platform::SeeThrough::ensure();
    // A session's end, `kill` or Ctrl+C quit the dock as its quit entry does:
    // the notes program is told to quit, the window tool stopped, the tray
    // icon removed. One that comes before the window is there waits for it;
    // one that comes before the event loop runs (in a wait of the start)
    // keeps it from running at all, since a quit asked then would not end it.
    platform::QuitSignals quitSignals;
    Widget *dock = nullptr;
    bool quitAsked = false;
    QObject::connect(&quitSignals, &platform::QuitSignals::quitRequested, [&] {
        if (quitAsked)
            return;
        quitAsked = true;
        if (dock)
            dock->systemClose();
    });
    // Alone now: what a save cut short by a kill left behind can go.
    SafeFile::removeLeftoversUnder(platform::appConfigFolder(), { QStringLiteral("icon") });
    Fonts::installSubstitutions();
    // Programs added to the bar show the pictures of the user's icon theme.
    platform::IconTheme::apply();
    // Before the first window: Qt's texts are set as its widgets are built.
    Translations::install(Translations::languageOfSetting(DockSettings::instance()->language().toInt()));

    const QPixmap splashPicture(QStringLiteral(":/image/200.png"));
    QSplashScreen splash(splashPicture);
    splash.show();
    QCoreApplication::processEvents();

    int code = 0;
    {
        Widget w;
        dock = &w;
        if (quitAsked)
            w.systemClose();
        w.show();
        splash.finish(&w);

        QApplication::setFont(Fonts::applicationFont(12));

        code = quitAsked ? 0 : app.exec();
        dock = nullptr;
    }
    if (app.property("zvRestart").toBool()) {
        // The language restart: the new copy needs the key we hold.
        instance.release();
        platform::ProcessesService::get().restartSelf(QCoreApplication::applicationFilePath());
    }
    return code;
}
