#include "widget.h"
#include "ui_widget.h"

#include "dockfile.h"
#include "formdetection.h"
#include "formsystemhint.h"
#include "udisk.h"

#include "common/systemmessage.h"
#include "dock/editing/formaddurl.h"
#include "dock/editing/formiconlists.h"
#include "dock/editing/formiconsettings.h"
#include "dock/editing/formsidebarmenu.h"
#include "dock/icons/formcommonicon.h"
#include "dock/icons/formdelete.h"
#include "dock/icons/formname.h"
#include "dock/icons/formselectdisk.h"
#include "dock/launchpad/formlaunchstarter.h"
#include "dock/menus/formmenu.h"
#include "dock/menus/formstartmenu.h"
#include "dock/settings/formsettings.h"
#include "dock/settings/formstartup.h"
#include "dock/settings/qxtglobalshortcut.h"
#include "dock/tools/formabout.h"
#include "dock/tools/formprotection.h"
#include "dock/tools/formshutdown.h"
#include "dock/tools/formupload.h"
#include "dock/tools/formvesk.h"
#include "dock/widgets/formdesktoptime.h"
#include "dock/widgets/formdesktopwidget.h"
#include "dock/widgets/formweather.h"
#include "dock/widgets/formweathereffects.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "platform/processes.h"
#include "platform/windowsystem.h"

#include <QApplication>
#include <QCursor>
#include <QDebug>
#include <QDir>
#include <QGuiApplication>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>

const QString Widget::WindowTitle = QStringLiteral("Zorvane-Window");

namespace {
const char *const kMenuStyle =
    "QMenu{background:#FFFFFF;border: 0px;border-radius: 2px;border-style: solid;padding:3px 0px 3px 0px;}"
    "QMenu::item{background-color: transparent;padding:0px 20px 0px 20px;height:25px;color:#000000;}"
    "QMenu::item:selected:enabled{background:#2168DB;color:#ffffff;}";
}

