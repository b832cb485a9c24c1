#include "dockmessages.h"

#include "common/logging.h"
#include "common/systemmessage.h"
#include "dock/model/dockiconlist.h"
#include "platform/clock.h"
#include "platform/processes.h"

#include <QLocale>
#include <QTimer>

namespace {

const QString WindowTool = QStringLiteral("Pravelt");

// What the debug output says about a notice of the window tool.
QString noticeLine(const QString &sender, const QString &command)
{
    if (command.startsWith(QLatin1String("AppWindowFullScreen")))
        return QStringLiteral("接到") + sender + QStringLiteral("系统消息：窗口全屏") + command;
    if (command == QLatin1String("AppWindowMaximization"))
        return QStringLiteral("系统消息：窗口最大化");
    if (command == QLatin1String("MButtonDoubleClick"))
        return QStringLiteral("接到鼠标双击：");
    return QStringLiteral("系统消息：窗口正常");
}

} // namespace

DockMessages::DockMessages(DockIconList *icons, DockSettings *settings, QObject *parent)
    : QObject(parent), m_icons(icons), m_settings(settings)
{
    connect(m_settings, &DockSettings::changed, this, [this](DockSettings::Key key) {
        if (key == DockSettings::Key::taskbarAlpha)
            sendTaskbarAlpha(m_settings->taskbarAlpha());
        else if (key == DockSettings::Key::taskbarBlurry)
            sendTaskbarBlurry(m_settings->taskbarBlurry());
        else if (key == DockSettings::Key::taskbarHide)
            sendTaskbarHide(m_settings->taskbarHide());
    });
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, &DockMessages::tick);
    // Aimed at the turn of each minute: a repeating timer counted from the
    // start would show a time up to a minute late. Precise, as a coarse
    // timer may fire seconds off over a minute.
    m_minuteTimer = new QTimer(this);
    m_minuteTimer->setSingleShot(true);
    m_minuteTimer->setTimerType(Qt::PreciseTimer);
    connect(m_minuteTimer, &QTimer::timeout, this, &DockMessages::minuteTurn);
}

bool DockMessages::listen(const QString &title)
{
    if (!m_receiver)
        m_receiver = new SystemMessageReceiver(
            title, [this](quint32 dw, const QString &text) { return receive(dw, text); }, this);
    if (m_receiver->listen())
        return true;
    qCDebug(lcMessages) << "system messages: cannot listen as" << title;
    return false;
}

bool DockMessages::isListening() const { return m_receiver && m_receiver->isListening(); }

void DockMessages::close()
{
    if (m_receiver)
        m_receiver->close();
}

void DockMessages::send(const QString &object, const QString &content)
{
    const bool found = SystemMessage::windowExists(object);
    qCDebug(lcMessages) << "句柄：" << object << found;
    if (!found)
        return;
    qCDebug(lcMessages) << "发送：" << object;
    SystemMessage::send(object, content);
}

bool DockMessages::receive(quint32 dwData, const QString &text)
{
    if (dwData != SystemMessage::Tag)
        return false;
    const SystemMessage::Parsed m = SystemMessage::parse(text);
    // A message without a sender and a command is consumed and ignored.
    if (!m.hasComma)
        return true;
    if (m.sender == QLatin1String("Mirelka") && m.command == QLatin1String("MirelkaClose")) {
        qCDebug(lcMessages).noquote() << m.sender + QStringLiteral("：") + m.command;
        emit notesClosed();
    }
    if (m.sender == WindowTool) {
        static const char *const commands[] = { "AppWindowFullScreen(LaunchPad)", "AppWindowFullScreen",
                                                "AppWindowMaximization", "AppWindowNormal",
                                                "MButtonDoubleClick", "WinD" };
        for (const char *c : commands) {
            if (m.command == QLatin1String(c)) {
                qCDebug(lcMessages).noquote() << noticeLine(m.sender, m.command);
                emit windowToolNotice(m.command);
                break;
            }
        }
    }
    return true;
}

bool DockMessages::windowToolRunning() { return SystemMessage::windowExists(WindowTool); }

void DockMessages::sendTaskbarAlpha(bool on)
{
    send(WindowTool, on ? QStringLiteral("TaskbarAlphaTrue") : QStringLiteral("TaskbarAlphaFalse"));
}

void DockMessages::sendTaskbarBlurry(bool on)
{
    send(WindowTool, on ? QStringLiteral("TaskbarBlurryTrue") : QStringLiteral("TaskbarBlurryFalse"));
}

void DockMessages::sendTaskbarHide(bool on)
{
    send(WindowTool, on ? QStringLiteral("TaskbarHideTrue") : QStringLiteral("TaskbarHideFalse"));
}

void DockMessages::startTicking() { m_timer->start(1000); }

void DockMessages::stopTicking()
{
    m_timer->stop();
    m_minuteTimer->stop();
    m_nextMinute = QDateTime();
}

bool DockMessages::inShownMinute(const QDateTime &now) const
{
    return m_nextMinute.isValid() && now < m_nextMinute && now >= m_nextMinute.addSecs(-60);
}

void DockMessages::minuteTurn()
{
    const QDateTime now = platform::now();
    // Fired before the turn: aimed again at what is left of the minute.
    if (inShownMinute(now)) {
        m_minuteTimer->start(int(qBound<qint64>(1, now.msecsTo(m_nextMinute), 60000)));
        return;
    }
    for (int r = 0; r < m_icons->rowCount(); ++r) {
        if (IconClasses::of(m_icons->at(r).Class).is(IconRule::DateName))
            m_icons->setCell(r, DockIconRecord::NameField, now.toString(QStringLiteral("yyyy/MM/dd ddd")));
    }
    emit minuteText(QLocale(QLocale::English, QLocale::AnyCountry).toString(now, QStringLiteral("h:mm AP")));
    const QTime t = now.time();
    m_nextMinute = QDateTime(now.date(), QTime(t.hour(), t.minute())).addSecs(60);
    m_minuteTimer->start(int(qBound<qint64>(1, now.msecsTo(m_nextMinute), 60000)));
}

void DockMessages::tick()
{
    if (++m_tick == 60)
        m_tick = 0;
    // The first tick shows the minute at once. Later ones catch a clock that
    // was set or slept through a suspend, which the minute timer, counting
    // running time, does not see.
    if (!inShownMinute(platform::now()))
        minuteTurn();
    if (m_tick % 5 == 0) {
        emit screenCheck();
        const bool tool = windowToolRunning();
        if (tool && m_tick == 15) {
            sendTaskbarBlurry(m_settings->taskbarBlurry());
            sendTaskbarAlpha(m_settings->taskbarAlpha());
            sendTaskbarHide(m_settings->taskbarHide());
        } else if (!tool && m_tick == 10) {
            platform::ProcessesService::get().startOutsideProgram(QStringLiteral("Pravelt.exe"));
        }
    }
}
