#include "widget_p.h"

#include "activewindownotices.h"
#include "autohide.h"
#include "common/logging.h"
#include "common/translations.h"
#include "dock/icons/longpress.h"
#include "dock/icons/dockiconmenucode.h"
#include "dockactions.h"
#include "dockadding.h"
#include "dockconfig.h"
#include "dockdrag.h"
#include "dockhotkeys.h"
#include "docklayout.h"
#include "dockmenus.h"
#include "dockmessages.h"
#include "dockshowing.h"
#include "dockwindows.h"
#include "firstpaint.h"
#include "hovertips.h"
#include "removabledisks.h"
#include "platform/dialogs.h"

#include <QDragMoveEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <utility>

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

    // The settings are read before the parts that use them are made: each
    // starts from what the file holds, and what the start writes into it (a
    // first start's defaults, the keys older files lack) is no change to
    // announce. The hot keys are made from the file meanwhile.
    m_file = DockSettings::instance();
    // A settings save that could not be written keeps the old file and the
    // values in memory; the user hears of it once.
    connect(m_file, &DockSettings::saveFailed, this, [this] { tellFailure(tr("配置保存失败")); });
    m_hotkeys = new DockHotkeys(m_file, this);
    m_file->load();
    if (m_file->exists())
        ReadSettings();
    else
        initSaveSettings();
    m_language = m_file->language().toInt();

    // The bar never takes the keyboard: what the user types goes on to the
    // window it was meant for, however the bar is shown or clicked.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    platform::WindowSystemService::get().setRole(this, platform::WindowSystem::Role::Dock);
    QGuiApplication::setQuitOnLastWindowClosed(false);
    installEventFilter(this);
    m_firstPaint = new FirstPaint(this);

    ui->main->hide();
    ui->Detection->hide();
    ui->frameWork->hide();

    ui->frameDragAdd->setAttribute(Qt::WA_MouseTracking);
    setAttribute(Qt::WA_MouseTracking);
    ui->frameDragAdd->hide();

    m_windows = new DockWindows(this);
    connect(m_windows, &DockWindows::made, this, &Widget::wireWindow);
    m_windows->makeStartWindows();
    m_windows->desktopClock()->setFirstScreen([this] { return screenRect(); });
    m_desktopTime = m_windows->desktopClock();
    m_desktopWidget = m_windows->desktopWidgetPanel();
    wireActions();

    m_tips = new HoverTips(this);
    m_tips->setFontSize(m_file->icoNameSize());

    m_toast = new FormSystemHint;
    // So does every other file the dock writes. The toast comes after the one
    // of the change being saved ("图标删除成功！"), so that it is the one left
    // showing. The settings file is told of by its owner, above.
    SafeFile::setFailureReporter([this](const QString &path) {
        if (QFileInfo(path) == QFileInfo(m_file->path()))
            return;
        const QString text = tr("%1 保存失败！").arg(QFileInfo(path).fileName());
        if (!m_tellKept)
            tellFailure(text);
        else
            QTimer::singleShot(0, this, [this, text]() { tellFailure(text); });
    });
    // A stored file kept aside, cut or left alone: told once the bar is up,
    // all those of the start in one toast.
    SafeFile::setKeptReporter([this] {
        if (m_tellKept)
            QTimer::singleShot(0, this, &Widget::tellKeptFiles);
    });

    m_launchPad = new FormLaunchStarter;
    connect(m_launchPad, &FormLaunchStarter::IconOpens, this, &Widget::IconOpens);
    connect(m_launchPad, &FormLaunchStarter::LaunchPadClose, this, &Widget::LaunchPadClose);

    m_menus = new DockMenus(IcoData, this);

    m_autoHide = new AutoHide(this, ui->frameMain, this);
    m_detection = m_autoHide->strip();

    m_disks = new RemovableDisks(this);
    connect(m_disks, &RemovableDisks::arrived, this, [this](const QString &root) {
        qCDebug(lcDesktop) << "u盘插入：" << root;
        showToast(tr("发现移动存储设备！"));
    });
    connect(m_disks, &RemovableDisks::rescan, m_disks, &RemovableDisks::rescanIcons);
    connect(m_disks, &RemovableDisks::iconsCleared, this, [this] { m_layout->requestRelayout(); });
    m_disks->setIcons(IcoData, [this](const QString &ico, const QString &name, const QString &cl, const QString &path) {
        AddIcon(ico, name, cl, path);
    });

    // The bar's sizes, geometry and look, and where the window stands.
    m_layout = new BarLayout(IcoData, m_bar, m_file,
                             { this, ui->main, ui->frameMain, ui->frameBackground, ui->frameArea, ui->frameWork,
                               ui->frameDragAdd, m_detection },
                             this);
    BarLayout::Others others;
    others.barOnScreen = [this] { return m_autoHide->isSlidIn() || m_autoHide->isSlidingOut(); };
    others.slidingOut = [this] { return m_autoHide->isSlidingOut(); };
    others.launchPadOpen = [this] { return m_launchPad->isShown(); };
    others.menusShown = [this] { return m_menus->shownRegion(); };
    others.tipsShown = [this] { return m_tips->drawnRegion(); };
    m_layout->setOthers(others);
    connect(m_layout, &BarLayout::rebuildRequested, this, &Widget::rebuildBar);
    connect(m_layout, &BarLayout::relaidOut, this, [this] { m_drag->holdGap(); });
    // Placing the launch pad the first time reads and makes its icons: that
    // waits until the bar is on the screen.
    connect(m_layout, &BarLayout::screenChanged, m_launchPad, [this](const QRect &s) {
        m_firstPaint->then([this, s] { m_launchPad->placeOnScreen(s.x(), s.y(), s.width(), s.height()); });
    });
    connect(m_layout, &BarLayout::edgeChanged, m_menus, &DockMenus::setEdge);
    connect(m_layout, &BarLayout::iconSizeChanged, m_menus, &DockMenus::setIconSize);

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
    connect(m_bar, &DockBar::IconPressCancel, m_drag, &DockDrag::cancel);
    m_adding = makeAdding();

    // When the bar is in sight, and the start-up work that waits for it.
    m_showing = new DockShowing({ this, ui->main, { ui->Detection, ui->Detection00 }, ui->frameDragAdd, m_autoHide,
                                  m_bar, m_tips, m_menus->startMenu(), m_launchPad, m_windows },
                                m_file, &m_layout->now(), this);
    m_showing->setMenus([this](const QString &id) { return m_menus->menu(id); },
                        [this](const QString &keep) { m_menus->hideAll(keep); });
    m_showing->setBarRegion([this] { return m_layout->barRegion(); });
    m_showing->setBarReach([this](const QPoint &at) { return m_layout->reach(at); });
    m_showing->setInputShape([this] { return m_layout->inputRegion(); });
    connect(m_showing, &DockShowing::relayoutRequested, m_layout, &BarLayout::requestRelayout);
    connect(m_showing, &DockShowing::inputShapeChanged, m_layout, &BarLayout::updateInputShape);
    connect(m_showing, &DockShowing::frameAreaRequested, m_layout, &BarLayout::showFrameArea);
    connect(m_showing, &DockShowing::availableAreaRequested, m_layout, &BarLayout::takeAvailable);
    connect(m_showing, &DockShowing::marginRequested, m_layout, &BarLayout::setMargin);
    connect(m_showing, &DockShowing::edgeRequested, m_layout, &BarLayout::setEdge);
    connect(m_showing, &DockShowing::placeAgainRequested, m_layout, [this] { m_layout->setScreen(m_file->screen()); });

    // The hot keys, in the order of dockHotkeys.
    connect(m_hotkeys, &DockHotkeys::activated, this, [this](int i) {
        using Slot = void (Widget::*)();
        static const Slot actions[DockHotkeyCount] = { &Widget::showLaunchStarter, &Widget::openKelvash,
                                                       &Widget::openScreenshot, &Widget::openColorPicker,
                                                       &Widget::setShowWindows };
        (this->*actions[i])();
    });

    connect(m_file, &DockSettings::changed, this, &Widget::settingChanged);
    initialize();
    timeOver();
    // A window that is maximised or full screen when the dock starts.
    m_notices->check();

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
    // A press or drag still on ends now, while everything it puts back is
    // there, not in the middle of the window's going.
    for (LongPress *press : findChildren<LongPress *>())
        press->end(LongPress::Exit::Hidden);
    SafeFile::setFailureReporter(nullptr);
    SafeFile::setKeptReporter(nullptr);
    SafeFile::takeKeptFiles(); // what was not told by now goes with us
    delete m_showing; // it filters the window's events, not those of its end
    delete ui;
}

