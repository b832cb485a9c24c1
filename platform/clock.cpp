#include "clock.h"

namespace platform {
namespace {
class SystemClock final : public Clock
{
public:
    QDateTime now() override { return QDateTime::currentDateTime(); }
};
} // namespace

template <>
Clock &Service<Clock>::real()
{
    static SystemClock c;
    return c;
}

} // namespace platform
