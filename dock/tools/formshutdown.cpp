#include "dock/tools/formshutdown.h"

#include "common/windowdrag.h"
#include "dock/style/dockstyle.h"
#include "dock/toast/formsystemhint.h"
#include "platform/clock.h"
#include "ui_formshutdown.h"

#include <QMouseEvent>
#include <QTimer>

namespace {

QFont yaHei(int pixels)
{
    QFont f(QStringLiteral("Microsoft YaHei"), 10, 10, false);
    f.setPixelSize(pixels);
    return f;
}

QString flatButtonSheet(const char *normal, const char *hover)
{
    return QStringLiteral("QPushButton{background-color:%1;border:0px;border-radius:3px;color: #FFFFFF;}"
                          "QPushButton:hover{background-color:%2;border:0px;border-radius:3px;color: #FFFFFF;}"
                          "QPushButton:pressed{background-color:%2;border:0px;border-radius:3px;color: #FFFFFF;}")
        .arg(QLatin1String(normal), QLatin1String(hover));
}

const char *const timeUp = "时间到！您的电脑即将关闭！";

} // namespace

FormShutDown::FormShutDown(QWidget *parent) : QWidget(parent), ui(new Ui::FormShutDown)
{
    ui->setupUi(this);
    connect(ui->RestartButton, &QPushButton::clicked, this, &FormShutDown::on_RestartButton_clicked);
    connect(ui->ShutDownButton, &QPushButton::clicked, this, &FormShutDown::on_ShutDownButton_clicked);
    connect(ui->pushButton, &QPushButton::clicked, this, &FormShutDown::on_pushButton_clicked);
    connect(ui->pushButton_3, &QPushButton::clicked, this, &FormShutDown::on_pushButton_3_clicked);
    connect(ui->close, &QPushButton::clicked, this, &FormShutDown::on_close_clicked);
    connect(ui->starButton, &QPushButton::clicked, this, &FormShutDown::on_starButton_clicked);
    connect(ui->starButton2, &QPushButton::clicked, this, &FormShutDown::on_starButton2_clicked);
    connect(ui->cancelButton, &QPushButton::clicked, this, &FormShutDown::on_cancelButton_clicked);
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_TranslucentBackground);
    new WindowDrag(this);
    for (QWidget *w : { (QWidget *)this, (QWidget *)ui->frame, (QWidget *)ui->RestartButton,
                        (QWidget *)ui->ShutDownButton })
        w->setMouseTracking(true);

    ui->frame_2->hide();
    ui->frame_3->hide();
    ui->frame_4->hide();
    ui->frame->raise();
    ui->frame_4->raise();
    ui->frame_3->raise();

    ui->label->setFont(yaHei(18));
    for (QWidget *w : { (QWidget *)ui->label2, (QWidget *)ui->label2_2, (QWidget *)ui->label2_7,
                        (QWidget *)ui->label2_3, (QWidget *)ui->label2_4 })
        w->setFont(yaHei(16));
    for (QWidget *w : { (QWidget *)ui->starButton, (QWidget *)ui->starButton2, (QWidget *)ui->cancelButton })
        w->setFont(yaHei(18));
    ui->Countdown->setFont(yaHei(120));
    ui->time1->setFont(yaHei(56));
    ui->time3->setFont(yaHei(56));
    for (QWidget *w : { (QWidget *)ui->time1_2, (QWidget *)ui->time2, (QWidget *)ui->time1_3 })
        w->setFont(yaHei(30));
    // The seconds and milliseconds stand side by side in whatever font
    // takes the place of the designed one: each gets the room its widest
    // text needs, so ":870" is never cut to ":87".
    const QFontMetrics small(ui->time2->font());
    const int secondsWidth = small.horizontalAdvance(QStringLiteral(":00")) + 2;
    const int millisWidth = small.horizontalAdvance(QStringLiteral(":000")) + 2;
    ui->time1_2->resize(secondsWidth, ui->time1_2->height());
    const int millisX = qMin(ui->time1_2->x() + secondsWidth, ui->frame_4->width() - millisWidth);
    ui->time2->setGeometry(millisX, ui->time2->y(), millisWidth, ui->time2->height());

    ui->close->setStyleSheet(closeButtonSheet());
    ui->mini->setStyleSheet(pictureButtonSheet(QStringLiteral(":/image/menu/n00.png"),
                                               QStringLiteral(":/image/menu/n1.png")));
    ui->RestartButton->setStyleSheet(pictureButtonSheet(QStringLiteral(":/image/menu/restart0.png"),
                                                        QStringLiteral(":/image/menu/restart1.png")));
    ui->ShutDownButton->setStyleSheet(pictureButtonSheet(QStringLiteral(":/image/menu/down0.png"),
                                                         QStringLiteral(":/image/menu/down1.png")));
    ui->starButton->setStyleSheet(flatButtonSheet("#13B7F5", "#4DD2FF"));
    ui->starButton2->setStyleSheet(flatButtonSheet("#D90000", "#FF2828"));
    ui->cancelButton->setStyleSheet(flatButtonSheet("#D90000", "#FF2828"));

    toast = new FormSystemHint;

    checkTimer = new QTimer(this);
    checkTimer->setObjectName(QStringLiteral("checkTimer"));
    connect(checkTimer, &QTimer::timeout, this, &FormShutDown::timeOver);
    countdownTimer = new QTimer(this);
    countdownTimer->setObjectName(QStringLiteral("countdownTimer"));
    connect(countdownTimer, &QTimer::timeout, this, &FormShutDown::CountdownTimeOver);
    clockTimer = new QTimer(this);
    clockTimer->setObjectName(QStringLiteral("clockTimer"));
    clockTimer->setSingleShot(true);
    clockTimer->setTimerType(Qt::PreciseTimer); // to turn with the second
    connect(clockTimer, &QTimer::timeout, this, &FormShutDown::followClock);
}

