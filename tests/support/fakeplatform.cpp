#include "fakeplatform.h"

FakeClock::FakeClock(const QDateTime &t) : time(t) { platform::ClockService::install(this); }
FakeClock::~FakeClock() { platform::ClockService::install(nullptr); }

FakeProcesses::FakeProcesses() { platform::ProcessesService::install(this); }
FakeProcesses::~FakeProcesses() { platform::ProcessesService::install(nullptr); }

bool FakeProcesses::startOwnProgram(const QString &name, const QStringList &)
{
    started << bareName(name);
    running << bareName(name);
    return true;
}

bool FakeProcesses::startOutsideProgram(const QString &name)
{
    started << bareName(name);
    return installed.contains(bareName(name));
}

bool FakeProcesses::isRunning(const QString &name) { return running.contains(bareName(name)); }

int FakeProcesses::killByName(const QString &name)
{
    killed << bareName(name);
    return running.removeAll(bareName(name));
}

bool FakeProcesses::restartSelf(const QString &programFile)
{
    restarted << programFile;
    return true;
}

FakeWindowSystem::FakeWindowSystem() { platform::WindowSystemService::install(this); }
FakeWindowSystem::~FakeWindowSystem() { platform::WindowSystemService::install(nullptr); }
