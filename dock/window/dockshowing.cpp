#include "dockshowing.h"

#include "autohide.h"
#include "barlayout.h"
#include "docklayout.h"
#include "dockplacement.h"
#include "dockwindows.h"
#include "formdetection.h"
#include "hovertips.h"
#include "common/logging.h"
#include "dock/icons/barpointer.h"
#include "dock/icons/dockbar.h"
#include "dock/launchpad/formlaunchstarter.h"
#include "dock/menus/formmenu.h"
#include "dock/menus/formstartmenu.h"
#include "dock/settings/formsettings.h"
#include "dock/widgets/formdesktoptime.h"
#include "platform/desktopicons.h"
#include "platform/windowsystem.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>


DockShowing::DockShowing(const Parts &parts, DockSettings *settings, const BarNow *now, QObject *parent)
    : QObject(parent),
      m_p(parts),
      m_settings(settings),
      m_now(now),
      m_showTimer(new QTimer(this)),
      m_leaveCheck(new QTimer(this))
{
    m_hideInEffect = m_settings->hide();
    connect(m_settings, &DockSettings::changed, this, &DockShowing::settingChanged);
    m_showTimer->setSingleShot(true);
    connect(m_showTimer, &QTimer::timeout, this, &DockShowing::showDock);
    connect(m_p.autoHide, &AutoHide::stripTouched, this, &DockShowing::bringBack);
    connect(m_p.autoHide, &AutoHide::slideInFinished, this, &DockShowing::slideInEnded);
    connect(m_p.autoHide, &AutoHide::slideOutFinished, this, &DockShowing::slideOutEnded);
    m_p.window->installEventFilter(this);
    // A press on an icon brings the bar to the front; the keyboard stays
    // where the user was typing. Its leave is the window's.
    m_p.bar->installEventFilter(this);
    m_p.bar->setLeaveCheck([this] { return isLeave(); });
    // The strip follows the bar's length while it shows: its cut follows it.
    m_p.autoHide->strip()->installEventFilter(this);
    // A leave the window's shape gave too early is checked again while the
    // pointer stays beside the bar.
    m_leaveCheck->setInterval(30);
    connect(m_leaveCheck, &QTimer::timeout, this, &DockShowing::checkLeave);
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
        case QEvent::Leave: leaveSeen(); break;
        case QEvent::WindowDeactivate: deactivated(); break;
        default: break;
        }
    } else if (o == m_p.autoHide->strip()) {
        switch (e->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize: shapeStrip(); break;
        default: break;
        }
    } else if (o == m_p.bar) {
        switch (e->type()) {
        case QEvent::MouseButtonPress: raise(); break;
        // The leave of the pointer going from the bar is heard by the bar
        // first, then by the window: both take the answer given here.
        case QEvent::Leave: m_leaving = !stillOnBar(); break;
        case QEvent::Enter:
        case QEvent::MouseMove: m_leaving.reset(); break;
        default: break;
        }
    }
    return QObject::eventFilter(o, e);
}

// ---- the slides and the edge strip -------------------------------------------

QPoint DockShowing::hiddenPoint() const
{
    return DockLayout::slideHiddenPoint(m_now->edge, m_p.main->size());
}

void DockShowing::hideMarks()
{
    for (QWidget *w : m_p.marks)
        w->hide();
}

void DockShowing::showStrip()
{
    // While the bar gives way to a maximised or full-screen window, the strip
    // calls it back only when the user wants that.
    if (m_givingWay != GiveWay::None && !revealWhileGivingWay()) {
        m_p.autoHide->strip()->hide();
        return;
    }
    // Above everything, except over the launch pad, which covers the screen.
    const QRegion bar = m_barRegion ? m_barRegion().translated(m_p.window->pos()) : QRegion();
    m_p.autoHide->showStrip(m_p.launchPad->isShown(), bar);
    shapeStrip();
}

void DockShowing::shapeStrip()
{
    QWidget *strip = m_p.autoHide->strip();
    if (strip->isHidden())
        return;
    DockBar *bar = m_p.bar;
    QRegion icons;
    if (bar->isVisible())
        icons = bar->iconRegion().translated(bar->mapToGlobal(QPoint(0, 0)));
    m_p.autoHide->shapeStrip(icons);
}

