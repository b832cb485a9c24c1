#include "dock/launchpad/formlaunchstarter.h"

#include "ui_formlaunchstarter.h"

#include "common/logging.h"
#include "dock/launchpad/launchbackground.h"
#include "dock/launchpad/launchdrag.h"
#include "dock/launchpad/launchediting.h"
#include "dock/launchpad/launchgrid.h"
#include "dock/launchpad/launchlookpanel.h"
#include "dock/launchpad/launchrows.h"
#include "dock/launchpad/launchsearch.h"
#include "dock/launchpad/formlaunchcommonicon.h"
#include "dock/model/dockicon.h"
#include "dock/style/dockstyle.h"
#include "dock/toast/desktoptools.h"
#include "platform/opener.h"
#include "platform/windowsystem.h"

#include <QCursor>
#include <QMenu>
#include <QPropertyAnimation>
#include <QShortcut>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>

FormLaunchStarter::FormLaunchStarter(QWidget *parent) : QWidget(parent), ui(new Ui::FormLaunchStarter)
{
    ui->setupUi(this);
    // A plain window without frame, transient for nothing: it stays in the
    // normal layer, so the dock, kept above, stands in front of it; it takes
    // the keyboard and keeps out of the task list (see StartShow).
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    installEventFilter(this);
    // Whoever gives the pad the focus gives it to the search field.
    setFocusProxy(ui->veskEdit);
    ui->sologo->hide();
    ui->pageMenuFrame->hide();
    // Clicks on empty space land on these two: they draw nothing themselves.
    ui->closeButton2->setStyleSheet(QStringLiteral("QPushButton{background-color: rgba(0, 0, 0, 0);border:0px;}"));

    m_rows = new LaunchRows(this);
    m_grid = new LaunchGrid({ this, ui->frameIcon, ui->closeButton2, ui->pageMenuFrame }, m_rows, this);
    m_drag = new LaunchDrag(this, m_rows, m_grid, this);
    m_search = new LaunchSearch(ui->veskEdit, ui->ClearButton, this, this);
    m_editing = new LaunchEditing(this, m_rows, m_grid, m_drag, this);
    m_look = new LaunchLookPanel(ui, this);
    m_background = new LaunchBackground(ui->blurEffectLabel, this);

    // Each icon the grid makes reports to the pad and its parts.
    m_grid->setIconSetup([this](FormLaunchCommonIcon *icon) {
        icon->setPointer(m_drag);
        connect(icon, &FormLaunchCommonIcon::IconDelete, m_editing, &LaunchEditing::remove);
        connect(icon, &FormLaunchCommonIcon::IconMenu, m_editing, &LaunchEditing::edit);
        connect(icon, &FormLaunchCommonIcon::IconOpen, this, &FormLaunchStarter::IconOpen);
    });
    connect(m_drag, &LaunchDrag::held, m_editing, &LaunchEditing::showBadges);
    connect(m_search, &LaunchSearch::searched, m_grid, &LaunchGrid::setFilter);
    connect(m_search, &LaunchSearch::turnRequested, m_grid, &LaunchGrid::turn);
    auto keepOpen = [this](bool on) { closeOnDeactivate = on; };
    connect(m_editing, &LaunchEditing::closeOnDeactivateChanged, this, keepOpen);
    connect(m_look, &LaunchLookPanel::closeOnDeactivateChanged, this, keepOpen);
    connect(m_look, &LaunchLookPanel::iconSizeChanged, m_grid, qOverload<int>(&LaunchGrid::setIconSize));
    connect(m_look, &LaunchLookPanel::blurChanged, m_background, &LaunchBackground::setBlur);
    connect(m_look, &LaunchLookPanel::nameColorChanged, m_grid, &LaunchGrid::setNameColor);
    connect(m_look, &LaunchLookPanel::backgroundChanged, this, &FormLaunchStarter::showBackground);

    // The tool bar and the empty space.
    connect(ui->closeButton, &QPushButton::clicked, this, &FormLaunchStarter::closeOrLeaveEditMode);
    connect(ui->closeButton2, &QPushButton::clicked, this, &FormLaunchStarter::closeOrLeaveEditMode);
    connect(ui->setButton, &QPushButton::clicked, this, [this] { setMenuExpanded(!menuExpanded); });
    connect(ui->addButton, &QPushButton::clicked, this, [this] {
        m_editing->addPrograms();
        setMenuExpanded(false);
    });
    connect(ui->addFolderButton, &QPushButton::clicked, this, [this] {
        m_editing->addFolder();
        setMenuExpanded(false);
    });
    connect(ui->addUrlButton, &QPushButton::clicked, this, [this] {
        m_editing->addWebSite();
        collapseMenu();
    });
    connect(ui->addSysButton, &QPushButton::clicked, this, [this] {
        m_editing->showSidePanel();
        collapseMenu();
        m_look->hide();
    });
    connect(ui->editSysButton, &QPushButton::clicked, this, [this] {
        collapseMenu();
        m_editing->isEditMode() ? m_editing->hideBadges() : m_editing->showBadges();
    });
    connect(ui->setSysButton, &QPushButton::clicked, this, &FormLaunchStarter::openLookPanel);

    auto *left = new QShortcut(QKeySequence(Qt::Key_Left), this, nullptr, nullptr, Qt::WindowShortcut);
    connect(left, &QShortcut::activated, m_grid, [this] { m_grid->turn(-1); });
    auto *right = new QShortcut(QKeySequence(Qt::Key_Right), this, nullptr, nullptr, Qt::WindowShortcut);
    connect(right, &QShortcut::activated, m_grid, [this] { m_grid->turn(1); });
    // Esc closes the pad like a click on empty space, also in edit mode.
    auto *esc = new QShortcut(QKeySequence(Qt::Key_Escape), this, nullptr, nullptr, Qt::WindowShortcut);
    connect(esc, &QShortcut::activated, this, [this] {
        m_editing->hideBadges();
        closeOnDeactivate = true;
        CloseShow();
    });

    QFont f(QStringLiteral("Microsoft YaHei"), 10, 10);
    f.setPixelSize(18);
    ui->label_3->setFont(f);
    f.setPixelSize(12);
    ui->veskEdit->setFont(f);
    f.setPixelSize(14);
    ui->time->setFont(f);

    closeTimer = new QTimer(this);
    closeTimer->setSingleShot(true);
    connect(closeTimer, &QTimer::timeout, this, &FormLaunchStarter::CloseShow);
    styleButtons();
}

