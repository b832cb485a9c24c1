#include "widget_p.h"
#include "dockmessages.h"
#include "dockwindows.h"

#include "autohide.h"

// ---- messages and the tick ------------------------------------------------

void Widget::SendSystemMessage(QString object, QString content) { DockMessages::send(object, content); }
bool Widget::WindowToolDetection() { return DockMessages::windowToolRunning(); }
void Widget::timeOver() { m_messages->tick(); }

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
    DockMessages::sendTaskbarAlpha(b);
}

void Widget::setTaskbarBlurry(bool b)
{
    m_set.taskbarBlurry = b;
    DockMessages::sendTaskbarBlurry(b);
}

void Widget::setTaskbarHide(bool b)
{
    m_set.taskbarHide = b;
    DockMessages::sendTaskbarHide(b);
}

void Widget::StartUpOver() { m_windows->startUpOver(); }

void Widget::setWeatherInit(QString Name, QString stateDetailed, QString temNow, QString state)
{
    const int r = IcoData->findRow(3, IconClass::WEATHER);
    if (r < 0)
        return;
    IcoData->setCell(r, 2, Name + QLatin1Char(',') + stateDetailed);
    m_bar->setWeather(Name, stateDetailed, temNow, state);
}
