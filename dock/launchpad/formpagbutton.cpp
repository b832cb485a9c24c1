#include "formpagbutton.h"
#include "ui_formpagbutton.h"

namespace {
QString dotSheet(int alpha)
{
    const QString rest = QStringLiteral(
        "border:0px;border-radius:5px;border-left:0px;border-right:0px;border-style: solid;border-color:#312E4D;"
        "font-weight: bold;color: #FFFFFF;font: 11pt 微软雅黑;}");
    return QStringLiteral("QPushButton{border-image: url();background-color: rgba(255, 255, 255, %1);").arg(alpha) + rest
        + QStringLiteral("QPushButton:hover{border-image: url();background-color: rgba(255, 255, 255, 255);") + rest
        + QStringLiteral("QPushButton:pressed{border-image: url();background-color:rgba(255, 255, 255, 255);") + rest;
}
} // namespace

FormPagButton::FormPagButton(QWidget *parent) : QWidget(parent), ui(new Ui::FormPagButton)
{
    ui->setupUi(this);
    connect(ui->pushButton, &QPushButton::clicked, this, &FormPagButton::on_pushButton_clicked);
    setActive(false);
}

FormPagButton::~FormPagButton()
{
    delete ui;
}

void FormPagButton::setActive(bool active)
{
    // Every relayout marks the dots again: a style sheet set anew re-polishes
    // the button even when it says the same.
    if (m_styled && active == m_active)
        return;
    m_styled = true;
    m_active = active;
    ui->pushButton->setStyleSheet(dotSheet(active ? 200 : 100));
}

void FormPagButton::on_pushButton_clicked()
{
    emit onPag(pageNumber);
}
