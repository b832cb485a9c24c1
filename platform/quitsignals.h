#pragma once
#include <QObject>

class QSocketNotifier;

namespace platform {

// The signals that ask a program to end (SIGTERM at a session's end, from
// `systemctl --user stop` or `kill`; SIGHUP when its terminal goes; SIGINT
// for Ctrl+C), turned into a Qt signal on the event loop, so that the
// program ends the way its own quit does. The handler only writes the
// signal's number to a pipe; a second signal of the same kind ends the
// process at once, as it would have without us. One object per process.
class QuitSignals : public QObject
{
    Q_OBJECT
public:
    explicit QuitSignals(QObject *parent = nullptr);
    // The signals are handled as before again.
    ~QuitSignals() override;

    // Whether the handlers are in place (false when the pipe could not be made).
    bool isInstalled() const { return m_notifier != nullptr; }

signals:
    void quitRequested(int signal);

private:
    void readPipe();

    QSocketNotifier *m_notifier = nullptr;
};

} // namespace platform
