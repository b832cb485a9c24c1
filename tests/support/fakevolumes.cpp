#include "fakevolumes.h"

FakeVolumes::FakeVolumes() { platform::VolumesService::install(this); }
FakeVolumes::~FakeVolumes() { platform::VolumesService::install(nullptr); }

platform::MountWatcher *FakeVolumes::createWatcher(QObject *parent)
{
    auto *w = new platform::MountWatcher(parent);
    watchers << w;
    return w;
}

void FakeVolumes::add(const QString &mountPoint, const QString &label, bool removable)
{
    platform::Volume v;
    v.mountPoint = mountPoint;
    v.label = label;
    v.device = QStringLiteral("/dev/fake") + QString::number(list.size());
    v.removable = removable;
    list << v;
}

void FakeVolumes::remove(const QString &mountPoint)
{
    for (int i = list.size() - 1; i >= 0; --i) {
        if (list.at(i).mountPoint == mountPoint)
            list.removeAt(i);
    }
}

void FakeVolumes::changed()
{
    for (const QPointer<platform::MountWatcher> &w : qAsConst(watchers)) {
        if (w)
            emit w->changed();
    }
}