// In front of the windows around it, as its level lets it, without taking
// the keyboard from the window the user types in.
void DockShowing::raise()
{
    platform::WindowSystemService::get().raiseOnce(m_p.window);
}

void DockShowing::slideIn()
{
    QWidget *w = m_p.window;
    if (m_settings->pop()) {
        w->show();
        raise();
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
    if (m_leftWhileSlidingIn)
        leaveSeen();
    showStrip();
}

void DockShowing::slideOut()
{
    if (m_p.autoHide->slideOut(hiddenPoint()))
        shapeStrip(); // the way back, all along
}

void DockShowing::slideOutEnded()
{
    m_p.autoHide->slideOutEnded();
    showStrip();
    emit inputShapeChanged();
}

void DockShowing::bringBack()
{
    hideMarks();
    m_p.window->show();
    if (!m_settings->pop())
        raise(); // else the slide raises it
    slideIn();
    m_p.autoHide->hideStrip();
}

void DockShowing::pointerEntered()
{
    m_leftWhileSlidingIn = false;
    m_leaving.reset();
    m_leaveCheck->stop();
    m_p.autoHide->setPointerInside(true);
    // Back on the bar while it slides away (the window takes the pointer
    // only where the bar is drawn): it comes back under the pointer rather
    // than leave it to the window beneath.
    if (m_p.autoHide->isSlidingOut() && !m_p.main->isHidden())
        slideIn();
    m_p.autoHide->hideStrip();
}

// The window takes the pointer only where the bar is drawn, and the icons
// grow with the pointer's moves: a quick move can land beside an icon that
// is about to grow under it, before the shape has followed. Such a leave is
// no leave: the bar hears the pointer where it is, grows under it and takes
// it again. A pointer beyond the row's ends, deeper than the magnified icons
// or held beside the bar (another window lies over it) has left.
void DockShowing::leaveSeen()
{
    // While the bar slides in from the edge, the window's shape is not yet
    // where the bar comes to rest (out of sight it is a pixel under the
    // strip): a pointer resting on the edge leaves it without leaving the
    // bar. Where the pointer is counts once the bar is in.
    if (m_p.autoHide->isSlidIn() && !m_p.autoHide->isDockShown()) {
        m_leaving.reset();
        m_leftWhileSlidingIn = true;
        return;
    }
    m_leftWhileSlidingIn = false;
    m_leaveChecks = 0;
    m_leaveFollows = 0;
    const bool leaving = isLeave();
    m_leaving.reset();
    if (!leaving && followPointer()) {
        m_leaveCheck->start();
        return;
    }
    pointerLeft();
}

// One leave, one answer: the bar, its pointer and the slides all act on it.
bool DockShowing::isLeave()
{
    if (!m_leaving)
        m_leaving = !stillOnBar();
    return *m_leaving;
}

bool DockShowing::stillOnBar() const
{
    return !m_menuShown && m_barReach && m_p.autoHide->isSlidIn() && m_barReach(QCursor::pos());
}

bool DockShowing::followPointer(QPoint *where)
{
    if (!m_barReach || !m_p.autoHide->isSlidIn())
        return false;
    const QPoint at = QCursor::pos();
    if (where)
        *where = at;
    const std::optional<QPoint> local = m_barReach(at);
    if (!local)
        return false;
    QMouseEvent move(QEvent::MouseMove, *local, at, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_p.bar, &move);
    return true;
}

void DockShowing::checkLeave()
{
    // The enter that ends this wait comes as soon as the window's shape holds
    // the pointer again. While the pointer runs on ahead of the icons growing
    // after it, the bar follows it; held inside the shape a few frames without
    // that enter, it is under another window and has gone.
    QPoint at;
    if (followPointer(&at) && ++m_leaveFollows <= 100) {
        const bool held = m_inputShape && m_inputShape().contains(at - m_p.window->pos());
        if (!held || ++m_leaveChecks <= 10)
            return;
    }
    m_leaveCheck->stop();
    pointerLeft();
}

void DockShowing::pointerLeft()
{
    if (m_menuShown)
        return;
    // The bar hears of it too, if it held on to its icon meanwhile.
    if (m_p.bar->pointer()->isIdle())
        m_p.bar->hoverTo(QString());
    m_p.autoHide->setPointerInside(false);
    showStrip();
    restoreIcons();
    m_p.dropHint->hide();
    if (!m_popupOpen && m_hideInEffect)
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
    setMenuShown(false);
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
    setMenuShown(false);
    emit relayoutRequested();
    emit inputShapeChanged();
}

void DockShowing::hideMenus()
{
    if (m_menuShown && m_hideMenus)
        m_hideMenus(QString());
    restoreIcons();
}

// The bubble stands beside the magnified icon: with the icons back at rest
// it would float beside nothing.
void DockShowing::restoreIcons()
{
    m_p.bar->restoreAll();
    m_p.tips->hide();
}

void DockShowing::hideMenusBut(const QString &id)
{
    if (!m_menuShown)
        return;
    if (m_hideMenus)
        m_hideMenus(id);
    emit relayoutRequested();
}

void DockShowing::setMenuShown(bool b)
{
    m_menuShown = b;
    platform::WindowSystemService::get().setPopupShown(m_p.window, b);
}

void DockShowing::menuShownChanged(bool shown)
{
    setMenuShown(shown);
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
        m_p.tips->hideBubble();
        setMenuShown(true);
    } else {
        m_p.tips->showBubble();
        setMenuShown(false);
        m_p.bar->setFrozen(false);
    }
}

