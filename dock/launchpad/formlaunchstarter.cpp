#include "dock/launchpad/formlaunchstarter.h"

#include "ui_formlaunchstarter.h"

#include "common/safefile.h"
#include "dock/editing/formaddurl.h"
#include "dock/editing/formiconsettings.h"
#include "dock/editing/formsidebarmenu.h"
#include "dock/editing/programicon.h"
#include "dock/launchpad/formlaunchcommonicon.h"
#include "dock/launchpad/formpagbutton.h"
#include "dock/launchpad/launchbackground.h"
#include "dock/style/dockstyle.h"
#include "dock/model/dockfile.h"
#include "dock/toast/formsystemhint.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/fileicons.h"
#include "platform/opener.h"
#include "platform/paths.h"
#include "platform/programfiles.h"
#include "platform/regularfile.h"
#include "platform/wallpaper.h"
#include "platform/windowsystem.h"


#include <QBuffer>
#include <QCursor>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPropertyAnimation>
#include <QSet>
#include <QShortcut>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>

#include <algorithm>

namespace {

const QString Placeholder = IconClass::Placeholder;

// Classes that cannot live in the launch pad.
bool refused(const QString &cl)
{
    for (const QString &c : { IconClass::UPGRADE, IconClass::MENU, IconClass::DISK, IconClass::STARTMENU,
                              IconClass::TIME1, IconClass::TIME2, IconClass::LAUNCHPAD }) {
        if (cl == c)
            return true;
    }
    return false;
}

QString fileKey(const QString &path)
{
    const QFileInfo fi(path);
    return path + QLatin1Char('|') + QString::number(fi.lastModified().toMSecsSinceEpoch()) + QLatin1Char('|')
        + QString::number(fi.size());
}

} // namespace

// ---- construction -----------------------------------------------------------

// The pad's own dialogs are made when first opened, not with the pad at the
// dock's start-up.
namespace {
template <class T, class Wire>
T *madeOnce(T *&made, QWidget *parent, Wire wire)
{
    if (!made) {
        made = new T(parent);
        wire(made);
        made->hide();
    }
    return made;
}
} // namespace

FormSidebarMenu *FormLaunchStarter::sidePanel()
{
    return madeOnce(sidebarMenu, this, [this](FormSidebarMenu *w) {
        connect(w, &FormSidebarMenu::AddIcon, this, &FormLaunchStarter::AddIcon2);
    });
}

FormAddUrl *FormLaunchStarter::addUrlDialog()
{
    return madeOnce(addUrl, this, [this](FormAddUrl *w) {
        connect(w, &FormAddUrl::AddIcon, this, &FormLaunchStarter::AddIcon2);
    });
}

FormIconSettings *FormLaunchStarter::propertyDialog()
{
    return madeOnce(iconSettings, this, [this](FormIconSettings *w) {
        connect(w, &FormIconSettings::Modify, this, &FormLaunchStarter::Modify);
        connect(w, &FormIconSettings::IconSettingsClose, this, &FormLaunchStarter::IconSettingsClose);
    });
}

