#include "widget_p.h"

#include "autohide.h"

// ---- messages and the tick ------------------------------------------------

namespace {
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

void Widget::SendSystemMessage(QString object, QString content)
{
    const bool found = SystemMessage::windowExists(object);
    qDebug() << "句柄：" << object << found;
    if (!found)
        return;
    qDebug() << "发送：" << object;
    SystemMessage::send(object, content);
}

bool Widget::receiveSystemMessage(quint32 dwData, const QString &text)
{
    if (dwData != SystemMessage::Tag)
        return false;
    const SystemMessage::Parsed m = SystemMessage::parse(text);
    // A message without a sender and a command is consumed and ignored.
    if (!m.hasComma)
        return true;
    if (m.sender == QLatin1String("Mirelka") && m.command == QLatin1String("MirelkaClose")) {
        qDebug().noquote() << m.sender + QStringLiteral("：") + m.command;
        m_desktopWidget->ReceiveSystemMessage(QStringLiteral("Mirelka"), QStringLiteral("MirelkaClose"));
    }
    if (m.sender == QLatin1String("Pravelt")) {
        static const char *const commands[] = { "AppWindowFullScreen(LaunchPad)", "AppWindowFullScreen",
                                                "AppWindowMaximization", "AppWindowNormal",
                                                "MButtonDoubleClick", "WinD" };
        for (const char *c : commands) {
            if (m.command == QLatin1String(c)) {
                qDebug().noquote() << noticeLine(m.sender, m.command);
                setDetectionShow(m.command);
                break;
            }
        }
    }
    return true;
}

void Widget::setDetectionShow(QString x)
{
    // The edge strip lets the pointer bring the bar back over a full-screen or
    // maximised window, when the user wants that and the pointer is not on
    // the bar already.
    const auto revealUnlessOnBar = [this](bool wanted) {
        if (!wanted) {
            m_detection->hide();
            return;
        }
        const QPoint c = QCursor::pos();
        const int left = this->x() + ui->main->x(), top = this->y() + ui->main->y();
        const bool onBar = left < c.x() && c.x() < left + ui->main->width() && top < c.y()
            && c.y() < top + ui->main->height();
        if (!onBar)
            m_detection->show();
    };
    if (x == QLatin1String("AppWindowFullScreen(LaunchPad)") && m_autoHide->isSlidIn()) {
        ui->Detection->hide();
        ui->Detection00->hide();
    }
    if (x == QLatin1String("AppWindowFullScreen"))
        revealUnlessOnBar(m_set.mouseFullScreen);
    if (x == QLatin1String("AppWindowMaximization"))
        revealUnlessOnBar(m_set.mouseMaximize);
    if (x == QLatin1String("AppWindowNormal")) {
        m_detection->hide();
        if (m_set.hideInEffect && !m_autoHide->isSlidIn())
            m_detection->show();
    }
    if (x == QLatin1String("MButtonDoubleClick"))
        IconDisplay();
    if (x == QLatin1String("WinD"))
        m_showTimer->start(100);
    qDebug() << "当前层级:" << m_set.level;
}

void Widget::setTaskbarAlpha(bool b)
{
    m_set.taskbarAlpha = b;
    SendSystemMessage(QStringLiteral("Pravelt"), b ? QStringLiteral("TaskbarAlphaTrue") : QStringLiteral("TaskbarAlphaFalse"));
}

void Widget::setTaskbarBlurry(bool b)
{
    m_set.taskbarBlurry = b;
    SendSystemMessage(QStringLiteral("Pravelt"), b ? QStringLiteral("TaskbarBlurryTrue") : QStringLiteral("TaskbarBlurryFalse"));
}

void Widget::setTaskbarHide(bool b)
{
    m_set.taskbarHide = b;
    SendSystemMessage(QStringLiteral("Pravelt"), b ? QStringLiteral("TaskbarHideTrue") : QStringLiteral("TaskbarHideFalse"));
}

bool Widget::WindowToolDetection()
{
    return SystemMessage::windowExists(QStringLiteral("Pravelt"));
}

void Widget::timeOver()
{
    if (++m_tick == 60) {
        m_tick = 0;
        const QDateTime now = platform::now();
        for (int r = 0; r < IcoData->rowCount(); ++r) {
            const QString cl = IcoData->cell(r, 3);
            if (cl == IconClass::TIME1 || cl == IconClass::TIME2)
                IcoData->setCell(r, 2, now.toString(QStringLiteral("yyyy/MM/dd ddd")));
        }
        m_launchPad->setTimeText(tr("%1").arg(QLocale(QLocale::English, QLocale::AnyCountry)
                                                   .toString(now, QStringLiteral("h:mm AP"))));
    }
    if (m_tick % 5 == 0) {
        setScreen(m_set.screen);
        const bool tool = WindowToolDetection();
        if (tool && m_tick == 15) {
            setTaskbarBlurry(m_set.taskbarBlurry);
            setTaskbarAlpha(m_set.taskbarAlpha);
            setTaskbarHide(m_set.taskbarHide);
        } else if (!tool && m_tick == 10) {
            platform::ProcessesService::get().startOutsideProgram(QStringLiteral("Pravelt.exe"));
        }
    }
}

void Widget::StartUpOver()
{
    m_upload->startCheckTimer();
    m_upload->startInit2();
    startUpPrompt()->CheckAutoRun();
}

void Widget::setWeatherInit(QString Name, QString stateDetailed, QString temNow, QString state)
{
    const int r = IcoData->findRow(3, IconClass::WEATHER);
    if (r < 0)
        return;
    IcoData->setCell(r, 2, Name + QLatin1Char(',') + stateDetailed);
    if (FormCommonIcon *icon = iconWidgets.value(IcoData->cell(r, 0)))
        icon->setWeather(Name, stateDetailed, temNow, state);
}
