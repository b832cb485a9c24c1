#include "dock/widgets/formdesktoptime.h"

#include "common/fonts.h"
#include "common/logging.h"
#include "common/windowdrag.h"
#include "dock/settings/docksettings.h"
#include "dock/style/dockstyle.h"
#include "platform/clock.h"
#include "platform/screens.h"
#include "platform/windowsystem.h"
#include "ui_formdesktoptime.h"

#include <QApplication>
#include <QCursor>
#include <QListView>
#include <QLocale>
#include <QMouseEvent>
#include <QTimer>

namespace {

const Qt::WindowFlags ClockFlags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint;
const int BarClosedWidth = 30;
// The ranges of the size and opacity sliders.
const int MinSize = 200;
const int MaxSize = 800;
const int MinAlpha = 5;
const int MaxAlpha = 100;
const QString Light = QStringLiteral("Microsoft YaHei UI Light");

// The moment the texts are measured on when they are fitted: the text size
// follows the clock's size, style and language alone, not the time of day it
// was fitted at. Two-digit hours, a long month and a wide day name.
const QDateTime FitMoment(QDate(2000, 12, 27), QTime(22, 58, 58));
// How often a pointer gone to the style list or dragging a slider is looked
// for again before the settings bar closes.
const int LeaveCheckMs = 250;

// How each text label is fitted: its font family, its pixel size for the
// driving size P, and the width it takes for a text w wide (room for the
// texts of the coming seconds).
struct FitRule
{
    const char *label;
    bool light;
    int (*pixels)(int P);
    int (*width)(int w);
};

const FitRule FitRules[] = {
    { "t101", true, [](int P) { return P; }, [](int w) { return w + w / 5; } },
    { "t201", true, [](int P) { return P / 3; }, [](int w) { return 2 * w; } },
    { "t301", true, [](int P) { return P / 3; }, [](int w) { return w + w / 3; } },
    { "t102", false, [](int P) { return P / 4; }, [](int w) { return w + w / 8; } },
    { "t202", true, [](int P) { return int(1.5 * P); }, [](int w) { return w + w / 8; } },
    { "t302", true, [](int P) { return int(1.5 * P); }, [](int w) { return w + w / 8; } },
    { "t103", true, [](int P) { return int(P / 1.3); }, [](int w) { return w + w / 2; } },
    { "t203", true, [](int P) { return int(P / 4.3); }, [](int w) { return w + w / 6; } },
    { "t104", true, [](int P) { return P; }, [](int w) { return w + w / 3; } },
    { "t204", true, [](int P) { return P / 5; }, [](int w) { return w + w / 6; } },
    { "t105", true, [](int P) { return int(P / 1.6); }, [](int w) { return w + w / 8; } },
    { "t205", true, [](int P) { return P / 4; }, [](int w) { return w + w / 8; } },
};
const int MaxPixelSize = 599;

// The text format of each label, in the clock's locale.
const struct
{
    const char *label;
    const char *format;
} Formats[] = {
    { "t101", "h:mm AP" }, { "t201", "ddd" },      { "t301", "MMMM d" },
    { "t102", "ddd,MMMM d AP" }, { "t202", "hh" }, { "t302", "mm" },
    { "t103", "h:mm" },    { "t203", "ddd. d MMMM. yyyy" },
    { "t104", "hmm" },     { "t204", "ddd | MMMM d" },
    { "t105", "hh:mm" },   { "t205", " ss AP" },
};

QString settingsSheet(const char *normal, const char *active, bool open)
{
    const QString n = QStringLiteral(":/image/widget/set/%1").arg(QLatin1String(open ? active : normal));
    const QString a = QStringLiteral(":/image/widget/set/%1").arg(QLatin1String(active));
    return pictureButtonSheet(n, a);
}

QString sliderSheet()
{
    return QStringLiteral(
        "QSlider::groove:horizontal{height: 20px;background: transparent;}"
        "QSlider::sub-page:horizontal, QSlider::add-page:horizontal{background: rgba(200, 200, 200, 50%);"
        "border-radius: 2px;}"
        "QSlider::handle:horizontal{width: 14px;height: 20px;background: #868686;}"
        "QSlider::handle:horizontal:hover{background: #5294E2;}");
}

// The clock's look in config.ini. Without a stored position the clock has
// never been placed: a first run.
struct ClockLook
{
    bool placed = false;
    QPoint pos;
    int style = 0;
    QString language;
    int alpha = 0;
    int size = 0;
};

ClockLook loadLook()
{
    // A clock left at the desktop's corner is placed all the same. A number
    // the file lacks or holds out of range takes its first-run value or the
    // nearest the controls allow: a style that names no layout, a zero
    // opacity or a size the slider never reaches would leave a clock that
    // shows nothing, or covers the desktop, while it takes the mouse.
    const DockSettings &set = *DockSettings::instance();
    ClockLook look;
    look.placed = set.hasText(DockSettings::Key::desktopTimePos);
    look.pos = set.desktopTimePos();
    look.style = set.desktopTimeStyle();
    if (look.style < 0 || look.style > 9)
        look.style = 0;
    look.language = set.desktopTimeLanguage();
    look.alpha = qBound(MinAlpha, set.desktopTimeAlpha(), MaxAlpha);
    look.size = qBound(MinSize, set.desktopTimeSize(), MaxSize);
    return look;
}

void saveLook(const ClockLook &look)
{
    DockSettings &set = *DockSettings::instance();
    set.setDesktopTimeSize(look.size);
    set.setDesktopTimeStyle(look.style);
    set.setDesktopTimeLanguage(look.language);
    set.setDesktopTimeAlpha(look.alpha);
    set.setDesktopTimePos(look.pos);
    set.save();
}

} // namespace

