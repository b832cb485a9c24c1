#pragma once
#include "platform/volumes.h"

#include <QList>
#include <QPointer>

// A fake of the mounted volumes, installed while it lives. Tests change
// the list and then say so with changed(), as the mount table would.
class FakeVolumes : public platform::Volumes
{
public:
    FakeVolumes();
    ~FakeVolumes() override;
    QList<platform::Volume> volumes() override
    {
        ++scans;
        return list;
    }
    platform::MountWatcher *createWatcher(QObject *parent) override;
    void add(const QString &mountPoint, const QString &label = QString(), bool removable = false);
    void remove(const QString &mountPoint);
    // Tells every watcher that the table changed.
    void changed();

    QList<platform::Volume> list;
    QList<QPointer<platform::MountWatcher>> watchers;
    int scans = 0;
};
