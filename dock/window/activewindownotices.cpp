#include "activewindownotices.h"

namespace {
const QString Normal = QStringLiteral("AppWindowNormal");
const QString Maximized = QStringLiteral("AppWindowMaximization");
const QString FullScreen = QStringLiteral("AppWindowFullScreen");
} // namespace

ActiveWindowNotices::ActiveWindowNotices(std::function<QRect()> screen, std::function<bool()> toolRunning,
                                         QObject *parent)
    : QObject(parent), m_screen(std::move(screen)), m_toolRunning(std::move(toolRunning)), m_last(Normal)
{
    platform::ActiveWindow &active = platform::ActiveWindowService::get();
    // The window that has the keyboard when the dock starts took it from nobody.
    m_activeId = active.active().id;
    connect(&active, &platform::ActiveWindow::changed, this, &ActiveWindowNotices::check);
}

QString ActiveWindowNotices::noticeFor(const platform::ActiveWindow::Info &active, const QRect &screen)
{
    using State = platform::ActiveWindow::State;
    if (active.id == 0 || active.own || active.state == State::Normal)
        return Normal;
    // A window belongs to the screen that holds its middle; a maximised one
    // may reach a little beyond it with its frame.
    if (!screen.contains(active.geometry.center()))
        return Normal;
    return active.state == State::FullScreen ? FullScreen : Maximized;
}

void ActiveWindowNotices::recheckScreen()
{
    if ((m_screen ? m_screen() : QRect()) != m_lastScreen)
        check();
}

void ActiveWindowNotices::check()
{
    const platform::ActiveWindow::Info active = platform::ActiveWindowService::get().active();
    if (active.id != m_activeId) {
        m_activeId = active.id;
        if (active.id != 0)
            emit otherWindowActivated();
    }
    m_lastScreen = m_screen ? m_screen() : QRect();
    const QString now = noticeFor(active, m_lastScreen);
    const quint64 fullScreen = now == FullScreen ? active.id : 0;
    if (fullScreen != m_fullScreenId) {
        m_fullScreenId = fullScreen;
        emit fullScreenWindowChanged(fullScreen);
    }
    if (now == m_last)
        return;
    m_last = now;
    if (m_toolRunning && m_toolRunning())
        return;
    emit notice(now);
}
