#include "dock/editing/formsidebarmenu.h"

#include "ui_formsidebarmenu.h"
#include "dock/style/dockstyle.h"

FormSidebarMenu::FormSidebarMenu(QWidget *parent) : QWidget(parent), ui(new Ui::FormSidebarMenu)
{
    ui->setupUi(this);
    setWindowFlags(Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);

    QFont font("Microsoft YaHei", 10, 10, false);
    font.setPixelSize(18);
    ui->label_6->setFont(font);
    ui->close->setStyleSheet(closeButtonSheet());
}

FormSidebarMenu::~FormSidebarMenu()
{
    delete ui;
}

void FormSidebarMenu::setID(QString ID)
{
    m_id = ID;
}

void FormSidebarMenu::ADDIcon(QString ico, QString name, QString cl, QString path)
{
    emit AddIcon(ico, name, cl, path, m_id);
}

void FormSidebarMenu::on_close_clicked()
{
    emit SidebarMenuClose();
    hide();
}