FormDesktopTime::FormDesktopTime(QWidget *parent) : QWidget(parent), ui(new Ui::FormDesktopTime)
{
    ui->setupUi(this);
    connect(ui->settingButton, &QPushButton::clicked, this, &FormDesktopTime::on_settingButton_clicked);
    connect(ui->TimeSizeButton, &QPushButton::clicked, this, &FormDesktopTime::on_TimeSizeButton_clicked);
    connect(ui->TimeAlphaButton, &QPushButton::clicked, this, &FormDesktopTime::on_TimeAlphaButton_clicked);
    connect(ui->TimeENButton, &QPushButton::clicked, this, &FormDesktopTime::on_TimeENButton_clicked);
    connect(ui->TimeStyleClick, QOverload<int>::of(&QComboBox::currentIndexChanged),
            this, &FormDesktopTime::on_TimeStyleClick_currentIndexChanged);
    connect(ui->SizeQSlider, &QSlider::valueChanged, this, &FormDesktopTime::on_SizeQSlider_valueChanged);
    connect(ui->AlphaQSlider, &QSlider::valueChanged, this, &FormDesktopTime::on_AlphaQSlider_valueChanged);
    setWindowFlags(ClockFlags);
    setAttribute(Qt::WA_TranslucentBackground);
    // Declared before its first show: the window manager then learns its
    // states at every mapping, whatever the order of locking and showing.
    platform::setWindowRole(this, platform::WindowRole::Overlay);
    // Switched on from the panel, the clock must not take the focus from it:
    // the panel would drop behind the window that gets it next.
    setAttribute(Qt::WA_ShowWithoutActivating);
    locked = saveEnabled = shown = false;
    m_drag = new WindowDrag(this);
    m_language = QStringLiteral("EN");

    for (QWidget *w : { ui->Time1, ui->Time2, ui->Time3, ui->Time4, ui->Time5 })
        w->hide();

    tickTimer = new QTimer(this);
    connect(tickTimer, &QTimer::timeout, this, &FormDesktopTime::timeOver);
    saveTimer = new QTimer(this);
    saveTimer->setSingleShot(true);
    connect(saveTimer, &QTimer::timeout, this, &FormDesktopTime::SaveSettings);
    leaveTimer = new QTimer(this);
    leaveTimer->setSingleShot(true);
    connect(leaveTimer, &QTimer::timeout, this, &FormDesktopTime::pointerLeft);

    ui->frameSet->hide();
    foldBar();
    ui->frameSize->move(ui->frameSet->x(), ui->frameSet->y() - 30);
    ui->frameAlpha->move(ui->frameSet->x(), ui->frameSet->y() - 30);
    ui->framebg->move(0, ui->frameSet->y());

    QFont small(QStringLiteral("Microsoft YaHei"), 10, 10, false);
    small.setPixelSize(14);
    ui->label->setFont(small);
    ui->label_2->setFont(small);
    // Made before the dock sets the font of its texts, which a box with a
    // style sheet of its own does not follow: the bar's texts get it here.
    for (QWidget *w : { static_cast<QWidget *>(ui->TimeENButton), static_cast<QWidget *>(ui->TimeStyleClick) })
        w->setFont(Fonts::yaHei(12));

    ui->TimeENButton->setStyleSheet(QStringLiteral(
        "QPushButton{background-color: rgb(255, 255, 255);border-radius: 2px;border: 0px;color: black;}"
        "QPushButton:hover, QPushButton:pressed{color: #4BABFA;}"));
    ui->TimeStyleClick->setView(new QListView(ui->TimeStyleClick));
    ui->TimeStyleClick->setStyleSheet(QStringLiteral(
        "QComboBox{background-color: #C8C8C8;border: 0px;border-radius: 2px;padding-left: 2px;}"
        "QComboBox::drop-down{image: url(:/image/menu/arrow-drop.png);width: 14px;}"
        "QComboBox QAbstractItemView{background-color: #C8C8C8;outline: 0px;}"
        "QComboBox QAbstractItemView::item{min-height: 25px;}"
        "QComboBox QAbstractItemView::item:hover, QComboBox QAbstractItemView::item:selected"
        "{background-color: #BBBBBB;color: black;}"));
    ui->SizeQSlider->setStyleSheet(sliderSheet());
    ui->AlphaQSlider->setStyleSheet(sliderSheet());
}