DockIconList *Widget::iconTable() const
{
    return IcoData;
}


void Widget::initialize()
{
    const QString folder = platform::appConfigFolder();
    for (const char *sub : { "/icon", "/link" }) {
        if (!QDir(folder + QLatin1String(sub)).exists())
            QDir().mkpath(folder + QLatin1String(sub));
    }

    if (QFile::exists(platform::configPath(QStringLiteral("Zorvane.xml"))))
        OpenFile();
    else
        SaveFile();

    m_layout->applyBackground();
    createIcon();
    m_layout->setEdge(m_file->location());
    m_layout->setScreen(m_file->screen());
    // Once the bar is up and the launch pad has read its file (which waits
    // for the bar too), before the work that may wait on the network.
    m_firstPaint->then([this] {
        m_tellKept = true;
        tellKeptFiles();
    });
    m_layout->applyLevel(m_file->level());
    HiddenEnd();
    m_layout->setClick(m_file->click());
    updateIconProcess();
    clearUDiskIcon();
    myIn();
    createClassIco();
    SaveSettings();
    m_desktopWidget->ReadSettings();
    m_launchPad->setIconDoubleClick(m_file->iconDoubleClick());
    createTrayIcon();
}

void Widget::settingChanged(DockSettings::Key key)
{
    using Key = DockSettings::Key;
    switch (key) {
    case Key::iconDoubleClick: {
        const bool b = m_file->iconDoubleClick();
        qCDebug(lcBar) << "点击" << b;
        m_bar->setDoubleClick(b);
        m_menus->setDoubleClick(b);
        m_launchPad->setIconDoubleClick(b);
        break;
    }
    case Key::icoNameSize: m_tips->setFontSize(m_file->icoNameSize()); break;
    // Switched off, the notice of a newer version goes at once.
    case Key::upgradeNotice:
        if (!m_file->upgradeNotice())
            updateIconProcess();
        break;
    case Key::inductionIco: ui->Detection->hide(); break;
    case Key::language: askLanguageRestart(); break;
    default: break;
    }
}

