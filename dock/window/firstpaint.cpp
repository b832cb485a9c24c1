#include "firstpaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

FirstPaint::FirstPaint(QWidget *window) : QObject(window), m_window(window)
{
    window->installEventFilter(this);
}

void FirstPaint::then(const std::function<void()> &work)
{
    if (m_painted && m_work.isEmpty()) {
        work();
        return;
    }
    if (m_work.isEmpty() && !m_painted)
        QTimer::singleShot(1000, this, &FirstPaint::run);
    m_work << work;
}

bool FirstPaint::eventFilter(QObject *o, QEvent *e)
{
    if (o == m_window && e->type() == QEvent::UpdateRequest && !m_painted) {
        m_painted = true;
        // Queued: the paint that this request starts comes first.
        QTimer::singleShot(0, this, &FirstPaint::run);
    }
    return QObject::eventFilter(o, e);
}

void FirstPaint::run()
{
    m_painted = true;
    const QList<std::function<void()>> work = std::move(m_work);
    m_work.clear();
    for (const auto &w : work)
        w();
}
