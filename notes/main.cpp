#include "common/fonts.h"
#include "common/safefile.h"
#include "common/translations.h"
#include "notes/widget.h"
#include "platform/paths.h"
#include "platform/quitsignals.h"
#include "platform/seethrough.h"
#include "platform/singleinstance.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // A second copy leaves before it opens anything, even a display
    // connection. The lock dies with its holder, so a killed copy never
    // blocks the next start.
    platform::SingleInstance instance(QStringLiteral("Mirelka"));
    bool goOn = false;
    if (const int code = platform::startOrExitCode(instance, "Mirelka", &goOn); !goOn)
        return code;

    QApplication a(argc, argv);
    // Without a compositing manager, what is clear in a window stays clear.
    platform::SeeThrough::ensure();
    // Alone now: what a save cut short by a kill left behind can go.
    SafeFile::removeLeftoversUnder(platform::appConfigFolder());
    // Closing a note only hides it; the program ends on its own commands.
    a.setQuitOnLastWindowClosed(false);
    Fonts::installSubstitutions();
    Translations::install(Translations::inherited());

    // A session's end, `kill` or Ctrl+C save the notes and quit, as the
    // dock's "CloseMirelka" does. One that comes while the notes open waits
    // for the manager.
    platform::QuitSignals quitSignals;
    Widget *manager = nullptr;
    bool quitAsked = false;
    QObject::connect(&quitSignals, &platform::QuitSignals::quitRequested, [&] {
        if (manager)
            manager->saveAndQuit();
        else
            quitAsked = true;
    });

    Widget w;
    manager = &w;
    if (quitAsked)
        w.saveAndQuit();
    w.show();
    return a.exec();
}