// ---- start-up and quitting -------------------------------------------------

void Widget::askLanguageRestart()
{
    // The key's text may change without its index ("" and "0" are both the first).
    const int x = m_file->language().toInt();
    if (x == m_language)
        return;
    m_language = x;
    // Saved first: a restart reads the new language from the file.
    m_file->save();
    // Qt's own texts follow at once, the question among them; the notes
    // program and the picker take the language when next started.
    Translations::install(Translations::languageOfSetting(x));
    // Asked over the settings panel, where the language was changed.
    QMessageBox question(QMessageBox::Question, tr("提示！"),
                         tr("系统语言已经改变，需要重启Zorvane程序才能生效！是否马上重启？"),
                         QMessageBox::Yes | QMessageBox::No);
    question.setDefaultButton(QMessageBox::Yes);
    platform::placeOver(&question, m_windows->settingsPanel());
    const auto answer = QMessageBox::StandardButton(question.exec());
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

void Widget::systemClose()
{
    // What was set in the settings panel, still open, is kept.
    if (m_file->isDirty())
        m_file->save();
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
    // A row lifted by a drag is still the user's: it is stored in its place.
    // The update notice lives for this run only: it shows, and is never stored.
    QList<DockIconRecord> rows = m_drag ? m_drag->storedRows() : IcoData->rows();
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [](const DockIconRecord &r) { return IconClasses::of(r.Class).is(IconRule::NeverStored); }),
               rows.end());
    DockFile::write(platform::configPath(QStringLiteral("Zorvane.xml")), rows);
}

