#include "widget_p.h"
#include "hovertips.h"

#include "dockshowing.h"
#include "dockactions.h"
#include "dockmenus.h"
#include "dockmessages.h"
#include "dockwindows.h"
#include "dock/icons/dockiconmenucode.h"

// ---- opening --------------------------------------------------------------

void Widget::IconOpen(QString ID) { m_actions->openIcon(ID); }
void Widget::IconOpens(QString cl) { m_actions->openClass(cl); }
void Widget::menuOpenIco(QString, int x) { m_actions->openMenuCode(x); }
void Widget::DllIconOpen(QString filePath) { m_actions->openPath(filePath); }

// What opening and the icon commands ask of the bar itself.
void Widget::wireActions()
{
    m_actions = new DockActions(IcoData, m_windows, this);
    m_actions->setScreenOfBar([this] { return screenRect(); });
    connect(m_actions, &DockActions::settingsRequested, this, &Widget::showSet);
    connect(m_actions, &DockActions::startMenuRequested, this, &Widget::showStartMenu);
    connect(m_actions, &DockActions::popupChanged, this, [this](bool open) { m_showing->setPopupOpen(open); });
    connect(m_actions, &DockActions::showDockRequested, this, &Widget::setShowWindows);
    connect(m_actions, &DockActions::menuRequested, this, [this](const QString &id) {
        NotMenuHide(id);
        if (FormMenu *menu = m_menus->menu(id)) {
            menu->toggle();
            menu->show();
            m_tips->bubble()->hide();
        }
    });
    connect(m_actions, &DockActions::launchPadRequested, this, [this] {
        if (!m_launchPad->isShown())
            showLaunchStarter();
        m_tips->bubble()->hide();
    });

    m_actions->setCommand(DockIconMenuCode::SystemClose, [this](const QString &) { systemClose(); });
    m_actions->setCommand(DockIconMenuCode::HideWindows, [this](const QString &) { setHideWindows(); });
    m_actions->setCommand(DockIconMenuCode::DeleteIcon, [this](const QString &id) {
        if (IcoData->findRow(0, id) < 0)
            return;
        MenuHide();
        m_showing->setMenuShown(false);
        if (!m_bar->contains(id) || !m_actions->removeIcon(id))
            return;
        SaveFile();
        rebuildBar();
        showToast(tr("图标删除成功！"));
    });

    m_messages = new DockMessages(IcoData, &m_set, this);
    connect(m_messages, &DockMessages::notesClosed, m_desktopWidget, [this] {
        m_desktopWidget->ReceiveSystemMessage(QStringLiteral("Mirelka"), QStringLiteral("MirelkaClose"));
    });
    connect(m_messages, &DockMessages::windowToolNotice, this, &Widget::setDetectionShow);
    connect(m_messages, &DockMessages::minuteText, this, [this](const QString &t) { m_launchPad->setTimeText(t); });
    connect(m_messages, &DockMessages::screenCheck, this, [this] { setScreen(m_set.screen); });
}

void Widget::NotMenuHide(QString ID) { m_showing->hideMenusBut(ID); }

// ---- the dock's own windows -----------------------------------------------

void Widget::upDate() { m_actions->checkForUpdate(); }
void Widget::showAbout() { m_actions->showAbout(); }
void Widget::myHelp() { m_actions->openHelp(); }
void Widget::openKelvash() { m_actions->openSearch(); }
void Widget::openColorPicker() { m_actions->openColorPicker(); }
void Widget::openScreenshot() { m_actions->openScreenshot(); }

void Widget::showSet() { m_showing->openSettings(); }
void Widget::showLaunchStarter() { m_showing->toggleLaunchPad(); }
void Widget::LaunchPadClose() { m_showing->launchPadClosed(); }
void Widget::showStartMenu() { m_showing->toggleStartMenu(); }
void Widget::hideStartMenu() { m_showing->hideStartMenu(); }
