#include "dockactions.h"
#include "dockwindows.h"

#include "common/logging.h"
#include "dock/editing/formiconsettings.h"
#include "dock/icons/dockiconmenucode.h"
#include "dock/icons/formselectdisk.h"
#include "dock/icons/productlinks.h"
#include "dock/menus/formmenu.h"
#include "dock/model/dockiconlist.h"
#include "dock/tools/formabout.h"
#include "dock/tools/formprotection.h"
#include "dock/tools/formshutdown.h"
#include "dock/tools/formupload.h"
#include "dock/tools/formvesk.h"
#include "dock/widgets/formdesktopwidget.h"
#include "dock/style/dockstyle.h"
#include "dock/toast/desktoptools.h"
#include "dock/widgets/formweather.h"
#include "platform/opener.h"
#include "platform/processes.h"
#include "platform/windowsystem.h"

#include <QCursor>
#include <QFile>
#include <QMenu>
#include <QUrl>

DockActions::DockActions(DockIconList *icons, DockWindows *windows, QObject *parent)
    : QObject(parent), m_icons(icons), m_windows(windows)
{
}

// ---- opening --------------------------------------------------------------

void DockActions::openIcon(const QString &id)
{
    const int r = m_icons->indexOfId(id);
    if (r < 0)
        return;
    const DockIconRecord &row = m_icons->at(r);
    open(row.Class, id, row.Path, IconPlace::Bar);
}

// The launch pad and the icon menus open paths and addresses themselves and
// hand over only what the dock runs.
void DockActions::openClass(const QString &cl)
{
    if (IconClasses::of(cl).opening(IconPlace::LaunchPad) == IconOpening::Tool)
        open(cl, QString(), QString(), IconPlace::LaunchPad);
}

void DockActions::openMenuCode(const QString &id, int code)
{
    const QString cl = IconClasses::ofMenuCode(code);
    if (!cl.isEmpty())
        open(cl, id, QString(), IconPlace::Menu);
}

void DockActions::open(const QString &cl, const QString &id, const QString &path, IconPlace place)
{
    const IconClassInfo &c = IconClasses::of(cl);
    switch (c.opening(place)) {
    case IconOpening::Tool:
        runTool(c.tool, id, place);
        break;
    case IconOpening::Drive:
        if (path == QLatin1String("0")) {
            chooseDrive(id);
        } else {
            const QUrl url = QUrl::fromLocalFile(path);
            qCDebug(lcBar) << id << url;
            platform::OpenerService::get().openUrl(url);
        }
        break;
    case IconOpening::WebAddress:
        qCDebug(lcBar) << "打开" << path;
        platform::OpenerService::get().openUrl(QUrl(path));
        break;
    case IconOpening::Path:
        openPath(path);
        break;
    case IconOpening::Nothing:
    case IconOpening::CloseMenu:
        break;
    }
}

void DockActions::runTool(DockTool tool, const QString &id, IconPlace from)
{
    switch (tool) {
    case DockTool::None: break;
    case DockTool::Updater: m_windows->updater()->show(); break;
    case DockTool::IconMenu: emit menuRequested(id); break;
    case DockTool::StartMenu: emit startMenuRequested(); break;
    case DockTool::LaunchPad: emit launchPadRequested(); break;
    case DockTool::Weather: {
        FormWeather *weather = m_windows->weatherWindow();
        // Opened from the launch pad, the weather is also fetched (or fetched again).
        if (from == IconPlace::LaunchPad)
            weather->startWeather();
        weather->showNormal();
        weather->show();
        break;
    }
    case DockTool::PowerPage: openPowerDialog(false); break;
    case DockTool::TimerPage: openPowerDialog(true); break;
    case DockTool::Settings: emit settingsRequested(); break;
    case DockTool::EyeProtection: m_windows->eyeProtection()->toggleDisplay(); break;
    case DockTool::Search: openSearch(); break;
    case DockTool::ColorPicker: openColorPicker(); break;
    case DockTool::Screenshot: openScreenshot(); break;
    case DockTool::Calculator: DesktopTools::start(platform::Opener::Calculator, say()); break;
    }
}

void DockActions::openPath(const QString &path)
{
    qCDebug(lcBar) << "打开" << path;
    DesktopTools::openPath(path, say());
}

DesktopTools::Say DockActions::say()
{
    return [this](const QString &text) { emit toast(text); };
}

void DockActions::openHelp()
{
    platform::OpenerService::get().openUrl(ProductLinks::helpPage());
}

void DockActions::openSearch()
{
    FormVesk *search = m_windows->searchBox();
    const QRect r = m_screen ? m_screen() : QRect();
    search->setWindowRect(r.x(), r.y(), r.width(), r.height());
    search->toggle();
    platform::WindowSystemService::get().setLevel(search, platform::WindowSystem::Above);
}

void DockActions::openColorPicker()
{
    // Our own picker is started afresh, so that it opens where the user is now.
    auto &p = platform::ProcessesService::get();
    if (p.isRunning(QStringLiteral("Tandrel")))
        p.killByName(QStringLiteral("Tandrel"));
    p.startOwnProgram(QStringLiteral("Tandrel"));
}

void DockActions::openScreenshot()
{
    // The product's own tool where it lies beside the dock, else the desktop's.
    auto &p = platform::ProcessesService::get();
    if (p.isRunning(QStringLiteral("Ostiva.exe")))
        p.killByName(QStringLiteral("Ostiva.exe"));
    if (!p.startOutsideProgram(QStringLiteral("Ostiva.exe")))
        DesktopTools::start(platform::Opener::Screenshot, say());
}

