#include "power.h"
#include "platform/logging.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QPointer>
#include <QTimer>

namespace platform {
namespace {

const QString service = QStringLiteral("org.freedesktop.login1");
const QString path = QStringLiteral("/org/freedesktop/login1");
const QString manager = QStringLiteral("org.freedesktop.login1.Manager");

// The question is answered at once; the request itself may wait for the user
// to type a password into the desktop's authentication agent.
constexpr int askTimeout = 10 * 1000;
constexpr int requestTimeout = 5 * 60 * 1000;

void later(QObject *context, const Power::Done &done, Power::Outcome outcome, const QString &detail)
{
    QTimer::singleShot(0, context, [done, outcome, detail] { done(outcome, detail); });
}

} // namespace

LogindPower::LogindPower(const QDBusConnection &bus) : m_bus(bus) {}

void LogindPower::request(Action action, QObject *context, Done done)
{
    QDBusConnection bus = m_bus;
    if (!bus.isConnected()) {
        qCDebug(lcDesktop) << "no system bus:" << bus.lastError().message();
        later(context, done, Unavailable, bus.lastError().message());
        return;
    }
    const QString can = action == PowerOff ? QStringLiteral("CanPowerOff") : QStringLiteral("CanReboot");
    const QString act = action == PowerOff ? QStringLiteral("PowerOff") : QStringLiteral("Reboot");

    auto *asked = new QDBusPendingCallWatcher(
        bus.asyncCall(QDBusMessage::createMethodCall(service, path, manager, can), askTimeout), context);
    QObject::connect(asked, &QDBusPendingCallWatcher::finished, context, [=](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        const QDBusPendingReply<QString> answer = *w;
        if (answer.isError()) {
            const QDBusError e = answer.error();
            qCDebug(lcDesktop) << can << "failed:" << e.name() << e.message();
            const bool absent = e.type() == QDBusError::ServiceUnknown || e.type() == QDBusError::UnknownObject
                || e.type() == QDBusError::UnknownMethod || e.type() == QDBusError::UnknownInterface;
            done(absent ? Unavailable : Failed, e.message());
            return;
        }
        // "yes", or "challenge" (allowed after authentication); "no" and
        // "na" (not available here) end the request.
        const QString value = answer.value();
        if (value != QLatin1String("yes") && value != QLatin1String("challenge")) {
            qCDebug(lcDesktop) << can << "answered" << value;
            done(NotAllowed, value);
            return;
        }
        QDBusMessage call = QDBusMessage::createMethodCall(service, path, manager, act);
        call << true; // interactive
        call.setInteractiveAuthorizationAllowed(true);
        auto *made = new QDBusPendingCallWatcher(bus.asyncCall(call, requestTimeout), context);
        QObject::connect(made, &QDBusPendingCallWatcher::finished, context, [=](QDBusPendingCallWatcher *m) {
            m->deleteLater();
            const QDBusPendingReply<> reply = *m;
            if (reply.isError()) {
                qCDebug(lcDesktop) << act << "refused:" << reply.error().name() << reply.error().message();
                done(Failed, reply.error().message());
                return;
            }
            done(Accepted, QString());
        });
    });
}

template <>
Power &Service<Power>::real()
{
    static LogindPower p;
    return p;
}

} // namespace platform