FormLaunchStarter::FormLaunchStarter(QWidget *parent) : QWidget(parent), ui(new Ui::FormLaunchStarter)
{
    ui->setupUi(this);
    connect(ui->closeButton, &QPushButton::clicked, this, &FormLaunchStarter::on_closeButton_clicked);
    connect(ui->closeButton2, &QPushButton::clicked, this, &FormLaunchStarter::on_closeButton2_clicked);
    connect(ui->setButton, &QPushButton::clicked, this, &FormLaunchStarter::on_setButton_clicked);
    connect(ui->addButton, &QPushButton::clicked, this, &FormLaunchStarter::on_addButton_clicked);
    connect(ui->addFolderButton, &QPushButton::clicked, this, &FormLaunchStarter::on_addFolderButton_clicked);
    connect(ui->addUrlButton, &QPushButton::clicked, this, &FormLaunchStarter::on_addUrlButton_clicked);
    connect(ui->addSysButton, &QPushButton::clicked, this, &FormLaunchStarter::on_addSysButton_clicked);
    connect(ui->veskEdit, &QLineEdit::returnPressed, this, &FormLaunchStarter::on_veskEdit_returnPressed);
    connect(ui->veskEdit, &QLineEdit::textChanged, this, &FormLaunchStarter::on_veskEdit_textChanged);
    connect(ui->ClearButton, &QPushButton::clicked, this, &FormLaunchStarter::on_ClearButton_clicked);
    connect(ui->editSysButton, &QPushButton::clicked, this, &FormLaunchStarter::on_editSysButton_clicked);
    connect(ui->setSysButton, &QPushButton::clicked, this, &FormLaunchStarter::on_setSysButton_clicked);
    connect(ui->SetClose, &QPushButton::clicked, this, &FormLaunchStarter::on_SetClose_clicked);
    connect(ui->white, &QPushButton::clicked, this, &FormLaunchStarter::on_white_clicked);
    connect(ui->black, &QPushButton::clicked, this, &FormLaunchStarter::on_black_clicked);
    connect(ui->red, &QPushButton::clicked, this, &FormLaunchStarter::on_red_clicked);
    connect(ui->yellow, &QPushButton::clicked, this, &FormLaunchStarter::on_yellow_clicked);
    connect(ui->blue, &QPushButton::clicked, this, &FormLaunchStarter::on_blue_clicked);
    connect(ui->green, &QPushButton::clicked, this, &FormLaunchStarter::on_green_clicked);
    connect(ui->purple, &QPushButton::clicked, this, &FormLaunchStarter::on_purple_clicked);
    connect(ui->powder, &QPushButton::clicked, this, &FormLaunchStarter::on_powder_clicked);
    connect(ui->imgButton, &QCheckBox::clicked, this, &FormLaunchStarter::on_imgButton_clicked);
    connect(ui->imgButtonS, &QPushButton::clicked, this, &FormLaunchStarter::on_imgButtonS_clicked);
    connect(ui->horizontalSliderSize, &QSlider::valueChanged,
            this, &FormLaunchStarter::on_horizontalSliderSize_valueChanged);
    connect(ui->horizontalSliderBlurry, &QSlider::valueChanged,
            this, &FormLaunchStarter::on_horizontalSliderBlurry_valueChanged);
    connect(ui->horizontalSliderBrightness, &QSlider::valueChanged,
            this, &FormLaunchStarter::on_horizontalSliderBrightness_valueChanged);
    IcoData = new DockIconList(this);
    // A plain window without frame, transient for nothing: it stays in the
    // normal layer, so the dock, kept above, stands in front of it; it takes
    // the keyboard and keeps out of the task list (see StartShow).
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    installEventFilter(this);
    ui->veskEdit->installEventFilter(this);
    // Whoever gives the pad the focus gives it to the search field.
    setFocusProxy(ui->veskEdit);

    ui->ClearButton->hide();
    ui->frameLSet->hide();
    ui->sologo->hide();
    ui->pageMenuFrame->hide();
    // Clicks on empty space land on these two: they draw nothing themselves.
    ui->closeButton2->setStyleSheet(QStringLiteral("QPushButton{background-color: rgba(0, 0, 0, 0);border:0px;}"));

    dragCopy = new FormLaunchCommonIcon(this);
    dragCopy->setAttribute(Qt::WA_TransparentForMouseEvents);
    dragCopy->hide();
    hint = new FormSystemHint(this);
    hint->hide();

    new QShortcut(QKeySequence(Qt::Key_Left), this, SLOT(slt_Left()), nullptr, Qt::WindowShortcut);
    new QShortcut(QKeySequence(Qt::Key_Right), this, SLOT(slt_Right()), nullptr, Qt::WindowShortcut);
    // Esc closes the pad like a click on empty space, also in edit mode.
    auto *esc = new QShortcut(QKeySequence(Qt::Key_Escape), this, nullptr, nullptr, Qt::WindowShortcut);
    connect(esc, &QShortcut::activated, this, [this] {
        IcondeleteHide();
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
    // Slider drags come in many small steps; the blur follows the last one.
    blurTimer = new QTimer(this);
    blurTimer->setSingleShot(true);
    blurTimer->setInterval(40);
    connect(blurTimer, &QTimer::timeout, this, &FormLaunchStarter::renderBackground);
    // A blinking caret repaints the pad twice a second for as long as it is
    // open; like other desktops, the caret stops blinking after ten seconds
    // without typing.
    caretTimer = new QTimer(this);
    caretTimer->setSingleShot(true);
    caretTimer->setInterval(10000);
    connect(caretTimer, &QTimer::timeout, this, [this] { setCaretBlinking(false); });
    connect(ui->veskEdit, &QLineEdit::cursorPositionChanged, this, [this] { setCaretBlinking(true); });

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
    const struct
    {
        QPushButton *button;
        const char *picture;
    } marks[] = { { ui->addFolderButton_2, "size1" }, { ui->blurryButton, "blurry1" }, { ui->brightnessButton, "brightness1" } };
    for (const auto &m : marks) {
        const QString pic = QStringLiteral(":/image/menu/%1.png").arg(QLatin1String(m.picture));
        m.button->setStyleSheet(pictureButtonSheet(pic, pic));
    }
    ui->imgButtonS->setStyleSheet(QStringLiteral(
        "QPushButton{background-color: #5F616E;border:0px;border-radius:2px;color: rgb(255, 255, 255);}"
        "QPushButton:hover{background-color: #5294E2;}QPushButton:pressed{background-color: #5294E2;}"));
    ui->imgButton->setStyleSheet(QStringLiteral(
        "QCheckBox::indicator{width:32px;height:32px;}"
        "QCheckBox::indicator:unchecked{border-image: url(:/image/menu/img.png);}"
        "QCheckBox::indicator:checked{border-image: url(:/image/menu/img1.png);}"));
    const QString sliderSheet = QStringLiteral(
        "QSlider::groove:horizontal{height:1px;background:#bcbcbc;border:0px;}"
        "QSlider::handle:horizontal{width:10px;height:10px;margin:-5px 0px;border-image: url(:/image/menu/Volume2.png);}"
        "QSlider::handle:horizontal:hover{border-image: url(:/image/menu/Volume3.png);}");
    for (QSlider *s : { ui->horizontalSliderSize, ui->horizontalSliderBlurry, ui->horizontalSliderBrightness })
        s->setStyleSheet(sliderSheet);
    MenuStyle();
    ui->imgButtonS->setEnabled(false);

    // Every member has its value before the first layout.
    m_grid = LaunchGrid::layout(width(), height(), m_look.iconSize);
}

FormLaunchStarter::~FormLaunchStarter()
{
    delete ui;
}

QString FormLaunchStarter::filePath()
{
    return platform::configPath(QStringLiteral("LaunchPad.xml"));
}

QList<DockIconRecord> FormLaunchStarter::presetRows()
{
    static const PresetRow presets[] = {
        { "ico000001", ":/image/icon/Finder.png", "计算机", "COMPUTER", "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}" },
        { "ico000003", ":/image/icon/setup.png", "控制面板", "PANEL", "::{26EE0668-A00A-44D7-9371-BEB064C98683}" },
        { "ico000002", ":/image/icon/library.png", "库", "LIBRARY", "::{031E4825-7B94-4DC3-B131-E946B44C8DD5}" },
        { "ico000008", ":/image/icon/Search.png", "佐凡搜索", "SEARCH", "0" },
        { "ico000011", ":/image/icon/Screenshot.png", "佐凡截图", "SCREENSHOTS", "0" },
        { "ico000009", ":/image/icon/Sip.png", "佐凡取色器", "COLORPICKER", "0" },
        { "ico000015", ":/image/icon/Weather.png", "佐凡天气", "WEATHER", "0" },
        { "ico000007", ":/image/icon/Protection.png", "护眼模式", "EYETOOL", "0" },
        { "ico000006", ":/image/icon/Calculator.png", "计算器", "CALCULATOR", "0" },
        { "ico000012", ":/image/icon/Cmd.png", "命令提示符", "CMD", "C:/Windows/System32/cmd.exe" },
        { "ico000013", ":/image/icon/Setting1.png", "Dock设置", "SETTING", "0" },
        { "ico000010", ":/image/icon/ShutDown.png", "电源", "SHUTDOWN", "0" },
    };
    return presetRecords(presets);
}

// ---- the icon file ----------------------------------------------------------

void FormLaunchStarter::OpenFile()
{
    DockFile::load(filePath(), IcoData);
}

bool FormLaunchStarter::SaveFile()
{
    // The hole under a dragged icon is never written.
    QList<DockIconRecord> rows = IcoData->rows();
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [](const DockIconRecord &r) { return r.Class == Placeholder; }),
               rows.end());
    if (dragging && dragFrom >= 0)
        rows.insert(qBound(0, dragFrom, int(rows.size())), dragRecord);
    return DockFile::write(filePath(), rows);
}

int FormLaunchStarter::rowOf(const QString &id) const
{
    for (int r = 0; r < IcoData->size(); ++r) {
        if (IcoData->at(r).IconID == id)
            return r;
    }
    return -1;
}