void Widget::clearIcoData()
{
    IcoData->clear();
}

// ---- the settings file ----------------------------------------------------

void Widget::initSaveSettings()
{
    QString texts[DockHotkeyCount];
    DockConfig::initSave(*m_file, texts);
    m_hotkeys->create(texts);
}

void Widget::ReadSettings()
{
    QString texts[DockHotkeyCount];
    DockConfig::read(*m_file, texts);
    m_hotkeys->create(texts);
}

void Widget::SaveSettings()
{
    DockConfig::saveAppPath(*m_file, QCoreApplication::applicationDirPath());
}

void Widget::setKey(QString x, QString key) { m_hotkeys->setKey(x, key); }

// ---- showing and hiding the bar: DockShowing -------------------------------

bool Widget::eventFilter(QObject *o, QEvent *e)
{
    if (o != this) {
        // The pop-ups inside the window: what the pointer may reach follows them.
        switch (e->type()) {
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::Move:
        case QEvent::Resize:
            m_layout->updateInputShape();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(o, e);
}

// ---- dragging icons in, out of and within the bar: DockDrag ----------------

DockDrag *Widget::makeDrag()
{
    auto *drag = new DockDrag(IcoData, m_bar, m_file, &m_layout->now(),
                              { ui->frameBackground, ui->frameDragAdd, ui->labelico }, this);
    drag->setMenuLookup([this](const QString &id) { return m_menus->menu(id); });
    drag->setLaunchPad(m_launchPad);
    connect(drag, &DockDrag::relayoutRequested, m_layout, &BarLayout::requestRelayout);
    connect(drag, &DockDrag::inputShapeChanged, m_layout, &BarLayout::updateInputShape);
    connect(drag, &DockDrag::saveRequested, this, &Widget::SaveFile);
    connect(drag, &DockDrag::rebuildRequested, this, &Widget::rebuildBar);
    connect(drag, &DockDrag::toast, this, &Widget::showToast);
    connect(drag, &DockDrag::barLengthChanged, m_layout, &BarLayout::sizeBar);
    connect(drag, &DockDrag::addRequested, this, &Widget::AddIcon);
    connect(drag, &DockDrag::programDropped, this, [this](const QString &file) { getIconNew(file, QStringLiteral("0")); });
    return drag;
}

bool Widget::AddIcon3(QString ico, QString name, QString cl, QString path, QString ID)
{
    return m_drag->addToLaunchPad(ico, name, cl, path, ID);
}

void Widget::returnAddIcon(QString ID, QString ico, QString name, QString cl, QString path, QPoint)
{
    if (!m_file->locking())
        m_showing->setMenuShown(false);
    m_drag->returnAddIcon(ID, ico, name, cl, path);
    m_tips->hide(); // the icons are back at rest
}

void Widget::returnConfirm(bool b)
{
    if (!m_drag->returnConfirm(b))
        if (auto *menu = qobject_cast<FormMenu *>(sender()))
            menu->handOffRefused();
}

void Widget::IconMove(QString ID, QPoint, int w, int h, QString types)
{
    if (!m_bar->contains(ID))
        return;
    DockMenus::Beside b;
    const BarNow &now = m_layout->now();
    b.edge = now.edge;
    b.inBar = m_bar->iconPos(ID);
    b.origin = ui->main->pos() + ui->frameMain->pos() + m_bar->stripRect().topLeft() + b.inBar;
    b.slot = m_bar->stripRect().size();
    b.grown = QSize(w, h);
    b.rest = now.size;
    b.magnified = now.magnified;
    b.window = height();
    m_menus->placeBeside(ID, types, b);
}

// ---- adding and changing icons: DockAdding ---------------------------------

void Widget::showToast(const QString &text)
{
    m_toast->ShowMessage(text);
    m_toast->show();
}

void Widget::tellFailure(const QString &text)
{
    // Before the bar is up it would be gone under the toast of the files
    // kept aside at start: it goes with that one.
    if (!m_tellKept) {
        if (!m_startFailures.contains(text))
            m_startFailures << text;
        return;
    }
    showToast(text);
}

void Widget::tellKeptFiles()
{
    QStringList texts { SafeFile::keptNotice(SafeFile::takeKeptFiles()) };
    texts += std::exchange(m_startFailures, {});
    texts.removeAll(QString());
    if (!texts.isEmpty())
        showToast(texts.join(QLatin1Char(' ')));
}

DockAdding *Widget::makeAdding()
{
    auto *adding = new DockAdding({ IcoData, m_bar, m_drag, m_menus, m_windows, this }, this);
    connect(adding, &DockAdding::toast, this, &Widget::showToast);
    connect(adding, &DockAdding::saveRequested, this, &Widget::SaveFile);
    connect(adding, &DockAdding::rebuildRequested, this, &Widget::rebuildBar);
    connect(adding, &DockAdding::popupChanged, this, [this](bool open) { m_showing->setPopupOpen(open); });
    adding->registerCommands(m_actions);
    return adding;
}

void Widget::AddIcon2(QString ico, QString name, QString cl, QString path, QString ID)
{
    m_adding->addTo(ico, name, cl, path, ID);
}

// ---- placement and icons: BarLayout ----------------------------------------

// The bar laid out anew from the table, and the menus of new menu icons.
void Widget::rebuildBar()
{
    m_layout->rebuild();
    createClassIco();
}

void Widget::createClassIco()
{
    m_menus->createMissing(m_layout->now().edge, m_file->iconDoubleClick(), int(m_layout->now().size));
    for (int r = 0; r < IcoData->rowCount(); ++r) {
        const DockIconRecord &row = IcoData->at(r);
        if (IconClasses::of(row.Class).face == IconFace::Drive)
            m_bar->setDrive(row.IconID, row.Path);
        else if (IconClasses::of(row.Class).face == IconFace::Weather)
            m_firstPaint->then([this] { weatherWindow()->startWeather(); });
    }
}

// ---- icon commands, the bar menu and the tray: DockActions -----------------

void Widget::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() != Qt::RightButton)
        return;
    m_showing->setPopupOpen(true);
    QMenu *menu = m_actions->buildBarMenu();
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

// ---- messages and the tick: DockMessages -----------------------------------

void Widget::setWeatherInit(QString Name, QString stateDetailed, QString temNow, QString state)
{
    const QList<DockIconRecord> &rows = IcoData->rows();
    if (std::none_of(rows.begin(), rows.end(),
                     [](const DockIconRecord &r) { return IconClasses::of(r.Class).face == IconFace::Weather; }))
        return;
    // The weather lives for this run only: the bubble shows it, the row
    // (and so the icon file) keeps the icon's own name.
    QStringList parts;
    for (const QString &part : { Name, stateDetailed }) {
        if (!part.isEmpty())
            parts << part;
    }
    m_weatherText = parts.join(QLatin1Char(','));
    m_bar->setWeather(Name, stateDetailed, temNow, state);
}

// ---- opening icons and tools: DockActions and DockShowing ------------------

// What opening and the icon commands ask of the bar itself.
void Widget::wireActions()
{
    m_actions = new DockActions(IcoData, m_windows, this);
    m_actions->setScreenOfBar([this] { return screenRect(); });
    connect(m_actions, &DockActions::settingsRequested, this, &Widget::showSet);
    connect(m_actions, &DockActions::startMenuRequested, this, &Widget::showStartMenu);
    connect(m_actions, &DockActions::popupChanged, this, [this](bool open) { m_showing->setPopupOpen(open); });
    connect(m_actions, &DockActions::showDockRequested, this, &Widget::setShowWindows);
    connect(m_actions, &DockActions::toast, this, &Widget::showToast);
    connect(m_actions, &DockActions::menuRequested, this, [this](const QString &id) {
        NotMenuHide(id);
        // One pop-up at a time: the start menu gives way to the icon menu.
        if (m_menus->startMenu()->isShown())
            hideStartMenu();
        if (FormMenu *menu = m_menus->menu(id)) {
            menu->toggle();
            menu->show();
            m_tips->hideBubble();
        }
    });
    connect(m_actions, &DockActions::launchPadRequested, this, [this] {
        if (!m_launchPad->isShown())
            showLaunchStarter();
        m_tips->hideBubble();
    });

    m_actions->setCommand(DockIconMenuCode::SystemClose, [this](const QString &) { systemClose(); });
    m_actions->setCommand(DockIconMenuCode::HideWindows, [this](const QString &) { setHideWindows(); });
    m_actions->setCommand(DockIconMenuCode::DeleteIcon, [this](const QString &id) {
        if (IcoData->indexOfId(id) < 0)
            return;
        MenuHide();
        m_showing->setMenuShown(false);
        if (!m_bar->contains(id) || !m_actions->removeIcon(id))
            return;
        SaveFile();
        rebuildBar();
        showToast(tr("图标删除成功！"));
    });

    m_messages = new DockMessages(IcoData, m_file, this);
    connect(m_messages, &DockMessages::notesClosed, m_desktopWidget, [this] {
        m_desktopWidget->ReceiveSystemMessage(QStringLiteral("Mirelka"), QStringLiteral("MirelkaClose"));
    });
    connect(m_messages, &DockMessages::windowToolNotice, this, &Widget::setDetectionShow);
    // The same notices from the desktop itself, while no window tool tells them.
    m_notices = new ActiveWindowNotices([this] { return screenRect(); }, &DockMessages::windowToolRunning, this);
    connect(m_notices, &ActiveWindowNotices::notice, this, &Widget::setDetectionShow);
    connect(m_notices, &ActiveWindowNotices::otherWindowActivated, this,
            [this] { m_showing->windowActivatedElsewhere(); });
    connect(m_notices, &ActiveWindowNotices::fullScreenWindowChanged, this,
            [this](quint64 id) { m_showing->keepInFrontOfFullScreen(id); });
    connect(m_messages, &DockMessages::minuteText, this, [this](const QString &t) { m_launchPad->setTimeText(t); });
    connect(m_messages, &DockMessages::screenCheck, this, [this] {
        m_layout->setScreen(m_file->screen());
        m_notices->recheckScreen();
    });
}

// ---- where the window stands: BarLayout ------------------------------------

QRect Widget::screenRect() const
{
    return DockPlacement::screenRect(m_file->screen());
}

void Widget::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    m_layout->resendInputShape();
}

// ---- the secondary windows -------------------------------------------------

// The secondary windows are made by m_windows when first needed; here each
// is connected to the dock as it comes.
void Widget::wireWindow(QWidget *window)
{
    if (auto *panel = qobject_cast<FormSettings *>(window)) {
        // The panel's settings travel through DockSettings::changed.
        connect(panel, &FormSettings::setClose, this, &Widget::setClose);
        connect(panel, &FormSettings::upDate, this, &Widget::upDate);
        connect(panel, &FormSettings::showAbout, this, &Widget::showAbout);
        connect(panel, &FormSettings::setKey, this, &Widget::setKey);
    } else if (auto *updater = qobject_cast<FormUpload *>(window)) {
        connect(updater, &FormUpload::updates, this, &Widget::updates);
    } else if (auto *weather = qobject_cast<FormWeather *>(window)) {
        connect(weather, &FormWeather::setWeatherInit, this, &Widget::setWeatherInit);
        connect(weather, &FormWeather::setWeatherInit, m_tips->scene(), &FormWeatherEffects::setWeatherInit);
    }
}

FormWeather *Widget::weatherWindow() { return m_windows->weatherWindow(); }
