#include "dock/tools/formshutdown.h"

#include "platform/clock.h"
#include "ui_formshutdown.h"
#include "dock/style/dockstyle.h"

FormShutDown::FormShutDown(QWidget *parent) : QWidget(parent), ui(new Ui::FormShutDown)
{
    ui->setupUi(this);
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_TranslucentBackground);
    timerPage = false;
    armed = false;
    ui->frame_2->hide();

    QFont heading("Microsoft YaHei", 10, 10, false);
    heading.setPixelSize(18);
    ui->label->setFont(heading);
    QFont hint("Microsoft YaHei", 10, 10, false);
    hint.setPixelSize(16);
    for (QWidget *w : { (QWidget *)ui->label2, (QWidget *)ui->label2_2, (QWidget *)ui->label2_7,
                        (QWidget *)ui->label2_3 })
        w->setFont(hint);

    ui->close->setStyleSheet(closeButtonSheet());
    ui->RestartButton->setStyleSheet(pictureButtonSheet(":/image/menu/restart0.png", ":/image/menu/restart1.png"));
    ui->ShutDownButton->setStyleSheet(pictureButtonSheet(":/image/menu/down0.png", ":/image/menu/down1.png"));
}

FormShutDown::~FormShutDown()
{
    delete ui;
}

void FormShutDown::showPowerPage()
{
    timerPage = false;
    ui->RestartButton->show();
    ui->ShutDownButton->show();
    ui->pushButton->show();
    ui->frame_2->hide();
    ui->label->setText("电源");
    ui->label2->setText("请选择重启或者关机");
}

void FormShutDown::showTimerPage()
{
    timerPage = true;
    ui->RestartButton->hide();
    ui->ShutDownButton->hide();
    ui->pushButton->hide();
    ui->frame_2->show();
    ui->label->setText("定时关机");
    ui->label2->setText("请设置关机时间");
    const QString now = platform::now().toString("HH:mm");
    ui->label2_7->setText(now);
    // An armed time stays in the field; otherwise offer the current minute.
    if (!armed)
        ui->dateTimeEdit->setTime(QTime::fromString(now, "HH:mm"));
}

void FormShutDown::on_pushButton_clicked()
{
    showTimerPage();
}

void FormShutDown::on_pushButton_3_clicked()
{
    showPowerPage();
}

void FormShutDown::on_close_clicked()
{
    hide();
    showPowerPage();
}