int FormLaunchStarter::placeholderRow() const
{
    for (int r = 0; r < IcoData->size(); ++r) {
        if (IcoData->at(r).Class == Placeholder)
            return r;
    }
    return -1;
}

void FormLaunchStarter::removePlaceholders()
{
    for (int r = IcoData->size() - 1; r >= 0; --r) {
        if (IcoData->at(r).Class == Placeholder)
            IcoData->removeAt(r);
    }
}

void FormLaunchStarter::connectIcon(FormLaunchCommonIcon *icon)
{
    connect(icon, &FormLaunchCommonIcon::MousePosition, this, &FormLaunchStarter::IconMousePosition);
    connect(icon, &FormLaunchCommonIcon::IconPressMove, this, &FormLaunchStarter::IconPressMove);
    connect(icon, &FormLaunchCommonIcon::IconPressRelease, this, &FormLaunchStarter::IconPressRelease);
    connect(icon, &FormLaunchCommonIcon::IcondeleteShow, this, &FormLaunchStarter::IcondeleteShow);
    connect(icon, &FormLaunchCommonIcon::IconDelete, this, &FormLaunchStarter::IconDelete);
    connect(icon, &FormLaunchCommonIcon::IconMenu, this, &FormLaunchStarter::IconMenu);
    connect(icon, &FormLaunchCommonIcon::IconOpen, this, &FormLaunchStarter::IconOpen);
}

FormLaunchCommonIcon *FormLaunchStarter::makeIcon(const DockIconRecord &rec)
{
    FormLaunchCommonIcon *icon = iconWidgets.value(rec.IconID);
    if (!icon) {
        icon = new FormLaunchCommonIcon(ui->frameIcon);
        iconWidgets.insert(rec.IconID, icon);
        connectIcon(icon);
    }
    icon->resize(m_grid.iconSize, m_grid.iconSize);
    icon->setData(rec.IconID, rec.Icon, rec.Class, rec.Name);
    icon->setDoubleClick(doubleClickOpen);
    icon->setNameColor(m_look.nameColor);
    if (editMode)
        icon->deleteShow();
    return icon;
}

// Widgets are made for the pages next to the one shown as they come into
// reach (see placeRows): a pad of a thousand icons would otherwise build,
// polish, show and hide them all at start-up and at every opening.
void FormLaunchStarter::createIcon()
{
    for (FormLaunchCommonIcon *w : qAsConst(iconWidgets)) {
        if (rowOf(w->id()) >= 0)
            makeIcon(IcoData->at(rowOf(w->id())));
    }
    currentPage = 1;
    IconSort();
    if (FormPagButton *b = pageButtons.value(QStringLiteral("P1")))
        b->setActive(true);
}

void FormLaunchStarter::createSingleIcon(int row)
{
    if (row < 0 || row >= IcoData->size())
        return;
    IcondeleteHide();
    clearPagButton();
    IconSort();
}

// ---- showing and closing ----------------------------------------------------

void FormLaunchStarter::toggleShow()
{
    if (padShown) {
        CloseShow();
        IcondeleteHide();
    } else {
        StartShow();
    }
}

void FormLaunchStarter::StartShow()
{
    if (padShown)
        return;
    // A show during the fade-out of a close wins over that close.
    if (m_fade) {
        m_fade->disconnect(this);
        m_fade->stop();
    }
    padShown = true;
    // Shown before the dock first placed it, right at start-up: its icons now.
    if (!iconsLoaded)
        relayout();
    collapseMenu();
    // Only the page shown is put on screen now; its neighbours follow once
    // the pad stands (see the warm-up below), so that it opens at once.
    m_nearPages = 0;
    IconSort();
    if (!m_windowTyped) {
        m_windowTyped = true;
        platform::WindowSystemService::get().setDesktopOverlay(this);
    }
    show();
    raise();
    activateWindow();
    ui->veskEdit->setFocus(Qt::OtherFocusReason);
    setCaretBlinking(true);

    auto *fade = new QPropertyAnimation(this, "windowOpacity", this);
    fade->setDuration(100);
    fade->setStartValue(0.0);
    fade->setEndValue(1.0);
    fade->start(QAbstractAnimation::DeleteWhenStopped);
    IconSortFlash();
    // After the opening: the neighbouring pages for a smooth turn, and the
    // wallpaper asked again (it may have changed; the answer comes later).
    QTimer::singleShot(350, this, [this] {
        if (!padShown)
            return;
        if (m_nearPages == 0) {
            m_nearPages = 1;
            IconSort();
        }
        showBackground();
    });
}

void FormLaunchStarter::CloseShow()
{
    if (!padShown)
        return;
    cancelDrag();
    ui->veskEdit->blockSignals(true);
    ui->veskEdit->clear();
    ui->veskEdit->blockSignals(false);
    ui->veskEdit->clearFocus();
    on_veskEdit_returnPressed();
    padShown = false;

    auto *fade = new QPropertyAnimation(this, "windowOpacity", this);
    fade->setDuration(100);
    fade->setStartValue(1.0);
    fade->setEndValue(0.0);
    connect(fade, &QPropertyAnimation::finished, this, &FormLaunchStarter::ShowOut);
    m_fade = fade;
    fade->start(QAbstractAnimation::DeleteWhenStopped);

    menuExpanded = false;
    for (QWidget *dialog : { static_cast<QWidget *>(sidebarMenu), static_cast<QWidget *>(iconSettings),
                             static_cast<QWidget *>(addUrl) }) {
        if (dialog)
            dialog->hide();
    }
    closeOnDeactivate = true;
    ui->frameLSet->hide();
    SaveSettings();
}

void FormLaunchStarter::setCaretBlinking(bool on)
{
    if (on) {
        if (m_steadyCaret) {
            QApplication::setCursorFlashTime(m_flashTime);
            m_steadyCaret = false;
        }
        if (isVisible())
            caretTimer->start();
    } else if (!m_steadyCaret && isVisible()) {
        // The setting is the application's: it is given back at the next
        // key, and when the pad goes.
        m_flashTime = QApplication::cursorFlashTime();
        QApplication::setCursorFlashTime(0);
        m_steadyCaret = true;
    }
}

void FormLaunchStarter::ShowOut()
{
    cancelDrag();
    emit LaunchPadClose();
    hide();
}