void DockActions::openPowerDialog(bool timerPage)
{
    FormShutDown *power = m_windows->powerDialog();
    if (timerPage)
        power->showTimerPage();
    else
        power->showPowerPage();
    power->showNormal();
    power->show();
}

void DockActions::checkForUpdate()
{
    m_windows->updater()->checkUpdate();
    m_windows->updater()->show();
}

void DockActions::showAbout() { m_windows->aboutBox()->show(); }

// ---- icon commands --------------------------------------------------------

void DockActions::runCommand(const QString &id, int code)
{
    switch (code) {
    case DockIconMenuCode::ShowSet: emit settingsRequested(); return;
    case DockIconMenuCode::IconSet:
    case DockIconMenuCode::RecycleIconAir: editIcon(id, false); return;
    case DockIconMenuCode::RecycleIconFull: editIcon(id, true); return;
    case DockIconMenuCode::IconSetDisk:
        if (m_icons->indexOfId(id) >= 0)
            chooseDrive(id);
        return;
    case DockIconMenuCode::AddDesktopWidget: m_windows->desktopWidgetPanel()->show(); return;
    case DockIconMenuCode::MenuOpening: emit popupChanged(true); return;
    case DockIconMenuCode::MenuClosed: emit popupChanged(false); return;
    default:
        if (const Command c = m_commands.value(code))
            c(id);
        return;
    }
}

void DockActions::editIcon(const QString &id, bool fullBin)
{
    const int r = m_icons->indexOfId(id);
    if (r < 0)
        return;
    const DockIconRecord rec = m_icons->record(r);
    emit popupChanged(true);
    FormIconSettings *dialog = m_windows->iconSettingsDialog();
    dialog->setIconData(id, rec.Icon, rec.Name, rec.Note, rec.Path, rec.Class, fullBin ? 1 : 0);
    dialog->showNormal();
    dialog->show();
}

void DockActions::chooseDrive(const QString &id)
{
    const int r = m_icons->indexOfId(id);
    m_windows->driveChooser()->setIconData(id, r < 0 ? QString() : m_icons->at(r).Path);
    m_windows->driveChooser()->show();
}

bool DockActions::removeIcon(const QString &id)
{
    const int r = m_icons->indexOfId(id);
    if (r < 0)
        return false;
    if (IconClasses::of(m_icons->at(r).Class).tool == DockTool::IconMenu) {
        const QString menuFile = FormMenu::menuFilePath(id);
        if (!menuFile.isEmpty() && QFile::exists(menuFile))
            QFile::remove(menuFile);
    }
    m_icons->removeAt(r);
    return true;
}

// ---- the bar's own menu and the tray ------------------------------------------

QMenu *DockActions::buildBarMenu()
{
    const auto command = [this](int code) { return [this, code] { runCommand(QString(), code); }; };
    QMenu *menu = DockStyle::popupMenu(new QMenu(nullptr));
    QMenu *add = DockStyle::popupMenu(new QMenu(tr("添加图标"), menu));
    connect(menu, &QMenu::aboutToHide, this, [this] { emit popupChanged(false); });

    menu->addAction(tr("桌面工具"), this, command(DockIconMenuCode::AddDesktopWidget));
    menu->addMenu(add);
    menu->addSeparator();
    menu->addAction(tr("Dock设置          "), this, command(DockIconMenuCode::ShowSet));
    menu->addAction(tr("使用帮助     "), this, &DockActions::openHelp);
    menu->addAction(tr("隐藏Dock          "), this, command(DockIconMenuCode::HideWindows));
    menu->addAction(tr("退出Dock          "), this, command(DockIconMenuCode::SystemClose));

    add->addAction(tr("添加应用图标"), this, command(DockIconMenuCode::AddIcon));
    add->addAction(tr("添加系统图标"), this, command(DockIconMenuCode::AddSystemIcon));
    add->addAction(tr("添加网址"), this, command(DockIconMenuCode::AddUrlIco));
    add->addAction(tr("添加扩展菜单"), this, command(DockIconMenuCode::AddExtendedMenu));
    add->addAction(tr("添加文件夹"), this, command(DockIconMenuCode::AddFolder));
    add->addAction(tr("添加分栏图标"), this, command(DockIconMenuCode::AddBlank));
    return menu;
}

QMenu *DockActions::buildTrayMenu()
{
    QMenu *menu = DockStyle::popupMenu(new QMenu(nullptr));
    menu->addAction(tr("显示Dock"), this, &DockActions::showDockRequested);
    menu->addSeparator();
    menu->addAction(tr("Dock设置"), this, &DockActions::settingsRequested);
    menu->addAction(tr("退出Dock        "), this, [this] { runCommand(QString(), DockIconMenuCode::SystemClose); });
    return menu;
}

void DockActions::createTrayIcon()
{
    // Without a tray the icon simply stays unseen; it shows up should a tray
    // appear later.
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        qCDebug(lcDesktop) << "no system tray: the dock works on without its tray icon";
    m_tray = new QSystemTrayIcon(this);
    m_tray->setIcon(QIcon(QStringLiteral(":/image/tray.png")));
    m_tray->setToolTip(tr("Zorvane"));
    m_tray->setVisible(true);
    connect(m_tray, &QSystemTrayIcon::activated, this, &DockActions::trayActivated);
}

void DockActions::removeTrayIcon()
{
    delete m_tray;
    m_tray = nullptr;
}

void DockActions::trayActivated(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
    case QSystemTrayIcon::DoubleClick:
        emit showDockRequested();
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
