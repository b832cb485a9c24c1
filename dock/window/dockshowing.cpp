#include "dockshowing.h"

#include "autohide.h"
#include "dockconfig.h"
#include "docklayout.h"
#include "dockplacement.h"
#include "dockwindows.h"
#include "formdetection.h"
#include "hovertips.h"
#include "dock/icons/dockbar.h"
#include "dock/icons/formname.h"
#include "dock/launchpad/formlaunchstarter.h"
#include "dock/menus/formmenu.h"
#include "dock/menus/formstartmenu.h"
#include "dock/settings/formsettings.h"
#include "dock/widgets/formdesktoptime.h"
#include "platform/desktopicons.h"
#include "platform/windowsystem.h"

#include <QCursor>
#include <QDebug>
#include <QEvent>
#include <QTimer>
#include <QWidget>


DockShowing::DockShowing(const Parts &parts, DockState *settings, QObject *parent)
    : QObject(parent), m_p(parts), m_set(settings), m_showTimer(new QTimer(this))
{
    m_showTimer->setSingleShot(true);
    connect(m_showTimer, &QTimer::timeout, this, &DockShowing::showDock);
    connect(m_p.autoHide, &AutoHide::stripTouched, this, &DockShowing::bringBack);
    connect(m_p.autoHide, &AutoHide::slideInFinished, this, &DockShowing::slideInEnded);
    connect(m_p.autoHide, &AutoHide::slideOutFinished, this, &DockShowing::slideOutEnded);
    m_p.window->installEventFilter(this);
}

void DockShowing::setMenus(std::function<FormMenu *(const QString &)> lookup,
                           std::function<void(const QString &)> hideAll)
{
    m_menuOf = std::move(lookup);
    m_hideMenus = std::move(hideAll);
}

bool DockShowing::eventFilter(QObject *o, QEvent *e)
{
    if (o == m_p.window) {
        switch (e->type()) {
        case QEvent::Enter: pointerEntered(); break;
        case QEvent::Leave: pointerLeft(); break;
        case QEvent::WindowDeactivate: deactivated(); break;
        default: break;
        }
    }
    return QObject::eventFilter(o, e);
}

// ---- the slides and the edge strip -------------------------------------------

QPoint DockShowing::hiddenPoint() const
{
    return DockLayout::slideHiddenPoint(m_set->location, m_p.main->size());
}

void DockShowing::hideMarks()
{
    for (QWidget *w : m_p.marks)
        w->hide();
}

void DockShowing::showStrip()
{
    // Above everything, except over the launch pad, which covers the screen.
    const QRegion bar = m_barRegion ? m_barRegion().translated(m_p.window->pos()) : QRegion();
    m_p.autoHide->showStrip(m_p.launchPad->isShown(), bar);
}

void DockShowing::slideIn()
{
    QWidget *w = m_p.window;
    if (m_set->pop) {
        w->showNormal();
        w->activateWindow();
        w->show();
        w->raise();
    }
    if (!m_p.autoHide->isSlidIn()) {
        m_p.main->show();
        w->show();
        m_p.autoHide->slideIn(hiddenPoint());
        emit inputShapeChanged();
    }
    hideMarks();
}

void DockShowing::slideInEnded()
{
    m_p.autoHide->slideInEnded();
    showStrip();
}

void DockShowing::slideOut()
{
    m_p.autoHide->slideOut(hiddenPoint());
}

void DockShowing::slideOutEnded()
{
    m_p.autoHide->slideOutEnded();
    showStrip();
    emit inputShapeChanged();
}

void DockShowing::bringBack()
{
    QWidget *w = m_p.window;
    hideMarks();
    platform::WindowSystemService::get().raiseOnce(w);
    w->show();
    w->raise();
    w->activateWindow();
    w->setFocus(Qt::OtherFocusReason);
    slideIn();
    m_p.autoHide->hideStrip();
}

