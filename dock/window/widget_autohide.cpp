#include "widget_p.h"
#include "hovertips.h"

#include "autohide.h"
#include "docklayout.h"
#include "dockmenus.h"

#include <QPropertyAnimation>

// ---- auto-hide, the edge strip and the window's reactions -------------------

void Widget::showStrip()
{
    // Above everything, except over the launch pad, which covers the screen.
    QRegion bar = m_layout->barRegion().translated(pos());
    m_autoHide->showStrip(m_launchPad->isShown(), bar);
}

void Widget::myIn()
{
    if (m_set.pop) {
        showNormal();
        activateWindow();
        show();
        raise();
    }
    if (!m_autoHide->isSlidIn()) {
        ui->main->show();
        show();
        m_autoHide->slideIn(DockLayout::slideHiddenPoint(m_set.location, ui->main->size()));
        m_layout->updateInputShape();
    }
    ui->Detection->hide();
    ui->Detection00->hide();
}

void Widget::myInEnd()
{
    m_autoHide->slideInEnded();
    showStrip();
}

void Widget::myOut()
{
    m_autoHide->slideOut(DockLayout::slideHiddenPoint(m_set.location, ui->main->size()));
}

void Widget::HiddenEnd()
{
    m_autoHide->slideOutEnded();
    showStrip();
    m_layout->updateInputShape();
}

void Widget::MouseIn()
{
    ui->Detection->hide();
    ui->Detection00->hide();
    platform::WindowSystemService::get().raiseOnce(this);
    show();
    raise();
    activateWindow();
    setFocus(Qt::OtherFocusReason);
    myIn();
    m_autoHide->hideStrip();
}

void Widget::enterEvent(QEvent *e)
{
    m_autoHide->setPointerInside(true);
    m_autoHide->hideStrip();
    QWidget::enterEvent(e);
}

void Widget::leaveEvent(QEvent *e)
{
    QWidget::leaveEvent(e);
    if (m_menuShown)
        return;
    m_autoHide->setPointerInside(false);
    showStrip();
    IconRestore();
    m_tips->hide();
    ui->frameDragAdd->hide();
    if (!popupOpen && m_set.hideInEffect)
        myOut();
    m_layout->requestRelayout();
}

bool Widget::eventFilter(QObject *o, QEvent *e)
{
    if (o == this && e->type() == QEvent::UpdateRequest && !m_painted) {
        m_painted = true;
        // Queued: the paint that this request starts comes first.
        QTimer::singleShot(0, this, &Widget::runAfterPaint);
    }
    if (o == this && e->type() == QEvent::WindowDeactivate && !m_menuDrag) {
        showStrip();
        MenuHide();
        hideStartMenu();
        m_menuShown = false;
        if (!popupOpen && m_set.hideInEffect && !m_autoHide->isPointerInside())
            m_tips->hide();
        m_layout->requestRelayout();
    } else if (o != this) {
        // The name bubble and the pop-ups inside the window: what the pointer
        // may reach follows them.
        switch (e->type()) {
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::Move:
        case QEvent::Resize:
            m_layout->updateInputShape();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(o, e);
}

void Widget::afterFirstPaint(const std::function<void()> &work)
{
    if (m_painted && m_afterPaint.isEmpty()) {
        work();
        return;
    }
    if (m_afterPaint.isEmpty() && !m_painted)
        QTimer::singleShot(1000, this, &Widget::runAfterPaint);
    m_afterPaint << work;
}

void Widget::runAfterPaint()
{
    m_painted = true;
    const QList<std::function<void()>> work = std::move(m_afterPaint);
    m_afterPaint.clear();
    for (const auto &w : work)
        w();
}

void Widget::showFrameArea(bool b) { m_layout->showFrameArea(b); }

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
    m_layout->updateInputShape();
}

void Widget::setHideWindows()
{
    ui->main->hide();
    MenuHide();
    m_menuShown = false;
    m_layout->requestRelayout();
    m_tips->hide();
    m_layout->updateInputShape();
}

void Widget::MenuHide()
{
    if (m_menuShown)
        m_menus->hideAll();
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