void DockShowing::hideStartMenu()
{
    if (m_p.startMenu->isShown())
        m_p.bar->setFrozen(false);
    m_p.startMenu->hideMenu();
    setMenuShown(false);
}

void DockShowing::openSettings()
{
    m_popupOpen = true;
    FormSettings *panel = m_p.windows->settingsPanel();
    panel->readSettings();
    panel->showNormal();
    panel->show();
    emit frameAreaRequested(true);
}

void DockShowing::settingsClosed()
{
    emit frameAreaRequested(false);
    m_popupOpen = false;
    // A switch turned on meanwhile takes effect now, not at the next leave.
    slideOutUnlessPointed();
}

bool DockShowing::hideWanted() const
{
    return m_settings->hide() || m_givingWay != GiveWay::None;
}

void DockShowing::slideOutUnlessPointed()
{
    if (m_hideInEffect && !m_popupOpen && !m_menuShown && m_p.autoHide->isSlidIn()
        && !m_p.autoHide->isPointerInside())
        slideOut();
}

// ---- the launch pad ------------------------------------------------------------

void DockShowing::toggleLaunchPad()
{
    auto &ws = platform::WindowSystemService::get();
    FormLaunchStarter *pad = m_p.launchPad;
    if (!pad->isShown()) {
        ws.setLevel(m_p.window, platform::WindowSystem::Above);
        m_hideInEffect = false;
        m_savedMargin = m_now->margin;
        m_savedEdge = m_now->edge;
        m_p.tips->hide(); // it belongs to where the bar stood
        emit availableAreaRequested();
        emit marginRequested(0);
        emit edgeRequested(2);
        // The pad wants the bar counted in at once, even one caught sliding out.
        slideIn();
        m_p.autoHide->setDockShown(true);
    }
    pad->toggleShow();
    if (pad->isShown()) {
        // Opened by its hot key over another program's window, it must take
        // the keyboard even where the window manager would hold it back.
        ws.forceActivate(pad);
        pad->setFocus(Qt::OtherFocusReason);
        // The pad covers the screen and has the focus: the bar stays in front.
        ws.keepInFrontOf(m_p.window, pad);
        emit marginRequested(m_now->margin);
    }
}

void DockShowing::launchPadClosed()
{
    auto &ws = platform::WindowSystemService::get();
    // Back to the level the user chose rather than merely "not in front".
    ws.keepInFrontOf(m_p.window, nullptr);
    ws.setLevel(m_p.window, DockPlacement::levelOf(m_settings->level()).value_or(platform::WindowSystem::Normal));
    m_hideInEffect = hideWanted();
    emit availableAreaRequested();
    emit marginRequested(m_savedMargin);
    emit edgeRequested(m_savedEdge);
    m_p.autoHide->setDockShown(true);
    // The bubble and the weather scene belong to where the bar stood.
    m_p.tips->hide();
    if (!m_popupOpen && m_hideInEffect && !m_p.autoHide->isPointerInside())
        slideOut();
}