Widget::Widget(QWidget *parent) : QWidget(parent), ui(new Ui::Widget)
{
    ui->setupUi(this);
    ui->frameArea->lower();
    ui->frameIco->raise();
    for (QWidget *w : { static_cast<QWidget *>(ui->frameWork), static_cast<QWidget *>(ui->Detection00),
                        static_cast<QWidget *>(ui->IcoData), static_cast<QWidget *>(ui->MenuIcoData),
                        static_cast<QWidget *>(ui->main), static_cast<QWidget *>(ui->Detection) })
        w->raise();
    DockFile::toTable(ui->IcoData, dockPresetRows());

    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    QGuiApplication::setQuitOnLastWindowClosed(false);
    installEventFilter(this);

    ui->main->hide();
    ui->Detection->hide();
    ui->frameWork->hide();

    ui->frameDragAdd->setAttribute(Qt::WA_MouseTracking);
    setAttribute(Qt::WA_MouseTracking);
    ui->IcoData->hide();
    ui->MenuIcoData->hide();
    ui->frameDragAdd->hide();

    m_settingsPanel = new FormSettings;
    connect(m_settingsPanel, &FormSettings::setClose, this, &Widget::setClose);
    connect(m_settingsPanel, &FormSettings::setScreen, this, &Widget::setScreen);
    connect(m_settingsPanel, &FormSettings::setMargin, this, &Widget::setMargin);
    connect(m_settingsPanel, &FormSettings::setPosition, this, &Widget::setPosition);
    connect(m_settingsPanel, &FormSettings::setLevel, this, &Widget::setLevel2);
    connect(m_settingsPanel, &FormSettings::setIcoSize, this, &Widget::setIcoSize);
    connect(m_settingsPanel, &FormSettings::setIcoNameSize, this, &Widget::setIcoNameSize);
    connect(m_settingsPanel, &FormSettings::setIcoScale, this, &Widget::setIcoScale);
    connect(m_settingsPanel, &FormSettings::setBackgroundStyle, this, &Widget::setBackgroundStyle);
    connect(m_settingsPanel, &FormSettings::setTransparentBackground, this, &Widget::setTransparentBackground);
    connect(m_settingsPanel, &FormSettings::setClick, this, &Widget::setClick);
    connect(m_settingsPanel, &FormSettings::setLocking, this, &Widget::setLocking);
    connect(m_settingsPanel, &FormSettings::setHide, this, &Widget::setHide);
    connect(m_settingsPanel, &FormSettings::setUpgradeNotice, this, &Widget::setUpgradeNotice);
    connect(m_settingsPanel, &FormSettings::setMousePop, this, &Widget::setMousePop);
    connect(m_settingsPanel, &FormSettings::setMouseMaximize, this, &Widget::setMouseMaximize);
    connect(m_settingsPanel, &FormSettings::setMouseFullScreen, this, &Widget::setMouseFullScreen);
    connect(m_settingsPanel, &FormSettings::setInductionIco, this, &Widget::setInductionIco);
    connect(m_settingsPanel, &FormSettings::setWinShow, this, &Widget::setWinShow);
    connect(m_settingsPanel, &FormSettings::setIconDoubleClick, this, &Widget::setIconDoubleClick);
    connect(m_settingsPanel, &FormSettings::setTaskbarAlpha, this, &Widget::setTaskbarAlpha);
    connect(m_settingsPanel, &FormSettings::setTaskbarBlurry, this, &Widget::setTaskbarBlurry);
    connect(m_settingsPanel, &FormSettings::setTaskbarHide, this, &Widget::setTaskbarHide);
    connect(m_settingsPanel, &FormSettings::setDesktopIcon, this, &Widget::setDesktopIcon);
    connect(m_settingsPanel, &FormSettings::setWorkArea, this, &Widget::setWorkArea);
    connect(m_settingsPanel, &FormSettings::setLanguage, this, &Widget::setLanguage);
    connect(m_settingsPanel, &FormSettings::upDate, this, &Widget::upDate);
    connect(m_settingsPanel, &FormSettings::showAbout, this, &Widget::showAbout);
    connect(m_settingsPanel, &FormSettings::setKey, this, &Widget::setKey);

    m_name = new FormName(this);
    m_name->hide();
    m_about = new FormAbout;
    m_delete = new FormDelete;

    m_deleteLabel = new QLabel;
    m_deleteLabel->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    m_deleteLabel->setAlignment(Qt::AlignCenter);
    m_deleteLabel->resize(23, 23);
    m_deleteLabel->setStyleSheet(QStringLiteral(
        "QLabel{border-image: url(:/image/menu/delete0.png);background-color: rgb(0, 0, 0,0);"
        "color: rgb(255, 255, 255);border-radius:0px;border-top: 0px;border-bottom:0px;border-left: 0px;"
        "border-right: 0px;border-style: solid;border-color: rgba(255,255,255,200);font: 10pt '微软雅黑';}"));

    m_dragGhost = new FormCommonIcon;
    m_dragGhost->setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    m_dragGhost->setAttribute(Qt::WA_TranslucentBackground);
    m_placeholder = new FormCommonIcon(ui->frameIco);
    m_placeholder->hide();

    m_sidebar = new FormSidebarMenu;
    connect(m_sidebar, &FormSidebarMenu::SidebarMenuClose, this, &Widget::SidebarMenuClose);
    connect(m_sidebar, &FormSidebarMenu::AddIcon, this, &Widget::AddIcon2);
    m_desktopTime = new FormDesktopTime;
    m_desktopWidget = new FormDesktopWidget;
    connect(m_desktopWidget, &FormDesktopWidget::DesktopTimeShow, m_desktopTime, &FormDesktopTime::setShow);
    connect(m_desktopWidget, &FormDesktopWidget::DesktopTimeSize, m_desktopTime, &FormDesktopTime::DesktopTimeSize);
    connect(m_desktopWidget, &FormDesktopWidget::DesktopTimeStyle, m_desktopTime, &FormDesktopTime::DesktopTimeStyle);
    connect(m_desktopWidget, &FormDesktopWidget::DesktopTimelocking, m_desktopTime,
            &FormDesktopTime::DesktopTimelocking);
    connect(m_desktopWidget, &FormDesktopWidget::DesktopTimeLanguage, m_desktopTime,
            &FormDesktopTime::DesktopTimeLanguage);
    connect(m_desktopWidget, &FormDesktopWidget::DesktopTimeAlpha, m_desktopTime, &FormDesktopTime::DesktopTimeAlpha);
    m_addUrl = new FormAddUrl;
    connect(m_addUrl, &FormAddUrl::AddIcon, this, &Widget::AddIcon2);
    m_iconSettings = new FormIconSettings;
    connect(m_iconSettings, &FormIconSettings::Modify, this, &Widget::Modify);
    connect(m_iconSettings, &FormIconSettings::IconSettingsClose, this, &Widget::IconSettingsClose);
    m_iconLists = new FormIconLists;
    connect(m_iconLists, &FormIconLists::AddIcon, this, &Widget::AddIcon2);

    m_upload = new FormUpload;
    connect(m_upload, &FormUpload::updates, this, &Widget::updates);
    m_upload->hide();
    m_selectDisk = new FormSelectDisk;
    connect(m_selectDisk, &FormSelectDisk::setIconDisk, this, &Widget::setIconDisk);

    m_weatherEffects = new FormWeatherEffects;
    m_weatherEffects->setWindowFlags(Qt::Tool | Qt::BypassWindowManagerHint | Qt::FramelessWindowHint
                                     | Qt::WindowStaysOnTopHint);
    m_weatherEffects->hide();
    m_weather = new FormWeather;
    connect(m_weather, &FormWeather::setWeatherInit, this, &Widget::setWeatherInit);
    connect(m_weather, &FormWeather::setWeatherInit, m_weatherEffects, &FormWeatherEffects::setWeatherInit);
    m_weather->hide();

    m_protection = new FormProtection;
    m_protection->hide();
    m_toast = new FormSystemHint;
    m_shutDown = new FormShutDown;
    m_vesk = new FormVesk;
    m_vesk->hide();
    m_startUp = new FormStartUp;

    m_launchPad = new FormLaunchStarter;
    connect(m_launchPad, &FormLaunchStarter::IconOpens, this, &Widget::IconOpens);
    connect(m_launchPad, &FormLaunchStarter::LaunchPadClose, this, &Widget::LaunchPadClose);

    m_startMenu = new FormStartMenu(this);
    connect(m_startMenu, &FormStartMenu::IconOpens, this, &Widget::hideStartMenu);
    m_startMenu->hide();

    m_detection = new FormDetection;
    connect(m_detection, &FormDetection::MouseIn, this, &Widget::MouseIn);
    m_detection->hide();
    platform::WindowSystemService::get().setLevel(m_detection, platform::WindowSystem::Above);

    m_uDisk = new uDisk;
    connect(m_uDisk, &uDisk::sigUDiskCome, this, &Widget::UDiskCome);
    connect(m_uDisk, &uDisk::sigUDiskRemove, this, &Widget::UDiskRemove);

    m_relayoutTimer = new QTimer(this);
    m_relayoutTimer->setSingleShot(true);
    connect(m_relayoutTimer, &QTimer::timeout, this, &Widget::IconSorting);
    m_diskTimer = new QTimer(this);
    m_diskTimer->setSingleShot(true);
    connect(m_diskTimer, &QTimer::timeout, this, &Widget::UDiskTimeOut);

    // Other programs find the dock by its title.
    m_receiver = new SystemMessageReceiver(
        WindowTitle, [this](quint32 dw, const QString &text) { return receiveSystemMessage(dw, text); }, this);
    if (!m_receiver->listen())
        qDebug() << "system messages: cannot listen as" << WindowTitle;

    m_tick = 59;
    initialize();
    timeOver();

    m_tickTimer = new QTimer(this);
    connect(m_tickTimer, &QTimer::timeout, this, &Widget::timeOver);
    m_tickTimer->start(1000);
    m_startUpTimer = new QTimer(this);
    m_startUpTimer->setSingleShot(true);
    connect(m_startUpTimer, &QTimer::timeout, this, &Widget::StartUpOver);
    m_startUpTimer->start(20000);
    m_showTimer = new QTimer(this);
    m_showTimer->setSingleShot(true);
    connect(m_showTimer, &QTimer::timeout, this, &Widget::setShowWindows);

    setStyleSheet(QStringLiteral(
        "QScrollBar{padding-top:0px;padding-bottom:0px;margin: 0px 0px 0px 0px;background-color: rgb(0,0,0,0%); "
        "border: 0px; width: 2px;}QScrollBar::handle {background-color:rgb(255,255,255,50%);border-radius:0px;"
        "min-height: 20px;border: 0px;}QScrollBar::handle:vertical:hover {background-color:rgb(255,255,255,80%);"
        "border-radius:0px;min-height: 20px;border: 0px;}QScrollBar::up-arrow:vertical{height:13px;border: 0px;"
        "background-color:rgb(255, 255, 255,0%);}QScrollBar::down-arrow:vertical{height:13px;border: 0px;"
        "background-color:rgb(255, 255, 255,0%);}QScrollBar::sub-page:vertical {background-color:rgb(0, 0, 0,0%); "
        "border: 0px;}QScrollBar::add-page:vertical {background-color:rgb(0, 0, 0,0%); border: 0px;}"
        "QScrollBar::sub-line:vertical {height: 10px;width:10px;subcontrol-position: top;"
        "border-image: url(:/images/up-arrow.png);border: 0px;}QScrollBar::add-line:vertical {height: 10px;"
        "width:10px;subcontrol-position: bottom;border-image: url(:/images/down-arrow.png);border: 0px;}"));
}