FormDesktopTime::~FormDesktopTime()
{
    delete ui;
}

// ---- switched on and off by the panel ------------------------------------------

void FormDesktopTime::setShow(bool b)
{
    shown = b;
    if (b) {
        setWindowFlags(ClockFlags | (locked ? Qt::WindowTransparentForInput : Qt::WindowFlags()));
        show();
        applyWindowRole();
        ReadSettings();
        timeOver();
        tickTimer->start(1000);
        saveEnabled = true;
    } else {
        hide();
        tickTimer->stop();
        saveEnabled = false;
    }
}

void FormDesktopTime::applyWindowRole()
{
    // A locked clock takes no mouse at all: clicks reach the desktop below.
    const Qt::WindowFlags wanted = ClockFlags | (locked ? Qt::WindowTransparentForInput : Qt::WindowFlags());
    if (windowFlags() != wanted) {
        const bool visible = isVisible();
        setWindowFlags(wanted);
        if (visible)
            show();
    }
    if (!isVisible())
        return;
    platform::WindowSystemService::get().setLevel(this, platform::WindowSystem::Below);
    applyInputShape();
    // A window manager that frames the clock copies its input shape only
    // once it manages the window, which happens after show() returns.
    QTimer::singleShot(300, this, &FormDesktopTime::applyInputShape);
}

void FormDesktopTime::applyInputShape()
{
    if (!isVisible())
        return;
    if (locked)
        platform::WindowSystemService::get().setNoInput(this);
    else
        updateInputRegion();
}

void FormDesktopTime::updateInputRegion()
{
    if (!isVisible() || locked)
        return;
    // Only what shows takes the mouse; the clear rest of the window lets
    // clicks through to the desktop.
    QRegion region;
    if (ui->framebg->isVisible())
        region += ui->framebg->geometry();
    for (QFrame *frame : { ui->Time1, ui->Time2, ui->Time3, ui->Time4, ui->Time5 }) {
        if (!frame->isVisible())
            continue;
        for (QLabel *label : frame->findChildren<QLabel *>())
            region += label->geometry().translated(frame->pos());
    }
    for (QFrame *bar : { ui->frameSet, ui->frameSize, ui->frameAlpha }) {
        if (bar->isVisible())
            region += bar->geometry();
    }
    region &= rect();
    if (!region.isEmpty())
        platform::WindowSystemService::get().setInputRegion(this, region);
}

void FormDesktopTime::DesktopTimeSize(int v)
{
    resize(v, v + 50);
    for (QFrame *f : { ui->Time1, ui->Time3, ui->Time4, ui->Time5 })
        f->move(0, 55);
    ui->Time2->move(0, 60);
    for (QFrame *f : { ui->Time1, ui->Time2, ui->Time3, ui->Time4, ui->Time5 })
        f->resize(size());
    ui->framebg->resize(width(), height() / 2);
    textRize();
}

