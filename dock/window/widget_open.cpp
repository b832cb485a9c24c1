#include "widget_p.h"
#include "hovertips.h"

#include "autohide.h"
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
    connect(m_actions, &DockActions::popupChanged, this, [this](bool open) { popupOpen = open; });
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
        m_menuShown = false;
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

void Widget::NotMenuHide(QString ID)
{
    if (!m_menuShown)
        return;
    m_menus->hideAll(ID);
    m_layout->requestRelayout();
}

// ---- the dock's own windows -----------------------------------------------

void Widget::upDate() { m_actions->checkForUpdate(); }
void Widget::showAbout() { m_actions->showAbout(); }
void Widget::myHelp() { m_actions->openHelp(); }
void Widget::openKelvash() { m_actions->openSearch(); }
void Widget::openColorPicker() { m_actions->openColorPicker(); }
void Widget::openScreenshot() { m_actions->openScreenshot(); }

void Widget::showSet()
{
    popupOpen = true;
    FormSettings *panel = m_windows->settingsPanel();
    panel->readSettings();
    panel->showNormal();
    panel->show();
    panel->activateWindow();
    showFrameArea(true);
}

// While the launch pad is open the bar stands on the bottom edge, in front
// of everything, without margin and without auto-hide.
void Widget::showLaunchStarter()
{
    if (!m_launchPad->isShown()) {
        platform::WindowSystemService::get().setLevel(this, platform::WindowSystem::Above);
        m_set.hideInEffect = false;
        m_savedMargin = m_set.margin;
        m_savedEdge = m_set.location;
        m_tips->hide(); // it belongs to where the bar stood
        WindowsTrayWndMove();
        setMargin(0);
        setPosition(2);
        m_autoHide->setDockShown(true);
        myIn();
    }
    m_launchPad->toggleShow();
    m_launchPad->activateWindow();
    m_launchPad->setFocus(Qt::OtherFocusReason);
    if (m_launchPad->isShown()) {
        // The pad covers the screen and has the focus: the bar stays in front.
        platform::WindowSystemService::get().keepInFrontOf(this, m_launchPad);
        setMargin(m_set.margin);
    }
}

void Widget::LaunchPadClose()
{
    // Back to the level the user chose rather than merely "not in front".
    platform::WindowSystemService::get().keepInFrontOf(this, nullptr);
    platform::WindowSystemService::get().setLevel(this, DockPlacement::levelOf(m_set.level).value_or(platform::WindowSystem::Normal));
    m_set.hideInEffect = m_set.hide;
    WindowsTrayWndMove();
    setMargin(m_savedMargin);
    setPosition(m_savedEdge);
    m_autoHide->setDockShown(true);
    // The bubble and the weather scene belong to where the bar stood.
    m_tips->hide();
    if (!popupOpen && m_set.hideInEffect && !m_autoHide->isPointerInside())
        myOut();
}

void Widget::showStartMenu()
{
    m_menus->startMenu()->toggleShow();
    if (m_menus->startMenu()->isShown()) {
        IconFreeze(true);
        m_tips->bubble()->hide();
        m_menuShown = true;
    } else {
        m_tips->bubble()->show();
        m_menuShown = false;
        IconFreeze(false);
    }
}

void Widget::hideStartMenu()
{
    if (m_menus->startMenu()->isShown())
        IconFreeze(false);
    m_menus->startMenu()->hideMenu();
    m_menuShown = false;
}
