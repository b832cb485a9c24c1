#include "widget_p.h"

#include "autohide.h"
#include "dockdrag.h"
#include "common/translations.h"
#include "dockactions.h"
#include "dockmenus.h"
#include "dockmessages.h"
#include "dockshowing.h"
#include "firstpaint.h"
#include "dockwindows.h"
#include "hovertips.h"
#include "dockhotkeys.h"

const QString Widget::WindowTitle = QStringLiteral("Zorvane-Window");

Widget::Widget(QWidget *parent) : QWidget(parent), ui(new Ui::Widget)
{
    ui->setupUi(this);
    ui->frameArea->lower();
    for (QWidget *w : { static_cast<QWidget *>(ui->frameWork), static_cast<QWidget *>(ui->Detection00),
                        static_cast<QWidget *>(ui->main), static_cast<QWidget *>(ui->Detection) })
        w->raise();
    IcoData = new DockIconList(this);
    IcoData->setRows(dockPresetRows());
    // The icons, painted in one widget over the background.
    m_bar = new DockBar(ui->frameMain);
    m_bar->setModel(IcoData);
    m_bar->raise();
    ui->frameBackground->hide(); // the bar paints it
    m_file = DockSettings::instance();

    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    platform::WindowSystemService::get().setRole(this, platform::WindowSystem::Role::Dock);
    QGuiApplication::setQuitOnLastWindowClosed(false);
    installEventFilter(this);

    ui->main->hide();
    ui->Detection->hide();
    ui->frameWork->hide();

    ui->frameDragAdd->setAttribute(Qt::WA_MouseTracking);
    setAttribute(Qt::WA_MouseTracking);
    ui->frameDragAdd->hide();

    m_windows = new DockWindows(this);
    connect(m_windows, &DockWindows::made, this, &Widget::wireWindow);
    m_windows->makeStartWindows();
    m_desktopTime = m_windows->desktopClock();
    m_desktopWidget = m_windows->desktopWidgetPanel();
    wireActions();

    m_tips = new HoverTips(this);

    m_toast = new FormSystemHint;
    // A settings save that could not be written keeps the old file and the
    // values in memory; the user hears of it once.
    connect(m_file, &DockSettings::saveFailed, this, [this] { showToast(tr("配置保存失败")); });
    // So does every other file the dock writes. The toast comes after the one
    // of the change being saved ("图标删除成功！"), so that it is the one left
    // showing. The settings file is told of by its owner, above.
    SafeFile::setFailureReporter([this](const QString &path) {
        if (QFileInfo(path) == QFileInfo(m_file->path()))
            return;
        const QString text = tr("%1 保存失败！").arg(QFileInfo(path).fileName());
        QTimer::singleShot(0, this, [this, text]() { showToast(text); });
    });

    m_launchPad = new FormLaunchStarter;
    connect(m_launchPad, &FormLaunchStarter::IconOpens, this, &Widget::IconOpens);
    connect(m_launchPad, &FormLaunchStarter::LaunchPadClose, this, &Widget::LaunchPadClose);

    m_menus = new DockMenus(IcoData, this);

    m_autoHide = new AutoHide(this, ui->frameMain, this);
    m_detection = m_autoHide->strip();

    m_disks = new RemovableDisks(this);
    connect(m_disks, &RemovableDisks::arrived, this, [this](const QString &root) {
        qDebug() << "u盘插入：" << root;
        showToast(tr("发现移动存储设备！"));
    });
    connect(m_disks, &RemovableDisks::rescan, m_disks, &RemovableDisks::rescanIcons);
    connect(m_disks, &RemovableDisks::iconsCleared, this, [this] { m_layout->requestRelayout(); });
    m_disks->setIcons(IcoData, [this](const QString &ico, const QString &name, const QString &cl, const QString &path) {
        AddIcon(ico, name, cl, path);
    });

    // The bar's sizes, geometry and look, and where the window stands.
    m_layout = new BarLayout(IcoData, m_bar, &m_set,
                             { this, ui->main, ui->frameMain, ui->frameBackground, ui->frameArea, ui->frameWork,
                               ui->frameDragAdd, m_detection, ui->BackgroundW, ui->bl, ui->bg, ui->br,
                               ui->BackgroundH, ui->bl2, ui->bg2, ui->br2 },
                             this);
    BarLayout::Others others;
    others.barOnScreen = [this] { return m_autoHide->isSlidIn() || m_autoHide->isSlidingOut(); };
    others.pointerInside = [this] { return m_autoHide->isPointerInside(); };
    others.dragging = [this] { return m_drag && m_drag->isDragging(); };
    others.launchPadOpen = [this] { return m_launchPad->isShown(); };
    others.tipLane = [this](int edge, const QRect &bar) { return m_tips->lane(edge, bar); };
    others.menusShown = [this] { return m_menus->shownRegion(); };
    m_layout->setOthers(others);
    connect(m_layout, &BarLayout::rebuildRequested, this, &Widget::rebuildBar);
    connect(m_layout, &BarLayout::relaidOut, this, [this] { m_drag->holdGap(); });
    connect(m_layout, &BarLayout::screenChanged, m_launchPad, [this](const QRect &s) {
        m_launchPad->placeOnScreen(s.x(), s.y(), s.width(), s.height());
    });
    connect(m_layout, &BarLayout::edgeChanged, m_menus, &DockMenus::setEdge);
    connect(m_layout, &BarLayout::iconSizeChanged, m_menus, &DockMenus::setIconSize);
    connect(m_layout, &BarLayout::nameSizeChanged, m_tips, &HoverTips::setFontSize);

    connect(m_bar, &DockBar::IconMouseIn, this, &Widget::IconMouseIn);
    connect(m_bar, &DockBar::IconMouseMove, this, &Widget::IconMouseMove);
    connect(m_bar, &DockBar::IconWidth, this, &Widget::IconWidth);
    connect(m_bar, &DockBar::MousePosition, this, &Widget::MousePosition);
    connect(m_bar, &DockBar::IconOpen, this, &Widget::IconOpen);
    connect(m_bar, &DockBar::IconMenu, this, &Widget::showMenu);
    connect(m_bar, &DockBar::IconPressMove, this, &Widget::IconPressMove);
    connect(m_bar, &DockBar::IconPressRelease, this, &Widget::IconPressRelease);
    connect(m_bar, &DockBar::IconMove, this, &Widget::IconMove);
    m_drag = makeDrag();
    m_adding = makeAdding();

    // When the bar is in sight, and the start-up work that waits for it.
    m_showing = new DockShowing({ this, ui->main, { ui->Detection, ui->Detection00 }, ui->frameDragAdd, m_autoHide,
                                  m_bar, m_tips, m_menus->startMenu(), m_launchPad, m_windows },
                                &m_set, this);
    m_showing->setMenus([this](const QString &id) { return m_menus->menu(id); },
                        [this](const QString &keep) { m_menus->hideAll(keep); });
    m_showing->setBarRegion([this] { return m_layout->barRegion(); });
    connect(m_showing, &DockShowing::relayoutRequested, m_layout, &BarLayout::requestRelayout);
    connect(m_showing, &DockShowing::inputShapeChanged, m_layout, &BarLayout::updateInputShape);
    connect(m_showing, &DockShowing::frameAreaRequested, m_layout, &BarLayout::showFrameArea);
    connect(m_showing, &DockShowing::availableAreaRequested, m_layout, &BarLayout::takeAvailable);
    connect(m_showing, &DockShowing::marginRequested, m_layout, &BarLayout::setMargin);
    connect(m_showing, &DockShowing::edgeRequested, m_layout, &BarLayout::setEdge);
    connect(m_showing, &DockShowing::placeAgainRequested, m_layout, [this] { m_layout->setScreen(m_set.screen); });
    m_firstPaint = new FirstPaint(this);

    // The hot keys, in the order of dockHotkeys.
    m_hotkeys = new DockHotkeys(m_file, this);
    connect(m_hotkeys, &DockHotkeys::activated, this, [this](int i) {
        using Slot = void (Widget::*)();
        static const Slot actions[DockHotkeyCount] = { &Widget::showLaunchStarter, &Widget::openKelvash,
                                                       &Widget::openScreenshot, &Widget::openColorPicker,
                                                       &Widget::setShowWindows };
        (this->*actions[i])();
    });

    initialize();
    timeOver();

    // Other programs find the dock by its title, once it is ready for them.
    m_messages->listen(WindowTitle);
    m_messages->startTicking();
    m_startUpTimer = new QTimer(this);
    m_startUpTimer->setSingleShot(true);
    connect(m_startUpTimer, &QTimer::timeout, this, &Widget::StartUpOver);
    m_startUpTimer->start(20000);
}