QString FormDesktopTime::textSheet(int style, int alpha)
{
    const QString rgb = style % 2 == 0 ? QStringLiteral("255, 255, 255") : QStringLiteral("0, 0, 0");
    return QStringLiteral("QLabel{background-color: rgba(0, 0, 0, 0);color: rgba(%1, %2%);}").arg(rgb).arg(qBound(0, alpha, 100));
}

void FormDesktopTime::DesktopTimeStyle(int v)
{
    styleIndex = v;
    QFrame *frames[] = { ui->Time1, ui->Time2, ui->Time3, ui->Time4, ui->Time5 };
    for (QFrame *f : frames)
        f->hide();
    if (v >= 0 && v <= 9) {
        QFrame *frame = frames[v / 2];
        frame->show();
        const QString sheet = textSheet(v, alphaPercent);
        for (QLabel *label : frame->findChildren<QLabel *>()) {
            if (label != ui->x1)
                label->setStyleSheet(sheet);
        }
        if (v == 2)
            ui->x1->setStyleSheet(QStringLiteral(
                "QLabel{background-color: rgba(0, 0, 0, 0);border-image: url(:/image/widget/Whiteline.png);}"));
        else if (v == 3)
            ui->x1->setStyleSheet(QStringLiteral(
                "QLabel{background-color: rgba(0, 0, 0, 0);border-image: url(:/image/widget/blackline.png);}"));
    }
    updateInputRegion();
}

void FormDesktopTime::DesktopTimelocking(bool b)
{
    locked = b;
    m_drag->setEnabled(!b);
    ui->framebg->setVisible(!b);
    if (b) {
        ui->frameSet->hide();
        ui->frameSize->hide();
        ui->frameAlpha->hide();
        ui->TimeSizeButton->setStyleSheet(settingsSheet("gateway0.png", "gateway1.png", false));
        ui->TimeAlphaButton->setStyleSheet(settingsSheet("eye0.png", "eye1.png", false));
    }
    applyWindowRole();
}

void FormDesktopTime::DesktopTimeLanguage(QString L)
{
    const QString before = m_language;
    m_language = L == QLatin1String("EN") ? QStringLiteral("EN") : QStringLiteral("中");
    ui->TimeENButton->setText(m_language);
    // The other language's texts take other widths: fitted anew, as a clock
    // started in this language would be (the fitting ends showing the time).
    if (m_language != before && m_pixelSize > 0)
        textRize();
    else
        timeOver();
}

void FormDesktopTime::DesktopTimeAlpha(int v)
{
    alphaPercent = v;
    DesktopTimeStyle(styleIndex);
}

// ---- texts and their sizes ---------------------------------------------------------

void FormDesktopTime::timeOver()
{
    showTexts(platform::now());
}

void FormDesktopTime::showTexts(const QDateTime &at)
{
    const QLocale locale(m_language == QLatin1String("EN") ? QLocale::English : QLocale::Chinese);
    for (const auto &f : Formats) {
        if (QLabel *label = findChild<QLabel *>(QLatin1String(f.label)))
            label->setText(locale.toString(at, QLatin1String(f.format)));
    }
}

QDateTime FormDesktopTime::fittingMoment()
{
    return FitMoment;
}

void FormDesktopTime::fitLabel(QLabel *label, int index, int P)
{
    const FitRule &rule = FitRules[index];
    QFont font(rule.light ? Light : QStringLiteral("Microsoft YaHei UI"), 25);
    font.setPixelSize(qMax(1, rule.pixels(P)));
    label->setFont(font);
    label->adjustSize();
    label->resize(rule.width(label->width()), label->height());
}

void FormDesktopTime::textRize()
{
    // The smallest size at which the large time of the first style fills the
    // width. Its width grows with the size, so halving the range finds it in
    // about ten trials.
    showTexts(FitMoment);
    QLabel *time = ui->t101;
    const int W = width();
    int lo = 1;
    int hi = MaxPixelSize;
    m_trials = 0;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        fitLabel(time, 0, mid);
        ++m_trials;
        if (time->width() >= W)
            hi = mid;
        else
            lo = mid + 1;
    }
    m_pixelSize = lo;
    int i = 0;
    for (const FitRule &rule : FitRules)
        fitLabel(findChild<QLabel *>(QLatin1String(rule.label)), i++, m_pixelSize);
    placeLabels();
    timeOver();
    updateInputRegion();
}

