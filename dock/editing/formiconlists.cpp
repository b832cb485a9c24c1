#include "dock/editing/formiconlists.h"

#include "ui_formiconlists.h"

FormIconLists::FormIconLists(QWidget *parent) : QWidget(parent), ui(new Ui::FormIconLists)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_TranslucentBackground);
    ui->close->setStyleSheet(
        "QPushButton{border-image: url(:/image/menu/c0.png);background-color: rgba(255, 255, 255, 0);}"
        "QPushButton:hover{border-image: url(:/image/menu/c1.png);background-color: rgba(255, 255, 255, 0);}"
        "QPushButton:pressed{border-image: url(:/image/menu/c1.png);background-color: rgba(255, 255, 255, 0);}");
}

FormIconLists::~FormIconLists()
{
    delete ui;
}

void FormIconLists::on_close_clicked()
{
    hide();
}
