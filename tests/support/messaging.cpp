#include "messaging.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <atomic>
#include <thread>

bool sendFromAnotherThread(const QString &title, const QString &text, int timeoutMs)
{
    std::atomic<int> result { -1 };
    std::thread t([&] { result = SystemMessage::send(title, text, timeoutMs) ? 1 : 0; });
    QElapsedTimer waited;
    waited.start();
    while (result == -1 && waited.elapsed() < 5000 + timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    t.join();
    return result == 1;
}

RemoteWindow::RemoteWindow(const QString &title) : m_title(title) {}

RemoteWindow::~RemoteWindow()
{
    quit();
    wait();
}

bool RemoteWindow::listen()
{
    start();
    m_ready.acquire();
    return m_listening;
}

QStringList RemoteWindow::frames()
{
    QMutexLocker lock(&m_mutex);
    return m_frames;
}

QStringList RemoteWindow::messages()
{
    QStringList texts;
    for (const QString &f : frames())
        texts << f.section(QLatin1Char(':'), 1);
    return texts;
}

void RemoteWindow::run()
{
    SystemMessageReceiver receiver(m_title, [this](quint32 dwData, const QString &text) {
        QMutexLocker lock(&m_mutex);
        m_frames << QString::number(dwData) + QLatin1Char(':') + text;
        return true;
    });
    m_listening = receiver.listen();
    m_ready.release();
    if (m_listening)
        exec();
}
