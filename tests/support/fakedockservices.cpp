#include "fakedockservices.h"

#include <QColor>

FakeOpener::FakeOpener() { platform::OpenerService::install(this); }
FakeOpener::~FakeOpener() { platform::OpenerService::install(nullptr); }

FakeFileIcons::FakeFileIcons() { platform::FileIconsService::install(this); }
FakeFileIcons::~FakeFileIcons() { platform::FileIconsService::install(nullptr); }

QPixmap FakeFileIcons::largeIcon(const QString &file, int size)
{
    asked << file;
    sizes << size;
    if (!giveIcons)
        return QPixmap();
    QPixmap p(size, size);
    p.fill(QColor(40, 120, 200));
    return p;
}

FakeDialogs::FakeDialogs() { platform::DialogsService::install(this); }
FakeDialogs::~FakeDialogs() { platform::DialogsService::install(nullptr); }
