#include "formselectdisk.h"
#include "ui_formselectdisk.h"

FormSelectDisk::FormSelectDisk(QWidget *parent) : QWidget(parent), ui(new Ui::FormSelectDisk)
{
    ui->setupUi(this);
}

FormSelectDisk::~FormSelectDisk()
{
    delete ui;
}

void FormSelectDisk::setIconData(const QString &icoID, const QString &drive)
{
    m_id = icoID;
    m_drive = drive;
}
