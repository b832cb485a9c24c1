#pragma once
#include "dock/settings/docksettings.h"

#include <QDateTime>
#include <QObject>
#include <QString>

class DockIconList;
class QTimer;
class SystemMessageReceiver;

// The dock's side of the messages between our programs, and the dock's
// one-second tick: the window tool beside the dock is started when missing
// and, once there, told the taskbar switches. At each turn of the minute the
// clock icons' rows take the date and the launch pad its time. A taskbar
// switch of the settings is told to the window tool as it changes.
class DockMessages : public QObject
{
    Q_OBJECT
public:
    DockMessages(DockIconList *icons, DockSettings *settings, QObject *parent = nullptr);

    // Listening for messages under the dock's window title, and stopping.
    bool listen(const QString &title);
    bool isListening() const;
    void close();

    // A message the receiver got; true when consumed. Every text with the
    // system tag is consumed, whether or not it means anything here.
    bool receive(quint32 dwData, const QString &text);
    // Sends to the window titled `object` when it is there.
    static void send(const QString &object, const QString &content);
    static bool windowToolRunning();
    static void sendTaskbarAlpha(bool on);
    static void sendTaskbarBlurry(bool on);
    static void sendTaskbarHide(bool on);

    // The tick: the count within the minute, the timer and one step of it.
    int tickCount() const { return m_tick; }
    void startTicking();
    void stopTicking();
    void tick();
    // The minute's work, at its turn: run by the minute timer, which it aims
    // at the next turn by the clock service, and by the first tick.
    void minuteTurn();
    const QTimer *minuteTimer() const { return m_minuteTimer; }

signals:
    void notesClosed();
    // A notice of the window tool: a window went full screen, maximised or
    // normal, the desktop was double-clicked or shown.
    void windowToolNotice(const QString &command);
    // At each turn of the minute: the launch pad's clock text.
    void minuteText(const QString &text);
    // Every five seconds: the bar checks the screens it may stand on.
    void screenCheck();

private:
    // Whether `now` lies in the minute last shown.
    bool inShownMinute(const QDateTime &now) const;

    DockIconList *m_icons;
    DockSettings *m_settings;
    SystemMessageReceiver *m_receiver = nullptr;
    QTimer *m_timer = nullptr;
    QTimer *m_minuteTimer = nullptr;
    QDateTime m_nextMinute; // the turn the minute timer is aimed at
    int m_tick = 59;
};
