#include "formname.h"
#include "ui_formname.h"

#include <QLabel>

FormName::FormName(QWidget *parent) : QWidget(parent), ui(new Ui::FormName)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_TranslucentBackground);
    m_label = new QLabel(this);
}

FormName::~FormName()
{
    delete ui;
}

void FormName::setName(int, const QString &name)
{
    setMenuText(name);
}

void FormName::setMenuText(const QString &text)
{
    m_label->setText(text);
    m_label->adjustSize();
    resize(m_label->size());
}
