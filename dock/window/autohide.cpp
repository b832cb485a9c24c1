#include "autohide.h"

#include "formdetection.h"
#include "platform/windowsystem.h"

#include <QCursor>
#include <QPropertyAnimation>
#include <QWidget>

AutoHide::AutoHide(QWidget *window, QWidget *frameMain, QObject *parent)
    : QObject(parent), m_window(window), m_frameMain(frameMain), m_strip(new FormDetection)
{
    connect(m_strip, &FormDetection::MouseIn, this, &AutoHide::stripTouched);
    m_strip->hide();
    auto &ws = platform::WindowSystemService::get();
    ws.setRole(m_strip, platform::WindowSystem::Role::Dock);
    ws.setLevel(m_strip, platform::WindowSystem::Above);
}

AutoHide::~AutoHide()
{
    delete m_strip;
}

void AutoHide::slide(const QPoint &from, const QPoint &to, void (AutoHide::*done)())
{
    auto *a = new QPropertyAnimation(m_frameMain, "pos");
    a->setDuration(300);
    a->setEasingCurve(QEasingCurve::Linear);
    a->setKeyValueAt(0, from);
    a->setEndValue(to);
    connect(a, &QPropertyAnimation::finished, this, done);
    a->start(QAbstractAnimation::DeleteWhenStopped);
}

bool AutoHide::slideIn(const QPoint &hiddenPoint)
{
    if (m_slidIn)
        return false;
    m_slidIn = true;
    slide(hiddenPoint, QPoint(0, 0), &AutoHide::emitIn);
    return true;
}

bool AutoHide::slideOut(const QPoint &hiddenPoint)
{
    if (!m_slidIn)
        return false;
    m_slidIn = false;
    // The bar keeps the pointer and stays uncut until it has slid away.
    m_slidingOut = true;
    slide(QPoint(0, 0), hiddenPoint, &AutoHide::emitOut);
    return true;
}

void AutoHide::showStrip(bool keepLow, const QRegion &barOnScreen)
{
    if (m_slidIn && (m_pointerInside || barOnScreen.contains(QCursor::pos()))) {
        m_strip->hide();
        return;
    }
    m_strip->show();
    if (!keepLow) {
        platform::WindowSystemService::get().setLevel(m_strip, platform::WindowSystem::Above);
        m_strip->raise();
    }
}

void AutoHide::hideStrip()
{
    // While the bar is out of sight the strip is the only way back.
    if (m_slidIn)
        m_strip->hide();
}
