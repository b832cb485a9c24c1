#include "common/fonts.h"
#include "picker/widget.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication a(argc, argv);
    Fonts::installSubstitutions();
    // The grabber grabs the desktop and shows itself as it is built.
    Widget w;
    return a.exec();
}
