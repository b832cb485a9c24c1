#include "widget_p.h"

namespace {
const char *const kMenuStyle =
    "QMenu{background:#FFFFFF;border: 0px;border-radius: 2px;border-style: solid;padding:3px 0px 3px 0px;}"
    "QMenu::item{background-color: transparent;padding:0px 20px 0px 20px;height:25px;color:#000000;}"
    "QMenu::item:selected:enabled{background:#2168DB;color:#ffffff;}";
}

// ---- the tray -------------------------------------------------------------

void Widget::createTrayIcon()
{
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        qDebug() << "no system tray: the dock works on without its tray icon";
    m_tray = new QSystemTrayIcon(this);
    m_tray->setIcon(QIcon(QStringLiteral(":/image/200.png")));
    m_tray->setToolTip(tr("Zorvane"));
    m_tray->setVisible(true);
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) {
            setShowWindows();
        } else if (reason == QSystemTrayIcon::MiddleClick) {
            m_tray->showMessage(tr("Zorvane"), tr("欢迎使用Zorvane！"), QSystemTrayIcon::Information, 10000);
        } else {
            QMenu menu;
            menu.setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
            menu.setAttribute(Qt::WA_TranslucentBackground);
            menu.addAction(tr("显示Dock"), this, &Widget::setShowWindows);
            menu.addSeparator();
            menu.addAction(tr("Dock设置"), this, &Widget::showSet);
            menu.addAction(tr("退出Dock        "), this, &Widget::systemClose);
            menu.setStyleSheet(QLatin1String(kMenuStyle));
            menu.exec(QCursor::pos());
        }
    });
}
