#include "dock/tools/formupload.h"

#include "ui_formupload.h"
#include "dock/style/dockstyle.h"

#include <QTimer>

FormUpload::FormUpload(QWidget *parent) : QWidget(parent), ui(new Ui::FormUpload)
{
    ui->setupUi(this);
    setWindowFlags(Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    version = 1809;

    QFont font("Microsoft YaHei", 10, 10, false);
    font.setPixelSize(15);
    ui->label_2->setFont(font);
    QFont buttons("Microsoft YaHei", 10, 10, false);
    buttons.setPixelSize(18);
    ui->pushButtonClose->setFont(buttons);
    ui->pushButtonClose->setStyleSheet(
        "QPushButton{background-color:#13B7F5;border:0px;border-radius:3px;color: #FFFFFF;}"
        "QPushButton:hover{background-color:#4DD2FF;border:0px;border-radius:3px;color: #FFFFFF;}"
        "QPushButton:pressed{background-color:#4DD2FF;border:0px;border-radius:3px;color: #FFFFFF;}");
    ui->closeButton->setStyleSheet(closeButtonSheet());

    checkTimer = new QTimer(this);
    connect(checkTimer, &QTimer::timeout, this, &FormUpload::startInit2);
}

FormUpload::~FormUpload()
{
    delete ui;
}

void FormUpload::startCheckTimer()
{
    checkTimer->start(3600000);
}

void FormUpload::startInit2()
{
    // The query of the update page comes with the network client; until then
    // there is never a newer version to announce.
}

void FormUpload::checkUpdate()
{
    // Same as startInit2: the window keeps its up-to-date page.
}

bool FormUpload::checkTimerActive() const
{
    return checkTimer->isActive();
}

int FormUpload::checkInterval() const
{
    return checkTimer->interval();
}

void FormUpload::on_closeButton_clicked()
{
    hide();
}

void FormUpload::on_pushButtonClose_clicked()
{
    hide();
}
