#pragma once
#include "platform/activewindow.h"

#include <QObject>
#include <QRect>
#include <QString>

#include <functional>

// The window tool's notices about the active window ("AppWindowMaximization",
// "AppWindowFullScreen", "AppWindowNormal"), made from what the desktop itself
// says, for the screen the bar stands on. Each is told once, when it changes;
// while the window tool runs it tells them itself, and these stay unsaid.
class ActiveWindowNotices : public QObject
{
    Q_OBJECT
public:
    // screen: the bar's screen; toolRunning: whether the window tool is there.
    ActiveWindowNotices(std::function<QRect()> screen, std::function<bool()> toolRunning,
                        QObject *parent = nullptr);

    // The notice for that window on that screen: a window of our own, one on
    // another screen and none at all count as normal.
    static QString noticeFor(const platform::ActiveWindow::Info &active, const QRect &screen);

    // Looks at the active window again.
    void check();
    // Looks again only if the bar's screen is not the one last looked at.
    void recheckScreen();

signals:
    void notice(const QString &text);
    // Another window took the keyboard: the dock reacts as to losing it.
    void otherWindowActivated();
    // The window that fills the bar's screen now (0: none); window managers
    // lift it above every dock, so the edge strip must stand in front of it.
    void fullScreenWindowChanged(quint64 id);

private:
    std::function<QRect()> m_screen;
    std::function<bool()> m_toolRunning;
    QString m_last;
    QRect m_lastScreen;
    quint64 m_activeId = 0;
    quint64 m_fullScreenId = 0;
};
