#include "formdelete.h"
#include "ui_formdelete.h"

namespace {
QString badgeSheet(const char *picture)
{
    return QStringLiteral("QLabel{border-image: url(%1);background-color: rgba(0, 0, 0,0);color: rgb(255, 255, 255);"
                          "border-radius:0px;border-top: 0px;border-bottom:0px;border-left: 0px;border-right: 0px;"
                          "border-style: solid;border-color: rgba(255,255,255,200);font: 10pt '微软雅黑';}")
        .arg(QLatin1String(picture));
}
} // namespace

FormDelete::FormDelete(QWidget *parent) : QWidget(parent), ui(new Ui::FormDelete)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setNormal();
}

FormDelete::~FormDelete()
{
    delete ui;
}

void FormDelete::setHighlighted()
{
    m_highlighted = true;
    ui->ico->setStyleSheet(badgeSheet(":/image/menu/delete1.png"));
}

void FormDelete::setNormal()
{
    m_highlighted = false;
    ui->ico->setStyleSheet(badgeSheet(":/image/menu/delete.png"));
}

QLabel *FormDelete::picture() const
{
    return ui->ico;
}

void FormDelete::enterEvent(QEvent *)
{
    setHighlighted();
}

void FormDelete::leaveEvent(QEvent *)
{
    setNormal();
}