// ---- the switches ----------------------------------------------------------------

void DockShowing::settingChanged(DockSettings::Key key)
{
    using Key = DockSettings::Key;
    switch (key) {
    case Key::hide: hideSwitched(); break;
    // On X11 no program can give other windows the space that panels
    // reserve: the switch is kept, and the bar is placed again on its screen.
    case Key::workArea: emit placeAgainRequested(); break;
    // Switching the feature off brings the desktop's icons back at once.
    case Key::desktopIcon:
        if (!m_settings->desktopIcon())
            showDesktopIcons();
        break;
    default: break;
    }
}

// The switch takes effect at once: off, the bar comes in and stays; on, it
// goes as soon as nothing holds it (the pointer, a menu or a panel of the dock).
void DockShowing::hideSwitched()
{
    if (m_p.launchPad->isShown())
        return; // the pad keeps the bar in; its closing gives the switch back
    m_hideInEffect = hideWanted();
    if (!m_hideInEffect)
        slideIn();
    else
        slideOutUnlessPointed();
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
    if (x == QLatin1String("AppWindowFullScreen")) {
        // A full-screen window is never covered.
        giveWay(GiveWay::FullScreen);
        revealUnlessOnBar(m_settings->mouseFullScreen());
    }
    if (x == QLatin1String("AppWindowMaximization")) {
        // Where the maximised window would lie under the bar (at the levels
        // "normal" and "below"), the bar gives way; in front it stays.
        if (m_settings->level() == 1 || m_settings->level() == 2)
            giveWay(GiveWay::Maximized);
        else
            endGivingWay();
        revealUnlessOnBar(m_settings->mouseMaximize());
    }
    if (x == QLatin1String("AppWindowNormal")) {
        endGivingWay();
        strip->hide();
        if (m_hideInEffect && !m_p.autoHide->isSlidIn())
            strip->show();
    }
    if (x == QLatin1String("MButtonDoubleClick"))
        toggleDesktopIcons();
    if (x == QLatin1String("WinD"))
        m_showTimer->start(100);
    qCDebug(lcBar) << "当前层级:" << m_settings->level();
}

bool DockShowing::revealWhileGivingWay() const
{
    return m_givingWay == GiveWay::FullScreen ? m_settings->mouseFullScreen() : m_settings->mouseMaximize();
}

// While the window is active the bar behaves as with auto-hide: out of its
// way, back when the strip calls it, out again when the pointer leaves.
void DockShowing::giveWay(GiveWay why)
{
    m_givingWay = why;
    if (m_p.launchPad->isShown())
        return;
    m_hideInEffect = hideWanted();
    slideOutUnlessPointed();
}

// The window went back to normal, closed or gave the keyboard to another:
// the bar returns to what its own switch says.
void DockShowing::endGivingWay()
{
    if (m_givingWay == GiveWay::None)
        return;
    m_givingWay = GiveWay::None;
    if (m_p.launchPad->isShown())
        return;
    m_hideInEffect = hideWanted();
    if (!m_hideInEffect)
        slideIn();
}

void DockShowing::keepInFrontOfFullScreen(quint64 id)
{
    auto &ws = platform::WindowSystemService::get();
    ws.keepInFrontOfWindow(m_p.autoHide->strip(), id);
    // The launch pad keeps the bar in front of itself meanwhile.
    if (!m_p.launchPad->isShown())
        ws.keepInFrontOfWindow(m_p.window, id);
}

// ---- the desktop's icons -----------------------------------------------------------

void DockShowing::toggleDesktopIcons()
{
    qCDebug(lcBar) << "显隐图标：" << m_settings->desktopIcon();
    if (!m_settings->desktopIcon())
        return;
    auto &icons = platform::DesktopIconsService::get();
    if (m_desktopIconsShown) {
        icons.hideIcons();
        m_desktopIconsShown = false;
        qCDebug(lcBar) << "false";
    } else {
        icons.restoreIcons();
        m_desktopIconsShown = true;
        qCDebug(lcBar) << "true";
    }
}

void DockShowing::showDesktopIcons()
{
    platform::DesktopIconsService::get().restoreIcons();
    m_desktopIconsShown = true;
}