Widget::~Widget()
{
    delete ui;
    delete m_tray;
    delete m_uDisk;
    m_uDisk = nullptr;
}

QTableWidget *Widget::iconTable() const
{
    return ui->IcoData;
}

bool Widget::isReceivingMessages() const
{
    return m_receiver && m_receiver->isListening();
}

void Widget::initialize()
{
    m_set.margin = 0;
    m_topAllowance = 25;
    m_bottomAllowance = 5;
    m_weatherIconPresent = false;
    m_set.winShow = true;
    m_set.mouseMaximize = true;
    m_set.mouseFullScreen = false;
    m_set.inductionIco = false;
    m_set.upgradeNotice = true;
    m_set.workArea = false;
    m_set.taskbarAlpha = false;
    m_set.taskbarBlurry = false;
    m_set.taskbarHide = false;
    m_set.desktopIcon = false;

    if (DockConfig::exists()) {
        ReadSettings();
    } else {
        const DockSettings defaults;
        m_set.screen = defaults.screen;
        m_set.location = defaults.location;
        m_set.level = defaults.level;
        m_set.icoMagnified = defaults.icoMagnified;
        m_set.icoSize = defaults.icoSize;
        m_set.currentSize = defaults.currentSize;
        m_set.currentSizeF = defaults.currentSizeF;
        m_set.backgroundStyle = defaults.backgroundStyle;
        m_set.transparentBackground = defaults.transparentBackground;
        m_set.click = defaults.click;
        m_set.iconDoubleClick = false;
        m_set.locking = false;
        m_set.hide = m_set.hideInEffect = false;
        m_set.pop = true;
        m_set.winShow = true;
        initSaveSettings();
    }

    const QString folder = platform::appConfigFolder();
    for (const char *sub : { "/icon", "/link" }) {
        if (!QDir(folder + QLatin1String(sub)).exists())
            QDir().mkpath(folder + QLatin1String(sub));
    }

    if (QFile::exists(platform::configPath(QStringLiteral("Zorvane.xml"))))
        OpenFile();
    else
        SaveFile();

    setBackgroundStyle(m_set.backgroundStyle);
    createIcon();
    setPosition(m_set.location);
    setScreen(m_set.screen);
    setLevel(m_set.level);
    HiddenEnd();
    setClick(m_set.click);
    updateIconProcess();
    clearUDiskIcon();
    myIn();
    createClassIco();
    SaveSettings();
    m_desktopWidget->ReadSettings();
    m_launchPad->setIconDoubleClick(m_set.iconDoubleClick);
    createTrayIcon();
}