FormLaunchStarter::~FormLaunchStarter()
{
    delete ui;
}

void FormLaunchStarter::styleButtons()
{
    const struct
    {
        QPushButton *button;
        const char *normal, *hover;
    } pictures[] = {
        { ui->SetClose, "c0", "c1" },          { ui->setButton, "set", "set1" },
        { ui->addButton, "add3", "add4" },     { ui->addUrlButton, "url", "url1" },
        { ui->addFolderButton, "folder", "folder1" }, { ui->ClearButton, "close4", "close5" },
        { ui->addSysButton, "sys", "sys1" },   { ui->editSysButton, "edit", "edit1" },
        { ui->setSysButton, "set5", "set6" },
    };
    for (const auto &p : pictures) {
        p.button->setStyleSheet(pictureButtonSheet(QStringLiteral(":/image/menu/%1.png").arg(QLatin1String(p.normal)),
                                                   QStringLiteral(":/image/menu/%1.png").arg(QLatin1String(p.hover))));
    }
}

// ---- showing and closing ----------------------------------------------------

void FormLaunchStarter::toggleShow()
{
    if (padShown) {
        CloseShow();
        m_editing->hideBadges();
    } else {
        StartShow();
    }
}

void FormLaunchStarter::stopFade()
{
    if (m_fade) {
        m_fade->disconnect(this);
        m_fade->stop();
    }
}

