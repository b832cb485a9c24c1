#pragma once
#include "service.h"

#include <QDateTime>

namespace platform {

// The wall clock, so that tests can fix the time.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() = 0;
};

using ClockService = Service<Clock>;

inline QDateTime now() { return ClockService::get().now(); }

} // namespace platform