// ---- start-up and quitting -------------------------------------------------

void Widget::setLanguage(int)
{
    const auto answer = QMessageBox::question(
        nullptr, tr("提示！"), tr("系统语言已经改变，需要重启Zorvane程序才能生效！是否马上重启？"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer == QMessageBox::Yes) {
        // The new copy must find the single-instance key free: the entry gives
        // it up when the event loop has ended, before the new copy starts.
        qApp->setProperty("zvRestart", true);
        QCoreApplication::exit(0);
    } else if (answer == QMessageBox::No) {
        m_toast->ShowMessage(tr("Dock下次启动时生效！"));
        m_toast->show();
    }
}

void Widget::setUpgradeNotice(bool b)
{
    m_set.upgradeNotice = b;
    if (!b)
        updateIconProcess();
}

void Widget::systemClose()
{
    setDesktopIcon(m_set.desktopIcon); // shows the desktop icons again where that is ours to do
    if (m_tickTimer)
        m_tickTimer->stop();
    platform::ProcessesService::get().killByName(QStringLiteral("Pravelt.exe"));
    SendSystemMessage(QStringLiteral("Mirelka"), QStringLiteral("CloseMirelka"));
    delete m_tray;
    m_tray = nullptr;
    // The message receiver and the single-instance lock go with the process.
    if (m_receiver)
        m_receiver->close();
    QCoreApplication::exit(0);
}

// ---- the icon file --------------------------------------------------------

void Widget::OpenFile()
{
    clearIcoData();
    DockFile::toTable(ui->IcoData, DockFile::read(platform::configPath(QStringLiteral("Zorvane.xml"))));
}

void Widget::SaveFile()
{
    DockFile::write(platform::configPath(QStringLiteral("Zorvane.xml")), DockFile::fromTable(ui->IcoData));
}

void Widget::clearIcoData()
{
    for (int r = ui->IcoData->rowCount() - 1; r >= 0; --r)
        ui->IcoData->removeRow(r);
}

// ---- the settings file ----------------------------------------------------

void Widget::createHotkeys(const QString texts[5])
{
    using Slot = void (Widget::*)();
    static const Slot actions[5] = { &Widget::showLaunchStarter, &Widget::openKelvash, &Widget::openScreenshot,
                                     &Widget::openColorPicker, &Widget::setShowWindows };
    for (int i = 0; i < 5; ++i) {
        m_hotkeys[i] = new QxtGlobalShortcut(QKeySequence(texts[i], QKeySequence::NativeText), this);
        connect(m_hotkeys[i], &QxtGlobalShortcut::activated, this, actions[i]);
    }
}

void Widget::initSaveSettings()
{
    QString texts[5];
    DockConfig::initSave(m_set, texts);
    createHotkeys(texts);
}

void Widget::ReadSettings()
{
    QString texts[5];
    DockConfig::read(m_set, texts);
    m_name->setFontSize(m_set.icoNameSize);
    createHotkeys(texts);
}

void Widget::SaveSettings()
{
    DockConfig::saveAppPath(QCoreApplication::applicationDirPath());
}

void Widget::setKey(QString x, QString key)
{
    const int i = DockConfig::hotkeyIndex(x);
    if (i < 0)
        return;
    m_hotkeys[i]->setShortcut(QKeySequence(key, QKeySequence::NativeText));
    DockConfig::writeHotkey(i, key);
}

void Widget::setMousePop(bool b) { m_set.pop = b; }
void Widget::setMouseMaximize(bool b) { m_set.mouseMaximize = b; }
void Widget::setMouseFullScreen(bool b) { m_set.mouseFullScreen = b; }
void Widget::setWinShow(bool b) { m_set.winShow = b; }

void Widget::setInductionIco(bool b)
{
    m_set.inductionIco = b;
    ui->Detection->hide();
}

// ---- placement and icons --------------------------------------------------

QRect Widget::screenRect() const
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    if (screens.isEmpty())
        return QRect(0, 0, 1280, 800);
    // A screen that is gone falls back to the first; the setting stays as the user left it.
    const int i = (m_set.screen >= 0 && m_set.screen < screens.size()) ? m_set.screen : 0;
    return screens.at(i)->geometry();
}

