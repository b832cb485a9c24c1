#include "formname.h"
#include "ui_formname.h"

#include "dock/icons/iconpictures.h"

#include <QLabel>

FormName::FormName(QWidget *parent) : QWidget(parent), ui(new Ui::FormName)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_TranslucentBackground);
}

FormName::~FormName()
{
    delete ui;
}

QLabel *FormName::nameLabel() const { return ui->name; }
QLabel *FormName::arrowLabel() const { return ui->Arrow; }

void FormName::fill(const QString &text, int pixelSize)
{
    ui->Arrow->hide();
    ui->name->setText(tr("%1").arg(text));
    QFont f(QStringLiteral("Microsoft YaHei"));
    f.setWeight(10);
    f.setPixelSize(qMax(1, pixelSize));
    ui->name->setFont(f);
    ui->name->adjustSize();
}

void FormName::setName(int edge, const QString &text)
{
    fill(text, m_fontSize);
    ui->name->resize(ui->name->width() + 20, ui->name->height() + 6);
    const int w = ui->name->width();
    const int h = ui->name->height();
    switch (edge) {
    case 0:
        resize(w, h + 8);
        ui->name->move(0, 8);
        ui->Arrow->move((width() - ui->Arrow->width()) / 2, 0);
        IconPictures::show(ui->Arrow, QStringLiteral(":/image/menu/UpArrow.png"), ui->Arrow->size());
        ui->Arrow->show();
        break;
    case 1:
    case 3:
        resize(w, h);
        ui->name->move(0, 0);
        break;
    case 2:
        resize(w, h + 8);
        ui->name->move(0, 0);
        ui->Arrow->move((width() - ui->Arrow->width()) / 2, h);
        IconPictures::show(ui->Arrow, QStringLiteral(":/image/menu/DownArrow.png"), ui->Arrow->size());
        ui->Arrow->show();
        break;
    default:
        break;
    }
}

void FormName::setMenuText(const QString &text)
{
    fill(text, m_fontSize - 2);
    ui->name->setStyleSheet(QStringLiteral(
        "QLabel{border:0px;border-radius:10px;border-style: solid;border-color: rgba(0, 0, 0, 0);border-image: url();"
        "background-color: rgba(0, 0, 0, 200);color: rgb(255, 255, 255);}"));
    ui->name->resize(ui->name->width() + 26, ui->name->height() + 2);
    resize(ui->name->size());
}
