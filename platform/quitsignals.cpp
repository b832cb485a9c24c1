#include "quitsignals.h"
#include "platform/logging.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr int Handled[] = { SIGTERM, SIGINT, SIGHUP };

// Written by the handler, read on the event loop.
int pipeFds[2] = { -1, -1 };

extern "C" void onQuitSignal(int sig)
{
    // Only what is safe in a handler: the next one of its kind is the
    // system's again, and the number goes down the pipe.
    const int saved = errno;
    struct sigaction dfl = {};
    dfl.sa_handler = SIG_DFL;
    sigemptyset(&dfl.sa_mask);
    ::sigaction(sig, &dfl, nullptr);
    const unsigned char byte = static_cast<unsigned char>(sig);
    const ssize_t n = ::write(pipeFds[1], &byte, 1);
    (void)n;
    errno = saved;
}

void install(void (*handler)(int))
{
    struct sigaction sa = {};
    sa.sa_handler = handler;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : Handled)
        ::sigaction(sig, &sa, nullptr);
}

} // namespace

QuitSignals::QuitSignals(QObject *parent) : QObject(parent)
{
    if (pipeFds[0] >= 0) {
        qCWarning(lcDesktop) << "the quit signals are handled already";
        return;
    }
    // Not inherited by the programs we start, and never blocking the handler.
    if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
        qCWarning(lcDesktop) << "no pipe for the quit signals; they end the program at once";
        pipeFds[0] = pipeFds[1] = -1;
        return;
    }
    m_notifier = new QSocketNotifier(pipeFds[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &QuitSignals::readPipe);
    install(onQuitSignal);
}

QuitSignals::~QuitSignals()
{
    if (!m_notifier)
        return;
    install(SIG_DFL);
    delete m_notifier;
    m_notifier = nullptr;
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    pipeFds[0] = pipeFds[1] = -1;
}

void QuitSignals::readPipe()
{
    unsigned char byte = 0;
    while (::read(pipeFds[0], &byte, 1) == 1) {
        qCDebug(lcDesktop) << "quit asked by signal" << int(byte);
        emit quitRequested(int(byte));
    }
}

} // namespace platform
