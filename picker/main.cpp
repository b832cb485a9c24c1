#include "picker/fonts.h"
#include "picker/widget.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication a(argc, argv);
    mapChineseFonts();
    // The grabber grabs the desktop and shows itself as it is built.
    Widget w;
    return a.exec();
}