void FormDesktopTime::placeLabels()
{
    const int W = width();
    const int H = height();
    Ui::FormDesktopTime &u = *ui;

    u.t101->move(0, 0);
    u.t201->move(W / 36, H / 38 + u.t101->height());
    u.t301->move(u.t201->x(), u.t201->y() + u.t201->height() + H / 38);

    u.t102->move((W - u.t102->width()) / 2, 0);
    const int h102 = u.t102->height();
    const int xw = int((H - (h102 / 1.6 + H / 50)) * 0.25);
    const int xh = int(H / 1.6 - (H / 50 + h102));
    u.x1->resize(qMax(0, xw), qMax(0, xh));
    u.x1->move((W - u.x1->width()) / 2, int(1.7 * h102));
    u.t202->move(u.x1->x() - u.t202->width() + u.x1->width() / 4, u.x1->y() - u.t202->height() / 6);
    u.t302->move(u.x1->x() + u.x1->width() - u.x1->width() / 4,
                 u.x1->y() + u.x1->height() - u.t302->height() + u.t302->height() / 6);

    u.t103->move((W - u.t103->width()) / 2, 0);
    u.t203->move((W - u.t203->width()) / 2, u.t103->height());

    u.t104->move(0, 0);
    u.t204->move(W / 60, u.t104->height() - u.t104->height() / 8);

    u.t105->move(0, 0);
    u.t205->move(u.t105->width(), u.t105->height() - u.t205->height() - u.t105->height() / 10);
}

// ---- the settings bar ------------------------------------------------------------------

void FormDesktopTime::restartSave()
{
    saveTimer->stop();
    saveTimer->start(2000);
}

void FormDesktopTime::closePanels()
{
    ui->frameSize->hide();
    ui->frameAlpha->hide();
    ui->TimeSizeButton->setStyleSheet(settingsSheet("gateway0.png", "gateway1.png", false));
    ui->TimeAlphaButton->setStyleSheet(settingsSheet("eye0.png", "eye1.png", false));
    updateInputRegion();
}

// The settings bar back to its button alone, its panels shut.
void FormDesktopTime::foldBar()
{
    ui->frameSet->resize(BarClosedWidth, 30);
    ui->frameSet->move(5, 30);
    ui->settingButton->setStyleSheet(settingsSheet("setting0.png", "setting1.png", false));
    closePanels();
}

void FormDesktopTime::on_settingButton_clicked()
{
    if (ui->frameSet->width() <= BarClosedWidth) {
        ui->frameSet->resize(190, 30);
        ui->frameSet->move(5, 30);
        ui->settingButton->setStyleSheet(settingsSheet("setting0.png", "setting1.png", true));
        updateInputRegion();
    } else {
        foldBar();
    }
}

void FormDesktopTime::on_TimeSizeButton_clicked()
{
    if (ui->frameSize->isVisible()) {
        ui->frameSize->hide();
        ui->TimeSizeButton->setStyleSheet(settingsSheet("gateway0.png", "gateway1.png", false));
    } else {
        ui->frameSize->show();
        ui->frameAlpha->hide();
        ui->TimeSizeButton->setStyleSheet(settingsSheet("gateway0.png", "gateway1.png", true));
        ui->TimeAlphaButton->setStyleSheet(settingsSheet("eye0.png", "eye1.png", false));
    }
    updateInputRegion();
}

void FormDesktopTime::on_TimeAlphaButton_clicked()
{
    if (ui->frameAlpha->isVisible()) {
        ui->frameAlpha->hide();
        ui->TimeAlphaButton->setStyleSheet(settingsSheet("eye0.png", "eye1.png", false));
    } else {
        ui->frameAlpha->show();
        ui->frameSize->hide();
        ui->TimeAlphaButton->setStyleSheet(settingsSheet("eye0.png", "eye1.png", true));
        ui->TimeSizeButton->setStyleSheet(settingsSheet("gateway0.png", "gateway1.png", false));
    }
    updateInputRegion();
}

void FormDesktopTime::on_TimeENButton_clicked()
{
    ui->TimeENButton->setText(ui->TimeENButton->text() == QLatin1String("EN") ? QStringLiteral("中")
                                                                              : QStringLiteral("EN"));
    DesktopTimeLanguage(ui->TimeENButton->text());
    closePanels();
    restartSave();
}

void FormDesktopTime::on_TimeStyleClick_currentIndexChanged(int index)
{
    DesktopTimeStyle(index);
    closePanels();
    restartSave();
}