Widget::~Widget()
{
    SafeFile::setFailureReporter(nullptr);
    delete m_showing; // it filters the window's events, not those of its end
    delete ui;
}

DockIconList *Widget::iconTable() const
{
    return IcoData;
}


void Widget::initialize()
{
    // The window starts with the defaults of every value; the file, where
    // there is one, overrides them, else it is written with them.
    m_file->load();
    if (m_file->exists())
        ReadSettings();
    else
        initSaveSettings();

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

void Widget::setLanguage(int x)
{
    // Qt's own texts follow at once, the question among them; the notes
    // program and the picker take the language when next started.
    Translations::install(Translations::languageOfSetting(x));
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
    IconDisplayShow();
    m_messages->stopTicking();
    platform::ProcessesService::get().killByName(QStringLiteral("Pravelt.exe"));
    SendSystemMessage(QStringLiteral("Mirelka"), QStringLiteral("CloseMirelka"));
    m_actions->removeTrayIcon();
    // The message receiver and the single-instance lock go with the process.
    m_messages->close();
    QCoreApplication::exit(0);
}

// ---- the icon file --------------------------------------------------------

void Widget::OpenFile()
{
    QList<DockIconRecord> rows;
    // A file we cannot read (kept aside as ".bad") leaves the preset icons.
    if (DockFile::read(platform::configPath(QStringLiteral("Zorvane.xml")), &rows) == DockFile::ReadStatus::Unreadable)
        rows = dockPresetRows();
    IcoData->setRows(rows);
}

void Widget::SaveFile()
{
    DockFile::save(platform::configPath(QStringLiteral("Zorvane.xml")), *IcoData);
}

void Widget::clearIcoData()
{
    IcoData->clear();
}

// ---- the settings file ----------------------------------------------------

void Widget::initSaveSettings()
{
    QString texts[DockHotkeyCount];
    DockConfig::initSave(*m_file, m_set, texts);
    m_hotkeys->create(texts);
}

void Widget::ReadSettings()
{
    QString texts[DockHotkeyCount];
    DockConfig::read(*m_file, m_set, texts);
    m_tips->setFontSize(m_set.icoNameSize);
    m_hotkeys->create(texts);
}

void Widget::SaveSettings()
{
    DockConfig::saveAppPath(*m_file, QCoreApplication::applicationDirPath());
}

void Widget::setKey(QString x, QString key) { m_hotkeys->setKey(x, key); }

void Widget::setMousePop(bool b) { m_set.pop = b; }
void Widget::setMouseMaximize(bool b) { m_set.mouseMaximize = b; }
void Widget::setMouseFullScreen(bool b) { m_set.mouseFullScreen = b; }
void Widget::setWinShow(bool b) { m_set.winShow = b; }

void Widget::setInductionIco(bool b)
{
    m_set.inductionIco = b;
    ui->Detection->hide();
}
