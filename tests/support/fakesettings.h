#pragma once
#include "platform/autostart.h"
#include "platform/globalhotkeys.h"

#include <QList>
#include <QSet>
#include <QString>

// Fakes of the settings services. Each installs itself while it lives.

class FakeGlobalHotKeys : public platform::GlobalHotKeys
{
public:
    FakeGlobalHotKeys();
    ~FakeGlobalHotKeys() override;
    bool grab(int chord) override;
    bool ungrab(int chord) override;
    // A press as the system would report it: only taken chords arrive.
    bool press(int chord);

    QSet<int> grabbed;      // what we hold now
    QSet<int> heldElsewhere; // what other programs hold
    QList<int> grabCalls;   // every grab asked for, in order
    QList<int> ungrabCalls;
};

class FakeAutostart : public platform::Autostart
{
public:
    FakeAutostart();
    ~FakeAutostart() override;
    QString value(const QString &fallback) override { return present ? stored : fallback; }
    bool setValue(const QString &program) override;

    bool present = false; // an entry exists
    QString stored;
    QStringList writes;
};
