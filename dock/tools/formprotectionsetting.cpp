#include "dock/tools/formprotectionsetting.h"

#include "common/windowdrag.h"
#include "dock/settings/docksettings.h"
#include "dock/style/dockstyle.h"
#include "platform/screens.h"
#include "ui_formprotectionsetting.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPropertyAnimation>

namespace {
const QRect toolFolded(10, 180, 50, 50);
const QRect toolUnfolded(10, 180, 50, 210);
const QRect ringSmall(12, 12, 26, 26);
const QRect ringLarge(9, 9, 32, 32);
} // namespace

FormProtectionSetting::Settings FormProtectionSetting::loadSettings()
{
    const DockSettings *set = DockSettings::instance();
    return { set->protection(), set->protectionPos() };
}

void FormProtectionSetting::saveSettings(const Settings &s)
{
    DockSettings *set = DockSettings::instance();
    set->setProtection(s.strength);
    set->setProtectionPos(s.position);
    set->save();
}

FormProtectionSetting::FormProtectionSetting(QWidget *parent)
    : QWidget(parent), ui(new Ui::FormProtectionSetting)
{
    ui->setupUi(this);
    connect(ui->horizontalSlider, &QSlider::valueChanged,
            this, &FormProtectionSetting::on_horizontalSlider_valueChanged);
    connect(ui->closeButton, &QPushButton::clicked, this, &FormProtectionSetting::on_closeButton_clicked);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    m_drag = new WindowDrag(this);
    ui->tool->hide();
    ui->tool->raise();
    ui->qmain->raise();
    ui->closeButton->setStyleSheet(pictureButtonSheet(QStringLiteral(":/image/menu/close2.png"),
                                                      QStringLiteral(":/image/menu/close3.png")));
    installEventFilter(this);
}

FormProtectionSetting::~FormProtectionSetting()
{
    delete ui;
}

void FormProtectionSetting::ReadSettings()
{
    const Settings s = loadSettings();
    QPoint at = s.position;
    // A control left on a screen that is gone comes back to the first one.
    auto &screens = platform::ScreensService::get();
    bool visible = false;
    for (int i = 0; i < screens.count() && !visible; ++i)
        visible = screens.geometry(i).intersects(QRect(at, size()));
    if (!visible && screens.count() > 0)
        at = screens.availableGeometry(0).topLeft();
    move(at);
    // The slider keeps the strength within its range and, when that changes
    // its value, tints and saves at once.
    ui->horizontalSlider->setValue(s.strength);
    emit setDisplay(ui->horizontalSlider->value());
}

void FormProtectionSetting::SaveSettings()
{
    saveSettings({ ui->horizontalSlider->value(), pos() });
}

void FormProtectionSetting::on_horizontalSlider_valueChanged(int value)
{
    emit setDisplay(value);
    SaveSettings();
}

void FormProtectionSetting::on_closeButton_clicked()
{
    emit setClose();
}

// ---- folding the slider -----------------------------------------------------

void FormProtectionSetting::animateGeometry(QWidget *w, const QRect &from, const QRect &to, int ms,
                                            QEasingCurve::Type curve, void (FormProtectionSetting::*then)())
{
    auto *a = new QPropertyAnimation(w, "geometry", this);
    a->setDuration(ms);
    a->setStartValue(from);
    a->setEndValue(to);
    a->setEasingCurve(curve);
    if (then)
        connect(a, &QPropertyAnimation::finished, this, then);
    a->start(QAbstractAnimation::DeleteWhenStopped);
}

void FormProtectionSetting::toolIn()
{
    if (toolOpen)
        return;
    ui->tool->show();
    animateGeometry(ui->tool, toolFolded, toolUnfolded, 150, QEasingCurve::OutCubic);
    toolOpen = true;
}

void FormProtectionSetting::toolOut()
{
    if (!toolOpen)
        return;
    animateGeometry(ui->tool, toolUnfolded, toolFolded, 150, QEasingCurve::OutCubic,
                    &FormProtectionSetting::toolHide);
}

void FormProtectionSetting::toolHide()
{
    ui->tool->hide();
    toolOpen = false;
}

void FormProtectionSetting::toolShow()
{
    if (toolOpen) {
        toolOut();
    } else {
        toolIn();
        ReadSettings();
    }
}

// Another window taking the focus folds the slider, but not from under the
// pointer: a window that opens elsewhere while the user reaches for the close
// button would fold it away, and the click would land on the bare control
// and unfold it again. The slider folds when the pointer leaves then.
bool FormProtectionSetting::eventFilter(QObject *o, QEvent *e)
{
    if (o == this && e->type() == QEvent::WindowDeactivate) {
        foldOnLeave = pointerOver();
        if (!foldOnLeave)
            toolOut();
    } else if (o == this && e->type() == QEvent::WindowActivate) {
        foldOnLeave = false;
    }
    return QWidget::eventFilter(o, e);
}

bool FormProtectionSetting::pointerOver() const
{
    return isVisible() && rect().contains(mapFromGlobal(QCursor::pos()));
}

// ---- hover and dragging -------------------------------------------------------

void FormProtectionSetting::mouseIn()
{
    animateGeometry(ui->ring, ringSmall, ringLarge, 200, QEasingCurve::OutBack);
}

void FormProtectionSetting::mouseOut()
{
    animateGeometry(ui->ring, ringLarge, ringSmall, 100, QEasingCurve::Linear);
}

void FormProtectionSetting::enterEvent(QEvent *)
{
    mouseIn();
}

void FormProtectionSetting::leaveEvent(QEvent *)
{
    mouseOut();
    if (foldOnLeave) {
        foldOnLeave = false;
        toolOut();
    }
}

// A release without movement was a click: it folds or unfolds the slider.
void FormProtectionSetting::mouseReleaseEvent(QMouseEvent *)
{
    if (!m_drag->hasMoved())
        toolShow();
    SaveSettings();
}