void DockShowing::pointerEntered()
{
    m_p.autoHide->setPointerInside(true);
    m_p.autoHide->hideStrip();
}

void DockShowing::pointerLeft()
{
    if (m_menuShown)
        return;
    m_p.autoHide->setPointerInside(false);
    showStrip();
    m_p.bar->restoreAll();
    m_p.tips->hide();
    m_p.dropHint->hide();
    if (!m_popupOpen && m_set->hideInEffect)
        slideOut();
    emit relayoutRequested();
}

void DockShowing::deactivated()
{
    // An icon dragged out of a menu takes the focus along; the menu stays.
    if (m_menuDrag)
        return;
    showStrip();
    hideMenus();
    hideStartMenu();
    m_menuShown = false;
    if (!m_popupOpen && m_set->hideInEffect && !m_p.autoHide->isPointerInside())
        m_p.tips->hide();
    emit relayoutRequested();
}

// ---- the whole dock, the menus and the panels --------------------------------

void DockShowing::showDock()
{
    m_p.main->show();
    bringBack();
    m_p.windows->desktopClock()->RaiseWindow();
    emit inputShapeChanged();
}

void DockShowing::hideDock()
{
    m_p.main->hide();
    hideMenus();
    m_menuShown = false;
    emit relayoutRequested();
    m_p.tips->hide();
    emit inputShapeChanged();
}

void DockShowing::hideMenus()
{
    if (m_menuShown && m_hideMenus)
        m_hideMenus(QString());
    m_p.bar->restoreAll();
}

void DockShowing::hideMenusBut(const QString &id)
{
    if (!m_menuShown)
        return;
    if (m_hideMenus)
        m_hideMenus(id);
    emit relayoutRequested();
}

void DockShowing::menuShownChanged(bool shown)
{
    m_menuShown = shown;
    m_p.bar->setFrozen(shown);
}

void DockShowing::menuIconMoved(const QString &id)
{
    if (FormMenu *m = menu(id)) {
        m->hide();
        m->hideAnimated();
    }
}

void DockShowing::toggleStartMenu()
{
    FormStartMenu *start = m_p.startMenu;
    // One pop-up at a time: an open icon menu gives way to the tree.
    if (!start->isShown() && m_menuShown && m_hideMenus)
        m_hideMenus(QString());
    start->toggleShow();
    if (start->isShown()) {
        start->raise(); // over a menu still sliding away
        m_p.bar->setFrozen(true);
        m_p.tips->bubble()->hide();
        m_menuShown = true;
    } else {
        m_p.tips->bubble()->show();
        m_menuShown = false;
        m_p.bar->setFrozen(false);
    }
}

void DockShowing::hideStartMenu()
{
    if (m_p.startMenu->isShown())
        m_p.bar->setFrozen(false);
    m_p.startMenu->hideMenu();
    m_menuShown = false;
}

void DockShowing::openSettings()
{
    m_popupOpen = true;
    FormSettings *panel = m_p.windows->settingsPanel();
    panel->readSettings();
    panel->showNormal();
    panel->show();
    panel->activateWindow();
    emit frameAreaRequested(true);
}

void DockShowing::settingsClosed()
{
    emit frameAreaRequested(false);
    m_popupOpen = false;
}

// ---- the launch pad ------------------------------------------------------------

void DockShowing::toggleLaunchPad()
{
    auto &ws = platform::WindowSystemService::get();
    FormLaunchStarter *pad = m_p.launchPad;
    if (!pad->isShown()) {
        ws.setLevel(m_p.window, platform::WindowSystem::Above);
        m_set->hideInEffect = false;
        m_savedMargin = m_set->margin;
        m_savedEdge = m_set->location;
        m_p.tips->hide(); // it belongs to where the bar stood
        emit availableAreaRequested();
        emit marginRequested(0);
        emit edgeRequested(2);
        m_p.autoHide->setDockShown(true);
        slideIn();
    }
    pad->toggleShow();
    pad->activateWindow();
    pad->setFocus(Qt::OtherFocusReason);
    if (pad->isShown()) {
        // The pad covers the screen and has the focus: the bar stays in front.
        ws.keepInFrontOf(m_p.window, pad);
        emit marginRequested(m_set->margin);
    }
}