void Widget::createIcon()
{
    for (int r = 0; r < ui->IcoData->rowCount(); ++r) {
        const DockIconRecord rec = DockFile::rowOf(ui->IcoData, r);
        if (iconWidgets.contains(rec.IconID))
            continue;
        auto *icon = new FormCommonIcon(ui->frameIco);
        icon->setIcon(rec.IconID, int(m_set.icoMagnified), int(m_set.icoSize), 256, 256, m_set.location, rec.Name,
                      rec.Icon, rec.Class);
        icon->setDoubleClick(m_set.iconDoubleClick);
        icon->setClickStyle(m_set.click);
        connect(icon, &FormCommonIcon::IconWidth, this, &Widget::IconWidth);
        connect(icon, &FormCommonIcon::IconOpen, this, &Widget::IconOpen);
        iconWidgets.insert(rec.IconID, icon);
        if (rec.IconID == IconIds::Plus)
            icon->hide();
        else
            icon->show();
    }
    m_relayoutTimer->start(1);
}

void Widget::clearIcon()
{
    for (FormCommonIcon *icon : qAsConst(iconWidgets)) {
        icon->hide();
        icon->deleteLater();
    }
    iconWidgets.clear();
}

void Widget::createClassIco()
{
    for (int r = 0; r < ui->IcoData->rowCount(); ++r) {
        const DockIconRecord rec = DockFile::rowOf(ui->IcoData, r);
        if (rec.Class != IconClass::MENU)
            continue;
        FormMenu *menu = menuWindows.value(rec.IconID);
        if (!menu) {
            menu = new FormMenu(this);
            menuWindows.insert(rec.IconID, menu);
            menu->setDockEdge(m_set.location);
        }
        menu->hide();
        menu->setPosition(m_set.location);
        menu->setDoubleClick(m_set.iconDoubleClick);
        menu->setMenu(rec.IconID, x(), y());
        menu->layoutIcons(int(m_set.icoSize) - 10, int(m_set.icoSize) - 10);
    }
}

float Widget::iconSpan(const QString &cl) const
{
    return cl == IconClass::BLANK ? m_set.icoSize / 2.5f : m_set.icoSize;
}

