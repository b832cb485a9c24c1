#include "widget_p.h"
#include "docklayout.h"
#include "dockshowing.h"

#include <QPropertyAnimation>

// ---- auto-hide and the edge strip: DockShowing does it ---------------------

void Widget::myIn() { m_showing->slideIn(); }
void Widget::myInEnd() { m_showing->slideInEnded(); }
void Widget::myOut() { m_showing->slideOut(); }
void Widget::HiddenEnd() { m_showing->slideOutEnded(); }
void Widget::MouseIn() { m_showing->bringBack(); }

bool Widget::eventFilter(QObject *o, QEvent *e)
{
    if (o != this) {
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

void Widget::setLocking(bool b) { m_showing->setLocking(b); }
void Widget::setHide(bool b) { m_showing->setHide(b); }
void Widget::setShowWindows() { m_showing->showDock(); }
void Widget::setHideWindows() { m_showing->hideDock(); }
void Widget::MenuHide() { m_showing->hideMenus(); }
void Widget::IconFreeze(bool b) { m_bar->setFrozen(b); }
void Widget::IconRestore() { m_bar->restoreAll(); }
