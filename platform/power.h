#pragma once
#include "service.h"

#include <QDBusConnection>
#include <QString>

#include <functional>

class QObject;

namespace platform {

// Powering the computer off or restarting it, asked of the system's session
// manager. The answer comes later, on the event loop: the system may first ask
// the user to authenticate.
class Power
{
public:
    enum Action { PowerOff, Reboot };
    enum Outcome {
        Accepted,    // the system is going down
        NotAllowed,  // the system says this user may not
        Unavailable, // there is nobody to ask (no system bus, no logind)
        Failed,      // the request was made and refused or went wrong
    };
    // detail: the system's own words, for the debug output and the user.
    using Done = std::function<void(Outcome outcome, const QString &detail)>;

    virtual ~Power() = default;
    // done runs exactly once, never before request() returns, and not at all
    // when context is gone by then.
    virtual void request(Action action, QObject *context, Done done) = 0;
};

using PowerService = Service<Power>;

// systemd-logind over D-Bus: CanPowerOff/CanReboot first, then
// PowerOff/Reboot with interactive authentication allowed.
class LogindPower final : public Power
{
public:
    // The system bus, unless a test gives a bus of its own.
    explicit LogindPower(const QDBusConnection &bus = QDBusConnection::systemBus());
    void request(Action action, QObject *context, Done done) override;

private:
    QDBusConnection m_bus;
};

} // namespace platform