// A plain row of icons centred on the chosen edge.
void Widget::IconSorting()
{
    const QRect screen = screenRect();
    const bool horizontal = m_set.location == 0 || m_set.location == 2;
    const int size = int(m_set.icoSize);
    int along = 0;
    for (int r = 0; r < ui->IcoData->rowCount(); ++r) {
        const DockIconRecord rec = DockFile::rowOf(ui->IcoData, r);
        FormCommonIcon *icon = iconWidgets.value(rec.IconID);
        if (!icon || rec.IconID == IconIds::Plus)
            continue;
        const int span = int(iconSpan(rec.Class));
        if (horizontal)
            icon->move(along, 0);
        else
            icon->move(0, along);
        along += span;
    }
    const QSize bar = horizontal ? QSize(along, size) : QSize(size, along);
    const int pad = 10;
    ui->frameIco->setGeometry(pad, pad, bar.width(), bar.height());
    ui->frameMain->setGeometry(0, 0, bar.width() + 2 * pad, bar.height() + 2 * pad);
    ui->frameBackground->setGeometry(ui->frameMain->rect());
    ui->BackgroundH->setVisible(!horizontal);
    ui->BackgroundW->setVisible(horizontal);
    const QSize mainSize = ui->frameMain->size();
    QPoint at;
    switch (m_set.location) {
    case 0: at = QPoint((screen.width() - mainSize.width()) / 2, m_set.margin); break;
    case 1: at = QPoint(screen.width() - mainSize.width() - m_set.margin, (screen.height() - mainSize.height()) / 2); break;
    case 3: at = QPoint(m_set.margin, (screen.height() - mainSize.height()) / 2); break;
    default: at = QPoint((screen.width() - mainSize.width()) / 2, screen.height() - mainSize.height() - m_set.margin); break;
    }
    ui->main->setGeometry(QRect(at, mainSize));
    updateInputShape();
}

void Widget::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    updateInputShape();
}

void Widget::updateInputShape()
{
    QRegion visible;
    if (ui->main->isVisible())
        visible += ui->main->geometry();
    for (FormMenu *m : qAsConst(menuWindows)) {
        if (m->isVisible())
            visible += m->geometry();
    }
    if (m_startMenu->isVisible())
        visible += m_startMenu->geometry();
    // An empty region would mean "the whole window": keep one pixel instead.
    if (visible.isEmpty())
        visible = QRegion(0, 0, 1, 1);
    platform::WindowSystemService::get().setInputRegion(this, visible);
}

void Widget::IconWidth(QString, int)
{
    m_relayoutTimer->start(1);
}

void Widget::setScreen(int x)
{
    m_set.screen = x;
    const QRect r = screenRect();
    if (r != m_screenRect) {
        m_screenRect = r;
        setGeometry(r);
        m_launchPad->placeOnScreen(r.x(), r.y(), r.width(), r.height());
    }
    m_relayoutTimer->start(1);
}

void Widget::setMargin(int x)
{
    m_set.margin = x;
    m_relayoutTimer->start(1);
}

void Widget::setPosition(int x)
{
    m_set.location = x;
    for (FormCommonIcon *icon : qAsConst(iconWidgets))
        icon->setIconSize(int(m_set.icoMagnified), int(m_set.icoSize));
    for (FormMenu *m : qAsConst(menuWindows))
        m->setPosition(x);
    m_relayoutTimer->start(1);
}

void Widget::setLevel(int x)
{
    m_set.level = x;
    static const platform::WindowSystem::Level levels[3] = { platform::WindowSystem::Above,
                                                             platform::WindowSystem::Normal,
                                                             platform::WindowSystem::Below };
    platform::WindowSystemService::get().setLevel(this, levels[qBound(0, x, 2)]);
}

void Widget::setLevel2(int x)
{
    setLevel(x);
}

void Widget::setIcoSize(int x)
{
    const float scale = m_set.icoMagnified - m_set.icoSize;
    m_set.icoSize = m_set.currentSizeF = float(qMax(1, x));
    m_set.currentSize = int(m_set.icoSize);
    m_set.icoMagnified = m_set.icoSize + scale;
    setPosition(m_set.location);
    for (FormMenu *m : qAsConst(menuWindows))
        m->setIconSize(int(m_set.icoSize) - 10, int(m_set.icoSize) - 10);
}

void Widget::setIcoNameSize(int v)
{
    m_set.icoNameSize = v;
    m_name->setFontSize(v);
}

void Widget::setIcoScale(int x)
{
    m_set.icoMagnified = m_set.icoSize + float(x);
    setPosition(m_set.location);
}

void Widget::setBackgroundStyle(int x) { m_set.backgroundStyle = x; }
void Widget::setTransparentBackground(int x) { m_set.transparentBackground = x; }

void Widget::setClick(int x)
{
    qDebug() << "点击特效" << x;
    m_set.click = x;
    for (FormCommonIcon *icon : qAsConst(iconWidgets))
        icon->setClickStyle(x);
}