bool FormLaunchStarter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == this && event->type() == QEvent::WindowDeactivate) {
        // A window of our own that takes the focus (the toast, a menu) must
        // not count as leaving the pad.
        if (closeOnDeactivate && padShown) {
            cancelDrag();
            IcondeleteHide();
            closeTimer->start(200);
        }
    } else if (watched == this && event->type() == QEvent::Hide) {
        cancelDrag();
        caretTimer->stop();
        setCaretBlinking(true);
    } else if (watched == ui->veskEdit && event->type() == QEvent::KeyPress && m_steadyCaret) {
        setCaretBlinking(true);
        return eventFilter(watched, event);
    } else if (watched == ui->veskEdit && event->type() == QEvent::KeyPress && ui->veskEdit->text().isEmpty()) {
        // With nothing typed, the arrows turn pages rather than move the cursor.
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Left || key == Qt::Key_Right) {
            key == Qt::Key_Left ? slt_Left() : slt_Right();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FormLaunchStarter::IconSettingsClose()
{
    closeOnDeactivate = true;
}

void FormLaunchStarter::on_closeButton_clicked()
{
    if (editMode) {
        IcondeleteHide();
        return;
    }
    closeOnDeactivate = true;
    CloseShow();
}

void FormLaunchStarter::on_closeButton2_clicked()
{
    on_closeButton_clicked();
}

void FormLaunchStarter::placeOnScreen(int x, int y, int w, int h)
{
    if (pos() == QPoint(x, y) && size() == QSize(w, h) && iconsLoaded)
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
    if (!iconsLoaded) {
        iconsLoaded = true;
        // The look first, so that the icons are made at their size once.
        ReadSettings();
        if (QFileInfo::exists(filePath())) {
            OpenFile();
        } else {
            IcoData->setRows(presetRows());
            SaveFile();
        }
        frameIconSize();
        createIcon();
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
        frameIconSize();
        IconSort();
    }
    ReadSettings();
}

void FormLaunchStarter::setTimeText(QString text)
{
    ui->time->setText(text);
}

QString FormLaunchStarter::timeText() const
{
    return ui->time->text();
}

// ---- the background -----------------------------------------------------------

void FormLaunchStarter::showBackground()
{
    if (m_look.useBackgroundImage && !ui->labelImg->text().isEmpty()) {
        ++m_wallpaperAsk; // an answer still on its way is no longer wanted
        setBackgroundPicture(m_look.backgroundImage);
        return;
    }
    const int ask = ++m_wallpaperAsk;
    platform::WallpaperService::get().find(this, [this, ask](const QString &path) {
        if (ask == m_wallpaperAsk)
            setBackgroundPicture(path);
    });
}

void FormLaunchStarter::setBackgroundPicture(const QString &path)
{
    const QString key = path.isEmpty() ? QString() : fileKey(path);
    if (key == m_pictureKey && !m_pictureKey.isNull())
        return;
    m_pictureKey = key;
    m_picture = path.isEmpty() ? QImage()
                               : platform::RegularFile::readImage(path, platform::RegularFile::PictureCap,
                                                                  platform::RegularFile::PicturePixels, true);
    renderBackground();
}

void FormLaunchStarter::applyBlur()
{
    blurTimer->start();
}

void FormLaunchStarter::renderBackground()
{
    blurTimer->stop();
    const QSize size = ui->blurEffectLabel->size();
    const QString key = m_pictureKey + QStringLiteral("|%1x%2|%3").arg(size.width()).arg(size.height()).arg(m_look.blurRadius);
    if (key == m_blurKey)
        return;
    m_blurKey = key;
    m_blurred = LaunchBackground::blurred(LaunchBackground::cover(m_picture, size), m_look.blurRadius);
    if (m_blurred.isNull())
        ui->blurEffectLabel->clear();
    else
        ui->blurEffectLabel->setPixmap(QPixmap::fromImage(m_blurred));
}

QImage FormLaunchStarter::background() const
{
    return m_blurred;
}

// ---- grid and pages -------------------------------------------------------------

void FormLaunchStarter::frameIconSize()
{
    const int W = width(), H = height();
    ui->frameVesk->move((W - ui->frameVesk->width()) / 2, 30);
    ui->frameBottom->setGeometry(10, 20, W - 20, 40);
    ui->setButton->move(0, 0);
    ui->time->move(ui->frameBottom->width() - ui->time->width(), 0);
    ui->menuframe->setGeometry(0, 0, 50, 40);
    m_grid = LaunchGrid::layout(W, H, m_look.iconSize);
    ui->frameIcon->setGeometry(m_grid.gridX, m_grid.gridY, m_grid.gridWidth, m_grid.gridHeight);
    ui->closeButton2->resize(ui->frameIcon->size());
    ui->pageMenuFrame->move((W - ui->pageMenuFrame->width()) / 2, ui->frameIcon->y() + ui->frameIcon->height());
}

bool FormLaunchStarter::searching() const
{
    return !ui->veskEdit->text().isEmpty();
}

QVector<int> FormLaunchStarter::shownRows() const
{
    QVector<int> rows;
    rows.reserve(IcoData->size());
    const QString text = ui->veskEdit->text();
    for (int r = 0; r < IcoData->size(); ++r) {
        // A search shows the rows whose name holds the text anywhere, in
        // any case; the hole of a drag takes a cell only in the full grid.
        if (text.isEmpty() || (IcoData->at(r).Class != Placeholder && IcoData->at(r).Name.contains(text, Qt::CaseInsensitive)))
            rows << r;
    }
    return rows;
}

void FormLaunchStarter::placeRows(const QVector<int> &rows)
{
    const LaunchGrid::Cells cells = LaunchGrid::walk(rows.size(), m_grid);
    pageCount = cells.pageCount;
    // Icons removed: the page shown may be gone.
    if (currentPage > pageCount && !dragging) {
        if (m_slide)
            m_slide->stop();
        currentPage = pageCount;
        ui->frameIcon->move(m_grid.frameXForPage(currentPage), m_grid.gridY);
    }
    QSet<FormLaunchCommonIcon *> onScreen;
    for (int k = 0; k < rows.size(); ++k) {
        const DockIconRecord &rec = IcoData->at(rows[k]);
        if (rec.Class == Placeholder)
            continue;
        const bool near = qAbs(LaunchGrid::pageOf(k) - currentPage) <= m_nearPages;
        FormLaunchCommonIcon *w = iconWidgets.value(rec.IconID);
        if (!w && !near)
            continue;
        if (!w)
            w = makeIcon(rec);
        w->move(cells.pos[k]);
        if (near) {
            w->show();
            onScreen.insert(w);
        }
    }
    for (FormLaunchCommonIcon *w : qAsConst(iconWidgets)) {
        // The lifted icon keeps the press of its drag: it is never hidden.
        if (!onScreen.contains(w) && !(dragging && w->id() == dragRecord.IconID))
            w->hide();
    }
    ui->frameIcon->resize(m_grid.frameWidth(pageCount), height() - height() / 5);
    ui->closeButton2->resize(ui->frameIcon->size());
    createPagButton();
}

void FormLaunchStarter::IconSort()
{
    placeRows(shownRows());
}

void FormLaunchStarter::IconSortFlash()
{
    const int n = std::min<int>(IcoData->size(), LaunchGrid::PerPage);
    const LaunchGrid::Cells cells = LaunchGrid::walk(n, m_grid);
    // The flight is for page 1; on another page the icons simply stand.
    if (searching() || currentPage != 1)
        return;
    for (int i = 0; i < n; ++i) {
        if (IcoData->at(i).Class == Placeholder)
            continue;
        if (FormLaunchCommonIcon *w = iconWidgets.value(IcoData->at(i).IconID))
            w->moveAnimation((m_grid.gridWidth - w->width()) / 2, (m_grid.gridHeight - w->height()) / 2,
                             cells.pos[i].x(), cells.pos[i].y());
    }
}

FormPagButton *FormLaunchStarter::pageButton(int page) const
{
    return pageButtons.value(QStringLiteral("P%1").arg(page));
}

void FormLaunchStarter::createPagButton()
{
    for (int n = 1; n <= pageCount; ++n) {
        const QString key = QStringLiteral("P%1").arg(n);
        FormPagButton *b = pageButtons.value(key);
        if (!b) {
            b = new FormPagButton(ui->pageMenuFrame);
            pageButtons.insert(key, b);
            connect(b, &FormPagButton::onPag, this, &FormLaunchStarter::onPag);
        }
        b->move(20 * (n - 1), 0);
        b->setPage(n);
        b->setActive(n == currentPage);
        b->show();
    }
    // Dots of pages that are gone stay hidden.
    for (auto it = pageButtons.cbegin(); it != pageButtons.cend(); ++it) {
        if (it.value()->page() > pageCount)
            it.value()->hide();
    }
    ui->pageMenuFrame->resize(20 * pageCount, 20);
    ui->pageMenuFrame->move((width() - ui->pageMenuFrame->width()) / 2, ui->frameIcon->y() + ui->frameIcon->height());
    ui->pageMenuFrame->setVisible(pageCount > 1);
}

void FormLaunchStarter::clearPagButton()
{
    for (int n = pageCount; n >= 1; --n) {
        if (FormPagButton *b = pageButton(n))
            b->hide();
    }
}

void FormLaunchStarter::slideTo(int x)
{
    // A new turn takes over from a slide still running, from where it is.
    if (m_slide)
        m_slide->stop();
    auto *a = new QPropertyAnimation(ui->frameIcon, "pos", this);
    a->setDuration(300);
    a->setEasingCurve(QEasingCurve::OutCubic);
    a->setStartValue(QPoint(ui->frameIcon->x(), m_grid.gridY));
    a->setEndValue(QPoint(x, m_grid.gridY));
    m_slide = a;
    a->start(QAbstractAnimation::DeleteWhenStopped);
}

void FormLaunchStarter::onPag(int x)
{
    const int from = currentPage;
    slideTo(m_grid.frameXForPage(x));
    currentPage = x;
    m_nearPages = 1;
    // The page next door is on screen already; the icons of the one beyond
    // are put up once the slide has ended, not in its first frame.
    if (qAbs(x - from) > 1)
        IconSort();
    else
        connect(m_slide, &QPropertyAnimation::finished, this, &FormLaunchStarter::IconSort);
    for (int n = pageCount; n >= 1; --n) {
        if (FormPagButton *b = pageButton(n))
            b->setActive(false);
    }
    if (FormPagButton *b = pageButton(x))
        b->setActive(true);
}

void FormLaunchStarter::slt_Left()
{
    currentPage = std::max(currentPage - 1, 1);
    onPag(currentPage);
}

void FormLaunchStarter::slt_Right()
{
    currentPage = std::min(currentPage + 1, pageCount);
    onPag(currentPage);
}

void FormLaunchStarter::turnPage(int dir)
{
    if (!padShown)
        return;
    if (dir == 0)
        slt_Left();
    else if (dir == 1)
        slt_Right();
}

void FormLaunchStarter::wheelEvent(QWheelEvent *event)
{
    const int dy = event->angleDelta().y();
    if (dy < 0)
        slt_Right();
    else if (dy > 0)
        slt_Left();
}

// ---- dragging --------------------------------------------------------------------

void FormLaunchStarter::IconPressMove(QString ID, QPoint)
{
    const QPoint P = QCursor::pos();
    // The lifted icon keeps the mouse for the whole drag, so a move from
    // another icon means its release never came (the grab was taken away):
    // that drag is put back before this one starts.
    if (dragging && ID != dragRecord.IconID)
        cancelDrag();
    if (!dragging) {
        // The grid of a search is not the order of the rows.
        if (searching())
            return;
        const int c = rowOf(ID);
        if (c < 0)
            return;
        dragging = true;
        pageFlipLatch = false;
        dragRecord = IcoData->at(c);
        if (FormLaunchCommonIcon *w = iconWidgets.value(dragRecord.IconID))
            w->setLifted(true);
        IcoData->removeAt(c);
        dragFrom = c;
        dragRow = c;
    } else {
        const int X = x(), W = width();
        if (P.x() > X && P.x() <= X + 19 && !pageFlipLatch) {
            pageFlipLatch = true;
            slt_Left();
        } else if (P.x() >= X + W - 19 && P.x() <= X + W - 1 && !pageFlipLatch) {
            pageFlipLatch = true;
            slt_Right();
        } else if (P.x() > X + 20 && P.x() < X + W - 20) {
            pageFlipLatch = false;
        }
    }
    dragCopy->resize(m_grid.iconSize, m_grid.iconSize);
    dragCopy->setData(dragRecord.IconID, dragRecord.Icon, IconClass::Temporary, QString());
    const QPoint local = mapFromGlobal(P);
    dragCopy->move(local.x() - dragCopy->width() / 2, local.y() - dragCopy->height() / 2);
    dragCopy->show();
    dragCopy->raise();

    // Snapshot of the icons to test: the grid moves under the walk.
    QList<QString> ids;
    for (const DockIconRecord &rec : IcoData->rows()) {
        if (rec.Class != Placeholder && iconWidgets.contains(rec.IconID))
            ids << rec.IconID;
    }
    for (const QString &id : qAsConst(ids)) {
        FormLaunchCommonIcon *w = iconWidgets.value(id);
        if (!w || !w->isVisible())
            continue;
        const QRect r(w->mapToGlobal(QPoint(0, 0)), w->size());
        const int L = r.x(), ww = r.width();
        if (!(P.x() > L && P.x() < L + ww && P.y() > r.y() && P.y() < r.y() + r.height()))
            continue;
        if (P.x() < L + ww / 3)
            IconMousePosition(id, 0);
        else if (P.x() > L + ww / 3 && P.x() < L + ww - ww / 3)
            IconMousePosition(id, 1);
        else if (P.x() > L + ww - ww / 3)
            IconMousePosition(id, 2);
        break;
    }
}

void FormLaunchStarter::IconMousePosition(QString ID, int p)
{
    if (!dragging || p == 1)
        return;
    // Where the hovered icon stands once the hole is out of the way: the
    // left part puts the hole right before it, the right part right after it.
    int b = 0;
    bool found = false;
    for (const DockIconRecord &rec : IcoData->rows()) {
        if (rec.IconID == ID && rec.Class != Placeholder) {
            found = true;
            break;
        }
        if (rec.Class != Placeholder)
            ++b;
    }
    if (!found)
        return;
    PlacementSort(p == 0 ? b : b + 1);
}

void FormLaunchStarter::PlacementSort(int r)
{
    const int hole = placeholderRow();
    if (hole >= 0 && hole == r)
        return;
    removePlaceholders();
    r = qBound(0, r, int(IcoData->size()));
    DockIconRecord h;
    h.Class = Placeholder;
    IcoData->insert(r, h);
    dragRow = r;
    IconSort();
}

void FormLaunchStarter::IconPressRelease(QString, QPoint)
{
    if (!dragging)
        return;
    dragCopy->hide();
    dragging = false;
    if (rowOf(dragRecord.IconID) >= 0 || dragRecord.IconID.isEmpty()) {
        removePlaceholders();
        IconSort();
        return;
    }
    const int hole = placeholderRow();
    removePlaceholders();
    const int at = qBound(0, hole >= 0 ? hole : dragRow, int(IcoData->size()));
    IcoData->insert(at, dragRecord);
    if (FormLaunchCommonIcon *w = iconWidgets.value(dragRecord.IconID))
        w->setLifted(false);
    IconSort();
    SaveFile();
}

void FormLaunchStarter::cancelDrag()
{
    if (!dragging)
        return;
    dragging = false;
    dragCopy->hide();
    removePlaceholders();
    if (rowOf(dragRecord.IconID) < 0)
        IcoData->insert(qBound(0, dragFrom, int(IcoData->size())), dragRecord);
    if (FormLaunchCommonIcon *w = iconWidgets.value(dragRecord.IconID))
        w->setLifted(false);
    IconSort();
}

// ---- edit mode ----------------------------------------------------------------------

void FormLaunchStarter::IcondeleteShow()
{
    for (const DockIconRecord &rec : IcoData->rows()) {
        if (rec.Class == Placeholder)
            continue;
        if (FormLaunchCommonIcon *w = iconWidgets.value(rec.IconID))
            w->deleteShow();
    }
    editMode = true;
}

void FormLaunchStarter::IcondeleteHide()
{
    if (!editMode)
        return;
    for (const DockIconRecord &rec : IcoData->rows()) {
        if (rec.Class == Placeholder)
            continue;
        if (FormLaunchCommonIcon *w = iconWidgets.value(rec.IconID))
            w->deleteHide();
    }
    editMode = false;
}

void FormLaunchStarter::setIconDoubleClick(bool b)
{
    doubleClickOpen = b;
    for (FormLaunchCommonIcon *w : qAsConst(iconWidgets))
        w->setDoubleClick(b);
}

// ---- opening -----------------------------------------------------------------------

void FormLaunchStarter::IconOpen(QString ID)
{
    IcondeleteHide();
    CloseShow();
    const int r = rowOf(ID);
    if (r < 0)
        return;
    const QString cl = IcoData->at(r).Class;
    const QString path = IcoData->at(r).Path;
    if (cl == IconClass::MENU)
        return;
    if (cl == IconClass::COLORPICKER || cl == IconClass::SCREENSHOTS) {
        // The pad must be gone from the screen before the tool looks at it.
        if (m_fade) {
            m_fade->disconnect(this);
            m_fade->stop();
        }
        ShowOut();
        emit IconOpens(cl);
        return;
    }
    for (const QString &c : { IconClass::UPGRADE, IconClass::DISK, IconClass::WEATHER, IconClass::SHUTDOWN,
                              IconClass::TIMESHUTDOWN, IconClass::SETTING, IconClass::EYETOOL, IconClass::SEARCH,
                              IconClass::CALCULATOR }) {
        if (cl == c) {
            emit IconOpens(cl);
            return;
        }
    }
    if (cl == IconClass::URL) {
        qDebug() << "打开" << path;
        platform::OpenerService::get().openUrl(QUrl(path, QUrl::TolerantMode));
        return;
    }
    DllIconOpen(path);
}

void FormLaunchStarter::DllIconOpen(QString filePath)
{
    qDebug() << "打开" << filePath;
    platform::OpenerService::get().openPath(filePath);
}

// ---- adding, editing, removing ----------------------------------------------------------

void FormLaunchStarter::showToast(const QString &text)
{
    hint->ShowMessage(text);
    hint->setArea(width(), height());
    hint->show();
}

QString FormLaunchStarter::freeIconId() const
{
    return IconIds::freeId([this](const QString &id) { return rowOf(id) >= 0; });
}

bool FormLaunchStarter::AddIcon(QString ico, QString name, QString cl, QString path)
{
    if (path.isEmpty()) {
        showToast(tr("不能添加！"));
        return false;
    }
    // A picture that is gone still leaves an icon one can open and edit.
    if (!QFileInfo::exists(ico))
        ico = cl == IconClass::URL ? QStringLiteral(":/image/icon/url.png") : QStringLiteral(":/image/icon/Icon-what.png");
    cancelDrag();
    const DockIconRecord rec { freeIconId(), ico, name, cl, path, ico };
    IcoData->append(rec);
    if (!SaveFile()) {
        // Not kept on disk, not kept at all: whoever gave it keeps it.
        IcoData->removeAt(IcoData->size() - 1);
        showToast(tr("不能添加！"));
        return false;
    }
    createSingleIcon(IcoData->size() - 1);
    showToast(tr("添加成功！"));
    return true;
}

bool FormLaunchStarter::AddIcon2(QString ico, QString name, QString cl, QString path, QString)
{
    if (refused(cl)) {
        showToast(tr("此应用不能添加！"));
        return false;
    }
    return AddIcon(ico, name, cl, path);
}

bool FormLaunchStarter::addIconFromDock(QString ico, QString name, QString cl, QString path, QString ID)
{
    // The first drop may come before the pad was ever placed.
    if (!iconsLoaded)
        relayout();
    return AddIcon2(ico, name, cl, path, ID);
}

void FormLaunchStarter::on_addButton_clicked()
{
    AddIco();
    MenuOut();
}

void FormLaunchStarter::AddIco()
{
    closeOnDeactivate = false;
    // Programs here often have no suffix at all, hence the second filter.
    const QStringList files = platform::DialogsService::get().openFileNames(
        nullptr, tr("选择文件"), QStandardPaths::writableLocation(QStandardPaths::DesktopLocation),
        tr("files(*.exe *.lnk *.desktop *.sh)") + QStringLiteral(";;") + tr("files(*)"));
    if (files.isEmpty())
        return;
    for (const QString &file : files) {
        qDebug() << "后缀：" << QFileInfo(file).suffix();
        getIconNew(file, QStringLiteral("0"));
    }
    closeOnDeactivate = true;
}

void FormLaunchStarter::getIconNew(QString filePath, QString)
{
    const ProgramIcon::Row row
        = ProgramIcon::fromFile(filePath, platform::FileIconsService::get().largeIcon(filePath, 256));
    if (!row.refusal.isEmpty()) {
        showToast(row.refusal);
        return;
    }
    AddIcon(row.icon, row.name, IconClass::ICON, row.path);
}

void FormLaunchStarter::on_addFolderButton_clicked()
{
    AddFolder();
    MenuOut();
}

void FormLaunchStarter::AddFolder()
{
    closeOnDeactivate = false;
    const QString dir = platform::DialogsService::get().existingFolder(this, tr("选择文件夹"), QDir::currentPath());
    if (dir.isEmpty())
        return;
    AddIcon(QStringLiteral(":/image/icon/Folder.png"), QFileInfo(dir).fileName(), IconClass::FOLDER, dir);
    closeOnDeactivate = true;
}

void FormLaunchStarter::AddUrlIco()
{
    addUrlDialog()->openAddPage(QStringLiteral("0"));
    addUrl->show();
    addUrl->raise();
    addUrl->move((width() - addUrl->width()) / 2, (height() - addUrl->height()) / 2);
}

void FormLaunchStarter::on_addUrlButton_clicked()
{
    AddUrlIco();
    collapseMenu();
}

void FormLaunchStarter::on_addSysButton_clicked()
{
    sidePanel()->show();
    sidebarMenu->raise();
    auto *a = new QPropertyAnimation(sidebarMenu, "pos", this);
    a->setDuration(300);
    a->setEasingCurve(QEasingCurve::OutCubic);
    a->setStartValue(QPoint(-sidebarMenu->width(), 30));
    a->setEndValue(QPoint(10, 30));
    a->start(QAbstractAnimation::DeleteWhenStopped);
    collapseMenu();
    ui->frameLSet->hide();
}

void FormLaunchStarter::IconMenu(QString ID, int x)
{
    if (x != 1)
        return;
    const int r = rowOf(ID);
    if (r < 0)
        return;
    const DockIconRecord &rec = IcoData->at(r);
    closeOnDeactivate = false;
    propertyDialog()->setIconData(ID, rec.Icon, rec.Name, rec.Note, rec.Path, rec.Class, 0);
    iconSettings->show();
    iconSettings->raise();
    iconSettings->move((width() - iconSettings->width()) / 2, (height() - iconSettings->height()) / 2);
}

void FormLaunchStarter::Modify(QString icoID, QString ico, QString name, QString)
{
    const int r = rowOf(icoID);
    if (r < 0)
        return;
    IcoData->setCell(r, 1, ico);
    IcoData->setCell(r, 2, name);
    if (FormLaunchCommonIcon *w = iconWidgets.value(icoID))
        w->setData(icoID, ico, IcoData->at(r).Class, name);
    SaveFile();
    showToast(tr("图标修改成功！"));
}

bool FormLaunchStarter::IconDelete(QString ID)
{
    const int r = rowOf(ID);
    if (r < 0)
        return false;
    IcoData->removeAt(r);
    if (FormLaunchCommonIcon *w = iconWidgets.take(ID)) {
        w->hide();
        w->deleteLater();
    }
    IconSort();
    SaveFile();
    showToast(tr("删除成功！"));
    return true;
}

void FormLaunchStarter::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::RightButton)
        return;
    QMenu menu;
    DockStyle::popupMenu(&menu);
    menu.addAction(tr("添加应用图标"), this, &FormLaunchStarter::on_addButton_clicked);
    menu.addAction(tr("添加网址图标"), this, &FormLaunchStarter::AddUrlIco);
    menu.addAction(tr("添加系统图标"), this, &FormLaunchStarter::on_addSysButton_clicked);
    menu.addAction(tr("添加文件夹"), this, &FormLaunchStarter::on_addFolderButton_clicked);
    menu.addSeparator();
    menu.addAction(tr("编辑图标     "), this, &FormLaunchStarter::IcondeleteShow);
    menu.addAction(tr("LaunchPad设置    "), this, &FormLaunchStarter::on_setSysButton_clicked);
    menu.exec(QCursor::pos());
}

