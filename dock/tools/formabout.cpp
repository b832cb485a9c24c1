#include "dock/tools/formabout.h"

#include "ui_formabout.h"

FormAbout::FormAbout(QWidget *parent) : QWidget(parent), ui(new Ui::FormAbout)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_TranslucentBackground);
    ui->close->setStyleSheet(
        "QPushButton{border-image: url(:/image/menu/c00.png);background-image: url();background-color: rgba(255, 255, 255, 0);}"
        "QPushButton:hover{border-image: url(:/image/menu/c1.png);background-image: url();background-color: rgba(255, 255, 255, 0);}"
        "QPushButton:pressed{border-image: url(:/image/menu/c1.png);background-image: url();background-color: rgba(255, 255, 255, 0);}");
}

FormAbout::~FormAbout()
{
    delete ui;
}

void FormAbout::on_close_clicked()
{
    hide();
}
