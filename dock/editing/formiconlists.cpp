#include "dock/editing/formiconlists.h"

#include "ui_formiconlists.h"
#include "dock/style/dockstyle.h"

FormIconLists::FormIconLists(QWidget *parent) : QWidget(parent), ui(new Ui::FormIconLists)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_TranslucentBackground);
    ui->close->setStyleSheet(closeButtonSheet());
}

FormIconLists::~FormIconLists()
{
    delete ui;
}

void FormIconLists::on_close_clicked()
{
    hide();
}
