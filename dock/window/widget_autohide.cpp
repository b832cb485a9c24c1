#include "widget_p.h"

#include "docklayout.h"

#include <QPropertyAnimation>

// ---- auto-hide, the edge strip and the window's reactions -------------------

void Widget::showStrip()
{
    m_detection->show();
    // Above everything, except over the launch pad, which covers the screen.
    if (!m_launchPad->isShown()) {
        platform::WindowSystemService::get().setLevel(m_detection, platform::WindowSystem::Above);
        m_detection->raise();
    }
}

void Widget::slideFrameMain(const QPoint &from, const QPoint &to, void (Widget::*done)())
{
    auto *a = new QPropertyAnimation(ui->frameMain, "pos");
    a->setDuration(300);
    a->setEasingCurve(QEasingCurve::Linear);
    a->setKeyValueAt(0, from);
    a->setEndValue(to);
    connect(a, &QPropertyAnimation::finished, this, done);
    a->start(QAbstractAnimation::DeleteWhenStopped);
}

void Widget::myIn()
{
    if (m_set.pop) {
        showNormal();
        activateWindow();
        show();
        raise();
    }
    if (!m_slidIn) {
        m_slidIn = true;
        ui->main->show();
        show();
        slideFrameMain(DockLayout::slideHiddenPoint(m_set.location, ui->main->size()), QPoint(0, 0),
                       &Widget::myInEnd);
        updateInputShape();
    }
    ui->Detection->hide();
    ui->Detection00->hide();
}

void Widget::myInEnd()
{
    showStrip();
    m_dockShown = true;
}

void Widget::myOut()
{
    if (!m_slidIn)
        return;
    m_slidIn = false;
    // The bar keeps the pointer and stays uncut until it has slid away.
    m_slidingOut = true;
    slideFrameMain(QPoint(0, 0), DockLayout::slideHiddenPoint(m_set.location, ui->main->size()),
                   &Widget::HiddenEnd);
}

void Widget::HiddenEnd()
{
    m_dockShown = false;
    m_slidingOut = false;
    showStrip();
    updateInputShape();
}

void Widget::MouseIn()
{
    m_detection->hide();
    ui->Detection->hide();
    ui->Detection00->hide();
    platform::WindowSystemService::get().raiseOnce(this);
    show();
    raise();
    activateWindow();
    setFocus(Qt::OtherFocusReason);
    myIn();
}

void Widget::enterEvent(QEvent *e)
{
    m_pointerInside = true;
    m_detection->hide();
    QWidget::enterEvent(e);
}

void Widget::leaveEvent(QEvent *e)
{
    QWidget::leaveEvent(e);
    if (m_menuShown)
        return;
    showStrip();
    m_pointerInside = false;
    IconRestore();
    m_name->hide();
    m_weatherEffects->hide();
    ui->frameDragAdd->hide();
    if (!popupOpen && m_set.hideInEffect)
        myOut();
    m_relayoutTimer->start(1);
}

bool Widget::eventFilter(QObject *o, QEvent *e)
{
    if (o == this && e->type() == QEvent::WindowDeactivate && !m_menuDrag) {
        showStrip();
        MenuHide();
        hideStartMenu();
        m_menuShown = false;
        if (!popupOpen && m_set.hideInEffect && !m_pointerInside) {
            m_name->hide();
            m_weatherEffects->hide();
        }
        m_relayoutTimer->start(1);
    } else if (o != this) {
        // The name bubble and the pop-ups inside the window: what the pointer
        // may reach follows them.
        switch (e->type()) {
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::Move:
        case QEvent::Resize:
            updateInputShape();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(o, e);
}

void Widget::showFrameArea(bool b)
{
    if (b == m_frameAreaShown)
        return;
    m_frameAreaShown = b;
    const int edge = m_set.location;
    const QSize s = ui->frameArea->size();
    const QPoint shown = DockLayout::frameAreaPoint(edge, true, s);
    const QPoint hidden = DockLayout::frameAreaPoint(edge, false, s);
    auto *a = new QPropertyAnimation(ui->frameArea, "pos");
    if (b) {
        a->setStartValue(hidden);
        a->setEndValue(shown);
        a->setDuration(800);
        a->setEasingCurve(QEasingCurve::OutElastic);
    } else {
        a->setStartValue(shown);
        a->setEndValue(hidden);
        a->setDuration(500);
        a->setEasingCurve(QEasingCurve::OutBack);
    }
    m_frameAreaAnimation = a;
    connect(a, &QPropertyAnimation::finished, this, [this, a] {
        if (m_frameAreaAnimation == a)
            m_frameAreaAnimation = nullptr;
        updateInputShape();
    });
    a->start(QAbstractAnimation::DeleteWhenStopped);
    updateInputShape();
}

void Widget::setLocking(bool b) { m_set.locking = b; }

void Widget::setHide(bool b)
{
    m_set.hide = m_set.hideInEffect = b;
}

void Widget::setShowWindows()
{
    ui->main->show();
    MouseIn();
    m_desktopTime->RaiseWindow();
    updateInputShape();
}

void Widget::setHideWindows()
{
    ui->main->hide();
    MenuHide();
    m_menuShown = false;
    m_relayoutTimer->start(1);
    m_name->hide();
    m_weatherEffects->hide();
    updateInputShape();
}

void Widget::MenuHide()
{
    if (m_menuShown) {
        for (int r = 0; r < IcoData->rowCount(); ++r) {
            if (IcoData->cell(r, 3) != IconClass::MENU)
                continue;
            if (FormMenu *menu = menuWindows.value(IcoData->cell(r, 0)))
                menu->hideAnimated();
        }
    }
    IconRestore();
}

void Widget::IconFreeze(bool b)
{
    m_bar->setFrozen(b);
}

void Widget::IconRestore()
{
    m_bar->restoreAll();
}