void Widget::setLocking(bool b) { m_set.locking = b; }

void Widget::setHide(bool b)
{
    m_set.hide = m_set.hideInEffect = b;
}

void Widget::setIconDoubleClick(bool b)
{
    m_set.iconDoubleClick = b;
    for (FormCommonIcon *icon : qAsConst(iconWidgets))
        icon->setDoubleClick(b);
    for (FormMenu *m : qAsConst(menuWindows))
        m->setDoubleClick(b);
    m_launchPad->setIconDoubleClick(b);
}

void Widget::setDesktopIcon(bool b) { m_set.desktopIcon = b; }
void Widget::setWorkArea(bool b) { m_set.workArea = b; }
void Widget::setClose() { popupOpen = false; }

// ---- showing and hiding ---------------------------------------------------

void Widget::MouseIn()
{
    setShowWindows();
}

void Widget::HiddenEnd()
{
    m_detection->hide();
}

void Widget::myIn()
{
    ui->main->show();
    m_slidIn = true;
    updateInputShape();
}

void Widget::setShowWindows()
{
    show();
    myIn();
    platform::WindowSystemService::get().raiseOnce(this);
    m_desktopTime->RaiseWindow();
}

void Widget::setHideWindows()
{
    ui->main->hide();
    m_name->hide();
    m_weatherEffects->hide();
    updateInputShape();
}

// ---- adding and changing icons --------------------------------------------

void Widget::AddIcon2(QString ico, QString name, QString cl, QString path, QString ID)
{
    qDebug() << "添加图标" << ID;
}

void Widget::Modify(QString icoID, QString ico, QString name, QString) {}
void Widget::IconSettingsClose() { m_menuShown = false; }
void Widget::SidebarMenuClose() { popupOpen = false; }
void Widget::setIconDisk(QString, QString) {}

void Widget::updates()
{
    m_settingsPanel->showNewVersion();
}

// The update notice is shown only after a check found a newer version.
void Widget::updateIconProcess()
{
    const int r = DockFile::findRow(ui->IcoData, 3, IconClass::UPGRADE);
    if (r < 0)
        return;
    const QString id = ui->IcoData->item(r, 0)->text();
    ui->IcoData->removeRow(r);
    if (FormCommonIcon *icon = iconWidgets.take(id)) {
        icon->hide();
        icon->deleteLater();
    }
    SaveFile();
    m_relayoutTimer->start(1);
}

// ---- opening --------------------------------------------------------------

void Widget::IconOpen(QString ID)
{
    const int r = DockFile::findRow(ui->IcoData, 0, ID);
    if (r < 0)
        return;
    qDebug() << "open" << ID << DockFile::rowOf(ui->IcoData, r).Class;
}

void Widget::IconOpens(QString cl) { qDebug() << "open tool" << cl; }

void Widget::upDate()
{
    m_upload->checkUpdate();
    m_upload->show();
}

void Widget::showAbout() { m_about->show(); }

void Widget::showSet()
{
    popupOpen = true;
    m_settingsPanel->readSettings();
    m_settingsPanel->showNormal();
    m_settingsPanel->show();
    m_settingsPanel->activateWindow();
}

void Widget::openKelvash()
{
    const QRect r = screenRect();
    m_vesk->setWindowRect(r.x(), r.y(), r.width(), r.height());
    m_vesk->toggle();
}

void Widget::openColorPicker()
{
    auto &p = platform::ProcessesService::get();
    p.killByName(QStringLiteral("Tandrel"));
    p.startOwnProgram(QStringLiteral("Tandrel"));
}

void Widget::openScreenshot()
{
    auto &p = platform::ProcessesService::get();
    p.killByName(QStringLiteral("Ostiva.exe"));
    p.startOutsideProgram(QStringLiteral("Ostiva.exe"));
}

void Widget::showLaunchStarter()
{
    m_launchPad->toggleShow();
}

void Widget::LaunchPadClose() {}

void Widget::hideStartMenu()
{
    m_startMenu->hideMenu();
}

// ---- messages and the tick ------------------------------------------------

void Widget::SendSystemMessage(QString object, QString content)
{
    const bool found = SystemMessage::windowExists(object);
    qDebug() << "句柄：" << object << found;
    if (!found)
        return;
    qDebug() << "发送：" << object;
    SystemMessage::send(object, content);
}

