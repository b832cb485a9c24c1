#include "dock/widgets/formweather.h"

#include "ui_formweather.h"
#include "dock/style/dockstyle.h"

FormWeather::FormWeather(QWidget *parent) : QWidget(parent), ui(new Ui::FormWeather)
{
    ui->setupUi(this);
    setWindowFlags(Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    started = false;

    QFont font("Microsoft YaHei", 10, 10, false);
    font.setPixelSize(18);
    ui->label_6->setFont(font);
    ui->close->setStyleSheet(closeButtonSheet());
}

FormWeather::~FormWeather()
{
    delete ui;
}

void FormWeather::startWeather()
{
    if (started)
        return;
    started = true;
}

void FormWeather::on_close_clicked()
{
    hide();
}