// ---- search -----------------------------------------------------------------------------

void FormLaunchStarter::on_veskEdit_returnPressed()
{
    const QString text = ui->veskEdit->text();
    if (text.isEmpty()) {
        IconSort();
        ui->ClearButton->hide();
        return;
    }
    qDebug() << "搜索：" << text;
    // The results begin on page 1, whatever page the search started from.
    if (currentPage != 1) {
        if (m_slide)
            m_slide->stop();
        currentPage = 1;
        ui->frameIcon->move(m_grid.frameXForPage(1), m_grid.gridY);
    }
    IconSort();
}

void FormLaunchStarter::on_veskEdit_textChanged(QString arg1)
{
    if (!arg1.isEmpty())
        ui->ClearButton->show();
    on_veskEdit_returnPressed();
}

void FormLaunchStarter::on_ClearButton_clicked()
{
    ui->veskEdit->setText(QString());
    on_veskEdit_returnPressed();
}

// ---- tool bar and look settings ------------------------------------------------------------

void FormLaunchStarter::collapseMenu()
{
    menuExpanded = false;
    ui->menuframe->setGeometry(0, 0, 50, 40);
}

void FormLaunchStarter::on_setButton_clicked()
{
    if (menuExpanded) {
        MenuOut();
        return;
    }
    menuExpanded = true;
    auto *a = new QPropertyAnimation(ui->menuframe, "geometry", this);
    a->setDuration(100);
    a->setEasingCurve(QEasingCurve::OutQuad);
    a->setStartValue(QRect(0, 0, 50, 40));
    a->setEndValue(QRect(0, 0, 301, 40));
    a->start(QAbstractAnimation::DeleteWhenStopped);
}