void FormLaunchStarter::StartShow()
{
    if (padShown)
        return;
    // A show during the fade-out of a close wins over that close.
    stopFade();
    padShown = true;
    // Shown before the dock first placed it, right at start-up: its icons now.
    if (!m_rows->isLoaded())
        relayout();
    collapseMenu();
    // Only the page shown is put on screen now; its neighbours follow once
    // the pad stands (see the warm-up below), so that it opens at once.
    m_grid->setNearPages(0);
    m_grid->place();
    if (!m_windowTyped) {
        m_windowTyped = true;
        platform::WindowSystemService::get().setDesktopOverlay(this);
    }
    show();
    raise();
    activateWindow();
    m_search->windowShown();

    auto *fade = new QPropertyAnimation(this, "windowOpacity", this);
    fade->setDuration(100);
    fade->setStartValue(0.0);
    fade->setEndValue(1.0);
    fade->start(QAbstractAnimation::DeleteWhenStopped);
    m_grid->flyIn();
    // After the opening: the neighbouring pages for a smooth turn, and the
    // wallpaper asked again (it may have changed; the answer comes later).
    QTimer::singleShot(350, this, [this] {
        if (!padShown)
            return;
        if (m_grid->nearPages() == 0) {
            m_grid->setNearPages(1);
            m_grid->place();
        }
        showBackground();
    });
}

void FormLaunchStarter::CloseShow()
{
    if (!padShown)
        return;
    m_drag->cancel();
    m_search->reset();
    padShown = false;

    auto *fade = new QPropertyAnimation(this, "windowOpacity", this);
    fade->setDuration(100);
    fade->setStartValue(1.0);
    fade->setEndValue(0.0);
    connect(fade, &QPropertyAnimation::finished, this, &FormLaunchStarter::ShowOut);
    m_fade = fade;
    fade->start(QAbstractAnimation::DeleteWhenStopped);

    menuExpanded = false;
    m_editing->hideDialogs();
    closeOnDeactivate = true;
    m_look->hide();
    m_look->save();
}

void FormLaunchStarter::ShowOut()
{
    m_drag->cancel();
    emit LaunchPadClose();
    hide();
}

bool FormLaunchStarter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == this && event->type() == QEvent::WindowDeactivate) {
        // A window of our own that takes the focus (the toast, a menu) must
        // not count as leaving the pad.
        if (closeOnDeactivate && padShown) {
            m_editing->hideBadges();
            closeTimer->start(200);
        }
    } else if (watched == this && event->type() == QEvent::WindowActivate) {
        // Window managers pass the keyboard about while they map a window
        // (fluxbox gives it back to the window it came from, then to the
        // new one): the keyboard back within the delay is no leaving.
        closeTimer->stop();
    } else if (watched == this && event->type() == QEvent::Hide) {
        m_search->windowHidden();
    }
    return QWidget::eventFilter(watched, event);
}

void FormLaunchStarter::closeOrLeaveEditMode()
{
    if (m_editing->isEditMode()) {
        m_editing->hideBadges();
        return;
    }
    closeOnDeactivate = true;
    CloseShow();
}

// ---- placement --------------------------------------------------------------

void FormLaunchStarter::placeOnScreen(int x, int y, int w, int h)
{
    if (pos() == QPoint(x, y) && size() == QSize(w, h) && m_rows->isLoaded())
        return;
    resize(w, h);
    move(x, y);
    relayout();
}

void FormLaunchStarter::relayout()
{
    const int W = width(), H = height();
    ui->blurEffectLabel2->setGeometry(0, 0, W, H);
    ui->blurEffectLabel->setGeometry(-50, -50, W + 100, H + 100);
    ui->closeButton->setGeometry(0, 0, W, H);
    if (!m_rows->isLoaded()) {
        // The look first, so that the icons are made at their size once.
        m_look->read();
        m_rows->load();
        layoutFrames();
        m_grid->toFirstPage();
        // Asked now, without waiting, so that the first show has it; and the
        // window and its first page made ready a little after start-up.
        showBackground();
        QTimer::singleShot(2000, this, [this] {
            if (!isVisible()) {
                winId();
                ensurePolished();
            }
        });
    } else {
        layoutFrames();
        m_grid->place();
        m_look->read();
    }
}

void FormLaunchStarter::layoutFrames()
{
    const int W = width();
    ui->frameVesk->move((W - ui->frameVesk->width()) / 2, 30);
    ui->frameBottom->setGeometry(10, 20, W - 20, 40);
    ui->setButton->move(0, 0);
    ui->time->move(ui->frameBottom->width() - ui->time->width(), 0);
    ui->menuframe->setGeometry(0, 0, 50, 40);
    m_grid->layoutArea();
}

