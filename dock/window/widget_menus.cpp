#include "widget_p.h"
#include "docklayout.h"
#include "dockactions.h"
#include "dock/style/dockstyle.h"

#include <QMouseEvent>
#include <QWheelEvent>

// ---- icon commands --------------------------------------------------------

void Widget::showMenu(QString id, int x) { m_actions->runCommand(id, x); }

// ---- the bar's own menu and the wheel ----------------------------------------

QMenu *Widget::buildBarMenu()
{
    QMenu *menu = DockStyle::popupMenu(new QMenu(nullptr));
    QMenu *add = DockStyle::popupMenu(new QMenu(tr("添加图标"), menu));
    connect(menu, &QMenu::aboutToHide, this, &Widget::PanelHide);

    menu->addAction(tr("桌面工具"), this, &Widget::AddDesktopWidget);
    menu->addMenu(add);
    menu->addSeparator();
    menu->addAction(tr("Dock设置          "), this, &Widget::showSet);
    menu->addAction(tr("使用帮助     "), this, &Widget::myHelp);
    menu->addAction(tr("隐藏Dock          "), this, &Widget::setHideWindows);
    menu->addAction(tr("退出Dock          "), this, &Widget::systemClose);

    add->addAction(tr("添加应用图标"), this, &Widget::AddIco);
    add->addAction(tr("添加系统图标"), this, &Widget::AddSystemIcon);
    add->addAction(tr("添加网址"), this, &Widget::AddUrlIco);
    add->addAction(tr("添加扩展菜单"), this, &Widget::AddMenu);
    add->addAction(tr("添加文件夹"), this, &Widget::AddFolder);
    add->addAction(tr("添加分栏图标"), this, &Widget::AddBlank);
    return menu;
}

void Widget::PanelHide()
{
    popupOpen = false;
}

void Widget::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() != Qt::RightButton)
        return;
    popupOpen = true;
    QMenu *menu = buildBarMenu();
    menu->exec(QCursor::pos());
    menu->deleteLater();
}

void Widget::wheelEvent(QWheelEvent *e)
{
    // A touchpad reports small steps: a page turns per whole notch (120).
    const QPoint d = e->angleDelta();
    const int notches = DockLayout::takeWheelNotches(m_wheelDelta, d.y() != 0 ? d.y() : d.x());
    for (int i = 0; i < qAbs(notches); ++i)
        m_launchPad->turnPage(notches > 0 ? 0 : 1);
}

// ---- the tray -------------------------------------------------------------

void Widget::createTrayIcon()
{
    // Without a tray the icon simply stays unseen; it shows up should a tray
    // appear later.
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        qDebug() << "no system tray: the dock works on without its tray icon";
    m_tray = new QSystemTrayIcon(this);
    m_tray->setIcon(QIcon(QStringLiteral(":/image/tray.png")));
    m_tray->setToolTip(tr("Zorvane"));
    m_tray->setVisible(true);
    connect(m_tray, &QSystemTrayIcon::activated, this, &Widget::iconActivated);
}

QMenu *Widget::buildTrayMenu()
{
    QMenu *menu = DockStyle::popupMenu(new QMenu(nullptr));
    menu->addAction(tr("显示Dock"), this, &Widget::setShowWindows);
    menu->addSeparator();
    menu->addAction(tr("Dock设置"), this, &Widget::showSet);
    menu->addAction(tr("退出Dock        "), this, &Widget::systemClose);
    return menu;
}

void Widget::iconActivated(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
    case QSystemTrayIcon::DoubleClick:
        setShowWindows();
        break;
    case QSystemTrayIcon::MiddleClick:
        if (m_tray)
            m_tray->showMessage(tr("Zorvane"), tr("欢迎使用Zorvane！"), QSystemTrayIcon::Information, 10000);
        break;
    default: {
        QMenu *menu = buildTrayMenu();
        menu->exec(QCursor::pos());
        menu->deleteLater();
        break;
    }
    }
}