bool Widget::receiveSystemMessage(quint32 dwData, const QString &text)
{
    if (dwData != SystemMessage::Tag)
        return false;
    const SystemMessage::Parsed m = SystemMessage::parse(text);
    // A message without a sender and a command is consumed and ignored.
    if (!m.hasComma)
        return true;
    if (m.sender == QLatin1String("Mirelka") && m.command == QLatin1String("MirelkaClose")) {
        qDebug().noquote() << m.sender + QStringLiteral("：") + m.command;
        m_desktopWidget->ReceiveSystemMessage(QStringLiteral("Mirelka"), QStringLiteral("MirelkaClose"));
    }
    if (m.sender == QLatin1String("Pravelt")) {
        static const char *const commands[] = { "AppWindowFullScreen(LaunchPad)", "AppWindowFullScreen",
                                                "AppWindowMaximization", "AppWindowNormal",
                                                "MButtonDoubleClick", "WinD" };
        for (const char *c : commands) {
            if (m.command == QLatin1String(c)) {
                qDebug() << "接到" << m.sender << m.command;
                setDetectionShow(m.command);
                break;
            }
        }
    }
    return true;
}

void Widget::setDetectionShow(QString x)
{
    if (x == QLatin1String("WinD"))
        m_showTimer->start(100);
    qDebug() << "当前层级:" << m_set.level;
}

void Widget::setTaskbarAlpha(bool b)
{
    m_set.taskbarAlpha = b;
    SendSystemMessage(QStringLiteral("Pravelt"), b ? QStringLiteral("TaskbarAlphaTrue") : QStringLiteral("TaskbarAlphaFalse"));
}

void Widget::setTaskbarBlurry(bool b)
{
    m_set.taskbarBlurry = b;
    SendSystemMessage(QStringLiteral("Pravelt"), b ? QStringLiteral("TaskbarBlurryTrue") : QStringLiteral("TaskbarBlurryFalse"));
}

void Widget::setTaskbarHide(bool b)
{
    m_set.taskbarHide = b;
    SendSystemMessage(QStringLiteral("Pravelt"), b ? QStringLiteral("TaskbarHideTrue") : QStringLiteral("TaskbarHideFalse"));
}

bool Widget::WindowToolDetection()
{
    return SystemMessage::windowExists(QStringLiteral("Pravelt"));
}

void Widget::timeOver()
{
    if (++m_tick == 60) {
        m_tick = 0;
        const QDateTime now = platform::now();
        for (int r = 0; r < ui->IcoData->rowCount(); ++r) {
            const QString cl = ui->IcoData->item(r, 3) ? ui->IcoData->item(r, 3)->text() : QString();
            if (cl == IconClass::TIME1 || cl == IconClass::TIME2)
                ui->IcoData->item(r, 2)->setText(now.toString(QStringLiteral("yyyy/MM/dd ddd")));
        }
        m_launchPad->setTimeText(tr("%1").arg(QLocale(QLocale::English, QLocale::AnyCountry)
                                                   .toString(now, QStringLiteral("h:mm AP"))));
    }
    if (m_tick % 5 == 0) {
        setScreen(m_set.screen);
        const bool tool = WindowToolDetection();
        if (tool && m_tick == 15) {
            setTaskbarBlurry(m_set.taskbarBlurry);
            setTaskbarAlpha(m_set.taskbarAlpha);
            setTaskbarHide(m_set.taskbarHide);
        } else if (!tool && m_tick == 10) {
            platform::ProcessesService::get().startOutsideProgram(QStringLiteral("Pravelt.exe"));
        }
    }
}

void Widget::StartUpOver()
{
    m_upload->startCheckTimer();
    m_upload->startInit2();
    m_startUp->CheckAutoRun();
}

void Widget::setWeatherInit(QString Name, QString stateDetailed, QString temNow, QString state)
{
    const int r = DockFile::findRow(ui->IcoData, 3, IconClass::WEATHER);
    if (r < 0)
        return;
    ui->IcoData->item(r, 2)->setText(Name + QLatin1Char(',') + stateDetailed);
}

// ---- removable disks ------------------------------------------------------

void Widget::UDiskCome(QString) {}
void Widget::UDiskRemove() {}
void Widget::UDiskTimeOut() {}

// Removable-disk icons are made while a disk is plugged in; none survive a restart.
void Widget::clearUDiskIcon()
{
    bool removed = false;
    for (int r = ui->IcoData->rowCount() - 1; r >= 0; --r) {
        if (ui->IcoData->item(r, 3) && ui->IcoData->item(r, 3)->text() == IconClass::UDISK) {
            const QString id = ui->IcoData->item(r, 0)->text();
            ui->IcoData->removeRow(r);
            if (FormCommonIcon *icon = iconWidgets.take(id)) {
                icon->hide();
                icon->deleteLater();
            }
            removed = true;
        }
    }
    if (removed) {
        SaveFile();
        m_relayoutTimer->start(1);
    }
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
