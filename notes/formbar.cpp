#include "formbar.h"
#include "ui_formbar.h"

namespace {

QString buttonSheet(const QString &picture)
{
    return QStringLiteral("QPushButton{background:transparent;border-image:url(:/image/menu/%1.png);}"
                          "QPushButton:hover,QPushButton:pressed{border-image:url(:/image/menu/%1%2.png);}")
        .arg(picture, QStringLiteral("1"));
}

} // namespace

FormBar::FormBar(QWidget *parent) : QWidget(parent), ui(new Ui::FormBar)
{
    ui->setupUi(this);
    connect(ui->pushButtonAdd, &QPushButton::clicked, this, &FormBar::on_pushButtonAdd_clicked);
    connect(ui->pushButtonStyle, &QPushButton::clicked, this, &FormBar::on_pushButtonStyle_clicked);
    connect(ui->pushButtonDelete, &QPushButton::clicked, this, &FormBar::on_pushButtonDelete_clicked);
    setButtonsVisible(false);
    ui->pushButtonAdd->setStyleSheet(buttonSheet(QStringLiteral("add")));
    ui->pushButtonStyle->setStyleSheet(buttonSheet(QStringLiteral("style")));
    ui->pushButtonDelete->setStyleSheet(buttonSheet(QStringLiteral("delete")));
}

FormBar::~FormBar()
{
    delete ui;
}

void FormBar::setButtonsVisible(bool visible)
{
    ui->pushButtonAdd->setVisible(visible);
    ui->pushButtonStyle->setVisible(visible);
    ui->pushButtonDelete->setVisible(visible);
}

void FormBar::on_pushButtonAdd_clicked()
{
    emit onButton(QStringLiteral("Add"));
}

void FormBar::on_pushButtonStyle_clicked()
{
    emit onButton(QStringLiteral("Style"));
}

void FormBar::on_pushButtonDelete_clicked()
{
    emit onButton(QStringLiteral("Delete"));
}

void FormBar::enterEvent(QEvent *event)
{
    setButtonsVisible(true);
    QWidget::enterEvent(event);
}

void FormBar::leaveEvent(QEvent *event)
{
    setButtonsVisible(false);
    QWidget::leaveEvent(event);
}
