#include "widget_p.h"
#include "docklayout.h"

#include <QMouseEvent>
#include <QWheelEvent>

namespace {

const char *const kMenuStyle =
    "QMenu{background:#FFFFFF;border: 0px;border-radius: 2px;border-style: solid;padding:3px 0px 3px 0px;}"
    "QMenu::item{background-color: transparent;padding:0px 20px 0px 20px;height:25px;color:#000000;}"
    "QMenu::item:selected:enabled{background:#2168DB;color:#ffffff;}";

// The commands a dock icon's context menu sends with its ID.
enum IconCommand : int {
    CmdShowSet = 0,
    CmdIconSet = 1,
    CmdAddIcon = 2,
    CmdAddSystemIcon = 3,
    CmdAddExtensionIcon = 4,
    CmdAddExtendedMenu = 5,
    CmdDeleteIcon = 6,
    CmdMenuAddIcon = 7,
    CmdMenuAddSystemIcon = 8,
    CmdIconSetDisk = 9,
    CmdAddFolder = 10,
    CmdMenuAddFolder = 11,
    CmdAddDesktopWidget = 12,
    CmdAddBlank = 13,
    CmdAddUrlIco = 15,
    CmdMenuAddUrlIco = 16,
    CmdRecycleIconAir = 17,
    CmdRecycleIconFull = 18,
    CmdSystemClose = 20,
    CmdMenuOpening = 100,
    CmdMenuClosed = 101,
    CmdHideWindows = 102,
};

QMenu *popupMenu(QMenu *menu)
{
    menu->setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    menu->setAttribute(Qt::WA_TranslucentBackground);
    menu->setStyleSheet(QLatin1String(kMenuStyle));
    return menu;
}

} // namespace

// ---- icon commands --------------------------------------------------------

void Widget::showMenu(QString id, int x)
{
    switch (x) {
    case CmdShowSet:
        showSet();
        return;
    case CmdIconSet:
    case CmdRecycleIconAir:
    case CmdRecycleIconFull: {
        const int r = IcoData->findRow(0, id);
        if (r < 0)
            return;
        const DockIconRecord rec = IcoData->record(r);
        popupOpen = true;
        m_iconSettings->setIconData(id, rec.Icon, rec.Name, rec.Note, rec.Path, rec.Class,
                                    x == CmdRecycleIconFull ? 1 : 0);
        m_iconSettings->showNormal();
        m_iconSettings->show();
        m_iconSettings->activateWindow();
        return;
    }
    case CmdAddIcon: AddIco(); return;
    case CmdAddSystemIcon: AddSystemIcon(); return;
    case CmdAddExtensionIcon: return;
    case CmdAddExtendedMenu: AddMenu(); return;
    case CmdDeleteIcon: {
        const int r = IcoData->findRow(0, id);
        if (r < 0)
            return;
        MenuHide();
        m_menuShown = false;
        if (!iconWidgets.contains(id))
            return;
        if (IcoData->cell(r, 3) == IconClass::MENU) {
            const QString menuFile = FormMenu::menuFilePath(id);
            if (!menuFile.isEmpty() && QFile::exists(menuFile))
                QFile::remove(menuFile);
        }
        IcoData->removeAt(r);
        takeIconWidget(id);
        SaveFile();
        rebuildBar();
        showToast(tr("图标删除成功！"));
        return;
    }
    case CmdMenuAddIcon: menuAddIco(id); return;
    case CmdMenuAddSystemIcon: menuAddSystemIco(id); return;
    case CmdIconSetDisk: {
        const int r = IcoData->findRow(0, id);
        if (r < 0)
            return;
        m_selectDisk->setIconData(id, IcoData->cell(r, 4));
        m_selectDisk->show();
        return;
    }
    case CmdAddFolder: AddFolder(); return;
    case CmdMenuAddFolder: menuAddFolder(id); return;
    case CmdAddDesktopWidget: m_desktopWidget->show(); return;
    case CmdAddBlank: AddBlank(); return;
    case CmdAddUrlIco: AddUrlIco(); return;
    case CmdMenuAddUrlIco: menuAddUrlIco(id); return;
    case CmdSystemClose: systemClose(); return;
    case CmdMenuOpening: popupOpen = true; return;
    case CmdMenuClosed: popupOpen = false; return;
    case CmdHideWindows: setHideWindows(); return;
    default: return;
    }
}

// ---- the bar's own menu and the wheel ----------------------------------------

QMenu *Widget::buildBarMenu()
{
    QMenu *menu = popupMenu(new QMenu(nullptr));
    QMenu *add = popupMenu(new QMenu(tr("添加图标"), menu));
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
    QMenu *menu = popupMenu(new QMenu(nullptr));
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
