#include "widget_p.h"

#include "autohide.h"

// ---- where the window and its bar stand -------------------------------------

QRect Widget::screenRect() const
{
    return DockPlacement::screenRect(m_set.screen);
}


void Widget::setScreen(int x) { m_layout->setScreen(x); }
void Widget::WindowsTrayWndMove() { m_layout->takeAvailable(); }
void Widget::setMargin(int x) { m_layout->setMargin(x); }
void Widget::setLevel(int x) { m_layout->applyLevel(x); }
void Widget::setLevel2(int x) { m_layout->setLevel(x); }

void Widget::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    m_layout->resendInputShape();
}
