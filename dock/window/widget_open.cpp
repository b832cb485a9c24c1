#include "widget_p.h"

#include "autohide.h"
#include "dock/icons/productlinks.h"

#include "platform/opener.h"

#include <QUrl>

namespace {

// The tool codes an icon menu passes with menuOpenIco.
enum MenuOpenCode : int {
    OpenUpgrade = 1,
    OpenShutDown = 2,
    OpenEyeTool = 3,
    OpenSearch = 4,
    OpenColorPicker = 5,
    OpenScreenshots = 6,
    OpenSetting = 7,
    OpenTimeShutDown = 8,
};

} // namespace

// ---- opening --------------------------------------------------------------

void Widget::IconOpen(QString ID)
{
    const int r = IcoData->findRow(0, ID);
    if (r < 0)
        return;
    const QString cl = IcoData->cell(r, 3);
    const QString path = IcoData->cell(r, 4);

    if (cl == IconClass::UPGRADE) {
        m_upload->show();
    } else if (cl == IconClass::MENU) {
        NotMenuHide(ID);
        if (FormMenu *menu = menuWindows.value(ID)) {
            menu->toggle();
            menu->show();
            m_name->hide();
        }
    } else if (cl == IconClass::DISK) {
        if (path == QLatin1String("0")) {
            driveChooser()->setIconData(ID, path);
            driveChooser()->show();
        } else {
            const QUrl url = QUrl::fromLocalFile(path);
            qDebug() << ID << url;
            platform::OpenerService::get().openUrl(url);
        }
    } else if (cl == IconClass::WEATHER) {
        m_weather->showNormal();
        m_weather->show();
    } else if (cl == IconClass::LAUNCHPAD) {
        if (!m_launchPad->isShown())
            showLaunchStarter();
        m_name->hide();
    } else if (cl == IconClass::STARTMENU) {
        showStartMenu();
    } else if (cl == IconClass::URL) {
        qDebug() << "打开" << path;
        platform::OpenerService::get().openUrl(QUrl(path));
    } else if (!openTool(cl)) {
        DllIconOpen(path);
    }
}

void Widget::IconOpens(QString cl)
{
    if (cl == IconClass::UPGRADE) {
        m_upload->show();
    } else if (cl == IconClass::WEATHER) {
        m_weather->startWeather();
        m_weather->showNormal();
        m_weather->show();
    } else {
        openTool(cl);
    }
}

// The dock's own tools, opened alike from the bar and from the launch pad.
bool Widget::openTool(const QString &cl)
{
    if (cl == IconClass::SHUTDOWN || cl == IconClass::TIMESHUTDOWN) {
        if (cl == IconClass::SHUTDOWN)
            m_shutDown->showPowerPage();
        else
            m_shutDown->showTimerPage();
        m_shutDown->showNormal();
        m_shutDown->show();
    } else if (cl == IconClass::SETTING) {
        showSet();
    } else if (cl == IconClass::EYETOOL) {
        m_protection->toggleDisplay();
    } else if (cl == IconClass::SEARCH) {
        openKelvash();
    } else if (cl == IconClass::COLORPICKER) {
        openColorPicker();
    } else if (cl == IconClass::SCREENSHOTS) {
        openScreenshot();
    } else if (cl == IconClass::CALCULATOR) {
        platform::OpenerService::get().startTool(platform::Opener::Calculator);
    } else {
        return false;
    }
    return true;
}

void Widget::menuOpenIco(QString, int x)
{
    switch (x) {
    case OpenUpgrade:
        m_upload->show();
        break;
    case OpenShutDown:
        m_shutDown->showPowerPage();
        m_shutDown->showNormal();
        m_shutDown->show();
        break;
    case OpenEyeTool:
        m_protection->toggleDisplay();
        break;
    case OpenSearch:
        openKelvash();
        break;
    case OpenColorPicker:
        openColorPicker();
        break;
    case OpenScreenshots:
        openScreenshot();
        break;
    case OpenSetting:
        showSet();
        break;
    case OpenTimeShutDown:
        m_shutDown->showTimerPage();
        m_shutDown->showNormal();
        m_shutDown->show();
        break;
    default:
        break;
    }
}

void Widget::DllIconOpen(QString filePath)
{
    qDebug() << "打开" << filePath;
    platform::OpenerService::get().openPath(filePath);
}

void Widget::NotMenuHide(QString ID)
{
    if (!m_menuShown)
        return;
    for (int r = 0; r < IcoData->rowCount(); ++r) {
        const DockIconRecord rec = IcoData->record(r);
        if (rec.Class != IconClass::MENU || rec.IconID == ID)
            continue;
        if (FormMenu *menu = menuWindows.value(rec.IconID))
            menu->hideAnimated();
    }
    m_relayoutTimer->start(1);
}

// ---- the dock's own windows -----------------------------------------------

void Widget::upDate()
{
    m_upload->checkUpdate();
    m_upload->show();
}

void Widget::showAbout() { aboutBox()->show(); }

void Widget::showSet()
{
    popupOpen = true;
    settingsPanel()->readSettings();
    settingsPanel()->showNormal();
    settingsPanel()->show();
    settingsPanel()->activateWindow();
    showFrameArea(true);
}

void Widget::myHelp()
{
    platform::OpenerService::get().openUrl(ProductLinks::helpPage());
}

void Widget::openKelvash()
{
    const QRect r = screenRect();
    searchBox()->setWindowRect(r.x(), r.y(), r.width(), r.height());
    searchBox()->toggle();
    platform::WindowSystemService::get().setLevel(searchBox(), platform::WindowSystem::Above);
}

void Widget::openColorPicker()
{
    auto &p = platform::ProcessesService::get();
    if (p.isRunning(QStringLiteral("Tandrel")))
        p.killByName(QStringLiteral("Tandrel"));
    p.startOwnProgram(QStringLiteral("Tandrel"));
}

void Widget::openScreenshot()
{
    auto &p = platform::ProcessesService::get();
    if (p.isRunning(QStringLiteral("Ostiva.exe")))
        p.killByName(QStringLiteral("Ostiva.exe"));
    p.startOutsideProgram(QStringLiteral("Ostiva.exe"));
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
    platform::WindowSystemService::get().setLevel(this, levelOf(m_set.level).value_or(platform::WindowSystem::Normal));
    m_set.hideInEffect = m_set.hide;
    WindowsTrayWndMove();
    setMargin(m_savedMargin);
    setPosition(m_savedEdge);
    m_autoHide->setDockShown(true);
    if (!popupOpen && m_set.hideInEffect && !m_autoHide->isPointerInside()) {
        m_name->hide();
        m_weatherEffects->hide();
        myOut();
    }
}

void Widget::showStartMenu()
{
    m_startMenu->toggleShow();
    if (m_startMenu->isShown()) {
        IconFreeze(true);
        m_name->hide();
        m_menuShown = true;
    } else {
        m_name->show();
        m_menuShown = false;
        IconFreeze(false);
    }
}

void Widget::hideStartMenu()
{
    if (m_startMenu->isShown())
        IconFreeze(false);
    m_startMenu->hideMenu();
    m_menuShown = false;
}
