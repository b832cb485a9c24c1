#include "fakeiconservices.h"

FakeTrash::FakeTrash() { platform::TrashService::install(this); }
FakeTrash::~FakeTrash() { platform::TrashService::install(nullptr); }

FakeDrives::FakeDrives() { platform::DrivesService::install(this); }
FakeDrives::~FakeDrives() { platform::DrivesService::install(nullptr); }

void FakeDrives::add(const QString &mountPoint, const QString &label, bool removable)
{
    platform::Volume v;
    v.mountPoint = mountPoint;
    v.label = label;
    v.device = QStringLiteral("/dev/fake") + QString::number(list.size());
    v.removable = removable;
    list << v;
}