FormShutDown::~FormShutDown()
{
    delete toast;
    delete ui;
}

// ---- pages ------------------------------------------------------------------

void FormShutDown::showPowerPage()
{
    timerPage = false;
    clockTimer->stop();
    ui->RestartButton->show();
    ui->ShutDownButton->show();
    ui->pushButton->show();
    ui->frame_2->hide();
    ui->label->setText(QStringLiteral("电源"));
    ui->label2->setText(QStringLiteral("请选择重启或者关机"));
}

void FormShutDown::showTimerPage()
{
    layOutTimerPage();
    const QString now = platform::now().toString(QStringLiteral("HH:mm"));
    ui->label2_7->setText(now);
    // An armed time stays in the field; otherwise offer the current minute.
    if (!armed)
        ui->dateTimeEdit->setTime(QTime::fromString(now, QStringLiteral("HH:mm")));
}

// The timer page in the power frame, whichever page was shown before: after
// a countdown or a timer opened from the power page, its texts must not stand
// over the restart and shutdown buttons. Its clock runs from here on unless
// the timer is armed.
void FormShutDown::layOutTimerPage()
{
    timerPage = true;
    ui->RestartButton->hide();
    ui->ShutDownButton->hide();
    ui->pushButton->hide();
    ui->frame_2->show();
    ui->label->setText(QStringLiteral("定时关机"));
    ui->label2->setText(QStringLiteral("请设置关机时间"));
    followClock();
}

// "当前时间" on the timer page runs with the clock, a second boundary at a
// time, so that it turns with the desktop's clock; while armed the check
// tick keeps it.
void FormShutDown::followClock()
{
    if (!isVisible() || !timerPage || armed) {
        clockTimer->stop();
        return;
    }
    const QDateTime now = platform::now();
    ui->label2_7->setText(now.toString(QStringLiteral("HH:mm")));
    clockTimer->start(1000 - now.time().msec() + 5);
}

void FormShutDown::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    followClock();
}

void FormShutDown::hideEvent(QHideEvent *e)
{
    QWidget::hideEvent(e);
    clockTimer->stop();
}

void FormShutDown::on_pushButton_clicked() { showTimerPage(); }

void FormShutDown::on_pushButton_3_clicked() { showPowerPage(); }

void FormShutDown::on_close_clicked()
{
    hide();
    showPowerPage();
}

// ---- the timer ----------------------------------------------------------------

void FormShutDown::on_starButton_clicked()
{
    armed = true;
    clockTimer->stop(); // the check tick runs the clock now
    ui->dateTimeEdit->setEnabled(false);
    ui->time3->setText(ui->dateTimeEdit->text());
    ui->frame->hide();
    ui->frame_4->show();
    checkTimer->start(30);
}

void FormShutDown::on_starButton2_clicked()
{
    armed = false;
    layOutTimerPage();
    ui->dateTimeEdit->setEnabled(true);
    ui->time3->setText(QStringLiteral("00:00"));
    ui->frame->show();
    ui->frame_4->hide();
    checkTimer->stop();
}

