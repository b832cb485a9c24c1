#pragma once
#include "common/systemmessage.h"

#include <QMutex>
#include <QSemaphore>
#include <QStringList>
#include <QThread>

// Sends from another thread, as another program would, while this thread's
// event loop keeps serving (a receiver in this thread can answer).
bool sendFromAnotherThread(const QString &title, const QString &text,
                           int timeoutMs = SystemMessage::SendTimeoutMs);

// The same to the dock's window, "Zorvane-Window".
inline bool sendToDock(const QString &text)
{
    return sendFromAnotherThread(QStringLiteral("Zorvane-Window"), text);
}

// A window of another program: a message receiver listening in a thread of
// its own, so that a synchronous send from this thread gets its answer.
class RemoteWindow : public QThread
{
public:
    explicit RemoteWindow(const QString &title);
    ~RemoteWindow() override;

    // Starts listening; false when the title is taken.
    bool listen();
    // The texts received, in order; frames() with their dwData ("10000:text").
    QStringList messages();
    QStringList frames();

protected:
    void run() override;

private:
    QString m_title;
    QSemaphore m_ready;
    bool m_listening = false;
    QMutex m_mutex;
    QStringList m_frames;
};