void FormDesktopTime::on_SizeQSlider_valueChanged(int value)
{
    DesktopTimeSize(value);
    restartSave();
}

void FormDesktopTime::on_AlphaQSlider_valueChanged(int value)
{
    alphaPercent = value;
    DesktopTimeStyle(styleIndex);
    restartSave();
}

// ---- settings ----------------------------------------------------------------------------

void FormDesktopTime::ReadSettings()
{
    qCDebug(lcFiles) << "读取设置！";
    const ClockLook look = loadLook();
    if (!look.placed) {
        ui->TimeStyleClick->setCurrentIndex(0);
        DesktopTimeStyle(0);
        DesktopTimeLanguage(QStringLiteral("EN"));
        alphaPercent = 100;
        DesktopTimeStyle(styleIndex);
        ui->AlphaQSlider->setValue(100);
        DesktopTimeSize(500);
        ui->SizeQSlider->setValue(500);
        // Never placed: the middle of the dock's screen, not its corner.
        QRect screen = m_firstScreen ? m_firstScreen() : QRect();
        if (!screen.isValid())
            screen = platform::ScreensService::get().availableGeometry(0);
        if (screen.isValid()) {
            QRect r = rect();
            r.moveCenter(screen.center());
            move(r.topLeft());
        }
        return;
    }
    // The file holds only numbers: the clock keeps its top left on the desktop.
    const int size = look.size;
    const QRect desktop = platform::ScreensService::get().desktopGeometry();
    QPoint pos = look.pos;
    if (desktop.isValid())
        pos = QPoint(qBound(desktop.left(), pos.x(), desktop.right() + 1 - qMin(size, desktop.width())),
                     qBound(desktop.top(), pos.y(), desktop.bottom() + 1 - qMin(size + 50, desktop.height())));
    move(pos);
    ui->TimeStyleClick->setCurrentIndex(look.style);
    DesktopTimeStyle(look.style);
    DesktopTimeLanguage(look.language);
    alphaPercent = look.alpha;
    DesktopTimeStyle(styleIndex);
    ui->AlphaQSlider->setValue(look.alpha);
    DesktopTimeSize(size);
    ui->SizeQSlider->setValue(size);
}

void FormDesktopTime::SaveSettings()
{
    if (!saveEnabled)
        return;
    ClockLook look;
    look.size = ui->SizeQSlider->value();
    look.style = ui->TimeStyleClick->currentIndex();
    look.language = ui->TimeENButton->text();
    look.alpha = ui->AlphaQSlider->value();
    look.pos = pos();
    saveLook(look);
}

void FormDesktopTime::RaiseWindow()
{
    if (shown)
        platform::WindowSystemService::get().raiseOnce(this);
}

// ---- pointer -------------------------------------------------------------------------------

void FormDesktopTime::mousePressEvent(QMouseEvent *)
{
    setCursor(Qt::ClosedHandCursor);
}

void FormDesktopTime::mouseMoveEvent(QMouseEvent *)
{
    if (locked)
        setCursor(Qt::ForbiddenCursor);
}

void FormDesktopTime::mouseReleaseEvent(QMouseEvent *)
{
    if (m_drag->hasMoved())
        restartSave();
    if (!locked)
        setCursor(Qt::PointingHandCursor);
}

void FormDesktopTime::enterEvent(QEvent *)
{
    leaveTimer->stop();
    if (locked)
        return;
    setCursor(Qt::PointingHandCursor);
    ui->frameSet->show();
    updateInputRegion();
}

// The settings bar goes with the pointer, open or not. The style list and a
// slider being dragged take the pointer out of the clock for a while: the
// bar waits for them.
void FormDesktopTime::leaveEvent(QEvent *)
{
    setCursor(Qt::ArrowCursor);
    closeBar();
}

void FormDesktopTime::pointerLeft()
{
    if (frameGeometry().contains(QCursor::pos()))
        return;
    closeBar();
}

void FormDesktopTime::closeBar()
{
    bool ownPopup = false;
    for (QWidget *w = QApplication::activePopupWidget(); w && !ownPopup; w = w->parentWidget())
        ownPopup = w == this;
    if (ownPopup || QApplication::mouseButtons() != Qt::NoButton) {
        leaveTimer->start(LeaveCheckMs);
        return;
    }
    leaveTimer->stop();
    ui->frameSet->hide();
    foldBar();
}
