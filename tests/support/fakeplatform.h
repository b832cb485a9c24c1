#pragma once
#include "platform/clock.h"
#include "platform/processes.h"
#include "platform/windowsystem.h"

#include <QHash>
#include <QStringList>

// Fakes of the platform services. Each installs itself while it lives.

class FakeClock : public platform::Clock
{
public:
    explicit FakeClock(const QDateTime &t = QDateTime(QDate(2026, 1, 2), QTime(3, 7, 0, 45)));
    ~FakeClock() override;
    QDateTime now() override { return time; }
    QDateTime time;
};

class FakeProcesses : public platform::Processes
{
public:
    FakeProcesses();
    ~FakeProcesses() override;
    bool startOwnProgram(const QString &name, const QStringList &args) override;
    bool startOutsideProgram(const QString &name) override;
    bool isRunning(const QString &name) override;
    int killByName(const QString &name) override;
    bool restartSelf(const QString &programFile) override;

    QStringList started;    // bare names, in order
    QStringList killed;     // bare names, in order
    QStringList running;    // what isRunning answers true for
    QStringList installed;  // outside programs that lie beside the dock
    QStringList restarted;  // program files
};

class FakeWindowSystem : public platform::WindowSystem
{
public:
    FakeWindowSystem();
    ~FakeWindowSystem() override;
    void setLevel(QWidget *w, Level level) override { levels[w] = level; }
    void raiseOnce(QWidget *w) override { raised << w; }
    void setRole(QWidget *w, Role role) override { roles[w] = role; }
    void setDesktopOverlay(QWidget *w) override { overlays << w; }
    void setInputRegion(QWidget *w, const QRegion &r) override { regions[w] = r; }
    void setNoInput(QWidget *w) override { regions[w] = QRegion(); noInput << w; }
    void setPopupShown(QWidget *w, bool shown) override { popupShown[w] = shown; }
    bool isX11() const override { return false; }
    bool translucencyWorks() const override { return translucent; }

    bool translucent = true; // a compositing manager runs
    QHash<QWidget *, Level> levels;
    QList<QWidget *> raised;
    QHash<QWidget *, Role> roles;
    QList<QWidget *> overlays;
    QList<QWidget *> noInput;
    QHash<QWidget *, QRegion> regions;
    QHash<QWidget *, bool> popupShown;
};