void FormLaunchStarter::MenuOut()
{
    menuExpanded = false;
    auto *a = new QPropertyAnimation(ui->menuframe, "geometry", this);
    a->setDuration(120);
    a->setEasingCurve(QEasingCurve::OutQuad);
    a->setStartValue(QRect(0, 0, 301, 40));
    a->setEndValue(QRect(0, 0, 50, 40));
    a->start(QAbstractAnimation::DeleteWhenStopped);
}

void FormLaunchStarter::on_setSysButton_clicked()
{
    if (ui->frameLSet->isVisible())
        return;
    ui->frameLSet->show();
    ui->frameLSet->raise();
    auto *a = new QPropertyAnimation(ui->frameLSet, "pos", this);
    a->setDuration(200);
    a->setEasingCurve(QEasingCurve::OutQuad);
    a->setStartValue(QPoint(-ui->frameLSet->width(), 30));
    a->setEndValue(QPoint(10, 30));
    a->start(QAbstractAnimation::DeleteWhenStopped);
    collapseMenu();
    if (sidebarMenu)
        sidebarMenu->hide();
}

void FormLaunchStarter::on_SetClose_clicked()
{
    ui->frameLSet->hide();
    SaveSettings();
}

void FormLaunchStarter::on_editSysButton_clicked()
{
    collapseMenu();
    if (editMode)
        IcondeleteHide();
    else
        IcondeleteShow();
}

