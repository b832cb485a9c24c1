#include "formstartup.h"
#include "ui_formstartup.h"

FormStartUp::FormStartUp(QWidget *parent) : QWidget(parent), ui(new Ui::FormStartUp)
{
    ui->setupUi(this);
}

FormStartUp::~FormStartUp()
{
    delete ui;
}

void FormStartUp::CheckAutoRun() {}
