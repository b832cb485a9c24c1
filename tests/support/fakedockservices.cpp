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

FakeMounts::FakeMounts() { platform::MountsService::install(this); }
FakeMounts::~FakeMounts() { platform::MountsService::install(nullptr); }

platform::MountWatcher *FakeMounts::createWatcher(QObject *parent)
{
    auto *w = new platform::MountWatcher(parent);
    watchers << w;
    return w;
}

void FakeMounts::add(const QString &mountPoint, const QString &label)
{
    volumes.append({ mountPoint, label, QStringLiteral("/dev/fake") + QString::number(volumes.size()) });
}

void FakeMounts::remove(const QString &mountPoint)
{
    for (int i = volumes.size() - 1; i >= 0; --i) {
        if (volumes.at(i).mountPoint == mountPoint)
            volumes.removeAt(i);
    }
}

void FakeMounts::changed()
{
    for (const QPointer<platform::MountWatcher> &w : qAsConst(watchers)) {
        if (w)
            emit w->changed();
    }
}
