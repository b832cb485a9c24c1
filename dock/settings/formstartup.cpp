#include "formstartup.h"
#include "ui_formstartup.h"

#include "common/logging.h"
#include "common/windowdrag.h"
#include "platform/autostart.h"
#include "platform/screens.h"
#include "dock/settings/docksettings.h"

#include <QCloseEvent>
#include <QPropertyAnimation>

namespace {

QFont promptFont(int pixels)
{
    QFont f(QStringLiteral("Microsoft YaHei"), 10, 10, false);
    f.setPixelSize(pixels);
    return f;
}

} // namespace

FormStartUp::FormStartUp(QWidget *parent) : QWidget(parent), ui(new Ui::FormStartUp)
{
    ui->setupUi(this);
    connect(ui->close, &QPushButton::clicked, this, &FormStartUp::on_close_clicked);
    connect(ui->okButton, &QPushButton::clicked, this, &FormStartUp::on_okButton_clicked);
    connect(ui->noButton, &QPushButton::clicked, this, &FormStartUp::on_noButton_clicked);
    connect(ui->checkBox, &QCheckBox::clicked, this, &FormStartUp::on_checkBox_clicked);
    // It comes by itself while the user works: it must not take the keyboard,
    // nor close a menu the user has open (showing any window but a tool
    // window closes the open menus).
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    new WindowDrag(this);
    ui->noButton->setFont(promptFont(15));
    ui->okButton->setFont(promptFont(15));
    ui->label_6->setFont(promptFont(18));
}

FormStartUp::~FormStartUp()
{
    delete ui;
}

void FormStartUp::CheckAutoRun()
{
    // Unless the user asked not to be reminded.
    const bool remind = !DockSettings::instance()->startUpRemind();
    const QString program = platform::Autostart::programPath();
    qCDebug(lcDesktop) << "程序当前路径1：" << program;
    const QString stored = platform::AutostartService::get().value(QStringLiteral("error"));
    qCDebug(lcDesktop) << stored;
    if (stored != program && remind) {
        show();
        StartShow();
    }
}

// The free part of the bar's screen, or of the first one.
QRect FormStartUp::area() const
{
    auto &screens = platform::ScreensService::get();
    const QRect area = m_screenOf ? screens.availableGeometryAt(m_screenOf->window()->geometry().center())
                                  : screens.availableGeometry(0);
    return area.isValid() ? area : QRect(0, 0, 1280, 800);
}

// Centred on the free part of the bar's screen, wherever that screen lies
// on the desktop and whatever panels take its top or left side.
void FormStartUp::StartShow()
{
    const QRect area = this->area();
    const int x = area.x() + (area.width() - width()) / 2;
    const int y = area.y() + (area.height() - height()) / 2;

    auto *slide = new QPropertyAnimation(this, "pos", this);
    slide->setDuration(300);
    slide->setStartValue(QPoint(x, y + 30));
    slide->setEndValue(QPoint(x, y));
    slide->setEasingCurve(QEasingCurve::OutCubic);
    slide->start(QAbstractAnimation::DeleteWhenStopped);

    auto *fade = new QPropertyAnimation(this, "windowOpacity", this);
    fade->setDuration(300);
    fade->setStartValue(0.0);
    fade->setEndValue(1.0);
    fade->start(QAbstractAnimation::DeleteWhenStopped);
}

void FormStartUp::on_close_clicked()
{
    close();
}

void FormStartUp::on_okButton_clicked()
{
    appAutoRun(true);
}

void FormStartUp::appAutoRun(bool bAutoRun)
{
    if (bAutoRun)
        platform::AutostartService::get().setValue(platform::Autostart::programPath());
    close();
}

void FormStartUp::on_noButton_clicked()
{
    close();
}

void FormStartUp::on_checkBox_clicked(bool checked)
{
    DockSettings &set = *DockSettings::instance();
    set.setStartUpRemind(checked);
    set.save();
}

void FormStartUp::closeEvent(QCloseEvent *event)
{
    event->accept();
}
