#include "common/fonts.h"
#include "common/translations.h"
#include "notes/widget.h"
#include "platform/singleinstance.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // A second copy leaves before it opens anything, even a display
    // connection. The lock dies with its holder, so a killed copy never
    // blocks the next start.
    platform::SingleInstance instance(QStringLiteral("Mirelka"));
    if (!instance.tryAcquire())
        return 0;

    QApplication a(argc, argv);
    // Closing a note only hides it; the program ends on its own commands.
    a.setQuitOnLastWindowClosed(false);
    Fonts::installSubstitutions();
    Translations::install(Translations::inherited());

    Widget w;
    w.show();
    return a.exec();
}
