#include "programend.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace {

class EventLoopEnd final : public ProgramEnd
{
public:
    void end(int code) override
    {
        // Queued: an end asked for before the event loop runs (a failed first
        // grab) must still end it once it starts.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [code] { QCoreApplication::exit(code); }, Qt::QueuedConnection);
    }
};

} // namespace

template <>
ProgramEnd &platform::Service<ProgramEnd>::real()
{
    static EventLoopEnd end;
    return end;
}