void FormLaunchStarter::on_horizontalSliderSize_valueChanged(int value)
{
    ui->labelSize->setText(QStringLiteral("%1px").arg(value));
    m_look.iconSize = value;
    LaunchGrid::setIconSize(&m_grid, value);
    for (const DockIconRecord &rec : IcoData->rows()) {
        if (rec.Class == Placeholder)
            continue;
        if (FormLaunchCommonIcon *w = iconWidgets.value(rec.IconID))
            w->resize(value, value);
    }
    IconSort();
}

void FormLaunchStarter::on_horizontalSliderBlurry_valueChanged(int value)
{
    ui->labelBlurry->setText(QStringLiteral("%1%").arg(value));
    m_look.blurRadius = value;
    applyBlur();
}

void FormLaunchStarter::on_horizontalSliderBrightness_valueChanged(int value)
{
    m_look.brightness = value;
    ui->labelBrightness->setText(LaunchStyle::brightnessText(value));
    ui->closeButton->setStyleSheet(LaunchStyle::brightnessSheet(value));
}

void FormLaunchStarter::setNameColor(QString rgb)
{
    m_look.nameColor = rgb;
    for (const DockIconRecord &rec : IcoData->rows()) {
        if (rec.Class == Placeholder)
            continue;
        if (FormLaunchCommonIcon *w = iconWidgets.value(rec.IconID))
            w->setNameColor(rgb);
    }
}