void DockShowing::launchPadClosed()
{
    auto &ws = platform::WindowSystemService::get();
    // Back to the level the user chose rather than merely "not in front".
    ws.keepInFrontOf(m_p.window, nullptr);
    ws.setLevel(m_p.window, DockPlacement::levelOf(m_set->level).value_or(platform::WindowSystem::Normal));
    m_set->hideInEffect = m_set->hide;
    emit availableAreaRequested();
    emit marginRequested(m_savedMargin);
    emit edgeRequested(m_savedEdge);
    m_p.autoHide->setDockShown(true);
    // The bubble and the weather scene belong to where the bar stood.
    m_p.tips->hide();
    if (!m_popupOpen && m_set->hideInEffect && !m_p.autoHide->isPointerInside())
        slideOut();
}

// ---- the switches ----------------------------------------------------------------

void DockShowing::setLocking(bool b) { m_set->locking = b; }

void DockShowing::setHide(bool b)
{
    m_set->hide = m_set->hideInEffect = b;
}

// On X11 no program can give other windows the space that panels reserve:
// the switch is kept, and the bar is placed again on its screen.
void DockShowing::setWorkArea(bool b)
{
    m_set->workArea = b;
    emit placeAgainRequested();
}

// ---- the window tool's notices ---------------------------------------------------

void DockShowing::windowToolNotice(const QString &x)
{
    FormDetection *strip = m_p.autoHide->strip();
    // The edge strip lets the pointer bring the bar back over a full-screen or
    // maximised window, when the user wants that and the pointer is not on
    // the bar already.
    const auto revealUnlessOnBar = [this, strip](bool wanted) {
        if (!wanted) {
            strip->hide();
            return;
        }
        const QPoint c = QCursor::pos();
        const QWidget *main = m_p.main;
        const int left = m_p.window->x() + main->x(), top = m_p.window->y() + main->y();
        const bool onBar = left < c.x() && c.x() < left + main->width() && top < c.y()
            && c.y() < top + main->height();
        if (!onBar)
            strip->show();
    };
    if (x == QLatin1String("AppWindowFullScreen(LaunchPad)") && m_p.autoHide->isSlidIn())
        hideMarks();
    if (x == QLatin1String("AppWindowFullScreen"))
        revealUnlessOnBar(m_set->mouseFullScreen);
    if (x == QLatin1String("AppWindowMaximization"))
        revealUnlessOnBar(m_set->mouseMaximize);
    if (x == QLatin1String("AppWindowNormal")) {
        strip->hide();
        if (m_set->hideInEffect && !m_p.autoHide->isSlidIn())
            strip->show();
    }
    if (x == QLatin1String("MButtonDoubleClick"))
        toggleDesktopIcons();
    if (x == QLatin1String("WinD"))
        m_showTimer->start(100);
    qDebug() << "当前层级:" << m_set->level;
}

// ---- the desktop's icons -----------------------------------------------------------

void DockShowing::toggleDesktopIcons()
{
    qDebug() << "显隐图标：" << m_set->desktopIcon;
    if (!m_set->desktopIcon)
        return;
    auto &icons = platform::DesktopIconsService::get();
    if (m_desktopIconsShown) {
        icons.hideIcons();
        m_desktopIconsShown = false;
        qDebug() << "false";
    } else {
        icons.restoreIcons();
        m_desktopIconsShown = true;
        qDebug() << "true";
    }
}

void DockShowing::showDesktopIcons()
{
    platform::DesktopIconsService::get().restoreIcons();
    m_desktopIconsShown = true;
}

void DockShowing::setDesktopIcons(bool wanted)
{
    m_set->desktopIcon = wanted;
    if (!wanted)
        showDesktopIcons();
}
