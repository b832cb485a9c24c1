#include "widget_p.h"
#include "dockshowing.h"

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
            m_layout->updateInputShape();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(o, e);
}

void Widget::showFrameArea(bool b) { m_layout->showFrameArea(b); }

void Widget::setLocking(bool b) { m_showing->setLocking(b); }
void Widget::setHide(bool b) { m_showing->setHide(b); }
void Widget::setShowWindows() { m_showing->showDock(); }
void Widget::setHideWindows() { m_showing->hideDock(); }
void Widget::MenuHide() { m_showing->hideMenus(); }
void Widget::IconFreeze(bool b) { m_bar->setFrozen(b); }
void Widget::IconRestore() { m_bar->restoreAll(); }
