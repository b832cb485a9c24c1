#pragma once
#include "platform/power.h"

#include <QList>
#include <QPointer>

// Keeps each power request until the test answers it, as the system would:
// later, on the event loop.
class FakePower : public platform::Power
{
public:
    FakePower();
    ~FakePower() override;
    void request(Action action, QObject *context, Done done) override;
    // Answers the oldest open request; false when none is open.
    bool answer(Outcome outcome, const QString &detail = QString());

    QList<Action> asked; // every request, in order
    int open() const { return pending.size(); }

private:
    struct Pending
    {
        QPointer<QObject> context;
        Done done;
    };
    QList<Pending> pending;
};
