#include "widget_p.h"
#include "dockmessages.h"
#include "dockwindows.h"

#include "dockshowing.h"

// ---- messages and the tick ------------------------------------------------

void Widget::SendSystemMessage(QString object, QString content) { DockMessages::send(object, content); }
bool Widget::WindowToolDetection() { return DockMessages::windowToolRunning(); }
void Widget::timeOver() { m_messages->tick(); }

void Widget::setDetectionShow(QString x) { m_showing->windowToolNotice(x); }
void Widget::setTaskbarAlpha(bool b) { m_messages->setTaskbarAlpha(b); }
void Widget::setTaskbarBlurry(bool b) { m_messages->setTaskbarBlurry(b); }
void Widget::setTaskbarHide(bool b) { m_messages->setTaskbarHide(b); }

void Widget::StartUpOver() { m_windows->startUpOver(); }

void Widget::setWeatherInit(QString Name, QString stateDetailed, QString temNow, QString state)
{
    const int r = IcoData->findRow(3, IconClass::WEATHER);
    if (r < 0)
        return;
    IcoData->setCell(r, 2, Name + QLatin1Char(',') + stateDetailed);
    m_bar->setWeather(Name, stateDetailed, temNow, state);
}