void FormLaunchStarter::MenuStyle()
{
    for (QPushButton *b : { ui->white, ui->black, ui->red, ui->yellow, ui->blue, ui->green, ui->purple, ui->powder })
        b->setStyleSheet(LaunchStyle::colourButtonSheet(b->objectName(), false));
}

void FormLaunchStarter::markColour(const QString &name, const QString &rgb)
{
    MenuStyle();
    if (auto *b = ui->frameLSet->findChild<QPushButton *>(name))
        b->setStyleSheet(LaunchStyle::colourButtonSheet(name, true));
    setNameColor(rgb);
}

void FormLaunchStarter::on_white_clicked() { markColour(QStringLiteral("white"), QStringLiteral("#FFFFFF")); }
void FormLaunchStarter::on_black_clicked() { markColour(QStringLiteral("black"), QStringLiteral("#000000")); }
void FormLaunchStarter::on_red_clicked() { markColour(QStringLiteral("red"), QStringLiteral("#FF0000")); }
void FormLaunchStarter::on_yellow_clicked() { markColour(QStringLiteral("yellow"), QStringLiteral("#FFFF00")); }
void FormLaunchStarter::on_blue_clicked() { markColour(QStringLiteral("blue"), QStringLiteral("#0080FF")); }
void FormLaunchStarter::on_green_clicked() { markColour(QStringLiteral("green"), QStringLiteral("#00FF00")); }
void FormLaunchStarter::on_purple_clicked() { markColour(QStringLiteral("purple"), QStringLiteral("#7F00FF")); }
void FormLaunchStarter::on_powder_clicked() { markColour(QStringLiteral("powder"), QStringLiteral("#FF00FF")); }

void FormLaunchStarter::on_imgButton_clicked(bool checked)
{
    m_look.useBackgroundImage = checked;
    ui->imgButtonS->setEnabled(checked);
    showBackground();
}

void FormLaunchStarter::on_imgButtonS_clicked()
{
    closeOnDeactivate = false;
    const QStringList files = platform::DialogsService::get().openFileNames(
        nullptr, tr("选择文件"), QStandardPaths::writableLocation(QStandardPaths::DesktopLocation),
        tr("files(*.jpg *.JPG *.png *.PNG)"));
    if (files.isEmpty())
        return;
    m_look.backgroundImage = files.first();
    ui->labelImg->setText(QFileInfo(m_look.backgroundImage).fileName());
    setBackgroundPicture(m_look.backgroundImage);
    closeOnDeactivate = true;
}

void FormLaunchStarter::ReadSettings()
{
    m_look = LaunchLook::load(m_look);
    const LaunchLook l = m_look;
    ui->horizontalSliderSize->setValue(l.iconSize);
    ui->horizontalSliderBlurry->setValue(l.blurRadius);
    ui->horizontalSliderBrightness->setValue(l.brightness);
    ui->imgButton->setChecked(l.useBackgroundImage);
    if (l.backgroundStored)
        ui->labelImg->setText(QFileInfo(l.backgroundImage).fileName());
    ui->imgButtonS->setEnabled(l.backgroundStored && l.useBackgroundImage);
    // The sliders may have held these values already: the slots run anyway.
    if (m_grid.iconSize != l.iconSize)
        on_horizontalSliderSize_valueChanged(l.iconSize);
    on_horizontalSliderBlurry_valueChanged(l.blurRadius);
    on_horizontalSliderBrightness_valueChanged(l.brightness);
    setNameColor(l.nameColor);
}

void FormLaunchStarter::SaveSettings()
{
    m_look.save();
}
