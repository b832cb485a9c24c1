#include "common/fonts.h"
#include "common/translations.h"
#include "picker/widget.h"
#include "platform/seethrough.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication a(argc, argv);
    // Without a compositing manager, what is clear in a window stays clear.
    platform::SeeThrough::ensure();
    Fonts::installSubstitutions();
    Translations::install(Translations::inherited());
    // The picker ends by itself, and may outlive its windows as the owner of
    // the copied colour.
    a.setQuitOnLastWindowClosed(false);
    // The grabber grabs the desktop and shows itself as it is built.
    Widget w;
    return a.exec();
}