// The armed time is a time of day compared by its minute text, so it fires at
// the next moment the clock reads it: at once for the current minute,
// tomorrow for a minute already past.
void FormShutDown::timeOver()
{
    const QDateTime now = platform::now();
    const QString minute = now.toString(QStringLiteral("HH:mm"));
    ui->label2_7->setText(minute);
    ui->time1->setText(minute);
    ui->time1_2->setText(QLatin1Char(':') + now.toString(QStringLiteral("ss")));
    ui->time2->setText(QLatin1Char(':') + now.toString(QStringLiteral("zzz")));
    if (!armed || ui->dateTimeEdit->text() != minute)
        return;
    checkTimer->stop();
    ui->frame_3->show();
    ui->frame->hide();
    ui->frame_4->hide();
    if (!countdownRunning) {
        showNormal();
        show();
        count = 5;
        ui->label2_4->setText(QString::fromUtf8(timeUp));
        ui->Countdown->setText(QStringLiteral("5"));
        countdownTimer->start(1000);
    }
}

// Shows 5 when the time comes, then 5, 4 … 0 a second apart; at 0 the request
// is made, once.
void FormShutDown::CountdownTimeOver()
{
    countdownRunning = true;
    ui->Countdown->setText(QString::number(count));
    if (count == 0) {
        countdownTimer->stop();
        requestPower(platform::Power::PowerOff);
    }
    --count;
}

void FormShutDown::on_cancelButton_clicked()
{
    armed = false;
    layOutTimerPage();
    ui->frame_3->hide();
    ui->frame->show();
    ui->dateTimeEdit->setEnabled(true);
    countdownTimer->stop();
    countdownRunning = false;
    ui->frame_4->hide();
}

// ---- power requests -------------------------------------------------------------

void FormShutDown::on_RestartButton_clicked() { requestPower(platform::Power::Reboot); }

void FormShutDown::on_ShutDownButton_clicked() { requestPower(platform::Power::PowerOff); }

void FormShutDown::requestPower(platform::Power::Action action)
{
    // The system may be asking for a password already: one request at a time.
    if (powerPending)
        return;
    powerPending = true;
    platform::PowerService::get().request(action, this,
                                          [this, action](platform::Power::Outcome outcome, const QString &detail) {
                                              powerAnswered(action, outcome, detail);
                                          });
}

void FormShutDown::powerAnswered(platform::Power::Action action, platform::Power::Outcome outcome,
                                 const QString &detail)
{
    powerPending = false;
    if (outcome == platform::Power::Accepted)
        return;
    const QString text = failureText(action, outcome, detail);
    if (ui->frame_3->isVisible())
        ui->label2_4->setText(text);
    toast->ShowMessage(text);
    toast->show();
}

QString FormShutDown::failureText(platform::Power::Action action, platform::Power::Outcome outcome,
                                  const QString &detail)
{
    const bool off = action == platform::Power::PowerOff;
    switch (outcome) {
    case platform::Power::Accepted:
        break;
    case platform::Power::NotAllowed:
        return off ? QStringLiteral("系统不允许关机") : QStringLiteral("系统不允许重启");
    case platform::Power::Unavailable:
        return off ? QStringLiteral("无法关机：系统电源服务不可用") : QStringLiteral("无法重启：系统电源服务不可用");
    case platform::Power::Failed:
        return (off ? QStringLiteral("关机失败") : QStringLiteral("重启失败"))
            + (detail.isEmpty() ? QString() : QStringLiteral("：") + detail);
    }
    return QString();
}

// ---- pointer --------------------------------------------------------------------

void FormShutDown::updateHints(const QPoint &pos)
{
    if (timerPage)
        return;
    const QRect restart(ui->RestartButton->mapTo(this, QPoint(0, 0)), ui->RestartButton->size());
    const QRect down(ui->ShutDownButton->mapTo(this, QPoint(0, 0)), ui->ShutDownButton->size());
    if (restart.contains(pos)) {
        ui->label->setText(QStringLiteral("重启"));
        ui->label2->setText(QStringLiteral("关闭所有应用，关闭电脑，然后重新打开电脑"));
    } else if (down.contains(pos)) {
        ui->label->setText(QStringLiteral("关机"));
        ui->label2->setText(QStringLiteral("关闭所有应用，关闭电脑"));
    } else {
        ui->label->setText(QStringLiteral("电源"));
        ui->label2->setText(QStringLiteral("请选择重启或者关机"));
    }
}

void FormShutDown::mouseMoveEvent(QMouseEvent *e)
{
    updateHints(e->pos());
}
