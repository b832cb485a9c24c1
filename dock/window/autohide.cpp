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

// A slide that starts while the other runs takes over from where the bar
// has got to: two animations on one position would fight, and the first
// one's end would report a state the bar has already left.
void AutoHide::slide(QPoint from, const QPoint &to, void (AutoHide::*done)())
{
    int duration = 300;
    if (m_slide) {
        const int whole = (to - from).manhattanLength();
        from = m_frameMain->pos();
        if (whole > 0)
            duration = qBound(1, duration * (to - from).manhattanLength() / whole, duration);
        m_slide->stop(); // deletes it, without its end
    }
    auto *a = new QPropertyAnimation(m_frameMain, "pos");
    a->setDuration(duration);
    a->setEasingCurve(QEasingCurve::Linear);
    a->setStartValue(from);
    a->setEndValue(to);
    connect(a, &QPropertyAnimation::finished, this, done);
    m_slide = a;
    a->start(QAbstractAnimation::DeleteWhenStopped);
}

bool AutoHide::slideIn(const QPoint &hiddenPoint)
{
    if (m_slidIn)
        return false;
    m_slidIn = true;
    // Caught on its way out, the bar is not in sight until it is back.
    if (m_slidingOut)
        m_dockShown = false;
    m_slidingOut = false;
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

void AutoHide::shapeStrip(const QRegion &iconsOnScreen)
{
    const QRect r = m_strip->geometry();
    QRegion takes(QRect(QPoint(0, 0), r.size()));
    if (m_slidIn)
        takes -= iconsOnScreen.translated(-r.topLeft());
    if (takes == m_stripShape || !m_strip->windowHandle())
        return;
    m_stripShape = takes;
    auto &ws = platform::WindowSystemService::get();
    // The window manager's frame follows the window's outline: cut both.
    if (takes.isEmpty())
        ws.setNoInput(m_strip);
    else
        ws.setShape(m_strip, takes);
}