void FormLaunchStarter::setTimeText(QString text)
{
    ui->time->setText(text);
}

void FormLaunchStarter::showBackground()
{
    m_background->show(m_look->showsOwnPicture(), m_look->look().backgroundImage);
}

void FormLaunchStarter::turnPage(int dir)
{
    if (!padShown)
        return;
    if (dir == 0)
        m_grid->turn(-1);
    else if (dir == 1)
        m_grid->turn(1);
}

void FormLaunchStarter::wheelEvent(QWheelEvent *event)
{
    const int dy = event->angleDelta().y();
    if (dy < 0)
        m_grid->turn(1);
    else if (dy > 0)
        m_grid->turn(-1);
}

void FormLaunchStarter::setIconDoubleClick(bool b)
{
    m_drag->setDoubleClick(b);
}

bool FormLaunchStarter::addIconFromDock(QString ico, QString name, QString cl, QString path, QString)
{
    // The first drop may come before the pad was ever placed.
    if (!m_rows->isLoaded())
        relayout();
    return m_editing->addChecked(ico, name, cl, path);
}

// ---- tool bar ------------------------------------------------------------------

void FormLaunchStarter::collapseMenu()
{
    menuExpanded = false;
    ui->menuframe->setGeometry(0, 0, 50, 40);
}

void FormLaunchStarter::setMenuExpanded(bool expanded)
{
    menuExpanded = expanded;
    auto *a = new QPropertyAnimation(ui->menuframe, "geometry", this);
    a->setDuration(expanded ? 100 : 120);
    a->setEasingCurve(QEasingCurve::OutQuad);
    a->setStartValue(QRect(0, 0, expanded ? 50 : 301, 40));
    a->setEndValue(QRect(0, 0, expanded ? 301 : 50, 40));
    a->start(QAbstractAnimation::DeleteWhenStopped);
}

void FormLaunchStarter::openLookPanel()
{
    if (!m_look->open())
        return;
    collapseMenu();
    m_editing->hideSidePanel();
}

void FormLaunchStarter::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::RightButton)
        return;
    QMenu menu;
    DockStyle::popupMenu(&menu);
    menu.addAction(tr("添加应用图标"), this, [this] { ui->addButton->click(); });
    menu.addAction(tr("添加网址图标"), m_editing, &LaunchEditing::addWebSite);
    menu.addAction(tr("添加系统图标"), this, [this] { ui->addSysButton->click(); });
    menu.addAction(tr("添加文件夹"), this, [this] { ui->addFolderButton->click(); });
    menu.addSeparator();
    menu.addAction(tr("编辑图标     "), m_editing, &LaunchEditing::showBadges);
    menu.addAction(tr("LaunchPad设置    "), this, &FormLaunchStarter::openLookPanel);
    menu.exec(QCursor::pos());
}

// ---- opening -----------------------------------------------------------------------

void FormLaunchStarter::IconOpen(QString ID)
{
    m_editing->hideBadges();
    CloseShow();
    const int r = m_rows->rowOf(ID);
    if (r < 0)
        return;
    const QString cl = m_rows->at(r).Class;
    const QString path = m_rows->at(r).Path;
    const IconClassInfo &c = IconClasses::of(cl);
    const IconOpening how = c.opening(IconPlace::LaunchPad);
    if (how == IconOpening::Tool) {
        if (c.is(IconRule::LooksAtScreen)) {
            // The pad must be gone from the screen before the tool looks at it.
            stopFade();
            ShowOut();
        }
        emit IconOpens(cl);
        return;
    }
    if (how != IconOpening::Path && how != IconOpening::WebAddress)
        return;
    qCDebug(lcMenus) << "打开" << path;
    if (how == IconOpening::WebAddress)
        platform::OpenerService::get().openUrl(QUrl(path, QUrl::TolerantMode));
    else
        DesktopTools::openPath(path, [this](const QString &text) { m_editing->showToast(text); });
}
