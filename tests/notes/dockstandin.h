#pragma once

#include "common/systemmessage.h"

#include <QMutex>
#include <QSemaphore>
#include <QStringList>
#include <QThread>

// The dock's message receiver, listening in a thread of its own so that the
// notes manager's synchronous send on the main thread gets its answer.
class DockStandIn : public QThread
{
public:
    explicit DockStandIn(const QString &title = QStringLiteral("Zorvane-Window")) : m_title(title) {}
    ~DockStandIn() override
    {
        quit();
        wait();
    }

    bool listen()
    {
        start();
        m_ready.acquire();
        return m_listening;
    }

    QStringList messages()
    {
        QMutexLocker lock(&m_mutex);
        return m_messages;
    }

protected:
    void run() override
    {
        SystemMessageReceiver receiver(m_title, [this](quint32 dwData, const QString &text) {
            QMutexLocker lock(&m_mutex);
            m_messages << QString::number(dwData) + QLatin1Char(':') + text;
            return true;
        });
        m_listening = receiver.listen();
        m_ready.release();
        if (m_listening)
            exec();
    }

private:
    QString m_title;
    QSemaphore m_ready;
    bool m_listening = false;
    QMutex m_mutex;
    QStringList m_messages;
};
