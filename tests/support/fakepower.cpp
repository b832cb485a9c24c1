#include "fakepower.h"

FakePower::FakePower() { platform::PowerService::install(this); }
FakePower::~FakePower() { platform::PowerService::install(nullptr); }

void FakePower::request(Action action, QObject *context, Done done)
{
    asked << action;
    pending << Pending{ context, std::move(done) };
}

bool FakePower::answer(Outcome outcome, const QString &detail)
{
    if (pending.isEmpty())
        return false;
    const Pending p = pending.takeFirst();
    if (p.context)
        p.done(outcome, detail);
    return true;
}
